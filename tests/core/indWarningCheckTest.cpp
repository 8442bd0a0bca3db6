#include "model/indWarningCheck.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FakeDocHost.h"

#include "model/indActiveCell.h"
#include "model/indLinkNames.h"
#include "sheet/cmcCellObj.h"

namespace {

// A table holding only a check list of our own.
cmcGTex& TableWith(cmcGTex& table, std::vector<std::string> lines) {
    lines.insert(lines.begin(),
                 {"#Start_Of_Ovl\t//Never delete this line. ", "#GI_WarningCheckList"});
    lines.push_back("#End_Of_Ovl");
    table.SetLines(lines);
    return table;
}

// Marks by link id, as a check's behaviour would set them.
cmcCellLink Marking(std::map<int32_t, uint32_t> marks, int* asked) {
    return [marks, asked](cmcCellCapsule& request, bool action) {
        EXPECT_FALSE(action);
        ++*asked;
        auto found = marks.find(request.cell->link);
        if (found != marks.end()) {
            request.state |= found->second;
        }
        return 0;
    };
}

TEST(indWarningCheckTest, ErrorsWinOverWarningsAndKeepListOrder) {
    cmcGTex table;
    TableWith(table, {"{(%CL_Check_SetMode:[St_Common]GI_Sheet_SetMode)}",
                      "{(%CL_Check_Common:[St_Common]GI_Sheet_Common)}",
                      "{(%CL_Check_Msk_IdRange:GI_Sheet_Msk_AddressRange)}",
                      "{(%CL_Check_Msk_Config:GI_Sheet_Msk_Config)}"});
    indLinkNames names;
    int asked = 0;
    const uint32_t both = cmcCellCapsule::kStateError | cmcCellCapsule::kStateWarning;
    indWarningCheck result = indWarningCheck::Run(
        table, names,
        Marking({{names.LinkId("CL_Check_SetMode"), cmcCellCapsule::kStateWarning},
                 {names.LinkId("CL_Check_Common"), both},
                 {names.LinkId("CL_Check_Msk_Config"), cmcCellCapsule::kStateError}},
                &asked));
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(result.errors, 2);
    EXPECT_EQ(result.warnings, 1);
    EXPECT_EQ(result.errorSheets,
              (std::vector<std::string>{"[St_Common]GI_Sheet_Common", "GI_Sheet_Msk_Config"}));
    EXPECT_EQ(result.warningSheets, (std::vector<std::string>{"[St_Common]GI_Sheet_SetMode"}));
}

TEST(indWarningCheckTest, AnEmptyListAsksNothing) {
    cmcGTex table;
    TableWith(table, {"#", "{(%CL_Check_Common:GI_Sheet_Common)}"});
    int asked = 0;
    indWarningCheck result = indWarningCheck::Run(table, indLinkNames(), Marking({}, &asked));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(result.errors, 0);
    EXPECT_EQ(result.warnings, 0);
    EXPECT_TRUE(result.errorSheets.empty());
}

// This radio's checks have no rules: the shipped list, asked through the
// handler on any image, reports nothing and leaves the image alone.
TEST(indWarningCheckTest, ThisRadiosChecksReportNothing) {
    test::FakeDocHost host;
    host.current.Fill(0xA5);
    cmcEeprom before;
    before.Assign(host.current);
    indWarningCheck result =
        indWarningCheck::Run(host.Table(), indLinkNames(), indActiveCell::LinkFor(host));
    EXPECT_EQ(result.errors, 0);
    EXPECT_EQ(result.warnings, 0);
    EXPECT_TRUE(host.current.Equals(before));
    EXPECT_EQ(host.timerRestarts, 0);
}

TEST(indWarningCheckDeathTest, AnUnknownCheckLinkIsFatal) {
    cmcGTex table;
    TableWith(table, {"{(%CL_Check_Nothing:GI_Sheet_Common)}"});
    indLinkNames names;
    EXPECT_DEATH(indWarningCheck::Run(table, names, Marking({}, nullptr)),
                 "Cannot use the specified cell");
}

}  // namespace
