#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

// Mean of a pair of direct-face and reverse-face readings (Bessel's rule).
class frmBessel : public QWidget {
    Q_OBJECT
public:
    explicit frmBessel(QWidget* parent = nullptr);

private:
    // The controls, reached from outside by their design names.
    QLineEdit* txtObservacion[4];
    QLabel* lblHz;
    QLabel* lblV;

    void CalcularHz();
    void CalcularV();
};
