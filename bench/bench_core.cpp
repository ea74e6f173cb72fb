// Baseline of the survey formulas and of the reduction of one station.
#include <benchmark/benchmark.h>

#include "core/modFuncionesTopo.h"
#include "core/objEstacion.h"

namespace {

void BM_AcimutEntrePuntos(benchmark::State& estado)
{
    objPto a{"A", 1000.0, 1000.0, 100.0};
    objPto b{"B", 1234.567, 876.543, 101.0};
    for (auto _ : estado) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(AcimutEntrePuntos(a, b));
    }
}
BENCHMARK(BM_AcimutEntrePuntos);

void BM_CotaPuntoVisado(benchmark::State& estado)
{
    double dg = 523.417;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(dg);
        benchmark::DoNotOptimize(CotaPuntoVisado(100.0, dg, 98.7654, 1.55, 1.7));
    }
}
BENCHMARK(BM_CotaPuntoVisado);

void BM_Bessel(benchmark::State& estado)
{
    double d = 123.4567;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(d);
        benchmark::DoNotOptimize(BesselHorizontal(d, 323.4571));
        benchmark::DoNotOptimize(BesselCenital(d, 276.5437));
    }
}
BENCHMARK(BM_Bessel);

objEstacion EstacionTipica(bool simple)
{
    objEstacion e;
    e.bolSimple = simple;
    e.objBE = {"E1", 1000.0, 1000.0, 100.0};
    e.objBO = {"R", 1000.0, 1100.0, 0.0};
    const double lecturas[] = {0.0, 200.0006, 123.4567, 323.4571, 98.7654, 301.2350, 215.432,
                               1.55, 1.7, 101.2380, 298.7626, 215.437, 1.6, 1.7};
    for (int k = 1; k <= 14; ++k)
        e.Slot(k) = lecturas[k - 1];
    e.Slot(15) = 0.0;
    e.Slot(16) = 123.4567;
    e.Slot(17) = 98.7654;
    return e;
}

void BM_RadiarCompleta(benchmark::State& estado)
{
    objEstacion e = EstacionTipica(false);
    for (auto _ : estado) {
        e.Radiar();
        benchmark::DoNotOptimize(e.objBV);
    }
}
BENCHMARK(BM_RadiarCompleta);

void BM_RadiarSimple(benchmark::State& estado)
{
    objEstacion e = EstacionTipica(true);
    for (auto _ : estado) {
        e.Radiar();
        benchmark::DoNotOptimize(e.objBV);
    }
}
BENCHMARK(BM_RadiarSimple);

void BM_LeerYFormatear(benchmark::State& estado)
{
    const std::string texto = "1234,5678";
    for (auto _ : estado)
        benchmark::DoNotOptimize(F4(LeerNumero(texto)));
}
BENCHMARK(BM_LeerYFormatear);

} // namespace

BENCHMARK_MAIN();
