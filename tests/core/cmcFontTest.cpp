#include "sheet/cmcFont.h"

#include <gtest/gtest.h>

#include "CellTestSupport.h"
#include "sheet/cmcColor.h"

using celltest::DescribeFont;
using celltest::Sj;

TEST(cmcColorTest, EveryColourName) {
    const std::pair<const char*, uint32_t> colours[] = {
        {"clAqua", 0x00FFFF00},
        {"clBlack", 0x00000000},
        {"clBlue", 0x00FF0000},
        {"clDkGray", 0x00808080},
        {"clFuchsia", 0x00FF00FF},
        {"clGray", 0x00808080},
        {"clGreen", 0x00008000},
        {"clLime", 0x0000FF00},
        {"clLtGray", 0x00C0C0C0},
        {"clMaroon", 0x00000080},
        {"clNavy", 0x00800000},
        {"clOlive", 0x00008080},
        {"clPurple", 0x00800080},
        {"clRed", 0x000000FF},
        {"clSilver", 0x00C0C0C0},
        {"clTeal", 0x00808000},
        {"clWhite", 0x00FFFFFF},
        {"clYellow", 0x0000FFFF},
        {"clBackground", 0xFF000001},
        {"clActiveCaption", 0xFF000002},
        {"clInactiveCaption", 0xFF000003},
        {"clMenu", 0xFF000004},
        {"clWindow", 0xFF000005},
        {"clWindowFrame", 0xFF000006},
        {"clMenuText", 0xFF000007},
        {"clWindowText", 0xFF000008},
        {"clCaptionText", 0xFF000009},
        {"clActiveBorder", 0xFF00000A},
        {"clInactiveBorder", 0xFF00000B},
        {"clAppWorkSpace", 0xFF00000C},
        {"clHighlight", 0xFF00000D},
        {"clHightlightText", 0xFF00000E},
        {"clBtnFace", 0xFF00000F},
        {"clBtnShadow", 0xFF000010},
        {"clGrayText", 0xFF000011},
        {"clBtnText", 0xFF000012},
        {"clInactiveCaptionText", 0xFF000013},
        {"clBtnHighlight", 0xFF000014},
    };
    EXPECT_EQ(std::size(colours), 38u);
    for (const auto& [name, value] : colours) {
        uint32_t colour = 0x12345678;
        EXPECT_TRUE(ParseColor(name, colour)) << name;
        EXPECT_EQ(colour, value) << name;
    }
}

TEST(cmcColorTest, DescriptionsThatAreNotNames) {
    struct Case {
        const char* text;
        bool parses;
        uint32_t colour;  // after the parse, starting from 0x12345678
    } cases[] = {
        {"0x00FF00", true, 0x0000FF00},
        {"0xff000005", true, 0xFF000005},
        {"0xFFFFFFFF", true, 0xFFFFFFFF},
        {"0x1", true, 0x00000001},
        {"0x00000000FF", true, 0x000000FF},  // leading zeros are no overflow
        // Taken exactly: no trimming, no case folding.
        {" clRed", false, 0x12345678},
        {"clRed ", false, 0x12345678},
        {"clred", false, 0x12345678},
        {"", false, 0x12345678},
        {"255", false, 0x12345678},
        {"0X10", false, 0x12345678},
        // Malformed hexadecimal fails as a whole and changes nothing.
        {"0x", false, 0x12345678},
        {"0xG1", false, 0x12345678},
        {"0x12 ", false, 0x12345678},
        {"0x12z4", false, 0x12345678},
        {"0x-1", false, 0x12345678},
        {"0x100000000", false, 0x12345678},
    };
    for (const Case& c : cases) {
        uint32_t colour = 0x12345678;
        EXPECT_EQ(ParseColor(c.text, colour), c.parses) << "'" << c.text << "'";
        EXPECT_EQ(colour, c.colour) << "'" << c.text << "'";
    }
}

