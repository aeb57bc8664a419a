#include "eng/CAtmosphere.h"

#include <cmath>

#include "util/KxText.h"

namespace {
// Keeps the closed-form speed finite when the air has no density or pressure.
constexpr double kTiny = 1e-10;
}  // namespace

CAtmosphere::CAtmosphere()
    : m_p0(101325.0),
      m_rho0(1.225),
      m_t0(288.15),
      m_lapse(-0.0065),
      m_a0(340.29),
      m_referencePressure(101325.0),
      m_referenceTemperature(288.15),
      m_t11(216.65),
      m_h11(11000.0),
      m_p11(22631.7),
      m_g(9.8065) {
    m_n = -m_g / (m_r * m_lapse);
    m_t0OverL = m_t0 / m_lapse;
    m_m = m_g / (m_r * m_t11);
    m_exponent = (m_gamma - 1.0) / m_gamma;
    m_factor = 2.0 * m_gamma / (m_gamma - 1.0);
    m_rayleigh1 = (m_gamma + 1.0) / 2.0;
    m_rayleigh2 = 2.0 * m_gamma / (m_gamma + 1.0);
    m_rayleigh3 = (m_gamma - 1.0) / (m_gamma + 1.0);
    m_rayleigh4 = 1.0 / (1.0 - m_gamma);
}

double CAtmosphere::Temperature(double h) const {
    if (!std::isfinite(h))
        h = 0.0;
    return h < m_h11 ? m_t0 + m_lapse * h : m_t11;
}

double CAtmosphere::Pressure(double h) const {
    if (!std::isfinite(h))
        h = 0.0;
    if (h < m_h11)
        return m_p0 * std::pow(1.0 + m_lapse * h / m_t0, m_n);
    return m_p11 * std::exp((m_h11 - h) * m_m);
}

double CAtmosphere::AltitudeOfPressure(double p) const {
    if (!(p > 0.0) || !std::isfinite(p))
        return 0.0;
    if (p > m_p11)
        return m_t0OverL * (std::pow(p / m_p0, 1.0 / m_n) - 1.0);
    return m_h11 - std::log(p / m_p11) / m_m;
}

double CAtmosphere::Density(double t, double p) const {
    if (!std::isfinite(t) || !std::isfinite(p) || !(p * t > 0.0))
        return -1.0;
    const double rho = p / (m_r * t);
    return std::isfinite(rho) ? rho : -1.0;
}

double CAtmosphere::SpeedOfSound(double t) const {
    if (!(t > 0.0))
        return -1.0;
    const double a = std::sqrt(m_gammaR * t);
    return std::isfinite(a) ? a : -1.0;
}

double CAtmosphere::ImpactPressure(double v, double p, double rho) const {
    return p * (std::pow(1.0 + m_k1 * rho * v * v / p, m_k2) - 1.0);
}

double CAtmosphere::ImpactPressureOfMach(double mach, double p) const {
    const double m2 = mach * mach;
    return p * (std::pow(m_rayleigh1 * m2, m_k2) *
                    std::pow(m_rayleigh2 * m2 - m_rayleigh3, m_rayleigh4) -
                1.0);
}

double CAtmosphere::SubsonicSpeed(double qc, double p, double rho) const {
    return std::sqrt(m_factor * (p / (rho + kTiny)) *
                     (std::pow(qc / (p + kTiny) + 1.0, m_exponent) - 1.0));
}

double CAtmosphere::SolveSupersonicMach(double qc, double p, int* steps) const {
    double mach = 1.0;
    double trial = 0.0;
    int count = 0;
    // The step is proportional to the error in impact pressure; near the
    // answer each step leaves the error smaller by a factor that depends on
    // the slope of the Rayleigh relation, and the step limit keeps the first
    // steps from a far target small.
    while (std::fabs(qc - trial) > kIterationTolerance && count < kMaxIterationSteps) {
        trial = ImpactPressureOfMach(mach, p);
        mach += kx::Limit((qc - trial) * kIterationGain, -kMaxIterationStep, kMaxIterationStep);
        ++count;
    }
    if (steps != nullptr)
        *steps = count;
    return mach;
}

