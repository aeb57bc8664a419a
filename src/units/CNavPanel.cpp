#include "units/CNavPanel.h"

#include <array>

#include "shm/SimSegment.h"
#include "util/KxText.h"

namespace efis {

namespace {

using namespace kit;

constexpr blocks::TypedBlocks kSide0{{130420, 129763}, {75804, 75131}};
constexpr std::uint32_t kOutStride = 36;
constexpr std::uint32_t kInStride = 18;

constexpr const char* kButtonLabels[kButtonCount] = {"CSTR", "WPT", "VOR.D", "NDB",
                                                     "ARPT", "FD",  "LS"};
constexpr const char* kButtonPictures[kButtonCount] = {
    "Buttons\\Cstr", "Buttons\\Wpt", "Buttons\\VorD", "Buttons\\Ndb",
    "Buttons\\Aprt", "Buttons\\Fd",  "Buttons\\Ls"};
constexpr CPoint kButtonAt[2][kButtonCount] = {
    {{96, 28}, {142, 28}, {188, 28}, {234, 28}, {280, 28}, {10, 145}, {57, 145}},
    {{194, 28}, {148, 28}, {102, 28}, {56, 28}, {10, 28}, {283, 145}, {235, 145}},
};

// The rows of one side; Small: the panel is drawn at a scale of 0.9 or less.
template <int Side, bool Small>
struct Rows {
    static constexpr int kV = Small ? 0 : 20;  // knobs lower on the full-size picture
    static constexpr int kWindowShiftX = Small ? (Side == 0 ? -10 : 10) : 0;
    static constexpr int kWindowShiftY = Small ? -10 : 0;
    static constexpr int kBaroX = Side == 0 ? 16 : 250;

    static constexpr ButtonRow Button(int i) {
        ButtonRow row{kButtonLabels[i],
                      kButtonPictures[i],
                      kButtonAt[Side][i].x,
                      kButtonAt[Side][i].y,
                      Byte(out::kButtons + static_cast<std::uint32_t>(i)),
                      One(in::kLights + 2 * static_cast<std::uint32_t>(i))};
        row = row.OnOff();
        return i == kFdButton || i == kFdButton + 1 ? row : row.Momentary();
    }
    static constexpr ButtonRow kButtons[kButtonCount] = {Button(0), Button(1), Button(2), Button(3),
                                                         Button(4), Button(5), Button(6)};
    static constexpr KnobRow kKnobs[2] = {
        KnobRow{"ND RANGE", "Knobs\\RangeKnob", Side == 0 ? 243 : 15, 70 + kV, "012367",
                Int32(out::kRange)},
        KnobRow{"ND MODE", "Knobs\\A320NavDisplayKnob", Side == 0 ? 133 : 130, 70 + kV, "01267",
                Int32(out::kMode)}
            .For330("Knobs\\NavDisplayKnob", "012367"),
    };
    static constexpr SwitchRow kSwitches[2] = {
        SwitchRow{"ADF/VOR 1",
                  1,
                  {"SwitchAdf.bmp", "SwitchNoVorAdf.bmp", "SwitchVOR.bmp"},
                  Side == 0 ? 130 : 15,
                  150,
                  Flags(out::kSwitch1)}
            .Initial(1),
        SwitchRow{"ADF/VOR 2",
                  1,
                  {"SwitchAdf.bmp", "SwitchNoVorAdf.bmp", "SwitchVOR.bmp"},
                  Side == 0 ? 250 : 130,
                  150,
                  Flags(out::kSwitch2)}
            .Initial(1),
    };
    static constexpr DisplayRow kDisplays[1] = {
        DisplayRow{"BARO", 4, kBaroX + kWindowShiftX, (Side == 0 ? 55 : 40) + kWindowShiftY}.At330(
            kBaroX + kWindowShiftX, 40 + kWindowShiftY),
    };
    static constexpr RotaryRow kRotaries[2] = {
        RotaryRow{"BARO hPa",
                  {"BaroKnobPull.bmp", "BaroKnob.bmp", "BaroKnob.bmp"},
                  kBaroX,
                  90,
                  1,
                  BaroSetting::kMaximumHpa,
                  BaroSetting::kMinimumHpa}
            .At330(kBaroX, 85),
        RotaryRow{"BARO inHg",
                  {"BaroKnobPull.bmp", "BaroKnobHg.bmp", "BaroKnobHg.bmp"},
                  kBaroX,
                  90,
                  1,
                  BaroSetting::kMaximumInHg,
                  BaroSetting::kMinimumInHg}
            .At330(kBaroX, 85),
    };
    static constexpr LightRow kLights[1] = {
        LightRow{"QNH", "Lights\\Baro", Side == 0 ? 10 : 250, 45, kNone, Source::Panel}.At330(
            Side == 0 ? 10 : 250, 30),
    };

