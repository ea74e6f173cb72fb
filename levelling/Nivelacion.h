#pragma once
// Levelling: a line or loop run from a level's field book, and networks of
// levelled lines adjusted by least squares.
//
// The field book holds one row per point, as the window's table shows it:
//
// | field     | meaning                                                    |
// |-----------|------------------------------------------------------------|
// | punto     | the point's name                                           |
// | espalda   | the backsight reading taken on it, m                       |
// | frente    | the foresight reading that reached it, m                   |
// | distancia | the length of levelling from the previous point to this   |
// |           | one (backsight plus foresight length of that set-up), m    |
//
// The first row has only a backsight and the last row only a foresight; a
// turning point has both. A row with a foresight and no backsight that is not
// the last is an intermediate sight: it hangs from the set-up it was read in
// and does not carry the line on.
//
// Heights and readings are metres; misclosures, tolerances, corrections and
// sigmas are kept in metres and shown in millimetres.
#include <string>
#include <string_view>
#include <vector>

#include "core/objPto.h"
#include "exchange/Gsi.h"

// ------------------------------------------------------------- field book

// One row of the field book; readings as texts, "" where nothing was read.
struct FilaLibreta {
    std::string punto, espalda, frente, distancia;
    long linea = 0;        // line of the file (or row of the table) it came from, from 1
    long lineaEspalda = 0; // line of its backsight when another one (a digital level's)
};

// A field book read from a file: the rows kept and the rows left out, each
// with its line and reason (MensajeNoLeidas lists them in one message).
struct LecturaNivel {
    std::vector<FilaLibreta> filas;
    std::vector<LineaNoLeida> noLeidas;
};

// The levelling text file: one point a line, `punto,espalda,frente,distancia`,
// empty fields where nothing was read; a first line of column titles is
// passed over.
LecturaNivel LeerLibretaNivel(std::string_view texto);

// A digital level's GSI download (GSI-8 or GSI-16): word 11 names the point,
// 32 is the sight's horizontal distance, 331 a backsight, 332 a foresight and
// 333 an intermediate sight, in any length unit. Each sight is one line; a
// backsight on the point the previous foresight reached joins its row, and
// the distance of a row is its sight's plus the set-up's backsight's. Lines
// without those readings (codes, heights, the level's own results, second
// readings 335 and 336) are passed over.
LecturaNivel LeerLibretaNivelGsi(std::string_view texto);

// True when the text looks like a GSI download: its first non-blank character
// starts a GSI word ("*" or two digits followed by a word's layout).
bool PareceGsi(std::string_view texto);

// The checks of a field book's sequence, done by the readers and by the line
// computation alike. A reading that is not a number leaves its row out; a
// foresight before any backsight, a backsight whose next row has no
// foresight, and a backsight on a point no foresight reached are dropped.
// Each is listed in `malas`, by the row's line.
void RevisarLibreta(std::vector<FilaLibreta>& filas, std::vector<LineaNoLeida>& malas);

// ------------------------------------------------------------- line or loop

enum class RepartoCierre {
    Distancias, // in proportion to the length levelled ("Proporcional a las distancias")
    Estaciones, // the same for every set-up ("Por igual en cada estación")
};

struct OpcionesLinea {
    double cotaInicial = 0.0;
    bool conCotaFinal = false; // false for an open line
    double cotaFinal = 0.0;    // the closing benchmark (the start for a loop)
    double k = 10.0;           // tolerance k * sqrt(L km), mm
    RepartoCierre reparto = RepartoCierre::Distancias;
};

struct PuntoNivelado {
    std::string nombre;
    bool intermedio = false;
    int estacion = 0;              // set-up that reached it (0 for the start)
    double distancia = 0.0;        // length levelled from the start, m (intermediates: at their set-up's back point)
    double cotaObservada = 0.0;    // m
    double correccion = 0.0;       // cumulative correction of its height, m
    double cotaCompensada = 0.0;   // m
};

