#include "app/cmcCommandTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeDocHost.h"
#include "FirstInstanceLock.h"
#include "app/cmcDocument.h"
#include "files/cmcMemoryKeyStore.h"
#include "files/indEnviron.h"
#include "model/indActiveCell.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcEvent.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiMenuItem.h"
#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"
#include "util/cmcMethod.h"

namespace {

// Records what the window side was asked to do.
class RecordingActions : public cmcCommandTable::Actions {
public:
    void NewCommand() override { calls.push_back("new"); }
    void OpenCommand() override { calls.push_back("open"); }
    void SaveCommand() override { calls.push_back("save"); }
    void SaveAsCommand() override { calls.push_back("saveas"); }
    void RecentCommand(int32_t n) override { calls.push_back("recent" + std::to_string(n)); }
    void ExitCommand() override { calls.push_back("exit"); }
    void ImportCommand(int32_t k) override { calls.push_back("import" + std::to_string(k)); }
    void ExportCommand(int32_t k) override { calls.push_back("export" + std::to_string(k)); }
    void PrintCommand(bool all) override { calls.push_back(all ? "printall" : "print"); }
    bool SheetShown() override { return shown; }
    int32_t ShownSheetKind() override { return kind; }
    bool ShownSheetImportable() override { return importable; }
    bool ShownSheetExportable() override { return exportable; }
    bool ShownSheetPrintable() override { return printable; }
    void PortDialog(int32_t v) override { calls.push_back("port" + std::to_string(v)); }
    void PortSearch() override { calls.push_back("search"); }
    void CloneReadCommand() override { calls.push_back("read"); }
    void CloneWriteCommand() override { calls.push_back("write"); }
    void MemoryWriteCommand() override { calls.push_back("memwrite"); }
    void RadioInfoCommand() override { calls.push_back("info"); }
    void CompareFileCommand() override { calls.push_back("compare file"); }
    void CompareRadioCommand() override { calls.push_back("compare radio"); }
    void ManualCommand() override { calls.push_back("manual"); }
    void EditorCommand() override { calls.push_back("editor"); }
    void ModelChange(int32_t model, bool reset) override {
        calls.push_back("model" + std::to_string(model) + (reset ? "r" : ""));
    }
    bool MainMenuHas(int32_t) override { return menuHasEditItem; }

    std::vector<std::string> calls;
    bool shown = false;
    int32_t kind = 5;
    bool importable = false;
    bool exportable = false;
    bool printable = false;
    bool menuHasEditItem = false;
};

class CommandTableTest : public ::testing::Test {
protected:
    CommandTableTest() {
        table.SetLines(BuiltinTable::Lines());
        events.Listen(cmcMethod<const cmcEvent&>(this, &CommandTableTest::Heard));
    }
    ~CommandTableTest() override {
        events.Unlisten(cmcMethod<const cmcEvent&>(this, &CommandTableTest::Heard));
    }

    void Heard(const cmcEvent& event) { heard.push_back(event.code); }

    // The flags a menu item with this link and index shows now.
    uint16_t Flags(const char* link, int32_t index = 0) {
        Ask(link, index, false);
        return cell.userFlags;
    }
    bool Ask(const char* link, int32_t index, bool execute) {
        cell = cmcCellObj();
        cell.link = indActiveCell::LinkId(link);
        cell.index = index;
        request.Reset();
        request.cell = &cell;
        bool known = commands.State(cell.link, request);
        if (execute) {
            commands.Execute(cell.link, request);
        }
        return known;
    }
    void Run(const char* link, int32_t index = 0) { Ask(link, index, true); }

