// set FILE EDIT... [-o OUT]: edits an image file cell by cell, through the
// same link handler, and with the same requests, as the sheets use.
#include <cstdio>
#include <string>
#include <vector>

#include "files/FileErr.h"
#include "files/indImageFile.h"
#include "model/cmcEeprom.h"
#include "model/indCellEdit.h"
#include "model/indModelRules.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliDocHost.h"
#include "tools/cli/CliPrompt.h"

int CliSet(const std::vector<std::string>& args) {
    std::vector<std::string> rest;
    std::string out;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size() || !out.empty()) {
                return CliUsageError("-o takes one OUT file");
            }
            out = args[++i];
        } else {
            rest.push_back(args[i]);
        }
    }
    if (rest.size() < 2) {
        return CliUsageError("set takes FILE and at least one EDIT");
    }
    std::vector<indCellEdit> edits(rest.size() - 1);
    for (size_t i = 1; i < rest.size(); ++i) {
        std::string error = indCellEdit::Parse(rest[i], edits[i - 1]);
        if (!error.empty()) {
            return CliUsageError(error);
        }
    }
    cmcEeprom image;
    image.SetSize(indModelRules::kImageSize);
    int result = CliOpenImage(rest[0], image);
    if (result != FileErr::kNone) {
        return result;
    }
    CliDocHost host(image);
    for (indCellEdit& edit : edits) {
        edit.Apply(host);
    }
    CliPrompt prompt;
    return indImageFile(CliTable(), &prompt).Save(out.empty() ? rest[0] : out, image);
}
