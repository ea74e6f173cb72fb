// The terrain model: volumes of surfaces whose volume has a closed form, the
// contours of a cone, break lines as edges, coincident points, the volume
// between two surfaces, and the DXF and LandXML read back independently.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "core/Ficheros.h"
#include "terrain/Terreno.h"

namespace {

constexpr double X0 = 500000.0, Y0 = 4000000.0; // UTM-sized coordinates

// The corners and sides of a w x h rectangle (every metre) and n random
// points inside, heights from z(x, y) in local coordinates.
template <class F> std::vector<objPto> Rectangulo(double w, double h, int n, unsigned semilla, F z)
{
    std::vector<objPto> p;
    const auto anadir = [&](double x, double y) {
        p.push_back({std::to_string(p.size() + 1), X0 + x, Y0 + y, z(x, y)});
    };
    for (double x = 0; x <= w; x += 1)
        anadir(x, 0), anadir(x, h);
    for (double y = 1; y < h; y += 1)
        anadir(0, y), anadir(w, y);
    std::mt19937 azar(semilla);
    std::uniform_real_distribution<double> u(0.01, 0.99);
    for (int i = 0; i < n; ++i)
        anadir(w * u(azar), h * u(azar));
    return p;
}

Superficie Triangulada(const std::vector<objPto>& p)
{
    const Triangulacion t = Triangular(p);
    EXPECT_TRUE(t.Valida()) << t.error;
    return t.superficie;
}

bool EsArista(const Superficie& s, int a, int b)
{
    for (const auto& t : s.triangulos)
        for (size_t k = 0; k < 3; ++k)
            if (std::minmax(t[k], t[(k + 1) % 3]) == std::minmax(a, b))
                return true;
    return false;
}

} // namespace

// The volume of a triangular prism is its base area times the mean of its
// three heights (the borrow-pit method: Ghilani and Wolf, Elementary
// Surveying, 13th ed., ch. 26 "Volumes"), so a plane surface and a pyramid
// give their closed forms exactly: the wedge under z = 0.1 x over 20 x 10 m,
// and the pyramid V = base x height / 3 (Euclid, Elements XII.7, corollary)
// of a 10 x 10 m base and 12 m height, cut at half height by a similar
// pyramid of 1/8 of its volume.
TEST(Terreno, VolumenesDeFormaCerrada)
{
    const Superficie plano = Triangulada(Rectangulo(20, 10, 40, 1, [](double x, double) { return 100 + 0.1 * x; }));
    const Superficie piramide = Triangulada({{"1", X0 - 5, Y0 - 5, 600}, {"2", X0 + 5, Y0 - 5, 600},
                                             {"3", X0 + 5, Y0 + 5, 600}, {"4", X0 - 5, Y0 + 5, 600},
                                             {"C", X0, Y0, 612}});
    EXPECT_EQ(piramide.NumeroTriangulos(), 4u);
    Superficie horaria = piramide; // as another program may write it
    for (auto& t : horaria.triangulos)
        std::swap(t[1], t[2]);
    EXPECT_EQ(piramide.cotaMinima, 600);
    EXPECT_EQ(piramide.cotaMaxima, 612);
    struct Caso {
        const Superficie* s;
        double cota, desmonte, terraplen, aDesmonte, aTerraplen;
    };
    const Caso casos[] = {
        {&plano, 100, 10 * 0.1 * 20 * 20 / 2, 0, 200, 0},    // the whole wedge above
        {&plano, 101, 50, 50, 100, 100},                      // cut and fill halves
        {&plano, 103, 0, 200 * 3 - 10 * 0.1 * 20 * 20 / 2, 0, 200}, // all below
        {&piramide, 600, 400, 0, 100, 0},
        {&piramide, 606, 400.0 / 8, 6 * 100 - (400 - 400.0 / 8), 25, 75},
        {&horaria, 606, 400.0 / 8, 6 * 100 - (400 - 400.0 / 8), 25, 75},
    };
    for (const Caso& c : casos) {
        const Volumenes v = VolumenRespectoPlano(*c.s, c.cota);
        EXPECT_NEAR(v.desmonte, c.desmonte, 1e-3) << c.cota;
        EXPECT_NEAR(v.terraplen, c.terraplen, 1e-3) << c.cota;
        EXPECT_NEAR(v.superficieDesmonte, c.aDesmonte, 1e-3) << c.cota;
        EXPECT_NEAR(v.superficieTerraplen, c.aTerraplen, 1e-3) << c.cota;
        EXPECT_NEAR(v.superficieAfectada, c.aDesmonte + c.aTerraplen, 1e-3) << c.cota;
    }
}

