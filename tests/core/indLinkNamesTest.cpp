#include "model/indLinkNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using ::testing::ExitedWithCode;

class indLinkNamesTest : public ::testing::Test {
protected:
    indLinkNames names;
};

}  // namespace

TEST_F(indLinkNamesTest, ThreeHundredFiftySevenDistinctLinks) {
    std::set<std::string> seen;
    for (int32_t id = 0; id < indLinkNames::kLinkCount; ++id) {
        const std::string name(indLinkNames::LinkName(id));
        EXPECT_TRUE(name.starts_with("CL_") || name.starts_with("Flex") || name == "CallSheet")
            << id << " " << name;
        EXPECT_TRUE(seen.insert(name).second) << "duplicate " << name;
        EXPECT_EQ(names.LinkId(name), id) << name;
    }
    EXPECT_EQ(seen.size(), 359u);
    EXPECT_EQ(indLinkNames::LinkName(359), "");
    EXPECT_EQ(indLinkNames::LinkName(-1), "");
    EXPECT_EQ(names.LinkId(""), 359);
}

// Each family of names with the ids of its first and last member.
TEST_F(indLinkNamesTest, FamiliesSitAtTheirIds) {
    struct Family {
        const char* first;
        int32_t firstId;
        const char* last;
        int32_t lastId;
    } families[] = {
        {"CL_Null", 0, "CL_Null", 0},
        {"Flex0", 1, "Flex4", 10},
        {"CL_Menu_File_New", 11, "CL_Menu_Reserved_2", 49},
        {"CL_AppInfo_Revision", 50, "CallSheet", 53},
        {"CL_Check_Mch", 54, "CL_Check_Msk_Config", 60},
        {"CL_CloneInfo_Model", 61, "CL_CloneInfo_Reserved67", 69},
        {"CL_EeDebugWin_Adr", 70, "CL_EeDebugWin_F", 86},
        {"CL_PMenu_NoItem", 87, "CL_PMenu_AllOff", 97},
        {"CL_FBits", 98, "CL_FBits", 98},
        {"CL_Misc_No_0Base", 99, "CL_Misc_QuarterPillar", 105},
        {"CL_Call_AfterConvTime", 106, "CL_Call_DigitalTxRestriction_Data", 115},
        {"CL_DigCall_Reserved114", 116, "CL_DigCall_DataStartFrameNumber", 139},
        {"CL_IdList_Valid", 140, "CL_IdList_Data_Id_ProhibitSelfId", 149},
        {"CL_IndvList_Name", 150, "CL_AddrList_Reserved153", 155},
        {"CL_MemCh_Valid", 156, "CL_MemCh_PowerSave", 164},
        {"CL_DigMemCh_Emergency", 165, "CL_DigMemCh_Reserved180", 182},
        {"CL_FreqCh_Valid", 183, "CL_FreqList_TxFreq", 198},
        {"CL_AnaMemCh_RxTone", 199, "CL_AnaMemCh_Compander", 202},
        {"CL_GrpList_Valid", 203, "CL_GrpList_GpsDisp", 221},
        {"CL_SystemList_Reserved220", 222, "CL_SystemList_Reserved226", 228},
        {"CL_SMess_ListNo_1Base", 229, "CL_Stat_Msg_Disp", 238},
        {"CL_Disp_LcdContrast", 239, "CL_Disp_IsUpDownReversed", 251},
        {"CL_Key_LongPushTime", 252, "CL_Key_Reserved276", 278},
        {"CL_Key_SetKeyEna_TxPower", 279, "CL_Key_SetKeyEna_DataAllCall", 299},
        {"CL_Beep_Volume", 300, "CL_Beep_SelfCheck", 307},
        {"CL_Unique_PowerSave", 308, "CL_Unique_CharType", 320},
        {"CL_Option_MicSense", 321, "CL_Option_ExtcGpsTxDInterval", 332},
        {"CL_SetMode_MicGain", 333, "CL_SetMode_BackLight", 340},
        {"CL_Mch_No", 341, "CL_Mch_UsedCHs_Left", 351},
        {"CL_Unique_ReviseEnable", 352, "CL_Unique_ReviseEnableVoice", 353},
        {"CL_Menu_Edit_Undo", 354, "CL_Menu_View_Language", 356},
        {"CL_Menu_File_Compare", 357, "CL_Menu_Clone_Compare", 358},
    };
    int32_t expectedFirst = 0;
    for (const Family& f : families) {
        EXPECT_EQ(f.firstId, expectedFirst) << "families must follow each other: " << f.first;
        EXPECT_EQ(names.LinkId(f.first), f.firstId) << f.first;
        EXPECT_EQ(names.LinkId(f.last), f.lastId) << f.last;
        expectedFirst = f.lastId + 1;
    }
    EXPECT_EQ(expectedFirst, 359);
}

