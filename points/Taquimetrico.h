#pragma once
// The tacheometric block: a run of detail points radiated from one station
// with one station record in simple mode, and the preparation of the next
// station of a tacheometric run. The window's labels and fields travel as the
// texts it shows; the observation rows are those of the observation list
// ("N Hz V DI m") and the computed rows those of the point list ("N X Y Z").
#include <array>
#include <string>
#include <vector>

// What the tacheometry window shows for the station at hand.
struct EstacionTaquimetrica {
    std::array<std::string, 4> BE; // name, X, Y, Z of the station base
    std::array<std::string, 4> BO; // name, X, Y, Z of the orientation base
    std::string Hz;                // reading on the orientation base
    std::string i;                 // instrument height
    std::string PtoI;              // first point of the block
    std::string PtoF;              // last point of the block
};

// Outcome of a block computation; every state but Calculado is a refusal
// that leaves everything as it was.
enum class EstadoBloque {
    Calculado,
    DatosNoValidos,
    SinBases,
    FinalMenorOIgual,
    InicialNoEncontrado,
    FinalNoEncontrado,
};

// The message shown for a refusal (empty for Calculado).
std::string MensajeBloque(EstadoBloque estado);


// Computes the block: checks the inputs, finds the block, radiates every row
// from its first row to its last row (inclusive, whatever their numbers) and
// appends one point row each to puntos. When both points were found the
// station is prepared for the next one of the run: BE moves to BO, BE is
// emptied, PtoI becomes PtoF + 1, PtoF and i are emptied, Hz is kept.
EstadoBloque CalcularBloque(EstacionTaquimetrica& estacion, const std::vector<std::string>& observaciones,
                            std::vector<std::string>& puntos);

// The station labels after a block: BE shifts into BO and is emptied; the
// next block starts after the last point.
void PrepararSiguienteEstacion(EstacionTaquimetrica& estacion);
