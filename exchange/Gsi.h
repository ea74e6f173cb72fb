#pragma once
// Total-station downloads in Leica's GSI format, read into the rows of an
// observation list exactly as the matching observation file would give them.
//
// A GSI line is a block of words separated by blanks; a line that starts
// with "*" has 16-character data (GSI-16), any other 8-character data
// (GSI-8), and both may be mixed in one file. A word is the word index (two
// digits), four characters of information whose last is the unit, a sign,
// and the data without a decimal point. The words read are:
//
// | index | meaning                      |
// |-------|------------------------------|
// | 11    | point number                 |
// | 21    | horizontal circle (Hz)       |
// | 22    | vertical circle (zenith, V)  |
// | 31    | slope distance               |
// | 84-86 | station X, Y, Z              |
// | 87    | reflector (signal) height    |
// | 88    | instrument height            |
//
// Units, from the unit character, with the places after the point:
// 0 metre (3), 1 US survey foot (3), 2 grads (5), 3 decimal degrees (5),
// 4 sexagesimal degrees DDD.MMSSs (5), 5 mils of 6400 (4), 6 metre (4),
// 7 international foot (4), 8 metre (5). Angles become grads and lengths
// metres.
//
// A block with Hz and V is an observation: point number, Hz, V, slope
// distance (empty when the block has none, as an observation file may
// leave it) and the reflector height (the block's own, or the last one the
// file gave). A line with 84 to 88 and no angles is a station record. Code
// and information words (41-49) and any other word are passed over. A line
// that cannot be read is listed with its reason and the reading goes on.
#include <string>
#include <string_view>
#include <vector>

struct EstacionGsi {
    long linea = 0;        // line of the file, from 1
    std::string numero;    // the station's point number, when the record has one
    bool tieneAltura = false;
    double alturaInstrumento = 0.0;
};

struct LineaNoLeida {
    long linea = 0;
    std::string motivo;
};

struct LecturaGsi {
    std::vector<std::string> filas; // observation rows
    std::vector<EstacionGsi> estaciones;
    std::vector<LineaNoLeida> noLeidas;
};

LecturaGsi LeerGsi(std::string_view texto);

// One word of a line, split into its parts: the word index (the first two
// digits), the four characters of information (the last is the unit), the
// sign and the data. The levelling readings 331 to 333 are index 33 with the
// third digit as the first character of the information.
struct PalabraGsi {
    int indice = 0;
    std::string_view informacion;
    char unidad = '.';
    bool negativo = false;
    std::string_view datos;
};

// The words of one line (a leading "*" makes it GSI-16); false with the
// reason when a word is malformed. The views point into `linea`.
bool PalabrasGsi(std::string_view linea, std::vector<PalabraGsi>& palabras, std::string& motivo);

// The value of a numeric word as a decimal text in grads (angles) or metres
// (lengths), by its unit character; false with the reason when it cannot be
// read.
bool ValorGsi(const PalabraGsi& p, bool angulo, std::string& texto, std::string& motivo);

// The one message that lists the lines not read: at most ten by number and
// reason, then "y N más". Empty when every line was read.
std::string MensajeNoLeidas(const std::vector<LineaNoLeida>& noLeidas);
