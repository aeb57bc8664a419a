// The transponder code as the trainee keys it in: four digits at most, a key
// held down enters its digit once, the same key twice needs a release in
// between, CLR starts again. The code is always the value of the digits keyed
// so far (7, 0 gives 70).
#pragma once

#include <cstdint>

class SquawkEntry {
  public:
    static constexpr int kDigits = 4;
    static constexpr int kClearKey = 8;
    static constexpr int kReleased = -1;  // no key pressed in this update
    static constexpr int kInactive = -2;  // the transponder is off
    // The digit that keys 0 to 7 enter.
    static constexpr char kKeyDigit[8] = {'1', '2', '3', '4', '5', '6', '7', '0'};

    // One key in one update: its index (0 to 8, or kReleased / kInactive) and
    // whether it is pressed.
    void Key(int key, bool pressed);
    // A code restored from outside: shown as typed, no further digit until CLR.
    void SetSquawk(int code);

    std::int32_t Code() const { return m_code; }
    int Digits() const { return m_digits; }
    // Four characters, blanks after the digits keyed.
    const char* Text() const { return m_text; }
    int LastKey() const { return m_lastKey; }

  private:
    void Evaluate();

    std::int32_t m_code = 0;
    int m_digits = 0;
    char m_text[kDigits + 1] = {' ', ' ', ' ', ' ', '\0'};
    int m_lastKey = kReleased;
};
