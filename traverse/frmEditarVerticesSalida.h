#pragma once
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

// Changes the starting vertices of the open traverse. Accepted, it has set
// them; whoever opened it then has the sheet recompute the traverse.
class frmEditarVerticesSalida : public QDialog {
    Q_OBJECT
public:
    explicit frmEditarVerticesSalida(QWidget* parent = nullptr);

private:
    void Aceptar();

    QLineEdit* txtBE[4];
    QLineEdit* txtBO[4];
    QPushButton* cmdAceptar;
};
