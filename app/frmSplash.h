#pragma once
#include <QTimer>
#include <QWidget>

// The start-up window: one second, then the main window.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

private:
    void Tic();

    QTimer* Reloj;
};
