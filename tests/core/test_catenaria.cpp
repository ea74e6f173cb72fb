// The catenary computation: observed conductor points placed on the span,
// their projection on its vertical plane and the rows of both result lists.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "Ayudantes.h"
#include "catenary/Catenaria.h"

namespace {

using Filas = std::vector<std::string>;

// Where the sight from D of azimuth az (grads) meets the line A-B, solved as
// two vectors: D + s (sin az, cos az) = A + t (B - A).
Punto Interseccion(Punto D, Punto A, Punto B, double az, double i, double V)
{
    const double ex = std::sin(az * G), ey = std::cos(az * G), ux = B.x - A.x, uy = B.y - A.y;
    const double s = (ux * (A.y - D.y) - uy * (A.x - D.x)) / (ux * ey - uy * ex);
    return {D.x + s * ex, D.y + s * ey, D.z + i + std::fabs(s) * std::tan((100.0 - V) * G)};
}

std::string Fila(const std::string& n, Punto c) { return n + " " + Fijo(c.x) + " " + Fijo(c.y) + " " + Fijo(c.z); }

// Station, anchor 1 and anchor 2.
DatosCatenaria Datos(const std::array<Punto, 3>& p, std::string i, std::string ini, std::string fin, Filas obs)
{
    return {"E1", Fijo(p[0].x), Fijo(p[0].y), Fijo(p[0].z), "7", Fijo(p[1].x), Fijo(p[1].y), Fijo(p[1].z),
            "8",  Fijo(p[2].x), Fijo(p[2].y), Fijo(p[2].z), i, ini, fin, obs};
}

// A station south of a level span: D = (0, 0, 100), i = 1.5, A = (-50, 100, 120), B = (50, 100, 120).
DatosCatenaria DatosEjemplo()
{
    return Datos({Punto{0, 0, 100}, {-50, 100, 120}, {50, 100, 120}}, "1.5", "1", "2",
                 {"1 100.0000 99.0000 0 0", "2 142.0833 87.6713 0 0", "3 180.0000 90.0000 0 0"});
}

} // namespace

TEST(Catenaria, VanoHorizontalSinAjusteConservaLasFilas)
{
    // The cable point lies above the chord of a level span: no parabola hangs
    // through it, but both lists keep their rows. Azimuth D-A is 370.4833; the
    // sight of 142.0833 (one turn past 400) meets Y = 100 at X = 20.
    DatosCatenaria d = DatosEjemplo();
    ResultadoCatenaria r = CalcularCatenaria(d);
    EXPECT_EQ(r.Fallo, FalloCatenaria::SinAjuste);
    EXPECT_EQ(r.PuntosCatenaria,
              (Filas{"7 -50.000 100.000 120.000", "2 20.000 100.000 121.500", "8 50.000 100.000 120.000"}));
    EXPECT_EQ(r.Proyeccion, (Filas{"0.000,120.000", "70.000,121.500", "100.000,120.000"}));
    // The final row above the initial one: only the anchors.
    d.Observaciones = {d.Observaciones[2], d.Observaciones[1], d.Observaciones[0]};
    d.PtoF = "3";
    r = CalcularCatenaria(d);
    EXPECT_EQ(r.Fallo, FalloCatenaria::SinAjuste);
    EXPECT_EQ(r.Proyeccion, (Filas{"0.000,120.000", "100.000,120.000"}));
}

TEST(Catenaria, VanoRealConParametroConocido)
{
    // A 250 m span rising 60 m, hanging on a parabola of 1500 m; the station
    // stands off the span and reads the circle at 12.3456 on anchor 1. Rows
    // before the block and after it do not take part.
    const double pReal = 1500.0, L = 250.0, H = 60.0, i = 1.62, HzI = 12.3456, rumbo = 83.5 * G;
    const Punto D{1000.0, 2000.0, 450.0}, A{1100.0, 2150.0, 480.0};
    DatosCatenaria d = Datos({D, A, {A.x + L * std::sin(rumbo), A.y + L * std::cos(rumbo), A.z + H}}, "1,62", "20",
                             "29", {"5 301.0000 95.0000 0 0", "20 12.3456 93.1234 0 0"});
    std::vector<std::pair<std::string, std::string>> lecturas;
    for (double u = 25.0; u < L; u += 25.0) {
        const Punto c{A.x + u * std::sin(rumbo), A.y + u * std::cos(rumbo), A.z + H * u / L - u * (L - u) / 2 / pReal};
        lecturas.emplace_back(Fijo(std::fmod(Acimut(D, c) - Acimut(D, A) + HzI + 400, 400), 4),
                              Fijo(100 - std::atan((c.z - D.z - i) / std::hypot(c.x - D.x, c.y - D.y)) / G, 4));
        d.Observaciones.push_back(std::to_string(20 + lecturas.size()) + " " + lecturas.back().first + " " +
                                  lecturas.back().second + " 0 1.5");
    }
    d.Observaciones.push_back("40 50.0000 100.0000 0 0");

    const ResultadoCatenaria r = CalcularCatenaria(d);
    ASSERT_EQ(r.Fallo, FalloCatenaria::Ninguno);
    ASSERT_TRUE(r.PuntosCatenaria.size() == 11 && r.Proyeccion.size() == 17);
    const Punto a{std::stod(d.Pto1X), std::stod(d.Pto1Y), 480.0}, b{std::stod(d.Pto2X), std::stod(d.Pto2Y), 540.0};
    EXPECT_EQ(r.PuntosCatenaria[0] + "|" + r.PuntosCatenaria[10], Fila("7", a) + "|" + Fila("8", b));
    EXPECT_EQ(r.Proyeccion[0] + "|" + r.Proyeccion[10],
              "0.000,480.000|" + Fijo(std::hypot(b.x - a.x, b.y - a.y)) + ",540.000");
    for (size_t k = 1; k <= 9; ++k) {
        // Solved again from the readings as listed: the rows agree to the millimetre shown.
        const auto& [hz, v] = lecturas[k - 1];
        const Punto c = Interseccion(D, a, b, std::stod(hz) - HzI + Acimut(D, a), i, std::stod(v));
        EXPECT_EQ(r.PuntosCatenaria[k], Fila(std::to_string(20 + k), c));
        EXPECT_EQ(r.Proyeccion[k], Fijo(std::hypot(c.x - a.x, c.y - a.y)) + "," + Fijo(c.z));
    }
    EXPECT_NEAR(r.Parabola.Parametro, pReal, 1.0);
    EXPECT_EQ(Filas(r.Proyeccion.begin() + 11, r.Proyeccion.end()),
              (Filas{"[Parámetro]", Fijo(r.Parabola.Parametro, 2), "[Error de ajuste]", Fijo(r.Parabola.ErrorAjuste),
                     "[Error de regresión]", Fijo(r.Parabola.ErrorRegresion)}));
}

