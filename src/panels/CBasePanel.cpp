#include "panels/CBasePanel.h"

#include "util/KxText.h"

std::uint8_t* CBasePanel::s_view = nullptr;

void CBasePanel::SetScale(double scale) {
    m_scale = kx::Limit(scale, 0.1, 5.0);
}
