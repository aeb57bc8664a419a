#include <gtest/gtest.h>

#include <cstdlib>

#include <QMouseEvent>
#include <QTest>
#include <string>

#include "PanelArt.h"
#include "app/CSkylidDlg.h"
#include "banner/ViewInitialise.h"
#include "panels/ElectricalLayout.h"
#include "shm/GenericLayout.h"
#include "support/TestSupport.h"

namespace {

// A cockpit art set with the electrical panel's pictures, a main picture and
// an initialisation file; each test runs the window on its own segments.
class DialogTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // The start-up report's pauses run on a clock that does not wait.
        static kx::FakeClock reportClock;
        ViewInitialise::SetClock(&reportClock);
        s_art = new testsupport::TempDir;
        const auto& art = s_art->Path();
        // Every panel's pictures from the default art, then the test's own
        // pictures for the electrical panel.
        const std::string command =
            std::string(SKYLID_ART_BIN) + " --out " + art.string() + " >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
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
    char message[128];
    generic::kBannerMessage.Read(segment, message, sizeof message);
    EXPECT_STREQ(message, "Unable tp load main picture");
    EXPECT_EQ(std::string(dialog.GetErrorText()).rfind("THE_CLASS_DEF::LoadPicture\n", 0), 0u);
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

TEST_F(DialogTest, SecondCockpitOnTheSameSegmentCountsIn) {
    std::string ini = WriteIni("two.ini", (s_art->Path() / "Cockpit.bmp").string());
    DialogOptions options = Options(ini);
    auto first = std::make_unique<CSkylidDlg>(options);
    ASSERT_TRUE(first->InitialiseDialog());
    EXPECT_EQ(generic::kAttachCounter.Read(first->Segment()), 1);
    {
        CSkylidDlg second(options);
        ASSERT_TRUE(second.InitialiseDialog());
        EXPECT_EQ(generic::kAttachCounter.Read(first->Segment()), 2);
        second.ShutDown();
    }
    EXPECT_EQ(generic::kAttachCounter.Read(first->Segment()), 1);
}
