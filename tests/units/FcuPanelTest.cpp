// The FCU panel through the segment: mouse on its knobs and buttons, the
// bytes the host reads, the host's fields, the windows as drawn.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "PanelArt.h"
#include "controls/CPanelMouse.h"
#include "platform/CDC.h"
#include "support/TestSupport.h"
#include "units/CFcuPanel.h"

namespace {

constexpr int kPanelX = 976;
constexpr int kPanelY = 1595;

// The A320-region blocks and the fields, as the host knows them.
constexpr std::uint32_t kOut = 130356;
constexpr std::uint32_t kIn = 129848;
constexpr std::uint32_t kHostTime = 4896;
constexpr std::uint32_t kAircraftAltitude = 38712;

// Knob places on the panel.
constexpr CPoint kSpeedKnob{55, 100};
constexpr CPoint kHeadingKnob{145, 100};
constexpr CPoint kAltitudeKnob{345, 90};
constexpr CPoint kSpdMachButton{27, 70};

class FcuPanelTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_art = new testsupport::TempDir;
        panelart::WriteFcuArt(s_art->Path());
    }
    static void TearDownTestSuite() {
        delete s_art;
        s_art = nullptr;
    }

    void SetUp() override {
        segment.assign(Gensim_Shm::kSize, 0);
        CBasePanel::SetSharedMemory(segment.data());
        panel.SetAircraftType(13);
        ASSERT_TRUE(panel.Initialise(s_art->Path().c_str(), kPanelX, kPanelY))
            << panel.GetErrorText();
    }
    void TearDown() override { CBasePanel::SetSharedMemory(nullptr); }

    template <typename T>
    T Get(std::uint32_t offset) {
        T value;
        std::memcpy(&value, segment.data() + offset, sizeof value);
        return value;
    }
    template <typename T>
    void Put(std::uint32_t offset, T value) {
        std::memcpy(segment.data() + offset, &value, sizeof value);
    }
    std::string Text(std::uint32_t offset) {
        return std::string(reinterpret_cast<const char*>(segment.data() + offset),
                           strnlen(reinterpret_cast<const char*>(segment.data() + offset), 6));
    }
    int Speed() { return Get<std::uint16_t>(kOut + 18); }
    int Heading() { return Get<std::uint16_t>(kOut + 20); }

    // One update with the mouse at a point of the panel.
    void UpdateAt(CPoint local, int code) {
        CPanelMouse::SetScroll(0, 0);
        CPanelMouse::SetMousePoint(kPanelX + local.x, kPanelY + local.y);
        event.code = code;
        panel.Update(&event);
    }
    // The left button held on the right (increase) or left half of a knob
    // for one update.
    void Turn(CPoint knob, bool up) {
        UpdateAt(CPoint(knob.x + (up ? 30 : 10), knob.y + 20), MouseEvent::kLeftPress);
    }
    void Release() { UpdateAt(CPoint(0, 0), MouseEvent::kNone); }
    void Draw() {
        CDC dc(2600, 1900, RGB(0, 0, 0));
        panel.Draw(&dc);
    }

    static testsupport::TempDir* s_art;
    std::vector<std::uint8_t> segment;
    CFcuPanel panel;
    MouseEvent event;
};

testsupport::TempDir* FcuPanelTest::s_art = nullptr;

}  // namespace

TEST_F(FcuPanelTest, StartsAt100KnotsInTheA320Blocks) {
    EXPECT_EQ(panel.OutBlock(), kOut);
    EXPECT_EQ(panel.InBlock(), kIn);
    EXPECT_EQ(Speed(), 100);
    EXPECT_TRUE(panel.IsBlankOverlayReady());
    EXPECT_TRUE(panel.Light(3).IsOn()) << "LAT lit from the start";
    EXPECT_FALSE(panel.Light(4).IsOn()) << "ALT unlit";
}

