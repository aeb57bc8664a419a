// The lever and trim panels on a small art set of solid pictures, driven by
// mouse updates as the cockpit manager gives them: clicks to the bytes and
// doubles the host reads, host values back to the pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PanelArt.h"
#include "controls/CKnobClass.h"
#include "controls/CPanelMouse.h"
#include "panels/CA330_Clock.h"
#include "panels/CA330_RudderTrim.h"
#include "panels/CFlapPanelPanel.h"
#include "panels/CGlareShield.h"
#include "panels/CLndGearPanel.h"
#include "panels/CSpdBrkPanelPanel.h"
#include "panels/CStabPanel.h"
#include "panels/CThrustLever.h"
#include "platform/CDC.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

constexpr COLORREF kBackground = RGB(1, 2, 3);

// Every picture these panels name, as solid pictures of the sizes the
// default art gives them; colour k of Colour(k) marks each.
COLORREF Colour(int k) {
    return RGB(40 + k * 3 % 200, 250 - k * 5 % 200, 100 + k * 11 % 150);
}

void Bmp(const fs::path& art, std::string name, int w, int h, int colour) {
    for (char& c : name)
        c = c == '\\' ? '/' : c;
    testsupport::WriteSolidBmp(art / name, w, h, Colour(colour));
}

void WriteArt(const fs::path& art) {
    int k = 0;
    for (const char* button :
         {"LndgGear", "DecelOn", "DotsOnGreen", "HotOn", "SpdBrk", "DotsTrue", "ResetButton",
          "SideStickA", "SideStickB", "MasterWarn", "MasterCaut", "FcuButton", "GpwsGs"}) {
        const std::string folder = std::string("Buttons/") + button;
        for (const char* slot : CButtonClass::kLegendSlotNames)
            Bmp(art, folder + slot, 40, 40, k++);
        for (const char* slot : CButtonClass::kOnOffSlotNames)
            Bmp(art, folder + slot, 40, 40, k++);
    }
    struct Light {
        const char* folder;
        int w, h;
    };
    const Light lights[] = {
        {"A320ThrL/Idle", 96, 440},      {"A320ThrL/Cl", 96, 440},
        {"A320ThrL/Mct", 96, 440},       {"A320ThrL/To", 96, 440},
        {"A320ThrL/Rev", 96, 440},       {"A320ThrR/Idle", 96, 440},
        {"A320ThrR/Cl", 96, 440},        {"A320ThrR/Mct", 96, 440},
        {"A320ThrR/To", 96, 440},        {"A320ThrR/Rev", 96, 440},
        {"Lights/BrkPrs", 28, 28},       {"Lights/BrkPrs2", 28, 28},
        {"Lights/UpDown", 24, 24},       {"Lights/StndbyAtt", 40, 40},
        {"Lights/AutoLand", 44, 44},     {"Lights/JoyStick", 44, 44},
        {"Lights/A320StabTrim", 5, 220}, {"Lights/StabTrim", 16, 345},
        {"Lights/A320StabIndL", 5, 7},   {"Lights/A320StabIndR", 5, 7},
        {"Lights/StabTrimIndL", 12, 8},  {"Lights/StabTrimIndR", 12, 8},
    };
    for (const Light& light : lights) {
        Bmp(art, std::string(light.folder) + "/On.bmp", light.w, light.h, k++);
        Bmp(art, std::string(light.folder) + "/Off.bmp", light.w, light.h, k++);
    }
    Bmp(art, "Switches/AsUp.bmp", 40, 64, k++);
    Bmp(art, "Switches/AsCenter.bmp", 40, 64, k++);
    Bmp(art, "Switches/AsDown.bmp", 40, 64, k++);
    Bmp(art, "Switches/GearHandleUp.bmp", 30, 200, k++);
    Bmp(art, "Switches/GearHandleDown.bmp", 30, 200, k++);
    Bmp(art, "Switches/A320StabL.bmp", 60, 220, k++);
    Bmp(art, "Switches/A320StabR.bmp", 60, 220, k++);
    Bmp(art, "Switches/StabLeft.bmp", 60, 90, k++);
    Bmp(art, "Switches/StabRight.bmp", 60, 90, k++);
    for (const char* knob : {"RudderKnob", "DmcSw", "EcamSw"}) {
        for (const char* position : CKnobClass::kPositionNames)
            Bmp(art, std::string("Knobs/") + knob + position, 48, 48, k++);
    }
    for (const char* lever : {"FlapUp", "Flap1", "Flap2", "Flap3", "FlapFull"})
        Bmp(art, std::string("Levers/FlapHandle/") + lever + ".bmp", 120, 280, k++);
    for (const char* lever : {"Gnd", "Ret", "Qtr", "Half", "Tqrt", "Full"})
        Bmp(art, std::string("Levers/SpdBrake/") + lever + ".bmp", 100, 290, k++);
    for (const char* rotary : {"RmpKnob", "CageIn", "CageOut"})
        Bmp(art, std::string("RotaryKnobs/") + rotary + ".bmp", 48, 48, k++);
    panelart::WriteGlyphs(art);
}

