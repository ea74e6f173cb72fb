#include <gtest/gtest.h>

#include <cmath>

#include "core/modFuncionesTopo.h"

TEST(AcimutEntrePuntos, CuadrantesYEjes)
{
    // From north towards east, in grads; a point onto itself gives 0.
    const double casos[][3] = {
        {0, 10, 0},     {10, 0, 100},    {0, -10, 200},  {-10, 0, 300}, {10, 10, 50},
        {10, -10, 150}, {-10, -10, 250}, {-10, 10, 350}, {0, 0, 0},     {3, 4, std::atan2(3.0, 4.0) * 200.0 / M_PI}};
    for (const auto& c : casos)
        EXPECT_NEAR(AcimutEntrePuntos({"", 100, 200, 0}, {"", 100 + c[0], 200 + c[1], 0}), c[2], 1e-9)
            << c[0] << " " << c[1];
    EXPECT_DOUBLE_EQ(DistanciaEntrePuntos({"", 4, 5, 0}, {"", 1, 1, 0}), 5.0);
}

TEST(NormalizarAngulo, UnaVuelta)
{
    const double casos[][2] = {{400, 0}, {-0.5, 399.5}, {800.25, 0.25}, {123.4, 123.4}, {HUGE_VAL, 0}};
    for (const auto& c : casos)
        EXPECT_DOUBLE_EQ(NormalizarAngulo(c[0]), c[1]) << c[0];
    // Huge values end at once instead of turning for ever.
    const double r = NormalizarAngulo(1e300);
    EXPECT_TRUE(r >= 0 && r < 400) << r;
}

TEST(ExtraerCampo, CamposSeparadosPorUnEspacio)
{
    const std::tuple<const char*, int16_t, const char*> casos[] = {
        {"P1 100.5 200.25", 0, "P1"}, {"P1 100.5 200.25", 2, "200.25"}, {"P1 100.5 200.25", 3, ""}, {"a  b", 1, ""},
        {"a  b", 2, "b"},             {"", 3, ""},    {"sin-espacios", 0, "sin-espacios"},          {"fin ", 1, ""}};
    for (const auto& [linea, n, campo] : casos)
        EXPECT_EQ(ExtraerCampo(linea, n), campo) << linea << " " << n;
}
