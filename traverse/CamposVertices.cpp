#include "traverse/CamposVertices.h"

#include "core/TextoNumerico.h"
#include "core/objPto.h"
#include "shell/Comun.h"
#include "traverse/Poligonal.h"

void CrearCamposVertices(QWidget* ventana, QLineEdit* txtBE[4], QLineEdit* txtBO[4], int xRotulos, int xEstacion,
                         int xOrientacion, int y)
{
    const QString rotulos[3] = {QStringLiteral("X ...."), QStringLiteral("Y ...."), QStringLiteral("Z ....")};
    for (int i = 0; i < 4; ++i) {
        const int fila = y + 28 * i;
        const QString ayudaBE = i == 0 ? QStringLiteral("Identificador de la base de estación") : QString();
        const QString ayudaBO = i == 0 ? QStringLiteral("Identificador de la base de orientación") : QString();
        txtBE[i] = cv::CrearCampo(ventana, QStringLiteral("txtBE"), i, QRect(xEstacion, fila, 110, 22), ayudaBE);
        txtBO[i] = cv::CrearCampo(ventana, QStringLiteral("txtBO"), i, QRect(xOrientacion, fila, 110, 22), ayudaBO);
        const cv::TipoCampo tipo = i == 0 ? cv::TipoCampo::Nombre : cv::TipoCampo::Numerico;
        cv::FiltrarTeclas(txtBE[i], tipo);
        cv::FiltrarTeclas(txtBO[i], tipo);
        if (i > 0)
            cv::CrearEtiqueta(ventana, QStringLiteral("lblFila_%1").arg(i), rotulos[i - 1],
                              QRect(xRotulos, fila + 2, xEstacion - xRotulos - 4, 18));
    }
}

void CrearBloqueVertices(QWidget* ventana, const QString& titulo, int anchoTitulo, const QString& columnaBO,
                         QLineEdit* txtBE[4], QLineEdit* txtBO[4])
{
    cv::CrearEtiqueta(ventana, QStringLiteral("Label1"), titulo, QRect(16, 10, anchoTitulo, 20));
    cv::CrearEtiqueta(ventana, QStringLiteral("Label2"), QStringLiteral("Estación"), QRect(90, 34, 110, 18));
    cv::CrearEtiqueta(ventana, QStringLiteral("Label3"), columnaBO, QRect(220, 34, 110, 18));
    CrearCamposVertices(ventana, txtBE, txtBO, 16, 90, 220, 56);
}

QList<QLineEdit*> OrdenVertices(QLineEdit* const txtBE[4], QLineEdit* const txtBO[4])
{
    QList<QLineEdit*> orden;
    for (int i = 0; i < 4; ++i)
        orden << txtBE[i];
    for (int i = 0; i < 4; ++i)
        orden << txtBO[i];
    return orden;
}

bool VerticesValidos(QWidget* ventana, QLineEdit* const txtBE[4], QLineEdit* const txtBO[4])
{
    if (VerticeValido(TextosVertice(txtBE)) && VerticeValido(TextosVertice(txtBO)))
        return true;
    cv::Aviso(ventana, QStringLiteral("Las bases no son válidas."));
    return false;
}

std::array<std::string, 4> TextosVertice(QLineEdit* const campos[4])
{
    return {cv::S(campos[0]->text()), cv::S(campos[1]->text()), cv::S(campos[2]->text()), cv::S(campos[3]->text())};
}

void MostrarVertice(QLineEdit* const campos[4], const objPto& p)
{
    campos[0]->setText(cv::Q(p.N));
    campos[1]->setText(cv::Q(F3(p.X)));
    campos[2]->setText(cv::Q(F3(p.Y)));
    campos[3]->setText(cv::Q(F3(p.Z)));
}
