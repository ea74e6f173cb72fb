// A 100,000-line GSI download (GSI-16 with GSI-8 lines mixed in) read into
// observation rows (target: at most 100 ms).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "exchange/Gsi.h"

namespace {

constexpr int LINEAS = 100000;

std::string Descarga()
{
    std::string t;
    char linea[160];
    for (int i = 1; i <= LINEAS; ++i) {
        if (i % 2)
            std::snprintf(linea, sizeof linea,
                          "*110%03d+%016d 21.022+%016d 22.022+%016d 31..00+%016d 87..10+%016d\r\n", i % 1000, i,
                          (i * 7919) % 40000000, 9000000 + i % 2000000, 10000 + i % 190000, 1500);
        else
            std::snprintf(linea, sizeof linea, "110%03d+%08d 21.022+%08d 22.022+%08d 31..00+%08d\r\n", i % 1000, i,
                          (i * 7919) % 40000000, 9000000 + i % 2000000, 10000 + i % 190000);
        t += linea;
    }
    return t;
}

void BM_LeerGsi(benchmark::State& estado)
{
    const std::string texto = Descarga();
    for (auto _ : estado) {
        const LecturaGsi r = LeerGsi(texto);
        if (r.filas.size() != LINEAS || !r.noLeidas.empty())
            estado.SkipWithError("descarga mal leída");
        benchmark::DoNotOptimize(r.filas.data());
    }
    estado.SetItemsProcessed(estado.iterations() * LINEAS);
}
BENCHMARK(BM_LeerGsi)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
