// Every panel built on the panel kit, in the demo host (the panels with a
// behaviour of their own are left out here).
//
// A push-button's lower legend follows its state as on the aircraft: a
// legend that reports a switched-off system (OFF) is lit while the button is
// out; every other lower legend (ON, OPEN, MAN, ALTN, ...) while it is in. A
// single-light button is lit while it is in. Upper legends (FAULT and the
// like) stay dark: nothing fails in this small aircraft.
//
// A light is written only when the demo's own value for it changes, so a
// light set by hand stays until its button changes.
#include <cstring>
#include <vector>

#include "host/demo/Demo.h"
#include "panels/CKitPanel.h"
#include "shm/SimSegment.h"
#include "units/UnitCatalog.h"

namespace host::demo {

namespace {

bool EndsWith(const char* text, const char* tail) {
    const std::size_t n = std::strlen(text);
    const std::size_t m = std::strlen(tail);
    return n >= m && std::strcmp(text + n - m, tail) == 0;
}

// Whether the lower legend of a button with this picture reports "off".
bool LowerLegendIsOff(const char* picture) {
    return picture != nullptr && (EndsWith(picture, "Off") || EndsWith(picture, "OffAmber"));
}

struct DemoLight {
    std::uint32_t state;  // output byte of the button
    std::uint32_t light;  // input byte the demo writes
    bool litWhileOut;
    int written = -1;
};

class KitPanelsDemo final : public PanelDemo {
  public:
    const char* Name() const override { return "panels"; }

    void Start(std::uint8_t*) override {
        m_lights.clear();
        for (const panels::CatalogEntry& entry : units::CockpitCatalog()) {
            if (HasOwnDemo(entry.number))
                continue;
            const blocks::PanelBlocks at = CKitPanel::BlocksOf(*entry.desc, entry.side, true);
            if (at.out == blocks::kNoBlock || at.in == blocks::kNoBlock)
                continue;
            for (const kit::ButtonRow& row : entry.desc->buttons) {
                if (row.out.enc != kit::Enc::Byte)
                    continue;
                std::uint32_t light = kit::kNone;
                bool whileOut = false;
                if (row.lights.mode == kit::Lit::Pair) {
                    light = row.lights.bottom;
                    whileOut = LowerLegendIsOff(row.picture);
                } else if (row.lights.mode == kit::Lit::One) {
                    light = row.lights.top;
                }
                if (light != kit::kNone)
                    m_lights.push_back({at.out + row.out.offset, at.in + light, whileOut});
            }
        }
    }

    void Step(std::uint8_t* view, double) override {
        for (DemoLight& light : m_lights) {
            const bool in = GenField<std::uint8_t>::At(light.state).Read(view) != 0;
            const int lit = in != light.litWhileOut ? 1 : 0;
            if (lit != light.written) {
                GenField<std::uint8_t>::At(light.light).Write(view, static_cast<std::uint8_t>(lit));
                light.written = lit;
            }
        }
    }

  private:
    // Panels whose own demo writes their lights: the electrical panel, the
    // keypad panels (ECAM, light switches, ADIRS, engine start), the levers
    // and trims, the glareshields, the EFIS control, radio and audio panels.
    static bool HasOwnDemo(int number) {
        constexpr int kOwn[] = {0,  2,  3,  4,  5,  6,  7,  11, 19, 21, 22,
                                24, 25, 27, 31, 36, 37, 38, 39, 40, 41, 42};
        for (int own : kOwn) {
            if (own == number)
                return true;
        }
        return false;
    }
    std::vector<DemoLight> m_lights;
};

}  // namespace

std::unique_ptr<PanelDemo> MakeKitPanelsDemo() {
    return std::make_unique<KitPanelsDemo>();
}

}  // namespace host::demo
