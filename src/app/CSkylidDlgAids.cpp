// The main window's aids for the people who build and check panels: the
// control explorer overlay (F2) and the jump to a panel (F3). Kept apart
// from the window's own work; while the explorer is off none of this runs.
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "app/CSkylidDlg.h"
#include "app/ControlExplorer.h"
#include "app/PanelJump.h"

namespace {

constexpr int kTextMargin = 6;
constexpr int kPointerGap = 18;

}  // namespace

bool CSkylidDlg::HandleAidKey(const QKeyEvent& event) {
    if (event.key() != kExplorerKey && event.key() != kPanelJumpKey)
        return false;
    if (!event.isAutoRepeat()) {
        if (event.key() == kExplorerKey)
            ToggleExplorer();
        else
            OpenPanelJump();
    }
    return true;
}

bool CSkylidDlg::IsExplorerOn() const {
    return m_explorer && m_explorer->IsOn();
}

void CSkylidDlg::ToggleExplorer() {
    if (!m_explorer)
        m_explorer = std::make_unique<ControlExplorer>(m_manager, host::GenericRegistry());
    m_explorer->SetOn(!m_explorer->IsOn());
    update();
}

// The press as the panels get it; with the explorer on, the segment is
// copied before and compared after the update that handled it (panels that
// take the mouse only in their turn are compared after each iteration).
void CSkylidDlg::DispatchTraced() {
    const bool trace = IsExplorerOn() && m_notReady == 0 && m_generic != nullptr;
    if (trace)
        m_explorer->BeginClick(m_generic, CPoint(m_scroll.x + m_mouse.x, m_scroll.y + m_mouse.y));
    Dispatch();
    if (trace && m_generic != nullptr)
        m_explorer->EndClick(m_generic);
}

PanelJumpPopup* CSkylidDlg::PanelJump() const {
    return m_panelJump.data();
}

void CSkylidDlg::JumpToPanel(int number) {
    if (m_notReady != 0 || m_manager.GetPanel(number) == nullptr)
        return;
    const CA320Cockpit::LayoutRecord& place = m_manager.GetLayout(number);
    RefreshWindowRect();
    const CSize visible(m_windowRect.Width() - m_origin.x, m_windowRect.Height() - m_origin.y);
    m_scroll = panel_jump::ScrollFor(
        CRect(place.x, place.y, place.x + place.width, place.y + place.height), visible);
    ClampScroll();
    Publish();
    update();
}

void CSkylidDlg::OpenPanelJump() {
    if (m_notReady != 0)
        return;
    if (m_panelJump)
        m_panelJump->close();
    m_panelJump = new PanelJumpPopup(this, panel_jump::Choices(m_manager),
                                     [this](int number) { JumpToPanel(number); });
    m_panelJump->move(mapToGlobal(QPoint(m_origin.x + kPointerGap, m_origin.y + kPointerGap)));
    m_panelJump->show();
    m_panelJump->Filter()->setFocus();
}

// Outlines every hit area in the view, the one under the pointer filled, and
// beside the pointer a box with its panel, label and fields, and what the
// last click changed.
void CSkylidDlg::PaintExplorer(QPainter& painter) {
    const QRect area(m_origin.x, m_origin.y, width() - m_origin.x, height() - m_origin.y);
    painter.save();
    painter.setClipRect(area);
    const QPoint shift(m_origin.x - m_scroll.x, m_origin.y - m_scroll.y);
    const QRect view = area.translated(-shift);
    const CPoint pointer(m_scroll.x + m_mouse.x, m_scroll.y + m_mouse.y);
    const ControlExplorer::Target hovered = m_explorer->Find(pointer);
    auto toWindow = [&shift](const CRect& r) {
        return QRect(r.left, r.top, r.Width(), r.Height()).translated(shift);
    };

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 220, 0, 200), 1));
    m_explorer->ForEachControl([&](const ControlExplorer::Target& t) {
        const QRect r(t.rect.left, t.rect.top, t.rect.Width(), t.rect.Height());
        if (r.intersects(view))
            painter.drawRect(r.translated(shift));
    });
    if (hovered.IsValid()) {
        painter.setPen(QPen(QColor(0, 230, 255), 2));
        painter.setBrush(QColor(0, 230, 255, 60));
        painter.drawRect(toWindow(hovered.rect));
    }

    std::vector<std::string> lines = m_explorer->Describe(hovered, m_generic);
    if (lines.empty())
        lines.push_back("Explorer (F2): point at a control");
    const std::vector<std::string> trace = m_explorer->DescribeTrace();
    if (!trace.empty()) {
        lines.emplace_back();
        lines.insert(lines.end(), trace.begin(), trace.end());
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(9);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    int textWidth = 0;
    for (const std::string& line : lines)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(QString::fromStdString(line)));
    const int lineHeight = metrics.height();
    QRect box(0, 0, textWidth + 2 * kTextMargin,
              lineHeight * static_cast<int>(lines.size()) + 2 * kTextMargin);
    // Beside the pointer, kept inside the window.
    QPoint at(m_origin.x + m_mouse.x + kPointerGap, m_origin.y + m_mouse.y + kPointerGap);
    if (at.x() + box.width() > area.right())
        at.setX(std::max(area.left(), m_origin.x + m_mouse.x - kPointerGap - box.width()));
    if (at.y() + box.height() > area.bottom())
        at.setY(std::max(area.top(), area.bottom() - box.height()));
    box.moveTopLeft(at);
    painter.setPen(QPen(QColor(0, 230, 255), 1));
    painter.setBrush(QColor(0, 0, 0, 215));
    painter.drawRect(box);
    painter.setPen(Qt::white);
    int y = box.top() + kTextMargin + metrics.ascent();
    for (const std::string& line : lines) {
        painter.drawText(box.left() + kTextMargin, y, QString::fromStdString(line));
        y += lineHeight;
    }
    painter.restore();
}
