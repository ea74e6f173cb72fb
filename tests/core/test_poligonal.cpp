// The traverse computations without the sheet, one table per rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "Ayudantes.h"
#include "core/modFuncionesTopo.h"
#include "traverse/Poligonal.h"

namespace {

objEstacion Con(std::initializer_list<std::pair<int, double>> valores)
{
    objEstacion e;
    for (const auto& [k, v] : valores)
        e.Slot(k) = v;
    return e;
}

// Faces that agree perfectly: back sight Hz o, forward Hz v, zenith V, slope Dg both ways, heights 1.5.
objEstacion Estacion(double o, double v, double V, double Dg)
{
    return Con({{1, o}, {2, o + 200.0}, {3, v}, {4, v + 200.0}, {5, V}, {6, 400.0 - V}, {7, Dg}, {8, 1.5}, {9, 1.5},
                {10, 200.0 - V}, {11, 200.0 + V}, {12, Dg}, {13, 1.5}, {14, 1.5}});
}

// Rows written as one text, "|" between them.
std::vector<std::string> Filas(const std::string& texto)
{
    std::vector<std::string> filas(1);
    for (char c : texto)
        c == '|' ? filas.emplace_back() : (filas.back() += c);
    return filas;
}

void EsperarPunto(const objPto& p, double x, double y, double z, double tol)
{
    EXPECT_NEAR(p.X, x, tol);
    EXPECT_NEAR(p.Y, y, tol);
    EXPECT_NEAR(p.Z, z, tol);
}

const objPto P2{"P-2", 1000.0, 1000.0, 100.0};
const objPto P1{"P-1", 1000.0, 1100.0, 0.0};

} // namespace

TEST(Poligonal, IndicadoresTruncanLaBarraYRedondeanLaEtiqueta)
{
    int barra = 7;
    EXPECT_FALSE(BarraAcotada(std::nan(""), barra));
    EXPECT_EQ(barra, 7);
    for (const auto& [e, indicador, visto] : {
             std::tuple{Con({{2, 200.00390625}, {4, 200.00390625}}), &IndicadorAcimutal, "39 0.0039"},
             {Con({{2, 200.00390625}, {4, 199.5}}), IndicadorAcimutal, "100 0.5000"}, // the larger pair
             {Con({{5, 99.99609375}, {6, 300.0}, {10, 100.0}, {11, 300.0012}}), IndicadorCenital, "39 0.0039"},
             {Con({{19, 125.3759}, {20, 125.3}}), IndicadorDistancias, "75 0.076"},
             {Con({{21, 100.0}, {22, 100.0126}}), IndicadorCotas, "12 0.013"},
             {Con({{19, 5000.0}}), IndicadorDistancias, "100 5000.000"}}) {
        const Indicador i = indicador(e);
        EXPECT_EQ((i.valido ? "" : "no valido ") + std::to_string(i.barra) + " " + i.etiqueta, visto);
    }
    // The index adds the sums (not the maxima) of the face disagreements.
    objEstacion e = Con({{2, 200.0}, {4, 200.0}, {6, 400.0}, {11, 400.0}}); // faces perfect
    e.Slot(19) = 10.0625, e.Slot(20) = 10.0, e.Slot(21) = 5.0, e.Slot(22) = 5.03125;
    EXPECT_DOUBLE_EQ(IndiceError(e), 32.8125);
    EXPECT_NEAR(IndiceError(Con({{2, 200.001}, {4, 199.999}, {6, 400.0}, {11, 400.0}})), 0.4 * 0.002 * 1e4, 1e-9);
}

TEST(Poligonal, TextosDeLasCajasYDatosValidos)
{
    const objEstacion e = Con({{5, 99.87654}, {7, 125.4567}});
    for (auto [k, ultima, visto] : {std::tuple{1, true, "0.0000"}, {2, true, ""}, {8, true, ""}, {5, true, "99.8765"},
                                    {7, true, "125.457"}, {2, false, "0.0000"}, {14, false, "0.000"}})
        EXPECT_EQ(TextoObservacion(e, k, ultima), visto) << k;

    for (auto [nombre, valor, valido] : {std::tuple{"E-2", "1,5", true}, {"", "1.5", false}, {"E", "", false},
                                         {"E", ".", false}, {"E", "1.2.3", false}, {"E", "abc", false}}) {
        std::array<std::string, 15> t;
        t.fill("1.5");
        t[0] = nombre;
        t[9] = valor;
        EXPECT_EQ(DatosValidos(t), valido) << nombre << " " << valor;
    }
    for (auto [horizontal, d, r, media] : {std::tuple{true, "399.99", "199.98", "399.9850"},
                                           {false, "99.99", "300.03", "99.9800"}, {true, "100", "", ""}, {false, ".", "300", ""}})
        EXPECT_EQ(TextoMediaPar(horizontal, d, r), media) << d << " " << r;
}

