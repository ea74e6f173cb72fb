// The catenary computation: observed conductor points placed on the span,
// their projection on its vertical plane and the rows of both result lists.
#include <gtest/gtest.h>

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
    const double det = ux * ey - uy * ex;
    const double s = (ux * (A.y - D.y) - uy * (A.x - D.x)) / det;
    P c{D.x + s * ex, D.y + s * ey, 0.0};
    c.z = D.z + i + std::hypot(c.x - D.x, c.y - D.y) * std::tan((100.0 - V) * G);
    return c;
}

std::vector<double> Numeros(const std::string& fila, char separador)
{
    std::vector<double> r;
    size_t pos = 0;
    while (pos <= fila.size()) {
        const size_t fin = fila.find(separador, pos);
        r.push_back(std::atof(fila.substr(pos, fin == std::string::npos ? std::string::npos : fin - pos).c_str()));
        if (fin == std::string::npos)
            break;
        pos = fin + 1;
    }
    return r;
}

std::string Palabra0(const std::string& fila)
{
    return fila.substr(0, fila.find(' '));
}

// The example of a station south of a level span: D = (0, 0, 100), i = 1.5,
// A = (-50, 100, 120), B = (50, 100, 120).
DatosCatenaria DatosEjemplo()
{
    DatosCatenaria d;
    d.Base = "E1";
    d.BaseX = "0.000";
    d.BaseY = "0.000";
    d.BaseZ = "100.000";
    d.Pto1 = "7";
    d.Pto1X = "-50.000";
    d.Pto1Y = "100.000";
    d.Pto1Z = "120.000";
    d.Pto2 = "8";
    d.Pto2X = "50.000";
    d.Pto2Y = "100.000";
    d.Pto2Z = "120.000";
    d.i = "1.5";
    d.PtoI = "1";
    d.PtoF = "2";
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
    ASSERT_EQ(r.PuntosCatenaria.size(), 3u);
    EXPECT_EQ(r.PuntosCatenaria[0], "7 -50.000 100.000 120.000");
    EXPECT_EQ(r.PuntosCatenaria[2], "8 50.000 100.000 120.000");
    ASSERT_EQ(r.Proyeccion.size(), 3u);
    EXPECT_EQ(r.Proyeccion[0], "0.000,120.000");
    EXPECT_EQ(r.Proyeccion[2], "100.000,120.000");

    // The orientation: azimuth D-A is 370.4833, and the sight of 142.0833
    // (one turn past 400) meets Y = 100 at X = 20.
    EXPECT_NEAR(Acimut({0, 0, 0}, {-50, 100, 0}), 370.4833, 0.00005);
    const P c = Interseccion({0, 0, 100}, {-50, 100, 120}, {50, 100, 120},
                             142.0833 - 100.0 + Acimut({0, 0, 0}, {-50, 100, 0}), 1.5, 87.6713);
    EXPECT_NEAR(c.x, 20.0, 0.0005);
    EXPECT_EQ(r.PuntosCatenaria[1], "2 " + Fijo(c.x, 3) + " " + Fijo(c.y, 3) + " " + Fijo(c.z, 3));
    EXPECT_EQ(r.PuntosCatenaria[1], "2 20.000 100.000 121.500");
    EXPECT_EQ(r.Proyeccion[1], "70.000,121.500");
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
    const double AzDA = Acimut(D, A);

    DatosCatenaria d;
    d.Base = "BASE-3";
    d.BaseX = Fijo(D.x, 3);
    d.BaseY = Fijo(D.y, 3);
    d.BaseZ = Fijo(D.z, 3);
    d.Pto1 = "101";
    d.Pto1X = Fijo(A.x, 3);
    d.Pto1Y = Fijo(A.y, 3);
    d.Pto1Z = Fijo(A.z, 3);
    d.Pto2 = "102";
    d.Pto2X = Fijo(B.x, 3);
    d.Pto2Y = Fijo(B.y, 3);
    d.Pto2Z = Fijo(B.z, 3);
    d.i = "1,62";
    d.PtoI = "20";
    d.PtoF = "29";
    // Rows before the block and after it do not take part.
    d.Observaciones.push_back("5 301.0000 95.0000 0.000 0.000");
    d.Observaciones.push_back("20 " + Fijo(HzI, 4) + " 93.1234 0.000 0.000");
    std::vector<double> hz, v;
    for (int k = 1; k <= 9; ++k) {
        const double u = 25.0 * k;
        const P real{A.x + u * std::sin(rumbo * G), A.y + u * std::cos(rumbo * G),
                     A.z + H * u / L - u * (L - u) / (2.0 * pReal)};
        double h = Acimut(D, real) - AzDA + HzI;
        h = h < 0 ? h + 400.0 : h;
        const double dist = std::hypot(real.x - D.x, real.y - D.y);
        const double zen = 100.0 - std::atan((real.z - D.z - i) / dist) / G;
        hz.push_back(std::stod(Fijo(h, 4)));
        v.push_back(std::stod(Fijo(zen, 4)));
        d.Observaciones.push_back(std::to_string(20 + k) + " " + Fijo(h, 4) + " " + Fijo(zen, 4) + " 0.000 1.500");
    }
    d.Observaciones.push_back("40 50.0000 100.0000 0.000 0.000");

    const ResultadoCatenaria r = CalcularCatenaria(d);
    ASSERT_EQ(r.Fallo, FalloCatenaria::Ninguno);
    ASSERT_EQ(r.PuntosCatenaria.size(), 11u);
    ASSERT_EQ(r.Proyeccion.size(), 17u);
    EXPECT_EQ(r.PuntosCatenaria.front(), "101 " + d.Pto1X + " " + d.Pto1Y + " " + d.Pto1Z);
    EXPECT_EQ(r.PuntosCatenaria.back(), "102 " + d.Pto2X + " " + d.Pto2Y + " " + d.Pto2Z);
    EXPECT_EQ(r.Proyeccion.front(), "0.000,480.000");
    const P a{std::stod(d.Pto1X), std::stod(d.Pto1Y), 480.0};
    const P b{std::stod(d.Pto2X), std::stod(d.Pto2Y), 540.0};
    EXPECT_EQ(r.Proyeccion[10], Fijo(std::hypot(b.x - a.x, b.y - a.y), 3) + ",540.000");

    for (int k = 1; k <= 9; ++k) {
        // From the readings as listed, solved independently.
        const P c = Interseccion(D, a, b, hz[k - 1] - HzI + Acimut(D, a), 1.62, v[k - 1]);
        const std::string& fila = r.PuntosCatenaria[k];
        EXPECT_EQ(Palabra0(fila), std::to_string(20 + k));
        const std::vector<double> n = Numeros(fila.substr(fila.find(' ') + 1), ' ');
        ASSERT_EQ(n.size(), 3u);
        EXPECT_NEAR(n[0], c.x, 0.00051) << fila;
        EXPECT_NEAR(n[1], c.y, 0.00051) << fila;
        EXPECT_NEAR(n[2], c.z, 0.00051) << fila;
        const std::vector<double> pr = Numeros(r.Proyeccion[k], ',');
        ASSERT_EQ(pr.size(), 2u);
        EXPECT_NEAR(pr[0], std::hypot(c.x - a.x, c.y - a.y), 0.00051);
        EXPECT_NEAR(pr[1], c.z, 0.00051);
        // And close to the conductor that was observed.
        EXPECT_NEAR(pr[0], 25.0 * k, 0.003);
        EXPECT_NEAR(pr[1], A.z + H * 25.0 * k / L - 25.0 * k * (L - 25.0 * k) / (2.0 * pReal), 0.003);
    }

    EXPECT_NEAR(r.Parabola.Parametro, pReal, 1.0);
    EXPECT_EQ(r.Proyeccion[11], "[Parámetro]");
    EXPECT_EQ(r.Proyeccion[12], Fijo(r.Parabola.Parametro, 2));
    EXPECT_EQ(r.Proyeccion[13], "[Error de ajuste]");
    EXPECT_EQ(r.Proyeccion[14], Fijo(r.Parabola.ErrorAjuste, 3));
    EXPECT_EQ(r.Proyeccion[15], "[Error de regresión]");
    EXPECT_EQ(r.Proyeccion[16], Fijo(r.Parabola.ErrorRegresion, 3));
    EXPECT_LT(r.Parabola.ErrorRegresion, 0.01);
    // The fit ran on the profile of the rows: first and last are the anchors.
    ASSERT_EQ(r.Perfil.size(), 11u);
    EXPECT_EQ(r.Perfil.front().X, 0.0);
    EXPECT_EQ(r.Perfil.front().Y, 480.0);
    EXPECT_EQ(r.Perfil.back().Y, 540.0);
}

