// CBasePanel: what the cockpit manager and every panel share.
//
// The class-wide pointer to the generic segment (set once by the main window
// after attaching), the panel's place on the cockpit picture, its scale, the
// aircraft type code, the remote-hold flag and the error text through which a
// failing panel explains itself. The manager drives every panel through the
// three operations Initialise, Update and Draw.
#pragma once

#include <cstdint>

#include "log/Kx_ErrorReport.h"
#include "platform/WinTypes.h"

class CBaseCockpitControl;
class CDC;
struct MouseEvent;

class CBasePanel : public Kx_ErrorReport {
  public:
    // Aircraft type codes: 7 to 9 select the A330 region, 10 to 13 the A320
    // region; anything else is an incorrect fit for a type-dependent panel.
    static constexpr int kTypeAtConstruction = 9;
    static constexpr int kTypeA320 = 13;
    static bool IsA330Type(int code) { return code >= 7 && code <= 9; }
    static bool IsA320Type(int code) { return code >= 10 && code <= 13; }

    CBasePanel() = default;
    virtual ~CBasePanel() = default;
    CBasePanel(const CBasePanel&) = delete;
    CBasePanel& operator=(const CBasePanel&) = delete;

    static void SetSharedMemory(std::uint8_t* view) { s_view = view; }
    static std::uint8_t* GetSharedMemory() { return s_view; }

    virtual void Notify(int, int, int) {}
    virtual void RefreshFromOutputs() {}
    virtual void SetAllOn() {}
    virtual void SetAircraftType(int code) { m_aircraftType = code; }
    virtual bool QueryAircraftType() { return false; }

    // The cockpit bitmap folder and the panel origin on the cockpit picture.
    virtual bool Initialise(const char* folder, int x, int y) = 0;
    // One update: mouse input to the controls, controls to and from the
    // segment. event may be null (no mouse input).
    virtual void Update(MouseEvent* event) = 0;
    virtual void Draw(CDC* dc) = 0;

    // The panel's controls one by one (for the cockpit-wide checks of the
    // tables): index 0 .. count-1; null past the end.
    virtual const CBaseCockpitControl* GetControl(int) const { return nullptr; }

    CPoint GetPosition() const { return CPoint(m_x, m_y); }
    void SetScale(double scale);
    double GetScale() const { return m_scale; }
    void SetRemoteHold(bool hold) { m_remoteHold = hold; }
    bool IsRemoteHold() const { return m_remoteHold; }
    int GetAircraftType() const { return m_aircraftType; }
    void SetOutline(const CRect& outline) { m_outline = outline; }
    const CRect& GetOutline() const { return m_outline; }
    // Edges included.
    bool IsInside(int x, int y) const {
        return m_outline.left <= x && x <= m_outline.right && m_outline.top <= y &&
               y <= m_outline.bottom;
    }

  protected:
    void SetPosition(int x, int y) {
        m_x = x;
        m_y = y;
    }

    int m_x = 0;
    int m_y = 0;
    double m_scale = 1.0;
    bool m_remoteHold = false;
    int m_aircraftType = kTypeAtConstruction;
    CRect m_outline;

  private:
    static std::uint8_t* s_view;
};
