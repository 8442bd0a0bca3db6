#include "model/indLinkNames.h"

#include <iterator>
#include <string>

#include "sheet/cmcCellObj.h"
#include "util/cmcFatal.h"
#include "util/cmcStr.h"

namespace {

struct Category {
    std::string_view name;
    uint32_t chType;
};

constexpr Category kCategories[] = {
    {"CT_Null", 0},    {"CT_PopupMenu", 0},   {"CT_BankOp", 1},   {"CT_ConfigCh", 2},
    {"CT_FreqCh", 3},  {"CT_BankOpAlist", 4}, {"CT_AddrList", 5}, {"CT_IndvList", 6},
    {"CT_GrpList", 7}, {"CT_TxMsg", 8},       {"CT_Stat", 9},     {"CT_ModelInfo", 0},
};
static_assert(std::size(kCategories) == indLinkNames::kCategoryCount);
static_assert(cmcCellObj::kNoCategory == indLinkNames::kCategoryCount);

// In id order. The numbers inside some names are part of the name, not the id.
constexpr std::string_view kLinks[] = {
    "CL_Null",
    // 1
    "Flex0",
    "Flex1",
    "Flex2",
    "FlexMark",
    "FlexEeDebugWin",
    "FlexAfterConvDisp",
    "FlexDigKey",
    "Flex5",
    "Flex3",
    "Flex4",
    // 11
    "CL_Menu_File_New",
    "CL_Menu_File_Open",
    "CL_Menu_File_Save",
    "CL_Menu_File_SaveAs",
    "CL_Menu_File_Print_Current",
    "CL_Menu_File_Print_All",
    "CL_Menu_File_Recent",
    "CL_Menu_File_Exit",
    "CL_Menu_Edit_Top",
    "CL_Menu_View_FontSize",
    "CL_Menu_View_ToolBar",
    "CL_Menu_Port_Com",
    "CL_Menu_Port_Usb",
    "CL_Menu_Port_SpeedHigh",
    "CL_Menu_Port_ComList1",
    "CL_Menu_Port_ComList2",
    "CL_Menu_Port_Search",
    "CL_Menu_Option_SelfId",
    "CL_Menu_Option_Csm",
    "CL_Menu_Option_Atis",
    "CL_Menu_Option_Font",
    "CL_Menu_Optionl_MchFreqEditable",
    "CL_Menu_Clone_Read",
    "CL_Menu_Clone_Write",
    "CL_Menu_Clone_MemWrite",
    "CL_Menu_Clone_Info",
    "CL_Menu_Model_1",
    "CL_Menu_Model_2",
    "CL_Menu_Model_3",
    "CL_Menu_Help_About",
    "CL_Menu_Help_Contents",
    "CL_Menu_Debug_Compare",
    "CL_Menu_Debug_CorrectComp",
    "CL_Menu_Debug_Window",
    "CL_Menu_Debug_EeWindow",
    "CL_Menu_File_Import",
    "CL_Menu_File_Export",
    "CL_Menu_Reserved_1",
    "CL_Menu_Reserved_2",
    // 50
    "CL_AppInfo_Revision",
    "CL_AppInfo_Title",
    "CL_AppInfo_SubTitle",
    "CallSheet",
    // 54
    "CL_Check_Mch",
    "CL_Check_SetMode",
    "CL_Check_Common",
    "CL_Check_User_Tone_Encode",
    "CL_Check_Msk_IdRange",
    "CL_Check_Msk_OwnIdGroup",
    "CL_Check_Msk_Config",
    // 61
    "CL_CloneInfo_Model",
    "CL_CloneInfo_ModelNo",
    "CL_CloneInfo_ExtraNo",
    "CL_CloneInfo_Revision",
    "CL_CloneInfo_Version",
    "CL_CloneInfo_MapRev_Clone",
    "CL_CloneInfo_MapRev_Adj",
    "CL_CloneInfo_AdjSpecRev",
    "CL_CloneInfo_Reserved67",
    // 70
    "CL_EeDebugWin_Adr",
    "CL_EeDebugWin_0",
    "CL_EeDebugWin_1",
    "CL_EeDebugWin_2",
    "CL_EeDebugWin_3",
    "CL_EeDebugWin_4",
    "CL_EeDebugWin_5",
    "CL_EeDebugWin_6",
    "CL_EeDebugWin_7",
    "CL_EeDebugWin_8",
    "CL_EeDebugWin_9",
    "CL_EeDebugWin_A",
    "CL_EeDebugWin_B",
    "CL_EeDebugWin_C",
    "CL_EeDebugWin_D",
    "CL_EeDebugWin_E",
    "CL_EeDebugWin_F",
    // 87
    "CL_PMenu_NoItem",
    "CL_PMenu_Edit",
    "CL_PMenu_Copy",
    "CL_PMenu_Paste",
    "CL_PMenu_CarryUp",
    "CL_PMenu_CarryDown",
    "CL_PMenu_Clear",
    "CL_PMenu_Delete",
    "CL_PMenu_Insert",
    "CL_PMenu_AllOn",
    "CL_PMenu_AllOff",
    // 98
    "CL_FBits",
    // 99
    "CL_Misc_No_0Base",
    "CL_Misc_No_1Base",
    "CL_Misc_No_NBase",
    "CL_Misc_ChNo_0Base",
    "CL_Misc_ChNo_1Base",
    "CL_Misc_SChNo_1Base",
    "CL_Misc_QuarterPillar",
    // 106
    "CL_Call_AfterConvTime",
    "CL_Call_Absent",
    "CL_Call_CallingLed",
    "CL_Call_PocketBeep",
    "CL_Call_TimeOutTimerEmer",
    "CL_Call_TimeOutTimer",
    "CL_Call_PenaltyTimer",
    "CL_Call_EnablePenaltyDisp",
    "CL_Call_DigitalTxRestriction_Voice",
    "CL_Call_DigitalTxRestriction_Data",
    // 116
    "CL_DigCall_Reserved114",
    "CL_DigCall_Reserved115",
    "CL_DigCall_Reserved116",
    "CL_DigCall_Reserved117",
    "CL_DigCall_Reserved118",
    "CL_DigCall_Reserved119",
    "CL_DigCall_Reserved120",
    "CL_DigCall_Reserved121",
    "CL_DigCall_Reserved122",
    "CL_DigCall_SelfId_MakerId",
    "CL_DigCall_SelfId_IndvId",
    "CL_DigCall_SelfId",
    "CL_DigCall_SelfName",
    "CL_DigCall_OriginatorInfoTx",
    "CL_DigCall_StartFrameNumber",
    "CL_DigCall_TxMyName",
    "CL_DigCall_SMessBeep",
    "CL_DigCall_ReplyType",
    "CL_DigCall_ReplyWaitTime",
    "CL_DigCall_ReSendNum",
    "CL_DigCall_TalkMonitor",
    "CL_DigCall_Restriction_IsDisplayEnable",
    "CL_DigCall_Restriction_Time",
    "CL_DigCall_DataStartFrameNumber",
    // 140
    "CL_IdList_Valid",
    "CL_IdList_Name",
    "CL_IdList_Id",
    "CL_IdList_Id_ProhibitSelfId",
    "CL_IdList_Id_ProhibitGpsEmerId",
    "CL_IdList_Voice_Id",
    "CL_IdList_Reserved144",
    "CL_IdList_Voice_Id_ProhibitGpsEmerId",
    "CL_IdList_Data_Id",
    "CL_IdList_Data_Id_ProhibitSelfId",
    // 150
    "CL_IndvList_Name",
    "CL_IndvList_Valid",
    "CL_IndvList_IndvNo",
    "CL_IndvList_MakerId",
    "CL_AddrList_Reserved152",
    "CL_AddrList_Reserved153",
    // 156
    "CL_MemCh_Valid",
    "CL_MemCh_Name",
    "CL_MemCh_TxPower",
    "CL_MemCh_TxInh",
    "CL_MemCh_FreqIndex",
    "CL_MemCh_RxFreq",
    "CL_MemCh_TxFreq",
    "CL_MemCh_ChType",
    "CL_MemCh_PowerSave",
    // 165
    "CL_DigMemCh_Emergency",
    "CL_DigMemCh_RxFreqSelect",
    "CL_DigMemCh_TxFreqSelect",
    "CL_DigMemCh_Reserved166",
    "CL_DigMemCh_Reserved167",
    "CL_DigMemCh_AutoStart",
    "CL_DigMemCh_ScanType",
    "CL_DigMemCh_FreqGroup",
    "CL_DigMemCh_Priority",
    "CL_DigMemCh_CallMode",
    "CL_DigMemCh_Reserrved173",
    "CL_DigMemCh_Reserrved174",
    "CL_DigMemCh_Reserrved175",
    "CL_DigMemCh_Reserrved176",
    "CL_DigMemCh_Reserrved177",
    "CL_DigMemCh_Reserrved178",
    "CL_DigMemCh_Scn",
    "CL_DigMemCh_Reserved180",
    // 183
    "CL_FreqCh_Valid",
    "CL_FreqCh_Name",
    "CL_FreqCh_RxFreq",
    "CL_FreqCh_TxFreq",
    "CL_FreqCh_ScanCh0",
    "CL_FreqCh_ScanCh1",
    "CL_FreqCh_ScanCh2",
    "CL_FreqCh_ScanCh3",
    "CL_FreqCh_ScanCh4",
    "CL_FreqCh_ScanCh5",
    "CL_FreqCh_ScanCh6",
    "CL_FreqCh_ScanCh7",
    "CL_FreqCh_ScanCh8",
    "CL_FreqCh_ScanCh9",
    "CL_FreqList_RxFreq",
    "CL_FreqList_TxFreq",
    // 199
    "CL_AnaMemCh_RxTone",
    "CL_AnaMemCh_TxTone",
    "CL_AnaMemCh_Emphasis",
    "CL_AnaMemCh_Compander",
    // 203
    "CL_GrpList_Valid",
    "CL_GrpList_Reserved202",
    "CL_GrpList_Name",
    "CL_GrpList_Id",
    "CL_GrpList_Reserved205",
    "CL_GrpList_Reserved206",
    "CL_GrpList_Reserved207",
    "CL_GrpList_Reserved208",
    "CL_GrpList_Reserved209",
    "CL_GrpList_Reserved210",
    "CL_GrpList_Reserved211",
    "CL_GrpList_Reserved212",
    "CL_GrpList_Reserved213",
    "CL_GrpList_Reserved214",
    "CL_GrpList_Name_Disp",
    "CL_GrpList_Id_Disp",
    "CL_GrpList_TxSelCallVoiceDisp",
    "CL_GrpList_TxSelCallDataDisp",
    "CL_GrpList_GpsDisp",
    // 222
    "CL_SystemList_Reserved220",
    "CL_SystemList_Reserved221",
    "CL_SystemList_Reserved222",
    "CL_SystemList_Reserved223",
    "CL_SystemList_Reserved224",
    "CL_SystemList_Reserved225",
    "CL_SystemList_Reserved226",
    // 229
    "CL_SMess_ListNo_1Base",
    "CL_SMess_No",
    "CL_SMess_Msg",
    "CL_SMess_Msg_Disp",
    "CL_Stat_ListNo_0Base",
    "CL_Stat_No",
    "CL_Stat_Beep",
    "CL_Stat_Msg",
    "CL_Stat_No_Disp",
    "CL_Stat_Msg_Disp",
    // 239
    "CL_Disp_LcdContrast",
    "CL_Disp_BackLight",
    "CL_Disp_Reserved239",
    "CL_Disp_ScrollSpeed",
    "CL_Disp_BootComment",
    "CL_Disp_SelfIdView",
    "CL_Disp_SelfIdSkip",
    "CL_Disp_ChannelEdgeType",
    "CL_Disp_Reserved245",
    "CL_Disp_Reserved246",
    "CL_Disp_Reserved247",
    "CL_Disp_MinimumVolume",
    "CL_Disp_IsUpDownReversed",
    // 252
    "CL_Key_LongPushTime",
    "CL_Key_KeyLock_OffTime",
    "CL_Key_KeyLock_Type",
    "CL_Key_MenuShort",
    "CL_Key_MenuLong",
    "CL_Key_FuncShort",
    "CL_Key_FuncLong",
    "CL_Key_P0Short",
    "CL_Key_P0Long",
    "CL_Key_P1Short",
    "CL_Key_P1Long",
    "CL_Key_Rsv0Short",
    "CL_Key_Rsv0Long",
    "CL_Key_Rsv1Short",
    "CL_Key_Rsv1Long",
    "CL_Key_Reserved265",
    "CL_Key_Reserved266",
    "CL_Key_Reserved267",
    "CL_Key_Reserved268",
    "CL_Key_Reserved269",
    "CL_Key_Reserved270",
    "CL_Key_Reserved271",
    "CL_Key_Reserved272",
    "CL_Key_Reserved273",
    "CL_Key_Reserved274",
    "CL_Key_Reserved275",
    "CL_Key_Reserved276",
    // 279
    "CL_Key_SetKeyEna_TxPower",
    "CL_Key_SetKeyEna_Encr",
    "CL_Key_SetKeyEna_Stat",
    "CL_Key_SetKeyEna_SMess",
    "CL_Key_SetKeyEna_StatRecord",
    "CL_Key_SetKeyEna_SMessRecord",
    "CL_Key_SetKeyEna_Emergency",
    "CL_Key_SetKeyEna_VoiceRecord",
    "CL_Key_SetKeyEna_VoiceDest",
    "CL_Key_SetKeyEna_AnaNoiseSql",
    "CL_Key_SetKeyEna_MicGain",
    "CL_Key_SetKeyEna_Reserved312",
    "CL_Key_SetKeyEna_Scan",
    "CL_Key_SetKeyEna_VoiceMySysCall",
    "CL_Key_SetKeyEna_VoiceIndvCall",
    "CL_Key_SetKeyEna_VoiceGroupCall",
    "CL_Key_SetKeyEna_VoiceAllCall",
    "CL_Key_SetKeyEna_DataMySysCall",
    "CL_Key_SetKeyEna_DataIndvCall",
    "CL_Key_SetKeyEna_DataGroupCall",
    "CL_Key_SetKeyEna_DataAllCall",
    // 300
    "CL_Beep_Volume",
    "CL_Beep_FixVolLevel",
    "CL_Beep_AttenuationForEarphone",
    "CL_Beep_AfterConv",
    "CL_Beep_DataBusy",
    "CL_Beep_Key",
    "CL_Beep_TxMonitor",
    "CL_Beep_SelfCheck",
    // 308
    "CL_Unique_PowerSave",
    "CL_Unique_PowerSaveSleepTime",
    "CL_Unique_AutoOff",
    "CL_Unique_DealerCode",
    "CL_Unique_EncrKey",
    "CL_Unique_EncrKey_Disp",
    "CL_Unique_WhiteningPattern",
    "CL_Unique_Reserved348",
    "CL_Unique_Reserved349",
    "CL_Unique_MaxTxPower",
    "CL_Unique_MinTxPower",
    "CL_Unique_Reserved352",
    "CL_Unique_CharType",
    // 321
    "CL_Option_MicSense",
    "CL_Option_MicGain",
    "CL_Option_OutputSignal",
    "CL_Option_ExVcIni",
    "CL_Option_Reserved371",
    "CL_Option_ExtcGpsIdType",
    "CL_Option_ExtcGpsBroadcastId",
    "CL_Option_ExtcGpsAutoTx",
    "CL_Option_ExtcGpsTxInterval",
    "CL_Option_ExtcGpsAfterConvTx",
    "CL_Option_ExtcGpsDataType",
    "CL_Option_ExtcGpsTxDInterval",
    // 333
    "CL_SetMode_MicGain",
    "CL_SetMode_VoiceDest",
    "CL_SetMode_Radio",
    "CL_SetMode_RxGpsRecord",
    "CL_SetMode_IdRegist",
    "CL_SetMode_RxVoiceRecord",
    "CL_SetMode_TxPower",
    "CL_SetMode_BackLight",
    // 341
    "CL_Mch_No",
    "CL_Mch_NoI",
    "CL_Mch_NoG",
    "CL_Mch_BankText",
    "CL_Mch_SmarTrunk",
    "CL_Mch_Bank",
    "CL_Mch_Bank_Total",
    "CL_Mch_Bank_Left",
    "CL_Mch_UsedCHs",
    "CL_Mch_UsedCHs_Total",
    "CL_Mch_UsedCHs_Left",
    // 352
    "CL_Unique_ReviseEnable",
    "CL_Unique_ReviseEnableVoice",
    // 354: added after the original registry, so the older ids keep their numbers.
    "CL_Menu_Edit_Undo",
    "CL_Menu_Edit_Redo",
    "CL_Menu_View_Language",
    // 357
    "CL_Menu_File_Compare",
    "CL_Menu_Clone_Compare",
};
static_assert(std::size(kLinks) == indLinkNames::kLinkCount);
static_assert(cmcCellObj::kNoLink == indLinkNames::kLinkCount);

// Enters names → positions into a name table of the registry's size.
template <class Item, size_t N, class NameOf>
void Fill(cmcHash& table, const Item (&items)[N], NameOf nameOf) {
    table.Create(1031);
    for (size_t id = 0; id < N; ++id) {
        table.Add(std::string(nameOf(items[id])), static_cast<int32_t>(id));
    }
}

// The id of `name` in `table`; "" gives `none`. An unknown name can only come
// from a faulty description, so it ends the program, naming what was asked.
int32_t Lookup(const cmcHash& table, std::string_view name, int32_t none, const char* what) {
    if (name.empty()) {
        return none;
    }
    std::string key(name);
    if (const cmcHash::Node* node = table.Find(key)) {
        return node->value;
    }
    cmcFatal(cmcFatalCaption::ExeName,
             cmcStr::Format("Cannot use the specified %s.\n'%s'", what, key.c_str()));
}

}  // namespace

indLinkNames::indLinkNames() {
    Fill(m_categories, kCategories, [](const Category& c) { return c.name; });
    Fill(m_links, kLinks, [](std::string_view name) { return name; });
}

int32_t indLinkNames::CategoryId(std::string_view name) const {
    return Lookup(m_categories, name, kCategoryCount, "category");
}

int32_t indLinkNames::LinkId(std::string_view name) const {
    return Lookup(m_links, name, kLinkCount, "cell");
}

uint32_t indLinkNames::ChTypeOf(int32_t category) {
    if (category == kCategoryCount) {
        return 0;
    }
    if (category < 0 || category > kCategoryCount) {
        cmcFatal(cmcFatalCaption::ExeName,
                 cmcStr::Format("Unknown Cell Category. (%d)", static_cast<int>(category)));
    }
    return kCategories[category].chType;
}

std::string_view indLinkNames::CategoryName(int32_t id) {
    return id >= 0 && id < kCategoryCount ? kCategories[id].name : std::string_view();
}

std::string_view indLinkNames::LinkName(int32_t id) {
    return id >= 0 && id < kLinkCount ? kLinks[id] : std::string_view();
}