TEST(Catenaria, DatosRechazadosEnSuOrden)
{
    auto fallo = [](const DatosCatenaria& d) {
        const ResultadoCatenaria r = CalcularCatenaria(d);
        if (!r.Calculado()) {
            EXPECT_TRUE(r.PuntosCatenaria.empty());
            EXPECT_TRUE(r.Proyeccion.empty());
        }
        return r.Fallo;
    };
    const DatosCatenaria bien = DatosEjemplo();

    for (std::string DatosCatenaria::*campo :
         {&DatosCatenaria::Base, &DatosCatenaria::BaseX, &DatosCatenaria::BaseY, &DatosCatenaria::BaseZ}) {
        DatosCatenaria d = bien;
        d.*campo = "";
        d.Pto2 = ""; // an anchor missing too: the station is asked for first
        EXPECT_EQ(fallo(d), FalloCatenaria::SinBase);
    }
    for (std::string DatosCatenaria::*campo :
         {&DatosCatenaria::Pto1, &DatosCatenaria::Pto1X, &DatosCatenaria::Pto1Y, &DatosCatenaria::Pto1Z,
          &DatosCatenaria::Pto2, &DatosCatenaria::Pto2X, &DatosCatenaria::Pto2Y, &DatosCatenaria::Pto2Z}) {
        DatosCatenaria d = bien;
        d.*campo = "";
        d.i = "";
        EXPECT_EQ(fallo(d), FalloCatenaria::SinAnclajes);
    }

    DatosCatenaria d = bien;
    d.Observaciones.clear();
    EXPECT_EQ(fallo(d), FalloCatenaria::DatosNoValidos);
    for (const char* i : {"", " ", "abc", "1.2.3", "-"}) {
        d = bien;
        d.i = i;
        d.Observaciones.resize(2);
        EXPECT_EQ(fallo(d), FalloCatenaria::DatosNoValidos) << i;
    }
    d = bien;
    d.Observaciones.resize(2);
    EXPECT_EQ(fallo(d), FalloCatenaria::PocasObservaciones);

    for (auto [ini, fin] : {std::pair{"5", "5"}, {"", ""}, {"7", "3"}, {"2.4", "2"}}) {
        d = bien;
        d.PtoI = ini;
        d.PtoF = fin;
        EXPECT_EQ(fallo(d), FalloCatenaria::FinalNoMayor) << ini << " " << fin;
    }
    d = bien;
    d.PtoI = "99";
    d.PtoF = "100";
    EXPECT_EQ(fallo(d), FalloCatenaria::InicialNoEncontrado);
    d = bien;
    d.PtoF = "4";
    EXPECT_EQ(fallo(d), FalloCatenaria::FinalNoEncontrado);
    // Whole numbers: 1.4 is point 1, and 2,6 (comma) is point 3.
    d = bien;
    d.PtoI = "1.4";
    d.PtoF = "2,6";
    EXPECT_TRUE(CalcularCatenaria(d).Calculado());
    EXPECT_EQ(CalcularCatenaria(d).PuntosCatenaria.size(), 4u);
}

