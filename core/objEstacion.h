#pragma once
#include <cstddef>
#include <vector>

#include "core/objPto.h"

// One observation slot: an angle in grads or a length in metres, 0 until set.
struct objObservacion {
    double Valor = 0.0;
};

// Slots of a station, numbered 1..23.
enum SlotEstacion {
    HzDirectoOrientacion = 1,
    HzInversoOrientacion = 2,
    HzDirectoVisado = 3,
    HzInversoVisado = 4,
    VDirectoVisado = 5,
    VInversoVisado = 6,
    DistanciaInclinada = 7,
    AlturaInstrumento = 8,
    AlturaSenal = 9,
    VDirectoReciproca = 10,
    VInversoReciproca = 11,
    DistanciaReciproca = 12,
    AlturaInstrumentoReciproca = 13,
    AlturaSenalReciproca = 14,
    HzMedioOrientacion = 15,
    HzMedioVisado = 16,
    VMedioVisado = 17,
    VMedioReciproca = 18,
    DistanciaReducidaDirecta = 19,
    DistanciaReducidaReciproca = 20,
    CotaDirecta = 21,
    CotaReciproca = 22,
    DistanciaReducidaMedia = 23,
};

constexpr int NUM_SLOTS = 23;

// The most stations a traverse holds: the sheet counts them in 16 bits.
constexpr size_t MAX_ESTACIONES = 32767;

// A station: where the instrument stands (objBE), where it is oriented
// (objBO) and the point it sights (objBV), with 23 observation slots.
class objEstacion {
public:
    objPto objBE;
    objPto objBO;
    objPto objBV;
    bool bolSimple = false;
    std::vector<objObservacion> colObservaciones = std::vector<objObservacion>(NUM_SLOTS);

    // Slot k, 1..23.
    double& Slot(int k) { return colObservaciones.at(static_cast<size_t>(k - 1)).Valor; }
    double Slot(int k) const { return colObservaciones.at(static_cast<size_t>(k - 1)).Valor; }

    // Reduces the observations and computes the sighted point. Full mode forms
    // the face means and the reciprocal checks (slots 15..23); simple mode
    // takes slots 15, 16 and 17 as given. A step that faults keeps the value
    // it would have written.
    void Radiar();
};
