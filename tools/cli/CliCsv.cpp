#include <optional>

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

struct CsvArgs {
    std::string image;
    std::string csv;  // the CSV file read (import)
    std::string out;
    uint32_t chType = cmcChType::kNone;
};

std::optional<uint32_t> ListType(const std::string& name) {
    if (name == "indv") {
        return cmcChType::kIndvList;
    }
    if (name == "group") {
        return cmcChType::kGrpList;
    }
    return std::nullopt;
}

// FILE --list indv|group [positional] [-o OUT]; false on a usage error.
bool ParseArgs(const std::vector<std::string>& args, CsvArgs& parsed, std::string& error) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if ((args[i] == "--list" || args[i] == "-o") && !hasValue) {
            error = args[i] + " needs a value";
            return false;
        }
        if (args[i] == "--list") {
            std::optional<uint32_t> type = ListType(args[++i]);
            if (!type) {
                error = "--list takes indv or group";
                return false;
            }
            parsed.chType = *type;
        } else if (args[i] == "-o") {
            parsed.out = args[++i];
        } else {
            positional.push_back(args[i]);
        }
    }
    if (parsed.chType == cmcChType::kNone) {
        error = "--list indv|group is required";
        return false;
    }
    parsed.image = positional.empty() ? std::string() : positional[0];
    parsed.csv = positional.size() > 1 ? positional[1] : std::string();
    return true;
}

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

int CliExportCsv(const std::vector<std::string>& args) {
    CsvArgs a;
    std::string error;
    if (!ParseArgs(args, a, error)) {
        return CliUsageError(error);
    }
    if (a.image.empty() || !a.csv.empty() || a.out.empty()) {
        return CliUsageError("export-csv takes FILE --list indv|group -o OUT.csv");
    }
    CsvRun run;
    const int opened = run.Open(a.image);
    return opened != FileErr::kNone ? opened : run.Csv().ExportSheet(a.out, a.chType);
}

int CliImportCsv(const std::vector<std::string>& args) {
    CsvArgs a;
    std::string error;
    if (!ParseArgs(args, a, error)) {
        return CliUsageError(error);
    }
    if (a.image.empty() || a.csv.empty()) {
        return CliUsageError("import-csv takes FILE --list indv|group IN.csv [-o OUT]");
    }
    CsvRun run;
    int result = run.Open(a.image);
    if (result == FileErr::kNone) {
        result = run.LoadInitial();
    }
    if (result == FileErr::kNone) {
        result = run.Csv().ImportSheet(a.csv, a.chType);
    }
    if (result != FileErr::kNone) {
        return result;
    }
    for (const std::string& line : run.Csv().ReportLines()) {
        CliPrintOut(line + "\n");
    }
    return run.Save(a.out.empty() ? a.image : a.out);
}
