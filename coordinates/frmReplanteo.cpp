#include "coordinates/frmReplanteo.h"

#include "coordinates/modCoordenadas.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "shell/modResIndependentForm.h"

namespace {

const cv::DialogoFichero DLG_EXPORTAR_REPLANTEO{
    QStringLiteral("Exportar replanteo"),
    QStringLiteral("Hoja de replanteo (*.txt)|*.txt|Estación total GSI-16 (*.gsi)|*.gsi"), QStringLiteral("txt"),
    QStringLiteral("Replanteo")};

} // namespace

frmReplanteo::frmReplanteo(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmReplanteo"));
    setWindowTitle(QStringLiteral("Replanteo"));
    setGeometry(20, 20, 780, 500);

    // Station and orientation, as in the radiation window.
    const AreaBases bases = CrearAreaBases(this, 380, QStringLiteral("Listado de bases"), 436);
    lstBases = bases.lista;
    cmdAbrirBases = bases.abrir;
    cmdCortarBase = bases.cortar;
    cmdLimpiarBases = bases.limpiar;
    cmdEntrarBE =
        cv::CrearBoton(this, QStringLiteral("cmdEntrarBE"), QStringLiteral("Entrar BE"), QRect(170, 48, 90, 26));
    cmdEntrarBO =
        cv::CrearBoton(this, QStringLiteral("cmdEntrarBO"), QStringLiteral("Entrar BO"), QRect(170, 84, 90, 26));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloBE"), QStringLiteral("Base Estación"), QRect(270, 26, 120, 20));
    CrearCasillasBase(this, QStringLiteral("lblBE"), QRect(270, 48, 120, 20), 22, lblBE, lblBEX, lblBEY, lblBEZ);
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloBO"), QStringLiteral("B. Orientación"), QRect(400, 26, 120, 20));
    CrearCasillasBase(this, QStringLiteral("lblBO"), QRect(400, 48, 120, 20), 22, lblBO, lblBOX, lblBOY, lblBOZ);
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloi"), QStringLiteral("H  instrumento"), QRect(540, 26, 120, 20));
    txti = cv::CrearCampo(this, QStringLiteral("txti"), QRect(540, 48, 100, 22),
                          QStringLiteral("Altura del instrumento"));
    cv::FiltrarTeclas(txti, cv::TipoCampo::Numerico);
    new cv::OrdenCampos(this, {txti});

    // The design points and the sheet.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloPuntos"), QStringLiteral("Puntos a replantear"),
                      QRect(170, 150, 170, 20));
    lstPuntos = cv::CrearLista(this, QStringLiteral("lstPuntos"), QRect(170, 172, 170, 256),
                               QStringLiteral("Puntos de proyecto"));
    cmdAbrirPuntos =
        cv::CrearBotonDibujo(this, QStringLiteral("cmdAbrirPuntos"), QStyle::SP_DirOpenIcon, QRect(170, 436, 40, 30),
                             QStringLiteral("Abrir fichero de bases o de puntos"));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloReplanteo"),
                      QStringLiteral("Punto, acimut, lectura Hz, distancia reducida, desnivel"),
                      QRect(350, 150, 420, 20));
    lstReplanteo = cv::CrearLista(this, QStringLiteral("lstReplanteo"), QRect(350, 172, 420, 256),
                                  QStringLiteral("Hoja de replanteo"));
    cmdExportar =
        cv::CrearBoton(this, QStringLiteral("cmdExportar"), QStringLiteral("Exportar..."), QRect(650, 436, 120, 30),
                       QStringLiteral("Guardar la hoja como texto (.txt) o GSI-16 (.gsi)"));
    lblAviso = CrearAviso(this, QRect(220, 436, 420, 40));

    connect(cmdEntrarBE, &QPushButton::clicked, this, [this] {
        MostrarBaseSeleccionada(lstBases, lblBE, lblBEX, lblBEY, lblBEZ);
        Calcular();
    });
    connect(cmdEntrarBO, &QPushButton::clicked, this, [this] {
        MostrarBaseSeleccionada(lstBases, lblBO, lblBOX, lblBOY, lblBOZ);
        Calcular();
    });
    connect(cmdLimpiarBases, &QPushButton::clicked, this, [this] {
        if (cv::Pregunta(this, QStringLiteral("¿Confirma que desea borrar todas las bases?")))
            lstBases->clear();
    });
    connect(txti, &QLineEdit::textChanged, this, &frmReplanteo::Calcular);
    connect(cmdAbrirPuntos, &QPushButton::clicked, this, &frmReplanteo::AbrirPuntos);
    connect(cmdExportar, &QPushButton::clicked, this, &frmReplanteo::Exportar);
    timCalculo = RecalcularAlCambiar(this, {lstPuntos}, [this] { Calcular(); });

    cv::PrepararVentana(this);
    cv::PublicarListas(this);
}

void frmReplanteo::Calcular()
{
    timCalculo->stop();
    EntradaReplanteo e;
    e.nombreBE = cv::S(lblBE->text());
    e.nombreBO = cv::S(lblBO->text());
    e.BE = {cv::S(lblBEX->text()), cv::S(lblBEY->text()), cv::S(lblBEZ->text())};
    e.BO = {cv::S(lblBOX->text()), cv::S(lblBOY->text()), cv::S(lblBOZ->text())};
    e.i = cv::S(txti->text());
    e.filasPuntos = lstPuntos->Filas();
    resultado_ = CalcularReplanteo(e);
    lstReplanteo->clear();
    lstReplanteo->Anadir(resultado_.filas);
    lblAviso->setText(cv::Q(resultado_.aviso));
}

void frmReplanteo::AbrirPuntos()
{
    AbrirFicheroCoordenadas(lstPuntos, this);
    Calcular();
}

void frmReplanteo::Exportar()
{
    if (!resultado_.ok) {
        cv::Aviso(this, cv::Q(resultado_.aviso));
        return;
    }
    const auto ruta = cv::ElegirFicheroGuardar(this, DLG_EXPORTAR_REPLANTEO);
    if (!ruta)
        return;
    std::string texto, aviso;
    if (!ExportarReplanteo(resultado_, cv::S(*ruta), texto, aviso)) {
        cv::Aviso(this, cv::Q(aviso));
        return;
    }
    if (cv::GuardarTexto(this, *ruta, texto, cv::MSG_ERROR_GUARDAR))
        cv::Aviso(this, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}
