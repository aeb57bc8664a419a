// The audio control panel of the pedestal, three of them (sides 0, 1 and 2):
// a row of seven transmission keys of which exactly one is selected, and two
// rows of seven reception keys.
//
// Output block: +0 remote hold (written by the host: the panel ignores the
// mouse while it is set), +4 selected channel (16-bit, 0 to 6, 125 when none),
// +6 1 while the row 1 key of the selected channel is in, +7 .. +12 row 2 keys
// 0, 1, 5, 6, 2, 3 (10 in, 0 out); +6 to +12 only while a channel is selected.
// Input block: +0 powered (transmission key lights work), +4 every
// transmission key shows its upper legend.
#pragma once

#include "panels/CKitPanel.h"
#include "util/KxText.h"

namespace acp {
extern const kit::PanelDescription kDescription;

inline constexpr int kKeysPerRow = 7;
inline constexpr int kRow1 = kKeysPerRow;      // first reception row 1 key
inline constexpr int kRow2 = 2 * kKeysPerRow;  // first reception row 2 key
inline constexpr int kHiddenRow2Key = 4;       // set up, neither drawn nor published
inline constexpr std::int16_t kNoChannel = 125;

namespace out {
inline constexpr std::uint32_t kRemoteHold = 0;
inline constexpr std::uint32_t kChannel = 4;
inline constexpr std::uint32_t kRow1Selected = 6;
inline constexpr std::uint32_t kRow2 = 7;  // + place in kRow2Order
}  // namespace out
namespace in {
inline constexpr std::uint32_t kPowered = 0;
inline constexpr std::uint32_t kUpperLegends = 4;
}  // namespace in

// The row 2 key published at out::kRow2 + n.
inline constexpr int kRow2Order[6] = {0, 1, 5, 6, 2, 3};
}  // namespace acp

class CA330_Acp : public KitPanel<KitCounts{.buttons = 3 * acp::kKeysPerRow}> {
  public:
    explicit CA330_Acp(int side = 0) : KitPanel(acp::kDescription) { SetSide(side); }

    // Before Initialise: side 0 to 2 (limited).
    void SetSide(int side) { SetSideIndex(kx::Limit(side, 0, 2)); }
    void Update(MouseEvent* event) override;
    // The panel follows nothing from its outputs while held: it only ignores
    // the mouse.
    void RefreshFromOutputs() override {}

    // The selected transmission key, or -1.
    int GetSelected() const;
    int GetLastSelected() const { return m_lastSelected; }
    CButtonClass& Key(int index) { return Buttons()[static_cast<std::size_t>(index)]; }

  protected:
    bool InitialiseExtra(const char* folder) override;
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;
    bool ButtonLit(int index, const std::uint8_t* view) const override;
    bool IsActive(Kind kind, int index) const override;

  private:
    bool m_selected[acp::kKeysPerRow] = {};
    int m_lastSelected = -1;
};
