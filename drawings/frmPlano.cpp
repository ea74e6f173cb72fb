#include "drawings/frmPlano.h"

#include <QApplication>
#include <QBuffer>
#include <QDate>
#include <QGraphicsEllipseItem>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QScrollBar>
#include <QShortcut>
#include <QStyleOptionGraphicsItem>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "core/TextoNumerico.h"
#include "shell/Comun.h"
#include "traverse/Compensacion.h"
#include "traverse/frmPoligonal.h"

namespace plano {

QWidget* BuscarVentana(const QString& nombre)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == nombre)
            return w;
        if (auto* hija = w->findChild<QWidget*>(nombre))
            return hija;
    }
    return nullptr;
}

std::vector<std::string> FilasLista(QWidget* ventana, const QString& lista)
{
    std::vector<std::string> filas;
    auto* l = ventana ? ventana->findChild<QListWidget*>(lista) : nullptr;
    if (!l)
        return filas;
    filas.reserve(static_cast<size_t>(l->count()));
    for (int i = 0; i < l->count(); ++i)
        filas.push_back(l->item(i)->text().toStdString());
    return filas;
}

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

QTransform TransformadaPagina(const MapaPagina& m, double u)
{
    // Page x = marcoX + (X - xmin) k; page y = marcoY + (ymax - Y) k; times u.
    const double k = m.mmPorMetro;
    return QTransform(u * k, 0, 0, -u * k, u * (m.marcoX - m.ventana.xmin * k), u * (m.marcoY + m.ventana.ymax * k));
}

QByteArray HacerPdf(const Hoja& hoja, const MapaPagina& mapa, const QString& trabajo,
                    const std::function<void(QPainter*)>& dibujar)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("Cartavector 3.0.2"));
        pdf.setTitle(trabajo);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(hoja.nombre == "A3" ? QPageSize::A3 : QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        QPainter p(&pdf);
        const double u = pdf.resolution() / 25.4; // device units per millimetre
        const QRectF marco(mapa.marcoX * u, mapa.marcoY * u, mapa.marcoAncho * u, mapa.marcoAlto * u);
        p.save();
        p.setClipRect(marco);
        p.setWorldTransform(TransformadaPagina(mapa, u));
        dibujar(&p);
        p.restore();
        p.setPen(QPen(Qt::black, 0.35 * u));
        p.setBrush(Qt::NoBrush);
        p.drawRect(marco);
        const QRectF cajetin(mapa.marcoX * u, mapa.cajetinY * u, mapa.marcoAncho * u, mapa.cajetinAlto * u);
        p.drawRect(cajetin);
        const auto lineas =
            TextosCajetin(trabajo.toStdString(), QDate::currentDate().toString(Qt::ISODate).toStdString(), mapa);
        QFont letra(QStringLiteral("DejaVu Sans"));
        letra.setPixelSize(static_cast<int>(3.2 * u));
        p.setFont(letra);
        for (size_t i = 0; i < lineas.size(); ++i)
            p.drawText(QPointF(cajetin.x() + 3 * u, cajetin.y() + (5.5 + 5.2 * static_cast<double>(i)) * u),
                       QString::fromStdString(lineas[i]));
        DibujarNorte(&p, QPointF(marco.right() - 10 * u, marco.top() + 4 * u), 14 * u);
        DibujarBarraEscala(&p, QPointF(cajetin.center().x() + 20 * u, cajetin.bottom() - 6 * u),
                           1.0 / (mapa.mmPorMetro * u), 80 * u);
    }
    return bytes;
}

QByteArray HacerSvg(const Extension& e, int ancho, const QString& titulo,
                    const std::function<void(QPainter*)>& dibujar)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const double w = std::max(e.Ancho(), 1.0), h = std::max(e.Alto(), 1.0);
    const double margen = 40.0, s = (ancho - 2 * margen) / std::max(w, h);
    const QSize tamano(static_cast<int>(w * s + 2 * margen), static_cast<int>(h * s + 2 * margen));
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(96);
    svg.setSize(tamano);
    svg.setViewBox(QRect(QPoint(0, 0), tamano));
    svg.setTitle(titulo);
    svg.setDescription(QStringLiteral("Cartavector 3.0.2"));
    {
        QPainter p(&svg);
        p.fillRect(QRect(QPoint(0, 0), tamano), Qt::white);
        p.save();
        p.setWorldTransform(QTransform(s, 0, 0, -s, margen - e.xmin * s, margen + e.ymax * s));
        dibujar(&p);
        p.restore();
    }
    return bytes;
}

