// The radio management panel of the pedestal, three of them (sides 0, 1 and
// 2): a radio is selected with its key, the knob sets its standby value, and
// XFR hands the standby to the host, which reports it back as the active
// frequency. On sides 0 and 1 the guarded NAV key switches to standby
// navigation, where the VOR, ILS and ADF frequencies and the VOR and ILS
// courses are tuned the same way.
//
// Output block (written by the panel): +3 power (1 on), +5 + i key i (not NAV),
// +20 standby navigation, +24/+32/+36 VOR/ADF/ILS frequency handed over by a
// navigation transfer (-1 outside standby navigation), +28/+40 VOR/ILS course,
// +52 type of the last navigation transfer, +60 countdown after a transfer to
// course entry, +64 comm transfer pending, +68 selected type, +72 frequency
// handed over by the last comm transfer, +76 zero.
// Input block (written by the host): active frequencies (floats, MHz) of
// VHF1..AM at +0..+20, VOR of side s at +24 + 4s, ADF of side s at +32 + 4s
// (kHz), ILS at +40; +56 SEL light, +57 powered, +58 transfer acknowledged,
// +59 lamp test.
#pragma once

#include "controls/Kx_Remember.h"
#include "panels/CKitPanel.h"
#include "panels/RmpTuning.h"

namespace rmp {
extern const kit::PanelDescription kDescription;

// Offsets within the blocks.
namespace out {
inline constexpr std::uint32_t kPower = 3;
inline constexpr std::uint32_t kKeys = 5;  // + key
inline constexpr std::uint32_t kStandbyNav = 20;
inline constexpr std::uint32_t kVorTransfer = 24;
inline constexpr std::uint32_t kVorCourse = 28;
inline constexpr std::uint32_t kAdfTransfer = 32;
inline constexpr std::uint32_t kIlsTransfer = 36;
inline constexpr std::uint32_t kIlsCourse = 40;
inline constexpr std::uint32_t kNavTransferType = 52;
inline constexpr std::uint32_t kCourseCountdown = 60;
inline constexpr std::uint32_t kCommPending = 64;
inline constexpr std::uint32_t kSelectedType = 68;
inline constexpr std::uint32_t kCommHandedOver = 72;
inline constexpr std::uint32_t kSpare = 76;
inline constexpr std::uint32_t kSize = 80;
}  // namespace out
namespace in {
inline constexpr std::uint32_t kActive = 0;  // + 4 x comm type
inline constexpr std::uint32_t kVor = 24;    // + 4 x side
inline constexpr std::uint32_t kAdf = 32;    // + 4 x side
inline constexpr std::uint32_t kIls = 40;
inline constexpr std::uint32_t kSelLight = 56;
inline constexpr std::uint32_t kPowered = 57;
inline constexpr std::uint32_t kAcknowledge = 58;
inline constexpr std::uint32_t kLampTest = 59;
}  // namespace in

// Keys.
inline constexpr int kKeyCount = 14;
inline constexpr int kSelKey = 6;
inline constexpr int kNavKey = 7;
inline constexpr int kVorKey = 8;
inline constexpr int kAdfKey = 11;
inline constexpr int kBfoKey = 12;
inline constexpr int kXfrKey = 13;
}  // namespace rmp

class CA330_Rmp : public KitPanel<KitCounts{
                      .buttons = rmp::kKeyCount, .switches = 1, .displays = 2, .rotaries = 1}> {
  public:
    explicit CA330_Rmp(int side = 0) : KitPanel(rmp::kDescription) { SetSide(side); }

    // Before Initialise: side 0 to 2 (limited); selects VHF1, VHF2 or VHF3.
    void SetSide(int side);
    void RefreshFromOutputs() override;

    int GetSelectedType() const { return m_type; }
    bool IsFineStep() const { return m_fineStep; }
    bool IsStandbyNav() const { return m_standbyNav; }
    int GetNavSubState() const { return m_navSub; }
    const rmp::RmpTuningValue& CommRecord(int type) const { return m_comm[type]; }
    const rmp::RmpTuningValue& NavRecord(int record) const { return m_nav[record]; }
    CButtonClass& Key(int i) { return Buttons()[static_cast<std::size_t>(i)]; }
    CRotaryKnobClass& Knob() { return Rotaries()[0]; }
    CGuardedCover& NavCover(int i) { return m_navCovers[i]; }
    // The texts of the active (0) and standby (1) windows, as drawn.
    void WindowText(int window, char (&text)[rmp::kTextSize]) const;

  protected:
    bool InitialiseExtra(const char* folder) override;
    void BeforeControls(std::uint8_t* view, MouseEvent* event) override;
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;
    bool ButtonLit(int index, const std::uint8_t* view) const override;
    bool DisplayText(int index, const std::uint8_t* view, char* text,
                     std::size_t size) const override;
    void DrawExtra(CDC* dc) override;

  private:
    void Select();
    void CommTuning(std::uint8_t* view, int delta);
    void NavTuning(std::uint8_t* view, int delta);
    void ResetNavigation(std::uint8_t* view);
    int Side() const { return GetSide(); }
    bool CanNavigate() const { return Side() < 2; }

    float InFloat(const std::uint8_t* view, std::uint32_t offset) const;
    void OutInt(std::uint8_t* view, std::uint32_t offset, std::int32_t value) const;
    std::int32_t ReadOutInt(const std::uint8_t* view, std::uint32_t offset) const;

    int m_type = rmp::kVhf1;
    bool m_fineStep = true;
    bool m_standbyNav = false;
    int m_commType = rmp::kVhf1;
    int m_navSub = 0;  // 0 frequency, 1 course
    Kx_Remember m_navPress;
    Kx_Remember m_commTransfer;
    Kx_Remember m_navTransfer;
    Kx_Remember m_rightPress;
    rmp::RmpTuningValue m_comm[rmp::kCommTypes];
    rmp::RmpTuningValue m_nav[rmp::kNavRecords];
    CGuardedCover m_navCovers[2];
};
