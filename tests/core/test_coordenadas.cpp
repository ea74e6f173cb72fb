// Transformation between coordinate systems, parcel areas and subdivision,
// and the stake-out sheet (coordinates/).
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "Ayudantes.h"
#include "coordinates/Helmert.h"
#include "coordinates/Replanteo.h"
#include "coordinates/Superficies.h"
#include "core/FicherosTexto.h"
#include "core/modFuncionesTopo.h"

namespace {

std::vector<std::string> Filas(const std::vector<objPto>& puntos, bool bases)
{
    std::vector<std::string> filas;
    for (const objPto& p : puntos) {
        if (!bases) {
            filas.push_back(FilaPunto(p.N, p.X, p.Y, p.Z));
            continue;
        }
        const auto g = FilasBase(p.N, p.X, p.Y, p.Z);
        filas.insert(filas.end(), g.begin(), g.end());
    }
    return filas;
}

// The shoelace area written out here, apart from the library's.
double Area(const std::vector<objPto>& r)
{
    double s = 0.0;
    for (size_t i = 0; i < r.size(); ++i)
        s += r[i].X * r[(i + 1) % r.size()].Y - r[(i + 1) % r.size()].X * r[i].Y;
    return std::fabs(s) / 2.0;
}

// Ghilani, "Adjustment Computations: Spatial Data Analysis", 5th ed. (Wiley,
// 2010), Example 18.1: x, y digitized (origin) and E, N (destination).
const std::vector<objPto> GHILANI_XY = {{"A", 121.622, -128.066, 0}, {"B", 141.228, 187.718, 0}, {"C", 175.802, 135.728, 0}};
const std::vector<objPto> GHILANI_EN = {
    {"A", 1049422.40, 51089.20, 0}, {"B", 1049413.95, 49659.30, 0}, {"C", 1049244.95, 49884.95, 0}};

} // namespace

TEST(Transformacion, EjemploGhilani)
{
    const auto r = CalcularTransformacion(Filas(GHILANI_XY, true), Filas(GHILANI_EN, true),
                                          MetodoTransformacion::Helmert, {});
    ASSERT_TRUE(r.ok) << r.error;
    // Printed: a = -4.51249, b = -0.25371, Tx = 1,050,003.715, Ty = 50,542.131.
    EXPECT_EQ(Fijo(r.transformacion.a1, 5), "-4.51249");
    EXPECT_EQ(Fijo(r.transformacion.b1, 5), "-0.25371");
    EXPECT_EQ(r.textoTX, "1050003.715");
    EXPECT_EQ(r.textoTY, "50542.131");
    EXPECT_NEAR(r.escala, std::hypot(4.51249, 0.25371), 1e-5);
    // The transformed points 1 to 4 as printed.
    const double xy[4][4] = {{174.148, -120.262, 1049187.361, 51040.629},
                             {513.520, -192.130, 1047637.713, 51278.829},
                             {754.444, -67.706, 1046582.113, 50656.241},
                             {972.788, 120.994, 1045644.713, 49749.336}};
    for (const auto& f : xy) {
        const objPto q = Transformar(r.transformacion, {"", f[0], f[1], 7.5});
        EXPECT_EQ(Fijo(q.X), Fijo(f[2]));
        EXPECT_EQ(Fijo(q.Y), Fijo(f[3]));
        EXPECT_EQ(q.Z, 7.5);
    }
    // The rotation carries every azimuth of the origin by the same amount.
    const objPto a = Transformar(r.transformacion, GHILANI_XY[0]), b = Transformar(r.transformacion, GHILANI_XY[1]);
    EXPECT_NEAR(NormalizarAngulo(AcimutEntrePuntos(a, b) - AcimutEntrePuntos(GHILANI_XY[0], GHILANI_XY[1])), r.giro,
                1e-9);
}

