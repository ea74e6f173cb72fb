#pragma once
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "shell/Lista.h"

// Bases typed by hand (name, X, Y, Z) into a base list that is opened from and
// saved to bases files.
class frmEditarBases : public QWidget {
    Q_OBJECT
public:
    explicit frmEditarBases(QWidget* parent = nullptr);

private:
    // The controls, reached from outside by their design names.
    QLineEdit* txtBase[4];
    QPushButton* cmdAnadirBase;
    QPushButton* cmdAbrirBases;
    QPushButton* cmdGuardarFichero;
    QPushButton* cmdCortarBase;
    QPushButton* cmdBorrarBases;
    cv::Lista* lstBases;

    void AnadirBase();
    void BorrarBases();
    void AbrirBases();
};
