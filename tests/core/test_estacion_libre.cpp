// Station set-up: published free stations, properties on generated set-ups,
// refusals and the texts the window shows.
#include <gtest/gtest.h>

#include "Ayudantes.h"
#include "core/modFuncionesTopo.h"
#include "station/EstacionLibre.h"

namespace
{

struct Base {
    const char* n;
    double x, y, z;
};
struct Lectura {
    const char* n;
    double hz, v, dg, m;
};

DatosEstacion Montar(const std::vector<Base>& bases, const std::vector<Lectura>& lecturas, double i = 0.0)
{
    DatosEstacion d;
    d.i = i;
    for (const Base& b : bases)
        d.bases.push_back({b.n, b.x, b.y, b.z});
    for (const Lectura& l : lecturas)
        d.visuales.push_back({l.n, l.hz, l.v > 0 ? std::optional(l.v) : std::nullopt,
                              l.dg > 0 ? std::optional(l.dg) : std::nullopt, l.m});
    return d;
}

// A set-up made from a known station S (orientation o) to bases at the given
// azimuths and slope distances (0: direction only), all with V = 98 g, i = 1.5, m = 1.7.
DatosEstacion Generada(Punto S, double o, const std::vector<std::pair<double, double>>& visuales)
{
    DatosEstacion d;
    d.i = 1.5;
    for (size_t k = 0; k < visuales.size(); ++k) {
        const auto [az, dg] = visuales[k];
        const Punto b = Radiado(S, az, 98.0, dg > 0 ? dg : 100.0, 1.5, 1.7, KRefraccion);
        const std::string n = "B" + std::to_string(k + 1);
        d.bases.push_back({n, b.x, b.y, b.z});
        d.visuales.push_back({n, std::fmod(az - o + 400.0, 400.0), 98.0,
                              dg > 0 ? std::optional(dg) : std::nullopt, 1.7});
    }
    return d;
}

const Punto S{502345.678, 4401234.567, 250.0}; // map coordinates: the start must keep its digits

} // namespace

// TopoSuite (HEIG-VD and hgdev, Switzerland), free station test cases "simple1" and "simple3" of
// FreeStationTest: published set-ups in grads with the figures of the reference program. simple3
// sights five bases with zenith angles, signal heights and i = 1.6: station 600.009, 199.995, height
// 100.026, orientation 60.443 g. simple1 sights four bases horizontally: station 542543.93, 151874.16.
TEST(EstacionLibre, EjemplosPublicados)
{
    const DatosEstacion simple3 = Montar({{"6", 622.475, 210.990, 100.400},
                                          {"7", 636.236, 145.773, 99.964},
                                          {"8", 635.417, 177.289, 99.144},
                                          {"9", 595.012, 210.991, 100.068},
                                          {"10", 598.055, 218.982, 100.189}},
                                         {{"6", 10.562, 99.124, 25.030, 1.570},
                                          {"7", 102.070, 100.068, 65.200, 1.620},
                                          {"8", 75.852, 101.162, 42.070, 1.740},
                                          {"9", 312.411, 99.724, 12.070, 1.600},
                                          {"10", 333.020, 98.180, 19.080, 2.000}},
                                         1.6);
    const DatosEstacion simple1 = Montar({{"1", 542430.11, 151989.66, 0},
                                          {"2", 542610.79, 151979.94, 0},
                                          {"3", 542624.36, 151873.24, 0},
                                          {"4", 542495.94, 151847.05, 0}},
                                         {{"1", 271.234, 100, 162.154, 0},
                                          {"2", 356.627, 100, 125.149, 0},
                                          {"3", 21.493, 100, 80.431, 0},
                                          {"4", 188.014, 100, 55.128, 0}});
    struct Caso {
        const DatosEstacion& d;
        double x, y, z, o, tolerancia;
    };
    for (const Caso& c : {Caso{simple3, 600.009, 199.995, 100.026, 60.443, 0.0015},
                          Caso{simple1, 542543.93, 151874.16, 0.0, -1.0, 0.006}}) {
        const ResultadoEstacion r = CalcularEstacion(c.d);
        ASSERT_TRUE(r.ok) << r.aviso;
        EXPECT_NEAR(r.estacion.X, c.x, c.tolerancia);
        EXPECT_NEAR(r.estacion.Y, c.y, c.tolerancia);
        if (c.o >= 0) {
            EXPECT_NEAR(r.estacion.Z, c.z, c.tolerancia);
            EXPECT_NEAR(r.orientacion, c.o, 0.0015);
        }
        EXPECT_GT(r.redundancia, 0);
    }
}

