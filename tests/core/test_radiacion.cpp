#include <gtest/gtest.h>

#include "Ayudantes.h"
#include "core/modFuncionesTopo.h"
#include "points/Radiacion.h"

namespace {

DatosRadiacion Datos(std::array<std::string, 7> observaciones)
{
    return {observaciones, {"1000.000", "1000.000", "100.000"}, {"1000.000", "2000.000", "100.000"}};
}

} // namespace

TEST(Radiacion, PuntoRadiado)
{
    // Any set-up against the plain formula, with a decimal comma and K = 0.08.
    const ConK conK(0.08);
    DatosRadiacion d{{"37.1234", "251.8765", "97,5432", "123.456", "1.55", "1.80", "B7"},
                     {"502345.678", "4401234.567", "612.345"},
                     {"502512.110", "4401101.905", "598.001"}};
    const auto p = RadiarPunto(d);
    ASSERT_TRUE(p);
    const Punto e{502345.678, 4401234.567, 612.345};
    const Punto r =
        Radiado(e, Acimut(e, {502512.110, 4401101.905, 0}) + 251.8765 - 37.1234, 97.5432, 123.456, 1.55, 1.80, 0.08);
    EXPECT_TRUE(std::fabs(p->X - r.x) < 1e-6 && std::fabs(p->Y - r.y) < 1e-6 && std::fabs(p->Z - r.z) < 1e-6)
        << p->X << " " << p->Y << " " << p->Z;
    EXPECT_EQ(p->N, "B7");
    EXPECT_EQ(TextosRadiacion(d), (std::array<std::string, 3>{Fijo(r.x), Fijo(r.y), Fijo(r.z)}));
}

TEST(Radiacion, DatosIncompletosNoDanResultado)
{
    // The name is not needed; every other observation and each base figure, BO's height included, is.
    const auto completos = Datos({"0", "100", "100", "50", "1.5", "1.5", ""});
    EXPECT_TRUE(RadiarPunto(completos));
    for (int k = 0; k < 6; ++k) {
        for (const char* malo : {"", ".", "1.2.3", "abc"}) {
            auto d = completos;
            d.observaciones[static_cast<size_t>(k)] = malo;
            EXPECT_FALSE(ObservacionesRadiacionValidas(d.observaciones)) << k << " " << malo;
            EXPECT_EQ(TextosRadiacion(d), (std::array<std::string, 3>{})) << k << " " << malo;
        }
        auto d = completos;
        (k < 3 ? d.BE : d.BO)[static_cast<size_t>(k % 3)] = "";
        EXPECT_FALSE(RadiarPunto(d)) << k;
    }
}
