// Panels of the overhead built on the panel kit, clicked in the real window:
// the click reaches the byte that the host reads.
#include <cstdint>

#include "CockpitFixture.h"
#include "panels/PanelCatalog.h"
#include "panels/PanelLayout.h"

namespace {

struct Probe {
    int panel;
    std::uint32_t byte;  // output byte of the panel's button 0
};

constexpr Probe kProbes[] = {
    {12, 130155},      // fuel: button i at output byte i
    {14, 130163 + 3},  // hydraulic: button i at 3 + i
    {17, 130085 + 3},  // flight controls, left: button i at 3 + i
};

const kit::ButtonRow* FirstButton(int panel) {
    for (const panels::CatalogEntry& entry : panels::KitCatalog()) {
        if (entry.number == panel && !entry.desc->buttons.empty())
            return &entry.desc->buttons[0];
    }
    return nullptr;
}

}  // namespace

TEST_F(CockpitE2E, OverheadKitPanelsTakeClicks) {
    std::string name = testsupport::UniqueSegmentName("e2e-overhead");
    Gensim_Shm host(name.c_str());
    ASSERT_TRUE(host.IsValid());
    view = host.Content();
    ASSERT_NO_FATAL_FAILURE(StartCockpit(name));
    ASSERT_NO_FATAL_FAILURE(StartLoop());
    for (const Probe& probe : kProbes) {
        const kit::ButtonRow* row = FirstButton(probe.panel);
        ASSERT_NE(row, nullptr) << "panel " << probe.panel << " is not in the catalogue";
        const panels::PanelPlace& place = panels::kPanelLayout[probe.panel];
        // Picture point 10 pixels into the button, seen from the first view
        // (605, 5) and drawn from the drawing origin (14, 3).
        const int x = place.x + row->x + 10 - 605 + 14;
        const int y = place.y + row->y + 10 - 5 + 3;
        const GenField<std::uint8_t> byte = GenField<std::uint8_t>::At(probe.byte);
        const std::uint8_t before = byte.Read(view);
        ClickAt(x, y);
        EXPECT_TRUE(e2e::WaitFor([&] { return byte.Read(view) != before; }, 3s))
            << "panel " << probe.panel << ", " << row->label;
    }
}