// A right circular cone's level sections are circles of radius R (H - h) / H.
// A cone of radius 10 m and height 10 m surveyed on rings every metre (36
// points a ring) has its rings' vertices exactly at the contours' heights:
// each contour is the ring itself, closed, each vertex once.
TEST(Terreno, CurvasDeUnConoSonCircunferencias)
{
    std::vector<objPto> p = {{"V", X0, Y0, 10}};
    for (int r = 1; r <= 10; ++r)
        for (int k = 0; k < 36; ++k)
            p.push_back({"", X0 + r * std::cos(k * M_PI / 18), Y0 + r * std::sin(k * M_PI / 18), 10.0 - r});
    const Superficie s = Triangulada(p);
    const Curvas c = CurvasDeNivel(s, 1.0, 5);
    ASSERT_TRUE(c.error.empty());
    ASSERT_EQ(c.curvas.size(), 9u); // 1 to 9 m: the apex and the base ring touch their levels at a point, an edge
    for (size_t i = 0; i < c.curvas.size(); ++i) {
        const Curva& curva = c.curvas[i];
        EXPECT_EQ(curva.cota, static_cast<double>(i + 1));
        EXPECT_EQ(curva.maestra, i + 1 == 5);
        EXPECT_TRUE(curva.cerrada);
        EXPECT_EQ(curva.puntos.size(), 36u);
        std::set<std::array<double, 2>> distintos(curva.puntos.begin(), curva.puntos.end());
        EXPECT_EQ(distintos.size(), 36u);
        for (const auto& q : curva.puntos)
            EXPECT_NEAR(std::hypot(q[0] - X0, q[1] - Y0), 10.0 - curva.cota, 1e-9);
        // The higher ground on the left: counter-clockwise around the apex.
        double area = 0;
        for (size_t k = 0; k < curva.puntos.size(); ++k) {
            const auto& a = curva.puntos[k];
            const auto& b = curva.puntos[(k + 1) % curva.puntos.size()];
            area += (a[0] - X0) * (b[1] - Y0) - (b[0] - X0) * (a[1] - Y0);
        }
        EXPECT_GT(area, 0);
    }
    // Between the rings the contours are closed polygons inscribed between
    // the rings' chords and the circle.
    Superficie horaria = s;
    for (auto& t : horaria.triangulos)
        std::swap(t[1], t[2]);
    EXPECT_EQ(CurvasDeNivel(horaria, 1.0, 5).curvas.size(), 9u);
    const Curvas medias = CurvasDeNivel(s, 0.5, 2);
    ASSERT_EQ(medias.curvas.size(), 19u);
    for (const Curva& curva : medias.curvas) {
        EXPECT_TRUE(curva.cerrada);
        EXPECT_EQ(curva.maestra, std::fmod(curva.cota, 1.0) == 0);
        for (const auto& q : curva.puntos) {
            const double radio = std::hypot(q[0] - X0, q[1] - Y0);
            EXPECT_LE(radio, 10.0 - curva.cota + 1e-9);
            EXPECT_GE(radio, (10.0 - curva.cota) * std::cos(M_PI / 36) - 1e-9);
        }
    }
    // Labels every 5 m along the 1 m contour (r = 9 m, 36 sides of
    // 2 r sin 5 degrees, 56.5 m): 11 of them, upright, the first 2.5 m along it.
    std::vector<Rotulo> rotulos = RotulosCurvas({c.curvas[0]}, 5.0, 1);
    ASSERT_EQ(rotulos.size(), static_cast<size_t>((36 * 2 * 9 * std::sin(M_PI / 36) - 2.5) / 5) + 1);
    EXPECT_EQ(rotulos[0].texto, "1.0");
    for (const Rotulo& e : rotulos)
        EXPECT_LE(std::fabs(e.angulo), M_PI / 2);
    const double lado = 2 * 9 * std::sin(M_PI / 36); // so the first label is on the second side
    EXPECT_NEAR(std::hypot(rotulos[0].x - c.curvas[0].puntos[1][0], rotulos[0].y - c.curvas[0].puntos[1][1]),
                2.5 - lado, 1e-9);
    // Every edge once: Euler's relation for a triangulated disc, E = V + F - 1.
    EXPECT_EQ(Aristas(s).size(), s.puntos.size() + s.NumeroTriangulos() - 1);
    int llamadas = 0;
    EXPECT_TRUE(CurvasDeNivel(s, 0.5, 2, [&](double) { return ++llamadas < 1; }).cancelada);
    EXPECT_FALSE(CurvasDeNivel(s, 0.0, 5).error.empty());
}

