// The demo host's answers to the ADIRS entry, the ECAM page request and the
// engine masters, driven through the panels' fields with time in steps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/demo/Demo.h"
#include "panels/AdirsLayout.h"
#include "panels/EcamLayout.h"
#include "panels/EngStartLayout.h"
#include "shm/SimSegment.h"

namespace {

class KeypadPanelsDemoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_demo = host::demo::MakeKeypadPanelsDemo();
        m_demo->Start(View());
        Step();
    }
    std::uint8_t* View() { return m_segment.data(); }
    void Step(int steps = 1) {
        for (int i = 0; i < steps; ++i) {
            m_demo->Step(View(), m_seconds);
            m_seconds += 0.05;
        }
    }

    std::vector<std::uint8_t> m_segment = std::vector<std::uint8_t>(Gensim_Shm::kSize, 0);
    std::unique_ptr<host::demo::PanelDemo> m_demo;
    double m_seconds = 0.0;
};

}  // namespace

TEST_F(KeypadPanelsDemoTest, AdirsEntryComesBackAsTheDisplayTextAndTheEntLightGoesOut) {
    std::memcpy(View() + 129968 + 21, "N4530.2E01234.5", 15);
    View()[129968 + 38] = 1;  // ENT signal
    Step();
    char text[18];
    adirs::kHostText.Read(View(), text, sizeof text);
    EXPECT_STREQ(text, "N4530.2E01234.5");
    EXPECT_EQ(View()[129172 + 50], 1) << "ENT light while the entry is taken";
    Step(12);
    EXPECT_EQ(View()[129172 + 50], 0) << "and out a little after half a second";
}

TEST_F(KeypadPanelsDemoTest, EcamRequestIsShownAMomentLater) {
    std::int32_t request = 7;
    std::memcpy(View() + 130596 + 4, &request, 4);
    Step();
    EXPECT_NE(ecam::kPageShown.Read(View()), 7);
    Step(7);
    EXPECT_EQ(ecam::kPageShown.Read(View()), 7);
    EXPECT_EQ(ecam::kLitKey.Read(View()), 7);
}

TEST_F(KeypadPanelsDemoTest, MasterUpLightsItsIndicatorForAMoment) {
    View()[130565 + 4] = 1;  // master 2 up
    Step();
    EXPECT_EQ(View()[129544 + 1], 1);
    EXPECT_EQ(View()[129544 + 3], 1);
    EXPECT_EQ(View()[129544 + 0], 0);
    Step(40);
    EXPECT_EQ(View()[129544 + 1], 0);
}
