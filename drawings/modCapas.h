#pragma once
// The scene items of the plan: a layer of points and the traverse's legs.
#include <QColor>
#include <QGraphicsItem>
#include <vector>

#include "drawings/Plano.h"

// One layer of points of the plan. It paints its points from a spatial grid,
// only those in sight and, when they crowd closer than a few pixels, one mark
// per pixel block and no labels. A point of the layer "is in" the item at its
// survey coordinates (contains, shape), so the scene finds the layer there.
class CapaPuntos : public QGraphicsItem {
public:
    enum class Marca { Base, Punto, Estacion, Vertice, Compensado };
    CapaPuntos(Marca marca, const QColor& color);

    void PonerPuntos(std::vector<objPto> puntos);
    const std::vector<objPto>& Puntos() const { return puntos_; }
    const ::Extension& Limites() const { return rejilla_.Limites(); }
    int MasCercano(QPointF p, double radio) const { return rejilla_.MasCercano(p.x(), p.y(), radio); }
    void PonerRotulos(bool nombres, bool cotas);
    // The screen's metres per pixel: how far around a point still counts as it.
    void PonerEscala(double metrosPorPixel);
    // Printing: every point drawn, one mark each, none merged.
    void PonerTodos(bool todos) { todos_ = todos; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    bool contains(const QPointF& punto) const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* opcion, QWidget* widget) override;

private:
    void DibujarMarca(QPainter* p, QPointF c, double f) const;

    Marca marca_;
    QColor color_;
    std::vector<objPto> puntos_;
    RejillaPuntos rejilla_;
    QRectF limites_;
    double metrosPorPixel_ = 1.0;
    bool nombres_ = true, cotas_ = false, todos_ = false;
};

// The legs of the traverse and its closure vector.
class CapaTramos : public QGraphicsItem {
public:
    void PonerTramos(std::vector<Tramo> tramos, std::vector<Tramo> vectores);
    QRectF boundingRect() const override { return limites_; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* opcion, QWidget* widget) override;

private:
    std::vector<Tramo> tramos_, vectores_;
    QRectF limites_;
};
