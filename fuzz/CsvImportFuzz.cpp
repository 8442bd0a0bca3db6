// CSV import into either list, as the sheets' import command does it: any
// file ends in a file or CSV result code; a refused file leaves the image
// as it was; an accepted one exports to a file that imports again, and from
// there the round trip changes nothing more (the first may: values the
// image held outside their ranges come back adjusted).
// The first byte chooses the list.
#include <cstdlib>

#include "FuzzSupport.h"
#include "files/FileErr.h"
#include "files/cmcCsvFile.h"
#include "model/cmcChType.h"
#include "model/cmcEeprom.h"
#include "model/indModelRules.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualTimerHost.h"

namespace {

bool KnownResult(int result) {
    return (result >= FileErr::kNone && result <= FileErr::kLast) ||
           (result >= cmcCsvFile::kChNo && result <= cmcCsvFile::kChType);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CatchFatal();
    if (size == 0) {
        return 0;
    }
    const uint32_t chType = data[0] % 2 == 0 ? cmcChType::kIndvList : cmcChType::kGrpList;
    cmcVirtualTimerHost host;
    cmcEvMan events(host);
    fuzz::QuietPrompt prompt;
    // Made once: filling them byte by byte for each input took a tenth of
    // the run.
    static const cmcEeprom initial = fuzz::Patterned(7, 1);
    static const cmcEeprom before = fuzz::Patterned(7, 3);
    cmcEeprom image = before;
    cmcCsvFile csv(events, fuzz::Table(), &prompt);
    csv.SetImage(&image);
    csv.SetInitialImage(&initial);
    csv.SetIds(indModelRules::kModelCode, indModelRules::kExtraCode);

    const std::string path = fuzz::WriteFile(data + 1, size - 1, ".csv");
    const int result = csv.ImportSheet(path, chType);
    fuzz::Check(KnownResult(result));
    if (result != FileErr::kNone) {
        fuzz::Check(image.Equals(before));
    } else {
        fuzz::Check(csv.ExportSheet(path, chType) == FileErr::kNone);
        fuzz::Check(csv.ImportSheet(path, chType) == FileErr::kNone);
        const cmcEeprom once = image;
        fuzz::Check(csv.ExportSheet(path, chType) == FileErr::kNone);
        fuzz::Check(csv.ImportSheet(path, chType) == FileErr::kNone && image.Equals(once));
    }
    fuzz::RemoveFile(path);
    return 0;
}