QComboBox* CrearEscala(QWidget* ventana)
{
    auto* c = new QComboBox(ventana);
    c->setObjectName(QStringLiteral("cboEscala"));
    c->addItems({"1:200", "1:500", "1:1000", "1:2000", "1:5000"});
    c->setCurrentIndex(2);
    c->setToolTip(QStringLiteral("Escala del dibujo impreso"));
    return c;
}

QComboBox* CrearHoja(QWidget* ventana)
{
    auto* c = new QComboBox(ventana);
    c->setObjectName(QStringLiteral("cboHoja"));
    c->addItems({"A4", "A3"});
    c->setToolTip(QStringLiteral("Tamaño de la hoja"));
    return c;
}

void Exportar(QWidget* ventana, bool pdf, const QString& nombre, const Extension& e, const QString& titulo,
              const QString& hoja, const QString& escala,
              const std::function<void(QPainter*, const Extension&)>& dibujar)
{
    if (e.vacia)
        return cv::Aviso(ventana, QStringLiteral("No hay nada que dibujar."));
    const QString inicial = nombre.left(1).toUpper() + nombre.mid(1);
    const auto ruta = cv::ElegirFicheroGuardar(
        ventana, {QStringLiteral("Exportar ") + nombre,
                  pdf ? QStringLiteral("Documento PDF (*.pdf)|*.pdf") : QStringLiteral("Dibujo SVG (*.svg)|*.svg"),
                  pdf ? QStringLiteral("pdf") : QStringLiteral("svg"), inicial});
    if (!ruta)
        return;
    QByteArray bytes;
    if (pdf) {
        const Hoja h = HojaPorNombre(hoja.toStdString());
        const MapaPagina mapa = MapearPagina(e, h, LeerEscala(escala.toStdString()));
        bytes = HacerPdf(h, mapa, titulo, [&](QPainter* p) { dibujar(p, mapa.ventana); });
    } else {
        bytes = HacerSvg(e, 1600, titulo, [&](QPainter* p) { dibujar(p, e); });
    }
    cv::GuardarTexto(ventana, *ruta, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                     QStringLiteral("Se produjo un error al exportar el ") + nombre + QStringLiteral(". "));
}

} // namespace plano

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

// ------------------------------------------------------------- the window

namespace {

const char* const VENTANAS_DATOS[] = {"frmPoligonal",   "frmRadiacion", "frmTaquimetrico", "frmBiseccion",
                                      "frmEditarBases", "frmCatenaria", "frmCompensacion"};
const char* const LISTAS_PUNTOS[] = {"lstPuntos", "lstPuntosCatenaria"};

double ExageracionElegida(const QComboBox* c) { return LeerDecimal(c->currentText().toStdString()); }

} // namespace

frmPlano::frmPlano(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmPlano"));
    setWindowTitle(QStringLiteral("Plano"));
    CrearControles();
    buscar_ = new QTimer(this);
    // New windows announce themselves through the frame; this look-round
    // catches any that open some other way.
    buscar_->setInterval(1000);
    connect(buscar_, &QTimer::timeout, this, [this] {
        if (isVisible())
            BuscarVentanas();
    });
    buscar_->start();
    resize(760, 520);
}

frmPlano::~frmPlano()
{
    for (Fuente& f : fuentes_)
        if (f.ventana)
            disconnect(f.ventana, nullptr, this, nullptr);
    if (poligonal_)
        disconnect(poligonal_, nullptr, this, nullptr);
}

