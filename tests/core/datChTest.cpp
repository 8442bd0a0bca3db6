#include "model/datCh.h"

#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"

#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "model/cmcChType.h"
#include "model/cmcEeprom.h"
#include "model/indImageMap.h"

namespace {

constexpr int32_t kIndv3 = 0x0324 + 24 * 3;
constexpr int32_t kGrp5 = 0x05F8 + 16 * 5;

// An image where no byte is 0, so every byte a record writes shows.
cmcEeprom Busy() {
    return test::ImageOf(indImageMap::kImageSize, [](int32_t a) { return 0x81 | (a % 0x7F); });
}

void SetName(datCh& record, const char* text) {
    std::memset(record.name, 0, sizeof record.name);
    std::memcpy(record.name, text, std::strlen(text));
}

}  // namespace

TEST(datChTest, IndividualRecordLoadsItsFields) {
    cmcEeprom image = Busy();
    const char name[] = "ABCDEFGHIJKLM";
    for (int i = 0; i < 13; ++i) {
        image.SetByte(kIndv3 + i, static_cast<uint8_t>(name[i]));
    }
    image.SetByte(kIndv3 + 14, 0x05);
    image.SetByte(kIndv3 + 16, 0x7F);
    image.SetDword(kIndv3 + 20, 2097151);

    datCh record(&image);
    record.Load(cmcChType::kIndvList, 3);
    EXPECT_EQ(record.chType, 6u);
    EXPECT_EQ(record.index, 3u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(record.name), 13), "ABCDEFGHIJKLM");
    EXPECT_EQ(record.valid, 0x05);
    EXPECT_EQ(record.id, 0x7F);
    EXPECT_EQ(record.number, 2097151u);
}

TEST(datChTest, IndividualStoreTerminatesTheNameAndTouchesOnlyItsFields) {
    cmcEeprom image = Busy();
    cmcEeprom before;
    before.Assign(image);
    datCh record(&image);
    SetName(record, "twelve bytes");
    record.name[12] = 'X';  // the buffer's 13th byte never reaches the image
    record.valid = 1;
    record.id = 0x1234;  // only the low byte is the maker ID
    record.number = 0x00ABCDEF;
    record.Store(cmcChType::kIndvList, 3);

    const uint8_t expected[24] = {'t',
                                  'w',
                                  'e',
                                  'l',
                                  'v',
                                  'e',
                                  ' ',
                                  'b',
                                  'y',
                                  't',
                                  'e',
                                  's',
                                  0,
                                  before.GetByte(kIndv3 + 13),
                                  1,
                                  before.GetByte(kIndv3 + 15),
                                  0x34,
                                  before.GetByte(kIndv3 + 17),
                                  before.GetByte(kIndv3 + 18),
                                  before.GetByte(kIndv3 + 19),
                                  0xEF,
                                  0xCD,
                                  0xAB,
                                  0x00};
    for (int32_t i = 0; i < 24; ++i) {
        EXPECT_EQ(image.GetByte(kIndv3 + i), expected[i]) << "record byte " << i;
    }
    for (int32_t a = 0; a < image.GetSize(); ++a) {
        if (a < kIndv3 || a >= kIndv3 + 24) {
            ASSERT_EQ(image.GetByte(a), before.GetByte(a)) << "address " << a;
        }
    }
}

TEST(datChTest, GroupStoreFixesIdAndBitZeroAndKeepsBitSeven) {
    struct Case {
        uint8_t oldByte13;
        uint16_t bufferId;
        uint8_t newByte13;  // ID 6 in bits 1..6, bit 0 set, bit 7 as before
    } cases[] = {{0x00, 0, 0x0D}, {0x80, 6, 0x8D}, {0xFF, 63, 0x8D}, {0x7E, 0xFFFF, 0x0D}};
    for (const Case& c : cases) {
        cmcEeprom image = Busy();
        image.SetByte(kGrp5 + 13, c.oldByte13);
        uint8_t bitmap = image.GetByte(0x0B7B);
        datCh record(&image);
        SetName(record, "group five");
        record.name[12] = 'Z';
        record.id = c.bufferId;
        record.valid = 0;
        record.Store(cmcChType::kGrpList, 5);
        EXPECT_EQ(image.GetByte(kGrp5 + 13), c.newByte13) << int(c.oldByte13);
        EXPECT_EQ(image.GetByte(kGrp5 + 12), 0);
        EXPECT_EQ(image.GetByte(kGrp5 + 0), 'g');
        EXPECT_EQ(record.id, 6);
        EXPECT_EQ(image.GetByte(0x0B7B), bitmap) << "the valid bitmap is the caller's";
    }
}

TEST(datChTest, GroupValidStateComesFromTheBitmapMostSignificantBitFirst) {
    struct Case {
        uint32_t group;
        int32_t address;
        uint8_t bit;
    } cases[] = {{0, 0x0B7B, 0x80}, {7, 0x0B7B, 0x01}, {8, 0x0B7C, 0x80}, {62, 0x0B82, 0x02}};
    for (const Case& c : cases) {
        cmcEeprom image;
        image.SetSize(indImageMap::kImageSize);
        datCh record(&image);
        image.SetByte(c.address, static_cast<uint8_t>(~c.bit));
        record.Load(cmcChType::kGrpList, c.group);
        EXPECT_EQ(record.valid, 0) << c.group;
        image.SetByte(c.address, c.bit);
        record.Load(cmcChType::kGrpList, c.group);
        EXPECT_EQ(record.valid, 1) << c.group;
    }
}

