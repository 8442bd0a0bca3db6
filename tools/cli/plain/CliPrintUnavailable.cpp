// A build without the Qt layers has no printer canvas.
#include "tools/cli/Cli.h"

int CliPrint(const CliPrintArgs&) {
    return CliUsageError("printing is not available in this build");
}