// A long thin quadrilateral: Delaunay joins the near corners B and D; the
// break line A-C (by name and by number) forces the long diagonal.
TEST(Terreno, LineaDeRoturaYPuntosCoincidentes)
{
    const std::vector<objPto> p = {{"A", 0, 0, 0},          {"B", 10, -1, 0}, {"C", 20, 0, 0}, {"D", 10, 1, 5},
                                   {"101", 10, 3, 1},       {"A2", 0.0004, 0, 7}, {"C2", 20, 0, 9}};
    const Triangulacion libre = Triangular(p);
    ASSERT_TRUE(libre.Valida()) << libre.error;
    EXPECT_TRUE(EsArista(libre.superficie, 1, 3));
    EXPECT_FALSE(EsArista(libre.superficie, 0, 2));
    // A2 and C2 coincide in plan with A and C: the first points are kept.
    ASSERT_EQ(libre.coincidentes.size(), 2u);
    EXPECT_EQ(libre.coincidentes[0].conservado, 0);
    EXPECT_EQ(libre.coincidentes[0].descartado, 5);
    EXPECT_EQ(libre.coincidentes[1].conservado, 2);
    EXPECT_EQ(libre.coincidentes[1].descartado, 6);
    EXPECT_EQ(libre.avisos[0], "El punto A2 coincide en planta con el A: se conserva este.");
    EXPECT_EQ(libre.superficie.puntos.size(), 5u);
    EXPECT_EQ(libre.superficie.cotaMaxima, 5);

    const LineasRotura l = LeerLineasRotura(" A , C2\r\n\nD, 101.0, X9\nB,B\n", p);
    EXPECT_EQ(l.lineas, (std::vector<std::vector<int>>{{0, 6}}));
    EXPECT_EQ(l.errores, (std::vector<std::string>{"Línea de rotura 2: no hay ningún punto X9.",
                                                   "Línea de rotura 3: hacen falta al menos dos puntos."}));
    const Triangulacion rota = Triangular(p, l.lineas);
    ASSERT_TRUE(rota.Valida()) << rota.error;
    EXPECT_TRUE(EsArista(rota.superficie, 0, 2));
    EXPECT_FALSE(EsArista(rota.superficie, 1, 3));
    // Two break lines that cross cannot both be edges.
    EXPECT_EQ(Triangular(p, {{0, 2}, {1, 3}}).error, "La línea de rotura 2 corta a otra línea de rotura.");
    EXPECT_FALSE(Triangular({p[0], p[2], p[6]}).Valida()); // two points left
    EXPECT_TRUE(Triangular(p, {}, [](double) { return false; }).cancelada);
}

