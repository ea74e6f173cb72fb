// The parabola fit of a long conductor profile in its slowest case: points on
// the chord between the anchors, so the error falls all the way to 10000 and
// every one of the 40,000 parameters of the grid is evaluated. Target: under
// 50 ms a fit.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/modFuncionesTopo.h"

namespace {

std::vector<objPto> PerfilRecto(int n)
{
    std::vector<objPto> perfil(static_cast<size_t>(n));
    const double L = 250.0;
    const double H = 60.0;
    for (int k = 0; k < n; ++k) {
        const double x = L * k / (n - 1);
        perfil[static_cast<size_t>(k)] = objPto{std::to_string(k), x, 100.0 + H * x / L, 0.0};
    }
    return perfil;
}

void BM_AjustarParabolaSinMinimo(benchmark::State& estado)
{
    const std::vector<objPto> perfil = PerfilRecto(static_cast<int>(estado.range(0)));
    for (auto _ : estado) {
        const objParabola r = AjustarParabola(perfil);
        if (r.Parametro != -1.0)
            estado.SkipWithError("the straight profile should not fit");
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_AjustarParabolaSinMinimo)->Arg(1000)->Unit(benchmark::kMillisecond);

// A typical span: 1,000 points on a parabola of parameter 1500 m.
void BM_AjustarParabolaVano(benchmark::State& estado)
{
    std::vector<objPto> perfil = PerfilRecto(1000);
    for (objPto& p : perfil)
        p.Y -= p.X * (250.0 - p.X) / (2.0 * 1500.0);
    for (auto _ : estado)
        benchmark::DoNotOptimize(AjustarParabola(perfil));
}
BENCHMARK(BM_AjustarParabolaVano)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
