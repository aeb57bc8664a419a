// Cost of the air-data conversions the FCU makes at a SPD/MACH changeover.

#include <benchmark/benchmark.h>

#include "eng/CAtmosphere.h"

namespace {

constexpr double kKnot = 1852.0 / 3600.0;
constexpr double kFoot = 0.3048;

// One FCU conversion: 250 kt CAS to Mach at 10 000 ft (subsonic throughout).
void BM_CasToMach(benchmark::State& state) {
    CAtmosphere atmosphere;
    double cas = 250.0 * kKnot;
    double h = 10000.0 * kFoot;
    for (auto _ : state) {
        benchmark::DoNotOptimize(cas);
        benchmark::DoNotOptimize(h);
        benchmark::DoNotOptimize(atmosphere.CasToMach(cas, h));
    }
}
BENCHMARK(BM_CasToMach);

// The reverse FCU conversion: Mach 0.78 to CAS at FL350.
void BM_MachToCas(benchmark::State& state) {
    CAtmosphere atmosphere;
    double mach = 0.78;
    double h = 35000.0 * kFoot;
    for (auto _ : state) {
        benchmark::DoNotOptimize(mach);
        benchmark::DoNotOptimize(h);
        benchmark::DoNotOptimize(atmosphere.MachToCas(mach, h));
    }
}
BENCHMARK(BM_MachToCas);

// One supersonic iterative solution: the Mach number of the impact pressure of
// Mach 1.6 at the tropopause pressure, iterated from Mach 1. The step count is
// reported as a counter.
void BM_SupersonicSolution(benchmark::State& state) {
    CAtmosphere atmosphere;
    double p = atmosphere.TropopausePressure();
    double qc = atmosphere.ImpactPressureOfMach(1.6, p);
    int steps = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qc);
        benchmark::DoNotOptimize(atmosphere.SolveSupersonicMach(qc, p, &steps));
    }
    state.counters["steps"] = steps;
}
BENCHMARK(BM_SupersonicSolution);

// The bound of the iteration: a target it cannot reach takes all 10000 steps.
void BM_SupersonicSolutionAtStepLimit(benchmark::State& state) {
    CAtmosphere atmosphere;
    double p = 1000.0;
    double qc = 1e9;
    int steps = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qc);
        benchmark::DoNotOptimize(atmosphere.SolveSupersonicMach(qc, p, &steps));
    }
    state.counters["steps"] = steps;
}
BENCHMARK(BM_SupersonicSolutionAtStepLimit);

// A supersonic FCU conversion: 320 kt CAS to Mach at 45 000 ft, where the
// flight Mach number is above 1, so the CAS to TAS step at altitude goes
// through the iteration (the calibrated airspeed itself stays subsonic).
void BM_CasToMachSupersonic(benchmark::State& state) {
    CAtmosphere atmosphere;
    double cas = 320.0 * kKnot;
    double h = 45000.0 * kFoot;
    for (auto _ : state) {
        benchmark::DoNotOptimize(cas);
        benchmark::DoNotOptimize(h);
        benchmark::DoNotOptimize(atmosphere.CasToMach(cas, h));
    }
}
BENCHMARK(BM_CasToMachSupersonic);

}  // namespace

BENCHMARK_MAIN();
