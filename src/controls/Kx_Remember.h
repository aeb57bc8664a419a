// Kx_Remember: the change-detecting value holder behind every edge that a
// per-iteration update acts on once (a shared-memory word going from 0 to 1, a
// released switch, a counter that moved).
//
// It keeps a current and a previous value, either as a boolean pair or as an
// integer pair; the last kind of value stored selects which pair takes part in
// comparing and remembering. A new holder is in boolean mode with both flags
// false and both integers -1, so the first integer sample of 0 counts as a
// change.
#pragma once

#include <cstdint>

class Kx_Remember {
  public:
    Kx_Remember() = default;

    // Storing (the previous value is left alone).
    void SetInt(int value);
    void SetInt(long value);
    void Increment();
    void Add(int value);
    void SetBool(bool value);
    void Assign(Kx_Remember other);  // takes the other holder's current flag only

    // Reading.
    int GetInt() const { return m_current; }
    bool GetBool() const { return m_currentFlag; }
    bool IsIntegerMode() const { return m_integerMode; }
    int Difference() const;
    bool IsClear() const;
    bool IsSet() const;

    // Comparing and remembering, on the pair of the active mode.
    bool HasChanged() const;
    void Remember();
    bool ChangedSinceLast();
    bool BecameSet(bool remember = true);
    bool BecameClear(bool remember = true);
    // Boolean mode only: rising and falling edge, then remembers. In integer
    // mode both are false and nothing is remembered.
    void Edges(bool& rising, bool& falling);

  private:
    bool m_integerMode = false;
    bool m_currentFlag = false;
    bool m_previousFlag = false;
    std::int32_t m_current = -1;
    std::int32_t m_previous = -1;
};