TEST(Transformacion, ResiduosDeSumaNulaYPuntoErroneo)
{
    // A similarity of ten points, with millimetre errors and one gross one on
    // point 4 (w cannot pass sqrt(redundancy): 3.29 needs eight points or more).
    const double e[10][2] = {{3, -2}, {-1, 4}, {2, 1}, {700, -200}, {-4, -2}, {1, 3}, {-2, 0}, {0, -3}, {2, 2}, {-1, -1}};
    std::vector<objPto> origen, destino;
    for (int k = 0; k < 10; ++k) {
        const double x = 100.0 * k + 13.0 * (k % 3), y = 50.0 * (k * k % 7);
        origen.push_back({std::to_string(k + 1), x, y, 0});
        destino.push_back({std::to_string(k + 1), 400000 + 0.9996 * x - 0.021 * y + e[k][0] * 1e-3,
                           4500000 + 0.021 * x + 0.9996 * y + e[k][1] * 1e-3, 0});
    }
    for (auto metodo : {MetodoTransformacion::Helmert, MetodoTransformacion::Afin})
        for (const std::vector<std::string>& fuera : {std::vector<std::string>{}, {"4"}}) {
            const auto r = AjustarTransformacion(origen, destino, metodo, fuera);
            ASSERT_TRUE(r.ok) << r.error;
            double sx = 0, sy = 0;
            int marcados = 0;
            for (const auto& v : r.residuos)
                if (!v.excluido) {
                    sx += v.vX, sy += v.vY, marcados += v.marcado;
                }
            EXPECT_NEAR(sx, 0.0, 1e-7);
            EXPECT_NEAR(sy, 0.0, 1e-7);
            ASSERT_EQ(r.filasResiduos.size(), 10U);
            if (fuera.empty()) {
                EXPECT_EQ(marcados, 1);
                EXPECT_TRUE(r.residuos[3].marcado);
                EXPECT_EQ(r.filasResiduos[3].back(), '*');
            } else {
                EXPECT_EQ(marcados, 0);
                EXPECT_LT(r.sigma0, 0.01);
                EXPECT_NEAR(r.residuos[3].vX, -0.7, 0.01);
                EXPECT_EQ(r.filasResiduos[3].substr(r.filasResiduos[3].size() - 11), " (excluido)");
            }
            EXPECT_EQ(r.textoParametros.empty(), metodo == MetodoTransformacion::Helmert);
        }
}

TEST(Transformacion, Rechazos)
{
    const std::vector<objPto> o = {{"1", 0, 0, 0}, {"2", 10, 0, 0}, {"3", 20, 0, 0}, {"4", 10, 0, 0}};
    const std::vector<objPto> d = {{"1", 5, 5, 0}, {"2", 15, 5, 0}, {"3", 25, 5, 0}, {"4", 15, 5.0005, 0}};
    struct Caso {
        MetodoTransformacion m;
        std::vector<std::string> fuera;
        const char* error;
    };
    const Caso casos[] = {
        {MetodoTransformacion::Helmert, {"2", "3", "4"}, "La transformación necesita al menos dos puntos comunes; hay 1."},
        {MetodoTransformacion::Afin, {"3", "4"}, "La transformación afín necesita al menos tres puntos comunes; hay 2."},
        {MetodoTransformacion::Helmert, {}, "Los puntos comunes 2 y 4 coinciden en el sistema de origen."},
        {MetodoTransformacion::Afin, {"4"}, "Los puntos comunes están alineados: la transformación afín no queda determinada."},
    };
    for (const Caso& c : casos) {
        const auto r = AjustarTransformacion(o, d, c.m, c.fuera);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, c.error);
        EXPECT_TRUE(r.textoTX.empty() && r.filasResiduos.empty());
    }
    std::vector<std::string> fuera;
    AlternarExcluido(fuera, " 4");
    EXPECT_EQ(fuera, std::vector<std::string>{"4"});
    AlternarExcluido(fuera, "4");
    EXPECT_TRUE(fuera.empty());
}

