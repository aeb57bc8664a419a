// The radios, audio control panels, transponder and EFIS control panels in
// the demo host.
//
// RMPs: powered, with an active frequency for every radio; a comm transfer
// (XFR_PENDING) is acknowledged by making the frequency handed over the
// active one of the selected radio and raising XFR_ACK until the panel has
// cleared XFR_PENDING. ACPs: powered. Transponder: active. EFIS control
// panels: a push-button's light is lit while the button is in.
#include "host/demo/Demo.h"
#include "panels/CA330_Acp.h"
#include "panels/CA330_Rmp.h"
#include "panels/CKitPanel.h"
#include "shm/SimSegment.h"
#include "units/CNavPanel.h"
#include "units/TcasPanel.h"

namespace host::demo {

namespace {

constexpr float kActiveAtStart[rmp::kCommTypes] = {118.0f, 121.5f, 131.725f, 5.505f, 6.604f, 0.53f};
constexpr float kVorAtStart = 112.55f;
constexpr float kAdfAtStart = 415.5f;  // kHz
constexpr float kIlsAtStart = 109.1f;

class RadiosDemo final : public PanelDemo {
  public:
    const char* Name() const override { return "radios and transponder"; }

    void Start(std::uint8_t* view) override {
        for (int side = 0; side < 3; ++side) {
            const blocks::PanelBlocks at = CKitPanel::BlocksOf(rmp::kDescription, side, true);
            In<std::uint8_t>(at, rmp::in::kPowered).Write(view, 1);
            for (int t = 0; t < rmp::kCommTypes; ++t)
                In<float>(at, rmp::in::kActive + 4 * static_cast<std::uint32_t>(t))
                    .Write(view, kActiveAtStart[t]);
            if (side < 2) {
                const auto s = static_cast<std::uint32_t>(side);
                In<float>(at, rmp::in::kVor + 4 * s).Write(view, kVorAtStart);
                In<float>(at, rmp::in::kAdf + 4 * s).Write(view, kAdfAtStart);
                In<float>(at, rmp::in::kIls).Write(view, kIlsAtStart);
            }
            const blocks::PanelBlocks acpAt = CKitPanel::BlocksOf(acp::kDescription, side, true);
            In<std::uint8_t>(acpAt, acp::in::kPowered).Write(view, 1);
        }
        const blocks::PanelBlocks atcAt = CKitPanel::BlocksOf(atc::kDescription, 0, true);
        In<std::uint8_t>(atcAt, atc::in::kActive).Write(view, 1);
    }

    void Step(std::uint8_t* view, double /*seconds*/) override {
        for (int side = 0; side < 3; ++side) {
            const blocks::PanelBlocks at = CKitPanel::BlocksOf(rmp::kDescription, side, true);
            const bool pending = Out<std::uint8_t>(at, rmp::out::kCommPending).Read(view) != 0;
            const auto ack = In<std::uint8_t>(at, rmp::in::kAcknowledge);
            if (pending && ack.Read(view) == 0) {
                const std::int32_t type = Out<std::int32_t>(at, rmp::out::kSelectedType).Read(view);
                if (type >= 0 && type < rmp::kCommTypes) {
                    const float handed = Out<float>(at, rmp::out::kCommHandedOver).Read(view);
                    In<float>(at, rmp::in::kActive + 4 * static_cast<std::uint32_t>(type))
                        .Write(view, handed);
                }
                ack.Write(view, 1);
            } else if (!pending && ack.Read(view) != 0) {
                ack.Write(view, 0);
            }
        }
        for (int side = 0; side < 2; ++side) {
            const kit::PanelDescription& desc =
                side == 0 ? efis::kDescriptionCapt : efis::kDescriptionFo;
            const blocks::PanelBlocks at = CKitPanel::BlocksOf(desc, side, true);
            for (int i = 0; i < efis::kButtonCount; ++i) {
                const auto b = static_cast<std::uint32_t>(i);
                const std::uint8_t in = Out<std::uint8_t>(at, efis::out::kButtons + b).Read(view);
                const auto light = In<std::uint8_t>(at, efis::in::kLights + 2 * b);
                const std::uint8_t lit = in != 0 ? 1 : 0;
                // Written only when the demo's own value changes, so a light
                // set by hand stays until its button changes.
                if (m_efisState[side][i] != lit) {
                    light.Write(view, lit);
                    m_efisState[side][i] = lit;
                }
            }
        }
    }

  private:
    template <typename T>
    static GenField<T> In(const blocks::PanelBlocks& at, std::uint32_t offset) {
        return GenField<T>::At(at.in + offset);
    }
    template <typename T>
    static GenField<T> Out(const blocks::PanelBlocks& at, std::uint32_t offset) {
        return GenField<T>::At(at.out + offset);
    }

    int m_efisState[2][efis::kButtonCount] = {{-1, -1, -1, -1, -1, -1, -1},
                                              {-1, -1, -1, -1, -1, -1, -1}};
};

}  // namespace

std::unique_ptr<PanelDemo> MakeRadiosDemo() {
    return std::make_unique<RadiosDemo>();
}

}  // namespace host::demo
