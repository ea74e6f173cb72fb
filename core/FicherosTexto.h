#pragma once
// The rows of the base, point and observation lists and the text files that
// carry them: bases (.bse), points (.asc), observations (.txt/.obs) and tense
// (.tse). Everything here works on plain text, with no window or dialog, so
// that the list operations of modFuncionesAuxiliares only add the dialog, the
// list control and the messages.
//
// Rows made here use one blank between words, three decimals for distances,
// coordinates and heights, four for angles, and "." as the decimal point.
// Files are written with CR LF line ends; they are read with LectorCampos.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/LectorCampos.h"
#include "core/objPto.h"

// ---------------------------------------------------------------- list model

// What a cut does to a list: remove `cuantas` rows from `inicio`, then select
// `nuevaSeleccion` (-1 for none). cuantas = 0 means the cut does nothing.
struct Corte {
    int inicio = 0;
    int cuantas = 0;
    int nuevaSeleccion = -1;
};

// Cutting the selected base: only when the selection is a name row (index a
// multiple of six) the whole group of six rows goes (fewer if the list ends
// before); nothing is selected afterwards.
Corte PlanCortarBase(int numeroFilas, int seleccion);
// Cutting the selected row of a point or observation list: that row goes and
// the row before it becomes selected (row 0 when the first one went; none
// when the list is left empty).
Corte PlanCortarFila(int numeroFilas, int seleccion);

// The four texts shown for a selected base or point: name (or number), X, Y, Z.
using TextosSeleccion = std::array<std::string, 4>;

// A base from its name row and its X, Y, Z rows: the name unchanged, the
// coordinates read as numbers and shown with three decimals (empty when the
// value cannot be shown).
TextosSeleccion TextosBase(const std::string& nombre, const std::string& x, const std::string& y,
                           const std::string& z);
// A point from its row: word 0 unchanged, words 1, 2, 3 read as numbers and
// shown with three decimals (PalabraFila; a missing word reads 0).
TextosSeleccion TextosPunto(const std::string& fila);

// ------------------------------------------------------------- row builders

// The six rows of a base: name, empty, X, Y, Z (three decimals), empty.
std::array<std::string, 6> FilasBase(const std::string& nombre, double x, double y, double z);
// A base typed by hand: the name must not be empty and X, Y, Z must be
// numbers (EsNumero) whose values can be shown. False leaves `filas` as it was.
bool FilasBaseTecleada(const std::string& nombre, const std::string& x, const std::string& y,
                       const std::string& z, std::array<std::string, 6>& filas);
// "12 1000.000 2000.000 100.000": the number as given, X Y Z with three decimals.
std::string FilaPunto(const std::string& numero, double x, double y, double z);
// A point number read from a file: the value rounded to a whole number, halves
// to the even neighbour, in plain digits with "-" when negative ("12.5" is 12,
// "13.5" is 14). Empty for a value that is not finite.
std::string NumeroPunto(double valor);

// Word k (from 0) of a row: every single blank separates, so two blanks in a
// row make an empty word; a word the row does not have is empty.
std::string_view PalabraFila(std::string_view fila, int k);

// ---------------------------------------------------------------- readers

// What a reader appends to its list. When a read fails the rows before the
// failure are kept and `descripcion` tells why (the text that follows
// "Se produjo un error al abrir el fichero. ").
struct ResultadoLectura {
    std::vector<std::string> filas;
    bool fallo = false;
    std::string descripcion;
};

// Descriptions of the reading failures.
extern const char* const DESC_FIN_FICHERO; // reading past the end of the data
extern const char* const DESC_DESBORDAMIENTO; // a number too large to hold

// Bases file: per base four fields (name, X, Y, Z) become six rows. A base
// whose fields end before its Z is not appended, so the list always holds
// whole groups. A name that is not valid UTF-8 is taken as Latin-1.
ResultadoLectura LeerBases(std::string_view texto);
// Points file: per field (normally a whole line) one point row; empty lines
// are skipped; missing words read as 0.
ResultadoLectura LeerPuntos(std::string_view texto);
// Observation file: per five fields one observation row.
ResultadoLectura LeerObservaciones(std::string_view texto);
// The observation row of five fields as read from a file (number, Hz, V,
// slope distance, signal height); false when a value is too large to show,
// where the reader stops.
bool FilaObservacion(const std::array<std::string_view, 5>& campos, std::string& fila);

// ---------------------------------------------------------------- writers

// One line `"name","X","Y","Z"` per base (rows 0, 6, 12, ... and the three
// coordinate rows of each), coordinates read again and written with three
// decimals. Missing rows at the end of the list count as empty texts.
std::string EscribirBases(const std::vector<std::string>& filas);
// Every non-empty row, one a line.
std::string EscribirPuntos(const std::vector<std::string>& filas);
// Every row, empty ones included, one a line.
std::string EscribirTense(const std::vector<std::string>& filas);

// ------------------------------------------------- blocks of observations

// Rows of the block in the observation list: the row of the first point and
// the row of the last point, -1 when not found. A later row of the same number
// replaces an earlier one until both have been found; the walk stops there.
struct FilasBloque {
    long primera = -1;
    long ultima = -1;
};
FilasBloque LocalizarBloque(const std::vector<std::string>& observaciones, double ptoI, double ptoF);

// The point number of an observation row when word 0 is a whole number.
bool NumeroDeFila(const std::string& fila, double& numero);

// ---------------------------------------------------------------- texts

// Latin-1 bytes are turned into UTF-8 when the text is not valid UTF-8.
std::string TextoUtf8(std::string_view texto);

// ---------------------------------------------------- points from the lists

// The bases of a base list: groups of six rows (name, empty, X, Y, Z, empty).
// A group whose coordinates are not numbers is left out.
std::vector<objPto> LeerListaBases(const std::vector<std::string>& filas);
// The points of a point list, "number X Y Z": the first four words of each
// row; rows whose X, Y, Z are not numbers are left out. Rows with more words
// (an adjusted point with its corrections) give their first four.
std::vector<objPto> LeerListaPuntos(const std::vector<std::string>& filas);
// One point row; false when words 1..3 are not numbers.
bool LeerFilaPunto(std::string_view fila, objPto& punto);
// The points of a list laid out in columns (name, X, Y, Z and more, any run
// of blanks between them), as the adjusted points are listed.
std::vector<objPto> LeerListaColumnas(const std::vector<std::string>& filas);
