#include "traverse/frmCierrePoligonal.h"

#include "core/TextoNumerico.h"
#include "shell/Comun.h"
#include "shell/modResIndependentForm.h"
#include "traverse/CamposVertices.h"
#include "traverse/Poligonal.h"
#include "traverse/frmPoligonal.h"

frmCierrePoligonal::frmCierrePoligonal(frmPoligonal* hoja, QWidget* parent) : QDialog(parent), hoja_(hoja)
{
    setObjectName(QStringLiteral("frmCierrePoligonal"));
    setWindowTitle(QStringLiteral("Cierre de la poligonal"));
    setGeometry(220, 80, 360, 400);

    CrearBloqueVertices(this, QStringLiteral("Vértices de llegada"), 240, QStringLiteral("Visado"), txtBE, txtBO);

    cv::CrearEtiqueta(this, QStringLiteral("Label4"), QStringLiteral("Errores de cierre"), QRect(16, 180, 240, 20));
    const QString rotulos[5] = {QStringLiteral("Error angular (g) .."), QStringLiteral("Error en X ........."),
                                QStringLiteral("Error en Y ........."), QStringLiteral("Error en Z ........."),
                                QStringLiteral("Error dist. ........")};
    const char* nombres[5] = {"lblEAngular", "lblEX", "lblEY", "lblEZ", "lblET"};
    QLabel* resultados[5];
    for (int i = 0; i < 5; ++i) {
        cv::CrearEtiqueta(this, QStringLiteral("Label%1").arg(5 + i), rotulos[i], QRect(16, 206 + 24 * i, 170, 18));
        resultados[i] =
            cv::CrearEtiqueta(this, QString::fromLatin1(nombres[i]), QString(), QRect(190, 206 + 24 * i, 140, 18));
    }
    lblEAngular = resultados[0];
    lblEX = resultados[1];
    lblEY = resultados[2];
    lblEZ = resultados[3];
    lblET = resultados[4];
    cmdAceptar = cv::CrearBoton(this, QStringLiteral("cmdAceptar"), QStringLiteral("Cerrar poligonal"),
                                QRect(16, 340, 200, 30));

    const QList<QLineEdit*> orden = OrdenVertices(txtBE, txtBO);
    new cv::OrdenCampos(this, orden, [this] { cmdAceptar->setFocus(); });
    for (QLineEdit* c : orden)
        connect(c, &QLineEdit::textChanged, this, &frmCierrePoligonal::CalcularErroresCierre);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmCierrePoligonal::Aceptar);

    cv::PrepararVentana(this);
    txtBE[0]->setFocus();
}

bool frmCierrePoligonal::BaseEstacionValida() const
{
    return VerticeValido(TextosVertice(txtBE));
}

bool frmCierrePoligonal::BaseOrientacionValida() const
{
    return VerticeValido(TextosVertice(txtBO));
}

void frmCierrePoligonal::VaciarErrores()
{
    for (QLabel* l : {lblEAngular, lblEX, lblEY, lblEZ, lblET})
        l->clear();
}

void frmCierrePoligonal::CalcularErroresCierre()
{
    if (!BaseEstacionValida() || !BaseOrientacionValida() || !hoja_ || hoja_->colPoligonal.empty()) {
        VaciarErrores();
        return;
    }
    const objPto PE = LeerVertice(TextosVertice(txtBE));
    const objPto PV = LeerVertice(TextosVertice(txtBO));
    const ErroresCierre e =
        ::CalcularErroresCierre(frmPoligonal::objVertice_BE, frmPoligonal::objVertice_BO, hoja_->colPoligonal, PE, PV);
    lblEAngular->setText(cv::Q(F4(e.EA)));
    lblEX->setText(cv::Q(F3(e.EX)));
    lblEY->setText(cv::Q(F3(e.EY)));
    lblEZ->setText(cv::Q(F3(e.EZ)));
    lblET->setText(cv::Q(F3(e.ED)));
}

void frmCierrePoligonal::Aceptar()
{
    if (!VerticesValidos(this, txtBE, txtBO))
        return;
    if (hoja_) {
        const std::array<std::string, 5> errores = {cv::S(lblEAngular->text()), cv::S(lblEX->text()),
                                                    cv::S(lblEY->text()), cv::S(lblEZ->text()),
                                                    cv::S(lblET->text())};
        hoja_->AnotarCierre(FilasCierre(TextosVertice(txtBE), TextosVertice(txtBO), errores),
                            LeerVertice(TextosVertice(txtBE)), LeerVertice(TextosVertice(txtBO)));
    }
    accept();
}
