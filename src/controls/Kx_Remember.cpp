#include "controls/Kx_Remember.h"

void Kx_Remember::SetInt(int value) {
    m_integerMode = true;
    m_current = value;
}

void Kx_Remember::SetInt(long value) {
    SetInt(static_cast<int>(value));
}

void Kx_Remember::Increment() {
    m_integerMode = true;
    m_current = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_current) + 1u);
}

void Kx_Remember::Add(int value) {
    m_integerMode = true;
    m_current = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_current) +
                                          static_cast<std::uint32_t>(value));
}

void Kx_Remember::SetBool(bool value) {
    m_integerMode = false;
    m_currentFlag = value;
}

void Kx_Remember::Assign(Kx_Remember other) {
    m_currentFlag = other.m_currentFlag;
}

int Kx_Remember::Difference() const {
    if (!m_integerMode)
        return 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(m_current) -
                                     static_cast<std::uint32_t>(m_previous));
}

bool Kx_Remember::IsClear() const {
    return m_integerMode ? false : !m_currentFlag;
}

bool Kx_Remember::IsSet() const {
    return m_integerMode ? true : m_currentFlag;
}

bool Kx_Remember::HasChanged() const {
    return m_integerMode ? m_current != m_previous : m_currentFlag != m_previousFlag;
}

void Kx_Remember::Remember() {
    if (m_integerMode) {
        m_previous = m_current;
    } else {
        m_previousFlag = m_currentFlag;
    }
}

bool Kx_Remember::ChangedSinceLast() {
    bool changed = HasChanged();
    Remember();
    return changed;
}

bool Kx_Remember::BecameSet(bool remember) {
    bool current = m_integerMode ? m_current != 0 : m_currentFlag;
    bool result = HasChanged() && current;
    if (remember)
        Remember();
    return result;
}

bool Kx_Remember::BecameClear(bool remember) {
    bool current = m_integerMode ? m_current != 0 : m_currentFlag;
    bool result = HasChanged() && !current;
    if (remember)
        Remember();
    return result;
}

void Kx_Remember::Edges(bool& rising, bool& falling) {
    if (m_integerMode) {
        rising = false;
        falling = false;
        return;
    }
    rising = m_currentFlag && !m_previousFlag;
    falling = m_previousFlag && !m_currentFlag;
    m_previousFlag = m_currentFlag;
}
