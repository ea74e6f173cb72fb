#pragma once
// The profile of a span without its window: the projected points read back
// from the rows of the catenary computation, the fitted parabola through the
// two anchors, and the largest clearance of the conductor below the chord.
#include <string>
#include <vector>

#include "core/Trabajo.h"

// The rows of the projection list: "distance,height" rows, then, when the
// fit succeeded, "[Parámetro]" and the parameter on the next row.
PerfilCatenaria LeerProyeccion(const std::vector<std::string>& filas);

// Height of the chord and of the fitted parabola at distance d.
double AlturaCuerda(const PerfilCatenaria& p, double d);
double AlturaParabola(const PerfilCatenaria& p, double d);

// The fitted parabola as `tramos` + 1 points from anchor to anchor (empty
// without a fit or with anchors at the same distance).
std::vector<PuntoPerfil> CurvaAjustada(const PerfilCatenaria& p, int tramos);

// The largest clearance below the chord and where it lies. From the fitted
// parabola it is the sag at mid-span, L² / 8p; without a fit, the largest
// of the surveyed points.
struct Holgura {
    bool valida = false;
    double d = 0.0;     // distance from anchor 1
    double valor = 0.0; // metres below the chord
};
Holgura HolguraMaxima(const PerfilCatenaria& p);
