#include "exchange/Intercambio.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <proj.h>

#include "core/TextoNumerico.h"
#include "exchange/EscritorDxf.h"

Dibujo DibujoPoligonal(const objPto& BE, const objPto& BO, const std::vector<objEstacion>& estaciones)
{
    Dibujo d;
    d.bases = {BO, BE};
    d.poligonal.push_back(BE);
    for (size_t i = 0; i + 1 < estaciones.size(); ++i) {
        d.puntos.push_back(estaciones[i].objBV);
        d.poligonal.push_back(estaciones[i].objBV);
    }
    return d;
}

// ------------------------------------------------------------------- DXF

namespace {

constexpr double ALTURA_TEXTO = 0.5; // metres on the ground
constexpr double LADO_TRIANGULO = 1.0;

DL_Attributes Capa(const char* capa)
{
    return {capa, 256, -1, "BYLAYER", 1.0};
}

void Texto(DL_Dxf& dxf, EscritorDxf& dw, const std::string& texto, double x, double y, double z, const char* capa)
{
    dxf.writeText(dw, DL_TextData(x, y, z, x, y, z, ALTURA_TEXTO, 1.0, 0, 0, 0, texto, "Standard", 0.0), Capa(capa));
}

// The traverse keeps its heights: a 3D POLYLINE with its VERTEX entities.
// dxflib writes only the flat LWPOLYLINE for AutoCAD 2000, so the entity is
// put together from its writer's own entity calls.
void Polilinea3D(EscritorDxf& dw, const std::vector<objPto>& puntos)
{
    const DL_Attributes capa = Capa(CAPA_POLIGONAL);
    const auto cabecera = [&dw, &capa](const char* entidad) {
        dw.entity(entidad);
        dw.subClass("AcDbEntity");
        dw.entityAttributes(capa);
    };
    cabecera("POLYLINE");
    dw.subClass("AcDb3dPolyline");
    dw.dxfInt(66, 1);
    dw.dxfReal(10, 0.0);
    dw.dxfReal(20, 0.0);
    dw.dxfReal(30, 0.0);
    dw.dxfInt(70, 8); // a 3D polyline
    for (const objPto& p : puntos) {
        cabecera("VERTEX");
        dw.subClass("AcDbVertex");
        dw.subClass("AcDb3dPolylineVertex");
        dw.dxfReal(10, p.X);
        dw.dxfReal(20, p.Y);
        dw.dxfReal(30, p.Z);
        dw.dxfInt(70, 32); // a vertex of a 3D polyline
    }
    cabecera("SEQEND");
}

} // namespace

std::string EscribirDxf(const Dibujo& d)
{
    std::string salida;
    salida.reserve(512 * (d.puntos.size() + d.bases.size()) + 16384);
    DL_Dxf dxf;
    EscritorDxf dw(salida);

    const std::vector<CapaDxf> capas = {{"0", 7},        {CAPA_PUNTOS, 7}, {CAPA_NUMEROS, 3},
                                       {CAPA_COTAS, 4}, {CAPA_BASES, 1},  {CAPA_POLIGONAL, 5}};
    EmpezarDxf(dxf, dw, capas, {BLOQUE_BASE}, ALTURA_TEXTO);
    // An upward triangle centred on the base.
    dxf.writeBlock(dw, DL_BlockData(BLOQUE_BASE, 0, 0.0, 0.0, 0.0));
    const double h = LADO_TRIANGULO * std::sqrt(3.0) / 2.0;
    const double v[3][2] = {{0.0, 2.0 * h / 3.0}, {-LADO_TRIANGULO / 2.0, -h / 3.0}, {LADO_TRIANGULO / 2.0, -h / 3.0}};
    for (int k = 0; k < 3; ++k)
        dxf.writeLine(dw, DL_LineData(v[k][0], v[k][1], 0.0, v[(k + 1) % 3][0], v[(k + 1) % 3][1], 0.0),
                      DL_Attributes("0", 0, -1, "BYBLOCK", 1.0));
    dxf.writeEndBlock(dw, BLOQUE_BASE);
    dw.sectionEnd();

    dw.sectionEntities();
    for (const objPto& p : d.puntos) {
        dxf.writePoint(dw, DL_PointData(p.X, p.Y, p.Z), Capa(CAPA_PUNTOS));
        Texto(dxf, dw, p.N, p.X + ALTURA_TEXTO / 2, p.Y + ALTURA_TEXTO / 2, p.Z, CAPA_NUMEROS);
        Texto(dxf, dw, F3(p.Z), p.X + ALTURA_TEXTO / 2, p.Y - 1.5 * ALTURA_TEXTO, p.Z, CAPA_COTAS);
    }
    for (const objPto& b : d.bases) {
        dxf.writeInsert(dw, DL_InsertData(BLOQUE_BASE, b.X, b.Y, b.Z, 1.0, 1.0, 1.0, 0.0, 1, 1, 0.0, 0.0),
                        Capa(CAPA_BASES));
        Texto(dxf, dw, b.N, b.X + LADO_TRIANGULO, b.Y, b.Z, CAPA_BASES);
    }
    if (d.poligonal.size() >= 2)
        Polilinea3D(dw, d.poligonal);
    TerminarDxf(dxf, dw);
    return salida;
}

