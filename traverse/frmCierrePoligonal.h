#pragma once
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// Closure of the open traverse on two known arrival vertices: the errors are
// shown and recorded in the sheet's list of points, never distributed.
class frmCierrePoligonal : public QDialog {
    Q_OBJECT
public:
    explicit frmCierrePoligonal(QWidget* parent = nullptr);

    bool BaseEstacionValida() const;
    bool BaseOrientacionValida() const;
    void CalcularErroresCierre();

    QLineEdit* txtBE[4];
    QLineEdit* txtBO[4];
    QLabel* lblEAngular;
    QLabel* lblEX;
    QLabel* lblEY;
    QLabel* lblEZ;
    QLabel* lblET;
    QPushButton* cmdAceptar;

private:
    void VaciarErrores();
    void Aceptar();
};
