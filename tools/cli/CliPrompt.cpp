#include "tools/cli/CliPrompt.h"

#include "tools/cli/Cli.h"

cmcPrompt::Answer CliPrompt::Message(const std::string& text, const std::string& /*caption*/,
                                     Icon /*icon*/, Buttons buttons) {
    CliPrintErr(text + "\n");
    switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::YesNo:
            return Answer::No;
        case Buttons::OkCancel:
        case Buttons::YesNoCancel:
            break;
    }
    return Answer::Cancel;
}
