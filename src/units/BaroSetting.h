// The barometric reference of an EFIS control panel: the value in hPa and
// its inHg equivalent (hundredths), the unit shown, the standard setting and
// the text of the four-character window.
#pragma once

#include <cstddef>
#include <cstdint>

struct BaroSetting {
    static constexpr int kStandardHpa = 1013;
    static constexpr float kStandardOutput = 1013.25f;
    static constexpr int kMinimumHpa = 750;
    static constexpr int kMaximumHpa = 1100;
    static constexpr int kMinimumInHg = 2500;  // hundredths
    static constexpr int kMaximumInHg = 3500;

    // hPa x 100 x 0.000295287 x 100, truncated: 1013 gives 2991.
    static int InHgFromHpa(int hpa);
    // inHg / 100 x 3386.535810922933 / 100, truncated: 2992 gives 1013.
    static int HpaFromInHg(int inHgHundredths);

    void SelectStandard();
    void Set(int hpaValue);
    // Turning leaves the standard setting: called once the hPa value of an
    // update is known. The value for the host: 1013.25 in this update while
    // the standard setting was selected, else hPa or inHg x 100 by unit.
    float Publish();

    // "88888" for the lamp test, " Std", four blanks below 2 hPa, else the
    // value in the unit shown ("%04d", four characters).
    static constexpr std::size_t kTextSize = 6;
    void Text(bool lampTest, char (&text)[kTextSize]) const;

    std::int32_t hpa = kStandardHpa;
    std::int32_t inHg = 2991;
    bool standard = true;
    bool inHgUnit = false;
};
