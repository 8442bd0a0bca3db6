#include "app/gui/cuiCsvCommands.h"

#include <QApplication>
#include <functional>

#include "app/cmcDocument.h"
#include "runtime/cmcEvMan.h"
#include "app/cmcPathName.h"
#include "app/gui/cuiImportReport.h"
#include "files/cmcCsvFile.h"
#include "files/indEnviron.h"
#include "model/cmcChType.h"
#include "model/indLinkNames.h"
#include "sheet/cuiSheet.h"
#include "text/cmcGTex.h"

namespace {

constexpr char kDialogKey[] = "GI_Sys_Dialog_FOpenCsv";

// The hourglass for the file work only: the error box and the report that
// follow are read with the normal pointer.
int WithHourglass(const std::function<int()>& work) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int result = work();
    QApplication::restoreOverrideCursor();
    return result;
}

}  // namespace

cuiCsvCommands::cuiCsvCommands(cmcGTex& table, cmcPrompt& prompt, cmcEvMan& events,
                               cmcDocument& document, indEnviron& settings, Ids ids, QWidget* owner)
    : m_table(table),
      m_prompt(prompt),
      m_events(events),
      m_document(document),
      m_settings(settings),
      m_ids(ids),
      m_owner(owner) {}

int cuiCsvCommands::ImportWithDialog(int32_t kind) {
    if (kind == kAddressBook) {
        return 1;
    }
    m_events.Send(kCommitEdit, 0, 0);
    std::string path;
    if (m_prompt.OpenFileDialog(CsvRequest(), path) != cmcPrompt::Answer::Ok) {
        return 1;
    }
    return ImportFile(kind, path);
}

int cuiCsvCommands::ImportFile(int32_t kind, const std::string& path) {
    if (kind == kAddressBook || !ConfirmImport()) {
        return 1;
    }
    std::vector<std::string> report;
    const int result = Import(kind, path, report);
    m_events.Send(kCellsChanged, 0, 0);
    if (result == 0) {
        // The close question reads the modified flag as it stands: an
        // imported list must set it now, not at the next edit, or closing
        // right after the import would drop it without asking. The warning
        // marks follow the new list as they follow an edit. The whole import
        // is one undo step.
        m_document.NoteChange();
        m_document.RestartCheckDelay();
    }
    // After the repaint, so the sheet behind the report already shows what
    // the report speaks of.
    if (!report.empty()) {
        cuiImportReport::Show(m_owner, m_table, report);
    }
    return result;
}

int cuiCsvCommands::ExportWithDialog(int32_t kind) {
    if (kind == kAddressBook) {
        return 1;
    }
    std::string path;
    if (m_prompt.SaveFileDialog(CsvRequest(), path) != cmcPrompt::Answer::Ok) {
        return 1;
    }
    return ExportFile(kind, path);
}

int cuiCsvCommands::ExportFile(int32_t kind, const std::string& path) {
    if (kind == kAddressBook) {
        return 1;
    }
    m_events.Send(kCommitEdit, 0, 0);
    cmcCsvFile csv(m_events, m_table, nullptr);
    Bind(csv);
    const int result =
        WithHourglass([&] { return csv.ExportSheet(path, static_cast<uint32_t>(kind)); });
    Finish(csv, kind, path, result);
    return result;
}

int32_t cuiCsvCommands::SheetKind(const cuiSheet* shown) {
    if (shown == nullptr) {
        return static_cast<int32_t>(cmcChType::kNone);
    }
    return static_cast<int32_t>(indLinkNames::ChTypeOf(shown->BasicCell().category));
}

bool cuiCsvCommands::ImportEnabled(const cuiSheet* shown) {
    return shown != nullptr && shown->IsImportable();
}

bool cuiCsvCommands::ExportEnabled(const cuiSheet* shown) {
    return shown != nullptr && shown->IsExportable();
}

bool cuiCsvCommands::ConfirmImport() {
    return m_prompt.Message(m_table.GetBody("GI_Mess_Confirm_ImportFile"), Caption(),
                            cmcPrompt::Icon::Exclamation,
                            cmcPrompt::Buttons::OkCancel) == cmcPrompt::Answer::Ok;
}

int cuiCsvCommands::Import(int32_t kind, const std::string& path,
                           std::vector<std::string>& report) {
    cmcCsvFile csv(m_events, m_table, nullptr);
    Bind(csv);
    const int result =
        WithHourglass([&] { return csv.ImportSheet(path, static_cast<uint32_t>(kind)); });
    Finish(csv, kind, path, result);
    report = csv.ReportLines();
    return result;
}

cmcPrompt::FileRequest cuiCsvCommands::CsvRequest() {
    return {m_table.GetLine(kDialogKey, 0),
            m_table.GetLine(kDialogKey, 1),
            {},
            m_document.InitialFolder()};
}

void cuiCsvCommands::Bind(cmcCsvFile& csv) {
    csv.SetImage(&m_document.Current());
    csv.SetInitialImage(&m_document.Initial());
    csv.SetIds(static_cast<uint16_t>(m_ids.model), static_cast<uint16_t>(m_ids.extra));
}

// The next dialog opens where this file was; a failure is shown once.
void cuiCsvCommands::Finish(const cmcCsvFile& csv, int32_t kind, const std::string& path,
                            int result) {
    if (result == 0) {
        m_document.SetInitialFolder(cmcPathName::FolderOf(path));
        m_settings.currentDirectory = m_document.InitialFolder();
        return;
    }
    // A sheet without a list is refused without a word: no file was
    // involved, so there is nothing the user could correct.
    const std::string text =
        kind == static_cast<int32_t>(cmcChType::kNone) ? std::string() : csv.ErrorText(result);
    if (!text.empty()) {
        m_prompt.Message(text, Caption(), cmcPrompt::Icon::Exclamation, cmcPrompt::Buttons::Ok);
    }
}

std::string cuiCsvCommands::Caption() {
    return m_table.GetLine("GI_Sys_AppTitle", 0);
}
