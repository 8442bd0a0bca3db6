#include "sheet/cmcCellCapsule.h"

#include <gtest/gtest.h>

#include "sheet/cmcCellObj.h"

namespace {

// A sheet stand-in that counts the callbacks it receives.
struct Sheet {
    void Invalidate(cmcCellCapsule& capsule, uint32_t mask) {
        lastMask = mask;
        lastText = capsule.outText;
    }
    void Reopen(cmcCellCapsule&) { ++reopened; }
    uint32_t lastMask = 0;
    std::string lastText;
    int reopened = 0;
};

// A capsule with every field away from its reset value.
cmcCellCapsule Filled(Sheet& sheet, cmcCellObj& cell, cmcCellCapsule& parent) {
    cmcCellCapsule c;
    int host = 0;
    c.parent = &parent;
    c.sender = &host;
    c.editHost = &host;
    c.cell = &cell;
    c.canvas = &host;
    c.context = &host;
    c.rect = {1, 2, 3, 4};
    c.caretPosition = 5;
    c.selectionLength = 6;
    c.request = cmcCellCapsule::kRequestEnter;
    c.command = 88;
    c.inText = "in";
    c.outText = "out";
    c.state = cmcCellCapsule::kStateCurrent | cmcCellCapsule::kStateError;
    c.markPosition = cmcCellCapsule::kMarkLeft;
    c.origin = cmcCellCapsule::kOriginChoice;
    c.moveRequest = 1;
    c.moveCategory = 7;
    c.moveLink = 150;
    c.moveIndex = 3;
    c.repeatRequest = cmcCellCapsule::kRequestSpace;
    c.sheet = &sheet;
    c.rangeState = cmcCellCapsule::kRangeActive;
    c.rangeFirst = 2;
    c.rangeLast = 9;
    c.invalidate = cmcMethod<cmcCellCapsule&, uint32_t>(&sheet, &Sheet::Invalidate);
    c.reopenEditor = cmcMethod<cmcCellCapsule&>(&sheet, &Sheet::Reopen);
    return c;
}

}  // namespace

TEST(cmcCellCapsuleTest, RequestCodes) {
    // Keys passed on are virtual key codes shifted left by 8.
    EXPECT_EQ(cmcCellCapsule::kRequestKeyLeft, 0x2500);
    EXPECT_EQ(cmcCellCapsule::kRequestKeyRight, 0x2700);
    EXPECT_EQ(cmcCellCapsule::kRequestInputMethod, 58624);
}

TEST(cmcCellCapsuleTest, ResetClearsEveryField) {
    Sheet sheet;
    cmcCellObj cell;
    cmcCellCapsule parent;
    cmcCellCapsule c = Filled(sheet, cell, parent);
    c.Reset();
    EXPECT_EQ(c.parent, nullptr);
    EXPECT_EQ(c.sender, nullptr);
    EXPECT_EQ(c.editHost, nullptr);
    EXPECT_EQ(c.cell, nullptr);
    EXPECT_EQ(c.canvas, nullptr);
    EXPECT_EQ(c.context, nullptr);
    EXPECT_EQ(c.rect.left + c.rect.top + c.rect.right + c.rect.bottom, 0);
    EXPECT_EQ(c.caretPosition, 0);
    EXPECT_EQ(c.selectionLength, 0);
    EXPECT_EQ(c.request, 0);
    EXPECT_EQ(c.command, 0);
    EXPECT_EQ(c.inText, "");
    EXPECT_EQ(c.outText, "");
    EXPECT_EQ(c.state, 0u);
    EXPECT_EQ(c.markPosition, 0);
    EXPECT_EQ(c.origin, 0);
    EXPECT_EQ(c.moveRequest, 0);
    EXPECT_EQ(c.moveCategory, 0);
    EXPECT_EQ(c.moveLink, 0);
    EXPECT_EQ(c.moveIndex, 0);
    EXPECT_EQ(c.repeatRequest, 0);
    EXPECT_EQ(c.sheet, nullptr);
    EXPECT_EQ(c.rangeState, 0u);
    EXPECT_EQ(c.rangeFirst, 0);
    EXPECT_EQ(c.rangeLast, 0);
    EXPECT_FALSE(c.invalidate);
    EXPECT_FALSE(c.reopenEditor);
}

TEST(cmcCellCapsuleTest, ACopyOwnsItsTextsAndKeepsItsCallbacks) {
    Sheet sheet;
    cmcCellObj cell;
    cmcCellCapsule parent;
    cmcCellCapsule original = Filled(sheet, cell, parent);
    cmcCellCapsule copy = original;
    original.outText = "changed";
    original.Reset();
    EXPECT_EQ(copy.outText, "out");
    EXPECT_EQ(copy.inText, "in");
    EXPECT_EQ(copy.cell, &cell);
    EXPECT_EQ(copy.parent, &parent);
    EXPECT_EQ(copy.rect.bottom, 4);
    ASSERT_TRUE(copy.invalidate);
    copy.invalidate(copy, 9);
    EXPECT_EQ(sheet.lastMask, 9u);
    EXPECT_EQ(sheet.lastText, "out");
    copy.reopenEditor(copy);
    EXPECT_EQ(sheet.reopened, 1);
}
