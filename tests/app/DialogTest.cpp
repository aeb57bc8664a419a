#include <gtest/gtest.h>

#include <cstdlib>

#include <QMouseEvent>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "PanelArt.h"
#include "app/CSkylidDlg.h"
#include "banner/ViewInitialise.h"
#include "panels/ElectricalLayout.h"
#include "platform/KxClock.h"
#include "platform/KxSystem.h"
#include "shm/GenericLayout.h"
#include "support/TestSupport.h"

namespace {

// A cockpit art set: the default art's control pictures (every panel finds
// its pictures), with the electrical panel's replaced by test pictures of
// known colours, a main picture and an initialisation file; each test runs
// the window on its own segments.
class DialogTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // The start-up report's pauses run on a clock that does not wait.
        static kx::FakeClock reportClock;
        ViewInitialise::SetClock(&reportClock);
        s_art = new testsupport::TempDir;
        const auto& art = s_art->Path();
        const std::string command =
            std::string(SKYLID_ART_BIN) + " --out " + (art / "default").string() + " >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        std::filesystem::rename(art / "default" / "Bitmaps", art / "Bitmaps");
        const char* folders[] = {"Buttons\\FaultOff", "Buttons\\FaultAltn", "Buttons\\DotsOff",
                                 "Buttons\\FaultDots", "Buttons\\AvailOn"};
        for (int i = 0; i < 5; ++i)
            panelart::WriteButtonFolder(art / "Bitmaps", folders[i], i);
        panelart::WriteCoverFolder(art / "Bitmaps", "Guards\\StandardRed", 10);
        panelart::WriteGlyphs(art / "Bitmaps");
        testsupport::WriteSolidBmp(art / "Cockpit.bmp", 2000, 1400, RGB(90, 90, 90));
    }
    static void TearDownTestSuite() {
        delete s_art;
        s_art = nullptr;
    }

    std::string WriteIni(const std::string& name, const std::string& mainPicture,
                         const std::string& options = "") {
        std::string path = (s_art->Path() / name).string();
        testsupport::WriteFile(path, "[DIRECTORY_PATHS]\nCockpitPanelBitMaps = " +
                                         (s_art->Path() / "Bitmaps").string() +
                                         "\n[FILES]\nMainPicture = " + mainPicture +
                                         "\n[OPTIONS]\nBannerProgram = /bin/true\n" + options);
        return path;
    }

    DialogOptions Options(const std::string& ini) {
        DialogOptions options;
        options.iniFile = ini;
        options.genericSegment = testsupport::UniqueSegmentName("dlg");
        options.trainingSegment = options.genericSegment + "_Trn";
        return options;
    }

    static void Frames(CSkylidDlg& dialog, int n) {
        for (int i = 0; i < n; ++i)
            dialog.FrameUpdate();
    }

    static void Click(CSkylidDlg& dialog, Qt::MouseButton button, QPoint at) {
        QTest::mousePress(&dialog, button, Qt::NoModifier, at);
        QTest::mouseRelease(&dialog, button, Qt::NoModifier, at);
    }

    static testsupport::TempDir* s_art;
};

testsupport::TempDir* DialogTest::s_art = nullptr;

}  // namespace

TEST_F(DialogTest, StartUpReportsSuccessOnTheBanner) {
    std::string ini = WriteIni("ok.ini", (s_art->Path() / "Cockpit.bmp").string());
    CSkylidDlg dialog(Options(ini));
    ASSERT_TRUE(dialog.InitialiseDialog()) << dialog.GetErrorText();
    EXPECT_TRUE(dialog.IsReady());
    std::uint8_t* segment = dialog.Segment();
    EXPECT_EQ(generic::kStartupSuccess.Read(segment), 1);
    EXPECT_EQ(generic::kStartupFailed.Read(segment), 0);
    EXPECT_EQ(generic::kStartupProgress.Read(segment), 60);
    char heading[64];
    generic::kBannerHeading.Read(segment, heading, sizeof heading);
    EXPECT_STREQ(heading, "Kx-P-0028 v1.0");
    EXPECT_EQ(dialog.GetCaption(),
              std::string("Kx-P-0028 v1.0 [") + Gensim_Shm::kVersionText + " ]");
    EXPECT_EQ(dialog.GetPictureSize(), CSize(2000, 1400));
    EXPECT_EQ(dialog.GetScroll(), CPoint(605, 5));
    EXPECT_STREQ(dialog.GetErrorText(), " *** Initialisation Ok ***");
}

