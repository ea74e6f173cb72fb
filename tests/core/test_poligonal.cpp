// The traverse computations without the sheet: indicators, chaining, the
// list of points, the relative survey, the closure and the traverse files.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "core/modFuncionesTopo.h"
#include "traverse/Poligonal.h"

namespace {

constexpr double G = M_PI / 200.0; // grads to radians, at full precision
constexpr double R_TIERRA = 6371064.0;

class ConK {
public:
    explicit ConK(double k) : anterior_(KRefraccion) { KRefraccion = k; }
    ~ConK() { KRefraccion = anterior_; }

private:
    double anterior_;
};

void Poner(objEstacion& e, std::initializer_list<std::pair<int, double>> valores)
{
    for (const auto& [k, v] : valores)
        e.Slot(k) = v;
}

// A station whose faces agree perfectly: back sight Hz o, forward Hz v,
// zenith V, slope distance Dg both ways, heights i, m, i', m'.
objEstacion Estacion(double o, double v, double V, double Dg, double i = 1.5, double m = 1.5, double ir = 1.5,
                     double mr = 1.5)
{
    objEstacion e;
    Poner(e, {{1, o}, {2, o + 200.0}, {3, v}, {4, v + 200.0}, {5, V}, {6, 400.0 - V}, {7, Dg}, {8, i}, {9, m},
              {10, 200.0 - V}, {11, 200.0 + V}, {12, Dg}, {13, ir}, {14, mr}});
    return e;
}

void EsperarPunto(const objPto& p, double x, double y, double z, double tolerancia)
{
    EXPECT_NEAR(p.X, x, tolerancia);
    EXPECT_NEAR(p.Y, y, tolerancia);
    EXPECT_NEAR(p.Z, z, tolerancia);
}

} // namespace

TEST(PoligonalIndicadores, BarrasTruncanEtiquetasRedondean)
{
    int barra = -1;
    for (auto [valor, esperada] : {std::pair{39.0625, 39}, {99.9999, 99}, {100.0, 100}, {5000.0, 100}}) {
        EXPECT_TRUE(BarraAcotada(valor, barra));
        EXPECT_EQ(barra, esperada) << valor;
    }
    barra = 7;
    EXPECT_FALSE(BarraAcotada(std::nan(""), barra));
    EXPECT_EQ(barra, 7);

    objEstacion e;
    Poner(e, {{2, 200.00390625}, {4, 200.00390625}});
    auto texto = [](const Indicador& i) {
        return (i.valido ? "" : "no valido ") + std::to_string(i.barra) + " " + i.etiqueta;
    };
    EXPECT_EQ(texto(IndicadorAcimutal(e)), "39 0.0039");
    // The larger of the two pairs is shown; half a grad fills the bar.
    e.Slot(4) = 199.5;
    EXPECT_EQ(texto(IndicadorAcimutal(e)), "100 0.5000");
    Poner(e, {{5, 99.99609375}, {6, 300.0}, {10, 100.0}, {11, 300.0012}});
    EXPECT_EQ(texto(IndicadorCenital(e)), "39 0.0039");
    objEstacion d;
    Poner(d, {{19, 125.3759}, {20, 125.3}, {21, 100.0}, {22, 100.0126}});
    EXPECT_EQ(texto(IndicadorDistancias(d)), "75 0.076");
    EXPECT_EQ(texto(IndicadorCotas(d)), "12 0.013");

    // The error index adds angles (both horizontal pairs, summed) to distances and heights.
    objEstacion f;
    Poner(f, {{2, 200.0}, {4, 200.0}, {5, 100.0}, {6, 300.0}, {10, 100.0}, {11, 300.0}, {19, 10.0625}, {20, 10.0},
              {21, 5.0}, {22, 5.03125}});
    EXPECT_DOUBLE_EQ(IndiceError(f), 32.8125);
    Poner(f, {{2, 200.001}, {4, 199.999}, {19, 0.0}, {20, 0.0}, {21, 0.0}, {22, 0.0}});
    EXPECT_NEAR(IndiceError(f), 0.4 * 0.002 * 10000.0, 1e-9);
}

