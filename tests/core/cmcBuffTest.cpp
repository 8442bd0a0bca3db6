#include "util/cmcBuff.h"

#include <gtest/gtest.h>

TEST(cmcBuffTest, GrowsWithFillByteAndAQuarterToSpare) {
    cmcBuff b(0xAA);
    b.SetLength(8);
    EXPECT_EQ(b.Length(), 8u);
    EXPECT_EQ(b.Capacity(), 9u);  // new length + at least one byte
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(b[i], 0xAA);
    }
    b[0] = 1;
    b.SetLength(20);
    EXPECT_EQ(b.Capacity(), 22u);  // 20 + 8 / 4
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(b[19], 0xAA);
}

TEST(cmcBuffTest, TakeFirstConsumesInOrderAndReportsEmpty) {
    cmcBuff b;
    EXPECT_EQ(b.TakeFirst(), -1);
    const uint8_t bytes[] = {0xFE, 0x00, 0x7F};
    b.Append(bytes, 3);
    EXPECT_EQ(b.TakeFirst(), 0xFE);
    EXPECT_EQ(b.TakeFirst(), 0x00);
    b.Append(0x55);
    EXPECT_EQ(b.TakeFirst(), 0x7F);
    EXPECT_EQ(b.TakeFirst(), 0x55);
    EXPECT_EQ(b.TakeFirst(), -1);
}

TEST(cmcBuffTest, LongStreamsKeepTheirOrderAcrossCompaction) {
    // Consumed bytes are moved out past 4096 of them; a stream read while it
    // is written must come out unchanged.
    cmcBuff b;
    uint32_t written = 0;
    uint32_t read = 0;
    for (int round = 0; round < 50; ++round) {
        for (int i = 0; i < 300; ++i) {
            b.Append(static_cast<uint8_t>(written++ % 251));
        }
        for (int i = 0; i < 250; ++i) {
            ASSERT_EQ(b.TakeFirst(), static_cast<int>(read++ % 251));
        }
    }
    EXPECT_EQ(b.Length(), written - read);
    EXPECT_LT(b.Capacity(), 8192u);
}

TEST(cmcBuffDeathTest, IndexAtTheLengthIsFatal) {
    auto outOfRange = [] {
        cmcBuff b;
        b.SetLength(4);
        return b[4];
    };
    EXPECT_EXIT(outOfRange(), ::testing::ExitedWithCode(3), "Out of cmcBuff element !");
}
