#include "units/TcasPanel.h"

#include "shm/SimSegment.h"

namespace atc {

namespace {

using namespace kit;

constexpr blocks::PanelBlocks kBlocks{131008, 129724};

constexpr ButtonRow Digit(const char* label, const char* picture, int x, int y) {
    return ButtonRow{label, picture, x, y, kNoOutput, kUnlit}.Momentary().OnOff();
}

constexpr ButtonRow kKeyRows[kKeys] = {
    Digit("1", "Buttons\\Atc1", 86, 30),      Digit("2", "Buttons\\Atc2", 116, 30),
    Digit("3", "Buttons\\Atc3", 146, 30),     Digit("4", "Buttons\\Atc4", 86, 64),
    Digit("5", "Buttons\\Atc5", 116, 64),     Digit("6", "Buttons\\Atc6", 146, 64),
    Digit("7", "Buttons\\Atc7", 86, 95),      Digit("0", "Buttons\\Atc0", 116, 95),
    Digit("CLR", "Buttons\\AtcClr", 146, 95),
};

constexpr KnobRow kKnobRows[kKnobs] = {
    KnobRow{"ALT RPTG", "Knobs\\Tcas2", 18, 20, "17", Int32(out::kKnobs + 0)}.Initial(7),
    KnobRow{"XPDR SYS", "Knobs\\Tcas2", 18, 62, "17", Int32(out::kKnobs + 4)}.Initial(7),
    KnobRow{"XPDR MODE", "Knobs\\Tcas2", 18, 98, "123", Int32(out::kKnobs + 8)}.Initial(2),
    KnobRow{"TCAS MODE", "Knobs\\Tcas1", 215, 62, "01234", Int32(out::kKnobs + 12)}.Initial(0),
};

constexpr LightRow kLightRows[] = {
    {"SYS", "Lights\\AtcSys", 190, 14, in::kSysLight},
    LightRow{"XPDR OFF", "Lights\\AtcOff", 190, 14, kNone, Source::Panel}.NoLampTest(),
    {"FAIL", "Lights\\AtcLight", 185, 65, in::kFailLight},
};

constexpr DisplayRow kDisplayRows[] = {
    {"XPDR CODE", 4, 220, 18},
};

constexpr shm::FieldRow kExtraFields[] = {
    shm::FieldRow{"ATC.CODE", kBlocks.out + out::kCode, shm::FieldType::Int32, shm::Writer::Program,
                  "transponder code as a decimal number (7000 for 7000)"}
        .In(0, 7777),
    {"ATC.ACTIVE", kBlocks.in + in::kActive, shm::FieldType::Byte, shm::Writer::Host,
     "transponder active: the code shows (blank and OFF while 0)"},
    {"ATC.KNOB_RESET", kBlocks.in + in::kKnobReset, shm::FieldType::Byte, shm::Writer::Host,
     "while non-zero: knob 0 to position 1 and knob 3 to position 4"},
};

// Clicks on the knobs' engraved labels, relative to the knob named, bounds
// included; the first rule that matches applies, unless it lets the later
// ones be tried too.
struct LabelRule {
    int knob;
    int left, right, top, bottom;
    int position;
    bool tryLater;
};
constexpr LabelRule kLabelRules[] = {
    {0, -7, 8, -7, -3, 7, false},  {0, 20, 34, -7, -3, 1, false}, {1, -7, 8, -7, 3, 7, true},
    {1, 20, 34, -7, 3, 1, false},  {2, 37, 61, -3, 2, 1, false},  {2, 37, 61, 14, 16, 2, false},
    {2, 37, 61, 24, 30, 3, false},
};
// Label clicks count only within this band of x from knob 0.
constexpr int kLabelBandLeft = -8;
constexpr int kLabelBandRight = 80;

}  // namespace

const PanelDescription kDescription{
    .className = "TcasPanel",
    .progress = "Initialising Tcas Panel Items",
    .prefix = "ATC",
    .title = "TCAS/ATC panel",
    .regions = {kBlocks},
    .lampTest = in::kLampTest,
    .followsRemoteHold = false,
    .buttons = kKeyRows,
    .knobs = kKnobRows,
    .lights = kLightRows,
    .displays = kDisplayRows,
    .extraFields = [](int) { return std::span<const shm::FieldRow>(kExtraFields); },
};

}  // namespace atc