TEST(PoligonalEntradas, TextosDeLasCajas)
{
    objEstacion e;
    Poner(e, {{5, 99.87654}, {7, 125.4567}});
    // The last station shows its unset values as empty boxes, box 1 excepted.
    for (auto [k, texto] : {std::pair{1, "0.0000"}, {2, ""}, {8, ""}, {5, "99.8765"}, {7, "125.457"}})
        EXPECT_EQ(TextoObservacion(e, k, true), texto) << k;
    // Earlier stations show every value.
    EXPECT_EQ(TextoObservacion(e, 2, false), "0.0000");
    EXPECT_EQ(TextoObservacion(e, 14, false), "0.000");

    std::array<std::string, 15> t;
    t.fill("1,5");
    t[0] = "E-2";
    EXPECT_TRUE(DatosValidos(t));
    t[0] = "";
    EXPECT_FALSE(DatosValidos(t));
    t[0] = "E-2";
    for (const char* malo : {"", ".", "1.2.3", "abc"}) {
        t[9] = malo;
        EXPECT_FALSE(DatosValidos(t)) << malo;
    }

    EXPECT_EQ(TextoMediaPar(true, "399.99", "199.98"), "399.9850");
    EXPECT_EQ(TextoMediaPar(false, "99.99", "300.03"), "99.9800");
    EXPECT_EQ(TextoMediaPar(true, "100", "") + TextoMediaPar(false, ".", "300"), "");
}

TEST(PoligonalEncadenado, TresEstacionesCalculadasAMano)
{
    ConK k(0.5);
    colEstaciones col;
    col.push_back(Estacion(0.0, 100.0, 100.0, 50.0));
    col.push_back(Estacion(10.0, 160.0, 98.0, 80.0, 1.5, 1.6, 1.4, 1.3));
    col.push_back(Estacion(0.0, 250.0, 101.0, 60.0));
    col[0].objBE = {"P-2", 1000.0, 1000.0, 100.0};
    col[0].objBO = {"P-1", 1000.0, 1100.0, 0.0};
    col[0].objBV.N = "E-1", col[1].objBV.N = "E-2", col[2].objBV.N = "E-3";
    col[0].Radiar();
    PropagarBases(col, 1);

    // Station 1: due east 50 m, level.
    EsperarPunto(col[0].objBV, 1050.0, 1000.0, 100.0, 1e-9);
    // Station 2 stands on E-1 and looks back at P-2 (azimuth 300).
    EXPECT_EQ(col[1].objBE.N, "E-1");
    EXPECT_EQ(col[1].objBO.N, "P-2");
    const double az2 = 300.0 + 160.0 - 10.0 - 400.0;
    const double dr2 = 80.0 * std::sin(98.0 * G);
    const double x2 = 1050.0 + dr2 * std::sin(az2 * G);
    const double y2 = 1000.0 + dr2 * std::cos(az2 * G);
    const double zDir = 100.0 + 80.0 * std::cos(98.0 * G) + 1.5 - 1.6;
    const double zRec = 100.0 - (80.0 * std::cos(102.0 * G) + 1.4 - 1.3);
    const double z2 = (zDir + zRec) / 2.0;
    EsperarPunto(col[1].objBV, x2, y2, z2, 1e-6);
    // Station 3: back sight on E-1, whose azimuth from E-2 is az2 + 200.
    EXPECT_EQ(col[2].objBE.N, "E-2");
    EXPECT_EQ(col[2].objBO.N, "E-1");
    const double az3 = std::fmod(az2 + 200.0 + 250.0, 400.0);
    const double dr3 = 60.0 * std::sin(101.0 * G);
    EsperarPunto(col[2].objBV, x2 + dr3 * std::sin(az3 * G), y2 + dr3 * std::cos(az3 * G),
                 z2 + 60.0 * std::cos(101.0 * G), 1e-6);

    // A correction at station 1 moves every later point by the same shift.
    const double x3 = col[2].objBV.X;
    col[0].Slot(7) = col[0].Slot(12) = 52.0;
    col[0].Radiar();
    PropagarBases(col, 1);
    EXPECT_NEAR(col[1].objBE.X, 1052.0, 1e-9);
    EXPECT_NEAR(col[2].objBV.X, x3 + 2.0, 1e-6);
}

