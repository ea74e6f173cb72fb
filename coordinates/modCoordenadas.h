#pragma once
// What the coordinate windows share: their point lists, filled from either a
// bases file or a points file, and their results worked out again whenever a
// list changes.
#include <QLabel>
#include <QList>
#include <QTimer>
#include <functional>

#include "shell/Comun.h"
#include "shell/Lista.h"

namespace cv {
// Opening a bases file (.bse) or a points file (.asc) into one list.
extern const DialogoFichero DLG_ABRIR_COORDENADAS;
} // namespace cv

// Asks for a .bse or .asc file and puts its bases (six rows each) or its
// point rows in place of the list's. True when a file was read whole.
bool AbrirFicheroCoordenadas(cv::Lista* lista, QWidget* ventana);

// A timer of the window that runs `calculo` once after any burst of changes
// to the lists (rows added, removed or replaced): lists put back from a
// recovered job show their results.
QTimer* RecalcularAlCambiar(QWidget* ventana, const QList<cv::Lista*>& listas, std::function<void()> calculo);

// The label that names the problem found, in yellow on the window's blue.
QLabel* CrearAviso(QWidget* ventana, const QRect& geometria);
