// Traverse adjustment: worked examples of each method, properties on generated
// traverses, refusals and the chi-square quantile.
#include <gtest/gtest.h>

#include "Ayudantes.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "PoligonalGenerada.h"
#include "traverse/Compensacion.h"

using namespace prueba;

namespace
{

OpcionesCompensacion Con(MetodoCompensacion m) { return {m, {}, {}}; }
const OpcionesCompensacion MINIMOS = Con(MetodoCompensacion::MinimosCuadrados);

void Cerca(double a, double b, double c, double x, double y, double z, double tolerancia)
{
    for (const auto& [valor, esperado] : {std::pair{a, x}, {b, y}, {c, z}})
        EXPECT_NEAR(valor, esperado, tolerancia);
}

// Worked by hand: true legs A-B east 300 m, B-C north 400 m, C-D east 300 m onto D (1600, 1400, 104);
// observed 300.020, 399.960, 300.020 m, heights +5.010, -3.000, +2.000, azimuths 10 to 40 cc short.
// fX = -0.040, fY = +0.040 (1:17678), fZ = -0.010, EA = 0.0040 g; Bowditch spreads them by the
// cumulative length (300.02, 699.98 of 1000), transit by |dX| and |dY| (back to the true figure).
struct EjemploReglas {
    objPto A{"A", 1000, 1000, 100}, R{"R", 1000, 900, 0}, D{"D", 1600, 1400, 104}, F{"F", 1700, 1400, 104};
    colEstaciones est = Construir(A, R,
                                  {{"B", 99.999, 300.020, 5.010},
                                   {"C", 399.998, 399.960, -3.000},
                                   {"D", 99.997, 300.020, 2.000},
                                   {"F", 99.996, 100.000, 0.0}});
};

// A loop from A (2000, 500) oriented on R due north of it, from the published unadjusted latitude and
// departure of each leg; the closing station sights R again, so the misclosure is only linear. The
// adjusted increments against the published balanced latitude and departure, to their 0.001.
void ComprobarBucle(MetodoCompensacion metodo, const std::vector<std::array<double, 4>>& tramos)
{
    const objPto A{"A", 2000, 500, 0}, R{"R", 2000, 1500, 0};
    std::vector<Visual> v;
    for (const auto& [lat, dep, latCompensada, depCompensada] : tramos)
        v.push_back({std::to_string(v.size() + 1), std::atan2(dep, lat) * RAD_A_GRAD, std::hypot(lat, dep), 0.0});
    v.back().hasta = "A";
    v.push_back({"R", 0.0, 1000.0, 0.0});
    const ResultadoCompensacion r = Compensar(A, R, Construir(A, R, v), A, R, true, Con(metodo));
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.tramos.size(), tramos.size());
    for (size_t i = 0; i < tramos.size(); ++i) {
        const TramoCompensado& t = r.tramos[i];
        EXPECT_NEAR(t.dY + t.cY, tramos[i][2], 0.001) << t.desde << t.hasta;
        EXPECT_NEAR(t.dX + t.cX, tramos[i][3], 0.001) << t.desde << t.hasta;
    }
}

double Sexagesimal(double g, double m, double s = 0.0) { return g + m / 60.0 + s / 3600.0; }

} // namespace

// Bowditch: J. Mahun, "Traverse Computations" (open-access surveying text, jerrymahun.com), the loop
// traverse of chapter I (figure I-5, bearings S 68°05'35" W 472.68 ft, N 19°46'00" W 216.13, N 45°55'20" E
// 276.52, S 54°59'15" E 382.24; misclosure +0.083 ft in latitude, +0.075 ft in departure) and the compass
// rule's balanced latitudes and departures that chapter F lists for it.
// Transit: "Example-2 (Balancing the traverse - Transit rule)" of a university lecture handout: the
// consecutive co-ordinates of ABCDA and its corrected latitudes and departures.
TEST(Compensacion, EjemplosPublicadosDeLasReglas)
{
    ComprobarBucle(MetodoCompensacion::Bowditch, {{-176.357, -438.548, -176.386, -438.574},
                                                  {203.395, -73.093, 203.382, -73.105},
                                                  {192.357, 198.651, 192.340, 198.635},
                                                  {-219.312, 313.065, -219.336, 313.044}});
    ComprobarBucle(MetodoCompensacion::Transito, {{218.50, -86.80, 218.223, -86.695},
                                                  {42.16, 314.59, 42.107, 314.971},
                                                  {-209.49, 48.36, -209.756, 48.419},
                                                  {-50.51, -277.03, -50.574, -276.695}});
}