TEST(PoligonalListaBases, SeisFilasPorPuntoSinLaUltimaVisada)
{
    const objPto BE{"P-2", 1000.0, 1000.0, 100.0};
    const objPto BO{"P-1", 1000.0, 1100.0, -3.25};
    colEstaciones col(3);
    col[0].objBV = {"E-1", 1050.0004, 999.9996, 100.5};
    col[1].objBV = {"E-2", 1.0, 2.0, 3.0};
    col[2].objBV = {"E-3", 9.0, 9.0, 9.0};
    const std::vector<std::string> esperado = {"P-1 [V. salida BO]", "", "1000.000", "1100.000", "-3.250", "",
                                               "P-2 [V. salida BE]", "", "1000.000", "1000.000", "100.000", "",
                                               "E-1", "", "1050.000", "1000.000", "100.500", "",
                                               "E-2", "", "1.000", "2.000", "3.000", ""};
    EXPECT_EQ(FilasListaBases(BE, BO, col), esperado);
    EXPECT_EQ(FilasListaBases(BE, BO, colEstaciones(1)).size(), 12u);
}

TEST(PoligonalRelativo, OrientacionAlNorteDeLaEstacion)
{
    const std::array<std::string, 4> be = {"P-2", "1000.000", "1000.000", "100.000"};
    std::array<std::string, 10> obs = {"100", "", "100", "1.5", "1.5", "100", "", "100", "1.5", "1.5"};
    {
        ConK k(0.08);
        const VerticeRelativo r = CalcularVerticeRelativo(obs, be);
        ASSERT_TRUE(r.valido);
        EXPECT_EQ(r.X + " " + r.Y + " " + r.Z + " " + r.DifDistancias, "1000.000 1100.000 100.000 0.000");
        // Twice the curvature term for 100 m: 0.00132 m.
        EXPECT_EQ(r.DifCotas, Formatear(2.0 * 0.84 * 100.0 * 100.0 / (2.0 * R_TIERRA), 3));
    }
    // Reverse faces are used when present; heights and distances differ.
    ConK k(0.5);
    obs = {"99.5", "300.52", "120.5", "1.55", "1.7", "100.49", "299.53", "120.52", "1.6", "1.45"};
    const double V1 = 99.5 + (400.0 - (99.5 + 300.52)) / 2.0;
    const double V2 = 100.49 + (400.0 - (100.49 + 299.53)) / 2.0;
    const double dr1 = 120.5 * std::sin(V1 * G);
    const double dr2 = 120.52 * std::sin(V2 * G);
    const double z1 = 100.0 + 120.5 * std::cos(V1 * G) + 1.55 - 1.7;
    const double z2 = 100.0 - (120.52 * std::cos(V2 * G) + 1.6 - 1.45);
    const VerticeRelativo r = CalcularVerticeRelativo(obs, be);
    ASSERT_TRUE(r.valido);
    EXPECT_EQ(r.X, "1000.000");
    EXPECT_EQ(r.Y, Formatear(1000.0 + (dr1 + dr2) / 2.0, 3));
    EXPECT_EQ(r.Z, Formatear((z1 + z2) / 2.0, 3));
    EXPECT_EQ(r.DifDistancias, Formatear(std::fabs(dr2 - dr1), 3));
    EXPECT_EQ(r.DifCotas, Formatear(std::fabs(z2 - z1), 3));

    // Any required field missing, or an incomplete station vertex: nothing.
    obs[7] = "";
    EXPECT_FALSE(CalcularVerticeRelativo(obs, be).valido);
    obs[7] = "120.52";
    obs[1] = "x"; // the optional reverse faces are not required
    EXPECT_TRUE(CalcularVerticeRelativo(obs, be).valido);
    EXPECT_FALSE(CalcularVerticeRelativo(obs, {"A", "1", "", "3"}).valido);

    // A pasted negative coordinate is a number; all typed decimals are kept.
    const objPto p = LeerVertice({"P-9", "-5", "1000,12345", "7"});
    EXPECT_EQ(p.N, "P-9");
    EXPECT_EQ(p.X, -5.0);
    EXPECT_DOUBLE_EQ(p.Y, 1000.12345);
}

