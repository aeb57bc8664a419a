#include "panels/CA330_Rmp.h"

#include <array>
#include <climits>
#include <deque>
#include <string>
#include <vector>

#include "shm/SimSegment.h"
#include "util/KxText.h"

namespace rmp {

namespace {

using namespace kit;

// Sides 0 and 1 lie 80 / 64 bytes apart; side 2 has blocks of its own.
constexpr blocks::TypedBlocks kSides[] = {blocks::kRmpSide0, blocks::kRmpSide1, blocks::kRmpSide2};

constexpr ButtonRow Key(const char* label, const char* picture, int x, int y, Out output) {
    return ButtonRow{label, picture, x, y, output, kPanelLit}.Momentary().OnOff();
}

constexpr ButtonRow kKeyRows[kKeyCount] = {
    Key("VHF 1", "Buttons\\Vhf1", 20, 60, Byte(out::kKeys + 0)),
    Key("VHF 2", "Buttons\\Vhf2", 60, 60, Byte(out::kKeys + 1)),
    Key("VHF 3", "Buttons\\Vhf3", 102, 60, Byte(out::kKeys + 2)),
    Key("HF 1", "Buttons\\Hf1", 20, 84, Byte(out::kKeys + 3)),
    Key("HF 2", "Buttons\\Hf2", 57, 84, Byte(out::kKeys + 4)),
    Key("AM", "Buttons\\Am", 140, 84, Byte(out::kKeys + 5)),
    Key("SEL", "Buttons\\RmpSel", 105, 84, Byte(out::kKeys + 6)),
    Key("NAV", "Buttons\\RmpNav", 25, 125, kNoOutput),
    Key("VOR", "Buttons\\RmpVor", 65, 125, Byte(out::kKeys + 8)),
    Key("ILS", "Buttons\\RmpIls", 105, 125, Byte(out::kKeys + 9)),
    Key("MLS", "Buttons\\RmpMls", 140, 125, Byte(out::kKeys + 10)),
    Key("ADF", "Buttons\\RmpAdf", 178, 125, Byte(out::kKeys + 11)),
    Key("BFO", "Buttons\\RmpBfo", 215, 125, Byte(out::kKeys + 12)),
    Key("XFR", "Buttons\\RmpXfr", 139, 18, Byte(out::kKeys + 13)),
};

constexpr SwitchRow kSwitchRows[] = {
    {"RMP ON/OFF", 2, {"RmpOn.bmp", "RmpOn.bmp", "RmpOff.bmp"}, 255, 95, OneAt(out::kPower, 0)},
};

constexpr DisplayRow kDisplayRows[] = {
    {"ACTIVE", 7, 23, 15},
    {"STBY/CRS", 7, 179, 15},
};

constexpr RotaryRow kRotaryRows[] = {
    {"TUNING KNOB", {"RmpKnob.bmp", "RmpKnob.bmp", "RmpKnob.bmp"}, 205, 60, 1, 40000, 9000},
};

constexpr int kCoverX = 23;
constexpr int kCoverY = 108;
constexpr const char* kCoverPictures[2] = {"Guards\\StbyNav", "Guards\\StbyNavOn"};
// The knob's value after set-up per side, and its limits from then on.
constexpr int kKnobStart[3] = {12600, 11950, 12330};
constexpr int kKnobMaximum = 15000;
constexpr int kKnobMinimum = 9000;
constexpr std::int32_t kCourseCountdownStart = 10;

// The key of each radio type.
constexpr int kTypeKey[kRadioTypes] = {0, 1, 2, 3, 4, 5, 8, 9, 10, 11};

// The fields the rows do not describe, per side.
std::span<const shm::FieldRow> ExtraFields(int side) {
    struct Tables {
        std::deque<std::string> texts;
        std::vector<shm::FieldRow> rows[3];
        Tables() {
            static constexpr const char* kComm[kCommTypes] = {"VHF1", "VHF2", "VHF3",
                                                              "HF1",  "HF2",  "AM"};
            for (int s = 0; s < 3; ++s) {
                const blocks::PanelBlocks at = kSides[s].a320;
                auto add = [&](const std::string& name, bool output, std::uint32_t offset,
                               shm::FieldType type, const char* meaning, int low = 0,
                               int high = -1) {
                    texts.push_back("RMP_" + std::to_string(s) + "." + name);
                    const shm::FieldRow row{
                        texts.back().c_str(), (output ? at.out : at.in) + offset, type,
                        output ? shm::Writer::Program : shm::Writer::Host, meaning};
                    rows[s].push_back(low <= high ? row.In(low, high) : row);
                };
                using shm::FieldType;
                for (int t = 0; t < kCommTypes; ++t) {
                    add(std::string("ACTIVE_") + kComm[t], false,
                        in::kActive + 4 * static_cast<std::uint32_t>(t), FieldType::Float,
                        "active frequency (MHz) shown in the left window");
                }
                if (s < 2) {
                    const auto side = static_cast<std::uint32_t>(s);
                    add("ACTIVE_VOR", false, in::kVor + 4 * side, FieldType::Float,
                        "VOR frequency (MHz), loaded as standby outside standby navigation");
                    add("ACTIVE_ADF", false, in::kAdf + 4 * side, FieldType::Float,
                        "ADF frequency (kHz, 190.0 to 535.0), loaded as standby outside standby "
                        "navigation");
                    add("ACTIVE_ILS", false, in::kIls, FieldType::Float,
                        "ILS frequency (MHz), loaded as standby outside standby navigation");
                }
                add("SEL_LIGHT", false, in::kSelLight, FieldType::Byte,
                    "SEL key lit (with the panel powered)");
                add("POWERED", false, in::kPowered, FieldType::Byte,
                    "panel powered: lights and windows work");
                add("XFR_ACK", false, in::kAcknowledge, FieldType::Byte,
                    "comm transfer acknowledged: clears XFR_PENDING");
                add("STBY_NAV", true, out::kStandbyNav, FieldType::Byte, "1 in standby navigation",
                    0, 1);
                add("VOR_XFR", true, out::kVorTransfer, FieldType::Int32,
                    "VOR frequency handed over (hundredths of MHz), -1 outside standby "
                    "navigation");
                add("VOR_COURSE", true, out::kVorCourse, FieldType::Int32, "VOR course (degrees)");
                add("ADF_XFR", true, out::kAdfTransfer, FieldType::Int32,
                    "ADF frequency handed over (tenths of kHz), -1 outside standby navigation");
                add("ILS_XFR", true, out::kIlsTransfer, FieldType::Int32,
                    "ILS frequency handed over (hundredths of MHz), -1 outside standby "
                    "navigation");
                add("ILS_COURSE", true, out::kIlsCourse, FieldType::Int32, "ILS course (degrees)");
                add("NAV_XFR_TYPE", true, out::kNavTransferType, FieldType::Int32,
                    "radio type of the last navigation transfer (6 VOR, 7 ILS, 8 MLS, 9 ADF)");
                add("COURSE_COUNTDOWN", true, out::kCourseCountdown, FieldType::Int32,
                    "10 at a transfer to course entry, one less every update after");
                add("XFR_PENDING", true, out::kCommPending, FieldType::Byte,
                    "1 from a comm transfer until the host acknowledges it", 0, 1);
                add("SELECTED_TYPE", true, out::kSelectedType, FieldType::Int32,
                    "selected radio (0 VHF1, 1 VHF2, 2 VHF3, 3 HF1, 4 HF2, 5 AM)");
                add("XFR_FREQUENCY", true, out::kCommHandedOver, FieldType::Float,
                    "standby frequency (MHz) handed over by the last comm transfer");
                add("SPARE", true, out::kSpare, FieldType::Int32, "always 0", 0, 0);
            }
        }
    };
    static const Tables tables;
    return tables.rows[side < 0 || side > 2 ? 0 : side];
}

}  // namespace

const PanelDescription kDescription{
    .className = "CA330_Rmp",
    .progress = "Initialising RMP  Items",
    .prefix = "RMP",
    .title = "Radio management panel",
    .regions = kSides[0],
    .typeDependent = true,
    .lampTest = in::kLampTest,
    .buttons = kKeyRows,
    .switches = kSwitchRows,
    .displays = kDisplayRows,
    .rotaries = kRotaryRows,
    .sides = 3,
    .sideRegions = kSides,
    .extraFields = ExtraFields,
};

}  // namespace rmp

