// The ADIRS keypad's entry logic: the keys build an entry text character by
// character, with the position or heading letter, the decimal points and the
// letter between latitude and longitude put in where they belong, so that
// N 4 5 3 0 2 E 0 1 2 3 4 5 becomes "N4530.2E01234.5".
//
// The panel feeds it once per update with the keys that are in (KeyIn) and
// then ends the update (EndUpdate) with the host's ENT light; the keypad knows
// nothing of pictures or shared memory, so it is tested key by key.
//
// Entry forms: latitude first, N4530.2E01234.5 (letter, four digits, point,
// digit, letter, five digits, point, digit); longitude first,
// E01234.5N4530.2; heading, H followed by digits only.
#pragma once

#include <cstddef>

class CAdirsKeypad {
  public:
    // Key indexes, as the panel numbers its keypad buttons.
    enum Key {
        k1 = 6,
        kN2 = 7,
        k3 = 8,
        kW4 = 9,
        kH5 = 10,
        kE6 = 11,
        k7 = 12,
        kS8 = 13,
        k9 = 14,
        k0 = 15,
        kEnt = 16,
        kClr = 17,
    };
    static constexpr int kFirstKey = k1;
    static constexpr int kLastKey = kClr;
    static constexpr int kNoKey = 0;

    enum class Format { LatitudeFirst = 0, LongitudeFirst = 1, Heading = 2, None = 3 };

    static constexpr int kEntrySize = 17;
    // Updates the ENT signal stays up, and updates after ENT at which the
    // entry is taken off the display (50 - 15 = 35 updates after ENT).
    static constexpr int kEntCountdown = 50;
    static constexpr int kEntryGoneAt = 15;
    // CLR held for more than this many updates clears the whole entry.
    static constexpr int kClrHoldLimit = 50;

    CAdirsKeypad() { Reset(); }

    // As after start-up: nothing entered, no ENT pending. The 0 key counts as
    // the last key acted on until the first update without a key.
    void Reset();

    // The key with this index is in during the current update.
    void KeyIn(int key);
    // Ends the update: the ENT signal (held up while the host still lights the
    // ENT key once the countdown has run out), the countdown, and the end of a
    // key press when no key was in.
    void EndUpdate(bool entLightLit);

    // The 17 characters of the entry (not terminated when all are used).
    const char* Entry() const { return m_entry; }
    // The entry as a terminated text (at most 17 characters).
    void EntryText(char* text, std::size_t size) const;
    bool IsActive() const { return m_active; }
    bool EntSignal() const { return m_entSignal; }
    int Cursor() const { return m_cursor; }
    Format GetFormat() const { return m_format; }
    int ClrHoldCount() const { return m_clrHold; }
    int EntCountdown() const { return m_entCountdown; }

  private:
    void Clear();
    void Act(int key);
    void EnterDigit(char digit);
    void EnterPair(char letter, char digit);
    void Put(char c);

    char m_entry[kEntrySize] = {};
    int m_cursor = 0;
    Format m_format = Format::None;
    bool m_active = false;
    int m_lastKey = kNoKey;
    bool m_keyActed = false;
    int m_entCountdown = 0;
    bool m_entSignal = false;
    int m_clrHold = 0;
};
