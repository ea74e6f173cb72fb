#pragma once
// The job as the windows see it: the one Trabajo of the program, and a signal
// for each kind of change, so that a window that draws or computes from what
// others hold listens to the job and never to them.
#include <QLabel>
#include <QObject>
#include <QWidget>
#include <string>
#include <vector>

#include "core/Trabajo.h"

class TrabajoQt : public QObject {
    Q_OBJECT
public:
    TrabajoQt();
    Trabajo& Datos() { return datos_; }

signals:
    void poligonalCambiada();
    void listasCambiadas();
    void vanoCambiado();
    void compensacionCambiada();
    void terrenoCambiado();
    // Any of the above.
    void cambiado();

private:
    Trabajo datos_;
};

namespace cv {

// The program's job.
TrabajoQt& ElTrabajo();

// The lists of a list window go into the job under the window's name as they
// change (a burst of changes, such as a file read row by row, is written
// once), and leave it when the window closes. So do its other inputs: the
// text boxes (txt), text areas, tables (tbl), options (opt, chk) and the
// labels marked as inputs.
void PublicarListas(QWidget* ventana);
// A label whose text the user chose (a base entered as station), kept with
// the window's inputs; and the values it stands for when it shows only a
// name (the base's X, Y and Z), kept and put back with it.
void MarcarEntrada(QLabel* etiqueta);
void PonerValores(QLabel* etiqueta, const std::vector<std::string>& valores);
std::vector<std::string> Valores(const QLabel* etiqueta);
// Puts recovered rows back into the window's lists, by list name, and then
// its inputs, the text boxes last.
void RestaurarListas(QWidget* ventana, const ListasVentana& listas);

} // namespace cv