using namespace rmp;

void CA330_Rmp::SetSide(int side) {
    const int limited = kx::Limit(side, 0, 2);
    SetSideIndex(limited);
    m_type = limited;  // VHF1, VHF2 or VHF3
    m_commType = limited;
}

float CA330_Rmp::InFloat(const std::uint8_t* view, std::uint32_t offset) const {
    return GenField<float>::At(InBlock() + offset).Read(view);
}

void CA330_Rmp::OutInt(std::uint8_t* view, std::uint32_t offset, std::int32_t value) const {
    GenField<std::int32_t>::At(OutBlock() + offset).Write(view, value);
}

std::int32_t CA330_Rmp::ReadOutInt(const std::uint8_t* view, std::uint32_t offset) const {
    return GenField<std::int32_t>::At(OutBlock() + offset).Read(view);
}

bool CA330_Rmp::InitialiseExtra(const char* folder) {
    const CPoint origin = GetPosition();
    for (int c = 0; c < 2; ++c) {
        CoverSettings settings;
        settings.folder = folder;
        settings.controlFolder = kCoverPictures[c];
        settings.panelX = origin.x;
        settings.panelY = origin.y;
        settings.xOffset = kCoverX;
        settings.yOffset = kCoverY;
        settings.scale = m_scale;
        if (!m_navCovers[c].Initialise(settings)) {
            SetError(m_navCovers[c].GetErrorText());
            return false;
        }
    }
    CRotaryKnobClass& knob = Knob();
    knob.SetPictureIndex(CRotaryKnobClass::kResting);
    knob.SetValue(kKnobStart[Side()]);
    knob.SetLimits(kKnobMaximum, kKnobMinimum);
    m_fineStep = true;
    for (int r = 0; r < kNavRecords; ++r) {
        const RecordSetup& s = kNavSetup[r];
        m_nav[r].Setup(s.minimum, s.maximum, s.divisor, s.initial, s.wraps);
    }
    for (int t = 0; t < kCommTypes; ++t) {
        const RecordSetup& s = kCommSetup[t];
        m_comm[t].Setup(s.minimum, s.maximum, s.divisor, s.initial, s.wraps);
    }
    return true;
}

