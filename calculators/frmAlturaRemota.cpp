#include "calculators/frmAlturaRemota.h"

#include "calculators/CalculosCampo.h"
#include "shell/Comun.h"
#include "shell/modResIndependentForm.h"

frmAlturaRemota::frmAlturaRemota(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmAlturaRemota"));
    setWindowTitle(QStringLiteral("Altura remota"));
    setGeometry(280, 180, 320, 210);

    const QString etiquetas[4] = {QStringLiteral("Z Base Estación ....... "), QStringLiteral("Altura instrumento .... "),
                                  QStringLiteral("Ángulo cenital (V) .... "), QStringLiteral("Distancia reducida ....")};
    QList<QLineEdit*> orden;
    for (int i = 0; i < 4; ++i) {
        cv::CrearEtiqueta(this, QStringLiteral("Label%1").arg(i + 1), etiquetas[i], QRect(16, 16 + 32 * i, 170, 22));
        txtDatos[i] = cv::CrearCampo(this, QStringLiteral("txtDatos"), i, QRect(190, 14 + 32 * i, 110, 24));
        cv::FiltrarTeclas(txtDatos[i], cv::TipoCampo::Numerico);
        connect(txtDatos[i], &QLineEdit::textChanged, this, &frmAlturaRemota::Calcular);
        orden << txtDatos[i];
    }
    new cv::OrdenCampos(this, orden);
    cv::CrearEtiqueta(this, QStringLiteral("Label5"), QStringLiteral("Z punto remoto ........ "),
                      QRect(16, 160, 170, 22));
    lblZR = cv::CrearEtiqueta(this, QStringLiteral("lblZR"), QString(), QRect(190, 160, 110, 22));
    cv::PrepararVentana(this);
}

void frmAlturaRemota::Calcular()
{
    lblZR->setText(cv::Q(TextoAlturaRemota(cv::S(txtDatos[0]->text()), cv::S(txtDatos[1]->text()),
                                           cv::S(txtDatos[2]->text()), cv::S(txtDatos[3]->text()))));
}
