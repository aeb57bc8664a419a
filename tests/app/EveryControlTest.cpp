// Every control of every panel clicked where it is drawn, through the real
// main window: the window scrolls the control into view, a mouse press and
// release reach it through the window's own mouse handling, the cockpit
// updates, and the generic segment must then differ in that control's output
// field and nowhere else. This finds controls drawn in one place and hit in
// another, controls lying under another panel's place, two controls sharing a
// field, and rows naming the wrong offset.
//
// One loop runs over the cockpit catalogue's rows (labels, kinds, output
// encodings) and over the controls of the units that keep their own: buttons
// are pressed and released, covers right-clicked, switches, knobs and levers
// clicked on the part that points to their next position, rotary knobs held
// on their increasing half. Controls whose output is conditional are checked
// in their condition, listed with the reason in kConditions; rows drawn only
// in the other layout, buttons the panel holds in and lights take no click.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/CSkylidDlg.h"
#include "banner/ViewInitialise.h"
#include "fields/HostRegistry.h"
#include "panels/CKitPanel.h"
#include "panels/KitFields.h"
#include "platform/KxClock.h"
#include "support/TestSupport.h"
#include "units/UnitCatalog.h"

namespace {

// How a control whose effect depends on a state is checked in that state.
enum class Rule {
    Powered,      // acts only while the host's input `field` is set: set it first
    NoOutput,     // a key without a function: the click must change nothing
    Entry,        // its effect stays (an entry) until control `undo` takes it back
    SelectFirst,  // acts only for a selection: control (index + `other`) first
    RightFirst,   // a right click on it first (a second mode of one knob, a
                  // cover that the panel keeps itself)
    Wheel,        // pulled with the wheel, not turned
    PlaceOnly,    // its effect is not in the segment: its point must lie on it
                  // and reach its panel
};

struct Condition {
    int panel;
    const char* label;  // the row's label, "*" every control of the panel; or ""
    int first;          // and the control indexes first..last
    int last;
    Rule rule;
    const char* field;  // Rule::Powered, Rule::SelectFirst ("": none)
    int other;          // Rule::SelectFirst
    int undo;           // the control whose click takes its effect back, or -1
    const char* reason;
};

// Controls checked in a condition of their own, the first row that matches.
// Covered buttons need no row here: the loop opens the cover first whenever a
// cover row names the button.
const Condition kConditions[] = {
    // Audio control panels: the key of the hidden place of the second
    // reception row is set up but neither drawn nor published.
    {40, "MLS", 0, 0, Rule::PlaceOnly, "", 0, -1, "hidden: neither drawn nor published"},
    {41, "MLS", 0, 0, Rule::PlaceOnly, "", 0, -1, "hidden: neither drawn nor published"},
    {42, "MLS", 0, 0, Rule::PlaceOnly, "", 0, -1, "hidden: neither drawn nor published"},
    {40, "", 7, 13, Rule::SelectFirst, "ACP_0.POWERED", -7, -1,
     "published for the selected channel"},
    {41, "", 7, 13, Rule::SelectFirst, "ACP_1.POWERED", -7, -1,
     "published for the selected channel"},
    {42, "", 7, 13, Rule::SelectFirst, "ACP_2.POWERED", -7, -1,
     "published for the selected channel"},
    {40, "*", 0, 0, Rule::Powered, "ACP_0.POWERED", 0, -1,
     "a channel is selected only when powered"},
    {41, "*", 0, 0, Rule::Powered, "ACP_1.POWERED", 0, -1,
     "a channel is selected only when powered"},
    {42, "*", 0, 0, Rule::Powered, "ACP_2.POWERED", 0, -1,
     "a channel is selected only when powered"},
    // Radio management panels.
    {37, "TUNING KNOB", 0, 0, Rule::PlaceOnly, "", 0, -1, "tunes the standby display; sent on XFR"},
    {38, "TUNING KNOB", 0, 0, Rule::PlaceOnly, "", 0, -1, "tunes the standby display; sent on XFR"},
    {39, "TUNING KNOB", 0, 0, Rule::PlaceOnly, "", 0, -1, "tunes the standby display; sent on XFR"},
    {37, "NAV", 0, 0, Rule::RightFirst, "", 0, -1, "under the panel's own cover"},
    {38, "NAV", 0, 0, Rule::RightFirst, "", 0, -1, "under the panel's own cover"},
    {39, "NAV", 0, 0, Rule::NoOutput, "", 0, -1, "the third RMP tunes no navigation"},
    // EFIS control panels: the baro knob turns in hPa, or in inHg after a
    // right click on it (the inHg knob lies at the same place).
    {4, "BARO inHg", 0, 0, Rule::RightFirst, "", 0, -1, "the baro knob's inHg unit"},
    {5, "BARO inHg", 0, 0, Rule::RightFirst, "", 0, -1, "the baro knob's inHg unit"},
    {25, "CAGE", 0, 0, Rule::Wheel, "", 0, -1, "pulled and pushed with the wheel"},
    // Transponder: four digits at most, CLR starts again.
    {50, "0", 0, 0, Rule::SelectFirst, "", -1, 8, "a leading 0 is code 0: after 7 it is 70"},
    {50, "CLR", 0, 0, Rule::SelectFirst, "", -2, -1, "clears a code keyed first"},
    {50, "", 0, 6, Rule::Entry, "", 0, 8, "a digit stays in the code until CLR"},
    // MCDUs: the two blank keys; characters stay on the scratch pad until CLR.
    {8, "", 25, 25, Rule::NoOutput, "", 0, -1, "a blank key"},
    {8, "", 28, 28, Rule::NoOutput, "", 0, -1, "a blank key"},
    {8, "", 29, 69, Rule::Entry, "", 0, 70, "a character stays on the scratch pad"},
    {9, "", 25, 25, Rule::NoOutput, "", 0, -1, "a blank key"},
    {9, "", 28, 28, Rule::NoOutput, "", 0, -1, "a blank key"},
    {9, "", 29, 69, Rule::Entry, "", 0, 70, "a character stays on the scratch pad"},
    // FCU: the altitude knob turns in 1000 ft steps (control 11) or, after a
    // right click on it, in 100 ft steps (control 12, at the same place).
    {20, "", 12, 12, Rule::RightFirst, "", 0, -1, "the altitude knob's 100 ft step"},
};

const Condition* FindCondition(int panel, const std::string& label, int index) {
    for (const Condition& c : kConditions) {
        if (c.panel != panel)
            continue;
        if (c.label[0] == '*' || (c.label[0] != '\0' && label == c.label) ||
            (c.label[0] == '\0' && index >= c.first && index <= c.last))
            return &c;
    }
    return nullptr;
}

// The units that keep their own controls (no rows): the prefix of their
// fields.
struct UnitFields {
    int panel;
    const char* prefix;
};
const UnitFields kUnitFields[] = {{8, "MCDU_0."}, {9, "MCDU_1."}, {20, "FCU."}};

// How one control is worked and what must follow.
struct Target {
    enum class Act { Left, Right, Turn, Skip };
    Act act = Act::Skip;
    CPoint point;    // on the cockpit picture
    CPoint restore;  // where a second click brings it back
    bool restoreByClick = true;
    // The expected output field (absolute) and the bytes it must hold while
    // the control is in its new state (empty: not checked).
    std::uint32_t start = 0;
    std::uint32_t width = 0;
    std::vector<std::uint8_t> value;
    std::string prefix;  // or: the fields it changes are named under this
    bool noOutput = false;
    // Fields of the panel's own that its logic derives from the control (a
    // mode byte, a display) may follow; other panels' fields and other
    // controls' fields may not.
    std::string panelPrefix;
    std::string label;
    int cover = -1;  // the cover to open first (its control index)
};

// The bytes of field `out` for a control at `position`; a push-button is at
// 1 while in. Empty when the encoding gives no fixed bytes.
std::vector<std::uint8_t> Encoded(const kit::Out& out, int position, int positions) {
    switch (out.enc) {
        case kit::Enc::None:
            return {};
        case kit::Enc::Byte:
            return {static_cast<std::uint8_t>(position)};
        case kit::Enc::Inverted:
            return {static_cast<std::uint8_t>(position == 0 ? 1 : 0)};
        case kit::Enc::Int32:
            return {static_cast<std::uint8_t>(position), 0, 0, 0};
        case kit::Enc::Flags:
            return {static_cast<std::uint8_t>(position == 0),
                    static_cast<std::uint8_t>(position == 2)};
        case kit::Enc::OneAt:
            return {static_cast<std::uint8_t>(position == out.value)};
        case kit::Enc::OneHot: {
            std::vector<std::uint8_t> bytes(
                static_cast<std::size_t>(kit::OneHotCount(out, positions)));
            if (position >= 0 && position < static_cast<int>(bytes.size()))
                bytes[static_cast<std::size_t>(position)] = 1;
            return bytes;
        }
    }
    return {};
}

CPoint Centre(const CRect& r) {
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The middle of the part of a toggle switch that points to `position`: bands
// across for the up/down types, strips for the left/right ones.
CPoint SwitchPart(const CSwitchClass& sw, int position) {
    const CRect r = sw.GetRect();
    const int w = r.Width();
    const int h = r.Height();
    const bool across =
        sw.GetSwitchType() == 1 || sw.GetSwitchType() == 2 || sw.GetSwitchType() == 5;
    const bool three = sw.GetSwitchType() != 2 && sw.GetSwitchType() != 4;
    const int parts = three ? 3 : 2;
    const int part =
        position == CSwitchClass::kUp ? 0 : (position == CSwitchClass::kDown ? parts - 1 : 1);
    if (across)
        return CPoint(r.left + w / 2, r.top + (2 * part + 1) * h / (2 * parts));
    return CPoint(r.left + (2 * part + 1) * w / (2 * parts), r.top + h / 2);
}

class EveryControl : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static kx::FakeClock reportClock;
        ViewInitialise::SetClock(&reportClock);
        s_dir = new testsupport::TempDir;
        const std::string command = std::string(SKYLID_ART_BIN) + " --out " +
                                    (s_dir->Path() / "art").string() + " >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        std::string ini = testsupport::ReadFile(s_dir->Path() / "art/Skylid.ini");
        const std::size_t options = ini.find("[OPTIONS]");
        ASSERT_NE(options, std::string::npos);
        ini.insert(options + 9, "\nBannerProgram = /bin/true");
        testsupport::WriteFile(s_dir->Path() / "clicks.ini", ini);
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }

