#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/CBitmapFile.h"
#include "platform/CDC.h"
#include "platform/KxClock.h"
#include "platform/KxPath.h"
#include "platform/KxSystem.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

TEST(KxPath, FindsWindowsNameInAFolderOfOtherCase) {
    testsupport::TempDir dir;
    testsupport::WriteSolidBmp(dir.Path() / "buttons/faultoff/topin.BMP", 2, 2, RGB(1, 2, 3));
    std::string wanted = dir.Path().string() + "/Buttons\\FaultOff\\TopIn.bmp";
    EXPECT_EQ(kx::WindowsNameToPath(wanted), (dir.Path() / "buttons/faultoff/topin.BMP").string());

    // An exact path is returned as it is; a missing one in its slash form.
    std::string exact = (dir.Path() / "buttons/faultoff/topin.BMP").string();
    EXPECT_EQ(kx::WindowsNameToPath(exact), exact);
    EXPECT_EQ(kx::WindowsNameToPath(dir.Path().string() + "\\Buttons\\Missing.bmp"),
              dir.Path().string() + "/Buttons/Missing.bmp");
}

TEST(CBitmapFile, LoadsAtItsOwnSizeAndExplainsFailures) {
    testsupport::TempDir dir;
    testsupport::WriteSolidBmp(dir.Path() / "Red.bmp", 5, 3, RGB(200, 10, 20));
    testsupport::WriteFile(dir.Path() / "Text.bmp", "this is not a bitmap");

    CBitmapFile bmp;
    ASSERT_TRUE(bmp.Load((dir / "red.BMP").c_str()));
    EXPECT_EQ(bmp.Width(), 5);
    EXPECT_EQ(bmp.Height(), 3);
    EXPECT_EQ(bmp.GetPixel(4, 2), RGB(200, 10, 20));

    CBitmapFile missing;
    EXPECT_FALSE(missing.Load((dir / "Nothing.bmp").c_str()));
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_EQ(std::string(missing.GetErrorText()),
              "CBitmapFile::Load\nNo such file or directory\n" + (dir / "Nothing.bmp"));

    CBitmapFile garbage;
    EXPECT_FALSE(garbage.Load((dir / "Text.bmp").c_str()));
    EXPECT_EQ(std::string(garbage.GetErrorText()),
              "CBitmapFile::Load\nNot a readable Windows bitmap\n" + (dir / "Text.bmp"));

    CBitmapFile copy = bmp;
    EXPECT_EQ(copy.Width(), 5);
    bmp.Release();
    EXPECT_EQ(copy.GetPixel(0, 0), RGB(200, 10, 20));
}

TEST(CDC, DrawsBitmapsShapesAndLinesWherePlaced) {
    testsupport::TempDir dir;
    testsupport::WriteSolidBmp(dir.Path() / "Green.bmp", 4, 4, RGB(0, 255, 0));
    CBitmapFile green;
    ASSERT_TRUE(green.Load((dir / "Green.bmp").c_str()));

    CDC dc(20, 20, RGB(0, 0, 0));
    dc.DrawBitmap(green, 2, 3);
    EXPECT_EQ(dc.GetPixel(2, 3), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetPixel(5, 6), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetPixel(6, 6), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(1, 3), RGB(0, 0, 0));

    dc.SelectPen(1, RGB(255, 0, 0));
    dc.MoveTo(0, 15);
    dc.LineTo(10, 15);
    EXPECT_EQ(dc.GetPixel(5, 15), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(5, 14), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(15, 15), RGB(0, 0, 0));

    dc.FillSolidRect(CRect(12, 0, 16, 4), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(12, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(15, 3), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(16, 3), RGB(0, 0, 0)) << "right edge is outside";

    dc.SelectNullPen();
    dc.SelectBrush(RGB(255, 255, 0));
    dc.Ellipse(CRect(10, 10, 20, 20));
    EXPECT_EQ(dc.GetPixel(15, 15), RGB(255, 255, 0));
    EXPECT_EQ(dc.GetPixel(10, 10), RGB(0, 0, 0)) << "corner outside the ellipse";

    dc.FrameRect(CRect(0, 0, 4, 4), RGB(9, 9, 9));
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(9, 9, 9));
    EXPECT_EQ(dc.GetPixel(3, 3), RGB(9, 9, 9));
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 0, 0));
}

TEST(CDC, TextIsPlacedByItsTopLeftAndSizedAt96Dpi) {
    CDC dc(200, 60, RGB(0, 0, 0));
    dc.SelectFont("Arial", 240);  // 24 points: 32 pixels
    dc.SetBkMode(CDC::OPAQUE);
    dc.SetBkColor(RGB(0, 0, 80));
    dc.SetTextColor(RGB(255, 191, 0));
    CSize extent = dc.GetTextExtent("88");
    EXPECT_GE(extent.cy, 32);
    EXPECT_LE(extent.cy, 40);
    EXPECT_GT(extent.cx, 10);
    dc.TextOut(10, 5, "88");
    // The opaque background covers the text cell from its top-left corner.
    EXPECT_EQ(dc.GetPixel(10, 5), RGB(0, 0, 80));
    EXPECT_EQ(dc.GetPixel(9, 5), RGB(0, 0, 0));
    bool amber = false;
    for (int x = 10; x < 10 + extent.cx && !amber; ++x) {
        for (int y = 5; y < 5 + extent.cy && !amber; ++y) {
            amber = dc.GetPixel(x, y) == RGB(255, 191, 0);
        }
    }
    EXPECT_TRUE(amber) << "some pixel of the text has the text colour";
}

TEST(KxClock, FakeClockMovesOnlyWhenTold) {
    kx::FakeClock clock(1000);
    EXPECT_EQ(clock.NowNs(), 1000);
    clock.SleepNs(50);
    clock.Advance(25);
    EXPECT_EQ(clock.NowNs(), 1075);
    clock.SetStepPerRead(10);
    EXPECT_EQ(clock.NowNs(), 1085);
    EXPECT_EQ(clock.TotalSleptNs(), 50);

    kx::SteadyClock& steady = kx::SteadyClock::Instance();
    std::int64_t a = steady.NowNs();
    EXPECT_GE(steady.NowNs(), a);
}

TEST(KxSystem, ProgramPathAndHeadlessMessageBox) {
    std::string folder = kx::ProgramFolder();
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(fs::path(kx::ProgramPath()).parent_path().string(), folder);
    EXPECT_EQ(kx::SystemErrorText(2), "No such file or directory");

    kx::MessageBox("Shared memory could not be attached", "Skylid");
    EXPECT_EQ(kx::LastMessageBoxText(), "Shared memory could not be attached");
}

TEST(KxSystem, StartDetachedRunsACommandAndRefusesAMissingOne) {
    testsupport::TempDir dir;
    std::string marker = dir / "started";
    std::string error;
    ASSERT_TRUE(kx::StartDetached("/bin/sh -c \"touch " + marker + "\"", error)) << error;
    for (int i = 0; i < 200 && !fs::exists(marker); ++i) {
        kx::SteadyClock::Instance().SleepNs(10'000'000);
    }
    EXPECT_TRUE(fs::exists(marker));
    EXPECT_FALSE(kx::StartDetached(dir / "no-such-program", error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(kx::StartDetached("   ", error));
}
