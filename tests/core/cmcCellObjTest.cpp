#include "sheet/cmcCellObj.h"

#include <gtest/gtest.h>

#include <span>

#include "CellTestSupport.h"

namespace {

using celltest::Describe;
using celltest::Sj;

struct Case {
    const char* text;  // UTF-8
    const char* cell;  // Describe() of the result
    const char* rest = "";
};

class cmcCellObjTest : public celltest::CellTest {
protected:
    cmcCellObjTest() { vars = {7, 5, 1234567, -5, 0, 0, 0, 0, 0, 9}; }

    void Check(std::span<const Case> cases) {
        for (const Case& c : cases) {
            Check(c);
        }
    }

    void Check(const Case& c) {
        cmcCellObj object;
        const std::string text = Sj(c.text);
        std::string_view rest = ParseCell(context, text, object, &vars, nullptr);
        EXPECT_EQ(Describe(object), c.cell) << "'" << c.text << "'";
        EXPECT_EQ(rest, Sj(c.rest)) << "'" << c.text << "'";
        EXPECT_EQ(object.variables, nullptr) << "variables are only visible while parsing";
    }
};

}  // namespace

TEST_F(cmcCellObjTest, RowsSplitAtTheFirstUnescapedBar) {
    const Case cases[] = {
        {"", ""},
        {"abc", "text='abc'"},
        {"abc|def|ghi", "text='abc'", "def|ghi"},
        {"|x", "", "x"},
        {"x|", "text='x'", ""},
        {"a\\|b|c", "text='a|b'", "c"},
        {"{(%CallSheet:a\\|b)}|c", "link=CallSheet arg='a|b'", "c"},
    };
    Check(cases);
}

TEST_F(cmcCellObjTest, Flags) {
    const Case cases[] = {
        {"{WHB+SMT}", "W H B + S M T"},
        {"{<^}", "h=centre"},
        {"{^<}", ""},
        {"{>_}", "h=right v=bottom"},
        {"{_~-}", "v=middle"},
        {"{xyz?W}", "W"},
        // '!' negates exactly the next byte, and only flags that are bits.
        {"{W!W}", ""},
        {"{WH!H}", "W"},
        {"{!^}", "h=centre"},
        {"{!WH}", "H"},
        {"{!xW}", "W"},
        {"{!(Color=clRed)W}", "W color=000000FF"},
        {"{W!}x", "W text='x'"},
        // '\' makes the next byte literal: no flag, no item.
        {"{\\W}", ""},
        {"{\\(Color=clRed)S}", "S"},
        // Several blocks join, and so do the display pieces around them.
        {"{S}No{^}.1", "S h=centre text='No.1'"},
        {"a{W}b", "W text='ab'"},
        {"{W", "W"},
        {"}x{S", "S text='x'"},
    };
    Check(cases);
}

TEST_F(cmcCellObjTest, Items) {
    const Case cases[] = {
        {"{(Color=clRed)}", "color=000000FF"},
        {"{(Color=0x00ABCDEF)}", "color=00ABCDEF"},
        {"{(Color= clRed)}", ""},
        {"{(Color=0xZZ)}", ""},
        {"{(Color)}", ""},
        {"{(Color=clRed)(Color=clBlue)}", "color=00FF0000"},
        {"{(ImageIndex=7)}", "img=7"},
        {"{(ImageIndex 7)}", ""},
        {"{(PopupMenu=GI_PMenu_Edit)}", "popup='GI_PMenu_Edit'"},
        {"{(PopupMenu=)}", "popup=''"},
        {"{(PopupMenu)}", ""},
        {"{(Flag0=1)(Flag8=1)}", "flags=101"},
        {"{(Flag3=1)(Flag3=0)}", ""},
        {"{(Flag4=1x)}", "flags=010"},
        {"{(Flag9=1)(Flag2=2)(FlagX=1)(Flag1:1)(Flag1=)}", ""},
        {"{(Font=,,clRed,,,,)}", "font{color=000000FF}"},
        {"{(Font)}", ""},
        {"{($iSp)}", "color=00808080"},
        {"{(Unknown=1)W}", "W"},
        {"{()W}", "W"},
    };
    Check(cases);
}

