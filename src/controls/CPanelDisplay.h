// CPanelDisplay: a numeric panel window (frequency, heading, altitude,
// pressure, fuel, clock): a row of up to 49 character cells side by side,
// each drawing one glyph of the shared glyph table (CDisplaySegment).
//
// The owning panel initialises it once and then sets its text whenever the
// value changes or on every draw, passing its drawing context. A cell draws
// only when its character changes; after repainting the picture under the
// display, the panel calls ForgetCachedCharacters so that the next text is
// drawn in full.
#pragma once

#include <cstdint>
#include <memory>

#include "controls/CDisplaySegment.h"
#include "log/Kx_ErrorReport.h"

class CDC;

struct PanelDisplaySettings {
    std::int32_t cellCount = 0;    // 1 to 49 (more are cut to 49)
    const char* folder = nullptr;  // cockpit bitmap folder
    std::int32_t panelX = 0;
    std::int32_t panelY = 0;
    std::int32_t xOffset = 0;
    std::int32_t yOffset = 0;
    double scale = 1.0;
};

class CPanelDisplay : public Kx_ErrorReport {
  public:
    static constexpr int kMaxCells = 49;

    CPanelDisplay();
    ~CPanelDisplay();
    CPanelDisplay(const CPanelDisplay&) = delete;
    CPanelDisplay& operator=(const CPanelDisplay&) = delete;

    // Creates the cells at (panel + offset) x scale. A count of 0 or less
    // leaves the display uninitialised.
    bool Initialise(const PanelDisplaySettings& settings);

    // Up to cell-count characters from the left; cells beyond the text keep
    // what they show.
    void SetDisplay(const char* text, CDC* dc);
    // The same, and cells beyond the text are blanked.
    void SetDisplayPadded(const char* text, CDC* dc);
    // Draws the first character (a space or a digit) as amber text in a cell.
    void SetDisplayNumber(const char* character, CDC* dc, int cell);
    // Every cell draws its next character whatever it showed before.
    void ForgetCachedCharacters();

    bool IsInitialised() const { return m_initialised; }
    int GetCellCount() const { return m_cellCount; }
    double GetScale() const { return m_scale; }
    const CDisplaySegment* GetCell(int cell) const;

  private:
    int SetCells(const char* text, CDC* dc);

    double m_scale = 1.0;
    std::int32_t m_cellCount = 0;
    bool m_initialised = false;
    std::unique_ptr<CDisplaySegment> m_cells[kMaxCells];
};
