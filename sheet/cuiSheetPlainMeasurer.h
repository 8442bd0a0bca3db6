#pragma once
#include <cstdlib>

#include "sheet/cmcTextMeasurer.h"

// Sizes text without a font engine: a fixed width per byte (a double-byte
// character is two) and the font's character height. Enough where no pixels
// are shown: the command-line tool, benchmarks and tests.
class cuiSheetPlainMeasurer : public cmcTextMeasurer {
public:
    explicit cuiSheetPlainMeasurer(int32_t byteWidth = 8) : m_byteWidth(byteWidth) {}

    Size Measure(const cmcFont& font, std::string_view line) const override {
        return {static_cast<int32_t>(line.size()) * m_byteWidth, std::abs(font.height)};
    }

private:
    int32_t m_byteWidth;
};
