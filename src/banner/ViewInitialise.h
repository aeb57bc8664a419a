// ViewInitialise: posts entries into the start-up report record of the
// generic segment, where the banner program shows them.
//
// The record is class-wide: the initialisation-file reader binds it when it
// is made and unbinds it when it closes its file; entries made while it is
// unbound are dropped at once. After each entry the program pauses (100 ms)
// so that the banner can show it before the next one overwrites it; the
// pause runs on a class-wide clock that tests replace.
#pragma once

#include <cstdint>

#include "log/Kx_ErrorReport.h"
#include "platform/KxClock.h"

class ViewInitialise : public Kx_ErrorReport {
  public:
    static constexpr int kPauseMs = 100;

    // Binds the report record of this generic segment; null unbinds.
    static void Bind(std::uint8_t* genericSegment);
    static void Unbind() { Bind(nullptr); }
    static bool IsBound() { return s_segment != nullptr; }
    static std::uint8_t* BoundSegment() { return s_segment; }
    // The clock the pauses run on; null restores the real one.
    static void SetClock(kx::IClock* clock);

    // A progress entry under a heading.
    void Report(const char* heading, const char* text);
    // A progress entry without a heading.
    void Report(const char* text);
    // An error entry: what failed, the error text, and what follows from it.
    void ReportError(const char* title, const char* detail, const char* consequence);

  private:
    static void Pause();

    static std::uint8_t* s_segment;
    static kx::IClock* s_clock;
};
