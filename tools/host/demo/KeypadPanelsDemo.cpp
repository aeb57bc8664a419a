// The ADIRS, light switch, engine start and ECAM control panels in the demo
// host.
//
// ADIRS: an entry sent with ENT comes back as the display text, and the
// host lights the ENT key for half a second while it takes the entry, then
// puts it out (so the panel's ENT signal falls). Each reference unit's OFF
// light is lit while the unit is off, its ALIGN light while it is on.
// Light switches: APU MASTER shows ON while in, APU START shows ON while in.
// Engine start: when a master goes up, that engine's FIRE and FAULT legends
// light for a moment (1.5 s), as in a start-up test.
// ECAM: a page request is shown 0.3 s later: the page shown and the lit key
// become the requested key.
#include <array>
#include <cstring>

#include "host/demo/Demo.h"
#include "panels/AdirsLayout.h"
#include "panels/EcamLayout.h"
#include "panels/EngStartLayout.h"
#include "panels/LightSwitchLayout.h"

namespace host::demo {

namespace {

constexpr double kEntLightSeconds = 0.5;
constexpr double kIndicatorSeconds = 1.5;
constexpr double kPageDelaySeconds = 0.3;

class KeypadPanelsDemo final : public PanelDemo {
  public:
    const char* Name() const override { return "ADIRS, light switch, engine start and ECAM"; }

    void Start(std::uint8_t* view) override {
        m_entWas = adirs::kEntSignal.Read(view) != 0;
        m_entLightUntil = -1.0;
        for (int e = 0; e < 2; ++e) {
            m_masterWas[e] = engstart::kMasterUp.Plus(e).Read(view) != 0;
            m_indicatorUntil[e] = -1.0;
        }
        m_pendingPage = -1;
    }

    void Step(std::uint8_t* view, double seconds) override {
        StepAdirs(view, seconds);
        StepLights(view);
        StepEngineStart(view, seconds);
        StepEcam(view, seconds);
    }

  private:
    void StepAdirs(std::uint8_t* view, double seconds) {
        const bool ent = adirs::kEntSignal.Read(view) != 0;
        if (ent && !m_entWas) {
            std::array<char, adirs::kTextSize + 1> text{};
            const std::array<char, adirs::kTextSize> entry = adirs::kEntryText.Read(view);
            std::memcpy(text.data(), entry.data(), entry.size());
            adirs::kHostText.Write(view, text.data());
            m_entLightUntil = seconds + kEntLightSeconds;
        }
        m_entWas = ent;
        adirs::kEntLight.Write(view, seconds < m_entLightUntil ? 1 : 0);
        for (int k = 0; k < adirs::kUnits; ++k) {
            const bool on = adirs::kRowState.Plus(static_cast<std::size_t>(k)).Read(view) != 0;
            adirs::kBottomLight.Plus(2 * static_cast<std::size_t>(k)).Write(view, on ? 0 : 1);
            adirs::kBottomLight.Plus(2 * static_cast<std::size_t>(k + 3)).Write(view, on ? 1 : 0);
        }
    }

    static void StepLights(std::uint8_t* view) {
        lights::kLowerLight.Write(view, lights::kButtonState.Read(view));
        lights::kUpperLight.Plus(2).Write(view, lights::kButtonState.Plus(1).Read(view));
    }

    void StepEngineStart(std::uint8_t* view, double seconds) {
        for (int e = 0; e < 2; ++e) {
            const bool up = engstart::kMasterUp.Plus(e).Read(view) != 0;
            if (up && !m_masterWas[e])
                m_indicatorUntil[e] = seconds + kIndicatorSeconds;
            m_masterWas[e] = up;
            const std::uint8_t lit = seconds < m_indicatorUntil[e] ? 1 : 0;
            engstart::kUpperLight.Plus(e).Write(view, lit);
            engstart::kLowerLight.Plus(e).Write(view, lit);
        }
    }

    void StepEcam(std::uint8_t* view, double seconds) {
        const int request = ecam::kOutputs.pageRequest.Read(view);
        if (request >= 0 && request != m_pendingPage) {
            m_pendingPage = request;
            m_showAt = seconds + kPageDelaySeconds;
        }
        if (m_pendingPage >= 0 && seconds >= m_showAt) {
            ecam::kPageShown.Write(view, static_cast<std::int16_t>(m_pendingPage));
            ecam::kLitKey.Write(view, static_cast<std::int16_t>(m_pendingPage));
            m_pendingPage = -1;
        }
    }

    bool m_entWas = false;
    double m_entLightUntil = -1.0;
    bool m_masterWas[2] = {};
    double m_indicatorUntil[2] = {};
    int m_pendingPage = -1;
    double m_showAt = 0.0;
};

}  // namespace

std::unique_ptr<PanelDemo> MakeKeypadPanelsDemo() {
    return std::make_unique<KeypadPanelsDemo>();
}

}  // namespace host::demo
