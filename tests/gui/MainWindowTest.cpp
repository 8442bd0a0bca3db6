#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "GuiTestSupport.h"
#include "app/gui/TForm1.h"
#include "app/gui/cmcImageLists.h"
#include "app/gui/cmcQtText.h"
#include "app/gui/cuiAboutBox.h"
#include "app/gui/cuiInformation.h"
#include "app/gui/cuiMainViews.h"
#include "app/gui/indMain.h"
#include "model/indActiveCell.h"
#include "model/indImageMap.h"
#include "sheet/cuiMenu.h"
#include "sheet/cuiMenuItem.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiTree.h"
#include "sheet/qt/cuiGrid.h"
#include "sheet/qt/cuiMenuView.h"
#include "sheet/qt/cuiSheetPanel.h"
#include "sheet/qt/cuiTreeView.h"
#include "util/Cp932.h"

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        app.settings.currentDirectory = folder.path().toStdString();
        controller.SetArguments({QCoreApplication::applicationFilePath()});
        controller.Startup(window, cmcImageLists::Tree(), cmcImageLists::Toolbar());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QString Text(const char* key) { return cmcQtText::FromCp932(app.table.GetLine(key, 0)); }
    // The action of the main menu item with this link and index.
    QAction* Item(const char* link, int32_t index = 0) {
        const int32_t id = indActiveCell::LinkId(link);
        std::function<cuiMenuItem*(cuiMenuItem&)> find = [&](cuiMenuItem& at) -> cuiMenuItem* {
            if (at.cell && at.cell->link == id && at.cell->index == index) {
                return &at;
            }
            for (const auto& child : at.children) {
                if (cuiMenuItem* found = find(*child)) {
                    return found;
                }
            }
            return nullptr;
        };
        cuiMenuItem* item = find(controller.Views()->Menu()->Root());
        return item ? controller.Views()->MenuView()->ActionFor(*item) : nullptr;
    }
    QMenu* TopMenu(int n) { return window.menuBar()->actions().value(n)->menu(); }
    void Edit() {
        cmcEeprom& image = controller.Document().Current();
        image.SetByte(0x20, static_cast<uint8_t>(image.GetByte(0x20) + 1));
    }

    QTemporaryDir folder;
    guitest::AppObjects app;
    indMain controller{app.table, app.settings, app.events, app.prompt};
    TForm1 window;
};

TEST_F(MainWindowTest, StartsUntitledWithTheFrameInPlace) {
    EXPECT_EQ(window.windowTitle(),
              Text("GI_Sys_FName_Untitled") + " - " + Text("GI_Sys_AppTitle"));
    EXPECT_GE(window.minimumWidth(), TForm1::kMinWidth);
    EXPECT_GE(window.minimumHeight(), TForm1::kMinHeight);
    EXPECT_TRUE(window.TreePanel()->isVisible());
    EXPECT_TRUE(window.SheetPanel()->isVisible());
    EXPECT_EQ(app.settings.comSpeedHigh, 0) << "this radio has no high speed";
    EXPECT_TRUE(app.prompt.asked.empty());
}

TEST_F(MainWindowTest, CtrlSSavesUnderTheChosenNameAndListsItAsRecent) {
    QString path = folder.filePath("first.rcf");
    app.prompt.paths = {path.toStdString()};
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(window.windowTitle(), "first.rcf - " + Text("GI_Sys_AppTitle"));
    QAction* recent = Item("CL_Menu_File_Recent", 0);
    ASSERT_NE(recent, nullptr);
    QMenu* file = TopMenu(0);
    ASSERT_NE(file, nullptr);
    emit file->aboutToShow();
    // Saving made the file's folder the one the dialogs open in, so the
    // entry is known by its name.
    EXPECT_EQ(recent->text(), "&1 first.rcf");
    EXPECT_TRUE(recent->isEnabled());
    EXPECT_FALSE(Item("CL_Menu_File_Recent", 1)->isVisible());
}

TEST_F(MainWindowTest, ClosingAModifiedDocumentAsksAndCancelKeepsTheWindow) {
    Edit();
    controller.Document().IsModified();
    app.prompt.answers = {cmcPrompt::Answer::Cancel};
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(app.prompt.asked.size(), 1u);
    app.prompt.answers = {cmcPrompt::Answer::No};
    EXPECT_TRUE(window.close());
    EXPECT_EQ(app.settings.windowWidth, window.normalGeometry().width());
}

TEST_F(MainWindowTest, WhileTheRadioIsTalkedToTheWindowRefusesToClose) {
    Edit();
    controller.Document().IsModified();
    controller.SetRadioBusy(true);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(app.prompt.asked.empty()) << "refused without a question";
    controller.SetRadioBusy(false);
    app.prompt.answers = {cmcPrompt::Answer::No};
    EXPECT_TRUE(window.close());
}

