#include "units/CDataScreen.h"

#include "shm/SimSegment.h"

namespace datascreen {

namespace {

using namespace kit;

constexpr blocks::TypedBlocks kBlocks{{130540, kNone}, {75924, kNone}};

constexpr ButtonRow Arrow(const char* label, const char* picture, int x, int id) {
    return ButtonRow{label, picture, x, 330, kNoOutput, kPanelLit}.Momentary().OnOff().Id(id);
}

constexpr ButtonRow kKeyRows[kKeys] = {
    Arrow("UP", "Buttons\\McduUp", 200, 0),
    Arrow("DOWN", "Buttons\\McduDown", 40, 1),
    Arrow("LEFT", "Buttons\\McduLeft", 100, 1),
    Arrow("RIGHT", "Buttons\\McduRight", 150, 1),
};

constexpr shm::FieldRow kFields[] = {
    shm::FieldRow{"DATA_SCREEN.UP", kBlocks.a320.out + out::kUp, shm::FieldType::Byte,
                  shm::Writer::Program, "1 in the update in which the up key is pressed"}
        .In(0, 1),
    shm::FieldRow{"DATA_SCREEN.DOWN", kBlocks.a320.out + out::kDown, shm::FieldType::Byte,
                  shm::Writer::Program, "1 in the update in which the down key is pressed"}
        .In(0, 1),
    {"DATA_SCREEN.LEFT_RIGHT", kBlocks.a320.out + out::kLeftRight, shm::FieldType::Byte,
     shm::Writer::Program, "1 from a press of right, 255 from a press of left, 0 once released"},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CDataScreen",
    .progress = "Initialising Data screen panel items",
    .prefix = "DATA_SCREEN",
    .title = "Data screen keys",
    .regions = kBlocks,
    .typeDependent = true,
    .buttons = kKeyRows,
    .extraFields = [](int) { return std::span<const shm::FieldRow>(kFields); },
};

}  // namespace datascreen

using namespace datascreen;

bool CDataScreen::InitialiseExtra(const char* /*folder*/) {
    std::uint8_t* view = GetSharedMemory();
    GenField<std::uint8_t>::At(kBlocks.a320.out + out::kLeftRight).Write(view, 0);
    GenField<std::uint8_t>::At(kBlocks.a330.out + out::kLeftRight).Write(view, 0);
    return true;
}

void CDataScreen::AfterControls(std::uint8_t* view, MouseEvent* /*event*/) {
    for (int k = 0; k < kKeys; ++k)
        m_pressed[k].SetBool(Buttons()[static_cast<std::size_t>(k)].IsPressed());
    OutByte(view, out::kUp, m_pressed[kUp].BecameSet() ? 1 : 0);
    OutByte(view, out::kDown, m_pressed[kDown].BecameSet() ? 1 : 0);
    const bool right = m_pressed[kRight].BecameSet();
    const bool left = m_pressed[kLeft].BecameSet();
    if (right)
        OutByte(view, out::kLeftRight, datascreen::kRightHeld);
    else if (left)
        OutByte(view, out::kLeftRight, datascreen::kLeftHeld);
    else if (!m_pressed[kRight].IsSet() && !m_pressed[kLeft].IsSet())
        OutByte(view, out::kLeftRight, 0);
}
