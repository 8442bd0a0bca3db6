#include "files/FileErr.h"
#include "files/indImageFile.h"
#include "model/cmcEeprom.h"
#include "model/indModelRules.h"
#include "text/cmcGTex.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliPrompt.h"

// File > New, then Save: the document starts as the initial image beside the
// program, read with the start-up checks.
int CliNew(const std::string& out) {
    CliPrompt prompt;
    indImageFile files(CliTable(), &prompt);
    std::string initialPath = CliCompanionFile(CliTable().GetLine("GI_App_InitialFile", 0));
    cmcEeprom initial;
    initial.SetSize(indModelRules::kImageSize);
    int result = files.LoadInitial(initialPath, initial);
    if (result != FileErr::kNone) {
        files.ShowInitialFileError(initialPath);
        return result;
    }
    cmcEeprom document;
    document.Assign(initial);
    return files.Save(out, document);
}