TEST_F(FcuPanelTest, TypeCodesChooseTheRegionOrRefuse) {
    for (int code : {7, 8, 9}) {
        CFcuPanel a330;
        a330.SetAircraftType(code);
        ASSERT_TRUE(a330.Initialise(s_art->Path().c_str(), kPanelX, kPanelY)) << code;
        EXPECT_EQ(a330.OutBlock(), 75740u);
        EXPECT_EQ(a330.InBlock(), 75216u);
    }
    for (int code : {5, 6, 14, 0}) {
        CFcuPanel refused;
        refused.SetAircraftType(code);
        EXPECT_FALSE(refused.Initialise(s_art->Path().c_str(), kPanelX, kPanelY)) << code;
        EXPECT_STREQ(refused.GetErrorText(), "CFcuPanel::Initialise --> Incorrect aircraft fit");
    }
    CBasePanel::SetSharedMemory(nullptr);
    CFcuPanel noSegment;
    noSegment.SetAircraftType(13);
    EXPECT_FALSE(noSegment.Initialise(s_art->Path().c_str(), kPanelX, kPanelY));
    EXPECT_STREQ(noSegment.GetErrorText(), "CFcuPanel::Initialise --> SharedMemory ptr not set");
}

TEST_F(FcuPanelTest, SpeedKnobPublishesOnlyLimitedSpeeds) {
    // Turning up from 399: 399, never 400 (which reads as Mach 0.40).
    panel.SetState(FcuStateRecord{399, 0, 1000, 1000, 0, 0, 0, 0});
    Release();
    for (int i = 0; i < 3; ++i) {
        Turn(kSpeedKnob, true);
        EXPECT_EQ(Speed(), 399) << "update " << i;
        EXPECT_EQ(Get<std::uint8_t>(kOut + 59), 0) << "still speed mode";
        EXPECT_EQ(Get<std::uint8_t>(kOut + 17), 4) << "speed knob turned";
    }
    Release();
    EXPECT_EQ(Get<std::uint8_t>(kOut + 17), 0);
    Draw();
    EXPECT_EQ(Text(kOut + 32), "399");

    // Turning down from 100 stays at 100.
    panel.SetState(FcuStateRecord{100, 0, 1000, 1000, 0, 0, 0, 0});
    Release();
    Turn(kSpeedKnob, false);
    EXPECT_EQ(Speed(), 100);

    // In Mach mode the knob moves by 0.01.
    panel.SetState(FcuStateRecord{780, 0, 1000, 1000, 0, 1, 0, 0});
    Release();
    Turn(kSpeedKnob, true);
    EXPECT_EQ(Speed(), 790);
    Release();
    Draw();
    EXPECT_EQ(Text(kOut + 32), "@79");
}

TEST_F(FcuPanelTest, HeadingWrapsRound) {
    panel.SetState(FcuStateRecord{250, 359, 1000, 1000, 0, 0, 0, 0});
    Release();
    Turn(kHeadingKnob, true);
    EXPECT_EQ(Heading(), 0);
    EXPECT_EQ(Get<std::uint8_t>(kOut + 15), 4);
    Release();
    Turn(kHeadingKnob, false);
    EXPECT_EQ(Heading(), 359);
    Release();
    Draw();
    EXPECT_EQ(Text(kOut + 38), "359");
}

TEST_F(FcuPanelTest, RightPressOnTheAltitudeKnobTogglesTheStepOnce) {
    const CPoint on(kAltitudeKnob.x + 12, kAltitudeKnob.y + 20);
    Release();
    for (int i = 0; i < 5; ++i) {
        UpdateAt(on, MouseEvent::kRightPress);
        EXPECT_EQ(Get<std::uint8_t>(kOut + 60), 1) << "held for update " << i;
    }
    Release();
    EXPECT_EQ(Get<std::uint8_t>(kOut + 60), 1);
    UpdateAt(on, MouseEvent::kRightPress);
    EXPECT_EQ(Get<std::uint8_t>(kOut + 60), 0) << "pressed again after the release";

    // A right press elsewhere does nothing.
    Release();
    UpdateAt(CPoint(10, 10), MouseEvent::kRightPress);
    EXPECT_EQ(Get<std::uint8_t>(kOut + 60), 0);

    // 1000 ft steps, then 100 ft steps; the altitude is published in hundreds.
    panel.SetState(FcuStateRecord{250, 0, 10000, 10000, 0, 0, 0, 0});
    Release();
    Turn(kAltitudeKnob, true);
    EXPECT_EQ(Get<std::uint16_t>(kOut + 22), 110);
    Release();
    UpdateAt(on, MouseEvent::kRightPress);
    Release();
    Turn(kAltitudeKnob, true);
    EXPECT_EQ(Get<std::uint16_t>(kOut + 22), 111);
    Release();
    Draw();
    EXPECT_EQ(Text(kOut + 44), "11100");
}

