// Sheet requests and the sheet classes they name.
#include <gtest/gtest.h>

#include "cuiSheetTestSupport.h"
#include "model/iuiSh_ChBank.h"
#include "model/iuiSh_Common.h"
#include "model/iuiSh_Factory.h"
#include "sheet/cuiSheetRequest.h"

namespace {

TEST(cuiSheetRequestTest, SplitsClassNameAndParameters) {
    struct Case {
        const char* text;
        const char* className;
        const char* name;
        const char* parameters;
    };
    const Case cases[] = {
        {"GI_Sheet_GroupList", "", "GI_Sheet_GroupList", ""},
        {"[St_ChBank]GI_Sheet_Mch_Dig,Bank 1", "St_ChBank", "GI_Sheet_Mch_Dig", "Bank 1"},
        {"[St_Common]GI_Sheet_SetMode", "St_Common", "GI_Sheet_SetMode", ""},
        {"GI_Sheet_BankOp,Bank 2,3,0", "", "GI_Sheet_BankOp", "Bank 2,3,0"},
        {"[Broken", "", "[Broken", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const cuiSheetRequest r = cuiSheetRequest::Parse(c.text);
        EXPECT_EQ(r.full, c.text);
        EXPECT_EQ(r.className, c.className);
        EXPECT_EQ(r.name, c.name);
        EXPECT_EQ(r.parameters, c.parameters);
    }
}

class iuiShTest : public sheettest::SheetTest {
protected:
    iuiShTest() : SheetTest("layout.txt") {}
};

TEST_F(iuiShTest, FactoryPicksTheClassAndPassesSourceAndParameters) {
    auto common = iuiSh_Factory::Create("[St_Common]T_Loop2,x", context, nullptr, 0, 0, nullptr);
    EXPECT_NE(dynamic_cast<iuiSh_Common*>(common.get()), nullptr);
    EXPECT_EQ(common->Name(), "T_Loop2");
    EXPECT_EQ(common->Source(), "[St_Common]T_Loop2,x");
    EXPECT_EQ(common->Parameter(), "x");
    common->SetMeasurer(&measurer);
    common->Rebuild();
    EXPECT_EQ(common->RowCount(), Build("T_Loop2")->RowCount());  // as a plain sheet

    auto plain = iuiSh_Factory::Create("[Other]T_Loop2", context, nullptr, 0, 0, nullptr);
    EXPECT_EQ(dynamic_cast<iuiSh_Common*>(plain.get()), nullptr);
    EXPECT_EQ(dynamic_cast<iuiSh_ChBank*>(plain.get()), nullptr);
}

TEST_F(iuiShTest, BankSheetTakesKindAndBankAndRepeatsAnEmptyBankOnce) {
    auto sheet = iuiSh_Factory::Create("[St_ChBank]T_NoCount,Bank 3", context, nullptr, 0, 0,
                                       nullptr);
    auto* bank = dynamic_cast<iuiSh_ChBank*>(sheet.get());
    ASSERT_NE(bank, nullptr);
    EXPECT_EQ(bank->Kind(), iuiSh_ChBank::kOther);
    EXPECT_EQ(bank->Bank(), 3);
    EXPECT_EQ(bank->EntryCount(), 0);
    bank->SetMeasurer(&measurer);
    bank->Rebuild();
    // No entries: only the spare row.
    EXPECT_EQ(bank->RowCount(), 1);
    EXPECT_EQ(bank->LoopStartRow(), 0);

    iuiSh_ChBank alist(context, nullptr, 0, 0, "GI_Sheet_Alist_Grp", nullptr);
    alist.SetParameter("Bank 3");
    EXPECT_EQ(alist.Kind(), iuiSh_ChBank::kAddressList);
    EXPECT_EQ(alist.Bank(), 1);
}

}  // namespace
