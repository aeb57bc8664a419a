#include "units/SquawkEntry.h"

#include "util/KxText.h"

void SquawkEntry::Key(int key, bool pressed) {
    if (key == kReleased || key == kInactive) {
        m_lastKey = key;
        return;
    }
    if (!pressed || key == m_lastKey || key < 0 || key > kClearKey)
        return;
    if (key == kClearKey) {
        m_digits = 0;
        for (int i = 0; i < kDigits; ++i)
            m_text[i] = ' ';
    } else if (m_digits < kDigits) {
        m_text[m_digits++] = kKeyDigit[key];
    }
    m_lastKey = key;
    Evaluate();
}

void SquawkEntry::SetSquawk(int code) {
    // Only a four-digit code can be shown and published.
    const int limited = kx::Limit(code, 0, 9999);
    char typed[16];
    kx::Format(typed, sizeof typed, "%d", limited);
    kx::Format(m_text, sizeof m_text, "%-4s", typed);
    m_digits = kDigits;
    Evaluate();
}

void SquawkEntry::Evaluate() {
    std::int32_t value = 0;
    for (int i = 0; i < kDigits && m_text[i] >= '0' && m_text[i] <= '9'; ++i)
        value = value * 10 + (m_text[i] - '0');
    m_code = value;
}
