#pragma once
#include <cstdint>
#include <vector>

// A span of image addresses, both ends inclusive.
struct AddrRange {
    int32_t first;
    int32_t last;
};

// A list of spans as the file, clone and link layers hand them around. The
// list ends at the first pair that is not a valid span of the image; lists
// made here always close with the pair (1, 0).
using AddrRangeList = std::vector<AddrRange>;

inline constexpr AddrRange kAddrRangeEnd{1, 0};

// Calls visit(range) for each valid span from the front of the list, stopping
// at the first pair whose first exceeds its last or that reaches outside an
// image of imageSize bytes (or at the end of the vector, should a list lack
// its closing pair).
template <class Visit>
void ForEachValidRange(const AddrRangeList& list, int32_t imageSize, Visit visit) {
    for (const AddrRange& range : list) {
        bool inside = range.first >= 0 && range.last < imageSize;
        if (range.first > range.last || !inside) {
            return;
        }
        visit(range);
    }
}
