#include "coordinates/frmTransformacion.h"

#include <QFileInfo>

#include "coordinates/modCoordenadas.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "shell/modResIndependentForm.h"

namespace {

QLabel* Resultado(QWidget* ventana, const QString& nombre, const QString& titulo, int y)
{
    cv::CrearEtiqueta(ventana, QStringLiteral("lblTitulo") + nombre.mid(3), titulo, QRect(440, y, 120, 20));
    return cv::CrearCasilla(ventana, nombre, QRect(565, y, 205, 20));
}

} // namespace

frmTransformacion::frmTransformacion(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmTransformacion"));
    setWindowTitle(QStringLiteral("Transformación de coordenadas"));
    setGeometry(20, 20, 780, 500);

    // The two lists: the system left and the system reached.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloOrigen"), QStringLiteral("Sistema de origen"),
                      QRect(10, 6, 205, 20));
    lstOrigen = cv::CrearLista(this, QStringLiteral("lstOrigen"), QRect(10, 28, 205, 416),
                               QStringLiteral("Puntos en el sistema de origen"));
    cmdAbrirOrigen =
        cv::CrearBotonDibujo(this, QStringLiteral("cmdAbrirOrigen"), QStyle::SP_DirOpenIcon, QRect(10, 452, 40, 30),
                             QStringLiteral("Abrir fichero del sistema de origen"));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloDestino"), QStringLiteral("Sistema de destino"),
                      QRect(225, 6, 205, 20));
    lstDestino = cv::CrearLista(this, QStringLiteral("lstDestino"), QRect(225, 28, 205, 416),
                                QStringLiteral("Puntos en el sistema de destino"));
    cmdAbrirDestino =
        cv::CrearBotonDibujo(this, QStringLiteral("cmdAbrirDestino"), QStyle::SP_DirOpenIcon, QRect(225, 452, 40, 30),
                             QStringLiteral("Abrir fichero del sistema de destino"));

    // The method.
    optHelmert = new QRadioButton(cv::Q(NombreMetodoTransformacion(MetodoTransformacion::Helmert)), this);
    optHelmert->setObjectName(QStringLiteral("optHelmert"));
    optHelmert->setGeometry(440, 6, 330, 22);
    optHelmert->setChecked(true);
    optAfin = new QRadioButton(cv::Q(NombreMetodoTransformacion(MetodoTransformacion::Afin)), this);
    optAfin->setObjectName(QStringLiteral("optAfin"));
    optAfin->setGeometry(440, 30, 330, 22);

    // The parameters found.
    lblTX = Resultado(this, QStringLiteral("lblTX"), QStringLiteral("TX (m)"), 60);
    lblTY = Resultado(this, QStringLiteral("lblTY"), QStringLiteral("TY (m)"), 84);
    lblGiro = Resultado(this, QStringLiteral("lblGiro"), QStringLiteral("Giro (g)"), 108);
    lblEscala = Resultado(this, QStringLiteral("lblEscala"), QStringLiteral("Escala"), 132);
    lblSigma0 = Resultado(this, QStringLiteral("lblSigma0"), QStringLiteral("σ0 (mm)"), 156);
    lblParametros = cv::CrearEtiqueta(this, QStringLiteral("lblParametros"), QString(), QRect(440, 180, 330, 50));
    lblParametros->setWordWrap(true);
    lblParametros->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The residuals of the common points.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloResiduos"), QStringLiteral("Residuos: punto, vX, vY (mm)"),
                      QRect(440, 234, 330, 20));
    lstResiduos =
        cv::CrearLista(this, QStringLiteral("lstResiduos"), QRect(440, 256, 330, 188),
                       QStringLiteral("Residuos de los puntos comunes; * residuo normalizado mayor que 3.29"));
    cmdExcluir = cv::CrearBoton(this, QStringLiteral("cmdExcluir"), QStringLiteral("Excluir / incluir"),
                                QRect(440, 452, 150, 30),
                                QStringLiteral("Excluir del ajuste el punto seleccionado, o incluirlo de nuevo"));
    cmdTransformar = cv::CrearBoton(this, QStringLiteral("cmdTransformar"), QStringLiteral("Transformar fichero..."),
                                    QRect(600, 452, 170, 30),
                                    QStringLiteral("Guardar un fichero de bases o de puntos transformado"));

    connect(cmdAbrirOrigen, &QPushButton::clicked, this, [this] { Abrir(lstOrigen); });
    connect(cmdAbrirDestino, &QPushButton::clicked, this, [this] { Abrir(lstDestino); });
    connect(optAfin, &QRadioButton::toggled, this, [this] { Calcular(true); });
    connect(cmdExcluir, &QPushButton::clicked, this, &frmTransformacion::Excluir);
    connect(cmdTransformar, &QPushButton::clicked, this, &frmTransformacion::TransformarFichero);
    timCalculo = RecalcularAlCambiar(this, {lstOrigen, lstDestino}, [this] { Calcular(); });

    cv::PrepararVentana(this);
    cv::PublicarListas(this);
}

