#include "config/Ini_File_Reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace {

class IniReaderTest : public ::testing::Test {
  protected:
    // Writes the text as the file and opens it.
    void Open(const std::string& text) {
        path = dir / "test.ini";
        testsupport::WriteFile(path, text);
        ASSERT_TRUE(reader.OpenFile(path.c_str())) << reader.GetErrorText();
    }
    std::string Text(const char* section, const char* item) {
        char out[256] = "untouched";
        reader.GetText(section, item, out);
        return out;
    }
    std::string String(const char* section, const char* item) {
        char out[256] = "untouched";
        reader.GetString(section, item, out);
        return out;
    }
    std::string SectionMessage(const std::string& section) {
        return "Ini_File_Reader::LookForValue\nDid not find Key [" + section + "]\nin file \n" +
               path;
    }
    std::string ItemMessage(const std::string& item, const std::string& section) {
        return "Ini_File_Reader::LookForValue\nDid not find Item <" + item + "> under Key [" +
               section + "]\nin file \n" + path;
    }

    testsupport::TempDir dir;
    std::string path;
    Ini_File_Reader reader;
};

}  // namespace

TEST_F(IniReaderTest, BlanksAroundAndInsideNamesAndValues) {
    Open("[S]\nName=Value\n  Other \t =  Value  \nNa me = Val ue\nLog File Path = a b\n");
    EXPECT_EQ(String("S", "Name"), "Value");
    EXPECT_EQ(Text("S", "Name"), "Value");
    // Trailing blanks stay with the text form; leading ones go.
    EXPECT_EQ(Text("S", "Other"), "Value  ");
    EXPECT_EQ(String("S", "Other"), "Value");
    // The blank inside the name disappears; inside the value it stays in
    // the text form only.
    EXPECT_EQ(String("S", "Name "), "untouched");
    EXPECT_EQ(String("S", "Na me"), "untouched");
    EXPECT_EQ(String("S", "Name"), "Value");
    EXPECT_EQ(Text("S", "LogFilePath"), "a b");
    EXPECT_EQ(String("S", "LogFilePath"), "ab");
}

TEST_F(IniReaderTest, FirstMatchingLineWinsAndNamesAreCaseSensitive) {
    Open("[S]\nNa me = Val ue\nName = second\nname = lower\n");
    EXPECT_EQ(String("S", "Name"), "Value");
    EXPECT_EQ(Text("S", "Name"), "Val ue");
    EXPECT_EQ(Text("S", "name"), "lower");
    EXPECT_EQ(Text("S", "NAME"), "untouched");
    EXPECT_EQ(reader.GetErrorText(), ItemMessage("NAME", "S"));
}

TEST_F(IniReaderTest, SectionBoundariesAndTheirMessages) {
    Open(
        "Early = before\n"
        "junk line [A] more text\n"
        "First = 1\n"
        "Bracket = x[y\n"
        "After = 2\n"
        "[B]\n"
        "Other = 3\n");
    EXPECT_EQ(Text("A", "First"), "1");
    // The line whose value holds "[" is still found, but ends the section.
    EXPECT_EQ(Text("A", "Bracket"), "x[y");
    EXPECT_EQ(Text("A", "After"), "untouched");
    EXPECT_EQ(reader.GetErrorText(), ItemMessage("After", "A"));
    // Before the section header, or in another section: not found.
    EXPECT_EQ(Text("A", "Early"), "untouched");
    EXPECT_EQ(Text("A", "Other"), "untouched");
    EXPECT_EQ(Text("B", "Other"), "3");
    EXPECT_EQ(Text("C", "Other"), "untouched");
    EXPECT_EQ(reader.GetErrorText(), SectionMessage("C"));
    // A section name must appear whole, brackets included.
    EXPECT_EQ(Text("a", "First"), "untouched");
}

TEST_F(IniReaderTest, EveryLookupStartsFromTheTop) {
    Open("[S]\nOne = 1\nTwo = 2\n[T]\nThree = 3\n");
    EXPECT_EQ(Text("T", "Three"), "3");
    EXPECT_EQ(Text("S", "Two"), "2");
    EXPECT_EQ(Text("S", "One"), "1");
    EXPECT_EQ(Text("S", "One"), "1");
    EXPECT_EQ(Text("T", "Three"), "3");
}