    void SetUp() override {
        DialogOptions options;
        options.iniFile = (s_dir->Path() / "clicks.ini").string();
        options.genericSegment = testsupport::UniqueSegmentName("clicks");
        options.trainingSegment = options.genericSegment + "_Trn";
        options.clock = &m_clock;
        m_dialog = std::make_unique<CSkylidDlg>(options);
        m_dialog->resize(1120, 742);
        ASSERT_TRUE(m_dialog->InitialiseDialog()) << m_dialog->GetErrorText();
        m_segment = m_dialog->Segment();
        // The loop counts as running from the first frame; the panels
        // start at the twentieth.
        Settle(25);
        // Bytes that change with no input at all (the frame counter, ...).
        for (const host::NamedField& field : host::GenericRegistry().Fields()) {
            for (std::uint32_t b = 0; b < field.width && field.offset + b < Gensim_Shm::kSize;
                 ++b) {
                if (m_names.count(field.offset + b) == 0 || field.writer == shm::Writer::Program)
                    m_names[field.offset + b] = field.name;
            }
        }
        for (const panels::CatalogEntry& entry : units::CockpitCatalog()) {
            const auto* panel =
                dynamic_cast<const CKitPanel*>(m_dialog->Manager().GetPanel(entry.number));
            if (panel == nullptr || panel->OutBlock() == kit::kNone)
                continue;
            auto own = [&](const char* label, const kit::Out& out, int positions) {
                const std::string who =
                    "panel " + std::to_string(entry.number) + " \"" + label + "\"";
                for (std::uint32_t b = 0; b < kit::Width(out, positions); ++b) {
                    auto [it, fresh] = m_owner.emplace(panel->OutBlock() + out.offset + b, who);
                    EXPECT_TRUE(fresh) << who << " and " << it->second << " both publish in byte "
                                       << it->first << " (" << Name(it->first) << ")";
                }
            };
            const kit::PanelDescription& desc = panel->Description();
            for (const auto& row : desc.buttons)
                own(row.label, row.out, 2);
            for (const auto& row : desc.switches)
                own(row.label, row.out, 3);
            for (const auto& row : desc.knobs)
                own(row.label, row.out, 8);
            for (const auto& row : desc.levers)
                own(row.label, row.out, kit::DetentCount(row));
        }
        // Fields that change with no input at all (the frame counter, ...).
        const auto quiet = Snap();
        Settle(40);
        m_noise.assign(Gensim_Shm::kSize, false);
        for (std::uint32_t at : Diff(quiet, Snap()))
            MarkField(m_noise, at);
    }