// Ferris State University, Surveying Engineering Department, "Three point resection problem" (SURE 215
// Surveying Calculations notes), Tienstra's example: A (E 1000, N 5300), B (2200, 6300), C (3100, 5000);
// at P the angles APB = 109 deg 30' 45" and BPC = 115 deg 05' 20"; P = (2128.3903, 5578.1443).
// Read as directions from A, in grads (the angles as decimal degrees, 109.5125 and 115.0889).
TEST(EstacionLibre, InterseccionInversaPublicada)
{
    const double APB = 109.5125 / 0.9, BPC = 115.0889 / 0.9;
    DatosEstacion d = Montar({{"A", 1000, 5300, 0}, {"B", 2200, 6300, 0}, {"C", 3100, 5000, 0}},
                             {{"A", 0.0, 0, 0, 0}, {"B", APB, 0, 0, 0}, {"C", APB + BPC, 0, 0, 0}});
    const ResultadoEstacion r = CalcularEstacion(d);
    ASSERT_TRUE(r.ok) << r.aviso;
    EXPECT_NEAR(r.estacion.X, 2128.3903, 0.001);
    EXPECT_NEAR(r.estacion.Y, 5578.1443, 0.001);
    EXPECT_EQ(r.redundancia, 0);
    EXPECT_FALSE(r.conZ);
    const TextosEstacion t = TextosResultadoEstacion(r);
    EXPECT_EQ(t.sigma0 + t.prueba + t.Z, "");
}

TEST(EstacionLibre, SinErroresDevuelveLaEstacion)
{
    struct Caso {
        const char* nombre;
        std::vector<std::pair<double, double>> visuales;
        bool escala;
        int redundancia;
    };
    const std::vector<Caso> casos = {
        {"dos distancias", {{30.0, 120.0}, {170.0, 85.0}}, false, 1},
        {"escala libre", {{30.0, 120.0}, {170.0, 85.0}, {260.0, 140.0}}, true, 2},
        {"intersección inversa de tres", {{10.0, 0}, {140.0, 0}, {290.0, 0}}, false, 0},
        {"cinco direcciones y una distancia", {{10.0, 0}, {80.0, 0}, {140.0, 60.0}, {220.0, 0}, {330.0, 0}}, false, 3},
    };
    for (const Caso& c : casos) {
        DatosEstacion d = Generada(S, 123.4567, c.visuales);
        d.escalaLibre = c.escala;
        const ResultadoEstacion r = CalcularEstacion(d);
        ASSERT_TRUE(r.ok) << c.nombre << ": " << r.aviso;
        EXPECT_NEAR(r.estacion.X, S.x, 1e-4) << c.nombre;
        EXPECT_NEAR(r.estacion.Y, S.y, 1e-4) << c.nombre;
        EXPECT_NEAR(r.estacion.Z, S.z, 1e-4) << c.nombre;
        EXPECT_NEAR(r.orientacion, 123.4567, 1e-6) << c.nombre;
        EXPECT_NEAR(r.escala, 1.0, 1e-9) << c.nombre;
        EXPECT_EQ(r.redundancia, c.redundancia) << c.nombre;
        EXPECT_NEAR(r.sigma0, 0.0, 1e-4) << c.nombre;
        const TextosEstacion t = TextosResultadoEstacion(r);
        EXPECT_EQ(t.prueba.empty(), c.redundancia == 0) << c.nombre;
        EXPECT_EQ(t.residuos.size(), c.visuales.size()) << c.nombre;
    }
    // On the known station the same sights give the orientation and zero residuals; a missing
    // height of the base is taken from the sights.
    DatosEstacion d = Generada(S, 321.0, {{50.0, 90.0}, {150.0, 0}, {350.0, 70.0}});
    d.libre = false;
    d.estacion = {"E", S.x, S.y, 0.0};
    const ResultadoEstacion r = CalcularEstacion(d);
    ASSERT_TRUE(r.ok);
    EXPECT_NEAR(r.orientacion, 321.0, 1e-7);
    EXPECT_NEAR(r.estacion.Z, S.z, 1e-6);
    EXPECT_EQ(r.redundancia, 4);
    for (const ResiduoEstacion& x : r.residuos)
        EXPECT_NEAR(*x.vHz, 0.0, 1e-8);
}

