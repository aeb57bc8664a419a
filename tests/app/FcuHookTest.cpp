// The FCU in the cockpit manager: the host's preset requests reach it every
// iteration, whether or not it is in view.
#include <gtest/gtest.h>

#include <memory>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/CA320Cockpit.h"
#include "controls/MouseEvent.h"
#include "support/TestSupport.h"

TEST(FcuHook, PresetRequestsInTheFcusOwnBlockUpdateItEveryIteration) {
    testsupport::TempDir dir;
    std::string command = std::string(SKYLID_ART_BIN) + " --out " + (dir / "art") + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0);
    CBasePanel::SetSharedMemory(segment.data());
    // Every panel by value: too large for the test's stack.
    auto owner = std::make_unique<CSkylidCkptMngr>();
    CSkylidCkptMngr& manager = *owner;
    manager.SetSharedMemory(segment.data());
    ASSERT_TRUE(manager.Initialise((dir / "art/Bitmaps").c_str())) << manager.GetErrorText();

    auto speed = [&] {
        std::uint16_t value;
        std::memcpy(&value, segment.data() + 130356 + 18, sizeof value);
        return value;
    };
    MouseEvent event;
    // A view over the overhead only: the FCU (976, 1595) is not in it.
    for (int i = 0; i < 3; ++i)
        manager.UpdateVisible(898, 500, 1500, 700, &event);
    EXPECT_EQ(speed(), 100);

    // The A320 speed preset: Mach 0.78, request held.
    const float mach = 0.78f;
    std::memcpy(segment.data() + 129848 + 4, &mach, sizeof mach);
    segment[129848 + 0] = 1;
    manager.UpdateVisible(898, 500, 1500, 700, &event);
    manager.UpdateVisible(898, 500, 1500, 700, &event);
    EXPECT_EQ(speed(), 780);
    EXPECT_EQ(segment[130356 + 59], 1) << "Mach mode";

    // The request gone, the FCU out of view keeps what it published.
    segment[129848 + 0] = 0;
    for (int i = 0; i < 3; ++i)
        manager.UpdateVisible(898, 500, 1500, 700, &event);
    EXPECT_EQ(speed(), 780);
    CBasePanel::SetSharedMemory(nullptr);
}