void CA330_Rmp::BeforeControls(std::uint8_t* /*view*/, MouseEvent* event) {
    for (CGuardedCover& cover : m_navCovers)
        cover.HandleMouse(event);
    // The NAV key takes the mouse only while its cover is open.
    Key(kNavKey).SetLocked(m_navCovers[0].IsClosed());
}

bool CA330_Rmp::ButtonLit(int index, const std::uint8_t* view) const {
    if (index == kNavKey)
        return m_standbyNav;
    const bool powered = InByte(view, in::kPowered) != 0;
    if (index == kSelKey)
        return powered && InByte(view, in::kSelLight) != 0;
    if (index == kXfrKey)
        return powered;
    return powered && m_type >= 0 && m_type < kRadioTypes && kTypeKey[m_type] == index;
}

void CA330_Rmp::Select() {
    for (int t = 0; t < kCommTypes; ++t) {
        if (Key(kTypeKey[t]).IsPressed()) {
            m_type = t;
            return;
        }
    }
    if (!m_standbyNav)
        return;
    for (int t = kVor; t <= kAdf; ++t) {
        if (Key(kTypeKey[t]).IsPressed()) {
            m_type = t;
            return;
        }
    }
}

void CA330_Rmp::AfterControls(std::uint8_t* view, MouseEvent* event) {
    m_navPress.SetBool(Key(kNavKey).IsPressed() && CanNavigate());
    Select();

    CRotaryKnobClass& knob = Knob();
    knob.UpdateTouched(event);
    m_rightPress.SetBool(event != nullptr && event->code == MouseEvent::kRightPress &&
                         knob.IsTouched());
    if (m_rightPress.BecameSet())
        m_fineStep = !m_fineStep;

    const int delta = knob.GetTurnDelta(event);
    if (IsNavType(m_type) && CanNavigate())
        NavTuning(view, delta);
    else
        CommTuning(view, delta);

    if (!m_standbyNav) {
        m_commType = m_type;
        ResetNavigation(view);
        OutByte(view, out::kStandbyNav, 0);
        if (m_navPress.BecameSet())
            m_standbyNav = true;
    } else if (!CanNavigate()) {
        m_standbyNav = false;
    } else {
        OutByte(view, out::kStandbyNav, 1);
        if (m_navPress.BecameSet()) {
            m_standbyNav = false;
            m_type = m_commType;
        }
    }
}

