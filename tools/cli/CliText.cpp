#include <cstdlib>
#include <string>

#include "text/cmcGTex.h"
#include "tools/cli/Cli.h"
#include "util/Cp932.h"

int CliText(const std::vector<std::string>& args) {
    if (args.empty() || args.size() > 2) {
        return CliUsageError("text takes KEY and an optional LINE");
    }
    int line = -1;
    if (args.size() == 2) {
        char* end = nullptr;
        long n = std::strtol(args[1].c_str(), &end, 10);
        if (args[1].empty() || *end != '\0' || n < 0 || n > 1000000) {
            return CliUsageError("LINE must be a line number from 0");
        }
        line = static_cast<int>(n);
    }
    // Keys are ASCII in practice; converting keeps a Japanese key usable too.
    std::optional<std::string> key = Cp932::FromUtf8(args[0]);
    if (!key) {
        return CliUsageError("KEY has a character code page 932 cannot hold");
    }
    // An unknown key ends in the table's own error report.
    cmcGTex& table = CliTable();
    std::string text = line < 0 ? table.GetBody(*key) : table.GetLine(*key, line);
    CliPrintOut(text + "\n");
    return 0;
}
