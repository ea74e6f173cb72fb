#include <gtest/gtest.h>

#include <cmath>

#include "core/modFuncionesTopo.h"
#include "core/objEstacion.h"

namespace {

class Estacion : public ::testing::Test {
protected:
    void SetUp() override { KRefraccion = 0.5; }
    void TearDown() override { KRefraccion = K_POR_DEFECTO; }

    // Station at (1000, 1000, 100) oriented due north, sighting due east at 50 m.
    static objEstacion HaciaElEste()
    {
        objEstacion e;
        e.objBE = {"E", 1000, 1000, 100};
        e.objBO = {"O", 1000, 1100, 0};
        const double s[] = {0, 200, 100, 300, 100, 300, 50, 1.5, 1.5, 100, 300, 50, 1.5, 1.5};
        for (int k = 1; k <= 14; ++k)
            e.Slot(k) = s[k - 1];
        return e;
    }
};

} // namespace

TEST_F(Estacion, NuevaTiene23SlotsVacios)
{
    objEstacion e;
    EXPECT_EQ(e.colObservaciones.size(), 23u);
    EXPECT_FALSE(e.bolSimple);
    for (int k = 1; k <= 23; ++k)
        EXPECT_EQ(e.Slot(k), 0.0);
    EXPECT_THROW(e.Slot(24), std::out_of_range);
}

TEST_F(Estacion, TodoCeroDaElPuntoDeEstacion)
{
    objEstacion e;
    e.objBE = {"E", 10, 20, 30};
    e.Radiar();
    EXPECT_DOUBLE_EQ(e.objBV.X, 10);
    EXPECT_DOUBLE_EQ(e.objBV.Y, 20);
    EXPECT_DOUBLE_EQ(e.objBV.Z, 30);
}

TEST_F(Estacion, ModoCompleto)
{
    objEstacion e = HaciaElEste();
    e.Radiar();
    EXPECT_NEAR(e.Slot(15), 0, 1e-12);
    EXPECT_NEAR(e.Slot(16), 100, 1e-12);
    EXPECT_NEAR(e.Slot(17), 100, 1e-12);
    EXPECT_NEAR(e.Slot(18), 100, 1e-12);
    for (int k : {19, 20, 23})
        EXPECT_NEAR(e.Slot(k), 50, 1e-9) << k;
    EXPECT_NEAR(e.Slot(21), 100, 1e-9);
    EXPECT_NEAR(e.Slot(22), 100, 1e-9);
    EXPECT_NEAR(e.objBV.X, 1050, 1e-9);
    EXPECT_NEAR(e.objBV.Y, 1000, 1e-9);
    EXPECT_NEAR(e.objBV.Z, 100, 1e-9);
}

TEST_F(Estacion, ModoSimpleNoTocaLosResultados)
{
    objEstacion e;
    e.bolSimple = true;
    e.objBE = {"E", 1000, 1000, 100};
    e.objBO = {"O", 1000, 1100, 0};
    e.Slot(15) = 0;
    e.Slot(16) = 100;
    e.Slot(17) = 100;
    e.Slot(7) = 50;
    e.Slot(8) = e.Slot(9) = 1.5;
    for (int k = 18; k <= 23; ++k)
        e.Slot(k) = k * 1.25;
    e.Radiar();
    EXPECT_NEAR(e.objBV.X, 1050, 1e-9);
    EXPECT_NEAR(e.objBV.Y, 1000, 1e-9);
    EXPECT_NEAR(e.objBV.Z, 100, 1e-9);
    for (int k = 18; k <= 23; ++k)
        EXPECT_EQ(e.Slot(k), k * 1.25);
}