// Least squares: F. Krumm, "Geodetic Network Adjustment Examples", Rev. 3.5 (Geodätisches Institut,
// Universität Stuttgart, 2020), "Traverse as a fix network": B (8478.139, 2483.826) and E (7709.336,
// 2263.411) fixed with the azimuths B-A 68°15'20.7" and E-F 300°11'30.5"; angles of 10" at B, C, D, E
// and distances B-C 281.832, C-D 271.300, D-E 274.100 m of 16 mm. Published: C (8231.2745, 2347.8218),
// D (7982.4237, 2239.7178), x east and y north as here, and their standard deviations. An angle of 10"
// is the difference of two directions of 10"/sqrt(2) (1" = 1/0.324 cc); the example has no centring error.
TEST(Compensacion, EjemploPublicadoDeMinimosCuadrados)
{
    auto lejano = [](const objPto& p, double acimut, const char* n) {
        return objPto{n, p.X + 1000 * std::sin(acimut * GRAD_A_RAD), p.Y + 1000 * std::cos(acimut * GRAD_A_RAD), 0};
    };
    const objPto B{"B", 8478.139, 2483.826, 0}, E{"E", 7709.336, 2263.411, 0};
    double acimut = Sexagesimal(68, 15, 20.7) / 0.9;
    const objPto A = lejano(B, acimut, "A"), F = lejano(E, Sexagesimal(300, 11, 30.5) / 0.9, "F");
    std::vector<Visual> v;
    for (const auto& [hasta, angulo, distancia] : {std::tuple{"C", Sexagesimal(172, 53, 34), 281.832},
                                                  {"D", Sexagesimal(185, 22, 14), 271.300},
                                                  {"E", Sexagesimal(208, 26, 19), 274.100},
                                                  {"F", Sexagesimal(205, 13, 51), 1000.0}}) {
        acimut = NormalizarAngulo(acimut + angulo / 0.9);
        v.push_back({hasta, acimut, distancia, 0.0});
        acimut += 200.0;
    }
    const OpcionesCompensacion o{MetodoCompensacion::MinimosCuadrados, {10.0 / 0.324 / M_SQRT2, 16.0, 0.0, 0.0}, {}};
    const ResultadoCompensacion r = Compensar(B, A, Construir(B, A, v), E, F, true, o);
    ASSERT_TRUE(r.ok) << r.error;
    const PuntoCompensado &C = r.puntos.at(1), &D = r.puntos.at(2);
    Cerca(C.X, C.Y, D.X, 8231.2745, 2347.8218, 7982.4237, 5e-5);
    EXPECT_NEAR(D.Y, 2239.7178, 5e-5);
    // Their standard deviations, published in cm: C 1.403, 0.999; D 1.503, 0.860.
    Cerca(C.sX, C.sY, D.sX, 0.01403, 0.00999, 0.01503, 5e-6);
    EXPECT_NEAR(D.sY, 0.00860, 5e-6);
    // 11 directions and distances, 4 coordinates and 4 orientations; sigma0 from the residuals.
    double omega = 0.0;
    for (const ObservacionCompensada& ob : r.observaciones)
        omega += ob.tipo == TipoObservacion::Desnivel ? 0.0 : std::pow(ob.residuo / ob.sigma, 2);
    EXPECT_EQ(r.redundancia, 3);
    EXPECT_NEAR(r.sigma0, std::sqrt(omega / 3.0), 1e-9);
}

TEST(Compensacion, SinErroresNadaCambia)
{
    ConK k(0.5);
    const Generada g = Generar(7, 12, 0.0, 0.0);
    for (auto m : {MetodoCompensacion::Bowditch, MetodoCompensacion::Transito, MetodoCompensacion::MinimosCuadrados}) {
        const ResultadoCompensacion r = Compensar(g.BE, g.BO, g.est, g.PE, g.PV, true, Con(m));
        ASSERT_TRUE(r.ok) << r.error;
        for (const PuntoCompensado& p : r.puntos)
            EXPECT_LT(std::max({std::fabs(p.dX), std::fabs(p.dY), std::fabs(p.dZ)}), 1e-7) << p.N;
        for (const ObservacionCompensada& o : r.observaciones)
            EXPECT_LT(std::fabs(o.residuo), 1e-7);
    }
}

