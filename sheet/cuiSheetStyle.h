#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "sheet/cmcFont.h"

// What a sheet's "_Style" line sets, with the defaults of a sheet that has
// none, plus the choice-list switch that the list window sets before a build.
struct cuiSheetStyle {
    static constexpr uint32_t kGrayText = 0xFF000011;  // "clGrayText"

    enum MultiSelect : int32_t { kNone = 0, kCell = 1, kLine = 2 };

    std::string titleText;  // empty: no title bar
    std::optional<cmcFont> titleFont;
    uint32_t titleColor = kGrayText;
    int32_t fixedCols = 0;
    int32_t fixedRows = 0;
    int32_t printFontRatio = 100;
    int32_t multiSelect = kNone;
    bool noPrint = false;
    bool importable = false;
    bool exportable = false;
    bool choiceList = false;
};