    static std::span<const shm::FieldRow> ExtraFields(int);

    static constexpr PanelDescription kDescription{
        .className = "CNavPanel",
        .progress = "Initialising Nav Panel Items",
        .prefix = "EFIS",
        .title = "EFIS control panel",
        .regions = kSide0,
        .typeDependent = true,
        .lampTest = in::kLampTest,
        .buttons = kButtons,
        .switches = kSwitches,
        .knobs = kKnobs,
        .lights = kLights,
        .displays = kDisplays,
        .rotaries = kRotaries,
        .sides = 2,
        .sideOutStride = kOutStride,
        .sideInStride = kInStride,
        .extraFields = ExtraFields,
    };
};

template <int Side>
constexpr std::uint32_t OutAt(std::uint32_t offset) {
    return kSide0.a320.out + Side * kOutStride + offset;
}
template <int Side>
constexpr std::uint32_t InAt(std::uint32_t offset) {
    return kSide0.a320.in + Side * kInStride + offset;
}

template <int Side>
constexpr std::array<shm::FieldRow, 5> FieldsOf() {
    const bool capt = Side == 0;
    return {{
        {capt ? "EFIS_0.REMOTE_HOLD" : "EFIS_1.REMOTE_HOLD", OutAt<Side>(out::kRemoteHold),
         shm::FieldType::Byte, shm::Writer::Host,
         "non-zero: the panel follows its outputs instead of the mouse"},
        {capt ? "EFIS_0.BARO_TEXT" : "EFIS_1.BARO_TEXT", OutAt<Side>(out::kText),
         shm::FieldType::Text, shm::Writer::Program, "barometric window text as drawn", 1, 0,
         out::kTextSize},
        shm::FieldRow{capt ? "EFIS_0.BARO" : "EFIS_1.BARO", OutAt<Side>(out::kBaro),
                      shm::FieldType::Float, shm::Writer::Program,
                      "barometric setting: 1013.25 at standard, else hPa, or inHg x 100"}
            .In(750, 3500),
        shm::FieldRow{capt ? "EFIS_0.BARO_UNIT" : "EFIS_1.BARO_UNIT", OutAt<Side>(out::kUnit),
                      shm::FieldType::Byte, shm::Writer::Program, "barometric unit: 1 inHg, 0 hPa"}
            .In(0, 1),
        {capt ? "EFIS_0.BARO_BLANK" : "EFIS_1.BARO_BLANK", InAt<Side>(in::kBlank),
         shm::FieldType::Byte, shm::Writer::Host, "barometric window blank"},
    }};
}
constexpr std::array<shm::FieldRow, 5> kFields[2] = {FieldsOf<0>(), FieldsOf<1>()};

template <int Side, bool Small>
std::span<const shm::FieldRow> Rows<Side, Small>::ExtraFields(int) {
    return kFields[Side];
}

}  // namespace

const PanelDescription& DescriptionOf(int side, bool small) {
    if (side == 1)
        return small ? Rows<1, true>::kDescription : Rows<1, false>::kDescription;
    return small ? Rows<0, true>::kDescription : Rows<0, false>::kDescription;
}
const PanelDescription& kDescriptionCapt = Rows<0, false>::kDescription;
const PanelDescription& kDescriptionFo = Rows<1, false>::kDescription;

}  // namespace efis

using namespace efis;

CNavPanel::CNavPanel(int side, double scale) : KitPanel(DescriptionOf(side, scale <= 0.9)) {
    SetSideIndex(side == 1 ? 1 : 0);
    SetScale(scale);
}

bool CNavPanel::InitialiseExtra(const char* /*folder*/) {
    BaroKnob(kHpaKnob).SetSingleStep();
    BaroKnob(kHpaKnob).SetValue(m_baro.hpa);
    BaroKnob(kInHgKnob).SetValue(m_baro.inHg);
    return true;
}

void CNavPanel::SelectStandard() {
    m_baro.SelectStandard();
    BaroKnob(kHpaKnob).SetValue(m_baro.hpa);
    BaroKnob(kInHgKnob).SetValue(m_baro.inHg);
}

