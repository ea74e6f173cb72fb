#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/FicherosTexto.h"
#include "drawings/Plano.h"

class QGraphicsEllipseItem;

// What the plan and the profile share: finding the open windows of the
// program, the on-screen handling of a drawing, and writing it to SVG or PDF.
namespace plano {

// The open window with that object name, inside the main frame or on its
// own; null when none is open.
QWidget* BuscarVentana(const QString& nombre);
// The texts of a list of a window, found by name.
std::vector<std::string> FilasLista(QWidget* ventana, const QString& lista);

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

// The sheet of a PDF at 1:escala: frame, title block, north and scale bar;
// `dibujar` draws the data with the painter mapping survey coordinates to the
// page. Returns the PDF's bytes.
QByteArray HacerPdf(const Hoja& hoja, const MapaPagina& mapa, const QString& trabajo,
                    const std::function<void(QPainter*)>& dibujar);
// An SVG of the extent, about `ancho` pixels wide.
QByteArray HacerSvg(const Extension& e, int ancho, const QString& titulo,
                    const std::function<void(QPainter*)>& dibujar);
// The boxes of a printed drawing: cboEscala (1:200 to 1:5000, 1:1000
// chosen) and cboHoja (A4, A3).
QComboBox* CrearEscala(QWidget* ventana);
QComboBox* CrearHoja(QWidget* ventana);
// Asks for a file and writes the drawing of `e` to it through the program's
// writer: an SVG, or a PDF on the sheet and at the scale named by `hoja` and
// `escala` ("A4", "1:1000"). `nombre` ("plano", "perfil") names the dialog and
// the failure message. `dibujar` draws the data with the painter mapping
// survey coordinates onto the output, told the part of the survey in sight.
// An empty extent is refused with a warning.
void Exportar(QWidget* ventana, bool pdf, const QString& nombre, const Extension& e, const QString& titulo,
              const QString& hoja, const QString& escala,
              const std::function<void(QPainter*, const Extension&)>& dibujar);
// The transform that maps survey coordinates onto the sheet's device units.
QTransform TransformadaPagina(const MapaPagina& mapa, double unidadesPorMm);

} // namespace plano

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

// The plan of the work: the bases of every open window, the traverse of the
// traverse sheet, the computed points of the point windows and the adjusted
// points, live as their windows change.
class frmPlano : public QWidget {
    Q_OBJECT
public:
    explicit frmPlano(QWidget* parent = nullptr);
    ~frmPlano() override;

    // Reads the open windows again now (the window does it by itself, once
    // per burst of changes).
    void Actualizar();
    // Fits every point in the view.
    void Encuadrar();
    QGraphicsScene* Escena() const { return escena_; }

protected:
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    enum Capa { Bases, Puntos, Estaciones, Vertices, Compensados, NUM_CAPAS };
    struct Fuente {
        QPointer<QWidget> ventana;
        bool sucia = true;
        std::vector<objPto> bases, puntos;
    };

    void CrearControles();
    void Programar();
    void BuscarVentanas();
    void Seguir(QWidget* ventana);
    void MarcarSucia(QWidget* ventana);
    void LeerFuente(Fuente& f);
    void RehacerPoligonal();
    void AplicarCapas();
    void AplicarEscala(double metrosPorPixel);
    void MostrarCursor(QPointF p);
    void Seleccionar(QPointF p);
    Extension ExtensionTotal() const;
    void DibujarDatos(QPainter* painter, const QTransform& mundo, const QRectF& ventana);
    // The drawing to SVG, or to PDF at the chosen sheet and scale.
    void Exportar(bool pdf);

    QGraphicsScene* escena_;
    plano::Vista* vistaPlano;
    CapaPuntos* capas_[NUM_CAPAS];
    CapaTramos* tramos_;
    QGraphicsEllipseItem* marcaSeleccion_;
    QCheckBox* chkBases;
    QCheckBox* chkPoligonal;
    QCheckBox* chkPuntos;
    QCheckBox* chkRotulos;
    QCheckBox* chkCotas;
    QComboBox* cboExageracionCierre;
    QComboBox* cboEscala;
    QComboBox* cboHoja;
    QLineEdit* txtTrabajo;
    QPushButton* cmdEncuadrar;
    QPushButton* cmdExportarSvg;
    QPushButton* cmdExportarPdf;
    QLabel* lblCursor;
    QLabel* lblSeleccion;

    std::vector<Fuente> fuentes_;
    QPointer<QWidget> poligonal_;
    bool poligonalSucia_ = true;
    bool pendiente_ = false;
    bool encuadrado_ = false;
    QTimer* buscar_;
    QPointer<QObject> marco_;
};
