#include "files/cmcRecent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Entries(cmcRecent& recent) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < recent.Count(); ++i) {
        out.push_back(recent.Get(i, ""));
    }
    return out;
}

}  // namespace

TEST(cmcRecentTest, AddFirstPutsTheNewestOnTopAndDropsTheOldestPastCapacity) {
    cmcRecent recent(10);
    for (int i = 0; i < 11; ++i) {
        recent.AddFirst("/d/f" + std::to_string(i) + ".rcf");
    }
    std::vector<std::string> entries = Entries(recent);
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries.front(), "/d/f10.rcf");
    EXPECT_EQ(entries.back(), "/d/f1.rcf");
}

TEST(cmcRecentTest, AddingAnEqualPathKeepsOneEntryInTheNewSpelling) {
    struct Case {
        const char* name;
        bool first;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"AddFirst moves it to the top", true, {"/Data/A.RCF", "/data/b.rcf", "/data/c.rcf"}},
        {"AddLast moves it to the end", false, {"/data/b.rcf", "/data/c.rcf", "/Data/A.RCF"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cmcRecent recent(10);
        recent.AddLast("/data/a.rcf");
        recent.AddLast("/data/b.rcf");
        recent.AddLast("/data/c.rcf");
        if (c.first) {
            recent.AddFirst("/Data/A.RCF");
        } else {
            recent.AddLast("/Data/A.RCF");
        }
        EXPECT_EQ(Entries(recent), c.expected);
    }
}

TEST(cmcRecentTest, AddLastPastCapacityDropsTheNewEntryItself) {
    cmcRecent recent(2);
    recent.AddLast("/a");
    recent.AddLast("/b");
    recent.AddLast("/c");
    EXPECT_EQ(Entries(recent), (std::vector<std::string>{"/a", "/b"}));
}

TEST(cmcRecentTest, NonAsciiBytesAreComparedExactly) {
    // Only ASCII letters fold; "é" and "É" are distinct byte sequences here.
    cmcRecent recent(10);
    recent.AddFirst("/d/\xC3\xA9.rcf");
    recent.AddFirst("/d/\xC3\x89.rcf");
    EXPECT_EQ(recent.Count(), 2);
}

TEST(cmcRecentTest, GetShowsOnlyTheFileNameForEntriesDirectlyInTheFolder) {
    cmcRecent recent(10);
    recent.AddLast("/home/user/radio/a.rcf");
    recent.AddLast("/home/user/radio/sub/b.rcf");
    recent.AddLast("/top.rcf");
    recent.AddLast("plain.rcf");
    struct Case {
        int32_t index;
        const char* folder;
        const char* expected;
    };
    const Case cases[] = {
        {0, "/home/user/radio", "a.rcf"},
        {0, "/home/user/radio/", "a.rcf"},
        {0, "/HOME/User/Radio", "a.rcf"},
        {0, "/home/user", "/home/user/radio/a.rcf"},
        {0, "/home/user/radi", "/home/user/radio/a.rcf"},
        {0, "", "/home/user/radio/a.rcf"},
        {1, "/home/user/radio", "/home/user/radio/sub/b.rcf"},
        {2, "/", "top.rcf"},
        // Asking with no folder must give a path that opens: the root is a
        // folder, not the empty one.
        {2, "", "/top.rcf"},
        {3, "", "plain.rcf"},
        {4, "", ""},
        {-1, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.index) + " in '" + c.folder + "'");
        EXPECT_EQ(recent.Get(c.index, c.folder), c.expected);
    }
}

TEST(cmcRecentTest, ClearEmptiesAndZeroCapacityHoldsNothing) {
    cmcRecent recent(10);
    recent.AddFirst("/a");
    recent.Clear();
    EXPECT_EQ(recent.Count(), 0);

    cmcRecent none(0);
    none.AddFirst("/a");
    EXPECT_EQ(none.Count(), 0);
    EXPECT_EQ(none.Get(0, ""), "");
}
