#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <map>

#include "core/modFuncionesTopo.h"
#include "points/FicherosTexto.h"
#include "points/Taquimetrico.h"

namespace
{

constexpr double G = M_PI / 200.0;

class Taquimetrico : public ::testing::Test {
protected:
    void TearDown() override { KRefraccion = K_POR_DEFECTO; }
};

EstacionTaquimetrica Estacion(std::array<std::string, 4> be, std::array<std::string, 4> bo, std::string i,
                              std::string ini, std::string fin)
{
    EstacionTaquimetrica e;
    e.BE = be;
    e.BO = bo;
    e.Hz = "0";
    e.i = i;
    e.PtoI = ini;
    e.PtoF = fin;
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
    EstacionTaquimetrica e = Estacion({"E1", "350210.450", "4120340.880", "215.320"},
                                      {"R1", "350380.115", "4120512.004", "221.004"}, "1.550", "101", "103");
    e.Hz = "12.3456";
    const EstacionTaquimetrica antes = e;
    std::vector<std::string> puntos = {"1 0.000 0.000 0.000"}; // earlier results are kept
    ASSERT_EQ(CalcularBloque(e, obs, puntos), EstadoBloque::Calculado);
    EXPECT_EQ(puntos, (std::vector<std::string>{"1 0.000 0.000 0.000",
                                                Esperado(antes, "101", 45.6789, 98.7654, 25.3, 1.5, 0.08),
                                                Esperado(antes, "102", 123.4567, 101.2345, 87.45, 1.8, 0.08),
                                                Esperado(antes, "103", 398.7654, 96.5432, 142.01, 2.0, 0.08)}));

    // The station becomes the orientation of the next one.
    EXPECT_EQ(e.BO, antes.BE);
    EXPECT_EQ(e.BE, (std::array<std::string, 4>{}));
    EXPECT_EQ(e.PtoI, "104");
    EXPECT_EQ(e.PtoF + e.i + "|" + e.Hz, "|12.3456");

    // Next station: a new base, oriented back on E1, reading 0 on it.
    e.BE = {"E2", "350240.000", "4120330.000", "216.000"};
    e.Hz = "0";
    e.i = "1.6";
    e.PtoF = "104";
    // PtoF = PtoI is refused before anything else changes.
    std::vector<std::string> mas;
    EXPECT_EQ(CalcularBloque(e, obs, mas), EstadoBloque::FinalMenorOIgual);
    EXPECT_TRUE(mas.empty());
    e.PtoI = "100";
    const EstacionTaquimetrica segunda = e;
    ASSERT_EQ(CalcularBloque(e, obs, mas), EstadoBloque::Calculado);
    ASSERT_EQ(mas.size(), 5u);
    EXPECT_EQ(mas[4], Esperado(segunda, "104", 200.0, 100.0, 50.0, 1.5, 0.08));
    EXPECT_EQ(e.PtoI, "105");
    EXPECT_EQ(e.BO[0], "E2");
}

TEST_F(Taquimetrico, BloquesParticulares)
{
    KRefraccion = 0.5; // no curvature and refraction term
    struct Caso {
        EstacionTaquimetrica e;
        std::vector<std::string> obs, puntos;
        std::string siguiente;
    };
    const auto e1 = Estacion({"A", "0", "0", "50"}, {"B", "0", "100", "50"}, "1.5", "1", "2");
    const auto e2 = Estacion({"A", "0", "0", "50"}, {"B", "0", "100", "50"}, "1.5", "5", "9");
    const auto e3 = Estacion({"A", "10", "20", "50"}, {"B", "10", "100", "50"}, "1,5", "1", "3");
    const Caso casos[] = {
        {e1, {"1 100 100 10 1.5", "2 0 100 10 1.5"}, {"1 10.000 0.000 50.000", "2 0.000 10.000 50.000"}, "3"},
        // The final point listed before the initial one: nothing, but the station still moves on.
        {e2, {"9 0 100 10 1.5", "5 0 100 10 1.5"}, {}, "10"},
        // A pasted decimal comma reads as the point; a row whose values all read 0
        // falls on the station, instrument height above it.
        {e3,
         {"1 100 100 10 1.5", "X abc", "3 100 100 20 1.5"},
         {"1 20.000 20.000 50.000", "X 10.000 20.000 51.500", "3 30.000 20.000 50.000"},
         "4"},
    };
    for (const Caso& c : casos) {
        EstacionTaquimetrica e = c.e;
        std::vector<std::string> puntos;
        ASSERT_EQ(CalcularBloque(e, c.obs, puntos), EstadoBloque::Calculado);
        EXPECT_EQ(puntos, c.puntos);
        EXPECT_EQ(e.BO[0], "A");
        EXPECT_EQ(e.BE[0], "");
        EXPECT_EQ(e.PtoI, c.siguiente);
    }
}

TEST_F(Taquimetrico, MensajesYNadaCambia)
{
    using E = EstacionTaquimetrica;
    const std::map<EstadoBloque, std::string> mensajes = {
        {EstadoBloque::Calculado, ""},
        {EstadoBloque::DatosNoValidos, "Los datos no son válidos o están en blanco."},
        {EstadoBloque::SinBases, "Seleccione las bases."},
        {EstadoBloque::FinalMenorOIgual, "El punto final es menor o igual al punto inicial."},
        {EstadoBloque::InicialNoEncontrado, "Punto inicial no encontrado."},
        {EstadoBloque::FinalNoEncontrado, "Punto final no encontrado."}};
    for (const auto& [estado, mensaje] : mensajes)
        EXPECT_EQ(MensajeBloque(estado), mensaje);

    const std::vector<std::string> obs = {"5 0 100 10 1.5", "7 0 100 10 1.5", "9 0 100 10 1.5"};
    const std::pair<void (*)(E&), EstadoBloque> casos[] = {
        {[](E& e) { e.PtoI = ""; }, EstadoBloque::DatosNoValidos},
        {[](E& e) { e.PtoF = "x"; }, EstadoBloque::DatosNoValidos},
        {[](E& e) { e.Hz = ""; }, EstadoBloque::DatosNoValidos},
        {[](E& e) { e.i = "."; }, EstadoBloque::DatosNoValidos},
        {nullptr, EstadoBloque::DatosNoValidos}, // an empty observation list
        {[](E& e) { e.BE[3] = ""; }, EstadoBloque::SinBases},
        {[](E& e) { e.BO = {}; }, EstadoBloque::SinBases},
        {[](E& e) { e.PtoF = "5"; }, EstadoBloque::FinalMenorOIgual},
        {[](E& e) { e.PtoF = "3"; }, EstadoBloque::FinalMenorOIgual},
        {[](E& e) { e.PtoI = "6"; }, EstadoBloque::InicialNoEncontrado},
        {[](E& e) { e.PtoF = "8"; }, EstadoBloque::FinalNoEncontrado},
    };
    for (size_t k = 0; k < std::size(casos); ++k) {
        E e = Estacion({"A", "0", "0", "50"}, {"B", "0", "100", "50"}, "1.5", "5", "9");
        if (casos[k].first)
            casos[k].first(e);
        const E antes = e;
        std::vector<std::string> puntos = {"previo"};
        EXPECT_EQ(CalcularBloque(e, casos[k].first ? obs : std::vector<std::string>{}, puntos), casos[k].second)
            << "caso " << k;
        EXPECT_EQ(puntos, std::vector<std::string>{"previo"});
        EXPECT_TRUE(e.BE == antes.BE && e.BO == antes.BO && e.PtoI == antes.PtoI && e.PtoF == antes.PtoF &&
                    e.i == antes.i)
            << "caso " << k;
    }
}

TEST_F(Taquimetrico, LocalizacionDelBloque)
{
    // Point 5 twice before point 9: the block starts at the second 5.
    FilasBloque f = LocalizarBloque({"5 a", "5 b", "6 c", "9 d", "5 e", "9 f"}, 5, 9);
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
