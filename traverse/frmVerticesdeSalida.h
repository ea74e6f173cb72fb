#pragma once
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// Start of a new traverse: the two starting vertices, typed, or the
// orientation vertex placed from reciprocal observations (relative survey).
// Accepted, it has set the sheet's starting vertices; whoever opened it then
// opens the sheet.
class frmVerticesdeSalida : public QDialog {
    Q_OBJECT
public:
    explicit frmVerticesdeSalida(QWidget* parent = nullptr);

private:
    void CalcularVerticeOrientacion();
    void LimpiarVerticeOrientacion();
    void CambioObservacion(int i);
    void Aceptar();

    QLineEdit* txtBE[4];
    QLineEdit* txtBO[4];
    QLineEdit* txtObservacion[10];
    QLabel* lblVBEBO;
    QLabel* lblVBOBE;
    QLabel* lblDifDistancias;
    QLabel* lblDifCotas;
    QPushButton* cmdAceptar;
};
