#include "files/indImageFile.h"
#include "model/cmcEeprom.h"
#include "model/indModelRules.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliPrompt.h"

int CliOpenImage(const std::string& path, cmcEeprom& image) {
    CliPrompt prompt;
    image.SetSize(indModelRules::kImageSize);
    return indImageFile(CliTable(), &prompt).Open(path, image);
}

int CliCheck(const std::string& file) {
    cmcEeprom image;
    return CliOpenImage(file, image);
}
