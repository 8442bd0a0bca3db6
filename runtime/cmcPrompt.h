#pragma once
#include <string>

// Message boxes and file dialogs as the core asks for them. The application
// shows real ones, the command-line tool writes to standard error, tests
// answer them. Texts are code page 932, as in the text table.
class cmcPrompt {
public:
    enum class Icon { None, Stop, Exclamation, Information };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    // What a file dialog is asked with. Extension and filter are table texts
    // (the filter in its form "label|pattern|label|pattern"); file name and
    // folder are paths.
    struct FileRequest {
        std::string defaultExtension;
        std::string filter;
        std::string fileName;
        std::string folder;
    };

    virtual ~cmcPrompt() = default;

    virtual Answer Message(const std::string& text, const std::string& caption, Icon icon,
                           Buttons buttons) = 0;

    // The chosen path in `path` and Ok, or Cancel. Nobody to ask answers
    // Cancel, which changes nothing.
    virtual Answer OpenFileDialog(const FileRequest& request, std::string& path) {
        (void)request;
        (void)path;
        return Answer::Cancel;
    }
    // Asks before overwriting an existing file.
    virtual Answer SaveFileDialog(const FileRequest& request, std::string& path) {
        (void)request;
        (void)path;
        return Answer::Cancel;
    }
};
