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

    cv::CrearEtiqueta(this, QStringLiteral("Label1"), QStringLiteral("Nuevos vértices de salida"),
                      QRect(16, 10, 240, 20));
    cv::CrearEtiqueta(this, QStringLiteral("Label2"), QStringLiteral("Estación"), QRect(90, 34, 110, 18));
    cv::CrearEtiqueta(this, QStringLiteral("Label3"), QStringLiteral("Orientación"), QRect(220, 34, 110, 18));
    CrearCamposVertices(this, txtBE, txtBO, 16, 90, 220, 56);
    cmdAceptar = cv::CrearBoton(this, QStringLiteral("cmdAceptar"), QStringLiteral("Cambiar vértices"),
                                QRect(16, 180, 200, 30));

    QList<QLineEdit*> orden;
    for (QLineEdit* c : txtBE)
        orden << c;
    for (QLineEdit* c : txtBO)
        orden << c;
    new cv::OrdenCampos(this, orden, [this] { cmdAceptar->setFocus(); });
    connect(cmdAceptar, &QPushButton::clicked, this, &frmEditarVerticesSalida::Aceptar);

    cv::PrepararVentana(this);

    MostrarVertice(txtBE, frmPoligonal::objVertice_BE);
    MostrarVertice(txtBO, frmPoligonal::objVertice_BO);
    txtBE[0]->setFocus();
}

bool frmEditarVerticesSalida::BaseEstacionValida() const
{
    return VerticeValido(TextosVertice(txtBE));
}

bool frmEditarVerticesSalida::BaseOrientacionValida() const
{
    return VerticeValido(TextosVertice(txtBO));
}

void frmEditarVerticesSalida::Aceptar()
{
    if (!BaseEstacionValida() || !BaseOrientacionValida()) {
        cv::Aviso(this, QStringLiteral("Las bases no son válidas."));
        return;
    }
    frmPoligonal::objVertice_BE = LeerVertice(TextosVertice(txtBE));
    frmPoligonal::objVertice_BO = LeerVertice(TextosVertice(txtBO));
    accept();
    if (frmPoligonal* hoja = frmPoligonal::Abierta())
        hoja->CambiarVerticesDeSalida();
}
