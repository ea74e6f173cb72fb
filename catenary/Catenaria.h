#pragma once
// The catenary of a span, from the texts of the catenary window to the rows of
// its two result lists. The station D is a known base, A and B the anchors of
// the span. Every observed point of the conductor is placed in plan where its
// line of sight from D cuts the line A-B, its height comes from the zenith
// angle, and the points are projected on the span's vertical plane as
// (distance from A, height), where the parabola through both anchors is fitted.
#include <string>
#include <vector>

#include "core/modFuncionesTopo.h"
#include "core/objPto.h"

// What stops a computation. The first seven leave the window as it was; with
// SinAjuste the lists are filled but the parabola could not be fitted.
enum class FalloCatenaria {
    Ninguno,
    SinBase,             // station not chosen
    SinAnclajes,         // an anchor not chosen
    DatosNoValidos,      // no observations, or an instrument height that is not a number
    PocasObservaciones,  // fewer than three observation rows
    FinalNoMayor,        // final number not greater than the initial one
    InicialNoEncontrado, // initial number not in the list
    FinalNoEncontrado,   // final number not in the list
    SinAjuste,           // no parabola fits the projected points
};

// The text of the message box of a failure; empty for Ninguno.
std::string MensajeCatenaria(FalloCatenaria fallo);

// The texts the computation reads from the window.
struct DatosCatenaria {
    std::string Base, BaseX, BaseY, BaseZ;  // station labels
    std::string Pto1, Pto1X, Pto1Y, Pto1Z;  // anchor 1 labels
    std::string Pto2, Pto2X, Pto2Y, Pto2Z;  // anchor 2 labels
    std::string i;                          // instrument height box
    std::string PtoI, PtoF;                 // initial and final numbers of the block
    std::vector<std::string> Observaciones; // rows of the observation list
};

struct ResultadoCatenaria {
    FalloCatenaria Fallo = FalloCatenaria::Ninguno;
    // Rows of the computed points list and of the projection list (the tense
    // rows); both empty when the computation was refused.
    std::vector<std::string> PuntosCatenaria;
    std::vector<std::string> Proyeccion;
    // The projected profile handed to the fit: X distance from A, Y height.
    std::vector<objPto> Perfil;
    objParabola Parabola;
    // Observations of the block left out because their line of sight does not
    // cut the line A-B at a single point (it runs parallel to it).
    int Omitidos = 0;

    // True when the lists were rebuilt (success or SinAjuste).
    bool Calculado() const { return Fallo == FalloCatenaria::Ninguno || Fallo == FalloCatenaria::SinAjuste; }
};

ResultadoCatenaria CalcularCatenaria(const DatosCatenaria& datos);

// Plan position of an observed point: the intersection of the line of sight
// from D, of azimuth az (grads, any turn), with the line through A of azimuth
// AzAB. Height of the point from D's height, the instrument height i and the
// zenith angle V, without curvature or refraction. False (C untouched) when
// the sight runs parallel to the line (directions within 1e-9 grads of each
// other, in either sense) or when the result is not a finite point.
bool SituarPuntoCatenaria(const objPto& D, const objPto& A, double AzAB, double az, double i, double V, objPto& C);

// A projection row: distance and height with three decimals, joined by a
// comma ("45.123,102.456").
std::string FilaProyeccion(double distancia, double cota);

// The note shown when observations of the block were left out.
std::string MensajeOmitidos(int omitidos);
