// The command-line tool's edit syntax, "[CT_X.]LINK[n]=TEXT", "+", "-" and
// "@V", as set and the fleet batch read it: any edits (the input's
// NUL-separated parts) parse to an edit or to a message, and an edit that
// parses applies to an image through the link handler with one of its
// outcomes; a refused edit leaves the image as it was.
#include <string>
#include <vector>

#include "FuzzDocHost.h"
#include "model/indCellEdit.h"
#include "model/indModelRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CatchFatal();
    std::vector<std::string> edits(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            edits.emplace_back();
        } else {
            edits.back().push_back(static_cast<char>(data[i]));
        }
    }
    cmcEeprom image = fuzz::Patterned(5, 1);
    fuzz::FuzzDocHost host(image);
    for (const std::string& text : edits) {
        indCellEdit target;
        indCellEdit::ParseTarget(text, target, true);
        indCellEdit edit;
        if (!indCellEdit::Parse(text, edit).empty()) {
            continue;
        }
        cmcEeprom before;
        before.Assign(image);
        const indCellEdit::Outcome outcome = edit.Apply(host);
        fuzz::Check(outcome == indCellEdit::Outcome::Applied ||
                    outcome == indCellEdit::Outcome::Adjusted ||
                    outcome == indCellEdit::Outcome::Refused);
        fuzz::Check(outcome != indCellEdit::Outcome::Refused || image.Equals(before));
        fuzz::Check(image.GetSize() == indModelRules::kImageSize);
    }
    return 0;
}
