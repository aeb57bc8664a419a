// CBaseCockpitControl: the common base of every clickable or lit element a
// panel draws (push-buttons, switches, knobs, rotary knobs, levers, covers,
// guard frames, lights and display cells).
//
// A control owns up to eight pictures loaded once at start-up, its place on
// the cockpit picture, the index of the picture shown now, a scale factor that
// places it, the hit tests and the conversion of the mouse point into its own
// coordinates. Its error text is the Kx_ErrorReport it derives from; the
// owning panel reads it after a failed Initialise.
//
// The kind, fixed at initialisation, selects the validity rule that
// Initialise applies and the drawing rule of Draw, so a derived class usually
// only sets the picture index. A picture that did not load is never drawn.
//
// Calling order: construct, then the derived class's Initialise (which sets
// the scale, fills a ControlDefinition and calls Initialise here), then any
// number of mouse, state and Draw calls. Nothing is allocated after
// Initialise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "controls/CPanelMouse.h"
#include "controls/MouseEvent.h"
#include "log/Kx_ErrorReport.h"
#include "platform/CBitmapFile.h"
#include "platform/WinTypes.h"

class CDC;

enum class ControlType : std::int32_t {
    Switch = 0,         // pictures 0..2 by position
    PushButton = 1,     // pictures 0..7 (0..3 with the reduced set)
    Knob = 2,           // pictures 0..7 by position
    RotaryKnob = 3,     // the rotary knob draws itself
    Light = 4,          // picture 1 when the index is non-zero, else picture 0
    Lever = 5,          // pictures 0..7 by detent
    None = 6,           // never initialised successfully: draws nothing
    GuardedButton = 7,  // the guard-frame rule
    Cover = 8,          // picture 1 when the index is 1, else picture 0
};

// One picture slot: the picture and its size.
struct ControlImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    CBitmapFile bitmap;
};

// How a derived class describes its control to Initialise. Value-initialise it
// (ControlDefinition def{}) so that every name starts empty.
struct ControlDefinition {
    static constexpr int kSlotCount = 8;
    static constexpr std::size_t kNameSize = 1024;

    ControlType kind{};
    std::int32_t positionCount = 0;  // switches only
    std::uint8_t reducedPictureSet = 0;
    // Full picture file names; an empty name means the slot has no picture.
    char fileNames[kSlotCount][kNameSize] = {};
    // Already scaled and offset: panel x + ScaleValue(x offset), likewise y.
    std::int32_t x = 0;
    std::int32_t y = 0;
};

class CBaseCockpitControl : public Kx_ErrorReport {
  public:
    static constexpr int kSlotCount = ControlDefinition::kSlotCount;
    static constexpr std::size_t kNameSize = ControlDefinition::kNameSize;
    static constexpr int kGuardPositionCount = 8;
    // Guard state of covers and guard frames.
    static constexpr int kGuardClosed = 1;
    static constexpr int kGuardOpen = 2;
    static constexpr int kGuardUnset = 3;

    static constexpr double kMinScale = 0.1;
    static constexpr double kMaxScale = 5.0;

    CBaseCockpitControl() = default;
    virtual ~CBaseCockpitControl() = default;
    CBaseCockpitControl(const CBaseCockpitControl&) = delete;
    CBaseCockpitControl& operator=(const CBaseCockpitControl&) = delete;

    // Draws by the kind's rule. The kind rules are called directly, never
    // through the slots below, so a derived class may route a slot to Draw.
    virtual void Draw(CDC* dc);
    virtual void DrawSwitch(CDC* dc);
    virtual void DrawKnob(CDC* dc);
    virtual void DrawButton(CDC* dc);

    // Loads the named pictures and applies the kind's validity rule. Returns
    // false without changing the kind when no picture loaded at all.
    bool Initialise(const ControlDefinition& definition);

    // Validity rules (they set the error text when they fail).
    bool IsSwitchValid(int positionCount);
    bool IsCoverValid();

    void SetScale(double scale);
    double GetScale() const { return m_scale; }
    // value x scale, truncated toward zero.
    int ScaleValue(int value) const;

