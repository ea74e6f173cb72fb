#include "traverse/frmVerticesdeSalida.h"

#include "shell/Comun.h"
#include "shell/modResIndependentForm.h"
#include "traverse/CamposVertices.h"
#include "traverse/Poligonal.h"
#include "traverse/frmPoligonal.h"

frmVerticesdeSalida::frmVerticesdeSalida(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVerticesdeSalida"));
    setWindowTitle(QStringLiteral("Vértices de salida"));
    setGeometry(200, 40, 360, 520);

    CrearBloqueVertices(this, QStringLiteral("Vértices de salida"), 200, QStringLiteral("Orientación"), txtBE, txtBO);

    cv::CrearEtiqueta(this, QStringLiteral("Label4"), QStringLiteral("Primeras estaciones"), QRect(16, 180, 160, 20));
    cv::CrearEtiqueta(this, QStringLiteral("Label5"), QStringLiteral("(*)"), QRect(180, 180, 30, 20));
    cv::CrearEtiqueta(this, QStringLiteral("Label6"), QStringLiteral("BE -> BO"), QRect(90, 204, 110, 18));
    cv::CrearEtiqueta(this, QStringLiteral("Label7"), QStringLiteral("BO -> BE"), QRect(220, 204, 110, 18));

    const QString ayudas[10] = {QStringLiteral("V directo de BE a BO"),
                                QStringLiteral("V inverso de BE-BO (opcional)"),
                                QStringLiteral("Distancia geométrica BE-BO"),
                                QStringLiteral("Altura del instrumento en la estación BE"),
                                QStringLiteral("Altura de la señal en la estación BE"),
                                QStringLiteral("V directo de BO-BE"),
                                QStringLiteral("V inverso de BO-BE (opcional)"),
                                QStringLiteral("Distancia geométrica BO-BE"),
                                QStringLiteral("Altura del instrumento en la estación BO"),
                                QStringLiteral("Altura de la señal en la estación BO")};
    // Rows of the two columns; the mean row (2) holds the two labels.
    const int filaY[6] = {226, 254, 282, 306, 334, 362};
    const QString rotulos[6] = {QStringLiteral("V c.d."), QStringLiteral("V c.i."), QStringLiteral("V ...."),
                                QStringLiteral("DI .."),  QStringLiteral("i ..."),  QStringLiteral("m ...")};
    for (int f = 0; f < 6; ++f)
        cv::CrearEtiqueta(this, QStringLiteral("lblObs_%1").arg(f), rotulos[f], QRect(16, filaY[f] + 2, 70, 18));
    const int filaDeIndice[5] = {0, 1, 3, 4, 5};
    QList<QLineEdit*> orden;
    for (int i = 0; i < 10; ++i) {
        const int x = i < 5 ? 90 : 220;
        const int y = filaY[filaDeIndice[i % 5]];
        txtObservacion[i] = cv::CrearCampo(this, QStringLiteral("txtObservacion"), i, QRect(x, y, 110, 22), ayudas[i]);
        cv::FiltrarTeclas(txtObservacion[i], cv::TipoCampo::Numerico);
        orden << txtObservacion[i];
    }
    lblVBEBO = cv::CrearEtiqueta(this, QStringLiteral("lblVBEBO"), QString(), QRect(90, 284, 110, 18));
    lblVBOBE = cv::CrearEtiqueta(this, QStringLiteral("lblVBOBE"), QString(), QRect(220, 284, 110, 18));

    cv::CrearEtiqueta(this, QStringLiteral("Label8"), QStringLiteral("Diferencia distancias ."),
                      QRect(16, 398, 200, 18));
    lblDifDistancias = cv::CrearEtiqueta(this, QStringLiteral("lblDifDistancias"), QString(), QRect(220, 398, 110, 18));
    cv::CrearEtiqueta(this, QStringLiteral("Label9"), QStringLiteral("Diferencia en cotas ..."),
                      QRect(16, 420, 200, 18));
    lblDifCotas = cv::CrearEtiqueta(this, QStringLiteral("lblDifCotas"), QString(), QRect(220, 420, 110, 18));

    cmdAceptar = cv::CrearBoton(this, QStringLiteral("cmdAceptar"), QStringLiteral("Empezar poligonal"),
                                QRect(16, 448, 200, 30), QStringLiteral("Empezar la poligonal"));
    cv::CrearEtiqueta(this, QStringLiteral("Label10"), QStringLiteral("(*) Para levantamiento relativo"),
                      QRect(16, 488, 320, 18));

    // One order through the observations, then the two vertices.
    orden << OrdenVertices(txtBE, txtBO);
    new cv::OrdenCampos(this, orden, [this] { cmdAceptar->setFocus(); });

    for (int i = 0; i < 10; ++i)
        connect(txtObservacion[i], &QLineEdit::textChanged, this, [this, i] { CambioObservacion(i); });
    for (QLineEdit* c : txtBE)
        connect(c, &QLineEdit::textChanged, this, &frmVerticesdeSalida::CalcularVerticeOrientacion);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmVerticesdeSalida::Aceptar);

    cv::PrepararVentana(this);

    txtBE[0]->setText(QStringLiteral("P-2"));
    txtBE[1]->setText(QStringLiteral("1000.000"));
    txtBE[2]->setText(QStringLiteral("1000.000"));
    txtBE[3]->setText(QStringLiteral("100.000"));
    txtBO[0]->setText(QStringLiteral("P-1"));
    txtObservacion[0]->setFocus();
}

namespace {

std::array<std::string, 10> TextosObservaciones(QLineEdit* const campos[10])
{
    std::array<std::string, 10> t;
    for (size_t i = 0; i < t.size(); ++i)
        t[i] = cv::S(campos[i]->text());
    return t;
}

} // namespace

void frmVerticesdeSalida::CambioObservacion(int i)
{
    if (i == 0 || i == 1)
        lblVBEBO->setText(
            cv::Q(TextoMediaPar(false, cv::S(txtObservacion[0]->text()), cv::S(txtObservacion[1]->text()))));
    else if (i == 5 || i == 6)
        lblVBOBE->setText(
            cv::Q(TextoMediaPar(false, cv::S(txtObservacion[5]->text()), cv::S(txtObservacion[6]->text()))));
    CalcularVerticeOrientacion();
}

void frmVerticesdeSalida::CalcularVerticeOrientacion()
{
    const VerticeRelativo r = CalcularVerticeRelativo(TextosObservaciones(txtObservacion), TextosVertice(txtBE));
    if (!r.valido) {
        LimpiarVerticeOrientacion();
        return;
    }
    txtBO[1]->setText(cv::Q(r.X));
    txtBO[2]->setText(cv::Q(r.Y));
    txtBO[3]->setText(cv::Q(r.Z));
    lblDifDistancias->setText(cv::Q(r.DifDistancias));
    lblDifCotas->setText(cv::Q(r.DifCotas));
}

void frmVerticesdeSalida::LimpiarVerticeOrientacion()
{
    txtBO[1]->clear();
    txtBO[2]->clear();
    txtBO[3]->clear();
    lblDifDistancias->clear();
    lblDifCotas->clear();
}

void frmVerticesdeSalida::Aceptar()
{
    if (!VerticesValidos(this, txtBE, txtBO))
        return;
    frmPoligonal::objVertice_BE = LeerVertice(TextosVertice(txtBE));
    frmPoligonal::objVertice_BO = LeerVertice(TextosVertice(txtBO));
    accept();
}
