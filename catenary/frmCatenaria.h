#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "shell/Lista.h"

// The sag of an overhead conductor: a block of observations from a known base
// to points of the conductor, placed on the span between two anchors,
// projected on its vertical plane and fitted with a parabola.
class frmCatenaria : public QWidget {
    Q_OBJECT
public:
    explicit frmCatenaria(QWidget* parent = nullptr);

private:
    // The controls, reached from outside by their design names.
    // Bases and station.
    cv::Lista* lstBases;
    QPushButton* cmdAbrirFicherodeBases;
    QPushButton* cmdCortarBase;
    QPushButton* cmdEliminarBases;
    QPushButton* cmdEntrarBE;
    QLabel* lblBase;
    QLabel* lblBaseX;
    QLabel* lblBaseY;
    QLabel* lblBaseZ;
    QLineEdit* txti;

    // Anchors.
    cv::Lista* lstPuntos;
    QPushButton* cmdAbrirFicherodePuntosAnclajes;
    QPushButton* cmdCortarPuntoAnclajes;
    QPushButton* cmdEliminarPuntosAnclajes;
    QPushButton* cmdEntrarPunto1;
    QLabel* lblPto1;
    QLabel* lblPto1X;
    QLabel* lblPto1Y;
    QLabel* lblPto1Z;
    QPushButton* cmdEntrarPunto2;
    QLabel* lblPto2;
    QLabel* lblPto2X;
    QLabel* lblPto2Y;
    QLabel* lblPto2Z;

    // Observations and block.
    cv::Lista* lstObservaciones;
    QPushButton* cmdObsAbrir;
    QPushButton* cmdCortarObservacion;
    QLineEdit* txtPtoI;
    QLineEdit* txtPtoF;
    QPushButton* cmdCalcularBloque;

    // Results.
    cv::Lista* lstPuntosCatenaria;
    QPushButton* cmdGuardarFicheroPuntos;
    QPushButton* cmdEliminarPuntos;
    cv::Lista* lstProyeccion;
    QPushButton* cmdGuardarFicheroProyeccion;

    void CalcularBloque();
    void AbrirObservaciones();
    void EliminarBases();
    void EliminarPuntosAnclajes();
    void EliminarPuntos();
};