TEST(Catenaria, FilasDelBloqueSegunLaLista)
{
    DatosCatenaria d = DatosEjemplo();
    const std::string cable = "2 142.0833 87.6713 0.000 0.000";
    // The final row above the initial one: only the anchors, and no fit.
    d.Observaciones = {"3 180.0000 90.0000 0.000 0.000", cable, "1 100.0000 99.0000 0.000 0.000"};
    d.PtoI = "1";
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
    // Station at the origin, anchor 1 due east (azimuth 100), the span rising
    // to the north-east at azimuth 50; the circle reads 100 on anchor 1.
    DatosCatenaria d = DatosEjemplo();
    d.BaseX = "0.000";
    d.BaseY = "0.000";
    d.BaseZ = "0.000";
    d.Pto1X = "100.000";
    d.Pto1Y = "0.000";
    d.Pto1Z = "10.000";
    d.Pto2X = "200.000";
    d.Pto2Y = "100.000";
    d.Pto2Z = "20.000";
    d.i = "0";
    d.PtoI = "1";
    d.PtoF = "4";
    d.Observaciones = {"1 100.0000 100.0000 0.000 0.000",
                       "2 50.0000 100.0000 0.000 0.000",   // parallel to the span
                       "3 80.0000 100.0000 0.000 0.000",   // a good sight
                       "4 250.0000 100.0000 0.000 0.000"}; // parallel, the other way
    const ResultadoCatenaria r = CalcularCatenaria(d);
    EXPECT_EQ(r.Omitidos, 2);
    ASSERT_EQ(r.PuntosCatenaria.size(), 3u);
    EXPECT_EQ(Palabra0(r.PuntosCatenaria[1]), "3");
    const P c = Interseccion({0, 0, 0}, {100, 0, 10}, {200, 100, 20}, 80.0, 0.0, 100.0);
    EXPECT_EQ(r.PuntosCatenaria[1], "3 " + Fijo(c.x, 3) + " " + Fijo(c.y, 3) + " " + Fijo(c.z, 3));
    // The one point left fits: three profile rows and the six result rows.
    EXPECT_EQ(r.Fallo, FalloCatenaria::Ninguno);
    EXPECT_EQ(r.Proyeccion.size(), 9u);
    EXPECT_EQ(r.Perfil.size(), 3u);
    EXPECT_EQ(MensajeOmitidos(3),
              "Se han omitido 3 observaciones: su visual no corta la línea de los anclajes en un solo punto.");
    EXPECT_EQ(MensajeOmitidos(1),
              "Se ha omitido 1 observación: su visual no corta la línea de los anclajes en un solo punto.");
}