struct ResultadoLinea {
    bool ok = false;
    std::string error;                // why nothing was computed
    std::vector<LineaNoLeida> malas;  // rows left out (RevisarLibreta), by table row
    int estaciones = 0;
    double longitud = 0.0;            // m, intermediates not counted
    double desnivel = 0.0;            // observed, last point minus first, m
    bool cerrada = false;             // a closing height was given
    double cierre = 0.0;              // observed minus known, m
    double tolerancia = 0.0;          // k sqrt(L km), m
    bool dentro = false;
    std::vector<PuntoNivelado> puntos;
};

// Heights of the field book's points. Never throws; `error` says why nothing
// was computed (fewer than two usable rows, a set-up without distance when
// the misclosure goes by distance, ...).
ResultadoLinea CalcularLinea(const std::vector<FilaLibreta>& filas, const OpcionesLinea& opciones);

// "Dentro de tolerancia" or "Fuera de tolerancia" (empty for an open line).
std::string Veredicto(const ResultadoLinea& r);

// The row of the list of heights: name, observed height, correction in mm
// and adjusted height, in padded columns ("int." after an intermediate
// sight); the heading first.
std::string CabeceraCotasLinea();
std::string FilaCotaLinea(const PuntoNivelado& p);

// ------------------------------------------------------------------ network

// One levelled line of a network: the height of `hasta` minus that of `desde`.
struct TramoRed {
    std::string desde, hasta;
    double desnivel = 0.0; // m
    double longitud = 0.0; // m
};

struct LecturaRed {
    std::vector<TramoRed> tramos;
    std::vector<LineaNoLeida> noLeidas;
};

// The network file: one line a row, `desde,hasta,desnivel,longitud`. A row
// with a missing field, a value that is not a number, a length that is not
// positive or the same point at both ends is left out and listed.
LecturaRed LeerRed(std::string_view texto);

struct CotaRed {
    std::string nombre;
    bool fija = false;
    double cota = 0.0;  // m
    double sigma = 0.0; // a-posteriori standard deviation, m (0 on fixed points)
};

struct ResultadoRed {
    bool ok = false;
    std::string error;
    std::vector<CotaRed> cotas;  // fixed points first, then the adjusted ones in order of appearance
    std::vector<double> residuos; // adjusted minus observed difference of each line, m
    int redundancia = 0;
    double vpv = 0.0;          // sum of v^2 / L, mm^2 / km
    double sigma0 = 0.0;       // a posteriori, mm per sqrt(km)
    double sigmaApriori = 0.0; // mm per sqrt(km)
    double chi2 = 0.0;         // vpv / sigmaApriori^2
    double chi2Critico = 0.0;  // 95 % quantile for `redundancia`
    bool aceptada = false;
};

// Least squares of the network's heights, each line weighted by 1 / its
// length in km, the points named in `fijos` held at their Z. With no
// redundancy the sigmas come from the a-priori sigma and the test is not
// made. Never throws: a network with no fixed point, or a point joined to no
// fixed one, gives ok = false and the reason.
ResultadoRed CompensarRed(const std::vector<TramoRed>& tramos, const std::vector<objPto>& fijos, double sigmaKmMm);

// The row of the list of heights of a network: name, adjusted height and its
// sigma in mm ("fija" for a fixed point); the heading first.
std::string CabeceraCotasRed();
std::string FilaCotaRed(const CotaRed& c);
// "Aceptada: 1.234 <= 5.991" or "Rechazada: ...", "Sin redundancia" when there is none.
std::string TextoPrueba(const ResultadoRed& r);

// ------------------------------------------------------------------ output

// The bases file with the Z of the bases named like an adjusted height
// replaced (three decimals); `cambiadas` counts the bases whose Z changed.
// False, with the reason, when the bases file cannot be read whole.
bool ActualizarCotasBases(std::string_view textoBases, const std::vector<CotaRed>& cotas, std::string& salida,
                          int& cambiadas, std::string& error);

// The text reports (CR LF) of a line and of a network.
std::string InformeLinea(const ResultadoLinea& r, const OpcionesLinea& o);
std::string InformeRed(const ResultadoRed& r, const std::vector<TramoRed>& tramos);
