// The electrical panel in the demo host.
//
// Lights, as on the aircraft: an OFF legend (FAULT/OFF and dots/OFF buttons)
// is lit while its button is out, dark while it is in; ALTN (FAULT/ALTN) is lit
// while its button is in; the white bars of the FAULT/dots buttons stay dark.
// Upper FAULT legends stay dark, as nothing in this small aircraft fails.
// Button 10 (AVAIL/ON, momentary) connects external power: each press connects
// or disconnects it; AVAIL is lit while power is available and not connected,
// ON while it is connected (the button counts as in).
//
// Displays: display 1 and display 2 show the voltage of battery 1 and 2
// (buttons 0 and 1). A battery that is in charges towards 27.8 V (28.4 V with
// external power connected); one that is out rests towards 25.2 V; both
// carry a slow ripple of 0.2 V, so the displays always move.
//
// A light is written only when the demo's own value for it changes, so a
// light set by hand stays until then (until its button changes). The displays are written
// at every tick. The lamp test and the preset requests are never touched.
#include <cmath>
#include <numbers>

#include "host/demo/Demo.h"
#include "panels/ElectricalLayout.h"

namespace host::demo {

namespace {

enum class LightRule {
    OffWhileOut,    // lower legend OFF lit while out
    LowerWhileIn,   // lower legend (ALTN) lit while in
    Dark,           // nothing lit
    ExternalPower,  // AVAIL while not connected, ON while connected
};

// By the button's picture: FAULT/OFF 0 1 2 7 8 9, FAULT/ALTN 3, dots/OFF 4,
// FAULT/dots 5 6, AVAIL/ON 10.
constexpr LightRule kRules[elec::kButtons] = {
    LightRule::OffWhileOut,  LightRule::OffWhileOut,   LightRule::OffWhileOut,
    LightRule::LowerWhileIn, LightRule::OffWhileOut,   LightRule::Dark,
    LightRule::Dark,         LightRule::OffWhileOut,   LightRule::OffWhileOut,
    LightRule::OffWhileOut,  LightRule::ExternalPower,
};
constexpr int kExternalPowerButton = 10;

// Battery voltages shown in the two displays.
constexpr int kBatteries = 2;
constexpr int kBatteryButton[kBatteries] = {0, 1};
constexpr double kRestVolts = 25.2;
constexpr double kChargeVolts = 27.8;
constexpr double kChargeVoltsExternal = 28.4;
constexpr double kTimeConstant = 4.0;  // seconds
constexpr double kRippleVolts = 0.2;
constexpr double kRipplePeriod = 5.0;  // seconds

class ElectricalDemo final : public PanelDemo {
  public:
    const char* Name() const override { return "electrical panel"; }

    void Start(std::uint8_t* view) override {
        for (int i = 0; i < elec::kButtons; ++i) {
            m_lastState[i] = ButtonIn(view, i);
            m_writtenTop[i] = m_writtenBottom[i] = -1;
        }
        for (double& volts : m_volts)
            volts = kRestVolts;
        m_started = false;
    }

    void Step(std::uint8_t* view, double seconds) override {
        double dt = m_started && seconds > m_lastSeconds ? seconds - m_lastSeconds : 0.0;
        m_started = true;
        m_lastSeconds = seconds;

        bool in[elec::kButtons];
        for (int i = 0; i < elec::kButtons; ++i) {
            in[i] = ButtonIn(view, i);
            if (i == kExternalPowerButton && in[i] && !m_lastState[i])
                m_externalPower = !m_externalPower;
            m_lastState[i] = in[i];
        }

        for (int i = 0; i < elec::kButtons; ++i) {
            bool top = false;
            bool bottom = false;
            switch (kRules[i]) {
                case LightRule::OffWhileOut:
                    bottom = !in[i];
                    break;
                case LightRule::LowerWhileIn:
                    bottom = in[i];
                    break;
                case LightRule::Dark:
                    break;
                case LightRule::ExternalPower:
                    top = !m_externalPower;
                    bottom = m_externalPower;
                    break;
            }
            WriteLight(view, elec::kTopLight.Plus(2 * i), top, m_writtenTop[i]);
            WriteLight(view, elec::kBottomLight.Plus(2 * i), bottom, m_writtenBottom[i]);
        }

        const double approach = 1.0 - std::exp(-dt / kTimeConstant);
        for (int b = 0; b < kBatteries; ++b) {
            double target = !in[kBatteryButton[b]] ? kRestVolts
                            : m_externalPower      ? kChargeVoltsExternal
                                                   : kChargeVolts;
            m_volts[b] += (target - m_volts[b]) * approach;
            double phase = 2.0 * std::numbers::pi * (seconds / kRipplePeriod + 0.5 * b);
            float shown = static_cast<float>(m_volts[b] + kRippleVolts * std::sin(phase));
            (b == 0 ? elec::kDisplay1 : elec::kDisplay2).Write(view, shown);
        }
    }

  private:
    static bool ButtonIn(const std::uint8_t* view, int i) {
        return elec::kButtonState.Plus(i).Read(view) != 0;
    }

    static void WriteLight(std::uint8_t* view, GenField<std::uint8_t> field, bool lit,
                           int& written) {
        int value = lit ? 1 : 0;
        if (value == written)
            return;
        field.Write(view, static_cast<std::uint8_t>(value));
        written = value;
    }

    bool m_lastState[elec::kButtons] = {};
    int m_writtenTop[elec::kButtons] = {};
    int m_writtenBottom[elec::kButtons] = {};
    bool m_externalPower = false;
    double m_volts[kBatteries] = {};
    double m_lastSeconds = 0.0;
    bool m_started = false;
};

}  // namespace

std::unique_ptr<PanelDemo> MakeElectricalDemo() {
    return std::make_unique<ElectricalDemo>();
}

}  // namespace host::demo
