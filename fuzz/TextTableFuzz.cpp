// The text table reader on any table: the lines of the input (code page 932
// bytes) as a table, then every key it names and a few it may lack looked
// up in every way. A lookup the table cannot answer ends in the fatal
// report, which is expected; nothing else may go wrong.
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "text/cmcGTex.h"

namespace {

std::vector<std::string> Lines(const uint8_t* data, size_t size) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(static_cast<char>(data[i]));
        }
    }
    lines.push_back(line);
    return lines;
}

constexpr size_t kNegativeLineKeys = 8;

template <typename Lookup>
void Try(Lookup lookup) {
    try {
        lookup();
    } catch (const fuzz::FatalReport&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CatchFatal();
    const std::vector<std::string> lines = Lines(data, size);
    std::vector<std::string> keys = {"GI_Sys_AppTitle", "Missing_Key", ""};
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '#') {
            keys.push_back(line.substr(
                1, line.find('\t') == std::string::npos ? std::string::npos : line.find('\t') - 1));
        }
    }
    cmcGTex table;
    bool loaded = false;
    Try([&] { loaded = table.SetLines(lines); });
    if (!loaded) {
        return 0;
    }
    for (size_t k = 0; k < keys.size(); ++k) {
        const std::string& key = keys[k];
        Try([&] { table.HasKey(key); });
        Try([&] { table.GetBody(key); });
        Try([&] { table.GetNumber(key); });
        for (int n : {0, 1, 2, 7}) {
            Try([&] { table.GetLine(key, n); });
        }
        // A negative line is refused the same way for every key; asking it
        // of each key of a large table would spend the run on exceptions.
        if (k < kNegativeLineKeys) {
            Try([&] { table.GetLine(key, -1); });
        }
    }
    return 0;
}