TEST_F(DialogTest, MissingMainPictureLeavesAnInertWindow) {
    std::string ini = WriteIni("nopic.ini", (s_art->Path() / "Missing.bmp").string());
    CSkylidDlg dialog(Options(ini));
    EXPECT_FALSE(dialog.InitialiseDialog());
    EXPECT_FALSE(dialog.IsReady());
    std::uint8_t* segment = dialog.Segment();
    ASSERT_NE(segment, nullptr);
    EXPECT_EQ(generic::kStartupFailed.Read(segment), 1);
    char message[1024];
    generic::kBannerMessage.Read(segment, message, sizeof message);
    // The initialisation file names a picture that is not there: that is
    // the cause shown, with the path.
    const std::string cause =
        "Tag >MainPicture< identifies >" + (s_art->Path() / "Missing.bmp").string() + "<";
    EXPECT_NE(std::string(message).find(cause), std::string::npos) << message;
    EXPECT_NE(std::string(dialog.GetErrorText()).find(cause), std::string::npos);
    // Clicks neither dispatch nor start the loop.
    dialog.resize(800, 600);
    Click(dialog, Qt::LeftButton, QPoint(100, 100));
    EXPECT_EQ(dialog.GetFrameCounter(), 0);
}

TEST_F(DialogTest, FramesCountFromTheFirstAndPanelsStartAtTheTwentieth) {
    std::string ini = WriteIni("frames.ini", (s_art->Path() / "Cockpit.bmp").string());
    CSkylidDlg dialog(Options(ini));
    ASSERT_TRUE(dialog.InitialiseDialog());
    std::uint8_t* segment = dialog.Segment();
    Frames(dialog, 19);
    EXPECT_EQ(generic::kFrameCounter.Read(segment), 19);
    EXPECT_EQ(dialog.GetVisibleRect(), CRect()) << "no view update before the 20th frame";
    EXPECT_EQ(dialog.GetCyclicCounter(), 0);
    Frames(dialog, 1);
    EXPECT_EQ(dialog.GetCyclicCounter(), 1);
    EXPECT_EQ(dialog.GetVisibleRect().left, 605);
    // The cyclic counter runs 0..20.
    Frames(dialog, 20);
    EXPECT_EQ(dialog.GetCyclicCounter(), 0);
}

TEST_F(DialogTest, ClickOnAnElectricalButtonReachesItsByte) {
    std::string ini = WriteIni("click.ini", (s_art->Path() / "Cockpit.bmp").string());
    CSkylidDlg dialog(Options(ini));
    dialog.resize(1100, 740);
    ASSERT_TRUE(dialog.InitialiseDialog());
    // The loop has run (a left click no longer starts it) and the panels
    // have had their first update.
    Frames(dialog, 20);
    std::uint8_t* segment = dialog.Segment();
    // Button 0 of the electrical panel: panel (898, 500) + (270, 20); the view
    // starts at (605, 5) and the picture is drawn from the drawing origin.
    CPoint origin = dialog.GetOrigin();
    QPoint at(898 + 270 + 20 - 605 + origin.x, 500 + 20 + 20 - 5 + origin.y);
    Click(dialog, Qt::LeftButton, at);
    EXPECT_EQ(elec::kButtonState.Read(segment), 1);
    Click(dialog, Qt::LeftButton, at);
    EXPECT_EQ(elec::kButtonState.Read(segment), 0);
}

TEST_F(DialogTest, WheelEventsStayPendingUntilTheCyclicCounterReachesEleven) {
    std::string ini = WriteIni("wheel.ini", (s_art->Path() / "Cockpit.bmp").string());
    CSkylidDlg dialog(Options(ini));
    ASSERT_TRUE(dialog.InitialiseDialog());
    Frames(dialog, 19);
    QWheelEvent wheel(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&dialog, &wheel);
    EXPECT_EQ(dialog.GetMouseEvent().code, MouseEvent::kWheelToward);
    QTest::mouseMove(&dialog, QPoint(60, 60));
    EXPECT_EQ(dialog.GetMouseEvent().code, MouseEvent::kWheelToward) << "moves are ignored";
    Frames(dialog, 10);
    EXPECT_EQ(dialog.GetMouseEvent().code, MouseEvent::kWheelToward);
    Frames(dialog, 1);  // cyclic counter 11
    EXPECT_EQ(dialog.GetMouseEvent().code, MouseEvent::kNone);
}

