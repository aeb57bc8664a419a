// A pilot's glareshield unit beside the FCU: side-stick priority, master
// warning, master caution, the FCU button and (A330 layout only) the GPWS
// glide-slope button, and the autoland light. Built twice: side 0 for the
// left seat, side 1 for the right seat; the side is given at construction.
//
// The host takes the panel over by writing the first byte of its output
// block: while it is non-zero the buttons follow their output bytes.
#pragma once

#include "panels/CKitPanel.h"

namespace glare {
inline constexpr int kSides = 2;
extern const kit::PanelDescription kDescription[kSides];
// The description of a side (side 0's for a side that does not exist, which
// Initialise then refuses).
const kit::PanelDescription& DescriptionOf(int side);
// Output block.
inline constexpr std::uint32_t kRemoteHold = 0;
inline constexpr std::uint32_t kButtonStates = 3;  // + i
inline constexpr int kButtons = 5;
inline constexpr int kGpwsButton = 4;
}  // namespace glare

class CGlareShield : public KitPanel<KitCounts{.buttons = 5, .lights = 2}> {
  public:
    explicit CGlareShield(int side)
        : KitPanel(glare::DescriptionOf(side), side), m_requestedSide(side) {}

    bool Initialise(const char* folder, int x, int y) override;
    void Update(MouseEvent* event) override;

  protected:
    bool InitialiseExtra(const char* folder) override;
    bool IsActive(Kind kind, int index) const override;
    void OnControlFailure(Kind kind) override;

  private:
    int m_requestedSide;
};
