#include "sheet/cuiFlectorPlacement.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

struct PlaceCase {
    const char* name;
    cmcRect cell;
    int32_t width;
    int32_t height;
    int32_t left;
    int32_t top;
};

// Work area 0..1023 x 50..717 (a 1024x768 desktop less 50 at top and bottom).
const PlaceCase kCases[] = {
    {"room below and right", {100, 100, 199, 119}, 120, 200, 108, 119},
    {"near the bottom opens above", {100, 600, 199, 619}, 120, 200, 108, 400},
    {"no room above either overlaps at the bottom", {100, 200, 199, 219}, 120, 600, 108, 117},
    {"near the right edge is pulled in", {950, 100, 1010, 119}, 120, 200, 903, 119},
    {"overlapping at the right goes left of the cell", {900, 200, 1010, 219}, 120, 600, 780, 117},
    {"overlapping without room left sticks to the edge", {500, 200, 560, 219}, 600, 600, 423, 117},
};

class FlectorPlacement : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(FlectorPlacement, PlacesInsideTheWorkArea) {
    const PlaceCase& c = GetParam();
    const cmcRect area = cuiFlectorPlacement::WorkArea({0, 0, 1023, 767});
    const cmcRect placed = cuiFlectorPlacement::Place(c.cell, c.width, c.height, area);
    EXPECT_EQ(placed.left, c.left);
    EXPECT_EQ(placed.top, c.top);
    EXPECT_EQ(placed.right - placed.left + 1, c.width);
    EXPECT_EQ(placed.bottom - placed.top + 1, c.height);
}

INSTANTIATE_TEST_SUITE_P(Cases, FlectorPlacement, ::testing::ValuesIn(kCases),
                         [](const auto& testInfo) {
                             std::string name = testInfo.param.name;
                             for (char& ch : name) {
                                 ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             }
                             return name;
                         });

TEST(FlectorPlacement, WorkAreaKeepsFiftyPixelsFreeAboveAndBelow) {
    const cmcRect area = cuiFlectorPlacement::WorkArea({0, 10, 800, 610});
    EXPECT_EQ(area.top, 60);
    EXPECT_EQ(area.bottom, 560);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.right, 800);
}

}  // namespace