// Against a plane, each surface's net volume is fixed; between two surfaces
// over the same rectangle the cut less the fill is the difference of the
// two net volumes (the integral of the height difference), whatever the two
// triangulations; where one surface is all above the other there is no fill.
TEST(Terreno, VolumenEntreDosSuperficies)
{
    const auto neto = [](const Superficie& s) {
        const Volumenes v = VolumenRespectoPlano(s, 0);
        return v.desmonte - v.terraplen;
    };
    std::mt19937 azar(7);
    std::uniform_real_distribution<double> u(0, 1);
    const Superficie a = Triangulada(Rectangulo(20, 10, 60, 2, [](double x, double y) { return 100 + 0.1 * x - 0.03 * y; }));
    const Superficie baja = Triangulada(Rectangulo(20, 10, 80, 3, [&](double, double) { return 98 + u(azar); }));
    const Superficie cruza = Triangulada(Rectangulo(20, 10, 80, 4, [&](double, double) { return 99 + 3 * u(azar); }));
    const Volumenes v1 = VolumenEntreSuperficies(a, baja);
    EXPECT_NEAR(v1.desmonte, neto(a) - neto(baja), 1e-6);
    EXPECT_EQ(v1.terraplen, 0);
    EXPECT_NEAR(v1.superficieComun, 200, 1e-6);
    EXPECT_NEAR(v1.superficieDesmonte, 200, 1e-6);
    const Volumenes v2 = VolumenEntreSuperficies(a, cruza);
    EXPECT_NEAR(v2.desmonte - v2.terraplen, neto(a) - neto(cruza), 1e-6);
    EXPECT_GT(std::min(v2.desmonte, v2.terraplen), 1);
    EXPECT_NEAR(v2.superficieAfectada, 200, 1e-6);
    const Volumenes v3 = VolumenEntreSuperficies(cruza, a); // the roles swapped
    EXPECT_NEAR(v3.desmonte, v2.terraplen, 1e-6);
    EXPECT_NEAR(v3.terraplen, v2.desmonte, 1e-6);
    // Half the second surface moved off the first: half the area in common.
    Superficie fuera = baja;
    for (objPto& q : fuera.puntos)
        q.X += 10;
    EXPECT_NEAR(VolumenEntreSuperficies(a, fuera).superficieComun, 100, 1e-6);
}

namespace {

struct LectorDxf : DL_CreationAdapter {
    std::map<std::string, int> cuenta;
    std::vector<double> elevaciones;
    std::vector<std::array<double, 3>> caras;
    void addPolyline(const DL_PolylineData& d) override
    {
        ++cuenta["LWPOLYLINE/" + getAttributes().getLayer()];
        elevaciones.push_back(d.elevation);
    }
    void add3dFace(const DL_3dFaceData& d) override
    {
        ++cuenta["3DFACE/" + getAttributes().getLayer()];
        caras.push_back({d.x[0], d.y[0], d.z[0]});
    }
};

} // namespace

