#pragma once
// Area of a parcel from the coordinates of its vertices (the shoelace
// formula), its perimeter, and the subdivision that cuts a given area off it.
//
// The parcel is a ring of vertices given in order by number or name,
// separated by commas ("1,2,3,4"), each resolved against the point list
// (BuscarPunto). The ring closes by itself: the last vertex joins the first.
//
// Subdivision, two ways:
// - parallel to a side: the side is two consecutive vertices of the ring
//   ("2,3", either order); the dividing line is parallel to it, and the part
//   cut off is the part of the parcel on the side's side of the line (for a
//   convex parcel, the strip between the side and the line); a line that
//   meets the ring in more than two points is refused. Its offset is found
//   by a bracketed root search (regula falsi, Illinois variant) on the area
//   of the strip, which grows with the offset, until the area is within
//   TOLERANCIA_SUPERFICIE of the one asked for. A is the end of the line
//   nearer the side's first vertex in ring order (measured along the side),
//   B the other.
// - through a vertex V: the line runs from V to a point B on the ring; the
//   part cut off is V, the vertices that follow it in the order given, and B.
//   The area of that part grows linearly along each side, so B comes in
//   closed form. A is V itself.
// The new points take their heights by linear interpolation along the side
// they lie on.
#include <string>
#include <vector>

#include "core/objPto.h"

// The root search stops within this of the area asked for, m^2.
constexpr double TOLERANCIA_SUPERFICIE = 1.0e-4;

// Signed area by the shoelace formula: positive when the vertices run
// counter-clockwise (X east, Y north), m^2.
double AreaConSigno(const std::vector<objPto>& anillo);
// Length of the closed ring, m.
double Perimetro(const std::vector<objPto>& anillo);
// "1 ha 23 a 45,68 ca": hectares, ares and centiares of the area (m^2),
// rounded to the hundredth of a centiare, decimal comma.
std::string TextoHectareas(double superficie);

// The vertices of a ring text resolved against the points; false with the
// reason in `aviso` for an empty vertex, an unknown or repeated vertex, fewer
// than three vertices, two consecutive ones at the same place or two sides
// that cut or touch each other ("Los lados 1-2 y 3-4 se cortan.").
bool LeerAnillo(const std::vector<objPto>& puntos, const std::string& vertices, std::vector<objPto>& anillo,
                std::string& aviso);

enum class ModoSegregacion {
    Paralela,   // "Paralela a un lado"
    PorVertice, // "Por un vértice"
};

// What the window holds.
struct EntradaSuperficies {
    std::vector<std::string> filasPuntos; // lstPuntos, from a .asc or a .bse
    std::string vertices;                 // txtVertices
    std::string superficieSegregar;       // txtSuperficieSegregar, m^2; empty: no subdivision
    ModoSegregacion modo = ModoSegregacion::Paralela;
    std::string lado;    // txtLado, "2,3"
    std::string vertice; // txtVertice
};

// Everything the window shows. `aviso` names the first problem found (empty
// when none); figures that could not be worked out leave their texts empty.
struct ResultadoSuperficies {
    bool ok = false; // the parcel's area was computed
    std::vector<objPto> parcela;
    double superficie = 0.0; // m^2
    double perimetro = 0.0;  // m
    std::string textoSuperficie, textoHectareas, textoPerimetro; // 2 decimals, "N ha N a N,NN ca", 3 decimals

    bool segregada = false; // the subdivision was computed
    objPto puntoA, puntoB;  // ends of the dividing line
    double superficieSegregada = 0.0, superficieResto = 0.0;
    std::vector<objPto> parcelaSegregada, parcelaResto; // the two rings
    std::string textoPuntoA, textoPuntoB; // "X Y", 3 decimals
    std::string textoSuperficieResto;     // 2 decimals

    std::string aviso;
};

// The window's one call.
ResultadoSuperficies CalcularSuperficies(const EntradaSuperficies& entrada);

// cmdExportar: the two new points as a bases file, under the names given.
// Empty when there is no subdivision.
std::string BasesDivisoria(const ResultadoSuperficies& r, const std::string& nombreA, const std::string& nombreB);
