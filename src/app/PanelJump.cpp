#include "app/PanelJump.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>

#include "app/CA320Cockpit.h"
#include "app/ControlExplorer.h"

namespace panel_jump {

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool Contains(std::string_view text, std::string_view word) {
    return std::search(text.begin(), text.end(), word.begin(), word.end(),
                       [](char a, char b) { return Lower(a) == Lower(b); }) != text.end();
}

}  // namespace

std::vector<Choice> Choices(const CA320Cockpit& cockpit) {
    std::vector<Choice> choices;
    for (int n = 0; n < CA320Cockpit::kPanelCount; ++n) {
        if (cockpit.GetPanel(n) != nullptr)
            choices.push_back(Choice{n, PanelTitle(cockpit, n)});
    }
    std::stable_sort(choices.begin(), choices.end(),
                     [](const Choice& a, const Choice& b) { return a.name < b.name; });
    return choices;
}

bool Matches(std::string_view name, std::string_view filter) {
    std::size_t i = 0;
    while (i < filter.size()) {
        while (i < filter.size() && filter[i] == ' ')
            ++i;
        std::size_t end = i;
        while (end < filter.size() && filter[end] != ' ')
            ++end;
        if (end > i && !Contains(name, filter.substr(i, end - i)))
            return false;
        i = end;
    }
    return true;
}

CPoint ScrollFor(const CRect& panel, CSize visible) {
    auto axis = [](int start, int length, int view) {
        return length >= view ? start : start - (view - length) / 2;
    };
    return CPoint(axis(panel.left, panel.Width(), visible.cx),
                  axis(panel.top, panel.Height(), visible.cy));
}

}  // namespace panel_jump

PanelJumpPopup::PanelJumpPopup(QWidget* parent, std::vector<panel_jump::Choice> choices,
                               std::function<void(int number)> chosen)
    : QFrame(parent, Qt::Popup),
      m_choices(std::move(choices)),
      m_chosen(std::move(chosen)),
      m_filter(new QLineEdit(this)),
      m_list(new QListWidget(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_filter);
    layout->addWidget(m_list);
    m_filter->setPlaceholderText("Jump to panel: type to filter");
    m_filter->installEventFilter(this);
    resize(320, 420);
    connect(m_filter, &QLineEdit::textChanged, this, &PanelJumpPopup::Refill);
    connect(m_filter, &QLineEdit::returnPressed, this, &PanelJumpPopup::Choose);
    connect(m_list, &QListWidget::itemActivated, this, &PanelJumpPopup::Choose);
    connect(m_list, &QListWidget::itemClicked, this, &PanelJumpPopup::Choose);
    Refill(QString());
    m_filter->setFocus();
}

void PanelJumpPopup::Refill(const QString& filter) {
    m_list->clear();
    const std::string words = filter.toStdString();
    for (const panel_jump::Choice& choice : m_choices) {
        if (!panel_jump::Matches(choice.name, words))
            continue;
        auto* item = new QListWidgetItem(QString::fromStdString(choice.name), m_list);
        item->setData(Qt::UserRole, choice.number);
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void PanelJumpPopup::Choose() {
    QListWidgetItem* item = m_list->currentItem();
    if (item == nullptr)
        return;
    const int number = item->data(Qt::UserRole).toInt();
    close();
    if (m_chosen)
        m_chosen(number);
}

// Up and down in the filter line move in the list, so the keyboard never has
// to leave the line.
bool PanelJumpPopup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_filter && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const int row = m_list->currentRow() + (key == Qt::Key_Down ? 1 : -1);
            if (row >= 0 && row < m_list->count())
                m_list->setCurrentRow(row);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
