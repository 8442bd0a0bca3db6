#pragma once
#include <cstdint>
#include <vector>

#include "sheet/cmcPrintSheet.h"
#include "sheet/cmcPrintTarget.h"
#include "sheet/cmcRect.h"

// Places the sheets of one print job on pages: a sheet whose first block
// fits below the previous one continues its page, every other block starts
// a page with its frame, and a block too large for its rectangle is printed
// with a smaller font, reduced at most three times.
class cmcPrintJob {
public:
    static constexpr int kMaxReductions = 3;

    // `inner`: the page's content rectangle, inside the frame.
    explicit cmcPrintJob(const cmcRect& inner) : m_inner(inner) {}

    // Prints every block of the sheet, built beforehand at `fontHeight`;
    // nothing for a sheet that is not printable or when cancelled.
    void PrintSheet(cmcPrintSheet& sheet, int32_t fontHeight, cmcPrintTarget& target);

    bool PageStarted() const { return m_pageStarted; }
    // The line below the last block on the current page, from the inner top.
    int32_t RunningOffset() const { return m_runningOffset; }
    // The font height the last sheet ended with.
    int32_t FontHeight() const { return m_fontHeight; }

private:
    std::vector<cmcPrintBlock> Blocks(const cmcPrintSheet& sheet, const cmcRect& rect) const;
    // Shrinks the font until the block fits `rect`; returns its height, or
    // -1 when it was printed unmeasured after the last reduction.
    int32_t Fit(cmcPrintSheet& sheet, const cmcPrintBlock& block, const cmcRect& rect);

    cmcRect m_inner;
    bool m_pageStarted = false;
    int32_t m_runningOffset = 0;
    int32_t m_fontHeight = 0;
};
