#include "panels/CA320_AdiruPanel.h"

#include <cstring>

#include "util/KxText.h"

namespace adirs {

namespace {

using namespace kit;

// Presets, in the order of their columns: all-on, then cold (so the cold
// preset wins when both are requested).
constexpr std::uint32_t kAllOnRequest = 56;
constexpr std::uint32_t kColdRequest = 55;
constexpr PresetRow kPresets[] = {
    {.name = "ALL_ON_PRESET", .request = kAllOnRequest, .allOn = 1, .writeAtOnce = 1},
    {.name = "COLD_PRESET", .request = kColdRequest, .atStart = 1},
};

// A keypad key: momentary, one light at 18 + 2 x its index, its state at
// 3 + its row. The row's id is the key index (rows 15 and 16 carry 16 and 15).
constexpr ButtonRow Key(const char* label, const char* picture, int x, int y, int row, int index) {
    return ButtonRow{label,
                     picture,
                     x,
                     y,
                     Byte(static_cast<std::uint32_t>(3 + row)),
                     One(static_cast<std::uint32_t>(18 + 2 * index))}
        .Momentary()
        .OnOff()
        .Id(index);
}

constexpr ButtonRow kButtonRows[kRows] = {
    // Reference units: the state byte is toggled by the panel on each click.
    ButtonRow{"IR 1", "Buttons\\FaultOff", 30, 292, kNoOutput, Pair(18, 19)}.Momentary().Presets(
        "IO"),
    ButtonRow{"IR 2", "Buttons\\FaultOff", 217, 292, kNoOutput, Pair(20, 21)}.Momentary().Presets(
        "IO"),
    ButtonRow{"IR 3", "Buttons\\FaultOff", 124, 292, kNoOutput, Pair(22, 23)}.Momentary().Presets(
        "IO"),
    ButtonRow{"ALIGN 1", "Buttons\\FaultAlign", 30, 180, Byte(6), Pair(24, 25)}.Hold().Presets(
        "II"),
    ButtonRow{"ALIGN 2", "Buttons\\FaultAlign", 217, 180, Byte(7), Pair(26, 27)}.Hold().Presets(
        "II"),
    ButtonRow{"ALIGN 3", "Buttons\\FaultAlign", 124, 180, Byte(8), Pair(28, 29)}.Hold().Presets(
        "II"),
    Key("1", "Buttons\\Adirs1", 182, 67, 6, 6),
    Key("N 2", "Buttons\\Adirs2", 209, 67, 7, 7),
    Key("3", "Buttons\\Adirs3", 235, 67, 8, 8),
    Key("W 4", "Buttons\\Adirs4", 182, 92, 9, 9),
    Key("H 5", "Buttons\\Adirs5", 209, 92, 10, 10),
    Key("E 6", "Buttons\\Adirs6", 235, 92, 11, 11),
    Key("7", "Buttons\\Adirs7", 182, 119, 12, 12),
    Key("S 8", "Buttons\\Adirs8", 209, 119, 13, 13),
    Key("9", "Buttons\\Adirs9", 235, 119, 14, 14),
    Key("ENT", "Buttons\\AdirsEnt", 182, 145, 15, 16),
    Key("0", "Buttons\\Adirs0", 209, 145, 16, 15),
    Key("CLR", "Buttons\\AdirsClr", 235, 145, 17, 17),
};

constexpr KnobRow kKnobRows[kKnobs] = {
    KnobRow{"IR 1 MODE", "Knobs\\BlankKnob", 27, 232, "017", Int32(40), 7}.Margins(8, 8).Presets(
        "07"),
    KnobRow{"IR 2 MODE", "Knobs\\BlankKnob", 214, 232, "017", Int32(44), 7}.Margins(8, 8).Presets(
        "07"),
    KnobRow{"IR 3 MODE", "Knobs\\BlankKnob", 121, 232, "017", Int32(48), 7}.Margins(8, 8).Presets(
        "07"),
    KnobRow{"DATA", "Knobs\\BlankRoundKnob", 24, 90, "012567", Int32(52)}.Margins(10, 10),
    KnobRow{"SYS", "Knobs\\BlankKnob", 122, 90, "0167", Int32(56)}.Margins(7, 7),
};

constexpr LightRow kLightRows[] = {
    {"ON BAT", "Lights\\AdruOnBat", 34, 148, 17},
};

constexpr DisplayRow kDisplayRows[] = {
    {"ADIRS DISPLAY", CA320_AdiruPanel::kDisplayCells, 20, 22},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA320_AdiruPanel",
    .progress = "Initialising ADIRU Panel Items",
    .prefix = "ADIRS",
    .title = "ADIRS panel",
    .regions = {blocks::kAdiru},
    .lampTest = 54,
    .presets = kPresets,
    .buttons = kButtonRows,
    .knobs = kKnobRows,
    .lights = kLightRows,
    .displays = kDisplayRows,
    .extraFields = [](int) { return std::span<const shm::FieldRow>(kExtraFields); },
};

}  // namespace adirs

bool CA320_AdiruPanel::InitialiseExtra(const char* /*folder*/) {
    m_keypad.Reset();
    std::uint8_t* view = GetSharedMemory();
    for (int k = 0; k < adirs::kUnits; ++k) {
        adirs::kRowState.Plus(static_cast<std::size_t>(k)).Write(view, 0);
        m_unitEdge[k].SetBool(false);
        m_unitEdge[k].Remember();
    }
    return true;
}

void CA320_AdiruPanel::SyncUnitEdges() {
    for (int k = 0; k < adirs::kUnits; ++k) {
        bool rising = false;
        bool falling = false;
        m_unitEdge[k].SetBool(Button(k).IsPressed());
        m_unitEdge[k].Edges(rising, falling);
    }
}

void CA320_AdiruPanel::AfterControls(std::uint8_t* view, MouseEvent* /*event*/) {
    // The reference-unit buttons spring back; each click toggles the unit.
    for (int k = 0; k < adirs::kUnits; ++k) {
        bool rising = false;
        bool falling = false;
        m_unitEdge[k].SetBool(Button(k).IsPressed());
        m_unitEdge[k].Edges(rising, falling);
        const auto state = adirs::kRowState.Plus(static_cast<std::size_t>(k));
        if (rising)
            state.Write(view, state.Read(view) != 0 ? 0 : 1);
    }
    // A requested preset holds the units: all on, or (winning) all off.
    const bool cold = adirs::kColdPreset.Read(view) != 0;
    if (cold || adirs::kAllOnPreset.Read(view) != 0) {
        for (int k = 0; k < adirs::kUnits; ++k)
            adirs::kRowState.Plus(static_cast<std::size_t>(k)).Write(view, cold ? 0 : 1);
    }

    for (int row = adirs::kUnits; row < adirs::kRows; ++row) {
        if (Button(row).IsPressed())
            m_keypad.KeyIn(Button(row).GetButtonId());
    }
    m_keypad.EndUpdate(adirs::kEntLight.Read(view) != 0);

    adirs::kEntSignal.Write(view, m_keypad.EntSignal() ? 1 : 0);
    std::array<char, adirs::kTextSize> entry{};
    std::memcpy(entry.data(), m_keypad.Entry(), entry.size());
    adirs::kEntryText.Write(view, entry);
}

void CA320_AdiruPanel::SetAllOn() {
    CKitPanel::SetAllOn();
    if (std::uint8_t* view = GetSharedMemory(); IsInitialised() && view != nullptr) {
        for (int k = 0; k < adirs::kUnits; ++k)
            adirs::kRowState.Plus(static_cast<std::size_t>(k)).Write(view, 1);
    }
    SyncUnitEdges();
}

void CA320_AdiruPanel::RefreshFromOutputs() {
    CKitPanel::RefreshFromOutputs();
    const std::uint8_t* view = GetSharedMemory();
    if (!IsInitialised() || view == nullptr)
        return;
    for (int k = 0; k < adirs::kUnits; ++k)
        Button(k).SetPressed(adirs::kRowState.Plus(static_cast<std::size_t>(k)).Read(view) != 0);
    SyncUnitEdges();
}

void CA320_AdiruPanel::ShownText(const std::uint8_t* view, char (&text)[kDisplayCells + 1]) const {
    char source[adirs::kTextSize + 1] = {};
    if (Knobs()[kDisplayKnob].GetKnobPosition() == kDisplayOffPosition)
        source[0] = '\0';
    else if (m_keypad.IsActive())
        m_keypad.EntryText(source, sizeof source);
    else
        adirs::kHostText.Read(view, source, sizeof source);
    // The first 16 characters, padded with blanks.
    const std::size_t length = kx::BoundedLength(source, kDisplayCells);
    std::memset(text, ' ', kDisplayCells);
    std::memcpy(text, source, length);
    text[kDisplayCells] = '\0';
}

bool CA320_AdiruPanel::DisplayText(int /*index*/, const std::uint8_t* view, char* text,
                                   std::size_t size) const {
    char shown[kDisplayCells + 1];
    ShownText(view, shown);
    kx::StrCopy(text, size, shown);
    return true;
}
