// The two thrust levers of the pedestal. The trainee moves a lever by
// clicking a band of its picture; the lever angles live in the engine area of
// the generic segment as doubles, where the host may move them too, and the
// detent each angle reads as chooses the picture and the detent code that
// the panel publishes.
#pragma once

#include <cstdint>

#include "panels/CKitPanel.h"
#include "panels/LeverTrimRules.h"
#include "shm/SimSegment.h"

namespace thrust {

extern const kit::PanelDescription kDescription;

inline constexpr int kLevers = 2;
// Pictures per lever, in set-up order: idle, climb, maximum continuous,
// take-off, reverse; the left lever's first.
inline constexpr int kPicturesPerLever = 5;

// Engine lever angles and the reverse bytes (absolute, in every region).
inline constexpr GenField<double> kAngle[4] = {{67416}, {67424}, {67432}, {67440}};
inline constexpr GenField<std::uint8_t> kReverseCondition1{37717};
inline constexpr GenField<std::uint8_t> kReverseCondition2{37718};
inline constexpr GenField<std::uint8_t> kAnglesAuthoritative{67475};
inline constexpr GenField<std::uint8_t> kReverseSelected{67478};
// Detent codes (ints) in the output block: left lever, then right.
inline constexpr std::uint32_t kDetentOut[kLevers] = {0, 4};

}  // namespace thrust

class CThrustLever : public KitPanel<KitCounts{.lights = 10}> {
  public:
    static constexpr int kNotDrawn = 1;  // no detent drawn yet

    CThrustLever() : KitPanel(thrust::kDescription) {}

    void RefreshFromOutputs() override;

    int Detent(int lever) const { return m_detent[lever]; }
    int DrawnDetent(int lever) const { return m_drawn[lever]; }
    // The lever's angle in the segment.
    static double Angle(const std::uint8_t* view, int lever);

  protected:
    bool InitialiseExtra(const char* folder) override;
    void BeforeControls(std::uint8_t* view, MouseEvent* event) override;
    bool IsActive(Kind kind, int /*index*/) const override { return kind != Kind::Light; }
    void DrawExtra(CDC* dc) override;
    void OnControlFailure(Kind kind) override;

  private:
    void ReadDetents(const std::uint8_t* view);
    CLightClass& Picture(int lever, int detent);

    int m_detent[thrust::kLevers] = {levers::kIdle, levers::kIdle};
    int m_drawn[thrust::kLevers] = {kNotDrawn, kNotDrawn};
    CRect m_clickRect[thrust::kLevers];
    int m_bandHeight = 0;
};
