#include "units/CEfisSwPanel.h"

namespace efissw {

namespace {

using namespace kit;

constexpr blocks::TypedBlocks kBlocks{{130576, kNone}, {75980, kNone}};

constexpr KnobRow kKnobRows[kKnobCount] = {
    {"ATT HDG", "Knobs\\SwPanel", 35, 43, "017", Int32(4)},
    {"AIR DATA", "Knobs\\SwPanel", 137, 43, "017", Int32(8)},
    KnobRow{"EIS DMC", "Knobs\\SwPanel", 235, 43, "017", Int32(12)}.For330("Knobs\\FmKnob", "017"),
    {"ECAM/ND XFR", "Knobs\\SwPanel2", 330, 43, "017", Int32(16)},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CEfisSwPanel",
    .progress = "Initialising EFIS Switching Panel Items",
    .prefix = "EFIS_SWITCHING",
    .title = "EFIS switching panel",
    .regions = kBlocks,
    .typeDependent = true,
    .knobs = kKnobRows,
};

}  // namespace efissw

void CEfisSwPanel::Reset() {
    for (CKnobClass& knob : Knobs())
        knob.SetKnobPosition(0);
}
