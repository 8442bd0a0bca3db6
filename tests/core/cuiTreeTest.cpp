#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiModelTestSupport.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "sheet/cuiTree.h"
#include "util/Cp932.h"

namespace {

class BuiltinTreeTest : public uitest::UiModelTest {
protected:
    BuiltinTreeTest() { tree.Build(); }
    cuiTree tree{context, "GI_Tree_Main_HH"};
};

TEST_F(BuiltinTreeTest, TopPageWithThreeSheetsBelow) {
    const auto& top = tree.TopNodes();
    ASSERT_EQ(top.size(), 1u);
    const cuiTreeNode& root = *top[0];
    EXPECT_EQ(root.caption, "");
    EXPECT_EQ(root.imageIndex, 0);
    EXPECT_TRUE(root.expanded);
    EXPECT_EQ(root.Argument(), "GI_Sheet_TopPage");
    ASSERT_EQ(root.children.size(), 3u);
    const char* const sheets[] = {"GI_Sheet_BaseSettings", "GI_Sheet_SelCallList",
                                  "GI_Sheet_GroupList"};
    for (size_t i = 0; i < 3; ++i) {
        const cuiTreeNode& node = *root.children[i];
        EXPECT_EQ(node.Argument(), sheets[i]);
        EXPECT_EQ(node.imageIndex, 2);
        EXPECT_EQ(node.selectedImageIndex, 2);
        EXPECT_TRUE(node.children.empty());
        EXPECT_EQ(node.cell->link, Link("CallSheet"));
    }
    EXPECT_EQ(Cp932::ToUtf8(root.children[0]->caption), "本体設定");
}

TEST_F(BuiltinTreeTest, TakesColourAndFontFromTheBasicCell) {
    EXPECT_EQ(tree.BackgroundColor(), cmcColor::kWindow);
    ASSERT_NE(tree.Font(), nullptr);
    EXPECT_EQ(tree.Font()->height, -12);
}

TEST_F(BuiltinTreeTest, FindByArgumentIsByteExact) {
    EXPECT_EQ(tree.FindByArgument("GI_Sheet_GroupList"), tree.TopNodes()[0]->children[2].get());
    EXPECT_EQ(tree.FindByArgument("GI_Sheet_Grouplist"), nullptr);
    EXPECT_EQ(tree.FindByArgument("GI_Sheet_BankOp"), nullptr);
}

TEST_F(BuiltinTreeTest, SelectedCellFollowsTheSelection) {
    EXPECT_EQ(tree.SelectedCell(), nullptr);
    cuiTreeNode* node = tree.FindByArgument("GI_Sheet_SelCallList");
    tree.Select(node);
    ASSERT_NE(tree.SelectedCell(), nullptr);
    EXPECT_EQ(*tree.SelectedCell()->argument, "GI_Sheet_SelCallList");
}

// Trees of the tests' own: depths 0, 1, 1, 2 and a branch body.
class TreeTest : public uitest::UiModelTest {
protected:
    TreeTest()
        : UiModelTest({
              "#T_BasicCell",
              "{}",
              "#T_Body",
              "+top\t{(%CallSheet:S_top)}",
              " +a\t{(%CallSheet:S_a)}",
              " +b\t{(%CallSheet:S_b)}",
              "  +c\t{(%CallSheet:S_c)}",
              "#Branch_Body",
              "+x\t{(ImageIndex=5)(%CallSheet:S_x)}",
              "+y\t{(%CallSheet:S_y)}",
          }) {
        tree.Build();
    }
    cuiTreeNode& Top() { return *tree.TopNodes()[0]; }
    cuiTreeNode& A() { return *Top().children[0]; }
    cuiTreeNode& B() { return *Top().children[1]; }
    cuiTreeNode& C() { return *B().children[0]; }

    cuiTree tree{context, "T"};
};

TEST_F(TreeTest, DepthsMakeOneTopNodeWithTwoChildren) {
    ASSERT_EQ(tree.TopNodes().size(), 1u);
    ASSERT_EQ(Top().children.size(), 2u);
    EXPECT_TRUE(A().children.empty());
    ASSERT_EQ(B().children.size(), 1u);
    EXPECT_EQ(C().caption, "c");
    EXPECT_EQ(C().parent, &B());
}

TEST_F(TreeTest, AMarkInsideACollapsedBranchShowsOnTheBranchOnly) {
    Top().expanded = true;
    EXPECT_EQ(tree.Mark(Top(), {"S_c"}, 1), 2);
    EXPECT_EQ(C().overlayIndex, 1);
    EXPECT_EQ(B().overlayIndex, 1);
    EXPECT_EQ(Top().overlayIndex, -1);
    EXPECT_EQ(A().overlayIndex, -1);
}

TEST_F(TreeTest, AnOpenBranchLeavesTheMarkOnTheNamedNode) {
    Top().expanded = true;
    B().expanded = true;
    EXPECT_EQ(tree.Mark(Top(), {"S_c", "S_a"}, 0), 2);
    EXPECT_EQ(B().overlayIndex, -1);
    EXPECT_EQ(A().overlayIndex, 0);
}

TEST_F(TreeTest, ClearMarksReachesEveryDescendant) {
    Top().expanded = false;
    tree.Mark(Top(), {"S_c"}, 1);
    EXPECT_EQ(Top().overlayIndex, 1);
    tree.ClearMarks(Top());
    EXPECT_EQ(Top().overlayIndex, -1);
    EXPECT_EQ(B().overlayIndex, -1);
    EXPECT_EQ(C().overlayIndex, -1);
}

TEST_F(TreeTest, AnErrorMarkReplacesAWarningMark) {
    Top().expanded = true;
    B().expanded = true;
    tree.MarkChecks({"S_c"}, {"S_c", "S_a"});
    EXPECT_EQ(C().overlayIndex, cuiTree::kOverlayError);
    EXPECT_EQ(A().overlayIndex, cuiTree::kOverlayWarning);
    // A second check without findings takes the marks away.
    tree.MarkChecks({}, {});
    EXPECT_EQ(C().overlayIndex, -1);
    EXPECT_EQ(A().overlayIndex, -1);
}

TEST_F(TreeTest, DeleteChildrenThenABranchBuildsFreshCells) {
    tree.Select(&C());
    tree.DeleteChildren(B());
    EXPECT_TRUE(B().children.empty());
    EXPECT_EQ(tree.Selected(), nullptr);
    EXPECT_EQ(tree.FindByArgument("S_c"), nullptr);
    EXPECT_EQ(tree.AddBody(&B(), "Branch_Body", 0), 2u);
    ASSERT_EQ(B().children.size(), 2u);
    EXPECT_EQ(B().children[0]->imageIndex, 5);
    EXPECT_EQ(tree.FindByArgument("S_y"), B().children[1].get());
    EXPECT_NE(B().children[0]->cell, nullptr);
}

TEST_F(TreeTest, DeletingOtherChildrenKeepsTheSelection) {
    tree.Select(&A());
    tree.DeleteChildren(B());
    EXPECT_EQ(tree.Selected(), &A());
}

TEST_F(TreeTest, EventOneForItsHostClosesTheTree) {
    cmcVirtualTimerHost timers;
    cmcEvMan events(timers);
    cuiTree hosted(context, "T", &events, 42);
    hosted.Build();
    events.Send(cuiTree::kEventGoingAway, 0, 41);
    EXPECT_FALSE(hosted.Closed());
    events.Send(cuiTree::kEventGoingAway, 0, 42);
    EXPECT_TRUE(hosted.Closed());
    EXPECT_TRUE(hosted.TopNodes().empty());
}

}  // namespace
