#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "host/demo/Demo.h"
#include "panels/ElectricalLayout.h"
#include "shm/SimSegment.h"

namespace {

class ElectricalDemoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_demo = host::demo::MakeElectricalDemo();
        m_demo->Start(View());
        Step();
    }
    std::uint8_t* View() { return m_segment.data(); }
    void Step() {
        m_demo->Step(View(), m_seconds);
        m_seconds += 0.05;
    }
    void Push(int button, bool in) {
        elec::kButtonState.Plus(button).Write(View(), in ? 1 : 0);
        Step();
    }
    int Top(int button) { return elec::kTopLight.Plus(2 * button).Read(View()); }
    int Bottom(int button) { return elec::kBottomLight.Plus(2 * button).Read(View()); }

    std::vector<std::uint8_t> m_segment = std::vector<std::uint8_t>(Gensim_Shm::kSize, 0);
    std::unique_ptr<host::demo::PanelDemo> m_demo;
    double m_seconds = 0.0;
};

// As on the aircraft: OFF lit while out (FAULT/OFF 0 1 2 7 8 9, dots/OFF 4),
// ALTN lit while in (FAULT/ALTN 3), the bars of FAULT/dots 5 6 dark; no FAULT.
TEST_F(ElectricalDemoTest, LegendsFollowTheButtonsAsOnTheAircraft) {
    enum { OffWhileOut, OnWhileIn, Dark };
    const int rule[10] = {OffWhileOut, OffWhileOut, OffWhileOut, OnWhileIn,   OffWhileOut,
                          Dark,        Dark,        OffWhileOut, OffWhileOut, OffWhileOut};
    for (int i = 0; i < 10; ++i) {
        Push(i, false);
        EXPECT_EQ(Top(i), 0) << i;
        EXPECT_EQ(Bottom(i), rule[i] == OffWhileOut ? 1 : 0) << i << " out";
        Push(i, true);
        EXPECT_EQ(Top(i), 0) << i;
        EXPECT_EQ(Bottom(i), rule[i] == OnWhileIn ? 1 : 0) << i << " in";
    }
}

TEST_F(ElectricalDemoTest, EachPressOfButton10ConnectsOrDisconnectsExternalPower) {
    EXPECT_EQ(Top(10), 1) << "AVAIL while available and not connected";
    EXPECT_EQ(Bottom(10), 0);
    Push(10, true);
    EXPECT_EQ(Top(10), 0);
    EXPECT_EQ(Bottom(10), 1) << "ON while connected";
    Step();  // held in: still one press
    Push(10, false);
    EXPECT_EQ(Bottom(10), 1) << "the momentary button springs back; power stays connected";
    Push(10, true);
    Push(10, false);
    EXPECT_EQ(Top(10), 1);
    EXPECT_EQ(Bottom(10), 0);
}

TEST_F(ElectricalDemoTest, WritesOnlyItsLightsAndDisplays) {
    // Every byte of the segment but the buttons' lights and the displays
    // keeps what someone else wrote: the lamp test, the presets, the states.
    for (std::size_t i = 0; i < m_segment.size(); ++i)
        m_segment[i] = static_cast<std::uint8_t>(i * 7 + 3);
    std::vector<std::uint8_t> before = m_segment;
    for (int n = 0; n < 40; ++n)
        Step();
    const std::size_t lightsFrom = elec::kTopLight.Offset();
    const std::size_t lightsTo = elec::kBottomLight.Offset() + 2 * (elec::kButtons - 1);
    for (std::size_t i = 0; i < m_segment.size(); ++i) {
        bool owned = (i >= elec::kDisplay1.Offset() && i < elec::kDisplay2.Offset() + 4) ||
                     (i >= lightsFrom && i <= lightsTo);
        if (!owned) {
            ASSERT_EQ(m_segment[i], before[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(elec::kLampTest.Read(View()), before[elec::kLampTest.Offset()]);
}

TEST_F(ElectricalDemoTest, ALightSetByHandStaysUntilTheDemosValueForItChanges) {
    elec::kBottomLight.Plus(4).Write(View(), 0);  // button 2's OFF, lit by the demo
    elec::kTopLight.Plus(4).Write(View(), 1);     // and its FAULT legend
    Step();
    Step();
    EXPECT_EQ(Bottom(2), 0);
    EXPECT_EQ(Top(2), 1);
    Push(2, true);
    Push(2, false);
    EXPECT_EQ(Bottom(2), 1) << "the button's change takes the lower legend back";
    EXPECT_EQ(Top(2), 1) << "the upper legend never changes in the demo";
}

TEST_F(ElectricalDemoTest, TheDisplaysShowMovingBatteryVoltages) {
    Push(0, true);  // battery 1 in, battery 2 out
    float last1 = elec::kDisplay1.Read(View());
    int moved = 0;
    for (int n = 0; n < 20 * 30; ++n) {  // 30 seconds
        Step();
        float v1 = elec::kDisplay1.Read(View());
        float v2 = elec::kDisplay2.Read(View());
        ASSERT_TRUE(v1 > 24.9f && v1 < 28.1f) << v1;
        ASSERT_TRUE(v2 > 24.9f && v2 < 25.5f) << v2;
        moved += v1 != last1 ? 1 : 0;
        last1 = v1;
    }
    EXPECT_GT(moved, 20 * 29);
    EXPECT_NEAR(elec::kDisplay1.Read(View()), 27.8, 0.25) << "charged";

    Push(10, true);  // external power raises the charging voltage
    for (int n = 0; n < 20 * 30; ++n)
        Step();
    EXPECT_NEAR(elec::kDisplay1.Read(View()), 28.4, 0.25);
}

}  // namespace
