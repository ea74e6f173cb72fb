#pragma once
// Radiation of one point: a station set up on a base BE, oriented on a base
// BO, and one observation to the new point (directions, zenith angle, slope
// distance, instrument and signal heights), reduced by the station record in
// its single-observation mode. Everything is read from the texts the window
// shows, so that an incomplete entry simply gives no result.
#include <array>
#include <optional>
#include <string>

#include "core/objPto.h"

// Number of observation fields of the radiation window (0..6).
constexpr int NUM_OBSERVACIONES_RADIACION = 7;

// What the radiation window holds for one point.
struct DatosRadiacion {
    // 0 Hz de orientación, 1 Hz visado, 2 V visado, 3 distancia inclinada,
    // 4 altura del instrumento, 5 altura de la señal, 6 name of the new point.
    std::array<std::string, NUM_OBSERVACIONES_RADIACION> observaciones;
    std::array<std::string, 3> BE; // X, Y, Z of the station base as shown
    std::array<std::string, 3> BO; // X, Y, Z of the orientation base as shown
};

// True when observations 0 to 5 are numbers (the name is not tested).
bool ObservacionesRadiacionValidas(const std::array<std::string, NUM_OBSERVACIONES_RADIACION>& observaciones);

// The radiated point (named after observation 6), or nothing when an
// observation is missing or either base is not fully numeric (BO's Z too,
// although the computation does not use it).
std::optional<objPto> RadiarPunto(const DatosRadiacion& datos);

// The texts of the three result labels: X, Y, Z with three decimals, or three
// empty texts when there is no result.
std::array<std::string, 3> TextosRadiacion(const DatosRadiacion& datos);
