#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiModelTestSupport.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "sheet/cuiMenu.h"
#include "util/Cp932.h"

namespace {

using uitest::FakeLink;
using uitest::SeenRequest;
using uitest::Sj;

std::string Utf8(const std::string& cp932) {
    return Cp932::ToUtf8(cp932);
}

// One line per item: depth by indentation, then caption, shortcut, image.
void Outline(const cuiMenuItem& item, int depth, std::vector<std::string>& out) {
    for (const auto& child : item.children) {
        std::string line(depth, ' ');
        line += child->separator ? "----" : Utf8(child->caption);
        if (!child->shortcut.empty())
            line += " [" + child->shortcut + "]";
        if (child->imageIndex >= 0)
            line += " img" + std::to_string(child->imageIndex);
        out.push_back(line);
        Outline(*child, depth + 1, out);
    }
}

std::vector<std::string> Outline(cuiMenu& menu) {
    std::vector<std::string> out;
    Outline(menu.Root(), 0, out);
    return out;
}

class BuiltinMenuTest : public uitest::UiModelTest {
protected:
    FakeLink fake;
};

TEST_F(BuiltinMenuTest, MainMenuHasTheSixHeadingsAndTheirItems) {
    cuiMenu menu(context, "GI_Menu_Main", fake.Handler());
    menu.Build();
    const auto& top = menu.Root().children;
    ASSERT_EQ(top.size(), 6u);
    const size_t counts[] = {17, 2, 5, 3, 5, 3};
    for (size_t i = 0; i < top.size(); ++i) {
        EXPECT_EQ(top[i]->children.size(), counts[i]) << i;
        EXPECT_EQ(top[i]->cell->link, Link("CL_Null"));
    }
    EXPECT_EQ(Utf8(top[0]->caption), "ファイル(&F)");
    const std::vector<std::string> outline = Outline(menu);
    EXPECT_EQ(outline[1], " 新規作成(&N) [Ctrl+N]");
    EXPECT_EQ(outline[5], " ----");
    EXPECT_EQ(outline[8], " 比較(&D)...");
    EXPECT_EQ(outline[10], " 印刷(&P)");
    EXPECT_EQ(outline[11], "  表示中のシート(&C)...");
    EXPECT_EQ(outline[12], "  全てのシート(&A)...");
    EXPECT_EQ(outline[13], " ----");
    EXPECT_EQ(outline[19], " 終了(&X) [Alt+F4]");
    EXPECT_EQ(outline[20], "編集(&E)");
    EXPECT_EQ(outline[21], " 元に戻す(&U) [Ctrl+Z]");
    EXPECT_EQ(outline[22], " やり直し(&R) [Ctrl+Y;Ctrl+Shift+Z]");
    EXPECT_EQ(outline[23], "表示(&V)");
}

TEST_F(BuiltinMenuTest, IndexesInBracketsReachTheItemCells) {
    cuiMenu menu(context, "GI_Menu_Main", fake.Handler());
    menu.Build();
    const cuiMenuItem& sizes = *menu.Root().children[2]->children[0];
    ASSERT_EQ(sizes.children.size(), 5u);
    EXPECT_EQ(sizes.children[3]->cell->link, Link("CL_Menu_View_FontSize"));
    EXPECT_EQ(sizes.children[3]->cell->index, 120);
    const cuiMenuItem& file = *menu.Root().children[0];
    EXPECT_EQ(file.children[14]->cell->index, 3);  // the fourth recent-file slot
    const cuiMenuItem& languages = *menu.Root().children[2]->children[4];
    ASSERT_EQ(languages.children.size(), 2u);
    EXPECT_EQ(languages.children[1]->cell->link, Link("CL_Menu_View_Language"));
    EXPECT_EQ(languages.children[1]->cell->index, 1);
}

TEST_F(BuiltinMenuTest, PopupMenusTakeTheirCategoryFromTheBasicCell) {
    cuiMenu menu(context, "GI_PMenu_CopyPaste", fake.Handler());
    menu.Build();
    EXPECT_EQ(Outline(menu), (std::vector<std::string>{
                                 "編集... [Enter]", "----", "コピー [Ctrl+C]", "貼り付け [Ctrl+V]",
                                 "----", "１つ上へ [Ctrl+Up]", "１つ下へ [Ctrl+Down]"}));
    for (const auto& item : menu.Root().children) {
        EXPECT_EQ(item->cell->category, names.CategoryId("CT_PopupMenu"));
    }
}

TEST_F(BuiltinMenuTest, TheNoItemMenuNamesItsCategoryInTheItem) {
    cuiMenu menu(context, "GI_PMenu_NoItem", fake.Handler());
    menu.Build();
    ASSERT_EQ(menu.Root().children.size(), 1u);
    const cmcCellObj& cell = *menu.Root().children[0]->cell;
    EXPECT_EQ(cell.category, names.CategoryId("CT_PopupMenu"));
    EXPECT_EQ(cell.link, Link("CL_PMenu_NoItem"));
}

TEST_F(BuiltinMenuTest, BuildingAgainGivesTheSameItemsOnce) {
    cuiMenu menu(context, "GI_PMenu_CopyPaste", fake.Handler());
    menu.Build();
    menu.Build();
    EXPECT_EQ(menu.Root().children.size(), 7u);
}

// Menus of the tests' own, to show the depth rule.
class MenuDepthTest : public uitest::UiModelTest {
protected:
    MenuDepthTest()
        : UiModelTest({
              "#T1_BasicCell", "{}",  "#T1_Body",      " +a",
              "  +b",          " +c",  // b under a, c a sibling of a
              "#T2_BasicCell", "{}",  "#T2_Body",      "  +a",
              "  +b",          "+c",  "  +d",  // c ends the level
              "#T3_BasicCell", "{}",  "#T3_Body",      "+a",
              "no plus here",  "+b",  "#T4_BasicCell", "{}",
              "#T4_Body",      "+a",  " +b",           "  +c",
              " +d",           "+e",
          }) {}
    FakeLink fake;

