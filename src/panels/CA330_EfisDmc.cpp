#include "panels/CA330_EfisDmc.h"

namespace efisdmc {

namespace {

using namespace kit;

constexpr std::uint32_t kResetFlag = 3;  // output byte
constexpr std::uint32_t kOutStride = 8;
constexpr std::uint32_t kInStride = 2;

constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"RESET", "Buttons\\ResetButton", 4, 4, kNoOutput, kUnlit}.Momentary().OnOff(),
    ButtonRow{"DU 1", "Buttons\\DuKnob", 4, 56, Inverted(4), kUnlit}.OnOff(),
    ButtonRow{"DU 2", "Buttons\\DuKnob", 60, 56, Inverted(5), kUnlit}.OnOff(),
    ButtonRow{"GPWS G/S", "Buttons\\GpwsGs", 66, 2, Byte(6), Pair(0, 1)}.Drawn(Layout::A320),
};

constexpr KnobRow kLeftKnob[] = {
    KnobRow{"EIS DMC", "Knobs\\EfisDmcL", 62, 0, "017", Byte(7)}.Drawn(Layout::A330),
};
constexpr KnobRow kRightKnob[] = {
    KnobRow{"EIS DMC", "Knobs\\EfisDmcR", 62, 0, "017", Byte(7)}.Drawn(Layout::A330),
};

// The reset flag, which the rows do not describe.
constexpr shm::FieldRow kResetFields[2][1] = {
    {shm::FieldRow{"EFIS_DMC_0.RESET_FLAG", blocks::kEfisDmc.a320.out + kResetFlag,
                   shm::FieldType::Byte, shm::Writer::Program,
                   "inverted at every press of the RESET button"}
         .In(0, 1)},
    {shm::FieldRow{"EFIS_DMC_1.RESET_FLAG", blocks::kEfisDmc.a320.out + kOutStride + kResetFlag,
                   shm::FieldType::Byte, shm::Writer::Program,
                   "inverted at every press of the RESET button"}
         .In(0, 1)},
};

std::span<const shm::FieldRow> ResetField(int side) {
    return kResetFields[side == 1 ? 1 : 0];
}

constexpr PanelDescription Side(std::span<const KnobRow> knob) {
    return PanelDescription{
        .className = "CA330_EfisDmc",
        .progress = "Initialising EFIS DMC Items",
        .prefix = "EFIS_DMC",
        .title = "EFIS display management control",
        .regions = blocks::kEfisDmc,
        .typeDependent = true,
        .followsRemoteHold = false,
        .buttons = kButtonRows,
        .knobs = knob,
        .sides = 2,
        .sideOutStride = kOutStride,
        .sideInStride = kInStride,
        .extraFields = ResetField,
    };
}

}  // namespace

const PanelDescription kDescriptions[2] = {Side(kLeftKnob), Side(kRightKnob)};

}  // namespace efisdmc

void CA330_EfisDmc::AfterControls(std::uint8_t* view, MouseEvent* /*event*/) {
    // The button is momentary: one click is one rising edge.
    m_reset.SetBool(Buttons()[kResetButton].IsPressed());
    if (m_reset.BecameSet())
        m_resetFlag = !m_resetFlag;
    OutByte(view, efisdmc::kResetFlag, m_resetFlag ? 1 : 0);
}
