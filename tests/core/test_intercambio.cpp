// DXF, GeoJSON and KML exports read back: the DXF with dxflib itself and,
// independently, with Debian's python3-ezdxf (whose audit must find no
// error); the map coordinates against published survey marks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <cmath>
#include <map>
#include <sstream>
#include <string>

#include "core/Configuracion.h"
#include "core/Ficheros.h"
#include "core/Preferencias.h"
#include "exchange/Intercambio.h"

namespace
{

Dibujo Ejemplo()
{
    Dibujo d;
    d.puntos = {{"101", 362415.372, 4571236.845, 612.480}, {"102", 362420.001, 4571240.999, -3.25}};
    d.bases = {{"E-1", 362400.000, 4571200.000, 610.000}};
    d.poligonal = {
        {"P-2", 362400, 4571200, 610}, {"E-2", 362500.5, 4571300.25, 611.125}, {"P-9", 362600, 4571250, 612}};
    return d;
}

// What dxflib reads back: entities by kind and layer, and their coordinates.
struct Lector : DL_CreationAdapter {
    std::map<std::string, int> cuenta;
    std::vector<std::array<double, 3>> puntos, vertices, inserciones;
    std::vector<std::string> textos;
    void Contar(const char* tipo) { ++cuenta[std::string(tipo) + "/" + getAttributes().getLayer()]; }
    void addPoint(const DL_PointData& d) override { Contar("POINT"), puntos.push_back({d.x, d.y, d.z}); }
    void addText(const DL_TextData& d) override { Contar("TEXT"), textos.push_back(d.text); }
    void addInsert(const DL_InsertData& d) override { Contar("INSERT"), inserciones.push_back({d.ipx, d.ipy, d.ipz}); }
    void addPolyline(const DL_PolylineData& d) override
    {
        Contar("POLYLINE");
        EXPECT_EQ(d.flags & 8, 8); // 3D
    }
    void addVertex(const DL_VertexData& d) override { vertices.push_back({d.x, d.y, d.z}); }
};

void CercaMm(const std::array<double, 3>& a, const objPto& b)
{
    for (const auto& [valor, esperado] : {std::pair{a[0], b.X}, {a[1], b.Y}, {a[2], b.Z}})
        EXPECT_NEAR(valor, esperado, 5e-4);
}

} // namespace

TEST(Dxf, CapasEntidadesYCoordenadas)
{
    const Dibujo d = Ejemplo();
    const std::string dxf = EscribirDxf(d);
    std::istringstream entrada(dxf);
    Lector l;
    DL_Dxf lector;
    ASSERT_TRUE(lector.in(entrada, &l));
    const std::map<std::string, int> esperado = {{"POINT/PUNTOS", 2}, {"TEXT/NUMEROS", 2}, {"TEXT/COTAS", 2},
                                                 {"INSERT/BASES", 1}, {"TEXT/BASES", 1},   {"POLYLINE/POLIGONAL", 1}};
    EXPECT_EQ(l.cuenta, esperado);
    ASSERT_EQ(l.puntos.size(), 2u);
    CercaMm(l.puntos[1], d.puntos[1]);
    ASSERT_EQ(l.vertices.size(), 3u);
    CercaMm(l.vertices[1], d.poligonal[1]);
    ASSERT_EQ(l.inserciones.size(), 1u);
    CercaMm(l.inserciones[0], d.bases[0]);
    EXPECT_EQ(l.textos, (std::vector<std::string>{"101", "612.480", "102", "-3.250", "E-1"}));
}

