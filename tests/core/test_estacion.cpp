#include <gtest/gtest.h>

#include <cmath>

#include "core/modFuncionesTopo.h"
#include "core/objEstacion.h"

namespace {

class Estacion : public ::testing::Test {
protected:
    void SetUp() override { KRefraccion = 0.5; }
    void TearDown() override { KRefraccion = K_POR_DEFECTO; }

    static void Observar(objEstacion& e, const double (&s)[14])
    {
        for (int k = 1; k <= 14; ++k)
            e.Slot(k) = s[k - 1];
    }
    // Station at (1000, 1000, 100) oriented due north, sighting due east at 50 m.
    static objEstacion HaciaElEste()
    {
        objEstacion e;
        e.objBE = {"E", 1000, 1000, 100};
        e.objBO = {"O", 1000, 1100, 0};
        Observar(e, {0, 200, 100, 300, 100, 300, 50, 1.5, 1.5, 100, 300, 50, 1.5, 1.5});
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
    // All zero: the sighted point is the station point.
    e.objBE = {"E", 10, 20, 30};
    e.Radiar();
    EXPECT_DOUBLE_EQ(e.objBV.X, 10);
    EXPECT_DOUBLE_EQ(e.objBV.Y, 20);
    EXPECT_DOUBLE_EQ(e.objBV.Z, 30);
}

TEST_F(Estacion, ModoCompletoYModoSimple)
{
    objEstacion e = HaciaElEste();
    e.Radiar();
    const double esperado[] = {0, 100, 100, 100, 50, 50, 100, 100, 50};
    for (int k = 15; k <= 23; ++k)
        EXPECT_NEAR(e.Slot(k), esperado[k - 15], 1e-9) << k;
    EXPECT_NEAR(e.objBV.X, 1050, 1e-9);
    EXPECT_NEAR(e.objBV.Y, 1000, 1e-9);
    EXPECT_NEAR(e.objBV.Z, 100, 1e-9);

    // Orientation read 350, sighted point read 50: theta = 0 + 50 - 350 -> 100.
    e.Slot(1) = 350, e.Slot(2) = 150, e.Slot(3) = 50, e.Slot(4) = 250;
    e.Radiar();
    EXPECT_NEAR(e.objBV.X, 1050, 1e-9);
    EXPECT_NEAR(e.objBV.Y, 1000, 1e-9);

    // Simple mode radiates from the reduced slots and leaves results 18-23 alone.
    objEstacion s;
    s.bolSimple = true;
    s.objBE = e.objBE;
    s.objBO = e.objBO;
    s.Slot(15) = 0, s.Slot(16) = 100, s.Slot(17) = 100, s.Slot(7) = 50, s.Slot(8) = s.Slot(9) = 1.5;
    for (int k = 18; k <= 23; ++k)
        s.Slot(k) = k * 1.25;
    s.Radiar();
    EXPECT_NEAR(s.objBV.X, 1050, 1e-9);
    EXPECT_NEAR(s.objBV.Y, 1000, 1e-9);
    EXPECT_NEAR(s.objBV.Z, 100, 1e-9);
    for (int k = 18; k <= 23; ++k)
        EXPECT_EQ(s.Slot(k), k * 1.25);
}

TEST_F(Estacion, CotaMediaDeDirectaYReciproca)
{
    // Direct 100 + 1.5 - 1.49 = 100.010; reciprocal 100 - (1.51 - 1.5) = 99.990.
    objEstacion e = HaciaElEste();
    e.Slot(9) = 1.49;
    e.Slot(13) = 1.51;
    e.Radiar();
    EXPECT_NEAR(e.Slot(21), 100.010, 1e-9);
    EXPECT_NEAR(e.Slot(22), 99.990, 1e-9);
    EXPECT_NEAR(e.objBV.Z, 100.000, 1e-9);
}

TEST_F(Estacion, ValoresIndependientesConRefraccion)
{
    // A general station against the plain formulas, K = 0.08.
    KRefraccion = 0.08;
    objEstacion e;
    e.objBE = {"E", 5000, 3000, 250};
    e.objBO = {"O", 5100, 3100, 0};
    Observar(e, {12.3456, 212.3462, 187.6543, 387.6551, 98.1234, 301.8770, 312.456, 1.55, 1.70, 101.8800, 298.1204,
                 312.462, 1.60, 1.75});
    e.Radiar();
    const double rad = M_PI / 200;
    const double hzO = 12.3456 + (std::fabs(std::fabs(12.3456 - 212.3462) - 200)) / 2; // reverse read larger
    const double hzV = 187.6543 + (std::fabs(std::fabs(187.6543 - 387.6551) - 200)) / 2;
    const double v = 98.1234 + (400 - (98.1234 + 301.8770)) / 2;
    const double vr = 101.8800 + (400 - (101.8800 + 298.1204)) / 2;
    const double dr1 = 312.456 * std::sin(v * rad), dr2 = 312.462 * std::sin(vr * rad);
    const double c1 = (1 - 0.16) * dr1 * dr1 / (2 * 6371064.0), c2 = (1 - 0.16) * dr2 * dr2 / (2 * 6371064.0);
    const double z1 = 250 + 312.456 * std::cos(v * rad) + c1 + 1.55 - 1.70;
    const double z2 = 250 - (312.462 * std::cos(vr * rad) + c2 + 1.60 - 1.75);
    const double az = 50 + hzV - hzO;
    EXPECT_NEAR(e.Slot(15), hzO, 1e-9);
    EXPECT_NEAR(e.Slot(16), hzV, 1e-9);
    EXPECT_NEAR(e.objBV.X, 5000 + (dr1 + dr2) / 2 * std::sin(az * rad), 1e-6);
    EXPECT_NEAR(e.objBV.Y, 3000 + (dr1 + dr2) / 2 * std::cos(az * rad), 1e-6);
    EXPECT_NEAR(e.objBV.Z, (z1 + z2) / 2, 1e-6);
}

TEST_F(Estacion, UnaFormulaQueFallaDaCero)
{
    // A distance that cannot be reduced: the reduction gives 0, so the sighted
    // point falls on the station; nothing becomes infinite.
    objEstacion e = HaciaElEste();
    e.Slot(7) = e.Slot(12) = HUGE_VAL;
    e.Radiar();
    EXPECT_EQ(e.Slot(19), 0.0);
    EXPECT_EQ(e.Slot(20), 0.0);
    EXPECT_EQ(e.objBV.X, 1000.0);
    EXPECT_EQ(e.objBV.Y, 1000.0);
    EXPECT_TRUE(std::isfinite(e.objBV.Z));
}
