#pragma once
// The digital terrain model: a triangulated surface over surveyed points,
// constrained to break lines; its contour lines; the earthwork volumes
// against a level plane or between two surfaces; and the surface handed to
// CAD (DXF) and to other programs (LandXML 1.2).
//
// Plan coordinates are X (easting) and Y (northing), heights Z, all in
// metres. Work that may take long on a large survey (a million points) takes
// a progress function: it is called every few thousand items with the
// fraction done (0 to 1) and returns false to stop the work, which then
// comes back marked as cancelled and holds nothing.
#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Superficie.h"
#include "core/objPto.h"

using ProgresoTerreno = std::function<bool(double fraccion)>;

// Two points closer than this in plan are one point of the surface: the
// first is kept, the later ones are reported and left out.
constexpr double TOLERANCIA_PLANTA = 0.001;

// ------------------------------------------------------------ break lines

// Break lines as the window holds them: one line of text a break line, its
// vertices as point names (or numbers) separated by commas. Each name is
// looked up among the points (its exact text first, then, for a number, the
// point whose number has the same value); a name that is not there, or a line
// left with fewer than two vertices, is reported in `errores` and the line is
// left out. Blank lines and empty fields are skipped.
struct LineasRotura {
    // Indices into the points, in the line's order.
    std::vector<std::vector<int>> lineas;
    std::vector<std::string> errores;
};
LineasRotura LeerLineasRotura(std::string_view texto, const std::vector<objPto>& puntos);

// ------------------------------------------------------------ triangulation


// A point left out because it coincides in plan with an earlier one (indices
// into the points given to Triangular).
struct Coincidencia {
    int conservado = 0;
    int descartado = 0;
};

struct Triangulacion {
    Superficie superficie;
    // For each point of the surface, its index among the points given.
    std::vector<int> origen;
    std::vector<Coincidencia> coincidentes;
    // One sentence for each coincidence, in the window's words.
    std::vector<std::string> avisos;
    // Why there is no surface (too few points, all in a line, break lines
    // that cross); empty when there is one.
    std::string error;
    bool cancelada = false;
    bool Valida() const { return error.empty() && !cancelada; }
};

// The constrained Delaunay triangulation of the points in plan (CGAL, exact
// predicates), with every segment of every break line (indices into
// `puntos`, as LeerLineasRotura gives them) an edge of it. Break lines may
// meet at their vertices or run through other points, not cross.
Triangulacion Triangular(const std::vector<objPto>& puntos, const std::vector<std::vector<int>>& lineasRotura = {},
                         const ProgresoTerreno& progreso = {});

// ------------------------------------------------------------ contours


struct Curvas {
    std::vector<Curva> curvas;
    std::string error;
    bool cancelada = false;
};

// The contour lines at every multiple of the interval between the surface's
// lowest and highest points, traced triangle by triangle and joined into
// polylines; every `maestras` intervals a master contour. A vertex exactly at
// a contour's height counts as above it, so the line passes through the
// vertex once, with no gap and no repeated point.
Curvas CurvasDeNivel(const Superficie& s, double equidistancia = 1.0, int maestras = 5,
                     const ProgresoTerreno& progreso = {});

// Every edge of the surface once (indices into its points, the smaller
// first), in a fixed order: what the plan draws for the triangles.
std::vector<std::array<int, 2>> Aristas(const Superficie& s);

// A contour's height written along it.
struct Rotulo {
    double x = 0.0;
    double y = 0.0;
    // The direction of the line there, in radians counter-clockwise from the
    // X axis, turned half round when needed so that the text reads upright
    // (between -pi/2 and pi/2).
    double angulo = 0.0;
    std::string texto;
    bool maestra = false;
};

// The labels of the contours: one every `separacion` metres along each
// line, the first half that from its start (a line shorter than that gets
// none), the height with the given decimals.
std::vector<Rotulo> RotulosCurvas(const std::vector<Curva>& curvas, double separacion, int decimales);

// ------------------------------------------------------------ volumes

// Cut (desmonte) is where the terrain is above the reference (the plane or
// the second surface); fill (terraplén) where it is below. Volumes in m³,
// areas in plan in m².
struct Volumenes {
    double desmonte = 0.0;
    double terraplen = 0.0;
    double superficieDesmonte = 0.0;
    double superficieTerraplen = 0.0;
    // Cut area plus fill area: where the terrain is not at the reference.
    double superficieAfectada = 0.0;
    // The area compared: the whole surface against a plane, the area common
    // to both surfaces between two.
    double superficieComun = 0.0;
    bool cancelada = false;
};

// The surface against the level plane at the given height: every triangle's
// prism, split where the triangle crosses the plane.
Volumenes VolumenRespectoPlano(const Superficie& s, double cota, const ProgresoTerreno& progreso = {});

// The first surface (the terrain) against the second (the reference) over
// the area they share: prisms over the overlay of their triangles, each
// piece split where the two surfaces cross.
Volumenes VolumenEntreSuperficies(const Superficie& terreno, const Superficie& referencia,
                                  const ProgresoTerreno& progreso = {});

// ------------------------------------------------------------ exports

constexpr const char* CAPA_CURVAS = "CURVAS";
constexpr const char* CAPA_CURVAS_MAESTRAS = "CURVAS_MAESTRAS";
constexpr const char* CAPA_TIN = "TIN";

// The DXF text (AutoCAD 2000): every contour as a polyline (LWPOLYLINE) at
// its height on CURVAS or CURVAS_MAESTRAS, every triangle as a 3DFACE on TIN.
std::string EscribirDxfTerreno(const Superficie& s, const std::vector<Curva>& curvas);

// LandXML 1.2: the points as CgPoints and the surface as a TIN (Surface,
// Definition with Pnts and Faces). Coordinates are written northing,
// easting, height, as LandXML orders them, with the digits that read back
// to the same numbers. `fecha` and `hora` as YYYY-MM-DD and hh:mm:ss.
std::string EscribirLandXml(const Superficie& s, const std::string& nombre, const std::string& fecha,
                            const std::string& hora);

struct LecturaLandXml {
    std::string nombre;
    // The CgPoints.
    std::vector<objPto> puntos;
    // The first surface's points and faces (each point named by its id).
    Superficie superficie;
    std::string error;
};
// Reads the CgPoints and the first TIN surface of a LandXML file.
LecturaLandXml LeerLandXml(std::string_view texto);
