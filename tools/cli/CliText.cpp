#include <optional>
#include <string>

#include "text/cmcGTex.h"
#include "tools/cli/Cli.h"
#include "util/Cp932.h"

int CliText(const std::string& keyText, int line) {
    // Keys are ASCII in practice; converting keeps a Japanese key usable too.
    std::optional<std::string> key = Cp932::FromUtf8(keyText);
    if (!key) {
        return CliUsageError("KEY has a character code page 932 cannot hold");
    }
    // An unknown key ends in the table's own error report.
    cmcGTex& table = CliTable();
    std::string text = line < 0 ? table.GetBody(*key) : table.GetLine(*key, line);
    CliPrintOut(text + "\n");
    return 0;
}