using namespace atc;

void TcasPanel::Update(MouseEvent* event) {
    if (IsRemoteHold())
        return;
    CKitPanel::Update(event);
}

bool TcasPanel::TransponderActive() const {
    const std::uint8_t* view = GetSharedMemory();
    return view != nullptr && InByte(view, in::kActive) != 0;
}

void TcasPanel::PublishKnob(std::uint8_t* view, int knob) {
    GenField<std::int32_t>::At(OutBlock() + out::kKnobs + 4 * static_cast<std::uint32_t>(knob))
        .Write(view, Knob(knob).GetKnobPosition());
}

void TcasPanel::ResetKnobs() {
    Knob(0).SetKnobPosition(1);
    Knob(3).SetKnobPosition(4);
    if (std::uint8_t* view = GetSharedMemory(); view != nullptr && IsInitialised()) {
        PublishKnob(view, 0);
        PublishKnob(view, 3);
    }
}

void TcasPanel::BeforeControls(std::uint8_t* view, MouseEvent* /*event*/) {
    if (InByte(view, in::kKnobReset) != 0)
        ResetKnobs();
}

void TcasPanel::LabelClicks(std::uint8_t* view, MouseEvent* event) {
    if (event == nullptr || event->code != MouseEvent::kLeftPress)
        return;
    CPoint fromKnob0;
    Knob(0).GetLocalMousePoint(fromKnob0);
    if (fromKnob0.x < kLabelBandLeft || fromKnob0.x > kLabelBandRight)
        return;
    for (const LabelRule& rule : kLabelRules) {
        CPoint p;
        Knob(rule.knob).GetLocalMousePoint(p);
        if (p.x < rule.left || p.x > rule.right || p.y < rule.top || p.y > rule.bottom)
            continue;
        Knob(rule.knob).SetKnobPosition(rule.position);
        PublishKnob(view, rule.knob);
        if (!rule.tryLater)
            return;
    }
}

void TcasPanel::AfterControls(std::uint8_t* view, MouseEvent* event) {
    LabelClicks(view, event);
    bool anyPressed = false;
    for (int k = 0; k < kKeys; ++k) {
        const bool pressed = Buttons()[static_cast<std::size_t>(k)].IsPressed();
        m_entry.Key(k, pressed);
        anyPressed = anyPressed || pressed;
    }
    // A key still held keeps its place as the last key even while the
    // transponder is off, so that holding it never enters a digit twice.
    if (!anyPressed) {
        const bool active = InByte(view, in::kActive) != 0;
        m_entry.Key(active ? SquawkEntry::kReleased : SquawkEntry::kInactive, false);
    }
    GenField<std::int32_t>::At(OutBlock() + out::kCode).Write(view, m_entry.Code());
}

bool TcasPanel::IsActive(Kind kind, int index) const {
    if (kind != Kind::Light)
        return true;
    if (index == kSysLightIndex)
        return TransponderActive();
    if (index == kOffLightIndex)
        return !TransponderActive();
    return true;
}

bool TcasPanel::LightLit(int /*index*/, const std::uint8_t* /*view*/) const {
    return true;  // the OFF legend, shown while the transponder is off
}

const char* TcasPanel::WindowText() const {
    return TransponderActive() ? m_entry.Text() : "    ";
}

bool TcasPanel::DisplayText(int /*index*/, const std::uint8_t* /*view*/, char* text,
                            std::size_t size) const {
    kx::StrCopy(text, size, WindowText());
    return true;
}