TEST_F(cmcCellObjTest, CellLinks) {
    const Case cases[] = {
        {"{(%CT_IndvList.)}", "cat=CT_IndvList"},
        {"{(%CL_IndvList_Name[@ch0])}", "link=CL_IndvList_Name idx=7"},
        {"{(%CL_Menu_File_New:Ctrl+N)}", "link=CL_Menu_File_New arg='Ctrl+N'"},
        {"{(%CT_Null.CL_Mch_NoI[ 3])}", "cat=CT_Null link=CL_Mch_NoI idx=3"},
        {"{(%CL_Menu_View_FontSize[150])}", "link=CL_Menu_View_FontSize idx=150"},
        {"{(%CL_Mch_No[-2])}", "link=CL_Mch_No idx=-2"},
        {"{(%CL_Mch_No[@ch9]:x)}", "link=CL_Mch_No idx=9 arg='x'"},
        {"{(%CL_Mch_No[4)}", "link=CL_Mch_No idx=4"},
        {"{(%Flex0[1]:○)}", "link=Flex0 idx=1 arg='○'"},
        {"{(%Flex0[0]:)}", "link=Flex0 arg=''"},
        {"{(%CL_Null)}", "link=CL_Null"},
        {"{(%.CL_Null)}", "link=CL_Null"},
        // A ':' before any '[' starts the argument; the rest is all argument.
        {"{(%CallSheet:a[1])}", "link=CallSheet arg='a[1]'"},
        // Escapes are removed from the argument; an escaped ')' does not end
        // the item, an escaped first '.' names no category.
        {"{(%CallSheet:a\\)b\\\\c)}", "link=CallSheet arg='a)b\\c'"},
        {"{(%CallSheet:GI\\.Sheet)}", "link=CallSheet arg='GI.Sheet'"},
        {"{(%CT_Null.CallSheet:x.y)}", "cat=CT_Null link=CallSheet arg='x.y'"},
    };
    Check(cases);
}

TEST_F(cmcCellObjTest, DisplayText) {
    const Case cases[] = {
        {"\\_", "text=' '"},
        {" \t WW \t\r ", "text='WW'"},
        {"   ", ""},
        {"a\\nb\\Nc", "text='a\nb\nc'"},
        {"\\\\", "text='\\'"},
        {"\\x\\{", "text='x'"},
        {"a\\", "text='a'"},
        {"無効 \\_", "text='無効  '"},
        // Variable expressions: the value, plus an optional number, at most
        // six characters.
        {"\\(@ch1)", "text='5'"},
        {"No.\\(@ch1 + 10).", "text='No.15.'"},
        {"\\(@ch1\t+\t-6)", "text='-1'"},
        {"\\(@ch3)", "text='-5'"},
        {"\\(@ch2)", "text='123456'"},
        {"[\\(@ch0)]", "text='[7]'"},
        {"\\(@ch1+3", "text='8'"},
    };
    Check(cases);
}

TEST_F(cmcCellObjTest, VariablesCarryFromCellToCell) {
    cmcCellObj object;
    ParseCell(context, "{(@ch0=0)}", object, &vars, nullptr);
    EXPECT_EQ(vars[0], 0);
    ParseCell(context, "{(@ch0 ++)(@ch4 = 12)(@ch5\t=\t 3)}", object, &vars, nullptr);
    EXPECT_EQ(vars[0], 1);
    EXPECT_EQ(vars[4], 12);
    EXPECT_EQ(vars[5], 3);
    // An assignment is seen by the link and the display text that follow it.
    ParseCell(context, "{(@ch6=41)(%CL_Mch_No[@ch6])(@ch6++)}\\(@ch6+1)", object, &vars, nullptr);
    EXPECT_EQ(object.index, 41);
    EXPECT_EQ(object.DisplayText(), "43");
    // Anything after "@chN" but "++" or '=' does nothing.
    ParseCell(context, "{(@ch6 --)(@ch6+=2)}", object, &vars, nullptr);
    EXPECT_EQ(vars[6], 42);
}

