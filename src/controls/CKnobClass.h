// CKnobClass: a selector knob with up to eight positions 45 degrees apart,
// one picture per position, chosen by clicking the part of the knob that
// points to the wanted position.
//
// The picture is cut into a 3 x 3 grid (cells w/3 by h/3, integer division);
// each position owns one outer cell, the centre belongs to none. The outer
// edges of the outer cells can be moved outward by a vertical and a
// horizontal margin (InitialiseWithMargins):
//
//      7 (315)   0 (000)   1 (045)
//      6 (270)      -      2 (090)
//      5 (225)   4 (180)   3 (135)
//
// Pictures: folder + "\" + control folder + kPositionNames[n], for the
// present positions only.
#pragma once

#include <cstdint>

#include "controls/CBaseCockpitControl.h"
#include "controls/MouseEvent.h"

struct KnobSettings {
    std::int32_t leadingWord = 0;         // not used by the knob
    std::uint8_t present[8] = {};         // positions 0 to 7
    const char* folder = nullptr;         // cockpit bitmap folder
    const char* controlFolder = nullptr;  // e.g. "Knobs\XBleed"
    std::int32_t xOffset = 0;
    std::int32_t yOffset = 0;
    std::int32_t panelX = 0;
    std::int32_t panelY = 0;
    double scale = 1.0;
    std::int32_t verticalMargin = 0;    // only InitialiseWithMargins
    std::int32_t horizontalMargin = 0;  // only InitialiseWithMargins
};

class CKnobClass : public CBaseCockpitControl {
  public:
    static constexpr int kPositionCount = 8;
    static constexpr const char* kPositionNames[kPositionCount] = {
        "\\Knob000.bmp", "\\Knob045.bmp", "\\Knob090.bmp", "\\Knob135.bmp",
        "\\Knob180.bmp", "\\Knob225.bmp", "\\Knob270.bmp", "\\Knob315.bmp",
    };
    // Grid cell (row, column) of each position.
    static constexpr int kPositionRow[kPositionCount] = {0, 0, 1, 2, 2, 2, 1, 0};
    static constexpr int kPositionColumn[kPositionCount] = {1, 2, 2, 2, 1, 0, 0, 0};

    bool Initialise(const KnobSettings& settings);
    bool InitialiseWithMargins(const KnobSettings& settings);

    // Any event but "none" over a present position's zone selects it.
    void HandleMouse(MouseEvent* event);
    void SetKnobPosition(int position);
    int GetKnobPosition() const { return m_index; }
    bool IsInitialised() const { return m_initialised != 0; }
    // A position's zone relative to the knob's corner.
    CRect GetZone(int position) const;

  private:
    std::int32_t m_verticalMargin = 0;
    std::int32_t m_horizontalMargin = 0;
    bool m_present[kPositionCount] = {};
    std::int32_t m_initialised = 0;
    CRect m_size;
    CRect m_zones[kPositionCount];
};
