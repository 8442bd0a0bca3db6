#include "text/cmcGTex.h"

#include <gtest/gtest.h>

#include "text/BuiltinTable.h"

namespace {

// A small table in the overlay format; line numbers matter to the tests.
std::vector<std::string> SmallTable() {
    return {
        "#Start_Of_Ovl\t//Never delete this line. ",
        "#Alpha",
        "a0",
        "",
        "a2",
        "#",
        "a4 after the terminator",
        "#Dup",
        "first",
        "#Dup",
        "second",
        "# x",
        "blank key",
        "#Num",
        "  -42abc",
        "#HashFirst",
        "#starts with hash",
        "#End_Of_Ovl",
        "#After",
        "never indexed",
    };
}

// Looks a text up in a fresh small table; for the fatal cases.
void Lookup(const std::string& key, int line) {
    cmcGTex t;
    t.SetLines(SmallTable());
    if (line < 0) {
        t.GetBody(key);
    } else {
        t.GetLine(key, line);
    }
}

}  // namespace

TEST(cmcGTexTest, SetLinesOnlyOnce) {
    cmcGTex t;
    EXPECT_TRUE(t.SetLines(SmallTable()));
    EXPECT_FALSE(t.SetLines({"#Start_Of_Ovl", "#Alpha", "other", "#End_Of_Ovl"}));
    EXPECT_EQ(t.GetLine("Alpha", 0), "a0");
}

TEST(cmcGTexTest, LinesByNumberIncludingPastTheTerminator) {
    cmcGTex t;
    t.SetLines(SmallTable());
    struct Case {
        int line;
        const char* text;
    } cases[] = {{0, "a0"}, {1, ""}, {2, "a2"}, {3, "#"}, {4, "a4 after the terminator"}};
    for (const Case& c : cases) {
        EXPECT_EQ(t.GetLine("Alpha", c.line), c.text) << c.line;
    }
    // Reading backwards restarts at the body start.
    EXPECT_EQ(t.GetLine("Alpha", 2), "a2");
    EXPECT_EQ(t.GetLine("Alpha", 1), "");
    EXPECT_EQ(t.GetLine("Alpha", 2), "a2");
}

TEST(cmcGTexTest, BodyStopsAtFirstHashLineAndKeepsEmptyLines) {
    cmcGTex t;
    t.SetLines(SmallTable());
    EXPECT_EQ(t.GetBody("Alpha"), "a0\n\na2");
    EXPECT_EQ(t.GetBody("HashFirst"), "");
}

TEST(cmcGTexTest, KeysAreByteExactAndFirstDuplicateWins) {
    cmcGTex t;
    t.SetLines(SmallTable());
    EXPECT_EQ(t.GetLine("Dup", 0), "first");
    EXPECT_EQ(t.GetLine(" x", 0), "blank key");
    EXPECT_FALSE(t.HasKey("x"));
    EXPECT_FALSE(t.HasKey("alpha"));
    EXPECT_EQ(t.GetNumber("Num"), -42);
}

TEST(cmcGTexTest, NothingAfterTheEndHeaderIsIndexed) {
    cmcGTex t;
    t.SetLines(SmallTable());
    EXPECT_FALSE(t.HasKey("After"));
    EXPECT_TRUE(t.HasKey("End_Of_Ovl"));
}

TEST(cmcGTexTest, LongLinesAreCut) {
    cmcGTex t;
    t.SetLines({"#Start_Of_Ovl", "#Long", std::string(9000, 'x'), "#End_Of_Ovl"});
    EXPECT_EQ(t.GetLine("Long", 0), std::string(8191, 'x'));
    EXPECT_EQ(t.GetBody("Long"), std::string(8191, 'x'));
}

TEST(cmcGTexTest, KeysFoundDeepMoveToFrontAndStayFindable) {
    std::vector<std::string> lines = {"#Start_Of_Ovl"};
    for (int i = 0; i < 40; ++i) {
        lines.push_back("#K" + std::to_string(i));
        lines.push_back("v" + std::to_string(i));
    }
    lines.push_back("#End_Of_Ovl");
    cmcGTex t;
    t.SetLines(lines);
    // Index everything, then look keys up in an order that moves entries
    // around; each must still give its own body.
    EXPECT_FALSE(t.HasKey("missing"));
    for (int round = 0; round < 3; ++round) {
        for (int i = 39; i >= 0; i -= 3) {
            EXPECT_EQ(t.GetLine("K" + std::to_string(i), 0), "v" + std::to_string(i));
        }
    }
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(t.GetLine("K" + std::to_string(i), 0), "v" + std::to_string(i));
    }
}

using cmcGTexDeathTest = ::testing::Test;

TEST_F(cmcGTexDeathTest, MissingKeysAndLinesAreFatal) {
    EXPECT_EXIT(Lookup("After", 0), ::testing::ExitedWithCode(3),
                "GTEX Error !\nThe index 'After' was not found.");
    EXPECT_EXIT(Lookup("Nope", -1), ::testing::ExitedWithCode(3),
                "The index 'Nope' was not found.");
    // Reading past the last line is a failed read, not an access beyond it.
    EXPECT_EXIT(Lookup("End_Of_Ovl", 5), ::testing::ExitedWithCode(3),
                "The index 'End_Of_Ovl' was not found.");
    EXPECT_EXIT(cmcGTex().GetLine("Alpha", 0), ::testing::ExitedWithCode(3), "GTEX Error");
}

TEST(BuiltinTableTest, StartsAndEndsAsTheFormatRequires) {
    std::vector<std::string> lines = BuiltinTable::Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "#Start_Of_Ovl\t//Never delete this line. ");
    EXPECT_EQ(lines.back(), "#End_Of_Ovl");
}