TEST(datChTest, GroupLoadTakesTheIdFromBitsOneToSix) {
    cmcEeprom image = Busy();
    image.SetByte(kGrp5 + 13, 0x80 | (42 << 1) | 1);
    datCh record(&image);
    record.Load(cmcChType::kGrpList, 5);
    EXPECT_EQ(record.id, 42);
}

TEST(datChTest, LoadClearsTheBufferAndOtherKindsHoldNothing) {
    cmcEeprom image = Busy();
    datCh record(&image);
    record.Load(cmcChType::kIndvList, 3);
    for (uint32_t type : {0u, 2u, 5u, 9u, 12u}) {
        record.Load(type, 4);
        EXPECT_EQ(record.chType, type);
        EXPECT_EQ(record.index, 4u);
        EXPECT_EQ(record.image, &image);
        EXPECT_EQ(record.valid, 0);
        EXPECT_EQ(record.id, 0);
        EXPECT_EQ(record.number, 0u);
        EXPECT_EQ(record.name[0], 0);
        record.valid = 1;
        record.Store(type, 4);  // writes nothing
    }
    EXPECT_TRUE(image.Equals(Busy()));
}

TEST(datChTest, IndexesBeyondTheListNeitherLoadNorStore) {
    cmcEeprom image = Busy();
    datCh record(&image);
    record.Load(cmcChType::kIndvList, 30);
    EXPECT_EQ(record.number, 0u);
    EXPECT_EQ(record.index, 30u);
    SetName(record, "stray");
    record.Store(cmcChType::kIndvList, 30);
    record.Store(cmcChType::kGrpList, 63);
    record.Store(cmcChType::kGrpList, 0xFFFFFFFFu);
    EXPECT_TRUE(image.Equals(Busy()));
}

TEST(datChTest, StoreWithTypeZeroUsesTheLoadedTypeAndReloadReadsBack) {
    cmcEeprom image = Busy();
    datCh record(&image);
    record.Load(cmcChType::kGrpList, 2);
    SetName(record, "moved");
    record.Store(0, 5);
    EXPECT_EQ(record.chType, 7u);
    EXPECT_EQ(record.index, 5u);
    EXPECT_EQ(image.GetByte(kGrp5), 'm');

    record.id = 99;
    record.StoreAndReload();
    EXPECT_EQ(record.id, 6);
    SetName(record, "scratch");
    record.Reload();
    EXPECT_EQ(record.name[0], 'm');
}

TEST(cmcChTypeTest, RangesAndPermissions) {
    struct Case {
        uint32_t chType;
        uint32_t first, last;
        bool permitted;
    } cases[] = {{0, 0, 0, false},  {1, 0, 3, true},           {2, 0, 127, true},
                 {3, 0, 19, true},  {4, 0, 3, true},           {5, 0, 12, true},
                 {6, 0, 29, true},  {7, 0, 62, true},          {8, 0, 127, true},
                 {9, 0, 128, true}, {10, 0, 100000000, false}, {0xFFFFFFFFu, 0, 100000000, false}};
    for (const Case& c : cases) {
        cmcChType::Range r = cmcChType::GetRange(c.chType);
        EXPECT_EQ(r.first, c.first) << c.chType;
        EXPECT_EQ(r.last, c.last) << c.chType;
        EXPECT_EQ(r.canClear, c.permitted) << c.chType;
        EXPECT_EQ(r.canRangeOp, c.permitted) << c.chType;
    }
}

TEST(cmcChTypeTest, BanksAreZeroToThreeAndEmpty) {
    for (int32_t bank = -1; bank <= 4; ++bank) {
        EXPECT_EQ(cmcChType::IsValidBank(bank), bank >= 0 && bank <= 3) << bank;
        for (uint32_t type : {6u, 7u}) {
            EXPECT_EQ(cmcChType::GetBankFirst(type, bank), 0u);
            EXPECT_EQ(cmcChType::GetBankSize(type, bank), 0u);
        }
    }
}

// The entry number of a CSV row: only a whole decimal number within the list
// names an entry; anything else, however large or odd, is outside it.
TEST(datChTest, RowEntryNumberIsAWholeDecimalNumberWithinTheList) {
    constexpr int32_t kOutside = 10;
    struct Case {
        const char* number;
        int32_t result;
    };
    const Case cases[] = {{"1", 0},
                          {"63", 0},
                          {" 5", 0},
                          {"+5", 0},
                          {"0", kOutside},
                          {"64", kOutside},
                          {"5x", kOutside},
                          {"x5", kOutside},
                          {"5 ", kOutside},
                          {"", kOutside},
                          {"-", kOutside},
                          {"-1", kOutside},
                          {"-2147483648", kOutside},
                          {"-99999999999", kOutside},
                          {"2147483648", kOutside},
                          {"4294967297", kOutside},
                          {"4294967359", kOutside},
                          {"18446744073709551617", kOutside}};
    cmcVirtualTimerHost host;
    cmcEvMan events{host};
    for (const Case& c : cases) {
        cmcEeprom image = Busy();
        datCh record(&image);
        EXPECT_EQ(record.ImportRow(cmcChType::kGrpList, {c.number, "G"}, events), c.result)
            << c.number;
    }
}
