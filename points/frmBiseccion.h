#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "shell/Lista.h"

// Bisection: a point intersected from two listed bases, with a height from
// each station, their difference as a check and their mean as the height.
class frmBiseccion : public QWidget {
    Q_OBJECT
public:
    explicit frmBiseccion(QWidget* parent = nullptr);

    // Recomputes the point from the observation boxes and the base labels.
    void Calcular();

private:
    // The controls, reached from outside by their design names.
    cv::Lista* lstBases;
    QPushButton* cmdAbrirBases;
    QPushButton* cmdCortarBase;
    QPushButton* cmdLimpiarBases;
    QLabel* lblB1;
    QLabel* lblB1X;
    QLabel* lblB1Y;
    QLabel* lblB1Z;
    QPushButton* cmdEntrarB1;
    QLabel* lblB2;
    QLabel* lblB2X;
    QLabel* lblB2Y;
    QLabel* lblB2Z;
    QPushButton* cmdEntrarB2;
    QLineEdit* txtObservaciones[9];
    QLabel* lblPtoX;
    QLabel* lblPtoY;
    QLabel* lblPtoZ;
    QLabel* lblDifCotas;
    QPushButton* cmdEntrarPunto;
    cv::Lista* lstPuntos;
    QPushButton* cmdPuntosGuardar;
    QPushButton* cmdPuntosBorrar;
    QPushButton* cmdPuntosLimpiar;
    QTimer* timIntermitencia;

    void EntrarBase(QLabel* nombre, QLabel* x, QLabel* y, QLabel* z);
    void EntrarPunto();
    void LimpiarBases();
    void LimpiarPuntos();
    void Intermitencia();
};
