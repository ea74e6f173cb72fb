// Levelling: a published level-network adjustment, the properties of the line
// computation, and the field book readers (text file and a digital level's
// GSI written by hand from the format's public description).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/Ficheros.h"
#include "core/FicherosTexto.h"
#include "levelling/Nivelacion.h"

namespace {

FilaLibreta Fila(const char* p, const char* e, const char* f, const char* d)
{
    return {p, e, f, d, 0, 0};
}

} // namespace

TEST(NivelacionRed, EjemploGhilaniWolf12_1)
{
    // Ghilani & Wolf, "Adjustment Computations: Spatial Data Analysis", 4th ed.
    // (Wiley 2006), chapter 12, Example 12.1, as reworked in Krumm, "Geodetic
    // Network Adjustment Examples", rev. 3.5 (Universität Stuttgart 2020),
    // Example 2.1, pp. 6-9: A held at 437.596 m, six levelled differences with
    // standard deviations 6, 4, 5, 3, 4 and 12 mm. Weights 1/sigma^2 are those
    // of lines of sigma^2 km at 1 mm/sqrt(km), so each line's length is sigma^2
    // km. Published: B = 448.1087, C = 453.4685, D = 444.9436; v'Pv = 1.27212,
    // s0 = 0.6512; sigmas 2.30, 2.64, 1.76 mm; residuals (adjusted minus
    // observed) 3.71, -0.24, -1.86, 0.39, 1.89, -8.53 mm.
    const std::vector<TramoRed> tramos = {
        {"A", "B", 10.509, 36000.0}, {"B", "C", 5.360, 16000.0},  {"C", "D", -8.523, 25000.0},
        {"D", "A", -7.348, 9000.0},  {"B", "D", -3.167, 16000.0}, {"A", "C", 15.881, 144000.0},
    };
    const ResultadoRed r = CompensarRed(tramos, {{"A", 0.0, 0.0, 437.596}, {"Z", 0.0, 0.0, 1.0}}, 1.0);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.cotas.size(), 4u);
    const char* nombres[] = {"A", "B", "C", "D"};
    const double publicadas[] = {437.596, 448.1087, 453.4685, 444.9436};
    const double sigmas[] = {0.0, 2.30, 2.64, 1.76};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(r.cotas[i].nombre, nombres[i]);
        EXPECT_NEAR(r.cotas[i].cota, publicadas[i], 0.00006) << nombres[i];
        EXPECT_NEAR(r.cotas[i].sigma * 1000.0, sigmas[i], 0.006) << nombres[i];
    }
    const double residuos[] = {3.71, -0.24, -1.86, 0.39, 1.89, -8.53};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(r.residuos[i] * 1000.0, residuos[i], 0.006) << i;
    EXPECT_EQ(r.redundancia, 3);
    EXPECT_NEAR(r.vpv, 1.27212, 0.00001);
    EXPECT_NEAR(r.sigma0, 0.6512, 0.00006);
    EXPECT_TRUE(r.cotas[0].fija);
    // The chi-square test: v'Pv / 1^2 against chi2(0.95, 3) = 7.815.
    EXPECT_NEAR(r.chi2Critico, 7.815, 0.001);
    EXPECT_TRUE(r.aceptada);
}

TEST(NivelacionRed, ErroresYSinRedundancia)
{
    // Two lines from a benchmark to one point: the mean weighted by 1/L,
    // (2*10.000 + 1*10.006) / 3, and the sigma of a weighted mean.
    const ResultadoRed r = CompensarRed({{"BM", "P", 10.000, 1000.0}, {"BM", "P", 10.006, 2000.0}},
                                        {{"BM", 0, 0, 100.0}}, 2.0);
    ASSERT_TRUE(r.ok);
    EXPECT_NEAR(r.cotas[1].cota, 110.002, 1e-9);
    // v = (2, -4) mm: v'Pv = 4/1 + 16/2 = 12, sigma0 = sqrt(12); sigma = sigma0 sqrt(2/3).
    EXPECT_NEAR(r.sigma0, std::sqrt(12.0), 1e-9);
    EXPECT_NEAR(r.cotas[1].sigma * 1000.0, std::sqrt(12.0 * 2.0 / 3.0), 1e-9);

    const ResultadoRed sola = CompensarRed({{"BM", "P", 1.0, 4000.0}}, {{"BM", 0, 0, 0.0}}, 2.0);
    EXPECT_NEAR(sola.cotas[1].sigma, 0.004, 1e-12); // 2 mm x sqrt(4 km)
    EXPECT_EQ(TextoPrueba(sola), "Sin redundancia");
    EXPECT_FALSE(CompensarRed({{"X", "P", 1.0, 100.0}}, {{"BM", 0, 0, 0.0}}, 2.0).ok);
    const ResultadoRed suelto = CompensarRed({{"BM", "P", 1, 100}, {"Q", "R", 1, 100}}, {{"BM", 0, 0, 0}}, 2);
    EXPECT_EQ(suelto.error, "El punto «Q» no está unido a ninguna base.");
}

