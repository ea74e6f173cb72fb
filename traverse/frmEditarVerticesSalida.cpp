#include "traverse/frmEditarVerticesSalida.h"

#include "shell/Comun.h"
#include "shell/modResIndependentForm.h"
#include "traverse/CamposVertices.h"
#include "traverse/Poligonal.h"
#include "traverse/frmPoligonal.h"

frmEditarVerticesSalida::frmEditarVerticesSalida(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEditarVerticesSalida"));
    setWindowTitle(QStringLiteral("Edición de los vértices de salida"));
    setGeometry(220, 120, 360, 250);

    CrearBloqueVertices(this, QStringLiteral("Nuevos vértices de salida"), 240, QStringLiteral("Orientación"), txtBE,
                        txtBO);
    cmdAceptar = cv::CrearBoton(this, QStringLiteral("cmdAceptar"), QStringLiteral("Cambiar vértices"),
                                QRect(16, 180, 200, 30));

    new cv::OrdenCampos(this, OrdenVertices(txtBE, txtBO), [this] { cmdAceptar->setFocus(); });
    connect(cmdAceptar, &QPushButton::clicked, this, &frmEditarVerticesSalida::Aceptar);

    cv::PrepararVentana(this);

    MostrarVertice(txtBE, frmPoligonal::objVertice_BE);
    MostrarVertice(txtBO, frmPoligonal::objVertice_BO);
    txtBE[0]->setFocus();
}

void frmEditarVerticesSalida::Aceptar()
{
    if (!VerticesValidos(this, txtBE, txtBO))
        return;
    frmPoligonal::objVertice_BE = LeerVertice(TextosVertice(txtBE));
    frmPoligonal::objVertice_BO = LeerVertice(TextosVertice(txtBO));
    accept();
}
