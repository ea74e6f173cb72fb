#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

// Mean of a pair of direct-face and reverse-face readings (Bessel's rule).
class frmBessel : public QWidget {
    Q_OBJECT
public:
    explicit frmBessel(QWidget* parent = nullptr);

    QLineEdit* txtObservacion[4];
    QLabel* lblHz;
    QLabel* lblV;

private:
    void CalcularHz();
    void CalcularV();
};