TEST(Compensacion, CierraYLasCorreccionesSumanElError)
{
    ConK k(0.5);
    for (unsigned semilla : {1u, 2u, 3u}) {
        const Generada g = Generar(semilla, 9 + static_cast<int>(semilla), 20.0 * semilla, 0.01 * semilla * semilla);
        const double AF = AcimutEntrePuntos(g.PE, g.PV);
        for (MetodoCompensacion m : {MetodoCompensacion::Bowditch, MetodoCompensacion::Transito}) {
            const ResultadoCompensacion r = Compensar(g.BE, g.BO, g.est, g.PE, g.PV, true, Con(m));
            ASSERT_TRUE(r.ok) << r.error;
            ASSERT_GT(r.fT, 0.001);
            double X = g.BE.X, Y = g.BE.Y, Z = g.BE.Z, cX = 0, cY = 0, cZ = 0, i = 0;
            EXPECT_TRUE(r.puntos.at(0).fijo);
            for (const TramoCompensado& t : r.tramos) { // the angular misclosure in equal parts, cumulatively
                EXPECT_NEAR(t.correccionAcimut, r.cierre.EA * ++i / r.estaciones, 1e-12);
                X += t.dX + t.cX, Y += t.dY + t.cY, Z += t.dZ + t.cZ;
                cX += t.cX, cY += t.cY, cZ += t.cZ;
            }
            Cerca(cX, cY, cZ, r.fX, r.fY, r.fZ, 1e-9);
            Cerca(X, Y, Z, g.PE.X, g.PE.Y, g.PE.Z, 1e-8);
            // The last forward azimuth, corrected, is the known one.
            const double ultimo = AcimutArrastrado(g.BE, g.BO, g.est) + r.cierre.EA;
            EXPECT_NEAR(std::remainder(ultimo - AF, 400.0), 0.0, 1e-10);
            const PuntoCompensado& L = r.puntos.back();
            Cerca(L.dX, L.dY, L.dZ, r.cierre.EX, r.cierre.EY, r.cierre.EZ, 1e-9);
        }
        // Least squares: the adjusted observations fit the adjusted points.
        const ResultadoCompensacion r = Compensar(g.BE, g.BO, g.est, g.PE, g.PV, true, MINIMOS);
        ASSERT_TRUE(r.ok) << r.error;
        std::vector<objPto> p = {g.BO};
        for (const PuntoCompensado& q : r.puntos)
            p.push_back({q.N, q.X, q.Y, q.Z});
        p.push_back(g.PV);
        double redundancia = 0.0;
        for (const ObservacionCompensada& o : r.observaciones) {
            const objPto &a = p[static_cast<size_t>(o.estacion)], &b = p[static_cast<size_t>(o.estacion + 1)];
            if (o.tipo == TipoObservacion::Distancia) {
                EXPECT_NEAR(o.observada + o.residuo, DistanciaEntrePuntos(a, b), 1e-7);
                redundancia += o.redundancia;
            } else if (o.tipo == TipoObservacion::Desnivel) {
                EXPECT_NEAR(o.observada + o.residuo, b.Z - a.Z, 1e-9);
            } else {
                redundancia += o.redundancia;
            }
        }
        EXPECT_NEAR(redundancia, 3.0, 1e-6); // the traces of the redundancy numbers
        // Station i's back and forward directions: its orientation plus the azimuth;
        // and the orientation's normal equation, sum of v / s^2 = 0, at the solution.
        for (size_t i = 0; i < r.orientaciones.size(); ++i) {
            double normal = 0.0;
            for (size_t j : {0u, 1u}) {
                const ObservacionCompensada& o = r.observaciones[3 * i + j];
                const double az = r.orientaciones[i] + AcimutEntrePuntos(p[i + 1], p[i + 2 * j]);
                EXPECT_NEAR(std::remainder(az - o.observada - o.residuo, 400.0), 0, 1e-8);
                normal += o.residuo / (o.sigma * o.sigma) * r.observaciones[3 * i].sigma;
            }
            EXPECT_NEAR(normal, 0.0, 1e-9);
        }
    }
}

TEST(Compensacion, ErrorGroseroEnUnaDistancia)
{
    ConK k(0.5);
    // Legs of six different directions: a traverse cannot tell a distance
    // from another one along the same line (both move the end alike).
    const std::vector<double> zigzag = {10, 243, 76, 309, 142, 375, 50};
    for (int tramo : {1, 2, 3, 4, 5, 6}) {
        Generada g = Generar(11, 7, 5.0, 0.002, zigzag);
        objEstacion& e = g.est[static_cast<size_t>(tramo - 1)];
        e.Slot(7) += 0.10, e.Slot(12) += 0.10;
        e.Radiar();
        PropagarBases(g.est, tramo);
        const ResultadoCompensacion r = Compensar(g.BE, g.BO, g.est, g.PE, g.PV, true, MINIMOS);
        ASSERT_TRUE(r.ok) << r.error;
        const ObservacionCompensada* peor = nullptr;
        for (const ObservacionCompensada& o : r.observaciones)
            if (o.tipo != TipoObservacion::Desnivel && (!peor || std::fabs(o.w) > std::fabs(peor->w)))
                peor = &o;
        EXPECT_EQ(peor->tipo, TipoObservacion::Distancia);
        EXPECT_EQ(peor->estacion, tramo);
        EXPECT_TRUE(peor->sospechosa);
        EXPECT_FALSE(r.chi2Aceptada);
        EXPECT_NE(EscribirInformeCompensacion(r, {}).find("<< posible error grosero"), std::string::npos);
    }
}

