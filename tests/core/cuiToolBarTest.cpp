#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiModelTestSupport.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "sheet/cuiMenuItem.h"
#include "sheet/cuiToolBar.h"
#include "util/Cp932.h"

namespace {

using uitest::FakeLink;
using Kind = cuiToolButton::Kind;

class BuiltinToolBarTest : public uitest::UiModelTest {
protected:
    BuiltinToolBarTest() { bar.Build(); }

    cmcVirtualTimerHost timers;
    cmcEvMan events{timers};
    FakeLink fake;
    cuiToolBar bar{context, "GI_ToolBar_Main", fake.Handler(), &events};
};

TEST_F(BuiltinToolBarTest, EveryBodyLineIsOneEntryInOrder) {
    const auto& buttons = bar.Buttons();
    ASSERT_EQ(buttons.size(), 14u);
    const int32_t images[] = {0, 1, 2, -1, 7, 8, 9};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(buttons[i].kind, i == 3 ? Kind::Separator : Kind::Button) << i;
        EXPECT_EQ(buttons[i].imageIndex, images[i]) << i;
    }
    for (size_t i = 7; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i].kind, Kind::Separator) << i;
        EXPECT_EQ(buttons[i].cell, nullptr);
    }
    EXPECT_EQ(Cp932::ToUtf8(buttons[6].hint), "無線機の情報");
    EXPECT_EQ(buttons[4].cell->link, Link("CL_Menu_Clone_Read"));
}

TEST_F(BuiltinToolBarTest, EventTwentyAsksEveryButton) {
    fake.answers[Link("CL_Menu_File_Save")].flags = cuiMenuItem::kFlagDisabled;
    FakeLink::Answer read;
    read.flags = cuiMenuItem::kFlagChecked;
    read.imageIndex = 12;
    fake.answers[Link("CL_Menu_Clone_Read")] = read;
    events.Send(cuiToolBar::kEventRefresh, 0, 0);
    const auto& buttons = bar.Buttons();
    EXPECT_FALSE(buttons[2].enabled);
    EXPECT_TRUE(buttons[1].enabled);
    EXPECT_TRUE(buttons[4].checkStyle);
    EXPECT_TRUE(buttons[4].down);
    EXPECT_FALSE(buttons[5].down);
    EXPECT_EQ(buttons[4].imageIndex, 12);
    EXPECT_EQ(fake.Seen().size(), 6u);  // the separators have no cell to ask
}

TEST_F(BuiltinToolBarTest, AClickSendsEnterForTheButtonsCell) {
    bar.Click(1);
    bar.Click(3);   // a separator
    bar.Click(99);  // past the end
    ASSERT_EQ(fake.Seen().size(), 1u);
    EXPECT_EQ(fake.Seen()[0].link, Link("CL_Menu_File_Open"));
    EXPECT_EQ(fake.Seen()[0].request, cmcCellCapsule::kRequestEnter);
    EXPECT_TRUE(fake.Seen()[0].action);
}

class ToolBarRowsTest : public uitest::UiModelTest {
protected:
    ToolBarRowsTest()
        : UiModelTest({"#TB_BasicCell", "{(ImageIndex=3)}", "#TB_Body", "a", "-", "/",
                       "b\t{(ImageIndex=4)}"}) {}
    FakeLink fake;
};

TEST_F(ToolBarRowsTest, SlashStartsANewRowAndButtonsInheritTheImage) {
    cuiToolBar bar(context, "TB", fake.Handler());
    bar.Build();
    const auto& buttons = bar.Buttons();
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(buttons[0].imageIndex, 3);
    EXPECT_EQ(buttons[1].kind, Kind::Separator);
    EXPECT_EQ(buttons[2].kind, Kind::LineBreak);
    EXPECT_EQ(buttons[3].imageIndex, 4);
    EXPECT_EQ(buttons[3].hint, "b");
}

}  // namespace