    std::vector<std::uint8_t> Snap() const { return {m_segment, m_segment + Gensim_Shm::kSize}; }

    std::vector<std::uint32_t> Diff(const std::vector<std::uint8_t>& a,
                                    const std::vector<std::uint8_t>& b) const {
        // Blocks that compare equal are passed over whole: most of the
        // segment never changes.
        constexpr std::uint32_t kBlock = 256;
        std::vector<std::uint32_t> changed;
        const auto size = static_cast<std::uint32_t>(a.size());
        for (std::uint32_t block = 0; block < size; block += kBlock) {
            const std::uint32_t end = std::min(size, block + kBlock);
            if (std::memcmp(a.data() + block, b.data() + block, end - block) == 0)
                continue;
            for (std::uint32_t i = block; i < end; ++i) {
                if (a[i] != b[i] && (m_noise.empty() || !m_noise[i]))
                    changed.push_back(i);
            }
        }
        return changed;
    }

    // Marks every byte of the field that holds byte `at`.
    void MarkField(std::vector<bool>& marks, std::uint32_t at) const {
        marks[at] = true;
        const std::string name = Name(at);
        for (std::uint32_t b = at; b > 0 && Name(b - 1) == name; --b)
            marks[b - 1] = true;
        for (std::uint32_t b = at + 1; b < marks.size() && Name(b) == name; ++b)
            marks[b] = true;
    }

