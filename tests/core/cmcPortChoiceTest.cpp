#include "app/cmcPortChoice.h"

#include <gtest/gtest.h>

#include "app/cmcProgressBar.h"

namespace {

using cmcPortChoice::Variant;

struct ReadCase {
    Variant variant;
    const char* text;
    int32_t port;
    bool valid;
};

TEST(PortChoiceTest, EachVariantReadsItsInput) {
    for (ReadCase c : {ReadCase{Variant::Typed, "256", 256, true},
                       ReadCase{Variant::Typed, "0", 0, false},
                       ReadCase{Variant::Typed, "257", 257, false},
                       ReadCase{Variant::Typed, "abc", -999, false},
                       ReadCase{Variant::Typed, "12x", -999, false},
                       ReadCase{Variant::Typed, "", -999, false},
                       ReadCase{Variant::Registry, " 10 ", 10, true},
                       ReadCase{Variant::Registry, "", 0, false},
                       ReadCase{Variant::Named, "3: USB Serial Port (COM3)", 3, true},
                       ReadCase{Variant::Named, "COM12", 12, true}}) {
        int32_t port = cmcPortChoice::Read(c.variant, c.text);
        EXPECT_EQ(port, c.port) << c.text;
        EXPECT_EQ(cmcPortChoice::IsValid(port), c.valid) << c.text;
    }
}

TEST(PortChoiceTest, ListsSortByNumber) {
    std::vector<std::string> list{"10", "9", "1"};
    cmcPortChoice::SortByNumber(list);
    EXPECT_EQ(list, (std::vector<std::string>{"1", "9", "10"}));
}

struct FillCase {
    int64_t done;
    int64_t total;
    int32_t filled;
};

TEST(ProgressBarTest, FilledSegmentsFollowTheTransfer) {
    for (FillCase c : {FillCase{0, 100, 0}, FillCase{50, 0, 0}, FillCase{1, 33, 1},
                       FillCase{50, 100, 16}, FillCase{97, 100, 32}, FillCase{100, 100, 32},
                       FillCase{2949, 2948, 32}}) {
        EXPECT_EQ(cmcProgressBar::Filled(c.done, c.total), c.filled) << c.done << "/" << c.total;
    }
}

TEST(ProgressBarTest, SegmentsTileTheBarWithOnePixelGaps) {
    int32_t end = 0;
    for (int32_t i = 0; i < cmcProgressBar::kSegments; ++i) {
        cmcProgressBar::Span span = cmcProgressBar::Segment(i, 256);
        EXPECT_EQ(span.left, end) << i;
        EXPECT_EQ(span.width, 7) << i;
        end = span.left + span.width + 1;
    }
    EXPECT_EQ(end, 256);
}

}  // namespace
