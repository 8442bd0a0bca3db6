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

int CliSet(const std::string& file, const std::vector<std::string>& texts, const std::string& out) {
    std::vector<indCellEdit> edits(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string error = indCellEdit::Parse(texts[i], edits[i]);
        if (!error.empty()) {
            return CliUsageError(error);
        }
    }
    cmcEeprom image;
    image.SetSize(indModelRules::kImageSize);
    int result = CliOpenImage(file, image);
    if (result != FileErr::kNone) {
        return result;
    }
    CliDocHost host(image);
    for (indCellEdit& edit : edits) {
        edit.Apply(host);
    }
    CliPrompt prompt;
    return indImageFile(CliTable(), &prompt).Save(out.empty() ? file : out, image);
}