TEST_F(IniReaderTest, BoolFollowsItsContainsRule) {
    Open(
        "[B]\nu = untrue\nten = 10\nup = TRUE\nmix = True\nzero = 0\nno = no\nempty =\n"
        "falsy = false\n");
    struct Case {
        const char* item;
        bool expected;
    } cases[] = {{"u", true},     {"ten", true}, {"up", true},     {"mix", true},
                 {"zero", false}, {"no", false}, {"empty", false}, {"falsy", false}};
    for (const Case& c : cases) {
        bool value = !c.expected;
        EXPECT_TRUE(reader.GetBool("B", c.item, value)) << c.item;
        EXPECT_EQ(value, c.expected) << c.item;
    }
    bool untouched = true;
    EXPECT_FALSE(reader.GetBool("B", "missing", untouched));
    EXPECT_TRUE(untouched);
}

TEST_F(IniReaderTest, NumbersTakeTheLeadingDigitsAndStayInRange) {
    Open(
        "[N]\nplain = 42abc\nnone = abc\nneg = -7\nhuge = 99999999999999999999\n"
        "wide = 70000\nreal = 1.5x\nspaced = 1 000\n");
    int i = -1;
    EXPECT_TRUE(reader.GetInt("N", "plain", i));
    EXPECT_EQ(i, 42);
    EXPECT_TRUE(reader.GetInt("N", "none", i));
    EXPECT_EQ(i, 0);
    EXPECT_TRUE(reader.GetInt("N", "neg", i));
    EXPECT_EQ(i, -7);
    EXPECT_TRUE(reader.GetInt("N", "huge", i));
    EXPECT_EQ(i, INT_MAX);
    EXPECT_TRUE(reader.GetInt("N", "spaced", i));  // numbers are read without blanks
    EXPECT_EQ(i, 1000);
    long l = 0;
    EXPECT_TRUE(reader.GetLong("N", "huge", l));
    EXPECT_EQ(l, LONG_MAX);
    short s = 0;
    EXPECT_TRUE(reader.GetShort("N", "wide", s));
    EXPECT_EQ(s, static_cast<short>(70000 & 0xFFFF));
    double d = 0;
    EXPECT_TRUE(reader.GetDouble("N", "real", d));
    EXPECT_DOUBLE_EQ(d, 1.5);
    float f = 9;
    EXPECT_TRUE(reader.GetFloat("N", "none", f));
    EXPECT_EQ(f, 0.0f);
    int untouched = 5;
    EXPECT_FALSE(reader.GetInt("M", "plain", untouched));
    EXPECT_EQ(untouched, 5);
}

TEST_F(IniReaderTest, CopiesAreBoundedByTheDestination) {
    Open("[S]\nLong = " + std::string(900, 'x') + " tail\n");
    char small[8];
    EXPECT_TRUE(reader.GetText("S", "Long", small));
    EXPECT_STREQ(small, "xxxxxxx");
    EXPECT_TRUE(reader.GetString("S", "Long", small, 4));
    EXPECT_STREQ(small, "xxx");
}

TEST_F(IniReaderTest, WindowsLineEndsAreNoPartOfTheValue) {
    Open("[S]\r\nPath = C:\\Sim\\Data \r\nMarker\r\n");
    EXPECT_EQ(Text("S", "Path"), "C:\\Sim\\Data ");
    EXPECT_EQ(String("S", "Path"), "C:\\Sim\\Data");
    EXPECT_TRUE(reader.FindLine("S", "Marker"));
}

TEST_F(IniReaderTest, FindLinePositionsAfterTheMarker) {
    Open("[S]\nA = 1\n Start Of List \nB = 2\n[T]\nEnd\n");
    EXPECT_TRUE(reader.FindLine("S", "StartOfList"));
    EXPECT_FALSE(reader.LookForValue("A", false));  // lies before the marker
    EXPECT_TRUE(reader.FindLine("S", "StartOfList"));
    EXPECT_TRUE(reader.LookForValue("B", false));
    EXPECT_FALSE(reader.FindLine("S", "End"));  // belongs to the next section
    EXPECT_EQ(reader.GetErrorText(), ItemMessage("End", "S"));
    EXPECT_FALSE(reader.FindLine("X", "End"));
    EXPECT_EQ(reader.GetErrorText(), SectionMessage("X"));
}

