#include <gtest/gtest.h>

#include <cmath>

#include "core/modFuncionesTopo.h"

namespace {

objPto P(double x, double y, double z = 0.0)
{
    return objPto{"", x, y, z};
}

// Restores the refraction coefficient after each test.
class ConK : public ::testing::Test {
protected:
    void TearDown() override { KRefraccion = K_POR_DEFECTO; }
};

} // namespace

TEST(AcimutEntrePuntos, CuadrantesYEjes)
{
    const objPto o = P(0, 0);
    EXPECT_DOUBLE_EQ(AcimutEntrePuntos(o, P(0, 10)), 0);
    EXPECT_DOUBLE_EQ(AcimutEntrePuntos(o, P(10, 0)), 100);
    EXPECT_DOUBLE_EQ(AcimutEntrePuntos(o, P(0, -10)), 200);
    EXPECT_DOUBLE_EQ(AcimutEntrePuntos(o, P(-10, 0)), 300);
    EXPECT_NEAR(AcimutEntrePuntos(o, P(10, 10)), 50, 1e-11);
    EXPECT_NEAR(AcimutEntrePuntos(o, P(10, -10)), 150, 1e-11);
    EXPECT_NEAR(AcimutEntrePuntos(o, P(-10, -10)), 250, 1e-11);
    EXPECT_NEAR(AcimutEntrePuntos(o, P(-10, 10)), 350, 1e-11);
    EXPECT_DOUBLE_EQ(AcimutEntrePuntos(o, o), 0);
    // From north towards east, against atan2 in radians.
    EXPECT_NEAR(AcimutEntrePuntos(P(100, 200), P(103, 204)), std::atan2(3.0, 4.0) * 200.0 / M_PI, 1e-9);
    EXPECT_DOUBLE_EQ(DistanciaEntrePuntos(P(4, 5), P(1, 1)), 5.0);
}

TEST(NormalizarAngulo, UnaVuelta)
{
    EXPECT_DOUBLE_EQ(NormalizarAngulo(400), 0);
    EXPECT_DOUBLE_EQ(NormalizarAngulo(-0.5), 399.5);
    EXPECT_DOUBLE_EQ(NormalizarAngulo(800.25), 0.25);
    EXPECT_DOUBLE_EQ(NormalizarAngulo(123.4), 123.4);
    // Huge values end at once instead of turning for ever.
    const double r = NormalizarAngulo(1e300);
    EXPECT_GE(r, 0);
    EXPECT_LT(r, 400);
    EXPECT_DOUBLE_EQ(NormalizarAngulo(HUGE_VAL), 0);
}

TEST(Bessel, MediasDeCaras)
{
    const double casos[][3] = {{0.01, 200.03, 0.02},        {399.99, 199.98, 399.985}, {399.99, 200.01, 0},
                               {100, 300.0002, 100.0001},  {100, 299.9998, 99.9999},  {399.9999, 200.0003, 0.0001},
                               {100, 300, 100}};
    for (const auto& c : casos)
        EXPECT_NEAR(BesselHorizontal(c[0], c[1]), c[2], 1e-9) << c[0] << " " << c[1];
    EXPECT_NEAR(BesselCenital(99.99, 300.03), 99.98, 1e-9);
    EXPECT_NEAR(BesselCenital(100.0010, 299.9996), 100.0007, 1e-9);
}

TEST_F(ConK, CotasSinCorreccion)
{
    KRefraccion = 0.5;
    const double Dg = 123.456, V = 97.5;
    const double t = Dg * std::cos(V * GRAD_A_RAD);
    EXPECT_DOUBLE_EQ(CotaPuntoVisado(100, Dg, V, 1.5, 1.7), 100 + t + 1.5 - 1.7);
    EXPECT_DOUBLE_EQ(CotaPuntoEstacion(100, Dg, V, 1.5, 1.7), 100 - (t + 1.5 - 1.7));
}

TEST_F(ConK, CorreccionEsfericidadRefraccion)
{
    KRefraccion = 0.08;
    // Level sight of 1000 m: only the correction term remains.
    const double c = CotaPuntoVisado(0, 1000, 100, 0, 0) - 1000 * std::cos(100 * GRAD_A_RAD);
    EXPECT_NEAR(c, 0.84e6 / (2 * 6371064.0), 1e-12);
    EXPECT_NEAR(c, 0.0659, 5e-5);
    // The station height undoes the sighted height.
    const double zv = CotaPuntoVisado(250, 812.3, 96.2, 1.6, 1.8);
    EXPECT_NEAR(CotaPuntoEstacion(zv, 812.3, 96.2, 1.6, 1.8), 250, 1e-9);
}

TEST(Formulas, DistanciaReducidaYAlturaRemota)
{
    EXPECT_NEAR(ReducirDistancia(25, 90), 25 * std::sin(90 * M_PI / 200), 1e-12);
    EXPECT_NEAR(CalcularAlturaRemota(50, 10, 1.5, 100), 111.5, 1e-9);
    EXPECT_DOUBLE_EQ(CalcularAlturaRemota(100, 10, 1.5, 100), 101.5);
}

TEST(ExtraerCampo, CamposSeparadosPorEspacios)
{
    const std::string linea = "P1 100.5 200.25";
    EXPECT_EQ(ExtraerCampo(linea, 0), "P1");
    EXPECT_EQ(ExtraerCampo(linea, 2), "200.25");
    EXPECT_EQ(ExtraerCampo(linea, 3), "");
    EXPECT_EQ(ExtraerCampo("a  b", 1), "");
    EXPECT_EQ(ExtraerCampo("a  b", 2), "b");
    EXPECT_EQ(ExtraerCampo("", 3), "");
    EXPECT_EQ(ExtraerCampo("sin-espacios", 0), "sin-espacios");
    EXPECT_EQ(ExtraerCampo("fin ", 1), "");
}

TEST(CalcularErrorParabolico, PerfilExactoYDesviado)
{
    // Points on y = Zv + (x - Xv)^2 / (2p) with p = 500 and anchors at 0 and 100.
    const double p = 500;
    auto y = [&](double x) { return 10 + (x - 40) * (x - 40) / (2 * p); };
    std::vector<objPto> perfil;
    for (double x : {0.0, 25.0, 50.0, 75.0, 100.0})
        perfil.push_back(P(x, y(x)));
    objErrorParabolico e = CalcularErrorParabolico(perfil, p);
    EXPECT_NEAR(e.ErrorAjuste, 0, 1e-9);
    EXPECT_NEAR(e.ErrorRegresion, 0, 1e-9);

    perfil[2].Y += 0.3;
    perfil[3].Y -= 0.1;
    e = CalcularErrorParabolico(perfil, p);
    EXPECT_NEAR(e.ErrorAjuste, 0.2, 1e-9);
    EXPECT_NEAR(e.ErrorRegresion, 0.4, 1e-9);
}
