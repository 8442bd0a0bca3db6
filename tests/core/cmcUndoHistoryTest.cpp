#include "app/cmcUndoHistory.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

cmcEeprom ImageWith(uint8_t first) {
    cmcEeprom image;
    image.SetSize(16);
    image.SetByte(0, first);
    return image;
}

class UndoHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        image = ImageWith(0);
        history.Reset(image);
    }
    // A change to the image, as an edit makes it, and its recording.
    bool Change(uint8_t value) {
        image.SetByte(0, value);
        return history.Record(image);
    }
    uint8_t Now() const { return image.GetByte(0); }

    cmcEeprom image;
    cmcUndoHistory history;
};

}  // namespace

TEST_F(UndoHistoryTest, StartsWithNothingToTakeBackOrMakeAgain) {
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(history.Undo(image));
    EXPECT_FALSE(history.Redo(image));
    EXPECT_EQ(Now(), 0);
}

TEST_F(UndoHistoryTest, AnUnchangedImageRecordsNoStep) {
    EXPECT_FALSE(history.Record(image));
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(UndoHistoryTest, StepsGoBackAndForthInOrder) {
    ASSERT_TRUE(Change(1));
    ASSERT_TRUE(Change(2));
    ASSERT_TRUE(Change(3));
    const uint8_t backwards[] = {2, 1, 0};
    for (uint8_t expected : backwards) {
        ASSERT_TRUE(history.Undo(image));
        EXPECT_EQ(Now(), expected);
    }
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.RedoCount(), 3u);
    const uint8_t forwards[] = {1, 2, 3};
    for (uint8_t expected : forwards) {
        ASSERT_TRUE(history.Redo(image));
        EXPECT_EQ(Now(), expected);
    }
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.UndoCount(), 3u);
}

TEST_F(UndoHistoryTest, ANewChangeDropsTheStepsToMakeAgain) {
    Change(1);
    Change(2);
    history.Undo(image);
    ASSERT_TRUE(history.CanRedo());
    Change(7);
    EXPECT_FALSE(history.CanRedo());
    history.Undo(image);
    EXPECT_EQ(Now(), 1);
}

TEST_F(UndoHistoryTest, AChangeNotYetRecordedIsTheOneTakenBack) {
    Change(1);
    image.SetByte(0, 5);  // written, not yet noticed
    ASSERT_TRUE(history.Undo(image));
    EXPECT_EQ(Now(), 1);
    ASSERT_TRUE(history.Redo(image));
    EXPECT_EQ(Now(), 5);
}

TEST_F(UndoHistoryTest, AChangeNotYetRecordedBeforeRedoIsKeptAsAStep) {
    Change(1);
    history.Undo(image);
    image.SetByte(0, 9);
    EXPECT_FALSE(history.Redo(image)) << "the new change ends the way forward";
    EXPECT_EQ(Now(), 9);
    ASSERT_TRUE(history.Undo(image));
    EXPECT_EQ(Now(), 0);
}

TEST_F(UndoHistoryTest, AGroupIsOneStep) {
    history.BeginGroup();
    EXPECT_FALSE(Change(1));
    history.BeginGroup();
    EXPECT_FALSE(Change(2));
    EXPECT_FALSE(history.EndGroup(image)) << "only the outermost group records";
    EXPECT_FALSE(history.Undo(image)) << "half a command cannot be taken back";
    EXPECT_FALSE(Change(3));
    EXPECT_TRUE(history.EndGroup(image));
    EXPECT_EQ(history.UndoCount(), 1u);
    ASSERT_TRUE(history.Undo(image));
    EXPECT_EQ(Now(), 0);
}

TEST_F(UndoHistoryTest, ResetForgetsEveryStepAndStartsFromTheGivenImage) {
    Change(1);
    Change(2);
    history.Undo(image);
    cmcEeprom other = ImageWith(42);
    history.Reset(other);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    image = other;
    EXPECT_FALSE(history.Record(image));
}

TEST_F(UndoHistoryTest, TheOldestStepsGoBeyondTheLimit) {
    const size_t changes = cmcUndoHistory::kMaxSteps + 5;
    for (size_t i = 1; i <= changes; ++i) {
        ASSERT_TRUE(Change(static_cast<uint8_t>(i % 256)));
    }
    EXPECT_EQ(history.UndoCount(), cmcUndoHistory::kMaxSteps);
    while (history.Undo(image)) {
    }
    EXPECT_EQ(Now(), static_cast<uint8_t>(5 % 256)) << "the five oldest states are gone";
}
