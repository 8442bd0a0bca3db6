#include "model/indWarningCheck.h"

#include <string_view>

#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellObj.h"
#include "text/cmcGTex.h"

namespace {

constexpr const char* kCheckList = "GI_WarningCheckList";

void CheckLine(const cmcCellContext& context, std::string_view line, const cmcCellLink& link,
               indWarningCheck& result) {
    cmcCellObj cell;
    ParseCell(context, line, cell, nullptr, nullptr);
    cmcCellCapsule request;
    request.cell = &cell;
    link(request, false);
    std::string sheet = cell.argument.value_or(std::string());
    if ((request.state & cmcCellCapsule::kStateError) != 0) {
        result.errorSheets.push_back(sheet);
        ++result.errors;
    } else if ((request.state & cmcCellCapsule::kStateWarning) != 0) {
        result.warningSheets.push_back(sheet);
        ++result.warnings;
    }
}

}  // namespace

indWarningCheck indWarningCheck::Run(cmcGTex& table, const cmcCellNames& names,
                                     const cmcCellLink& link) {
    indWarningCheck result;
    // The body ends at the first line that begins with '#'.
    std::string body = table.GetBody(kCheckList);
    cmcCellContext context{table, names};
    std::string_view rest = body;
    while (!rest.empty()) {
        size_t end = rest.find('\n');
        CheckLine(context, rest.substr(0, end), link, result);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return result;
}
