// The TCAS/ATC panel, the EFIS control panels, the data screen keys and the
// EFIS switching panel: their own logic alone, then clicked on their art.
#include <gtest/gtest.h>

#include <string>

#include "PanelHarness.h"
#include "platform/CDC.h"
#include "units/BaroSetting.h"
#include "units/CDataScreen.h"
#include "units/CEfisSwPanel.h"
#include "units/CNavPanel.h"
#include "units/SquawkEntry.h"
#include "units/TcasPanel.h"

namespace {

// Keys 0..7 enter 1, 2, 3, 4, 5, 6, 7, 0; key 8 is CLR.
void Press(SquawkEntry& entry, int key, int updates = 1) {
    for (int i = 0; i < updates; ++i)
        entry.Key(key, true);
    entry.Key(SquawkEntry::kReleased, false);
}

TEST(SquawkEntry, HeldKeysFifthDigitClearAndRestoredCodes) {
    SquawkEntry entry;
    Press(entry, 6);
    Press(entry, 7);
    EXPECT_EQ(entry.Code(), 70) << "the code as keyed so far";
    Press(entry, 7);
    Press(entry, 7);
    EXPECT_EQ(std::string(entry.Text()), "7000");
    EXPECT_EQ(entry.Code(), 7000);
    Press(entry, 2);
    EXPECT_EQ(entry.Code(), 7000) << "a fifth digit is ignored";
    Press(entry, 8);
    EXPECT_EQ(std::string(entry.Text()), "    ");
    EXPECT_EQ(entry.Code(), 0);

    for (int i = 0; i < 30; ++i)
        entry.Key(0, true);  // held for 30 updates: one digit
    EXPECT_EQ(entry.Code(), 1);
    entry.Key(SquawkEntry::kReleased, false);
    Press(entry, 0);
    EXPECT_EQ(entry.Code(), 11);

    entry.SetSquawk(1200);
    EXPECT_EQ(std::string(entry.Text()), "1200");
    Press(entry, 3);
    EXPECT_EQ(entry.Code(), 1200) << "no digit until CLR";
    entry.SetSquawk(17);
    EXPECT_EQ(std::string(entry.Text()), "17  ");
    Press(entry, 3);
    EXPECT_EQ(entry.Code(), 17);
    entry.SetSquawk(123456);
    EXPECT_EQ(entry.Code(), 9999) << "never more than four digits";
}

TEST(BaroSetting, ConversionsStandardAndWindowTexts) {
    EXPECT_EQ(BaroSetting::InHgFromHpa(1013), 2991);
    EXPECT_EQ(BaroSetting::HpaFromInHg(2992), 1013);
    BaroSetting baro;
    char text[BaroSetting::kTextSize];
    baro.Text(false, text);
    EXPECT_EQ(std::string(text), " Std");
    EXPECT_FLOAT_EQ(baro.Publish(), 1013.25f);
    baro.hpa = 1014;
    EXPECT_FLOAT_EQ(baro.Publish(), 1013.25f) << "standard until this update ends";
    EXPECT_FALSE(baro.standard);
    EXPECT_FLOAT_EQ(baro.Publish(), 1014.0f);
    baro.Text(false, text);
    EXPECT_EQ(std::string(text), "1014");
    baro.Text(true, text);
    EXPECT_EQ(std::string(text), "88888");
    baro.inHgUnit = true;
    baro.inHg = 2992;
    EXPECT_FLOAT_EQ(baro.Publish(), 2992.0f);
    baro.Set(980);
    baro.Text(false, text);
    EXPECT_EQ(std::string(text), "0980");
    baro.Set(5000);
    EXPECT_EQ(baro.hpa, 1100);
}

class TcasTest : public ::testing::Test {
  protected:
    static constexpr std::uint32_t kOut = 131008;
    static constexpr std::uint32_t kIn = 129724;
    void SetUp() override { ASSERT_TRUE(bench.Start({&atc::kDescription})); }
    CPoint Key(int i) const { return PanelHarness::KeyAt(atc::kDescription.buttons[i]); }
    TcasPanel panel;
    PanelHarness bench{panel, 1530, 3465};
};

TEST_F(TcasTest, KeyedCodeWindowKnobsLabelsAndReset) {
    bench.Put<std::uint8_t>(kIn + 3, 1);
    for (int key : {6, 7, 7, 7})
        bench.Click(Key(key));
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 4), 7000);
    EXPECT_EQ(std::string(panel.WindowText()), "7000");
    bench.Hold(Key(0), 10);
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 4), 7000);
    bench.Click(Key(8));
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 4), 0);
    bench.Hold(Key(2), 10);
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 4), 3);

    bench.Put<std::uint8_t>(kIn + 3, 0);
    EXPECT_EQ(std::string(panel.WindowText()), "    ") << "transponder off";
    bench.Hold(Key(3), 5);
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 4), 34) << "held while off: one digit, published";

    // Knobs publish at 16..28; set-up positions 7, 7, 2, 0.
    bench.Idle();
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 16), 7);
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 20), 7);
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 24), 2);
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 28), 0);
    // Just left of knob 2's top label (knob 2 at 18, 98): position 1.
    bench.Click(CPoint(18 + 40, 98 + 0));
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 24), 1);
    bench.Click(CPoint(18 + 40, 98 + 15));
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 24), 2);
    // Left of knob 0's top: position 7 after 1 was chosen on its right.
    bench.Click(CPoint(18 + 25, 20 - 5));
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 16), 1);
    bench.Click(CPoint(18 + 0, 20 - 5));
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 16), 7);

    bench.Put<std::uint8_t>(kIn + 6, 1);
    bench.Idle();
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 16), 1);
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 28), 4);

    panel.SetSquawk(1200);
    panel.SetRemoteHold(true);
    bench.Idle();
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 4), 34) << "held: the panel does nothing";
    panel.SetRemoteHold(false);
    bench.Idle();
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 4), 1200);
}

