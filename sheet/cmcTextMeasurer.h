#pragma once
#include <cstdint>
#include <string_view>

#include "sheet/cmcFont.h"

// Measures one line of code page 932 text in a font, in the pixels of the
// surface the sheet is laid out for. The GUI answers with font metrics, the
// printer with its own, tests and the command-line tool with a simple rule.
class cmcTextMeasurer {
public:
    struct Size {
        int32_t width = 0;
        int32_t height = 0;
    };

    virtual ~cmcTextMeasurer() = default;
    virtual Size Measure(const cmcFont& font, std::string_view line) const = 0;
};