    std::string Name(std::uint32_t at) const {
        auto it = m_names.find(at);
        return it != m_names.end() ? it->second : "unnamed byte " + std::to_string(at);
    }
    std::string Names(const std::vector<std::uint32_t>& bytes) const {
        std::string text;
        std::string last;
        for (std::uint32_t at : bytes) {
            std::string name = Name(at);
            if (name != last)
                text += (text.empty() ? "" : ", ") + name;
            last = name;
        }
        return text.empty() ? "nothing" : text;
    }

    // Frames of the loop, each followed by an update of every panel with the
    // window's mouse state (the loop itself updates one panel a frame).
    void Settle(int frames) {
        for (int i = 0; i < frames; ++i) {
            m_dialog->FrameUpdate();
            m_dialog->Manager().UpdateAll();
        }
    }

    // Scrolls the picture point to the middle of the view; the window point
    // that shows it.
    QPoint Bring(CPoint picture) {
        const CPoint origin = m_dialog->GetOrigin();
        const CPoint scroll = m_dialog->GetScroll();
        const int viewWidth = m_dialog->width() - origin.x;
        const int viewHeight = m_dialog->height() - origin.y;
        m_dialog->ScrollBy(picture.x - viewWidth / 2 - scroll.x,
                           picture.y - viewHeight / 2 - scroll.y);
        const CPoint now = m_dialog->GetScroll();
        return QPoint(picture.x - now.x + origin.x, picture.y - now.y + origin.y);
    }

    void Send(QEvent::Type type, Qt::MouseButton button, QPoint at) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
        QMouseEvent event(type, QPointF(at), QPointF(m_dialog->mapToGlobal(at)), button, held,
                          Qt::NoModifier);
        m_time += 1000;  // far apart: never a double click
        event.setTimestamp(m_time);
        QCoreApplication::sendEvent(m_dialog.get(), &event);
    }

    // The pointer comes to the point, the button goes down, `held` frames
    // pass; what the segment holds then.
    std::vector<std::uint8_t> Press(Qt::MouseButton button, CPoint picture, int held = 1) {
        const QPoint at = Bring(picture);
        Send(QEvent::MouseMove, Qt::NoButton, at);
        Send(QEvent::MouseButtonPress, button, at);
        Settle(held);
        return Snap();
    }
    void Release(Qt::MouseButton button, CPoint picture, int frames = 3) {
        Send(QEvent::MouseButtonRelease, button, Bring(picture));
        Settle(frames);
    }
    // The pointer comes to the point and the wheel turns one notch toward
    // the user (pulls) or away (pushes); the window keeps the wheel's code
    // until its cycle of 21 frames comes round.
    static constexpr int kWheelFrames = 21;
    std::vector<std::uint8_t> Spin(CPoint picture, bool toward) {
        const QPoint at = Bring(picture);
        Send(QEvent::MouseMove, Qt::NoButton, at);
        QWheelEvent turn(QPointF(at), QPointF(m_dialog->mapToGlobal(at)), QPoint(),
                         QPoint(0, toward ? -120 : 120), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(m_dialog.get(), &turn);
        // The panels see it at once, whatever point of its cycle the loop is at.
        m_dialog->Manager().UpdateAll();
        Settle(1);
        return Snap();
    }
    void Click(Qt::MouseButton button, CPoint picture) {
        Press(button, picture);
        Release(button, picture);
    }

    bool Inside(const CRect& r, CPoint p) const {
        return p.x > r.left && p.x < r.right && p.y > r.top && p.y < r.bottom;
    }

    // The controls of one panel: kit panels from their rows, the units that
    // keep their own controls by their kind.
    std::vector<Target> KitTargets(const CKitPanel& panel);
    std::vector<Target> UnitTargets(int number, const CBasePanel& panel);
    void Work(int number, const CBasePanel& panel, const Target& target, int index);

    kx::FakeClock m_clock;
    std::unique_ptr<CSkylidDlg> m_dialog;
    std::uint8_t* m_segment = nullptr;
    std::vector<bool> m_noise;
    std::map<std::uint32_t, std::string> m_names;
    std::map<std::uint32_t, std::string> m_owner;  // byte -> the control whose row field holds it
    std::uint64_t m_time = 1000;
    int m_checked = 0;
    int m_placeOnly = 0;
    int m_notHere = 0;  // drawn only in the other layout, or held in by the panel
    std::map<const CBasePanel*, std::map<std::vector<std::uint8_t>, std::string>> m_seen;

    inline static testsupport::TempDir* s_dir = nullptr;
};

