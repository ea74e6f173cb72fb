#include "drawings/modCapas.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionGraphicsItem>
#include <algorithm>
#include <cmath>

#include "core/TextoNumerico.h"
#include "drawings/modVista.h"

// ------------------------------------------------------------ point layer

CapaPuntos::CapaPuntos(Marca marca, const QColor& color) : marca_(marca), color_(color)
{
    setFlag(QGraphicsItem::ItemUsesExtendedStyleOption);
}

void CapaPuntos::PonerPuntos(std::vector<objPto> puntos)
{
    prepareGeometryChange();
    puntos_ = std::move(puntos);
    rejilla_.Construir(puntos_);
    const ::Extension& e = rejilla_.Limites();
    limites_ = e.vacia ? QRectF() : QRectF(e.xmin, e.ymin, e.Ancho(), e.Alto());
    update();
}

void CapaPuntos::PonerRotulos(bool nombres, bool cotas)
{
    nombres_ = nombres;
    cotas_ = cotas;
    update();
}

void CapaPuntos::PonerEscala(double metrosPorPixel)
{
    prepareGeometryChange();
    metrosPorPixel_ = metrosPorPixel;
}

QRectF CapaPuntos::boundingRect() const
{
    if (limites_.isNull() && puntos_.empty())
        return QRectF();
    // Room for the marks, which keep their size in pixels.
    const double m = 12.0 * metrosPorPixel_;
    return limites_.adjusted(-m, -m, m, m);
}

bool CapaPuntos::contains(const QPointF& punto) const
{
    return rejilla_.MasCercano(punto.x(), punto.y(), std::max(4.0 * metrosPorPixel_, 1e-6)) >= 0;
}

QPainterPath CapaPuntos::shape() const
{
    QPainterPath camino;
    // Beyond a few thousand points the outline is not worth its cost.
    if (puntos_.size() > 20000) {
        camino.addRect(boundingRect());
        return camino;
    }
    const double r = std::max(4.0 * metrosPorPixel_, 1e-6);
    for (const objPto& p : puntos_)
        camino.addRect(QRectF(p.X - r, p.Y - r, 2 * r, 2 * r));
    return camino;
}

void CapaPuntos::DibujarMarca(QPainter* p, QPointF c, double f) const
{
    switch (marca_) {
    case Marca::Base: {
        const double r = 5 * f;
        const QPointF tri[3] = {
            {c.x(), c.y() - r}, {c.x() + r * 0.87, c.y() + r / 2}, {c.x() - r * 0.87, c.y() + r / 2}};
        p->drawPolygon(tri, 3);
        break;
    }
    case Marca::Punto:
        p->drawEllipse(c, 1.8 * f, 1.8 * f);
        break;
    case Marca::Estacion:
        p->drawRect(QRectF(c.x() - 3 * f, c.y() - 3 * f, 6 * f, 6 * f));
        break;
    case Marca::Vertice: {
        // A known vertex of the traverse: a boxed cross.
        const double r = 5 * f;
        p->drawRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r));
        p->drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
        p->drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
        break;
    }
    case Marca::Compensado: {
        const double r = 4 * f;
        const QPointF rombo[4] = {{c.x(), c.y() - r}, {c.x() + r, c.y()}, {c.x(), c.y() + r}, {c.x() - r, c.y()}};
        p->drawPolygon(rombo, 4);
        break;
    }
    }
}

namespace
{

// The screen in blocks of the given size, one mark (or label) to a block: Tomar
// says whether a device point's block is still free, and takes it. Inactive
// (printing), every point is free.
class Bloques
{
  public:
    Bloques(const QRect& zona, double ancho, double alto, bool activo)
        : zona_(zona), ancho_(ancho), alto_(alto), columnas_(static_cast<int>(zona.width() / ancho) + 2),
          filas_(static_cast<int>(zona.height() / alto) + 2), activo_(activo)
    {
        if (activo_)
            ocupado_.assign(static_cast<size_t>(columnas_) * static_cast<size_t>(filas_), 0);
    }
    bool Tomar(const QPointF& d)
    {
        if (!activo_)
            return true;
        const int c = static_cast<int>((d.x() - zona_.left()) / ancho_);
        const int r = static_cast<int>((d.y() - zona_.top()) / alto_);
        if (c < 0 || r < 0 || c >= columnas_ || r >= filas_)
            return false;
        const size_t k = static_cast<size_t>(r) * static_cast<size_t>(columnas_) + static_cast<size_t>(c);
        unsigned char& bloque = ocupado_[k];
        if (bloque)
            return false;
        bloque = 1;
        return true;
    }

  private:
    QRect zona_;
    double ancho_, alto_;
    int columnas_, filas_;
    bool activo_;
    std::vector<unsigned char> ocupado_;
};

} // namespace

