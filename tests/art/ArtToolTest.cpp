// Runs skylid-art into temporary folders and checks the art set it writes:
// every picture the controls ask for opens as a bitmap, the pictures of one
// control agree in size, the main picture holds every panel place, the output
// is the same byte for byte on every run, and Skylid.ini reads cleanly.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "art/ArtTable.h"
#include "panels/PanelLayout.h"
#include "platform/CBitmapFile.h"
#include "support/TestSupport.h"

#ifdef SKYLID_ART_WITH_CONFIG
#include "banner/ViewInitialise.h"
#include "config/CIniRead.h"
#include "platform/KxClock.h"
#include "shm/GenericLayout.h"
#endif

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

ToolRun RunTool(const QStringList& arguments) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(QString::fromUtf8(SKYLID_ART_TOOL), arguments);
    ToolRun run;
    if (!tool.waitForFinished(120000))
        return run;
    run.output = tool.readAll().toStdString();
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    return run;
}

ToolRun RunTool(const fs::path& out) {
    return RunTool({"--out", QString::fromStdString(out.string())});
}

// The art set is written once for all tests of this file.
class ArtSetTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_dir = new testsupport::TempDir();
        s_run = new ToolRun(RunTool(s_dir->Path() / "art"));
    }
    static void TearDownTestSuite() {
        delete s_run;
        delete s_dir;
        s_run = nullptr;
        s_dir = nullptr;
    }
    void SetUp() override { ASSERT_EQ(s_run->exitCode, 0) << s_run->output; }
    static fs::path Art() { return s_dir->Path() / "art"; }
    // A control picture by the Windows-style name a control builds.
    static std::string Picture(const std::string& name) {
        return (Art() / "Bitmaps").string() + "\\" + name;
    }

    static testsupport::TempDir* s_dir;
    static ToolRun* s_run;
};
testsupport::TempDir* ArtSetTest::s_dir = nullptr;
ToolRun* ArtSetTest::s_run = nullptr;

TEST_F(ArtSetTest, EveryFileOfTheTableOpensAsABitmapOfItsSize) {
    const std::vector<art::ArtFile> files = art::AllFiles();
    ASSERT_GT(files.size(), 2000u);
    for (const art::ArtFile& file : files) {
        CBitmapFile bitmap;
        ASSERT_TRUE(bitmap.Load(Picture(file.name).c_str()))
            << file.name << ": " << bitmap.GetErrorText();
        int width = file.entry->width;
        int height = file.entry->height;
        if (file.entry->kind == art::Kind::Guard)
            art::GuardPieceSize(*file.entry, file.variant, width, height);
        EXPECT_EQ(bitmap.Width(), width) << file.name;
        EXPECT_EQ(bitmap.Height(), height) << file.name;
    }
}

TEST_F(ArtSetTest, PicturesOfOneControlHaveOneSize) {
    // Checked on the files themselves, grouped by the row that names them, so
    // that a row whose pictures disagree is caught whatever its size says.
    std::map<const art::ArtEntry*, std::pair<int, int>> sizes;
    for (const art::ArtEntry& entry : art::Table()) {
        for (const art::ArtFile& file : art::FilesOf(entry)) {
            if (!art::SameSizeGroup(file))
                continue;
            CBitmapFile bitmap;
            ASSERT_TRUE(bitmap.Load(Picture(file.name).c_str())) << file.name;
            auto [it, first] = sizes.try_emplace(&entry, bitmap.Width(), bitmap.Height());
            EXPECT_EQ(it->second, std::make_pair(bitmap.Width(), bitmap.Height()))
                << file.name << " differs from the other pictures of " << entry.folder;
        }
    }
    // A cover: the raised cover is a strip as wide as the closed one.
    CBitmapFile up;
    CBitmapFile down;
    ASSERT_TRUE(up.Load(Picture("Guards\\RedPlate\\Up.bmp").c_str()));
    ASSERT_TRUE(down.Load(Picture("Guards\\RedPlate\\Down.bmp").c_str()));
    EXPECT_EQ(up.Width(), down.Width());
    EXPECT_LT(up.Height(), down.Height());
}

