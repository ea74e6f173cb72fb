#pragma once
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "core/Configuracion.h"

// Reads config.cvr and validates it; when it is missing or invalid, tells the
// user, takes the default K and writes it back. Used at start-up and by the
// configuration window.
Configuracion CargarConfiguracion(QWidget* padre);

// The configuration window: the refraction coefficient K, or no correction,
// and the job's coordinate system for the map exports.
class frmConfiguracion : public QDialog {
    Q_OBJECT
public:
    explicit frmConfiguracion(QWidget* parent = nullptr);

signals:
    // The K in force (KRefraccion) was changed; the window has closed.
    void kCambiada();

private:
    void AnularKERCambiado();
    void PorDefecto();
    void Aceptar();

    QLineEdit* txtK;
    // The EPSG code of the job's projected system, for the map exports; kept
    // in its own file, never in config.cvr.
    QLineEdit* txtEpsg;
    QCheckBox* chkAnularKER;
    QPushButton* cmdXDefecto;
    QPushButton* cmdAceptar;
};