TEST(Transformacion, FicherosEnSuFormato)
{
    const auto r = AjustarTransformacion(GHILANI_XY, GHILANI_EN, MetodoTransformacion::Helmert, {});
    const std::vector<objPto> pts = {{"101", 174.148, -120.262, 612.345}, {"102", 513.52, -192.13, -3.5}};
    for (const char* ruta : {"a.BSE", "a.asc"}) {
        const bool bases = std::string(ruta) == "a.BSE";
        const std::string entrada = bases ? EscribirBases(Filas(pts, true)) : EscribirPuntos(Filas(pts, false));
        const auto f = TransformarFichero(r.transformacion, entrada, ruta);
        ASSERT_TRUE(f.ok) << f.error;
        EXPECT_EQ(f.puntos, 2);
        const auto leidos = bases ? LeerListaBases(LeerBases(f.texto).filas) : LeerListaPuntos(LeerPuntos(f.texto).filas);
        ASSERT_EQ(leidos.size(), 2U);
        for (size_t k = 0; k < 2; ++k) {
            const objPto q = Transformar(r.transformacion, pts[k]);
            EXPECT_EQ(leidos[k].N, pts[k].N);
            EXPECT_EQ(Fijo(leidos[k].X) + Fijo(leidos[k].Y) + Fijo(leidos[k].Z), Fijo(q.X) + Fijo(q.Y) + Fijo(pts[k].Z));
        }
    }
}

TEST(Superficies, EjemplosMahun)
{
    // Mahun, "Traverse Computations", Problem (1), solution "Traverse Area":
    // sums of cross products 16,833,994 and 16,756,061; "Area = 38,970 ft2".
    // Mahun, "COGO", chapter H, "Example area computation": sums 2,190,612
    // and 1,909,624. Feet or metres, the figures are the same.
    const std::vector<objPto> p1 = {{"105", 2215.890, 1541.207, 0}, {"104", 2336.574, 1373.915, 0},
                                    {"103", 2350.205, 1299.818, 0}, {"102", 2523.212, 1343.189, 0},
                                    {"101", 2359.080, 1569.360, 0}};
    const std::vector<objPto> h = {{"C", 1259.97, 406.31, 0}, {"D", 1489.47, 235.12, 0}, {"E", 1126.40, 65.81, 0},
                                   {"A", 942.04, 317.89, 0}, {"B", 1282.54, 675.32, 0}};
    EntradaSuperficies e{Filas(p1, false), "105,104,103,102,101", "", ModoSegregacion::Paralela, "", ""};
    auto r = CalcularSuperficies(e);
    ASSERT_TRUE(r.ok) << r.aviso;
    EXPECT_NEAR(r.superficie, (16833994.0 - 16756061.0) / 2, 1.0);
    EXPECT_EQ(std::lround(r.superficie / 10) * 10, 38970);
    e = {Filas(h, true), "C, D, E, A, B", "", ModoSegregacion::Paralela, "", ""};
    r = CalcularSuperficies(e);
    ASSERT_TRUE(r.ok) << r.aviso;
    EXPECT_NEAR(r.superficie, (2190612.0 - 1909624.0) / 2, 1.0);
    EXPECT_EQ(r.textoSuperficie, Fijo(Area(r.parcela), 2));
    EXPECT_EQ(r.textoPerimetro, Fijo(Perimetro(r.parcela), 3));
}

TEST(Superficies, TextosYAvisos)
{
    const std::pair<double, const char*> ha[] = {{12345.678, "1 ha 23 a 45,68 ca"}, {99.995, "0 ha 1 a 0,00 ca"},
                                                 {0.004, "0 ha 0 a 0,00 ca"}, {250000.5, "25 ha 0 a 0,50 ca"}};
    for (const auto& [m2, texto] : ha)
        EXPECT_EQ(TextoHectareas(m2), texto);
    const std::vector<objPto> c = {{"1", 0, 0, 0}, {"2", 10, 0, 0}, {"3", 10, 10, 0}, {"4", 0, 10, 0}, {"5", 5, 0, 0}};
    const std::pair<const char*, const char*> avisos[] = {
        {"1,3,2,4", "Los lados 1-3 y 2-4 se cortan."}, {"1,2,9", "El vértice 9 no está en la lista de puntos."},
        {"1,2", "La parcela necesita al menos tres vértices."}, {"1,2,3,2", "El vértice 2 está repetido."},
        {"1,,3", "Falta el vértice 2 de la lista."}, {"1,2,5", "Los lados 5-1 y 1-2 se solapan."}};
    for (const auto& [v, aviso] : avisos) {
        const auto r = CalcularSuperficies({Filas(c, false), v, "", ModoSegregacion::Paralela, "", ""});
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.aviso, aviso);
        EXPECT_TRUE(r.textoSuperficie.empty());
    }
    const auto r = CalcularSuperficies({Filas(c, false), "1,2,3,4", "100", ModoSegregacion::Paralela, "1,2", ""});
    EXPECT_TRUE(r.ok && !r.segregada);
    EXPECT_EQ(r.aviso, "La superficie a segregar (100.00 m²) no es menor que la de la parcela (100.00 m²).");
    EXPECT_EQ(CalcularSuperficies({Filas(c, false), "1,2,3,4", "10", ModoSegregacion::Paralela, "1,3", ""}).aviso,
              "Los vértices 1 y 3 no forman un lado de la parcela.");
}

