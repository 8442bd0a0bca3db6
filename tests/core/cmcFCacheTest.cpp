#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CodecTestSupport.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace {

using codectest::CodecWorld;
using codectest::Sj;

struct StepCase {
    const char* sheet;
    const char* flex;
    int32_t start;
    int32_t direction;
    std::vector<int32_t> expected;  // values after each step
};

class FCacheStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(FCacheStepTest, StepsThroughThePositionOrderAndWraps) {
    CodecWorld world;
    const StepCase& c = GetParam();
    const int32_t flex = world.Flex(c.flex);
    world.cache.GetLabel(c.sheet, flex, c.start);
    int32_t value = c.start;
    std::vector<int32_t> seen;
    for (size_t i = 0; i < c.expected.size(); ++i) {
        int32_t next = 0;
        ASSERT_TRUE(world.cache.Step(c.sheet, flex, value, c.direction, next));
        seen.push_back(next);
        value = next;
    }
    EXPECT_EQ(seen, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, FCacheStepTest,
    ::testing::Values(StepCase{"GI_Sheet_Sel_Enable", "Flex0", 1, +1, {0, 1}},
                      StepCase{"GI_Sheet_Sel_Enable", "Flex0", 1, -1, {0, 1}},
                      StepCase{"GI_Sheet_Sel_Mch_Dig_CallMode", "Flex2", 0, +1, {3, 2, 1, 0}},
                      StepCase{"GI_Sheet_Sel_Mch_Dig_CallMode", "Flex2", 0, -1, {1, 2, 3, 0}},
                      StepCase{"GI_Sheet_Sel_TwoCol", "Flex0", 0, +1, {1, 2, 3, 4, 0}},
                      StepCase{"GI_Sheet_Sel_TwoCol", "Flex0", 0, -1, {4, 3, 2, 1, 0}},
                      StepCase{"GI_Sheet_Sel_Sixteen", "Flex0", 99, +1, {0}},
                      StepCase{"GI_Sheet_Sel_Sixteen", "Flex0", 99, -1, {0}},
                      StepCase{"GI_Sheet_Sel_Sixteen", "Flex0", 15, +1, {0}},
                      StepCase{"GI_Sheet_Sel_Big", "Flex1", 382687500, +1, {-3, 382687500}}));

struct LabelCase {
    const char* sheet;
    const char* flex;
    int32_t value;
    std::string label;  // UTF-8
};

class FCacheLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(FCacheLabelTest, GivesTheEntryLabelOrError) {
    CodecWorld world;
    const LabelCase& c = GetParam();
    EXPECT_EQ(world.cache.GetLabel(c.sheet, world.Flex(c.flex), c.value), Sj(c.label));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, FCacheLabelTest,
    ::testing::Values(LabelCase{"GI_Sheet_Sel_Permit_Flag", "Flex0", 1, "○"},
                      LabelCase{"GI_Sheet_Sel_Permit_Flag", "Flex0", 0, ""},  // empty argument wins
                      LabelCase{"GI_Sheet_Sel_Permit_Flag", "Flex0", 5, "error"},
                      LabelCase{"GI_Sheet_Sel_Enable", "Flex0", 0, "無効"},
                      LabelCase{"GI_Sheet_Sel_TwoCol", "Flex0", 4, "e"},
                      LabelCase{"GI_Sheet_Sel_Sixteen", "Flex0", 99, "error"},
                      LabelCase{"GI_Sheet_Sel_Big", "Flex1", 382687500, "382.6875"},
                      LabelCase{"GI_Sheet_Sel_Big", "Flex1", -3, " G1"},
                      LabelCase{"GI_Sheet_Sel_Enable", "Flex3", 0, "error"}));

TEST(FCacheTest, RecordKeepsLinesColumnsAndBothOrders) {
    CodecWorld world;
    const cmcFCache::Record& r = world.cache.GetRecord("GI_Sheet_Sel_TwoCol", world.Flex("Flex0"));
    EXPECT_EQ(r.lineCount, 3);
    EXPECT_EQ(r.widestRow, 3);
    std::vector<int32_t> byValue, byPosition;
    for (const auto& e : r.byValue) byValue.push_back(e.value);
    for (const auto& e : r.byPosition) byPosition.push_back(e.value);
    EXPECT_EQ(byValue, (std::vector<int32_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(byPosition, (std::vector<int32_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(r.byPosition[3].cell, 2);
    EXPECT_EQ(&r, &world.cache.GetRecord("GI_Sheet_Sel_TwoCol", world.Flex("Flex0")));
}

TEST(FCacheTest, StepFindsNothingBeforeTheRecordIsBuiltOrOnAnEmptyList) {
    CodecWorld world;
    int32_t next = 7;
    EXPECT_FALSE(world.cache.Step("GI_Sheet_Sel_Enable", world.Flex("Flex0"), 1, 1, next));
    EXPECT_EQ(world.cache.GetLabel("GI_Sheet_Sel_Enable", world.Flex("Flex3"), 0), "error");
    EXPECT_FALSE(world.cache.Step("GI_Sheet_Sel_Enable", world.Flex("Flex3"), 0, 1, next));
    EXPECT_EQ(next, 0);
}

TEST(FCacheDeathTest, CodecsWithoutAnInstalledCacheAreAProgrammingError) {
    {
        CodecWorld world;
    }
    EXPECT_DEATH(cmcFCache::Global(), "No choice list cache");
}

TEST(FCacheDeathTest, MissingListIsFatal) {
    CodecWorld world;
    EXPECT_DEATH(world.cache.GetLabel("GI_Sheet_Sel_Nothing", world.Flex("Flex0"), 0), "");
}

// ---- the choice cell protocol

struct ChoiceWorld : CodecWorld {
    ChoiceWorld() {
        request.editHost = &request;
        cache.openList = [this](cmcCellCapsule& c, int32_t f, int32_t v, const std::string& s) {
            opened.push_back({&c, f, v, s});
        };
    }
    struct Open {
        cmcCellCapsule* capsule;
        int32_t flex;
        int32_t value;
        std::string sheet;
    };
    cmcCellCapsule request;
    std::vector<Open> opened;
    int32_t outResult = -1;
};

TEST(ChoiceCellTest, ChosenItemOfThisListSetsTheValueOnce) {
    ChoiceWorld w;
    const int32_t flex = w.Flex("Flex0");
    cmcCellObj item;
    item.link = flex;
    item.index = 0;
    cmcCellCapsule parent;
    parent.cell = &item;
    w.request.parent = &parent;
    w.request.origin = cmcCellCapsule::kOriginChoice;
    int32_t value = 1;
    EXPECT_EQ(w.cache.ChoiceCell(w.request, "GI_Sheet_Sel_Enable", flex, value, w.outResult), 1);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(w.cache.ChoiceCell(w.request, "GI_Sheet_Sel_Enable", flex, value, w.outResult), 0);
    w.request.origin = cmcCellCapsule::kOriginPlain;
    item.index = 1;
    EXPECT_EQ(w.cache.ChoiceCell(w.request, "GI_Sheet_Sel_Enable", flex, value, w.outResult), 0);
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(w.opened.empty());
}

TEST(ChoiceCellTest, ItemOfAnotherFlexIsAnOrdinaryRequest) {
    ChoiceWorld w;
    cmcCellObj item;
    item.link = w.Flex("Flex2");
    item.index = 0;
    cmcCellCapsule parent;
    parent.cell = &item;
    w.request.parent = &parent;
    w.request.origin = cmcCellCapsule::kOriginChoice;
    int32_t value = 1;
    EXPECT_EQ(w.cache.ChoiceCell(w.request, "GI_Sheet_Sel_Enable", w.Flex("Flex0"), value, w.outResult), 0);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(w.request.outText, Sj("有効"));
}

TEST(ChoiceCellTest, EnterAndClickOpenTheListWithFlexValueAndSheet) {
    for (int32_t key : {cmcCellCapsule::kRequestEnter, cmcCellCapsule::kRequestClick}) {
        ChoiceWorld w;
        w.request.request = key;
        int32_t value = 3;
        EXPECT_EQ(w.cache.ChoiceCell(w.request, "GI_Sheet_Sel_TwoCol", w.Flex("Flex0"), value, w.outResult), 0);
        EXPECT_EQ(w.outResult, 1);
        ASSERT_EQ(w.opened.size(), 1u);
        EXPECT_EQ(w.opened[0].capsule, &w.request);
        EXPECT_EQ(w.opened[0].flex, w.Flex("Flex0"));
        EXPECT_EQ(w.opened[0].value, 3);
        EXPECT_EQ(w.opened[0].sheet, "GI_Sheet_Sel_TwoCol");
    }
}

TEST(ChoiceCellTest, WithoutEditHostOnlyTheLabel) {
    ChoiceWorld w;
    w.request.editHost = nullptr;
    w.request.request = cmcCellCapsule::kRequestSpace;
    int32_t value = 0;
    EXPECT_EQ(w.cache.ChoiceCell(w.request, "GI_Sheet_Sel_TwoCol", w.Flex("Flex0"), value, w.outResult), 0);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(w.request.outText, "a");
    w.request.request = cmcCellCapsule::kRequestEnter;
    w.cache.ChoiceCell(w.request, "GI_Sheet_Sel_TwoCol", w.Flex("Flex0"), value, w.outResult);
    EXPECT_TRUE(w.opened.empty());
    EXPECT_EQ(w.outResult, 0);
}

}  // namespace
