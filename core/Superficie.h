#pragma once
// A terrain surface and its contour lines as plain records: what the terrain
// computation gives and the job hands to the plan.
#include <array>
#include <cstddef>
#include <vector>

#include "core/objPto.h"

// A triangulated surface as plain data.
struct Superficie {
    std::vector<objPto> puntos;
    // Indices into `puntos`, counter-clockwise in plan as Triangular makes
    // them (contours and volumes take either turn).
    std::vector<std::array<int, 3>> triangulos;
    double cotaMinima = 0.0;
    double cotaMaxima = 0.0;
    size_t NumeroTriangulos() const { return triangulos.size(); }
};

// One contour line.
struct Curva {
    double cota = 0.0;
    // A master contour: its height is a whole number of master intervals.
    bool maestra = false;
    // A closed contour does not repeat its first point at the end.
    bool cerrada = false;
    // Plan points, with the higher ground on the left going along the line.
    std::vector<std::array<double, 2>> puntos;
};
