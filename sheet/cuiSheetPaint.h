#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sheet/cmcFont.h"
#include "sheet/cmcRect.h"

// How one cell is to be painted: everything the screen grid and the printer
// need, worked out without pixels of their own. Positions are in the same
// coordinates as the rectangle the painter was asked for.
struct cuiSheetPaint {
    static constexpr uint32_t kHighlight = 0xFF00000D;      // "clHighlight"
    static constexpr uint32_t kHighlightText = 0xFF00000E;  // "clHightlightText"
    static constexpr uint32_t kBtnFace = 0xFF00000F;        // "clBtnFace"
    static constexpr uint32_t kBtnShadow = 0xFF000010;      // "clBtnShadow"
    static constexpr uint32_t kGrayText = 0xFF000011;       // "clGrayText"
    static constexpr uint32_t kSilver = 0x00C0C0C0;
    static constexpr uint32_t kWhite = 0x00FFFFFF;
    static constexpr uint32_t kPrintGray = 0x00606060;
    static constexpr uint32_t kPrintText = 0x00000000;

    enum class Mark : uint8_t { None, Warning, Error };

    struct Line {
        std::string text;  // code page 932
        int32_t x = 0;
        int32_t y = 0;
        int32_t width = 0;
        int32_t height = 0;
    };

    bool draw = false;       // false: nothing to paint (building, or no such cell)
    cmcRect rect;            // the cell, widened over the cells joined to it
    int32_t col = 0;         // the cell drawn: the first of a joined span
    bool selected = false;   // painted as selected
    uint32_t background = 0;
    bool fill = false;       // false for white: the surface is left as it is
    bool bottomLine = false;
    cmcFont font;
    std::vector<Line> lines;
    Mark mark = Mark::None;
    int32_t markX = 0;
    int32_t markY = 0;
    int32_t markSize = 0;
    bool repaintRight = false;  // the cell to the right is a tip: repaint it too
};