TEST_F(IniReaderTest, OpenFailures) {
    EXPECT_FALSE(reader.OpenFile(""));
    EXPECT_STREQ(reader.GetErrorText(),
                 "Ini_File_Reader::OpenFile\nIni_File_Reader::OpenFile - File Name Given was NULL");
    EXPECT_FALSE(reader.OpenFile(nullptr));
    std::string missing = dir / "none.ini";
    EXPECT_FALSE(reader.OpenFile(missing.c_str()));
    EXPECT_EQ(reader.GetErrorText(),
              "SettingsFileClass::OpenFileForReading\nNo such file or directory\n" + missing);
    // Lookups on a reader without a file find nothing and say so.
    path = missing;
    EXPECT_EQ(Text("S", "A"), "untouched");
    EXPECT_EQ(reader.GetErrorText(), SectionMessage("S"));
}

TEST_F(IniReaderTest, BadInputGivesOnlyTheUsualMessages) {
    // A 100 000-character line is read in pieces; the item after it is found.
    Open("[S]\nHuge = " + std::string(100000, 'h') + "\nAfter = yes\n");
    EXPECT_EQ(Text("S", "After"), "yes");
    char value[2000];
    EXPECT_TRUE(reader.GetText("S", "Huge", value));
    EXPECT_EQ(std::string(value), std::string(1023 - 7, 'h'));

    // Binary garbage, NULs included, and no line feed at the end.
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919 + 13) & 0xFF);
    Open(garbage + "\n[S]\nLast = end");
    EXPECT_EQ(Text("S", "Last"), "end");
    EXPECT_EQ(Text("S", "Missing"), "untouched");
    EXPECT_EQ(reader.GetErrorText(), ItemMessage("Missing", "S"));

    // A file that cannot be read (a folder; or, for an ordinary user, a file
    // without read permission) finds no section.
    std::string folder = dir / "folder.ini";
    std::filesystem::create_directory(folder);
    if (reader.OpenFile(folder.c_str())) {
        path = folder;
        EXPECT_EQ(Text("S", "Last"), "untouched");
        EXPECT_EQ(reader.GetErrorText(), SectionMessage("S"));
    }
    if (::geteuid() != 0) {
        std::string locked = dir / "locked.ini";
        testsupport::WriteFile(locked, "[S]\nA=1\n");
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        EXPECT_FALSE(reader.OpenFile(locked.c_str()));
        EXPECT_EQ(reader.GetErrorText(),
                  "SettingsFileClass::OpenFileForReading\nPermission denied\n" + locked);
    }
}

// The whole file line by line, as the lookups see it: every item that the
// listing gives is found by a lookup with the same value.
TEST_F(IniReaderTest, ReadEntriesListsSectionsItemsAndOtherLinesWithTheirNumbers) {
    Open(
        "; comment\n"
        "stray before any section\n"
        "\n"
        "[FIRST]\r\n"
        "  Item One = a  b \r\n"
        "# another comment\n"
        "Empty =\n"
        "[SECOND] trailing words\n"
        "x=1=2\n"
        "no equals here\n");
    std::vector<Ini_File_Reader::Entry> entries;
    ASSERT_TRUE(reader.ReadEntries(entries));
    using Kind = Ini_File_Reader::Entry::Kind;
    ASSERT_EQ(entries.size(), 7u);
    const struct {
        Kind kind;
        int line;
        const char* section;
        const char* name;
        const char* value;
    } expected[] = {
        {Kind::Other, 2, "", "", ""},
        {Kind::Section, 4, "FIRST", "FIRST", ""},
        {Kind::Item, 5, "FIRST", "ItemOne", "a  b "},
        {Kind::Item, 7, "FIRST", "Empty", ""},
        {Kind::Section, 8, "SECOND", "SECOND", ""},
        {Kind::Item, 9, "SECOND", "x", "1=2"},
        {Kind::Other, 10, "SECOND", "", ""},
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& e = entries[i];
        EXPECT_EQ(e.kind, expected[i].kind) << i;
        EXPECT_EQ(e.line, expected[i].line) << i;
        EXPECT_EQ(e.section, expected[i].section) << i;
        EXPECT_EQ(e.name, expected[i].name) << i;
        EXPECT_EQ(e.value, expected[i].value) << i;
        if (e.kind == Kind::Item) {
            EXPECT_EQ(Text(e.section.c_str(), e.name.c_str()), e.value) << i;
        }
    }
    EXPECT_EQ(entries[6].text, "no equals here");

    Ini_File_Reader closed;
    EXPECT_FALSE(closed.ReadEntries(entries));
    EXPECT_TRUE(entries.empty());
}
