#include "app/cmcProgressBar.h"

#include <algorithm>

namespace cmcProgressBar {

int32_t Filled(int64_t done, int64_t total) {
    if (total <= 0 || done <= 0) {
        return 0;
    }
    int64_t filled = 33 * done / total;
    return static_cast<int32_t>(std::min<int64_t>(filled, kSegments));
}

Span Segment(int32_t index, int32_t width) {
    int32_t left = index * width / kSegments;
    int32_t next = (index + 1) * width / kSegments;
    // The last pixel of each segment is the gap.
    return {left, std::max(next - left - 1, 0)};
}

}  // namespace cmcProgressBar
