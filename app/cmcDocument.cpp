#include "app/cmcDocument.h"

#include <cctype>
#include <cstdlib>

#include "app/cmcPathName.h"
#include "files/FileErr.h"
#include "files/indEnviron.h"
#include "files/indImageFile.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cmcColor.h"
#include "text/cmcGTex.h"
#include "util/Cp932.h"
#include "util/cmcStr.h"

using cmcPathName::FillIn;
using cmcPathName::FolderOf;
using cmcPathName::ForText;
using cmcPathName::NameOf;

cmcDocument::cmcDocument(cmcGTex& table, cmcPrompt& prompt, indEnviron& settings, cmcEvMan& events,
                         int32_t imageSize)
    : m_table(table),
      m_prompt(prompt),
      m_settings(settings),
      m_events(events),
      m_statusTextColor(cmcColor::kWindowText) {
    m_current.SetSize(imageSize);
    m_initial.SetSize(imageSize);
    m_saved.SetSize(imageSize);
    m_current.Fill(0);
    m_history.Reset(m_current);
    m_mainTask.SetHandler(cmcTask::Handler(this, &cmcDocument::OnMainTask));
    m_events.Listen(cmcEvMan::Listener(this, &cmcDocument::OnEvent));
}

cmcDocument::~cmcDocument() {
    m_events.Unlisten(cmcEvMan::Listener(this, &cmcDocument::OnEvent));
}

void cmcDocument::LoadInitialImage(const std::string& exeFolder, int32_t modelIndex) {
    std::string path = exeFolder + "/" + Text("GI_App_InitialFile", modelIndex);
    indImageFile files(m_table, &m_prompt);
    if (files.LoadInitial(path, m_initial) != FileErr::kNone) {
        files.ShowInitialFileError(path);
        // Nothing sensible can be edited without it; settings stay unsaved.
        std::exit(EXIT_FAILURE);
    }
}

void cmcDocument::Start() {
    m_current.Assign(m_initial);
    ClearModified();
    StartHistory();
    m_started = true;
    WakeMainTask();
}

void cmcDocument::Stop() {
    m_started = false;
    m_mainTask.SetInterval(-1);
}

void cmcDocument::WakeMainTask() {
    if (m_started && m_mainTask.Interval() < 0) {
        m_mainTask.SetInterval(kMainTaskMs);
    }
}

bool cmcDocument::IsModified() {
    if (!m_modified && m_current.NotEquals(m_saved)) {
        m_modified = true;
        UpdateTitle();
    }
    return m_modified;
}

void cmcDocument::SetModified() {
    m_modified = true;
    m_neverSaved = true;
    UpdateTitle();
}

void cmcDocument::ClearModified() {
    m_saved.Assign(m_current);
    m_modified = false;
    m_neverSaved = false;
    UpdateTitle();
}

void cmcDocument::NoteChange() {
    m_history.Record(m_current);
    IsModified();
}

void cmcDocument::StartHistory() {
    m_history.Reset(m_current);
}

bool cmcDocument::Undo() {
    // The cell being edited is committed first, so that it is the step
    // taken back rather than written over the older state afterwards.
    m_events.Send(kCommitEdit, 0, 0);
    if (!m_history.Undo(m_current)) {
        return false;
    }
    AfterStep();
    return true;
}

bool cmcDocument::Redo() {
    m_events.Send(kCommitEdit, 0, 0);
    if (!m_history.Redo(m_current)) {
        return false;
    }
    AfterStep();
    return true;
}

void cmcDocument::AfterStep() {
    // Unlike an edit, a step may return to the saved bytes, so the flag is
    // found again from the images rather than only ever set.
    m_modified = m_neverSaved || m_current.NotEquals(m_saved);
    UpdateTitle();
    m_events.Send(kRepaintAll, 0, 0);
    m_events.Send(kRefreshToolbar, 0, 0);
    RestartCheckDelay();
}

void cmcDocument::SetDocumentFileName(const std::string& path) {
    m_fileName = path;
    UpdateTitle();
}

std::string cmcDocument::DisplayFileName() {
    if (!m_fileName.empty()) {
        return m_fileName;
    }
    return m_initialFolder + "/" + Text("GI_Sys_FName_Untitled");
}

std::string cmcDocument::Title() {
    return ForText(NameOf(DisplayFileName())) + " - " + Text("GI_Sys_AppTitle");
}

void cmcDocument::UpdateTitle() {
    if (m_hooks.titleChanged) {
        m_hooks.titleChanged(Title());
    }
}