TEST_F(DialogTest, ScrollingIsClampedToTheViewArea) {
    std::string ini = WriteIni("view.ini", (s_art->Path() / "Cockpit.bmp").string());
    CSkylidDlg small(Options(ini));
    small.resize(800, 600);
    ASSERT_TRUE(small.InitialiseDialog());
    small.ScrollBy(-1000, -1000);
    EXPECT_EQ(small.GetScroll(), CPoint(605, 5));
    small.ScrollBy(5000, 5000);
    // Right edge of the view at 1880, bottom at 1300.
    EXPECT_EQ(small.GetScroll(), CPoint(1880 - 800 + small.GetOrigin().x, 1300 - 600));
    small.ScrollStep(CSkylidDlg::kLeft);
    EXPECT_EQ(small.GetScroll().x, 1880 - 800 + small.GetOrigin().x - 20);

    CSkylidDlg tall(Options(ini));
    tall.resize(800, 1300);
    ASSERT_TRUE(tall.InitialiseDialog());
    tall.ScrollBy(0, 50);
    EXPECT_EQ(tall.GetScroll().y, 0) << "the upper limit wins over the lower one";

    std::string wide = WriteIni("wide.ini", (s_art->Path() / "Cockpit.bmp").string(),
                                "ViewLeft = 0\nViewTop = 0\nViewRight = 2000\nViewBottom = 1400\n");
    CSkylidDlg whole(Options(wide));
    whole.resize(800, 600);
    ASSERT_TRUE(whole.InitialiseDialog());
    EXPECT_EQ(whole.GetScroll(), CPoint(605, 5));
    whole.ScrollBy(-5000, -5000);
    EXPECT_EQ(whole.GetScroll(), CPoint(0, 0));
    whole.ScrollBy(5000, 5000);
    EXPECT_EQ(whole.GetScroll(), CPoint(2000 - 800 + whole.GetOrigin().x, 1400 - 600));
}

TEST_F(DialogTest, DraggingScrollsAndEndsNearTheEdges) {
    std::string ini = WriteIni("drag.ini", (s_art->Path() / "Cockpit.bmp").string());
    CSkylidDlg dialog(Options(ini));
    dialog.resize(1100, 740);
    ASSERT_TRUE(dialog.InitialiseDialog());
    Frames(dialog, 1);
    CPoint start = dialog.GetScroll();
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(400, 400));
    QMouseEvent move(QEvent::MouseMove, QPointF(380, 390), QPointF(380, 390), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &move);
    EXPECT_EQ(dialog.GetScroll(), CPoint(start.x + 20, start.y + 10));
    EXPECT_EQ(dialog.GetMouseEvent().code, MouseEvent::kLeftPress);
    // To within 10 pixels of the drawing origin's top: the drag ends, but
    // that last step still scrolls.
    const int nearTop = dialog.GetOrigin().y + 9;
    QMouseEvent edge(QEvent::MouseMove, QPointF(380, nearTop), QPointF(380, nearTop), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &edge);
    EXPECT_EQ(dialog.GetMouseEvent().code, MouseEvent::kNone);
    EXPECT_EQ(dialog.GetScroll(), CPoint(start.x + 20, start.y + 10 + 390 - nearTop));
}

TEST_F(DialogTest, SecondCockpitOnTheSameSegmentIsRefused) {
    std::string ini = WriteIni("two.ini", (s_art->Path() / "Cockpit.bmp").string());
    DialogOptions options = Options(ini);
    auto first = std::make_unique<CSkylidDlg>(options);
    ASSERT_TRUE(first->InitialiseDialog());
    EXPECT_EQ(generic::kAttachCounter.Read(first->Segment()), 1);
    {
        CSkylidDlg second(options);
        EXPECT_FALSE(second.InitialiseDialog());
        EXPECT_FALSE(second.IsReady());
        std::string text = second.GetErrorText();
        EXPECT_NE(text.find("Another cockpit already uses segment " + options.genericSegment),
                  std::string::npos)
            << text;
        EXPECT_NE(text.find("(pid " + std::to_string(::getpid()) + ")"), std::string::npos)
            << "names the first: " << text;
    }
    EXPECT_EQ(generic::kAttachCounter.Read(first->Segment()), 1);
    first.reset();
    CSkylidDlg third(options);
    EXPECT_TRUE(third.InitialiseDialog()) << "the first one's lock ends with it";
}