void frmTransformacion::Calcular(bool avisar)
{
    timCalculo->stop();
    const int fila = lstResiduos->currentRow();
    resultado_ = CalcularTransformacion(
        lstOrigen->Filas(), lstDestino->Filas(),
        optAfin->isChecked() ? MetodoTransformacion::Afin : MetodoTransformacion::Helmert, excluidos_);
    const ResultadoTransformacion& r = resultado_;
    lblTX->setText(cv::Q(r.textoTX));
    lblTY->setText(cv::Q(r.textoTY));
    lblGiro->setText(cv::Q(r.textoGiro));
    lblEscala->setText(cv::Q(r.textoEscala));
    lblSigma0->setText(cv::Q(r.textoSigma0));
    // A parameter and its value stay on one line.
    lblParametros->setText(cv::Q(r.textoParametros).replace(QStringLiteral(" = "), QStringLiteral("\u00a0=\u00a0")));
    lstResiduos->clear();
    lstResiduos->Anadir(r.filasResiduos);
    lstResiduos->setCurrentRow(fila < lstResiduos->count() ? fila : -1);
    if (!r.ok && avisar && lstOrigen->count() > 0 && lstDestino->count() > 0)
        cv::Aviso(this, cv::Q(r.error));
}

void frmTransformacion::Abrir(cv::Lista* lista)
{
    AbrirFicheroCoordenadas(lista, this);
    Calcular(true);
}

void frmTransformacion::Excluir()
{
    const int fila = lstResiduos->currentRow();
    if (fila < 0 || fila >= static_cast<int>(resultado_.residuos.size())) {
        cv::Aviso(this, QStringLiteral("Seleccione un punto en la lista de residuos."));
        return;
    }
    const std::string nombre = resultado_.residuos[static_cast<size_t>(fila)].N;
    AlternarExcluido(excluidos_, nombre);
    Calcular();
    if (!resultado_.ok) {
        // Leaving it out would leave too few points: it stays in the fit.
        const QString motivo = cv::Q(resultado_.error);
        AlternarExcluido(excluidos_, nombre);
        Calcular();
        cv::Aviso(this, motivo);
    }
}

void frmTransformacion::TransformarFichero()
{
    if (!resultado_.ok) {
        cv::Aviso(this, resultado_.error.empty() ? cv::MSG_DATOS_NO_VALIDOS : cv::Q(resultado_.error));
        return;
    }
    const auto origen = cv::ElegirFicheroAbrir(this, cv::DLG_ABRIR_COORDENADAS);
    if (!origen)
        return;
    std::string texto;
    if (!cv::LeerTexto(this, *origen, texto, cv::MSG_ERROR_ABRIR))
        return;
    const FicheroTransformado f = ::TransformarFichero(resultado_.transformacion, texto, cv::S(*origen));
    if (!f.ok) {
        cv::Aviso(this, cv::Q(f.error), QMessageBox::Critical);
        return;
    }
    // Saved in the same format, under a name the user gives.
    const QFileInfo info(*origen);
    const QString extension = info.suffix().isEmpty() ? QStringLiteral("asc") : info.suffix();
    const cv::DialogoFichero guardar{QStringLiteral("Guardar fichero transformado"),
                                     QStringLiteral("Cartavector 3.0 (*.%1)|*.%1").arg(extension), extension,
                                     info.completeBaseName() + QStringLiteral("_transformado.") + extension};
    const auto destino = cv::ElegirFicheroGuardar(this, guardar);
    if (destino && cv::GuardarTexto(this, *destino, f.texto, cv::MSG_ERROR_GUARDAR))
        cv::Aviso(this, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}
