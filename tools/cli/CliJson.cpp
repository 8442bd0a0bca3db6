#include "tools/cli/CliJson.h"

#include <cstdio>

#include "util/Cp932.h"

CliJsonValue CliJsonText(const std::string& cp932) {
    return Cp932::ToUtf8(cp932);
}

void CliJsonPrint(const CliJsonValue& value) {
    const std::string text =
        value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    std::fputs((text + "\n").c_str(), stdout);
}