std::vector<Target> EveryControl::KitTargets(const CKitPanel& panel) {
    const kit::PanelDescription& desc = panel.Description();
    const bool a320 = panel.IsA320Layout();
    const std::string prefix = kit::SidePrefix(desc, panel.GetSide()) + ".";
    std::vector<Target> targets;
    auto field = [&](Target& t, const kit::Out& out, int positions) {
        if (out.enc == kit::Enc::None || panel.OutBlock() == kit::kNone)
            return;  // the panel's own logic publishes it
        t.start = panel.OutBlock() + out.offset;
        t.width = kit::Width(out, positions);
    };
    for (std::size_t i = 0; i < desc.buttons.size(); ++i) {
        const kit::ButtonRow& row = desc.buttons[i];
        Target t;
        t.label = row.label;
        if (!kit::DrawnIn(row.drawn, a320) || row.held == kit::Held::Always ||
            (row.held == kit::Held::InA330Layout && !a320)) {
            targets.push_back(t);  // not on this picture, or held in by the panel
            continue;
        }
        t.act = Target::Act::Left;
        t.point = t.restore = Centre(panel.Buttons()[i].GetRect());
        t.restoreByClick = row.momentary == 0;
        field(t, row.out, 2);
        // A latching button goes in, or out when it is in already.
        t.value =
            Encoded(row.out, row.momentary != 0 || !panel.Buttons()[i].IsPressed() ? 1 : 0, 2);
        for (std::size_t c = 0; c < desc.covers.size(); ++c) {
            if (desc.covers[c].button == static_cast<int>(i) && panel.Covers()[c].IsClosed())
                t.cover = static_cast<int>(desc.buttons.size() + c);
        }
        targets.push_back(t);
    }
    for (std::size_t c = 0; c < desc.covers.size(); ++c) {
        Target t;
        t.label = desc.covers[c].label;
        t.act = Target::Act::Right;
        t.point = t.restore = Centre(panel.Covers()[c].GetRect());
        t.noOutput = true;
        targets.push_back(t);
    }
    for (std::size_t i = 0; i < desc.switches.size(); ++i) {
        const kit::SwitchRow& row = desc.switches[i];
        CSwitchClass& sw = panel.Switches()[i];
        Target t;
        t.label = row.label;
        if (kit::DrawnIn(row.drawn, a320)) {
            const int now = sw.GetPosition();
            const bool three = sw.GetSwitchType() != 2 && sw.GetSwitchType() != 4;
            const int next = now != CSwitchClass::kUp
                                 ? CSwitchClass::kUp
                                 : (three ? CSwitchClass::kMiddle : CSwitchClass::kDown);
            t.act = Target::Act::Left;
            t.point = SwitchPart(sw, next);
            t.restore = SwitchPart(sw, now);
            field(t, row.out, 3);
            t.value = Encoded(row.out, next, 3);
        }
        targets.push_back(t);
    }
    for (std::size_t i = 0; i < desc.knobs.size(); ++i) {
        const kit::KnobRow& row = desc.knobs[i];
        const CKnobClass& knob = panel.Knobs()[i];
        Target t;
        t.label = row.label;
        const char* present = !a320 && row.present330 != nullptr ? row.present330 : row.present;
        if (kit::DrawnIn(row.drawn, a320) && std::strlen(present) > 1) {
            const int now = knob.GetKnobPosition();
            const char* at = std::strchr(present, '0' + now);
            char next = at != nullptr && at[1] != '\0' ? at[1] : present[0];
            // A field that says "at position v" changes only on the way to v.
            if (row.out.enc == kit::Enc::OneAt && now != row.out.value)
                next = static_cast<char>('0' + row.out.value);
            const CRect r = knob.GetRect();
            auto part = [&](int position) {
                CRect zone = knob.GetZone(position);
                zone.OffsetRect(r.left, r.top);
                CRect shown(std::max(zone.left, r.left), std::max(zone.top, r.top),
                            std::min(zone.right, r.right), std::min(zone.bottom, r.bottom));
                return Centre(shown);
            };
            t.act = Target::Act::Left;
            t.point = part(next - '0');
            t.restore = part(now);
            field(t, row.out, 8);
            t.value = Encoded(row.out, next - '0', 8);
        }
        targets.push_back(t);
    }
    for (std::size_t i = 0; i < desc.levers.size(); ++i) {
        const kit::LeverRow& row = desc.levers[i];
        const CLever& lever = panel.Levers()[i];
        Target t;
        t.label = row.label;
        if (kit::DrawnIn(row.drawn, a320)) {
            const int now = lever.GetDetent();
            int next = now;
            for (int step = 1; step < CLever::kDetentCount && next == now; ++step) {
                const int d = (now + step) % CLever::kDetentCount;
                if (lever.IsDetentPresent(d))
                    next = d;
            }
            CRect rect;
            lever.GetDetentRect(next, rect);
            t.act = Target::Act::Left;
            t.point = Centre(rect);
            lever.GetDetentRect(now, rect);
            t.restore = Centre(rect);
            field(t, row.out, kit::DetentCount(row));
            t.value = Encoded(row.out, next, kit::DetentCount(row));
        }
        targets.push_back(t);
    }
    for (std::size_t i = 0; i < desc.lights.size(); ++i) {
        Target t;
        t.label = desc.lights[i].label;  // a light: nothing to click
        targets.push_back(t);
    }
    for (std::size_t i = 0; i < desc.rotaries.size(); ++i) {
        const kit::RotaryRow& row = desc.rotaries[i];
        Target t;
        t.label = row.label;
        if (kit::DrawnIn(row.drawn, a320)) {
            const CRect r = panel.Rotaries()[i].GetRect();
            t.act = Target::Act::Turn;
            t.point = CPoint(r.left + 3 * r.Width() / 4, r.top + r.Height() / 2);
            t.restore = CPoint(r.left + r.Width() / 4, r.top + r.Height() / 2);
            t.prefix = prefix;
        }
        targets.push_back(t);
    }
    for (Target& t : targets)
        t.panelPrefix = prefix;
    return targets;
}