void frmPlano::CrearControles()
{
    escena_ = new QGraphicsScene(this);
    escena_->setItemIndexMethod(QGraphicsScene::NoIndex);
    vistaPlano = new plano::Vista(escena_, this, true);
    vistaPlano->setObjectName(QStringLiteral("vistaPlano"));

    tramos_ = new CapaTramos;
    escena_->addItem(tramos_);
    const QColor colores[NUM_CAPAS] = {QColor(0, 90, 0), QColor(0, 0, 170), QColor(200, 0, 0), QColor(120, 0, 0),
                                       QColor(140, 0, 160)};
    const CapaPuntos::Marca marcas[NUM_CAPAS] = {CapaPuntos::Marca::Base, CapaPuntos::Marca::Punto,
                                                 CapaPuntos::Marca::Estacion, CapaPuntos::Marca::Vertice,
                                                 CapaPuntos::Marca::Compensado};
    for (int c = 0; c < NUM_CAPAS; ++c) {
        capas_[c] = new CapaPuntos(marcas[c], colores[c]);
        capas_[c]->setZValue(c == Puntos ? 1 : 2);
        escena_->addItem(capas_[c]);
    }
    marcaSeleccion_ = escena_->addEllipse(-8, -8, 16, 16, QPen(QColor(255, 140, 0), 2));
    marcaSeleccion_->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    marcaSeleccion_->setZValue(10);
    marcaSeleccion_->hide();

    auto casilla = [this](const char* nombre, const QString& texto, bool marcada) {
        auto* c = new QCheckBox(texto, this);
        c->setObjectName(QString::fromLatin1(nombre));
        c->setChecked(marcada);
        connect(c, &QCheckBox::toggled, this, &frmPlano::AplicarCapas);
        return c;
    };
    chkBases = casilla("chkBases", QStringLiteral("Bases"), true);
    chkPoligonal = casilla("chkPoligonal", QStringLiteral("Poligonal"), true);
    chkPuntos = casilla("chkPuntos", QStringLiteral("Puntos"), true);
    chkRotulos = casilla("chkRotulos", QStringLiteral("Rótulos"), true);
    chkCotas = casilla("chkCotas", QStringLiteral("Cotas"), false);

    cboExageracionCierre = new QComboBox(this);
    cboExageracionCierre->setObjectName(QStringLiteral("cboExageracionCierre"));
    cboExageracionCierre->addItems({QStringLiteral("100×"), QStringLiteral("1000×"), QStringLiteral("10000×")});
    cboExageracionCierre->setCurrentIndex(1);
    cboExageracionCierre->setToolTip(QStringLiteral("Exageración del vector de cierre"));
    connect(cboExageracionCierre, &QComboBox::currentIndexChanged, this, [this] {
        poligonalSucia_ = true;
        Programar();
    });
    cboEscala = plano::CrearEscala(this);
    cboHoja = plano::CrearHoja(this);
    txtTrabajo = new QLineEdit(QStringLiteral("Trabajo"), this);
    txtTrabajo->setObjectName(QStringLiteral("txtTrabajo"));
    txtTrabajo->setToolTip(QStringLiteral("Nombre del trabajo (cajetín)"));

    cmdEncuadrar = cv::CrearBoton(this, QStringLiteral("cmdEncuadrar"), QStringLiteral("Encuadrar"), QRect(),
                                  QStringLiteral("Ver todo el trabajo (F)"));
    cmdExportarSvg = cv::CrearBoton(this, QStringLiteral("cmdExportarSvg"), QStringLiteral("SVG..."), QRect(),
                                    QStringLiteral("Exportar el plano a SVG"));
    cmdExportarPdf = cv::CrearBoton(this, QStringLiteral("cmdExportarPdf"), QStringLiteral("PDF..."), QRect(),
                                    QStringLiteral("Exportar el plano a PDF a escala"));
    connect(cmdEncuadrar, &QPushButton::clicked, this, &frmPlano::Encuadrar);
    connect(cmdExportarSvg, &QPushButton::clicked, this, [this] { Exportar(false); });
    connect(cmdExportarPdf, &QPushButton::clicked, this, [this] { Exportar(true); });

    lblCursor = new QLabel(this);
    lblCursor->setObjectName(QStringLiteral("lblCursor"));
    lblSeleccion = new QLabel(this);
    lblSeleccion->setObjectName(QStringLiteral("lblSeleccion"));

    auto* columna = new QVBoxLayout(this);
    auto* capas = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(chkBases), static_cast<QWidget*>(chkPoligonal),
                       static_cast<QWidget*>(chkPuntos), static_cast<QWidget*>(chkRotulos),
                       static_cast<QWidget*>(chkCotas)})
        capas->addWidget(w);
    capas->addWidget(new QLabel(QStringLiteral("Cierre"), this));
    capas->addWidget(cboExageracionCierre);
    capas->addStretch(1);
    capas->addWidget(cmdEncuadrar);
    columna->addLayout(capas);
    columna->addWidget(vistaPlano, 1);
    auto* impresion = new QHBoxLayout;
    impresion->addWidget(lblCursor, 1);
    impresion->addWidget(lblSeleccion, 2);
    columna->addLayout(impresion);
    auto* salida = new QHBoxLayout;
    salida->addWidget(txtTrabajo, 1);
    salida->addWidget(cboEscala);
    salida->addWidget(cboHoja);
    salida->addWidget(cmdExportarSvg);
    salida->addWidget(cmdExportarPdf);
    columna->addLayout(salida);

    connect(vistaPlano, &plano::Vista::cursorMovido, this, &frmPlano::MostrarCursor);
    connect(vistaPlano, &plano::Vista::clic, this, &frmPlano::Seleccionar);
    connect(vistaPlano, &plano::Vista::escalaCambiada, this, &frmPlano::AplicarEscala);
    connect(vistaPlano, &plano::Vista::encuadrarPedido, this, &frmPlano::Encuadrar);
    // F anywhere in the window, except while typing the job's name.
    auto* atajo = new QShortcut(QKeySequence(Qt::Key_F), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(atajo, &QShortcut::activated, this, &frmPlano::Encuadrar);
    AplicarCapas();
}

