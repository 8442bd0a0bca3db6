#pragma once
#include "sheet/cmcTextMeasurer.h"

// Sizes texts with the metrics of the font the grid will draw them in.
class cmcQtMeasurer : public cmcTextMeasurer {
public:
    Size Measure(const cmcFont& font, std::string_view line) const override;
};
