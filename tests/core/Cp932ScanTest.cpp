#include <gtest/gtest.h>

#include "util/Cp932.h"

namespace {

constexpr size_t npos = std::string_view::npos;

}  // namespace

// "ソ" and "表" end in 0x5C ('\'), "ポ" in 0x7C ('|').
TEST(Cp932ScanTest, FindStepsOverDoubleByteCharacters) {
    struct Case {
        std::string text;
        char wanted;
        size_t from;
        size_t at;
    } cases[] = {
        {"a|b", '|', 0, 1},         {"a|b|", '|', 2, 3},        {"\x83\x7C|", '|', 0, 2},
        {"\x83\x7C", '|', 0, npos}, {"\x95\x5C\\", '\\', 0, 2}, {"", '|', 0, npos},
        {"\x83", '|', 0, npos},  // a lead byte at the very end is a byte of its own
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp932::Find(c.text, c.wanted, c.from), c.at) << c.text;
    }
}

TEST(Cp932ScanTest, FindUnescapedSkipsTheEscapedCharacter) {
    struct Case {
        std::string text;
        size_t at;
    } cases[] = {
        {"a)b", 1},         {"a\\)b)", 4},
        {"\\\\)", 2},       {"\x83\x5C)", 2},  // a trail '\' escapes nothing
        {"\\\x83\x29)", 3},                    // an escape covers a whole double-byte character
        {"a\\", npos},      {"\\)", npos},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp932::FindUnescaped(c.text, ')'), c.at) << c.text;
    }
}

TEST(Cp932ScanTest, Split) {
    using Pieces = std::vector<std::string_view>;
    EXPECT_EQ(Cp932::Split("a,b,,c", ','), (Pieces{"a", "b", "", "c"}));
    EXPECT_EQ(Cp932::Split("", ','), (Pieces{""}));
    EXPECT_EQ(Cp932::Split(",", ','), (Pieces{"", ""}));
    EXPECT_EQ(Cp932::Split("\x82,x,y", ','), (Pieces{"\x82,x", "y"}));
}