void CA330_Rmp::CommTuning(std::uint8_t* view, int delta) {
    if (m_type < 0 || m_type >= kCommTypes)
        return;
    RmpTuningValue& record = m_comm[m_type];
    const Steps& steps = kCommSetup[m_type].steps;
    record.Turn(delta, m_fineStep ? steps.fine : steps.coarse);

    m_commTransfer.SetBool(Key(kXfrKey).IsPressed());
    if (m_commTransfer.BecameSet()) {
        GenField<float>::At(OutBlock() + out::kCommHandedOver).Write(view, record.scaled);
        record.SetFrequency(InFloat(view, in::kActive + 4 * static_cast<std::uint32_t>(m_type)));
        OutByte(view, out::kCommPending, 1);
    }
    OutInt(view, out::kSelectedType, m_type);
    OutInt(view, out::kSpare, 0);
    if (InByte(view, in::kAcknowledge) != 0)
        OutByte(view, out::kCommPending, 0);
}

void CA330_Rmp::NavTuning(std::uint8_t* view, int delta) {
    const int fine = m_fineStep ? 1 : 0;
    switch (m_type) {
        case kVor:
        case kIls: {
            const int frequency = m_type == kVor ? kVorFrequency : kIlsFrequency;
            const int record = m_navSub == 0 ? frequency : frequency + 1;
            const Steps& steps = kNavSetup[record].steps;
            m_nav[record].Turn(delta, fine ? steps.fine : steps.coarse);
            break;
        }
        case kAdf: {
            const Steps& steps = kNavSetup[kAdfFrequency].steps;
            m_nav[kAdfFrequency].Turn(delta, fine ? steps.fine : steps.coarse);
            break;
        }
        default:  // MLS: nothing to tune
            break;
    }
    OutInt(view, out::kVorCourse, m_nav[kVorCourse].value);
    OutInt(view, out::kIlsCourse, m_nav[kIlsCourse].value);

    m_navTransfer.SetBool(Key(kXfrKey).IsPressed());
    if (m_navTransfer.BecameSet()) {
        if (m_type == kVor)
            OutInt(view, out::kVorTransfer, m_nav[kVorFrequency].value);
        else if (m_type == kIls)
            OutInt(view, out::kIlsTransfer, m_nav[kIlsFrequency].value);
        else if (m_type == kAdf)
            OutInt(view, out::kAdfTransfer, m_nav[kAdfFrequency].value);
        m_navSub = m_navSub == 0 ? 1 : 0;
        if (m_navSub == 1)
            OutInt(view, out::kCourseCountdown, kCourseCountdownStart);
        OutInt(view, out::kNavTransferType, m_type);
    } else {
        const std::int32_t countdown = ReadOutInt(view, out::kCourseCountdown);
        if (countdown > INT_MIN)
            OutInt(view, out::kCourseCountdown, countdown - 1);
    }
}

