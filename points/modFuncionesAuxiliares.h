#pragma once
// The list and file operations shared by every point window: base lists (six
// rows a base), point rows, observation rows, and the bases (.bse), points
// (.asc), observation (.txt/.obs) and tense (.tse) files. The parsing and
// formatting behind them are pure functions (core/FicherosTexto.h); these
// operations add the file dialog, the list control and the messages.
#include <QLabel>
#include <QString>
#include <optional>

#include "shell/Lista.h"

// Removes the selected base (six rows) when the selection is a name row.
void CortarBaseSeleccionada(cv::Lista* lista);
// Asks for a bases file and appends its bases to the list.
void AbrirFicheroBases(cv::Lista* lista, QWidget* ventana);
// Asks for a file name and writes the list as a bases file.
void GuardarFicheroBases(cv::Lista* lista, QWidget* ventana);
// Removes the selected row and selects the one before it.
void CortarFilaSeleccionada(cv::Lista* lista);
// Shows the selected base in the four labels, or empties them.
void MostrarBaseSeleccionada(cv::Lista* lista, QLabel* nombre, QLabel* x, QLabel* y, QLabel* z);
// Asks for a file name and writes the non-empty rows as a points file.
void ExportarPuntos(cv::Lista* lista, QWidget* ventana);
// Empties the list, asks for an observation file (or a total-station
// download: GSI, Sokkia SDR33, Topcon GTS, Nikon RAW, Rec Elta) and fills the
// list (CargarObservaciones). A download whose station record gives the
// instrument height returns it, for the window to offer.
std::optional<double> AbrirFicheroObservaciones(cv::Lista* lista, QWidget* ventana);
// Asks for a file name and writes every row, empty ones included.
void ExportarTense(cv::Lista* lista, QWidget* ventana);
// Empties the list, asks for a points file and fills the list.
void AbrirFicheroPuntos(cv::Lista* lista, QWidget* ventana);
// Shows the selected point in the four labels, or empties them.
void MostrarPuntoSeleccionado(cv::Lista* lista, QLabel* numero, QLabel* x, QLabel* y, QLabel* z);

// ------------------------------------------------------------------------
// Helpers for the windows that hold these lists.
#include <functional>
#include <string>
#include <vector>

#include "shell/Comun.h"

// The four boxes that show a base (name, X, Y, Z): the first at its design
// place and each of the others paso lower, named nombre, nombre + "X", "Y"
// and "Z"; they are kept with the window's inputs in the job.
void CrearCasillasBase(QWidget* ventana, const QString& nombre, const QRect& primera, int paso, QLabel*& n, QLabel*& x,
                       QLabel*& y, QLabel*& z);

// The base list of a point window: the titles "Bases" and "Listado" over it
// and, at yBotones, the picture buttons that open a bases file, cut the
// selected base (both connected here) and clear the list (cmdAbrirBases,
// cmdCortarBase, cmdLimpiarBases).
struct AreaBases {
    cv::Lista* lista;
    QPushButton* abrir;
    QPushButton* cortar;
    QPushButton* limpiar;
};
AreaBases CrearAreaBases(QWidget* ventana, int altoLista, const QString& ayudaLista, int yBotones);

// The kinds of file read into a list.
enum class TipoFichero { Bases, Puntos, Observaciones };
// Reads the file at the path and appends its rows to the list (what the open
// operations do once the dialog has given the path). On a failure the rows
// read before it stay and the opening message is shown; false then.
bool CargarFichero(cv::Lista* lista, QWidget* ventana, const QString& ruta, TipoFichero tipo);

// An observation file or a download read into an observation list, by the
// download's reader when DetectarFormato knows the file (exchange/Descargas.h)
// and as an observation file otherwise. A download's rows are appended, then
// one warning lists the lines that could not be read and one the point IDs
// shortened to their digits; it gives the instrument height of the last
// station record that has one.
std::optional<double> CargarObservaciones(cv::Lista* lista, QWidget* ventana, const QString& ruta);

// The drawing and map exports of a window: the buttons cmdExportarDxf
// "Exportar DXF..." and cmdExportarMapa "Exportar a mapa...", each writing
// what `dibujo` gives when pressed.
struct Dibujo;
void CrearBotonesIntercambio(QWidget* ventana, const QRect& dxf, const QRect& mapa, std::function<Dibujo()> dibujo);
// The two exports, also run from the traverse menu. Nothing to draw, or an
// EPSG code that names no projected system, is refused with a warning and
// nothing is written.
void ExportarDxf(QWidget* ventana, const Dibujo& d);
void ExportarMapa(QWidget* ventana, const Dibujo& d);
// A list's bases and points as a drawing.
Dibujo DibujoDeListas(const cv::Lista* bases, const cv::Lista* puntos);

namespace cv {
// The file messages: the two failures are followed by the system's description.
extern const QString MSG_ERROR_ABRIR;
extern const QString MSG_ERROR_GUARDAR;
// The dialogs of the list files.
extern const DialogoFichero DLG_ABRIR_BASES;
extern const DialogoFichero DLG_GUARDAR_BASES;
extern const DialogoFichero DLG_EXPORTAR_PUNTOS;
extern const DialogoFichero DLG_ABRIR_OBSERVACIONES;
extern const DialogoFichero DLG_EXPORTAR_TENSE;
extern const DialogoFichero DLG_ABRIR_PUNTOS;
} // namespace cv