void CNavPanel::SetBaro(int hpa) {
    m_baro.Set(hpa);
    BaroKnob(kHpaKnob).SetValue(m_baro.hpa);
    BaroKnob(kInHgKnob).SetValue(m_baro.inHg);
}

void CNavPanel::SetBaroInHg(int inHgHundredths) {
    m_baro.inHg = kx::Limit(inHgHundredths, BaroSetting::kMinimumInHg, BaroSetting::kMaximumInHg);
    m_baro.inHgUnit = true;
    m_baro.standard = false;
    BaroKnob(kInHgKnob).SetValue(m_baro.inHg);
    // As a turn of the inHg knob: the hPa knob follows within its own limits.
    BaroKnob(kHpaKnob).SetValue(BaroSetting::HpaFromInHg(m_baro.inHg));
    m_baro.hpa = BaroKnob(kHpaKnob).GetValue();
}

void CNavPanel::ToggleFd() {
    CButtonClass& fd = Buttons()[kFdButton];
    fd.SetPressed(!fd.IsPressed());
    if (std::uint8_t* view = GetSharedMemory(); view != nullptr && IsInitialised())
        OutByte(view, out::kButtons + kFdButton, fd.IsPressed() ? 1 : 0);
}

void CNavPanel::SwitchReset() {
    for (CSwitchClass& s : Switches())
        s.SetPosition(CSwitchClass::kDown);
}

void CNavPanel::Update(MouseEvent* event) {
    std::uint8_t* view = GetSharedMemory();
    if (!IsInitialised() || view == nullptr)
        return;
    if (m_firstUpdate) {
        m_firstUpdate = false;
        SelectStandard();
    }
    SetRemoteHold(ReadOutByte(view, out::kRemoteHold) != 0);
    CKitPanel::Update(event);
}

void CNavPanel::TurnBaroKnob(MouseEvent* event) {
    const int unit = m_baro.inHgUnit ? kInHgKnob : kHpaKnob;
    CRotaryKnobClass& knob = BaroKnob(unit);
    knob.HandleMouseClamped(event);
    bool pulled = false;
    bool pushed = false;
    knob.HandlePushPull(event, pulled, pushed);
    if (pulled) {
        SelectStandard();
    } else if (unit == kHpaKnob) {
        m_baro.hpa = knob.GetValue();
        m_baro.inHg = BaroSetting::InHgFromHpa(m_baro.hpa);
        BaroKnob(kInHgKnob).SetValue(m_baro.inHg);
    } else {
        m_baro.inHg = knob.GetValue();
        BaroKnob(kHpaKnob).SetValue(BaroSetting::HpaFromInHg(m_baro.inHg));
        m_baro.hpa = BaroKnob(kHpaKnob).GetValue();
    }
    knob.UpdateTouched(event);
    const int code = event != nullptr ? event->code : MouseEvent::kNone;
    if (!pulled && code == MouseEvent::kRightPress && knob.IsTouched() &&
        m_previousCode == MouseEvent::kNone) {
        m_baro.inHgUnit = !m_baro.inHgUnit;
    }
    m_previousCode = code;
}

void CNavPanel::AfterControls(std::uint8_t* view, MouseEvent* event) {
    TurnBaroKnob(event);
    GenField<float>::At(OutBlock() + out::kBaro).Write(view, m_baro.Publish());
    OutByte(view, out::kUnit, m_baro.inHgUnit ? 1 : 0);
}

bool CNavPanel::IsActive(Kind kind, int index) const {
    if (kind == Kind::Rotary)
        return (index == kInHgKnob) == m_baro.inHgUnit;
    return true;
}

bool CNavPanel::LightLit(int /*index*/, const std::uint8_t* view) const {
    const char first = static_cast<char>(ReadOutByte(view, out::kText));
    return first != '2' && first != '3';
}

void CNavPanel::DrawExtra(CDC* dc) {
    std::uint8_t* view = GetSharedMemory();
    CPanelDisplay& window = Displays()[0];
    const shm::TextAt<Gensim_Shm::kSize> field(OutBlock() + out::kText, out::kTextSize);
    char shown[BaroSetting::kTextSize];
    if (InByte(view, in::kBlank) != 0) {
        kx::StrCopy(shown, "    ");
    } else if (IsRemoteHold()) {
        field.Read(view, shown, sizeof shown);
    } else {
        m_baro.Text(LampTest(view), shown);
        field.Write(view, shown);
    }
    kx::Format(m_window, sizeof m_window, "%-4.4s", shown);
    window.SetDisplay(m_window, dc);
}
