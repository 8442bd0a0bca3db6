// The radios file of a fleet batch, as a customer's spreadsheet gives it:
// any bytes parse to a message or to columns and rows, every row's fields
// parse to edits, and the edits of the first rows apply to the template
// through the link handler, a refused one leaving the image as it was.
// Applying the edits of every row would spend the run in the link handler,
// which the edit syntax's own harness drives; this one is for the file.
#include "FuzzDocHost.h"
#include "files/indFleetRadios.h"
#include "model/indModelRules.h"

namespace {

constexpr size_t kAppliedRows = 3;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CatchFatal();
    indFleetRadios radios;
    if (!radios.Parse(std::string(reinterpret_cast<const char*>(data), size)).empty()) {
        return 0;
    }
    cmcEeprom blank;
    blank.SetSize(indModelRules::kImageSize);
    cmcEeprom image;
    image.Assign(blank);
    fuzz::FuzzDocHost host(image);
    size_t applied = 0;
    for (const indFleetRadios::Row& row : radios.Rows()) {
        const std::vector<indCellEdit> edits = radios.EditsOf(row);
        if (applied++ >= kAppliedRows) {
            continue;
        }
        image.Assign(blank);
        for (indCellEdit edit : edits) {
            cmcEeprom before;
            before.Assign(image);
            if (edit.Apply(host) == indCellEdit::Outcome::Refused) {
                fuzz::Check(image.Equals(before));
            }
        }
    }
    return 0;
}
