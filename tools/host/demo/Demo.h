// The demo host: a very small aircraft that answers the panels, so that a
// person can try the cockpit without a simulation.
//
// Each panel's behaviour lives in its own file as a PanelDemo and is listed
// once in Demo.cpp. The host makes every behaviour once when it starts, calls
// Start with the segment, then Step at every tick (20 Hz) with the time since
// the start. A behaviour writes only the host fields it owns (its lights and
// display values); the lamp test and the preset requests stay with whoever
// sets them (`skylid-host set`), so they can be tried while the demo runs.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace host::demo {

class PanelDemo {
  public:
    virtual ~PanelDemo() = default;
    // The panel's name, as the host reports it.
    virtual const char* Name() const = 0;
    // Called once, before the first Step, with the mapped generic segment.
    virtual void Start(std::uint8_t* view) = 0;
    // Called at every tick; seconds is the time since the host started.
    virtual void Step(std::uint8_t* view, double seconds) = 0;
};

// One factory per panel.
std::unique_ptr<PanelDemo> MakeElectricalDemo();
std::unique_ptr<PanelDemo> MakeKitPanelsDemo();
std::unique_ptr<PanelDemo> MakeMcduDemo();
std::unique_ptr<PanelDemo> MakeFcuDemo();
std::unique_ptr<PanelDemo> MakeKeypadPanelsDemo();
std::unique_ptr<PanelDemo> MakeLeversDemo();
std::unique_ptr<PanelDemo> MakeRadiosDemo();

// Every panel's behaviour, made once at start.
std::vector<std::unique_ptr<PanelDemo>> MakeAllDemos();

}  // namespace host::demo
