// Each export of 100,000 points: DXF, GeoJSON and KML (target: at most 0.5 s
// each, the transformation to longitude and latitude included).
#include <benchmark/benchmark.h>

#include "exchange/Intercambio.h"

namespace {

constexpr int PUNTOS = 100000;

Dibujo Obra()
{
    Dibujo d;
    d.puntos.reserve(PUNTOS);
    for (int i = 0; i < PUNTOS; ++i)
        d.puntos.push_back({std::to_string(1000 + i), 362000.0 + (i % 700) * 1.37, 4571000.0 + (i / 700) * 1.91,
                            600.0 + (i % 97) * 0.113});
    return d;
}

void BM_Dxf(benchmark::State& estado)
{
    const Dibujo d = Obra();
    for (auto _ : estado)
        benchmark::DoNotOptimize(EscribirDxf(d));
}
BENCHMARK(BM_Dxf)->Unit(benchmark::kMillisecond);

void BM_GeoJson(benchmark::State& estado)
{
    const Dibujo d = Obra();
    const Transformacion t(25830);
    std::string texto, error;
    for (auto _ : estado)
        if (!EscribirGeoJson(d, t, texto, error))
            estado.SkipWithError(error.c_str());
}
BENCHMARK(BM_GeoJson)->Unit(benchmark::kMillisecond);

void BM_Kml(benchmark::State& estado)
{
    const Dibujo d = Obra();
    const Transformacion t(25830);
    std::string texto, error;
    for (auto _ : estado)
        if (!EscribirKml(d, t, "Obra", texto, error))
            estado.SkipWithError(error.c_str());
}
BENCHMARK(BM_Kml)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