void frmPlano::showEvent(QShowEvent* evento)
{
    QWidget::showEvent(evento);
    // Inside the frame now: listen to it for windows that open and close.
    QWidget* marco = window();
    if (marco != this && marco_ != marco) {
        marco_ = marco;
        marco->installEventFilter(this);
        if (auto* area = marco->findChild<QMdiArea*>()) {
            area->viewport()->installEventFilter(this);
            connect(area, &QMdiArea::subWindowActivated, this, &frmPlano::BuscarVentanas);
        }
    }
    BuscarVentanas();
    Actualizar();
    if (!encuadrado_)
        Encuadrar();
}

bool frmPlano::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::ChildAdded || evento->type() == QEvent::ChildRemoved)
        QTimer::singleShot(0, this, &frmPlano::BuscarVentanas);
    return QWidget::eventFilter(objeto, evento);
}

void frmPlano::BuscarVentanas()
{
    for (const char* nombre : VENTANAS_DATOS)
        if (QWidget* v = plano::BuscarVentana(QString::fromLatin1(nombre)))
            Seguir(v);
}

void frmPlano::Seguir(QWidget* ventana)
{
    if (auto* hoja = qobject_cast<frmPoligonal*>(ventana)) {
        if (poligonal_ == hoja)
            return;
        poligonal_ = hoja;
        poligonalSucia_ = true;
        // Every keystroke of the sheet, and every change of its traverse.
        for (QLineEdit* campo : hoja->findChildren<QLineEdit*>())
            connect(campo, &QLineEdit::textChanged, this, [this] {
                poligonalSucia_ = true;
                Programar();
            });
        auto sucia = [this] {
            poligonalSucia_ = true;
            Programar();
        };
        connect(hoja, &frmPoligonal::estacionesCambiadas, this, sucia);
        connect(hoja, &frmPoligonal::cierreAnotadoCambiado, this, sucia);
        if (auto* lista = hoja->findChild<QListWidget*>(QStringLiteral("lstBases"))) {
            QAbstractItemModel* m = lista->model();
            connect(m, &QAbstractItemModel::modelReset, this, sucia);
            connect(m, &QAbstractItemModel::rowsInserted, this, sucia);
            connect(m, &QAbstractItemModel::rowsRemoved, this, sucia);
            connect(m, &QAbstractItemModel::dataChanged, this, sucia);
        }
        connect(hoja, &QObject::destroyed, this, sucia);
        Programar();
        return;
    }
    for (const Fuente& f : fuentes_)
        if (f.ventana == ventana)
            return;
    Fuente f;
    f.ventana = ventana;
    fuentes_.push_back(f);
    for (QListWidget* lista : ventana->findChildren<QListWidget*>()) {
        QAbstractItemModel* m = lista->model();
        auto sucia = [this, ventana] { MarcarSucia(ventana); };
        connect(m, &QAbstractItemModel::modelReset, this, sucia);
        connect(m, &QAbstractItemModel::rowsInserted, this, sucia);
        connect(m, &QAbstractItemModel::rowsRemoved, this, sucia);
        connect(m, &QAbstractItemModel::dataChanged, this, sucia);
    }
    connect(ventana, &QObject::destroyed, this, [this] {
        // Its points go with it.
        fuentes_.erase(std::remove_if(fuentes_.begin(), fuentes_.end(), [](const Fuente& x) { return !x.ventana; }),
                       fuentes_.end());
        for (Fuente& x : fuentes_)
            x.sucia = true;
        Programar();
    });
    Programar();
}

void frmPlano::MarcarSucia(QWidget* ventana)
{
    for (Fuente& f : fuentes_)
        if (f.ventana == ventana)
            f.sucia = true;
    Programar();
}

void frmPlano::Programar()
{
    // A burst of changes (a list rebuilt row by row) costs one redraw.
    if (pendiente_)
        return;
    pendiente_ = true;
    QTimer::singleShot(0, this, &frmPlano::Actualizar);
}