TEST(Catenaria, VanoHaciaElNorte)
{
    // Anchors with the same X, the second due north of the first: the sights
    // meet the span as on any other bearing; only the one along it is left out.
    DatosCatenaria d = DatosEjemplo();
    d.BaseX = "0.000";
    d.BaseY = "0.000";
    d.BaseZ = "0.000";
    d.Pto1X = "100.000";
    d.Pto1Y = "0.000";
    d.Pto1Z = "10.000";
    d.Pto2X = "100.000";
    d.Pto2Y = "300.000";
    d.Pto2Z = "20.000";
    d.i = "0";
    d.PtoI = "1";
    d.PtoF = "3";
    d.Observaciones = {"1 100.0000 100.0000 0.000 0.000",
                       "2 0.0000 100.0000 0.000 0.000",  // along the span
                       "3 60.0000 99.0000 0.000 0.000"}; // a good sight
    const ResultadoCatenaria r = CalcularCatenaria(d);
    EXPECT_EQ(r.Omitidos, 1);
    ASSERT_EQ(r.PuntosCatenaria.size(), 3u);
    const P c = Interseccion({0, 0, 0}, {100, 0, 10}, {100, 300, 20}, 60.0, 0.0, 99.0);
    EXPECT_NEAR(c.x, 100.0, 1e-9);
    EXPECT_EQ(r.PuntosCatenaria[1], "3 " + Fijo(c.x, 3) + " " + Fijo(c.y, 3) + " " + Fijo(c.z, 3));
}

TEST(Catenaria, FilaDeProyeccion)
{
    EXPECT_EQ(FilaProyeccion(45.1234, 102.4564), "45.123,102.456");
    EXPECT_EQ(FilaProyeccion(0.0, -3.5), "0.000,-3.500");
}
