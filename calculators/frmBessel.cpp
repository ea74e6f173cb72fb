#include "calculators/frmBessel.h"

#include "calculators/CalculosCampo.h"
#include "shell/Comun.h"
#include "shell/modResIndependentForm.h"

frmBessel::frmBessel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmBessel"));
    setWindowTitle(QStringLiteral("Bessel"));
    setGeometry(300, 180, 260, 240);

    const QString etiquetas[4] = {QStringLiteral("Hz cd ..."), QStringLiteral("Hz ci ..."), QStringLiteral("V cd ...."),
                                  QStringLiteral("V ci ....")};
    const QString ayudas[4] = {QStringLiteral("Hz directo"), QStringLiteral("Hz inverso"), QStringLiteral("V directo"),
                               QStringLiteral("V inverso")};
    QList<QLineEdit*> orden;
    for (int i = 0; i < 4; ++i) {
        cv::CrearEtiqueta(this, QStringLiteral("Label%1").arg(i + 1), etiquetas[i], QRect(16, 16 + 32 * i, 90, 22));
        txtObservacion[i] = cv::CrearCampo(this, QStringLiteral("txtObservacion"), i,
                                           QRect(110, 14 + 32 * i, 120, 24), ayudas[i]);
        cv::FiltrarTeclas(txtObservacion[i], cv::TipoCampo::Numerico);
        // The horizontal pair feeds only the Hz mean, the zenith pair only V.
        connect(txtObservacion[i], &QLineEdit::textChanged, this, i < 2 ? &frmBessel::CalcularHz : &frmBessel::CalcularV);
        orden << txtObservacion[i];
    }
    new cv::OrdenCampos(this, orden);
    cv::CrearEtiqueta(this, QStringLiteral("Label5"), QStringLiteral("Hz ......"), QRect(16, 160, 90, 22));
    lblHz = cv::CrearEtiqueta(this, QStringLiteral("lblHz"), QString(), QRect(110, 160, 120, 22));
    cv::CrearEtiqueta(this, QStringLiteral("Label6"), QStringLiteral("V ......."), QRect(16, 190, 90, 22));
    lblV = cv::CrearEtiqueta(this, QStringLiteral("lblV"), QString(), QRect(110, 190, 120, 22));
    cv::PrepararVentana(this);
}

void frmBessel::CalcularHz()
{
    lblHz->setText(cv::Q(TextoBesselHz(cv::S(txtObservacion[0]->text()), cv::S(txtObservacion[1]->text()))));
}

void frmBessel::CalcularV()
{
    lblV->setText(cv::Q(TextoBesselV(cv::S(txtObservacion[2]->text()), cv::S(txtObservacion[3]->text()))));
}
