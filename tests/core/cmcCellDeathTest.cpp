// Faults of a description end the program with a short English report.
#include <gtest/gtest.h>

#include "CellTestSupport.h"
#include "sheet/cmcCellObj.h"

namespace {

class cmcCellDeathTest : public celltest::CellTest {
protected:
    cmcCellDeathTest()
        : CellTest({"#CellModel_Self", "S($Self)", "#CellModel_A", "W($B)", "#CellModel_B", "H($C)",
                    "#CellModel_C", "($A)", "#CellModel_Twice", "($iSp)($iSp)",
                    "#CellModel_Diamond", "($Twice)($iSp)($Twice)"}) {}

    // Parses with or without the builder's variables.
    void ParseWith(const char* text, bool withVariables) {
        cmcCellObj object;
        ParseCell(context, text, object, withVariables ? &vars : nullptr, nullptr);
    }
};

using ::testing::ExitedWithCode;

}  // namespace

TEST_F(cmcCellDeathTest, BadVariableReferences) {
    const char* bad[] = {
        "{(%CL_Mch_No[@ch10])}",
        "{(%CL_Mch_No[@c0])}",
        "{(%CL_Mch_No[@ch])}",
        "{(%CL_Mch_No[@chx])}",
        "{(@ch=1)}",
        "{(@ch12=1)}",
        "{(@x)}",
        "\\(@chA)",
        "\\(ch0)",
        "\\( @ch0)",
    };
    for (const char* text : bad) {
        EXPECT_EXIT(ParseWith(text, true), ExitedWithCode(3), "Ch No\\. Error") << text;
    }
}

TEST_F(cmcCellDeathTest, VariablesUsedWithoutVariables) {
    const char* texts[] = {"{(%CL_Mch_No[@ch0])}", "{(@ch0=1)}", "\\(@ch0)"};
    for (const char* text : texts) {
        EXPECT_EXIT(ParseWith(text, false), ExitedWithCode(3), "Ch No\\. Error") << text;
    }
    // Cells that use no variable need none.
    ParseWith("{(%CL_Mch_No[3])}No.", false);
}

TEST_F(cmcCellDeathTest, UnknownNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"{(%CT_Bogus.CL_Null)}", "Cannot use the specified category\\.\n'CT_Bogus'"},
        {"{(%CL_Bogus)}", "Cannot use the specified cell\\.\n'CL_Bogus'"},
        {"{(%CT_Null.CL_Null\\.x)}", "Cannot use the specified cell\\.\n'CL_Null\\\\\\.x'"},
        // A link name where a category belongs is not some category's id.
        {"{(%CL_Null.CL_Null)}", "Cannot use the specified category\\.\n'CL_Null'"},
        {"{(%CT_Null)}", "Cannot use the specified cell\\.\n'CT_Null'"},
        {"{($Nope)}", "The index 'CellModel_Nope' was not found"},
    };
    for (const auto& [text, report] : cases) {
        EXPECT_EXIT(ParseWith(text, true), ExitedWithCode(3), report) << text;
    }
}

TEST_F(cmcCellDeathTest, CyclicCellModels) {
    EXPECT_EXIT(ParseWith("{($Self)}", true), ExitedWithCode(3),
                "Cyclic cell model 'CellModel_Self'");
    EXPECT_EXIT(ParseWith("{($B)}", true), ExitedWithCode(3), "Cyclic cell model 'CellModel_B'");
    // A model used twice, side by side or nested, is no cycle.
    cmcCellObj object;
    ParseCell(context, "{($Diamond)($Twice)}", object, &vars, nullptr);
    EXPECT_EQ(object.color, 0x00808080u);
}