TEST(Terreno, DxfYLandXmlSeLeenDeVuelta)
{
    std::vector<objPto> p = Rectangulo(20, 10, 30, 5, [](double x, double y) { return 100 + 0.3 * x + 0.2 * y; });
    p[0].N = "Esquina <1> & \"Ñ\"";
    const Superficie s = Triangulada(p);
    const Curvas c = CurvasDeNivel(s, 1.0, 5);
    const std::string dxf = EscribirDxfTerreno(s, c.curvas);
    std::istringstream entrada(dxf);
    LectorDxf l;
    DL_Dxf lector;
    ASSERT_TRUE(lector.in(entrada, &l));
    int maestras = 0;
    for (const Curva& k : c.curvas)
        maestras += k.maestra;
    EXPECT_EQ(c.curvas.size(), 7u); // 101 to 107 m
    EXPECT_EQ(maestras, 1);         // 105 m
    EXPECT_EQ(l.cuenta, (std::map<std::string, int>{{"3DFACE/TIN", static_cast<int>(s.NumeroTriangulos())},
                                                    {"LWPOLYLINE/CURVAS", 6},
                                                    {"LWPOLYLINE/CURVAS_MAESTRAS", 1}}));
    EXPECT_EQ(l.elevaciones.front(), 101);
    const objPto& q = s.puntos[static_cast<size_t>(s.triangulos[0][0])];
    EXPECT_EQ(l.caras[0], (std::array<double, 3>{q.X, q.Y, q.Z}));

    const std::string xml = EscribirLandXml(s, "Parcela & <norte>", "2026-12-09", "16:00:00");
    const LecturaLandXml r = LeerLandXml(xml);
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.nombre, "Parcela & <norte>");
    ASSERT_EQ(r.puntos.size(), s.puntos.size());
    ASSERT_EQ(r.superficie.puntos.size(), s.puntos.size());
    for (size_t i = 0; i < s.puntos.size(); ++i) {
        EXPECT_EQ(r.puntos[i].N, s.puntos[i].N);
        for (const objPto* leido : {&r.puntos[i], &r.superficie.puntos[i]})
            EXPECT_TRUE(leido->X == s.puntos[i].X && leido->Y == s.puntos[i].Y && leido->Z == s.puntos[i].Z) << i;
    }
    EXPECT_EQ(r.superficie.triangulos, s.triangulos);
    EXPECT_FALSE(LeerLandXml(xml.substr(0, xml.size() / 2)).error.empty());
    EXPECT_FALSE(LeerLandXml("<Otro/>").error.empty());

    if (std::system("/usr/bin/python3 -c 1 2>/dev/null") != 0)
        GTEST_SKIP() << "python3 no está instalado";

    // Python's own XML parser: the points and faces by their namespace.
    const std::string ruta = testing::TempDir() + "cartavector_terreno.xml";
    ASSERT_TRUE(EscribirFichero(ruta, xml).ok);
    const std::string guion =
        "import sys, xml.etree.ElementTree as E\nn = '{http://www.landxml.org/schema/LandXML-1.2}'\n"
        "r = E.parse(sys.argv[1]).getroot()\nassert r.get('version') == '1.2'\n"
        "c = r.findall(n + 'CgPoints/' + n + 'CgPoint')\nassert c[0].get('name') == 'Esquina <1> & \"\\u00d1\"'\n"
        "d = r.find(n + 'Surfaces/' + n + 'Surface/' + n + 'Definition')\n"
        "print(len(c), len(d.findall(n + 'Pnts/' + n + 'P')), len(d.findall(n + 'Faces/' + n + 'F')))\n";
    const std::string programa = testing::TempDir() + "cartavector_terreno.py";
    const std::string salida = testing::TempDir() + "cartavector_terreno.txt";
    ASSERT_TRUE(EscribirFichero(programa, guion).ok);
    ASSERT_EQ(std::system(("/usr/bin/python3 " + programa + " " + ruta + " > " + salida).c_str()), 0);
    std::string cuentas;
    ASSERT_TRUE(LeerFichero(salida, cuentas).ok);
    EXPECT_EQ(cuentas, std::to_string(s.puntos.size()) + " " + std::to_string(s.puntos.size()) + " " +
                           std::to_string(s.NumeroTriangulos()) + "\n");

    if (std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") != 0)
        GTEST_SKIP() << "python3-ezdxf no está instalado";
    // ezdxf's audit finds no error; the entities by kind and layer, the
    // contours' heights and the first face read the same.
    const std::string rutaDxf = testing::TempDir() + "cartavector_terreno.dxf";
    ASSERT_TRUE(EscribirFichero(rutaDxf, dxf).ok);
    const std::string auditoria =
        "import sys, collections\nfrom ezdxf import recover\ndoc, a = recover.readfile(sys.argv[1])\n"
        "assert not a.has_errors, [e.message for e in a.errors]\nm = doc.modelspace()\n"
        "print(sorted(collections.Counter(e.dxftype() + '/' + e.dxf.layer for e in m).items()),"
        " sorted(e.dxf.elevation for e in m.query('LWPOLYLINE')), '%.3f %.3f %.3f' % tuple(m.query('3DFACE')[0].dxf.vtx0))\n";
    const std::string guionDxf = testing::TempDir() + "cartavector_terreno_dxf.py";
    const std::string salidaDxf = testing::TempDir() + "cartavector_terreno_dxf.txt";
    ASSERT_TRUE(EscribirFichero(guionDxf, auditoria).ok);
    ASSERT_EQ(std::system(("/usr/bin/python3 " + guionDxf + " " + rutaDxf + " > " + salidaDxf).c_str()), 0);
    std::string leido;
    ASSERT_TRUE(LeerFichero(salidaDxf, leido).ok);
    char esperado[400];
    std::snprintf(esperado, sizeof esperado,
                  "[('3DFACE/TIN', %zu), ('LWPOLYLINE/CURVAS', 6), ('LWPOLYLINE/CURVAS_MAESTRAS', 1)] "
                  "[101.0, 102.0, 103.0, 104.0, 105.0, 106.0, 107.0] %.3f %.3f %.3f\n",
                  s.NumeroTriangulos(), q.X, q.Y, q.Z);
    EXPECT_EQ(leido, esperado);
}
