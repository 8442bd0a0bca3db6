#include "sheet/cuiMenuBody.h"

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
