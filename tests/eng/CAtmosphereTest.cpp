#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "eng/CAtmosphere.h"

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kKnot = 1852.0 / 3600.0;  // m/s
constexpr double kFoot = 0.3048;           // m

bool SameRecord(const AirDataRecord& a, const AirDataRecord& b) {
    const double* x = &a.impactPressure;
    const double* y = &b.impactPressure;
    for (int i = 0; i < 15; ++i) {
        if (x[i] != y[i])
            return false;
    }
    return true;
}
}  // namespace

// Figures of the ICAO Standard Atmosphere (ICAO Doc 7488/3, Manual of the ICAO
// Standard Atmosphere, tables by geopotential altitude; identical to the
// U.S. Standard Atmosphere 1976 below 32 km). The model's constants are
// rounded (R = 287.05, g = 9.8065, tropopause pressure 22631.7), hence the
// tolerances: 0.01 K, 0.5 Pa, 0.01 m/s.
TEST(CAtmosphere, MatchesPublishedStandardAtmosphereInBothLayers) {
    struct Row {
        double h, t, p, a;
    } const rows[] = {
        {-1000.0, 294.650, 113929.1, 344.111}, {0.0, 288.150, 101325.0, 340.294},
        {1000.0, 281.650, 89874.6, 336.434},   {3000.0, 268.650, 70108.5, 328.578},
        {5000.0, 255.650, 54019.9, 320.529},   {8000.0, 236.150, 35599.8, 308.063},
        {10000.0, 223.150, 26436.3, 299.463},  {11000.0, 216.650, 22632.1, 295.069},
        {12000.0, 216.650, 19330.4, 295.069},  {15000.0, 216.650, 12044.6, 295.069},
        {20000.0, 216.650, 5474.9, 295.069},
    };
    CAtmosphere atmosphere;
    EXPECT_EQ(atmosphere.Temperature(0.0), 288.15);
    EXPECT_EQ(atmosphere.Pressure(0.0), 101325.0);
    EXPECT_DOUBLE_EQ(atmosphere.SpeedOfSound(288.15), std::sqrt(1.4 * 287.05 * 288.15));
    for (const Row& row : rows) {
        const double t = atmosphere.Temperature(row.h);
        EXPECT_NEAR(t, row.t, 0.01) << row.h;
        EXPECT_NEAR(atmosphere.Pressure(row.h), row.p, 0.5) << row.h;
        EXPECT_NEAR(atmosphere.SpeedOfSound(t), row.a, 0.01) << row.h;
        EXPECT_NEAR(atmosphere.AltitudeOfPressure(atmosphere.Pressure(row.h)), row.h, 1e-6);
    }
    // Above the tropopause the pressure starts from 22631.7 and falls by the
    // same ratio over every equal step of height.
    EXPECT_EQ(atmosphere.Pressure(11000.0), 22631.7);
    EXPECT_NEAR(atmosphere.Pressure(12000.0) / atmosphere.Pressure(11000.0),
                atmosphere.Pressure(15000.0) / atmosphere.Pressure(14000.0), 1e-12);
}

// Standard airspeed conversion figures (ICAO standard atmosphere, compressible
// pitot relations), as given in published CAS/Mach/TAS tables:
//   250 kt CAS at 10 000 ft: Mach 0.452, TAS 289 kt;
//   300 kt CAS at FL350 (35 000 ft): Mach 0.874, TAS 503.5 kt.
// Tolerance: Mach 0.001, TAS 0.5 kt.
TEST(CAtmosphere, CasToMachMatchesPublishedAirspeedFigures) {
    CAtmosphere atmosphere;
    EXPECT_NEAR(atmosphere.CasToMach(250.0 * kKnot, 10000.0 * kFoot), 0.452, 0.001);
    EXPECT_NEAR(atmosphere.TasFromCas(250.0 * kKnot, 10000.0 * kFoot) / kKnot, 288.7, 0.5);
    EXPECT_NEAR(atmosphere.CasToMach(300.0 * kKnot, 35000.0 * kFoot), 0.8736, 0.001);
    EXPECT_NEAR(atmosphere.TasFromCas(300.0 * kKnot, 35000.0 * kFoot) / kKnot, 503.5, 0.5);
    EXPECT_NEAR(atmosphere.MachToCas(0.8736, 35000.0 * kFoot) / kKnot, 300.0, 0.2);

    EXPECT_EQ(atmosphere.TasFromCas(0.0, 5000.0), 0.0);
    EXPECT_EQ(atmosphere.CasToMach(0.0, 5000.0), 0.0);
}