void CapaPuntos::paint(QPainter* painter, const QStyleOptionGraphicsItem* opcion, QWidget*)
{
    if (puntos_.empty())
        return;
    const QTransform t = painter->worldTransform();
    bool invertible = false;
    const QTransform inv = t.inverted(&invertible);
    if (!invertible)
        return;
    const double f = plano::FactorDispositivo(painter);
    // What is in sight: the exposed part of the item within the device.
    const QRect dispositivo = painter->viewport();
    QRectF visible = inv.mapRect(QRectF(dispositivo));
    if (opcion && !opcion->exposedRect.isEmpty())
        visible = visible.intersected(opcion->exposedRect);

    // Marks in device units; one per block of two pixels unless printing.
    Bloques ocupado(dispositivo, 2.0 * f, 2.0 * f, !todos_);
    std::vector<std::pair<QPointF, int>> marcas;
    marcas.reserve(std::min<size_t>(puntos_.size(), 1u << 16));
    // The view's transform is affine: mapped by hand, it is cheaper per point.
    const double m11 = t.m11(), m12 = t.m12(), m21 = t.m21(), m22 = t.m22(), dx = t.dx(), dy = t.dy();
    const bool afin = t.isAffine();
    rejilla_.Recorrer(visible.left(), visible.top(), visible.right(), visible.bottom(), [&](int i, double x, double y) {
        const QPointF d = afin ? QPointF(m11 * x + m21 * y + dx, m12 * x + m22 * y + dy) : t.map(QPointF(x, y));
        if (ocupado.Tomar(d))
            marcas.emplace_back(d, i);
    });

    painter->save();
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing, todos_);
    painter->setPen(QPen(color_, f));
    const bool hueca = marca_ == Marca::Estacion || marca_ == Marca::Vertice;
    painter->setBrush(hueca ? QBrush(Qt::white) : QBrush(color_));
    if (marca_ == Marca::Punto && !todos_) {
        // The common case, thousands of dots: filled squares in one call each.
        std::vector<QRectF> cuadros;
        cuadros.reserve(marcas.size());
        for (const auto& [d, i] : marcas)
            cuadros.emplace_back(d.x() - 1.5 * f, d.y() - 1.5 * f, 3 * f, 3 * f);
        painter->setPen(Qt::NoPen);
        painter->drawRects(cuadros.data(), static_cast<int>(cuadros.size()));
    } else {
        for (const auto& [d, i] : marcas)
            DibujarMarca(painter, d, f);
    }

    // Labels only while the points stand well apart, and on screen one per
    // label-sized block, so that they never pile up.
    const double area = std::max(1.0, double(dispositivo.width()) * dispositivo.height());
    const bool apartados = !marcas.empty() && std::sqrt(area / static_cast<double>(marcas.size())) >= 24.0 * f;
    if ((nombres_ || cotas_) && (apartados || todos_)) {
        QFont letra = painter->font();
        letra.setPixelSize(static_cast<int>(10 * f));
        painter->setFont(letra);
        painter->setPen(color_.darker(130));
        Bloques rotulado(dispositivo, 48.0 * f, (cotas_ ? 24.0 : 12.0) * f, !todos_);
        for (const auto& [d, i] : marcas) {
            if (!rotulado.Tomar(d))
                continue;
            const objPto& p = puntos_[static_cast<size_t>(i)];
            if (nombres_)
                painter->drawText(QPointF(d.x() + 5 * f, d.y() - 3 * f), QString::fromStdString(p.N));
            if (cotas_)
                painter->drawText(QPointF(d.x() + 5 * f, d.y() + 10 * f), QString::fromStdString(F3(p.Z)));
        }
    }
    painter->restore();
}

// --------------------------------------------------------- traverse legs

void CapaTramos::PonerTramos(std::vector<Tramo> tramos, std::vector<Tramo> vectores)
{
    prepareGeometryChange();
    tramos_ = std::move(tramos);
    vectores_ = std::move(vectores);
    ::Extension e;
    for (const auto* lista : {&tramos_, &vectores_})
        for (const Tramo& t : *lista) {
            e.Anadir(t.a.X, t.a.Y);
            e.Anadir(t.b.X, t.b.Y);
        }
    limites_ = e.vacia ? QRectF() : QRectF(e.xmin, e.ymin, e.Ancho(), e.Alto()).adjusted(-1, -1, 1, 1);
    update();
}

void CapaTramos::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const QTransform t = painter->worldTransform();
    const double f = plano::FactorDispositivo(painter);
    painter->save();
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing, true);
    std::vector<QLineF> lineas;
    lineas.reserve(tramos_.size());
    for (const Tramo& tr : tramos_)
        lineas.emplace_back(t.map(QPointF(tr.a.X, tr.a.Y)), t.map(QPointF(tr.b.X, tr.b.Y)));
    painter->setPen(QPen(QColor(200, 0, 0), 1.5 * f));
    painter->drawLines(lineas.data(), static_cast<int>(lineas.size()));
    painter->setPen(QPen(QColor(230, 120, 0), 1.5 * f, Qt::DashLine));
    for (const Tramo& tr : vectores_)
        painter->drawLine(t.map(QPointF(tr.a.X, tr.a.Y)), t.map(QPointF(tr.b.X, tr.b.Y)));
    painter->restore();
}
