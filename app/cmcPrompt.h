#pragma once
#include <string>

// Message boxes (and later file dialogs) as the core asks for them. The
// application shows real boxes, the command-line tool writes to standard
// error, tests answer them. Texts are code page 932, as in the text table.
class cmcPrompt {
public:
    enum class Icon { None, Stop, Exclamation, Information };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~cmcPrompt() = default;

    virtual Answer Message(const std::string& text, const std::string& caption, Icon icon,
                           Buttons buttons) = 0;
};
