#include <gtest/gtest.h>

#include "Ayudantes.h"

#include <cmath>

#include "core/modFuncionesTopo.h"
#include "core/objEstacion.h"

namespace {

objEstacion Observada(const double (&s)[14])
{
    objEstacion e;
    e.objBE = {"E", 5000, 3000, 250};
    e.objBO = {"O", 5100, 3100, 0};
    for (int k = 1; k <= 14; ++k)
        e.Slot(k) = s[k - 1];
    return e;
}

} // namespace

TEST(Estacion, CarasDistintasContraFormulasDeMano)
{
    // A station whose faces disagree, against the plain formulas, K = 0.08:
    // every reduced slot and the sighted point.
    const ConK conK(0.08);
    objEstacion e = Observada({12.3456, 212.3462, 187.6543, 387.6551, 98.1234, 301.8770, 312.456, 1.55, 1.70,
                               101.8800, 298.1204, 312.462, 1.60, 1.75});
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
    const double reducidos[] = {hzO, hzV, v, vr, dr1, dr2, z1, z2, (dr1 + dr2) / 2};
    for (int k = 15; k <= 23; ++k)
        EXPECT_NEAR(e.Slot(k), reducidos[k - 15], 1e-9) << k;
    const double az = 50 + hzV - hzO;
    EXPECT_NEAR(e.objBV.X, 5000 + (dr1 + dr2) / 2 * std::sin(az * rad), 1e-6);
    EXPECT_NEAR(e.objBV.Y, 3000 + (dr1 + dr2) / 2 * std::cos(az * rad), 1e-6);
    EXPECT_NEAR(e.objBV.Z, (z1 + z2) / 2, 1e-6);
}

TEST(Estacion, UnaFormulaQueFallaDaCero)
{
    // A distance that cannot be reduced: the reduction gives 0, so the sighted
    // point falls on the station; nothing becomes infinite.
    objEstacion e = Observada({0, 200, 100, 300, 100, 300, HUGE_VAL, 1.5, 1.5, 100, 300, HUGE_VAL, 1.5, 1.5});
    e.Radiar();
    EXPECT_TRUE(e.Slot(19) == 0.0 && e.Slot(20) == 0.0);
    EXPECT_TRUE(e.objBV.X == 5000.0 && e.objBV.Y == 3000.0 && std::isfinite(e.objBV.Z));
}
