#include "host/demo/Demo.h"

namespace host::demo {

namespace {

using Factory = std::unique_ptr<PanelDemo> (*)();

// Every panel with a demo behaviour, one line each.
constexpr Factory kFactories[] = {
    MakeElectricalDemo, MakeKitPanelsDemo,    MakeMcduDemo,
    MakeFcuDemo,        MakeKeypadPanelsDemo, MakeLeversDemo,
    MakeElectricalDemo,
    MakeRadiosDemo,
};

}  // namespace

std::vector<std::unique_ptr<PanelDemo>> MakeAllDemos() {
    std::vector<std::unique_ptr<PanelDemo>> demos;
    for (Factory make : kFactories)
        demos.push_back(make());
    return demos;
}

}  // namespace host::demo
