#pragma once
// Adjustment of a closed traverse: Bowditch, transit and least squares, with
// the tolerances of the closure and a text report. Works on a copy of what it
// reads: the traverse itself is never changed; the adjusted coordinates live
// in the result.
//
// The traverse as the sheet holds it, n stations: station i (1-based) stands
// on point P(i-1), looks back at P(i-2) and forward at P(i), with P(0) = BE,
// P(-1) = BO and P(n) = PV. The last station stands on P(n-1), the closing
// point, which the closure compares with the arrival vertex PE. The legs are
// P(i-1) -> P(i) of stations 1 .. n-1, with the mean reduced distance of the
// station (slot 23) and its height difference (sighted minus station height).
// Station n's distance to PV joins two known vertices and is not used.
#include <string>
#include <vector>

#include "core/Estadistica.h"
#include "core/objPto.h"
#include "traverse/Poligonal.h"

enum class MetodoCompensacion {
    Bowditch,         // linear misclosure in proportion to the leg lengths
    Transito,         // in proportion to |dX| and |dY| of the legs
    MinimosCuadrados, // directions and distances weighted by their a-priori sigma
};

// The three choices as the window offers them, Bowditch first (the default).
std::string NombreMetodo(MetodoCompensacion metodo);

// A-priori precision of the observations as they enter the adjustment. The
// defaults suit a 5" (1.5 mgon) total station: 15 cc for a direction measured
// in both faces, 2 mm + 2 ppm for a distance, 1 mm centring of instrument and
// target.
struct PrecisionApriori {
    double DireccionCC = 15.0; // sigma of a face-mean horizontal direction, cc
    double DistanciaMM = 2.0;  // constant part of a distance's sigma, mm
    double DistanciaPPM = 2.0; // part proportional to the distance, mm/km
    double CentradoMM = 1.0;   // centring of the instrument and of each target, mm
};

// sigma of a direction over a sight of `longitud` metres, in radians: the
// reading and the centring of instrument and target, sqrt(s^2 + 2 c^2 / L^2).
double SigmaDireccion(const PrecisionApriori& p, double longitud);
// sigma of a distance, metres: a + b * L (mm and ppm added as the
// manufacturers state them).
double SigmaDistancia(const PrecisionApriori& p, double longitud);
// sigma of a leg's height difference (mean of direct and reciprocal), metres:
// the zenith angles measured with the direction's sigma, s * L / sqrt(2).
double SigmaDesnivel(const PrecisionApriori& p, double longitud);

// Tolerances of the closure. The default angular one is about 2.4 sigma of
// the sum of n angles (each the difference of two 15 cc directions).
struct Tolerancias {
    double AngularCC = 50.0;   // angular misclosure allowed: AngularCC * sqrt(n), cc
    double Relativa = 10000.0; // N of the relative precision 1:N required
};

struct OpcionesCompensacion {
    MetodoCompensacion metodo = MetodoCompensacion::Bowditch;
    PrecisionApriori precision;
    Tolerancias tolerancias;
};

// One row of the result: a point of the traverse. Rows are the station
// points of stations 1 .. n: the starting vertex (fixed, no correction), the
// intermediate stations and the closing point.
struct PuntoCompensado {
    std::string N;
    bool fijo = false;                   // not moved by the adjustment (the starting vertex)
    double X = 0.0, Y = 0.0, Z = 0.0;    // adjusted, metres
    double dX = 0.0, dY = 0.0, dZ = 0.0; // adjusted minus the traverse as held, metres
    // Least squares only (zero otherwise and on fixed points), metres and grads:
    double sX = 0.0, sY = 0.0; // standard deviations
    double a = 0.0, b = 0.0;   // semi-axes of the standard error ellipse
    double acimutA = 0.0;      // azimuth of the semi-major axis, [0, 200)
};

// One leg of the compensation rules (Bowditch and transit): the corrections
// added to its increments. Their sums are the misclosures distributed.
struct TramoCompensado {
    std::string desde, hasta;
    double distancia = 0.0;              // mean reduced distance, metres
    double acimut = 0.0;                 // carried azimuth with the angular correction, grads
    double correccionAcimut = 0.0;       // angular correction of this leg's azimuth, grads
    double dX = 0.0, dY = 0.0, dZ = 0.0; // increments before the linear correction
    double cX = 0.0, cY = 0.0, cZ = 0.0; // linear corrections of the increments
};

enum class TipoObservacion { Direccion, Distancia, Desnivel };

