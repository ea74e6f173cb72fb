#include "drawings/modCapas.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionGraphicsItem>
#include <algorithm>
#include <cmath>
#include <optional>

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

// --------------------------------------------------------------- terrain

CapaTerreno::CapaTerreno()
{
    setFlag(QGraphicsItem::ItemUsesExtendedStyleOption);
}

void CapaTerreno::PonerTerreno(std::shared_ptr<const TerrenoTrabajo> terreno)
{
    prepareGeometryChange();
    terreno_ = std::move(terreno);
    aristas_.clear();
    cajas_.clear();
    rotulos_.clear();
    extension_ = ::Extension();
    if (terreno_ && terreno_->superficie) {
        const Superficie& s = *terreno_->superficie;
        for (const objPto& p : s.puntos)
            extension_.Anadir(p.X, p.Y);
        const std::vector<std::array<int, 2>> aristas = Aristas(s);
        aristas_.reserve(aristas.size());
        for (const auto& [a, b] : aristas) {
            const objPto& p = s.puntos[static_cast<size_t>(a)];
            const objPto& q = s.puntos[static_cast<size_t>(b)];
            aristas_.push_back({p.X, p.Y, q.X, q.Y});
        }
        cajas_.reserve(terreno_->curvas.size());
        for (const Curva& c : terreno_->curvas) {
            ::Extension e;
            for (const auto& [x, y] : c.puntos)
                e.Anadir(x, y);
            cajas_.emplace_back(e.xmin, e.ymin, e.Ancho(), e.Alto());
        }
        // As many decimals in the labels as the interval needs (up to 3).
        decimales_ = 0;
        for (double eq = terreno_->equidistancia; decimales_ < 3 && std::abs(eq - std::round(eq)) > 1e-9; eq *= 10.0)
            ++decimales_;
    }
    limites_ = extension_.vacia ? QRectF()
                                : QRectF(extension_.xmin, extension_.ymin, extension_.Ancho(), extension_.Alto())
                                      .adjusted(-1, -1, 1, 1);
    update();
}

void CapaTerreno::PonerPartes(bool triangulos, bool curvas)
{
    triangulos_ = triangulos;
    curvas_ = curvas;
    setVisible(triangulos || curvas);
    update();
}

void CapaTerreno::paint(QPainter* painter, const QStyleOptionGraphicsItem* opcion, QWidget*)
{
    if (!terreno_)
        return;
    const QTransform t = painter->worldTransform();
    bool invertible = false;
    const QTransform inv = t.inverted(&invertible);
    if (!invertible)
        return;
    const double f = plano::FactorDispositivo(painter);
    QRectF visible = inv.mapRect(QRectF(painter->viewport()));
    if (opcion && !opcion->exposedRect.isEmpty())
        visible = visible.intersected(opcion->exposedRect);
    painter->save();
    painter->resetTransform();
    // On screen the lines are set pixel by pixel into one image laid over the
    // plan at once (a hundred thousand short lines cost a few milliseconds);
    // on paper they are drawn with the painter's pens.
    // Only the part in sight: panning, the view asks for the strip uncovered.
    const QRect zona = t.mapRect(visible).toAlignedRect().adjusted(-1, -1, 1, 1).intersected(painter->viewport());
    if (zona.isEmpty()) {
        painter->restore();
        return;
    }
    const bool pantalla = f <= 1.0 && zona.width() * zona.height() <= 16 * 1024 * 1024;
    QImage imagen;
    if (pantalla) {
        imagen = QImage(zona.size(), QImage::Format_ARGB32_Premultiplied);
        imagen.fill(Qt::transparent);
        imagen.setOffset(zona.topLeft());
    }
    if (triangulos_)
        DibujarAristas(painter, pantalla ? &imagen : nullptr, t, visible, f);
    if (curvas_)
        DibujarCurvas(painter, pantalla ? &imagen : nullptr, t, visible, f);
    if (pantalla)
        painter->drawImage(zona.topLeft(), imagen);
    if (curvas_)
        DibujarRotulos(painter, t, visible, f);
    painter->restore();
}

