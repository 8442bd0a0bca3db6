#pragma once
#include <cstdint>

// The clone progress bar's arithmetic: 32 equal segments, each followed by
// a one-pixel gap, the first ones filled as the job advances.
namespace cmcProgressBar {

inline constexpr int32_t kSegments = 32;

// Segments to fill for `done` of `total`: 33 * done / total, never more than
// the bar has (a finished job would otherwise ask for a 33rd) and 0 without
// a total.
int32_t Filled(int64_t done, int64_t total);
// Left edge and width of segment `index` in a bar `width` pixels wide.
struct Span {
    int32_t left;
    int32_t width;
};
Span Segment(int32_t index, int32_t width);

}  // namespace cmcProgressBar
