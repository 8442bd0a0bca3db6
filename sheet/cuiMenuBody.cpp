#include "sheet/cuiMenuBody.h"

#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiMenuItem.h"
#include "text/cmcGTex.h"
#include "util/Cp932.h"

namespace cuiMenuBody {

std::vector<std::string> Lines(cmcGTex& table, const std::string& key) {
    std::vector<std::string> lines;
    const std::string body = table.GetBody(key);
    size_t start = 0;
    while (start < body.size()) {
        size_t end = body.find('\n', start);
        if (end == std::string::npos) {
            end = body.size();
        }
        lines.push_back(body.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void ParseBasicCell(const cmcCellContext& context, const std::string& stem, cmcCellObj& basic) {
    basic = cmcCellObj();
    ParseCell(context, context.table.GetLine(stem + "_BasicCell", 0), basic, nullptr, nullptr);
}

bool AskStates(const std::function<int(cmcCellCapsule&, bool)>& link, cmcCellCapsule& request) {
    cmcCellObj& cell = *request.cell;
    const int32_t imageBefore = cell.imageIndex;
    cell.userFlags &= static_cast<uint16_t>(~cuiMenuItem::kStateFlags);
    link(request, false);
    return cell.imageIndex != imageBefore;
}

int Depth(std::string_view line, std::string_view* cellText) {
    for (size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (Cp932::IsLeadByte(byte)) {
            ++i;
            continue;
        }
        if (line[i] == '+') {
            *cellText = line.substr(i + 1);
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace cuiMenuBody
