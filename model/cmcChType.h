#pragma once
#include <cstdint>

// ChType names a kind of list record. This table says which entry indexes a
// kind has and whether clearing and range operations apply to it; the bank
// queries say where a bank starts in a list. Only ChType 6 (individual list)
// and 7 (group list) have records in this radio.
namespace cmcChType {

inline constexpr uint32_t kNone = 0;
inline constexpr uint32_t kIndvList = 6;
inline constexpr uint32_t kGrpList = 7;

struct Range {
    uint32_t first;   // first entry index
    uint32_t last;    // last entry index
    bool canClear;    // the clear operation applies
    bool canRangeOp;  // range operations (copy, paste, move rows) apply
};

// The index range and permissions of a ChType. A ChType of 10 or more gives
// 0..100000000 without permissions.
Range GetRange(uint32_t chType);

// This radio has no banks: banks 0..3 are valid, and every bank starts at
// entry 0 and holds no entries.
bool IsValidBank(int32_t bank);
uint32_t GetBankFirst(uint32_t chType, int32_t bank);
uint32_t GetBankSize(uint32_t chType, int32_t bank);

}  // namespace cmcChType
