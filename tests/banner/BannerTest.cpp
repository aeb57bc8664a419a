#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "banner/KxBanner.h"
#include "banner/ViewInitialise.h"
#include "shm/GenericLayout.h"
#include "support/TestSupport.h"

namespace {

std::string TextAt(const std::vector<std::uint8_t>& seg, std::size_t offset, std::size_t n) {
    const char* p = reinterpret_cast<const char*>(seg.data() + offset);
    return std::string(p, strnlen(p, n));
}

std::int32_t IntAt(const std::vector<std::uint8_t>& seg, std::size_t offset) {
    std::int32_t v;
    std::memcpy(&v, seg.data() + offset, sizeof v);
    return v;
}

class BannerTest : public ::testing::Test {
  protected:
    void SetUp() override { ViewInitialise::SetClock(&clock); }
    void TearDown() override {
        ViewInitialise::SetClock(nullptr);
        ViewInitialise::Unbind();
        KxBanner::SetProgramCommand("");
    }
    std::vector<std::uint8_t> seg = std::vector<std::uint8_t>(Gensim_Shm::kSize, 0xEE);
    kx::FakeClock clock;
};

constexpr std::size_t kRecord = 104792;

}  // namespace

TEST_F(BannerTest, BannerFieldsAreWrittenBoundedAtTheirOffsets) {
    KxBanner banner(seg.data());
    std::string heading(60, 'H');
    banner.SetHeading(heading.c_str());
    EXPECT_EQ(TextAt(seg, 3808, 50), std::string(49, 'H'));
    EXPECT_EQ(seg[3808 + 49], 0);
    banner.SetMessage(std::string(2000, 'm').c_str());
    EXPECT_EQ(TextAt(seg, 3858, 1024), std::string(1023, 'm'));
    EXPECT_EQ(seg[3858 + 1023], 0);
    EXPECT_EQ(seg[3858 + 1024], 0xEE);  // nothing beyond the field

    banner.SetProgress(5);
    banner.AddProgress(10);
    banner.AddProgress(10);
    EXPECT_EQ(IntAt(seg, 4888), 25);
    banner.SetProgress(INT32_MAX - 1);
    banner.AddProgress(10);
    EXPECT_EQ(IntAt(seg, 4888), INT32_MAX);

    std::memset(seg.data() + 4882, 0, 3);
    banner.SetWarning();
    EXPECT_EQ(seg[4882], 0);
    EXPECT_EQ(seg[4883], 1);
    banner.SetSuccess();
    banner.SetFailure();
    EXPECT_EQ(seg[4882], 1);
    EXPECT_EQ(seg[4884], 1);
}

TEST_F(BannerTest, StartRunsTheConfiguredProgramDetached) {
    testsupport::TempDir dir;
    std::string marker = dir / "started";
    KxBanner::SetProgramCommand("/bin/sh -c \"echo started > '" + marker + "'\"");
    KxBanner banner(seg.data(), "SkylidTest_Other");
    EXPECT_EQ(banner.StartCommand(),
              KxBanner::GetProgramCommand() + " --segment \"SkylidTest_Other\"");
    ASSERT_TRUE(banner.Start()) << banner.GetErrorText();
    // The program runs on its own; wait for its mark (it takes milliseconds).
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(marker) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(std::filesystem::exists(marker));
}

TEST_F(BannerTest, ABannerThatCannotStartIsReportedButHarmless) {
    KxBanner::SetProgramCommand("/nonexistent/folder/skylid-banner");
    KxBanner banner(seg.data(), Gensim_Shm::kName);
    // The usual segment needs no name on the command line.
    EXPECT_EQ(banner.StartCommand(), "/nonexistent/folder/skylid-banner");
    EXPECT_FALSE(banner.Start());
    EXPECT_NE(std::string(banner.GetErrorText()).find("KxBanner::Start"), std::string::npos);
    // The fields stay usable.
    banner.SetHeading("Kx-P-0028 v1.0");
    EXPECT_EQ(TextAt(seg, 3808, 50), "Kx-P-0028 v1.0");
    // Without a segment there is nothing to show, so nothing is started.
    KxBanner::SetProgramCommand("/bin/true");
    EXPECT_FALSE(KxBanner(nullptr).Start());
}

TEST_F(BannerTest, DefaultProgramIsTheBannerBesideThisProgram) {
    std::string folder = std::filesystem::canonical("/proc/self/exe").parent_path().string();
    EXPECT_EQ(KxBanner::DefaultProgramCommand(), "\"" + folder + "/skylid-banner\"");
    EXPECT_EQ(KxBanner::GetProgramCommand(), KxBanner::DefaultProgramCommand());
    KxBanner::SetProgramCommand("other");
    EXPECT_EQ(KxBanner::GetProgramCommand(), "other");
}

TEST_F(BannerTest, ReportEntriesFillTheRecordAndPauseEach) {
    std::memset(seg.data() + kRecord, 0, 4160);
    ViewInitialise::Bind(seg.data());
    ViewInitialise view;

    view.Report("CIniRead::GetInitData", "Using Data File : /x");
    EXPECT_EQ(IntAt(seg, kRecord + 4), 1);
    EXPECT_EQ(TextAt(seg, kRecord + 8, 50), "CIniRead::GetInitData");
    EXPECT_EQ(TextAt(seg, kRecord + 58, 512), "Using Data File : /x");
    EXPECT_EQ(clock.TotalSleptNs(), 100'000'000);

    view.Report("no heading");
    EXPECT_EQ(IntAt(seg, kRecord + 4), 2);
    EXPECT_EQ(TextAt(seg, kRecord + 8, 50), "");
    EXPECT_EQ(TextAt(seg, kRecord + 58, 512), "no heading");
    EXPECT_EQ(IntAt(seg, kRecord + 572), 0);

    std::string longText(700, 'd');
    view.ReportError("title", longText.c_str(), "consequence");
    EXPECT_EQ(IntAt(seg, kRecord), 1);
    EXPECT_EQ(IntAt(seg, kRecord + 4), 2);
    EXPECT_EQ(IntAt(seg, kRecord + 572), 2);
    EXPECT_EQ(TextAt(seg, kRecord + 2624, 512), "title");
    EXPECT_EQ(TextAt(seg, kRecord + 3136, 512), "consequence");
    EXPECT_EQ(TextAt(seg, kRecord + 3648, 512), std::string(511, 'd'));
    EXPECT_EQ(clock.TotalSleptNs(), 300'000'000);

    // A long heading is cut to 49 characters.
    view.Report(std::string(80, 'h').c_str(), "t");
    EXPECT_EQ(TextAt(seg, kRecord + 8, 50), std::string(49, 'h'));
    // The reserved texts are never touched.
    for (std::size_t i = 576; i < 2624; ++i)
        ASSERT_EQ(seg[kRecord + i], 0) << i;
}

TEST_F(BannerTest, EntriesWhileUnboundAreDroppedWithoutPause) {
    std::vector<std::uint8_t> before = seg;
    ViewInitialise view;
    view.Report("h", "t");
    view.Report("t");
    view.ReportError("a", "b", "c");
    EXPECT_EQ(clock.TotalSleptNs(), 0);
    EXPECT_EQ(seg, before);

    ViewInitialise::Bind(seg.data());
    ViewInitialise::Unbind();
    view.Report("t");
    EXPECT_EQ(clock.TotalSleptNs(), 0);
    EXPECT_EQ(seg, before);
}
