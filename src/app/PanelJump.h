// Jump to a panel: the list of the cockpit's panels by name, filtered by what
// is typed, and the scroll position that brings a chosen panel into view.
// PanelJumpPopup is the small list the main window opens for it.
#pragma once

#include <QFrame>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WinTypes.h"

class CA320Cockpit;
class QLineEdit;
class QListWidget;

namespace panel_jump {

struct Choice {
    int number;
    std::string name;
};

// Every panel the cockpit holds, by name (as the explorer names them),
// sorted by name.
std::vector<Choice> Choices(const CA320Cockpit& cockpit);

// True when every word of the filter occurs in the name, without regard to
// case (an empty filter matches every name).
bool Matches(std::string_view name, std::string_view filter);

// The scroll position that centres the panel's rectangle in a view of the
// given size; a panel larger than the view shows its top-left corner. The
// window clamps the result to its view limits.
CPoint ScrollFor(const CRect& panel, CSize visible);

}  // namespace panel_jump

// The popup list: a filter line over the list of panels. Enter, a click or a
// double-click chooses; Escape or a click elsewhere closes it.
class PanelJumpPopup : public QFrame {
  public:
    PanelJumpPopup(QWidget* parent, std::vector<panel_jump::Choice> choices,
                   std::function<void(int number)> chosen);

    QLineEdit* Filter() const { return m_filter; }
    QListWidget* List() const { return m_list; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Refill(const QString& filter);
    void Choose();

    std::vector<panel_jump::Choice> m_choices;
    std::function<void(int)> m_chosen;
    QLineEdit* m_filter;
    QListWidget* m_list;
};
