// The main menu and the pop-up menus rendered from their descriptions, over
// the real link handler and a fake document.
#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <memory>
#include <vector>

#include "sheet/cuiMenu.h"
#include "sheet/qt/cuiMenuView.h"
#include "tests/gui/FakeDocHost.h"

namespace {

QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

// Opens a menu of the bar with the mouse, as the user does.
QMenu* OpenFromBar(QMenuBar& bar, QAction& top) {
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.actionGeometry(&top).center());
    QMenu* menu = top.menu();
    if (menu && !QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000)) {
        return nullptr;
    }
    return menu;
}

void ClickIn(QMenu& menu, QAction& action) {
    QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, menu.actionGeometry(&action).center());
}

void FlushDeleted() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class MainMenuView : public ::testing::Test {
protected:
    MainMenuView() {
        model.Build();
        view = std::make_unique<cuiMenuView>(model, window.menuBar(), &host.Events());
        EXPECT_TRUE(guitest::ShowWindow(window, 640, 480));
    }

    QAction* Action(const char* link, int32_t index = 0) {
        const cuiMenuItem* item = Find(model.Root(), host.Link(link), index);
        return item ? view->ActionFor(*item) : nullptr;
    }
    static const cuiMenuItem* Find(const cuiMenuItem& under, int32_t link, int32_t index) {
        for (const auto& child : under.children) {
            if (child->cell->link == link && child->cell->index == index) {
                return child.get();
            }
            if (const cuiMenuItem* found = Find(*child, link, index)) {
                return found;
            }
        }
        return nullptr;
    }
    QAction* Top(int n) { return window.menuBar()->actions().value(n); }

    guitest::CommandDocHost host;
    QMainWindow window;
    cuiMenu model{host.context, "GI_Menu_Main", host.Handler(), {}, &host.Events()};
    std::unique_ptr<cuiMenuView> view;
};

