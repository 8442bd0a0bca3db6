// The image file reader, as File > Open and the initial image use it: any
// file ends in one of the file result codes; a refused file leaves the
// document's image as it was; an accepted one saves and opens again, and
// what it opens as saves and opens to the same image (bytes that no saved
// range holds are not carried over, so the first saving may drop some).
#include <cstdlib>

#include "FuzzSupport.h"
#include "files/FileErr.h"
#include "files/indImageFile.h"
#include "model/cmcEeprom.h"
#include "model/indModelRules.h"

namespace {

// Made once: filling an image byte by byte for each of the eight copies an
// input needs took a tenth of the run.
const cmcEeprom& Patterned() {
    static const cmcEeprom image = fuzz::Patterned(13, 5);
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CatchFatal();
    fuzz::QuietPrompt prompt;
    indImageFile file(fuzz::Table(), &prompt);
    const std::string path = fuzz::WriteFile(data, size, ".rcf");
    for (const bool initial : {false, true}) {
        const cmcEeprom before = Patterned();
        cmcEeprom image = Patterned();
        const int result = initial ? file.LoadInitial(path, image) : file.Open(path, image);
        fuzz::Check(result >= FileErr::kNone && result <= FileErr::kLast);
        if (result != FileErr::kNone) {
            fuzz::Check(image.Equals(before));
            continue;
        }
        const std::string copy = path + ".saved.rcf";
        cmcEeprom once = Patterned();
        fuzz::Check(file.Save(copy, image) == FileErr::kNone);
        fuzz::Check(file.Open(copy, once) == FileErr::kNone);
        cmcEeprom twice = Patterned();
        fuzz::Check(file.Save(copy, once) == FileErr::kNone);
        fuzz::Check(file.Open(copy, twice) == FileErr::kNone && twice.Equals(once));
        fuzz::RemoveFile(copy);
    }
    fuzz::RemoveFile(path);
    return 0;
}
