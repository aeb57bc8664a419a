#include "panels/AdirsKeypad.h"

#include <cstring>

#include "util/KxText.h"

namespace {

struct KeyMeaning {
    char letter;  // 0: a digit key only
    char digit;
};

// By key index, from k1.
constexpr KeyMeaning kMeanings[] = {
    {0, '1'},   {'N', '2'}, {0, '3'},   {'W', '4'}, {'H', '5'},
    {'E', '6'}, {0, '7'},   {'S', '8'}, {0, '9'},   {0, '0'},
};

}  // namespace

void CAdirsKeypad::Reset() {
    Clear();
    m_active = false;
    m_lastKey = k0;
    m_keyActed = false;
    m_entCountdown = 0;
    m_entSignal = false;
}

void CAdirsKeypad::Clear() {
    std::memset(m_entry, 0, sizeof m_entry);
    m_clrHold = 0;
    m_cursor = 0;
    m_format = Format::None;
}

void CAdirsKeypad::EntryText(char* text, std::size_t size) const {
    if (text == nullptr || size == 0)
        return;
    const std::size_t length = kx::BoundedLength(m_entry, kEntrySize);
    const std::size_t kept = length < size - 1 ? length : size - 1;
    std::memcpy(text, m_entry, kept);
    text[kept] = '\0';
}

void CAdirsKeypad::KeyIn(int key) {
    if (key < kFirstKey || key > kLastKey)
        return;
    if (key == kClr) {
        ++m_clrHold;
        if (m_clrHold > kClrHoldLimit) {
            Clear();
            m_active = false;
            m_clrHold = 0;
        }
    } else if (key == kEnt) {
        m_entCountdown = kEntCountdown;
    }
    Act(key);
    m_keyActed = true;
}

void CAdirsKeypad::EndUpdate(bool entLightLit) {
    // The signal stays up for the countdown, then until the host has put the
    // ENT light out (it takes the entry in that time).
    if (m_entCountdown > 0)
        m_entSignal = true;
    else if (!entLightLit)
        m_entSignal = false;

    // The countdown stops at 0 instead of running on below it for ever.
    if (m_entCountdown > 0) {
        --m_entCountdown;
        if (m_entCountdown == kEntryGoneAt) {
            Clear();
            m_active = false;
        }
    }

    if (!m_keyActed) {
        m_lastKey = kNoKey;
        m_clrHold = 0;
    }
    m_keyActed = false;
}

// A key held in acts once: only a key other than the last one acted on does
// something, and the last one is forgotten at the first update without a key.
void CAdirsKeypad::Act(int key) {
    if (key == m_lastKey)
        return;
    m_lastKey = key;
    m_active = true;
    if (key == kEnt)
        return;
    if (key == kClr) {
        --m_cursor;
        if (m_cursor < 1) {
            // Back past the first character: the entry is gone and the
            // display returns to the host's text.
            m_active = false;
            Clear();
            return;
        }
        m_entry[m_cursor] = ' ';
        return;
    }
    const KeyMeaning& meaning = kMeanings[key - kFirstKey];
    if (meaning.letter == 0)
        EnterDigit(meaning.digit);
    else
        EnterPair(meaning.letter, meaning.digit);
}

void CAdirsKeypad::EnterDigit(char digit) {
    int pointAt[2] = {-1, -1};
    if (m_format == Format::LatitudeFirst) {
        pointAt[0] = 5;
        pointAt[1] = 13;
    } else if (m_format == Format::LongitudeFirst) {
        pointAt[0] = 6;
        pointAt[1] = 13;
    }
    if (m_cursor == pointAt[0] || m_cursor == pointAt[1])
        Put('.');
    Put(digit);
}

void CAdirsKeypad::EnterPair(char letter, char digit) {
    switch (m_format) {
        case Format::None:
            // Only as the first character; digits typed first leave the entry
            // without a format and the letter keys then do nothing.
            if (m_cursor != 0)
                return;
            if (letter == 'N' || letter == 'S')
                m_format = Format::LatitudeFirst;
            else if (letter == 'E' || letter == 'W')
                m_format = Format::LongitudeFirst;
            else
                m_format = Format::Heading;
            Put(letter);
            return;
        case Format::LatitudeFirst:
            if (m_cursor == 7)
                Put(letter);
            else
                EnterDigit(digit);
            return;
        case Format::LongitudeFirst:
            if (m_cursor == 8)
                Put(letter);
            else
                EnterDigit(digit);
            return;
        case Format::Heading:
            EnterDigit(digit);
            return;
    }
}

// Writes at the cursor and advances; at the end of the entry the character is
// dropped.
void CAdirsKeypad::Put(char c) {
    if (m_cursor < 0 || m_cursor >= kEntrySize)
        return;
    m_entry[m_cursor] = c;
    ++m_cursor;
}
