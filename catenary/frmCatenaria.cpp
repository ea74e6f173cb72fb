#include "catenary/frmCatenaria.h"

#include <QTimer>

#include "catenary/Catenaria.h"
#include "core/TextoNumerico.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/Comun.h"
#include "drawings/Perfil.h"
#include "shell/TrabajoQt.h"
#include "shell/modResIndependentForm.h"

namespace {

// The lists of this window and their column headers ask for a fixed-pitch face.
cv::Lista* CrearListaPasoFijo(QWidget* ventana, const QString& nombre, const QRect& geometria, const QString& ayuda)
{
    return cv::CrearLista(ventana, nombre, geometria, ayuda, cv::FilasLista::Medidas, cv::FuenteFija(true));
}

QLabel* CrearCabecera(QWidget* ventana, const QString& nombre, const QString& texto, const QRect& geometria)
{
    QLabel* etiqueta = cv::CrearEtiqueta(ventana, nombre, texto, geometria);
    etiqueta->setFont(cv::FuenteFija(true));
    return etiqueta;
}

} // namespace

frmCatenaria::frmCatenaria(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmCatenaria"));
    setWindowTitle(QStringLiteral("Catenaria"));
    setGeometry(0, 0, 790, 566);

    // Bases and the station.
    cv::CrearEtiqueta(this, QStringLiteral("Label1"), QStringLiteral("Bases"), QRect(8, 4, 120, 18));
    cv::CrearEtiqueta(this, QStringLiteral("Label2"), QStringLiteral("Listado"), QRect(8, 22, 120, 18));
    lstBases = CrearListaPasoFijo(this, QStringLiteral("lstBases"), QRect(8, 42, 250, 168),
                                  QStringLiteral("Listado de bases"));
    cmdAbrirFicherodeBases = cv::CrearBoton(this, QStringLiteral("cmdAbrirFicherodeBases"), QStringLiteral("Abrir"),
                                            QRect(8, 214, 80, 24), QStringLiteral("Abrir fichero de bases"));
    cmdCortarBase = cv::CrearBoton(this, QStringLiteral("cmdCortarBase"), QStringLiteral("Cortar"),
                                   QRect(93, 214, 80, 24), QStringLiteral("Cortar base seleccionada"));
    cmdEliminarBases = cv::CrearBoton(this, QStringLiteral("cmdEliminarBases"), QStringLiteral("Borrar"),
                                      QRect(178, 214, 80, 24), QStringLiteral("Borrar todas las bases"));

    cv::CrearEtiqueta(this, QStringLiteral("Label3"), QStringLiteral("Base Estación"), QRect(8, 248, 150, 18));
    cmdEntrarBE = cv::CrearBoton(this, QStringLiteral("cmdEntrarBE"), QStringLiteral(">>"), QRect(218, 244, 40, 24),
                                 QStringLiteral("Entrar Base"));
    const QString titulos[4] = {QStringLiteral("N"), QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};
    QLabel** base[4] = {&lblBase, &lblBaseX, &lblBaseY, &lblBaseZ};
    const QString nombresBase[4] = {QStringLiteral("lblBase"), QStringLiteral("lblBaseX"), QStringLiteral("lblBaseY"),
                                    QStringLiteral("lblBaseZ")};
    for (int k = 0; k < 4; ++k) {
        cv::CrearEtiqueta(this, QStringLiteral("Label%1").arg(4 + k), titulos[k], QRect(8, 272 + 23 * k, 20, 20));
        *base[k] = cv::CrearCasilla(this, nombresBase[k], QRect(30, 272 + 23 * k, 228, 20));
        cv::MarcarEntrada(*base[k]);
    }
    cv::CrearEtiqueta(this, QStringLiteral("Label8"), QStringLiteral("i ......."), QRect(8, 368, 70, 20));
    txti =
        cv::CrearCampo(this, QStringLiteral("txti"), QRect(80, 366, 100, 24), QStringLiteral("Altura del instrumento"));

    // Anchors.
    cv::CrearEtiqueta(this, QStringLiteral("Label9"), QStringLiteral("Anclajes"), QRect(266, 4, 120, 18));
    CrearCabecera(this, QStringLiteral("Label10"), QStringLiteral("  N      X      Y      Z"), QRect(266, 22, 250, 18));
    lstPuntos = CrearListaPasoFijo(this, QStringLiteral("lstPuntos"), QRect(266, 42, 250, 168),
                                   QStringLiteral("Lista de puntos (anclajes)"));
    cmdAbrirFicherodePuntosAnclajes =
        cv::CrearBoton(this, QStringLiteral("cmdAbrirFicherodePuntosAnclajes"), QStringLiteral("Abrir"),
                       QRect(266, 214, 80, 24), QStringLiteral("Abrir fichero de puntos"));
    cmdCortarPuntoAnclajes = cv::CrearBoton(this, QStringLiteral("cmdCortarPuntoAnclajes"), QStringLiteral("Cortar"),
                                            QRect(351, 214, 80, 24), QStringLiteral("Cortar punto seleccionado"));
    cmdEliminarPuntosAnclajes =
        cv::CrearBoton(this, QStringLiteral("cmdEliminarPuntosAnclajes"), QStringLiteral("Borrar"),
                       QRect(436, 214, 80, 24), QStringLiteral("Borrar todos los puntos"));

    cv::CrearEtiqueta(this, QStringLiteral("Label11"), QStringLiteral("Punto (1)"), QRect(266, 248, 80, 18));
    cmdEntrarPunto1 = cv::CrearBoton(this, QStringLiteral("cmdEntrarPunto1"), QStringLiteral(">>"),
                                     QRect(348, 244, 40, 24), QStringLiteral("Entrar punto 1"));
    cv::CrearEtiqueta(this, QStringLiteral("Label12"), QStringLiteral("Punto(2)"), QRect(394, 248, 80, 18));
    cmdEntrarPunto2 = cv::CrearBoton(this, QStringLiteral("cmdEntrarPunto2"), QStringLiteral(">>"),
                                     QRect(476, 244, 40, 24), QStringLiteral("Entrar punto 2"));
    QLabel** pto1[4] = {&lblPto1, &lblPto1X, &lblPto1Y, &lblPto1Z};
    QLabel** pto2[4] = {&lblPto2, &lblPto2X, &lblPto2Y, &lblPto2Z};
    const QString sufijos[4] = {QString(), QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};
    for (int k = 0; k < 4; ++k) {
        cv::CrearEtiqueta(this, QStringLiteral("Label%1").arg(13 + k), titulos[k], QRect(266, 272 + 23 * k, 16, 20));
        *pto1[k] = cv::CrearCasilla(this, QStringLiteral("lblPto1") + sufijos[k], QRect(282, 272 + 23 * k, 106, 20));
        cv::CrearEtiqueta(this, QStringLiteral("Label%1").arg(17 + k), titulos[k], QRect(394, 272 + 23 * k, 16, 20));
        *pto2[k] = cv::CrearCasilla(this, QStringLiteral("lblPto2") + sufijos[k], QRect(410, 272 + 23 * k, 106, 20));
        cv::MarcarEntrada(*pto1[k]);
        cv::MarcarEntrada(*pto2[k]);
    }

    // Observations and the block.
    cv::CrearEtiqueta(this, QStringLiteral("Label21"), QStringLiteral("Observaciones"), QRect(524, 4, 150, 18));
    CrearCabecera(this, QStringLiteral("Label22"), QStringLiteral("N    Hz    V     ?     ?"), QRect(524, 22, 258, 18));
    lstObservaciones = CrearListaPasoFijo(this, QStringLiteral("lstObservaciones"), QRect(524, 42, 258, 168),
                                          QStringLiteral("Lista de observaciones"));
    cmdObsAbrir = cv::CrearBoton(this, QStringLiteral("cmdObsAbrir"), QStringLiteral("Abrir"), QRect(524, 214, 80, 24),
                                 QStringLiteral("Abrir fichero de observaciones"));
    cmdCortarObservacion = cv::CrearBoton(this, QStringLiteral("cmdCortarObservacion"), QStringLiteral("Cortar"),
                                          QRect(609, 214, 80, 24), QStringLiteral("Cortar punto seleccionado"));
    cv::CrearEtiqueta(this, QStringLiteral("Label23"), QStringLiteral("Punto inicial"), QRect(524, 250, 100, 20));
    txtPtoI = cv::CrearCampo(this, QStringLiteral("txtPtoI"), QRect(626, 248, 80, 24),
                             QStringLiteral("Punto inicial del bloque"));
    cv::CrearEtiqueta(this, QStringLiteral("Label24"), QStringLiteral("Punto final"), QRect(524, 280, 100, 20));
    txtPtoF = cv::CrearCampo(this, QStringLiteral("txtPtoF"), QRect(626, 278, 80, 24),
                             QStringLiteral("Punto final del bloque"));
    cmdCalcularBloque = cv::CrearBoton(this, QStringLiteral("cmdCalcularBloque"), QStringLiteral("Calcular"),
                                       QRect(712, 248, 70, 54), QStringLiteral("Calcular bloque"));

    // Results.
    cv::CrearEtiqueta(this, QStringLiteral("Label25"), QStringLiteral("Puntos de catenaria"), QRect(8, 398, 200, 18));
    CrearCabecera(this, QStringLiteral("Label26"), QStringLiteral("N     X     Y     Z"), QRect(8, 416, 380, 18));
    lstPuntosCatenaria = CrearListaPasoFijo(this, QStringLiteral("lstPuntosCatenaria"), QRect(8, 436, 380, 96),
                                            QStringLiteral("Lista de puntos de catenaria"));
    cmdGuardarFicheroPuntos = cv::CrearBoton(this, QStringLiteral("cmdGuardarFicheroPuntos"), QStringLiteral("Guardar"),
                                             QRect(8, 536, 80, 24), QStringLiteral("Guardar fichero puntos"));
    cmdEliminarPuntos = cv::CrearBoton(this, QStringLiteral("cmdEliminarPuntos"), QStringLiteral("Borrar"),
                                       QRect(93, 536, 80, 24), QStringLiteral("Borrar todas los puntos"));
    cv::CrearEtiqueta(this, QStringLiteral("Label27"), QStringLiteral("Proyección vertical"), QRect(400, 398, 200, 18));
    CrearCabecera(this, QStringLiteral("Label28"), QStringLiteral("Distancia       Cota"), QRect(400, 416, 382, 18));
    lstProyeccion = CrearListaPasoFijo(this, QStringLiteral("lstProyeccion"), QRect(400, 436, 382, 96),
                                       QStringLiteral("Puntos de proyección vertical del conductor"));
    cmdGuardarFicheroProyeccion =
        cv::CrearBoton(this, QStringLiteral("cmdGuardarFicheroProyeccion"), QStringLiteral("Exportar"),
                       QRect(400, 536, 80, 24), QStringLiteral("Exportar tense"));

    // Typed characters and the Enter order: i, initial, final, then the button.
    for (QLineEdit* campo : {txti, txtPtoI, txtPtoF})
        cv::FiltrarTeclas(campo, cv::TipoCampo::Numerico);
    new cv::OrdenCampos(this, {txti, txtPtoI, txtPtoF}, [this] { cmdCalcularBloque->setFocus(); }, false);
    setTabOrder(txti, txtPtoI);
    setTabOrder(txtPtoI, txtPtoF);
    setTabOrder(txtPtoF, cmdCalcularBloque);

    connect(cmdAbrirFicherodeBases, &QPushButton::clicked, this, [this] { AbrirFicheroBases(lstBases, this); });
    connect(cmdCortarBase, &QPushButton::clicked, this, [this] { CortarBaseSeleccionada(lstBases); });
    connect(cmdEliminarBases, &QPushButton::clicked, this, &frmCatenaria::EliminarBases);
    connect(cmdEntrarBE, &QPushButton::clicked, this, [this] {
        MostrarBaseSeleccionada(lstBases, lblBase, lblBaseX, lblBaseY, lblBaseZ);
        txti->setFocus();
    });
    connect(cmdAbrirFicherodePuntosAnclajes, &QPushButton::clicked, this,
            [this] { AbrirFicheroPuntos(lstPuntos, this); });
    connect(cmdCortarPuntoAnclajes, &QPushButton::clicked, this, [this] { CortarFilaSeleccionada(lstPuntos); });
    connect(cmdEliminarPuntosAnclajes, &QPushButton::clicked, this, &frmCatenaria::EliminarPuntosAnclajes);
    connect(cmdEntrarPunto1, &QPushButton::clicked, this,
            [this] { MostrarPuntoSeleccionado(lstPuntos, lblPto1, lblPto1X, lblPto1Y, lblPto1Z); });
    connect(cmdEntrarPunto2, &QPushButton::clicked, this,
            [this] { MostrarPuntoSeleccionado(lstPuntos, lblPto2, lblPto2X, lblPto2Y, lblPto2Z); });
    connect(cmdObsAbrir, &QPushButton::clicked, this, &frmCatenaria::AbrirObservaciones);
    connect(cmdCortarObservacion, &QPushButton::clicked, this, [this] { CortarFilaSeleccionada(lstObservaciones); });
    connect(cmdCalcularBloque, &QPushButton::clicked, this, &frmCatenaria::CalcularBloque);
    connect(cmdGuardarFicheroPuntos, &QPushButton::clicked, this,
            [this] { ExportarPuntos(lstPuntosCatenaria, this); });
    connect(cmdEliminarPuntos, &QPushButton::clicked, this, &frmCatenaria::EliminarPuntos);
    connect(cmdGuardarFicheroProyeccion, &QPushButton::clicked, this, [this] { ExportarTense(lstProyeccion, this); });
    cv::PrepararVentana(this);
    cv::PublicarListas(this);
    // The span's profile goes into the job as the projection list changes
    // (through a timer of the window's own, which goes before the lists do).
    QTimer* publicarVano = cv::CrearPendiente(this, [this] {
        PerfilCatenaria p = LeerProyeccion(lstProyeccion->Filas());
        p.anclaje1 = cv::S(lblPto1->text());
        p.anclaje2 = cv::S(lblPto2->text());
        cv::ElTrabajo().Datos().PonerVano(std::move(p));
    });
    connect(lstProyeccion, &cv::Lista::filasCambiadas, publicarVano, qOverload<>(&QTimer::start));
    connect(this, &QObject::destroyed, &cv::ElTrabajo(), [] { cv::ElTrabajo().Datos().PonerVano({}); });
}

