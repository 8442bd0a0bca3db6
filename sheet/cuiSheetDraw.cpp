// How a built sheet's cells are painted: worked out here once for the screen
// grid and for the printer.
#include <algorithm>
#include <limits>

#include "sheet/cmcColor.h"
#include "sheet/cmcTextMeasurer.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetView.h"

bool cuiSheet::PaintedSelected(int32_t col, int32_t row) const {
    const cuiSheetCell& cell = Cell(col, row);
    if ((cell.multiSelectable && (cell.marked || cell.highlighted)) ||
        (col == m_col && row == m_row)) {
        return true;
    }
    if (!cell.obj.tip || row != m_row) {
        return false;
    }
    int32_t c = col - 1;
    while (c >= 0 && Cell(c, row).obj.tip && !Cell(c, row).obj.selectable) {
        --c;
    }
    return c >= 0 && Cell(c, row).obj.selectable;
}

cuiSheetPaint cuiSheet::PaintCell(int32_t col, int32_t row, const cmcRect& rect, bool gridFocused,
                                  void* canvas) {
    cuiSheetPaint paint;
    if (m_building || m_grid.empty() || !Inside(col, row) || ColWidth(col) == 0 ||
        RowHeight(row) == 0) {
        return paint;
    }
    paint.draw = true;
    paint.rect = rect;
    int32_t first = col;
    while (first > 0 && Cell(first, row).obj.joinLeft) {
        --first;
        paint.rect.left -= ColWidth(first);
    }
    paint.col = first;
    cmcCellObj& obj = At(first, row).obj;
    paint.selected = PaintedSelected(first, row);

    std::string text(obj.DisplayText());
    if (obj.link != cmcCellObj::kNoLink) {
        m_drawCapsule.Reset();
        cmcCellCapsule& capsule = OnDrawQuery(m_drawCapsule);
        capsule.parent = m_parentCapsule.get();
        capsule.cell = &obj;
        capsule.canvas = canvas;
        capsule.rect = paint.rect;
        capsule.context = m_context;
        capsule.sheet = this;
        capsule.state = (paint.selected ? cmcCellCapsule::kStateCurrent : 0u) |
                        (m_printing ? cmcCellCapsule::kStatePrinting : 0u);
        if (m_link) {
            m_link(capsule, false);
        }
        text = capsule.outText;
    }
    // Read after the query: the link may have given the cell its own look
    // (the grey of a read-only field).
    const cmcFont* font = obj.EffectiveFont();
    paint.font = font ? *font : (m_basic.font ? *m_basic.font : cmcFont{});

    const uint32_t color = obj.color;
    if (m_printing) {
        const bool white = color == cmcColor::kWindow || color == cuiSheetPaint::kWhite;
        paint.background = white ? cuiSheetPaint::kWhite : cuiSheetPaint::kPrintGray;
    } else if (!paint.selected || (m_view && m_view->EditorVisible())) {
        paint.background = color;
    } else {
        paint.background = gridFocused || m_style.choiceList ? cuiSheetPaint::kHighlight
                                                             : cuiSheetPaint::kBtnFace;
    }
    paint.fill = paint.background != cuiSheetPaint::kWhite;
    paint.bottomLine = obj.bottomLine;

    if (m_printing) {
        paint.font.color = cuiSheetPaint::kPrintText;
    } else if (paint.selected && paint.background == cuiSheetPaint::kHighlight) {
        paint.font.color = cuiSheetPaint::kHighlightText;
    } else if (paint.selected && paint.background == cuiSheetPaint::kBtnFace &&
               (paint.font.color == cuiSheetPaint::kBtnFace ||
                paint.font.color == cuiSheetPaint::kSilver ||
                paint.font.color == cuiSheetPaint::kGrayText)) {
        // Grey text on the grey of an unfocused selection would vanish.
        paint.font.color = cuiSheetPaint::kBtnShadow;
    }
    PaintText(paint, obj, text);
    if (obj.link != cmcCellObj::kNoLink) {
        PaintMark(paint, obj, m_drawCapsule);
        m_drawCapsule.state &= ~(cmcCellCapsule::kStateWarning | cmcCellCapsule::kStateError);
    }
    paint.repaintRight = col + 1 < m_colCount && Cell(col + 1, row).obj.tip;
    return paint;
}

void cuiSheet::PaintText(cuiSheetPaint& paint, const cmcCellObj& cell,
                         const std::string& text) const {
    std::string_view rest = text;
    int64_t blockHeight = 0;  // a cell of very many lines must not overflow
    while (true) {
        const size_t feed = rest.find('\n');
        cuiSheetPaint::Line line;
        line.text = std::string(rest.substr(0, feed));
        if (m_measurer) {
            const cmcTextMeasurer::Size size = m_measurer->Measure(paint.font, line.text);
            line.width = size.width;
            line.height = size.height;
        }
        blockHeight += line.height;
        paint.lines.push_back(std::move(line));
        if (feed == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(feed + 1);
    }
    const cmcRect& r = paint.rect;
    int64_t y = int64_t{r.top} + m_scale;
    if (cell.vAlign == 1) {
        y = r.top + ((int64_t{r.bottom} - r.top + 1) - blockHeight) / 2;
    } else if (cell.vAlign == 2) {
        y = r.bottom - blockHeight - m_scale;
    }
    for (cuiSheetPaint::Line& line : paint.lines) {
        line.y = static_cast<int32_t>(std::clamp<int64_t>(y, std::numeric_limits<int32_t>::min(),
                                                          std::numeric_limits<int32_t>::max()));
        y += line.height;
        if (cell.hAlign == 1) {
            line.x = r.left + ((r.right - r.left + 1) - line.width) / 2;
        } else if (cell.hAlign == 2) {
            line.x = r.right + 1 - line.width - 4 * m_scale;
        } else {
            line.x = r.left + 4 * m_scale;
        }
    }
}

void cuiSheet::PaintMark(cuiSheetPaint& paint, const cmcCellObj& cell,
                         const cmcCellCapsule& capsule) const {
    if (!m_context) {
        return;
    }
    if (capsule.state & cmcCellCapsule::kStateError) {
        paint.mark = cuiSheetPaint::Mark::Error;
    } else if (capsule.state & cmcCellCapsule::kStateWarning) {
        paint.mark = cuiSheetPaint::Mark::Warning;
    } else {
        return;
    }
    const cmcRect& r = paint.rect;
    const int32_t size = m_printing ? (r.bottom - r.top + 1) / 2 : m_markSize;
    int32_t position = capsule.markPosition;
    if (position == cmcCellCapsule::kMarkAuto) {
        position = cell.hAlign == 2 ? cmcCellCapsule::kMarkLeft : 3;
    }
    if (position == cmcCellCapsule::kMarkLeft) {
        paint.markX = r.left + size / 8;
    } else {
        paint.markX = r.right - size - 1;
        if (position == 3) {
            int32_t textEnd = r.left;
            for (const cuiSheetPaint::Line& line : paint.lines) {
                textEnd = std::max(textEnd, line.x + line.width);
            }
            paint.markX = std::min(paint.markX, textEnd + m_scale);
        }
    }
    paint.markSize = size;
    paint.markY = r.top + ((r.bottom - r.top + 1) - size) / 2;
}
