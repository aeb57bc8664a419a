// The radio management and audio control panels: the tuning arithmetic on its
// own, then the panels clicked update by update on their own art.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "PanelHarness.h"
#include "panels/CA330_Acp.h"
#include "panels/CA330_Rmp.h"
#include "panels/RmpTuning.h"

namespace {

// Blocks of the first and third radio management panel (A320 region).
constexpr std::uint32_t kRmp0Out = 130636;
constexpr std::uint32_t kRmp0In = 129580;
constexpr std::uint32_t kRmp2Out = 130236;
constexpr std::uint32_t kRmp2In = 129464;

std::string Text(const char* text) {
    return text;
}

TEST(RmpTuning, LimitsStepsWrapAndTheWindowTexts) {
    rmp::RmpTuningValue vhf;
    vhf.Setup(30000, 300000, 1000, 119900, false);
    vhf.Turn(1, 5);
    EXPECT_EQ(vhf.value, 119905);
    EXPECT_FLOAT_EQ(vhf.scaled, 119.905f);
    vhf.Turn(1, 1000);
    EXPECT_EQ(vhf.value, 120905);
    vhf.Turn(-1000, 1000);  // far below: held at the minimum, no wrap
    EXPECT_EQ(vhf.value, 30000);
    char text[rmp::kTextSize];
    rmp::FormatVhf(vhf.scaled, text);
    EXPECT_EQ(Text(text), "   dAtA");
    rmp::FormatVhf(30.005, text);
    EXPECT_EQ(Text(text), " 30.005");
    rmp::FormatVhf(30.001, text);
    EXPECT_EQ(Text(text), "   dAtA");

    rmp::RmpTuningValue course;
    course.Setup(0, 360, 1, 359, true);
    course.Turn(1, 1);
    EXPECT_EQ(course.value, 360);
    course.Turn(1, 1);
    EXPECT_EQ(course.value, 0);
    course.Turn(-1, 1);
    EXPECT_EQ(course.value, 360);
    rmp::FormatCourse(7, text);
    EXPECT_EQ(Text(text), " C- 007");

    // Loads from the host: VOR in MHz as hundredths, ADF in kHz as tenths,
    // a frequency at the record's divisor, rounded to the nearest unit.
    rmp::RmpTuningValue vor;
    vor.Setup(10800, 11795, 100, 11255, false);
    vor.LoadScaled(112.35f, rmp::kNavLoadScale);
    EXPECT_EQ(vor.value, 11235);
    vor.LoadScaled(200.0, rmp::kNavLoadScale);
    EXPECT_EQ(vor.value, 11795);
    vor.LoadScaled(std::nan(""), rmp::kNavLoadScale);
    EXPECT_EQ(vor.value, 10800);
    rmp::RmpTuningValue adf;
    adf.Setup(1900, 5350, 10, 2075, false);
    adf.LoadScaled(415.5f, rmp::kAdfLoadScale);
    EXPECT_EQ(adf.value, 4155);
    rmp::FormatAdf(adf.scaled, text);
    EXPECT_EQ(Text(text), "  415.5");
    vhf.SetFrequency(121.8f);  // 121799.99 x 1000 would truncate to 121.795
    EXPECT_EQ(vhf.value, 121800);
}

class RmpTest : public ::testing::Test {
  protected:
    static constexpr int kX = 765;
    static constexpr int kY = 3075;

    void StartSide(int side) {
        panel.SetSide(side);
        panel.SetAircraftType(13);
        panelart::WriteCoverFolder(bench.ArtPath(), "Guards\\StbyNav", 30);
        panelart::WriteCoverFolder(bench.ArtPath(), "Guards\\StbyNavOn", 31);
        ASSERT_TRUE(bench.Start({&rmp::kDescription}));
    }
    CPoint Key(int i) const { return PanelHarness::KeyAt(rmp::kDescription.buttons[i]); }
    // The knob (40 x 40 at 205, 60): its right half turns up, its left half down.
    static constexpr CPoint kKnobUp{235, 80};
    static constexpr CPoint kKnobDown{215, 80};
    static constexpr CPoint kCover{45, 130};
    void TurnClicks(CPoint half, int clicks) {
        for (int i = 0; i < clicks; ++i)
            bench.Click(half);
    }
    std::string Window(int w) {
        char text[rmp::kTextSize];
        panel.WindowText(w, text);
        return text;
    }