namespace
{

// The pixels of an image, for lines set one pixel at a time.
struct Lienzo {
    explicit Lienzo(QImage& imagen)
        : pixeles(reinterpret_cast<QRgb*>(imagen.bits())), ancho(imagen.width()), alto(imagen.height()),
          fila(imagen.bytesPerLine() / 4)
    {
    }
    QRgb* pixeles;
    int ancho, alto;
    qsizetype fila;
};

// A device coordinate to the nearest pixel (far off the screen, held at a
// distance that still fits an int).
inline int Pixel(double v)
{
    const double w = std::clamp(v, -1e8, 1e8) + 0.5;
    const int i = static_cast<int>(w);
    return i - (w < i ? 1 : 0);
}

// A one-pixel line, pixels outside the image left alone (Bresenham).
void Linea(const Lienzo& l, QPoint a, QPoint b, QRgb color)
{
    const int dx = std::abs(b.x() - a.x()), dy = -std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
    int error = dx + dy, x = a.x(), y = a.y();
    const auto dentro = [&l](QPoint q) { return q.x() >= 0 && q.y() >= 0 && q.x() < l.ancho && q.y() < l.alto; };
    if (dentro(a) && dentro(b)) {
        // The common case, wholly inside: walked by the pointer, no checks.
        QRgb* pixel = l.pixeles + y * l.fila + x;
        const qsizetype paso = sy * l.fila;
        for (int n = std::max(dx, -dy);; --n) {
            *pixel = color;
            if (n == 0)
                break;
            const int e2 = 2 * error;
            if (e2 >= dy) {
                error += dy;
                pixel += sx;
            }
            if (e2 <= dx) {
                error += dx;
                pixel += paso;
            }
        }
        return;
    }
    while (true) {
        if (x >= 0 && y >= 0 && x < l.ancho && y < l.alto)
            l.pixeles[y * l.fila + x] = color;
        if (x == b.x() && y == b.y())
            break;
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y += sy;
        }
    }
}

} // namespace

void CapaTerreno::DibujarAristas(QPainter* p, QImage* imagen, const QTransform& t, const QRectF& visible,
                                 double f) const
{
    const double x0 = visible.left(), x1 = visible.right(), y0 = visible.top(), y1 = visible.bottom();
    const double m11 = t.m11(), m12 = t.m12(), m21 = t.m21(), m22 = t.m22(), dx = t.dx(), dy = t.dy();
    const QColor gris(150, 150, 150);
    const QRgb color = gris.rgba();
    const QPoint origen = imagen ? imagen->offset() : QPoint();
    std::optional<Lienzo> lienzo;
    if (imagen)
        lienzo.emplace(*imagen);
    std::vector<QLine> lineas;
    if (!imagen)
        lineas.reserve(std::min<size_t>(aristas_.size(), 1u << 18));
    for (const auto& [ax, ay, bx, by] : aristas_) {
        if (std::max(ax, bx) < x0 || std::min(ax, bx) > x1 || std::max(ay, by) < y0 || std::min(ay, by) > y1)
            continue;
        const QPoint a(Pixel(m11 * ax + m21 * ay + dx), Pixel(m12 * ax + m22 * ay + dy));
        const QPoint b(Pixel(m11 * bx + m21 * by + dx), Pixel(m12 * bx + m22 * by + dy));
        if (imagen)
            Linea(*lienzo, a - origen, b - origen, color);
        else
            lineas.emplace_back(a, b);
    }
    if (imagen)
        return;
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setPen(QPen(gris, 0.5 * f));
    p->drawLines(lineas.data(), static_cast<int>(lineas.size()));
}