// The thrust lever pictures' colours: light row i of the panel, On picture.
COLORREF ThrustColour(int picture) {
    return Colour(13 * 12 + 2 * picture);
}

constexpr int kX = 10;  // every panel's origin in these tests
constexpr int kY = 10;

class LeverPanels : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_art = new testsupport::TempDir;
        WriteArt(s_art->Path());
    }
    static void TearDownTestSuite() {
        delete s_art;
        s_art = nullptr;
    }
    void SetUp() override {
        CBasePanel::SetSharedMemory(View());
        CPanelMouse::SetScroll(0, 0);
    }
    void TearDown() override { CBasePanel::SetSharedMemory(nullptr); }

    std::uint8_t* View() { return m_segment.data(); }
    void Start(CBasePanel& panel, int type = 13) {
        panel.SetAircraftType(type);
        ASSERT_TRUE(panel.Initialise(s_art->Path().c_str(), kX, kY)) << panel.GetErrorText();
    }
    // One update with the mouse at (x, y) from the panel origin.
    void At(CBasePanel& panel, int x, int y, int code) {
        CPanelMouse::SetMousePoint(kX + x, kY + y);
        m_event.code = code;
        panel.Update(&m_event);
    }
    void Click(CBasePanel& panel, int x, int y) {
        At(panel, x, y, MouseEvent::kNone);
        At(panel, x, y, MouseEvent::kLeftPress);
        At(panel, x, y, MouseEvent::kNone);
    }
    template <typename T>
    T Get(std::uint32_t offset) {
        return GenField<T>::At(offset).Read(View());
    }
    template <typename T>
    void Put(std::uint32_t offset, T value) {
        GenField<T>::At(offset).Write(View(), value);
    }

    static testsupport::TempDir* s_art;
    std::vector<std::uint8_t> m_segment = std::vector<std::uint8_t>(Gensim_Shm::kSize, 0);
    MouseEvent m_event;
};
testsupport::TempDir* LeverPanels::s_art = nullptr;

constexpr std::uint32_t kLeftAngle = 67416;
constexpr std::uint32_t kRightAngle = 67424;
constexpr std::uint32_t kLeftDetent = 131000;
constexpr std::uint32_t kRightDetent = 131004;

