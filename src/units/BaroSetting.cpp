#include "units/BaroSetting.h"

#include "util/KxText.h"

int BaroSetting::InHgFromHpa(int hpa) {
    return static_cast<int>(hpa * 100.0 * 0.000295287 * 100.0);
}

int BaroSetting::HpaFromInHg(int inHgHundredths) {
    return static_cast<int>(inHgHundredths / 100.0 * 3386.535810922933 / 100.0);
}

void BaroSetting::SelectStandard() {
    hpa = kStandardHpa;
    inHg = InHgFromHpa(hpa);
    inHgUnit = false;
    standard = true;
}

void BaroSetting::Set(int hpaValue) {
    hpa = kx::Limit(hpaValue, kMinimumHpa, kMaximumHpa);
    inHg = InHgFromHpa(hpa);
    inHgUnit = false;
    standard = false;
}

float BaroSetting::Publish() {
    if (standard) {
        if (hpa != kStandardHpa)
            standard = false;
        return kStandardOutput;
    }
    return static_cast<float>(inHgUnit ? inHg : hpa);
}

void BaroSetting::Text(bool lampTest, char (&text)[kTextSize]) const {
    if (lampTest) {
        kx::StrCopy(text, "88888");
    } else if (standard) {
        kx::StrCopy(text, " Std");
    } else if (hpa < 2) {
        kx::StrCopy(text, "    ");
    } else {
        char formatted[16];
        kx::Format(formatted, sizeof formatted, "%04d", inHgUnit ? inHg : hpa);
        kx::StrCopy(text, 5, formatted);
    }
}