void CapaTerreno::DibujarCurvas(QPainter* p, QImage* imagen, const QTransform& t, const QRectF& visible,
                                double f) const
{
    const double m11 = t.m11(), m12 = t.m12(), m21 = t.m21(), m22 = t.m22(), dx = t.dx(), dy = t.dy();
    const double pixel = 1.0 / std::max(std::hypot(m11, m12), 1e-12); // metres per device unit
    const QColor fina(170, 110, 50), maestra(130, 60, 15);
    // In the image a master contour is drawn again one pixel right and one down.
    const QPoint origen = imagen ? imagen->offset() : QPoint();
    std::optional<Lienzo> lienzo;
    if (imagen)
        lienzo.emplace(*imagen);
    const QRgb colores[2] = {fina.rgba(), maestra.rgba()};
    const QRectF cerca = visible.adjusted(-pixel, -pixel, pixel, pixel);
    std::vector<QPoint> linea;
    for (int pasada = 0; pasada < 2; ++pasada) {
        // The ordinary contours first, the master ones over them.
        p->setPen(pasada == 0 ? QPen(fina, 0.3 * f) : QPen(maestra, 0.7 * f));
        p->setRenderHint(QPainter::Antialiasing, true);
        for (size_t i = 0; i < cajas_.size(); ++i) {
            const Curva& c = terreno_->curvas[i];
            const QRectF& caja = cajas_[i];
            // Out of sight, or a piece too small to be seen at this zoom.
            if (c.maestra != (pasada == 1) || !caja.intersects(cerca) ||
                (caja.width() < pixel && caja.height() < pixel))
                continue;
            linea.clear();
            for (const auto& [x, y] : c.puntos) {
                const QPoint d(Pixel(m11 * x + m21 * y + dx), Pixel(m12 * x + m22 * y + dy));
                if (linea.empty() || d != linea.back())
                    linea.push_back(d);
            }
            if (c.cerrada && linea.size() > 2)
                linea.push_back(linea.front());
            if (linea.size() < 2)
                continue;
            if (!imagen) {
                p->drawPolyline(linea.data(), static_cast<int>(linea.size()));
                continue;
            }
            const QRgb color = colores[c.maestra ? 1 : 0];
            for (const QPoint& desvio : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1)}) {
                const QPoint o = desvio - origen;
                const int ancho = lienzo->ancho, alto = lienzo->alto;
                for (size_t k = 1; k < linea.size(); ++k) {
                    const QPoint a = linea[k - 1] + o, b = linea[k] + o;
                    // A piece wholly off the screen on one side is not followed.
                    if ((a.x() < 0 && b.x() < 0) || (a.y() < 0 && b.y() < 0) || (a.x() >= ancho && b.x() >= ancho) ||
                        (a.y() >= alto && b.y() >= alto))
                        continue;
                    Linea(*lienzo, a, b, color);
                }
                if (!c.maestra)
                    break;
            }
        }
    }
}

void CapaTerreno::DibujarRotulos(QPainter* p, const QTransform& t, const QRectF& visible, double f) const
{
    const double pixel = 1.0 / std::max(std::hypot(t.m11(), t.m12()), 1e-12);
    // A label every 250 pixels or so along each line: the spacing in metres,
    // a power of two, so that it changes only when the zoom changes much.
    const double separacion = std::exp2(std::ceil(std::log2(250.0 * pixel / f)));
    auto& rotulos = rotulos_[separacion];
    if (rotulos.empty())
        rotulos = RotulosCurvas(terreno_->curvas, separacion, decimales_);
    QFont letra = p->font();
    letra.setPixelSize(static_cast<int>(9 * f));
    p->setFont(letra);
    p->setRenderHint(QPainter::Antialiasing, true);
    const QFontMetricsF medidas(letra);
    // One label to a block of the screen: never a pile of them.
    Bloques ocupado(p->viewport(), 140.0 * f, 70.0 * f, true);
    for (const Rotulo& r : rotulos) {
        if (!visible.contains(r.x, r.y))
            continue;
        const QPointF d = t.map(QPointF(r.x, r.y));
        if (!ocupado.Tomar(d))
            continue;
        // The line's direction on the screen, kept reading upright.
        const QPointF h = t.map(QPointF(r.x + std::cos(r.angulo), r.y + std::sin(r.angulo))) - d;
        double grados = std::atan2(h.y(), h.x()) * 180.0 / M_PI;
        if (grados > 90.0)
            grados -= 180.0;
        else if (grados < -90.0)
            grados += 180.0;
        const QString texto = QString::fromStdString(r.texto);
        const double ancho = medidas.horizontalAdvance(texto);
        p->save();
        p->translate(d);
        p->rotate(grados);
        const QRectF caja(-ancho / 2 - f, -medidas.ascent() / 2 - f, ancho + 2 * f, medidas.ascent() + 2 * f);
        p->fillRect(caja, Qt::white);
        p->setPen(r.maestra ? QColor(140, 70, 20) : QColor(160, 100, 40));
        p->drawText(QPointF(-ancho / 2, medidas.ascent() / 2 - medidas.descent() / 2), texto);
        p->restore();
    }
}
