#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/demo/Demo.h"
#include "shm/SimSegment.h"

namespace {

// A320-region offsets of the fields the demo reads and writes.
constexpr std::uint32_t kStabOut = 130620;
constexpr std::uint32_t kStabIn = 129560;
constexpr std::uint32_t kRudderOut = 130628;
constexpr std::uint32_t kRudderIn = 129568;
constexpr std::uint32_t kGearOut = 130340;
constexpr std::uint32_t kGearIn = 129740;
constexpr std::uint32_t kClockIn = 129829;
constexpr std::uint32_t kGlareOut = 130492;
constexpr std::uint32_t kGlareIn = 129799;

class LeversDemoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_demo = host::demo::MakeLeversDemo();
        m_demo->Start(View());
        Run(0.05);
    }
    std::uint8_t* View() { return m_segment.data(); }
    void Run(double seconds) {
        for (double end = m_seconds + seconds; m_seconds < end - 1e-9; m_seconds += 0.05)
            m_demo->Step(View(), m_seconds);
    }
    template <typename T>
    T Get(std::uint32_t at) {
        return GenField<T>::At(at).Read(View());
    }
    template <typename T>
    void Put(std::uint32_t at, T value) {
        GenField<T>::At(at).Write(View(), value);
    }
    std::string Text(std::uint32_t at, std::size_t size) {
        char text[16];
        shm::TextAt<Gensim_Shm::kSize>(at, size).Read(View(), text, sizeof text);
        return text;
    }

    std::vector<std::uint8_t> m_segment = std::vector<std::uint8_t>(Gensim_Shm::kSize, 0);
    std::unique_ptr<host::demo::PanelDemo> m_demo;
    double m_seconds = 0.0;
};

TEST_F(LeversDemoTest, PitchTrimFollowsTheWheelRate) {
    EXPECT_FLOAT_EQ(Get<float>(kStabIn), 0.0f);
    Put<std::uint8_t>(kStabOut + 3, 1);
    Put<float>(kStabOut + 4, -1.0f);
    Run(2.0);
    EXPECT_NEAR(Get<float>(kStabIn), -1.0f, 0.05f) << "0.5 degree a second, nose up";
    Put<std::uint8_t>(kStabOut + 3, 0);
    Run(1.0);
    EXPECT_NEAR(Get<float>(kStabIn), -1.0f, 0.05f) << "no command: stays";
}

TEST_F(LeversDemoTest, RudderTrimTextFollowsTheSelector) {
    EXPECT_EQ(Text(kRudderIn, 6), "  0.0");
    Put<std::uint8_t>(kRudderOut + 3, 1);  // left
    Run(2.5);
    EXPECT_EQ(Text(kRudderIn, 6), "L 2.5");
    Put<std::uint8_t>(kRudderOut + 3, 0);
    Put<std::uint8_t>(kRudderOut + 6, 1);  // reset
    Run(3.0);
    EXPECT_EQ(Text(kRudderIn, 6), "  0.0");
}

TEST_F(LeversDemoTest, GearLightsFollowTheLeverWithATransit) {
    EXPECT_EQ(Get<std::uint8_t>(kGearIn + 5), 1) << "down and locked";
    Put<std::uint8_t>(kGearOut + 14, 1);  // lever up
    Run(1.0);
    for (std::uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Get<std::uint8_t>(kGearIn + 4 + 2 * i), 1) << "UNLK in transit " << i;
        EXPECT_EQ(Get<std::uint8_t>(kGearIn + 5 + 2 * i), 0);
    }
    EXPECT_EQ(Get<std::uint8_t>(kGearIn + 2), 1);
    Run(5.0);
    EXPECT_EQ(Get<std::uint8_t>(kGearIn + 4), 0) << "up and locked: nothing";
    EXPECT_EQ(Get<std::uint8_t>(kGearIn + 5), 0);
    Put<std::uint8_t>(kGearOut + 14, 0);
    Run(6.0);
    EXPECT_EQ(Get<std::uint8_t>(kGearIn + 5), 1);
}

TEST_F(LeversDemoTest, ClockTextsAndMasterWarning) {
    const std::string utc = Text(kClockIn + 2, 7);
    ASSERT_EQ(utc.size(), 6u);
    EXPECT_EQ(utc.find_first_not_of("0123456789"), std::string::npos) << utc;
    EXPECT_EQ(Get<std::uint8_t>(kClockIn + 9), '0');
    EXPECT_EQ(Get<std::uint8_t>(kClockIn + 10), '0');
    Run(125.0);
    EXPECT_EQ(Text(kClockIn + 11, 3), "02") << "minutes since the start";

    Put<std::uint8_t>(kGlareOut + 8 + 4, 1);  // right MASTER WARN pressed
    Run(0.5);
    EXPECT_EQ(Get<std::uint8_t>(kGlareIn + 15 + 2), 1);
    EXPECT_EQ(Get<std::uint8_t>(kGlareIn + 2), 0) << "the left one stays dark";
    Run(1.5);
    EXPECT_EQ(Get<std::uint8_t>(kGlareIn + 15 + 2), 0) << "only for a moment";
}

}  // namespace
