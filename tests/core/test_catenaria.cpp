// The catenary computation: observed conductor points placed on the span,
// their projection on its vertical plane and the rows of both result lists.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "catenary/Catenaria.h"

namespace {

const double G = M_PI / 200.0; // one grad in radians

struct P {
    double x, y, z;
};

double Acimut(P de, P a)
{
    double t = std::atan2(a.x - de.x, a.y - de.y) / G;
    return t < 0 ? t + 400.0 : t;
}

std::string Fijo(double v, int decimales)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimales, v);
    return buf;
}

// Where the sight from D of azimuth az (grads) meets the line A-B, solved as
// two vectors: D + s (sin az, cos az) = A + t (B - A).
P Interseccion(P D, P A, P B, double az, double i, double V)
{
    const double ex = std::sin(az * G), ey = std::cos(az * G);
    const double ux = B.x - A.x, uy = B.y - A.y;
    const double s = (ux * (A.y - D.y) - uy * (A.x - D.x)) / (ux * ey - uy * ex);
    P c{D.x + s * ex, D.y + s * ey, 0.0};
    c.z = D.z + i + std::hypot(c.x - D.x, c.y - D.y) * std::tan((100.0 - V) * G);
    return c;
}

std::string Fila(const std::string& n, P c)
{
    return n + " " + Fijo(c.x, 3) + " " + Fijo(c.y, 3) + " " + Fijo(c.z, 3);
}

// Station, anchor 1 and anchor 2, three coordinates each.
void Coordenadas(DatosCatenaria& d, const std::array<P, 3>& p)
{
    d.BaseX = Fijo(p[0].x, 3), d.BaseY = Fijo(p[0].y, 3), d.BaseZ = Fijo(p[0].z, 3);
    d.Pto1X = Fijo(p[1].x, 3), d.Pto1Y = Fijo(p[1].y, 3), d.Pto1Z = Fijo(p[1].z, 3);
    d.Pto2X = Fijo(p[2].x, 3), d.Pto2Y = Fijo(p[2].y, 3), d.Pto2Z = Fijo(p[2].z, 3);
}

// A station south of a level span: D = (0, 0, 100), i = 1.5, A = (-50, 100, 120), B = (50, 100, 120).
DatosCatenaria DatosEjemplo()
{
    DatosCatenaria d;
    d.Base = "E1", d.Pto1 = "7", d.Pto2 = "8", d.i = "1.5", d.PtoI = "1", d.PtoF = "2";
    Coordenadas(d, {P{0, 0, 100}, P{-50, 100, 120}, P{50, 100, 120}});
    d.Observaciones = {"1 100.0000 99.0000 0.000 0.000", "2 142.0833 87.6713 0.000 0.000",
                       "3 180.0000 90.0000 0.000 0.000"};
    return d;
}

} // namespace

TEST(Catenaria, EjemploDeVanoHorizontal)
{
    const ResultadoCatenaria r = CalcularCatenaria(DatosEjemplo());
    // The cable point lies above the chord of a level span: no parabola hangs
    // through it, but both lists keep their rows.
    EXPECT_EQ(r.Fallo, FalloCatenaria::SinAjuste);
    EXPECT_TRUE(r.Calculado());
    EXPECT_EQ(r.Omitidos, 0);
    // Azimuth D-A is 370.4833; the sight of 142.0833 (one turn past 400) meets Y = 100 at X = 20.
    const P c = Interseccion({0, 0, 100}, {-50, 100, 120}, {50, 100, 120},
                             142.0833 - 100.0 + Acimut({0, 0, 0}, {-50, 100, 0}), 1.5, 87.6713);
    EXPECT_NEAR(c.x, 20.0, 0.0005);
    EXPECT_EQ(r.PuntosCatenaria, (std::vector<std::string>{"7 -50.000 100.000 120.000", Fila("2", c),
                                                           "8 50.000 100.000 120.000"}));
    EXPECT_EQ(r.Proyeccion, (std::vector<std::string>{"0.000,120.000", "70.000,121.500", "100.000,120.000"}));
    EXPECT_EQ(MensajeCatenaria(r.Fallo), "No se pudieron ajustar las observaciones a una parábola.");
}

