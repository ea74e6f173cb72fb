// The parabola fit of a conductor profile: grid search of the parameter.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/modFuncionesTopo.h"

namespace {

using Perfil = std::vector<objPto>;

Perfil Puntos(std::initializer_list<std::pair<double, double>> puntos)
{
    Perfil r;
    for (const auto& [x, y] : puntos)
        r.push_back(objPto{"", x, y, 0.0});
    return r;
}

// Points of the parabola of parameter p through (1000, z0) and (1000 + L, z0 + H).
Perfil DeParabola(double p, double L, double H, double z0, int intermedios)
{
    Perfil r;
    for (int k = 0; k <= intermedios + 1; ++k) {
        const double u = L * k / (intermedios + 1);
        r.push_back(objPto{"", 1000.0 + u, z0 + H * u / L - u * (L - u) / (2.0 * p), 0.0});
    }
    return r;
}

} // namespace

TEST(AjustarParabola, ErroresDelParametroHallado)
{
    const objParabola r = AjustarParabola(Puntos({{0, 10}, {25, 9.0}, {50, 8.7}, {75, 9.1}, {100, 10}}));
    EXPECT_EQ(r.Parametro, 976.5);
    // Residuals at p = 976.5: (y - 10) + u (100 - u) / 1953; the errors are
    // those of the parameter returned, not of the next one tried.
    const double r1 = -1.0 + 1875.0 / 1953.0, r2 = -1.3 + 2500.0 / 1953.0, r3 = -0.9 + 1875.0 / 1953.0;
    EXPECT_NEAR(r.ErrorAjuste, std::fabs(r1 + r2 + r3), 1e-12);
    EXPECT_NEAR(r.ErrorRegresion, std::fabs(r1) + std::fabs(r2) + std::fabs(r3), 1e-12);
}

TEST(AjustarParabola, ParametroDeLaMalla)
{
    // Expected -1: no fit (the errors are then 0 too).
    const std::pair<Perfil, double> casos[] = {
        {Puntos({{0, 100}, {40, 97.5}, {120, 101}}), 564.75},       // anchors at different heights
        {Puntos({{-500, 100}, {-460, 97.5}, {-380, 101}}), 564.75}, // the same, shifted along the span
        {Puntos({{0, 0}, {50, -5000.0}, {100, 0}}), 0.25},          // the sum already rises at the second step
        // Root at 9999.8: 9999.75 is the nearest and the sum rises at 10000; at
        // 9999.95 it still falls at 10000, the last parameter tried.
        {Puntos({{0, 10}, {50, 10 - 1250.0 / 9999.8}, {100, 10}}), 9999.75},
        {Puntos({{0, 10}, {50, 10 - 1250.0 / 9999.95}, {100, 10}}), -1},
        {Puntos({{0, 10}, {100, 12}}), -1}, // only the anchors
        {{}, -1},
        {Puntos({{0, 10}, {50, 9.9}, {100, 10}}), -1},          // nearly straight: 12500 m
        {Puntos({{0, 10}, {30, 13}, {60, 16}, {100, 20}}), -1}, // on the chord
        {Puntos({{0, 10}, {50, 10.5}, {100, 10}}), -1},         // above the chord
        {Puntos({{20, 10}, {25, 8}, {20, 30}}), -1}};           // anchors at one abscissa
    for (size_t k = 0; k < std::size(casos); ++k) {
        const objParabola r = AjustarParabola(casos[k].first);
        EXPECT_EQ(r.Parametro, casos[k].second) << k;
        if (casos[k].second == -1) {
            EXPECT_TRUE(r.ErrorAjuste == 0.0 && r.ErrorRegresion == 0.0) << k;
        }
    }
    // Minima at every position of the first steps of the grid: the nearer grid point, below.
    for (int k = 1; k <= 20; ++k)
        EXPECT_EQ(AjustarParabola(Puntos({{0, 0}, {50, -1250.0 / (0.25 * k + 0.03)}, {100, 0}})).Parametro, 0.25 * k);
    // Points of a real parabola: on the grid the parameter itself, off it within half a step.
    for (double p : {1500.0, 37.1, 812.34, 1234.6, 4321.9})
        EXPECT_NEAR(AjustarParabola(DeParabola(p, 180.0, -25.0, 500.0, 11)).Parametro, p, 0.125) << p;
}