// CAS -> Mach -> CAS returns the start within 0.05 m/s (0.1 kt) over the
// altitude range of the air-data solution, subsonic and supersonic, the
// iteration's 5 Pa tolerance being the main source of the difference.
TEST(CAtmosphere, RoundTripCasMachCas) {
    CAtmosphere atmosphere;
    int supersonic = 0;
    for (double h : {-1000.0, 0.0, 3048.0, 7000.0, 10668.0, 12500.0, 15000.0}) {
        for (double cas = 20.0; cas <= 420.0; cas += 20.0) {
            if (atmosphere.TasFromCas(cas, h) >= CAtmosphere::kMaxTas)
                continue;  // the air-data solution would limit the speed
            const double mach = atmosphere.CasToMach(cas, h);
            supersonic += mach > 1.0;
            EXPECT_NEAR(atmosphere.MachToCas(mach, h), cas, 0.05) << h << " m, " << cas << " m/s";
        }
    }
    EXPECT_GE(supersonic, 20);
}

TEST(CAtmosphere, AirDataAtSeaLevelSubsonicAndSupersonic) {
    CAtmosphere atmosphere;
    AirDataRecord record;
    for (double tas : {100.0, 500.0}) {
        atmosphere.SetAltitudeAndSpeed(0.0, tas, record);
        // In sea-level air true, calibrated and equivalent airspeed agree.
        EXPECT_NEAR(record.cas, tas, 0.02) << tas;
        EXPECT_NEAR(record.eas, tas, 0.01) << tas;
        EXPECT_NEAR(record.mach, tas / 340.294, 1e-4);
        EXPECT_NEAR(record.dynamicPressure, 0.5 * 1.225 * tas * tas, 0.01 * tas);
        EXPECT_NEAR(record.densityRatio, 1.0, 1e-4);
    }
    // The two impact-pressure relations meet at Mach 1, so the calibrated
    // airspeed is continuous there.
    const double rho = atmosphere.Density(223.15, 26436.3);
    EXPECT_NEAR(atmosphere.ImpactPressure(atmosphere.SpeedOfSound(223.15), 26436.3, rho),
                atmosphere.ImpactPressureOfMach(1.0, 26436.3), 1e-6);
    EXPECT_NEAR(atmosphere.MachToCas(0.9999, 0.0), atmosphere.MachToCas(1.0001, 0.0), 0.1);
}

TEST(CAtmosphere, AirDataSolutionLimitsItsInputsButTasConversionsDoNot) {
    CAtmosphere atmosphere;
    AirDataRecord limited, reference;
    atmosphere.SetAltitudeAndSpeed(20000.0, 800.0, limited);
    atmosphere.SetAltitudeAndSpeed(15000.0, 700.0, reference);
    EXPECT_TRUE(SameRecord(limited, reference));
    EXPECT_EQ(limited.altitude, 15000.0);
    atmosphere.SetAltitudeAndSpeed(-5000.0, -10.0, limited);
    EXPECT_EQ(limited.altitude, -1000.0);
    EXPECT_EQ(limited.tas, 0.0);
    EXPECT_EQ(limited.cas, 0.0);

    EXPECT_GT(atmosphere.TasFromCas(150.0, 20000.0), atmosphere.TasFromCas(150.0, 15000.0));
    EXPECT_NEAR(atmosphere.TasFromMach(3.0, 20000.0), 3.0 * 295.068, 0.01);
}

