#include "panels/CStabPanel.h"

#include <cmath>

#include "shm/SimSegment.h"
#include "util/KxText.h"

namespace stab {

namespace {

using namespace kit;

// Every wheel shows one picture in all three positions. Rows: the A320
// layout's two, then the A330 layout's.
constexpr SwitchRow kSwitchRows[] = {
    SwitchRow{"PITCH TRIM L", 1, {"A320StabL.bmp", "A320StabL.bmp", "A320StabL.bmp"}, 45, 74}
        .Initial(1)
        .Drawn(Layout::A320),
    SwitchRow{"PITCH TRIM R", 1, {"A320StabR.bmp", "A320StabR.bmp", "A320StabR.bmp"}, 325, 74}
        .Initial(1)
        .Drawn(Layout::A320),
    SwitchRow{"PITCH TRIM L", 1, {"StabLeft.bmp", "StabLeft.bmp", "StabLeft.bmp"}, 45, 74}
        .Initial(1)
        .Drawn(Layout::A330),
    SwitchRow{"PITCH TRIM R", 1, {"StabRight.bmp", "StabRight.bmp", "StabRight.bmp"}, 325, 74}
        .Initial(1)
        .Drawn(Layout::A330),
};

// Per layout: left scale, right scale, left mark, right mark. The left scale
// is on, the right one off.
constexpr LightRow kLightRows[] = {
    LightRow{"TRIM SCALE L", "Lights\\A320StabTrim", 112, 75, kNone, Source::Panel}.Drawn(
        Layout::A320),
    LightRow{"TRIM SCALE R", "Lights\\A320StabTrim", 320, 75, kNone, Source::Panel}.Drawn(
        Layout::A320),
    LightRow{"TRIM INDEX L", "Lights\\A320StabIndL", 40, 75}.Drawn(Layout::A320),
    LightRow{"TRIM INDEX R", "Lights\\A320StabIndR", 392, 75}.Drawn(Layout::A320),
    LightRow{"TRIM SCALE L", "Lights\\StabTrim", 40, 166, kNone, Source::Panel}.Drawn(Layout::A330),
    LightRow{"TRIM SCALE R", "Lights\\StabTrim", 392, 166, kNone, Source::Panel}.Drawn(
        Layout::A330),
    LightRow{"TRIM INDEX L", "Lights\\StabTrimIndL", 40, 166}.Drawn(Layout::A330),
    LightRow{"TRIM INDEX R", "Lights\\StabTrimIndR", 392, 166}.Drawn(Layout::A330),
};
constexpr int kLightsPerLayout = 4;

constexpr DisplayRow kDisplayRows[] = {{"PITCH TRIM", 7, 160, 10}};

constexpr shm::FieldRow kExtraFields[] = {
    {"PITCH_TRIM.TRIM", blocks::kStab.a320.in + kTrim, shm::FieldType::Float, shm::Writer::Host,
     "current stabiliser trim, degrees, negative nose up (display \"2.50 U\")"},
    shm::FieldRow{"PITCH_TRIM.COMMAND_ACTIVE", blocks::kStab.a320.out + kCommandActive,
                  shm::FieldType::Byte, shm::Writer::Program,
                  "1 while a trim wheel is held (or a scale was double-clicked)"}
        .In(0, 1),
    {"PITCH_TRIM.COMMAND", blocks::kStab.a320.out + kCommand, shm::FieldType::Float,
     shm::Writer::Program,
     "trim command: +1.0 wheel up, -1.0 wheel down (A320 layout; the commanded trim in the "
     "A330 layout); the current trim while no wheel is held"},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CStabPanel",
    .progress = "Initialising Stab panel items",
    .prefix = "PITCH_TRIM",
    .title = "Pitch trim panel",
    .regions = blocks::kStab,
    .typeDependent = true,
    .switches = kSwitchRows,
    .lights = kLightRows,
    .displays = kDisplayRows,
    .extraFields = [](int) { return std::span<const shm::FieldRow>(kExtraFields); },
};

}  // namespace stab

CSwitchClass& CStabPanel::WheelOf(int wheel) {
    return Switches()[static_cast<std::size_t>(2 * LayoutBase() + wheel)];
}

CLightClass& CStabPanel::LightOf(int light) {
    return Lights()[static_cast<std::size_t>(stab::kLightsPerLayout * LayoutBase() + light)];
}

bool CStabPanel::IsActive(Kind kind, int /*index*/) const {
    // The panel draws its wheels, scales and marks itself and passes the
    // mouse to the wheels.
    return kind != Kind::Switch && kind != Kind::Light;
}

bool CStabPanel::LightLit(int index, const std::uint8_t* /*view*/) const {
    return index % stab::kLightsPerLayout == kLeftScale;
}

float CStabPanel::Trim(const std::uint8_t* view) const {
    return GenField<float>::At(InBlock() + stab::kTrim).Read(view);
}

bool CStabPanel::InitialiseExtra(const char* /*folder*/) {
    m_scale[0] = LightOf(kLeftScale).GetRect();
    m_scale[1] = LightOf(kRightScale).GetRect();
    m_scaleHeight = m_scale[0].Height();
    m_lastDrawn = 0.0;
    m_fullRedraw = true;
    return true;
}

void CStabPanel::AfterControls(std::uint8_t* view, MouseEvent* event) {
    const float trim = Trim(view);
    float command = trim;
    bool active = false;

    if (!IsA320Layout() && event != nullptr && event->code == MouseEvent::kLeftDoubleClick) {
        const CPoint p = CPanelMouse::GetPictureMousePoint();
        for (const CRect& scale : m_scale) {
            if (p.x >= scale.left && p.x <= scale.right && p.y >= scale.top &&
                p.y <= scale.bottom) {
                command = levers::ScaleCommand(p.y - scale.top, m_scaleHeight);
                active = true;
                break;
            }
        }
    }

    int position[2];
    for (int wheel = kLeftWheel; wheel <= kRightWheel; ++wheel) {
        WheelOf(wheel).HandleMouse(event);
        position[wheel] = WheelOf(wheel).GetPosition();
    }
    const bool held = event != nullptr && event->code == MouseEvent::kLeftPress;
    if (!held) {
        for (int wheel = kLeftWheel; wheel <= kRightWheel; ++wheel)
            WheelOf(wheel).SetPosition(CSwitchClass::kMiddle);
    }
    if (position[0] != CSwitchClass::kMiddle || position[1] != CSwitchClass::kMiddle) {
        const levers::TrimCommand wheels =
            levers::WheelCommand(command, position[0], position[1], held, IsA320Layout());
        command = wheels.value;
        active = wheels.active;
    }
    OutByte(view, stab::kCommandActive, active ? 1 : 0);
    GenField<float>::At(OutBlock() + stab::kCommand).Write(view, command);
}

bool CStabPanel::DisplayText(int /*index*/, const std::uint8_t* view, char* text,
                             std::size_t size) const {
    char shown[10];
    levers::TrimText(Trim(view), shown, sizeof shown);
    kx::StrCopy(text, size, shown);
    return true;
}

void CStabPanel::DrawScalesAndMarks(CDC* dc, float trim) {
    const int offset = levers::MarkOffset(trim, m_scaleHeight, IsA320Layout());
    LightOf(kLeftScale).Draw(dc);
    LightOf(kRightScale).Draw(dc);
    const int leftInset = IsA320Layout() ? 0 : 4;
    LightOf(kLeftMark).DrawAt(dc, m_scale[0].left + leftInset, m_scale[0].bottom - offset);
    LightOf(kRightMark).DrawAt(dc, m_scale[1].left, m_scale[1].bottom - offset);
}

void CStabPanel::DrawExtra(CDC* dc) {
    const float trim = Trim(GetSharedMemory());
    const double shown = std::isfinite(trim) ? trim : 0.0;
    if (std::fabs(shown - m_lastDrawn) > levers::kRedrawChange) {
        DrawScalesAndMarks(dc, trim);
        m_lastDrawn = shown;
    }
    if (m_fullRedraw) {
        WheelOf(kLeftWheel).Draw(dc);
        WheelOf(kRightWheel).Draw(dc);
        DrawScalesAndMarks(dc, trim);
        m_fullRedraw = false;
    }
}