TEST(Poligonal, PrimeraEstacionEncadenadoYNuevasEstaciones)
{
    ConK k(0.5);
    colEstaciones col;
    EXPECT_FALSE(AnadirEstacion(col)); // nothing to chain on
    PrimeraEstacion(col, P2, P1);
    ASSERT_EQ(col.size(), 1u);
    col[0] = Estacion(0.0, 100.0, 100.0, 50.0);
    PrimeraEstacion(col, P2, P1); // recomputed on the vertices: 50 m due east, level
    EsperarPunto(col[0].objBV, 1050.0, 1000.0, 100.0, 1e-9);
    // A new station stands on the last sighted point, looks back at the last
    // station point and takes the instrument height measured there for the
    // reciprocal observation (slot 13, not slot 8); every other slot is 0.
    for (double altura : {1.52, 0.0}) {
        col.back().Slot(13) = altura;
        col.back().Slot(8) = 9.9;
        ASSERT_TRUE(AnadirEstacion(col));
        const objEstacion& anterior = col[col.size() - 2];
        const objEstacion& n = col.back();
        EXPECT_EQ(n.objBE.N + n.objBO.N, anterior.objBV.N + anterior.objBE.N);
        EXPECT_EQ(n.objBE.X + n.objBO.Y, anterior.objBV.X + anterior.objBE.Y);
        for (int s = 1; s <= NUM_SLOTS; ++s)
            EXPECT_EQ(n.Slot(s), s == AlturaInstrumento ? altura : 0.0) << s;
    }
    col[1] = Estacion(10.0, 160.0, 98.0, 80.0);
    col[2] = Estacion(0.0, 250.0, 101.0, 60.0);
    PropagarBases(col, 1);
    // Station 2 on (1050, 1000) oriented on P-2, azimuth 300: forward 300 + 150 = 50.
    const double dr2 = 80.0 * std::sin(98.0 * G), x2 = 1050.0 + dr2 * std::sin(50.0 * G);
    EsperarPunto(col[1].objBV, x2, 1000.0 + dr2 * std::cos(50.0 * G), 100.0 + 80.0 * std::cos(98.0 * G), 1e-6);
    EXPECT_EQ(col[2].objBE.X, col[1].objBV.X);

    // New starting vertices 1 km east: station 1 takes them, every later station follows, in order.
    const double x3 = col[2].objBV.X;
    PrimeraEstacion(col, {"A", 2000.0, 1000.0, 100.0}, {"B", 2000.0, 1100.0, 0.0});
    EXPECT_EQ(col[0].objBE.N + col[0].objBO.N, "AB");
    PropagarBases(col, 1);
    EXPECT_NEAR(col[2].objBV.X, x3 + 1000.0, 1e-6);
    col.resize(MAX_ESTACIONES);
    EXPECT_FALSE(AnadirEstacion(col));
    EXPECT_EQ(col.size(), MAX_ESTACIONES);
}

TEST(Poligonal, FilasDeLaListaYDelCierre)
{
    colEstaciones col(3);
    col[0].objBV = {"E-1", 1050.0004, 999.9996, 100.5};
    col[1].objBV = {"E-2", 1.0, 2.0, 3.0};
    col[2].objBV = {"E-3", 9.0, 9.0, 9.0}; // still being observed: not listed
    const std::vector<std::string> lista = Filas("P-1 [V. salida BO]||1000.000|1100.000|0.000||P-2 [V. salida BE]||"
                                                 "1000.000|1000.000|100.000||E-1||1050.000|1000.000|100.500||E-2||"
                                                 "1.000|2.000|3.000|");
    EXPECT_EQ(FilasListaBases(P2, P1, col), lista);
    EXPECT_EQ(FilasListaBases(P2, P1, colEstaciones(1)), std::vector<std::string>(lista.begin(), lista.begin() + 12));

    // The closure rows keep the texts as typed.
    EXPECT_EQ(FilasCierre({"P-9", "12,5", "7", ""}, {"P-8", "1", "2", "3"}, {"-0.0012", "0.012", "-0.008", "0.004", "0.014"}),
              Filas("P-9 [V. llegada BE]||12,5|7|||P-8 [V. llegada Visado]||1|2|3||[ERRORES DE CIERRE]||"
                    "Error angular : -0.0012||Error en X : 0.012|Error en Y : -0.008|Error en Z : 0.004||"
                    "Error dist. : 0.014|"));
}

