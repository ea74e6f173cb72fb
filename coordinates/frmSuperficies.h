#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>

#include "coordinates/Superficies.h"
#include "shell/Lista.h"

// Area and perimeter of a parcel given by its vertices in a point list, and
// the line that cuts a given area off it, parallel to a side or through a
// vertex. Everything is worked out as it is typed; a problem is named under
// the figures.
class frmSuperficies : public QWidget {
    Q_OBJECT
public:
    explicit frmSuperficies(QWidget* parent = nullptr);

    // Works the parcel and the subdivision out again and shows them.
    void Calcular();

private:
    cv::Lista* lstPuntos;
    QPushButton* cmdAbrirPuntos;
    QLineEdit* txtVertices;
    QLabel* lblSuperficie;
    QLabel* lblHectareas;
    QLabel* lblPerimetro;
    QLineEdit* txtSuperficieSegregar;
    QRadioButton* optParalela;
    QRadioButton* optPorVertice;
    QLineEdit* txtLado;
    QLineEdit* txtVertice;
    QLabel* lblPuntoA;
    QLabel* lblPuntoB;
    QLabel* lblSuperficieResto;
    QLabel* lblAviso;
    QPushButton* cmdExportar;
    QTimer* timCalculo;

    ResultadoSuperficies resultado_;

    void AbrirPuntos();
    void Exportar();
};