TEST_F(LeverPanels, ThrustLeverClicksWriteTheBandAngleAndTheDetent) {
    Put<double>(67432, 55.0);
    Put<double>(67440, 55.0);
    CThrustLever panel;
    Start(panel);
    EXPECT_EQ(Get<double>(67432), 0.0) << "engine 3 and 4 angles cleared";
    EXPECT_EQ(Get<double>(67440), 0.0);

    At(panel, 40, 10, MouseEvent::kLeftPress);  // 10 px below the top of the left lever
    EXPECT_EQ(Get<double>(kLeftAngle), 97.0);
    EXPECT_EQ(Get<std::int32_t>(kLeftDetent), 5);
    EXPECT_EQ(Get<double>(kRightAngle), 0.0) << "right lever untouched";
    EXPECT_EQ(Get<std::int32_t>(kRightDetent), 0);

    // Held and moved down the right lever: band to band.
    At(panel, 140, 150, MouseEvent::kLeftPress);
    EXPECT_EQ(Get<double>(kRightAngle), 92.0);
    EXPECT_EQ(Get<std::int32_t>(kRightDetent), 4);
    At(panel, 140, 300, MouseEvent::kLeftPress);
    EXPECT_EQ(Get<std::int32_t>(kRightDetent), 3);
    At(panel, 140, 439, MouseEvent::kRightPress);
    EXPECT_EQ(Get<double>(kRightAngle), 0.0);
    EXPECT_EQ(Get<std::int32_t>(kRightDetent), 2);

    At(panel, 40, 440, MouseEvent::kLeftPress);  // on the bottom edge
    EXPECT_EQ(Get<double>(kLeftAngle), 97.0) << "unchanged";
    At(panel, 40, 300, MouseEvent::kNone);
    At(panel, 40, 300, MouseEvent::kWheelToward);
    EXPECT_EQ(Get<double>(kLeftAngle), 97.0) << "only held buttons move a lever";
    EXPECT_EQ(Get<std::int32_t>(kLeftDetent), 5);
}

TEST_F(LeverPanels, ThrustLeverDrawsTheHostsDetentOnlyWhenItChanges) {
    CThrustLever panel;
    Start(panel);
    auto drawn = [&](int lever) {
        CDC dc(400, 500, kBackground);
        panel.Draw(&dc);
        return dc.GetPixel(kX + 100 * lever + 20, kY + 200);
    };
    // Pictures per lever: idle, climb, max continuous, take-off, reverse.
    EXPECT_EQ(drawn(0), ThrustColour(0)) << "first draw: both levers at idle";
    EXPECT_EQ(drawn(0), kBackground) << "no change: not drawn again";

    Put<double>(kLeftAngle, -12.0);
    EXPECT_EQ(drawn(0), ThrustColour(4)) << "-12.0: reverse";
    Put<double>(kLeftAngle, -10.5);
    EXPECT_EQ(drawn(0), ThrustColour(0)) << "-10.5: idle";
    Put<std::uint8_t>(67478, 1);
    Put<std::uint8_t>(37717, 1);
    Put<std::uint8_t>(37718, 1);
    EXPECT_EQ(drawn(0), ThrustColour(4)) << "-10.5 with the three reverse bytes: reverse";
    Put<double>(kRightAngle, 91.5);
    EXPECT_EQ(drawn(1), ThrustColour(5 + 2)) << "91.5: maximum continuous";
    EXPECT_EQ(panel.DrawnDetent(1), 4);
}

TEST_F(LeverPanels, ThrustLeverFollowsTheHostUnderRemoteHold) {
    CThrustLever panel;
    Start(panel);
    panel.SetRemoteHold(true);
    for (int code : {0, 2, 3, 4, 5}) {
        Put<std::int32_t>(kLeftDetent, code);
        At(panel, 40, 10, MouseEvent::kLeftPress);  // ignored under remote hold
        EXPECT_EQ(panel.Detent(0), code) << "the angle written reads back as its detent";
    }
    Put<std::int32_t>(kLeftDetent, 9);
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(panel.Detent(0), 5) << "an unknown code leaves the angle";
    Put<std::uint8_t>(67475, 1);  // the angles are authoritative
    Put<double>(kLeftAngle, 50.0);
    Put<std::int32_t>(kLeftDetent, 0);
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(Get<double>(kLeftAngle), 50.0);
    EXPECT_EQ(panel.Detent(0), 3);
}

