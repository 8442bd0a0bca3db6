#include "sheet/qt/cmcQtPrintTarget.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include "app/gui/cmcQtColor.h"
#include "app/gui/cmcQtText.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetPrint.h"
#include "sheet/qt/cuiGridPainter.h"
#include "sheet/qt/cmcQtCanvas.h"

namespace {

QRect ToQRect(const cmcRect& rect) {
    return cmcQtCanvas::ToQRect(rect);
}

// Bars are given edge to edge: the lower edge is the next line.
QRect BarRect(const cmcRect& bar) {
    return QRect(bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top);
}

}  // namespace

cmcQtPrintTarget::cmcQtPrintTarget(QPagedPaintDevice& device, QPainter& painter,
                                   const cmcRect& rect, const QFont& frameFont, FrameTexts texts,
                                   std::function<bool()> cancelled)
    : m_device(device),
      m_painter(painter),
      m_rect(rect),
      m_frameFont(frameFont),
      m_texts(std::move(texts)),
      m_cancelled(std::move(cancelled)) {
    m_frame = cmcPrintLayout::PageFrame(m_rect, QFontMetrics(m_frameFont, &m_device).height());
    // Paper is white whatever the desktop's colours are.
    m_palette.setColor(QPalette::Window, Qt::white);
    m_palette.setColor(QPalette::Base, Qt::white);
    m_palette.setColor(QPalette::WindowText, Qt::black);
    m_palette.setColor(QPalette::Text, Qt::black);
}

void cmcQtPrintTarget::NewPage() {
    m_device.newPage();
}

void cmcQtPrintTarget::DrawFrame() {
    m_painter.save();
    m_painter.setFont(m_frameFont);
    m_painter.setPen(Qt::black);
    DrawRightAligned(m_texts.titleWithRevision, m_frame.titleRight, m_frame.titleTop);
    const int32_t height = QFontMetrics(m_frameFont, &m_device).height();
    DrawRightAligned(m_texts.maker, m_frame.makerRight, m_frame.makerBottom + 1 - height);
    m_painter.fillRect(BarRect(m_frame.topBar), Qt::black);
    m_painter.fillRect(BarRect(m_frame.bottomBar), Qt::black);
    m_painter.restore();
}

void cmcQtPrintTarget::DrawRightAligned(const std::string& text, int32_t right, int32_t top) {
    const QFontMetrics metrics(m_frameFont, &m_device);
    const QString shown = cmcQtText::FromCp932(text);
    const int32_t width = metrics.horizontalAdvance(shown);
    m_painter.drawText(QPoint(right - width, top + metrics.ascent()), shown);
}

void cmcQtPrintTarget::PrintBlock(const cmcPrintBlock& block, const cmcRect& at) {
    if (!m_sheet) {
        return;
    }
    cuiSheet& sheet = m_sheet->Sheet();
    m_painter.save();
    const std::string title = sheet.GetTitle();
    if (!title.empty()) {
        const QFont font = m_frameFont;
        m_painter.setFont(font);
        m_painter.setPen(Qt::black);
        m_painter.drawText(QPoint(at.left, at.top + QFontMetrics(font, &m_device).ascent()),
                           cmcQtText::FromCp932(title));
    }
    for (const cuiSheetPrint::PageCell& cell : m_sheet->PageCells(block, at)) {
        m_painter.setClipRect(ToQRect(cell.clip));
        const cuiSheetPaint paint = sheet.PaintCell(cell.col, cell.row, cell.rect, false,
                                                    static_cast<indActiveCellCanvas*>(this));
        cuiGridPainter::Draw(m_painter, paint, m_palette);
    }
    m_painter.restore();
}

bool cmcQtPrintTarget::Cancelled() const {
    return m_cancelled && m_cancelled();
}

void cmcQtPrintTarget::FillRect(const cmcRect& rect, uint32_t color) {
    cmcQtCanvas(m_painter, m_palette).FillRect(rect, color);
}
