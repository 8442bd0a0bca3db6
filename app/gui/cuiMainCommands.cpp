#include "app/gui/cuiMain.h"

// The main controller's commands: what the command table hands to the window
// side, the radio commands and the list files.
#include <QCoreApplication>

#include "app/gui/TForm1.h"
#include "app/gui/cmcEditorRun.h"
#include "app/gui/cuiCompareWindow.h"
#include "app/gui/cuiCsvCommands.h"
#include "app/gui/cuiMainViews.h"
#include "app/gui/cuiPrintJob.h"
#include "app/gui/cuiRadioCommands.h"
#include "model/indActiveCell.h"
#include "model/indImageDiff.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiTree.h"
#include "sheet/qt/cuiSheetPanel.h"

bool cuiMain::CommandState(int32_t link, cmcCellCapsule& request) {
    return m_commands.State(link, request);
}

void cuiMain::ExecuteCommand(int32_t link, cmcCellCapsule& request) {
    m_commands.Execute(link, request);
}

int32_t cuiMain::EditMenuItemCount() {
    const int32_t count =
        m_views ? m_views->SubItemCount(indActiveCell::LinkId("CL_Menu_Edit_Top")) : -1;
    return count < 0 ? 0 : count;
}

void cuiMain::RecentCommand(int32_t index) {
    if (!EditorRefuses()) {
        m_document.OpenRecent(index);
    }
}

void cuiMain::PrintCommand(bool allSheets) {
    std::vector<std::string> sheets;
    if (const cuiSheet* shown = ShownSheet(); shown != nullptr && !allSheets) {
        sheets.push_back(shown->Source());
    } else if (shown != nullptr && Tree() != nullptr) {
        // Every tree node in tree order; a node that opens no sheet prints
        // nothing.
        for (const cuiTreeNode* node : Tree()->AllNodes()) {
            sheets.emplace_back(node->Argument());
        }
    }
    if (m_print->StartPrint(sheets)) {
        m_document.WakeMainTask();  // which prints a sheet per tick
    }
}

bool cuiMain::SheetShown() {
    return ShownSheet() != nullptr;
}

int32_t cuiMain::ShownSheetKind() {
    return cuiCsvCommands::SheetKind(ShownSheet());
}

bool cuiMain::ShownSheetImportable() {
    return cuiCsvCommands::ImportEnabled(ShownSheet());
}

bool cuiMain::ShownSheetExportable() {
    return cuiCsvCommands::ExportEnabled(ShownSheet());
}

const cuiSheet* cuiMain::ShownSheet() const {
    return !m_shownSheet.empty() && m_sheetPanel ? m_sheetPanel->Sheet() : nullptr;
}

bool cuiMain::ShownSheetPrintable() {
    return ShownSheet() != nullptr && ShownSheet()->IsPrintable();
}

void cuiMain::PortDialog(int32_t variant) {
    if (m_radio->PortDialog(variant)) {
        m_events.Send(cmcDocument::kSettingsChanged, 0, 0);
    }
}

void cuiMain::PortSearch() {
    m_radio->Search([this](int32_t result) {
        if (result == 0) {
            m_events.Send(cmcDocument::kSettingsChanged, 0, 0);
        }
    });
}

void cuiMain::RadioInfoCommand() {
    m_radio->RadioInfo();
}

void cuiMain::CompareFileCommand() {
    cmcEeprom other;
    if (m_document.OpenOtherWithDialog(other) != 0) {
        return;
    }
    cuiCompareWindow::Show(m_window, m_table, cuiCompareWindow::Other::File,
                           indImageDiff(m_table).Compare(m_document.Current(), other));
}

void cuiMain::CompareRadioCommand() {
    // The radio's image goes to a second image; the document stays as it is.
    m_radio->Read(m_radioImage, [this](int32_t result) {
        if (result == 0 && m_window) {
            cuiCompareWindow::Show(
                m_window, m_table, cuiCompareWindow::Other::Radio,
                indImageDiff(m_table).Compare(m_document.Current(), m_radioImage));
        }
    });
}

void cuiMain::EditorCommand() {
    m_editor->Start(static_cast<uint64_t>(m_window->winId()));
}

bool cuiMain::MainMenuHas(int32_t link) {
    return m_views && m_views->SubItemCount(link) >= 0;
}

void cuiMain::CloneRead() {
    if (m_document.ConfirmSaveChanges(false) == cmcPrompt::Answer::Cancel || m_radio->IsBusy()) {
        return;
    }
    m_radio->Read(m_document.Current(), [this](int32_t result) { CloneReadDone(result); });
}

void cuiMain::CloneReadDone(int result) {
    if (result != 0) {
        return;
    }
    // The flow has put the received image, after the load rules, in place.
    m_document.SetModified();
    m_document.StartHistory();
    m_document.SetDocumentFileName(std::string());
    CloseSheet();
    m_events.Send(cmcDocument::kImageReplaced, 0, 0);
}

void cuiMain::CloneWrite() {
    StartWrite(false, true);
}

void cuiMain::StartWrite(bool memoryOnly, bool confirm, std::function<void(int)> ended) {
    m_radio->Write(m_document.Current(), memoryOnly, confirm,
                   [this, ended = std::move(ended)](int32_t result) {
                       CloneWriteDone(result);
                       if (ended) {
                           ended(result);
                       }
                   });
}

bool cuiMain::EditorRefuses() {
    return m_editor && m_editor->RefuseWhileRunning();
}

void cuiMain::CloneWriteDone(int result) {
    if (result == 0) {
        CloseSheet();
    }
}

int cuiMain::ImportWithDialog(int32_t kind) {
    return CsvCommands().ImportWithDialog(kind);
}

int cuiMain::ImportFile(int32_t kind, const std::string& path) {
    return CsvCommands().ImportFile(kind, path);
}

int cuiMain::ExportWithDialog(int32_t kind) {
    return CsvCommands().ExportWithDialog(kind);
}

int cuiMain::ExportFile(int32_t kind, const std::string& path) {
    return CsvCommands().ExportFile(kind, path);
}

cuiCsvCommands cuiMain::CsvCommands() {
    return cuiCsvCommands(m_table, m_prompt, m_events, m_document, m_settings,
                          {m_modelCode, m_extraCode}, m_window);
}

uint16_t cuiMain::RadioModelCode() {
    return m_radio ? m_radio->RadioModelCode() : 0;
}

uint16_t cuiMain::RadioExtraCode() {
    return m_radio ? m_radio->RadioExtraCode() : 0;
}

const indDocHost::RadioInfo& cuiMain::RadioInformation() {
    return m_radio ? m_radio->RadioInformation() : m_noRadio;
}

// The identify result of a write and of the radio information command are
// handled by the clone flows; nothing is left for these steps.
void cuiMain::CloneWriteStart(int) {}

void cuiMain::RadioInfoDone(int) {}

// The base controller knows one model only.
void cuiMain::ModelChange(int32_t, bool) {}