    std::vector<std::string> Build(const char* stem) {
        cuiMenu menu(context, stem, fake.Handler());
        menu.Build();
        return Outline(menu);
    }
};

TEST_F(MenuDepthTest, IndentationMakesTheNesting) {
    EXPECT_EQ(Build("T1"), (std::vector<std::string>{"a", " b", "c"}));
    EXPECT_EQ(Build("T2"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Build("T3"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Build("T4"), (std::vector<std::string>{"a", " b", "  c", " d", "e"}));
}

// The recent-file and view items answered by a fake handler.
class MenuStateTest : public uitest::UiModelTest {
protected:
    MenuStateTest() {
        menu.SetHost(&host);
        menu.Build();
    }
    cuiMenuItem& Item(size_t top, size_t n) { return *menu.Root().children[top]->children[n]; }

    FakeLink fake;
    int host = 0;
    cuiMenu menu{context, "GI_Menu_Main", fake.Handler()};
};

TEST_F(MenuStateTest, FlagsBecomeCheckedHiddenDisabledAndCaption) {
    fake.answers[Link("CL_Menu_View_ToolBar")].flags = cuiMenuItem::kFlagChecked;
    fake.answers[Link("CL_Menu_File_Save")].flags = cuiMenuItem::kFlagDisabled;
    FakeLink::Answer recent;
    recent.flags = cuiMenuItem::kFlagCaptionReplaced;
    recent.caption = "&1 radio.rcf";
    fake.answers[Link("CL_Menu_File_Recent")] = recent;
    menu.UpdateAll();
    EXPECT_TRUE(Item(2, 2).checked);
    EXPECT_FALSE(Item(2, 0).checked);
    EXPECT_FALSE(Item(0, 2).enabled);
    EXPECT_TRUE(Item(0, 1).enabled);
    EXPECT_EQ(Item(0, 11).caption, "&1 radio.rcf");
    EXPECT_TRUE(Item(0, 11).visible);
    for (const SeenRequest& seen : fake.Seen()) {
        EXPECT_FALSE(seen.action);
        EXPECT_EQ(seen.request, 0);
        EXPECT_EQ(seen.sender, &host);
    }
}

TEST_F(MenuStateTest, StatesAreClearedBeforeEachQuery) {
    fake.answers[Link("CL_Menu_File_Recent")].flags = cuiMenuItem::kFlagHidden;
    menu.UpdateAll();
    EXPECT_FALSE(Item(0, 11).visible);
    fake.answers.clear();
    menu.UpdateAll();
    EXPECT_TRUE(Item(0, 11).visible);
}

TEST_F(MenuStateTest, CaptionStaysWithoutTheReplaceFlag) {
    FakeLink::Answer recent;
    recent.caption = "ignored";
    fake.answers[Link("CL_Menu_File_Recent")] = recent;
    menu.UpdateAll();
    EXPECT_EQ(Utf8(Item(0, 11).caption), "最近使用したファイル");
}

TEST_F(MenuStateTest, ImageFollowsTheHandler) {
    FakeLink::Answer image;
    image.imageIndex = 5;
    fake.answers[Link("CL_Menu_File_Open")] = image;
    menu.UpdateAll();
    EXPECT_EQ(Item(0, 1).imageIndex, 5);
    EXPECT_EQ(Item(0, 0).imageIndex, -1);
}

TEST_F(MenuStateTest, DefaultClickSendsEnterWithTheCurrentCellThenRefreshes) {
    cmcCellObj current;
    current.link = Link("CL_IndvList_Name");
    menu.SetCurrentCell([&current]() { return &current; });
    menu.Activate(Item(4, 0));  // read from the radio
    ASSERT_FALSE(fake.Seen().empty());
    const SeenRequest& click = fake.Seen().front();
    EXPECT_EQ(click.link, Link("CL_Menu_Clone_Read"));
    EXPECT_EQ(click.request, cmcCellCapsule::kRequestEnter);
    EXPECT_TRUE(click.action);
    EXPECT_EQ(click.relatedLink, Link("CL_IndvList_Name"));
    // Then every item of the menu was asked again.
    EXPECT_GT(fake.Seen().size(), 20u);
}

TEST_F(MenuStateTest, FindByLinkWalksDepthFirst) {
    EXPECT_EQ(menu.FindByLink(Link("CL_Menu_File_Print_All")), Item(0, 9).children[1].get());
    EXPECT_EQ(menu.FindByLink(Link("CL_Null")), menu.Root().children[0].get());
    EXPECT_EQ(menu.FindByLink(Link("CL_PMenu_Copy")), nullptr);
}

// An edit menu item that carries the current cell's pop-up menu.
class EditMenuTest : public uitest::UiModelTest {
protected:
    EditMenuTest()
        : UiModelTest({
              "#GI_Menu_T_BasicCell",
              "{}",
              "#GI_Menu_T_Body",
              "+Edit	{(%CL_Menu_Edit_Top)}",
              " +placeholder",
              "#GI_PMenu_T_BasicCell",
              "{(%CT_PopupMenu.)}",
              "#GI_PMenu_T_Body",
              "+Copy	{(%CL_PMenu_Copy:Ctrl+C)}",
              "+Paste	{(%CL_PMenu_Paste:Ctrl+V)}",
          }) {
        menu.Build();
    }

    cmcVirtualTimerHost timers;
    cmcEvMan events{timers};
    FakeLink fake;
    cuiMenu menu{context, "GI_Menu_T", fake.Handler(), {}, &events};
    const int32_t editTop = Link("CL_Menu_Edit_Top");
};

TEST_F(EditMenuTest, EventsTenAndElevenSwapThePopupUnderTheEditItem) {
    events.Send(cuiMenu::kEventDeleteSub, 0, editTop);
    EXPECT_TRUE(menu.FindByLink(editTop)->children.empty());
    std::vector<int32_t> chosen;
    menu.SetClickResolver([&chosen](int32_t p1) {
        return [&chosen, p1](cuiMenuItem& item) { chosen.push_back(p1 * 1000 + item.cell->link); };
    });
    events.SendData(cuiMenu::kEventAttachSub, 7, editTop, "GI_PMenu_T");
    cuiMenuItem& edit = *menu.FindByLink(editTop);
    ASSERT_EQ(edit.children.size(), 2u);
    EXPECT_EQ(edit.children[1]->shortcut, "Ctrl+V");
    EXPECT_EQ(edit.children[1]->cell->category, names.CategoryId("CT_PopupMenu"));
    menu.Activate(*edit.children[0]);
    EXPECT_EQ(chosen, (std::vector<int32_t>{7000 + Link("CL_PMenu_Copy")}));
}

TEST_F(EditMenuTest, EventNineRefreshesAndTheMenuStopsListeningWhenGone) {
    fake.answers[Link("CL_Menu_Edit_Top")].flags = cuiMenuItem::kFlagDisabled;
    events.Send(cuiMenu::kEventRefresh, 0, 0);
    EXPECT_FALSE(menu.Root().children[0]->enabled);
    {
        cuiMenu other(context, "GI_Menu_T", fake.Handler(), {}, &events);
        other.Build();
    }
    fake.Forget();
    events.Send(cuiMenu::kEventRefresh, 0, 0);
    EXPECT_EQ(fake.Seen().size(), 2u);  // only this menu's two items
}

TEST_F(EditMenuTest, ARemovedItemCanRemoveItselfWhileChosen) {
    // A pop-up command that makes the sheet rebuild its menu.
    menu.AttachBody(editTop, "GI_PMenu_T",
                    [this](cuiMenuItem&) { events.Send(cuiMenu::kEventDeleteSub, 0, editTop); });
    menu.Activate(*menu.FindByLink(editTop)->children[0]);
    EXPECT_TRUE(menu.FindByLink(editTop)->children.empty());
}

}  // namespace