    CA330_Rmp panel;
    PanelHarness bench{panel, kX, kY};
};

TEST_F(RmpTest, FineAndCoarseStepsDownToTheMinimumAndTheWindowRules) {
    ASSERT_NO_FATAL_FAILURE(StartSide(0));
    bench.Idle();
    EXPECT_EQ(Window(1), "       ") << "unpowered";
    bench.Put<std::uint8_t>(kRmp0In + 57, 1);
    bench.Put<float>(kRmp0In + 0, 118.0f);
    EXPECT_EQ(Window(0), "118.000");
    EXPECT_EQ(Window(1), "119.900");
    EXPECT_EQ(bench.Get<std::uint8_t>(kRmp0Out + 3), 1) << "power switch on";

    TurnClicks(kKnobUp, 1);
    EXPECT_EQ(Window(1), "119.905") << "fine step 0.005";
    bench.RightClick(kKnobUp);
    EXPECT_FALSE(panel.IsFineStep());
    TurnClicks(kKnobUp, 1);
    EXPECT_EQ(Window(1), "120.905") << "coarse step 1.000";
    bench.Hold(kKnobDown, 200);
    EXPECT_EQ(Window(1), "   dAtA") << "30.000 is at or below 30.001";

    bench.Put<std::uint8_t>(kRmp0In + 59, 1);
    EXPECT_EQ(Window(0), "8888888");
    EXPECT_EQ(Window(1), "8888888");
    bench.Put<std::uint8_t>(kRmp0In + 57, 0);
    EXPECT_EQ(Window(0), "       ") << "unpowered whatever the lamp test";
    EXPECT_EQ(Window(1), "       ");
}

TEST_F(RmpTest, CommTransferHandsOverTheStandbyUntilAcknowledged) {
    ASSERT_NO_FATAL_FAILURE(StartSide(0));
    bench.Put<std::uint8_t>(kRmp0In + 57, 1);
    bench.Put<float>(kRmp0In + 0, 118.0f);
    // 119.900 -> 121.900 in coarse steps, then 20 fine steps down to 121.800.
    bench.RightClick(kKnobUp);
    TurnClicks(kKnobUp, 2);
    bench.RightClick(kKnobUp);
    TurnClicks(kKnobDown, 20);
    ASSERT_EQ(Window(1), "121.800");

    bench.Click(Key(rmp::kXfrKey));
    EXPECT_FLOAT_EQ(bench.Get<float>(kRmp0Out + 72), 121.8f);
    EXPECT_EQ(Window(1), "118.000");
    EXPECT_EQ(bench.Get<std::uint8_t>(kRmp0Out + 64), 1);
    EXPECT_EQ(bench.Get<std::int32_t>(kRmp0Out + 68), 0);
    bench.Idle(5);
    EXPECT_EQ(bench.Get<std::uint8_t>(kRmp0Out + 64), 1) << "waits for the host";
    bench.Put<std::uint8_t>(kRmp0In + 58, 1);
    bench.Idle();
    EXPECT_EQ(bench.Get<std::uint8_t>(kRmp0Out + 64), 0);

    // Another radio: its own record and light; the key bytes follow the keys.
    bench.At(Key(rmp::kHf1), MouseEvent::kNone);
    bench.At(Key(rmp::kHf1), MouseEvent::kLeftPress);
    EXPECT_EQ(bench.Get<std::uint8_t>(kRmp0Out + 5 + 3), 1);
    bench.At(Key(rmp::kHf1), MouseEvent::kNone);
    EXPECT_EQ(bench.Get<std::uint8_t>(kRmp0Out + 5 + 3), 0);
    EXPECT_EQ(panel.GetSelectedType(), rmp::kHf1);
    EXPECT_EQ(Window(1), "  4.532");
    EXPECT_EQ(panel.Key(rmp::kHf1).GetLightCode(), CButtonClass::kTopLit);
    EXPECT_EQ(panel.Key(rmp::kVhf1).GetLightCode(), CButtonClass::kNoneLit);
}

TEST_F(RmpTest, StandbyNavigationBehindTheCoverAndBackToTheCommRadio) {
    ASSERT_NO_FATAL_FAILURE(StartSide(0));
    bench.Put<std::uint8_t>(kRmp0In + 57, 1);
    bench.Put<float>(kRmp0In + 24, 112.55f);  // VOR of side 0
    bench.Put<float>(kRmp0In + 40, 109.1f);   // ILS
    bench.Put<float>(kRmp0In + 32, 415.5f);   // ADF of side 0, kHz
    bench.Click(Key(rmp::kVhf2));
    bench.Click(Key(rmp::kNavKey));
    EXPECT_FALSE(panel.IsStandbyNav()) << "the closed cover keeps NAV out";
    bench.Click(Key(rmp::kVorKey));
    EXPECT_EQ(panel.GetSelectedType(), rmp::kVhf2) << "VOR selects nothing outside standby nav";
    EXPECT_EQ(bench.Get<std::int32_t>(kRmp0Out + 24), -1);

    bench.RightClick(kCover);
    bench.Click(Key(rmp::kNavKey));
    ASSERT_TRUE(panel.IsStandbyNav());
    EXPECT_EQ(bench.Get<std::uint8_t>(kRmp0Out + 20), 1);
    bench.Click(Key(rmp::kVorKey));
    EXPECT_EQ(panel.GetSelectedType(), rmp::kVor);
    EXPECT_EQ(Window(0), "112.550");
    EXPECT_EQ(Window(1), "112.550");
    TurnClicks(kKnobUp, 1);
    EXPECT_EQ(Window(1), "112.600") << "VOR fine step 0.05";
    bench.Click(Key(rmp::kXfrKey));
    EXPECT_EQ(bench.Get<std::int32_t>(kRmp0Out + 24), 11260);
    EXPECT_EQ(bench.Get<std::int32_t>(kRmp0Out + 52), 6);
    EXPECT_EQ(Window(1), " C- 121") << "the next transfer is the course";
    EXPECT_EQ(bench.Get<std::int32_t>(kRmp0Out + 60), 10 - 1);
    TurnClicks(kKnobDown, 1);
    EXPECT_EQ(bench.Get<std::int32_t>(kRmp0Out + 28), 120);
    bench.Click(Key(rmp::kXfrKey));
    EXPECT_EQ(Window(1), "112.600") << "and then the frequency again";

    bench.Click(Key(rmp::kAdfKey));
    EXPECT_EQ(Window(0), "  415.5");
    EXPECT_EQ(Window(1), "  415.5");

    bench.Click(Key(rmp::kNavKey));
    EXPECT_FALSE(panel.IsStandbyNav());
    EXPECT_EQ(panel.GetSelectedType(), rmp::kVhf2) << "the comm radio selected before";
    EXPECT_EQ(bench.Get<std::uint8_t>(kRmp0Out + 20), 0);
    EXPECT_EQ(bench.Get<std::int32_t>(kRmp0Out + 24), -1);
}

TEST_F(RmpTest, TheThirdPanelHasNoStandbyNavigationAndHoldFollowsTheOutputs) {
    ASSERT_NO_FATAL_FAILURE(StartSide(2));
    bench.Put<std::uint8_t>(kRmp2In + 57, 1);
    bench.Put<float>(kRmp2In + 8, 126.5f);
    EXPECT_EQ(panel.GetSelectedType(), rmp::kVhf3);
    EXPECT_EQ(panel.Knob().GetValue(), 12330);
    EXPECT_EQ(Window(0), "126.500");
    EXPECT_EQ(Window(1), "145.050");
    bench.RightClick(kCover);
    bench.Click(Key(rmp::kNavKey));
    EXPECT_FALSE(panel.IsStandbyNav());
    bench.Click(Key(rmp::kVorKey));
    bench.Click(Key(rmp::kAdfKey));
    EXPECT_EQ(panel.GetSelectedType(), rmp::kVhf3);
    EXPECT_EQ(bench.Get<std::int32_t>(kRmp2Out + 68), 2);

    // Held by the host: the keys and the power switch follow the output block.
    bench.Put<std::uint8_t>(kRmp2Out + 3, 0);
    bench.Put<std::uint8_t>(kRmp2Out + 5 + 12, 1);
    panel.SetRemoteHold(true);
    bench.Click(Key(rmp::kHf2));
    EXPECT_EQ(panel.GetSelectedType(), rmp::kVhf3);
    EXPECT_EQ(panel.Switches()[0].GetPosition(), CSwitchClass::kDown);
    EXPECT_TRUE(panel.Key(rmp::kBfoKey).IsPressed());
}

class AcpTest : public ::testing::Test {
  protected:
    static constexpr std::uint32_t kOut = 130796 + 14;  // side 1
    static constexpr std::uint32_t kIn = 129708 + 8;

