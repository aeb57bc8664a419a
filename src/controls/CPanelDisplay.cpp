#include "controls/CPanelDisplay.h"

#include <climits>
#include <string>

#include "util/KxText.h"

namespace {

constexpr const char* kNotInitialised = "Object Not Initialise";

int Truncate(double value) {
    return static_cast<int>(
        kx::Limit(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

}  // namespace

CPanelDisplay::CPanelDisplay() {
    // Give the error report room for the longest text it keeps now, so that a
    // text set later (a wrong cell index on every draw) does not allocate.
    SetError(std::string(Kx_ErrorReport::kCopyOutSize, ' '));
    SetError("");
}

CPanelDisplay::~CPanelDisplay() = default;

bool CPanelDisplay::Initialise(const PanelDisplaySettings& settings) {
    m_initialised = false;
    m_cellCount = settings.cellCount;
    if (m_cellCount <= 0)
        return false;
    if (m_cellCount > kMaxCells)
        m_cellCount = kMaxCells;

    m_scale =
        kx::Limit(settings.scale, CBaseCockpitControl::kMinScale, CBaseCockpitControl::kMaxScale);
    // The scale applies to the panel position as well as to the offset.
    const int x0 = Truncate((static_cast<double>(settings.panelX) + settings.xOffset) * m_scale);
    const int y0 = Truncate((static_cast<double>(settings.panelY) + settings.yOffset) * m_scale);

    for (int i = 0; i < kMaxCells; ++i)
        m_cells[i].reset();
    for (int i = 0; i < m_cellCount; ++i) {
        m_cells[i] = std::make_unique<CDisplaySegment>();
        if (!m_cells[i]->Initialise(i, settings.folder, x0, y0)) {
            SetError(m_cells[i]->GetErrorText());
            return false;
        }
    }
    m_initialised = true;
    return true;
}

int CPanelDisplay::SetCells(const char* text, CDC* dc) {
    const int n = static_cast<int>(kx::BoundedLength(text, static_cast<std::size_t>(m_cellCount)));
    for (int i = 0; i < n; ++i)
        m_cells[i]->SetCharacter(text[i], dc);
    return n;
}

void CPanelDisplay::SetDisplay(const char* text, CDC* dc) {
    if (!m_initialised) {
        SetError("CPanelDisplay::SetDisplay", kNotInitialised);
        return;
    }
    SetCells(text, dc);
}

void CPanelDisplay::SetDisplayPadded(const char* text, CDC* dc) {
    if (!m_initialised) {
        SetError("CPanelDisplay::SetDisplay", kNotInitialised);
        return;
    }
    for (int i = SetCells(text, dc); i < m_cellCount; ++i)
        m_cells[i]->SetCharacter(' ', dc);
}

void CPanelDisplay::SetDisplayNumber(const char* character, CDC* dc, int cell) {
    if (!m_initialised) {
        SetError("CPanelDisplay::SetDisplayNumber", kNotInitialised);
        return;
    }
    // A negative index is as wrong as one past the end.
    if (cell < 0 || cell >= m_cellCount) {
        SetError("CPanelDisplay::SetDisplayNumber", "Wrong Segment");
        return;
    }
    m_cells[cell]->DrawTextCharacter(character ? character[0] : '\0', dc);
}

void CPanelDisplay::ForgetCachedCharacters() {
    for (int i = 0; i < m_cellCount; ++i) {
        if (m_cells[i])
            m_cells[i]->ForgetCharacter();
    }
}

const CDisplaySegment* CPanelDisplay::GetCell(int cell) const {
    if (cell < 0 || cell >= kMaxCells)
        return nullptr;
    return m_cells[cell].get();
}
