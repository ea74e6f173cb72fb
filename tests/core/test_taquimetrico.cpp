#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "core/modFuncionesTopo.h"
#include "points/Taquimetrico.h"

namespace
{

constexpr double G = M_PI / 200.0;

class Taquimetrico : public ::testing::Test {
protected:
    void TearDown() override { KRefraccion = K_POR_DEFECTO; }
};

EstacionTaquimetrica Estacion()
{
    EstacionTaquimetrica e;
    e.BE = {"E1", "350210.450", "4120340.880", "215.320"};
    e.BO = {"R1", "350380.115", "4120512.004", "221.004"};
    e.Hz = "12.3456";
    e.i = "1.550";
    e.PtoI = "101";
    e.PtoF = "103";
    return e;
}

// The point a row gives by the plain formulas, to three decimals.
std::string Esperado(const EstacionTaquimetrica& e, const std::string& n, double hz, double v, double di, double m,
                     double k)
{
    const double xe = std::stod(e.BE[1]), ye = std::stod(e.BE[2]), ze = std::stod(e.BE[3]);
    const double az = std::atan2(std::stod(e.BO[1]) - xe, std::stod(e.BO[2]) - ye) / G;
    const double theta = az + hz - std::stod(e.Hz);
    const double dr = di * std::sin(v * G);
    const double x = xe + dr * std::sin(theta * G);
    const double y = ye + dr * std::cos(theta * G);
    const double z = ze + di * std::cos(v * G) + (1 - 2 * k) * dr * dr / (2 * 6371064.0) + std::stod(e.i) - m;
    char buf[128];
    std::snprintf(buf, sizeof buf, "%s %.3f %.3f %.3f", n.c_str(), x, y, z);
    return buf;
}

} // namespace

TEST_F(Taquimetrico, BloqueYSiguienteEstacion)
{
    KRefraccion = 0.08;
    const std::vector<std::string> obs = {
        "100 0.0000 100.0000 10.000 1.500",   "101 45.6789 98.7654 25.300 1.500",
        "102 123.4567 101.2345 87.450 1.800", "103 398.7654 96.5432 142.010 2.000",
        "104 200.0000 100.0000 50.000 1.500",
    };
    EstacionTaquimetrica e = Estacion();
    const EstacionTaquimetrica antes = e;
    std::vector<std::string> puntos = {"1 0.000 0.000 0.000"};
    ASSERT_EQ(CalcularBloque(e, obs, puntos), EstadoBloque::Calculado);
    ASSERT_EQ(puntos.size(), 4u);
    EXPECT_EQ(puntos[0], "1 0.000 0.000 0.000") << "earlier results are kept";
    EXPECT_EQ(puntos[1], Esperado(antes, "101", 45.6789, 98.7654, 25.3, 1.5, 0.08));
    EXPECT_EQ(puntos[2], Esperado(antes, "102", 123.4567, 101.2345, 87.45, 1.8, 0.08));
    EXPECT_EQ(puntos[3], Esperado(antes, "103", 398.7654, 96.5432, 142.01, 2.0, 0.08));

    // The station becomes the orientation of the next one.
    EXPECT_EQ(e.BO, antes.BE);
    EXPECT_EQ(e.BE, (std::array<std::string, 4>{}));
    EXPECT_EQ(e.PtoI, "104");
    EXPECT_EQ(e.PtoF, "");
    EXPECT_EQ(e.i, "");
    EXPECT_EQ(e.Hz, "12.3456");

    // Next station of the run: set up on a point of the block... here a new
    // base, oriented back on E1, reading 0 on it.
    e.BE = {"E2", "350240.000", "4120330.000", "216.000"};
    e.Hz = "0";
    e.i = "1.6";
    e.PtoF = "104";
    // PtoF = PtoI is refused before anything else changes.
    std::vector<std::string> mas;
    EXPECT_EQ(CalcularBloque(e, obs, mas), EstadoBloque::FinalMenorOIgual);
    EXPECT_TRUE(mas.empty());
    EXPECT_EQ(e.PtoI, "104");
    e.PtoI = "100";
    const EstacionTaquimetrica segunda = e;
    ASSERT_EQ(CalcularBloque(e, obs, mas), EstadoBloque::Calculado);
    ASSERT_EQ(mas.size(), 5u);
    EXPECT_EQ(mas[4], Esperado(segunda, "104", 200.0, 100.0, 50.0, 1.5, 0.08));
    EXPECT_EQ(e.PtoI, "105");
    EXPECT_EQ(e.BO[0], "E2");
}

