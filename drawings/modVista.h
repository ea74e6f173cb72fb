#pragma once
// The on-screen handling of a drawing (the plan and the profile): zoom, pan,
// fit, the scale bar and the north arrow.
#include <QGraphicsScene>
#include <QGraphicsView>

#include "drawings/Plano.h"

namespace plano {

// A drawing at survey scale, north (or up) at the top: the wheel zooms around
// the cursor, dragging pans, F fits everything; a scale bar and a north arrow
// stay on screen.
class Vista : public QGraphicsView {
    Q_OBJECT
public:
    Vista(QGraphicsScene* escena, QWidget* padre, bool norte);
    // Metres of the drawing per pixel of the screen.
    double MetrosPorPixel() const;
    // Shows the rectangle whole, centred, north up.
    void Encuadrar(const Extension& e);
    // True while the view shows its last fit (not zoomed or panned since).
    bool Encuadrada() const { return encuadrada_; }

signals:
    void cursorMovido(QPointF punto);
    void clic(QPointF punto);
    void escalaCambiada(double metrosPorPixel);
    void encuadrarPedido();

protected:
    void wheelEvent(QWheelEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void Escalar(double s);
    bool norte_;
    QPoint pulsado_;
    // The last fit, kept while the user has not zoomed or panned since, so
    // that a resized window still shows everything.
    Extension encuadre_;
    bool encuadrada_ = false;
};

// Device units of the painter per pixel of the screen (1 on screen, more on a
// printed sheet).
double FactorDispositivo(const QPainter* painter);
// A scale bar at (x, y) in the painter's device units, up to `maximo` units
// long, for `metrosPorUnidad`.
void DibujarBarraEscala(QPainter* painter, QPointF origen, double metrosPorUnidad, double maximo);
void DibujarNorte(QPainter* painter, QPointF punta, double alto);

} // namespace plano