cmcPrompt::Answer cmcDocument::ConfirmSaveChanges(bool askForNewName) {
    m_events.Send(kCommitEdit, 0, 0);
    if (!m_modified) {
        return cmcPrompt::Answer::Yes;
    }
    std::string question = askForNewName ? m_table.GetBody("GI_Mess_Confirm_WriteAnother")
                                         : FillIn(m_table.GetBody("GI_Mess_Confirm_WriteFile"),
                                                  ForText(NameOf(DisplayFileName())));
    cmcPrompt::Answer answer =
        m_prompt.Message(question, Text("GI_Sys_AppTitle"), cmcPrompt::Icon::Exclamation,
                         cmcPrompt::Buttons::YesNoCancel);
    if (answer == cmcPrompt::Answer::Yes) {
        int saved = m_fileName.empty() || askForNewName ? SaveAsWithDialog() : SaveFile(m_fileName);
        if (saved != 0) {
            return cmcPrompt::Answer::Cancel;
        }
    }
    return answer;
}

int cmcDocument::New() {
    if (ConfirmSaveChanges(false) == cmcPrompt::Answer::Cancel) {
        return 1;
    }
    m_current.Assign(m_initial);
    ClearModified();
    StartHistory();
    SetDocumentFileName({});
    CloseSheet();
    return 0;
}

int cmcDocument::OpenWithDialog() {
    if (ConfirmSaveChanges(false) == cmcPrompt::Answer::Cancel) {
        return 1;
    }
    m_events.Send(kCommitEdit, 0, 0);
    std::string path;
    if (m_prompt.OpenFileDialog(RcfRequest({}), path) != cmcPrompt::Answer::Ok) {
        return 1;
    }
    return OpenFile(path, false);
}

int cmcDocument::OpenOtherWithDialog(cmcEeprom& image) {
    m_events.Send(kCommitEdit, 0, 0);
    std::string path;
    if (m_prompt.OpenFileDialog(RcfRequest({}), path) != cmcPrompt::Answer::Ok) {
        return 1;
    }
    image.SetSize(m_current.GetSize());
    return indImageFile(m_table, &m_prompt).Open(path, image);
}

int cmcDocument::OpenFile(const std::string& path, bool ask) {
    if (ask && ConfirmSaveChanges(false) == cmcPrompt::Answer::Cancel) {
        return 1;
    }
    Busy(true);
    indImageFile files(m_table, &m_prompt);
    // The reader fills a working copy and touches the image only on success.
    int result = files.Open(path, m_current);
    if (result == FileErr::kNone) {
        TookFile(path);
        ClearModified();
        StartHistory();
        CloseSheet();
        m_events.Send(kImageReplaced, 0, 0);
    }
    Busy(false);
    return result;
}

int cmcDocument::SaveAsWithDialog() {
    std::string path;
    // The dialog proposes a path name, so the untitled text goes over as UTF-8.
    std::string proposed =
        m_fileName.empty() ? Cp932::ToUtf8(Text("GI_Sys_FName_Untitled")) : NameOf(m_fileName);
    if (m_prompt.SaveFileDialog(RcfRequest(proposed), path) != cmcPrompt::Answer::Ok) {
        return 1;
    }
    return SaveFile(path);
}

int cmcDocument::SaveFile(const std::string& path) {
    m_events.Send(kCommitEdit, 0, 0);
    Busy(true);
    indImageFile files(m_table, &m_prompt);
    int result = files.Save(path, m_current);
    if (result == FileErr::kNone) {
        TookFile(path);
        ClearModified();
    }
    Busy(false);
    return result == FileErr::kNone ? 0 : 1;
}

int cmcDocument::Save() {
    return m_fileName.empty() ? SaveAsWithDialog() : SaveFile(m_fileName);
}

int cmcDocument::OpenRecent(int32_t index) {
    std::string path = m_settings.recent.Get(index, {});
    if (path.empty()) {
        return 1;
    }
    return OpenFile(path, true);
}

// Files of the folder the dialogs open in are known by their name alone.
std::string cmcDocument::RecentCaption(int32_t index) {
    return cmcStr::Format("&%d %s", index + 1,
                          ForText(m_settings.recent.Get(index, m_initialFolder)).c_str());
}

bool cmcDocument::RecentEnabled(int32_t index) {
    return !m_settings.recent.Get(index, {}).empty();
}

bool cmcDocument::RecentVisible(int32_t index) {
    return index == 0 || RecentEnabled(index);
}

bool cmcDocument::CloseQuery(bool windowEnabled) {
    if (!windowEnabled) {
        return false;
    }
    return ConfirmSaveChanges(false) != cmcPrompt::Answer::Cancel;
}

