#pragma once
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// Start of a new traverse: the two starting vertices, typed, or the
// orientation vertex placed from reciprocal observations (relative survey).
class frmVerticesdeSalida : public QDialog {
    Q_OBJECT
public:
    explicit frmVerticesdeSalida(QWidget* parent = nullptr);

    bool BaseEstacionValida() const;
    bool BaseOrientacionValida() const;
    bool ObservacionesValidas() const;
    void CalcularVerticeOrientacion();
    void LimpiarVerticeOrientacion();

    QLineEdit* txtBE[4];
    QLineEdit* txtBO[4];
    QLineEdit* txtObservacion[10];
    QLabel* lblVBEBO;
    QLabel* lblVBOBE;
    QLabel* lblDifDistancias;
    QLabel* lblDifCotas;
    QPushButton* cmdAceptar;

private:
    void CambioObservacion(int i);
    void Aceptar();
};
