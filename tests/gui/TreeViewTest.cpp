// The navigation tree rendered from its description.
#include <gtest/gtest.h>

#include <QTest>
#include <string>
#include <vector>

#include "app/gui/cmcImageLists.h"
#include "model/iuiTree.h"
#include "sheet/qt/cuiTreeView.h"
#include "tests/gui/FakeDocHost.h"

namespace {

QImage Picture(const QIcon& icon) {
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

class TreeView : public ::testing::Test {
protected:
    static constexpr int32_t kHostId = 7;

    TreeView() {
        model.Build();
        view.Rebuild();
        EXPECT_TRUE(guitest::ShowWindow(view, 240, 320));
        view.onSelectionChanged = [this](const cmcCellObj* cell) {
            reported.push_back(cell && cell->argument ? *cell->argument : "-");
        };
        view.onExpandedChanged = [this](cuiTreeNode& node) { toggled.push_back(&node); };
    }

    QTreeWidgetItem* Top() { return view.topLevelItem(0); }
    QTreeWidgetItem* ItemFor(const char* sheet) { return view.ItemOf(view.FindByArgument(sheet)); }
    void Click(QTreeWidgetItem* item) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier,
                          view.visualItemRect(item).center());
    }

    QList<QIcon> images = cmcImageLists::Tree();
    guitest::CommandDocHost host;
    iuiTree model{host.context, "GI_Tree_Main_HH", {4, 5, 6, 7}, {}, &host.Events(), kHostId};
    cuiTreeView view{model, images, nullptr, &host.Events()};
    std::vector<std::string> reported;
    std::vector<cuiTreeNode*> toggled;
};

TEST_F(TreeView, ShowsTheTopPageAndItsThreeSheetsWithTheirImages) {
    ASSERT_EQ(view.topLevelItemCount(), 1);
    ASSERT_EQ(Top()->childCount(), 3);
    EXPECT_EQ(Top()->text(0), QString());
    EXPECT_TRUE(Top()->isExpanded());
    EXPECT_EQ(Top()->child(0)->text(0), QStringLiteral("本体設定"));
    EXPECT_EQ(Top()->child(2)->text(0), QStringLiteral("グループリスト設定"));
    ASSERT_FALSE(Picture(images[0]).isNull());
    EXPECT_EQ(Picture(Top()->icon(0)), Picture(images[0]));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Picture(Top()->child(i)->icon(0)), Picture(images[2])) << i;
        EXPECT_EQ(Top()->child(i)->data(0, cuiTreeView::kOverlayRole).toInt(), -1);
    }
    // The BasicCell's font, 12 pixels high, and the window colour behind it.
    EXPECT_EQ(view.font().pixelSize(), 12);
    EXPECT_EQ(view.palette().color(QPalette::Base), QPalette().color(QPalette::Base));
}

TEST_F(TreeView, CheckMarksArePaintedOverTheNodesImages) {
    model.MarkChecks({"GI_Sheet_GroupList"}, {"GI_Sheet_BaseSettings", "GI_Sheet_GroupList"});
    view.RefreshImages();
    QTreeWidgetItem* error = ItemFor("GI_Sheet_GroupList");
    QTreeWidgetItem* warning = ItemFor("GI_Sheet_BaseSettings");
    QTreeWidgetItem* plain = ItemFor("GI_Sheet_SelCallList");
    EXPECT_EQ(error->data(0, cuiTreeView::kOverlayRole).toInt(), cuiTree::kOverlayError);
    EXPECT_EQ(warning->data(0, cuiTreeView::kOverlayRole).toInt(), cuiTree::kOverlayWarning);
    EXPECT_EQ(Picture(plain->icon(0)), Picture(images[2]));
    EXPECT_NE(Picture(error->icon(0)), Picture(images[2]));
    EXPECT_NE(Picture(warning->icon(0)), Picture(images[2]));
    EXPECT_NE(Picture(error->icon(0)), Picture(warning->icon(0)));

    model.MarkChecks({}, {});
    view.RefreshImages();
    EXPECT_EQ(Picture(error->icon(0)), Picture(images[2]));
}

TEST_F(TreeView, ASelectionIsReportedOnceAfterTheDelay) {
    view.SetChangeDelay(400);
    Click(ItemFor("GI_Sheet_SelCallList"));
    Click(ItemFor("GI_Sheet_GroupList"));
    EXPECT_TRUE(reported.empty());
    EXPECT_TRUE(view.ChangePending());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !reported.empty(); }, 3000));
    EXPECT_EQ(reported, (std::vector<std::string>{"GI_Sheet_GroupList"}));
    ASSERT_NE(model.SelectedCell(), nullptr);
    EXPECT_EQ(*model.SelectedCell()->argument, "GI_Sheet_GroupList");
    QTest::qWait(500);
    EXPECT_EQ(reported.size(), 1u);
}

TEST_F(TreeView, SelectingByProgramIsReportedLikeAClick) {
    EXPECT_FALSE(view.SelectNode(view.FindByArgument("GI_Sheet_Nothing")));
    ASSERT_TRUE(view.SelectFirst());
    EXPECT_EQ(view.currentItem(), Top());
    view.FlushChange();
    EXPECT_EQ(reported, (std::vector<std::string>{"GI_Sheet_TopPage"}));
    EXPECT_FALSE(view.ChangePending());
}

TEST_F(TreeView, ClosingANodeWithTheKeyboardIsReported) {
    view.setFocus();
    ASSERT_TRUE(view.SelectFirst());
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_FALSE(Top()->isExpanded());
    ASSERT_EQ(toggled.size(), 1u);
    EXPECT_EQ(toggled[0], model.TopNodes()[0].get());
    EXPECT_FALSE(toggled[0]->expanded);
}

TEST_F(TreeView, ABranchDeletedAndBuiltAgainShowsFreshNodes) {
    cuiTreeNode& top = *model.TopNodes()[0];
    ASSERT_TRUE(view.SelectNode(view.FindByArgument("GI_Sheet_GroupList")));
    view.DeleteChildren(top);
    EXPECT_EQ(Top()->childCount(), 0);
    // The selection moves up to the node whose branch went.
    EXPECT_EQ(view.currentItem(), Top());
    EXPECT_EQ(model.Selected(), &top);

    EXPECT_EQ(model.AddBody(&top, "GI_Tree_Main_HH_Body", 1), 3u);
    view.RefreshChildren(top);
    ASSERT_EQ(Top()->childCount(), 3);
    EXPECT_EQ(view.NodeOf(Top()->child(1)), top.children[1].get());
    EXPECT_EQ(ItemFor("GI_Sheet_SelCallList"), Top()->child(1));
}

TEST_F(TreeView, EmptiesWhenItsHostGoesAway) {
    host.Events().Send(cuiTree::kEventGoingAway, 0, kHostId + 1);
    EXPECT_EQ(view.topLevelItemCount(), 1);
    host.Events().Send(cuiTree::kEventGoingAway, 0, kHostId);
    EXPECT_EQ(view.topLevelItemCount(), 0);
    EXPECT_EQ(view.NodeOf(nullptr), nullptr);
}

}  // namespace
