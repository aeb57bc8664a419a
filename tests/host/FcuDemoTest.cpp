#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/demo/Demo.h"
#include "shm/SimSegment.h"

namespace {

constexpr std::uint32_t kOut = 130356;
constexpr std::uint32_t kIn = 129848;

class FcuDemoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_demo = host::demo::MakeFcuDemo();
        m_demo->Start(View());
        Step();
    }
    std::uint8_t* View() { return m_segment.data(); }
    void Step() {
        m_demo->Step(View(), m_seconds);
        m_seconds += 0.05;
    }
    template <typename T>
    T Get(std::uint32_t offset) {
        T value;
        std::memcpy(&value, View() + offset, sizeof value);
        return value;
    }
    template <typename T>
    void Put(std::uint32_t offset, T value) {
        std::memcpy(View() + offset, &value, sizeof value);
    }

    std::vector<std::uint8_t> m_segment = std::vector<std::uint8_t>(Gensim_Shm::kSize, 0);
    std::unique_ptr<host::demo::PanelDemo> m_demo;
    double m_seconds = 0.0;
};

}  // namespace

TEST_F(FcuDemoTest, SpeedIsManagedUntilTheKnobIsPulledAndAgainWhenPushed) {
    EXPECT_EQ(Get<std::uint8_t>(kIn + 47), 1);
    EXPECT_EQ(Get<std::int32_t>(kIn + 56), 250);
    EXPECT_EQ(Get<std::uint8_t>(kIn + 48), 0) << "heading follows the selected one";
    Put<std::uint8_t>(kOut + 17, 2);  // pulled
    Step();
    Put<std::uint8_t>(kOut + 17, 0);
    Step();
    EXPECT_EQ(Get<std::uint8_t>(kIn + 47), 0);
    Put<std::uint8_t>(kOut + 59, 1);  // Mach mode
    Put<std::uint8_t>(kOut + 17, 1);  // pushed
    Step();
    EXPECT_EQ(Get<std::uint8_t>(kIn + 47), 1);
    EXPECT_EQ(Get<std::int32_t>(kIn + 56), 780);
}

TEST_F(FcuDemoTest, ClimbsTowardsTheSelectedAltitudeInMetresAndCountsTenthsOfSeconds) {
    Put<std::uint16_t>(kOut + 22, 100);  // 10 000 ft
    while (m_seconds < 3.0)
        Step();
    // 2000 ft/min for about 3 s: about 100 ft, written in metres.
    EXPECT_NEAR(Get<double>(38712), 100.0 * 0.3048, 2.0);
    EXPECT_NEAR(Get<std::int32_t>(4896), 30, 1);
}

TEST_F(FcuDemoTest, EachPressEngagesOrDisengagesAndNoPresetIsWritten) {
    Put<std::uint8_t>(kIn + 0, 1);
    Put<float>(kIn + 4, 0.78f);
    Put<std::uint8_t>(kIn + 68, 1);
    for (int press = 0; press < 2; ++press) {
        Put<std::uint8_t>(kOut + 5, 1);  // AP1 in
        Step();
        EXPECT_EQ(Get<std::uint8_t>(kIn + 76), press == 0 ? 1 : 0);
        Put<std::uint8_t>(kOut + 5, 0);
        Step();
        EXPECT_EQ(Get<std::uint8_t>(kIn + 76), press == 0 ? 1 : 0) << "until the next press";
    }
    EXPECT_EQ(Get<std::uint8_t>(kIn + 0), 1);
    EXPECT_EQ(Get<float>(kIn + 4), 0.78f);
    EXPECT_EQ(Get<std::uint8_t>(kIn + 68), 1);
}
