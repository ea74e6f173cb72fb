// Traverse adjustment of long traverses: least squares on 1,000 stations
// must stay under 50 ms; the two rules for comparison.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "core/modFuncionesTopo.h"
#include "traverse/Compensacion.h"

namespace
{

struct Poligonal {
    objPto BE, BO, PE, PV;
    colEstaciones est;
};

// A winding traverse of n stations with a few centimetres of noise, chained
// by the sheet's own computation.
Poligonal Generar(int n)
{
    std::mt19937 gen(2024);
    std::uniform_real_distribution<double> giro(-90.0, 90.0), largo(80.0, 300.0);
    std::normal_distribution<double> ruido(0.0, 1.0);
    std::vector<objPto> p(static_cast<size_t>(n + 2));
    p[0] = {"BO", 400000, 4400000, 600};
    p[1] = {"BE", 400150, 4400120, 601};
    double az = AcimutEntrePuntos(p[0], p[1]);
    for (size_t k = 2; k < p.size(); ++k) {
        az = NormalizarAngulo(az + giro(gen));
        const double d = largo(gen);
        p[k] = {"P" + std::to_string(k - 1), p[k - 1].X + d * std::sin(az * GRAD_A_RAD),
                p[k - 1].Y + d * std::cos(az * GRAD_A_RAD), p[k - 1].Z + ruido(gen)};
    }
    Poligonal t{p[1], p[0], p[static_cast<size_t>(n)], p[static_cast<size_t>(n + 1)],
                colEstaciones(static_cast<size_t>(n))};
    double atras = AcimutEntrePuntos(p[1], p[0]);
    for (int i = 0; i < n; ++i) {
        const objPto &a = p[static_cast<size_t>(i + 1)], &b = p[static_cast<size_t>(i + 2)];
        const double adelante = AcimutEntrePuntos(a, b) + 0.0015 * ruido(gen);
        const double angulo = NormalizarAngulo(adelante - atras);
        const double d = DistanciaEntrePuntos(a, b) + 0.002 * ruido(gen);
        const double V = std::atan2(d, b.Z - a.Z) * RAD_A_GRAD;
        const double Dg = std::hypot(d, b.Z - a.Z);
        const double lecturas[] = {0,   200, angulo,  angulo + 200, V,  400 - V, Dg,
                                   1.5, 1.5, 200 - V, 200 + V,      Dg, 1.5,     1.5};
        objEstacion& e = t.est[static_cast<size_t>(i)];
        for (int k = 1; k <= 14; ++k)
            e.Slot(k) = lecturas[k - 1];
        e.objBV.N = b.N;
        atras = adelante + 200.0;
    }
    t.est[0].objBE = t.BE;
    t.est[0].objBO = t.BO;
    t.est[0].Radiar();
    PropagarBases(t.est, 1);
    return t;
}

void Compensacion(benchmark::State& estado, MetodoCompensacion metodo)
{
    const double k = KRefraccion;
    KRefraccion = 0.5;
    const Poligonal t = Generar(static_cast<int>(estado.range(0)));
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