TEST(Catenaria, VanoRealConParametroConocido)
{
    // A 250 m span rising 60 m, hanging on a parabola of 1500 m; the station
    // stands off the span and reads the circle at 12.3456 on anchor 1.
    const double pReal = 1500.0, L = 250.0, H = 60.0, i = 1.62, HzI = 12.3456, rumbo = 83.5;
    const P D{1000.0, 2000.0, 450.0};
    const P A{1100.0, 2150.0, 480.0};
    const P B{A.x + L * std::sin(rumbo * G), A.y + L * std::cos(rumbo * G), A.z + H};
    DatosCatenaria d;
    d.Base = "BASE-3", d.Pto1 = "101", d.Pto2 = "102", d.i = "1,62", d.PtoI = "20", d.PtoF = "29";
    Coordenadas(d, {D, A, B});
    // Rows before the block and after it do not take part.
    d.Observaciones = {"5 301.0000 95.0000 0.000 0.000", "20 " + Fijo(HzI, 4) + " 93.1234 0.000 0.000"};
    for (int k = 1; k <= 9; ++k) {
        const double u = 25.0 * k;
        const P real{A.x + u * std::sin(rumbo * G), A.y + u * std::cos(rumbo * G),
                     A.z + H * u / L - u * (L - u) / (2.0 * pReal)};
        const double h = std::fmod(Acimut(D, real) - Acimut(D, A) + HzI + 400.0, 400.0);
        const double zen = 100.0 - std::atan((real.z - D.z - i) / std::hypot(real.x - D.x, real.y - D.y)) / G;
        d.Observaciones.push_back(std::to_string(20 + k) + " " + Fijo(h, 4) + " " + Fijo(zen, 4) + " 0.000 1.500");
    }
    d.Observaciones.push_back("40 50.0000 100.0000 0.000 0.000");

    const ResultadoCatenaria r = CalcularCatenaria(d);
    ASSERT_EQ(r.Fallo, FalloCatenaria::Ninguno);
    ASSERT_EQ(r.PuntosCatenaria.size(), 11u);
    ASSERT_EQ(r.Proyeccion.size(), 17u);
    EXPECT_EQ(r.PuntosCatenaria.front(), "101 " + d.Pto1X + " " + d.Pto1Y + " " + d.Pto1Z);
    EXPECT_EQ(r.PuntosCatenaria.back(), "102 " + d.Pto2X + " " + d.Pto2Y + " " + d.Pto2Z);
    const P a{std::stod(d.Pto1X), std::stod(d.Pto1Y), 480.0};
    const P b{std::stod(d.Pto2X), std::stod(d.Pto2Y), 540.0};
    EXPECT_EQ(r.Proyeccion.front(), "0.000,480.000");
    EXPECT_EQ(r.Proyeccion[10], Fijo(std::hypot(b.x - a.x, b.y - a.y), 3) + ",540.000");
    for (int k = 1; k <= 9; ++k) {
        // Solved independently from the readings as listed (rounding allows half a millimetre).
        double hz, v, x, y, z, s, t;
        ASSERT_EQ(std::sscanf(d.Observaciones[k + 1].c_str(), "%*d %lf %lf", &hz, &v), 2);
        const P c = Interseccion(D, a, b, hz - HzI + Acimut(D, a), 1.62, v);
        ASSERT_EQ(r.PuntosCatenaria[k].rfind(std::to_string(20 + k) + " ", 0), 0u) << r.PuntosCatenaria[k];
        ASSERT_EQ(std::sscanf(r.PuntosCatenaria[k].c_str(), "%*s %lf %lf %lf", &x, &y, &z), 3);
        EXPECT_NEAR(x, c.x, 0.00051);
        EXPECT_NEAR(y, c.y, 0.00051);
        EXPECT_NEAR(z, c.z, 0.00051);
        ASSERT_EQ(std::sscanf(r.Proyeccion[k].c_str(), "%lf,%lf", &s, &t), 2);
        EXPECT_NEAR(s, std::hypot(c.x - a.x, c.y - a.y), 0.00051);
        EXPECT_NEAR(t, c.z, 0.00051);
    }
    EXPECT_NEAR(r.Parabola.Parametro, pReal, 1.0);
    EXPECT_LT(r.Parabola.ErrorRegresion, 0.01);
    EXPECT_EQ(std::vector<std::string>(r.Proyeccion.begin() + 11, r.Proyeccion.end()),
              (std::vector<std::string>{"[Parámetro]", Fijo(r.Parabola.Parametro, 2), "[Error de ajuste]",
                                        Fijo(r.Parabola.ErrorAjuste, 3), "[Error de regresión]",
                                        Fijo(r.Parabola.ErrorRegresion, 3)}));
    EXPECT_EQ(r.Perfil.size(), 11u);
}

