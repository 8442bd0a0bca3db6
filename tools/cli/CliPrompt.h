#pragma once
#include "runtime/cmcPrompt.h"

// Message boxes of the core as the command-line tool shows them: the box's
// text on standard error, in UTF-8. Nobody is there to answer, so a question
// gets the answer that changes nothing.
class CliPrompt : public cmcPrompt {
public:
    Answer Message(const std::string& text, const std::string& caption, Icon icon,
                   Buttons buttons) override;
};
