#include "app/CA320Cockpit.h"

#include "controls/MouseEvent.h"
#include "panels/PanelLayout.h"
#include "shm/GenericLayout.h"

namespace {

// The order in which the panels are set up at start-up.
constexpr int kInitialisationOrder[] = {
    8,  9,  2,  3,  4, 5, 6,  21, 22, 25, 10, 11, 20, 19, 24, 23, 31, 36, 18, 27, 37, 38, 39, 40,
    41, 42, 43, 44, 0, 7, 45, 47, 28, 17, 33, 48, 35, 46, 15, 49, 32, 12, 14, 13, 29, 34, 30, 50,
};

// Panels whose remote-hold flag the main window clears after start-up.
constexpr int kRemoteHoldPanels[] = {3, 8, 9, 10, 11, 19, 43, 44, 24, 27, 36, 37, 38, 40, 41};

// Panels that a click does not update at once: the two EFIS control panels,
// the FCU, the data screen and the clock see the event in their turn.
constexpr int kRoundRobinOnly[] = {4, 5, 20, 23, 25};

constexpr int kCaptainEfisPanel = 4;
constexpr int kLeftGlareshieldPanel = 21;
constexpr int kFcuPanel = 20;
constexpr int kUnplacedPanel = 1;  // its place never stops the search for a hit

}  // namespace

CA320Cockpit::CA320Cockpit() {
    BuildLayout();
    for (int& entry : m_visible)
        entry = -1;
}

void CA320Cockpit::InstallPanel(int number, CBasePanel* panel) {
    if (number >= 0 && number < kPanelCount)
        m_panels[number] = panel;
}

void CA320Cockpit::StartWithAllPanelsVisible() {
    for (int n = 0; n < kPanelCount; ++n)
        m_visible[n] = n;
    m_visibleCount = kPanelCount;
}

CBasePanel* CA320Cockpit::GetPanel(int number) const {
    return number >= 0 && number < kPanelCount ? m_panels[number] : nullptr;
}

void CA320Cockpit::BuildLayout() {
    for (int n = 0; n < kPanelCount; ++n) {
        const auto& place = panels::kPanelLayout[n];
        m_layout[n] = LayoutRecord{n, place.x, place.y, place.width, place.height};
    }
}

bool CA320Cockpit::Initialise(const char* bitmapDirectory) {
    BuildLayout();
    for (CBasePanel* panel : m_panels) {
        if (panel != nullptr)
            panel->SetAircraftType(CBasePanel::kTypeA320);
    }
    for (int number : kInitialisationOrder) {
        CBasePanel* panel = m_panels[number];
        if (panel == nullptr)
            continue;
        const LayoutRecord& place = m_layout[number];
        panel->SetOutline(CRect(place.x, place.y, place.x + place.width, place.y + place.height));
        if (!panel->Initialise(bitmapDirectory, place.x, place.y)) {
            SetError(panel->GetErrorText());
            return false;
        }
    }
    m_manualEngineStart.SetMode(CManEngPanel::kN1Mode);
    return true;
}

void CA320Cockpit::SetRemoteHoldAll(bool hold) {
    for (int number : kRemoteHoldPanels) {
        if (CBasePanel* panel = m_panels[number])
            panel->SetRemoteHold(hold);
    }
}

bool CA320Cockpit::Overlaps(int number, int left, int top, int right, int bottom) const {
    const LayoutRecord& p = m_layout[number];
    return !(p.x > right || p.x + p.width < left || p.y + p.height < top || p.y > bottom);
}

void CA320Cockpit::RebuildVisibleList(int left, int top, int right, int bottom) {
    for (int& entry : m_visible)
        entry = -1;
    m_visibleCount = 0;
    for (int n = 0; n < kPanelCount; ++n) {
        if (Overlaps(n, left, top, right, bottom))
            m_visible[m_visibleCount++] = n;
    }
    m_visibleLeft = left;
    m_visibleTop = top;
}

void CA320Cockpit::UpdateVisible(int left, int top, int right, int bottom, MouseEvent* event) {
    m_event = event;
    if (m_updateAllVisible) {
        RebuildVisibleList(left, top, right, bottom);
        for (int i = 0; i < m_visibleCount; ++i) {
            if (CBasePanel* panel = GetPanel(m_visible[i]))
                panel->Update(event);
        }
        RunFcuHook();
        m_roundRobin = 0;
    } else {
        if (m_roundRobin == 0)
            RebuildVisibleList(left, top, right, bottom);
        // The place after the last visible panel holds -1: that iteration
        // updates no panel, only the FCU hook runs.
        UpdatePanel(m_visible[m_roundRobin]);
        m_roundRobin = m_roundRobin < m_visibleCount ? m_roundRobin + 1 : 0;
    }
    if (m_firstUpdate) {
        m_firstUpdate = false;
        UpdateAll();
    }
    ApplyRemoteHoldRequest();
}

void CA320Cockpit::ApplyRemoteHoldRequest() {
    if (m_view == nullptr)
        return;
    std::int32_t request = generic::kRemoteHoldRequest.Read(m_view);
    if (request == m_lastRemoteHoldRequest)
        return;
    if (CBasePanel* efis = m_panels[kCaptainEfisPanel]) {
        efis->SetRemoteHold(generic::kRemoteHoldCaptEfis.Read(m_view) != 0);
    }
    if (CBasePanel* glareshield = m_panels[kLeftGlareshieldPanel]) {
        glareshield->SetRemoteHold(generic::kRemoteHoldLeftGlareshield.Read(m_view) != 0);
    }
    m_lastRemoteHoldRequest = request;
}

// The MCDU display refresh (while m_mcduRefresh is set) and the FCU's own
// per-iteration step join here with those panels.
void CA320Cockpit::UpdatePanel(int number) {
    if (m_event == nullptr)
        return;
    if (CBasePanel* panel = GetPanel(number))
        panel->Update(m_event);
    RunFcuHook();
}

// The host can ask the FCU to be updated every iteration.
void CA320Cockpit::RunFcuHook() {
    CBasePanel* fcu = m_panels[kFcuPanel];
    if (fcu == nullptr || m_view == nullptr || m_event == nullptr)
        return;
    for (const auto& request : generic::kFcuRequests) {
        if (request.Read(m_view) != 0) {
            fcu->Update(m_event);
            break;
        }
    }
}

void CA320Cockpit::UpdateAll() {
    for (int n = 0; n < kPanelCount; ++n)
        UpdatePanel(n);
}

int CA320Cockpit::FindPanel(CPoint point) const {
    for (int n = 0; n < kPanelCount; ++n) {
        if (n == kUnplacedPanel)
            continue;
        const LayoutRecord& p = m_layout[n];
        if (p.x <= point.x && point.x <= p.x + p.width && p.y <= point.y &&
            point.y <= p.y + p.height) {
            return n;
        }
    }
    return kNoPanel;
}

void CA320Cockpit::OnMouse(CPoint point) {
    int number = FindPanel(point);
    for (int later : kRoundRobinOnly) {
        if (number == later)
            return;
    }
    UpdatePanel(number);
    m_lastHit = number;
}

void CA320Cockpit::Draw(CDC* dc) {
    if (CBasePanel* hit = GetPanel(m_lastHit))
        hit->Draw(dc);
    for (int i = 0; i < m_visibleCount; ++i) {
        if (CBasePanel* panel = GetPanel(m_visible[i]))
            panel->Draw(dc);
    }
}
