#include "config/SettingsFileClass.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/TestSupport.h"

namespace {

class SettingsFileTest : public ::testing::Test {
  protected:
    testsupport::TempDir dir;
};

}  // namespace

TEST_F(SettingsFileTest, EmptyNameOrBadModeLeavesItClosedAndReadsReportNotOpened) {
    for (auto [name, mode] :
         {std::pair<std::string, int>{"", 0}, {dir / "x.txt", 7}, {dir / "x.txt", -1}}) {
        SettingsFileClass file(name, mode);
        EXPECT_FALSE(file.IsOpen());
        char buffer[16] = "old text";
        EXPECT_FALSE(file.ReadLineCut(buffer, sizeof buffer));
        EXPECT_STREQ(buffer, "");
        std::string expected =
            "SettingsFileClass::ReadFromSettingsFile\nFile is not opened\n" + name;
        EXPECT_EQ(file.GetErrorText(), expected);
        EXPECT_FALSE(file.WriteLine("x"));
        EXPECT_EQ(file.GetErrorText(),
                  "SettingsFileClass::WriteToSettingsFile\nFile is not opened\n" + name);
    }
    // Nothing was created for the bad mode.
    EXPECT_FALSE(std::filesystem::exists(dir / "x.txt"));
}

TEST_F(SettingsFileTest, OpenFailureCarriesTheModeAndTheSystemText) {
    std::string missing = dir / "missing.txt";
    SettingsFileClass file(missing, SettingsFileClass::kRead);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.GetErrorText(),
              "SettingsFileClass::OpenFileForReading\nNo such file or directory\n" + missing);
    file.Open(missing, SettingsFileClass::kReadWrite);
    EXPECT_EQ(file.GetErrorText(),
              "SettingsFileClass::OpenFileForReadWrite\nNo such file or directory\n" + missing);
}

TEST_F(SettingsFileTest, ReadingPastTheEndReportsEachTimeAndGivesEmptyText) {
    std::string path = dir / "two.txt";
    testsupport::WriteFile(path, "first\nsecond");
    SettingsFileClass file(path, SettingsFileClass::kRead);
    ASSERT_TRUE(file.IsOpen());
    char line[64];
    EXPECT_TRUE(file.ReadLine(line, sizeof line));
    EXPECT_STREQ(line, "first\n");
    EXPECT_TRUE(file.ReadLineCut(line, sizeof line));
    EXPECT_STREQ(line, "second");  // no line feed at the end of the file
    for (int i = 0; i < 2; ++i) {
        std::strcpy(line, "stale");
        EXPECT_FALSE(file.ReadLineCut(line, sizeof line));
        EXPECT_STREQ(line, "");
        EXPECT_EQ(file.GetErrorText(),
                  "SettingsFileClass::ReadFromSettingsFile\nNULL read from file\n" + path);
    }
    std::string kept = "kept";
    EXPECT_FALSE(file.ReadLine(kept));
    EXPECT_EQ(kept, "kept");
    // Rewinding starts again.
    EXPECT_TRUE(file.Rewind());
    EXPECT_TRUE(file.ReadLine(kept));
    EXPECT_EQ(kept, "first\n");
}

TEST_F(SettingsFileTest, LongLineComesInBoundedPieces) {
    std::string longLine;
    for (int i = 0; i < 6000; ++i)
        longLine += static_cast<char>('a' + i % 26);
    std::string path = dir / "long.txt";
    testsupport::WriteFile(path, longLine + "\nnext\n");
    SettingsFileClass file(path, SettingsFileClass::kRead);

    char piece[100];
    ASSERT_TRUE(file.ReadLineCut(piece, sizeof piece));
    EXPECT_EQ(std::string(piece), longLine.substr(0, 99));
    // The line buffer took 5119 characters; the rest comes next.
    char rest[2000];
    ASSERT_TRUE(file.ReadLineCut(rest, sizeof rest));
    EXPECT_EQ(std::string(rest), longLine.substr(5119) + "\n");
    std::string next;
    ASSERT_TRUE(file.ReadLine(next));
    EXPECT_EQ(next, "next\n");

    // The plain read stops at its buffer too.
    file.Rewind();
    char small[8];
    ASSERT_TRUE(file.ReadLine(small, sizeof small));
    EXPECT_EQ(std::string(small), longLine.substr(0, 7));
}

TEST_F(SettingsFileTest, NamedValueAndFormattedWrites) {
    std::string path = dir / "out.txt";
    {
        SettingsFileClass file(path, SettingsFileClass::kWrite);
        ASSERT_TRUE(file.IsOpen());
        EXPECT_TRUE(file.WriteBool("ABC", true));
        EXPECT_TRUE(file.WriteBool("ABC", false));
        EXPECT_TRUE(file.WriteReal("ABC", 1.5));
        EXPECT_TRUE(file.WriteInt("ABC", -12));
        EXPECT_TRUE(file.WriteLine(std::string("plain")));
        std::string wide(1500, 'w');
        EXPECT_TRUE(file.WriteFormatted("%s!", wide.c_str()));
    }
    std::string expected = "ABC = TRUE\nABC = FALSE\nABC = 1.500000\nABC = -12\nplain\n" +
                           std::string(1023, 'w') + "\n";
    EXPECT_EQ(testsupport::ReadFile(path), expected);

    // Appending keeps what is there.
    {
        SettingsFileClass file(path.c_str(), SettingsFileClass::kAppend);
        EXPECT_TRUE(file.WriteLine("more"));
    }
    EXPECT_EQ(testsupport::ReadFile(path), expected + "more\n");
}

TEST_F(SettingsFileTest, FailedWriteReportsAndWritesNoLineFeed) {
    std::string path = dir / "ro.txt";
    testsupport::WriteFile(path, "content\n");
    SettingsFileClass file(path, SettingsFileClass::kRead);
    EXPECT_FALSE(file.WriteLine("text"));
    EXPECT_EQ(file.GetErrorText(),
              "SettingsFileClass::WriteToSettingsFile\nEOF Error On writing\n" + path);
    file.Close();
    EXPECT_EQ(testsupport::ReadFile(path), "content\n");
    // Closing twice is harmless.
    file.Close();
    EXPECT_FALSE(file.IsOpen());
}

TEST_F(SettingsFileTest, ReadWriteModeCanTurnFromReadingToWriting) {
    std::string path = dir / "rw.txt";
    testsupport::WriteFile(path, "one\ntwo\n");
    {
        SettingsFileClass file(path, SettingsFileClass::kReadWrite);
        std::string line;
        ASSERT_TRUE(file.ReadLine(line));
        EXPECT_TRUE(file.WriteLine("TWO"));
        file.Flush();
    }
    EXPECT_EQ(testsupport::ReadFile(path), "one\nTWO\n");
}