void CA330_Rmp::ResetNavigation(std::uint8_t* view) {
    OutInt(view, out::kVorTransfer, -1);
    OutInt(view, out::kAdfTransfer, -1);
    OutInt(view, out::kIlsTransfer, -1);
    if (CanNavigate()) {
        const auto side = static_cast<std::uint32_t>(Side());
        m_nav[kAdfFrequency].LoadScaled(InFloat(view, in::kAdf + 4 * side), kAdfLoadScale);
        m_nav[kVorFrequency].LoadScaled(InFloat(view, in::kVor + 4 * side), kNavLoadScale);
        m_nav[kIlsFrequency].LoadScaled(InFloat(view, in::kIls), kNavLoadScale);
    }
    m_navSub = 0;
}

void CA330_Rmp::RefreshFromOutputs() {
    CKitPanel::RefreshFromOutputs();
    if (!IsInitialised())
        return;
    Switches()[0].SetPosition(
        ReadOutByte(GetSharedMemory(), out::kPower) != 0 ? CSwitchClass::kUp : CSwitchClass::kDown);
    // The communication radio selected, as published (a restored cockpit).
    const std::int32_t type = ReadOutInt(GetSharedMemory(), out::kSelectedType);
    if (type >= 0 && type < kCommTypes && !m_standbyNav)
        m_type = m_commType = type;
}

void CA330_Rmp::WindowText(int window, char (&text)[kTextSize]) const {
    const std::uint8_t* view = GetSharedMemory();
    if (view == nullptr || InByte(view, in::kPowered) == 0) {
        kx::StrCopy(text, "       ");
        return;
    }
    if (LampTest(view)) {
        kx::StrCopy(text, "8888888");
        return;
    }
    const auto side = static_cast<std::uint32_t>(Side());
    if (window == 0) {
        switch (m_type) {
            case kVhf1:
            case kVhf2:
            case kVhf3:
                FormatVhf(InFloat(view, in::kActive + 4 * static_cast<std::uint32_t>(m_type)),
                          text);
                return;
            case kHf1:
            case kHf2:
            case kAm:
                FormatFrequency(InFloat(view, in::kActive + 4 * static_cast<std::uint32_t>(m_type)),
                                text);
                return;
            case kVor:
                FormatFrequency(InFloat(view, in::kVor + 4 * side), text);
                return;
            case kIls:
                FormatFrequency(InFloat(view, in::kIls), text);
                return;
            case kMls:
                kx::StrCopy(text, "      ");
                return;
            default:
                FormatAdf(InFloat(view, in::kAdf + 4 * side), text);
                return;
        }
    }
    if (IsNavType(m_type) && CanNavigate()) {
        switch (m_type) {
            case kVor:
            case kIls: {
                const int frequency = m_type == kVor ? kVorFrequency : kIlsFrequency;
                if (m_navSub == 0)
                    FormatFrequency(m_nav[frequency].scaled, text);
                else
                    FormatCourse(m_nav[frequency + 1].value, text);
                return;
            }
            case kMls:
                kx::StrCopy(text, "-----");
                return;
            default:
                FormatAdf(m_nav[kAdfFrequency].scaled, text);
                return;
        }
    }
    if (m_type >= 0 && m_type < kCommTypes) {
        if (m_type <= kVhf3)
            FormatVhf(m_comm[m_type].scaled, text);
        else
            FormatFrequency(m_comm[m_type].scaled, text);
        return;
    }
    kx::StrCopy(text, "       ");
}

bool CA330_Rmp::DisplayText(int index, const std::uint8_t* /*view*/, char* text,
                            std::size_t size) const {
    char shown[kTextSize];
    WindowText(index, shown);
    // Shorter texts (MLS) are padded so that no cell keeps an older digit.
    kx::Format(text, size, "%-7s", shown);
    return true;
}

void CA330_Rmp::DrawExtra(CDC* dc) {
    const std::uint8_t* view = GetSharedMemory();
    const bool onCover =
        view != nullptr && InByte(view, in::kPowered) != 0 && (LampTest(view) || m_standbyNav);
    m_navCovers[onCover ? 1 : 0].Draw(dc);
}