// Faults of the running shell ----------------------------------------------

namespace {
CSkylidDlg* g_closeInBox = nullptr;
void CloseWhileTheBoxIsOpen(const char*) {
    if (g_closeInBox != nullptr)
        g_closeInBox->close();  // what SIGTERM does from inside the box's loop
}
}  // namespace

TEST_F(DialogTest, CloseDuringAStartUpBoxEndsStartUpCleanly) {
    std::string ini = WriteIni("boxclose.ini", (s_art->Path() / "Missing.bmp").string());
    std::string noPicture = (s_art->Path() / "nopicture.ini").string();
    testsupport::WriteFile(noPicture,
                           "[DIRECTORY_PATHS]\nCockpitPanelBitMaps = /tmp\n"
                           "[OPTIONS]\nBannerProgram = /bin/true\n");
    for (const std::string& file : {ini, noPicture}) {
        CSkylidDlg dialog(Options(file));
        g_closeInBox = &dialog;
        kx::SetMessageBoxObserver(CloseWhileTheBoxIsOpen);
        EXPECT_FALSE(dialog.InitialiseDialog());
        kx::SetMessageBoxObserver(nullptr);
        g_closeInBox = nullptr;
        EXPECT_TRUE(dialog.IsClosed()) << file;
        EXPECT_EQ(dialog.Segment(), nullptr) << file;
    }
}

TEST_F(DialogTest, CloseQueuedBeforeTheFirstIterationEndsTheLoop) {
    std::string ini = WriteIni("queued.ini", (s_art->Path() / "Cockpit.bmp").string());
    kx::FakeClock clock;
    DialogOptions options = Options(ini);
    options.clock = &clock;
    CSkylidDlg dialog(options);
    dialog.resize(800, 600);
    ASSERT_TRUE(dialog.InitialiseDialog());
    QMetaObject::invokeMethod(
        &dialog, [&dialog] { dialog.close(); }, Qt::QueuedConnection);
    // The first click starts the loop, whose first pass handles the close.
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    EXPECT_TRUE(dialog.IsClosed());
    EXPECT_FALSE(dialog.IsLoopRunning());
    EXPECT_EQ(dialog.Loop(), nullptr);
    EXPECT_TRUE(dialog.HasLoopStatistics());
    EXPECT_EQ(dialog.GetFrameCounter(), 0);
}

TEST_F(DialogTest, EachFailedStartNamesItsCause) {
    const auto& art = s_art->Path();
    struct Case {
        std::string ini;
        std::vector<std::string> expected;  // parts of the error text
    };
    testsupport::WriteFile(art / "empty.ini", "");
    testsupport::WriteFile(art / "garbage.ini", "\x01\x02 not an ini file at all\n[[[\n");
    testsupport::WriteFile(art / "nobitmaps.ini",
                           "[FILES]\nMainPicture = " + (art / "Cockpit.bmp").string() + "\n");
    std::filesystem::create_directories(art / "Folder.bmp");
    // A main picture cut short: its header promises more than the file holds.
    std::string whole = testsupport::ReadFile(art / "Cockpit.bmp");
    testsupport::WriteFile(art / "Short.bmp", whole.substr(0, whole.size() / 2));
    const Case cases[] = {
        {(art / "absent.ini").string(),
         {"The initialisation file " + (art / "absent.ini").string() + " cannot be used"}},
        {(art / "empty.ini").string(), {"Tag >CockpitPanelBitMaps<"}},
        {(art / "garbage.ini").string(), {"Tag >CockpitPanelBitMaps<"}},
        {(art / "nobitmaps.ini").string(), {"Tag >CockpitPanelBitMaps<", "nobitmaps.ini"}},
        {WriteIni("nomain.ini", ""), {"Tag >MainPicture<"}},
        {WriteIni("folder.ini", (art / "Folder.bmp").string()),
         {"Tag >MainPicture< identifies >" + (art / "Folder.bmp").string() + "<"}},
        {WriteIni("notbmp.ini", (art / "garbage.ini").string()),
         {"THE_CLASS_DEF::LoadPicture\n" + (art / "garbage.ini").string(),
          "Not a readable Windows bitmap"}},
        {WriteIni("short.ini", (art / "Short.bmp").string()),
         {(art / "Short.bmp").string(), "The file is shorter than its header says"}},
    };
    for (const Case& c : cases) {
        CSkylidDlg dialog(Options(c.ini));
        EXPECT_FALSE(dialog.InitialiseDialog()) << c.ini;
        std::string text = dialog.GetErrorText();
        for (const std::string& part : c.expected)
            EXPECT_NE(text.find(part), std::string::npos) << c.ini << ":\n" << text;
        EXPECT_EQ(kx::LastMessageBoxText(), text) << "the box shows the same cause";
        // The banner says it too.
        char message[1024];
        ASSERT_NE(dialog.Segment(), nullptr);
        generic::kBannerMessage.Read(dialog.Segment(), message, sizeof message);
        EXPECT_NE(std::string(message).find(c.expected.back()), std::string::npos) << c.ini << ":\n"
                                                                                   << message;
    }
}