TEST_F(LeverPanels, FlapHandleIsOneHotInItsFiveBytes) {
    CFlapPanelPanel panel;
    constexpr std::uint32_t out = 130557;
    Put<std::uint8_t>(out + 8, 0xAB);  // the next panel's byte
    Start(panel);
    struct Case {
        int y;
        int detent;
    } cases[] = {{30 + 250, 4}, {30 + 100, 1}, {30 + 150, 2}, {30 + 190, 3}, {30 + 40, 0}};
    for (const Case& c : cases) {
        Click(panel, 70 + 60, c.y);
        for (int d = 0; d < 5; ++d)
            EXPECT_EQ(Get<std::uint8_t>(out + 3 + d), d == c.detent ? 1 : 0) << c.y << " " << d;
    }
    Click(panel, 70 + 60, 30 + 138);  // between the areas of 1 and 2
    EXPECT_EQ(panel.Handle().GetDetent(), 0) << "stays";
    EXPECT_EQ(Get<std::uint8_t>(out + 8), 0xAB) << "only bytes 3 to 7";

    Click(panel, 70 + 60, 30 + 250);
    panel.SetRemoteHold(true);
    for (int d = 0; d < 5; ++d)
        Put<std::uint8_t>(out + 3 + d, 0);
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(panel.Handle().GetDetent(), 0) << "no byte set: UP";
    Put<std::uint8_t>(out + 5, 1);
    Put<std::uint8_t>(out + 6, 1);
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(panel.Handle().GetDetent(), 2) << "the first byte set";
}

TEST_F(LeverPanels, SpeedBrakeIndicatorFollowsTheHandle) {
    CSpdBrkPanelPanel panel;
    constexpr std::uint32_t detentOut = 130612 + 4;
    Start(panel);
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(Get<std::int32_t>(detentOut), 1) << "starts at RET";
    EXPECT_EQ(panel.Indicator().GetLightCode(), CButtonClass::kNoneLit);
    EXPECT_TRUE(panel.Indicator().IsPressed());

    struct Case {
        int y;
        int detent;
        int light;
    } cases[] = {{25 + 20, 0, CButtonClass::kTopLit},
                 {25 + 120, 2, CButtonClass::kBottomLit},
                 {25 + 250, 5, CButtonClass::kBottomLit},
                 {25 + 75, 1, CButtonClass::kNoneLit}};
    for (const Case& c : cases) {
        Click(panel, 160 + 50, c.y);
        EXPECT_EQ(Get<std::int32_t>(detentOut), c.detent);
        EXPECT_EQ(panel.Indicator().GetLightCode(), c.light) << c.detent;
    }
    Click(panel, 100 + 20, 110 + 20);  // the indicator itself
    EXPECT_TRUE(panel.Indicator().IsPressed()) << "held in";

    panel.SetRemoteHold(true);
    Put<std::int32_t>(detentOut, 3);
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(panel.Handle().GetDetent(), 3);
    Put<std::int32_t>(detentOut, 6);
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(panel.Handle().GetDetent(), 3) << "6 is not a detent";
    panel.SetAllOn();
    EXPECT_EQ(panel.Handle().GetDetent(), 1);
}

TEST_F(LeverPanels, GearLeverForcedDownAfterTheHoldOff) {
    CLndGearPanel panel;
    constexpr std::uint32_t out = 130340;
    constexpr std::uint32_t in = 129740;
    Start(panel);
    Click(panel, 60 + 15, 230 + 40);
    EXPECT_EQ(Get<std::uint8_t>(out + 14), 1) << "lever up";
    EXPECT_EQ(Get<std::uint8_t>(out + 3), 1);
    Click(panel, 60 + 15, 230 + 160);
    EXPECT_EQ(Get<std::uint8_t>(out + 15), 1) << "lever down";

    Put<std::uint8_t>(in + 3, 1);
    for (int i = 0; i < 3; ++i) {
        Click(panel, 60 + 15, 230 + 40);
        EXPECT_EQ(Get<std::uint8_t>(out + 14), 0) << "forced down every update";
        EXPECT_EQ(Get<std::uint8_t>(out + 3), 0);
    }

    panel.GearLeverUp();
    EXPECT_EQ(Get<std::uint8_t>(out + 14), 1);
    EXPECT_EQ(Get<std::uint8_t>(out + 3), 1);
    for (int update = 1; update <= 201; ++update) {
        At(panel, 0, 0, MouseEvent::kNone);
        ASSERT_EQ(Get<std::uint8_t>(out + 14), 1) << "still up after update " << update;
    }
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(Get<std::uint8_t>(out + 14), 0) << "update 202: down";
    EXPECT_EQ(panel.Lever().GetPosition(), CSwitchClass::kDown);

    panel.GearLeverUp();
    panel.GearLeverDown();
    EXPECT_EQ(Get<std::uint8_t>(out + 14), 0);
    panel.Lever().SetPosition(CSwitchClass::kUp);
    panel.SetAllOn();
    EXPECT_EQ(panel.Lever().GetPosition(), CSwitchClass::kDown);
}

