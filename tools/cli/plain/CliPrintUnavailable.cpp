// A build without the Qt layers has no printer canvas.
#include "tools/cli/Cli.h"

int CliPrint(const std::vector<std::string>&) {
    return CliUsageError("printing is not available in this build");
}