std::vector<Target> EveryControl::UnitTargets(int number, const CBasePanel& panel) {
    std::string prefix;
    for (const UnitFields& unit : kUnitFields) {
        if (unit.panel == number)
            prefix = unit.prefix;
    }
    EXPECT_FALSE(prefix.empty()) << "panel " << number
                                 << " has controls but no prefix in kUnitFields";
    std::vector<Target> targets;
    for (int i = 0; const CBaseCockpitControl* control = panel.GetControl(i); ++i) {
        Target t;
        t.label = "control " + std::to_string(i);
        const CRect r = control->GetRect();
        if (control->GetKind() == ControlType::PushButton) {
            t.act = Target::Act::Left;
            t.point = t.restore = Centre(r);
        } else if (control->GetKind() == ControlType::RotaryKnob) {
            t.act = Target::Act::Turn;
            t.point = CPoint(r.left + 3 * r.Width() / 4, r.top + r.Height() / 2);
            t.restore = CPoint(r.left + r.Width() / 4, r.top + r.Height() / 2);
        }
        t.prefix = t.panelPrefix = prefix;
        targets.push_back(t);
    }
    return targets;
}

void EveryControl::Work(int number, const CBasePanel& panel, const Target& given, int index) {
    if (given.act == Target::Act::Skip) {
        if (panel.GetControl(index)->GetKind() != ControlType::Light)
            ++m_notHere;
        return;
    }
    Target t = given;
    std::ostringstream who;
    who << "panel " << number << " control " << index << " \"" << t.label << "\"";
    const auto& place = m_dialog->Manager().GetLayout(number);
    const int hit = m_dialog->Manager().FindPanel(t.point);
    if (hit != number) {
        ADD_FAILURE() << who.str() << ": its point (" << t.point.x << ", " << t.point.y
                      << ") is taken by panel " << hit << "'s place (panel " << number
                      << " lies at " << place.x << ", " << place.y << ")";
        return;
    }
    const CBaseCockpitControl* control = panel.GetControl(index);
    const Condition* condition = FindCondition(number, t.label, index);
    if (condition != nullptr && condition->rule == Rule::PlaceOnly) {
        EXPECT_TRUE(control->IsPointInside(t.point.x, t.point.y)) << who.str();
        ++m_placeOnly;
        return;
    }
    const Rule rule = condition != nullptr ? condition->rule : Rule::PlaceOnly;
    std::uint8_t* power = nullptr;
    if (condition != nullptr && condition->field[0] != '\0') {
        const host::NamedField* input = host::GenericRegistry().Find(condition->field);
        EXPECT_NE(input, nullptr) << condition->field;
        if (input == nullptr)
            return;
        power = m_segment + input->offset;
        *power = 1;
        Settle(2);
    }
    if (condition != nullptr && rule == Rule::SelectFirst) {
        Click(Qt::LeftButton, Centre(panel.GetControl(index + condition->other)->GetRect()));
        Settle(2);
    }
    if (condition != nullptr && rule == Rule::RightFirst)
        Click(Qt::RightButton, t.point);
    if (condition != nullptr && rule == Rule::NoOutput) {
        t.noOutput = true;
        t.width = 0;
        t.prefix.clear();
    }
    const int undo = condition != nullptr ? condition->undo : -1;
    if (undo >= 0)
        t.restoreByClick = false;
    const bool wheel = condition != nullptr && rule == Rule::Wheel;
    const CBaseCockpitControl* cover = t.cover >= 0 ? panel.GetControl(t.cover) : nullptr;
    if (cover != nullptr) {
        Click(Qt::RightButton, Centre(cover->GetRect()));
        EXPECT_NE(static_cast<const CGuardedCover*>(cover)->GetCoverState(),
                  CBaseCockpitControl::kGuardClosed)
            << who.str() << ": its cover did not open";
    }
    ++m_checked;
    // Fields that a panel's state keeps changing by themselves (a countdown
    // that runs while a radio tunes navigation) are no effect of this click.
    const auto quiet = Snap();
    Settle(2);
    const auto before = Snap();
    std::vector<bool> running(Gensim_Shm::kSize, false);
    for (std::uint32_t at : Diff(quiet, before))
        MarkField(running, at);
    auto still = [&running](std::vector<std::uint32_t> bytes) {
        bytes.erase(std::remove_if(bytes.begin(), bytes.end(),
                                   [&running](std::uint32_t at) { return running[at]; }),
                    bytes.end());
        return bytes;
    };
    const Qt::MouseButton button = t.act == Target::Act::Right ? Qt::RightButton : Qt::LeftButton;
    const int coverState = t.act == Target::Act::Right
                               ? static_cast<const CGuardedCover*>(control)->GetCoverState()
                               : 0;
    std::vector<std::uint8_t> held;
    if (wheel) {
        held = Spin(t.point, true);
        Settle(kWheelFrames);
    } else {
        held = Press(button, t.point);
        Release(button, t.point);
    }
    const auto after = Snap();
    std::vector<std::uint32_t> changed = still(Diff(before, held));
    for (std::uint32_t at : still(Diff(before, after))) {
        if (std::find(changed.begin(), changed.end(), at) == changed.end())
            changed.push_back(at);
    }
    std::sort(changed.begin(), changed.end());

    if (t.act == Target::Act::Right) {
        EXPECT_NE(static_cast<const CGuardedCover*>(control)->GetCoverState(), coverState)
            << who.str() << ": a right click where it is drawn did not move it";
    }
    std::vector<std::uint32_t> stray;
    auto follows = [&](std::uint32_t at) {
        // A derived field of the panel's own, written by its logic.
        auto owner = m_owner.find(at);
        return Name(at).rfind(t.panelPrefix, 0) == 0 && owner == m_owner.end();
    };
    const std::string field = t.width > 0 ? Name(t.start) : "";
    if (t.width > 0) {
        bool reached = false;
        for (std::uint32_t at : changed) {
            if (at >= t.start && at < t.start + t.width)
                reached = true;
            else if (!follows(at))
                stray.push_back(at);
        }
        EXPECT_TRUE(reached) << who.str() << " at (" << t.point.x << ", " << t.point.y
                             << "): its field " << field
                             << " did not change; changed: " << Names(changed);
        if (reached && !t.value.empty()) {
            std::vector<std::uint8_t> shown(held.begin() + t.start,
                                            held.begin() + t.start + t.value.size());
            EXPECT_EQ(shown, t.value) << who.str() << ": field " << field;
        }
    } else if (t.noOutput) {
        stray = changed;
    } else if (t.prefix.empty()) {
        // No field of its own in the rows: the panel's logic publishes it.
        EXPECT_FALSE(changed.empty())
            << who.str() << ": nothing changed (expected " << t.panelPrefix << "*)";
        for (std::uint32_t at : changed) {
            if (!follows(at))
                stray.push_back(at);
        }
    } else {
        EXPECT_FALSE(changed.empty())
            << who.str() << ": nothing changed (expected " << t.prefix << "*)";
        for (std::uint32_t at : changed) {
            if (Name(at).rfind(t.prefix, 0) != 0)
                stray.push_back(at);
        }
        // Two controls of one unit that publish the same are one control
        // twice, or one hit where the other is drawn.
        std::vector<std::uint8_t> signature;
        for (std::uint32_t at : still(Diff(before, held))) {
            for (int s = 0; s < 4; ++s)
                signature.push_back(static_cast<std::uint8_t>(at >> (8 * s)));
            signature.push_back(held[at]);
        }
        auto& seen = m_seen[&panel];
        if (!signature.empty()) {
            auto [it, fresh] = seen.emplace(signature, t.label);
            EXPECT_TRUE(fresh) << who.str() << " publishes what " << it->second
                               << " does: " << Names(Diff(before, held));
        }
    }
    std::string owners;
    for (std::uint32_t at : stray) {
        auto owner = m_owner.find(at);
        if (owner != m_owner.end() && owners.find(owner->second) == std::string::npos)
            owners += " [" + Name(at) + " is the field of " + owner->second + "]";
    }
    EXPECT_TRUE(stray.empty()) << who.str() << " changed other fields too: " << Names(stray)
                               << owners;

    // Back to where it was, so that each control starts from the same cockpit.
    if (wheel) {
        Spin(t.point, false);
        Settle(kWheelFrames);
    } else if (undo >= 0) {
        Click(Qt::LeftButton, Centre(panel.GetControl(undo)->GetRect()));
    } else if (t.act == Target::Act::Turn) {
        Press(Qt::LeftButton, t.restore);
        Release(Qt::LeftButton, t.restore);
    } else if (t.restoreByClick) {
        Click(button, t.restore);
    }
    if (condition != nullptr && rule == Rule::RightFirst)
        Click(Qt::RightButton, t.point);
    // A spring-loaded switch reports its end for 11 updates, then returns.
    const bool spring = control->GetKind() == ControlType::Switch &&
                        (static_cast<const CSwitchClass*>(control)->GetSwitchType() == 5 ||
                         static_cast<const CSwitchClass*>(control)->GetSwitchType() == 6);
    Settle(spring ? 12 : 1);
    if (cover != nullptr)
        Click(Qt::RightButton, Centre(cover->GetRect()));
    if (power != nullptr) {
        *power = 0;
        Settle(2);
    }
    if (t.width > 0) {
        const auto now = Snap();
        EXPECT_TRUE(std::equal(before.begin() + t.start, before.begin() + t.start + t.width,
                               now.begin() + t.start))
            << who.str() << ": the second click did not bring " << field << " back";
    }
}

}  // namespace