void frmPlano::LeerFuente(Fuente& f)
{
    f.sucia = false;
    f.bases.clear();
    f.puntos.clear();
    if (!f.ventana)
        return;
    f.bases = LeerListaBases(plano::FilasLista(f.ventana, QStringLiteral("lstBases")));
    const bool compensacion = f.ventana->objectName() == QLatin1String("frmCompensacion");
    if (compensacion) {
        f.puntos = LeerListaColumnas(plano::FilasLista(f.ventana, QStringLiteral("lstCompensada")));
        return;
    }
    for (const char* lista : LISTAS_PUNTOS) {
        std::vector<objPto> p = LeerListaPuntos(plano::FilasLista(f.ventana, QString::fromLatin1(lista)));
        f.puntos.insert(f.puntos.end(), std::make_move_iterator(p.begin()), std::make_move_iterator(p.end()));
    }
}

void frmPlano::Actualizar()
{
    pendiente_ = false;
    bool bases = false, puntos = false, compensados = false;
    for (Fuente& f : fuentes_) {
        if (!f.sucia)
            continue;
        LeerFuente(f);
        const bool comp = f.ventana && f.ventana->objectName() == QLatin1String("frmCompensacion");
        bases = true;
        (comp ? compensados : puntos) = true;
    }
    // A closed window leaves its layer to be rebuilt from the others.
    if (bases || puntos || compensados) {
        std::vector<objPto> b, p, c;
        for (const Fuente& f : fuentes_) {
            const bool comp = f.ventana && f.ventana->objectName() == QLatin1String("frmCompensacion");
            b.insert(b.end(), f.bases.begin(), f.bases.end());
            auto& destino = comp ? c : p;
            destino.insert(destino.end(), f.puntos.begin(), f.puntos.end());
        }
        if (bases)
            capas_[Bases]->PonerPuntos(std::move(b));
        if (puntos)
            capas_[Puntos]->PonerPuntos(std::move(p));
        if (compensados)
            capas_[Compensados]->PonerPuntos(std::move(c));
    }
    if (poligonalSucia_)
        RehacerPoligonal();
    if (!encuadrado_ && isVisible() && !ExtensionTotal().vacia)
        Encuadrar();
    else
        AplicarEscala(vistaPlano->MetrosPorPixel()); // the room to pan follows the data
}

void frmPlano::RehacerPoligonal()
{
    poligonalSucia_ = false;
    auto* hoja = qobject_cast<frmPoligonal*>(poligonal_.data());
    if (!hoja || hoja->NumeroEstaciones() == 0) {
        tramos_->PonerTramos({}, {});
        capas_[Estaciones]->PonerPuntos({});
        capas_[Vertices]->PonerPuntos({});
        return;
    }
    TrazadoPoligonal t = TrazarPoligonal(frmPoligonal::objVertice_BE, frmPoligonal::objVertice_BO, hoja->colPoligonal);
    // The starting and arrival vertices apart from the stations.
    std::vector<objPto> vertices = {t.BO, t.BE};
    std::vector<Tramo> vectores;
    if (hoja->CierreAnotado()) {
        const LlegadaCierre c = LeerLlegadaCierre(plano::FilasLista(hoja, QStringLiteral("lstBases")));
        if (c.aceptado) {
            vertices.push_back(c.PE);
            vertices.push_back(c.PV);
            const objPto& arrastrado = hoja->colPoligonal.back().objBE;
            vectores.push_back({arrastrado, ExtremoVectorCierre(arrastrado, c.PE,
                                                                ExageracionElegida(cboExageracionCierre))});
        }
    }
    // The orientation leg of the start, then the legs of the stations.
    t.tramos.insert(t.tramos.begin(), Tramo{t.BO, t.BE});
    tramos_->PonerTramos(std::move(t.tramos), std::move(vectores));
    capas_[Estaciones]->PonerPuntos(std::move(t.estaciones));
    capas_[Vertices]->PonerPuntos(std::move(vertices));
}

void frmPlano::AplicarCapas()
{
    capas_[Bases]->setVisible(chkBases->isChecked());
    capas_[Puntos]->setVisible(chkPuntos->isChecked());
    for (QGraphicsItem* i : {static_cast<QGraphicsItem*>(tramos_), static_cast<QGraphicsItem*>(capas_[Estaciones]),
                             static_cast<QGraphicsItem*>(capas_[Vertices]),
                             static_cast<QGraphicsItem*>(capas_[Compensados])})
        i->setVisible(chkPoligonal->isChecked());
    for (CapaPuntos* c : capas_)
        c->PonerRotulos(chkRotulos->isChecked(), chkCotas->isChecked());
}

