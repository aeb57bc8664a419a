// A test bench for one panel: a private segment, the art its rows name, and
// the mouse driven update by update at points given from the panel origin.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "PanelArt.h"
#include "controls/CPanelMouse.h"
#include "controls/MouseEvent.h"
#include "panels/CBasePanel.h"
#include "shm/SimSegment.h"
#include "support/TestSupport.h"

class PanelHarness {
  public:
    PanelHarness(CBasePanel& panel, int x, int y) : m_panel(panel), m_x(x), m_y(y) {
        segment.assign(Gensim_Shm::kSize, 0);
        CBasePanel::SetSharedMemory(segment.data());
    }
    ~PanelHarness() { CBasePanel::SetSharedMemory(nullptr); }
    PanelHarness(const PanelHarness&) = delete;
    PanelHarness& operator=(const PanelHarness&) = delete;

    // Writes the art of the descriptions and initialises the panel on it.
    ::testing::AssertionResult Start(std::initializer_list<const kit::PanelDescription*> descs) {
        for (const kit::PanelDescription* desc : descs)
            panelart::WriteDescriptionArt(m_art.Path(), *desc);
        if (m_panel.Initialise(m_art.Path().c_str(), m_x, m_y))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << m_panel.GetErrorText();
    }
    const std::filesystem::path& ArtPath() const { return m_art.Path(); }

    // One update with the mouse at a point from the panel origin.
    void At(CPoint local, int code) {
        CPanelMouse::SetScroll(0, 0);
        CPanelMouse::SetMousePoint(m_x + local.x, m_y + local.y);
        event.code = code;
        event.x = m_x + local.x;
        event.y = m_y + local.y;
        m_panel.Update(&event);
    }
    // Released, pressed for `updates` updates, released.
    void Hold(CPoint local, int updates, int code = MouseEvent::kLeftPress) {
        At(local, MouseEvent::kNone);
        for (int i = 0; i < updates; ++i)
            At(local, code);
        At(local, MouseEvent::kNone);
    }
    void Click(CPoint local) { Hold(local, 1); }
    void RightClick(CPoint local) { Hold(local, 1, MouseEvent::kRightPress); }
    // Updates with the mouse away from every control.
    void Idle(int updates = 1) {
        for (int i = 0; i < updates; ++i)
            At(CPoint(-500, -500), MouseEvent::kNone);
    }
    // The centre of a push-button row of the description art.
    static CPoint KeyAt(const kit::ButtonRow& row) {
        return CPoint(row.x + panelart::kArtButtonSize[0] / 2,
                      row.y + panelart::kArtButtonSize[1] / 2);
    }

    template <typename T>
    T Get(std::uint32_t offset) const {
        return GenField<T>::At(offset).Read(segment.data());
    }
    template <typename T>
    void Put(std::uint32_t offset, T value) {
        GenField<T>::At(offset).Write(segment.data(), value);
    }

    std::vector<std::uint8_t> segment;
    MouseEvent event;

  private:
    CBasePanel& m_panel;
    int m_x;
    int m_y;
    testsupport::TempDir m_art;
};