// ------------------------------------------------------------- PROJ

Transformacion::Transformacion(int epsg)
{
    contexto_ = proj_context_create();
    auto* ctx = static_cast<PJ_CONTEXT*>(contexto_);
    // Only the database that comes with PROJ: no network, no grids fetched.
    proj_context_set_enable_network(ctx, 0);
    proj_log_level(ctx, PJ_LOG_NONE);
    const std::string origen = "EPSG:" + std::to_string(epsg);
    PJ* crs = epsg > 0 ? proj_create(ctx, origen.c_str()) : nullptr;
    const bool proyectado = crs && proj_get_type(crs) == PJ_TYPE_PROJECTED_CRS;
    if (crs)
        proj_destroy(crs);
    if (proyectado) {
        PJ* t = proj_create_crs_to_crs(ctx, origen.c_str(), "EPSG:4326", nullptr);
        if (t) {
            // Longitude first, as GeoJSON and KML want it.
            p_ = proj_normalize_for_visualization(ctx, t);
            proj_destroy(t);
        }
    }
    if (!p_)
        error_ = "El código EPSG " + std::to_string(epsg) +
                 " no corresponde a ningún sistema de coordenadas proyectadas conocido.";
}

Transformacion::~Transformacion()
{
    if (p_)
        proj_destroy(static_cast<PJ*>(p_));
    proj_context_destroy(static_cast<PJ_CONTEXT*>(contexto_));
}

bool Transformacion::Transformar(double x, double y, double& lon, double& lat) const
{
    if (!p_)
        return false;
    const PJ_COORD r = proj_trans(static_cast<PJ*>(p_), PJ_FWD, proj_coord(x, y, 0.0, 0.0));
    lon = r.xy.x;
    lat = r.xy.y;
    return std::isfinite(lon) && std::isfinite(lat);
}

// -------------------------------------------------------------- maps

namespace {

std::string Grados(double v)
{
    // Nine decimals of a degree: about a tenth of a millimetre.
    return Formatear(v, 9);
}

std::string Json(const std::string& s)
{
    std::string r = "\"";
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            r += '\\';
            r += ch;
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            r += buf;
        } else {
            r += ch;
        }
    }
    return r + "\"";
}

std::string Xml(const std::string& s)
{
    std::string r;
    for (const char c : s) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        default: r += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        }
    }
    return r;
}

// Longitude and latitude of every point, or the name of the first that fails.
struct Geograficas {
    std::vector<std::pair<double, double>> puntos, bases, poligonal;
};