void frmCatenaria::CalcularBloque()
{
    DatosCatenaria d;
    d.Base = cv::S(lblBase->text());
    d.BaseX = cv::S(lblBaseX->text());
    d.BaseY = cv::S(lblBaseY->text());
    d.BaseZ = cv::S(lblBaseZ->text());
    d.Pto1 = cv::S(lblPto1->text());
    d.Pto1X = cv::S(lblPto1X->text());
    d.Pto1Y = cv::S(lblPto1Y->text());
    d.Pto1Z = cv::S(lblPto1Z->text());
    d.Pto2 = cv::S(lblPto2->text());
    d.Pto2X = cv::S(lblPto2X->text());
    d.Pto2Y = cv::S(lblPto2Y->text());
    d.Pto2Z = cv::S(lblPto2Z->text());
    d.i = cv::S(txti->text());
    d.PtoI = cv::S(txtPtoI->text());
    d.PtoF = cv::S(txtPtoF->text());
    d.Observaciones = lstObservaciones->Filas();

    const ResultadoCatenaria r = CalcularCatenaria(d);
    if (!r.Calculado()) {
        cv::Aviso(this, cv::Q(MensajeCatenaria(r.Fallo)), QMessageBox::Warning);
        return;
    }
    lstPuntosCatenaria->Reemplazar(r.PuntosCatenaria);
    lstProyeccion->Reemplazar(r.Proyeccion);
    if (r.Omitidos > 0)
        cv::Aviso(this, cv::Q(MensajeOmitidos(r.Omitidos)), QMessageBox::Warning);
    if (r.Fallo == FalloCatenaria::SinAjuste)
        cv::Aviso(this, cv::Q(MensajeCatenaria(r.Fallo)), QMessageBox::Warning);
}

void frmCatenaria::AbrirObservaciones()
{
    const std::optional<double> altura = AbrirFicheroObservaciones(lstObservaciones, this);
    if (altura && txti->text().isEmpty())
        txti->setText(cv::Q(F3(*altura)));
    // The results belonged to the block that was loaded before.
    lstPuntosCatenaria->clear();
    lstProyeccion->clear();
}

void frmCatenaria::EliminarBases()
{
    if (!cv::Pregunta(this, QStringLiteral("¿Confirma que desea borrar todas las bases?"), QMessageBox::NoIcon))
        return;
    lstBases->clear();
    txti->setFocus();
}

void frmCatenaria::EliminarPuntosAnclajes()
{
    if (!cv::Pregunta(this, QStringLiteral("¿Confirma que desea borrar todos los puntos?"), QMessageBox::NoIcon))
        return;
    lstPuntos->clear();
}

void frmCatenaria::EliminarPuntos()
{
    if (!cv::Pregunta(this, QStringLiteral("¿Confirma que desea borrar todos los puntos?"), QMessageBox::NoIcon))
        return;
    lstPuntosCatenaria->clear();
    lstProyeccion->clear();
}