TEST(Catenaria, DatosRechazadosEnSuOrden)
{
    using D = DatosCatenaria;
    using F = FalloCatenaria;
    auto fallo = [](const D& d) { // a refusal leaves both lists empty
        const ResultadoCatenaria r = CalcularCatenaria(d);
        return r.Calculado() || (r.PuntosCatenaria.empty() && r.Proyeccion.empty()) ? r.Fallo : F::Ninguno;
    };
    // The station is asked for first (an anchor missing too), then the anchors (i missing too).
    std::string D::*const campos[] = {&D::Base, &D::BaseX, &D::BaseY, &D::BaseZ, &D::Pto1, &D::Pto1X,
                                      &D::Pto1Y, &D::Pto1Z, &D::Pto2, &D::Pto2X, &D::Pto2Y, &D::Pto2Z};
    for (int k = 0; k < 12; ++k) {
        D d = DatosEjemplo();
        d.*campos[k] = "";
        (k < 4 ? d.Pto2 : d.i) = "";
        EXPECT_EQ(fallo(d), k < 4 ? F::SinBase : F::SinAnclajes) << k;
    }
    // Then the observation list and i, the count of rows, and the block; point
    // numbers are whole numbers (1.4 is 1, 2,6 is 3).
    const std::tuple<size_t, const char*, const char*, const char*, F> casos[] = {
        {0, "1.5", "1", "2", F::DatosNoValidos}, {2, "", "1", "2", F::DatosNoValidos},
        {2, "1.2.3", "1", "2", F::DatosNoValidos}, {2, "-", "1", "2", F::DatosNoValidos},
        {2, "1.5", "1", "2", F::PocasObservaciones}, {3, "1.5", "5", "5", F::FinalNoMayor},
        {3, "1.5", "", "", F::FinalNoMayor}, {3, "1.5", "7", "3", F::FinalNoMayor},
        {3, "1.5", "2.4", "2", F::FinalNoMayor}, {3, "1.5", "99", "100", F::InicialNoEncontrado},
        {3, "1.5", "1", "4", F::FinalNoEncontrado}, {3, "1.5", "1.4", "2,6", F::Ninguno}};
    for (const auto& [filas, i, ini, fin, esperado] : casos) {
        D d = DatosEjemplo();
        d.Observaciones.resize(filas);
        d.i = i, d.PtoI = ini, d.PtoF = fin;
        EXPECT_EQ(fallo(d), esperado) << filas << " '" << i << "' " << ini << "-" << fin;
    }
}

TEST(Catenaria, VisualesSinCorteQuedanFuera)
{
    // Station at the origin, anchor 1 due east (circle reads 100 on it); the
    // span runs at azimuth 50, then due north. Sights along it are left out.
    const std::tuple<Punto, Filas, double, double, int> casos[] = {
        {{200, 100, 20}, {"1 100 100 0 0", "2 50 100 0 0", "3 80 100 0 0", "4 250 100 0 0"}, 80.0, 100.0, 2},
        {{100, 300, 20}, {"1 100 100 0 0", "2 0 100 0 0", "3 60 99 0 0"}, 60.0, 99.0, 1}};
    for (const auto& [B, obs, hz, v, omitidos] : casos) {
        const ResultadoCatenaria r =
            CalcularCatenaria(Datos({Punto{0, 0, 0}, {100, 0, 10}, B}, "0", "1", std::to_string(obs.size()), obs));
        EXPECT_EQ(r.Omitidos, omitidos);
        ASSERT_EQ(r.PuntosCatenaria.size(), 3u);
        EXPECT_EQ(r.PuntosCatenaria[1], Fila("3", Interseccion({0, 0, 0}, {100, 0, 10}, B, hz, 0.0, v)));
    }
    EXPECT_EQ(MensajeOmitidos(3),
              "Se han omitido 3 observaciones: su visual no corta la línea de los anclajes en un solo punto.");
}
