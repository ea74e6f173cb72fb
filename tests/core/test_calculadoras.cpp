#include <gtest/gtest.h>

#include "calculators/CalculosCampo.h"

TEST(CalculadoraDistanciaReducida, Resultados)
{
    EXPECT_EQ(TextoDistanciaReducida("100", "25"), "25.000");
    EXPECT_EQ(TextoDistanciaReducida("100,0", "25"), "25.000");
    EXPECT_EQ(TextoDistanciaReducida("50", "100"), "70.711");
    EXPECT_EQ(TextoDistanciaReducida("", "25"), "");
    EXPECT_EQ(TextoDistanciaReducida("100", ""), "");
    EXPECT_EQ(TextoDistanciaReducida(".", "25"), "");
}

TEST(CalculadoraAlturaRemota, Resultados)
{
    EXPECT_EQ(TextoAlturaRemota("100", "1.5", "50", "10"), "111.500");
    EXPECT_EQ(TextoAlturaRemota("100", "1.5", "100", "10"), "101.500");
    EXPECT_EQ(TextoAlturaRemota("100", "1.5", "50", ""), "");
    EXPECT_EQ(TextoAlturaRemota("", "1.5", "50", "10"), "");
    // A vertical sight gives whatever the arithmetic yields, never a crash.
    EXPECT_NO_THROW(TextoAlturaRemota("100", "1.5", "0", "10"));
}

TEST(CalculadoraBessel, Resultados)
{
    EXPECT_EQ(TextoBesselHz("100", "300.0002"), "100.0001");
    EXPECT_EQ(TextoBesselHz("100", "299.9998"), "99.9999");
    EXPECT_EQ(TextoBesselHz("399.9999", "200.0003"), "0.0001");
    EXPECT_EQ(TextoBesselHz("100", "300"), "100.0000");
    EXPECT_EQ(TextoBesselV("100.0010", "299.9996"), "100.0007");
    EXPECT_EQ(TextoBesselHz("100", ""), "");
    EXPECT_EQ(TextoBesselV("1.2.3", "300"), "");
}
