#include "sheet/qt/cmcQtPrintMeasurer.h"

#include <QFontMetrics>
#include <string>

#include "app/gui/cmcQtFont.h"
#include "app/gui/cmcQtText.h"

cmcTextMeasurer::Size cmcQtPrintMeasurer::Measure(const cmcFont& font,
                                                  std::string_view line) const {
    const QFontMetrics metrics(cmcQtFont::ToQFont(font), &m_device);
    const QString text = cmcQtText::FromCp932(std::string(line));
    return {metrics.horizontalAdvance(text), metrics.height()};
}