TEST(Compensacion, DatosDegeneradosSeRechazan)
{
    ConK k(0.5);
    EjemploReglas ej;
    colEstaciones dos(ej.est.begin(), ej.est.begin() + 2);
    colEstaciones tramoNulo = ej.est;
    tramoNulo[1].Slot(7) = tramoNulo[1].Slot(12) = 0.0;
    tramoNulo[1].Radiar();
    for (const auto& [est, aceptado, o, mensaje] : {
             std::tuple{&ej.est, false, OpcionesCompensacion{}, "no está aceptado"},
             {&dos, true, {}, "al menos tres estaciones"},
             {&tramoNulo, true, {}, "El tramo B - C (estación 2) tiene longitud nula."},
             // Directions of no weight: nothing fixes the orientations.
             {&ej.est, true, {MetodoCompensacion::MinimosCuadrados, {1e300}, {}}, "La matriz normal es singular"},
             {&ej.est, true, {MetodoCompensacion::MinimosCuadrados, {15.0, 0.0}, {}}, "precisiones a priori"}}) {
        const ResultadoCompensacion r = Compensar(ej.A, ej.R, *est, ej.D, ej.F, aceptado, o);
        EXPECT_FALSE(r.ok) << mensaje;
        EXPECT_NE(r.error.find(mensaje), std::string::npos) << r.error;
        EXPECT_TRUE(r.puntos.empty());
    }
}

TEST(Compensacion, VeredictoExportacionEInforme)
{
    ConK k(0.5);
    EjemploReglas ej;
    OpcionesCompensacion o;
    o.tolerancias = {15.0, 20000.0}; // 0.0030 g for 4 stations, 1:20000
    EXPECT_EQ(Compensar(ej.A, ej.R, ej.est, ej.D, ej.F, true, o).veredicto,
              "Fuera de tolerancia: error angular 0.0040 g > 0.0030 g; precisión 1:17678 < 1:20000");
    const ResultadoCompensacion r = Compensar(ej.A, ej.R, ej.est, ej.D, ej.F, true, {});
    EXPECT_EQ(ExportarBasesCompensadas(ej.A, ej.R, r),
              "\"A\",\"1000.000\",\"1000.000\",\"100.000\"\r\n\"R\",\"1000.000\",\"900.000\",\"0.000\"\r\n"
              "\"B\",\"1300.008\",\"1000.012\",\"105.007\"\r\n\"C\",\"1299.992\",\"1399.988\",\"102.003\"\r\n"
              "\"D\",\"1600.000\",\"1400.000\",\"104.000\"\r\n");
    const std::string informe = EscribirInformeCompensacion(r, {});
    for (const char* linea : {"Método : Proporcional a las distancias (Bowditch)\r\n", "Error angular (g) : 0.0040\r\n",
                              "Precisión : 1:17678\r\n", "\r\nDentro de tolerancia\r\n"})
        EXPECT_NE(informe.find(linea), std::string::npos) << linea;
    // B as held sits 300.020 sin(0.0010 g) = 4.7 mm north of the axis: dY = 12.0 - 4.7 mm.
    EXPECT_EQ(TextosPuntoCompensado(r.puntos[1], false),
              (std::vector<std::string>{"B", "1300.008", "1000.012", "105.007", "-12.0", "7.3", "-3.0"}));
}

TEST(Compensacion, CuantilChiCuadradoDeLasTablas)
{
    // Table values (chi-square quantiles as printed in the usual tables).
    const std::tuple<double, double, const char*> casos[] = {
        {0.95, 1, "3.841"},   {0.95, 2, "5.991"},     {0.95, 3, "7.815"}, {0.95, 5, "11.070"}, {0.95, 10, "18.307"},
        {0.95, 30, "43.773"}, {0.95, 100, "124.342"}, {0.05, 1, "0.004"}, {0.05, 10, "3.940"}, {0.99, 5, "15.086"},
        {0.025, 3, "0.216"},  {0.975, 3, "9.348"},    {0.5, 1, "0.455"}};
    for (const auto& [p, gl, valor] : casos)
        EXPECT_EQ(Formatear(CuantilChiCuadrado(p, gl), 3), valor) << p << " " << gl;
    // Closed forms: P(1/2, x) = erf(sqrt x), on both sides of the series/fraction switch;
    // two degrees of freedom: P = 1 - exp(-x/2).
    for (double x : {0.01, 0.7, 1.4, 6.0, 30.0})
        EXPECT_NEAR(GammaIncompletaP(0.5, x), std::erf(std::sqrt(x)), 1e-15) << x;
    EXPECT_NEAR(CuantilChiCuadrado(0.9, 2), -2.0 * std::log(0.1), 1e-12);
    EXPECT_TRUE(std::isnan(CuantilChiCuadrado(1.0, 3)));
}
