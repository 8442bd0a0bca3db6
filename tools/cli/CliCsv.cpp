#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "files/FileErr.h"
#include "files/cmcCsvFile.h"
#include "files/indImageFile.h"
#include "model/cmcChType.h"
#include "model/cmcEeprom.h"
#include "model/indModelRules.h"
#include "text/cmcGTex.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CliPrompt.h"

// CSV export and import of one list of an image file, as the Import and
// Export commands run them on the document.
namespace {

class CsvRun {
public:
    CsvRun() : m_csv(m_events, CliTable(), &m_prompt) {
        m_csv.SetIds(indModelRules::kModelCode, indModelRules::kExtraCode);
        m_csv.SetImage(&m_image);
    }
    int Open(const std::string& path) { return CliOpenImage(path, m_image); }
    int LoadInitial() {
        indImageFile files(CliTable(), &m_prompt);
        const std::string path = CliCompanionFile(CliTable().GetLine("GI_App_InitialFile", 0));
        m_initial.SetSize(indModelRules::kImageSize);
        const int result = files.LoadInitial(path, m_initial);
        if (result != FileErr::kNone) {
            files.ShowInitialFileError(path);
        }
        m_csv.SetInitialImage(&m_initial);
        return result;
    }
    cmcCsvFile& Csv() { return m_csv; }
    int Save(const std::string& path) { return indImageFile(CliTable(), &m_prompt).Save(path, m_image); }

private:
    cmcVirtualTimerHost m_host;
    cmcEvMan m_events{m_host};
    CliPrompt m_prompt;
    cmcEeprom m_image;
    cmcEeprom m_initial;
    cmcCsvFile m_csv;
};

}  // namespace

int CliExportCsv(const std::string& file, uint32_t chType, const std::string& out) {
    CsvRun run;
    const int opened = run.Open(file);
    return opened != FileErr::kNone ? opened : run.Csv().ExportSheet(out, chType);
}

int CliImportCsv(const std::string& file, uint32_t chType, const std::string& csv,
                 const std::string& out) {
    CsvRun run;
    int result = run.Open(file);
    if (result == FileErr::kNone) {
        result = run.LoadInitial();
    }
    if (result == FileErr::kNone) {
        result = run.Csv().ImportSheet(csv, chType);
    }
    if (result != FileErr::kNone) {
        return result;
    }
    for (const std::string& line : run.Csv().ReportLines()) {
        CliPrintOut(line + "\n");
    }
    return run.Save(out.empty() ? file : out);
}
