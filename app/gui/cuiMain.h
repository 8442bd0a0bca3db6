#pragma once
#include <QIcon>
#include <QList>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/cmcCommandTable.h"
#include "app/cmcDocument.h"
#include "app/cmcSheetPositions.h"
#include "model/AddrRange.h"
#include "model/datClipCh.h"
#include "model/indDocHost.h"
#include "sheet/cmcCellContext.h"
#include "sheet/cmcFCache.h"
#include "sheet/qt/cuiSheetPanel.h"

class QAction;
class QMenu;
class QPainter;
class QRect;
class TForm1;
class cmcEvMan;
class cmcGTex;
class cmcPrompt;

class cmcEditorRun;
class cuiCsvCommands;
class cuiMainViews;
class cuiPrintJob;
class cuiSheet;
struct cmcCellObj;
class cuiRadioCommands;
class cuiTree;
class indEnviron;

// The main controller on the window side: it owns the document rules
// (cmcDocument), the main window's frame, the shown sheet and the tree, and
// is the document the cell link handler works on. Its commands come through
// the command table from menu, toolbar and tree items.
class cuiMain : public indDocHost, protected cmcCommandTable::Actions {
public:
    // Everything given must outlive the controller.
    cuiMain(cmcGTex& table, indEnviron& settings, cmcEvMan& events, cmcPrompt& prompt,
            std::string productStem, int32_t imageSize);
    ~cuiMain() override;
    cuiMain(const cuiMain&) = delete;
    cuiMain& operator=(const cuiMain&) = delete;

    // Virtual operations, in the controller's slot order.
    virtual void InitModel();
    virtual void Startup(TForm1& window, const QList<QIcon>& treeImages,
                         const QList<QIcon>& toolbarImages);
    virtual void BuildTree();
    virtual void Teardown();
    virtual int CheckLoadedImage(const cmcEeprom& image);
    virtual void AfterLoad(cmcEeprom& image);
    virtual void BeforeSave(cmcEeprom& image);
    virtual void RunWarningCheck(int& errors, int& warnings);
    virtual void CreateSheet(const std::string& fullName);
    virtual void LoadInitialImage(int32_t modelIndex);
    virtual int OpenWithDialog();
    virtual int OpenFile(const std::string& path, bool ask);
    virtual int SaveAsWithDialog();
    virtual int SaveFile(const std::string& path);
    virtual int ImportWithDialog(int32_t kind);
    virtual int ImportFile(int32_t kind, const std::string& path);
    virtual int ExportWithDialog(int32_t kind);
    virtual int ExportFile(int32_t kind, const std::string& path);
    virtual void CloneRead();
    virtual void CloneReadDone(int result);
    virtual void CloneWrite();
    virtual void CloneWriteStart(int result);
    virtual void CloneWriteDone(int result);
    virtual void RadioInfoDone(int result);
    virtual bool IdentityCheck(uint32_t model, uint32_t extra);
    virtual bool ProbeCheck(uint32_t model, uint32_t extra);
    virtual int CheckFileModel(uint32_t model, uint32_t extra);
    virtual AddrRangeList GetRangeList(int selector);
    virtual void OnKeyPress(char typed);
    virtual void OnStatusBarResize();
    virtual void OnStatusBarDrawPanel(QPainter& painter, const QRect& rect);

    cmcDocument& Document() { return m_document; }
    TForm1* Window() const { return m_window; }
    const std::string& ProductStem() const { return m_productStem; }

    // Commands of the File menu and the view settings.
    int New();
    int Save();
    void Exit();
    void ShowAbout();
    bool CloseQuery();
    // While the radio is talked to the main window takes no input and
    // refuses to close; the clone manager calls this around every job.
    void SetRadioBusy(bool busy);
    cuiRadioCommands* Radio() const { return m_radio.get(); }
    cmcEditorRun* Editor() const { return m_editor.get(); }
    cuiPrintJob* PrintJob() const { return m_print.get(); }

    // Sheets: the one shown in the sheet panel, by its full name.
    void ShowSheet(const std::string& name);
    void CloseSheet();
    const std::string& ShownSheetName() const { return m_shownSheet; }
    cuiSheetPanel* SheetPanel() const { return m_sheetPanel; }
    cuiTree* Tree() const;
    cuiMainViews* Views() const { return m_views.get(); }