TEST_F(ArtSetTest, NamesTheControlsAskForExist) {
    // Names as the panels give them, one or two of every control kind, typed
    // here so that a slip in the table's slot names is caught.
    const char* const names[] = {
        "Buttons\\FaultOff\\TopIn.bmp",
        "Buttons\\FaultOff\\BotIn.bmp",
        "Buttons\\FaultOff\\BothIn.bmp",
        "Buttons\\FaultOff\\NoneIn.bmp",
        "Buttons\\FaultOff\\TopOut.bmp",
        "Buttons\\FaultOff\\BotOut.bmp",
        "Buttons\\FaultOff\\BothOut.bmp",
        "Buttons\\FaultOff\\NoneOut.bmp",
        "Buttons\\EcamClr\\OnIn.bmp",
        "Buttons\\EcamClr\\OffIn.bmp",
        "Buttons\\EcamClr\\OnOut.bmp",
        "Buttons\\EcamClr\\OffOut.bmp",
        "Buttons\\McduOvfy\\OffOut.bmp",
        "Buttons\\FcuExped\\OnIn.bmp",
        "Buttons\\AtcClr\\OnOut.bmp",
        "Buttons\\SpdBrk\\BotOut.bmp",
        "Lights\\AdruOnBat\\On.bmp",
        "Lights\\AdruOnBat\\Off.bmp",
        "Lights\\McduBotRight\\Off.bmp",
        "Blanks\\Fcu\\On.bmp",
        "Blanks\\NavPanel\\Off.bmp",
        "A320ThrL\\Idle\\On.bmp",
        "A320ThrR\\Rev\\Off.bmp",
        "Switches\\GearHandleUp.bmp",
        "Switches\\GearHandleDown.bmp",
        "Switches\\LightAAuto.bmp",
        "Switches\\RoundSwDwn.bmp",
        "Switches\\EvacSwDn.bmp",
        "Switches\\PBkOn.bmp",
        "Switches\\A320StabR.bmp",
        "Switches\\SwitchNoVorAdf.bmp",
        "Knobs\\BlankKnob\\Knob000.bmp",
        "Knobs\\StarterKnob\\Knob315.bmp",
        "Knobs\\A320NavDisplayKnob\\Knob135.bmp",
        "Knobs\\Tcas1\\Knob180.bmp",
        "RotaryKnobs\\AltPush100.bmp",
        "RotaryKnobs\\AltKnobPull.bmp",
        "RotaryKnobs\\CageOut.bmp",
        "RotaryKnobs\\RmpKnob.bmp",
        "RotaryKnobs\\BaroKnobHg.bmp",
        "Levers\\FlapHandle\\FlapUp.bmp",
        "Levers\\FlapHandle\\FlapFull.bmp",
        "Levers\\SpdBrake\\Gnd.bmp",
        "Levers\\SpdBrake\\Tqrt.bmp",
        "Guards\\StandardRed\\Up.bmp",
        "Guards\\StandardRed\\Down.bmp",
        "Guards\\StandardBlack\\top.bmp",
        "Guards\\StandardBlack\\bottom.bmp",
        "Guards\\StandardBlack\\left.bmp",
        "Guards\\StandardBlack\\right.bmp",
        "Guards\\StandardBlack\\vertical.bmp",
        "Guards\\StandardBlack\\horizontal.bmp",
        "Guards\\StandardBlack\\opentop.bmp",
        "Guards\\StandardBlack\\openbot.bmp",
        "Guards\\StbyNavOn\\Down.bmp",
        "Guards\\EmerCancel\\Up.bmp",
        "DigitalDisplay\\zero.bmp",
        "DigitalDisplay\\BigT.bmp",
        "DigitalDisplay\\zeropnt.bmp",
        "DigitalDisplay\\Q4.bmp",
    };
    for (const char* name : names) {
        CBitmapFile bitmap;
        EXPECT_TRUE(bitmap.Load(Picture(name).c_str())) << name << ": " << bitmap.GetErrorText();
    }
}

TEST_F(ArtSetTest, GlyphsShareOneSize) {
    CBitmapFile zero;
    ASSERT_TRUE(zero.Load(Picture("DigitalDisplay\\zero.bmp").c_str()));
    int count = 0;
    for (const char* name : art::kGlyphNames) {
        if (name[0] == '\0')
            continue;
        CBitmapFile glyph;
        ASSERT_TRUE(glyph.Load(Picture(std::string("DigitalDisplay\\") + name + ".bmp").c_str()))
            << name;
        EXPECT_EQ(glyph.Width(), zero.Width()) << name;
        EXPECT_EQ(glyph.Height(), zero.Height()) << name;
        ++count;
    }
    EXPECT_EQ(count, 37);  // 39 slots, two of them without a file
    // A lit segment is amber on black: the top bar of the zero.
    EXPECT_EQ(zero.GetPixel(0, 0), RGB(4, 4, 4));
    EXPECT_EQ(zero.GetPixel(zero.Width() / 2, 2), RGB(251, 141, 45));
}

