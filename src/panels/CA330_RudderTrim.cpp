#include "panels/CA330_RudderTrim.h"

#include "shm/SimSegment.h"
#include "util/KxText.h"

namespace rudder {

namespace {

using namespace kit;

constexpr DisplayRow kDisplayRows[] = {
    DisplayRow{"RUD TRIM POSITION", 5, 53, 23}.At330(50, 40),
};

// The selector publishes three bytes; the row names the first, the panel
// writes the other two.
constexpr KnobRow kKnobRows[] = {
    KnobRow{"RUD TRIM", "Knobs\\RudderKnob", 155, 15, "017", OneAt(kAtLeft, kLeft)}.At330(155, 30),
};

constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"RESET", "Buttons\\ResetButton", 245, 25, Byte(6), kTestOnly}
        .Momentary()
        .OnOff()
        .Id(77)
        .At330(245, 40),
};

constexpr shm::FieldRow kExtraFields[] = {
    shm::FieldRow{"RUDDER_TRIM.KNOB_0.RIGHT", blocks::kRudderTrim.a320.out + kAtRight,
                  shm::FieldType::Byte, shm::Writer::Program,
                  "1 while the rudder trim selector is at R"}
        .In(0, 1),
    shm::FieldRow{"RUDDER_TRIM.KNOB_0.NEUTRAL", blocks::kRudderTrim.a320.out + kAtNeutral,
                  shm::FieldType::Byte, shm::Writer::Program,
                  "1 while the rudder trim selector is neutral"}
        .In(0, 1),
    {"RUDDER_TRIM.TEXT", blocks::kRudderTrim.a320.in + kText, shm::FieldType::Text,
     shm::Writer::Host, "rudder trim position text, up to 5 characters (e.g. \"L 2.5\")", 1, 0,
     kTextSize + 1},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA330_RudderTrim",
    .progress = "Initialising Rudder Trim Panel Items",
    .prefix = "RUDDER_TRIM",
    .title = "Rudder trim panel",
    .regions = blocks::kRudderTrim,
    .typeDependent = true,
    .lampTest = kLampTest,
    .buttons = kButtonRows,
    .knobs = kKnobRows,
    .displays = kDisplayRows,
    .extraFields = [](int) { return std::span<const shm::FieldRow>(kExtraFields); },
};

}  // namespace rudder

void CA330_RudderTrim::AfterControls(std::uint8_t* view, MouseEvent* event) {
    const int position = Selector().GetKnobPosition();
    OutByte(view, rudder::kAtRight, position == rudder::kRight ? 1 : 0);
    OutByte(view, rudder::kAtNeutral, position == rudder::kNeutral ? 1 : 0);
    const bool held = event != nullptr && event->code == MouseEvent::kLeftPress;
    if (m_spring.Step(position, held))
        Selector().SetKnobPosition(rudder::kNeutral);
}

void CA330_RudderTrim::RefreshFromOutputs() {
    const std::uint8_t* view = GetSharedMemory();
    if (!IsInitialised() || view == nullptr)
        return;
    CKitPanel::RefreshFromOutputs();
    int position = rudder::kNeutral;
    if (ReadOutByte(view, rudder::kAtLeft) != 0)
        position = rudder::kLeft;
    else if (ReadOutByte(view, rudder::kAtRight) != 0)
        position = rudder::kRight;
    Selector().SetKnobPosition(position);
}

bool CA330_RudderTrim::DisplayText(int /*index*/, const std::uint8_t* view, char* text,
                                   std::size_t size) const {
    char shown[rudder::kTextSize + 1];
    if (InByte(view, rudder::kLampTest) != 0)
        kx::StrCopy(shown, "+88.8");
    else
        shm::TextAt<Gensim_Shm::kSize>(InBlock() + rudder::kText, rudder::kTextSize)
            .Read(view, shown, sizeof shown);
    // A shorter text blanks the cells after it.
    kx::Format(text, size, "%-5s", shown);
    return true;
}
