#include "model/iuiSh_Factory.h"

#include "model/iuiSh_ChBank.h"
#include "model/iuiSh_Common.h"
#include "sheet/cuiSheetRequest.h"

std::unique_ptr<cuiSheet> iuiSh_Factory::Create(const std::string& request,
                                                const cmcCellContext& cells,
                                                const cmcCellCapsule* parentCapsule,
                                                int32_t focusLink, int32_t focusIndex,
                                                void* context) {
    const cuiSheetRequest parsed = cuiSheetRequest::Parse(request);
    std::unique_ptr<cuiSheet> sheet;
    if (parsed.className == "St_ChBank") {
        sheet = std::make_unique<iuiSh_ChBank>(cells, parentCapsule, focusLink, focusIndex,
                                               parsed.name, context);
    } else if (parsed.className == "St_Common") {
        sheet = std::make_unique<iuiSh_Common>(cells, parentCapsule, focusLink, focusIndex,
                                               parsed.name, context);
    } else {
        sheet = std::make_unique<cuiSheet>(cells, parentCapsule, focusLink, focusIndex,
                                           parsed.name, context);
    }
    sheet->SetSource(parsed.full);
    sheet->SetParameter(parsed.parameters);
    return sheet;
}
