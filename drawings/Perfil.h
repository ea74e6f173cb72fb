#pragma once
// The profile of a span without its window: the projected points read back
// from the rows of the catenary computation, the fitted parabola through the
// two anchors, and the largest clearance of the conductor below the chord.
#include <string>
#include <vector>

// A point of the span's vertical plane: distance from anchor 1 and height, metres.
struct PuntoPerfil {
    double d = 0.0, h = 0.0;
};

struct PerfilCatenaria {
    // Anchor 1 first, the conductor's points, anchor 2 last.
    std::vector<PuntoPerfil> puntos;
    bool ajustado = false; // a parameter was fitted
    double parametro = 0.0;

    bool Valido() const { return puntos.size() >= 2; }
    const PuntoPerfil& Anclaje1() const { return puntos.front(); }
    const PuntoPerfil& Anclaje2() const { return puntos.back(); }
};

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
