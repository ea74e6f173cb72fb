#pragma once
// The traverse without its window: chaining of the stations, the agreement
// indicators of a station, the list of known points, the relative survey of
// the orientation vertex, the closure errors and the traverse files as text.
#include <array>
#include <string>
#include <vector>

#include "core/objEstacion.h"
#include "core/objPto.h"

// The stations of a traverse, in order; station i is element i - 1.
using colEstaciones = std::vector<objEstacion>;

// ---------------------------------------------------------------- chaining

// Station i (1-based, i > 1) takes its station point from the point sighted
// by station i - 1 and its orientation point from the station point of i - 1.
void EncadenarEstacion(colEstaciones& estaciones, int i);

// Re-chains and recomputes every station after station `actual` (1-based),
// in order, so each one sees the already updated one before it.
void PropagarBases(colEstaciones& estaciones, int actual);

// Station 1 on the starting vertices: created when the traverse has no
// station, its station point BE and orientation point BO copied in, then
// recomputed. The later stations are left as they are.
void PrimeraEstacion(colEstaciones& estaciones, const objPto& BE, const objPto& BO);

// Appends a station chained on the last one. Its instrument height (slot 8)
// is the height measured at that same point for the reciprocal observation
// of the station before (slot 13). False, nothing appended, when the
// traverse is empty or full.
bool AnadirEstacion(colEstaciones& estaciones);

// ------------------------------------------------------------ indicators

// Value of a bar from a value in its unit (cc or mm): the integer part,
// never rounded up, and 100 above 100. False when the value is not a
// number (the bar then keeps what it showed).
bool BarraAcotada(double valor, int& barra);

// The four disagreements of a station (grads for the faces, metres for the
// direct/reciprocal checks), from its stored slots.
struct Discrepancias {
    double a1 = 0.0; // | |slot 2 - slot 1| - 200 |
    double a2 = 0.0; // | |slot 4 - slot 3| - 200 |
    double z1 = 0.0; // | slot 5 + slot 6 - 400 |
    double z2 = 0.0; // | slot 10 + slot 11 - 400 |
    double D = 0.0;  // | slot 19 - slot 20 |
    double H = 0.0;  // | slot 21 - slot 22 |
};
Discrepancias CalcularDiscrepancias(const objEstacion& e);

// What an agreement indicator shows: its bar and its label.
struct Indicador {
    bool valido = false; // false: the computation faulted, leave the indicator as it is
    int barra = 0;
    std::string etiqueta;
};
Indicador IndicadorAcimutal(const objEstacion& e);   // bar in cc, label "0.0000"
Indicador IndicadorCenital(const objEstacion& e);    // bar in cc, label "0.0000"
Indicador IndicadorDistancias(const objEstacion& e); // bar in mm, label "0.000"
Indicador IndicadorCotas(const objEstacion& e);      // bar in mm, label "0.000"

// Total error index: (0.4 A + 0.25 V) x 10000 + (0.4 D + 0.25 H) x 1000 with
// A and V the sums (not the maxima) of the face disagreements.
double IndiceError(const objEstacion& e);

// ----------------------------------------------------------- the 15 inputs

// Decimals shown by observation box k (1..14): four for angles, three for
// lengths.
int DecimalesObservacion(int k);

// Text of observation box k (1..14) when a station is shown: box 1 always
// shows its value; on the last station the other unset (zero) values show
// as an empty box.
std::string TextoObservacion(const objEstacion& e, int k, bool ultima);

// The name box holds text and each of the 14 observation boxes a number.
bool DatosValidos(const std::array<std::string, 15>& textos);

// Face mean of a pair of readings as shown beside the grid, or "" while
// either text is not a number. Horizontal pairs use Bessel's horizontal
// rule, zenith pairs the zenith one.
std::string TextoMediaPar(bool horizontal, const std::string& directo, const std::string& inverso);

// ------------------------------------------------------ list of known points

// The list of the traverse sheet, six rows a point (FilasBase): the
// orientation starting vertex, the station starting vertex, then the sighted
// points of stations 1 .. n-1.
std::vector<std::string> FilasListaBases(const objPto& BE, const objPto& BO, const colEstaciones& estaciones);

// The rows an accepted closure leaves after that list, from the texts of the
// closure window as they stand: the arrival station vertex and the sighted
// arrival vertex (name, X, Y, Z, each six rows with its tag) and the five
// errors (angular, X, Y, Z, distance) under "[ERRORES DE CIERRE]".
std::vector<std::string> FilasCierre(const std::array<std::string, 4>& llegadaBE,
                                     const std::array<std::string, 4>& llegadaVisado,
                                     const std::array<std::string, 5>& errores);

// ------------------------------------------------------- relative survey

// The orientation vertex placed due north of the station vertex from a pair
// of reciprocal observations. The inputs are the texts of the window:
// observations 0..9 and the station vertex (name, X, Y, Z).
struct VerticeRelativo {
    bool valido = false; // false: the observations or the station vertex are incomplete
    std::string X, Y, Z;             // "0.000"
    std::string DifDistancias;       // |Dr2 - Dr1|, "0.000"
    std::string DifCotas;            // |Z2 - Z1|, "0.000"
};
bool ObservacionesRelativasValidas(const std::array<std::string, 10>& obs);
bool VerticeValido(const std::array<std::string, 4>& vertice);
VerticeRelativo CalcularVerticeRelativo(const std::array<std::string, 10>& obs, const std::array<std::string, 4>& be);

// A vertex from its four texts: the name as typed, the coordinates read by
// the number rule at full precision.
objPto LeerVertice(const std::array<std::string, 4>& vertice);

// --------------------------------------------------------------- closure

struct ErroresCierre {
    double EA = 0.0; // angular misclosure, grads, known minus carried
    double EX = 0.0, EY = 0.0, EZ = 0.0; // known minus carried, metres
    double ED = 0.0; // plan distance between the known and the carried point
};
// Azimuth of the last forward sight carried through the traverse from the
// starting azimuth BE -> BO, reduced to [0, 400).
double AcimutArrastrado(const objPto& BE, const objPto& BO, const colEstaciones& estaciones);
// The misclosures against the arrival station vertex PE and the sighted
// vertex PV. An angular misclosure straddling the zero direction is taken
// the short way round, into (-200, 200]. Needs at least one station.
ErroresCierre CalcularErroresCierre(const objPto& BE, const objPto& BO, const colEstaciones& estaciones,
                                    const objPto& PE, const objPto& PV);

// ----------------------------------------------------------- traverse files

// A number of a traverse file: at most 15 significant digits, "." as the
// decimal point, an exponent only where the shortest form needs it.
std::string NumeroPol(double valor);

// The traverse file: two starting vertices, then per station its three
// points and its 23 slots; lines ended by CR LF.
std::string EscribirPol(const objPto& BE, const objPto& BO, const colEstaciones& estaciones);

struct LecturaPol {
    bool ok = false;
    std::string error; // why the reading stopped, when not ok
    objPto BE;
    objPto BO;
    colEstaciones estaciones;
};
// Reads the text of a traverse file with the program's field reader
// (LectorCampos). Running out of data inside a record fails.
LecturaPol LeerPol(const std::string& texto);

// The bases file of the export: the station starting vertex, the orientation
// starting vertex, then the sighted points of stations 1 .. n-1; each line
// "name","X","Y","Z" with three decimals and CR LF, a coordinate that is not
// finite as an empty field. (The report is the sheet's list written by
// EscribirTense.)
std::string EscribirExportacion(const objPto& BE, const objPto& BO, const colEstaciones& estaciones);
