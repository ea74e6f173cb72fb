#pragma once
#include <QComboBox>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "drawings/Perfil.h"
#include "drawings/modExportar.h"
#include "drawings/modVista.h"

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

// The profile of the job's span (the catenary window's computation), live as
// it changes.
class frmPerfil : public QWidget {
    Q_OBJECT
public:
    explicit frmPerfil(QWidget* parent = nullptr);

    // Draws the job's span again now.
    void Actualizar();
    QGraphicsScene* Escena() const { return escena_; }

protected:
    void showEvent(QShowEvent* evento) override;

private:
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
};
