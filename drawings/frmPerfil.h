#pragma once
#include <QComboBox>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "drawings/Perfil.h"
#include "drawings/frmPlano.h"

// The drawing of a span's profile: chord, surveyed points, fitted parabola
// and anchors, in (distance, height × exaggeration).
class CapaPerfil : public QGraphicsItem {
public:
    void PonerPerfil(PerfilCatenaria perfil, double exageracion, const QString& anclaje1 = QString(),
                     const QString& anclaje2 = QString());
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* opcion, QWidget* widget) override;
    ::Extension Limites() const;

private:
    PerfilCatenaria perfil_;
    double exageracion_ = 1.0;
    QString nombres_[2];
};

// The profile of the span computed by the open catenary window, live as it
// changes.
class frmPerfil : public QWidget {
    Q_OBJECT
public:
    explicit frmPerfil(QWidget* parent = nullptr);

    // Reads the catenary window again now.
    void Actualizar();
    QGraphicsScene* Escena() const { return escena_; }

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void Seguir();
    void Programar();
    double Exageracion() const;
    // The drawing to SVG, or to PDF at the chosen sheet and scale.
    void Exportar(bool pdf);

    QGraphicsScene* escena_;
    plano::Vista* vistaPerfil;
    CapaPerfil* capa_;
    QComboBox* cboExageracion;
    QComboBox* cboEscala;
    QComboBox* cboHoja;
    QLabel* lblParametro;
    QLabel* lblHolgura;
    QPushButton* cmdEncuadrar;
    QPushButton* cmdExportarSvg;
    QPushButton* cmdExportarPdf;
    QPointer<QWidget> catenaria_;
    QTimer* buscar_;
    bool pendiente_ = false;
};
