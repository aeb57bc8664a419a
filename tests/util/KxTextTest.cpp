#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "util/KxText.h"

TEST(KxText, CopyCutsAtBufferAndAlwaysTerminates) {
    char buffer[6];
    std::memset(buffer, 'x', sizeof buffer);
    kx::StrCopy(buffer, "abcdefghij");
    EXPECT_STREQ(buffer, "abcde");

    kx::StrCopy(buffer, "ab");
    EXPECT_STREQ(buffer, "ab");

    kx::StrCopy(buffer, nullptr);
    EXPECT_STREQ(buffer, "");

    char one[1] = {'x'};
    kx::StrCopy(one, "abc");
    EXPECT_EQ(one[0], '\0');

    char untouched = 'x';
    kx::StrCopy(&untouched, 0, "abc");
    EXPECT_EQ(untouched, 'x');
}

TEST(KxText, FormatCutsAndReportsWhatWasWritten) {
    char buffer[8];
    EXPECT_EQ(kx::Format(buffer, sizeof buffer, "%d-%s", 42, "abcdefgh"), 7);
    EXPECT_STREQ(buffer, "42-abcd");
    EXPECT_EQ(kx::Format(buffer, sizeof buffer, "%s", "ok"), 2);
    EXPECT_STREQ(buffer, "ok");
}

TEST(KxText, EqualNoCaseComparesWholeTexts) {
    EXPECT_TRUE(kx::EqualNoCase("CockpitPanelBitMaps", "COCKPITPANELBITMAPS"));
    EXPECT_FALSE(kx::EqualNoCase("abc", "abcd"));
    EXPECT_FALSE(kx::EqualNoCase("abcd", "abc"));
    EXPECT_TRUE(kx::EqualNoCase("", ""));
    EXPECT_TRUE(kx::EqualNoCase(nullptr, nullptr));
    EXPECT_FALSE(kx::EqualNoCase("a", nullptr));
}

TEST(KxText, BoundedLengthStopsAtFieldEnd) {
    const char field[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(kx::BoundedLength(field, 4), 4u);
    EXPECT_EQ(kx::BoundedLength("ab", 4), 2u);
}

TEST(KxText, LimitTakesUpperBoundFirst) {
    EXPECT_EQ(kx::Limit(7.0, 0.1, 5.0), 5.0);
    EXPECT_EQ(kx::Limit(5.0, 0.1, 5.0), 5.0);
    EXPECT_EQ(kx::Limit(0.05, 0.1, 5.0), 0.1);
    EXPECT_EQ(kx::Limit(3, 1, 5), 3);
    // With the bounds the wrong way round the upper one wins, as the rule says.
    EXPECT_EQ(kx::Limit(3, 5, 1), 1);
}
