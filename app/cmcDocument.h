#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "app/cmcUndoHistory.h"
#include "model/cmcEeprom.h"
#include "runtime/cmcPrompt.h"
#include "runtime/cmcTask.h"
#include "runtime/cmcTick.h"

class cmcEvMan;
class cmcGTex;
class indEnviron;
struct cmcEvent;

// The main controller's document and the rules around it: the three images,
// the file name, the modified test, the title, the file commands with their
// questions and dialogs, the recent files, the status panel and the deferred
// work of the main task. The window side (cuiMain) owns one of these and
// hands it the few things only a window can do through Hooks.
class cmcDocument {
public:
    // Events this controller sends or hears.
    enum Event : uint32_t {
        kSettingsChanged = 2,
        kShowAbout = 3,
        kStatusPanel = 4,
        kRefreshMenus = 9,
        kRefreshToolbar = 20,
        kRepaintAll = 13,
        kCommitEdit = 21,
        kCheckDone = 23,
        kImageReplaced = 26,
        kEntryCountChanged = 30,
        kEntryInserted = 31,
        kEntryDeleted = 32,
        kEntryInsertDone = 33,
        kEntryDeleteDone = 34,
        kEntryRemoved = 18,
    };

    static constexpr uint32_t kButtonFace = 0xFF00000F;  // "clBtnFace"
    static constexpr int32_t kMainTaskMs = 50;
    static constexpr uint32_t kCheckDelayMs = 250;
    static constexpr int32_t kRecentItems = 4;

    // What the window side does for the document; every hook may be empty.
    struct Hooks {
        std::function<void(const std::string& title)> titleChanged;
        // Close the current sheet, remembering where it was left.
        std::function<void()> closeSheet;
        std::function<void(bool busy)> busyCursor;
        std::function<void()> showAbout;
        std::function<void()> statusChanged;
        std::function<void()> toolbarChanged;
        std::function<void()> warningCheck;
        // Called by the main task before its own work: show a sheet when
        // none is shown, and the like. True while such work remains, so
        // the task keeps running for it.
        std::function<bool()> idle;
        // The entry list of `type` grew (+1) or shrank (-1).
        std::function<void(int32_t type, int32_t delta)> entryCount;
    };

    // Everything given must outlive the document.
    cmcDocument(cmcGTex& table, cmcPrompt& prompt, indEnviron& settings, cmcEvMan& events,
                int32_t imageSize);
    ~cmcDocument();
    cmcDocument(const cmcDocument&) = delete;
    cmcDocument& operator=(const cmcDocument&) = delete;

    void SetHooks(Hooks hooks) { m_hooks = std::move(hooks); }

    // Reads the initial image from exeFolder; a failure is shown and ends
    // the process, as the program cannot work without it.
    void LoadInitialImage(const std::string& exeFolder, int32_t modelIndex);
    // Start-up of the document: the initial image becomes an untitled,
    // unmodified document; the main task starts.
    void Start();
    void Stop();
    // Deferred work arrived (a sheet to show, a print to step): the main
    // task runs until the work is done, and sleeps otherwise.
    void WakeMainTask();

    cmcEeprom& Current() { return m_current; }
    const cmcEeprom& Initial() const { return m_initial; }
    cmcEeprom& Initial() { return m_initial; }

    bool IsModified();
    void SetModified();
    void ClearModified();

    // After a change may have been made (a cell request, an import): a
    // change since the last one becomes an undo step, and the modified flag
    // is tested.
    void NoteChange();
    // The current image starts a new history, as after a clone read.
    void StartHistory();
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    // Takes back (makes again) one step; the sheets repaint and the
    // modified flag follows the image: back at the saved state it is clear.
    // False when there was nothing to do.
    bool Undo();
    bool Redo();

    const std::string& FileName() const { return m_fileName; }
    void SetDocumentFileName(const std::string& path);
    std::string DisplayFileName();
    std::string Title();
    void UpdateTitle();
    const std::string& InitialFolder() const { return m_initialFolder; }
    void SetInitialFolder(const std::string& folder) { m_initialFolder = folder; }

    cmcPrompt::Answer ConfirmSaveChanges(bool askForNewName);

    // File commands; 0 for success, non-zero for failure or cancel.
    int New();
    int OpenWithDialog();
    int OpenFile(const std::string& path, bool ask);
    // Asks for an image file and reads it into image, with every check of
    // File > Open, leaving the document as it is (for a comparison).
    // Returns the file error code, 1 when the person cancelled.
    int OpenOtherWithDialog(cmcEeprom& image);
    int SaveAsWithDialog();
    int SaveFile(const std::string& path);
    int Save();
    int OpenRecent(int32_t index);

    // The File menu's recent entry n: its caption, and whether it is
    // enabled and shown.
    std::string RecentCaption(int32_t index);
    bool RecentEnabled(int32_t index);
    bool RecentVisible(int32_t index);

    // The main window asks before closing; a disabled window never closes.
    bool CloseQuery(bool windowEnabled);

    void SetFontSize(int32_t percent);
    // The language of the texts, kept in the settings; the table in use was
    // loaded at start, so the choice shows from the next start on, which
    // the user is told.
    void SetLanguage(int32_t language);
    void ToggleToolbar();

    // About box.
    std::string AboutLabel(const std::string& revision);
    // A character typed in the About box; true when the last seven spell
    // the word that asks for the version box.
    bool AboutKey(char typed);
    std::string VersionText();

    // Restarted after every cell write: the warning check runs once, this
    // long after the last change.
    void RestartCheckDelay();

    const std::string& StatusText() const { return m_statusText; }
    uint32_t StatusTextColor() const { return m_statusTextColor; }
    uint32_t StatusBackColor() const { return m_statusBackColor; }

private:
    void OnEvent(const cmcEvent& event);
    void OnEntryEvent(const cmcEvent& event);
    void OnMainTask(cmcTask& task);
    void TookFile(const std::string& path);
    void Busy(bool busy);
    void CloseSheet();
    void AfterStep();
    std::string Text(const char* key, int line = 0);
    cmcPrompt::FileRequest RcfRequest(const std::string& fileName);

    cmcGTex& m_table;
    cmcPrompt& m_prompt;
    indEnviron& m_settings;
    cmcEvMan& m_events;
    Hooks m_hooks;
    cmcEeprom m_current;
    cmcEeprom m_initial;
    cmcEeprom m_saved;
    bool m_modified = false;
    // Set by SetModified: the image came from no file (a clone read), so no
    // state it can step back to counts as saved.
    bool m_neverSaved = false;
    cmcUndoHistory m_history;
    std::string m_fileName;
    std::string m_initialFolder;
    std::string m_statusText;
    uint32_t m_statusTextColor;
    uint32_t m_statusBackColor = kButtonFace;
    std::string m_keyRing = std::string(7, '\0');
    cmcTick m_checkDelay;
    bool m_checkPending = false;
    cmcTask m_mainTask;
    bool m_started = false;
};
