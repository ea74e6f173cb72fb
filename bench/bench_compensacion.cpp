// Traverse adjustment of long traverses: least squares on 1,000 stations
// must stay under 50 ms; the two rules for comparison.
#include <benchmark/benchmark.h>

#include "tests/core/PoligonalGenerada.h"
#include "traverse/Compensacion.h"

namespace
{

void Compensacion(benchmark::State& estado, MetodoCompensacion metodo)
{
    const double k = KRefraccion;
    KRefraccion = 0.5;
    // A winding traverse with 15 cc of carried azimuth noise and 2 mm on the distances.
    const prueba::Generada t = prueba::Generar(2024, static_cast<int>(estado.range(0)), 15.0, 0.002);
    OpcionesCompensacion o;
    o.metodo = metodo;
    for (auto _ : estado) {
        ResultadoCompensacion r = Compensar(t.BE, t.BO, t.est, t.PE, t.PV, true, o);
        if (!r.ok)
            estado.SkipWithError(r.error.c_str());
        benchmark::DoNotOptimize(r);
    }
    KRefraccion = k;
}

void BM_MinimosCuadrados(benchmark::State& estado)
{
    Compensacion(estado, MetodoCompensacion::MinimosCuadrados);
}
BENCHMARK(BM_MinimosCuadrados)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_Bowditch(benchmark::State& estado)
{
    Compensacion(estado, MetodoCompensacion::Bowditch);
}
BENCHMARK(BM_Bowditch)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
