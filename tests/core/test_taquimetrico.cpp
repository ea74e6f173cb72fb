#include <gtest/gtest.h>

#include <sstream>

#include "Ayudantes.h"
#include "core/modFuncionesTopo.h"
#include "core/FicherosTexto.h"
#include "points/Taquimetrico.h"

namespace {

using Filas = std::vector<std::string>;

// Station A, oriented due north on B and reading 0 on it; block 5 to 9.
const EstacionTaquimetrica A_HACIA_B = {{"A", "0", "0", "50"}, {"B", "0", "100", "50"}, "0", "1.5", "5", "9"};

// The point row of an observation row "N Hz V DI m" by the plain formula, K = 0.08.
std::string Esperado(const EstacionTaquimetrica& e, const std::string& fila)
{
    std::istringstream f(fila);
    std::string n;
    double hz, v, di, m;
    f >> n >> hz >> v >> di >> m;
    const Punto be{std::stod(e.BE[1]), std::stod(e.BE[2]), std::stod(e.BE[3])};
    const double az = Acimut(be, {std::stod(e.BO[1]), std::stod(e.BO[2]), 0}) + hz - std::stod(e.Hz);
    const Punto p = Radiado(be, az, v, di, std::stod(e.i), m, 0.08);
    return n + " " + Fijo(p.x) + " " + Fijo(p.y) + " " + Fijo(p.z);
}

} // namespace

TEST(Taquimetrico, BloqueYSiguienteEstacion)
{
    const ConK conK(0.08);
    const Filas obs = {"100 0.0000 100.0000 10.000 1.500", "101 45.6789 98.7654 25.300 1.500",
                       "102 123.4567 101.2345 87.450 1.800", "103 398.7654 96.5432 142.010 2.000",
                       "104 200.0000 100.0000 50.000 1.500"};
    EstacionTaquimetrica e = {{"E1", "350210.450", "4120340.880", "215.320"},
                              {"R1", "350380.115", "4120512.004", "221.004"}, "12.3456", "1.550", "101", "103"};
    const EstacionTaquimetrica antes = e;
    Filas puntos = {"1 0.000 0.000 0.000"}; // earlier results are kept
    ASSERT_EQ(CalcularBloque(e, obs, puntos), EstadoBloque::Calculado);
    EXPECT_EQ(puntos, (Filas{"1 0.000 0.000 0.000", Esperado(antes, obs[1]), Esperado(antes, obs[2]),
                             Esperado(antes, obs[3])}));
    // The station becomes the orientation of the next one; Hz is kept.
    EXPECT_EQ(e.BO, antes.BE);
    EXPECT_EQ(e.BE, (std::array<std::string, 4>{}));
    EXPECT_EQ(e.PtoI + "|" + e.PtoF + "|" + e.i + "|" + e.Hz, "104|||12.3456");
}

TEST(Taquimetrico, BloquesParticulares)
{
    const ConK conK(0.5); // no curvature and refraction term
    const EstacionTaquimetrica e3 = {{"A", "10", "20", "50"}, {"B", "10", "100", "50"}, "0", "1,5", "1", "3"};
    const std::tuple<EstacionTaquimetrica, Filas, Filas, std::string> casos[] = {
        // The final point listed before the initial one: nothing, but the station still moves on.
        {A_HACIA_B, {"9 0 100 10 1.5", "5 0 100 10 1.5"}, {}, "10"},
        // Every row between counts, whatever its number; a row whose values all
        // read 0 falls on the station, instrument height (decimal comma) above it.
        {e3, {"1 100 100 10 1.5", "X abc", "3 100 100 20 1.5"},
         {"1 20.000 20.000 50.000", "X 10.000 20.000 51.500", "3 30.000 20.000 50.000"}, "4"}};
    for (const auto& [estacion, obs, esperados, siguiente] : casos) {
        EstacionTaquimetrica e = estacion;
        Filas puntos;
        ASSERT_EQ(CalcularBloque(e, obs, puntos), EstadoBloque::Calculado);
        EXPECT_EQ(puntos, esperados);
        EXPECT_EQ(e.BO[0] + "|" + e.BE[0] + "|" + e.PtoI, "A||" + siguiente);
    }
}

TEST(Taquimetrico, RechazosNoCambianNada)
{
    using E = EstacionTaquimetrica;
    using D = EstadoBloque;
    const Filas obs = {"5 0 100 10 1.5", "7 0 100 10 1.5", "9 0 100 10 1.5"};
    const std::pair<void (*)(E&), D> casos[] = {
        {[](E& e) { e.PtoI = ""; }, D::DatosNoValidos},   {[](E& e) { e.PtoF = "x"; }, D::DatosNoValidos},
        {[](E& e) { e.Hz = ""; }, D::DatosNoValidos},     {[](E& e) { e.i = "."; }, D::DatosNoValidos},
        {nullptr, D::DatosNoValidos}, /* no observations */ {[](E& e) { e.BE[3] = ""; }, D::SinBases},
        {[](E& e) { e.BO = {}; }, D::SinBases},           {[](E& e) { e.PtoF = "5"; }, D::FinalMenorOIgual},
        {[](E& e) { e.PtoF = "3"; }, D::FinalMenorOIgual}, {[](E& e) { e.PtoI = "6"; }, D::InicialNoEncontrado},
        {[](E& e) { e.PtoF = "8"; }, D::FinalNoEncontrado}};
    for (size_t k = 0; k < std::size(casos); ++k) {
        E e = A_HACIA_B;
        if (casos[k].first)
            casos[k].first(e);
        const E antes = e;
        Filas puntos = {"previo"};
        EXPECT_EQ(CalcularBloque(e, casos[k].first ? obs : Filas{}, puntos), casos[k].second) << k;
        EXPECT_EQ(puntos, Filas{"previo"}) << k;
        EXPECT_TRUE(e.BE == antes.BE && e.BO == antes.BO && e.PtoI == antes.PtoI && e.PtoF == antes.PtoF &&
                    e.i == antes.i) << k;
    }
}

TEST(Taquimetrico, LocalizacionDelBloque)
{
    // A repeated first point: the later row until the last is found; the last
    // listed before the first: the walk stops at the first 5; rows whose number
    // is not a whole number never match.
    const std::tuple<Filas, long, long> casos[] = {{{"5 a", "5 b", "6 c", "9 d", "5 e", "9 f"}, 1, 3},
                                                   {{"9 a", "7 b", "5 c", "5 d"}, 2, 0},
                                                   {{"5.5 a", "A5 b", "", "05 c", "9,0 d"}, 3, 4}};
    for (const auto& [filas, primera, ultima] : casos) {
        const FilasBloque f = LocalizarBloque(filas, 5, 9);
        EXPECT_TRUE(f.primera == primera && f.ultima == ultima) << filas[0] << ": " << f.primera << " " << f.ultima;
    }
    double n = 0;
    EXPECT_FALSE(NumeroDeFila("12.5 1 2 3", n) || NumeroDeFila(" 12 1 2 3", n));
    EXPECT_TRUE(NumeroDeFila("-3 1 2 3", n) && n == -3);
}
