#pragma once
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "runtime/cmcEvMan.h"
#include "model/datCh.h"

class cmcEeprom;
class cmcGTex;
class cmcPrompt;

// Writes the entries of one list (ChType 6 or 7) to a CSV file and reads such
// a file back into the document's image. A failed import leaves the image
// exactly as it was; values the import had to adjust or refuse are collected
// as report entries, one per field, with the lines of their record.
class cmcCsvFile {
public:
    static constexpr int kChNo = 10;
    static constexpr int kSheetName = 11;
    static constexpr int kMissingHeader = 12;
    static constexpr int kInvalidHeader = 13;
    static constexpr int kChType = 14;

    // The row import's record, stamped here with its lines.
    using ReportEntry = datCh::Report;

    // prompt: where error boxes go; null shows none.
    cmcCsvFile(cmcEvMan& events, cmcGTex& table, cmcPrompt* prompt);
    ~cmcCsvFile();
    cmcCsvFile(const cmcCsvFile&) = delete;
    cmcCsvFile& operator=(const cmcCsvFile&) = delete;

    void SetImage(cmcEeprom* image) { m_image = image; }
    void SetInitialImage(const cmcEeprom* image) { m_initial = image; }
    void SetIds(uint16_t modelCode, uint16_t extraCode);

    // Result codes: 0, the FileErr codes 1, 2, and 12, 14 above. A failure
    // leaves the file that was there before untouched.
    int ExportSheet(const std::string& path, uint32_t chType);
    // Result codes: 0, FileErr 1, 3, 4, 6 and 10, 12, 13, 14 above.
    int ImportSheet(const std::string& path, uint32_t chType);

    // The lines of the last successful import's report, in arrival order;
    // empty when nothing was adjusted or refused. Whoever runs the import
    // shows them.
    const std::vector<std::string>& ReportLines() const { return m_reportLines; }
    // The error box text for a code, with the failing record's lines after
    // an import; empty for 0 and for codes without a text.
    std::string ErrorText(int code) const;

    // The row rules, shared by writing and reading.
    static std::string JoinRow(const std::vector<std::string>& fields);
    static std::vector<std::string> SplitRow(const std::string& record);

private:
    int Export(const std::string& path, uint32_t chType) const;
    int Import(std::istream& in, uint32_t chType);
    int ReadIdentification(std::istream& in);
    int ReadHeader(std::istream& in, uint32_t chType);
    bool ReadLine(std::istream& in, std::string& line);
    int ReadRecord(std::istream& in, std::string& record);
    void ResetEntries(uint32_t chType);
    bool HeaderText(uint32_t chType, std::string& header) const;
    std::string LineText(int32_t first, int32_t last) const;
    std::vector<std::string> BuildReportLines(uint32_t chType) const;
    void OnEvent(const cmcEvent& event);
    int Finish(int code);

    int32_t m_line = 0;
    int32_t m_recordFirst = 0;
    bool m_lineKnown = false;
    cmcEeprom* m_image = nullptr;
    const cmcEeprom* m_initial = nullptr;
    uint16_t m_modelCode = 0;
    uint16_t m_extraCode = 0;
    std::vector<ReportEntry> m_reports;
    std::vector<std::string> m_reportLines;
    cmcEvMan& m_events;
    cmcGTex& m_table;
    cmcPrompt* m_prompt;
    cmcEvMan::Listener m_listener;
};
