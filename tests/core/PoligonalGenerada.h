#pragma once
// Traverses for the adjustment's tests and benchmark, as the sheet holds them after its
// own computation: built from each station's forward sight, or drawn at random from a seed.
#include <cmath>
#include <random>

#include "core/modFuncionesTopo.h"
#include "traverse/Poligonal.h"

namespace prueba {

// One station's forward sight: the sighted point, carried azimuth (g), reduced distance, height difference.
struct Visual {
    std::string hasta;
    double acimut, distancia, desnivel;
};

// A traverse from BE oriented on BO: station i sees the back station at 0 and the forward point at the
// azimuth asked for; faces and reciprocal sights agree, heights 1.5 m (K = 0.5).
inline colEstaciones Construir(const objPto& BE, const objPto& BO, const std::vector<Visual>& visuales)
{
    colEstaciones est(visuales.size());
    double atras = AcimutEntrePuntos(BE, BO);
    for (size_t i = 0; i < visuales.size(); ++i) {
        const Visual& v = visuales[i];
        const double angulo = NormalizarAngulo(v.acimut - atras);
        const double V = std::atan2(v.distancia, v.desnivel) * RAD_A_GRAD;
        const double Dg = std::hypot(v.distancia, v.desnivel);
        const double lecturas[] = {0,   200, angulo,  angulo + 200, V,  400 - V, Dg,
                                   1.5, 1.5, 200 - V, 200 + V,      Dg, 1.5,     1.5};
        for (int k = 1; k <= 14; ++k)
            est[i].Slot(k) = lecturas[k - 1];
        est[i].objBV.N = v.hasta;
        atras = v.acimut + 200.0;
    }
    est[0].objBE = BE, est[0].objBO = BO;
    est[0].Radiar();
    PropagarBases(est, 1);
    return est;
}

// A traverse drawn from a seed (turns or the leg azimuths given), observed exactly or with noise of sigma (cc, m).
struct Generada {
    objPto BE, BO, PE, PV;
    colEstaciones est;
};

inline Generada Generar(unsigned semilla, int n, double ruidoCC, double ruidoM,
                        const std::vector<double>& acimutes = {})
{
    std::mt19937 gen(semilla);
    std::uniform_real_distribution<double> giro(-120.0, 120.0), largo(80.0, 300.0), sube(-8.0, 8.0);
    std::normal_distribution<double> normal(0.0, 1.0);
    std::vector<objPto> p(static_cast<size_t>(n + 2));
    p[0] = {"BO", 5000, 5000, 200};
    p[1] = {"BE", 5150, 5120, 201};
    double az = AcimutEntrePuntos(p[0], p[1]);
    for (size_t k = 2; k < p.size(); ++k) {
        az = k - 2 < acimutes.size() ? acimutes[k - 2] : NormalizarAngulo(az + giro(gen));
        const double d = largo(gen);
        p[k] = {"P" + std::to_string(k - 1), p[k - 1].X + d * std::sin(az * GRAD_A_RAD),
                p[k - 1].Y + d * std::cos(az * GRAD_A_RAD), p[k - 1].Z + sube(gen)};
    }
    std::vector<Visual> v;
    double error = 0.0;
    for (int i = 1; i <= n; ++i) {
        error += ruidoCC * normal(gen) / 10000.0; // carried azimuth errors accumulate
        const objPto &a = p[static_cast<size_t>(i)], &b = p[static_cast<size_t>(i + 1)];
        v.push_back({b.N, AcimutEntrePuntos(a, b) + error, DistanciaEntrePuntos(a, b) + ruidoM * normal(gen),
                     b.Z - a.Z + ruidoM * normal(gen)});
    }
    return {p[1], p[0], p[static_cast<size_t>(n)], p[static_cast<size_t>(n + 1)], Construir(p[1], p[0], v)};
}

} // namespace prueba