TEST(cmcFontTest, Descriptions) {
    // Every case starts from the same font: height -17, bold, else fresh.
    cmcFont start;
    start.height = -17;
    start.style = cmcFontStyle::kBold;
    ASSERT_EQ(DescribeFont(start), "font{h=-17 bold}");
    struct Case {
        const char* text;
        const char* font;
    } cases[] = {
        {"", "font{h=-17 bold}"},
        {",,,,,,", "font{h=-17 bold}"},
        // Height: a number, or a percentage of the current height truncated
        // toward zero that is never 0.
        {",,,%50,,,", "font{h=-8 bold}"},
        {",,,%200,,,", "font{h=-34 bold}"},
        {",,,%80,,,", "font{h=-13 bold}"},
        {",,,%5,,,", "font{h=1 bold}"},
        {",,,%0,,,", "font{h=1 bold}"},
        {",,,16,,,", "font{h=16 bold}"},
        {",,,-12,,,", "font{h=-12 bold}"},
        {",,,0,,,", "font{h=-17 bold}"},
        {",,,abc,,,", "font{h=-17 bold}"},
        // Beyond 32767 either way a height or size is cut to it, so that
        // the lines of a cell add up without overflow.
        {",,,2147483647,,,", "font{h=32767 bold}"},
        {",,,-2147483648,,,", "font{h=-32767 bold}"},
        {",,,%2000000000,,,", "font{h=-32767 bold}"},
        {",,,,99999,,", "font{h=-17 pt=32767 bold}"},
        // Size: the same rules on the point size (8).
        {",,,,12,,", "font{h=-17 pt=12 bold}"},
        {",,,,%50,,", "font{h=-17 pt=4 bold}"},
        {",,,,%10,,", "font{h=-17 pt=1 bold}"},
        // Charset: leading and trailing blanks allowed; unknown ignored.
        {"ANSI_CHARSET,Arial,,,,,", "font{cs=0 'Arial' h=-17 bold}"},
        {"  SHIFTJIS_CHARSET  ,,,,,,", "font{cs=128 h=-17 bold}"},
        {"OEM_CHARSET", "font{cs=255 h=-17 bold}"},
        {"KLINGON_CHARSET,,,,,,", "font{h=-17 bold}"},
        // Colour field: a colour description, taken exactly.
        {",,clWhite,,,,", "font{color=00FFFFFF h=-17 bold}"},
        {",,0x00112233,,,,", "font{color=00112233 h=-17 bold}"},
        {",, clRed,,,,", "font{h=-17 bold}"},
        // Styles: the first recognised name replaces the set.
        {",,,,,fsItalic,", "font{h=-17 italic}"},
        {",,,,,fsWide+fsUnderline,", "font{h=-17 underline}"},
        {",,,,,fsWide,", "font{h=-17 bold}"},
        {",,,,,fsItalic+fsBold+fsStrikeOut,", "font{h=-17 bold+italic+strike}"},
        // Pitch.
        {",,,,,,fpFixed", "font{h=-17 bold pitch=1}"},
        {",,,,,,fpVariable", "font{h=-17 bold pitch=2}"},
        {",,,,,,fpNarrow", "font{h=-17 bold}"},
        {",,,,,,fpFixed,more", "font{h=-17 bold pitch=1}"},
        // The real descriptions.
        {"DEFAULT_CHARSET,ＭＳ Ｐゴシック,clWindowText,-17,,,",
         "font{'ＭＳ Ｐゴシック' h=-17 bold}"},
        {",,clTeal,16,,fsBold,", "font{color=00808000 h=16 bold}"},
    };
    for (const Case& c : cases) {
        cmcFont font = start;
        ParseFont(Sj(c.text), font);
        EXPECT_EQ(DescribeFont(font), c.font) << "'" << c.text << "'";
    }
}

TEST(cmcFontTest, FaceNamesAreCutWholeCharacters) {
    cmcFont font;
    ParseFont(",ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789,clRed", font);
    EXPECT_EQ(font.name, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
    EXPECT_EQ(font.color, 0x000000FFu);

    // Sixteen double-byte characters are 32 bytes: 31 would split the last.
    const std::string wide = Sj("ゴシックゴシックゴシックゴシック");
    ASSERT_EQ(wide.size(), 32u);
    ParseFont("," + wide, font);
    EXPECT_EQ(font.name, wide.substr(0, 30));
}

TEST(cmcFontTest, ACommaInsideADoubleByteCharacterDoesNotSeparate) {
    cmcFont font;
    // 0x82 leads a double-byte character, so the comma after it belongs to it.
    ParseFont(std::string(",A\x82,B,clRed,20"), font);
    EXPECT_EQ(font.name, "A\x82,B");
    EXPECT_EQ(font.color, 0x000000FFu);
    EXPECT_EQ(font.height, 20);
}
