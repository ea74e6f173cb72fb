// The terrain model on a large survey: the triangulation of 1,000,000 points
// (target: at most 3 s), the contours of a 100,000-point surface every 0.5 m
// (target: at most 0.5 s), and, for reference, the volume between two
// 100,000-point surfaces.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "terrain/Terreno.h"

namespace {

// n points scattered over a 2 x 1 km site: rolling ground about 50 m high.
std::vector<objPto> Levantamiento(int n, unsigned semilla)
{
    std::mt19937 azar(semilla);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<objPto> p(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double x = 2000 * u(azar), y = 1000 * u(azar);
        p[static_cast<size_t>(i)] = {std::to_string(i + 1), 500000 + x, 4000000 + y,
                                     600 + 25 * std::sin(x / 200) * std::cos(y / 150) + 0.005 * x};
    }
    return p;
}

void BM_Triangular(benchmark::State& estado)
{
    const std::vector<objPto> p = Levantamiento(static_cast<int>(estado.range(0)), 1);
    for (auto _ : estado) {
        const Triangulacion t = Triangular(p, {}, [](double) { return true; });
        if (!t.Valida())
            estado.SkipWithError("sin superficie");
        benchmark::DoNotOptimize(t.superficie.triangulos.data());
    }
    estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}
BENCHMARK(BM_Triangular)->Arg(1000000)->Arg(100000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_Curvas(benchmark::State& estado)
{
    const Superficie s = Triangular(Levantamiento(100000, 2)).superficie;
    size_t curvas = 0;
    for (auto _ : estado) {
        const Curvas c = CurvasDeNivel(s, 0.5, 5, [](double) { return true; });
        curvas = c.curvas.size();
        benchmark::DoNotOptimize(c.curvas.data());
    }
    estado.counters["curvas"] = static_cast<double>(curvas);
}
BENCHMARK(BM_Curvas)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_VolumenEntreSuperficies(benchmark::State& estado)
{
    const Superficie a = Triangular(Levantamiento(100000, 3)).superficie;
    const Superficie b = Triangular(Levantamiento(100000, 4)).superficie;
    for (auto _ : estado)
        benchmark::DoNotOptimize(VolumenEntreSuperficies(a, b).desmonte);
}
BENCHMARK(BM_VolumenEntreSuperficies)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
