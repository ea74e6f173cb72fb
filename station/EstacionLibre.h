#pragma once
// Station set-up: where the instrument stands and where its circle's zero
// points, from sights to known bases.
//
// - Free station: the station's X, Y and the orientation unknown (and the
//   scale of the distances when it is left free), adjusted by least squares
//   from the directions and the reduced distances. Directions alone, to three
//   or more bases, make a resection; with exactly three the solution is
//   unique and has no redundancy.
// - Known station: the instrument stands on a base; only the orientation is
//   adjusted, as the weighted mean of (azimuth - Hz).
// - Height: the weighted mean of each sight's trigonometric station height,
//   reduced as the radiation reduces it (CotaPuntoEstacion with the K in
//   force).
//
// Directions are weighted with the direction sigma and the centring of
// instrument and target, distances with a + b ppm (traverse/Compensacion.h).
// Every standardized residual is w = v / sigma_v with the a-priori sigma.
// Never throws: whatever cannot be computed gives ok = false and the reason.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/objPto.h"
#include "traverse/Compensacion.h"

// The refusals, as the window shows them.
extern const char* const MSG_FALTAN_OBSERVACIONES;
extern const char* const MSG_CIRCUNFERENCIA_PELIGROSA;
// "El punto «N» no está en la lista de bases."
std::string MensajePuntoDesconocido(const std::string& nombre);

// One sight from the station to a base.
struct VisualEstacion {
    std::string punto;           // the sighted base
    double Hz = 0.0;             // horizontal reading, grads
    std::optional<double> V;     // zenith reading, grads; none: no height from this sight
    std::optional<double> Dg;    // slope distance, metres; none: a direction only
    double m = 0.0;              // signal height, metres
};

struct DatosEstacion {
    bool libre = true;           // false: the station is a known base
    std::string nombre = "EL-1"; // the station's name
    double i = 0.0;              // instrument height, metres
    std::vector<VisualEstacion> visuales;
    std::vector<objPto> bases;   // the known points
    // Known station only: its plan position, and its height when the base gives one.
    objPto estacion;
    std::optional<double> Zestacion;
    bool escalaLibre = false;    // adjust a scale factor of the distances
    PrecisionApriori precision;
};

// The residuals of one sight. v is adjusted minus observed: vHz in grads,
// vD and vZ in metres (vZ: the station height of this sight minus the mean).
struct ResiduoEstacion {
    std::string punto;
    std::optional<double> vHz, vD, vZ;
    double wHz = 0.0, wD = 0.0; // standardized residuals (0 where not controlled)
    double w = 0.0;             // the larger of the two in size
    bool sospechosa = false;    // |w| > VALOR_CRITICO_W
};

struct ResultadoEstacion {
    bool ok = false;
    std::string aviso; // why nothing was computed

    bool libre = true;
    objPto estacion;          // X, Y (and Z when conZ)
    bool conZ = false;
    double orientacion = 0.0; // azimuth of the circle's zero, grads [0, 400)
    double escala = 1.0;      // grid distance over measured distance
    bool escalaLibre = false; // the scale was adjusted

    int observaciones = 0;    // directions and distances adjusted
    int incognitas = 0;
    int redundancia = 0;
    int iteraciones = 0;
    double omega = 0.0;       // v'Pv
    double sigma0 = 0.0;      // a-posteriori sigma of unit weight (0 with no redundancy)
    double chi2Critico = 0.0; // chi-square 95 % quantile for the redundancy
    bool chi2Aceptada = false;
    // Standard deviations (a priori), metres and grads, and the 95 % error
    // ellipse of the station: semi-axes in metres, azimuth of a in grads.
    double sX = 0.0, sY = 0.0, sZ = 0.0, sOrientacion = 0.0;
    double a = 0.0, b = 0.0, acimutA = 0.0;

    std::vector<ResiduoEstacion> residuos; // one per sight, in the order given
    int sospechosas = 0;
};

ResultadoEstacion CalcularEstacion(const DatosEstacion& d);

// ------------------------------------------------------------------ texts

// One observation row as the window holds it.
struct FilaVisualTextos {
    std::string punto, Hz, V, Dist, Hs;
};

// What the window holds, as texts.
struct EntradaEstacion {
    bool libre = true;
    std::string nombre, i;
    std::vector<FilaVisualTextos> filas;
    std::vector<std::string> bases; // the base list, six rows a base
    // Known station: the base taken (name, X, Y, Z; an empty Z is computed).
    std::array<std::string, 4> estacion;
    bool escalaLibre = false;
    std::string sigmaAngular, sigmaDistancia, sigmaPpm; // cc, mm, ppm
};

// The data from the texts. A row counts when it names a point and its Hz is a
// number; an empty (or not numeric) V or distance leaves that part out; the
// signal height reads 0 when empty. A sigma that is not a positive number
// keeps its default.
DatosEstacion LeerEntradaEstacion(const EntradaEstacion& e);

// The texts of the result labels and the residual rows: everything empty but
// the warning when there is no result.
struct TextosEstacion {
    std::string X, Y, Z, orientacion, escala, sigma0, prueba, semiejeMayor, semiejeMenor, aviso;
    std::vector<std::string> residuos;
};
TextosEstacion TextosResultadoEstacion(const ResultadoEstacion& r);

// One residual row: name, vHz cc, vD mm, vZ mm, w, "*" when suspicious.
std::string FilaResiduoEstacion(const ResiduoEstacion& r);
std::string CabeceraResiduosEstacion();

// The report as rows, and as file text with CR LF.
std::vector<std::string> FilasInformeEstacion(const DatosEstacion& d, const ResultadoEstacion& r);
std::string EscribirInformeEstacion(const DatosEstacion& d, const ResultadoEstacion& r);

// The bases file: the known bases sighted and then the station (its height 0
// when it has none).
std::string ExportarBasesEstacion(const DatosEstacion& d, const ResultadoEstacion& r);

// The observation rows of an observation file for this window: per five
// fields (point, Hz, V, distance, signal height) one row, the point kept as
// written (a name or a number), empty fields kept empty. At most `maximo`
// rows; an incomplete last record is dropped.
std::vector<FilaVisualTextos> LeerObservacionesEstacion(std::string_view texto, size_t maximo);
