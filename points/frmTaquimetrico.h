#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "shell/Lista.h"

// Tacheometry: a block of detail points radiated at once from one station,
// taken from the observation list and appended to the list of points; after
// each block the window is ready for the next station of the run.
class frmTaquimetrico : public QWidget {
    Q_OBJECT
public:
    explicit frmTaquimetrico(QWidget* parent = nullptr);

    // The block computation of the button "Calcular bloque".
    void CalcularBloque();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // The controls, reached from outside by their design names.
    // Bases.
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
    QLineEdit* txtHz;

    // Observations.
    cv::Lista* lstObservaciones;
    QPushButton* cmdObsAbrir;
    QPushButton* cmdCortarObservacion;
    QLineEdit* txtPtoI;
    QLineEdit* txtPtoF;
    QPushButton* cmdCalcularBloque;

    // Points.
    cv::Lista* lstPuntos;
    QPushButton* cmdPuntosGuardar;
    QPushButton* cmdPuntosBorrar;
    QPushButton* cmdPuntosLimpiar;

    void EntrarBase(QLabel* nombre, QLabel* x, QLabel* y, QLabel* z);
    void LimpiarBases();
    void LimpiarPuntos();
};