double CAtmosphere::SpeedOfImpactPressure(double qc, double p, double rho, double a) const {
    if (qc <= ImpactPressureOfMach(1.0, p))
        return SubsonicSpeed(qc, p, rho);
    return SolveSupersonicMach(qc, p) * a;
}

double CAtmosphere::TasFromCas(double cas, double h) const {
    if (!std::isfinite(cas) || !std::isfinite(h))
        return 0.0;
    const double p = Pressure(h);
    const double t = Temperature(h);
    const double rho = Density(t, p);
    const double a = SpeedOfSound(t);
    // The calibrated airspeed is the speed that gives the same impact
    // pressure in sea-level air.
    const double qc =
        cas >= m_a0 ? ImpactPressureOfMach(cas / m_a0, m_p0) : ImpactPressure(cas, m_p0, m_rho0);
    if (!std::isfinite(qc))
        return 0.0;
    const double tas = SpeedOfImpactPressure(qc, p, rho, a);
    return std::isfinite(tas) ? tas : 0.0;
}

double CAtmosphere::TasFromMach(double mach, double h) const {
    if (!std::isfinite(mach) || !std::isfinite(h))
        return 0.0;
    const double tas = mach * SpeedOfSound(Temperature(h));
    return std::isfinite(tas) ? tas : 0.0;
}

void CAtmosphere::SetAltitudeAndSpeed(double h, double tas, AirDataRecord& record) const {
    h = kx::Limit(h, kMinAltitude, kMaxAltitude);
    tas = kx::Limit(tas, kMinTas, kMaxTas);

    // Correction for the reference pressure: with the standard one it is 0.
    const double altitude = h + AltitudeOfPressure(m_referencePressure);
    const double p = Pressure(altitude);
    const double t = Temperature(altitude) - (m_t0 - m_referenceTemperature);
    const double rho = Density(t, p);
    const double sigma = rho / m_rho0;
    const double a = SpeedOfSound(t);
    const double mach = tas / a;

    const double qc = mach <= 1.0 ? ImpactPressure(tas, p, rho) : ImpactPressureOfMach(mach, p);
    const double totalTemperature = t * (1.0 + (m_gamma - 1.0) / 2.0 * mach * mach);
    // Calibrated airspeed: the speed of the same impact pressure in sea-level
    // air. The iteration is used only in supersonic flight; below Mach 1 the
    // closed form serves even where the impact pressure slightly exceeds the
    // sea-level Mach 1 one (flight below sea level near Mach 1), because there
    // the two relations agree to within about 0.01 m/s.
    const double cas = mach > 1.0 ? SpeedOfImpactPressure(qc, m_p0, m_rho0, m_a0)
                                  : SubsonicSpeed(qc, m_p0, m_rho0);
    const double eas = tas * std::sqrt(sigma);

    record.impactPressure = qc;
    record.staticPressure = p;
    record.totalPressure = p + qc;
    record.tas = tas;
    record.cas = cas;
    record.eas = eas;
    record.staticTemperature = t;
    record.totalTemperature = totalTemperature;
    record.density = rho;
    record.speedOfSound = a;
    record.mach = mach;
    record.densityRatio = sigma;
    record.dynamicPressure = 0.5 * m_rho0 * eas * eas;
    record.altitude = h;
    record.staticTemperatureCelsius = t - 273.15;
}

double CAtmosphere::CasToMach(double cas, double h) const {
    AirDataRecord record;
    SetAltitudeAndSpeed(h, TasFromCas(cas, h), record);
    return record.mach;
}

double CAtmosphere::MachToCas(double mach, double h) const {
    AirDataRecord record;
    SetAltitudeAndSpeed(h, TasFromMach(mach, h), record);
    return record.cas;
}
