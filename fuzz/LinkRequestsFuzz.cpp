// The field codecs through the link handler, as the sheets reach them, with
// any image bytes and any typed text: the input first changes image bytes
// and the radio's information block, then sends requests (queries, typed
// texts committed, keys, list choices, pop-up commands) to any link, entry
// and category. The code page 932 conversion takes every text both ways.
// Nothing may fail; the image keeps its size.
#include <cstdlib>

#include "FuzzDocHost.h"
#include "model/indActiveCellIds.h"
#include "model/indLinkNames.h"
#include "model/indModelRules.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"
#include "util/Cp932.h"

namespace {

const int32_t kRequests[] = {
    cmcCellCapsule::kRequestQuery,    cmcCellCapsule::kRequestEnter,
    cmcCellCapsule::kRequestSpace,    cmcCellCapsule::kRequestBackspace,
    cmcCellCapsule::kRequestClick,    cmcCellCapsule::kRequestKeyLeft,
    cmcCellCapsule::kRequestKeyRight, cmcCellCapsule::kRequestInputMethod,
};

void Convert(const std::string& text) {
    const std::string utf8 = Cp932::ToUtf8(text);
    if (const auto back = Cp932::FromUtf8(utf8)) {
        Cp932::ToUtf8(*back);
    }
    Cp932::FromUtf8(text);
    Cp932::Split(text, ',');
}

void Send(fuzz::FuzzDocHost& host, fuzz::Input& input) {
    cmcCellObj cell;
    cell.category = static_cast<int32_t>(input.Byte() % (indLinkNames::kCategoryCount + 1));
    cell.link = static_cast<int32_t>(input.Number(indLinkNames::kLinkCount + 1));
    cell.index = static_cast<int32_t>(input.Byte()) - 2;
    int editHost = 0;
    cmcCellCapsule request;
    request.cell = &cell;
    request.editHost = &editHost;
    const uint8_t kind = input.Byte();
    request.request = kRequests[kind % std::size(kRequests)];
    cmcCellObj entry;
    cmcCellCapsule chosen;
    switch (kind / std::size(kRequests) % 4) {
        case 1:
            request.origin = cmcCellCapsule::kOriginEditor;
            request.inText = input.Text(64);
            Convert(request.inText);
            break;
        case 2:
            entry.link = indActiveCellIds::kFlex0;
            entry.index = static_cast<int32_t>(input.Byte()) - 2;
            chosen.cell = &entry;
            request.parent = &chosen;
            request.origin = cmcCellCapsule::kOriginChoice;
            break;
        case 3:
            request.command = static_cast<int32_t>(input.Number(indLinkNames::kLinkCount + 1));
            break;
        default:
            break;
    }
    const bool action = (kind & 0x80) != 0;
    indActiveCell(host).Handle(request, action);
    Convert(request.outText);
    if (cell.text) {
        Convert(*cell.text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CatchFatal();
    fuzz::Input input(data, size);
    cmcEeprom image;
    image.SetSize(indModelRules::kImageSize);
    fuzz::FuzzDocHost host(image);
    for (uint32_t changes = input.Byte(); changes > 0; --changes) {
        image.SetByte(static_cast<int32_t>(input.Number(indModelRules::kImageSize)), input.Byte());
    }
    for (uint8_t& byte : host.Information()) {
        byte = input.Byte();
    }
    // A request the handler reports as a fault of the program ends the run:
    // what it left behind is not to be used again.
    try {
        while (!input.Empty()) {
            Send(host, input);
        }
    } catch (const fuzz::FatalReport&) {
    }
    fuzz::Check(image.GetSize() == indModelRules::kImageSize);
    return 0;
}
