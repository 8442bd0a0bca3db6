#include "model/indModelRules.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

#include "files/FileErr.h"
#include "model/cmcEeprom.h"

namespace rules = indModelRules;

namespace {

cmcEeprom Pattern() {
    return test::ImageOf(rules::kImageSize, [](int32_t a) { return a * 13 + 5; });
}

bool InGroupRecordOrBitmap(int32_t a) {
    return (a >= 0x05F8 && a < 0x05F8 + 63 * 16) || (a >= 0x0B7B && a <= 0x0B82);
}

// Every group valid, stored with ID i + 1, its name terminated and bit 7 of
// byte 13 as it was; the unused 64th bitmap bit and all other bytes as before.
void ExpectGroupsFixed(const cmcEeprom& image, const cmcEeprom& before) {
    for (int32_t i = 0; i < 63; ++i) {
        int32_t rec = 0x05F8 + 16 * i;
        uint8_t oldId = before.GetByte(rec + 13);
        EXPECT_EQ(image.GetByte(rec + 13), (oldId & 0x80) | ((i + 1) << 1) | 1) << "group " << i;
        EXPECT_EQ(image.GetByte(rec + 12), 0) << "group " << i;
        for (int32_t k : {0, 11, 14, 15}) {
            EXPECT_EQ(image.GetByte(rec + k), before.GetByte(rec + k)) << "group " << i;
        }
    }
    for (int32_t a = 0x0B7B; a < 0x0B82; ++a) {
        EXPECT_EQ(image.GetByte(a), 0xFF) << a;
    }
    EXPECT_EQ(image.GetByte(0x0B82), before.GetByte(0x0B82) | 0xFE);
}

}  // namespace

TEST(indModelRulesTest, RangeListsBySelector) {
    struct Case {
        int selector;
        int32_t first, last;
    } cases[] = {{0, 0x0000, 0x0B73}, {1, 0x02BC, 0x0B73}, {2, 0x02BC, 0x0B6F},
                 {3, 0x09EC, 0x0B73}, {4, 0x09EC, 0x0B73}, {5, 0x0000, 0x0B73},
                 {6, 0x0000, 0x0B73}, {7, 0x0000, 0x0B73}, {-1, 0x0000, 0x0B73}};
    for (const Case& c : cases) {
        AddrRangeList list = rules::GetRangeList(c.selector);
        ASSERT_EQ(list.size(), 2u) << c.selector;
        EXPECT_EQ(list[0].first, c.first) << c.selector;
        EXPECT_EQ(list[0].last, c.last) << c.selector;
        EXPECT_EQ(list[1].first, 1) << c.selector;
        EXPECT_EQ(list[1].last, 0) << c.selector;
    }
}

TEST(indModelRulesTest, RangeWalkStopsAtTheFirstInvalidPair) {
    struct Case {
        AddrRangeList list;
        size_t visited;
    } cases[] = {
        {{{0, 9}, {20, 20}, {1, 0}, {30, 40}}, 2},
        {{{0, 9}, {5, 100}}, 1},  // reaches outside a 100-byte image
        {{{-1, 3}, {0, 9}}, 0},   // starts outside
        {{{0, 9}, {10, 19}}, 2},  // no closing pair: the vector's end
        {{{4, 4}}, 1},
    };
    for (const Case& c : cases) {
        size_t visited = 0;
        ForEachValidRange(c.list, 100, [&](const AddrRange&) { ++visited; });
        EXPECT_EQ(visited, c.visited);
    }
}

TEST(indModelRulesTest, FileModelCheck) {
    struct Case {
        uint32_t model, extra;
        bool accepted;
        int result;
    } cases[] = {{0x4001, 0x0021, true, 0},
                 {0x4002, 0x0021, false, FileErr::kModel},
                 {0x4001, 0x0022, false, FileErr::kExtra},
                 {0x4002, 0x0022, false, FileErr::kModel},
                 {0x4001, 0x0000, false, FileErr::kExtra}};
    for (const Case& c : cases) {
        int result = 0;
        EXPECT_EQ(rules::CheckFileModel(c.model, c.extra, result), c.accepted) << c.model;
        EXPECT_EQ(result, c.result) << c.model << "/" << c.extra;
    }
    EXPECT_TRUE(rules::CheckMapRev(-1));
    EXPECT_TRUE(rules::CheckMapRev(1));
    EXPECT_FALSE(rules::CheckMapRev(2));
}

TEST(indModelRulesTest, LoadedImageNeedsTheModelCodeLittleEndian) {
    cmcEeprom image;
    image.SetSize(rules::kImageSize);
    EXPECT_FALSE(rules::CheckLoadedImage(image));
    image.SetByte(0x00B8, 0x40);
    image.SetByte(0x00B9, 0x01);
    EXPECT_FALSE(rules::CheckLoadedImage(image));
    image.SetByte(0x00B8, 0x01);
    image.SetByte(0x00B9, 0x40);
    EXPECT_TRUE(rules::CheckLoadedImage(image));
    EXPECT_FALSE(rules::CheckLoadedImage(cmcEeprom()));
}

TEST(indModelRulesTest, AfterLoadMarksEveryGroupValidAndChangesNothingElse) {
    cmcEeprom image = Pattern();
    cmcEeprom before = Pattern();
    rules::AfterLoad(image);
    ExpectGroupsFixed(image, before);
    for (int32_t a = 0; a < image.GetSize(); ++a) {
        if (!InGroupRecordOrBitmap(a)) {
            ASSERT_EQ(image.GetByte(a), before.GetByte(a)) << a;
        }
    }
}

TEST(indModelRulesTest, BeforeSaveAddsModelCodeAndPermissions) {
    cmcEeprom image = Pattern();
    cmcEeprom before = Pattern();
    rules::BeforeSave(image);
    EXPECT_EQ(image.GetByte(0x00B8), 0x01);
    EXPECT_EQ(image.GetByte(0x00B9), 0x40);
    EXPECT_EQ(image.GetByte(0x0314), 0xFF);
    ExpectGroupsFixed(image, before);
    for (int32_t a = 0; a < image.GetSize(); ++a) {
        if (!InGroupRecordOrBitmap(a) && a != 0x00B8 && a != 0x00B9 && a != 0x0314) {
            ASSERT_EQ(image.GetByte(a), before.GetByte(a)) << a;
        }
    }
}
