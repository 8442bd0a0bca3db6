#pragma once
#include <cstdint>

// Where this radio keeps each setting in its EEPROM image. Every other part
// takes addresses, record layouts and counts from here. All integers are
// little-endian.
namespace indImageMap {

inline constexpr int32_t kImageSize = 2949;  // 0x0000-0x0B84

// Own station.
inline constexpr int32_t kOwnIndividualNo = 0x0000;  // 32-bit, edited 0..2097151
inline constexpr int32_t kOwnMakerId = 0x00AF;       // edited 0..127
inline constexpr int32_t kOwnName = 0x02E0;          // 12 text bytes + a 13th kept as read
inline constexpr int32_t kTxMyName = 0x02F4;         // bit kTxMyNameBit only
inline constexpr uint8_t kTxMyNameBit = 0x02;

// Identification word of the image: the model code, little-endian.
inline constexpr int32_t kModelCodeWord = 0x00B8;

// Key assignment table: 12 byte pairs.
inline constexpr int32_t kKeyAssignFirst = 0x02FC;
inline constexpr int32_t kKeyAssignLast = 0x0313;

// Setting-mode permissions, one bit per item, 1 = permitted.
inline constexpr int32_t kSetModePermit = 0x0314;

// Names are 12 bytes of code page 932 text padded with 0, followed by a
// terminator byte; records hold all 13.
inline constexpr int32_t kNameTextBytes = 12;
inline constexpr int32_t kNameBytes = 13;

// Individual list: 30 records of 24 bytes.
namespace Indv {
inline constexpr int32_t kBase = 0x0324;
inline constexpr int32_t kCount = 30;
inline constexpr int32_t kRecordSize = 24;
inline constexpr int32_t kName = 0;  // 13 bytes; byte 12 always written as 0
inline constexpr int32_t kValid = 14;
inline constexpr int32_t kMakerId = 16;
inline constexpr int32_t kNumber = 20;  // 32-bit
}  // namespace Indv

// Group list: 63 records of 16 bytes; validity lives in the bitmap below.
namespace Grp {
inline constexpr int32_t kBase = 0x05F8;
inline constexpr int32_t kCount = 63;
inline constexpr int32_t kRecordSize = 16;
inline constexpr int32_t kName = 0;  // 13 bytes; byte 12 always written as 0
// Byte 13: bit 0 always 1, bits 1..6 the group ID, bit 7 kept as read.
inline constexpr int32_t kIdByte = 13;
inline constexpr uint8_t kIdFixedBit = 0x01;
inline constexpr uint8_t kIdMask = 0x7E;
inline constexpr uint8_t kIdKeptBit = 0x80;
}  // namespace Grp

// Group valid bitmap: group i is bit (7 - i mod 8) of byte base + i div 8.
inline constexpr int32_t kGroupValidBitmap = 0x0B7B;
inline constexpr int32_t kGroupValidBitmapBytes = 8;

struct BitPosition {
    int32_t address;
    uint8_t mask;
};

constexpr BitPosition GroupValidBit(int32_t group) {
    return {kGroupValidBitmap + group / 8, static_cast<uint8_t>(0x80u >> (group % 8))};
}

constexpr int32_t IndvRecord(int32_t index) {
    return Indv::kBase + Indv::kRecordSize * index;
}
constexpr int32_t GrpRecord(int32_t index) {
    return Grp::kBase + Grp::kRecordSize * index;
}

}  // namespace indImageMap