TEST_F(Taquimetrico, AlturaSinCorreccion)
{
    KRefraccion = 0.5;
    EstacionTaquimetrica e;
    e.BE = {"A", "0", "0", "50"};
    e.BO = {"B", "0", "100", "50"};
    e.Hz = "0";
    e.i = "1.5";
    e.PtoI = "1";
    e.PtoF = "2";
    std::vector<std::string> puntos;
    ASSERT_EQ(CalcularBloque(e, {"1 100 100 10 1.5", "2 0 100 10 1.5"}, puntos), EstadoBloque::Calculado);
    ASSERT_EQ(puntos.size(), 2u);
    EXPECT_EQ(puntos[0], "1 10.000 0.000 50.000");
    EXPECT_EQ(puntos[1], "2 0.000 10.000 50.000");
}

TEST_F(Taquimetrico, MensajesYNadaCambia)
{
    const std::vector<std::string> obs = {"5 0 100 10 1.5", "7 0 100 10 1.5", "9 0 100 10 1.5"};
    struct Caso {
        void (*preparar)(EstacionTaquimetrica&);
        std::vector<std::string> obs;
        EstadoBloque estado;
        const char* mensaje;
    };
    const Caso casos[] = {
        {[](EstacionTaquimetrica& e) { e.PtoI = ""; }, obs, EstadoBloque::DatosNoValidos,
         "Los datos no son válidos o están en blanco."},
        {[](EstacionTaquimetrica& e) { e.PtoF = "x"; }, obs, EstadoBloque::DatosNoValidos,
         "Los datos no son válidos o están en blanco."},
        {[](EstacionTaquimetrica& e) { e.Hz = ""; }, obs, EstadoBloque::DatosNoValidos,
         "Los datos no son válidos o están en blanco."},
        {[](EstacionTaquimetrica& e) { e.i = "."; }, obs, EstadoBloque::DatosNoValidos,
         "Los datos no son válidos o están en blanco."},
        {[](EstacionTaquimetrica&) {}, {}, EstadoBloque::DatosNoValidos, "Los datos no son válidos o están en blanco."},
        {[](EstacionTaquimetrica& e) { e.BE[3] = ""; }, obs, EstadoBloque::SinBases, "Seleccione las bases."},
        {[](EstacionTaquimetrica& e) { e.BO = {}; }, obs, EstadoBloque::SinBases, "Seleccione las bases."},
        {[](EstacionTaquimetrica& e) { e.PtoF = "5"; }, obs, EstadoBloque::FinalMenorOIgual,
         "El punto final es menor o igual al punto inicial."},
        {[](EstacionTaquimetrica& e) { e.PtoF = "3"; }, obs, EstadoBloque::FinalMenorOIgual,
         "El punto final es menor o igual al punto inicial."},
        {[](EstacionTaquimetrica& e) { e.PtoI = "6"; }, obs, EstadoBloque::InicialNoEncontrado,
         "Punto inicial no encontrado."},
        {[](EstacionTaquimetrica& e) { e.PtoF = "8"; }, obs, EstadoBloque::FinalNoEncontrado,
         "Punto final no encontrado."},
    };
    for (const Caso& c : casos) {
        EstacionTaquimetrica e;
        e.BE = {"A", "0", "0", "50"};
        e.BO = {"B", "0", "100", "50"};
        e.Hz = "0";
        e.i = "1.5";
        e.PtoI = "5";
        e.PtoF = "9";
        c.preparar(e);
        const EstacionTaquimetrica antes = e;
        std::vector<std::string> puntos = {"previo"};
        const EstadoBloque r = CalcularBloque(e, c.obs, puntos);
        EXPECT_EQ(r, c.estado) << c.mensaje;
        EXPECT_EQ(MensajeBloque(r), c.mensaje);
        EXPECT_EQ(puntos, std::vector<std::string>{"previo"});
        EXPECT_EQ(e.BE, antes.BE);
        EXPECT_EQ(e.BO, antes.BO);
        EXPECT_EQ(e.PtoI, antes.PtoI);
        EXPECT_EQ(e.PtoF, antes.PtoF);
        EXPECT_EQ(e.i, antes.i);
    }
    EXPECT_EQ(MensajeBloque(EstadoBloque::Calculado), "");
}