void frmPlano::AplicarEscala(double metrosPorPixel)
{
    for (CapaPuntos* c : capas_)
        c->PonerEscala(metrosPorPixel);
    // Room to pan well beyond the work.
    Extension e = ExtensionTotal();
    if (e.vacia)
        return;
    const double holgura = std::max({e.Ancho(), e.Alto(), 100.0}) * 5.0 +
                           std::max(vistaPlano->viewport()->width(), vistaPlano->viewport()->height()) * metrosPorPixel;
    const QRectF necesario(e.xmin - holgura, e.ymin - holgura, e.Ancho() + 2 * holgura, e.Alto() + 2 * holgura);
    const QRectF actual = escena_->sceneRect();
    if (actual.contains(necesario) && actual.width() < necesario.width() * 4)
        return;
    // A new scene rectangle must not move what is on screen.
    const QPointF centro = vistaPlano->mapToScene(vistaPlano->viewport()->rect().center());
    escena_->setSceneRect(necesario);
    vistaPlano->centerOn(centro);
}

Extension frmPlano::ExtensionTotal() const
{
    ::Extension e;
    for (const CapaPuntos* c : capas_)
        e.Unir(c->Limites());
    return e;
}

void frmPlano::Encuadrar()
{
    const Extension e = ExtensionTotal();
    if (e.vacia)
        return;
    encuadrado_ = true;
    AplicarEscala(vistaPlano->MetrosPorPixel());
    vistaPlano->Encuadrar(e);
}

void frmPlano::MostrarCursor(QPointF p)
{
    lblCursor->setText(QStringLiteral("X = %1   Y = %2").arg(cv::Q(F3(p.x())), cv::Q(F3(p.y()))));
}

void frmPlano::Seleccionar(QPointF p)
{
    const double radio = 8.0 * vistaPlano->MetrosPorPixel();
    const objPto* mejor = nullptr;
    double mejorD2 = 0.0;
    for (const CapaPuntos* c : capas_) {
        if (!c->isVisible())
            continue;
        const int i = c->MasCercano(p, radio);
        if (i < 0)
            continue;
        const objPto& q = c->Puntos()[static_cast<size_t>(i)];
        const double d2 = (q.X - p.x()) * (q.X - p.x()) + (q.Y - p.y()) * (q.Y - p.y());
        if (!mejor || d2 < mejorD2) {
            mejor = &q;
            mejorD2 = d2;
        }
    }
    if (!mejor) {
        lblSeleccion->clear();
        marcaSeleccion_->hide();
        return;
    }
    lblSeleccion->setText(QStringLiteral("%1   X = %2   Y = %3   Z = %4")
                              .arg(cv::Q(mejor->N), cv::Q(F3(mejor->X)), cv::Q(F3(mejor->Y)), cv::Q(F3(mejor->Z))));
    marcaSeleccion_->setPos(mejor->X, mejor->Y);
    marcaSeleccion_->show();
}

void frmPlano::DibujarDatos(QPainter* painter, const QTransform& mundo, const QRectF& ventana)
{
    QStyleOptionGraphicsItem opcion;
    opcion.exposedRect = ventana;
    QGraphicsItem* orden[] = {tramos_,           capas_[Puntos],   capas_[Bases],
                              capas_[Estaciones], capas_[Vertices], capas_[Compensados]};
    for (QGraphicsItem* i : orden) {
        if (!i->isVisible())
            continue;
        painter->save();
        painter->setWorldTransform(mundo);
        if (auto* c = dynamic_cast<CapaPuntos*>(i))
            c->PonerTodos(true);
        i->paint(painter, &opcion, nullptr);
        if (auto* c = dynamic_cast<CapaPuntos*>(i))
            c->PonerTodos(false);
        painter->restore();
    }
}

void frmPlano::Exportar(bool pdf)
{
    Actualizar();
    plano::Exportar(this, pdf, QStringLiteral("plano"), ExtensionTotal(), txtTrabajo->text(), cboHoja->currentText(),
                    cboEscala->currentText(), [this](QPainter* p, const Extension& v) {
                        DibujarDatos(p, p->worldTransform(), QRectF(v.xmin - 1, v.ymin - 1, v.Ancho() + 2, v.Alto() + 2));
                    });
}