// Control pictures that are not what they claim: one cut short, one far
// larger than its panel's place.
TEST_F(DialogTest, BrokenControlPicturesStopStartUpNamingTheFile) {
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path&)> spoil;
        const char* cause;
    };
    const Case cases[] = {
        {"short",
         [](const std::filesystem::path& file) {
             std::string whole = testsupport::ReadFile(file);
             testsupport::WriteFile(file, whole.substr(0, whole.size() - 40));
         },
         "The file is shorter than its header says"},
        {"huge",
         [](const std::filesystem::path& file) {
             testsupport::WriteSolidBmp(file, 2000, 2000, RGB(255, 0, 0));
         },
         "is 2000 x 2000 pixels"},
    };
    for (const Case& c : cases) {
        testsupport::TempDir copy;
        std::filesystem::copy(s_art->Path() / "Bitmaps", copy.Path() / "Bitmaps",
                              std::filesystem::copy_options::recursive);
        std::filesystem::path spoilt;
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(copy.Path() / "Bitmaps")) {
            if (entry.path().filename() == "NoneOut.bmp" &&
                entry.path().string().find("FaultOff") != std::string::npos) {
                spoilt = entry.path();
            }
        }
        ASSERT_FALSE(spoilt.empty());
        c.spoil(spoilt);
        std::string ini = (copy.Path() / "spoilt.ini").string();
        testsupport::WriteFile(
            ini, "[DIRECTORY_PATHS]\nCockpitPanelBitMaps = " + (copy.Path() / "Bitmaps").string() +
                     "\n[FILES]\nMainPicture = " + (s_art->Path() / "Cockpit.bmp").string() +
                     "\n[OPTIONS]\nBannerProgram = /bin/true\n");
        CSkylidDlg dialog(Options(ini));
        EXPECT_FALSE(dialog.InitialiseDialog()) << c.name;
        ASSERT_NE(dialog.Segment(), nullptr);
        char message[1024];
        generic::kBannerMessage.Read(dialog.Segment(), message, sizeof message);
        EXPECT_NE(std::string(message).find(spoilt.string()), std::string::npos)
            << c.name << ": the banner names the file as found on disk:\n"
            << message;
        EXPECT_NE(std::string(message).find(c.cause), std::string::npos) << c.name << message;
        EXPECT_EQ(kx::LastMessageBoxText(), dialog.GetErrorText()) << "and a box shows it";
    }
}

// A host sampling every 50 ms (once per iteration) sees every short press of
// the momentary AVAIL/ON button (electrical button 10, panel (898, 500) +
// (395, 145)) at least twice; the button still comes out.
TEST_F(DialogTest, ShortMomentaryClickIsSeenByAHostSamplingAt20Hz) {
    std::string ini = WriteIni("momentary.ini", (s_art->Path() / "Cockpit.bmp").string());
    CSkylidDlg dialog(Options(ini));
    dialog.resize(1100, 740);
    ASSERT_TRUE(dialog.InitialiseDialog());
    Frames(dialog, 20);
    std::uint8_t* segment = dialog.Segment();
    CPoint origin = dialog.GetOrigin();
    QPoint at(898 + 395 + 17 - 605 + origin.x, 500 + 145 + 17 - 5 + origin.y);
    const auto button10 = elec::kButtonState.Plus(10);
    for (int click = 0; click < 10; ++click) {
        Click(dialog, Qt::LeftButton, at);  // press and release between two iterations
        int seen = 0;
        int frames = 0;
        for (; frames < 80; ++frames) {
            Frames(dialog, 1);
            if (button10.Read(segment) == 0)
                break;
            ++seen;
        }
        EXPECT_GE(seen, 2) << "click " << click;
        EXPECT_LT(frames, 80) << "click " << click << ": the button never came out";
    }
}

