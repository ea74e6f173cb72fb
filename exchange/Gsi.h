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
// Blocks are separated by CR, LF, CR LF or any run of them (a CR LF counts
// as one line, any other CR or LF as a line of its own, for the numbers the
// unread lines are listed with). Words are read at their fixed width, so the
// blanks an instrument pads an empty word with are accepted: a word whose
// data are all blanks is a word not given, and blanks before or after the
// data are padding.
//
// Point IDs: a whole number stays as it is (leading zeros dropped); an ID
// that holds letters keeps its last run of digits as the point number
// ("GDEM5415" gives 5415) and is counted as shortened; an ID without digits
// makes its line unread.
//
// A block with Hz and V is an observation: point number, Hz, V, slope
// distance (empty when the block has none, as an observation file may
// leave it) and the reflector height (the block's own, or the last one the
// file gave). A line with 84 to 88 and no angles is a station record. Code
// and information words (41-49) and any other word are passed over. A line
// that cannot be read is listed with its reason and the reading goes on.
#include <map>
#include <string>
#include <string_view>
#include <vector>

// A station record of a download: where the instrument stood and its height.
struct EstacionDescarga {
    long linea = 0;        // line of the file, from 1
    std::string numero;    // the station's point number, when the record has one
    bool tieneAltura = false;
    double alturaInstrumento = 0.0;
};

struct LineaNoLeida {
    long linea = 0;
    std::string motivo;
};

using EstacionGsi = EstacionDescarga;

// The point IDs with letters that were shortened to their digits: how many
// observation rows, and the first one as an example for the message.
struct Acortados {
    long cuantos = 0;
    std::string ejemploId;     // "GDEM5415"
    std::string ejemploNumero; // "5415"
};

// What every instrument reader gives: observation rows exactly as the
// program's observation file would give them (number, Hz and V in grads with
// four decimals, slope distance and signal height in metres with three), the
// station records, the lines not read with their reason, and the IDs
// shortened.
struct LecturaDescarga {
    std::vector<std::string> filas; // observation rows
    std::vector<EstacionDescarga> estaciones;
    std::vector<LineaNoLeida> noLeidas;
    Acortados acortados;
};
using LecturaGsi = LecturaDescarga;

LecturaGsi LeerGsi(std::string_view texto);

// The point number of an instrument's point ID (blanks around it ignored):
// digits only give themselves without leading zeros ("0012" is 12, "0" is
// 0); an ID with letters gives its last run of digits and `acortado` is set.
// False when the ID holds no digit.
bool NumeroDeIdentificador(std::string_view id, std::string& numero, bool& acortado);

// Notes a shortened ID (counts it and keeps the first as the example).
void AnotarAcortado(Acortados& a, std::string_view id, const std::string& numero);

// The sentence the window adds after loading when IDs were shortened, e.g.
// "3 identificadores de punto llevaban letras y se acortaron a sus últimas
// cifras (GDEM5415 pasa a ser 5415)."; empty when none was.
std::string MensajeAcortados(const Acortados& a);

// The lines of a text separated by CR, LF, CR LF or runs of them. Each call
// gives the next line (empty lines are skipped) and its number from 1: a CR
// LF ends one line, any other CR or LF one line each.
class LectorLineas {
public:
    explicit LectorLineas(std::string_view texto) : texto_(texto) {}
    bool Siguiente(std::string_view& linea, long& numero);

private:
    std::string_view texto_;
    size_t pos_ = 0;
    long numero_ = 0;
};

// Observation rows as the program's observation file gives them. Values are
// added in grads and metres at full precision; the rows are made by the
// observation file reader itself, so they round exactly as a file would.
class FilasObservacion {
public:
    // `di` negative (or not finite) leaves the distance empty, as a file may.
    void Anadir(std::string_view numero, double hz, double v, double di, double m);
    // Text values already in grads and metres, as they stand.
    void AnadirTexto(std::string_view numero, std::string_view hz, std::string_view v, std::string_view di,
                     std::string_view m);
    // The rows, taken out.
    std::vector<std::string> Filas();

private:
    void AnadirLinea(bool limpia);
    // Rows whose fields hold no blank at their ends, quote, comma or line end
    // are made at once, as the reader would make them from their line; from
    // the first one that does, the lines go into `texto_` for the reader.
    std::vector<std::string> filas_;
    std::string texto_, linea_, fila_;
    bool parado_ = false; // a value too large to show: the reader stops there
};

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

// The blocks of a GSI download with their numeric words as values, for the
// readers that need more than observation rows (the traverse import): words
// 21 and 22 in grads, 31 to 33 and 81 to 88 in metres, at full precision.
struct BloqueGsi {
    long linea = 0;
    std::string id;               // word 11 without its padding; empty when none
    std::map<int, double> valores; // word index -> value
    bool Tiene(int indice) const { return valores.count(indice) != 0; }
    double Valor(int indice) const { return Tiene(indice) ? valores.at(indice) : 0.0; }
};
struct BloquesGsi {
    std::vector<BloqueGsi> bloques;
    std::vector<LineaNoLeida> noLeidas;
};
BloquesGsi LeerBloquesGsi(std::string_view texto);
