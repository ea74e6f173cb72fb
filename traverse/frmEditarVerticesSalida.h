#pragma once
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

// Changes the starting vertices of the open traverse, which is then
// recomputed from them.
class frmEditarVerticesSalida : public QDialog {
    Q_OBJECT
public:
    explicit frmEditarVerticesSalida(QWidget* parent = nullptr);

    bool BaseEstacionValida() const;
    bool BaseOrientacionValida() const;

    QLineEdit* txtBE[4];
    QLineEdit* txtBO[4];
    QPushButton* cmdAceptar;

private:
    void Aceptar();
};
