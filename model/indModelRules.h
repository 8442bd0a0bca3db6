#pragma once
#include <cstdint>

#include "model/AddrRange.h"
#include "model/indImageMap.h"

class cmcEeprom;

// This radio's rules for whole images: its identification, the address
// ranges of each operation, the check that an image really belongs to this
// radio, and the updates made after loading and before saving. None of them
// needs a window; the model controller and the command-line tool call them.
namespace indModelRules {

inline constexpr int32_t kImageSize = indImageMap::kImageSize;
inline constexpr uint16_t kModelCode = 0x4001;
inline constexpr uint16_t kExtraCode = 0x0021;

// Range list selectors.
inline constexpr int kRangeCloneRead = 0;
inline constexpr int kRangeCloneWrite = 2;
inline constexpr int kRangeMemoryWrite = 3;
inline constexpr int kRangeSave = 5;
inline constexpr int kRangeLoadCoverage = 6;

// The ranges of an operation, one span closed by (1, 0). Unknown selectors
// get the span that files hold.
AddrRangeList GetRangeList(int selector);

// Model check of image files: accepts model code 0x4001 with extra code
// 0x0021. Otherwise sets result to 3 (model code differs) or 4 (extra code
// differs) and rejects. The controller's own follow-up on acceptance (model
// index, model initialisation) is the controller's.
bool CheckFileModel(uint32_t model, uint32_t extra, int& result);

// Map revision check of image files: revisions below 2 load, including -1
// for a file without a revision line.
bool CheckMapRev(int32_t mapRev);

// An image of this radio carries its model code at 0x00B8.
bool CheckLoadedImage(const cmcEeprom& image);

// After every load all 63 groups are valid, each stored with ID i + 1. This
// only changes the image: the caller (the model controller) sends
// application event 26, image replaced, right after it.
void AfterLoad(cmcEeprom& image);

// Before every save and clone write: the model code, every setting-mode
// permission, and the same group updates as after loading.
void BeforeSave(cmcEeprom& image);

}  // namespace indModelRules