TEST_F(EveryControl, EachIsHitWhereItIsDrawnAndChangesOnlyItsOwnField) {
    CSkylidCkptMngr& manager = m_dialog->Manager();
    std::vector<bool> described(CA320Cockpit::kPanelCount, false);
    int kitPanels = 0;
    for (const panels::CatalogEntry& entry : units::CockpitCatalog()) {
        described[static_cast<std::size_t>(entry.number)] = true;
        const auto* panel = dynamic_cast<const CKitPanel*>(manager.GetPanel(entry.number));
        ASSERT_NE(panel, nullptr) << "panel " << entry.number;
        ASSERT_EQ(&panel->Description(), entry.desc) << "panel " << entry.number;
        ++kitPanels;
        const std::vector<Target> targets = KitTargets(*panel);
        for (int i = 0; i < static_cast<int>(targets.size()); ++i) {
            ASSERT_NE(panel->GetControl(i), nullptr)
                << "panel " << entry.number << " control " << i;
            Work(entry.number, *panel, targets[static_cast<std::size_t>(i)], i);
        }
    }
    int units = 0;
    for (int number = 0; number < CA320Cockpit::kPanelCount; ++number) {
        const CBasePanel* panel = manager.GetPanel(number);
        if (panel == nullptr || described[static_cast<std::size_t>(number)] ||
            panel->GetControl(0) == nullptr)
            continue;
        ++units;
        const std::vector<Target> targets = UnitTargets(number, *panel);
        for (int i = 0; i < static_cast<int>(targets.size()); ++i)
            Work(number, *panel, targets[static_cast<std::size_t>(i)], i);
    }
    EXPECT_EQ(kitPanels, 45);
    EXPECT_EQ(units, 3) << "the FCU and the two MCDUs";
    EXPECT_GT(m_checked, 300);
    std::printf(
        "clicked %d controls; %d more checked for their place only; %d not drawn in "
        "this layout or held by their panel\n",
        m_checked, m_placeOnly, m_notHere);
}

