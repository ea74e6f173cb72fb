#include "drawings/modVista.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace plano {

// ------------------------------------------------------------------ view

Vista::Vista(QGraphicsScene* escena, QWidget* padre, bool norte) : QGraphicsView(escena, padre), norte_(norte)
{
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The scale bar and the north arrow stay put: every frame is drawn whole.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setRenderHint(QPainter::Antialiasing, false);
    setBackgroundBrush(Qt::white);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setTransform(QTransform::fromScale(1.0, -1.0));
}

double Vista::MetrosPorPixel() const
{
    const double s = std::abs(transform().m11());
    return s > 0.0 ? 1.0 / s : 1.0;
}

void Vista::Escalar(double s)
{
    const double actual = std::abs(transform().m11());
    // From a kilometre to a tenth of a millimetre per pixel.
    const double nuevo = std::clamp(actual * s, 1e-3, 1e4);
    scale(nuevo / actual, nuevo / actual);
    encuadrada_ = false;
    emit escalaCambiada(MetrosPorPixel());
}

void Vista::Encuadrar(const Extension& e)
{
    encuadre_ = e;
    encuadrada_ = true;
    if (e.vacia || viewport()->width() < 2 || viewport()->height() < 2)
        return;
    const double ancho = std::max(e.Ancho(), 1.0), alto = std::max(e.Alto(), 1.0);
    const double s = std::clamp(std::min(viewport()->width() / (ancho * 1.1), viewport()->height() / (alto * 1.1)),
                                1e-3, 1e4);
    setTransform(QTransform::fromScale(s, -s));
    centerOn(e.CentroX(), e.CentroY());
    emit escalaCambiada(MetrosPorPixel());
}

void Vista::wheelEvent(QWheelEvent* evento)
{
    const int giro = evento->angleDelta().y();
    if (giro != 0)
        Escalar(std::pow(1.0015, giro));
    evento->accept();
}

void Vista::mousePressEvent(QMouseEvent* evento)
{
    pulsado_ = evento->position().toPoint();
    QGraphicsView::mousePressEvent(evento);
}

void Vista::resizeEvent(QResizeEvent* evento)
{
    QGraphicsView::resizeEvent(evento);
    if (encuadrada_)
        Encuadrar(encuadre_);
}

void Vista::mouseMoveEvent(QMouseEvent* evento)
{
    if (evento->buttons() & Qt::LeftButton)
        encuadrada_ = false; // panned by hand
    emit cursorMovido(mapToScene(evento->position().toPoint()));
    QGraphicsView::mouseMoveEvent(evento);
}

void Vista::mouseReleaseEvent(QMouseEvent* evento)
{
    QGraphicsView::mouseReleaseEvent(evento);
    // A press released where it began is a click, not a drag.
    const QPoint p = evento->position().toPoint();
    if ((p - pulsado_).manhattanLength() <= 3 && evento->button() == Qt::LeftButton)
        emit clic(mapToScene(p));
}

void Vista::keyPressEvent(QKeyEvent* evento)
{
    if (evento->key() == Qt::Key_F) {
        emit encuadrarPedido();
        return;
    }
    QGraphicsView::keyPressEvent(evento);
}

void Vista::drawForeground(QPainter* painter, const QRectF&)
{
    painter->save();
    const double f = FactorDispositivo(painter);
    // Device units per metre, from whatever painter draws the scene.
    const double unidadesPorMetro = std::abs(painter->worldTransform().m11());
    // Where the view lies on the painter's device (a window's painter may
    // cover more than this view).
    const QRectF r = painter->worldTransform().mapRect(mapToScene(viewport()->rect()).boundingRect());
    painter->resetTransform();
    if (unidadesPorMetro > 0.0)
        DibujarBarraEscala(painter, QPointF(r.left() + 12 * f, r.bottom() - 14 * f), 1.0 / unidadesPorMetro, 160 * f);
    if (norte_)
        DibujarNorte(painter, QPointF(r.right() - 24 * f, r.top() + 12 * f), 36 * f);
    painter->restore();
}

double FactorDispositivo(const QPainter* painter)
{
    const QPaintDevice* d = painter->device();
    return d ? std::max(1.0, d->logicalDpiX() / 96.0) : 1.0;
}

void DibujarBarraEscala(QPainter* painter, QPointF origen, double metrosPorUnidad, double maximo)
{
    const double metros = LongitudBarraEscala(metrosPorUnidad, maximo);
    if (!(metros > 0.0))
        return;
    const double largo = metros / metrosPorUnidad, f = FactorDispositivo(painter), alto = 5 * f;
    painter->setPen(QPen(Qt::black, f));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(origen.x(), origen.y() - alto, largo, alto));
    painter->fillRect(QRectF(origen.x(), origen.y() - alto, largo / 2, alto), Qt::black);
    QFont letra = painter->font();
    letra.setPixelSize(static_cast<int>(11 * f));
    painter->setFont(letra);
    const QString texto = metros >= 1000.0 ? QString::number(metros / 1000.0) + QStringLiteral(" km")
                                           : QString::number(metros) + QStringLiteral(" m");
    painter->drawText(QPointF(origen.x() + largo + 4 * f, origen.y()), texto);
}

void DibujarNorte(QPainter* painter, QPointF punta, double alto)
{
    const double f = FactorDispositivo(painter), ancho = alto / 3;
    QPolygonF flecha;
    flecha << punta << QPointF(punta.x() + ancho / 2, punta.y() + alto * 0.75)
           << QPointF(punta.x(), punta.y() + alto * 0.6) << QPointF(punta.x() - ancho / 2, punta.y() + alto * 0.75);
    painter->setPen(QPen(Qt::black, f));
    painter->setBrush(Qt::black);
    painter->drawPolygon(flecha);
    QFont letra = painter->font();
    letra.setPixelSize(static_cast<int>(12 * f));
    letra.setBold(true);
    painter->setFont(letra);
    painter->drawText(QRectF(punta.x() - alto / 2, punta.y() + alto * 0.75, alto, alto * 0.4), Qt::AlignCenter,
                      QStringLiteral("N"));
}

} // namespace plano
