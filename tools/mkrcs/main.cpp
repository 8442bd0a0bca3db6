// mkrcs: writes the initial image file, the content every new document starts
// with. Built and run by the build, so the file always follows the program's
// own image rules and writer. docs/initial-image.md says what it holds.
#include <cstdio>

#include "files/FileErr.h"
#include "files/indImageFile.h"
#include "model/cmcEeprom.h"
#include "model/indModelRules.h"
#include "text/cmcGTex.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkrcs OUT\n");
        return 64;
    }
    // All bytes 0: every individual entry invalid with an empty name, maker
    // ID 0 and number 0; own device ID 0-0, own name empty, name sending off;
    // group names empty. Saving adds what every saved file carries: the model
    // code, all setting-mode permissions, and each group's fixed ID.
    cmcEeprom image;
    image.SetSize(indModelRules::kImageSize);

    // No prompt: the table is never asked for a message here.
    cmcGTex noTexts;
    int result = indImageFile(noTexts, nullptr).Save(argv[1], image);
    if (result != FileErr::kNone) {
        std::fprintf(stderr, "mkrcs: cannot write %s (file error %d)\n", argv[1], result);
        return 1;
    }
    return 0;
}