TEST(PoligonalCierre, ErroresContraLosVerticesDeLlegada)
{
    const objPto BE{"P-2", 1000.0, 1000.0, 100.0};
    const objPto BO{"P-1", 1000.0, 1100.0, 0.0};
    colEstaciones col(3);
    Poner(col[0], {{15, 10.0}, {16, 110.0}});
    Poner(col[1], {{15, 5.0}, {16, 205.0}});
    Poner(col[2], {{15, 0.0}, {16, 250.0123}});
    col[2].objBE = {"E-2", 1200.0, 950.0, 104.0};
    // Carried by hand: 0 + 100 + 200 + 250.0123 (three stations add 400 net).
    EXPECT_NEAR(AcimutArrastrado(BE, BO, col), 150.0123, 1e-9);

    // Arrival vertices: PE 2 cm east and 1 cm north of the carried point;
    // the known closing azimuth from PE to PV is exactly 150.
    const objPto PE{"P-9", 1200.02, 950.01, 103.995};
    const objPto PV{"P-8", PE.X + 100.0 * std::sin(150.0 * G), PE.Y + 100.0 * std::cos(150.0 * G), 0.0};
    const ErroresCierre e = CalcularErroresCierre(BE, BO, col, PE, PV);
    EXPECT_NEAR(e.EA, -0.0123, 1e-7);
    EsperarPunto({"", e.EX, e.EY, e.EZ}, 0.02, 0.01, -0.005, 1e-9);
    EXPECT_NEAR(e.ED, std::hypot(0.02, 0.01), 1e-9);

    // Across the zero direction the short way round is taken.
    const double af = std::atan2(0.0002, 100.0) / G; // just east of north
    col[2].Slot(16) = 99.999;                         // carried 399.999
    EXPECT_NEAR(CalcularErroresCierre(BE, BO, col, PE, {"N", PE.X + 0.0002, PE.Y + 100.0, 0.0}).EA, af + 0.001, 1e-7);
    col[2].Slot(16) = 100.001; // carried 0.001
    EXPECT_NEAR(AcimutArrastrado(BE, BO, col), 0.001, 1e-7);
    EXPECT_NEAR(CalcularErroresCierre(BE, BO, col, PE, {"N", PE.X - 0.0002, PE.Y + 100.0, 0.0}).EA, -af - 0.001, 1e-7);
}

TEST(PoligonalFicheros, EscribirYLeer)
{
    for (auto [v, t] : {std::pair{-0.0, "0"}, {-3.25, "-3.25"}, {0.1, "0.1"}, {2.0 / 3.0, "0.666666666666667"},
                        {123456.789012345678, "123456.789012346"}})
        EXPECT_EQ(NumeroPol(v), t) << t;

    const objPto BE{"P-2", 1000.5, 2000.0, 100.0};
    const objPto BO{"A,B", 1000.0, 2100.25, 0.0};
    colEstaciones col(2);
    col[0].objBE = BE;
    col[0].objBO = BO;
    col[0].objBV = {"E-1", 1050.123, 2000.0, 101.5};
    col[1].objBE = col[0].objBV;
    col[1].objBO = BE;
    for (int k = 1; k <= 23; ++k)
        col[0].Slot(k) = k + 0.25;
    col[1].Slot(7) = 1e-5;
    const std::string texto = EscribirPol(BE, BO, col);
    EXPECT_EQ(texto.rfind("\"P-2\",1000.5,2000,100\r\n\"A,B\",1000,2100.25,0\r\n\"P-2\",1000.5,2000,100\r\n", 0), 0u);
    size_t lineas = 0;
    for (size_t p = texto.find("\r\n"); p != std::string::npos; p = texto.find("\r\n", p + 2))
        ++lineas;
    EXPECT_EQ(lineas, 2u + 4u * 2u);
    EXPECT_NE(texto.find("\r\n1.25,2.25,3.25,"), std::string::npos);
    EXPECT_NE(texto.find("\r\n0,0,0,0,0,0,1e-05,0,"), std::string::npos);

    const LecturaPol l = LeerPol(texto);
    ASSERT_TRUE(l.ok) << l.error;
    EXPECT_EQ(l.BO.N, "A,B");
    ASSERT_EQ(l.estaciones.size(), 2u);
    EXPECT_EQ(l.estaciones[0].objBV.X, 1050.123);
    EXPECT_EQ(l.estaciones[1].Slot(7), 1e-5);
    EXPECT_EQ(EscribirPol(l.BE, l.BO, l.estaciones), texto);
}