TEST_F(Estacion, CotaMediaDeDirectaYReciproca)
{
    // Direct 100.010, reciprocal 99.990: the signal heights shift each side.
    objEstacion e = HaciaElEste();
    e.Slot(9) = 1.49;  // direct: 100 + 1.5 - 1.49 = 100.010
    e.Slot(13) = 1.49; // reciprocal: 100 - (1.49 - 1.5) ... station side
    e.Slot(14) = 1.5;
    e.Radiar();
    EXPECT_NEAR(e.Slot(21), 100.010, 1e-9);
    EXPECT_NEAR(e.Slot(22), 100.010, 1e-9);
    e.Slot(13) = 1.51;
    e.Radiar();
    EXPECT_NEAR(e.Slot(22), 99.990, 1e-9);
    EXPECT_NEAR(e.objBV.Z, 100.000, 1e-9);
}

TEST_F(Estacion, OrientacionMayorQueVisadaSeReduce)
{
    // Orientation read 350, sighted point read 50: theta = 0 + 50 - 350 -> 100.
    objEstacion e = HaciaElEste();
    e.Slot(1) = 350;
    e.Slot(2) = 150;
    e.Slot(3) = 50;
    e.Slot(4) = 250;
    e.Radiar();
    EXPECT_NEAR(e.objBV.X, 1050, 1e-9);
    EXPECT_NEAR(e.objBV.Y, 1000, 1e-9);
}

TEST_F(Estacion, ValoresIndependientesConRefraccion)
{
    // A general station against the plain formulas, K = 0.08.
    KRefraccion = 0.08;
    objEstacion e;
    e.objBE = {"E", 5000, 3000, 250};
    e.objBO = {"O", 5100, 3100, 0};
    const double s[] = {12.3456, 212.3462, 187.6543, 387.6551, 98.1234, 301.8770, 312.456,
                        1.55, 1.70, 101.8800, 298.1204, 312.462, 1.60, 1.75};
    for (int k = 1; k <= 14; ++k)
        e.Slot(k) = s[k - 1];
    e.Radiar();
    const double rad = M_PI / 200;
    const double hzO = 12.3456 + (std::fabs(std::fabs(12.3456 - 212.3462) - 200)) / 2; // reverse read larger
    const double hzV = 187.6543 + (std::fabs(std::fabs(187.6543 - 387.6551) - 200)) / 2;
    const double v = 98.1234 + (400 - (98.1234 + 301.8770)) / 2;
    const double vr = 101.8800 + (400 - (101.8800 + 298.1204)) / 2;
    const double dr1 = 312.456 * std::sin(v * rad), dr2 = 312.462 * std::sin(vr * rad);
    const double dr = (dr1 + dr2) / 2;
    const double c1 = (1 - 0.16) * dr1 * dr1 / (2 * 6371064.0), c2 = (1 - 0.16) * dr2 * dr2 / (2 * 6371064.0);
    const double z1 = 250 + 312.456 * std::cos(v * rad) + c1 + 1.55 - 1.70;
    const double z2 = 250 - (312.462 * std::cos(vr * rad) + c2 + 1.60 - 1.75);
    const double az = 50 + hzV - hzO;
    EXPECT_NEAR(e.Slot(15), hzO, 1e-9);
    EXPECT_NEAR(e.Slot(16), hzV, 1e-9);
    EXPECT_NEAR(e.objBV.X, 5000 + dr * std::sin(az * rad), 1e-6);
    EXPECT_NEAR(e.objBV.Y, 3000 + dr * std::cos(az * rad), 1e-6);
    EXPECT_NEAR(e.objBV.Z, (z1 + z2) / 2, 1e-6);
}

TEST_F(Estacion, UnPasoQueFallaConservaSuValor)
{
    objEstacion e = HaciaElEste();
    e.Radiar();
    const objPto antes = e.objBV;
    e.Slot(7) = HUGE_VAL; // a distance that cannot be computed with
    e.Slot(12) = HUGE_VAL;
    e.Radiar();
    EXPECT_TRUE(std::isfinite(e.objBV.X));
    EXPECT_TRUE(std::isfinite(e.objBV.Y));
    EXPECT_TRUE(std::isfinite(e.objBV.Z));
    (void)antes;
}
