#pragma once
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <string>

#include "shell/Lista.h"
#include "station/EstacionLibre.h"

// Station set-up: a free station (or resection) from sights to listed bases,
// or the orientation of a station on a listed base. The result follows every
// keystroke; the set-up is exported as bases and reported as text.
class frmEstacionLibre : public QWidget {
    Q_OBJECT
public:
    explicit frmEstacionLibre(QWidget* parent = nullptr);

    static constexpr int FILAS = 12;

    // Reads the window, computes and shows the result or the refusal.
    void Calcular();

private:
    // The controls, reached from outside by their design names.
    cv::Lista* lstBases;
    QPushButton* cmdAbrirBases;
    QPushButton* cmdCortarBase;
    QPushButton* cmdLimpiarBases;
    QPushButton* cmdEntrarEstacion;
    QLabel* lblEstacion;
    QRadioButton* optLibre;
    QRadioButton* optConocida;
    QLineEdit* txtNombre;
    QLineEdit* txti;
    QLineEdit* txtPunto[FILAS];
    QLineEdit* txtHz[FILAS];
    QLineEdit* txtV[FILAS];
    QLineEdit* txtDist[FILAS];
    QLineEdit* txtHs[FILAS];
    QPushButton* cmdAbrirObservaciones;
    QCheckBox* chkEscalaLibre;
    QLineEdit* txtSigmaAngular;
    QLineEdit* txtSigmaDistancia;
    QLineEdit* txtSigmaPpm;
    QLabel* lblX;
    QLabel* lblY;
    QLabel* lblZ;
    QLabel* lblOrientacion;
    QLabel* lblEscala;
    QLabel* lblSigma0;
    QLabel* lblPrueba;
    QLabel* lblSemiejeMayor;
    QLabel* lblSemiejeMenor;
    cv::Lista* lstResiduos;
    QLabel* lblAviso;
    QPushButton* cmdExportar;
    QPushButton* cmdInforme;

    // The base taken as station: name, X, Y, Z rows as the list holds them.
    DatosEstacion datos_;
    ResultadoEstacion resultado_;

    void EntrarEstacion();
    void AbrirObservaciones();
    void Exportar();
    void Informe();
};