TEST_F(LeverPanels, GearButtonsSwitchAndLights) {
    CLndGearPanel panel;
    constexpr std::uint32_t out = 130340;
    constexpr std::uint32_t in = 129740;
    for (std::uint32_t b = 4; b <= 6; ++b)
        Put<std::uint8_t>(out + b, 7);
    Start(panel);
    Click(panel, 30 + 20, 167 + 20);  // LO, momentary
    EXPECT_EQ(Get<std::uint8_t>(out + 7), 0);
    At(panel, 30 + 20, 167 + 20, MouseEvent::kLeftPress);
    EXPECT_EQ(Get<std::uint8_t>(out + 7), 1) << "in while held";
    Click(panel, 203 + 20, 50 + 20);  // BRK FAN, latching
    EXPECT_EQ(Get<std::uint8_t>(out + 11), 1);
    Click(panel, 87 + 20, 88 + 20);  // an indication button
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(panel.Buttons()[static_cast<std::size_t>(i)].IsPressed()) << i;
        EXPECT_EQ(Get<std::uint8_t>(out + 4 + static_cast<std::uint32_t>(i)), 0) << i;
    }
    Click(panel, 203 + 20, 136 + 50);  // anti-skid down
    EXPECT_EQ(Get<std::uint8_t>(out + 12), 0);
    EXPECT_EQ(Get<std::uint8_t>(out + 13), 1);

    Put<std::uint8_t>(in + 20, 1);  // lamp test
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_FALSE(panel.Lights()[0].IsOn()) << "brake pressure: no lamp test";
    EXPECT_FALSE(panel.Lights()[1].IsOn());
    EXPECT_TRUE(panel.Lights()[2].IsOn()) << "up/down light: lamp test";
    Put<std::uint8_t>(in + 20, 0);
    Put<std::uint8_t>(in + 0, 1);
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_TRUE(panel.Lights()[1].IsOn()) << "BrkPrs2 from input byte 0";
    EXPECT_FALSE(panel.Lights()[0].IsOn());
}

// The rudder trim's display text, through the panel's own rule.
struct RudderProbe : CA330_RudderTrim {
    using CA330_RudderTrim::DisplayText;
};

TEST_F(LeverPanels, RudderTrimSelectorSpringsBackAndTheDisplayTests) {
    RudderProbe panel;
    constexpr std::uint32_t out = 130628;
    constexpr std::uint32_t in = 129568;
    Start(panel);
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(Get<std::uint8_t>(out + 5), 1) << "neutral";
    const int lx = 155 + 8, ly = 15 + 8;  // the knob's top-left zone: position 7
    At(panel, lx, ly, MouseEvent::kLeftPress);
    for (int i = 0; i < 20; ++i) {
        At(panel, lx, ly, MouseEvent::kLeftPress);
        ASSERT_EQ(Get<std::uint8_t>(out + 3), 1) << "held left";
    }
    EXPECT_EQ(Get<std::uint8_t>(out + 5), 0);
    for (int i = 1; i <= 6; ++i) {
        At(panel, lx, ly, MouseEvent::kNone);
        EXPECT_EQ(Get<std::uint8_t>(out + 3), 1) << "update " << i << " after release";
    }
    At(panel, lx, ly, MouseEvent::kNone);
    EXPECT_EQ(Get<std::uint8_t>(out + 3), 0);
    EXPECT_EQ(Get<std::uint8_t>(out + 5), 1) << "back at neutral";

    At(panel, 155 + 40, 15 + 8, MouseEvent::kLeftPress);
    EXPECT_EQ(Get<std::uint8_t>(out + 4), 1) << "right";

    char text[16];
    shm::TextAt<Gensim_Shm::kSize>(in, 6).Write(View(), "L2.5");
    ASSERT_TRUE(panel.DisplayText(0, View(), text, sizeof text));
    EXPECT_STREQ(text, "L2.5 ") << "the rest blanked";
    Put<std::uint8_t>(in + 6, 1);
    ASSERT_TRUE(panel.DisplayText(0, View(), text, sizeof text));
    EXPECT_STREQ(text, "+88.8");
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(panel.Buttons()[0].GetLightCode(), CButtonClass::kTopLit) << "reset lit by the test";
}

