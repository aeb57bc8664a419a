// CAtmosphere: the standard atmosphere and the air-data relations between
// true, calibrated and equivalent airspeed, Mach number and pressures.
//
// The FCU uses it for the SPD/MACH changeover: CasToMach and MachToCas convert
// a selected speed at the aircraft altitude. All quantities are SI: metres,
// pascals, kelvin, kg/m^3, m/s. Altitudes are standard (geopotential)
// altitudes.
//
// Two layers: a troposphere with a constant lapse rate up to the tropopause at
// 11000 m, and an isothermal layer above it whose pressure falls exponentially
// from the tropopause pressure.
//
// Impact pressure (pitot minus static) comes from the isentropic relation
// below Mach 1 and from the Rayleigh pitot relation (normal shock ahead of the
// probe) above it. Turning an impact pressure back into a speed has a closed
// form below Mach 1; above it the Mach number is found by iteration from
// Mach 1, to within 5 Pa of the impact pressure or at most 10000 steps.
//
// Values from the simulation host may be anything, so every conversion gives a
// finite result for every input:
//   - Temperature and Pressure take a non-finite altitude as sea level;
//   - AltitudeOfPressure gives 0 for a pressure that is not a positive finite
//     number;
//   - Density and SpeedOfSound give -1 when there is no such air (zero,
//     negative or non-finite inputs);
//   - TasFromCas, TasFromMach, CasToMach and MachToCas give 0 when an input is
//     not finite, or when a value on the way overflows (absurd finite inputs);
//   - SetAltitudeAndSpeed limits its inputs with the value limiter, which
//     takes +infinity to the upper limit and NaN or -infinity to the lower one
//     (altitude -1000 m, speed 0).
#pragma once

#include "eng/CGas.h"

// The air-data solution, in this order.
struct AirDataRecord {
    double impactPressure;     // qc, Pa
    double staticPressure;     // P, Pa
    double totalPressure;      // P + qc, Pa
    double tas;                // true airspeed, m/s
    double cas;                // calibrated airspeed, m/s
    double eas;                // equivalent airspeed, m/s
    double staticTemperature;  // K
    double totalTemperature;   // K
    double density;            // kg/m^3
    double speedOfSound;       // m/s
    double mach;
    double densityRatio;     // sigma = rho / rho0
    double dynamicPressure;  // 1/2 rho0 EAS^2, Pa
    double altitude;         // m, as limited
    double staticTemperatureCelsius;
};
static_assert(sizeof(AirDataRecord) == 15 * sizeof(double), "the record is 15 reals");

class CAtmosphere : public CGas {
  public:
    // Input limits of SetAltitudeAndSpeed.
    static constexpr double kMinAltitude = -1000.0;
    static constexpr double kMaxAltitude = 15000.0;
    static constexpr double kMinTas = 0.0;
    static constexpr double kMaxTas = 700.0;
    // Bounds of the supersonic iteration.
    static constexpr double kIterationTolerance = 5.0;  // Pa
    static constexpr int kMaxIterationSteps = 10000;
    static constexpr double kIterationGain = 1e-06;  // Mach per Pa
    static constexpr double kMaxIterationStep = 0.02;

    CAtmosphere();

    // The standard atmosphere.
    double Temperature(double h) const;
    double Pressure(double h) const;
    double AltitudeOfPressure(double p) const;
    double Density(double t, double p) const;
    double SpeedOfSound(double t) const;

    // Impact pressure of speed v in air of pressure p and density rho, by the
    // subsonic (isentropic) relation.
    double ImpactPressure(double v, double p, double rho) const;
    // Impact pressure of Mach number mach at pressure p by the Rayleigh pitot
    // relation (meant for mach >= 1; equal to the subsonic one at Mach 1).
    double ImpactPressureOfMach(double mach, double p) const;
    // Speed that produces impact pressure qc in air of pressure p, density rho
    // and speed of sound a: closed form up to the impact pressure of Mach 1
    // at p, the supersonic iteration above it.
    double SpeedOfImpactPressure(double qc, double p, double rho, double a) const;
    // The supersonic iteration: Mach number whose Rayleigh impact pressure at
    // p is qc. When steps is given it receives the number of steps made.
    double SolveSupersonicMach(double qc, double p, int* steps = nullptr) const;

    // True airspeed at altitude h of a calibrated airspeed or a Mach number.
    // The inputs are not limited.
    double TasFromCas(double cas, double h) const;
    double TasFromMach(double mach, double h) const;

    // The full air-data solution at altitude h and true airspeed tas.
    void SetAltitudeAndSpeed(double h, double tas, AirDataRecord& record) const;

    // The FCU's conversions at the aircraft altitude h: calibrated airspeed
    // (m/s) to Mach number, and Mach number to calibrated airspeed (m/s).
    // Each is SetAltitudeAndSpeed(h, TasFromCas or TasFromMach at h). Outside
    // -1000 .. 15000 m the true airspeed is still found at h but the air-data
    // solution works at the limited altitude, so there the two no longer
    // invert each other (MachToCas above 15000 m gives the CAS at 15000 m).
    double CasToMach(double cas, double h) const;
    double MachToCas(double mach, double h) const;

    double SeaLevelPressure() const { return m_p0; }
    double SeaLevelDensity() const { return m_rho0; }
    double SeaLevelTemperature() const { return m_t0; }
    double SeaLevelSpeedOfSound() const { return m_a0; }
    double TropopauseAltitude() const { return m_h11; }
    double TropopauseTemperature() const { return m_t11; }
    double TropopausePressure() const { return m_p11; }

  private:
    // Closed-form speed of an impact pressure (valid up to Mach 1).
    double SubsonicSpeed(double qc, double p, double rho) const;

    double m_p0;
    double m_rho0;
    double m_t0;
    double m_lapse;
    double m_a0;
    double m_referencePressure;
    double m_referenceTemperature;
    double m_t11;
    double m_h11;
    double m_p11;
    double m_g;

    double m_n;          // -g / (R L), the troposphere pressure exponent
    double m_t0OverL;    // T0 / L
    double m_m;          // g / (R T11), the isothermal pressure decay per metre
    double m_exponent;   // (gamma - 1) / gamma
    double m_factor;     // 2 gamma / (gamma - 1)
    double m_rayleigh1;  // (gamma + 1) / 2
    double m_rayleigh2;  // 2 gamma / (gamma + 1)
    double m_rayleigh3;  // (gamma - 1) / (gamma + 1)
    double m_rayleigh4;  // 1 / (1 - gamma)
};
