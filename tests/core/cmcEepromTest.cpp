#include "model/cmcEeprom.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "TestSupport.h"

namespace {

cmcEeprom Counting(int32_t size) {
    return test::ImageOf(size, [](int32_t a) { return a + 1; });
}

std::vector<uint8_t> Bytes(const cmcEeprom& image) {
    const uint8_t* data = image.Data();
    return data ? std::vector<uint8_t>(data, data + image.GetSize()) : std::vector<uint8_t>();
}

}  // namespace

TEST(cmcEepromTest, SetSizeClearsEvenWhenTheSizeStays) {
    cmcEeprom image = Counting(16);
    image.SetSize(16);
    EXPECT_EQ(Bytes(image), std::vector<uint8_t>(16, 0));
    image.Fill(0x5A);
    image.SetSize(4);
    EXPECT_EQ(Bytes(image), std::vector<uint8_t>(4, 0));
    for (int32_t n : {0, -5}) {
        image.SetSize(n);
        EXPECT_EQ(image.GetSize(), 0);
        EXPECT_EQ(image.Data(), nullptr);
        image.Fill(1);  // nothing to fill, and no harm done
    }
}

TEST(cmcEepromTest, AssignTakesSizeAndBytesAndStaysIndependent) {
    cmcEeprom source = Counting(8);
    cmcEeprom copy = Counting(20);
    copy.Assign(source);
    EXPECT_TRUE(copy.Equals(source));
    source.SetByte(0, 0xEE);
    EXPECT_EQ(copy.GetByte(0), 1);
    copy.Assign(copy);
    EXPECT_EQ(copy.GetByte(7), 8);
}

TEST(cmcEepromTest, EqualityNeedsTheSameSizeAndBytes) {
    cmcEeprom a = Counting(8);
    cmcEeprom prefix = Counting(7);
    cmcEeprom other = Counting(8);
    cmcEeprom empty1, empty2;
    EXPECT_TRUE(a.Equals(other));
    EXPECT_FALSE(a.Equals(prefix));
    EXPECT_FALSE(prefix.Equals(a));
    EXPECT_TRUE(empty1.Equals(empty2));
    other.SetByte(7, 0);
    EXPECT_TRUE(a.NotEquals(other));
}

TEST(cmcEepromTest, ValidAddressesAreInsideTheImage) {
    cmcEeprom image = Counting(10);
    EXPECT_FALSE(image.IsValidAddress(-1));
    EXPECT_TRUE(image.IsValidAddress(0));
    EXPECT_TRUE(image.IsValidAddress(9));
    EXPECT_FALSE(image.IsValidAddress(10));
    EXPECT_FALSE(cmcEeprom().IsValidAddress(0));
}

TEST(cmcEepromTest, BlockCopiesHappenWholeOrNotAtAll) {
    struct Case {
        int32_t address;
        int32_t length;
        bool copies;
    } cases[] = {
        {0, 1, true},   {6, 4, true},  {7, 4, false},  // one past the end: no partial copy
        {-1, 2, false}, {0, 0, false}, {0, -1, false}, {10, 1, false}, {1, INT_MAX, false},
    };
    const std::vector<uint8_t> source(16, 0xAB);
    for (const Case& c : cases) {
        cmcEeprom image = Counting(10);
        std::vector<uint8_t> before = Bytes(image);
        image.SetBlock(c.address, source.data(), c.length);
        std::vector<uint8_t> expected = before;
        if (c.copies) {
            std::fill_n(expected.begin() + c.address, c.length, 0xAB);
        }
        EXPECT_EQ(Bytes(image), expected) << c.address << "+" << c.length;

        std::vector<uint8_t> out(16, 0xCC);
        image.GetBlock(c.address, out.data(), c.length);
        EXPECT_EQ(out[0], c.copies ? 0xAB : 0xCC) << c.address << "+" << c.length;
    }
}

TEST(cmcEepromTest, BlockCopiesWithinTheImageMayOverlap) {
    cmcEeprom image = Counting(8);
    image.SetBlock(2, image.Data(), 5);  // shift up by two
    EXPECT_EQ(Bytes(image), (std::vector<uint8_t>{1, 2, 1, 2, 3, 4, 5, 8}));
    image = Counting(8);
    image.GetBlock(2, image.Data(), 5);  // shift down by two
    EXPECT_EQ(Bytes(image), (std::vector<uint8_t>{3, 4, 5, 6, 7, 6, 7, 8}));
}

TEST(cmcEepromTest, WordsAreLittleEndian) {
    cmcEeprom image;
    image.SetSize(8);
    image.SetDword(1, 0x12345678);
    image.SetWord(5, 0xBEEF);
    EXPECT_EQ(Bytes(image), (std::vector<uint8_t>{0, 0x78, 0x56, 0x34, 0x12, 0xEF, 0xBE, 0}));
    EXPECT_EQ(image.GetDword(1), 0x12345678u);
    EXPECT_EQ(image.GetWord(4), 0xEF12);
}

using cmcEepromDeathTest = ::testing::Test;

TEST_F(cmcEepromDeathTest, ByteAccessOutsideTheImageIsFatal) {
    cmcEeprom image = Counting(4);
    EXPECT_EXIT(image.SetByte(4, 0), ::testing::ExitedWithCode(3),
                "^Out of EEPROM image address \\(SetByte\\)\\.\n$");
    EXPECT_EXIT(image.GetByte(-1), ::testing::ExitedWithCode(3),
                "^Out of EEPROM image address \\(GetByte\\)\\.\n$");
    // A word that would reach past the end is no exception.
    EXPECT_EXIT(image.GetWord(3), ::testing::ExitedWithCode(3), "\\(GetByte\\)");
    EXPECT_EXIT(image.SetDword(2, 1), ::testing::ExitedWithCode(3), "\\(SetByte\\)");
}