TEST_F(MainWindowTest, NewFromTheMenuAsksWithTheUntitledName) {
    Edit();
    controller.Document().IsModified();
    app.prompt.answers = {cmcPrompt::Answer::No};
    Item("CL_Menu_File_New")->trigger();
    ASSERT_EQ(app.prompt.asked.size(), 1u);
    EXPECT_NE(app.prompt.asked[0].find(app.table.GetLine("GI_Sys_FName_Untitled", 0)),
              std::string::npos);
    EXPECT_FALSE(controller.Document().IsModified());
}

TEST_F(MainWindowTest, TypingTheVersionWordInTheAboutBoxShowsTheVersion) {
    cuiAboutBox box(window, app.table, controller.Document(),
                    [this](char c) { controller.OnKeyPress(c); });
    box.show();
    EXPECT_FALSE(window.isEnabled());
    // Keys go to the OK button, which passes letters on to the box.
    auto* ok = box.findChild<QPushButton*>(QStringLiteral("aboutOk"));
    ASSERT_NE(ok, nullptr);
    QTest::keyClicks(ok, "Version");
    ASSERT_EQ(app.prompt.asked.size(), 1u);
    EXPECT_EQ(app.prompt.asked[0], controller.Document().VersionText());
    QTest::keyClicks(ok, "versio");
    EXPECT_EQ(app.prompt.asked.size(), 1u) << "each key counts once";
}

// The command closes the window, whose teardown takes the menus with it:
// that must wait until the menu item has finished reporting the choice.
TEST_F(MainWindowTest, ExitFromTheMenuClosesOnceTheCommandHasReturned) {
    Item("CL_Menu_File_Exit")->trigger();
    QTRY_VERIFY(!window.isVisible());
}

TEST_F(MainWindowTest, AltF4ClosesOnceTheCommandHasReturned) {
    window.activateWindow();
    QTest::keyClick(&window, Qt::Key_F4, Qt::AltModifier);
    QTRY_VERIFY(!window.isVisible());
}

