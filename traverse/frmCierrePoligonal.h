#pragma once
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class frmPoligonal;

// Closure of the sheet's traverse on two known arrival vertices: the errors
// are shown and, once accepted, recorded in the sheet's list of points; they
// are never distributed.
class frmCierrePoligonal : public QDialog {
    Q_OBJECT
public:
    // `hoja` is the open traverse sheet; it outlives this modal window.
    explicit frmCierrePoligonal(frmPoligonal* hoja, QWidget* parent = nullptr);

private:
    bool BaseEstacionValida() const;
    bool BaseOrientacionValida() const;
    void CalcularErroresCierre();
    void VaciarErrores();
    void Aceptar();

    frmPoligonal* hoja_;
    QLineEdit* txtBE[4];
    QLineEdit* txtBO[4];
    QLabel* lblEAngular;
    QLabel* lblEX;
    QLabel* lblEY;
    QLabel* lblEZ;
    QLabel* lblET;
    QPushButton* cmdAceptar;
};
