#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "shell/Lista.h"

// Radiation of bases: a station on a listed base BE oriented on a listed base
// BO; the point sighted is computed as the observations are typed and can be
// added to the same list under a name, to serve as BE or BO of the next set-up.
class frmRadiacion : public QWidget {
    Q_OBJECT
public:
    explicit frmRadiacion(QWidget* parent = nullptr);

    // True when observations 0 to 5 are numbers.
    bool ObservacionesRadiacionValidas() const;
    // Computes and shows the radiated point, or empties the result.
    void CalcularRadiacion();

private:
    // The controls, reached from outside by their design names.
    cv::Lista* lstBases;
    QPushButton* cmdAbrirBases;
    QPushButton* cmdGuardarFichero;
    QPushButton* cmdCortarBase;
    QPushButton* cmdBorrarBases;
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
    QLineEdit* txtObservaciones[7];
    QLabel* lblBRadiadaX;
    QLabel* lblBRadiadaY;
    QLabel* lblBRadiadaZ;
    QPushButton* cmdEntrarBV;
    QTimer* timIntermitencia;

    void EntrarBE();
    void EntrarBO();
    void AbrirBases();
    void BorrarBases();
    void EntrarBV();
    void Intermitencia();
};
