#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

// Height of a point that cannot be occupied, from a station of known height.
class frmAlturaRemota : public QWidget {
    Q_OBJECT
public:
    explicit frmAlturaRemota(QWidget* parent = nullptr);

private:
    // The controls, reached from outside by their design names.
    QLineEdit* txtDatos[4];
    QLabel* lblZR;

    void Calcular();
};