TEST(CAtmosphere, SupersonicIterationStopsWithin5PascalsOrAfter10000Steps) {
    CAtmosphere atmosphere;
    int steps = 0;
    // Just above Mach 1, at sea level and in thin air.
    for (double p : {101325.0, 12044.6}) {
        const double qc = atmosphere.ImpactPressureOfMach(1.01, p);
        const double mach = atmosphere.SolveSupersonicMach(qc, p, &steps);
        EXPECT_LT(steps, CAtmosphere::kMaxIterationSteps);
        EXPECT_LE(std::fabs(atmosphere.ImpactPressureOfMach(mach, p) - qc), 5.0);
        EXPECT_NEAR(mach, 1.01, 1e-3);
    }
    // A target beyond reach: 10000 steps of at most 0.02 from Mach 1.
    const double mach = atmosphere.SolveSupersonicMach(1e9, 1000.0, &steps);
    EXPECT_EQ(steps, CAtmosphere::kMaxIterationSteps);
    EXPECT_NEAR(mach, 201.0, 1e-6);

    // Over the whole input range of the air-data solution the supersonic
    // calibrated airspeed reproduces its impact pressure within 5 Pa.
    AirDataRecord record;
    for (double h = -1000.0; h <= 15000.0; h += 1000.0) {
        for (double tas = 350.0; tas <= 700.0; tas += 25.0) {
            atmosphere.SetAltitudeAndSpeed(h, tas, record);
            if (record.mach > 1.0 && record.cas > atmosphere.SeaLevelSpeedOfSound()) {
                const double qc = atmosphere.ImpactPressureOfMach(
                    record.cas / atmosphere.SeaLevelSpeedOfSound(), 101325.0);
                EXPECT_LE(std::fabs(qc - record.impactPressure), 5.0) << h << " " << tas;
            }
        }
    }
}

TEST(CAtmosphere, NonFiniteOrImpossibleInputsGiveDocumentedFiniteResults) {
    CAtmosphere atmosphere;
    for (double bad : {kNaN, kInf, -kInf}) {
        EXPECT_EQ(atmosphere.Temperature(bad), 288.15);
        EXPECT_EQ(atmosphere.Pressure(bad), 101325.0);
        EXPECT_EQ(atmosphere.AltitudeOfPressure(bad), 0.0);
        EXPECT_EQ(atmosphere.Density(bad, 101325.0), -1.0);
        EXPECT_EQ(atmosphere.Density(288.15, bad), -1.0);
        EXPECT_EQ(atmosphere.SpeedOfSound(bad), -1.0);
        EXPECT_EQ(atmosphere.TasFromCas(bad, 3000.0), 0.0);
        EXPECT_EQ(atmosphere.TasFromCas(100.0, bad), 0.0);
        EXPECT_EQ(atmosphere.TasFromMach(bad, 3000.0), 0.0);
        EXPECT_EQ(atmosphere.TasFromMach(0.8, bad), 0.0);
        EXPECT_EQ(atmosphere.CasToMach(bad, 3000.0), 0.0);
        EXPECT_EQ(atmosphere.CasToMach(100.0, bad), 0.0);
        EXPECT_EQ(atmosphere.MachToCas(bad, 3000.0), 0.0);
        EXPECT_EQ(atmosphere.MachToCas(0.8, bad), 0.0);
    }
    EXPECT_EQ(atmosphere.AltitudeOfPressure(0.0), 0.0);
    EXPECT_EQ(atmosphere.AltitudeOfPressure(-5.0), 0.0);
    EXPECT_EQ(atmosphere.SpeedOfSound(0.0), -1.0);
    EXPECT_EQ(atmosphere.Density(0.0, 101325.0), -1.0);
    // Speeds so large that the arithmetic overflows on the way.
    EXPECT_EQ(atmosphere.TasFromCas(1e200, 0.0), 0.0);
    EXPECT_EQ(atmosphere.TasFromMach(1e308, 0.0), 0.0);

    // The air-data solution: +infinity takes the upper limits, NaN and
    // -infinity the lower ones.
    AirDataRecord record, reference;
    atmosphere.SetAltitudeAndSpeed(kInf, kInf, record);
    atmosphere.SetAltitudeAndSpeed(15000.0, 700.0, reference);
    EXPECT_TRUE(SameRecord(record, reference));
    for (double bad : {kNaN, -kInf}) {
        atmosphere.SetAltitudeAndSpeed(bad, bad, record);
        atmosphere.SetAltitudeAndSpeed(-1000.0, 0.0, reference);
        EXPECT_TRUE(SameRecord(record, reference));
    }
}
