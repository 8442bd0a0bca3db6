#include "app/cmcCommandTable.h"

#include "app/cmcDocument.h"
#include "files/indEnviron.h"
#include "model/indActiveCell.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiMenu.h"
#include "sheet/cuiMenuItem.h"

enum class cmcCommandTable::Command {
    New,
    Open,
    Save,
    SaveAs,
    Import,
    Export,
    PrintCurrent,
    PrintAll,
    Recent,
    Exit,
    EditTop,
    FontSize,
    ToolBar,
    PortCom,
    PortUsb,
    SpeedHigh,
    ComList1,
    ComList2,
    Search,
    SelfId,
    EditorRun,
    FreqEditable,
    CloneRead,
    CloneWrite,
    MemWrite,
    CloneInfo,
    Model1,
    About,
    Contents,
    Undo,
    Redo,
    Language,
    CompareFile,
    CompareRadio,
};

namespace {

// The import/export/print-current items need a sheet that supports them.
constexpr int32_t kNoListKind = 5;

void SetFlag(cmcCellObj& cell, uint16_t flag, bool on) {
    if (on) {
        cell.userFlags |= flag;
    } else {
        cell.userFlags &= static_cast<uint16_t>(~flag);
    }
}

void Toggle(int32_t& setting) {
    setting = setting != 0 ? 0 : 1;
}

}  // namespace

cmcCommandTable::cmcCommandTable(cmcDocument& document, indEnviron& settings, cmcEvMan& events,
                                 Actions& actions)
    : m_document(document), m_settings(settings), m_events(events), m_actions(actions) {
    const std::pair<const char*, Command> names[] = {
        {"CL_Menu_File_New", Command::New},
        {"CL_Menu_File_Open", Command::Open},
        {"CL_Menu_File_Save", Command::Save},
        {"CL_Menu_File_SaveAs", Command::SaveAs},
        {"CL_Menu_File_Import", Command::Import},
        {"CL_Menu_File_Export", Command::Export},
        {"CL_Menu_File_Print_Current", Command::PrintCurrent},
        {"CL_Menu_File_Print_All", Command::PrintAll},
        {"CL_Menu_File_Recent", Command::Recent},
        {"CL_Menu_File_Exit", Command::Exit},
        {"CL_Menu_Edit_Top", Command::EditTop},
        {"CL_Menu_View_FontSize", Command::FontSize},
        {"CL_Menu_View_ToolBar", Command::ToolBar},
        {"CL_Menu_Port_Com", Command::PortCom},
        {"CL_Menu_Port_Usb", Command::PortUsb},
        {"CL_Menu_Port_SpeedHigh", Command::SpeedHigh},
        {"CL_Menu_Port_ComList1", Command::ComList1},
        {"CL_Menu_Port_ComList2", Command::ComList2},
        {"CL_Menu_Port_Search", Command::Search},
        {"CL_Menu_Option_SelfId", Command::SelfId},
        {"CL_Menu_Option_Font", Command::EditorRun},
        {"CL_Menu_Optionl_MchFreqEditable", Command::FreqEditable},
        {"CL_Menu_Clone_Read", Command::CloneRead},
        {"CL_Menu_Clone_Write", Command::CloneWrite},
        {"CL_Menu_Clone_MemWrite", Command::MemWrite},
        {"CL_Menu_Clone_Info", Command::CloneInfo},
        {"CL_Menu_Model_1", Command::Model1},
        {"CL_Menu_Help_About", Command::About},
        {"CL_Menu_Help_Contents", Command::Contents},
        {"CL_Menu_Edit_Undo", Command::Undo},
        {"CL_Menu_Edit_Redo", Command::Redo},
        {"CL_Menu_View_Language", Command::Language},
        {"CL_Menu_File_Compare", Command::CompareFile},
        {"CL_Menu_Clone_Compare", Command::CompareRadio},
    };
    for (const auto& [name, command] : names) {
        m_entries.push_back({indActiveCell::LinkId(name), command});
    }
}

const cmcCommandTable::Entry* cmcCommandTable::Find(int32_t link) const {
    for (const Entry& entry : m_entries) {
        if (entry.link == link) {
            return &entry;
        }
    }
    return nullptr;
}

bool cmcCommandTable::State(int32_t link, cmcCellCapsule& request) {
    const Entry* entry = Find(link);
    if (entry == nullptr || request.cell == nullptr) {
        return false;
    }
    SetStates(entry->command, request);
    return true;
}

void cmcCommandTable::Execute(int32_t link, cmcCellCapsule& request) {
    if (const Entry* entry = Find(link)) {
        Run(entry->command, request);
    }
}