    cmcVirtualTimerHost host;
    cmcTimerHost::Scope scope{host};
    cmcGTex table;
    test::AnsweringPrompt prompt;
    test::FirstInstanceLock lock;
    cmcMemoryKeyStore store;
    indEnviron settings{lock, store, "lock", "Software\\Test", {1920, 1080}};
    cmcEvMan events{host};
    cmcDocument document{table, prompt, settings, events, 2949};
    RecordingActions actions;
    cmcCommandTable commands{document, settings, events, actions};
    cmcCellObj cell;
    cmcCellCapsule request;
    std::vector<uint32_t> heard;
};

constexpr uint16_t kChecked = cuiMenuItem::kFlagChecked;
constexpr uint16_t kHidden = cuiMenuItem::kFlagHidden;
constexpr uint16_t kDisabled = cuiMenuItem::kFlagDisabled;

TEST_F(CommandTableTest, CheckMarksFollowTheSettings) {
    settings.fontSizePercent = 80;
    settings.toolbarVisible = 1;
    settings.comPort = 5;
    settings.comSpeedHigh = 0;
    settings.incrementId = 0;
    settings.freqEditable = 1;
    settings.modelType = 0;
    struct Case {
        const char* link;
        int32_t index;
        bool checked;
    } cases[] = {
        {"CL_Menu_View_FontSize", 80, true}, {"CL_Menu_View_FontSize", 100, false},
        {"CL_Menu_View_ToolBar", 0, true},   {"CL_Menu_Port_Com", 5, true},
        {"CL_Menu_Port_Com", 3, false},      {"CL_Menu_Port_Usb", 0, true},
        {"CL_Menu_Port_SpeedHigh", 0, true}, {"CL_Menu_Port_SpeedHigh", 1, false},
        {"CL_Menu_Option_SelfId", 0, false}, {"CL_Menu_Optionl_MchFreqEditable", 0, true},
        {"CL_Menu_Model_1", 0, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ((Flags(c.link, c.index) & kChecked) != 0, c.checked) << c.link << " " << c.index;
    }
    settings.comPort = 4;
    EXPECT_EQ(Flags("CL_Menu_Port_Usb") & kChecked, 0) << "ports 1-4 are the fixed ones";
}

TEST_F(CommandTableTest, SheetCommandsNeedAShownSheetThatSupportsThem) {
    for (const char* link :
         {"CL_Menu_File_Import", "CL_Menu_File_Export", "CL_Menu_File_Print_Current"}) {
        EXPECT_NE(Flags(link) & kDisabled, 0) << link << " without a sheet";
    }
    actions.shown = true;
    actions.importable = true;
    actions.printable = true;
    EXPECT_EQ(Flags("CL_Menu_File_Import") & kDisabled, 0);
    EXPECT_NE(Flags("CL_Menu_File_Export") & kDisabled, 0);
    EXPECT_EQ(Flags("CL_Menu_File_Print_Current") & kDisabled, 0);
    EXPECT_EQ(Flags("CL_Menu_File_Print_All") & kDisabled, 0);

    actions.kind = 5;
    Run("CL_Menu_File_Import");
    EXPECT_TRUE(actions.calls.empty()) << "a sheet without a list imports nothing";
    actions.kind = 7;
    Run("CL_Menu_File_Import");
    Run("CL_Menu_File_Export");
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"import7", "export7"}));
}

TEST_F(CommandTableTest, RecentItemsShowTheirPathsAndHideEmptySlotsButTheFirst) {
    EXPECT_EQ(Flags("CL_Menu_File_Recent", 0) & (kDisabled | kHidden), kDisabled);
    EXPECT_EQ(Flags("CL_Menu_File_Recent", 2) & kHidden, kHidden);
    settings.recent.AddFirst("/data/radio.rcf");
    uint16_t flags = Flags("CL_Menu_File_Recent", 0);
    EXPECT_EQ(flags & (kDisabled | kHidden), 0);
    EXPECT_NE(flags & cuiMenuItem::kFlagCaptionReplaced, 0);
    EXPECT_EQ(cell.DisplayText(), "&1 /data/radio.rcf");
    Run("CL_Menu_File_Recent", 0);
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"recent0"}));
}

TEST_F(CommandTableTest, SettingCommandsChangeTheSettingsThemselves) {
    Run("CL_Menu_Port_Com", 7);
    EXPECT_EQ(settings.comPort, 7);
    // The document hears event 2 first and refreshes menus and toolbar at once.
    EXPECT_EQ(heard, (std::vector<uint32_t>{9, 20, 2}));
    Run("CL_Menu_Port_SpeedHigh", 1);
    EXPECT_EQ(settings.comSpeedHigh, 1);
    settings.toolbarVisible = 1;
    Run("CL_Menu_View_ToolBar");
    EXPECT_EQ(settings.toolbarVisible, 0);
    Run("CL_Menu_Option_SelfId");
    Run("CL_Menu_Option_SelfId");
    Run("CL_Menu_Option_SelfId");
    EXPECT_EQ(settings.incrementId, 1);
    Run("CL_Menu_View_FontSize", 150);
    EXPECT_EQ(settings.fontSizePercent, 150);
    EXPECT_TRUE(actions.calls.empty());
}