TEST_F(ArtSetTest, MainPictureHoldsEveryPanelPlace) {
    CBitmapFile cockpit;
    ASSERT_TRUE(cockpit.Load((Art() / "Cockpit.bmp").string().c_str())) << cockpit.GetErrorText();
    const COLORREF plate = RGB(82, 97, 114);  // the panels' blue-grey
    const COLORREF background = cockpit.GetPixel(0, cockpit.Height() - 1);
    ASSERT_NE(background, plate);
    for (const panels::PanelPlace& place : panels::kPanelLayout) {
        EXPECT_LE(place.Right(), cockpit.Width()) << "panel " << place.number;
        EXPECT_LE(place.Bottom(), cockpit.Height()) << "panel " << place.number;
        if (!place.HasPanel())
            continue;
        // Plate grey in the middle, and nowhere inside the place the cockpit's
        // background (edges, fasteners and names are shades of the plate).
        // (The middle may carry an engraved control label: look around it.)
        bool plateNearMiddle = false;
        for (int dy = -10; dy <= 10 && !plateNearMiddle; ++dy)
            for (int dx = -10; dx <= 10 && !plateNearMiddle; ++dx)
                plateNearMiddle = cockpit.GetPixel(place.x + place.width / 2 + dx,
                                                   place.y + place.height / 2 + dy) == plate;
        EXPECT_TRUE(plateNearMiddle) << "panel " << place.number;
        int holes = 0;
        for (int y = place.y; y < place.Bottom(); y += 7)
            for (int x = place.x; x < place.Right(); x += 7)
                holes += cockpit.GetPixel(x, y) == background ? 1 : 0;
        EXPECT_EQ(holes, 0) << "panel " << place.number;
    }
    // Outside every place: the cockpit's background.
    EXPECT_EQ(cockpit.GetPixel(300, 1300), background);
    EXPECT_EQ(cockpit.GetPixel(cockpit.Width() - 5, cockpit.Height() - 5), background);
}

TEST_F(ArtSetTest, TheCockpitStructureHoldsThePanels) {
    // Between the plates of the overhead, the glareshield, the main
    // instrument panel and the pedestal lies the cockpit's structure: darker
    // than the plates, and not the backdrop around the cockpit.
    CBitmapFile cockpit;
    ASSERT_TRUE(cockpit.Load((Art() / "Cockpit.bmp").string().c_str())) << cockpit.GetErrorText();
    const COLORREF backdrop = cockpit.GetPixel(0, cockpit.Height() - 1);
    const auto brightness = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
    const struct {
        const char* where;
        int x;
        int y;
    } gaps[] = {
        {"overhead, below the lights panel", 1200, 1256},
        {"glareshield, between the F/O EFIS and glareshield panels", 1870, 1700},
        {"main instrument panel, below the captain's screens", 300, 2400},
        {"pedestal, beside the F/O MCDU", 1846, 2800},
    };
    for (const auto& gap : gaps) {
        const COLORREF c = cockpit.GetPixel(gap.x, gap.y);
        EXPECT_NE(c, backdrop) << gap.where;
        EXPECT_LT(brightness(c), brightness(RGB(82, 97, 114))) << gap.where;
    }
}

TEST_F(ArtSetTest, IniNamesTheSetAndTheWholePicture) {
    const std::string ini = testsupport::ReadFile(Art() / "Skylid.ini");
    const std::string base = Art().string();
    for (const std::string& line : {
             "CockpitPanelBitMaps = " + base + "/Bitmaps",
             "MainPicture = " + base + "/Cockpit.bmp",
             "CompanyRoutes = " + base + "/CompanyRoutes",
             "LogFilePath = " + base + "/Logs",
             "SoundFiles = " + base + "/Sounds",
             std::string("IterationRate = 20"),
             std::string("ViewLeft = 0"),
             std::string("ViewTop = 0"),
             "ViewRight = " + std::to_string(panels::LayoutWidth()),
             "ViewBottom = " + std::to_string(panels::LayoutHeight()),
             std::string("McduRefresh = 1"),
         }) {
        EXPECT_NE(ini.find("\n" + line + "\n"), std::string::npos) << line;
    }
    // Every path it names exists: data files as files, the rest as folders.
    std::size_t start = 0;
    int paths = 0;
    while (start < ini.size()) {
        std::size_t end = ini.find('\n', start);
        if (end == std::string::npos)
            end = ini.size();
        const std::string line = ini.substr(start, end - start);
        start = end + 1;
        const std::size_t equals = line.find(" = /");
        if (equals == std::string::npos)
            continue;
        EXPECT_TRUE(fs::exists(line.substr(equals + 3))) << line;
        ++paths;
    }
    EXPECT_EQ(paths, 19);  // six folders and thirteen files
}

