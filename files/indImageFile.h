#pragma once
#include <string>

class cmcEeprom;
class cmcGTex;
class cmcPrompt;

// This radio's clone image files as the document sees them: opening with all
// checks, saving with the before-save rules, and loading the initial image at
// start-up. The main controller and the command-line tool both call these;
// document bookkeeping (file name, recent files, modified flag, the
// image-replaced event) stays with the caller. Failures are shown through the
// prompt (null shows nothing) and returned as FileErr codes.
class indImageFile {
public:
    indImageFile(cmcGTex& table, cmcPrompt* prompt);

    // File > Open. Reads into a zero-filled working copy, requires this
    // radio's model code in it and exactly the addresses a saved file holds;
    // only then does the image take the file's content, with the after-load
    // rules applied. On failure the image is untouched.
    int Open(const std::string& path, cmcEeprom& image);

    // Save. Applies the before-save rules to the image, then writes it with
    // this radio's identification and map revision 1.
    int Save(const std::string& path, cmcEeprom& image);

    // Start-up. The same steps as Open, with coverage checked inside the
    // read as well. On failure the image is untouched and the caller ends the
    // program after ShowInitialFileError.
    int LoadInitial(const std::string& path, cmcEeprom& image);

    // The start-up failure box naming the initial image file.
    void ShowInitialFileError(const std::string& path);

private:
    int Load(const std::string& path, cmcEeprom& image, bool initial);

    cmcGTex& m_table;
    cmcPrompt* m_prompt;
};