// Single names inside the families, among them the ends of the runs of
// numbered names.
TEST_F(indLinkNamesTest, Checkpoints) {
    const std::pair<const char*, int32_t> checkpoints[] = {
        {"FlexDigKey", 7},
        {"Flex5", 8},
        {"CL_Menu_File_Recent", 17},
        {"CL_Menu_Edit_Redo", 355},
        {"CL_Menu_View_FontSize", 20},
        {"CL_Menu_Optionl_MchFreqEditable", 32},
        {"CL_Menu_Clone_Read", 33},
        {"CL_Menu_Help_About", 40},
        {"CL_Menu_File_Import", 46},
        {"CL_AppInfo_Title", 51},
        {"CL_AppInfo_SubTitle", 52},
        {"CL_EeDebugWin_0", 71},
        {"CL_EeDebugWin_9", 80},
        {"CL_EeDebugWin_A", 81},
        {"CL_PMenu_Edit", 88},
        {"CL_PMenu_CarryDown", 92},
        {"CL_Misc_ChNo_0Base", 102},
        {"CL_DigCall_Reserved122", 124},
        {"CL_DigCall_SelfId_MakerId", 125},
        {"CL_DigCall_SelfId", 127},
        {"CL_DigCall_SelfName", 128},
        {"CL_DigCall_TxMyName", 131},
        {"CL_IdList_Reserved144", 146},
        {"CL_IndvList_Valid", 151},
        {"CL_IndvList_IndvNo", 152},
        {"CL_IndvList_MakerId", 153},
        {"CL_DigMemCh_CallMode", 174},
        {"CL_DigMemCh_Reserrved173", 175},
        {"CL_DigMemCh_Reserrved178", 180},
        {"CL_DigMemCh_Scn", 181},
        {"CL_FreqCh_ScanCh0", 187},
        {"CL_FreqCh_ScanCh9", 196},
        {"CL_GrpList_Name", 205},
        {"CL_GrpList_Id", 206},
        {"CL_GrpList_Reserved205", 207},
        {"CL_GrpList_Reserved214", 216},
        {"CL_GrpList_Name_Disp", 217},
        {"CL_Key_Rsv1Long", 266},
        {"CL_Key_Reserved265", 267},
        {"CL_Key_SetKeyEna_Reserved312", 290},
        {"CL_SetMode_TxPower", 339},
        {"CL_Mch_NoI", 342},
        {"CL_Mch_NoG", 343},
    };
    for (const auto& [name, id] : checkpoints) {
        EXPECT_EQ(names.LinkId(name), id) << name;
        EXPECT_EQ(indLinkNames::LinkName(id), name);
    }
}

// Runs of names that differ only in a number (or hexadecimal digit) count up
// one id at a time; the numbers are part of the names, not the ids.
TEST_F(indLinkNamesTest, NumberedRunsCountUp) {
    struct Run {
        const char* stem;
        std::vector<std::string> suffixes;
        int32_t firstId;
    };
    auto numbers = [](int first, int last) {
        std::vector<std::string> out;
        for (int n = first; n <= last; ++n) {
            out.push_back(std::to_string(n));
        }
        return out;
    };
    std::vector<std::string> hexDigits = numbers(0, 9);
    for (const char* letter : {"A", "B", "C", "D", "E", "F"}) {
        hexDigits.push_back(letter);
    }
    const Run runs[] = {
        {"CL_EeDebugWin_", hexDigits, 71},
        {"CL_DigCall_Reserved", numbers(114, 122), 116},
        {"CL_DigMemCh_Reserrved", numbers(173, 178), 175},
        {"CL_FreqCh_ScanCh", numbers(0, 9), 187},
        {"CL_GrpList_Reserved", numbers(205, 214), 207},
        {"CL_SystemList_Reserved", numbers(220, 226), 222},
        {"CL_Key_Reserved", numbers(265, 276), 267},
    };
    for (const Run& run : runs) {
        int32_t id = run.firstId;
        for (const std::string& suffix : run.suffixes) {
            EXPECT_EQ(indLinkNames::LinkName(id), run.stem + suffix) << id;
            ++id;
        }
    }
}

TEST_F(indLinkNamesTest, CategoriesAndTheirChTypes) {
    struct Category {
        const char* name;
        int32_t id;
        uint32_t chType;
    } categories[] = {
        {"CT_Null", 0, 0},     {"CT_PopupMenu", 1, 0}, {"CT_BankOp", 2, 1},
        {"CT_ConfigCh", 3, 2}, {"CT_FreqCh", 4, 3},    {"CT_BankOpAlist", 5, 4},
        {"CT_AddrList", 6, 5}, {"CT_IndvList", 7, 6},  {"CT_GrpList", 8, 7},
        {"CT_TxMsg", 9, 8},    {"CT_Stat", 10, 9},     {"CT_ModelInfo", 11, 0},
    };
    for (const Category& c : categories) {
        EXPECT_EQ(names.CategoryId(c.name), c.id) << c.name;
        EXPECT_EQ(indLinkNames::CategoryName(c.id), c.name);
        EXPECT_EQ(indLinkNames::ChTypeOf(c.id), c.chType) << c.name;
    }
    EXPECT_EQ(names.CategoryId(""), 12);
    EXPECT_EQ(indLinkNames::ChTypeOf(12), 0u);
    EXPECT_EQ(indLinkNames::CategoryName(12), "");
}

TEST_F(indLinkNamesTest, NamesAreLookedUpExactly) {
    // The two tables are apart: a category name is no link and the reverse.
    EXPECT_EXIT(names.LinkId("CT_IndvList"), ExitedWithCode(3),
                "Cannot use the specified cell\\.\n'CT_IndvList'");
    EXPECT_EXIT(names.CategoryId("CL_Menu_File_New"), ExitedWithCode(3),
                "Cannot use the specified category\\.\n'CL_Menu_File_New'");
    EXPECT_EXIT(names.LinkId("cl_null"), ExitedWithCode(3), "'cl_null'");
    EXPECT_EXIT(names.LinkId("CL_Null "), ExitedWithCode(3), "'CL_Null '");
    EXPECT_EXIT(names.LinkId("CL_DigMemCh_Reserved173"), ExitedWithCode(3),
                "'CL_DigMemCh_Reserved173'");
}

TEST_F(indLinkNamesTest, ChTypeOfAnIdOutsideTheTableIsFatal) {
    EXPECT_EXIT(indLinkNames::ChTypeOf(13), ExitedWithCode(3), "Unknown Cell Category\\. \\(13\\)");
    EXPECT_EXIT(indLinkNames::ChTypeOf(-1), ExitedWithCode(3), "Unknown Cell Category\\. \\(-1\\)");
}