TEST_F(MainMenuView, ShowsTheSixHeadingsWithTheirItemsAndShortcuts) {
    EXPECT_EQ(Texts(window.menuBar()->actions()),
              (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("編集(&E)"),
                           QStringLiteral("表示(&V)"), QStringLiteral("COMポート(&C)"),
                           QStringLiteral("プログラム(&P)"), QStringLiteral("ヘルプ(&H)")}));
    QMenu* file = Top(0)->menu();
    ASSERT_NE(file, nullptr);
    const QStringList items = Texts(file->actions());
    ASSERT_EQ(items.size(), 17);
    EXPECT_EQ(items[0], QStringLiteral("新規作成(&N)"));
    EXPECT_EQ(items[4], QStringLiteral("-"));
    EXPECT_EQ(items[7], QStringLiteral("比較(&D)..."));
    EXPECT_EQ(items[16], QStringLiteral("終了(&X)"));
    EXPECT_EQ(Action("CL_Menu_File_New")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(Action("CL_Menu_File_Exit")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
    EXPECT_TRUE(Action("CL_Menu_File_SaveAs")->shortcut().isEmpty());
    EXPECT_EQ(Action("CL_Menu_Edit_Undo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z)}));
    // Redo answers to both keys people know it by; the menu shows the first.
    EXPECT_EQ(Action("CL_Menu_Edit_Redo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    // The print heading opens its own two items.
    QMenu* print = file->actions()[9]->menu();
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(Texts(print->actions()), (QStringList{QStringLiteral("表示中のシート(&C)..."),
                                                    QStringLiteral("全てのシート(&A)...")}));
}

TEST_F(MainMenuView, StatesTheHostAnswersShowWhenAMenuOpens) {
    host.states[host.Link("CL_Menu_File_Save")] = cuiMenuItem::kFlagDisabled;
    host.states[host.Link("CL_Menu_View_ToolBar")] = cuiMenuItem::kFlagChecked;
    host.states[host.Link("CL_Menu_File_Recent")] = cuiMenuItem::kFlagHidden;
    host.states[host.Link("CL_Menu_File_Print_Current")] = 0;
    host.captions[host.Link("CL_Menu_File_Print_Current")] = Cp932::FromUtf8("&Sheet").value();
    EXPECT_TRUE(Action("CL_Menu_File_Save")->isEnabled()) << "nobody asked yet";

    QMenu* file = OpenFromBar(*window.menuBar(), *Top(0));
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(Action("CL_Menu_File_Save")->isEnabled());
    EXPECT_TRUE(Action("CL_Menu_File_Open")->isEnabled());
    EXPECT_FALSE(Action("CL_Menu_File_Recent", 2)->isVisible());
    EXPECT_EQ(Action("CL_Menu_File_Print_Current")->text(), QStringLiteral("&Sheet"));
    // The whole menu is asked, so the View menu is current as well.
    QAction* toolbar = Action("CL_Menu_View_ToolBar");
    EXPECT_TRUE(toolbar->isCheckable());
    EXPECT_TRUE(toolbar->isChecked());
    EXPECT_FALSE(Action("CL_Menu_View_FontSize", 100)->isCheckable());
    file->close();
}

TEST_F(MainMenuView, ChoosingAnItemRunsItsCommand) {
    QMenu* file = OpenFromBar(*window.menuBar(), *Top(0));
    ASSERT_NE(file, nullptr);
    ClickIn(*file, *Action("CL_Menu_File_Open"));
    EXPECT_EQ(host.executed, (std::vector<int32_t>{host.Link("CL_Menu_File_Open")}));
    EXPECT_FALSE(file->isVisible());
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(host.executed.back(), host.Link("CL_Menu_File_New"));
}

TEST_F(MainMenuView, ACheckMarkFollowsTheHostNotTheClick) {
    // The command leaves the toolbar on: Qt's own toggle must not show it off.
    const int32_t toolbar = host.Link("CL_Menu_View_ToolBar");
    host.states[toolbar] = cuiMenuItem::kFlagChecked;
    QMenu* viewMenu = OpenFromBar(*window.menuBar(), *Top(2));
    ASSERT_NE(viewMenu, nullptr);
    ASSERT_TRUE(Action("CL_Menu_View_ToolBar")->isChecked());
    ClickIn(*viewMenu, *Action("CL_Menu_View_ToolBar"));
    EXPECT_EQ(host.executed, (std::vector<int32_t>{toolbar}));
    EXPECT_TRUE(Action("CL_Menu_View_ToolBar")->isChecked());
}

// A main menu with an edit item, which carries the current cell's pop-up menu.
class EditMenuView : public ::testing::Test {
protected:
    EditMenuView() {
        table.SetLines(guitest::BuiltinWith({
            "#GI_Menu_T_BasicCell",
            "{($Basic)}",
            "#GI_Menu_T_Body",
            "+ファイル(&F)\t{(%CL_Null)}",
            " +新規作成(&N)\t{(%CL_Menu_File_New:Ctrl+N)}",
            "+編集(&E)\t{(%CL_Menu_Edit_Top)}",
        }));
        model.SetClickResolver([this](int32_t) {
            return [this](cuiMenuItem& item) { chosen.push_back(item.cell->link); };
        });
        model.Build();
        view.Rebuild();
        EXPECT_TRUE(guitest::ShowWindow(window, 640, 480));
    }

    QAction* Edit() { return view.ActionFor(*model.FindByLink(editTop)); }

    guitest::CommandDocHost host;
    cmcGTex table;
    cmcCellContext context{table, indActiveCell::Names()};
    QMainWindow window;
    cuiMenu model{context, "GI_Menu_T", host.Handler(), {}, &host.Events()};
    cuiMenuView view{model, window.menuBar(), &host.Events()};
    const int32_t editTop = host.Link("CL_Menu_Edit_Top");
    std::vector<int32_t> chosen;
};

TEST_F(EditMenuView, EventElevenGivesTheEditItemThePopupAndTenTakesItAway) {
    ASSERT_NE(Edit(), nullptr);
    EXPECT_EQ(Edit()->menu(), nullptr);
    host.Events().SendData(cuiMenu::kEventAttachSub, 0, editTop, "GI_PMenu_CopyPaste");
    QPointer<QMenu> popup = Edit()->menu();
    ASSERT_TRUE(popup);
    EXPECT_EQ(Texts(popup->actions()),
              (QStringList{QStringLiteral("編集..."), QStringLiteral("-"), QStringLiteral("コピー"),
                           QStringLiteral("貼り付け"), QStringLiteral("-"),
                           QStringLiteral("１つ上へ"), QStringLiteral("１つ下へ")}));
    EXPECT_EQ(popup->actions()[2]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));

    ASSERT_EQ(OpenFromBar(*window.menuBar(), *Edit()), popup.data());
    ClickIn(*popup, *popup->actions()[0]);
    EXPECT_EQ(chosen, (std::vector<int32_t>{host.Link("CL_PMenu_Edit")}));

    host.Events().Send(cuiMenu::kEventDeleteSub, 0, editTop);
    EXPECT_EQ(Edit()->menu(), nullptr);
    FlushDeleted();
    EXPECT_FALSE(popup);
}

TEST_F(EditMenuView, AnotherPopupReplacesTheItemsInTheSameMenu) {
    ASSERT_NE(Edit(), nullptr);
    host.Events().SendData(cuiMenu::kEventAttachSub, 0, editTop, "GI_PMenu_CopyPaste");
    QMenu* popup = Edit()->menu();
    ASSERT_NE(popup, nullptr);
    host.Events().SendData(cuiMenu::kEventAttachSub, 0, editTop, "GI_PMenu_NoItem");
    FlushDeleted();
    EXPECT_EQ(Edit()->menu(), popup);
    ASSERT_EQ(popup->actions().size(), 1);
    EXPECT_EQ(view.ActionFor(*model.FindByLink(host.Link("CL_PMenu_NoItem"))), popup->actions()[0]);
}

TEST_F(EditMenuView, AChoiceMayRebuildTheMenuItCameFrom) {
    // As a pop-up command that moves the current cell to one with another menu.
    model.SetClickResolver([this](int32_t) {
        return [this](cuiMenuItem& item) {
            chosen.push_back(item.cell->link);
            host.Events().Send(cuiMenu::kEventDeleteSub, 0, editTop);
            host.Events().SendData(cuiMenu::kEventAttachSub, 0, editTop, "GI_PMenu_NoItem");
        };
    });
    host.Events().SendData(cuiMenu::kEventAttachSub, 0, editTop, "GI_PMenu_CopyPaste");
    QMenu* popup = OpenFromBar(*window.menuBar(), *Edit());
    ASSERT_NE(popup, nullptr);
    ClickIn(*popup, *popup->actions()[0]);
    FlushDeleted();
    EXPECT_EQ(chosen, (std::vector<int32_t>{host.Link("CL_PMenu_Edit")}));
    ASSERT_NE(Edit()->menu(), nullptr);
    EXPECT_EQ(Texts(Edit()->menu()->actions()), (QStringList{QStringLiteral("（なし）")}));
}

// A sheet's pop-up menu shown at a point.
TEST(PopupMenuView, PopsUpAtThePointAndReportsTheChoice) {
    guitest::CommandDocHost host;
    QWidget owner;
    ASSERT_TRUE(guitest::ShowWindow(owner, 200, 200));
    std::vector<int32_t> chosen;
    cuiMenu model(host.context, "GI_PMenu_CopyPaste", host.Handler(),
                  [&chosen](cuiMenuItem& item) { chosen.push_back(item.cell->link); });
    model.Build();
    std::unique_ptr<cuiMenuView> view = cuiMenuView::ForPopup(model, &owner);
    QMenu* menu = view->Menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->isVisible());

    const QPoint at = owner.mapToGlobal(QPoint(20, 30));
    view->Popup(at);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    EXPECT_EQ(menu->pos(), at);
    // The empty clipboard has nothing to paste.
    QAction* paste = view->ActionFor(*model.FindByLink(host.Link("CL_PMenu_Paste")));
    EXPECT_FALSE(paste->isEnabled());
    ClickIn(*menu, *view->ActionFor(*model.FindByLink(host.Link("CL_PMenu_Edit"))));
    EXPECT_EQ(chosen, (std::vector<int32_t>{host.Link("CL_PMenu_Edit")}));
    EXPECT_FALSE(menu->isVisible());
}

}  // namespace