TEST_F(FcuPanelTest, PushAndPullCodesHoldForTenUpdates) {
    // A wheel notch toward the user over the speed knob pulls it.
    UpdateAt(CPoint(kSpeedKnob.x + 12, kSpeedKnob.y + 20), MouseEvent::kWheelToward);
    EXPECT_EQ(Get<std::uint8_t>(kOut + 17), 2);
    for (int i = 1; i < 10; ++i) {
        Release();
        EXPECT_EQ(Get<std::uint8_t>(kOut + 17), 2) << "update " << i;
    }
    Release();
    EXPECT_EQ(Get<std::uint8_t>(kOut + 17), 0);
    // Away from the user pushes the heading knob.
    UpdateAt(CPoint(kHeadingKnob.x + 12, kHeadingKnob.y + 20), MouseEvent::kWheelAway);
    EXPECT_EQ(Get<std::uint8_t>(kOut + 15), 1);
    EXPECT_EQ(Get<std::uint8_t>(kOut + 17), 0);
}

TEST_F(FcuPanelTest, PullingTheSpeedKnobTakesTheHostsSpeed) {
    Put<std::int32_t>(kIn + 60, 210);
    UpdateAt(CPoint(kSpeedKnob.x + 12, kSpeedKnob.y + 20), MouseEvent::kWheelToward);
    EXPECT_EQ(Speed(), 210);
}

TEST_F(FcuPanelTest, ManagedSpeedPreviewsATurnThenDashesAgain) {
    Put<std::uint8_t>(kIn + 47, 1);
    Put<std::int32_t>(kIn + 56, 250);
    Put<std::int32_t>(kHostTime, 1000);
    Release();
    Draw();
    EXPECT_EQ(Text(kOut + 32), "---");
    EXPECT_EQ(Get<std::uint8_t>(kOut + 56), 1) << "dot copied";
    Release();
    EXPECT_EQ(Speed(), 250) << "the managed target became the selected speed";

    Turn(kSpeedKnob, true);
    Draw();
    EXPECT_EQ(Text(kOut + 32), "251");
    Release();
    Put<std::int32_t>(kHostTime, 1009);
    Draw();
    EXPECT_EQ(Text(kOut + 32), "251") << "for 10 units of host time";
    Put<std::int32_t>(kHostTime, 1010);
    Draw();
    EXPECT_EQ(Text(kOut + 32), "---");
    Release();
    EXPECT_EQ(Speed(), 250);
}

TEST_F(FcuPanelTest, SpdMachButtonChangesToMachAt10000Feet) {
    Put<double>(kAircraftAltitude, 3048.0);
    panel.SetState(FcuStateRecord{250, 0, 1000, 1000, 0, 0, 0, 0});
    const CPoint button(kSpdMachButton.x + 10, kSpdMachButton.y + 10);
    UpdateAt(button, MouseEvent::kNone);
    UpdateAt(button, MouseEvent::kLeftPress);
    EXPECT_EQ(Get<std::uint8_t>(kOut + 8), 1);
    UpdateAt(button, MouseEvent::kNone);
    EXPECT_EQ(Get<std::uint8_t>(kOut + 8), 0);
    EXPECT_EQ(Get<std::uint8_t>(kOut + 59), 1);
    EXPECT_EQ(Speed(), 450);
    Draw();
    EXPECT_EQ(Text(kOut + 32), "@45");
    EXPECT_FALSE(panel.Light(0).IsOn()) << "SPD label off in Mach mode";
}