    void SetUp() override {
        panel.SetSide(1);
        panel.SetAircraftType(13);
        ASSERT_TRUE(bench.Start({&acp::kDescription}));
        std::memset(bench.segment.data() + kOut + 6, 0xEE, 7);
    }
    CPoint Key(int row, int key) const {
        return PanelHarness::KeyAt(acp::kDescription.buttons[row * 7 + key]);
    }

    CA330_Acp panel{0};
    PanelHarness bench{panel, 1533, 3228};
};

TEST_F(AcpTest, OneTransmissionKeySelectedOnlyWhenPowered) {
    bench.Idle();
    EXPECT_EQ(bench.Get<std::int16_t>(kOut + 4), 125);
    bench.Click(Key(0, 2));
    EXPECT_EQ(bench.Get<std::int16_t>(kOut + 4), 125) << "unpowered";
    EXPECT_EQ(panel.Key(2).GetLightCode(), CButtonClass::kNoneLit);
    for (int b = 6; b <= 12; ++b)
        EXPECT_EQ(bench.Get<std::uint8_t>(kOut + b), 0xEE) << "byte " << b << " not written";

    bench.Put<std::uint8_t>(kIn + 0, 1);
    bench.Put<std::uint8_t>(kIn + 4, 1);
    bench.Click(Key(0, 2));
    EXPECT_EQ(bench.Get<std::int16_t>(kOut + 4), 125) << "upper legends shown: no selection";
    EXPECT_EQ(panel.Key(4).GetLightCode(), CButtonClass::kTopLit);
    bench.Put<std::uint8_t>(kIn + 4, 0);

    bench.Click(Key(0, 2));
    EXPECT_EQ(bench.Get<std::int16_t>(kOut + 4), 2);
    bench.Idle();
    EXPECT_EQ(panel.Key(2).GetLightCode(), CButtonClass::kTopLit);
    EXPECT_EQ(panel.Key(4).GetLightCode(), CButtonClass::kNoneLit);
    bench.Click(Key(0, 5));
    EXPECT_EQ(bench.Get<std::int16_t>(kOut + 4), 5);
    EXPECT_EQ(panel.GetSelected(), 5);

    // Reception keys: row 1 of the selected channel at 6; row 2 as 10 or 0.
    EXPECT_EQ(bench.Get<std::uint8_t>(kOut + 6), 0);
    bench.Click(Key(1, 5));
    EXPECT_EQ(bench.Get<std::uint8_t>(kOut + 6), 1);
    bench.Click(Key(1, 3));
    EXPECT_EQ(bench.Get<std::uint8_t>(kOut + 6), 1) << "another channel's key";
    const int row2Byte[7] = {7, 8, 11, 12, -1, 9, 10};
    for (int key = 0; key < 7; ++key) {
        bench.Click(Key(2, key));
        for (int b = 7; b <= 12; ++b) {
            EXPECT_EQ(bench.Get<std::uint8_t>(kOut + b), b == row2Byte[key] ? 10 : 0)
                << "row 2 key " << key << " byte " << b;
        }
        bench.Click(Key(2, key));
    }
    EXPECT_FALSE(panel.Key(14 + 4).IsPressed()) << "row 2 key 4 takes no clicks";

    // Remote hold from output byte 0: the mouse is ignored.
    bench.Put<std::uint8_t>(kOut + 0, 1);
    bench.Click(Key(0, 1));
    EXPECT_EQ(bench.Get<std::int16_t>(kOut + 4), 5);
    bench.Put<std::uint8_t>(kOut + 0, 0);
    bench.Click(Key(0, 1));
    EXPECT_EQ(bench.Get<std::int16_t>(kOut + 4), 1);
}

TEST(RadioPanels, WrongFitAndSidesLimited) {
    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0);
    CA330_Rmp rmp(7);
    rmp.SetAircraftType(14);
    EXPECT_FALSE(rmp.Initialise("/nonexistent", 0, 0));
    EXPECT_EQ(Text(rmp.GetErrorText()), "CA330_Rmp::Initialise --> SharedMemory ptr not set");
    CBasePanel::SetSharedMemory(segment.data());
    EXPECT_FALSE(rmp.Initialise("/nonexistent", 0, 0));
    EXPECT_EQ(Text(rmp.GetErrorText()), "CA330_Rmp::Initialise --> Incorrect aircraft fit");
    EXPECT_EQ(rmp.GetSide(), 2);
    EXPECT_EQ(rmp.GetSelectedType(), rmp::kVhf3);
    CA330_Acp acp(-3);
    acp.SetAircraftType(5);
    EXPECT_FALSE(acp.Initialise("/nonexistent", 0, 0));
    EXPECT_EQ(Text(acp.GetErrorText()), "CA330_Acp::Initialise --> Incorrect aircraft fit");
    EXPECT_EQ(acp.GetSide(), 0);
    CBasePanel::SetSharedMemory(nullptr);
}

}  // namespace
