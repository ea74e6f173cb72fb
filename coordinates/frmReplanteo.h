#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "coordinates/Replanteo.h"
#include "shell/Lista.h"

// The stake-out sheet: a station on a listed base BE oriented on a listed base
// BO, as in the radiation window, and for every design point the azimuth, the
// circle reading with zero on BO, the reduced distance and the height
// difference. The sheet is written as text or as a GSI file for the
// instrument.
class frmReplanteo : public QWidget {
    Q_OBJECT
public:
    explicit frmReplanteo(QWidget* parent = nullptr);

    // Works the sheet out again and shows it, or why there is none.
    void Calcular();

private:
    cv::Lista* lstBases;
    QPushButton* cmdAbrirBases;
    QPushButton* cmdCortarBase;
    QPushButton* cmdLimpiarBases;
    QPushButton* cmdEntrarBE;
    QPushButton* cmdEntrarBO;
    QLabel* lblBE;
    QLabel* lblBEX;
    QLabel* lblBEY;
    QLabel* lblBEZ;
    QLabel* lblBO;
    QLabel* lblBOX;
    QLabel* lblBOY;
    QLabel* lblBOZ;
    QLineEdit* txti;
    cv::Lista* lstPuntos;
    QPushButton* cmdAbrirPuntos;
    cv::Lista* lstReplanteo;
    QLabel* lblAviso;
    QPushButton* cmdExportar;
    QTimer* timCalculo;

    ResultadoReplanteo resultado_;

    void AbrirPuntos();
    void Exportar();
};
