#pragma once
// Forward intersection of a point from two bases B1 and B2: at each station
// the horizontal reading on the other base orients the reading on the point,
// the two rays are intersected, and each station gives a height of the point
// (no signal height, no curvature or refraction term). Their difference is
// the check ("Dif. cotas") and their mean the point's height.
#include <array>
#include <optional>
#include <string>

#include "core/objPto.h"

constexpr int NUM_OBSERVACIONES_BISECCION = 9;

// 0 point number; at B1: 1 Hz on B2, 2 Hz on the point, 3 V on the point,
// 4 instrument height; at B2: 5 Hz on B1, 6 Hz on the point, 7 V on the
// point, 8 instrument height.
using ObservacionesBiseccion = std::array<std::string, NUM_OBSERVACIONES_BISECCION>;
// X, Y, Z of B1, then X, Y, Z of B2, as the base labels show them.
using BasesBiseccion = std::array<std::string, 6>;

enum class EstadoBiseccion {
    Calculado,
    ObservacionesNoValidas, // a reading or height is missing or not a number
    BasesNoValidas,         // a base not taken, or not numeric
    SinSolucion,            // parallel rays, or a ray along the Y axis
};

struct ResultadoBiseccion {
    EstadoBiseccion estado = EstadoBiseccion::ObservacionesNoValidas;
    objPto P;        // X, Y and the mean height Z
    double Z1 = 0.0; // height seen from B1
    double Z2 = 0.0; // height seen from B2
    double DifCotas = 0.0;
};

ResultadoBiseccion CalcularBiseccion(const ObservacionesBiseccion& observaciones, const BasesBiseccion& bases);

// The texts of the result labels. DifCotas has no value when the label keeps
// its last text (observations or bases not valid); without a solution every
// label is emptied, "Dif. cotas" included.
struct TextosBiseccion {
    std::string X, Y, Z;
    std::optional<std::string> DifCotas;
};
TextosBiseccion TextosResultadoBiseccion(const ResultadoBiseccion& r);
