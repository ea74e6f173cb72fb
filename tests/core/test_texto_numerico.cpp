#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "core/TextoNumerico.h"

TEST(TextoNumerico, ReglaDeLectura)
{
    const std::pair<const char*, double> casos[] = {
        {"12,5", 12.5}, {"12.5", 12.5}, {"1,234,5", 1.234}, {"", 0.0}, {"abc", 0.0}, {"   -7.25xyz", -7.25},
        {"1 000.5", 1000.5}, {"+3", 3.0}, {"1.5E2", 150.0}, {"1.5d-1", 0.15}, {"2e", 2.0}, {".5", 0.5},
        {"5.", 5.0}, {"1.2.3", 1.2}, {"-", 0.0}, {"100,0", 100.0}, {"1e-999", 0.0}};
    for (const auto& [texto, valor] : casos)
        EXPECT_DOUBLE_EQ(LeerNumero(texto), valor) << texto;
    // Only the first comma is a decimal point; overflow is a failure, not a huge number.
    EXPECT_FALSE(std::isfinite(LeerNumero("1e999")) || std::isfinite(LeerNumero(std::string(400, '9'))));
    for (const char* si : {"0", "12", "12.5", "12,5", " 7 ", "-3", "+3", ".5", "5.", "0.0000"})
        EXPECT_TRUE(EsNumero(si)) << si;
    for (const char* no : {"", " ", ".", ",", "1.2.3", "1,2,3", "1.2,3", "abc", "12a", "-", "1e5", "1 2", "--1"})
        EXPECT_FALSE(EsNumero(no)) << no;
}

TEST(TextoNumerico, Formatear)
{
    // Half away from zero on the decimal value as typed; no "-0.000"; values
    // that are not finite are not shown.
    const std::tuple<double, int, const char*> casos[] = {
        {25.0, 3, "25.000"}, {100.0001, 4, "100.0001"}, {0.075, 2, "0.08"}, {0.0759, 3, "0.076"},
        {-12.3456, 3, "-12.346"}, {-0.0001, 3, "0.000"}, {999.9996, 3, "1000.000"}, {0.00390625, 4, "0.0039"},
        {123456789.1234, 3, "123456789.123"}, {1e-20, 3, "0.000"}, {7.6, 0, "8"}, {1.0005, 3, "1.001"},
        {2.0625, 3, "2.063"}, {-2.0625, 3, "-2.063"}, {0.125, 2, "0.13"}, {HUGE_VAL, 3, ""}, {std::nan(""), 3, ""}};
    for (const auto& [valor, decimales, texto] : casos)
        EXPECT_EQ(Formatear(valor, decimales), texto) << valor;
}

// The quick road of the file readers must show exactly what reading the text
// and showing the value shows, for every shape of decimal text.
TEST(TextoNumerico, AnadirFormateadoIgualQueLeerYFormatear)
{
    std::mt19937 azar(2026);
    const char* const signos[] = {"", "-", "+"};
    const char* const separadores[] = {".", ",", ""};
    for (int n = 0; n < 20000; ++n) {
        std::string t = signos[azar() % 3]; // leading zeros and runs of nines are frequent
        for (size_t k = 0, enteras = azar() % 17; k < enteras; ++k)
            t += static_cast<char>('0' + (k == 0 && azar() % 2 ? 0 : azar() % 10));
        t += separadores[azar() % 3];
        for (size_t k = 0, decimales = azar() % 19; k < decimales; ++k)
            t += static_cast<char>('0' + (azar() % 2 ? 9 : azar() % 10));
        for (int d : {0, 3, 4})
            for (bool coma : {true, false}) {
                std::string salida = "x";
                ASSERT_TRUE(AnadirFormateado(salida, t, d, coma));
                ASSERT_EQ(salida, "x" + Formatear(coma ? LeerNumero(t) : LeerDecimal(t), d)) << t << " " << d << coma;
            }
    }
    std::string salida;
    EXPECT_FALSE(AnadirFormateado(salida, std::string(400, '9'), 3));
    EXPECT_TRUE(salida.empty());
}