// Places overlap: the place kept for the absent panel 26 (613, 497, 285 x 110)
// covers the evacuation panel (613, 508), and the flaps panel's place (1449,
// 3581) the lower edge of the TCAS panel (1530, 3465, 310 x 130). A point
// goes to the panel whose control is drawn under it, else to the first place.
TEST_F(EveryControl, OverlappingPlacesGiveThePointToTheControlDrawnThere) {
    const CSkylidCkptMngr& manager = m_dialog->Manager();
    const CBaseCockpitControl* evacCommand = manager.GetPanel(47)->GetControl(0);
    ASSERT_NE(evacCommand, nullptr);
    EXPECT_EQ(manager.FindPanel(Centre(evacCommand->GetRect())), 47);
    EXPECT_EQ(manager.FindPanel(CPoint(614, 509)), 26) << "no control there";

    // XPDR MODE, the TCAS panel's third knob, reaches below y 3581.
    const CBaseCockpitControl* xpdrMode = manager.GetPanel(50)->GetControl(11);
    ASSERT_NE(xpdrMode, nullptr);
    const CRect knob = xpdrMode->GetRect();
    ASSERT_GT(knob.bottom, 3582);
    EXPECT_EQ(manager.FindPanel(CPoint((knob.left + knob.right) / 2, 3582)), 50);
    auto drawnAt = [&manager](int number, CPoint p) {
        for (int i = 0; const CBaseCockpitControl* c = manager.GetPanel(number)->GetControl(i);
             ++i) {
            if (c->GetKind() != ControlType::Light && c->IsPointInside(p.x, p.y))
                return true;
        }
        return false;
    };
    CPoint beside(knob.right, 3582);
    while (beside.x < 1789 && (drawnAt(50, beside) || drawnAt(19, beside)))
        ++beside.x;
    ASSERT_LT(beside.x, 1789);
    EXPECT_EQ(manager.FindPanel(beside), 19) << "beside the knob, at " << beside.x;
}