    // The document the cell link handler works on.
    cmcEeprom& CurrentImage() override { return m_document.Current(); }
    cmcEeprom& InitialImage() override { return m_document.Initial(); }
    cmcGTex& Table() override { return m_table; }
    cmcEvMan& Events() override { return m_events; }
    cmcPrompt& Prompt() override { return m_prompt; }
    datClipCh& Clipboard() override { return m_clipboard; }
    void RestartChangeTimer() override { m_document.RestartCheckDelay(); }
    void TestModified() override { m_document.NoteChange(); }
    bool CommandState(int32_t link, cmcCellCapsule& request) override;
    void ExecuteCommand(int32_t link, cmcCellCapsule& request) override;
    void CallSheet(const std::string& name) override;
    int32_t EditMenuItemCount() override;
    uint16_t RadioModelCode() override;
    uint16_t RadioExtraCode() override;
    const RadioInfo& RadioInformation() override;
    int32_t ModelIndex() override;
    std::string RevisionText() override;

protected:
    indEnviron& Settings() { return m_settings; }
    const cmcCellContext& Cells() const { return m_cells; }
    // Replaces the tree; the tree panel shows the new one.
    void InstallTree(std::unique_ptr<cuiTree> tree);
    // The tree model changed: the tree panel shows it again.
    void TreeChanged();
    void SelectFirstNode();
    // The warning check with its marks; the number of errors found.
    int CheckErrors();
    // The selected node's sheet, when it is not the one shown.
    void OnTreeSelection();

    // Commands of the command table.
    void NewCommand() override { New(); }
    void OpenCommand() override { OpenWithDialog(); }
    void SaveCommand() override { Save(); }
    void SaveAsCommand() override { SaveAsWithDialog(); }
    void RecentCommand(int32_t index) override;
    void ExitCommand() override { Exit(); }
    void ImportCommand(int32_t kind) override { ImportWithDialog(kind); }
    void ExportCommand(int32_t kind) override { ExportWithDialog(kind); }
    void PrintCommand(bool allSheets) override;
    bool SheetShown() override;
    int32_t ShownSheetKind() override;
    bool ShownSheetImportable() override;
    bool ShownSheetExportable() override;
    bool ShownSheetPrintable() override;
    void PortDialog(int32_t variant) override;
    void PortSearch() override;
    void CloneReadCommand() override { CloneRead(); }
    void CloneWriteCommand() override { CloneWrite(); }
    void MemoryWriteCommand() override { StartWrite(true, true); }
    // A clone or memory write; done gets the result when the job has ended.
    void StartWrite(bool memoryOnly, bool confirm, std::function<void(int)> ended = {});
    // While the external editor runs: says so and returns true.
    bool EditorRefuses();
    void RadioInfoCommand() override;
    void CompareFileCommand() override;
    void CompareRadioCommand() override;
    void ManualCommand() override { OpenManual(); }
    void EditorCommand() override;
    void ModelChange(int32_t model, bool reset) override;
    bool MainMenuHas(int32_t link) override;

    uint32_t m_modelCode = 0;
    uint32_t m_extraCode = 0;

private:
    void StoreBounds();
    void PlaceWindow();
    void ApplyFont();
    void OpenManual();
    void ShowFileError(const char* key);
    void RefreshToolbar();
    // The main task's share; true while deferred work remains.
    bool OnIdle();
    void MakeSheetPanel();
    void ApplyMarks(const std::vector<std::string>& errors,
                    const std::vector<std::string>& warnings);
    const cmcCellObj* CurrentCell() const;
    const cuiSheet* ShownSheet() const;
    cuiCsvCommands CsvCommands();
    void RunPopupCommand(int32_t link);
    cmcDocument::Hooks MakeHooks();

    cmcGTex& m_table;
    indEnviron& m_settings;
    cmcEvMan& m_events;
    cmcPrompt& m_prompt;
    std::string m_productStem;
    int32_t m_imageSize;
    cmcDocument m_document;
    cmcCellContext m_cells;
    cmcFCache m_choices;
    datClipCh m_clipboard;
    cmcCommandTable m_commands;
    cmcSheetPositions m_sheetPositions;
    std::unique_ptr<cuiMainViews> m_views;
    QPointer<cuiSheetPanel> m_sheetPanel;
    std::unique_ptr<cuiRadioCommands> m_radio;
    cmcEeprom m_radioImage;  // what Program > Compare read
    std::unique_ptr<cmcEditorRun> m_editor;
    std::unique_ptr<cuiPrintJob> m_print;
    std::string m_shownSheet;
    RadioInfo m_noRadio{};
    QPointer<TForm1> m_window;
    QList<QIcon> m_treeImages;
};
