// A segment and a mouse for one panel test: updates with the mouse at a
// point of the panel (offsets from its origin), clicks, and idle updates with
// the mouse far away.
#pragma once

#include <cstdint>
#include <vector>

#include "controls/CPanelMouse.h"
#include "controls/MouseEvent.h"
#include "panels/CBasePanel.h"
#include "platform/WinTypes.h"
#include "shm/SimSegment.h"

namespace panelbed {

class Bed {
  public:
    Bed(int originX, int originY) : m_x(originX), m_y(originY) {
        m_segment.assign(Gensim_Shm::kSize, 0);
        CBasePanel::SetSharedMemory(m_segment.data());
    }
    ~Bed() { CBasePanel::SetSharedMemory(nullptr); }
    Bed(const Bed&) = delete;
    Bed& operator=(const Bed&) = delete;

    std::uint8_t* View() { return m_segment.data(); }

    void At(CBasePanel& panel, int localX, int localY, int code) {
        CPanelMouse::SetScroll(0, 0);
        CPanelMouse::SetMousePoint(m_x + localX, m_y + localY);
        m_event.code = code;
        panel.Update(&m_event);
    }
    void Click(CBasePanel& panel, int localX, int localY) {
        At(panel, localX, localY, MouseEvent::kNone);
        At(panel, localX, localY, MouseEvent::kLeftPress);
        At(panel, localX, localY, MouseEvent::kNone);
    }
    void RightClick(CBasePanel& panel, int localX, int localY) {
        At(panel, localX, localY, MouseEvent::kNone);
        At(panel, localX, localY, MouseEvent::kRightPress);
        At(panel, localX, localY, MouseEvent::kNone);
    }
    void Idle(CBasePanel& panel, int updates = 1) {
        for (int i = 0; i < updates; ++i)
            At(panel, -500, -500, MouseEvent::kNone);
    }

  private:
    int m_x;
    int m_y;
    std::vector<std::uint8_t> m_segment;
    MouseEvent m_event;
};

}  // namespace panelbed

#include <filesystem>

namespace panelbed {

// The pictures of the ADIRS, light switch, engine start and ECAM control
// panels, written once per test run.
const std::filesystem::path& KeypadPanelsArt();

}  // namespace panelbed
