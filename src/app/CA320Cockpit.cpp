#include "app/CA320Cockpit.h"

#include "controls/CBaseCockpitControl.h"
#include "controls/MouseEvent.h"
#include "panels/PanelLayout.h"
#include "platform/CBitmapFile.h"
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
constexpr int kMcduHoldDown = 6;

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
    m_failureDetail.clear();
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
            DescribeFailedPicture(*panel);
            m_banner = nullptr;
            return false;
        }
        if (!CheckControlsFit(number, *panel)) {
            m_banner = nullptr;
            return false;
        }
    }
    SetUpMcdu(m_mcdu0);
    SetUpMcdu(m_mcdu1);
    m_manualEngineStart.SetMode(CManEngPanel::kN1Mode);
    m_banner = nullptr;
    return true;
}

// A control picture larger than its place (a wrong file in an art set) would
// paint over its neighbours: every loaded picture must lie inside the panel.
bool CA320Cockpit::CheckControlsFit(int number, const CBasePanel& panel) {
    const LayoutRecord& place = m_layout[number];
    for (int i = 0;; ++i) {
        const CBaseCockpitControl* control = panel.GetControl(i);
        if (control == nullptr)
            return true;
        for (int slot = 0; slot < CBaseCockpitControl::kSlotCount; ++slot) {
            if (!control->IsImageLoaded(slot))
                continue;
            const CSize size = control->GetImageSize(slot);
            if (control->GetX() >= place.x && control->GetY() >= place.y &&
                control->GetX() + size.cx <= place.x + place.width &&
                control->GetY() + size.cy <= place.y + place.height) {
                continue;
            }
            SetError("CA320Cockpit::Initialise", "Control picture does not fit its panel");
            m_failureDetail =
                "\n" + control->GetImagePath(slot) + " is " + std::to_string(size.cx) + " x " +
                std::to_string(size.cy) + " pixels at (" + std::to_string(control->GetX()) + ", " +
                std::to_string(control->GetY()) + "); panel " + std::to_string(number) +
                " lies in (" + std::to_string(place.x) + ", " + std::to_string(place.y) + ") " +
                std::to_string(place.width) + " x " + std::to_string(place.height);
            return false;
        }
    }
}

// The control texts name the picture as it was asked for; find the first
// that failed and say what is wrong with the file itself.
void CA320Cockpit::DescribeFailedPicture(const CBasePanel& panel) {
    for (int i = 0;; ++i) {
        const CBaseCockpitControl* control = panel.GetControl(i);
        if (control == nullptr)
            return;
        if (!control->HasFailedName())
            continue;
        CBitmapFile probe;
        if (probe.Load(control->GetFailedName()))
            return;
        m_failureDetail = "\n" + probe.Path() + "\n" + probe.GetReason();
        return;
    }
}

void CA320Cockpit::RefreshMcdus() {
    if (m_mcduRefresh) {
        m_mcdu0.RefreshPage();
        m_mcdu1.RefreshPage();
    }
}

// The row table, the CLR hold-down count and the screen of one MCDU.
void CA320Cockpit::SetUpMcdu(CMcduPanel& mcdu) {
    mcdu.SetHoldDown(kMcduHoldDown);
    mcdu.SetRowTable(mcdu::kRowTable);
    if (m_mcduDisplay == nullptr)
        return;  // no drawing object: the keyboard works, the screen is not drawn
    const CPoint at = mcdu.GetPosition();
    McduDisplaySetup setup;
    setup.screen = CRect(at.x + mcdu::kScreenLeft, at.y + mcdu::kScreenTop,
                         at.x + mcdu::kScreenRight, at.y + mcdu::kScreenBottom);
    setup.display = m_mcduDisplay;
    setup.banner = m_banner;
    mcdu.SetUpDisplay(setup);
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
        RefreshMcdus();
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

// The MCDU page copy (while m_mcduRefresh is set); the FCU's own
// per-iteration step joins here with that panel.
void CA320Cockpit::UpdatePanel(int number) {
    RefreshMcdus();
    if (m_event == nullptr)
        return;
    if (CBasePanel* panel = GetPanel(number))
        panel->Update(m_event);
    RunFcuHook();
}

// The host can ask the FCU to be updated every iteration: any of the FCU
// request bytes, or any preset request in the FCU's own input block. The
// request bytes at 75216.. are the preset requests of the A330 region; the
// cockpit runs the A320 region, so the FCU's own block is looked at as well
// (a host written for either region is heard). Then the FCU's own step: the
// host's presets, every iteration.
void CA320Cockpit::RunFcuHook() {
    CBasePanel* fcu = m_panels[kFcuPanel];
    if (fcu == nullptr || m_view == nullptr || m_event == nullptr)
        return;
    CFcuPanel* unit = fcu == &m_fcu ? &m_fcu : nullptr;
    bool requested = unit != nullptr && unit->HasPresetRequest();
    for (const auto& request : generic::kFcuRequests)
        requested = requested || request.Read(m_view) != 0;
    if (requested)
        fcu->Update(m_event);
    if (unit != nullptr)
        unit->ApplyHostPresets();
}

void CA320Cockpit::UpdateAll() {
    for (int n = 0; n < kPanelCount; ++n)
        UpdatePanel(n);
}

// The first place that holds the point, unless a later place that also holds
// it has a control drawn under the point: places overlap at their edges (and
// the places kept for absent panels overlap panels), and a click must reach
// the control that is drawn where it lands.
int CA320Cockpit::FindPanel(CPoint point) const {
    int first = kNoPanel;
    for (int n = 0; n < kPanelCount; ++n) {
        if (n == kUnplacedPanel)
            continue;
        const LayoutRecord& p = m_layout[n];
        if (p.x <= point.x && point.x <= p.x + p.width && p.y <= point.y &&
            point.y <= p.y + p.height) {
            if (HasControlAt(n, point))
                return n;
            if (first == kNoPanel)
                first = n;
        }
    }
    return first;
}

bool CA320Cockpit::HasControlAt(int number, CPoint point) const {
    const CBasePanel* panel = GetPanel(number);
    if (panel == nullptr)
        return false;
    for (int i = 0; const CBaseCockpitControl* control = panel->GetControl(i); ++i) {
        if (control->GetKind() != ControlType::Light && control->IsPointInside(point.x, point.y))
            return true;
    }
    return false;
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
