// How a cell inherits from its parent (a sheet's BasicCell) and what a reset
// keeps.
#include <gtest/gtest.h>

#include "CellTestSupport.h"
#include "sheet/cmcCellObj.h"

namespace {

using celltest::Describe;

class cmcCellInheritTest : public celltest::CellTest {};

}  // namespace

TEST_F(cmcCellInheritTest, CellsStartFromTheirParent) {
    struct Case {
        const char* parent;
        const char* cell;
        const char* result;
    } cases[] = {
        {"{WS^(Flag2=1)(Color=clRed)(ImageIndex=3)}", "",
         "W S h=centre flags=004 color=000000FF img=3"},
        {"{WS}", "{!W}", "S"},
        {"{W}", "{!S}", "W"},
        // The parent's text never survives.
        {"{W}Hello", "{S}", "W S"},
        {"{W}Hello", "Bye", "W text='Bye'"},
        // Link, category, index and argument come from the parent; a link
        // item always sets the link, and keeps the argument unless it has
        // its own ':'.
        {"{(%CT_GrpList.CL_GrpList_Name[5]:a)}", "",
         "cat=CT_GrpList link=CL_GrpList_Name idx=5 arg='a'"},
        {"{(%CT_GrpList.CL_GrpList_Name[5]:a)}", "{(%CL_GrpList_Id)}",
         "cat=CT_GrpList link=CL_GrpList_Id idx=5 arg='a'"},
        {"{(%CT_GrpList.CL_GrpList_Name[5]:a)}", "{(%CL_GrpList_Id:)}",
         "cat=CT_GrpList link=CL_GrpList_Id idx=5 arg=''"},
        {"{(%CT_GrpList.CL_GrpList_Name[5]:a)}", "{(%CT_Null.CL_Mch_NoG[6]:b)}",
         "cat=CT_Null link=CL_Mch_NoG idx=6 arg='b'"},
        {"{(%CT_GrpList.CL_GrpList_Name[5]:a)}", "{(%)}", "cat=CT_GrpList idx=5 arg='a'"},
        // Own font and pop-up name are not copied: they are looked up.
        {"{(Font=,,clRed,,,,)(PopupMenu=GI_PMenu_Edit)}", "{S}", "S"},
        // A Font item starts from a copy of the parent's font.
        {"{(Font=,,clRed,-17,,,)}", "{(Font=,,,%50,,fsBold,)}", "font{color=000000FF h=-8 bold}"},
        {"{(Font=,,clRed,-1,,,)}", "{(Font=,,,%50,,,)}", "font{color=000000FF h=1}"},
        {"{}", "{(Font=,,clWhite,,,fsBold,)}", "font{color=00FFFFFF bold}"},
    };
    for (const Case& c : cases) {
        const cmcCellObj parent = Parse(c.parent);
        const cmcCellObj cell = Parse(c.cell, &parent);
        EXPECT_EQ(Describe(cell), c.result) << c.parent << " / " << c.cell;
        EXPECT_EQ(cell.parent, &parent);
    }
}

TEST_F(cmcCellInheritTest, AFontItemLeavesTheParentsFontAlone) {
    const cmcCellObj parent = Parse("{(Font=,,clRed,-17,,,)}");
    const cmcCellObj plain = Parse("{S}", &parent);
    EXPECT_EQ(plain.EffectiveFont(), &*parent.font);
    const cmcCellObj own = Parse("{(Font=,,,%50,,,)}", &parent);
    ASSERT_NE(own.EffectiveFont(), &*parent.font);
    EXPECT_EQ(own.EffectiveFont()->height, -8);
    EXPECT_EQ(parent.font->height, -17);
    EXPECT_EQ(Parse("{S}").EffectiveFont(), nullptr);
}

TEST_F(cmcCellInheritTest, EffectivePopupMenu) {
    const cmcCellObj top = Parse("{(PopupMenu=GI_PMenu_Edit)}");
    const cmcCellObj middle = Parse("{S}", &top);
    struct Case {
        const char* cell;
        const cmcCellObj* parent;
        const char* menu;
    } cases[] = {
        {"{}", &top, "GI_PMenu_Edit"},
        {"{(PopupMenu=)}", &top, "GI_PMenu_Edit"},
        {"{(PopupMenu=GI_PMenu_NoItem)}", &top, "GI_PMenu_NoItem"},
        {"{}", &middle, "GI_PMenu_Edit"},
        {"{(PopupMenu=)}", nullptr, ""},
        {"{}", nullptr, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Parse(c.cell, c.parent).EffectivePopupMenu(), c.menu) << c.cell;
    }
}

TEST_F(cmcCellInheritTest, WithoutAParentCategoryAndIndexSurviveAReparse) {
    cmcCellObj object;
    ParseCell(context, "{S(%CT_GrpList.CL_GrpList_Name[5]:a)(PopupMenu=x)(Font=,,,9,,,)}t", object,
              &vars, nullptr);
    ParseCell(context, "{W}", object, &vars, nullptr);
    EXPECT_EQ(Describe(object), "W cat=CT_GrpList idx=5");
    // A link item without category or index keeps them too.
    ParseCell(context, "{(%CL_GrpList_Id)}", object, &vars, nullptr);
    EXPECT_EQ(Describe(object), "cat=CT_GrpList link=CL_GrpList_Id idx=5");
    // With a parent they come from the parent.
    const cmcCellObj parent;
    ParseCell(context, "{W}", object, &vars, &parent);
    EXPECT_EQ(Describe(object), "W");
}