TEST(Catenaria, DatosRechazadosEnSuOrden)
{
    using D = DatosCatenaria;
    using F = FalloCatenaria;
    auto fallo = [](const D& d) {
        const ResultadoCatenaria r = CalcularCatenaria(d);
        EXPECT_TRUE(r.Calculado() || (r.PuntosCatenaria.empty() && r.Proyeccion.empty()));
        return r.Fallo;
    };
    // The station is asked for first (an anchor missing too), then the anchors (i missing too).
    std::string D::*const campos[] = {&D::Base,  &D::BaseX, &D::BaseY, &D::BaseZ, &D::Pto1,  &D::Pto1X,
                                      &D::Pto1Y, &D::Pto1Z, &D::Pto2,  &D::Pto2X, &D::Pto2Y, &D::Pto2Z};
    for (int k = 0; k < 12; ++k) {
        D d = DatosEjemplo();
        d.*campos[k] = "";
        (k < 4 ? d.Pto2 : d.i) = "";
        EXPECT_EQ(fallo(d), k < 4 ? F::SinBase : F::SinAnclajes) << k;
    }
    // Then the observation list and i, the count of rows, and the block.
    struct Caso {
        size_t filas;
        const char *i, *ini, *fin;
        F fallo;
    };
    for (const Caso& c : {Caso{0, "1.5", "1", "2", F::DatosNoValidos}, {2, "", "1", "2", F::DatosNoValidos},
                          {2, "1.2.3", "1", "2", F::DatosNoValidos}, {2, "-", "1", "2", F::DatosNoValidos},
                          {2, "1.5", "1", "2", F::PocasObservaciones}, {3, "1.5", "5", "5", F::FinalNoMayor},
                          {3, "1.5", "", "", F::FinalNoMayor}, {3, "1.5", "7", "3", F::FinalNoMayor},
                          {3, "1.5", "2.4", "2", F::FinalNoMayor}, {3, "1.5", "99", "100", F::InicialNoEncontrado},
                          {3, "1.5", "1", "4", F::FinalNoEncontrado}}) {
        D d = DatosEjemplo();
        d.Observaciones.resize(c.filas);
        d.i = c.i;
        d.PtoI = c.ini;
        d.PtoF = c.fin;
        EXPECT_EQ(fallo(d), c.fallo) << c.filas << " '" << c.i << "' " << c.ini << "-" << c.fin;
    }
    // Whole numbers: 1.4 is point 1, and 2,6 (comma) is point 3.
    D d = DatosEjemplo();
    d.PtoI = "1.4";
    d.PtoF = "2,6";
    const ResultadoCatenaria r = CalcularCatenaria(d);
    EXPECT_TRUE(r.Calculado());
    EXPECT_EQ(r.PuntosCatenaria.size(), 4u);
}

TEST(Catenaria, FilasDelBloqueSegunLaLista)
{
    DatosCatenaria d = DatosEjemplo();
    const std::string cable = "2 142.0833 87.6713 0.000 0.000";
    // The final row above the initial one: only the anchors, and no fit.
    d.Observaciones = {"3 180.0000 90.0000 0.000 0.000", cable, "1 100.0000 99.0000 0.000 0.000"};
    d.PtoF = "3";
    ResultadoCatenaria r = CalcularCatenaria(d);
    EXPECT_EQ(r.Fallo, FalloCatenaria::SinAjuste);
    EXPECT_EQ(r.PuntosCatenaria.size(), 2u);
    EXPECT_EQ(r.Proyeccion, (std::vector<std::string>{"0.000,120.000", "100.000,120.000"}));

    // A repeated initial number: the later row wins while the final one has
    // not been found yet, and every row between counts, whatever its number.
    d.Observaciones = {"1 0.0000 0.0000 0.000 0.000", cable, "1 100.0000 99.0000 0.000 0.000", cable,
                       "9 142.0833 87.6713 0.000 0.000", "3 142.0833 87.6713 0.000 0.000",
                       "3 0.0000 0.0000 0.000 0.000"};
    r = CalcularCatenaria(d);
    ASSERT_EQ(r.PuntosCatenaria.size(), 5u);
    EXPECT_EQ(r.PuntosCatenaria[1], "2 20.000 100.000 121.500");
    EXPECT_EQ(r.PuntosCatenaria[2], "9 20.000 100.000 121.500");
    EXPECT_EQ(r.PuntosCatenaria[3], "3 20.000 100.000 121.500");
}

TEST(Catenaria, VisualesSinCorteQuedanFuera)
{
    // Station at the origin, anchor 1 due east (circle reads 100 on it); the
    // span runs at azimuth 50, then due north. Sights along it are left out.
    struct Caso {
        P B;
        std::vector<std::string> obs;
        double hz, v;
        int omitidos;
    };
    const Caso casos[] = {
        {{200, 100, 20},
         {"1 100.0000 100.0000 0.000 0.000", "2 50.0000 100.0000 0.000 0.000", "3 80.0000 100.0000 0.000 0.000",
          "4 250.0000 100.0000 0.000 0.000"},
         80.0, 100.0, 2},
        {{100, 300, 20},
         {"1 100.0000 100.0000 0.000 0.000", "2 0.0000 100.0000 0.000 0.000", "3 60.0000 99.0000 0.000 0.000"},
         60.0, 99.0, 1},
    };
    for (const Caso& k : casos) {
        DatosCatenaria d = DatosEjemplo();
        Coordenadas(d, {P{0, 0, 0}, P{100, 0, 10}, k.B});
        d.i = "0";
        d.PtoF = std::to_string(k.obs.size());
        d.Observaciones = k.obs;
        const ResultadoCatenaria r = CalcularCatenaria(d);
        EXPECT_EQ(r.Omitidos, k.omitidos);
        ASSERT_EQ(r.PuntosCatenaria.size(), 3u);
        EXPECT_EQ(r.PuntosCatenaria[1], Fila("3", Interseccion({0, 0, 0}, {100, 0, 10}, k.B, k.hz, 0.0, k.v)));
    }
    EXPECT_EQ(MensajeOmitidos(3),
              "Se han omitido 3 observaciones: su visual no corta la línea de los anclajes en un solo punto.");
    EXPECT_EQ(MensajeOmitidos(1),
              "Se ha omitido 1 observación: su visual no corta la línea de los anclajes en un solo punto.");
}
