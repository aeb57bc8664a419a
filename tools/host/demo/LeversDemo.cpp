// The levers and trim units in the demo host.
//
// Clock: the six-digit display shows the UTC time (HHMMSS), the two
// two-digit displays the hours and minutes since the host started.
// Pitch trim: while a wheel commands, the trim moves at 0.5 degree a second
// in the wheel's direction (a rate of +1 or -1), or towards the commanded
// trim; it stays within 13.5 nose up and 4.0 nose down.
// Rudder trim: the selector moves the trim at 1 degree a second, up to 20
// either way, and the reset button brings it back to 0; the display shows
// it as "L 2.5", "  0.0", "R 2.5".
// Landing gear: a lever moved starts 5 seconds of transit; the three gear
// indications show UNLK during the transit and the green down light once the
// gear is down and locked, nothing once it is up; the red arrow is lit while
// the gear is in transit.
// Glareshields: a press of MASTER WARN lights it for 1.5 seconds.
#include <algorithm>
#include <cmath>
#include <ctime>

#include "host/demo/Demo.h"
#include "panels/CA330_Clock.h"
#include "panels/CA330_RudderTrim.h"
#include "panels/CGlareShield.h"
#include "panels/CLndGearPanel.h"
#include "panels/CStabPanel.h"
#include "panels/PanelBlocks.h"
#include "shm/SimSegment.h"
#include "util/KxText.h"

namespace host::demo {

namespace {

using Text = shm::TextAt<Gensim_Shm::kSize>;
using Byte = GenField<std::uint8_t>;

// The cockpit runs the A320 region.
constexpr blocks::PanelBlocks kClock = blocks::kClock.a320;
constexpr blocks::PanelBlocks kStab = blocks::kStab.a320;
constexpr blocks::PanelBlocks kRudder = blocks::kRudderTrim.a320;
constexpr blocks::PanelBlocks kGear = blocks::kLandingGear.a320;
constexpr blocks::PanelBlocks kGlare = blocks::kGlareshield.a320;
constexpr std::uint32_t kGlareOutStride = 8;
constexpr std::uint32_t kGlareInStride = 15;
constexpr std::uint32_t kMasterWarnState = 4;  // output block
constexpr std::uint32_t kMasterWarnTop = 2;    // input block, then bottom

constexpr double kTrimRate = 0.5;  // degrees a second
constexpr double kTrimNoseUp = -13.5;
constexpr double kTrimNoseDown = 4.0;
constexpr double kRudderRate = 1.0;
constexpr double kRudderResetRate = 1.5;
constexpr double kRudderLimit = 20.0;
constexpr double kGearTransit = 5.0;
constexpr double kWarnFlash = 1.5;

// Writes a byte only when the demo's own value for it changes, so a value
// set by hand stays until then.
void WriteOwned(std::uint32_t at, bool on, int& written, std::uint8_t* view) {
    const int value = on ? 1 : 0;
    if (value != written) {
        Byte::At(at).Write(view, static_cast<std::uint8_t>(value));
        written = value;
    }
}

class LeversDemo final : public PanelDemo {
  public:
    const char* Name() const override { return "levers and trims"; }

    void Start(std::uint8_t* view) override {
        m_started = false;
        m_trim = 0.0;
        m_rudder = 0.0;
        m_gearDown = Byte::At(kGear.out + gear::kLeverFlags).Read(view) == 0;
        m_transitEnd = -1.0;
        for (int& w : m_writtenGear)
            w = -1;
        for (int s = 0; s < 2; ++s) {
            m_warnUntil[s] = -1.0;
            m_lastWarn[s] = false;
            m_writtenWarn[s][0] = m_writtenWarn[s][1] = -1;
        }
    }

    void Step(std::uint8_t* view, double seconds) override {
        const double dt = m_started && seconds > m_last ? seconds - m_last : 0.0;
        m_started = true;
        m_last = seconds;
        StepClock(view, seconds);
        StepPitchTrim(view, dt);
        StepRudderTrim(view, dt);
        StepGear(view, seconds);
        StepMasterWarn(view, seconds);
    }

