#pragma once
// The scene items of the plan: a layer of points, the traverse's legs and
// the terrain's surface.
#include <QColor>
#include <QGraphicsItem>
#include <QImage>
#include <map>
#include <memory>
#include <vector>

#include "core/Trabajo.h"

#include "drawings/Plano.h"
#include "terrain/Terreno.h"

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

// The terrain's surface: the edges of its triangles and its contour lines
// (the master ones heavier), each contour labelled with its height along the
// line. Only what is in sight is drawn, and, zoomed out, a piece of contour
// that would fall within one pixel is left out. On screen both go into one
// image laid over the plan.
class CapaTerreno : public QGraphicsItem {
public:
    CapaTerreno();

    void PonerTerreno(std::shared_ptr<const TerrenoTrabajo> terreno);
    // Which of the two are drawn.
    void PonerPartes(bool triangulos, bool curvas);
    bool Triangulos() const { return triangulos_; }
    bool Curvas() const { return curvas_; }
    size_t NumeroAristas() const { return aristas_.size(); }
    size_t NumeroCurvas() const { return cajas_.size(); }
    const ::Extension& Limites() const { return extension_; }

    QRectF boundingRect() const override { return limites_; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* opcion, QWidget* widget) override;

private:
    void DibujarAristas(QPainter* p, QImage* imagen, const QTransform& t, const QRectF& visible, double f) const;
    void DibujarCurvas(QPainter* p, QImage* imagen, const QTransform& t, const QRectF& visible, double f) const;
    void DibujarRotulos(QPainter* p, const QTransform& t, const QRectF& visible, double f) const;

    std::shared_ptr<const TerrenoTrabajo> terreno_;
    bool triangulos_ = false, curvas_ = true;
    // Each edge as x0, y0, x1, y1, and each contour's box, for a quick cull.
    std::vector<std::array<double, 4>> aristas_;
    std::vector<QRectF> cajas_;
    // The labels, by their spacing in metres (which follows the zoom).
    mutable std::map<double, std::vector<Rotulo>> rotulos_;
    int decimales_ = 0;
    ::Extension extension_;
    QRectF limites_;
};