    void SetImageIndex(bool second) { m_index = second ? 1 : 0; }
    int GetImageIndex() const { return m_index; }

    // The mouse point on the cockpit picture minus the control's corner; also
    // remembers the picture point as the last click point.
    void GetLocalMousePoint(CPoint& out);
    CPoint GetLastClickPoint() const { return m_lastClick; }

    // Strictly inside: a point on the border is outside.
    bool IsPointInside(int x, int y) const;
    bool IsLocalPointInside(int x, int y) const;

    CRect GetSize() const { return CRect(0, 0, m_rect.Width(), m_rect.Height()); }
    CRect GetRect() const { return m_rect; }
    int GetX() const { return m_x; }
    int GetY() const { return m_y; }
    ControlType GetKind() const { return m_kind; }
    bool IsImageLoaded(int slot) const;
    // A loaded slot's picture file (as found on disk) and size.
    const std::string& GetImagePath(int slot) const { return m_images[slot].bitmap.Path(); }
    CSize GetImageSize(int slot) const {
        return CSize(m_images[slot].width, m_images[slot].height);
    }

    // The number of the real-time loop's current iteration, program-wide
    // (the main dialog sets it at every iteration). Controls that must hold
    // a short input for the host to see it count with it.
    static void SetIteration(std::int32_t iteration) { s_iteration = iteration; }
    static std::int32_t GetIteration() { return s_iteration; }
    bool IsAnyImageLoaded() const { return m_anyLoaded; }
    // The first picture that failed to load ("" when none did).
    const char* GetFailedName() const { return m_failedName; }
    bool HasFailedName() const { return m_hasFailedName; }

  protected:
    // The guards' right-button rule: a cycle without a held button arms the
    // guard; a right press whose control-local point passes the zone test
    // then toggles the guard state once. True when it toggled.
    template <typename ZoneTest>
    bool ToggleGuardOnRightPress(const MouseEvent* event, bool& armed, ZoneTest inZone) {
        if (event == nullptr)
            return false;
        if (event->code == MouseEvent::kNone) {
            armed = true;
            return false;
        }
        if (event->code != MouseEvent::kRightPress || !armed)
            return false;
        CPoint p;
        GetLocalMousePoint(p);
        if (!inZone(p))
            return false;
        m_guardState = (m_guardState == kGuardClosed) ? kGuardOpen : kGuardClosed;
        armed = false;
        return true;
    }

    // Joins the parts of a picture file name (a null part counts as empty),
    // cut to kNameSize - 1 characters.
    static void JoinPictureName(char (&out)[kNameSize], const char* a, const char* b,
                                const char* c = nullptr, const char* d = nullptr);

    // Loads one picture into a slot and makes the control rectangle the size
    // of that picture at the control's corner.
    bool LoadControlImage(ControlImage& slot, const char* fileName);

    // Moves the control's corner (and its pointer object).
    void SetPosition(int x, int y);
    // Draws a slot's picture at the control's corner, or at a given point.
    void DrawSlot(CDC* dc, int slot);
    void DrawSlotAt(CDC* dc, int slot, int x, int y);

    double m_scale = 1.0;
    ControlImage m_images[kSlotCount];
    bool m_loaded[kSlotCount] = {};
    ControlType m_kind = ControlType::None;
    std::int32_t m_index = 0;
    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    bool m_reducedSet = false;
    CRect m_rect;
    CPanelMouse m_mouse;
    bool m_anyLoaded = false;

    // Guard frames (kind 7): state, the eight picture positions and whether
    // the closed guard was drawn last.
    std::int32_t m_guardState = kGuardUnset;
    CPoint m_guardPositions[kGuardPositionCount];
    bool m_closedGuardDrawn = false;

    CPoint m_lastClick;
    char m_failedName[kNameSize] = {};
    bool m_hasFailedName = false;

  private:
    static inline std::int32_t s_iteration = 0;

    void DrawIndexed(CDC* dc, int count);
    void DrawGuard(CDC* dc);
    bool ApplyValidity(const ControlDefinition& definition);
};
