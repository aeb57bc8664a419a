// The demo's lights on the simple overhead panels: the lower legend follows
// the button as on the aircraft.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/demo/Demo.h"
#include "shm/SimSegment.h"

namespace {

struct Probe {
    const char* what;
    std::uint32_t state;   // output byte of the button
    std::uint32_t bottom;  // its bottom light byte
    bool litWhileOut;
};

// Fuel: output block 130155, button i at i, lights at 129372 + 2i, + 2i + 1;
// hydraulic: output block 130163, button i at 3 + i, lights at 129396 + 2i.
constexpr Probe kProbes[] = {
    {"fuel button 0 (FAULT/OFF)", 130155, 129373, true},
    {"hydraulic button 0 (FAULT/OFF)", 130166, 129397, true},
    {"hydraulic button 4 (FAULT/ON)", 130170, 129405, false},
};

TEST(KitPanelsDemo, LowerLegendsFollowTheButtonsAsOnTheAircraft) {
    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0);
    auto demo = host::demo::MakeKitPanelsDemo();
    demo->Start(segment.data());
    double seconds = 0.0;
    for (const Probe& probe : kProbes) {
        for (int in : {1, 0, 1}) {
            segment[probe.state] = static_cast<std::uint8_t>(in);
            demo->Step(segment.data(), seconds += 0.05);
            const int lit = (in == 0) == probe.litWhileOut ? 1 : 0;
            EXPECT_EQ(segment[probe.bottom], lit) << probe.what << ", button in " << in;
        }
    }
    // A light set by hand stays until its button changes.
    segment[129373] = 7;
    demo->Step(segment.data(), seconds += 0.05);
    EXPECT_EQ(segment[129373], 7);
}

}  // namespace
