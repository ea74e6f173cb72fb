#pragma once
// The work handed to other programs: a DXF drawing for CAD (written with
// dxflib) and GeoJSON or KML for web maps (coordinates taken from the job's
// projected system to WGS84 longitude and latitude with PROJ).
#include <string>
#include <vector>

#include "core/objEstacion.h"
#include "core/objPto.h"

// What one window hands over: computed points, bases and, from the traverse
// sheet, the traverse as the line through its points in order.
struct Dibujo {
    std::vector<objPto> puntos;
    std::vector<objPto> bases;
    std::vector<objPto> poligonal;
};

// A traverse as drawn: its starting vertices as bases, the points it fixed
// (the sighted points of stations 1 .. n-1, as the traverse exports them) as
// points, and its line from the starting station vertex through them.
Dibujo DibujoPoligonal(const objPto& BE, const objPto& BO, const std::vector<objEstacion>& estaciones);

// Layers of the drawing.
constexpr const char* CAPA_PUNTOS = "PUNTOS";
constexpr const char* CAPA_NUMEROS = "NUMEROS";
constexpr const char* CAPA_COTAS = "COTAS";
constexpr const char* CAPA_BASES = "BASES";
constexpr const char* CAPA_POLIGONAL = "POLIGONAL";
// The block inserted at every base: a triangle around the insertion point.
constexpr const char* BLOQUE_BASE = "BASE";

// The DXF text (AutoCAD 2000): points as 3D POINTs with their number and
// height as TEXT, bases as inserts of the BASE block with their name as TEXT,
// the traverse as a 3D polyline.
std::string EscribirDxf(const Dibujo& d);

// From the job's projected system (an EPSG code) to WGS84 longitude and
// latitude, in degrees.
class Transformacion {
public:
    explicit Transformacion(int epsg);
    ~Transformacion();
    Transformacion(const Transformacion&) = delete;
    Transformacion& operator=(const Transformacion&) = delete;

    // False when the code names no projected system PROJ knows; Error() then
    // says so in the program's words.
    bool Valida() const { return p_ != nullptr; }
    const std::string& Error() const { return error_; }
    bool Transformar(double x, double y, double& lon, double& lat) const;

private:
    void* contexto_ = nullptr;
    void* p_ = nullptr;
    std::string error_;
};

// GeoJSON: a FeatureCollection of Points (properties nombre, cota, tipo) and
// the traverse as a LineString. False, with the reason in `error`, when a
// coordinate cannot be transformed.
bool EscribirGeoJson(const Dibujo& d, const Transformacion& t, std::string& texto, std::string& error);
// KML: a Placemark a point or base and one for the traverse.
bool EscribirKml(const Dibujo& d, const Transformacion& t, const std::string& nombre, std::string& texto,
                 std::string& error);