TEST(PoligonalFicheros, FicherosEscritosAMano)
{
    // LF ends, blank lines, blanks before fields, exponents, a decimal comma
    // inside quotes, empty fields.
    std::string texto = "\"P-2\", 1E3 ,2000,100\n\n\"P-1\",1000,\"2100,5\",0\n"
                        "\"P-2\",1000,2000,100\r\n\"P-1\",1000,2100,0\r\n\"E 1\",1,2,3\r\n";
    for (int k = 1; k <= 23; ++k)
        texto += (k == 1 ? "" : ",") + std::string(k == 7 ? "1.5d2" : (k == 9 ? "" : "1"));
    texto += "\r\n\r\n\n";
    const LecturaPol l = LeerPol(texto);
    ASSERT_TRUE(l.ok) << l.error;
    EXPECT_EQ(l.BE.X, 1000.0);
    EXPECT_EQ(l.BO.Y, 2100.5);
    ASSERT_EQ(l.estaciones.size(), 1u);
    EXPECT_EQ(l.estaciones[0].objBV.N, "E 1");
    EXPECT_EQ(l.estaciones[0].Slot(7), 150.0);
    EXPECT_EQ(l.estaciones[0].Slot(9), 0.0);
    EXPECT_EQ(l.estaciones[0].Slot(23), 1.0);

    // Only the two starting vertices: a traverse without stations.
    const LecturaPol vertices = LeerPol("\"A\",1,2,3\r\n\"B\",4,5,6\r\n");
    EXPECT_TRUE(vertices.ok);
    EXPECT_TRUE(vertices.estaciones.empty());
    // A last station short of fields, a file cut in a vertex, an unclosed quote, an empty file.
    EXPECT_FALSE(LeerPol(texto.substr(0, texto.rfind(",1,1"))).error.empty());
    for (const char* malo : {"\"A\",1,2", "\"A,1,2,3\r\n", ""})
        EXPECT_FALSE(LeerPol(malo).ok) << malo;
}

TEST(PoligonalFicheros, ExportacionEInforme)
{
    const objPto BE{"P-2", 1000.5, 2000.0, 100.0};
    const objPto BO{"P-1", 1000.0, 2100.0, 0.0};
    colEstaciones col(1);
    const std::string vertices =
        "\"P-2\",\"1000.500\",\"2000.000\",\"100.000\"\r\n\"P-1\",\"1000.000\",\"2100.000\",\"0.000\"\r\n";
    EXPECT_EQ(EscribirExportacion(BE, BO, col), vertices);
    col.resize(3);
    col[0].objBV = {"E-1", 1.23456, -2.0, 3.0};
    col[1].objBV = {"E-2", 4.0, 5.0, 6.0};
    col[2].objBV = {"E-3", 7.0, 8.0, 9.0};
    EXPECT_EQ(EscribirExportacion(BE, BO, col), vertices + "\"E-1\",\"1.235\",\"-2.000\",\"3.000\"\r\n"
                                                           "\"E-2\",\"4.000\",\"5.000\",\"6.000\"\r\n");
    EXPECT_EQ(EscribirInforme({"A [V. salida BO]", "", "1.000"}), "A [V. salida BO]\r\n\r\n1.000\r\n");
}

TEST(PoligonalEjemplo, CierraSobreSusVerticesDeLlegada)
{
    // The sample traverse a new user opens: six stations from P-2 to P-9,
    // closed on P-9 with a sight to P-8 to about a centimetre.
    std::ifstream f(std::string(CV_EJEMPLOS) + "/poligonal.pol", std::ios::binary);
    ASSERT_TRUE(f.good());
    const std::string texto((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    LecturaPol pol = LeerPol(texto);
    ASSERT_TRUE(pol.ok) << pol.error;
    ASSERT_EQ(pol.estaciones.size(), 6u);
    const ConK k(0.08);
    pol.estaciones.front().objBE = pol.BE;
    pol.estaciones.front().objBO = pol.BO;
    pol.estaciones.front().Radiar();
    PropagarBases(pol.estaciones, 1);
    const objPto llegada{"P-9", 452866.505, 4481344.772, 624.733};
    const objPto visado{"P-8", 452912.840, 4481478.361, 630.118};
    const ErroresCierre e = CalcularErroresCierre(pol.BE, pol.BO, pol.estaciones, llegada, visado);
    EXPECT_LT(std::fabs(e.EA), 0.001);
    EXPECT_LT(e.ED, 0.03);
    EXPECT_LT(std::fabs(e.EZ), 0.03);
    EXPECT_EQ(pol.estaciones.back().objBE.N, "P-9");
}
