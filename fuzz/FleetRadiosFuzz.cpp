// The radios file of a fleet batch, as a customer's spreadsheet gives it:
// any bytes parse to a message or to columns and rows, and each row's edits
// apply to the template through the link handler, a refused one leaving the
// image as it was.
#include "FuzzDocHost.h"
#include "files/indFleetRadios.h"
#include "model/indModelRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CatchFatal();
    indFleetRadios radios;
    if (!radios.Parse(std::string(reinterpret_cast<const char*>(data), size)).empty()) {
        return 0;
    }
    for (const indFleetRadios::Row& row : radios.Rows()) {
        cmcEeprom image;
        image.SetSize(indModelRules::kImageSize);
        fuzz::FuzzDocHost host(image);
        for (indCellEdit edit : radios.EditsOf(row)) {
            cmcEeprom before;
            before.Assign(image);
            if (edit.Apply(host) == indCellEdit::Outcome::Refused) {
                fuzz::Check(image.Equals(before));
            }
        }
    }
    return 0;
}
