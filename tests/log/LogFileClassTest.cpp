#include "log/LogFileClass.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "support/TestSupport.h"

namespace {

// Every test leaves the program-wide log closed and logging off.
class LogFileTest : public ::testing::Test {
  protected:
    void TearDown() override { LogFileClass::SetLoggingEnabled(false); }
    testsupport::TempDir dir;
};

int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

}  // namespace

TEST_F(LogFileTest, DisabledLoggingCreatesAndEmptiesTheFileButWritesNothing) {
    std::string path = dir / "quiet.log";
    testsupport::WriteFile(path, "old content of an earlier run\n");
    {
        LogFileClass log(path.c_str());
        EXPECT_TRUE(LogFileClass::IsOpen());
        EXPECT_STREQ(LogFileClass::GetLogFileName(), path.c_str());
        log.WriteLine("not written");
        EXPECT_TRUE(log.Close());
    }
    EXPECT_EQ(testsupport::ReadFile(path), "");
}

TEST_F(LogFileTest, OpeningBannerAndSharedFile) {
    LogFileClass::SetLoggingEnabled(true);
    std::string first = dir / "first.log";
    std::string second = dir / "second.log";
    LogFileClass owner(first.c_str());
    LogFileClass other(second.c_str());  // a log is open: this one writes into it
    other.WriteLine("from the second object");
    owner.Format("value %d", 17);
    EXPECT_FALSE(other.Close()) << "only the object that opened the log closes it";
    EXPECT_TRUE(LogFileClass::IsOpen());
    EXPECT_TRUE(owner.Close());
    EXPECT_FALSE(LogFileClass::IsOpen());

    std::string text = testsupport::ReadFile(first);
    const std::string banner =
        "//////////////////////////// OPENING LOG FILE /////////////////////////////\n\n";
    ASSERT_EQ(text.rfind(banner, 0), 0u) << text;
    // Banner, 24-character date and time with two line feeds, an empty item,
    // the banner again, then the lines.
    std::string date = text.substr(banner.size(), 26);
    EXPECT_EQ(date.substr(24), "\n\n");
    EXPECT_EQ(date[3], ' ');
    EXPECT_EQ(date[13], ':');
    EXPECT_EQ(text.substr(banner.size() + 26),
              "\n\n" + banner + "from the second object\nvalue 17\n");
    EXPECT_FALSE(std::filesystem::exists(second));
}

TEST_F(LogFileTest, UniqueWritingOncePerKeyAndByCharacterSum) {
    LogFileClass::SetLoggingEnabled(true);
    std::string path = dir / "unique.log";
    LogFileClass log(path.c_str());
    log.FormatUnique("engine %d", 1);
    log.FormatUnique("engine %d", 1);
    log.FormatUnique("ab");  // 'a' + 'b' == 'b' + 'a'
    log.FormatUnique("ba");
    log.WriteUnique("keyed", 1000);
    log.WriteCStringUnique(std::string("keyed again"), 1000);
    log.FormatFirstLine("top\nhidden");
    log.WriteCString(std::string(2000, 'z'));
    log.Close();
    std::string text = testsupport::ReadFile(path);
    EXPECT_EQ(CountOf(text, "engine 1\n"), 1);
    EXPECT_EQ(CountOf(text, "ab\n"), 1);
    EXPECT_EQ(CountOf(text, "ba\n"), 0);
    EXPECT_EQ(CountOf(text, "keyed\n"), 1);
    EXPECT_EQ(CountOf(text, "keyed again"), 0);
    EXPECT_EQ(CountOf(text, "top\n"), 1);
    EXPECT_EQ(CountOf(text, "hidden"), 0);
    EXPECT_EQ(CountOf(text, std::string(1023, 'z') + "\n"), 1);
    EXPECT_EQ(CountOf(text, std::string(1024, 'z')), 0);
}

TEST_F(LogFileTest, FiftyFirstKeyWritesExceededLineThenTheMessage) {
    LogFileClass::SetLoggingEnabled(true);
    std::string path = dir / "keys.log";
    LogFileClass log(path.c_str());
    for (int key = 0; key < 50; ++key)
        log.WriteUnique("m", key);
    log.WriteUnique("fifty-first", 50);
    log.WriteUnique("fifty-first", 50);
    log.Close();
    std::string text = testsupport::ReadFile(path);
    const std::string exceeded = "LogFileClass::HasBeenWritten->Exceeded Number of unique Errors\n";
    EXPECT_EQ(CountOf(text, exceeded + "fifty-first\n"), 2);
}

TEST_F(LogFileTest, FormattedTextLongerThanBufferIsCut) {
    LogFileClass::SetLoggingEnabled(true);
    std::string path = dir / "long.log";
    LogFileClass log(path.c_str());
    log.Format("%s", std::string(3000, 'q').c_str());
    log.Close();
    std::string text = testsupport::ReadFile(path);
    EXPECT_EQ(CountOf(text, std::string(1023, 'q') + "\n"), 1);
    EXPECT_EQ(CountOf(text, std::string(1024, 'q')), 0);
}

TEST_F(LogFileTest, UnwritableFileLeavesTheOpenErrorAndWritesNothing) {
    LogFileClass::SetLoggingEnabled(true);
    std::string path = dir / "no-such-folder/x.log";
    LogFileClass log(path.c_str());
    EXPECT_FALSE(LogFileClass::IsOpen());
    EXPECT_EQ(std::string(log.GetErrorText()),
              "InputFileClass::OpenInputFile\nNo such file or directory\n" + path);
    log.WriteLine("nothing");
    EXPECT_FALSE(log.Close());
}

// Under a German locale the log's date stays the 24-character English form.
TEST_F(LogFileTest, DateIsEnglishWhateverTheLocale) {
    if (!testsupport::UseGermanLocale())
        GTEST_SKIP() << "no German locale can be made here";
    LogFileClass::SetLoggingEnabled(true);
    std::string path = dir / "german.log";
    {
        LogFileClass log(path.c_str());
        log.Close();
    }
    testsupport::RestoreCLocale();
    std::string text = testsupport::ReadFile(path);
    std::size_t from = text.find('\n') + 2;
    std::string date = text.substr(from, text.find('\n', from) - from);
    EXPECT_EQ(date.size(), 24u) << date;
    EXPECT_TRUE(std::regex_match(
        date, std::regex("(Sun|Mon|Tue|Wed|Thu|Fri|Sat) (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|"
                         "Oct|Nov|Dec) [ 123][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}")))
        << date;

    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_wday = 2;
    t.tm_hour = 7;
    t.tm_min = 5;
    t.tm_sec = 3;
    char out[64];
    LogFileClass::FormatDate(t, out, sizeof out);
    EXPECT_STREQ(out, "Tue Dec  8 07:05:03 2026\n");
}