  private:
    static void StepClock(std::uint8_t* view, double seconds) {
        const std::time_t now = std::time(nullptr);
        std::tm utc{};
        gmtime_r(&now, &utc);
        char text[16];
        kx::Format(text, sizeof text, "%02d%02d%02d", utc.tm_hour, utc.tm_min, utc.tm_sec);
        Text(kClock.in + clockpanel::kSixDigits, 7).Write(view, text);
        const long elapsed = static_cast<long>(seconds) / 60;  // minutes
        kx::Format(text, sizeof text, "%02ld", (elapsed / 60) % 100);
        Byte::At(kClock.in + clockpanel::kFirstPair)
            .Write(view, static_cast<std::uint8_t>(text[0]));
        Byte::At(kClock.in + clockpanel::kFirstPair + 1)
            .Write(view, static_cast<std::uint8_t>(text[1]));
        kx::Format(text, sizeof text, "%02ld", elapsed % 60);
        Text(kClock.in + clockpanel::kSecondPair, 3).Write(view, text);
    }

    void StepPitchTrim(std::uint8_t* view, double dt) {
        const bool active = Byte::At(kStab.out + stab::kCommandActive).Read(view) != 0;
        const float command = GenField<float>::At(kStab.out + stab::kCommand).Read(view);
        if (active && std::isfinite(command)) {
            if (command == 1.0f || command == -1.0f) {
                m_trim += kTrimRate * command * dt;
            } else {
                const double step = std::min(kTrimRate * dt, std::fabs(command - m_trim));
                m_trim += command > m_trim ? step : -step;
            }
            m_trim = std::clamp(m_trim, kTrimNoseUp, kTrimNoseDown);
        }
        GenField<float>::At(kStab.in + stab::kTrim).Write(view, static_cast<float>(m_trim));
    }

    void StepRudderTrim(std::uint8_t* view, double dt) {
        const auto out = [view](std::uint32_t b) { return Byte::At(kRudder.out + b).Read(view); };
        if (out(rudder::kAtLeft) != 0)
            m_rudder -= kRudderRate * dt;
        else if (out(rudder::kAtRight) != 0)
            m_rudder += kRudderRate * dt;
        else if (out(6) != 0)  // reset
            m_rudder -=
                std::copysign(std::min(kRudderResetRate * dt, std::fabs(m_rudder)), m_rudder);
        m_rudder = std::clamp(m_rudder, -kRudderLimit, kRudderLimit);
        const double shown = std::round(std::fabs(m_rudder) * 10.0) / 10.0;
        const char side = shown == 0.0 ? ' ' : (m_rudder < 0.0 ? 'L' : 'R');
        char text[16];
        kx::Format(text, sizeof text, "%c%4.1f", side, shown);
        Text(kRudder.in + rudder::kText, rudder::kTextSize + 1).Write(view, text);
    }

    void StepGear(std::uint8_t* view, double seconds) {
        const bool leverDown = Byte::At(kGear.out + gear::kLeverFlags).Read(view) == 0;
        if (leverDown != m_gearDown) {
            m_gearDown = leverDown;
            m_transitEnd = seconds + kGearTransit;
        }
        const bool transit = seconds < m_transitEnd;
        for (std::uint32_t i = 0; i < 3; ++i) {
            WriteOwned(kGear.in + 4 + 2 * i, transit, m_writtenGear[2 * i], view);
            WriteOwned(kGear.in + 5 + 2 * i, !transit && m_gearDown, m_writtenGear[2 * i + 1],
                       view);
        }
        WriteOwned(kGear.in + 2, transit, m_writtenGear[6], view);
    }

    void StepMasterWarn(std::uint8_t* view, double seconds) {
        for (std::uint32_t s = 0; s < 2; ++s) {
            const bool in =
                Byte::At(kGlare.out + kGlareOutStride * s + kMasterWarnState).Read(view) != 0;
            if (in && !m_lastWarn[s])
                m_warnUntil[s] = seconds + kWarnFlash;
            m_lastWarn[s] = in;
            const bool lit = seconds < m_warnUntil[s];
            const std::uint32_t top = kGlare.in + kGlareInStride * s + kMasterWarnTop;
            WriteOwned(top, lit, m_writtenWarn[s][0], view);
            WriteOwned(top + 1, lit, m_writtenWarn[s][1], view);
        }
    }

    bool m_started = false;
    double m_last = 0.0;
    double m_trim = 0.0;
    double m_rudder = 0.0;
    bool m_gearDown = true;
    double m_transitEnd = -1.0;
    int m_writtenGear[7] = {};
    double m_warnUntil[2] = {};
    bool m_lastWarn[2] = {};
    int m_writtenWarn[2][2] = {};
};

}  // namespace

std::unique_ptr<PanelDemo> MakeLeversDemo() {
    return std::make_unique<LeversDemo>();
}

}  // namespace host::demo