TEST_F(DialogTest, HeldKeysAreForgottenWhenTheWindowLosesTheFocus) {
    std::string ini = WriteIni("keys.ini", (s_art->Path() / "Cockpit.bmp").string());
    CSkylidDlg dialog(Options(ini));
    ASSERT_TRUE(dialog.InitialiseDialog());
    QTest::keyPress(&dialog, Qt::Key_Right);
    EXPECT_EQ(dialog.HeldKeyCount(), 1);
    // Released while another window has the focus: the release never comes.
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(&dialog, &out);
    EXPECT_EQ(dialog.HeldKeyCount(), 0);

    QTest::keyPress(&dialog, Qt::Key_PageDown);
    dialog.show();
    dialog.hide();
    EXPECT_EQ(dialog.HeldKeyCount(), 0) << "hidden";
}

TEST_F(DialogTest, SidewaysScrollIsNoWheelTurn) {
    std::string ini = WriteIni("sideways.ini", (s_art->Path() / "Cockpit.bmp").string());
    CSkylidDlg dialog(Options(ini));
    ASSERT_TRUE(dialog.InitialiseDialog());
    for (QPoint delta : {QPoint(120, 0), QPoint(-120, 0), QPoint(90, 10)}) {
        QWheelEvent wheel(QPointF(50, 50), QPointF(50, 50), QPoint(), delta, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&dialog, &wheel);
        EXPECT_EQ(dialog.GetMouseEvent().code, MouseEvent::kNone) << delta.x();
    }
    QWheelEvent up(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&dialog, &up);
    EXPECT_EQ(dialog.GetMouseEvent().code, MouseEvent::kWheelAway);
}

TEST_F(DialogTest, LargeWindowIsPaintedAndDraggedAllOver) {
    std::string ini = WriteIni("large.ini", (s_art->Path() / "Cockpit.bmp").string());
    CSkylidDlg dialog(Options(ini));
    dialog.resize(2100, 1000);
    ASSERT_TRUE(dialog.InitialiseDialog());
    const QImage shot = dialog.grab().toImage();
    const QRgb background = dialog.palette().window().color().rgb();
    // The rows above the drawing origin, and the area past the picture's
    // right end (a window this wide scrolls to 0: 2000 + 14).
    EXPECT_EQ(shot.pixel(600, 1), background);
    EXPECT_EQ(shot.pixel(2050, 500), background);
    EXPECT_EQ(shot.pixel(1000, 500), qRgb(90, 90, 90)) << "the picture itself";

    // A drag far beyond the old fixed limits (1100 x 730) goes on.
    Frames(dialog, 1);
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(1300, 900));
    QMouseEvent move(QEvent::MouseMove, QPointF(1350, 950), QPointF(1350, 950), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &move);
    EXPECT_EQ(dialog.GetMouseEvent().code, MouseEvent::kLeftPress);
    // Within 10 pixels of the right edge it ends.
    QMouseEvent edge(QEvent::MouseMove, QPointF(2095, 950), QPointF(2095, 950), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &edge);
    EXPECT_EQ(dialog.GetMouseEvent().code, MouseEvent::kNone);
}

TEST_F(DialogTest, TitleSaysThatAClickStartsTheLoop) {
    std::string ini = WriteIni("hint.ini", (s_art->Path() / "Cockpit.bmp").string());
    kx::FakeClock clock;
    DialogOptions options = Options(ini);
    options.clock = &clock;
    CSkylidDlg dialog(options);
    ASSERT_TRUE(dialog.InitialiseDialog());
    EXPECT_EQ(dialog.windowTitle().toStdString(),
              dialog.GetCaption() + "  - click in the window to start");
    QMetaObject::invokeMethod(
        &dialog,
        [&dialog] {
            EXPECT_EQ(dialog.windowTitle().toStdString(), dialog.GetCaption());
            dialog.close();
        },
        Qt::QueuedConnection);
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
}

