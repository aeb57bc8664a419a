// The ECAM control panel of the pedestal: eighteen page and function keys,
// the EMER CANC key under its cover and the two display-unit buttons. A page
// key publishes a page request that stays up until the host reports that page
// as shown; the panel counts how long a key is held, lights the key the host
// names, and in degraded mode lets only a few keys request a page.
#pragma once

#include "controls/Kx_Remember.h"
#include "panels/CKitPanel.h"
#include "panels/EcamLayout.h"

namespace ecam {
extern const kit::PanelDescription kDescription;
}

class CEcamCntlPanel : public KitPanel<KitCounts{.buttons = ecam::kKeys + 2, .covers = 1}> {
  public:
    // Key indexes with their own outputs and rules.
    static constexpr int kEmerCanc = 1;
    static constexpr int kAll = 13;
    static constexpr int kClr1 = 14;
    static constexpr int kSts = 15;
    static constexpr int kRcl = 16;
    static constexpr int kClr2 = 17;
    static constexpr int kNoKeyLit = 99;
    static constexpr int kNoPage = -1;
    // The key-held counter runs up to this and then goes on from kCounterRestart.
    static constexpr int kCounterLimit = 0xEFFF;
    static constexpr int kCounterRestart = 16;

    CEcamCntlPanel() : KitPanel(ecam::kDescription) {}

    void RefreshFromOutputs() override;

    // Degraded mode: only EMER CANC and ALL to RCL may request a page.
    static bool MayRequestWhenDegraded(int page);

    CButtonClass& Key(int i) { return Buttons()[static_cast<std::size_t>(i)]; }
    CButtonClass& DisplayButton(int i) {
        return Buttons()[static_cast<std::size_t>(ecam::kKeys + i)];
    }
    CGuardedCover& Cover() { return Covers()[0]; }
    int LitKey() const { return m_litKey; }
    int Page() const { return m_page; }

  protected:
    bool InitialiseExtra(const char* folder) override;
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;

  private:
    // The keys' lights and the first key in, in index order; -1 when none.
    int LightKeysUntilOneIsIn(const std::uint8_t* view, bool degraded, bool test);
    void PublishPage(std::uint8_t* view, bool keyPressed, bool degraded);

    int m_litKey = -1;
    int m_page = kNoPage;
    Kx_Remember m_requested;  // the last key requested
};
