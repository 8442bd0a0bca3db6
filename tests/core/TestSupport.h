#pragma once
// Helpers shared by the core tests: a prompt that records what it was asked to
// show, a small text table with the file messages, and scratch folders.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/cmcPrompt.h"
#include "model/cmcEeprom.h"
#include "text/cmcGTex.h"

namespace test {

struct ShownBox {
    std::string text;
    std::string caption;
    cmcPrompt::Icon icon;
    cmcPrompt::Buttons buttons;
};

class RecordingPrompt : public cmcPrompt {
public:
    Answer Message(const std::string& text, const std::string& caption, Icon icon,
                   Buttons buttons) override {
        shown.push_back({text, caption, icon, buttons});
        return Answer::Ok;
    }
    std::vector<ShownBox> shown;
};

// The messages of the file layer, with texts of this table's own (ASCII, so
// that a failure prints readably).
inline std::vector<std::string> FileTableLines() {
    return {
        "#Start_Of_Ovl\t//Never delete this line. ",
        "#GI_Sys_AppTitle",
        "Title",
        "#GI_Mess_FileErr_Headline",
        "Headline:",
        "#GI_Mess_FileErr_FileOpen",
        "m1 open",
        "#GI_Mess_FileErr_FileAccess",
        "m2 access",
        "#GI_Mess_FileErr_Model",
        "m3 model",
        "#GI_Mess_FileErr_Extra",
        "m4 extra",
        "#GI_Mess_FileErr_MapRev",
        "m5 maprev",
        "#GI_Mess_FileErr_Format",
        "m6 format",
        "#GI_Mess_FileErr_Coverage",
        "m7 coverage",
        "#GI_Mess_FileErr_Data",
        "m8 data",
        "line two of 8",
        "#",
        "not part of the message",
        "#GI_Mess_FileErr_Newer",
        "m9 newer",
        "#GI_Mess_FileErr_OpenRcs",
        "cannot read '%s' at start",
        "#End_Of_Ovl",
    };
}

// What ShowFileError shows for a code with the table above.
inline std::string FileErrorText(int code) {
    static const char* const kMessages[] = {"",          "m1 open",     "m2 access",
                                            "m3 model",  "m4 extra",    "m5 maprev",
                                            "m6 format", "m7 coverage", "m8 data\nline two of 8",
                                            "m9 newer"};
    return std::string("Headline:\n\n") + kMessages[code];
}

// An image of size bytes holding value(a) at every address a.
template <class Value>
cmcEeprom ImageOf(int32_t size, Value value) {
    cmcEeprom image;
    image.SetSize(size);
    for (int32_t a = 0; a < size; ++a) {
        image.SetByte(a, static_cast<uint8_t>(value(a)));
    }
    return image;
}

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "mxtest-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const { return m_path + "/" + name; }
    const std::string& Root() const { return m_path; }
    // Names of the entries in the folder, for spotting left-over temporaries.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_path)) {
            names.push_back(e.path().filename().string());
        }
        return names;
    }

private:
    std::string m_path;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace test