class EfisTest : public ::testing::Test {
  protected:
    static constexpr std::uint32_t kOut = 130420;  // side 0, A320 region
    static constexpr std::uint32_t kIn = 129763;
    void Start(int fit) {
        panel.SetAircraftType(fit);
        ASSERT_TRUE(bench.Start({&efis::kDescriptionCapt}));
    }
    std::string Drawn() {
        CDC dc(1000, 2000, RGB(0, 0, 0));
        panel.Draw(&dc);
        return panel.WindowText();
    }
    // The barometric knob (40 x 40 at 16, 90 on the A320 fit).
    static constexpr CPoint kUp{46, 110};
    static constexpr CPoint kDown{26, 110};
    CNavPanel panel{0};
    PanelHarness bench{panel, 641, 1594};
};

TEST_F(EfisTest, StandardStepsUnitChangeAndPull) {
    ASSERT_NO_FATAL_FAILURE(Start(13));
    bench.Idle();
    EXPECT_EQ(Drawn(), " Std");
    EXPECT_FLOAT_EQ(bench.Get<float>(kOut + 8), 1013.25f);
    EXPECT_EQ(bench.Get<char>(kOut + 3), ' ');
    EXPECT_TRUE(panel.Lights()[0].IsOn());

    bench.Click(kUp);
    bench.Idle();
    EXPECT_EQ(Drawn(), "1014");
    EXPECT_FLOAT_EQ(bench.Get<float>(kOut + 8), 1014.0f);
    bench.Click(kDown);
    bench.Idle();
    EXPECT_EQ(Drawn(), "1013");

    bench.RightClick(kUp);
    EXPECT_EQ(bench.Get<std::uint8_t>(kOut + 32), 1);
    EXPECT_EQ(panel.BaroKnob(efis::kInHgKnob).GetValue(), 2991);
    EXPECT_EQ(Drawn(), "2991");
    EXPECT_FLOAT_EQ(bench.Get<float>(kOut + 8), 2991.0f);
    bench.Idle();
    EXPECT_FALSE(panel.Lights()[0].IsOn()) << "the text starts with 2";
    bench.Click(kUp);
    bench.Idle();
    EXPECT_EQ(Drawn(), "2992");
    EXPECT_EQ(panel.Baro().hpa, 1013);

    bench.At(kUp, MouseEvent::kWheelToward);  // pull
    bench.Idle();
    EXPECT_EQ(Drawn(), " Std");
    EXPECT_EQ(bench.Get<std::uint8_t>(kOut + 32), 0);

    bench.Put<std::uint8_t>(kIn + 15, 1);
    EXPECT_EQ(Drawn(), "8888");
    bench.Put<std::uint8_t>(kIn + 16, 1);
    EXPECT_EQ(Drawn(), "    ");
}

TEST_F(EfisTest, KnobsSwitchesButtonsFdAndRemoteHold) {
    ASSERT_NO_FATAL_FAILURE(Start(13));
    // Mode knob (30 x 30 at 133, 90): the cell of position 3 is not there on the A320 fit.
    bench.Click(CPoint(133 + 25, 90 + 25));
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 20), 0);
    bench.Click(CPoint(133 + 25, 90 + 15));
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 20), 2);
    bench.Click(CPoint(243 + 5, 90 + 5));
    EXPECT_EQ(bench.Get<std::int32_t>(kOut + 24), 7);
    // ADF/VOR switch 1 (20 x 40 at 130, 150): up is ADF.
    bench.Click(CPoint(140, 155));
    EXPECT_EQ(bench.Get<std::uint8_t>(kOut + 28), 1);
    EXPECT_EQ(bench.Get<std::uint8_t>(kOut + 29), 0);
    // LS latches; CSTR springs back; lights from 2 + 2i.
    bench.Click(PanelHarness::KeyAt(efis::kDescriptionCapt.buttons[6]));
    EXPECT_EQ(bench.Get<std::uint8_t>(kOut + 18), 1);
    bench.Click(PanelHarness::KeyAt(efis::kDescriptionCapt.buttons[0]));
    EXPECT_EQ(bench.Get<std::uint8_t>(kOut + 12), 0);
    bench.Put<std::uint8_t>(kIn + 14, 1);
    bench.Idle();
    EXPECT_EQ(panel.Buttons()[6].GetLightCode(), CButtonClass::kTopLit);
    panel.ToggleFd();
    EXPECT_EQ(bench.Get<std::uint8_t>(kOut + 17), 1);

    // Held from output byte 0: controls follow the outputs, the mouse is ignored.
    bench.Put<std::uint8_t>(kOut + 0, 1);
    bench.Put<std::int32_t>(kOut + 24, 1);
    bench.Click(CPoint(243 + 5, 90 + 5));
    EXPECT_EQ(panel.Knobs()[0].GetKnobPosition(), 1);
    EXPECT_TRUE(panel.IsRemoteHold());
    bench.Put<std::uint8_t>(kOut + 0, 0);
    bench.Idle();
    EXPECT_FALSE(panel.IsRemoteHold());
}