TEST(Superficies, SegregacionSumaElTodo)
{
    // A quadrilateral and an L, on grid coordinates, cut both ways.
    const double X0 = 500000, Y0 = 4400000;
    const std::vector<objPto> pts = {{"1", X0, Y0, 100},           {"2", X0 + 120, Y0 - 10, 104},
                                     {"3", X0 + 140, Y0 + 90, 101}, {"4", X0 - 10, Y0 + 100, 99},
                                     {"11", X0, Y0, 0},            {"12", X0 + 100, Y0, 0},
                                     {"13", X0 + 100, Y0 + 40, 0},  {"14", X0 + 40, Y0 + 40, 0},
                                     {"15", X0 + 40, Y0 + 100, 0},  {"16", X0, Y0 + 100, 0}};
    struct Caso {
        const char* anillo;
        ModoSegregacion modo;
        const char* lado;
        double superficie;
    };
    const Caso casos[] = {{"1,2,3,4", ModoSegregacion::Paralela, "1,2", 4321.5},
                          {"4,3,2,1", ModoSegregacion::Paralela, "3,2", 777.77},
                          {"1,2,3,4", ModoSegregacion::PorVertice, "3", 9000},
                          {"11,12,13,14,15,16", ModoSegregacion::Paralela, "12,11", 5000},
                          {"11,12,13,14,15,16", ModoSegregacion::Paralela, "14,15", 3000},
                          {"11,12,13,14,15,16", ModoSegregacion::PorVertice, "13", 3000},
                          {"11,12,13,14,15,16", ModoSegregacion::PorVertice, "14", 2500}};
    for (const Caso& c : casos) {
        const auto r = CalcularSuperficies({Filas(pts, false), c.anillo, Fijo(c.superficie, 2), c.modo, c.lado, c.lado});
        ASSERT_TRUE(r.segregada) << c.anillo << " " << c.lado << ": " << r.aviso;
        EXPECT_NEAR(Area(r.parcelaSegregada), c.superficie, 0.01) << c.anillo << " " << c.lado;
        EXPECT_NEAR(Area(r.parcelaSegregada) + Area(r.parcelaResto), Area(r.parcela), 0.01);
        EXPECT_EQ(r.textoSuperficieResto, Fijo(Area(r.parcela) - c.superficie, 2));
        EXPECT_EQ(r.textoPuntoA, Fijo(r.puntoA.X) + " " + Fijo(r.puntoA.Y));
        if (c.modo == ModoSegregacion::PorVertice) {
            EXPECT_EQ(r.puntoA.N, c.lado);
            continue;
        }
        // Parallel to the side: the two ends' offsets from the side are equal.
        std::istringstream l(c.lado);
        std::string n1, n2;
        std::getline(l, n1, ',');
        std::getline(l, n2);
        const objPto &p = *std::find_if(pts.begin(), pts.end(), [&](const objPto& q) { return q.N == n1; }),
                     &q = *std::find_if(pts.begin(), pts.end(), [&](const objPto& s) { return s.N == n2; });
        const auto cruz = [&](const objPto& s) { return (q.X - p.X) * (s.Y - p.Y) - (q.Y - p.Y) * (s.X - p.X); };
        EXPECT_NEAR(cruz(r.puntoA), cruz(r.puntoB), 1e-6 * DistanciaEntrePuntos(p, q));
    }
    // The L cut through its reflex corner: B lands on side 16-11 at (0, 35).
    const auto r = CalcularSuperficies({Filas(pts, false), "11,12,13,14,15,16", "2500", ModoSegregacion::PorVertice, "", "14"});
    EXPECT_EQ(r.textoPuntoB, Fijo(X0) + " " + Fijo(Y0 + 35));
    EXPECT_NE(BasesDivisoria(r, "A", "B").find("\"B\",\"500000.000\",\"4400035.000\""), std::string::npos);
}