TEST(NivelacionLinea, PropiedadesDelReparto)
{
    // A loop of four set-ups of 100 m on a 100.000 m benchmark, and the same
    // line with unequal set-ups.
    std::vector<FilaLibreta> bucle = {Fila("BM", "1.500", "", ""), Fila("T1", "1.210", "0.800", "100"),
                                      Fila("I", "", "2.000", "40"),  Fila("T2", "0.950", "1.600", "100"),
                                      Fila("T3", "1.370", "1.420", "100"), Fila("BM", "", "1.207", "100")};
    OpcionesLinea o;
    o.cotaInicial = 100.0;
    o.conCotaFinal = true;
    o.cotaFinal = 100.0;
    for (bool iguales : {true, false}) {
        if (!iguales)
            bucle[3].distancia = "300";
        const ResultadoLinea d = CalcularLinea(bucle, o);
        o.reparto = RepartoCierre::Estaciones;
        const ResultadoLinea e = CalcularLinea(bucle, o);
        o.reparto = RepartoCierre::Distancias;
        ASSERT_TRUE(d.ok && e.ok) << d.error;
        EXPECT_EQ(d.estaciones, 4);
        EXPECT_NEAR(d.desnivel, 0.003, 1e-9); // sum of backsights minus foresights
        EXPECT_NEAR(d.cierre, 0.003, 1e-9);
        double suma = 0.0, anterior = 0.0;
        for (const PuntoNivelado& p : d.puntos) {
            if (!p.intermedio) {
                suma += p.correccion - anterior;
                anterior = p.correccion;
            }
        }
        EXPECT_NEAR(suma, -d.cierre, 1e-12);
        EXPECT_DOUBLE_EQ(d.puntos.back().cotaCompensada, 100.0);
        EXPECT_DOUBLE_EQ(e.puntos.back().cotaCompensada, 100.0);
        EXPECT_TRUE(d.puntos[2].intermedio);
        for (size_t i = 1; i + 1 < d.puntos.size(); ++i)
            EXPECT_EQ(std::fabs(d.puntos[i].correccion - e.puntos[i].correccion) < 1e-12, iguales) << i;
    }
    // 3 mm against 10 mm sqrt(0.6 km) = 7.7 mm; against 3 mm sqrt(0.6 km), out.
    EXPECT_NEAR(CalcularLinea(bucle, o).tolerancia, 0.010 * std::sqrt(0.6), 1e-12);
    EXPECT_EQ(Veredicto(CalcularLinea(bucle, o)), "Dentro de tolerancia");
    o.k = 3.0;
    EXPECT_EQ(Veredicto(CalcularLinea(bucle, o)), "Fuera de tolerancia");
    o.conCotaFinal = false;
    EXPECT_EQ(Veredicto(CalcularLinea(bucle, o)), "");
}

TEST(NivelacionLibreta, FicheroDeTextoYFilasMalas)
{
    const LecturaNivel r = LeerLibretaNivel("punto,espalda,frente,distancia\r\n"
                                         "BM1,1.234,,\r\n"
                                         "A,0.5x0,1.111,80.5\r\n"  // 3: not a number
                                         "T1,2.000,0.765,60\r\n"
                                         "T2,1.500,,\r\n"          // 5: backsight, next row no foresight
                                         "T3,1.100,1.300,50\r\n"   // 6: no foresight reached it
                                         "BM2,,1.050,70\r\n"
                                         "X,1.2,1.3,10\r\n");      // 8: backsight with nothing after
    std::vector<std::string> puntos;
    for (const FilaLibreta& f : r.filas)
        puntos.push_back(f.punto + " " + f.espalda + " " + f.frente + " " + f.distancia);
    // T1's backsight is followed by T2, which no foresight reached.
    EXPECT_EQ(puntos, (std::vector<std::string>{"BM1 1.234  ", "T1  0.765 60", "T3 1.100 1.300 50", "BM2  1.050 70",
                                                "X  1.3 10"}));
    std::vector<long> lineas;
    for (const LineaNoLeida& l : r.noLeidas)
        lineas.push_back(l.linea);
    EXPECT_EQ(lineas, (std::vector<long>{3, 4, 5, 8}));
    EXPECT_EQ(r.noLeidas[0].motivo, "la espalda «0.5x0» no es un número");
    EXPECT_EQ(r.noLeidas[1].motivo, "espalda sin frente que la siga");
    EXPECT_EQ(r.noLeidas[2].motivo, "espalda en un punto al que no llegó ningún frente");
    EXPECT_EQ(MensajeNoLeidas(r.noLeidas).rfind("No se pudieron leer 4 líneas", 0), 0u);
}