TEST_F(LeverPanels, PitchTrimWheelsInTheA330Layout) {
    CStabPanel panel;
    constexpr std::uint32_t out = 76024;
    constexpr std::uint32_t in = 74928;
    Start(panel, 9);
    Put<float>(in, -2.5f);
    const int ux = 45 + 30, uy = 74 + 15;  // top band of the left wheel (90 high)
    At(panel, ux, uy, MouseEvent::kNone);
    for (int i = 0; i < 3; ++i) {
        At(panel, ux, uy, MouseEvent::kLeftPress);
        EXPECT_FLOAT_EQ(Get<float>(out + 4), -2.49f);
        EXPECT_EQ(Get<std::uint8_t>(out + 3), 1);
    }
    At(panel, ux, uy, MouseEvent::kNone);
    EXPECT_EQ(Get<std::uint8_t>(out + 3), 0) << "released";
    At(panel, ux, uy, MouseEvent::kNone);
    EXPECT_FLOAT_EQ(Get<float>(out + 4), -2.5f) << "the current trim again";
    EXPECT_EQ(panel.WheelOf(0).GetPosition(), CSwitchClass::kMiddle);

    At(panel, 40 + 8, 166, MouseEvent::kLeftDoubleClick);  // top of the left scale
    EXPECT_FLOAT_EQ(Get<float>(out + 4), -6.0f);
    EXPECT_EQ(Get<std::uint8_t>(out + 3), 1);
    At(panel, 392 + 8, 166 + 345, MouseEvent::kLeftDoubleClick);  // bottom of the right one
    EXPECT_FLOAT_EQ(Get<float>(out + 4), 0.0f);
    At(panel, 200, 200, MouseEvent::kLeftDoubleClick);
    EXPECT_EQ(Get<std::uint8_t>(out + 3), 0) << "not on a scale";
}

TEST_F(LeverPanels, PitchTrimRateAndMarksInTheA320Layout) {
    CStabPanel panel;
    constexpr std::uint32_t out = 130620;
    constexpr std::uint32_t in = 129560;
    Start(panel);
    At(panel, 325 + 30, 74 + 200, MouseEvent::kNone);
    At(panel, 325 + 30, 74 + 200, MouseEvent::kLeftPress);  // right wheel down
    EXPECT_FLOAT_EQ(Get<float>(out + 4), -1.0f);
    EXPECT_EQ(Get<std::uint8_t>(out + 3), 1);
    At(panel, 200, 200, MouseEvent::kLeftDoubleClick);
    EXPECT_EQ(Get<std::uint8_t>(out + 3), 0) << "no double-click command in this layout";

    // Marks at (left scale's left, its bottom - |trim| / 6 x 220); the scale is at 112, 75.
    auto markAt = [&](CDC& dc, int offset) {
        return dc.GetPixel(kX + 112 + 2, kY + 75 + 220 - offset + 1);
    };
    const COLORREF mark = Colour(13 * 12 + 2 * 18);  // the A320 left mark's On picture
    {
        CDC dc(500, 600, kBackground);
        panel.Draw(&dc);
        EXPECT_EQ(markAt(dc, 15), mark) << "full redraw: trim 0 at the lowest place";
        EXPECT_FALSE(panel.FullRedrawPending());
    }
    Put<float>(in, -0.005f);
    {
        CDC dc(500, 600, kBackground);
        panel.Draw(&dc);
        EXPECT_EQ(markAt(dc, 15), kBackground) << "0.005: not drawn again";
    }
    Put<float>(in, -3.0f);
    {
        CDC dc(500, 600, kBackground);
        panel.Draw(&dc);
        EXPECT_EQ(markAt(dc, 110), mark);
        EXPECT_DOUBLE_EQ(panel.LastDrawnTrim(), -3.0);
    }
    Put<float>(in, -3.01f);
    {
        CDC dc(500, 600, kBackground);
        panel.Draw(&dc);
        EXPECT_EQ(markAt(dc, 110), kBackground) << "a change of 0.01: not drawn";
    }
}

