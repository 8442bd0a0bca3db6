#pragma once
#include <cstdint>

// Ids of the links the handler gives behaviour, by their position in the
// link name table (indLinkNames); the tests hold each to its name.
namespace indActiveCellIds {

inline constexpr int32_t kNull = 0;
inline constexpr int32_t kFlex0 = 1;
inline constexpr int32_t kFlex1 = 2;
inline constexpr int32_t kFlex2 = 3;
inline constexpr int32_t kFlexMark = 4;
inline constexpr int32_t kFlexAfterConvDisp = 6;
inline constexpr int32_t kFlexDigKey = 7;
inline constexpr int32_t kFlex3 = 9;

inline constexpr int32_t kMenuFirst = 11;  // CL_Menu_File_New
inline constexpr int32_t kMenuOptionCsm = 29;
inline constexpr int32_t kMenuOptionAtis = 30;
inline constexpr int32_t kMenuModel2 = 38;
inline constexpr int32_t kMenuModel3 = 39;
inline constexpr int32_t kMenuLast = 49;  // CL_Menu_Reserved_2
// Menu links added later sit at the end of the table.
inline constexpr int32_t kMenuLaterFirst = 354;  // CL_Menu_Edit_Undo
inline constexpr int32_t kMenuLaterLast = 358;   // CL_Menu_Clone_Compare

inline constexpr int32_t kAppInfoRevision = 50;
inline constexpr int32_t kAppInfoTitle = 51;
inline constexpr int32_t kAppInfoSubTitle = 52;
inline constexpr int32_t kCallSheet = 53;

inline constexpr int32_t kCloneInfoModel = 61;
inline constexpr int32_t kCloneInfoModelNo = 62;
inline constexpr int32_t kCloneInfoExtraNo = 63;
inline constexpr int32_t kCloneInfoRevision = 64;
inline constexpr int32_t kCloneInfoVersion = 65;
inline constexpr int32_t kCloneInfoMapRevClone = 66;
inline constexpr int32_t kCloneInfoMapRevAdj = 67;
inline constexpr int32_t kCloneInfoAdjSpecRev = 68;

inline constexpr int32_t kPMenuNoItem = 87;
inline constexpr int32_t kPMenuEdit = 88;
inline constexpr int32_t kPMenuCopy = 89;
inline constexpr int32_t kPMenuPaste = 90;
inline constexpr int32_t kPMenuCarryUp = 91;
inline constexpr int32_t kPMenuCarryDown = 92;
inline constexpr int32_t kPMenuClear = 93;
inline constexpr int32_t kPMenuDelete = 94;
inline constexpr int32_t kPMenuInsert = 95;
inline constexpr int32_t kPMenuAllOn = 96;
inline constexpr int32_t kPMenuAllOff = 97;

inline constexpr int32_t kMiscNo0Base = 99;
inline constexpr int32_t kMiscNo1Base = 100;
inline constexpr int32_t kMiscNoNBase = 101;
inline constexpr int32_t kMiscChNo0Base = 102;
inline constexpr int32_t kMiscChNo1Base = 103;
inline constexpr int32_t kMiscSChNo1Base = 104;
inline constexpr int32_t kMiscQuarterPillar = 105;

inline constexpr int32_t kDigCallSelfIdMakerId = 125;
inline constexpr int32_t kDigCallSelfIdIndvId = 126;
inline constexpr int32_t kDigCallSelfId = 127;
inline constexpr int32_t kDigCallSelfName = 128;
inline constexpr int32_t kDigCallTxMyName = 131;
inline constexpr int32_t kDigCallReplyType = 133;
inline constexpr int32_t kDigCallReplyWaitTime = 134;
inline constexpr int32_t kDigCallReSendNum = 135;

inline constexpr int32_t kIdListName = 141;
inline constexpr int32_t kIdListId = 142;
inline constexpr int32_t kIdListIdProhibitSelfId = 143;
inline constexpr int32_t kIdListIdProhibitGpsEmerId = 144;
inline constexpr int32_t kIdListVoiceId = 145;
inline constexpr int32_t kIdListVoiceIdProhibitGpsEmerId = 147;
inline constexpr int32_t kIdListDataId = 148;
inline constexpr int32_t kIdListDataIdProhibitSelfId = 149;

inline constexpr int32_t kIndvListName = 150;
inline constexpr int32_t kIndvListValid = 151;
inline constexpr int32_t kIndvListIndvNo = 152;
inline constexpr int32_t kIndvListMakerId = 153;

inline constexpr int32_t kGrpListValid = 203;
inline constexpr int32_t kGrpListName = 205;
inline constexpr int32_t kGrpListId = 206;
inline constexpr int32_t kGrpListNameDisp = 217;
inline constexpr int32_t kGrpListIdDisp = 218;
inline constexpr int32_t kGrpListTxSelCallVoiceDisp = 219;
inline constexpr int32_t kGrpListTxSelCallDataDisp = 220;
inline constexpr int32_t kGrpListGpsDisp = 221;

// CL_SetMode_MicGain .. CL_SetMode_BackLight.
inline constexpr int32_t kSetModeFirst = 333;
inline constexpr int32_t kSetModeLast = 340;

inline constexpr int32_t kMchNo = 341;
inline constexpr int32_t kMchNoI = 342;
inline constexpr int32_t kMchNoG = 343;

}  // namespace indActiveCellIds
