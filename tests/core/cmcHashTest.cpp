#include "text/cmcHash.h"

#include <gtest/gtest.h>

#include "text/cmcHash2.h"

TEST(cmcHashTest, BucketsFollowTheFixedHash) {
    struct Case {
        const char* key;
        uint32_t buckets;
        uint32_t bucket;
    } cases[] = {
        {"abc", 1031, 937},  // h = 4030
        {"abc", 101, 99},
        {"", 1031, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cmcHash::Hash(c.key, c.buckets), c.bucket) << c.key << " / " << c.buckets;
    }
    // Bytes above 0x7F count as negative; the sum wraps at 32 bits.
    EXPECT_EQ(cmcHash::Hash("\xFF", 1031), (0u + 515u - 1u) % 1031u);
}

TEST(cmcHashTest, AddAndFind) {
    cmcHash h;
    h.Create(0);
    EXPECT_EQ(h.BucketCount(), 1031u);
    h.Add("clRed", 255);
    h.Add("clBlue", 0xFF0000);
    ASSERT_NE(h.Find("clRed"), nullptr);
    EXPECT_EQ(h.Find("clRed")->value, 255);
    EXPECT_EQ(h.Find("clBlue")->value, 0xFF0000);
    EXPECT_EQ(h.Find("clred"), nullptr);

    // Keys sharing a bucket are kept apart.
    cmcHash2 one;
    one.Create(1);
    int a = 1;
    int b = 2;
    one.Add("a", &a);
    one.Add("b", &b);
    EXPECT_EQ(one.Find("a")->value, &a);
    EXPECT_EQ(one.Find("b")->value, &b);
}

TEST(cmcHashDeathTest, DuplicateKeysAreFatal) {
    auto addTwice = [] {
        cmcHash h;
        h.Create(0);
        h.Add("clRed", 1);
        h.Add("clRed", 2);
    };
    EXPECT_EXIT(addTwice(), ::testing::ExitedWithCode(3), "Overlapped Hash table\\.");
    auto addTwice2 = [] {
        cmcHash2 h;
        h.Create(101);
        h.Add("x", nullptr);
        h.Add("x", nullptr);
    };
    EXPECT_EXIT(addTwice2(), ::testing::ExitedWithCode(3), "Overlapped Hash2 table\\.");
}
