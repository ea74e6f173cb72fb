#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "drawings/modCapas.h"
#include "drawings/modVista.h"

class QGraphicsEllipseItem;

// The plan of the job: the bases of every list window, the traverse with the
// vector of its accepted closure, the computed points of the point windows,
// the adjusted points and the terrain's triangles and contours, redrawn from the job as it changes.
class frmPlano : public QWidget {
    Q_OBJECT
public:
    explicit frmPlano(QWidget* parent = nullptr);

    // Draws the job again now (the window does it by itself, once per burst
    // of changes).
    void Actualizar();
    // Fits every point in the view.
    void Encuadrar();
    QGraphicsScene* Escena() const { return escena_; }

protected:
    void showEvent(QShowEvent* evento) override;

private:
    enum Capa { Bases, Puntos, Estaciones, Vertices, Compensados, NUM_CAPAS };
    void CrearControles();
    void Programar();
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
    CapaTerreno* terreno_;
    QGraphicsEllipseItem* marcaSeleccion_;
    QCheckBox* chkBases;
    QCheckBox* chkPoligonal;
    QCheckBox* chkPuntos;
    QCheckBox* chkRotulos;
    QCheckBox* chkCotas;
    QCheckBox* chkTriangulos;
    QCheckBox* chkCurvas;
    QComboBox* cboExageracionCierre;
    QComboBox* cboEscala;
    QComboBox* cboHoja;
    QLineEdit* txtTrabajo;
    QPushButton* cmdEncuadrar;
    QPushButton* cmdExportarSvg;
    QPushButton* cmdExportarPdf;
    QLabel* lblCursor;
    QLabel* lblSeleccion;
    QLabel* lblCierre;

    bool listasSucias_ = true, compensadosSucios_ = true, poligonalSucia_ = true, terrenoSucio_ = true;
    bool pendiente_ = false;
    bool encuadrado_ = false;
};