void cmcDocument::SetFontSize(int32_t percent) {
    m_settings.fontSizePercent = percent;
    // The main task reopens the sheet at the new size.
    CloseSheet();
}

void cmcDocument::SetLanguage(int32_t language) {
    if (language == m_settings.language || language < 0 || language > 1) {
        return;
    }
    m_settings.language = language;
    m_prompt.Message(m_table.GetBody("GI_AppMess_LanguageNextStart"), Text("GI_Sys_AppTitle"),
                     cmcPrompt::Icon::Information, cmcPrompt::Buttons::Ok);
}

void cmcDocument::ToggleToolbar() {
    m_settings.toolbarVisible = m_settings.toolbarVisible != 0 ? 0 : 1;
    if (m_hooks.toolbarChanged) {
        m_hooks.toolbarChanged();
    }
}

std::string cmcDocument::AboutLabel(const std::string& revision) {
    return FillIn(m_table.GetBody("GI_App_About_Label_Reg"), revision);
}

bool cmcDocument::AboutKey(char typed) {
    m_keyRing.erase(0, 1);
    m_keyRing.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(typed))));
    return m_keyRing == "version";
}

std::string cmcDocument::VersionText() {
    // The table's format takes two numbers; filled by hand so that a table
    // with other conversions cannot misread the arguments.
    std::string text = Text("GI_App_About_VersionBox");
    size_t at = text.find("%d");
    if (at != std::string::npos) {
        text.replace(at, 2, "1");
    }
    at = text.find("%02d");
    if (at != std::string::npos) {
        text.replace(at, 4, "02");
    }
    return text;
}

void cmcDocument::RestartCheckDelay() {
    m_checkDelay.Start(kCheckDelayMs);
    m_checkPending = true;
    WakeMainTask();
}

void cmcDocument::OnEvent(const cmcEvent& event) {
    switch (event.code) {
        case kSettingsChanged:
            m_events.Send(kRefreshMenus, 0, 0);
            m_events.Send(kRefreshToolbar, 0, 0);
            break;
        case kShowAbout:
            if (m_hooks.showAbout) {
                m_hooks.showAbout();
            }
            break;
        case kStatusPanel:
            m_statusTextColor = static_cast<uint32_t>(event.p1);
            m_statusBackColor = static_cast<uint32_t>(event.p2);
            m_statusText = event.Text();
            if (m_hooks.statusChanged) {
                m_hooks.statusChanged();
            }
            break;
        case kEntryInserted:
        case kEntryDeleted:
            OnEntryEvent(event);
            break;
        default:
            break;
    }
}

void cmcDocument::OnEntryEvent(const cmcEvent& event) {
    bool inserted = event.code == kEntryInserted;
    int32_t type = event.p1 != 0 ? 7 : 6;
    if (m_hooks.entryCount) {
        m_hooks.entryCount(type, inserted ? 1 : -1);
    }
    m_events.Send(inserted ? kEntryInsertDone : kEntryDeleteDone, event.p1, event.p2);
    m_events.Send(kEntryCountChanged, event.p1, event.p2);
    if (!inserted) {
        m_events.Send(kEntryRemoved, event.p2, 0);
    }
}

void cmcDocument::OnMainTask(cmcTask& task) {
    const bool more = m_hooks.idle && m_hooks.idle();
    if (m_checkPending && m_checkDelay.Remaining() == 0) {
        m_checkPending = false;
        if (m_hooks.warningCheck) {
            m_hooks.warningCheck();
        }
        m_events.Post(kCheckDone, 0, 0);
    }
    if (!more && !m_checkPending && m_started) {
        task.SetInterval(-1);
    }
}

void cmcDocument::TookFile(const std::string& path) {
    m_initialFolder = FolderOf(path);
    m_settings.currentDirectory = m_initialFolder;
    SetDocumentFileName(path);
    m_settings.recent.AddFirst(path);
}

void cmcDocument::Busy(bool busy) {
    if (m_hooks.busyCursor) {
        m_hooks.busyCursor(busy);
    }
}

void cmcDocument::CloseSheet() {
    if (m_hooks.closeSheet) {
        m_hooks.closeSheet();
    }
    WakeMainTask();  // the main task shows the sheet again
}

std::string cmcDocument::Text(const char* key, int line) {
    return m_table.GetLine(key, line);
}

cmcPrompt::FileRequest cmcDocument::RcfRequest(const std::string& fileName) {
    return {Text("GI_Sys_Dialog_FOpen", 0), Text("GI_Sys_Dialog_FOpen", 1), fileName,
            m_initialFolder};
}
