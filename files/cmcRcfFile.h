#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/AddrRange.h"

class cmcEeprom;
class cmcGTex;
class cmcPrompt;

// Clone image files (.rcf, and the initial image .rcs): an identification
// line, header lines, then the image bytes as hexadecimal lines that carry
// their own address and count. One object serves one read or one write.
//
// Reading checks every line and keeps a bitmap of the addresses supplied, so
// that the caller can compare it with what a complete file must hold. The
// attached image changes only when the whole read succeeds. Every failure is
// a FileErr code, shown once through the prompt and returned.
class cmcRcfFile {
public:
    // Gets the map revision of the file; true accepts it.
    using MapRevCheck = std::function<bool(int32_t mapRev)>;
    // Gets the two identification numbers; false rejects and sets result.
    using ModelCheck = std::function<bool(uint32_t model, uint32_t extra, int& result)>;

    // The prompt shows the error boxes; null shows nothing.
    cmcRcfFile(cmcGTex& table, cmcPrompt* prompt);

    // Attaches the image (not owned) and resets both address bitmaps.
    void SetImage(cmcEeprom* image);
    // Written on the identification line; expected there when no model check
    // is installed.
    void SetIds(uint32_t model, uint32_t extra);
    // The revision written on the third line.
    void SetMapRev(int32_t mapRev) { m_mapRev = mapRev; }
    // After a read: the value of the last revision header seen, -1 for none.
    int32_t GetMapRev() const { return m_mapRev; }
    void SetMapRevCheck(MapRevCheck check) { m_mapRevCheck = std::move(check); }
    void SetModelCheck(ModelCheck check) { m_modelCheck = std::move(check); }

    // Writes the image's bytes of the list's ranges; the old file, if any, is
    // replaced only by a complete new one.
    int WriteImage(const std::string& path, const AddrRangeList& list);
    // Reads a file into the image; with a list, its coverage is checked too.
    int ReadImage(const std::string& path, const AddrRangeList* list = nullptr);
    // Compares the addresses the last read supplied with the list: 0 when
    // equal, 8 when the file held an address outside the list, else 7.
    int CheckCoverage(const AddrRangeList& list);
    // The error box of a code 1..9; nothing for other codes.
    void ShowFileError(int code);

    // The longest line the reader takes, line end not counted. Data lines
    // need at most 516; a longer physical line of any kind is a format error,
    // never split into two lines.
    static constexpr size_t kMaxLineChars = 766;

private:
    class LineReader;

    void RequireImage(const char* operation) const;
    std::string FormatText(const AddrRangeList& list) const;
    int ReadFile(const std::string& path, const AddrRangeList* list);
    int ReadIdentification(LineReader& reader);
    int ReadBody(LineReader& reader);
    int LoadDataLine(const std::string& line);
    void ResetLoaded();

    cmcGTex& m_table;
    cmcPrompt* m_prompt;
    cmcEeprom* m_image = nullptr;
    uint32_t m_modelCode = 0;
    uint32_t m_extraCode = 0;
    int32_t m_mapRev = -1;
    std::vector<uint8_t> m_expected;  // bit (a mod 8) of byte (a div 8) for address a
    std::vector<uint8_t> m_loaded;
    MapRevCheck m_mapRevCheck;
    ModelCheck m_modelCheck;
};
