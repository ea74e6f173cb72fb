#pragma once
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

#include "coordinates/Helmert.h"
#include "shell/Lista.h"

// Transformation of coordinates between two systems through the points both
// lists share: the parameters, sigma0 and the residuals are shown as the lists
// and the method change; a point can be left out of the fit and brought back,
// and a whole file carried to the system reached.
class frmTransformacion : public QWidget {
    Q_OBJECT
public:
    explicit frmTransformacion(QWidget* parent = nullptr);

    // Fits again and shows the result; with `avisar`, a refusal between two
    // lists that both hold points is also told in a box.
    void Calcular(bool avisar = false);

private:
    cv::Lista* lstOrigen;
    cv::Lista* lstDestino;
    QPushButton* cmdAbrirOrigen;
    QPushButton* cmdAbrirDestino;
    QRadioButton* optHelmert;
    QRadioButton* optAfin;
    QLabel* lblTX;
    QLabel* lblTY;
    QLabel* lblGiro;
    QLabel* lblEscala;
    QLabel* lblSigma0;
    QLabel* lblParametros;
    cv::Lista* lstResiduos;
    QPushButton* cmdExcluir;
    QPushButton* cmdTransformar;
    // Recomputes once the lists have changed by other means (a recovered job).
    QTimer* timCalculo;

    std::vector<std::string> excluidos_;
    ResultadoTransformacion resultado_;

    void Abrir(cv::Lista* lista);
    void Excluir();
    void TransformarFichero();
};
