// The toolbar rendered from its description, over the real link handler and
// a fake document.
#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <vector>

#include "app/gui/cmcImageLists.h"
#include "sheet/cuiToolBar.h"
#include "sheet/qt/cuiToolBarView.h"
#include "tests/gui/FakeDocHost.h"

namespace {

class MainToolBarView : public ::testing::Test {
protected:
    MainToolBarView() {
        model.Build();
        view.Rebuild();
        EXPECT_TRUE(guitest::ShowWindow(window, 640, 480));
    }

    QToolButton* Button(size_t n) {
        return qobject_cast<QToolButton*>(bar->widgetForAction(view.ActionFor(n)));
    }

    guitest::CommandDocHost host;
    QList<QIcon> images = cmcImageLists::Toolbar();
    QMainWindow window;
    QToolBar* bar = window.addToolBar(QStringLiteral("main"));
    cuiToolBar model{host.context, "GI_ToolBar_Main", host.Handler(), &host.Events()};
    cuiToolBarView view{model, bar, images, &host.Events()};
};

TEST_F(MainToolBarView, ShowsTheButtonsWithTheirImagesAndHints) {
    const QList<QAction*> actions = bar->actions();
    ASSERT_EQ(actions.size(), 14);
    // Body line, hint, image list position.
    const struct {
        int line;
        const char16_t* hint;
        int image;
    } buttons[] = {{0, u"新規作成", 0}, {1, u"開く", 1},     {2, u"上書き保存", 2},
                   {4, u"読み込み", 7}, {5, u"書き込み", 8}, {6, u"無線機の情報", 9}};
    for (const auto& button : buttons) {
        QAction* action = actions[button.line];
        EXPECT_EQ(action->toolTip(), QString::fromUtf16(button.hint)) << button.line;
        EXPECT_EQ(action->icon().cacheKey(), images[button.image].cacheKey()) << button.line;
    }
    for (int line : {3, 7, 13}) {
        EXPECT_TRUE(actions[line]->isSeparator()) << line;
    }
}

TEST_F(MainToolBarView, AClickRunsTheButtonsCommand) {
    QTest::mouseClick(Button(4), Qt::LeftButton);
    EXPECT_EQ(host.executed, (std::vector<int32_t>{host.Link("CL_Menu_Clone_Read")}));
}

TEST_F(MainToolBarView, EventTwentyShowsTheStatesTheHostAnswers) {
    host.states[host.Link("CL_Menu_File_Save")] = cuiMenuItem::kFlagDisabled;
    host.states[host.Link("CL_Menu_Clone_Info")] = cuiMenuItem::kFlagChecked;
    EXPECT_TRUE(Button(2)->isEnabled()) << "nobody asked since";
    host.Events().Send(cuiToolBar::kEventRefresh, 0, 0);
    EXPECT_FALSE(Button(2)->isEnabled());
    EXPECT_TRUE(Button(1)->isEnabled());
    EXPECT_TRUE(Button(6)->isChecked());
    EXPECT_FALSE(Button(4)->isCheckable());
    // A disabled button takes no click.
    QTest::mouseClick(Button(2), Qt::LeftButton);
    EXPECT_TRUE(host.executed.empty());
}

TEST(ToolBarRowsView, ASlashStartsARowUnderTheFirst) {
    guitest::CommandDocHost host;
    cmcGTex table;
    table.SetLines(guitest::BuiltinWith({
        "#TB_BasicCell",
        "{($Basic)}",
        "#TB_Body",
        "新規作成\t{(ImageIndex=0)(%CL_Menu_File_New)}",
        "/",
        "開く\t{(ImageIndex=1)(%CL_Menu_File_Open)}",
    }));
    cmcCellContext context{table, indActiveCell::Names()};
    QMainWindow window;
    QToolBar* bar = window.addToolBar(QStringLiteral("main"));
    cuiToolBar model(context, "TB", host.Handler());
    model.Build();
    cuiToolBarView view(model, bar, cmcImageLists::Toolbar());
    ASSERT_TRUE(guitest::ShowWindow(window, 640, 480));

    const QList<QToolBar*> bars = view.Bars();
    ASSERT_EQ(bars.size(), 2);
    EXPECT_EQ(bars[0]->actions().size(), 1);
    ASSERT_EQ(bars[1]->actions().size(), 1);
    EXPECT_EQ(bars[1]->actions()[0], view.ActionFor(2));
    EXPECT_TRUE(window.toolBarBreak(bars[1]));
    EXPECT_GT(bars[1]->geometry().top(), bars[0]->geometry().top());
    view.SetVisible(false);
    EXPECT_FALSE(bars[0]->isVisible());
    EXPECT_FALSE(bars[1]->isVisible());
}

}  // namespace
