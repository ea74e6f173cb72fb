#pragma once
// Behaviour shared by every window: message boxes, file dialogs, the key
// filters of the input fields and the focus order along them.
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QStyle>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "shell/Lista.h"

namespace cv {

// Title of every message box: the executable's name.
inline const QString NOMBRE_EJECUTABLE = QStringLiteral("cartavector");

inline const QString MSG_DATOS_NO_VALIDOS = QStringLiteral("Los datos no son válidos o están en blanco.");
// Every file the user saves or exports is confirmed with it (information).
inline const QString MSG_FICHERO_GUARDADO = QStringLiteral("Fichero guardado.");

// Modal box with an OK button. Exclamation for refused input, information
// for completed operations, critical for file failures.
void Aviso(QWidget* padre, const QString& texto, QMessageBox::Icon icono = QMessageBox::Warning);
// Modal Yes/No question; true for Yes.
bool Pregunta(QWidget* padre, const QString& texto, QMessageBox::Icon icono = QMessageBox::NoIcon);

// A file dialog as the windows describe it: the filter is "description|pattern"
// (pairs may repeat: "a|*.x|b|*.y").
struct DialogoFichero {
    QString titulo;
    QString filtro;
    QString extension;     // default extension, without the dot
    QString nombreInicial; // initial file name
};
// The chosen path, or nothing when the user cancels. Saving asks before
// replacing an existing file.
std::optional<QString> ElegirFicheroAbrir(QWidget* padre, const DialogoFichero& d);
std::optional<QString> ElegirFicheroGuardar(QWidget* padre, const DialogoFichero& d);

// Writes the text to the path through the program's file writer (the old
// file stays whole on any failure). On a failure a critical box shows
// mensajeError followed by the system's reason, and the result is false.
bool GuardarTexto(QWidget* padre, const QString& ruta, std::string_view texto, const QString& mensajeError);
// Reads the whole file at the path; on a failure as GuardarTexto.
bool LeerTexto(QWidget* padre, const QString& ruta, std::string& datos, const QString& mensajeError);

// Conversions between the program's strings (UTF-8) and Qt's.
inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

// What a field lets the user type.
enum class TipoCampo {
    Numerico, // digits, ".", Backspace and Enter
    ConSigno, // the same and a "-" at the start: heights below the datum
    Nombre,   // anything, letters turned to capitals
    Entero,   // digits and Backspace; Enter still reaches the field's order
    Libre,    // anything
};

// Installs the key filter of a field. Only typed characters are filtered:
// text set by the program or pasted goes in as it is.
void FiltrarTeclas(QLineEdit* campo, TipoCampo tipo);

// The focus order of a window's fields: Enter moves to the next field and,
// on the last one, runs alFinal; the Up and Down arrows move to the previous
// and next field and stop at both ends.
class OrdenCampos : public QObject {
public:
    OrdenCampos(QObject* padre, QList<QLineEdit*> campos, std::function<void()> alFinal = {},
                bool flechas = true);
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QList<QLineEdit*> campos_;
    std::function<void()> alFinal_;
    bool flechas_;
};

// Builders of named controls at their design geometry (800 x 600 screen).
// An element of a control array is named "name_i".
QLineEdit* CrearCampo(QWidget* ventana, const QString& nombre, const QRect& geometria,
                      const QString& ayuda = QString());
QLineEdit* CrearCampo(QWidget* ventana, const QString& array, int indice, const QRect& geometria,
                      const QString& ayuda = QString());
QLabel* CrearEtiqueta(QWidget* ventana, const QString& nombre, const QString& texto, const QRect& geometria);
QPushButton* CrearBoton(QWidget* ventana, const QString& nombre, const QString& texto, const QRect& geometria,
                        const QString& ayuda = QString());
// A button that shows one of the style's standard pictures instead of a caption.
QPushButton* CrearBotonDibujo(QWidget* ventana, const QString& nombre, QStyle::StandardPixmap dibujo,
                              const QRect& geometria, const QString& ayuda = QString());
// A label that shows a value, framed like a sunken box.
QLabel* CrearCasilla(QWidget* ventana, const QString& nombre, const QRect& geometria);

// Courier New, or the nearest typewriter face installed: the font of the
// lists whose rows are columns. With pasoFijo the face asked for must also be
// of fixed pitch.
QFont FuenteFija(bool pasoFijo = false);

// How a list lays out its rows: all with the size of one (blocks of many
// thousand rows stay quick to scroll and select), or each by its own text.
enum class FilasLista { Uniformes, Medidas };
// A named list in the given font (the fixed font unless told).
Lista* CrearLista(QWidget* ventana, const QString& nombre, const QRect& geometria, const QString& ayuda = QString(),
                  FilasLista filas = FilasLista::Uniformes, const QFont& fuente = FuenteFija());

// The colour of a label's text.
void PonerColorTexto(QLabel* etiqueta, const QColor& color);

// Results that blink: every 650 ms the window's timer turns their text from
// blue to white and back.
inline const QColor AZUL_INTERMITENCIA(0, 0, 255);
inline const QColor BLANCO_INTERMITENCIA(255, 255, 255);
// The window's timIntermitencia, stopped; the window connects and starts it.
QTimer* CrearIntermitencia(QWidget* ventana);
// A timer of the window that runs accion once on the next turn of the event
// loop, however many times it is started before: a burst of changes is
// answered once.
QTimer* CrearPendiente(QWidget* ventana, std::function<void()> accion);
// Results shown on a white ground, their text blue until the first blink.
void PrepararIntermitentes(const QList<QLabel*>& etiquetas);
// One blink: white text if the first label's is blue, blue otherwise.
void AlternarIntermitentes(const QList<QLabel*>& etiquetas);

// Reading a number field by the program's number rule.
bool EsNumero(const QLineEdit* campo);
double LeerNumero(const QLineEdit* campo);

} // namespace cv
