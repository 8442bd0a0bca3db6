#include "files/cmcRcfFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "runtime/cmcPrompt.h"
#include "files/FileErr.h"
#include "files/cmcSafeFile.h"
#include "model/cmcEeprom.h"
#include "text/cmcGTex.h"
#include "util/cmcFatal.h"
#include "util/cmcStr.h"

namespace {

constexpr int32_t kBytesPerLine = 16;
constexpr size_t kIdChars = 8;
constexpr size_t kDataLineMin = 8;
constexpr size_t kDataLineMax = 516;
constexpr size_t kDataLineHead = 6;   // 4 address digits and 2 count digits
constexpr size_t kMapRevValueAt = 8;  // just after "#MapRev="

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

size_t BitmapBytes(int32_t imageSize) {
    return (static_cast<size_t>(imageSize) + 7) / 8;
}

void SetBit(std::vector<uint8_t>& bitmap, int32_t address) {
    bitmap[static_cast<size_t>(address) / 8] |= static_cast<uint8_t>(1u << (address % 8));
}


bool AllHex(const std::string& text) {
    for (char c : text) {
        if (cmcStr::HexDigit(c) < 0) {
            return false;
        }
    }
    return true;
}

// Digits are taken as hexadecimal digits of their own decimal value: the
// identification line holds only '0'..'9', so "4001" becomes 0x4001.
uint32_t HexNumber(const std::string& text, size_t at, size_t count) {
    uint32_t value = 0;
    for (size_t i = at; i < at + count; ++i) {
        value = value * 16 + static_cast<uint32_t>(cmcStr::HexDigit(text[i]));
    }
    return value;
}

bool AllDecimalDigits(const std::string& text) {
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

FilePtr OpenForReading(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"), &std::fclose);
    struct stat info {};
    // A folder opens for reading on this system; it is still no file.
    if (file && (::fstat(::fileno(file.get()), &info) != 0 || S_ISDIR(info.st_mode))) {
        file.reset();
    }
    return file;
}

}  // namespace

// Lines end at LF, with or without a CR before it; the last line may lack
// its line end.
class cmcRcfFile::LineReader {
public:
    enum class Status { Line, End, TooLong, Error };

    explicit LineReader(std::FILE* file) : m_file(file) {}

    Status Next(std::string& text, bool& lineFeed) {
        text.clear();
        lineFeed = false;
        for (;;) {
            int c = std::getc(m_file);
            if (c == EOF) {
                if (std::ferror(m_file)) {
                    return Status::Error;
                }
                return text.empty() ? Status::End : Finish(text);
            }
            if (c == '\n') {
                lineFeed = true;
                if (!text.empty() && text.back() == '\r') {
                    text.pop_back();
                }
                return Finish(text);
            }
            // One more than the limit leaves room for a CR before the LF.
            if (text.size() > kMaxLineChars) {
                return Status::TooLong;
            }
            text.push_back(static_cast<char>(c));
        }
    }

private:
    static Status Finish(const std::string& text) {
        return text.size() > kMaxLineChars ? Status::TooLong : Status::Line;
    }

