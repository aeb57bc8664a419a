#include "panels/RmpTuning.h"

#include <cmath>

#include "util/KxText.h"

namespace rmp {

const RecordSetup kCommSetup[kCommTypes] = {
    {30000, 300000, 1000, 119900, false, {5, 1000}},  // VHF1
    {30000, 300000, 1000, 213900, false, {5, 1000}},  // VHF2
    {30000, 300000, 1000, 145050, false, {5, 1000}},  // VHF3
    {1000, 8000, 1000, 4532, false, {1, 1}},          // HF1
    {1000, 8000, 1000, 2863, false, {1, 1}},          // HF2
    {500, 15000, 100, 786, false, {1, 100}},          // AM
};

const RecordSetup kNavSetup[kNavRecords] = {
    {10800, 11795, 100, 11255, false, {5, 100}},  // VOR frequency
    {0, 360, 1, 121, true, {1, 1}},               // VOR course
    {10810, 11195, 100, 11050, false, {5, 100}},  // ILS frequency
    {0, 360, 1, 167, true, {1, 1}},               // ILS course
    {1900, 5350, 10, 2075, false, {1, 10}},       // ADF frequency
};

void RmpTuningValue::Setup(std::int32_t min, std::int32_t max, double div, std::int32_t initial,
                           bool wrap) {
    minimum = min;
    maximum = max;
    divisor = div;
    wraps = wrap;
    SetValue(initial);
}

void RmpTuningValue::SetValue(std::int64_t units) {
    value = static_cast<std::int32_t>(kx::Limit<std::int64_t>(units, minimum, maximum));
    scaled = static_cast<float>(value / divisor);
}

void RmpTuningValue::Turn(int delta, int stepSize) {
    step = stepSize;
    std::int64_t next = std::int64_t{value} + std::int64_t{delta} * stepSize;
    if (wraps) {
        if (next > maximum)
            next = minimum;
        else if (next < minimum)
            next = maximum;
    }
    SetValue(next);
}

void RmpTuningValue::LoadScaled(double frequency, double scale) {
    const double units = frequency * scale;
    // A host value that is not a number, or far out of range, ends at a limit.
    if (!(units == units))
        SetValue(minimum);
    else if (units >= static_cast<double>(maximum))
        SetValue(maximum);
    else if (units <= static_cast<double>(minimum))
        SetValue(minimum);
    else
        SetValue(static_cast<std::int64_t>(std::floor(units + 0.5)));
}

void RmpTuningValue::SetFrequency(double frequency) {
    LoadScaled(frequency, divisor);
}

void FormatVhf(double mhz, char (&text)[kTextSize]) {
    if (mhz <= 30.001)
        kx::StrCopy(text, "   dAtA");
    else
        FormatFrequency(mhz, text);
}

void FormatFrequency(double mhz, char (&text)[kTextSize]) {
    kx::Format(text, kTextSize, "%7.3f", mhz);
}

void FormatAdf(double khz, char (&text)[kTextSize]) {
    kx::Format(text, kTextSize, "  %5.1f", khz);
}

void FormatCourse(int degrees, char (&text)[kTextSize]) {
    kx::Format(text, kTextSize, " C- %03d", degrees);
}

}  // namespace rmp
