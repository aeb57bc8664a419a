// ControlExplorer: what the main window's explorer overlay shows, without
// the drawing.
//
// It finds the control under a point of the cockpit picture, names its panel
// and the control (the label of the control's row), lists the named fields of
// the generic segment that belong to the control with their live values, and
// traces a click: the segment is copied before the click is dispatched and
// compared after the update that handled it, and every changed byte is
// reported under the name of the field that holds it (raw offsets for bytes
// that no field names).
//
// Fields of a kit panel's control come from the field rows made from its row
// (PREFIX.BUTTON_3.STATE, PREFIX.BUTTON_3.LIGHT_TOP, ...). Controls that have
// no row (the units with their own tables) get the fields that a click on
// them was seen to change.
//
// The window creates it only when the explorer is first switched on, so an
// unused explorer costs nothing; while it is off nothing is copied.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/CA320Cockpit.h"
#include "fields/HostRegistry.h"
#include "platform/WinTypes.h"

// The panel's name: its description's title (with its side for panels in
// several instances), else the name on its plate.
std::string PanelTitle(const CA320Cockpit& cockpit, int panel);

class ControlExplorer {
  public:
    // A control on the picture: panel number and control index (as
    // CBasePanel::GetControl counts them), and its hit area.
    struct Target {
        int panel = -1;
        int control = -1;
        CRect rect;
        bool IsValid() const { return panel >= 0 && control >= 0; }
        bool operator==(const Target& other) const {
            return panel == other.panel && control == other.control;
        }
    };

    // One changed run of bytes: a named field, or raw bytes no field names.
    struct Change {
        const host::NamedField* field = nullptr;  // null: raw bytes
        std::uint32_t offset = 0;
        std::uint32_t width = 0;
        std::string before;
        std::string after;
    };

    // What the last traced click changed.
    struct Trace {
        Target target;
        int frames = 0;  // iterations after the click until the change was seen
        std::vector<Change> changes;
    };

    // Clicks on panels that take the mouse only in their turn of the update
    // cycle are compared after each iteration, for at most this many.
    static constexpr int kMaxTraceFrames = 60;

    ControlExplorer(const CA320Cockpit& cockpit, const host::Registry& registry);

    void SetOn(bool on) { m_on = on; }
    bool IsOn() const { return m_on; }

    // The control whose hit area holds the picture point: a control that
    // takes the mouse before a light, the smaller area before the larger,
    // and of equal ones the later (covers come after their buttons and are
    // drawn over them).
    Target Find(CPoint picturePoint) const;
    // Every control drawn on the picture, for the outlines.
    template <typename Visit>
    void ForEachControl(Visit&& visit) const;

    std::string PanelName(int panel) const { return PanelTitle(m_cockpit, panel); }
    // The control's label ("BAT 1"), or its kind and index when it has no row.
    std::string ControlLabel(const Target& target) const;
    // The named fields of the control, in registry order.
    std::vector<const host::NamedField*> FieldsOf(const Target& target) const;
    // The overlay's text for the control: panel, control, one line per field
    // with its live value.
    std::vector<std::string> Describe(const Target& target, const std::uint8_t* view) const;

    // Click-to-trace. BeginClick copies the segment; EndClick compares it and
    // finishes the trace when something changed (true when finished);
    // AfterFrame gives a pending trace one more iteration.
    void BeginClick(const std::uint8_t* view, CPoint picturePoint);
    bool EndClick(const std::uint8_t* view);
    void AfterFrame(const std::uint8_t* view);
    bool IsTracePending() const { return m_pending; }
    bool HasTrace() const { return m_haveTrace; }
    const Trace& LastTrace() const { return m_trace; }
    std::vector<std::string> DescribeTrace() const;

    // The changes between two images of the segment (exposed for the tests).
    std::vector<Change> Compare(const std::uint8_t* before, const std::uint8_t* after) const;

  private:
    const CBaseCockpitControl* ControlOf(const Target& target) const;
    bool IsShown(int panel, int control, const CBaseCockpitControl& c) const;
    std::string FieldPrefix(const Target& target) const;
    void Finish(std::vector<Change> changes);

    const CA320Cockpit& m_cockpit;
    const host::Registry& m_registry;
    bool m_on = false;

    std::vector<std::uint8_t> m_snapshot;
    bool m_pending = false;
    Target m_clicked;
    int m_framesWaited = 0;
    bool m_haveTrace = false;
    Trace m_trace;
    // Fields seen to change on a click of a control without rows.
    std::map<std::pair<int, int>, std::vector<const host::NamedField*>> m_learned;
};

template <typename Visit>
void ControlExplorer::ForEachControl(Visit&& visit) const {
    for (int n = 0; n < CA320Cockpit::kPanelCount; ++n) {
        const CBasePanel* panel = m_cockpit.GetPanel(n);
        if (panel == nullptr)
            continue;
        for (int i = 0; const CBaseCockpitControl* c = panel->GetControl(i); ++i) {
            if (IsShown(n, i, *c))
                visit(Target{n, i, c->GetRect()});
        }
    }
}
