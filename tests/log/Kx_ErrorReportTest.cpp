#include "log/Kx_ErrorReport.h"

#include <gtest/gtest.h>

#include <string>

TEST(Kx_ErrorReport, JoinsPartsWithLineFeeds) {
    Kx_ErrorReport report;
    EXPECT_STREQ(report.GetErrorText(), "");
    report.SetError("A", "B");
    EXPECT_STREQ(report.GetErrorText(), "A\nB");
    report.SetError("A", "B", "C");
    EXPECT_STREQ(report.GetErrorText(), "A\nB\nC");
    report.SetErrorNumber("CPanelDisplay::SetDisplayNumber", "Wrong Segment", 42);
    EXPECT_STREQ(report.GetErrorText(), "CPanelDisplay::SetDisplayNumber\nWrong Segment\n>42<");
    report.SetError(std::string("whole"));
    EXPECT_STREQ(report.GetErrorText(), "whole");
}

TEST(Kx_ErrorReport, CopyOutIsCutTo255Characters) {
    Kx_ErrorReport report;
    std::string text(300, 'e');
    text[254] = 'L';
    report.SetError(text.c_str());
    std::string out = report.GetErrorText();
    EXPECT_EQ(out.size(), 255u);
    EXPECT_EQ(out.back(), 'L');
}

TEST(Kx_ErrorReport, OnceFormsSetTheTextOncePerKey) {
    Kx_ErrorReport report;
    report.SetErrorOnce("first", 7);
    report.SetErrorOnce("second", 7);
    EXPECT_STREQ(report.GetErrorText(), "first");
    report.SetErrorOnce("W", "X", 8);
    EXPECT_STREQ(report.GetErrorText(), "W\nX");
    report.SetErrorOnce("W", "X", "D", 8);
    EXPECT_STREQ(report.GetErrorText(), "W\nX");
    report.SetErrorNumberOnce("W", "N", 5, 9);
    EXPECT_STREQ(report.GetErrorText(), "W\nN\n>5<");
}

TEST(Kx_ErrorReport, AfterFiftyKeysEveryKeyIsNew) {
    Kx_ErrorReport report;
    for (int key = 0; key < 49; ++key)
        EXPECT_FALSE(report.IsRepeated(key));
    EXPECT_TRUE(report.IsRepeated(3));
    EXPECT_FALSE(report.IsRepeated(49));
    // The table is full: the 51st key and every later one count as new,
    // including keys seen before.
    EXPECT_FALSE(report.IsRepeated(50));
    EXPECT_FALSE(report.IsRepeated(50));
    EXPECT_FALSE(report.IsRepeated(3));
    report.SetErrorOnce("again", 3);
    EXPECT_STREQ(report.GetErrorText(), "again");
    report.SetErrorOnce("and again", 3);
    EXPECT_STREQ(report.GetErrorText(), "and again");
}
