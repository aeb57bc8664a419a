// The FCU in the demo host.
//
// Speed: managed (dot lit, dashes in the window, the FCU taking the managed
// target of 250 kt, or Mach 0.78 in Mach mode) until the speed knob is pulled;
// pushing it makes the speed managed again.
// Heading: the demo aircraft follows the selected heading: the heading is
// never managed (dot dark, the window shows the selected heading).
// Altitude: the demo aircraft climbs or descends towards the selected
// altitude at 2000 ft/min; its altitude goes to the aircraft-altitude field
// in metres, so the SPD/MACH changeover sees a real altitude.
// Buttons: each press of AP1, AP2, A/THR, LOC, APPR or EXPED engages or
// disengages it, and its light shows it.
// Time: the host time counter counts tenths of a second, so a turned knob's
// value shows for 1 s in a managed speed window and 4.5 s in the others.
//
// The presets, the change requests, the speed set request, the lamp test and
// the blank byte are never written: `skylid-host set` presets every target
// while the demo runs.
#include <cmath>
#include <cstdint>

#include "host/demo/Demo.h"
#include "units/FcuLayout.h"

namespace host::demo {

namespace {

constexpr std::uint32_t kOut = fcu::kOut;
constexpr std::uint32_t kIn = fcu::kIn;

constexpr std::int32_t kManagedKnots = 250;
constexpr std::int32_t kManagedMach = 780;  // Mach x 1000
constexpr std::uint8_t kPulled = 2;
constexpr std::uint8_t kPushed = 1;
constexpr double kClimbRate = 2000.0 / 60.0;  // feet per second
constexpr double kMetresPerFoot = 0.3048;
constexpr double kTimeUnitsPerSecond = 10.0;

// Engaged by each press: state byte and light byte.
struct Engage {
    std::uint32_t state;
    std::uint32_t light;
};
constexpr Engage kEngaged[] = {
    {fcu::out::kAp1, fcu::in::kAp1Light},   {fcu::out::kAp2, fcu::in::kAp2Light},
    {fcu::out::kAthr, fcu::in::kAthrLight}, {fcu::out::kLoc, fcu::in::kLocLight},
    {fcu::out::kAppr, fcu::in::kApprLight}, {fcu::out::kExped, fcu::in::kExpedLight},
};
constexpr int kEngageCount = sizeof kEngaged / sizeof kEngaged[0];

template <typename T>
T Read(const std::uint8_t* view, std::uint32_t offset) {
    return GenField<T>::At(offset).Read(view);
}
template <typename T>
void Put(std::uint8_t* view, std::uint32_t offset, T value) {
    GenField<T>::At(offset).Write(view, value);
}

class FcuDemo final : public PanelDemo {
  public:
    const char* Name() const override { return "FCU"; }

    void Start(std::uint8_t* view) override {
        m_speedManaged = true;
        m_altitudeFeet = 0.0;
        m_started = false;
        for (int i = 0; i < kEngageCount; ++i) {
            m_wasIn[i] = Read<std::uint8_t>(view, kOut + kEngaged[i].state) != 0;
            m_engaged[i] = false;
        }
    }

    void Step(std::uint8_t* view, double seconds) override {
        const double dt = m_started && seconds > m_lastSeconds ? seconds - m_lastSeconds : 0.0;
        m_started = true;
        m_lastSeconds = seconds;
        fcu::kHostTime.Write(view, static_cast<std::int32_t>(seconds * kTimeUnitsPerSecond));

        const std::uint8_t speedAction = Read<std::uint8_t>(view, kOut + fcu::out::kSpeedAction);
        if (speedAction == kPulled)
            m_speedManaged = false;
        else if (speedAction == kPushed)
            m_speedManaged = true;
        const bool mach = Read<std::uint8_t>(view, kOut + fcu::out::kMach) != 0;
        Put<std::uint8_t>(view, kIn + fcu::in::kSpeedManaged, m_speedManaged ? 1 : 0);
        Put<std::int32_t>(view, kIn + fcu::in::kManagedSpeed, mach ? kManagedMach : kManagedKnots);
        Put<std::int32_t>(view, kIn + fcu::in::kSpeedOnPull, mach ? kManagedMach : kManagedKnots);
        Put<std::uint8_t>(view, kIn + fcu::in::kHeadingManaged, 0);

        // Altitude: towards the selected one.
        const double target = Read<std::uint16_t>(view, kOut + fcu::out::kAltitude) * 100.0;
        const double climb = kClimbRate * dt;
        const double gap = target - m_altitudeFeet;
        m_altitudeFeet += std::fabs(gap) <= climb ? gap : std::copysign(climb, gap);
        fcu::kAircraftAltitude.Write(view, m_altitudeFeet * kMetresPerFoot);

        for (int i = 0; i < kEngageCount; ++i) {
            const bool in = Read<std::uint8_t>(view, kOut + kEngaged[i].state) != 0;
            if (in && !m_wasIn[i])
                m_engaged[i] = !m_engaged[i];
            m_wasIn[i] = in;
            Put<std::uint8_t>(view, kIn + kEngaged[i].light, m_engaged[i] ? 1 : 0);
        }
    }

  private:
    bool m_speedManaged = true;
    double m_altitudeFeet = 0.0;
    bool m_wasIn[kEngageCount] = {};
    bool m_engaged[kEngageCount] = {};
    double m_lastSeconds = 0.0;
    bool m_started = false;
};

}  // namespace

std::unique_ptr<PanelDemo> MakeFcuDemo() {
    return std::make_unique<FcuDemo>();
}

}  // namespace host::demo