TEST_F(ArtSetTest, SecondRunWritesTheSameBytesAndKeepsRealData) {
    testsupport::TempDir other;
    const fs::path second = other.Path() / "art";
    // Data put in place of a default data file survives a run.
    testsupport::WriteFile(second / "NavData" / "Fixes.txt", "real fixes\n");
    const ToolRun run = RunTool(second);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(testsupport::ReadFile(second / "NavData" / "Fixes.txt"), "real fixes\n");

    int compared = 0;
    for (const auto& item : fs::recursive_directory_iterator(Art())) {
        if (!item.is_regular_file())
            continue;
        const fs::path relative = fs::relative(item.path(), Art());
        if (relative == "NavData/Fixes.txt")
            continue;
        std::string expected = testsupport::ReadFile(item.path());
        if (relative == "Skylid.ini") {  // the same but for the folder's name
            const std::string from = Art().string();
            for (std::size_t at; (at = expected.find(from)) != std::string::npos;)
                expected.replace(at, from.size(), second.string());
        }
        ASSERT_EQ(testsupport::ReadFile(second / relative), expected) << relative;
        ++compared;
    }
    EXPECT_EQ(compared, static_cast<int>(art::AllFiles().size()) + 1 + 1 + 10);
}

#ifdef SKYLID_ART_WITH_CONFIG
TEST_F(ArtSetTest, IniReadsWithoutAnErrorEntry) {
    // The program's own reader, with every item marked indispensable.
    std::vector<std::uint8_t> segment(Gensim_Shm::kSize);
    kx::FakeClock clock;
    ViewInitialise::SetClock(&clock);
    bool ok = false;
    std::string mainPicture;
    {
        CIniRead reader(segment.data(), (Art() / "Skylid.ini").string().c_str());
        ok = reader.ReadIniFile(0xFFFF);
        mainPicture = reader.GetMainPicture();
    }
    ViewInitialise::SetClock(nullptr);
    ViewInitialise::Unbind();
    EXPECT_TRUE(ok);
    EXPECT_EQ(generic::report::kErrorCount.Read(segment.data()), 0);
    EXPECT_EQ(mainPicture, (Art() / "Cockpit.bmp").string());
    char bitmaps[1000];
    generic::kCockpitBitmapPath.Read(segment.data(), bitmaps, sizeof bitmaps);
    EXPECT_EQ(std::string(bitmaps), (Art() / "Bitmaps").string());
    EXPECT_EQ(inifield::kIterationRate.Read(segment.data()), 20);
    EXPECT_EQ(inifield::kLargeFont.Read(segment.data()), 213);
}
#endif

// Runs that must fail leave no Skylid.ini behind them.
TEST(ArtToolTest, RefusesFoldersThatSkylidIniCannotName) {
    testsupport::TempDir dir;
    const fs::path bracket = dir.Path() / "art[1]";
    ToolRun run = RunTool(bracket);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("cannot carry"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(bracket / "Skylid.ini"));

    const fs::path deep = dir.Path() / std::string(240, 'a');
    run = RunTool(deep);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("at most 259 characters"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(deep / "Skylid.ini"));
}

TEST(ArtToolTest, CommandLine) {
    ToolRun run = RunTool(QStringList{"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.output.find("Usage: skylid-art --out DIR"), std::string::npos);
    run = RunTool(QStringList{});
    EXPECT_EQ(run.exitCode, 2);
    run = RunTool(QStringList{"--out"});
    EXPECT_EQ(run.exitCode, 2);
    run = RunTool(QStringList{"--size", "3"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("unknown argument '--size'"), std::string::npos);
}

}  // namespace