TEST_F(MainWindowTest, TheInformationWindowKeepsTheMainWindowDisabledUntilClosed) {
    QPointer<cuiInformation> info =
        cuiInformation::Show(window, Text("GI_Sys_AppTitle"), app.table, "GI_Sheet_CloneInfo", {});
    EXPECT_FALSE(window.isEnabled());
    EXPECT_FALSE(window.close()) << "a disabled window does not close";
    QTest::keyClick(info.data(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(info.isNull());
    EXPECT_TRUE(window.isEnabled());
}

TEST_F(MainWindowTest, TheTreeOpensTheTopPageAndEditsReachTheDocument) {
    ASSERT_NE(controller.Tree(), nullptr);
    ASSERT_EQ(controller.Tree()->TopNodes().size(), 1u);
    EXPECT_EQ(controller.Tree()->TopNodes().front()->children.size(), 3u);
    QTRY_COMPARE(controller.ShownSheetName(), std::string("GI_Sheet_TopPage"));

    controller.CallSheet("GI_Sheet_SelCallList");
    cuiGrid* grid = controller.SheetPanel()->Grid();
    ASSERT_NE(grid->Sheet(), nullptr);
    EXPECT_EQ(grid->Sheet()->Name(), "GI_Sheet_SelCallList");
    QLabel* title = controller.SheetPanel()->TitleBar();
    EXPECT_TRUE(title->isVisible());
    EXPECT_EQ(title->text().trimmed(), QStringLiteral(u"個別リスト設定"));
    // Space on the first row's valid cell steps it, through the real handler.
    grid->setFocus();
    ASSERT_FALSE(controller.Document().IsModified());
    grid->Sheet()->SelectCell(1, 3);
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_TRUE(controller.Document().IsModified());
}

}  // namespace

namespace {

TEST_F(MainWindowTest, ClickingATreeNodeOpensItsSheetAfterTheDelay) {
    QTRY_COMPARE(controller.ShownSheetName(), std::string("GI_Sheet_TopPage"));
    cuiTreeView* tree = controller.Views()->TreeView();
    ASSERT_NE(tree, nullptr);
    QTreeWidgetItem* item = tree->ItemOf(tree->FindByArgument("GI_Sheet_GroupList"));
    ASSERT_NE(item, nullptr);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    EXPECT_EQ(controller.ShownSheetName(), "GI_Sheet_TopPage") << "not before the delay";
    QTRY_COMPARE(controller.ShownSheetName(), std::string("GI_Sheet_GroupList"));
}

TEST_F(MainWindowTest, SheetCommandsFollowTheShownSheet) {
    QTRY_COMPARE(controller.ShownSheetName(), std::string("GI_Sheet_TopPage"));
    emit TopMenu(0)->aboutToShow();
    EXPECT_FALSE(Item("CL_Menu_File_Import")->isEnabled());
    EXPECT_FALSE(Item("CL_Menu_File_Export")->isEnabled());
    controller.CallSheet("GI_Sheet_SelCallList");
    emit TopMenu(0)->aboutToShow();
    EXPECT_TRUE(Item("CL_Menu_File_Import")->isEnabled());
    EXPECT_TRUE(Item("CL_Menu_File_Export")->isEnabled());
}

TEST_F(MainWindowTest, AnotherFontSizeReopensTheSheetLarger) {
    controller.CallSheet("GI_Sheet_SelCallList");
    const int32_t before = controller.SheetPanel()->Sheet()->RowHeight(3);
    QAction* larger = Item("CL_Menu_View_FontSize", 150);
    ASSERT_NE(larger, nullptr);
    larger->trigger();
    EXPECT_EQ(app.settings.fontSizePercent, 150);
    QTRY_COMPARE(controller.ShownSheetName(), std::string("GI_Sheet_SelCallList"));
    EXPECT_GT(controller.SheetPanel()->Sheet()->RowHeight(3), before);
    emit TopMenu(2)->aboutToShow();  // View
    EXPECT_TRUE(larger->isChecked());
    EXPECT_FALSE(Item("CL_Menu_View_FontSize", 100)->isChecked());
}

TEST_F(MainWindowTest, RightClickOnAListCellShowsItsPopupMenu) {
    controller.CallSheet("GI_Sheet_SelCallList");
    cuiGrid* grid = controller.SheetPanel()->Grid();
    const QRect cell = grid->ScreenRect(grid->Sheet()->CellRect(3, 4));
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {},
                      grid->viewport()->mapFromGlobal(cell.center()));
    cuiMenuView* popup = controller.Views()->PopupView();
    ASSERT_NE(popup, nullptr);
    QTRY_VERIFY(popup->Menu()->isVisible());
    EXPECT_GT(popup->Menu()->actions().size(), 3);
    popup->Menu()->close();
}

// The pop-up menu's shortcuts work on the sheet with the menu closed.
TEST_F(MainWindowTest, PopupShortcutsActOnTheSheetItself) {
    controller.CallSheet("GI_Sheet_SelCallList");
    cuiGrid* grid = controller.SheetPanel()->Grid();
    window.activateWindow();
    grid->setFocus();
    QTRY_VERIFY(grid->hasFocus());
    cuiSheet* sheet = grid->Sheet();
    const cmcEeprom& image = controller.Document().Current();
    auto valid = [&](int32_t entry) {
        return image.GetByte(indImageMap::IndvRecord(entry) + indImageMap::Indv::kValid);
    };
    sheet->SelectCell(1, 3);  // entry 1's valid cell
    QTest::keyClick(grid, Qt::Key_Space);
    const uint8_t on = valid(0);
    ASSERT_NE(on, valid(1));
    ASSERT_EQ(controller.Views()->PopupView(), nullptr) << "no pop-up menu was opened";

    QTest::keyClick(grid, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(valid(1), on) << "Ctrl+Down carried the entry down";
    EXPECT_EQ(sheet->CurrentRow(), 4) << "the cursor went with it";
    QTest::keyClick(grid, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(valid(0), on) << "Ctrl+Up carried it back";

    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(grid, Qt::Key_Down);
    }
    ASSERT_EQ(sheet->CurrentRow(), 8);  // entry 6
    ASSERT_NE(valid(5), on);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(valid(5), on) << "Ctrl+C then Ctrl+V copied the entry";
}

}  // namespace

namespace {

TEST_F(MainWindowTest, ExportAndImportFromTheFileMenuGoThroughTheShownList) {
    controller.CallSheet("GI_Sheet_GroupList");
    const QString path = folder.filePath("groups.csv");
    app.prompt.paths = {path.toStdString()};
    emit TopMenu(0)->aboutToShow();
    Item("CL_Menu_File_Export")->trigger();
    ASSERT_TRUE(QFileInfo::exists(path));

    app.prompt.paths = {path.toStdString()};
    app.prompt.answers = {cmcPrompt::Answer::Ok};
    Item("CL_Menu_File_Import")->trigger();
    ASSERT_EQ(app.prompt.asked.size(), 1u) << "the clear-the-sheet question only";
    EXPECT_EQ(app.prompt.asked[0], app.table.GetBody("GI_Mess_Confirm_ImportFile"));
    EXPECT_EQ(app.settings.currentDirectory, folder.path().toStdString());
}

}  // namespace