void cmcCommandTable::SetStates(Command command, cmcCellCapsule& request) {
    cmcCellObj& cell = *request.cell;
    const int32_t index = cell.index;
    switch (command) {
        case Command::Import:
            SetFlag(cell, cuiMenuItem::kFlagDisabled,
                    !m_actions.SheetShown() || !m_actions.ShownSheetImportable());
            break;
        case Command::Export:
            SetFlag(cell, cuiMenuItem::kFlagDisabled,
                    !m_actions.SheetShown() || !m_actions.ShownSheetExportable());
            break;
        case Command::PrintCurrent:
            SetFlag(cell, cuiMenuItem::kFlagDisabled,
                    !m_actions.SheetShown() || !m_actions.ShownSheetPrintable());
            break;
        case Command::Recent:
            cell.text = m_document.RecentCaption(index);
            SetFlag(cell, cuiMenuItem::kFlagCaptionReplaced, true);
            SetFlag(cell, cuiMenuItem::kFlagDisabled, !m_document.RecentEnabled(index));
            SetFlag(cell, cuiMenuItem::kFlagHidden, !m_document.RecentVisible(index));
            break;
        case Command::EditTop:
            // Asked on every request: the item gets the empty pop-up body until
            // a sheet hands it the current cell's menu.
            if (m_actions.MainMenuHas(cell.link)) {
                m_events.PostData(cuiMenu::kEventAttachSub, 0, cell.link, kNoItemMenu);
            }
            break;
        case Command::FontSize:
            SetFlag(cell, cuiMenuItem::kFlagChecked, index == m_settings.fontSizePercent);
            break;
        case Command::ToolBar:
            SetFlag(cell, cuiMenuItem::kFlagChecked, m_settings.toolbarVisible != 0);
            break;
        case Command::PortCom:
            SetFlag(cell, cuiMenuItem::kFlagChecked, index == m_settings.comPort);
            break;
        case Command::PortUsb:
            SetFlag(cell, cuiMenuItem::kFlagChecked, m_settings.comPort > 4);
            break;
        case Command::SpeedHigh:
            SetFlag(cell, cuiMenuItem::kFlagChecked, index == m_settings.comSpeedHigh);
            break;
        case Command::SelfId:
            SetFlag(cell, cuiMenuItem::kFlagChecked, m_settings.incrementId != 0);
            break;
        case Command::FreqEditable:
            SetFlag(cell, cuiMenuItem::kFlagChecked, m_settings.freqEditable != 0);
            break;
        case Command::Model1:
            SetFlag(cell, cuiMenuItem::kFlagChecked, m_settings.modelType == 0);
            break;
        case Command::Undo:
            SetFlag(cell, cuiMenuItem::kFlagDisabled, !m_document.CanUndo());
            break;
        case Command::Redo:
            SetFlag(cell, cuiMenuItem::kFlagDisabled, !m_document.CanRedo());
            break;
        case Command::Language:
            SetFlag(cell, cuiMenuItem::kFlagChecked, index == m_settings.language);
            break;
        default:
            break;
    }
}

void cmcCommandTable::Run(Command command, cmcCellCapsule& request) {
    const int32_t index = request.cell != nullptr ? request.cell->index : 0;
    switch (command) {
        case Command::New:
            m_actions.NewCommand();
            break;
        case Command::Open:
            m_actions.OpenCommand();
            break;
        case Command::Save:
            m_actions.SaveCommand();
            break;
        case Command::SaveAs:
            m_actions.SaveAsCommand();
            break;
        case Command::Import:
        case Command::Export:
            if (m_actions.SheetShown() && m_actions.ShownSheetKind() != kNoListKind) {
                const int32_t kind = m_actions.ShownSheetKind();
                command == Command::Import ? m_actions.ImportCommand(kind)
                                           : m_actions.ExportCommand(kind);
            }
            break;
        case Command::PrintCurrent:
            m_actions.PrintCommand(false);
            break;
        case Command::PrintAll:
            m_actions.PrintCommand(true);
            break;
        case Command::Recent:
            m_actions.RecentCommand(index);
            break;
        case Command::Exit:
            m_actions.ExitCommand();
            break;
        case Command::FontSize:
            m_document.SetFontSize(index);
            break;
        case Command::ToolBar:
            m_document.ToggleToolbar();
            break;
        case Command::PortCom:
            m_settings.comPort = index;
            m_events.Send(cmcDocument::kSettingsChanged, 0, 0);
            break;
        case Command::PortUsb:
            m_actions.PortDialog(0);
            break;
        case Command::SpeedHigh:
            m_settings.comSpeedHigh = index;
            break;
        case Command::ComList1:
            m_actions.PortDialog(1);
            break;
        case Command::ComList2:
            m_actions.PortDialog(2);
            break;
        case Command::Search:
            m_actions.PortSearch();
            break;
        case Command::SelfId:
            Toggle(m_settings.incrementId);
            break;
        case Command::FreqEditable:
            Toggle(m_settings.freqEditable);
            break;
        case Command::EditorRun:
            m_actions.EditorCommand();
            break;
        case Command::CloneRead:
            m_actions.CloneReadCommand();
            break;
        case Command::CloneWrite:
            m_actions.CloneWriteCommand();
            break;
        case Command::MemWrite:
            m_actions.MemoryWriteCommand();
            break;
        case Command::CloneInfo:
            m_actions.RadioInfoCommand();
            break;
        case Command::Model1:
            m_actions.ModelChange(0, true);
            break;
        case Command::About:
            m_events.Post(cmcDocument::kShowAbout, 0, 0);
            break;
        case Command::Contents:
            m_actions.ManualCommand();
            break;
        case Command::Undo:
            m_document.Undo();
            break;
        case Command::Redo:
            m_document.Redo();
            break;
        case Command::Language:
            m_document.SetLanguage(index);
            break;
        case Command::CompareFile:
            m_actions.CompareFileCommand();
            break;
        case Command::CompareRadio:
            m_actions.CompareRadioCommand();
            break;
        case Command::EditTop:
            break;
    }
}
