#pragma once
// Every window is laid out for an 800 x 600 screen; the scaler stretches a
// window and its controls to the real screen when it opens, and the backdrop
// painter gives every window but the main one its vertical gradient.
#include <QColor>
#include <QWidget>

namespace cv {

constexpr int ANCHO_DISENO = 800;
constexpr int ALTO_DISENO = 600;

struct FactoresEscala {
    float fx = 1.0f;
    float fy = 1.0f;
};

// fx = screen width / 800, fy = screen height / 600.
FactoresEscala CalcularFactores(int anchoPantalla, int altoPantalla);

// Scales the window from its design layout to the current screen.
void EscalarVentana(QWidget* ventana);
// Moves and sizes every control of the window by fx, fy, multiplies its font
// by (fx + fy) / 2 and, last, scales the window itself.
void RedimensionarVentana(float fx, float fy, QWidget* ventana);

// Colour of line y (0..1024) of the backdrop: black at the top, saturated
// blue at the bottom.
QColor ColorFondo(int y);
// Repaints the backdrop into the window's persistent background.
void PintarFondo(QWidget* ventana);

// Called by every window's constructor: the window scales itself when it is
// first shown and, unless it is the main window, repaints its backdrop on
// every resize.
void PrepararVentana(QWidget* ventana, bool conFondo = true);

} // namespace cv