TEST_F(Taquimetrico, LocalizacionDelBloque)
{
    // Point 5 twice before point 9: the block starts at the second 5.
    const std::vector<std::string> obs = {"5 a", "5 b", "6 c", "9 d", "5 e", "9 f"};
    FilasBloque f = LocalizarBloque(obs, 5, 9);
    EXPECT_EQ(f.primera, 1);
    EXPECT_EQ(f.ultima, 3);
    // The last point listed before the first: the walk stops at the first 5.
    f = LocalizarBloque({"9 a", "7 b", "5 c", "5 d"}, 5, 9);
    EXPECT_EQ(f.primera, 2);
    EXPECT_EQ(f.ultima, 0);
    // Rows whose number is not a whole number never match.
    f = LocalizarBloque({"5.5 a", "A5 b", "", "05 c", "9,0 d"}, 5, 9);
    EXPECT_EQ(f.primera, 3);
    EXPECT_EQ(f.ultima, 4);
    double n = 0;
    EXPECT_FALSE(NumeroDeFila("12.5 1 2 3", n));
    EXPECT_FALSE(NumeroDeFila(" 12 1 2 3", n));
    EXPECT_TRUE(NumeroDeFila("-3 1 2 3", n));
    EXPECT_EQ(n, -3);
}

TEST_F(Taquimetrico, BloqueAlReves)
{
    KRefraccion = 0.5;
    EstacionTaquimetrica e;
    e.BE = {"A", "0", "0", "50"};
    e.BO = {"B", "0", "100", "50"};
    e.Hz = "0";
    e.i = "1.5";
    e.PtoI = "5";
    e.PtoF = "9";
    std::vector<std::string> puntos;
    ASSERT_EQ(CalcularBloque(e, {"9 0 100 10 1.5", "5 0 100 10 1.5"}, puntos), EstadoBloque::Calculado);
    EXPECT_TRUE(puntos.empty());
    EXPECT_EQ(e.BO[0], "A");
    EXPECT_EQ(e.BE[0], "");
    EXPECT_EQ(e.PtoI, "10");
}

TEST_F(Taquimetrico, FilasRarasDentroDelBloque)
{
    KRefraccion = 0.5;
    EstacionTaquimetrica e;
    e.BE = {"A", "10", "20", "50"};
    e.BO = {"B", "10", "100", "50"};
    e.Hz = "0";
    e.i = "1,5"; // a pasted decimal comma reads as the point
    e.PtoI = "1";
    e.PtoF = "3";
    std::vector<std::string> puntos;
    ASSERT_EQ(CalcularBloque(e, {"1 100 100 10 1.5", "X abc", "3 100 100 20 1.5"}, puntos), EstadoBloque::Calculado);
    ASSERT_EQ(puntos.size(), 3u);
    EXPECT_EQ(puntos[0], "1 20.000 20.000 50.000");
    // Every value reads 0: the point falls on the station, instrument height above it.
    EXPECT_EQ(puntos[1], "X 10.000 20.000 51.500");
    EXPECT_EQ(puntos[2], "3 30.000 20.000 50.000");
}