// One observation of the least-squares adjustment.
struct ObservacionCompensada {
    TipoObservacion tipo = TipoObservacion::Direccion;
    int estacion = 0; // station (1-based) that observed it
    std::string desde, hasta;
    double observada = 0.0;   // grads for directions, metres otherwise
    double residuo = 0.0;     // adjusted minus observed, same unit
    double sigma = 0.0;       // a-priori sigma, same unit
    double redundancia = 0.0; // redundancy number r, 0..1
    double w = 0.0;           // standardized residual v / (sigma sqrt(r))
    bool sospechosa = false;  // |w| > VALOR_CRITICO_W: probable blunder
};

// Critical value of the standardized residuals (normal, two-sided 0.1 %).
constexpr double VALOR_CRITICO_W = 3.29;

struct ResultadoCompensacion {
    bool ok = false;
    std::string error; // why nothing was adjusted, in the program's language

    MetodoCompensacion metodo = MetodoCompensacion::Bowditch;
    int estaciones = 0;

    // The closure exactly as the closure window shows it (known minus carried).
    ErroresCierre cierre;
    // The linear misclosure that is distributed: known minus carried after
    // the angular correction, metres; fZ = the height misclosure.
    double fX = 0.0, fY = 0.0, fZ = 0.0, fT = 0.0;
    double longitud = 0.0;  // sum of the leg lengths, metres
    double precision = 0.0; // N of 1:N = longitud / fT (0 when fT = 0: exact)

    double toleranciaAngular = 0.0; // grads
    bool angularDentro = false;
    bool relativaDentro = false;
    bool dentroTolerancia = false;
    std::string veredicto; // "Dentro de tolerancia" or "Fuera de tolerancia: ..."

    std::vector<PuntoCompensado> puntos;
    std::vector<TramoCompensado> tramos; // Bowditch and transit (empty with least squares)

    // Least squares.
    std::vector<ObservacionCompensada> observaciones; // directions, distances, height differences
    std::vector<double> orientaciones;                // orientation unknown of each station, grads
    int iteraciones = 0;
    int redundancia = 0;      // degrees of freedom of the plan adjustment
    double omega = 0.0;       // v'Pv of the plan adjustment
    double sigma0 = 0.0;      // a-posteriori sigma of unit weight
    double chi2Critico = 0.0; // chi-square 95 % quantile for `redundancia`
    bool chi2Aceptada = false;
    double sigma0Cotas = 0.0; // a-posteriori sigma of the height adjustment
    int sospechosas = 0;      // observations with |w| > VALOR_CRITICO_W
};

// Adjusts the traverse between the starting vertices BE, BO and the arrival
// vertices PE, PV of an accepted closure. Never throws: degenerate input
// (closure not accepted, fewer than 3 stations, a leg of no length, a
// singular normal matrix, ...) gives ok = false and the reason in `error`.
ResultadoCompensacion Compensar(const objPto& BE, const objPto& BO, const colEstaciones& estaciones, const objPto& PE,
                                const objPto& PV, bool cierreAceptado, const OpcionesCompensacion& opciones = {});


// "1:12345", the relative precision as the window shows it ("1:∞" for an
// exact closure).
std::string TextoPrecision(double N);

// The texts of one result row, as the window shows them: name, X, Y, Z
// ("0.000"), dX, dY, dZ (mm, "0.0"); with least squares also sX, sY, a, b
// (mm, "0.0") and the azimuth of a ("0.0000" grads).
std::vector<std::string> TextosPuntoCompensado(const PuntoCompensado& p, bool minimosCuadrados);

// The table of adjusted points as the window lists it and the report prints
// it: the heading and one row per point, the texts of TextosPuntoCompensado
// in padded columns (trailing blanks removed); the starting vertex ends in
// "fijo".
std::string CabeceraPuntosCompensados(bool minimosCuadrados);
std::string FilaPuntoCompensado(const PuntoCompensado& p, bool minimosCuadrados);

// The report as rows (observations, residuals, corrections, the summary and
// the verdict), and the same as file text with CR LF.
std::vector<std::string> FilasInformeCompensacion(const ResultadoCompensacion& r, const OpcionesCompensacion& o);
std::string EscribirInformeCompensacion(const ResultadoCompensacion& r, const OpcionesCompensacion& o);

// The bases file of the adjusted points: BE, BO, then the adjusted station
// points 2 .. n (the closing point last), as the traverse export writes them.
std::string ExportarBasesCompensadas(const objPto& BE, const objPto& BO, const ResultadoCompensacion& r);