TEST_F(cmcCellObjTest, SplitOnlyLeavesTheObjectAlone) {
    cmcCellObj object;
    ParseCell(context, "{S(%CT_GrpList.CL_GrpList_Name[3])}x", object, &vars, nullptr);
    const std::string before = Describe(object);
    // Even a cell that would be fatal to parse is only split.
    EXPECT_EQ(ParseCell(context, "{(%CL_Bogus)(@ch99)}y|rest", object, nullptr, nullptr, true),
              "rest");
    EXPECT_EQ(Describe(object), before);
}

// Trail bytes that equal a delimiter are never taken for one.
TEST_F(cmcCellObjTest, DoubleByteCharacters) {
    const std::string so = "\x83\x5C";    // "ソ", trail '\'
    const std::string hyou = "\x95\x5C";  // "表", trail '\'
    const std::string po = "\x83\x7C";    // "ポ", trail '|'
    const std::string hon = "\x96\x7B";   // "本", trail '{'
    const std::string ma = "\x83\x7D";    // "マ", trail '}'
    ASSERT_EQ(Sj("ソ表ポ本マ"), so + hyou + po + hon + ma);
    struct Bytes {
        std::string text;
        std::string display;
        std::string rest;
        const char* cell = "";  // Describe() without the text
    } cases[] = {
        {so + "|x", so, "x"},
        {hyou, hyou, ""},
        {hyou + "n", hyou + "n", ""},
        {hyou + "\\_", hyou + " ", ""},
        {"\\" + so, so, ""},
        {"COM" + po + "\t{(%CL_Null)}|", "COM" + po, "", "link=CL_Null"},
        {hon + "\t|{+}", hon, "{+}"},
        {"{W}" + ma + "{S}", ma, "", "W S"},
        {"{" + so + "W}", "", "", "W"},
        {"{" + po + "S}|z", "", "z", "S"},
        {"{" + hon + "B}", "", "", "B"},
        {"{(%CallSheet:" + so + hyou + ")W}|", "", "", "W link=CallSheet arg='ソ表'"},
        {"{(Font=," + hyou + ",clRed,,,,)}", "", "", "font{'表' color=000000FF}"},
    };
    for (const Bytes& c : cases) {
        cmcCellObj object;
        std::string_view rest = ParseCell(context, c.text, object, &vars, nullptr);
        const std::string shown = Cp932::ToUtf8(c.text);
        EXPECT_EQ(object.DisplayText(), c.display) << shown;
        EXPECT_EQ(rest, c.rest) << shown;
        if (object.argument) {
            EXPECT_EQ(*object.argument, so + hyou) << shown;
        }
        if (object.font) {
            EXPECT_EQ(object.font->name, hyou) << shown;
        }
        object.text.reset();
        EXPECT_EQ(Describe(object), c.cell) << shown;
    }
}

TEST(cmcCellObjCopyTest, CopiesOwnTheirStringsAndFont) {
    cmcCellObj from;
    from.argument = "arg";
    from.text = "text";
    from.popupMenu = "GI_PMenu_Edit";
    from.font = cmcFont{};
    from.font->height = -17;
    cmcCellObj to;
    CopyCell(to, from);
    from.font->height = 5;
    from.argument->assign("changed");
    from.text.reset();
    EXPECT_EQ(to.font->height, -17);
    EXPECT_EQ(*to.argument, "arg");
    EXPECT_EQ(to.DisplayText(), "text");
    EXPECT_EQ(to.EffectivePopupMenu(), "GI_PMenu_Edit");
}
