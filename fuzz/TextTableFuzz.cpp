// The text table reader on any table: the lines of the input (code page 932
// bytes) as a table, then the first keys it names and a few it may lack
// looked up in every way (the getters of a lacking key are asked of one).
// A lookup the table cannot answer ends in the fatal report, which is
// expected; nothing else may go wrong.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "text/cmcGTex.h"

namespace {

std::vector<std::string> Lines(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string_view::npos;
         start = end + 1, end = text.find('\n', start)) {
        lines.emplace_back(text.substr(start, end - start));
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

constexpr size_t kNegativeLineKeys = 4;
// The getters take the same paths for every key but the first few: a key
// found after passing ten entries moves to the front, and asking more keys
// than this only repeats them, at a cost that grows with the table.
constexpr size_t kAskedKeys = 32;

// True when the lookup answered, false when it ended in the fatal report.
template <typename Lookup>
bool Try(Lookup lookup) {
    try {
        lookup();
        return true;
    } catch (const fuzz::FatalReport&) {
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CatchFatal();
    std::vector<std::string> lines = Lines(data, size);
    std::vector<std::string> keys = {"GI_Sys_AppTitle", "Missing_Key", ""};
    for (const std::string& line : lines) {
        if (keys.size() == kAskedKeys) {
            break;
        }
        if (!line.empty() && line[0] == '#') {
            keys.push_back(line.substr(
                1, line.find('\t') == std::string::npos ? std::string::npos : line.find('\t') - 1));
        }
    }
    cmcGTex table;
    bool loaded = false;
    Try([&] { loaded = table.SetLines(std::move(lines)); });
    if (!loaded) {
        return 0;
    }
    bool askedAbsent = false;
    for (size_t k = 0; k < keys.size(); ++k) {
        const std::string& key = keys[k];
        // Each getter refuses a key the table lacks at one place, whatever
        // the key, and each refusal is an exception, costly under the
        // sanitizer: the getters are asked of the first key it lacks only.
        const bool present = table.HasKey(key);
        if (!present) {
            if (askedAbsent) {
                continue;
            }
            askedAbsent = true;
        }
        Try([&] { table.GetBody(key); });
        // Of a key the table has, a line past the table's end is refused,
        // and so is every later one (GetNumber reads line 0): once a line
        // is refused the later ones are not asked.
        bool answered = Try([&] { table.GetNumber(key); }) || !present;
        for (int n : {0, 1, 2, 7}) {
            if (!answered) {
                break;
            }
            answered = Try([&] { table.GetLine(key, n); }) || !present;
        }
        // A negative line is refused the same way for every key.
        if (k < kNegativeLineKeys) {
            Try([&] { table.GetLine(key, -1); });
        }
    }
    return 0;
}