    std::FILE* m_file;
};

cmcRcfFile::cmcRcfFile(cmcGTex& table, cmcPrompt* prompt) : m_table(table), m_prompt(prompt) {}

void cmcRcfFile::SetImage(cmcEeprom* image) {
    m_image = image;
    int32_t size = image != nullptr ? image->GetSize() : 0;
    m_expected.assign(BitmapBytes(size), 0);
    m_loaded.assign(BitmapBytes(size), 0);
    for (int32_t a = 0; a < size; ++a) {
        SetBit(m_expected, a);
    }
}

void cmcRcfFile::SetIds(uint32_t model, uint32_t extra) {
    m_modelCode = model;
    m_extraCode = extra;
}

void cmcRcfFile::RequireImage(const char* operation) const {
    if (m_image == nullptr) {
        cmcFatal(cmcFatalCaption::ExeName,
                 cmcStr::Format("No EEPROM image attached (%s).", operation));
    }
}

// ---- writing

std::string cmcRcfFile::FormatText(const AddrRangeList& list) const {
    std::string text = cmcStr::Format("%04X%04X\r\n", m_modelCode & 0xFFFF, m_extraCode & 0xFFFF);
    text += "#Comment=\r\n";
    text += cmcStr::Format("#MapRev=%d\r\n", m_mapRev);
    ForEachValidRange(list, m_image->GetSize(), [&](const AddrRange& range) {
        for (int32_t a = range.first; a <= range.last;) {
            // A line stops at the next 16-byte boundary or the range's end.
            int32_t n = std::min(kBytesPerLine - a % kBytesPerLine, range.last - a + 1);
            text += cmcStr::Format("%04X%02X", static_cast<unsigned>(a), static_cast<unsigned>(n));
            for (int32_t i = 0; i < n; ++i) {
                text += cmcStr::Format("%02X", m_image->GetByte(a + i));
            }
            text += "\r\n";
            a += n;
        }
    });
    return text;
}

int cmcRcfFile::WriteImage(const std::string& path, const AddrRangeList& list) {
    RequireImage("WriteImage");
    int result = cmcSafeFile::Write(path, FormatText(list));
    ShowFileError(result);
    return result;
}

// ---- reading

void cmcRcfFile::ResetLoaded() {
    m_loaded.assign(BitmapBytes(m_image->GetSize()), 0);
}

int cmcRcfFile::ReadImage(const std::string& path, const AddrRangeList* list) {
    RequireImage("ReadImage");
    cmcEeprom backup;
    backup.Assign(*m_image);
    ResetLoaded();
    int result = ReadFile(path, list);
    if (result != FileErr::kNone) {
        m_image->Assign(backup);
    }
    ShowFileError(result);
    return result;
}

int cmcRcfFile::ReadFile(const std::string& path, const AddrRangeList* list) {
    FilePtr file = OpenForReading(path);
    if (!file) {
        return FileErr::kFileOpen;
    }
    LineReader reader(file.get());
    int result = ReadIdentification(reader);
    if (result == FileErr::kNone) {
        result = ReadBody(reader);
    }
    if (result == FileErr::kNone && list != nullptr) {
        result = CheckCoverage(*list);
    }
    return result;
}

int cmcRcfFile::ReadIdentification(LineReader& reader) {
    std::string line;
    bool lineFeed = false;
    LineReader::Status status = reader.Next(line, lineFeed);
    if (status == LineReader::Status::Error) {
        return FileErr::kFileAccess;
    }
    if (status != LineReader::Status::Line || !lineFeed || line.size() != kIdChars ||
        !AllDecimalDigits(line)) {
        return FileErr::kFormat;
    }
    uint32_t model = HexNumber(line, 0, 4);
    uint32_t extra = HexNumber(line, 4, 4);
    if (m_modelCheck) {
        int result = FileErr::kNone;
        if (m_modelCheck(model, extra, result)) {
            return FileErr::kNone;
        }
        // A rejection must never read as success.
        return result != FileErr::kNone ? result : FileErr::kModel;
    }
    if (model != m_modelCode) {
        return FileErr::kModel;
    }
    return extra != m_extraCode ? FileErr::kExtra : FileErr::kNone;
}

int cmcRcfFile::ReadBody(LineReader& reader) {
    bool seenData = false;
    std::string line;
    bool lineFeed = false;
    for (;;) {
        switch (reader.Next(line, lineFeed)) {
            case LineReader::Status::End:
                return FileErr::kNone;
            case LineReader::Status::Error:
                return FileErr::kFileAccess;
            case LineReader::Status::TooLong:
                return FileErr::kFormat;
            case LineReader::Status::Line:
                break;
        }
        if (!line.empty() && line[0] == '#') {
            if (line.find("MapRev=") != std::string::npos) {
                m_mapRev = cmcStr::AtoI(line.size() > kMapRevValueAt
                                            ? std::string_view(line).substr(kMapRevValueAt)
                                            : std::string_view());
            }
            continue;
        }
        // The revision decides how the data lines are to be read, so it is
        // judged once, before the first of them.
        if (!seenData) {
            seenData = true;
            if (!m_mapRevCheck || !m_mapRevCheck(m_mapRev)) {
                return FileErr::kMapRev;
            }
        }
        int result = LoadDataLine(line);
        if (result != FileErr::kNone) {
            return result;
        }
    }
}

int cmcRcfFile::LoadDataLine(const std::string& line) {
    if (line.size() < kDataLineMin || line.size() > kDataLineMax || !AllHex(line)) {
        return FileErr::kFormat;
    }
    int32_t address = static_cast<int32_t>(HexNumber(line, 0, 4));
    int32_t count = static_cast<int32_t>(HexNumber(line, 4, 2));
    if (static_cast<size_t>(count) * 2 != line.size() - kDataLineHead) {
        return FileErr::kFormat;
    }
    if (!m_image->IsValidAddress(address + count - 1)) {
        return FileErr::kData;
    }
    for (int32_t i = 0; i < count; ++i) {
        size_t at = kDataLineHead + 2 * static_cast<size_t>(i);
        m_image->SetByte(address + i, static_cast<uint8_t>(HexNumber(line, at, 2)));
        SetBit(m_loaded, address + i);
    }
    return FileErr::kNone;
}

// ---- coverage and errors

int cmcRcfFile::CheckCoverage(const AddrRangeList& list) {
    int32_t size = m_image != nullptr ? m_image->GetSize() : 0;
    m_expected.assign(BitmapBytes(size), 0);
    m_loaded.resize(m_expected.size(), 0);
    ForEachValidRange(list, size, [&](const AddrRange& range) {
        for (int32_t a = range.first; a <= range.last; ++a) {
            SetBit(m_expected, a);
        }
    });
    bool missing = false;
    for (size_t i = 0; i < m_expected.size(); ++i) {
        if ((m_loaded[i] & ~m_expected[i]) != 0) {
            return FileErr::kData;
        }
        missing = missing || (m_expected[i] & ~m_loaded[i]) != 0;
    }
    return missing ? FileErr::kCoverage : FileErr::kNone;
}

void cmcRcfFile::ShowFileError(int code) {
    if (m_prompt == nullptr || code < 1 || code > FileErr::kLast) {
        return;
    }
    std::string text =
        cmcStr::Format("%s\n\n%s", m_table.GetBody("GI_Mess_FileErr_Headline").c_str(),
                       m_table.GetBody(FileErr::Key(code)).c_str());
    m_prompt->Message(text, m_table.GetLine("GI_Sys_AppTitle", 0), cmcPrompt::Icon::Exclamation,
                      cmcPrompt::Buttons::Ok);
}