TEST(EfisFits, ModeKnobPositionThreeOnlyOnTheOtherFitAndWrongFits) {
    PanelHarness* bench = nullptr;
    CNavPanel panel(1);
    bench = new PanelHarness(panel, 1536, 1594);
    panel.SetAircraftType(9);
    ASSERT_TRUE(bench->Start({&efis::kDescriptionFo}));
    // Side 1 mode knob at 130, 90; its position 3 cell.
    bench->Click(CPoint(130 + 25, 90 + 25));
    EXPECT_EQ(bench->Get<std::int32_t>(75804 + 36 + 20), 3);
    delete bench;

    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0);
    CBasePanel::SetSharedMemory(segment.data());
    CNavPanel wrong(0);
    wrong.SetAircraftType(14);
    EXPECT_FALSE(wrong.Initialise("/nonexistent", 0, 0));
    EXPECT_EQ(std::string(wrong.GetErrorText()),
              "CNavPanel::Initialise --> Incorrect aircraft fit");
    CDataScreen screen;
    screen.SetAircraftType(6);
    EXPECT_FALSE(screen.Initialise("/nonexistent", 0, 0));
    EXPECT_EQ(std::string(screen.GetErrorText()),
              "CDataScreen::Initialise --> Incorrect aircraft fit");
    CBasePanel::SetSharedMemory(nullptr);
}

TEST(DataScreenAndSwitching, PulsesHeldDirectionAndKnobs) {
    CDataScreen screen;
    PanelHarness bench(screen, 806, 2190);
    screen.SetAircraftType(13);
    bench.Put<std::uint8_t>(130540 + 2, 7);
    bench.Put<std::uint8_t>(75924 + 2, 7);
    ASSERT_TRUE(bench.Start({&datascreen::kDescription}));
    EXPECT_EQ(bench.Get<std::uint8_t>(130540 + 2), 0);
    EXPECT_EQ(bench.Get<std::uint8_t>(75924 + 2), 0);
    auto key = [](int k) { return PanelHarness::KeyAt(datascreen::kDescription.buttons[k]); };
    bench.At(key(datascreen::kUp), MouseEvent::kNone);
    int pulses = 0;
    for (int i = 0; i < 10; ++i) {
        bench.At(key(datascreen::kUp), MouseEvent::kLeftPress);
        pulses += bench.Get<std::uint8_t>(130540 + 0);
    }
    EXPECT_EQ(pulses, 1);
    bench.At(key(datascreen::kRight), MouseEvent::kNone);
    bench.At(key(datascreen::kRight), MouseEvent::kLeftPress);
    bench.At(key(datascreen::kRight), MouseEvent::kLeftPress);
    EXPECT_EQ(bench.Get<std::uint8_t>(130540 + 2), 1);
    bench.At(key(datascreen::kLeft), MouseEvent::kLeftPress);  // right springs back
    EXPECT_EQ(bench.Get<std::uint8_t>(130540 + 2), 255);
    bench.At(key(datascreen::kLeft), MouseEvent::kNone);
    EXPECT_EQ(bench.Get<std::uint8_t>(130540 + 2), 0);

    CEfisSwPanel sw;
    PanelHarness swBench(sw, 1079, 2587);
    sw.SetAircraftType(13);
    ASSERT_TRUE(swBench.Start({&efissw::kDescription}));
    swBench.Click(CPoint(35 + 5, 43 + 5));
    EXPECT_EQ(swBench.Get<std::int32_t>(130576 + 4), 7);
    swBench.Click(CPoint(35 + 25, 43 + 15));  // position 2 is not there
    EXPECT_EQ(swBench.Get<std::int32_t>(130576 + 4), 7);
    swBench.Put<std::int32_t>(130576 + 16, 1);
    sw.SetRemoteHold(true);
    swBench.Idle();
    EXPECT_EQ(sw.Knobs()[3].GetKnobPosition(), 1);
}

}  // namespace