TEST_F(FcuPanelTest, VerticalWindowAndTrkFpaMode) {
    panel.SetState(FcuStateRecord{250, 0, 1000, 1000, -700, 0, 0, 0});
    Release();
    Draw();
    EXPECT_EQ(Text(kOut + 50), "-07oo");
    EXPECT_EQ(Get<std::int16_t>(kOut + 24), -700);
    panel.SetState(FcuStateRecord{250, 0, 1000, 1000, -33, 0, 1, 0});
    Release();
    Draw();
    EXPECT_EQ(Text(kOut + 50), "-3.3 ");
    EXPECT_EQ(Get<std::uint8_t>(kOut + 26), 1);
    EXPECT_TRUE(panel.Light(2).IsOn()) << "TRK";
    EXPECT_FALSE(panel.Light(5).IsOn()) << "V/S";
}

TEST_F(FcuPanelTest, LampTestLightsEverythingButThreeAndFillsTheWindows) {
    Put<std::uint8_t>(kIn + 68, 1);
    Release();
    Draw();
    EXPECT_EQ(Text(kOut + 32), "888");
    EXPECT_EQ(Text(kOut + 38), "888");
    EXPECT_EQ(Text(kOut + 44), "88888");
    EXPECT_EQ(Text(kOut + 50), "88888");
    for (int i = 0; i < CFcuPanel::kBlankOverlay; ++i) {
        const bool exempt = i == 1 || i == 3 || i == 4;  // Mach point, LAT, ALT
        if (i != 3) {
            EXPECT_EQ(panel.Light(i).IsOn(), !exempt) << "light " << i;
        }
    }
    EXPECT_EQ(panel.Button(0).GetLightCode(), CButtonClass::kTopLit);
    EXPECT_EQ(panel.Button(8).GetLightCode(), CButtonClass::kTopLit);
}

TEST_F(FcuPanelTest, HostPresetsAndTheSpeedSetRequest) {
    Put<std::uint8_t>(kIn + 0, 1);
    Put<float>(kIn + 4, 0.78f);
    Put<std::uint8_t>(kIn + 8, 1);
    Put<float>(kIn + 12, 95.0f);
    Put<std::uint8_t>(kIn + 16, 1);
    Put<float>(kIn + 20, 35000.0f);
    EXPECT_TRUE(panel.HasPresetRequest());
    panel.ApplyHostPresets();
    Release();
    EXPECT_EQ(Speed(), 780);
    EXPECT_EQ(Get<std::uint8_t>(kOut + 59), 1);
    EXPECT_EQ(Heading(), 95);
    EXPECT_EQ(Get<std::uint16_t>(kOut + 22), 350);

    std::memset(segment.data() + kIn, 0, 24);
    EXPECT_FALSE(panel.HasPresetRequest());
    Put<std::uint32_t>(kIn + 64, 280);
    Release();
    EXPECT_EQ(Speed(), 280);
    EXPECT_EQ(Get<std::uint8_t>(kOut + 59), 0);
}

TEST_F(FcuPanelTest, RemoteHoldDrawsThePublishedFcu) {
    panel.SetRemoteHold(true);
    std::memcpy(segment.data() + kOut + 32, "@82", 4);
    Put<std::uint8_t>(kOut + 59, 1);
    Put<std::uint8_t>(kIn + 76, 1);
    const CPoint button(kSpdMachButton.x + 10, kSpdMachButton.y + 10);
    UpdateAt(button, MouseEvent::kLeftPress);
    EXPECT_EQ(Get<std::uint8_t>(kOut + 8), 0) << "no mouse handling";
    EXPECT_EQ(panel.Button(0).GetLightCode(), CButtonClass::kTopLit) << "AP1 light";
    Draw();
    EXPECT_EQ(Text(kOut + 32), "@82") << "the published text is left alone";
    EXPECT_FALSE(panel.Light(0).IsOn()) << "labels from the published Mach flag";
}
