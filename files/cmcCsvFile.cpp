#include "files/cmcCsvFile.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "runtime/cmcPrompt.h"
#include "files/FileErr.h"
#include "files/cmcSafeFile.h"
#include "model/cmcChType.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indImageMap.h"
#include "text/cmcGTex.h"
#include "util/cmcStr.h"

namespace imap = indImageMap;

namespace {

constexpr char kHeaderKey[] = "GI_Sys_Csv_Header";
constexpr char kHeadlineKey[] = "GI_Mess_ImportErr_Headline";
constexpr char kNoHeader[] = "-";
constexpr char kNoColumn[] = "????";
constexpr uint32_t kHeaderLines = 10;
constexpr uint32_t kDataChangedEvent = 13;
constexpr char kLineEnd[] = "\r\n";
constexpr char kItemKey[] = "GI_Mess_ImportReport_Item";

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

bool NeedsQuotes(const std::string& field) {
    for (unsigned char c : field) {
        if (c == ' ' || c == '"' || c == ',' || IsControl(c)) {
            return true;
        }
    }
    return false;
}

std::string Quoted(const std::string& field) {
    std::string out = "\"";
    for (char c : field) {
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return out + "\"";
}

// "%s" in a table text filled with a value.
std::string FillIn(const std::string& pattern, const std::string& value) {
    const size_t at = pattern.find("%s");
    return at == std::string::npos ? pattern
                                   : pattern.substr(0, at) + value + pattern.substr(at + 2);
}

bool IsDigits(const std::string& text) {
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// Four decimal digits taken as base-16 digits, as image files write codes.
uint16_t CodeFromDigits(const std::string& digits) {
    return static_cast<uint16_t>(std::stoul(digits, nullptr, 16));
}

size_t QuoteCount(const std::string& text) {
    size_t n = 0;
    for (char c : text) {
        n += c == '"' ? 1 : 0;
    }
    return n;
}

bool HasRows(uint32_t chType) {
    return chType == cmcChType::kIndvList || chType == cmcChType::kGrpList;
}

std::string CodeKey(int code) {
    switch (code) {
        case cmcCsvFile::kChNo:
            return "GI_Mess_ImportErr_ChNo";
        case cmcCsvFile::kSheetName:
            return "GI_Mess_ImportErr_SheetName";
        case cmcCsvFile::kMissingHeader:
            return "GI_Mess_ImportErr_MissingHeader";
        case cmcCsvFile::kInvalidHeader:
            return "GI_Mess_ImportErr_InvalidHeader";
        case cmcCsvFile::kChType:
            return "GI_Mess_ImportErr_ChType";
        default:
            return FileErr::Key(code);
    }
}

std::string ReportKey(int32_t code) {
    switch (code) {
        case datCh::kReportIllegalInput:
            return "GI_Mess_ImportReport_Illegal_Input";
        case datCh::kReportAdjusted:
            return "GI_Mess_ImportReport_Item_Adjusted";
        case datCh::kReportNotInList:
            return "GI_Mess_ImportReport_FlectorItem_NotFound";
        default:
            return std::string();
    }
}

}  // namespace

cmcCsvFile::cmcCsvFile(cmcEvMan& events, cmcGTex& table, cmcPrompt* prompt)
    : m_events(events), m_table(table), m_prompt(prompt), m_listener(this, &cmcCsvFile::OnEvent) {
    m_events.Listen(m_listener);
}

cmcCsvFile::~cmcCsvFile() {
    m_events.Unlisten(m_listener);
}

void cmcCsvFile::SetIds(uint16_t modelCode, uint16_t extraCode) {
    m_modelCode = modelCode;
    m_extraCode = extraCode;
}

// ---- rows

std::string cmcCsvFile::JoinRow(const std::vector<std::string>& fields) {
    std::string row;
    for (size_t i = 0; i < fields.size(); ++i) {
        row += i == 0 ? "" : ",";
        row += NeedsQuotes(fields[i]) ? Quoted(fields[i]) : fields[i];
    }
    return row;
}

std::vector<std::string> cmcCsvFile::SplitRow(const std::string& record) {
    std::vector<std::string> fields(1);
    size_t i = 0;
    while (i < record.size()) {
        const char c = record[i++];
        if (c == ',') {
            fields.emplace_back();
        } else if (c == '"' && fields.back().empty()) {
            // Quoted: up to the next lone quote; a doubled one stands for one.
            while (i < record.size() &&
                   !(record[i] == '"' && (i + 1 >= record.size() || record[i + 1] != '"'))) {
                fields.back() += record[i];
                i += record[i] == '"' ? 2 : 1;
            }
            ++i;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// ---- export

int cmcCsvFile::ExportSheet(const std::string& path, uint32_t chType) {
    if (chType == cmcChType::kNone) {
        return kChType;
    }
    m_lineKnown = false;
    return Finish(Export(path, chType));
}

int cmcCsvFile::Export(const std::string& path, uint32_t chType) const {
    std::string header;
    if (!HeaderText(chType, header)) {
        return kMissingHeader;
    }
    std::string text =
        cmcStr::Format("#%04X%04X", m_modelCode, m_extraCode) + kLineEnd + header + kLineEnd;
    const cmcChType::Range range = cmcChType::GetRange(chType);
    datCh record(m_image);
    for (uint32_t index = range.first; HasRows(chType) && index <= range.last; ++index) {
        record.Load(chType, index);
        text += JoinRow(record.ExportRow()) + kLineEnd;
    }
    // Written whole or not at all: a failed export never leaves a damaged
    // file where a good one was.
    return cmcSafeFile::Write(path, text);
}

// ---- import

int cmcCsvFile::ImportSheet(const std::string& path, uint32_t chType) {
    if (chType == cmcChType::kNone) {
        return kChType;
    }
    m_reports.clear();
    m_reportLines.clear();
    m_line = 0;
    m_recordFirst = 0;
    const cmcEeprom backup = *m_image;
    ResetEntries(chType);
    // A folder opens as a stream on this system, only to give nothing; it is
    // no file to read.
    std::error_code error;
    std::ifstream in;
    if (!std::filesystem::is_directory(path, error)) {
        in.open(path, std::ios::binary);
    }
    const int result = in.is_open() ? Import(in, chType) : FileErr::kFileOpen;
    m_lineKnown = result != FileErr::kFileOpen && m_line > 0;
    if (result != 0) {
        m_image->Assign(backup);
    } else {
        m_events.Post(kDataChangedEvent, 0, 0);
        m_reportLines = BuildReportLines(chType);
    }
    m_reports.clear();
    return Finish(result);
}

int cmcCsvFile::Import(std::istream& in, uint32_t chType) {
    int result = ReadIdentification(in);
    if (result == 0) {
        result = ReadHeader(in, chType);
    }
    std::string record;
    datCh entry(m_image);
    while (result == 0 && (result = ReadRecord(in, record)) == 0 && !record.empty()) {
        result = entry.ImportRow(chType, SplitRow(record), m_events);
    }
    return result;
}

bool cmcCsvFile::ReadLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    ++m_line;
    m_recordFirst = m_line;
    return true;
}

int cmcCsvFile::ReadIdentification(std::istream& in) {
    std::string line;
    if (!ReadLine(in, line) || line.empty() || line[0] != '#') {
        return FileErr::kFormat;
    }
    const std::string digits = SplitRow(line.substr(1)).front();
    if (digits.size() != 8 || !IsDigits(digits)) {
        return FileErr::kFormat;
    }
    if (CodeFromDigits(digits.substr(0, 4)) != m_modelCode) {
        return FileErr::kModel;
    }
    return CodeFromDigits(digits.substr(4)) != m_extraCode ? FileErr::kExtra : 0;
}

int cmcCsvFile::ReadHeader(std::istream& in, uint32_t chType) {
    std::string line, header;
    if (!ReadLine(in, line)) {
        return FileErr::kFormat;
    }
    if (!HeaderText(chType, header)) {
        return kMissingHeader;
    }
    return line == header ? 0 : kInvalidHeader;
}

// The next record, over as many lines as its quotes need; empty at the end.
int cmcCsvFile::ReadRecord(std::istream& in, std::string& record) {
    record.clear();
    std::string line;
    int32_t first = 0;
    while (ReadLine(in, line)) {
        if (line.empty()) {
            continue;
        }
        first = first == 0 ? m_line : first;
        record += line;
        if (QuoteCount(record) % 2 == 0) {
            m_recordFirst = first;
            return 0;
        }
    }
    m_recordFirst = first == 0 ? m_line : first;
    return record.empty() ? 0 : FileErr::kFormat;
}

// Every entry of the list back to the initial image's entry, fields the file
// does not carry included.
void cmcCsvFile::ResetEntries(uint32_t chType) {
    if (m_initial == nullptr || !HasRows(chType)) {
        return;
    }
    const bool indv = chType == cmcChType::kIndvList;
    const int32_t count = indv ? imap::Indv::kCount : imap::Grp::kCount;
    const int32_t size = indv ? imap::Indv::kRecordSize : imap::Grp::kRecordSize;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t at = indv ? imap::IndvRecord(i) : imap::GrpRecord(i);
        m_image->SetBlock(at, m_initial->Data() + at, size);
        if (!indv) {
            const imap::BitPosition bit = imap::GroupValidBit(i);
            const uint8_t kept = m_image->GetByte(bit.address) & static_cast<uint8_t>(~bit.mask);
            m_image->SetByte(bit.address, static_cast<uint8_t>(
                                              kept | (m_initial->GetByte(bit.address) & bit.mask)));
        }
    }
}

void cmcCsvFile::OnEvent(const cmcEvent& event) {
    if (event.code != datCh::kReportEvent || event.payload.size() != sizeof(datCh::Report)) {
        return;
    }
    ReportEntry report;
    std::memcpy(&report, event.payload.data(), sizeof(report));
    report.firstLine = m_recordFirst;
    report.lastLine = m_line;
    m_reports.push_back(report);
}

// ---- texts

bool cmcCsvFile::HeaderText(uint32_t chType, std::string& header) const {
    if (chType >= kHeaderLines) {
        return false;
    }
    header = m_table.GetLine(kHeaderKey, static_cast<int>(chType));
    return header != kNoHeader;
}

std::string cmcCsvFile::LineText(int32_t first, int32_t last) const {
    return first == last ? cmcStr::Format("%d", first) : cmcStr::Format("%d - %d", first, last);
}

std::vector<std::string> cmcCsvFile::BuildReportLines(uint32_t chType) const {
    std::string header;
    const std::vector<std::string> columns =
        HeaderText(chType, header) ? SplitRow(header) : std::vector<std::string>();
    const std::string lineWord = m_table.GetLine(kHeadlineKey, 1);
    const std::string item = m_table.GetLine(kItemKey, 0);
    std::vector<std::string> lines;
    for (const ReportEntry& r : m_reports) {
        const std::string key = ReportKey(r.code);
        if (key.empty()) {
            continue;
        }
        const bool known = r.column >= 0 && static_cast<size_t>(r.column) < columns.size();
        lines.push_back(FillIn(lineWord, LineText(r.firstLine, r.lastLine)) +
                        FillIn(item, known ? columns[r.column] : std::string(kNoColumn)) +
                        m_table.GetLine(key, 0));
    }
    return lines;
}

std::string cmcCsvFile::ErrorText(int code) const {
    const std::string key = CodeKey(code);
    if (key.empty() || !m_table.HasKey(key)) {
        return std::string();
    }
    const std::string message = m_table.GetBody(key);
    if (message.empty()) {
        return std::string();
    }
    std::string text = m_table.GetLine(kHeadlineKey, 0);
    if (m_lineKnown) {
        text += "\n" + FillIn(m_table.GetLine(kHeadlineKey, 1), LineText(m_recordFirst, m_line));
    }
    return text + "\n\n" + message;
}

int cmcCsvFile::Finish(int code) {
    const std::string text = ErrorText(code);
    if (m_prompt != nullptr && !text.empty()) {
        m_prompt->Message(text, m_table.GetLine("GI_Sys_AppTitle", 0), cmcPrompt::Icon::Exclamation,
                          cmcPrompt::Buttons::Ok);
    }
    return code;
}
