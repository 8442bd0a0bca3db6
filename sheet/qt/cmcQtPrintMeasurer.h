#pragma once
#include "sheet/cmcTextMeasurer.h"

class QPaintDevice;

// Sizes texts with the metrics fonts have on a paint device (the printer),
// whose pixels are not the screen's.
class cmcQtPrintMeasurer : public cmcTextMeasurer {
public:
    explicit cmcQtPrintMeasurer(QPaintDevice& device) : m_device(device) {}
    Size Measure(const cmcFont& font, std::string_view line) const override;

private:
    QPaintDevice& m_device;
};