TEST(EstacionLibre, ErrorGroseroSeSenalaEnSuDireccion)
{
    for (size_t mala = 0; mala < 6; ++mala) {
        DatosEstacion d =
            Generada(S, 57.0, {{15.0, 80.0}, {75.0, 0}, {130.0, 110.0}, {205.0, 0}, {270.0, 95.0}, {335.0, 0}});
        d.visuales[mala].Hz += 0.0100; // 100 cc, six times the direction's sigma
        const ResultadoEstacion r = CalcularEstacion(d);
        ASSERT_TRUE(r.ok);
        EXPECT_FALSE(r.chi2Aceptada);
        for (size_t k = 0; k < r.residuos.size(); ++k)
            EXPECT_EQ(r.residuos[k].sospechosa, k == mala) << mala << " " << k << " w " << r.residuos[k].w;
    }
}

TEST(EstacionLibre, Rechazos)
{
    // Bases on the circle of radius 100 round (5100, 3000), which passes through S: directions
    // alone cannot fix the station, a distance can.
    std::vector<std::pair<double, double>> circulo;
    for (double az : {30.0, 90.0, 160.0}) // chords from S: azimuth az, reduced length 200 sin(az)
        circulo.emplace_back(az, 200.0 * std::sin(az * G) / std::sin(98.0 * G));
    DatosEstacion d = Generada(S, 0.0, circulo);
    EXPECT_TRUE(CalcularEstacion(d).ok);
    for (VisualEstacion& v : d.visuales)
        v.Dg.reset();
    EXPECT_EQ(CalcularEstacion(d).aviso, MSG_CIRCUNFERENCIA_PELIGROSA);
    d.visuales[0].Hz += 0.0001; // 1 cc off the circle is still refused
    EXPECT_EQ(CalcularEstacion(d).aviso, MSG_CIRCUNFERENCIA_PELIGROSA);

    struct Caso {
        std::vector<std::pair<double, double>> visuales;
        bool libre;
        std::string aviso;
    };
    for (const Caso& c : {Caso{{{10.0, 0}, {150.0, 0}}, true, MSG_FALTAN_OBSERVACIONES},
                          Caso{{{10.0, 50.0}, {150.0, 0}}, true, MSG_FALTAN_OBSERVACIONES},
                          Caso{{}, false, MSG_FALTAN_OBSERVACIONES}}) {
        DatosEstacion x = Generada(S, 0.0, c.visuales);
        x.libre = c.libre;
        const ResultadoEstacion r = CalcularEstacion(x);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.aviso, c.aviso);
        EXPECT_EQ(TextosResultadoEstacion(r).X, "");
    }
    d.visuales[1].punto = "Z9";
    EXPECT_EQ(CalcularEstacion(d).aviso, "El punto «Z9» no está en la lista de bases.");
}

TEST(EstacionLibre, TextosDeLaVentana)
{
    EntradaEstacion e;
    e.bases = {"A", "", "1000", "2000", "100", "", "B", "", "1100", "2000", "100", ""};
    e.filas = {{"A", "300", "100", "50", "0"}, {"B", "100", "", "50,0", ""}, {"", "1", "1", "1", "1"}};
    e.sigmaAngular = "x";
    const DatosEstacion d = LeerEntradaEstacion(e);
    ASSERT_EQ(d.visuales.size(), 2u);
    EXPECT_FALSE(d.visuales[1].V);
    EXPECT_EQ(d.nombre, "EL-1");
    EXPECT_EQ(d.precision.DireccionCC, PrecisionApriori{}.DireccionCC);
    const ResultadoEstacion r = CalcularEstacion(d);
    const TextosEstacion t = TextosResultadoEstacion(r);
    EXPECT_EQ(ExportarBasesEstacion(d, r), "\"A\",\"1000.000\",\"2000.000\",\"100.000\"\r\n\"B\",\"1100.000\","
                                           "\"2000.000\",\"100.000\"\r\n\"EL-1\",\"1050.000\",\"2000.000\",\"100.000\"\r\n");
    const std::vector<std::string> informe = FilasInformeEstacion(d, r);
    EXPECT_NE(std::find(informe.begin(), informe.end(), "Grados de libertad : 1"), informe.end());
    EXPECT_EQ(t.X, "1050.000");
    EXPECT_EQ(t.Y, "2000.000");
    EXPECT_EQ(t.orientacion, "0.0000");
    EXPECT_EQ(t.escala, "1.000000");
    EXPECT_EQ(t.residuos[0], "A               0.0      0.0      0.0    0.00");

    const auto filas = LeerObservacionesEstacion("A,300,100,100,1.5\r\n\"B 2\",100,,50,0\r\n7,1", 12);
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(filas[1].punto, "B 2");
    EXPECT_EQ(filas[1].V, "");
    EXPECT_EQ(LeerObservacionesEstacion("A,1,2,3,4,B,1,2,3,4", 1).size(), 1u);
}
