#include "calculators/frmDistanciaReducida.h"

#include "calculators/CalculosCampo.h"
#include "shell/Comun.h"
#include "shell/modResIndependentForm.h"

frmDistanciaReducida::frmDistanciaReducida(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmDistanciaReducida"));
    setWindowTitle(QStringLiteral("Distancia reducida"));
    setGeometry(300, 200, 240, 140);

    const QString etiquetas[2] = {QStringLiteral("V ......."), QStringLiteral("DI ......")};
    const QString ayudas[2] = {QStringLiteral("Ángulo cenital"), QStringLiteral("Distancia geométrica")};
    for (int i = 0; i < 2; ++i) {
        cv::CrearEtiqueta(this, QStringLiteral("Label%1").arg(i + 1), etiquetas[i], QRect(16, 16 + 32 * i, 90, 22));
        txtObservacion[i] = cv::CrearCampo(this, QStringLiteral("txtObservacion"), i,
                                           QRect(110, 14 + 32 * i, 110, 24), ayudas[i]);
        cv::FiltrarTeclas(txtObservacion[i], cv::TipoCampo::Numerico);
        connect(txtObservacion[i], &QLineEdit::textChanged, this, &frmDistanciaReducida::Calcular);
    }
    new cv::OrdenCampos(this, {txtObservacion[0], txtObservacion[1]});
    cv::CrearEtiqueta(this, QStringLiteral("Label3"), QStringLiteral("DR ......"), QRect(16, 92, 90, 22));
    lblDistanciaReducida = cv::CrearEtiqueta(this, QStringLiteral("lblDistanciaReducida"), QString(),
                                             QRect(110, 92, 110, 22));
    cv::PrepararVentana(this);
}

void frmDistanciaReducida::Calcular()
{
    lblDistanciaReducida->setText(
        cv::Q(TextoDistanciaReducida(cv::S(txtObservacion[0]->text()), cv::S(txtObservacion[1]->text()))));
}