TEST(NivelacionLibreta, DescargaGsiDeNivelDigital)
{
    // A line BM1 - TP - BM2 with an intermediate sight on P: words 11, 32 and
    // 331/332/333, unit 8 (1/100 mm), 6 (1/10 mm), 0 (1 mm) and 1 (US foot,
    // 1/1000 ft) in GSI-8 and GSI-16, with the code, height and result lines
    // a level writes in between.
    const std::string gsi = "410001+?......1\r\n"
                            "110002+0000BM01 83..58+10000000\r\n"
                            "110003+0000BM01 32...8+02500000 331.08+00145000\r\n"
                            "*110004+000000000000000P 32...6+0000000000123000 333.06+0000000000021000\r\n"
                            "110005+000000TP 32...0+00024000 332.00+00000820\r\n"
                            "110006+000000TP 32...8+02000000 331.08+00132000\r\n"
                            "110007+000000TP 32...8+02000000 336.08+00132010\r\n"
                            "110008+0000BM02 32...1+00100000 332.01+00005000\r\n"
                            "110009+0000BM02 573..8+00000000 83..08+10000000\r\n"
                            "110010+0000BM03 32...8+0200X000 332.08+00132000\r\n";
    ASSERT_TRUE(PareceGsi(gsi));
    EXPECT_FALSE(PareceGsi("BM1,1.234,,\r\n"));
    const LecturaNivel r = LeerLibretaNivelGsi(gsi);
    std::vector<std::string> filas;
    for (const FilaLibreta& f : r.filas)
        filas.push_back(f.punto + " " + f.espalda + " " + f.frente + " " + f.distancia);
    // 100 US ft = 30.480061 m; 5 US ft = 1.524003 m; readings to 0.01 mm.
    EXPECT_EQ(filas, (std::vector<std::string>{"BM01 1.45000  ", "P  2.10000 37.300", "TP 1.32000 0.82000 49.000",
                                               "BM02  1.52400 50.480"}));
    ASSERT_EQ(r.noLeidas.size(), 1u);
    EXPECT_EQ(r.noLeidas[0].linea, 10);
    EXPECT_EQ(r.noLeidas[0].motivo, "la palabra 32 no es un número");
}

TEST(NivelacionSalida, RedYBases)
{
    const LecturaRed red = LeerRed("A,B,1.5,1000\r\nA,B,x,10\r\nA,A,1,1\r\nB,C,-0.25,500,\r\nC,D,1\r\n");
    ASSERT_EQ(red.tramos.size(), 2u);
    EXPECT_EQ(red.tramos[1].hasta, "C");
    EXPECT_DOUBLE_EQ(red.tramos[1].desnivel, -0.25);
    EXPECT_EQ(red.noLeidas.size(), 3u);

    std::string salida, error;
    int cambiadas = -1;
    const std::vector<CotaRed> cotas = {{"B", false, 11.5, 0}, {"A", true, 10.0, 0}, {"C", false, 9.0, 0}};
    ASSERT_TRUE(ActualizarCotasBases("\"A\",\"1\",\"2\",\"10\"\r\n\"B\",\"3\",\"4\",\"0\"\r\n", cotas, salida,
                                     cambiadas, error));
    EXPECT_EQ(cambiadas, 1);
    EXPECT_NE(salida.find("\"B\",\"3.000\",\"4.000\",\"11.500\""), std::string::npos) << salida;
    EXPECT_FALSE(ActualizarCotasBases("\"A\",\"1\"", cotas, salida, cambiadas, error));
}

TEST(NivelacionSalida, EjemplosDelPrograma)
{
    // The sample loop as a text field book and as the level's download: the
    // same heights; and the sample network on the sample job's bases.
    std::string txt, gsi, red, bases;
    for (const auto& [nombre, texto] : {std::pair{"nivelacion.txt", &txt}, {"nivelacion.gsi", &gsi},
                                        {"nivelacion_red.txt", &red}, {"obra.bse", &bases}})
        ASSERT_TRUE(LeerFichero(std::string(CV_EJEMPLOS) + "/" + nombre, *texto).ok) << nombre;
    const LecturaNivel a = LeerLibretaNivel(txt), b = LeerLibretaNivelGsi(gsi);
    EXPECT_TRUE(a.noLeidas.empty() && b.noLeidas.empty());
    OpcionesLinea o;
    o.cotaInicial = o.cotaFinal = 652.418;
    o.conCotaFinal = true;
    const ResultadoLinea la = CalcularLinea(a.filas, o), lb = CalcularLinea(b.filas, o);
    ASSERT_TRUE(la.ok && lb.ok && la.puntos.size() == lb.puntos.size());
    for (size_t i = 0; i < la.puntos.size(); ++i)
        EXPECT_NEAR(la.puntos[i].cotaCompensada, lb.puntos[i].cotaCompensada, 1e-9) << i;
    EXPECT_NEAR(la.cierre, -0.002, 1e-9); // sum of backsights 5.145, of foresights 5.147
    const LecturaRed r = LeerRed(red);
    EXPECT_TRUE(r.noLeidas.empty());
    EXPECT_TRUE(CompensarRed(r.tramos, LeerListaBases(LeerBases(bases).filas), 2.0).ok);
}
