#pragma once
// What the harnesses share: the fatal report turned into an exception the
// harness catches (a description that the program ends with a fatal report
// is an expected outcome, not a finding), inputs taken apart byte by byte,
// a file to hand to readers that take a path, the built-in table, and a
// prompt that answers every box.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/cmcEeprom.h"
#include "model/indModelRules.h"
#include "runtime/cmcPrompt.h"
#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"
#include "util/cmcFatal.h"

namespace fuzz {

struct FatalReport : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Installs the shower that throws instead of ending the process.
inline void CatchFatal() {
    static const bool installed = [] {
        cmcSetFatalShower(
            [](cmcFatalCaption, const std::string& text) { throw FatalReport(text); });
        return true;
    }();
    (void)installed;
}

// A property of the program that must hold whatever the input: a breach is
// a finding, reported with its place and stopped like a crash.
inline void Check(bool holds, const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
    if (!holds) {
        std::fprintf(stderr, "property broken at %s:%d\n", file, line);
        std::abort();
    }
}

// Takes an input apart: small numbers first, the rest as text or bytes.
class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Empty() const { return m_at >= m_size; }
    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    uint32_t Number(uint32_t below) {
        uint32_t value = Byte();
        value = value << 8 | Byte();
        return below == 0 ? value : value % below;
    }
    // Up to `most` bytes, as long as the input lasts.
    std::string Text(size_t most) {
        const size_t wanted = Number(static_cast<uint32_t>(most) + 1);
        const size_t n = std::min(wanted, m_size - m_at);
        std::string text(reinterpret_cast<const char*>(m_data + m_at), n);
        m_at += n;
        return text;
    }
    std::string Rest() {
        std::string text(reinterpret_cast<const char*>(m_data + m_at), m_size - m_at);
        m_at = m_size;
        return text;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// The input as a file of this process's own, for readers that take a path.
inline std::string WriteFile(const uint8_t* data, size_t size, const char* suffix) {
    const char* folder = std::getenv("TMPDIR");
    const std::string path = std::string(folder && *folder ? folder : "/tmp") + "/mxfuzz-" +
                             std::to_string(::getpid()) + suffix;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        std::abort();
    }
    if (size > 0 && std::fwrite(data, 1, size, file) != size) {
        std::abort();
    }
    std::fclose(file);
    return path;
}

inline void RemoveFile(const std::string& path) {
    std::remove(path.c_str());
}

// The built-in table, loaded once: the readers take their texts from it.
inline cmcGTex& Table() {
    static cmcGTex table;
    static const bool loaded = table.SetLines(BuiltinTable::Lines());
    (void)loaded;
    return table;
}

// A whole image whose byte at address a is a * step + offset, so a byte
// that moved or changed shows.
inline cmcEeprom Patterned(int step, int offset) {
    cmcEeprom image;
    image.SetSize(indModelRules::kImageSize);
    for (int32_t a = 0; a < image.GetSize(); ++a) {
        image.SetByte(a, static_cast<uint8_t>(a * step + offset));
    }
    return image;
}

// Answers every box with its first button and every file dialog with Cancel.
class QuietPrompt : public cmcPrompt {
public:
    Answer Message(const std::string&, const std::string&, Icon, Buttons buttons) override {
        ++messages;
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes
                                                                            : Answer::Ok;
    }
    int messages = 0;
};

}  // namespace fuzz
