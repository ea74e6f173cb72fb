#pragma once
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

// Bases typed by hand (name, X, Y, Z) into a base list that is opened from and
// saved to bases files.
class frmEditarBases : public QWidget {
    Q_OBJECT
public:
    explicit frmEditarBases(QWidget* parent = nullptr);

    QLineEdit* txtBase[4];
    QPushButton* cmdAnadirBase;
    QPushButton* cmdAbrirBases;
    QPushButton* cmdGuardarFichero;
    QPushButton* cmdCortarBase;
    QPushButton* cmdBorrarBases;
    QListWidget* lstBases;

private:
    void AnadirBase();
    void BorrarBases();
    void AbrirBases();
};