TEST_F(LeverPanels, ClockKnobsButtonsAndEcho) {
    CA330_Clock panel;
    constexpr std::uint32_t out = 130508;
    constexpr std::uint32_t in = 129829;
    Start(panel);
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(Get<std::int32_t>(out + 8), 1013) << "first update";
    panel.Rotaries()[0].SetValue(1049);
    At(panel, 130 + 40, 80 + 24, MouseEvent::kNone);
    for (int i = 0; i < 30; ++i)
        At(panel, 130 + 40, 80 + 24, MouseEvent::kLeftPress);  // right half: increase
    EXPECT_EQ(Get<std::int32_t>(out + 8), 1050) << "kept at the maximum";

    const int tx = 43 + 20, ty = 197 + 20;  // DotsTrue, latching
    At(panel, tx, ty, MouseEvent::kNone);
    At(panel, tx, ty, MouseEvent::kLeftPress);
    EXPECT_EQ(Get<std::uint8_t>(out + 4), 1) << "latched in";
    EXPECT_EQ(Get<std::uint8_t>(in + 1), 1) << "state echoed into the input block";
    EXPECT_EQ(panel.Buttons()[0].GetLightCode(), CButtonClass::kNoneLit) << "not yet lit";
    At(panel, tx, ty, MouseEvent::kNone);
    EXPECT_EQ(panel.Buttons()[0].GetLightCode(), CButtonClass::kBottomLit)
        << "lower legend one update later";
    At(panel, tx, ty, MouseEvent::kLeftPress);
    EXPECT_EQ(Get<std::uint8_t>(out + 4), 0) << "out again";
    EXPECT_EQ(panel.Buttons()[0].GetLightCode(), CButtonClass::kBottomLit);
    At(panel, tx, ty, MouseEvent::kNone);
    EXPECT_EQ(panel.Buttons()[0].GetLightCode(), CButtonClass::kNoneLit);

    Put<std::uint8_t>(in + 16, 1);
    At(panel, 223 + 20, 208 + 20, MouseEvent::kWheelAway);  // push the cage knob
    EXPECT_EQ(Get<std::uint8_t>(out + 5), 1) << "the all-on request holds it pulled";
    Put<std::uint8_t>(in + 16, 0);
    At(panel, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(Get<std::uint8_t>(out + 5), 0);
    panel.SetAllOn();
    EXPECT_EQ(Get<std::uint8_t>(out + 5), 1);

    // A320 layout: the selectors are neither drawn nor clicked, but publish.
    panel.Knobs()[0].SetKnobPosition(3);
    At(panel, 22 + 40, 253 + 40, MouseEvent::kLeftPress);
    EXPECT_EQ(Get<std::uint8_t>(out + 12), 3);
    CDC dc(400, 500, kBackground);
    panel.Draw(&dc);
    EXPECT_EQ(dc.GetPixel(kX + 22 + 24, kY + 253 + 24), kBackground);
    EXPECT_EQ(panel.DrawCount(), 1);
}

TEST_F(LeverPanels, GlareshieldButtonsRemoteHoldAndSides) {
    CGlareShield left(0);
    constexpr std::uint32_t out = 130492;
    constexpr std::uint32_t in = 129799;
    Put<std::uint8_t>(out + 7, 0x5A);
    Start(left);
    At(left, 377 + 20, 60 + 20, MouseEvent::kNone);
    At(left, 377 + 20, 60 + 20, MouseEvent::kLeftPress);
    EXPECT_EQ(Get<std::uint8_t>(out + 4), 1) << "MASTER WARN held";
    At(left, 377 + 20, 60 + 20, MouseEvent::kNone);
    EXPECT_EQ(Get<std::uint8_t>(out + 4), 0) << "released";

    Click(left, 0 + 20, 120 + 20);  // where GPWS G/S sits in the other layout
    EXPECT_FALSE(left.Buttons()[4].IsPressed()) << "A320 layout: no GPWS G/S button";
    CDC dc(700, 300, kBackground);
    left.Draw(&dc);
    EXPECT_EQ(dc.GetPixel(kX + 10, kY + 130), kBackground);

    At(left, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(left.Buttons()[3].GetLightCode(), CButtonClass::kNoneLit);
    Put<std::uint8_t>(in + 6, 1);  // a light byte the FCU button has none of
    At(left, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(left.Buttons()[3].GetLightCode(), CButtonClass::kNoneLit);
    Put<std::uint8_t>(in + 12, 1);
    At(left, 0, 0, MouseEvent::kNone);
    EXPECT_EQ(left.Buttons()[3].GetLightCode(), CButtonClass::kTopLit) << "lamp test only";
    Put<std::uint8_t>(in + 12, 0);
    Put<std::uint8_t>(in + 10, 1);
    At(left, 0, 0, MouseEvent::kNone);
    EXPECT_TRUE(left.Lights()[0].IsOn()) << "autoland";

    // The host takes the panel over through output byte 0.
    Put<std::uint8_t>(out + 0, 1);
    Put<std::uint8_t>(out + 5, 1);
    At(left, 377 + 20, 60 + 20, MouseEvent::kLeftPress);
    EXPECT_TRUE(left.Buttons()[2].IsPressed()) << "MASTER CAUT from its output byte";
    EXPECT_EQ(Get<std::uint8_t>(out + 4), 0) << "the click is ignored";
    Put<std::uint8_t>(out + 0, 0);
    At(left, 0, 0, MouseEvent::kNone);
    EXPECT_FALSE(left.IsRemoteHold());

    // The right side's blocks are 8 and 15 bytes on.
    CGlareShield right(1);
    Start(right);
    At(right, 240 + 20, 60 + 20, MouseEvent::kNone);
    At(right, 240 + 20, 60 + 20, MouseEvent::kLeftPress);
    EXPECT_EQ(Get<std::uint8_t>(out + 8 + 4), 1);

    CGlareShield third(2);
    third.SetAircraftType(13);
    EXPECT_FALSE(third.Initialise(s_art->Path().c_str(), kX, kY));
    EXPECT_STREQ(third.GetErrorText(), "CGlareShield::Initialise --> Invalid Side given ");
    EXPECT_EQ(third.Buttons()[0].GetKind(), ControlType::None) << "nothing set up";
}

TEST_F(LeverPanels, GlareshieldGpwsButtonInTheA330Layout) {
    CGlareShield left(0);
    Start(left, 8);
    Click(left, 0 + 20, 120 + 20);
    At(left, 0 + 20, 120 + 20, MouseEvent::kLeftPress);
    EXPECT_EQ(Get<std::uint8_t>(75876 + 7), 1);
}

TEST_F(LeverPanels, RefusalsNameThePanel) {
    CStabPanel stab;
    stab.SetAircraftType(14);
    EXPECT_FALSE(stab.Initialise(s_art->Path().c_str(), 0, 0));
    EXPECT_STREQ(stab.GetErrorText(), "CStabPanel::Initialise --> Incorrect aircraft fit");

    testsupport::TempDir empty;
    CThrustLever thrust;
    thrust.SetAircraftType(10);
    EXPECT_FALSE(thrust.Initialise(empty.Path().c_str(), 0, 0));
    const std::string text = thrust.GetErrorText();
    EXPECT_NE(text.find("Idle"), std::string::npos) << text;
    EXPECT_NE(text.find("\nCThrustLever::Initialise --> Could not set up thrust lever pictures"),
              std::string::npos)
        << text;

    CGlareShield glare(1);
    glare.SetAircraftType(13);
    EXPECT_FALSE(glare.Initialise(empty.Path().c_str(), 0, 0));
    EXPECT_NE(std::string(glare.GetErrorText())
                  .find("CGlareSheildLeft::Initialise --> Failed to set up Buttons"),
              std::string::npos);

    CBasePanel::SetSharedMemory(nullptr);
    CLndGearPanel gear;
    EXPECT_FALSE(gear.Initialise(s_art->Path().c_str(), 0, 0));
    EXPECT_STREQ(gear.GetErrorText(), "CLndGearPanel::Initialise --> SharedMemory ptr not set");
}

}  // namespace
