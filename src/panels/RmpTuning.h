// The radio management panel's tuning arithmetic, without pictures: one
// tuning record per radio value (a standby frequency or a course), turned by
// the knob in fine or coarse steps, loaded from the host's frequencies, and
// the texts of the two seven-character windows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rmp {

// Radio types, as the panel publishes them.
enum RadioType : int {
    kVhf1 = 0,
    kVhf2 = 1,
    kVhf3 = 2,
    kHf1 = 3,
    kHf2 = 4,
    kAm = 5,
    kVor = 6,
    kIls = 7,
    kMls = 8,
    kAdf = 9,
};
inline constexpr int kCommTypes = 6;
inline constexpr int kRadioTypes = 10;

constexpr bool IsNavType(int type) {
    return type >= kVor && type <= kAdf;
}

// A value in units of 1/divisor (kHz for a VHF frequency in MHz with divisor
// 1000), kept within minimum .. maximum, or wrapping round them (a course).
struct RmpTuningValue {
    std::int32_t maximum = 0;
    std::int32_t minimum = 0;
    std::int32_t step = 1;
    std::int32_t value = 0;
    float scaled = 0.0f;  // value / divisor
    double divisor = 1.0;
    bool wraps = false;

    void Setup(std::int32_t min, std::int32_t max, double div, std::int32_t initial, bool wrap);
    // value + delta x step: wrapping past one limit gives the other, else limited.
    void Turn(int delta, int stepSize);
    // The value nearest to frequency x divisor, limited.
    void SetFrequency(double frequency);
    // The value nearest to frequency x scale, limited (the navigation loads).
    void LoadScaled(double frequency, double scale);
    void SetValue(std::int64_t units);
};

// The fine and coarse knob steps of a record.
struct Steps {
    std::int32_t fine;
    std::int32_t coarse;
};

// The set-up values of every record.
struct RecordSetup {
    std::int32_t minimum;
    std::int32_t maximum;
    double divisor;
    std::int32_t initial;
    bool wraps;
    Steps steps;
};

enum NavRecord : int { kVorFrequency, kVorCourse, kIlsFrequency, kIlsCourse, kAdfFrequency };
inline constexpr int kNavRecords = 5;

extern const RecordSetup kCommSetup[kCommTypes];
extern const RecordSetup kNavSetup[kNavRecords];

// The ADF frequency comes from the host in kHz and is loaded at the record's
// own scale (tenths of a kHz); VOR and ILS frequencies come in MHz and load
// as hundredths.
inline constexpr double kNavLoadScale = 100.0;
inline constexpr double kAdfLoadScale = 10.0;

// Window texts (at most seven characters and the terminator).
inline constexpr std::size_t kTextSize = 8;
// "   dAtA" at or below 30.001 MHz, else "%7.3f".
void FormatVhf(double mhz, char (&text)[kTextSize]);
void FormatFrequency(double mhz, char (&text)[kTextSize]);  // "%7.3f"
void FormatAdf(double khz, char (&text)[kTextSize]);        // "  %5.1f"
void FormatCourse(int degrees, char (&text)[kTextSize]);    // " C- %03d"

}  // namespace rmp
