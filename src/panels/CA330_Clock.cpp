#include "panels/CA330_Clock.h"

#include "shm/SimSegment.h"
#include "util/KxText.h"

namespace clockpanel {

namespace {

using namespace kit;

// Set up in this order, before the segment is looked at.
constexpr DisplayRow kDisplayRows[] = {
    {"CLOCK 2-DIGIT 1", 2, 160, 340},
    {"CLOCK 2-DIGIT 2", 2, 195, 340},
    {"CLOCK 6-DIGIT", 6, 150, 290},
};

// DotsTrue's lower legend is its own state, echoed through input byte 1 by
// the panel (so it lights one update after the button moves).
constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"STBY TRUE", "Buttons\\DotsTrue", 43, 197, Byte(4), Pair(kNone, kTrueEcho)}.Id(1),
    ButtonRow{"STBY ON", "Buttons\\DotsOnGreen", 43, 140, Byte(3), Pair(kNone, 0)}.Id(1),
};

constexpr RotaryRow kRotaryRows[] = {
    {"BARO", {"RmpKnob.bmp", "RmpKnob.bmp", "RmpKnob.bmp"}, 130, 80, 1, 1050, 990},
    {"CAGE", {"CageOut.bmp", "CageIn.bmp", "CageIn.bmp"}, 223, 208, 1, 1050, 990},
};

constexpr LightRow kLightRows[] = {{"STBY ATT", "Lights\\StndbyAtt", 150, 130}};

// Drawn in the A330 layout; they publish their positions in both.
constexpr KnobRow kKnobRows[] = {
    KnobRow{"DMC SWITCHING", "Knobs\\DmcSw", 22, 253, "0137", Byte(12)}.Drawn(Layout::A330),
    KnobRow{"ECAM SWITCHING", "Knobs\\EcamSw", 22, 320, "017", Byte(13)}.Drawn(Layout::A330),
};

constexpr std::uint32_t kIn = blocks::kClock.a320.in;
constexpr std::uint32_t kOut = blocks::kClock.a320.out;
constexpr shm::FieldRow kExtraFields[] = {
    {"CLOCK.SIX_DIGIT_TEXT", kIn + kSixDigits, shm::FieldType::Text, shm::Writer::Host,
     "text of the six-digit display (6 characters; the byte after it is free)", 1, 0, 7},
    {"CLOCK.TWO_DIGIT_1.CHAR_%d", kIn + kFirstPair, shm::FieldType::Byte, shm::Writer::Host,
     "character of the first two-digit display (ASCII code; no terminator)", 2, 1},
    {"CLOCK.TWO_DIGIT_2_TEXT", kIn + kSecondPair, shm::FieldType::Text, shm::Writer::Host,
     "text of the second two-digit display (2 characters)", 1, 0, 3},
    {"CLOCK.ALL_ON", kIn + kAllOnRequest, shm::FieldType::Byte, shm::Writer::Host,
     "non-zero holds the cage knob pulled"},
    shm::FieldRow{"CLOCK.TRUE_ECHO", kIn + kTrueEcho, shm::FieldType::Byte, shm::Writer::Program,
                  "the STBY TRUE button's state, echoed by the cockpit every update: its lower "
                  "legend one update later"}
        .In(0, 1),
    shm::FieldRow{"CLOCK.CAGE_PULLED", kOut + kCagePulled, shm::FieldType::Byte,
                  shm::Writer::Program, "1 while the standby horizon's cage knob is pulled"}
        .In(0, 1),
    shm::FieldRow{"CLOCK.BARO", kOut + kBaro, shm::FieldType::Int32, shm::Writer::Program,
                  "standby barometric setting, 990 to 1050 (1013 at start)"}
        .In(990, 1050),
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA330_Clock",
    .progress = "Initialising Clock Panel Items",
    .prefix = "CLOCK",
    .title = "Clock",
    .regions = blocks::kClock,
    .typeDependent = true,
    .lampTest = kLampTest,
    .buttons = kButtonRows,
    .knobs = kKnobRows,
    .lights = kLightRows,
    .displays = kDisplayRows,
    .rotaries = kRotaryRows,
    .extraFields = [](int) { return std::span<const shm::FieldRow>(kExtraFields); },
};

}  // namespace clockpanel

using namespace clockpanel;

bool CA330_Clock::IsActive(Kind kind, int /*index*/) const {
    return kind != Kind::Light;  // the standby attitude light is never shown
}

bool CA330_Clock::InitialiseExtra(const char* /*folder*/) {
    Rotaries()[kBaroKnob].SetValue(kBaroStart);
    m_cagePulled = m_cagePushed = false;
    m_drawCount = 0;
    return true;
}

void CA330_Clock::SetAllOn() {
    std::uint8_t* view = GetSharedMemory();
    if (IsInitialised() && view != nullptr)
        OutByte(view, kCagePulled, 1);
}

void CA330_Clock::RefreshFromOutputs() {
    CKitPanel::RefreshFromOutputs();
    const std::uint8_t* view = GetSharedMemory();
    if (!IsInitialised() || view == nullptr)
        return;
    Rotaries()[kBaroKnob].SetValue(GenField<std::int32_t>::At(OutBlock() + kBaro).Read(view));
    m_cagePulled = ReadOutByte(view, kCagePulled) != 0;
}

void CA330_Clock::AfterControls(std::uint8_t* view, MouseEvent* event) {
    CRotaryKnobClass& baro = Rotaries()[kBaroKnob];
    baro.HandleMouseClamped(event);
    Rotaries()[kCageKnob].HandlePushPull(event, m_cagePulled, m_cagePushed);
    OutByte(view, kCagePulled, m_cagePulled ? 1 : 0);
    GenField<std::int32_t>::At(OutBlock() + kBaro).Write(view, baro.GetValue());
    // The button took its lower legend from the echo as it was; the echo
    // now takes the button's state for the next update.
    const std::uint8_t in = Buttons()[kDotsTrue].IsPressed() ? 1 : 0;
    GenField<std::uint8_t>::At(InBlock() + kTrueEcho).Write(view, in);
    if (InByte(view, kAllOnRequest) != 0)
        OutByte(view, kCagePulled, 1);
}

bool CA330_Clock::DisplayText(int index, const std::uint8_t* view, char* text,
                              std::size_t size) const {
    using TextField = shm::TextAt<Gensim_Shm::kSize>;
    char shown[8];
    switch (index) {
        case kFirstPairDisplay:
            TextField(InBlock() + kFirstPair, 2).Read(view, shown, sizeof shown);
            break;
        case kSecondPairDisplay:
            TextField(InBlock() + kSecondPair, 2).Read(view, shown, sizeof shown);
            break;
        default:
            // Positions 4 and 5 are drawn one by one (DrawExtra).
            TextField(InBlock() + kSixDigits, 6).Read(view, shown, sizeof shown);
            kx::Format(text, size, "%-4.4s  ", shown);
            return true;
    }
    kx::StrCopy(text, size, shown);
    return true;
}

void CA330_Clock::DrawExtra(CDC* dc) {
    ++m_drawCount;
    const std::uint8_t* view = GetSharedMemory();
    char six[8];
    shm::TextAt<Gensim_Shm::kSize>(InBlock() + kSixDigits, 6).Read(view, six, sizeof six);
    const std::size_t length = kx::BoundedLength(six, 6);
    for (int cell = 4; cell < 6; ++cell) {
        const char digit[2] = {static_cast<std::size_t>(cell) < length ? six[cell] : ' ', '\0'};
        Displays()[kSixDigitDisplay].SetDisplayNumber(digit, dc, cell);
    }
}