TEST(Poligonal, VerticeDeOrientacionPorLevantamientoRelativo)
{
    const std::array<std::string, 4> be = {"P-2", "1000.000", "1000.000", "100.000"};
    std::array<std::string, 10> obs = {"100", "", "100", "1.5", "1.5", "100", "", "100", "1.5", "1.5"};
    auto texto = [](const VerticeRelativo& r) {
        return r.X + " " + r.Y + " " + r.Z + " " + r.DifDistancias + " " + r.DifCotas;
    };
    ConK k(0.08); // the heights differ by twice the curvature term for 100 m
    EXPECT_EQ(texto(CalcularVerticeRelativo(obs, be)), "1000.000 1100.000 100.000 0.000 " + F3(0.84e4 / 6371064.0));
    const ConK conK(0.5);
    obs = {"99.5", "300.52", "120.5", "1.55", "1.7", "100.49", "299.53", "120.52", "1.6", "1.45"};
    const double V1 = 99.49, V2 = 100.48; // the reverse faces are used
    const double dr1 = 120.5 * std::sin(V1 * G), dr2 = 120.52 * std::sin(V2 * G);
    const double z1 = 100.0 + 120.5 * std::cos(V1 * G) + 1.55 - 1.7, z2 = 100.0 - (120.52 * std::cos(V2 * G) + 0.15);
    EXPECT_EQ(texto(CalcularVerticeRelativo(obs, be)), "1000.000 " + F3(1000.0 + (dr1 + dr2) / 2.0) + " " +
                                                           F3((z1 + z2) / 2.0) + " " + F3(std::fabs(dr2 - dr1)) + " " +
                                                           F3(std::fabs(z2 - z1)));
    // Every field but the reverse faces is needed, and a whole station vertex.
    for (auto [campo, valor, valido] : {std::tuple{7, "", false}, {0, ".", false}, {1, "x", true}, {6, "", true}}) {
        auto o = obs;
        o[static_cast<size_t>(campo)] = valor;
        EXPECT_EQ(CalcularVerticeRelativo(o, be).valido, valido) << campo;
    }
    EXPECT_FALSE(CalcularVerticeRelativo(obs, {"A", "1", "", "3"}).valido);
    const objPto p = LeerVertice({"P-9", "-5", "1000,12345", "7"}); // typed decimals kept
    EXPECT_EQ(p.N + " " + std::to_string(p.X) + " " + std::to_string(p.Y), "P-9 -5.000000 1000.123450");
}

TEST(Poligonal, ErroresDeCierre)
{
    colEstaciones col(3);
    col[0] = Con({{15, 10.0}, {16, 110.0}});
    col[1] = Con({{15, 5.0}, {16, 205.0}});
    col[2] = Con({{15, 0.0}, {16, 250.0123}});
    col[2].objBE = {"E-2", 1200.0, 950.0, 104.0};
    EXPECT_NEAR(AcimutArrastrado(P2, P1, col), 150.0123, 1e-9); // 0 + 100 + 200 + 250.0123 - 400
    const objPto PE{"P-9", 1200.02, 950.01, 103.995};
    const objPto PV{"P-8", PE.X + 100.0 * std::sin(150.0 * G), PE.Y + 100.0 * std::cos(150.0 * G), 0.0};
    const ErroresCierre e = CalcularErroresCierre(P2, P1, col, PE, PV);
    EXPECT_NEAR(e.EA, -0.0123, 1e-7);
    EsperarPunto({"", e.EX, e.EY, e.EZ}, 0.02, 0.01, -0.005, 1e-9);
    EXPECT_NEAR(e.ED, std::hypot(0.02, 0.01), 1e-9);
    // Across the zero direction the misclosure is taken the short way round.
    const double af = std::atan2(0.0002, 100.0) / G;
    for (auto [llevado, este, ea] : {std::tuple{99.999, 0.0002, af + 0.001}, {100.001, -0.0002, -af - 0.001}}) {
        col[2].Slot(16) = llevado;
        EXPECT_NEAR(CalcularErroresCierre(P2, P1, col, PE, {"N", PE.X + este, PE.Y + 100.0, 0.0}).EA, ea, 1e-7);
    }
}

