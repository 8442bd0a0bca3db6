#pragma once
#include <QIcon>
#include <QList>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/cmcDocument.h"
#include "app/cmcSheetPositions.h"
#include "model/AddrRange.h"

class QAction;
class QMenu;
class QPainter;
class QRect;
class TForm1;
class cmcEvMan;
class cmcGTex;
class cmcPrompt;
class indEnviron;

// The main controller on the window side: it owns the document rules
// (cmcDocument) and the main window's frame, and carries out the commands it
// can already serve. Sheets, the tree, the menus from descriptions and the
// clone jobs plug in through the seams marked below.
class cuiMain {
public:
    // Top-level items of the main menu description.
    static constexpr int kFileMenu = 0;
    static constexpr int kViewMenu = 1;
    static constexpr int kHelpMenu = 4;

    // Everything given must outlive the controller.
    cuiMain(cmcGTex& table, indEnviron& settings, cmcEvMan& events, cmcPrompt& prompt,
            std::string productStem, int32_t imageSize);
    virtual ~cuiMain();
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
    // The box after a successful clone write.
    void ShowWriteSucceeded();

    // Seams for the parts that come later: the sheet panel's current sheet
    // (closed remembering its position) and the tree's idle work.
    std::function<bool()> sheetShown;
    std::function<void(cmcSheetPositions&)> closeSheet;
    std::function<void()> showSelectedSheet;

protected:
    cmcGTex& Table() { return m_table; }
    indEnviron& Settings() { return m_settings; }
    cmcEvMan& Events() { return m_events; }
    cmcPrompt& Prompt() { return m_prompt; }
    void BuildFileMenu();

    uint32_t m_modelCode = 0;
    uint32_t m_extraCode = 0;

private:
    void StoreBounds();
    void PlaceWindow();
    void ApplyFont();
    void BuildToolBar(const QList<QIcon>& images);
    QMenu* AddTopMenu(int index, const char* name);
    void OpenManual();
    void ShowFileError(const char* key);
    void RefreshRecent();
    void RefreshToolbar();
    void OnIdle();
    QString Caption(const char* link);
    QAction* AddCommand(QMenu* menu, const char* link, std::function<void()> action);
    cmcDocument::Hooks MakeHooks();

    cmcGTex& m_table;
    indEnviron& m_settings;
    cmcEvMan& m_events;
    cmcPrompt& m_prompt;
    std::string m_productStem;
    int32_t m_imageSize;
    cmcDocument m_document;
    cmcSheetPositions m_sheetPositions;
    QPointer<TForm1> m_window;
    QList<QIcon> m_treeImages;
    QList<QAction*> m_recentActions;
    QAction* m_toolbarAction = nullptr;
};
