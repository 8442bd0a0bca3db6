#include "app/gui/cmcQtFont.h"

#include <QFontDatabase>

#include "app/gui/cmcQtText.h"

namespace cmcQtFont {

QStringList Substitutes(const QString& face) {
    // The descriptions name the proportional Japanese gothic face; IPAPGothic
    // keeps its metrics, Noto Sans CJK JP comes next.
    if (face == QStringLiteral(u"ＭＳ Ｐゴシック") || face == QStringLiteral(u"ＭＳ ゴシック")) {
        QStringList installed = QFontDatabase::families();
        QStringList found;
        for (const QString& candidate : {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")}) {
            if (installed.contains(candidate)) {
                found << candidate;
            }
        }
        if (!found.isEmpty()) {
            return found;
        }
    }
    return {face};
}

QFont ToQFont(const cmcFont& font) {
    QFont result;
    if (!font.name.empty()) {
        result.setFamilies(Substitutes(cmcQtText::FromCp932(font.name)));
    }
    if (font.height < 0) {
        result.setPixelSize(-font.height);
    } else if (font.height > 0) {
        // A positive height is the cell height; the Japanese gothic faces
        // have no internal leading, so it is the character height too.
        result.setPixelSize(font.height);
    } else if (font.size > 0) {
        result.setPointSize(font.size);
    }
    result.setBold((font.style & cmcFontStyle::kBold) != 0);
    result.setItalic((font.style & cmcFontStyle::kItalic) != 0);
    result.setUnderline((font.style & cmcFontStyle::kUnderline) != 0);
    result.setStrikeOut((font.style & cmcFontStyle::kStrikeOut) != 0);
    if (font.pitch == cmcFontPitch::Fixed) {
        result.setFixedPitch(true);
    }
    return result;
}

}  // namespace cmcQtFont