TEST(Poligonal, FicheroPolEscritoYLeido)
{
    for (auto [v, t] : {std::pair{-0.0, "0"},
                        {-3.25, "-3.25"},
                        {2.0 / 3.0, "0.666666666666667"},
                        {123456.789012345678, "123456.789012346"}})
        EXPECT_EQ(NumeroPol(v), t);
    const objPto BO{"A,B", 1000.0, 2100.25, 0.0};
    colEstaciones col(2);
    col[0].objBE = P2, col[0].objBO = BO, col[0].objBV = {"E-1", 1050.123, 2000.0, 101.5};
    for (int k = 1; k <= 23; ++k)
        col[0].Slot(k) = k + 0.25;
    col[1].Slot(7) = 1e-5;
    const std::string texto = EscribirPol(P2, BO, col);
    EXPECT_EQ(texto.rfind("\"P-2\",1000,1000,100\r\n\"A,B\",1000,2100.25,0\r\n\"P-2\",1000,1000,100\r\n", 0), 0u);
    EXPECT_NE(texto.find("\r\n1.25,2.25,3.25,"), std::string::npos);
    EXPECT_NE(texto.find("\r\n0,0,0,0,0,0,1e-05,0,"), std::string::npos);
    EXPECT_EQ(std::count(texto.begin(), texto.end(), '\n'), 2 + 4 * 2);
    const LecturaPol l = LeerPol(texto);
    ASSERT_TRUE(l.ok) << l.error;
    EXPECT_EQ(EscribirPol(l.BE, l.BO, l.estaciones), texto);

    // Written by hand: LF ends, blank lines, blanks, exponents, a quoted decimal comma, an empty field.
    std::string mano = "\"P-2\", 1E3 ,2000,100\n\n\"P-1\",1000,\"2100,5\",0\n"
                       "\"P-2\",1000,2000,100\r\n\"P-1\",1000,2100,0\r\n\"E 1\",1,2,3\r\n";
    for (int k = 1; k <= 23; ++k)
        mano += (k == 1 ? "" : ",") + std::string(k == 7 ? "1.5d2" : (k == 9 ? "" : "1"));
    const LecturaPol m = LeerPol(mano + "\r\n\r\n\n");
    ASSERT_TRUE(m.ok) << m.error;
    ASSERT_EQ(m.estaciones.size(), 1u);
    EXPECT_EQ(m.BE.X + m.BO.Y + m.estaciones[0].Slot(7) + m.estaciones[0].Slot(9), 1000.0 + 2100.5 + 150.0);
    EXPECT_TRUE(LeerPol("\"A\",1,2,3\r\n\"B\",4,5,6\r\n").estaciones.empty());
    for (const std::string& malo :
         {mano.substr(0, mano.rfind(",1,1")), std::string("\"A\",1,2"), std::string("\"A,1,2,3\r\n"), std::string()})
        EXPECT_FALSE(LeerPol(malo).ok || LeerPol(malo).error.empty()) << malo;
}

TEST(Poligonal, ExportacionSinLaUltimaVisada)
{
    colEstaciones col(3);
    col[0].objBV = {"E-1", 1.23456, -2.0, 3.0};
    col[1].objBV = {"E-2", HUGE_VAL, 5.0, 6.0}; // a coordinate that cannot be shown stays empty
    col[2].objBV = {"E-3", 7.0, 8.0, 9.0};
    const std::string vertices = "\"P-2\",\"1000.000\",\"1000.000\",\"100.000\"\r\n"
                                 "\"P-1\",\"1000.000\",\"1100.000\",\"0.000\"\r\n";
    EXPECT_EQ(EscribirExportacion(P2, P1, colEstaciones(1)), vertices);
    EXPECT_EQ(EscribirExportacion(P2, P1, col),
              vertices + "\"E-1\",\"1.235\",\"-2.000\",\"3.000\"\r\n\"E-2\",\"\",\"5.000\",\"6.000\"\r\n");
}

TEST(Poligonal, LaPoligonalDeEjemploCierraSobreSusVertices)
{
    std::ifstream f(std::string(CV_EJEMPLOS) + "/poligonal.pol", std::ios::binary);
    LecturaPol pol = LeerPol(std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()));
    ASSERT_TRUE(pol.ok) << pol.error;
    ASSERT_EQ(pol.estaciones.size(), 6u);
    const ConK k(0.08);
    PrimeraEstacion(pol.estaciones, pol.BE, pol.BO);
    PropagarBases(pol.estaciones, 1);
    const ErroresCierre e =
        CalcularErroresCierre(pol.BE, pol.BO, pol.estaciones, {"P-9", 452866.505, 4481344.772, 624.733},
                              {"P-8", 452912.840, 4481478.361, 630.118});
    EXPECT_LT(std::fabs(e.EA), 0.001);
    EXPECT_LT(std::max(e.ED, std::fabs(e.EZ)), 0.03);
    EXPECT_EQ(pol.estaciones.back().objBE.N, "P-9");
}
