// The cockpit-wide check of the panels' tables against the default art: every
// picture that a panel names exists in the art that skylid-art writes (the
// manager's start-up succeeds on it), and every control lies inside its
// panel's place on the main picture.
#include <gtest/gtest.h>

#include <memory>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/CA320Cockpit.h"
#include "controls/CBaseCockpitControl.h"
#include "support/TestSupport.h"

TEST(CockpitArt, EveryPanelStartsOnTheDefaultArtWithItsControlsInsideItsPlace) {
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
    EXPECT_EQ(segment[129358], 1) << "manual engine start panel given mode 4 after start-up";

    int controls = 0;
    for (int number = 0; number < CA320Cockpit::kPanelCount; ++number) {
        const CBasePanel* panel = manager.GetPanel(number);
        if (panel == nullptr)
            continue;
        const auto& place = manager.GetLayout(number);
        CRect outline(place.x, place.y, place.x + place.width, place.y + place.height);
        for (int i = 0; const CBaseCockpitControl* control = panel->GetControl(i); ++i) {
            CRect r = control->GetRect();
            EXPECT_TRUE(r.left >= outline.left && r.top >= outline.top &&
                        r.right <= outline.right && r.bottom <= outline.bottom)
                << "panel " << number << " control " << i << " at (" << r.left << ", " << r.top
                << ", " << r.right << ", " << r.bottom << ")";
            ++controls;
        }
    }
    EXPECT_GT(controls, 0);
    CBasePanel::SetSharedMemory(nullptr);
}