TEST(Replanteo, RadiadoDevuelveElPuntoDeDiseno)
{
    // Design points all round the station, near and far (curvature and
    // refraction matter at 1.8 km), with K = 0.08 and K = 0.5.
    const std::vector<objPto> diseno = {{"1", 502400.123, 4401300.987, 615.432}, {"2", 502200.5, 4401100.25, 598.0},
                                        {"3", 504100.0, 4400500.0, 640.1},        {"4", 502345.678, 4401240.0, 612.0},
                                        {"5", 501000.0, 4402000.0, 700.0}};
    EntradaReplanteo e{"E1", "E2", {"502345.678", "4401234.567", "612.345"}, {"502512,110", "4401101.905", "598.001"},
                       "1.55", Filas(diseno, false)};
    const Punto be{502345.678, 4401234.567, 612.345};
    for (double k : {0.08, 0.5}) {
        const ConK conK(k);
        const auto r = CalcularReplanteo(e);
        ASSERT_TRUE(r.ok) << r.aviso;
        ASSERT_EQ(r.puntos.size(), diseno.size());
        for (size_t n = 0; n < diseno.size(); ++n) {
            const PuntoReplanteo& q = r.puntos[n];
            const double az = Acimut(be, {502512.110, 4401101.905, 0}) + q.lectura;
            const Punto p = Radiado(be, az, q.cenital, q.inclinada, 1.55, 1.55, k);
            EXPECT_NEAR(p.x, diseno[n].X, 1e-4);
            EXPECT_NEAR(p.y, diseno[n].Y, 1e-4);
            EXPECT_NEAR(p.z, diseno[n].Z, 1e-4);
            EXPECT_EQ(r.filas[n], diseno[n].N + " " + Fijo(q.acimut, 4) + " " + Fijo(q.lectura, 4) + " " +
                                      Fijo(std::hypot(p.x - be.x, p.y - be.y)) + " " + Fijo(diseno[n].Z - be.z));
        }
    }
    e.BO = e.BE;
    EXPECT_EQ(CalcularReplanteo(e).aviso, "La base de orientación coincide con la de estación.");
    e.i = "x";
    EXPECT_EQ(CalcularReplanteo(e).aviso, "La altura del instrumento no es un número.");
}

TEST(Replanteo, Exportar)
{
    const std::vector<objPto> diseno = {{"7", -1234.5678, 4401234.5674, 12.3}, {"PK12+500", 10, 20, -0.0004}};
    const auto r = CalcularReplanteo({"E1", "E2", {"0", "0", "10"}, {"0", "100", "10"}, "1.5", Filas(diseno, true)});
    ASSERT_TRUE(r.ok) << r.aviso;
    std::string texto, aviso;
    ASSERT_TRUE(ExportarReplanteo(r, "hoja.GSI", texto, aviso)) << aviso;
    EXPECT_EQ(texto, "*110001+0000000000000007 81..10-0000000001234568 82..10+0000004401234567 83..10+0000000000012300 \r\n"
                     "*110002+00000000PK12+500 81..10+0000000000010000 82..10+0000000000020000 83..10+0000000000000000 \r\n");
    ASSERT_TRUE(ExportarReplanteo(r, "hoja.txt", texto, aviso));
    EXPECT_NE(texto.find("\r\n" + r.filas[1] + "\r\n"), std::string::npos);
    auto largo = r;
    largo.puntos[0].punto.N = "12345678901234567";
    EXPECT_FALSE(GsiReplanteo(largo, texto, aviso));
    EXPECT_TRUE(texto.empty());
}