bool Transformar(const Dibujo& d, const Transformacion& t, Geograficas& g, std::string& error)
{
    const std::pair<const std::vector<objPto>*, std::vector<std::pair<double, double>>*> grupos[] = {
        {&d.puntos, &g.puntos}, {&d.bases, &g.bases}, {&d.poligonal, &g.poligonal}};
    for (const auto& [origen, destino] : grupos) {
        for (const objPto& p : *origen) {
            double lon = 0.0, lat = 0.0;
            if (!t.Transformar(p.X, p.Y, lon, lat)) {
                error = t.Valida() ? "El punto " + p.N + " cae fuera del sistema de coordenadas elegido."
                                   : t.Error();
                return false;
            }
            destino->emplace_back(lon, lat);
        }
    }
    return true;
}

} // namespace

bool EscribirGeoJson(const Dibujo& d, const Transformacion& t, std::string& texto, std::string& error)
{
    Geograficas g;
    if (!Transformar(d, t, g, error))
        return false;
    texto = R"({"type":"FeatureCollection","features":[)";
    bool primero = true;
    const auto separar = [&texto, &primero] {
        texto += primero ? "\n" : ",\n";
        primero = false;
    };
    const std::pair<const std::vector<objPto>*, const char*> grupos[] = {{&d.puntos, "punto"},
                                                                                  {&d.bases, "base"}};
    const std::vector<std::pair<double, double>>* lonlat[] = {&g.puntos, &g.bases};
    for (size_t k = 0; k < 2; ++k) {
        const auto& [lista, tipo] = grupos[k];
        for (size_t i = 0; i < lista->size(); ++i) {
            const objPto& p = (*lista)[i];
            separar();
            texto += R"({"type":"Feature","geometry":{"type":"Point","coordinates":[)" +
                     Grados((*lonlat[k])[i].first) + "," + Grados((*lonlat[k])[i].second) +
                     R"(]},"properties":{"nombre":)" + Json(p.N) + R"(,"cota":)" + F3(p.Z) + R"(,"tipo":")" +
                     tipo + R"("}})";
        }
    }
    if (g.poligonal.size() >= 2) {
        separar();
        texto += R"({"type":"Feature","geometry":{"type":"LineString","coordinates":[)";
        for (size_t i = 0; i < g.poligonal.size(); ++i)
            texto += (i ? ",[" : "[") + Grados(g.poligonal[i].first) + "," + Grados(g.poligonal[i].second) + "]";
        texto += R"(]},"properties":{"nombre":"Poligonal","tipo":"poligonal"}})";
    }
    texto += "\n]}\n";
    return true;
}

bool EscribirKml(const Dibujo& d, const Transformacion& t, const std::string& nombre, std::string& texto,
                 std::string& error)
{
    Geograficas g;
    if (!Transformar(d, t, g, error))
        return false;
    texto = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n"
            "<name>" +
            Xml(nombre) + "</name>\n";
    const std::pair<const std::vector<objPto>*, const std::vector<std::pair<double, double>>*> grupos[] = {
        {&d.puntos, &g.puntos}, {&d.bases, &g.bases}};
    for (const auto& [lista, lonlat] : grupos) {
        for (size_t i = 0; i < lista->size(); ++i) {
            const objPto& p = (*lista)[i];
            texto += "<Placemark><name>" + Xml(p.N) + "</name><description>Cota " + F3(p.Z) +
                     "</description><Point><coordinates>" + Grados((*lonlat)[i].first) + "," +
                     Grados((*lonlat)[i].second) + "</coordinates></Point></Placemark>\n";
        }
    }
    if (g.poligonal.size() >= 2) {
        texto += "<Placemark><name>Poligonal</name><LineString><coordinates>";
        for (size_t i = 0; i < g.poligonal.size(); ++i)
            texto += (i ? " " : "") + Grados(g.poligonal[i].first) + "," + Grados(g.poligonal[i].second);
        texto += "</coordinates></LineString></Placemark>\n";
    }
    texto += "</Document>\n</kml>\n";
    return true;
}
