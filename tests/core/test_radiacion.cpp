#include <gtest/gtest.h>

#include <cmath>

#include "core/modFuncionesTopo.h"
#include "points/Radiacion.h"

namespace
{

constexpr double G = M_PI / 200.0; // grads to radians, for the expected values

// K is program-wide: every test states the one it needs and puts it back.
class Radiacion : public ::testing::Test {
protected:
    void TearDown() override { KRefraccion = K_POR_DEFECTO; }
};

DatosRadiacion Datos(const std::string& hzO, const std::string& hzV, const std::string& v, const std::string& dg,
                     const std::string& i, const std::string& m, const std::string& nombre = "P1")
{
    DatosRadiacion d;
    d.observaciones = {hzO, hzV, v, dg, i, m, nombre};
    d.BE = {"1000.000", "1000.000", "100.000"};
    d.BO = {"1000.000", "2000.000", "100.000"};
    return d;
}

} // namespace

TEST_F(Radiacion, DesdeUnaBaseOrientadaAlNorte)
{
    KRefraccion = 0.5;
    EXPECT_EQ(TextosRadiacion(Datos("0.0000", "100", "100", "50", "1.5", "1.5")),
              (std::array<std::string, 3>{"1050.000", "1000.000", "100.000"}));
    // Hz visado 100 with the orientation read at 300: the point lies due south.
    EXPECT_EQ(TextosRadiacion(Datos("300", "100", "100", "50", "1.5", "1.5")),
              (std::array<std::string, 3>{"1000.000", "950.000", "100.000"}));
}

TEST_F(Radiacion, SetUpCualquieraContraFormulasDeMano)
{
    KRefraccion = 0.08;
    DatosRadiacion d;
    d.BE = {"502345.678", "4401234.567", "612.345"};
    d.BO = {"502512.110", "4401101.905", "598.001"};
    d.observaciones = {"37.1234", "251.8765", "97,5432", "123.456", "1.55", "1.80", "B7"};
    const auto p = RadiarPunto(d);
    ASSERT_TRUE(p);

    const double az = std::atan2(502512.110 - 502345.678, 4401101.905 - 4401234.567) / G;
    double theta = std::fmod(az + 251.8765 - 37.1234 + 800.0, 400.0);
    const double v = 97.5432 * G;
    const double dr = 123.456 * std::sin(v);
    EXPECT_NEAR(p->X, 502345.678 + dr * std::sin(theta * G), 1e-6);
    EXPECT_NEAR(p->Y, 4401234.567 + dr * std::cos(theta * G), 1e-6);
    const double z = 612.345 + 123.456 * std::cos(v) + (1 - 2 * 0.08) * dr * dr / (2 * 6371064.0) + 1.55 - 1.80;
    EXPECT_NEAR(p->Z, z, 1e-6);
    EXPECT_EQ(p->N, "B7");
}

TEST_F(Radiacion, DatosIncompletosNoDanResultado)
{
    const auto completos = Datos("0", "100", "100", "50", "1.5", "1.5", "");
    // The name is not needed for the result.
    EXPECT_TRUE(RadiarPunto(completos));
    for (int k = 0; k < 6; ++k) {
        for (const char* malo : {"", ".", "1.2.3", "abc"}) {
            auto d = completos;
            d.observaciones[static_cast<size_t>(k)] = malo;
            EXPECT_FALSE(ObservacionesRadiacionValidas(d.observaciones)) << k << " " << malo;
            EXPECT_FALSE(RadiarPunto(d));
            EXPECT_EQ(TextosRadiacion(d), (std::array<std::string, 3>{}));
        }
    }
    // Each base figure, BO's height included, must be present.
    for (int k = 0; k < 6; ++k) {
        auto d = completos;
        (k < 3 ? d.BE : d.BO)[static_cast<size_t>(k % 3)] = "";
        EXPECT_FALSE(RadiarPunto(d)) << k;
    }
}