TEST_F(CommandTableTest, WindowCommandsGoToTheWindowSide) {
    struct Case {
        const char* link;
        const char* call;
    } cases[] = {
        {"CL_Menu_File_New", "new"},
        {"CL_Menu_File_Open", "open"},
        {"CL_Menu_File_Save", "save"},
        {"CL_Menu_File_SaveAs", "saveas"},
        {"CL_Menu_File_Exit", "exit"},
        {"CL_Menu_File_Print_Current", "print"},
        {"CL_Menu_File_Print_All", "printall"},
        {"CL_Menu_Port_Usb", "port0"},
        {"CL_Menu_Port_ComList1", "port1"},
        {"CL_Menu_Port_ComList2", "port2"},
        {"CL_Menu_Port_Search", "search"},
        {"CL_Menu_Clone_Read", "read"},
        {"CL_Menu_Clone_Write", "write"},
        {"CL_Menu_Clone_MemWrite", "memwrite"},
        {"CL_Menu_Clone_Info", "info"},
        {"CL_Menu_Clone_Compare", "compare radio"},
        {"CL_Menu_File_Compare", "compare file"},
        {"CL_Menu_Help_Contents", "manual"},
        {"CL_Menu_Option_Font", "editor"},
        {"CL_Menu_Model_1", "model0r"},
    };
    for (const Case& c : cases) {
        actions.calls.clear();
        Run(c.link);
        EXPECT_EQ(actions.calls, (std::vector<std::string>{c.call})) << c.link;
    }
}

TEST_F(CommandTableTest, AboutIsPostedAndLinksWithoutBehaviourReportNoState) {
    Run("CL_Menu_Help_About");
    EXPECT_TRUE(heard.empty()) << "posted, not sent";
    host.Advance(20);
    EXPECT_EQ(heard, (std::vector<uint32_t>{3}));
    for (const char* link :
         {"CL_Menu_Debug_Compare", "CL_Menu_Reserved_1", "CL_Menu_Debug_Window"}) {
        EXPECT_FALSE(Ask(link, 0, true)) << link;
    }
    EXPECT_TRUE(actions.calls.empty());
}

TEST_F(CommandTableTest, TheEditItemAsksForItsEmptyBodyOnEveryRequestWhenTheMenuHasIt) {
    Flags("CL_Menu_Edit_Top");
    host.Advance(20);
    EXPECT_TRUE(heard.empty()) << "no edit item in the menu";
    actions.menuHasEditItem = true;
    Flags("CL_Menu_Edit_Top");
    Run("CL_Menu_Edit_Top");
    host.Advance(20);
    EXPECT_EQ(heard, (std::vector<uint32_t>{11, 11}));
}

}  // namespace

TEST_F(CommandTableTest, UndoAndRedoAreGreyedUntilThereIsAStepAndRunOnTheDocument) {
    EXPECT_NE(Flags("CL_Menu_Edit_Undo") & kDisabled, 0);
    EXPECT_NE(Flags("CL_Menu_Edit_Redo") & kDisabled, 0);
    document.Current().SetByte(5, 0x42);
    document.NoteChange();
    EXPECT_EQ(Flags("CL_Menu_Edit_Undo") & kDisabled, 0);
    EXPECT_NE(Flags("CL_Menu_Edit_Redo") & kDisabled, 0);
    Run("CL_Menu_Edit_Undo");
    EXPECT_EQ(document.Current().GetByte(5), 0);
    EXPECT_NE(Flags("CL_Menu_Edit_Undo") & kDisabled, 0);
    EXPECT_EQ(Flags("CL_Menu_Edit_Redo") & kDisabled, 0);
    Run("CL_Menu_Edit_Redo");
    EXPECT_EQ(document.Current().GetByte(5), 0x42);
    EXPECT_TRUE(actions.calls.empty());
}

TEST_F(CommandTableTest, TheLanguageIsCheckedAndAChangeIsKeptAndAnnounced) {
    EXPECT_NE(Flags("CL_Menu_View_Language", 0) & kChecked, 0);
    EXPECT_EQ(Flags("CL_Menu_View_Language", 1) & kChecked, 0);
    Run("CL_Menu_View_Language", 1);
    EXPECT_EQ(settings.language, 1);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0], table.GetBody("GI_AppMess_LanguageNextStart"));
    EXPECT_NE(Flags("CL_Menu_View_Language", 1) & kChecked, 0);
    Run("CL_Menu_View_Language", 1);
    EXPECT_EQ(prompt.asked.size(), 1u) << "the language in use again says nothing";
}
