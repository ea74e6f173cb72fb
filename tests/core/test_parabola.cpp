// The parabola fit of a conductor profile: grid search of the parameter.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/modFuncionesTopo.h"

namespace {

std::vector<objPto> Perfil(std::initializer_list<std::pair<double, double>> puntos)
{
    std::vector<objPto> r;
    for (const auto& [x, y] : puntos)
        r.push_back(objPto{"", x, y, 0.0});
    return r;
}

// The sum of residuals of a profile against the parabola of parameter p through
// its end points is a + b / p, since each residual is (height above the chord)
// + u (L - u) / (2p), u being the distance from the first point.
struct SumaResiduos {
    double a = 0.0;
    double b = 0.0;
    double operator()(double p) const { return a + b / p; }
};

SumaResiduos Suma(const std::vector<objPto>& perfil)
{
    const objPto& p1 = perfil.front();
    const objPto& pn = perfil.back();
    const double L = pn.X - p1.X;
    const double H = pn.Y - p1.Y;
    SumaResiduos s;
    for (size_t k = 1; k + 1 < perfil.size(); ++k) {
        const double u = perfil[k].X - p1.X;
        s.a += perfil[k].Y - p1.Y - H * u / L;
        s.b += u * (L - u) / 2.0;
    }
    return s;
}

// The grid parameter the search must find when the root of a + b/p lies
// between grid points: of the two neighbours, the one with the smaller |sum|.
double ParametroEsperado(const SumaResiduos& s)
{
    const double raiz = -s.b / s.a;
    const double abajo = std::floor(raiz / 0.25) * 0.25;
    const double arriba = abajo + 0.25;
    return std::fabs(s(arriba)) < std::fabs(s(abajo)) ? arriba : abajo;
}

// Points of the parabola of parameter p through (0, z0) and (L, z0 + H).
std::vector<objPto> PerfilDeParabola(double p, double L, double H, double z0, int intermedios)
{
    std::vector<objPto> r;
    for (int k = 0; k <= intermedios + 1; ++k) {
        const double u = L * k / (intermedios + 1);
        r.push_back(objPto{"", 1000.0 + u, z0 + H * u / L - u * (L - u) / (2.0 * p), 0.0});
    }
    return r;
}

void ExpectFallo(const objParabola& r)
{
    EXPECT_TRUE(r.Parametro == -1.0 && r.ErrorAjuste == 0.0 && r.ErrorRegresion == 0.0) << r.Parametro;
}

} // namespace

TEST(AjustarParabola, TresPuntosErroresDelParametroHallado)
{
    const std::vector<objPto> perfil = Perfil({{0, 10}, {25, 9.0}, {50, 8.7}, {75, 9.1}, {100, 10}});
    const objParabola r = AjustarParabola(perfil);
    EXPECT_EQ(r.Parametro, 976.5);
    // Residuals at p = 976.5: (y - 10) + u (100 - u) / 1953.
    const double r1 = -1.0 + 1875.0 / 1953.0;
    const double r2 = -1.3 + 2500.0 / 1953.0;
    const double r3 = -0.9 + 1875.0 / 1953.0;
    EXPECT_NEAR(r.ErrorAjuste, std::fabs(r1 + r2 + r3), 1e-12);
    // The errors are those of the parameter returned, not of the next one tried.
    EXPECT_NEAR(r.ErrorRegresion, std::fabs(r1) + std::fabs(r2) + std::fabs(r3), 1e-12);
    EXPECT_EQ(F3(r.ErrorRegresion), "0.120");
    EXPECT_EQ(F2(r.Parametro), "976.50");
}

TEST(AjustarParabola, AnclajesADistintaCota)
{
    const std::vector<objPto> perfil = Perfil({{0, 100}, {40, 97.5}, {120, 101}});
    EXPECT_EQ(AjustarParabola(perfil).Parametro, ParametroEsperado(Suma(perfil)));
    EXPECT_EQ(AjustarParabola(perfil).Parametro, 564.75);
    // Shifting the profile along the span changes nothing.
    const std::vector<objPto> desplazado = Perfil({{-500, 100}, {-460, 97.5}, {-380, 101}});
    EXPECT_EQ(AjustarParabola(desplazado).Parametro, 564.75);
}

TEST(AjustarParabola, PerfilDeParametroConocido)
{
    // A 250 m span with 60 m of height difference on a parabola of 1500 m:
    // a grid parameter is found exactly.
    objParabola r = AjustarParabola(PerfilDeParabola(1500.0, 250.0, 60.0, 320.0, 23));
    EXPECT_EQ(r.Parametro, 1500.0);
    EXPECT_NEAR(r.ErrorAjuste, 0.0, 1e-9);
    EXPECT_NEAR(r.ErrorRegresion, 0.0, 1e-9);

    // Off the grid, the parameter comes within half a step.
    for (double p : {37.1, 812.34, 1234.6, 4321.9}) {
        const std::vector<objPto> perfil = PerfilDeParabola(p, 180.0, -25.0, 500.0, 11);
        r = AjustarParabola(perfil);
        EXPECT_NEAR(r.Parametro, p, 0.125) << p;
        EXPECT_EQ(r.Parametro, ParametroEsperado(Suma(perfil))) << p;
    }
}

TEST(AjustarParabola, ExtremosDeLaMalla)
{
    // The smallest parameter: the sum already rises at the second step.
    objParabola r = AjustarParabola(Perfil({{0, 0}, {50, -5000.0}, {100, 0}}));
    EXPECT_EQ(r.Parametro, 0.25);
    // Minima at every position of the first steps of the grid.
    for (int k = 1; k <= 20; ++k) {
        const double raiz = 0.25 * k + 0.03;
        r = AjustarParabola(Perfil({{0, 0}, {50, -1250.0 / raiz}, {100, 0}}));
        EXPECT_EQ(r.Parametro, 0.25 * k) << raiz;
    }
    // Root at 9999.8: 9999.75 is the nearest grid point and the sum rises at 10000.
    r = AjustarParabola(Perfil({{0, 10}, {50, 10 - 1250.0 / 9999.8}, {100, 10}}));
    EXPECT_EQ(r.Parametro, 9999.75);
    // Root at 9999.95: the sum still falls at 10000, the last parameter tried.
    ExpectFallo(AjustarParabola(Perfil({{0, 10}, {50, 10 - 1250.0 / 9999.95}, {100, 10}})));
}

TEST(AjustarParabola, PerfilesSinAjuste)
{
    // Only the anchors.
    ExpectFallo(AjustarParabola(Perfil({{0, 10}, {100, 12}})));
    ExpectFallo(AjustarParabola({}));
    // A conductor so nearly straight that the parameter would be 12500 m.
    ExpectFallo(AjustarParabola(Perfil({{0, 10}, {50, 9.9}, {100, 10}})));
    // Points on the chord, and points above it: the error falls forever.
    ExpectFallo(AjustarParabola(Perfil({{0, 10}, {30, 13}, {60, 16}, {100, 20}})));
    ExpectFallo(AjustarParabola(Perfil({{0, 10}, {50, 10.5}, {100, 10}})));
    // Both anchors at the same abscissa: no vertex.
    ExpectFallo(AjustarParabola(Perfil({{20, 10}, {25, 8}, {20, 30}})));
}
