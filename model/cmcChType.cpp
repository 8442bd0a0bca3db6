#include "model/cmcChType.h"

#include <array>

namespace cmcChType {

namespace {

constexpr std::array<Range, 10> kRanges = {{
    {0, 0, false, false},  // 0: no list
    {0, 3, true, true},    // 1: bank operations
    {0, 127, true, true},  // 2: configuration channels
    {0, 19, true, true},   // 3: frequency channels
    {0, 3, true, true},    // 4: address-list bank operations
    {0, 12, true, true},   // 5: address list
    {0, 29, true, true},   // 6: individual list
    {0, 62, true, true},   // 7: group list
    {0, 127, true, true},  // 8: transmit messages
    {0, 128, true, true},  // 9: status messages
}};

constexpr Range kBeyondTable = {0, 100000000, false, false};

}  // namespace

Range GetRange(uint32_t chType) {
    return chType < kRanges.size() ? kRanges[chType] : kBeyondTable;
}

bool IsValidBank(int32_t bank) {
    return bank >= 0 && bank <= 3;
}

uint32_t GetBankFirst(uint32_t /*chType*/, int32_t /*bank*/) {
    return 0;
}

uint32_t GetBankSize(uint32_t /*chType*/, int32_t /*bank*/) {
    return 0;
}

}  // namespace cmcChType
