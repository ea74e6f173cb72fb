#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "core/TextoNumerico.h"

TEST(ComaAPunto, SoloLaPrimeraComa)
{
    EXPECT_EQ(ComaAPunto("3,5"), "3.5");
    EXPECT_EQ(ComaAPunto("1,2,3"), "1.2,3");
    EXPECT_EQ(ComaAPunto("12.5"), "12.5");
    EXPECT_EQ(ComaAPunto(""), "");
}

TEST(LeerNumero, ReglaDeLectura)
{
    EXPECT_DOUBLE_EQ(LeerNumero("12,5"), 12.5);
    EXPECT_DOUBLE_EQ(LeerNumero("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(LeerNumero("1,234,5"), 1.234);
    EXPECT_DOUBLE_EQ(LeerNumero(""), 0.0);
    EXPECT_DOUBLE_EQ(LeerNumero("abc"), 0.0);
    EXPECT_DOUBLE_EQ(LeerNumero("   -7.25xyz"), -7.25);
    EXPECT_DOUBLE_EQ(LeerNumero("1 000.5"), 1000.5);
    EXPECT_DOUBLE_EQ(LeerNumero("+3"), 3.0);
    EXPECT_DOUBLE_EQ(LeerNumero("1.5E2"), 150.0);
    EXPECT_DOUBLE_EQ(LeerNumero("1.5d-1"), 0.15);
    EXPECT_DOUBLE_EQ(LeerNumero("2e"), 2.0);
    EXPECT_DOUBLE_EQ(LeerNumero(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeerNumero("5."), 5.0);
    EXPECT_DOUBLE_EQ(LeerNumero("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(LeerNumero("-"), 0.0);
    EXPECT_DOUBLE_EQ(LeerNumero("100,0"), 100.0);
}

TEST(LeerNumero, DesbordamientoEsUnFallo)
{
    EXPECT_FALSE(std::isfinite(LeerNumero("1e999")));
    EXPECT_DOUBLE_EQ(LeerNumero("1e-999"), 0.0);
    EXPECT_FALSE(std::isfinite(LeerNumero(std::string(400, '9'))));
}

TEST(EsNumero, PruebaDeNumero)
{
    for (const char* si : {"0", "12", "12.5", "12,5", " 7 ", "-3", "+3", ".5", "5.", "0.0000"})
        EXPECT_TRUE(EsNumero(si)) << si;
    for (const char* no : {"", " ", ".", ",", "1.2.3", "1,2,3", "1.2,3", "abc", "12a", "-", "1e5", "1 2", "--1"})
        EXPECT_FALSE(EsNumero(no)) << no;
}

TEST(Formatear, PatronesFijos)
{
    EXPECT_EQ(F3(25.0), "25.000");
    EXPECT_EQ(F4(100.0001), "100.0001");
    EXPECT_EQ(F2(0.08), "0.08");
    EXPECT_EQ(F2(0.075), "0.08");
    EXPECT_EQ(F3(0.0759), "0.076");
    EXPECT_EQ(F3(-12.3456), "-12.346");
    EXPECT_EQ(F3(-0.0001), "0.000");
    EXPECT_EQ(F3(999.9996), "1000.000");
    EXPECT_EQ(F4(0.00390625), "0.0039");
    EXPECT_EQ(F3(123456789.1234), "123456789.123");
    EXPECT_EQ(F3(1e-20), "0.000");
    EXPECT_EQ(Formatear(7.6, 0), "8");
    // Half away from zero on the decimal value as typed.
    EXPECT_EQ(F3(1.0005), "1.001");
    EXPECT_EQ(F3(2.0625), "2.063");
    EXPECT_EQ(F3(-2.0625), "-2.063");
    EXPECT_EQ(F2(0.125), "0.13");
    // Values that are not finite are not shown.
    EXPECT_EQ(F3(HUGE_VAL), "");
    EXPECT_EQ(F3(std::nan("")), "");
}

TEST(Formatear, IdaYVuelta)
{
    for (double v : {0.001, 1234.567, -98.765, 5000000.125, 399.9999})
        EXPECT_DOUBLE_EQ(LeerNumero(F3(v)), std::round(v * 1000) / 1000) << v;
}

// The quick road of the file readers must show exactly what reading the text
// and showing the value shows, for every shape of decimal text.
TEST(AnadirFormateado, IgualQueLeerYFormatear)
{
    std::mt19937 azar(2026);
    const std::string cifras = "0123456789";
    const char* const signos[] = {"", "-", "+"};
    const char* const separadores[] = {".", ",", ""};
    for (int n = 0; n < 20000; ++n) {
        std::string t = signos[azar() % 3];
        const size_t enteras = azar() % 17;
        for (size_t k = 0; k < enteras; ++k)
            t += cifras[azar() % (k == 0 && azar() % 2 ? 1 : 10)];
        t += separadores[azar() % 3];
        const size_t decimales = azar() % 19;
        for (size_t k = 0; k < decimales; ++k)
            t += cifras[azar() % 2 ? 9 : azar() % 10];
        for (int d : {0, 3, 4}) {
            for (bool coma : {true, false}) {
                std::string salida = "x";
                const double v = coma ? LeerNumero(t) : LeerDecimal(t);
                ASSERT_TRUE(AnadirFormateado(salida, t, d, coma));
                ASSERT_EQ(salida, "x" + Formatear(v, d)) << t << " " << d << " " << coma;
            }
        }
    }
    std::string salida;
    EXPECT_FALSE(AnadirFormateado(salida, std::string(400, '9'), 3));
    EXPECT_TRUE(salida.empty());
}
