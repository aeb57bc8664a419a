// Drives one kit panel the way the cockpit does: its own segment, the mouse
// on a point of the picture, updates, and a drawing to read pixels from.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "KitPanelArt.h"
#include "controls/CPanelMouse.h"
#include "controls/MouseEvent.h"
#include "panels/CKitPanel.h"
#include "platform/CDC.h"
#include "shm/SimSegment.h"
#include "support/TestSupport.h"

namespace kitart {

// One art set for the whole test program.
inline const ArtSet& Art() {
    static testsupport::TempDir dir;
    static const ArtSet art(dir.Path());
    return art;
}

class Driver {
  public:
    static constexpr int kX = 10;  // the panel origin in these tests
    static constexpr int kY = 10;

    explicit Driver(CKitPanel& panel, int type = 13) : m_panel(panel) {
        segment.assign(Gensim_Shm::kSize, 0);
        CBasePanel::SetSharedMemory(segment.data());
        panel.SetAircraftType(type);
        initialised = panel.Initialise(Art().Folder(), kX, kY);
    }
    ~Driver() { CBasePanel::SetSharedMemory(nullptr); }
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    static CPoint Centre(const CRect& r) {
        return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    void Update(CPoint at, int code) {
        CPanelMouse::SetScroll(0, 0);
        CPanelMouse::SetMousePoint(at.x, at.y);
        m_event.code = code;
        m_panel.Update(&m_event);
    }
    // Updates with the mouse away from every control.
    void Idle(int count = 2) {
        for (int i = 0; i < count; ++i)
            Update(CPoint(-100, -100), MouseEvent::kNone);
    }
    void Press(CPoint at, int code = MouseEvent::kLeftPress) {
        Update(at, MouseEvent::kNone);
        Update(at, code);
    }
    void Click(CPoint at, int code = MouseEvent::kLeftPress) {
        Press(at, code);
        Update(at, MouseEvent::kNone);
    }
    COLORREF Pixel(CPoint at) {
        CDC dc(800, 500, RGB(0, 0, 0));
        m_panel.Draw(&dc);
        return dc.GetPixel(at.x, at.y);
    }

    std::uint8_t Out(std::uint32_t offset) const { return segment[m_panel.OutBlock() + offset]; }
    std::uint8_t In(std::uint32_t offset) const { return segment[m_panel.InBlock() + offset]; }
    void SetIn(std::uint32_t offset, std::uint8_t value) {
        segment[m_panel.InBlock() + offset] = value;
    }
    void SetInInt(std::uint32_t offset, std::int32_t value) {
        std::memcpy(&segment[m_panel.InBlock() + offset], &value, sizeof value);
    }
    void SetOut(std::uint32_t offset, std::uint8_t value) {
        segment[m_panel.OutBlock() + offset] = value;
    }

    bool initialised = false;
    std::vector<std::uint8_t> segment;

  private:
    CKitPanel& m_panel;
    MouseEvent m_event;
};

}  // namespace kitart
