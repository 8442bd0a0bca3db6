#include <gtest/gtest.h>

#include "UiModelTestSupport.h"
#include "model/iuiTree.h"

namespace {

class iuiTreeTest : public uitest::UiModelTest {
protected:
    iuiTreeTest()
        : UiModelTest({
              "#T_BasicCell",
              "{(ImageIndex=9)}",
              "#T_Body",
              "+ops\t{(%CallSheet:[St_ChBank]GI_Sheet_BankOp,Ops 1,0)}",
              " +b1\t{(%CallSheet:[St_ChBank]GI_Sheet_Mch_Dig,Bank 1,1,0)}",
              " +b7\t{(%CallSheet:[St_ChBank]GI_Sheet_Mch_Dig,Bank 7,7,0)}",
              " +a3\t{(%CallSheet:[St_ChBank]GI_Sheet_Alist_Indv,Bank 3,3,0)}",
              " +a1\t{(%CallSheet:[St_ChBank]GI_Sheet_Alist_Grp,Bank 1,1,0)}",
              " +plain\t{(%CallSheet:GI_Sheet_BaseSettings,Bank 1)}",
          }) {}

    static constexpr iuiTree::IconTable kIcons = {20, 21, 22, 23};
};

TEST_F(iuiTreeTest, BankNodesShowWhetherTheBankIsValidAndFilled) {
    // Only bank 1 of the memory channels has entries.
    iuiTree tree(context, "T", kIcons,
                 [](int32_t bank, int32_t kind) { return bank == 1 && kind == 0 ? 5 : 0; });
    tree.Build();
    tree.RefreshNodes();
    const cuiTreeNode& ops = *tree.TopNodes()[0];
    EXPECT_EQ(ops.imageIndex, 9);                // no "Bank" parameter
    EXPECT_EQ(ops.children[0]->imageIndex, 23);  // valid, with entries
    EXPECT_EQ(ops.children[1]->imageIndex, 20);  // bank 7 is out of range
    EXPECT_EQ(ops.children[2]->imageIndex, 22);  // address list: 3 - 2 = bank 1, empty
    EXPECT_EQ(ops.children[3]->imageIndex, 20);  // address list: 1 - 2 is out of range
    EXPECT_EQ(ops.children[4]->imageIndex, 9);   // no variable list: untouched
    for (const auto& node : ops.children) {
        EXPECT_EQ(node->selectedImageIndex, 9);
    }
}

TEST_F(iuiTreeTest, WithoutABankLayoutEveryBankIsEmpty) {
    iuiTree tree(context, "T", kIcons);
    tree.Build();
    tree.RefreshNodes();
    EXPECT_EQ(tree.TopNodes()[0]->children[0]->imageIndex, 22);
}

TEST(iuiTreeBankKind, SheetKeysGiveTheirKinds) {
    EXPECT_EQ(iuiTree::BankKind("GI_Sheet_Mch_Dig"), 0);
    EXPECT_EQ(iuiTree::BankKind("GI_Sheet_Mch_Ana"), 0);
    EXPECT_EQ(iuiTree::BankKind("GI_Sheet_Alist_Indv"), 2);
    EXPECT_EQ(iuiTree::BankKind("GI_Sheet_Alist_Grp"), 2);
    EXPECT_EQ(iuiTree::BankKind("GI_Sheet_BankOp"), 3);
}

}  // namespace