TEST(Dxf, AuditoriaDeEzdxfSinErrores)
{
    if (std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") != 0)
        GTEST_SKIP() << "python3-ezdxf no está instalado";
    const std::string ruta = testing::TempDir() + "cartavector_prueba.dxf";
    ASSERT_TRUE(EscribirFichero(ruta, EscribirDxf(Ejemplo())).ok);
    // ezdxf reports the audit's errors, then the entities by kind and layer
    // and every coordinate to the millimetre.
    const std::string guion =
        "import sys\nfrom ezdxf import recover\ndoc, a = recover.readfile(sys.argv[1])\n"
        "assert not a.has_errors, [e.message for e in a.errors]\nmsp = doc.modelspace()\n"
        "kinds = sorted(e.dxftype() + '/' + e.dxf.layer for e in msp)\n"
        "assert kinds == ['INSERT/BASES', 'POINT/PUNTOS', 'POINT/PUNTOS', 'POLYLINE/POLIGONAL', 'TEXT/BASES',"
        " 'TEXT/COTAS', 'TEXT/COTAS', 'TEXT/NUMEROS', 'TEXT/NUMEROS'], kinds\n"
        "p = [tuple(round(c, 3) for c in e.dxf.location) for e in msp.query('POINT')]\n"
        "assert p == [(362415.372, 4571236.845, 612.48), (362420.001, 4571240.999, -3.25)], p\n"
        "pl = msp.query('POLYLINE')[0]\nassert pl.is_3d_polyline\n"
        "v = [tuple(round(c, 3) for c in x.dxf.location) for x in pl.vertices]\n"
        "assert v[1] == (362500.5, 4571300.25, 611.125), v\n";
    const std::string programa = testing::TempDir() + "cartavector_prueba_dxf.py";
    ASSERT_TRUE(EscribirFichero(programa, guion).ok);
    EXPECT_EQ(std::system(("/usr/bin/python3 " + programa + " " + ruta).c_str()), 0);
}

TEST(Mapas, MarcasGeodesicasPublicadas)
{
    // Survey marks with their published geographic and grid (UTM on GRS80)
    // coordinates: Flinders Peak and Buninyong, the worked examples of the
    // GDA Technical Manual (ICSM), on GDA94 / MGA zones 55 and 54; and SSM
    // Fremantle 64 from Landgate's survey control listing, GDA2020 / MGA zone
    // 50. A millimetre is about 1e-8 degrees.
    auto grados = [](double g, double m, double s) { return std::copysign(std::fabs(g) + m / 60 + s / 3600, g); };
    const std::tuple<int, double, double, double, double> marcas[] = {
        {28355, 273741.297, 5796489.777, grados(-37, 57, 3.72030), grados(144, 25, 29.52440)},
        {28354, 758173.797, 5828674.340, grados(-37, 39, 10.15610), grados(143, 55, 35.38390)},
        {7850, 382306.176, 6454969.831, grados(-32, 2, 7.16398), grados(115, 45, 12.74082)},
        {25830, 500000.0, 0.0, 0.0, -3.0}, // the origin of zone 30 by its definition
    };
    for (const auto& [epsg, x, y, latitud, longitud] : marcas) {
        const Transformacion t(epsg);
        ASSERT_TRUE(t.Valida()) << t.Error();
        double lon = 0, lat = 0;
        ASSERT_TRUE(t.Transformar(x, y, lon, lat));
        EXPECT_NEAR(lon, longitud, 1e-8) << epsg;
        EXPECT_NEAR(lat, latitud, 1e-8) << epsg;
    }

    for (int malo : {0, 4326, 99999}) {
        const Transformacion m(malo);
        EXPECT_FALSE(m.Valida()) << malo;
        EXPECT_NE(m.Error().find(std::to_string(malo)), std::string::npos);
    }
}

TEST(Mapas, GeoJsonYKml)
{
    const Transformacion t(25830);
    std::string texto, error;
    ASSERT_TRUE(EscribirGeoJson(Ejemplo(), t, texto, error)) << error;
    const std::string ruta = testing::TempDir() + "cartavector_prueba.geojson";
    ASSERT_TRUE(EscribirFichero(ruta, texto).ok);
    // Two points, one base and the traverse's line.
    if (std::system("/usr/bin/python3 -c 1 2>/dev/null") == 0) {
        const std::string json = "/usr/bin/python3 -c \"import json,sys; d=json.load(open(sys.argv[1])); "
                                 "assert d['type']=='FeatureCollection' and len(d['features'])==4\" ";
        EXPECT_EQ(std::system((json + ruta).c_str()), 0);
    }
    ASSERT_TRUE(EscribirKml(Ejemplo(), t, "Obra <1>", texto, error)) << error;
    EXPECT_NE(texto.find("<name>Obra &lt;1&gt;</name>"), std::string::npos);
    EXPECT_EQ(texto.find("<Placemark>", texto.rfind("<LineString>")), std::string::npos);

    const Transformacion mala(99999);
    EXPECT_FALSE(EscribirGeoJson(Ejemplo(), mala, texto, error));
    EXPECT_EQ(error, mala.Error());
}

TEST(Preferencias, CodigoEpsgEnSuPropioFichero)
{
    const std::string carpeta = testing::TempDir() + "cartavector_preferencias";
    std::system(("rm -rf " + carpeta + " && mkdir -p " + carpeta).c_str());
    FijarCarpetaPrograma(carpeta);
    EXPECT_EQ(LeerEpsg(), 25830); // no file yet
    ASSERT_TRUE(EscribirFichero(RutaPreferencias(), "otra=1\r\nepsg=abc\r\n").ok);
    EXPECT_EQ(LeerEpsg(), 25830); // not a number
    std::string error;
    ASSERT_TRUE(GuardarEpsg(32630, error)) << error;
    EXPECT_EQ(LeerEpsg(), 32630);
    std::string texto;
    ASSERT_TRUE(LeerFichero(RutaPreferencias(), texto).ok);
    EXPECT_EQ(texto, "epsg=32630\r\notra=1\r\n");
    // config.cvr is another file, untouched.
    EXPECT_FALSE(LeerFichero(RutaConfiguracion(), texto).ok);
    FijarCarpetaPrograma(".");
}
