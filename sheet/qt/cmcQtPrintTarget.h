#pragma once
#include <QFont>
#include <QPalette>
#include <functional>
#include <string>

#include "model/indActiveCellCanvas.h"
#include "sheet/cmcPrintLayout.h"
#include "sheet/cmcPrintTarget.h"

class QPagedPaintDevice;
class QPainter;
class cuiSheetPrint;

// The printer canvas: pages, their frame and the sheets' blocks drawn with a
// painter on a paged device (a printer or a PDF file). Cells are painted
// from the sheet's paint descriptions, as on the screen.
class cmcQtPrintTarget : public cmcPrintTarget, public indActiveCellCanvas {
public:
    // The two lines of the page frame, code page 932.
    struct FrameTexts {
        std::string titleWithRevision;
        std::string maker;
    };

    // `rect`: the print rectangle inside the margins, in device pixels.
    cmcQtPrintTarget(QPagedPaintDevice& device, QPainter& painter, const cmcRect& rect,
                     const QFont& frameFont, FrameTexts texts, std::function<bool()> cancelled);

    // The frame of every page; its inner rectangle is where content goes.
    const cmcPrintLayout::Frame& Frame() const { return m_frame; }
    // The sheet whose blocks follow; nullptr between sheets.
    void SetSheet(cuiSheetPrint* sheet) { m_sheet = sheet; }

    // cmcPrintTarget
    void NewPage() override;
    void DrawFrame() override;
    void PrintBlock(const cmcPrintBlock& block, const cmcRect& at) override;
    bool Cancelled() const override;

    // indActiveCellCanvas: links that draw fill on the page.
    void FillRect(const cmcRect& rect, uint32_t color) override;

private:
    void DrawRightAligned(const std::string& text, int32_t right, int32_t top);

    QPagedPaintDevice& m_device;
    QPainter& m_painter;
    cmcRect m_rect;
    QFont m_frameFont;
    FrameTexts m_texts;
    std::function<bool()> m_cancelled;
    cmcPrintLayout::Frame m_frame;
    QPalette m_palette;
    cuiSheetPrint* m_sheet = nullptr;
};
