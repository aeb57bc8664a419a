#include "panels/CEcamCntlPanel.h"

namespace ecam {

namespace {

using namespace kit;

// A page or function key: momentary, on/off pictures, lit by the panel's own
// rule; its state goes out only through the panel's page request and the
// CLR, RCL and STS bytes.
constexpr ButtonRow Key(const char* label, const char* picture, int x, int y) {
    return ButtonRow{label, picture, x, y, kNoOutput, kUnlit}.Momentary().OnOff();
}

// A display-unit button: latching, unlit, 1 while out.
constexpr ButtonRow DisplayUnit(const char* label, int y, std::uint32_t out) {
    return ButtonRow{label, "Buttons\\DuKnob", 30, y, Inverted(out), kUnlit}.OnOff().Id(9);
}

constexpr ButtonRow kButtonRows[kKeys + 2] = {
    Key("T.O CONFIG", "Buttons\\EcamTo", 141, 10), Key("EMER CANC", "Buttons\\EcamEmer", 231, 10),
    Key("ENG", "Buttons\\EcamEng", 96, 42),        Key("BLEED", "Buttons\\EcamBleed", 141, 42),
    Key("PRESS", "Buttons\\EcamPress", 186, 42),   Key("ELEC", "Buttons\\EcamElec", 231, 42),
    Key("HYD", "Buttons\\EcamHyd", 276, 42),       Key("FUEL", "Buttons\\EcamFuel", 321, 42),
    Key("APU", "Buttons\\EcamApu", 96, 74),        Key("COND", "Buttons\\EcamCond", 141, 74),
    Key("DOOR", "Buttons\\EcamDoor", 186, 74),     Key("WHEEL", "Buttons\\EcamWheel", 231, 74),
    Key("F/CTL", "Buttons\\EcamFctl", 276, 74),    Key("ALL", "Buttons\\EcamAll", 321, 74),
    Key("CLR 1", "Buttons\\EcamClr", 96, 108),     Key("STS", "Buttons\\EcamSts", 186, 108),
    Key("RCL", "Buttons\\EcamRcl", 231, 108),      Key("CLR 2", "Buttons\\EcamClr", 321, 108),
    DisplayUnit("UPPER DISPLAY", 30, 11),          DisplayUnit("LOWER DISPLAY", 90, 12),
};

constexpr CoverRow kCoverRows[] = {
    {"EMER CANC GUARD", "Guards\\EmerCancel", CEcamCntlPanel::kEmerCanc},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CEcamCntlPanel",
    .progress = "Initialising ECAM Control Panel Items",
    .prefix = "ECAM",
    .title = "ECAM control panel",
    .regions = {blocks::kEcamControl},
    .lampTest = 5,
    .buttons = kButtonRows,
    .covers = kCoverRows,
    .extraFields = [](int) { return std::span<const shm::FieldRow>(kExtraFields); },
};

}  // namespace ecam

bool CEcamCntlPanel::MayRequestWhenDegraded(int page) {
    return page == kEmerCanc || (page >= kAll && page <= kClr2);
}

bool CEcamCntlPanel::InitialiseExtra(const char* /*folder*/) {
    ecam::kOutputs.pageRequest.Write(GetSharedMemory(), kNoPage);
    return true;
}

int CEcamCntlPanel::LightKeysUntilOneIsIn(const std::uint8_t* view, bool degraded, bool test) {
    const int hostLit = ecam::kLitKey.Read(view);
    if (hostLit == kNoKeyLit)
        m_litKey = kNoKeyLit;
    for (int i = 0; i < ecam::kKeys; ++i) {
        if (hostLit == i)
            m_litKey = i;
        if (degraded)
            m_litKey = kNoKeyLit;
        Key(i).SetOnOffLights(m_litKey == i, test);
        // The keys after the first one in keep their lights until the key is
        // released.
        if (Key(i).IsPressed())
            return i;
    }
    return -1;
}

void CEcamCntlPanel::AfterControls(std::uint8_t* view, MouseEvent* /*event*/) {
    const bool degraded = ecam::kDegraded.Read(view) != 0;
    const bool test = LampTest(view);

    const int pressed = LightKeysUntilOneIsIn(view, degraded, test);
    if (pressed >= 0) {
        m_requested.SetInt(pressed);
        int held = ecam::kOutputs.keyHeld.Read(view) + 1;
        if (held > kCounterLimit)
            held = kCounterRestart;
        ecam::kOutputs.keyHeld.Write(view, static_cast<std::uint16_t>(held));
    } else {
        ecam::kOutputs.keyHeld.Write(view, 0);
    }

    // The CLR keys (and STS with them) light when the host asks for CLR.
    const bool clrLit = !degraded && ecam::kClrLight.Read(view) != 0;
    Key(kClr1).SetOnOffLights(clrLit, test);
    Key(kClr2).SetOnOffLights(clrLit, test);
    if (clrLit)
        Key(kSts).SetOnOffLights(true, test);

    ecam::kOutputs.clr.Write(view, Key(kClr1).IsPressed() || Key(kClr2).IsPressed() ? 1 : 0);
    ecam::kOutputs.rcl.Write(view, Key(kRcl).IsPressed() ? 1 : 0);
    ecam::kOutputs.sts.Write(view, Key(kSts).IsPressed() ? 1 : 0);

    PublishPage(view, pressed >= 0, degraded);

    // The display-unit bytes were written with the buttons; copy everything.
    const ecam::Outputs& from = ecam::kOutputs;
    const ecam::Outputs& to = ecam::kCopied;
    // The request may still be the host's own value (the panel leaves it as
    // it is in degraded mode, or under remote hold): the copy carries only a
    // key index or -1.
    const std::int32_t request = from.pageRequest.Read(view);
    to.pageRequest.Write(view, request >= 0 && request < ecam::kKeys ? request : kNoPage);
    to.clr.Write(view, from.clr.Read(view));
    to.rcl.Write(view, from.rcl.Read(view));
    to.sts.Write(view, from.sts.Read(view));
    to.upperDisplayOut.Write(view, from.upperDisplayOut.Read(view));
    to.lowerDisplayOut.Write(view, from.lowerDisplayOut.Read(view));
    to.keyHeld.Write(view, from.keyHeld.Read(view));
}

// A newly requested page is published until the host shows it, then the
// request goes back to -1. In degraded mode a page that may not be requested
// is dropped and the request left as it is.
void CEcamCntlPanel::PublishPage(std::uint8_t* view, bool keyPressed, bool degraded) {
    if (m_requested.ChangedSinceLast())
        m_page = m_requested.GetInt();
    if (degraded && !MayRequestWhenDegraded(m_page)) {
        m_page = kNoPage;
    } else {
        const int request = m_page == ecam::kPageShown.Read(view) ? kNoPage : m_page;
        ecam::kOutputs.pageRequest.Write(view, request);
        m_page = request;
    }
    if (!keyPressed)
        m_requested.SetInt(m_page);
}

void CEcamCntlPanel::RefreshFromOutputs() {
    CKitPanel::RefreshFromOutputs();
    const std::uint8_t* view = GetSharedMemory();
    if (!IsInitialised() || view == nullptr)
        return;
    const bool test = LampTest(view);
    const int request = ecam::kOutputs.pageRequest.Read(view);
    for (int i = 0; i < ecam::kKeys; ++i)
        Key(i).SetOnOffLights(i == request, test);
}
