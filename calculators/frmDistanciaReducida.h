#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

// Reduced distance of one observation: zenith angle and slope distance.
class frmDistanciaReducida : public QWidget {
    Q_OBJECT
public:
    explicit frmDistanciaReducida(QWidget* parent = nullptr);

private:
    // The controls, reached from outside by their design names.
    QLineEdit* txtObservacion[2];
    QLabel* lblDistanciaReducida;

    void Calcular();
};
