// The frame decoder on any bytes from the line: every frame it hands over
// starts with its 0xFE, holds no 0xFD and fits the longest frame; the
// decoder never keeps more than that.
#include <cstdlib>

#include "FuzzSupport.h"
#include "link/cmcCloneBlock.h"
#include "link/cmcFramer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CatchFatal();
    cmcFramer framer;
    for (size_t i = 0; i < size; ++i) {
        const cmcFramer::Event event = framer.Push(data[i]);
        if (event != cmcFramer::Event::Frame) {
            continue;
        }
        const std::vector<uint8_t>& frame = framer.Frame();
        fuzz::Check(!frame.empty() && frame.front() == 0xFE);
        fuzz::Check(frame.size() <= cmcFramer::kMaxBody + 1);
        for (size_t k = 1; k < frame.size(); ++k) {
            fuzz::Check(frame[k] != 0xFD && frame[k] != 0xFE);
        }
        // A data frame's block, as the driver decodes it.
        if (frame.size() > 4) {
            const auto block = cmcCloneBlock::Decode(frame.data() + 4, frame.size() - 4);
            if (block) {
                const auto again =
                    cmcCloneBlock::Encode(block->address, block->data.data(), block->data.size());
                fuzz::Check(again.size() == frame.size() - 4);
            }
        }
    }
    return 0;
}