// The window system adopts the user's locale; the program's own numbers keep
// their decimal point.
TEST_F(DialogTest, NumbersStayInTheCLocaleUnderAnother) {
    if (!testsupport::UseGermanLocale())
        GTEST_SKIP() << "no German locale can be made here";
    char german[16];
    std::snprintf(german, sizeof german, "%.1f", 2.5);
    kx::KeepCLocale();
    char text[16];
    kx::Format(text, sizeof text, "%.1f", 2.5);
    const double parsed = std::strtod("2.5", nullptr);
    testsupport::RestoreCLocale();
    EXPECT_STREQ(german, "2,5") << "the German locale is in force";
    EXPECT_STREQ(text, "2.5");
    EXPECT_EQ(parsed, 2.5);
}

TEST_F(DialogTest, McduPagesReachTheScreensOnlyWithTheMcduRefreshOption) {
    std::string plain = WriteIni("mcdu-off.ini", (s_art->Path() / "Cockpit.bmp").string());
    std::string on =
        WriteIni("mcdu-on.ini", (s_art->Path() / "Cockpit.bmp").string(), "McduRefresh = 1\n");
    for (const std::string& ini : {plain, on}) {
        CSkylidDlg dialog(Options(ini));
        ASSERT_TRUE(dialog.InitialiseDialog()) << dialog.GetErrorText();
        CSkylidCkptMngr& manager = dialog.Manager();
        EXPECT_EQ(manager.IsMcduRefresh(), ini == on);
        for (CMcduPanel* mcdu : {static_cast<CMcduPanel*>(&manager.m_mcdu0),
                                 static_cast<CMcduPanel*>(&manager.m_mcdu1)}) {
            EXPECT_EQ(mcdu->GetHoldDown(), 6);
            EXPECT_TRUE(mcdu->IsReady());
            // The screen between the line-select keys of the panel at its place.
            EXPECT_EQ(mcdu->GetScreen().left, mcdu->GetPosition().x + 44);
        }
        EXPECT_EQ(manager.m_mcdu1.GetPosition(), CPoint(1528, 2586));
        // A host message reaches the captain's scratch pad only with the option.
        std::uint8_t* segment = dialog.Segment();
        std::memcpy(segment + 126736 + 363, "HELLO", 6);
        manager.UpdateAll();
        EXPECT_STREQ(manager.m_mcdu0.GetScratchPad(), ini == on ? "HELLO" : "");
    }
}

// A host whose time counter (signed 32 at byte 4896) stands still for two
// seconds is reported in the caption and over the picture until the counter
// moves again; HostWatchdog = 0 in the initialisation file leaves it out.
TEST_F(DialogTest, AStillHostTimeCounterIsReportedUntilItMoves) {
    for (bool on : {true, false}) {
        SCOPED_TRACE(on ? "watchdog on" : "HostWatchdog = 0");
        std::string ini =
            WriteIni(on ? "dog.ini" : "nodog.ini", (s_art->Path() / "Cockpit.bmp").string(),
                     on ? "" : "HostWatchdog = 0\n");
        kx::FakeClock clock;
        DialogOptions options = Options(ini);
        options.clock = &clock;
        CSkylidDlg dialog(options);
        ASSERT_TRUE(dialog.InitialiseDialog());
        const std::string waiting = dialog.GetCaption() + "  - click in the window to start";
        auto setHostTime = [&](std::int32_t t) { std::memcpy(dialog.Segment() + 4896, &t, 4); };
        auto bannerShown = [&] {
            return dialog.grab().toImage().pixelColor(20, 10) == QColor(160, 0, 0);
        };
        setHostTime(100);
        Frames(dialog, 1);
        clock.Advance(1'950'000'000);
        Frames(dialog, 1);
        EXPECT_EQ(dialog.windowTitle().toStdString(), waiting);
        EXPECT_FALSE(bannerShown());

        clock.Advance(50'000'000);
        Frames(dialog, 1);
        if (on) {
            EXPECT_EQ(dialog.windowTitle().toStdString(),
                      dialog.GetCaption() + " - host not responding");
            EXPECT_TRUE(bannerShown());
        } else {
            EXPECT_EQ(dialog.windowTitle().toStdString(), waiting);
            EXPECT_FALSE(bannerShown());
        }

        setHostTime(101);
        clock.Advance(50'000'000);
        Frames(dialog, 1);
        EXPECT_EQ(dialog.windowTitle().toStdString(), on ? dialog.GetCaption() : waiting);
        EXPECT_FALSE(bannerShown());
    }
}
