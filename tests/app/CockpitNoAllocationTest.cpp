// The whole cockpit allocates nothing per iteration: with every panel on the
// default art initialised, the manager's updates of every panel (all visible,
// the panel under a click, the whole-panel update the host requests) call the
// global operator new not once, while the host's fields change under them and
// the mouse works the controls. (Drawing belongs to the window's paint, not
// to the iteration; text drawn through the font engine allocates there.)
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/CA320Cockpit.h"
#include "controls/CBaseCockpitControl.h"
#include "controls/CPanelMouse.h"
#include "controls/MouseEvent.h"
#include "display/CBaseDisplay.h"
#include "fields/HostRegistry.h"
#include "platform/CDC.h"
#include "support/AllocationCounter.h"
#include "support/TestSupport.h"

namespace {

// Where the mouse goes: the centre of every control of every panel.
std::vector<CPoint> ControlCentres(const CA320Cockpit& manager) {
    std::vector<CPoint> points;
    for (int number = 0; number < CA320Cockpit::kPanelCount; ++number) {
        const CBasePanel* panel = manager.GetPanel(number);
        if (panel == nullptr)
            continue;
        for (int i = 0; const CBaseCockpitControl* control = panel->GetControl(i); ++i) {
            const CRect r = control->GetRect();
            points.emplace_back((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        }
    }
    return points;
}

}  // namespace

TEST(CockpitNoAllocation, EveryPanelUpdatesWithoutAllocating) {
    testsupport::TempDir dir;
    const std::string command =
        std::string(SKYLID_ART_BIN) + " --out " + (dir / "art") + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0);
    CBasePanel::SetSharedMemory(segment.data());
    auto owner = std::make_unique<CSkylidCkptMngr>();
    CSkylidCkptMngr& manager = *owner;
    CDC dc(3000, 4000);
    CBaseDisplay display;
    display.SetDrawingSurface(&dc);
    manager.SetSharedMemory(segment.data());
    manager.SetMcduDisplay(&display, nullptr);
    manager.SetMcduRefresh(true);
    manager.SetUpdateAllVisible(true);
    ASSERT_TRUE(manager.Initialise((dir / "art/Bitmaps").c_str())) << manager.GetErrorText();

    // The host's side: every field the host writes, filled anew each cycle.
    std::vector<const host::NamedField*> hostFields;
    for (const host::NamedField& field : host::GenericRegistry().Fields()) {
        if (field.writer == shm::Writer::Host)
            hostFields.push_back(&field);
    }
    ASSERT_GT(hostFields.size(), 100u);
    const std::vector<CPoint> points = ControlCentres(manager);
    ASSERT_GT(points.size(), 500u);

    const MouseEvent::Code codes[] = {MouseEvent::kLeftPress,   MouseEvent::kNone,
                                      MouseEvent::kRightPress,  MouseEvent::kNone,
                                      MouseEvent::kWheelToward, MouseEvent::kWheelAway};
    std::uint32_t noise = 12345;
    MouseEvent event;
    auto cycle = [&](int n) {
        for (const host::NamedField* field : hostFields) {
            noise = noise * 1103515245u + 12345u;
            // Mostly small values, as a host writes them, now and then any byte.
            const std::uint8_t value = (noise >> 16) % 7 == 0
                                           ? static_cast<std::uint8_t>(noise >> 8)
                                           : static_cast<std::uint8_t>((noise >> 20) % 3);
            if (field->textSize == 0)
                segment[field->offset] = value;
        }
        const CPoint point = points[static_cast<std::size_t>(n) % points.size()];
        event.code = codes[n % 6];
        CPanelMouse::SetScroll(0, 0);
        CPanelMouse::SetMousePoint(point.x, point.y);
        event.x = point.x;
        event.y = point.y;
        manager.OnMouse(point);
        manager.UpdateVisible(0, 0, 100000, 10000, &event);
        if (n % 10 == 0)
            manager.UpdateAll();
    };

    // One pass over every control first, drawing now and then: whatever a
    // panel sets up on its first use is set up before the count starts.
    const int passes = static_cast<int>(points.size());
    for (int n = 0; n < passes; ++n) {
        cycle(n);
        if (n % 50 == 0)
            manager.Draw(&dc);
    }
    testsupport::StartCountingAllocations();
    for (int n = 0; n < passes; ++n)
        cycle(n);
    EXPECT_EQ(testsupport::StopCountingAllocations(), 0);
    CBasePanel::SetSharedMemory(nullptr);
}
