#include "points/frmTaquimetrico.h"

#include <QKeyEvent>

#include "points/Taquimetrico.h"
#include "core/TextoNumerico.h"
#include "exchange/Intercambio.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "shell/modResIndependentForm.h"

frmTaquimetrico::frmTaquimetrico(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmTaquimetrico"));
    setWindowTitle(QStringLiteral("Taquimétrico"));
    setGeometry(10, 10, 780, 410);

    // Bases.
    const AreaBases bases = CrearAreaBases(this, 250, QStringLiteral("Lista de bases"), 304);
    lstBases = bases.lista;
    cmdAbrirBases = bases.abrir;
    cmdCortarBase = bases.cortar;
    cmdLimpiarBases = bases.limpiar;
    cmdEntrarBE =
        cv::CrearBoton(this, QStringLiteral("cmdEntrarBE"), QStringLiteral("Entrar BE"), QRect(170, 48, 100, 24));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloBE"), QStringLiteral("Base Estación"), QRect(170, 76, 100, 18));
    CrearCasillasBase(this, QStringLiteral("lblBE"), QRect(170, 94, 100, 18), 18, lblBE, lblBEX, lblBEY, lblBEZ);
    cmdEntrarBO =
        cv::CrearBoton(this, QStringLiteral("cmdEntrarBO"), QStringLiteral("Entrar BO"), QRect(170, 176, 100, 24));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloBO"), QStringLiteral("B. Orientación"), QRect(170, 204, 100, 18));
    CrearCasillasBase(this, QStringLiteral("lblBO"), QRect(170, 222, 100, 18), 18, lblBO, lblBOX, lblBOY, lblBOZ);
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloHz"), QStringLiteral("Hz ...."), QRect(10, 346, 50, 22));
    txtHz = cv::CrearCampo(this, QStringLiteral("txtHz"), QRect(60, 344, 100, 22),
                           QStringLiteral("Ángulo acimutal de orientación"));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloi"), QStringLiteral("i ....."), QRect(10, 374, 50, 22));
    txti =
        cv::CrearCampo(this, QStringLiteral("txti"), QRect(60, 372, 100, 22), QStringLiteral("Altura del instrumento"));

    // Observations.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloObservaciones"), QStringLiteral("Observaciones"),
                      QRect(285, 6, 240, 20));
    QLabel* cabecera = cv::CrearEtiqueta(this, QStringLiteral("lblCabeceraObservaciones"),
                                         QStringLiteral("  N    Hz    V    DI    m"), QRect(285, 26, 240, 20));
    lstObservaciones = cv::CrearLista(this, QStringLiteral("lstObservaciones"), QRect(285, 48, 240, 250),
                                      QStringLiteral("Lista de observaciones"));
    cabecera->setFont(lstObservaciones->font());
    cmdObsAbrir = cv::CrearBotonDibujo(this, QStringLiteral("cmdObsAbrir"), QStyle::SP_DirOpenIcon,
                                       QRect(285, 304, 40, 30), QStringLiteral("Abrir fichero de observaciones"));
    cmdCortarObservacion =
        cv::CrearBotonDibujo(this, QStringLiteral("cmdCortarObservacion"), QStyle::SP_DialogDiscardButton,
                             QRect(330, 304, 40, 30), QStringLiteral("Cortar punto seleccionado"));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloPtoI"), QStringLiteral("Inicial"), QRect(285, 346, 50, 22));
    txtPtoI = cv::CrearCampo(this, QStringLiteral("txtPtoI"), QRect(340, 344, 80, 22),
                             QStringLiteral("Punto inicial del bloque"));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloPtoF"), QStringLiteral("Final"), QRect(285, 374, 50, 22));
    txtPtoF = cv::CrearCampo(this, QStringLiteral("txtPtoF"), QRect(340, 372, 80, 22),
                             QStringLiteral("Punto final del bloque"));
    cmdCalcularBloque = cv::CrearBoton(this, QStringLiteral("cmdCalcularBloque"), QStringLiteral("Calcular"),
                                       QRect(430, 344, 95, 50), QStringLiteral("Calcular bloque"));

    // Points.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloPuntos"), QStringLiteral("Puntos"), QRect(535, 6, 240, 20));
    cabecera = cv::CrearEtiqueta(this, QStringLiteral("lblCabeceraPuntos"), QStringLiteral("  N      X      Y      Z"),
                                 QRect(535, 26, 240, 20));
    lstPuntos = cv::CrearLista(this, QStringLiteral("lstPuntos"), QRect(535, 48, 240, 250),
                               QStringLiteral("Lista de puntos calculados"));
    cabecera->setFont(lstPuntos->font());
    cmdPuntosGuardar = cv::CrearBotonDibujo(this, QStringLiteral("cmdPuntosGuardar"), QStyle::SP_DialogSaveButton,
                                            QRect(535, 304, 40, 30), QStringLiteral("Guardar fichero ascii"));
    cmdPuntosBorrar = cv::CrearBotonDibujo(this, QStringLiteral("cmdPuntosBorrar"), QStyle::SP_DialogDiscardButton,
                                           QRect(580, 304, 40, 30), QStringLiteral("Cortar punto seleccionado"));
    cmdPuntosLimpiar = cv::CrearBotonDibujo(this, QStringLiteral("cmdPuntosLimpiar"), QStyle::SP_TrashIcon,
                                            QRect(625, 304, 40, 30), QStringLiteral("Borrar todos los puntos"));

    // Enter on the button, once the fields have brought the focus to it, presses it.
    cmdCalcularBloque->setAutoDefault(true);
    cv::FiltrarTeclas(txtHz, cv::TipoCampo::Numerico);
    cv::FiltrarTeclas(txti, cv::TipoCampo::Numerico);
    cv::FiltrarTeclas(txtPtoI, cv::TipoCampo::Entero);
    cv::FiltrarTeclas(txtPtoF, cv::TipoCampo::Entero);
    for (QLineEdit* campo : {txtHz, txti, txtPtoI, txtPtoF})
        campo->installEventFilter(this);

    connect(cmdLimpiarBases, &QPushButton::clicked, this, &frmTaquimetrico::LimpiarBases);
    connect(cmdEntrarBE, &QPushButton::clicked, this, [this] { EntrarBase(lblBE, lblBEX, lblBEY, lblBEZ); });
    connect(cmdEntrarBO, &QPushButton::clicked, this, [this] { EntrarBase(lblBO, lblBOX, lblBOY, lblBOZ); });
    connect(cmdObsAbrir, &QPushButton::clicked, this, [this] {
        const std::optional<double> altura = AbrirFicheroObservaciones(lstObservaciones, this);
        // A download's station record offers its instrument height.
        if (altura && txti->text().isEmpty())
            txti->setText(cv::Q(F3(*altura)));
    });
    connect(cmdCortarObservacion, &QPushButton::clicked, this, [this] { CortarFilaSeleccionada(lstObservaciones); });
    connect(cmdCalcularBloque, &QPushButton::clicked, this, &frmTaquimetrico::CalcularBloque);
    connect(cmdPuntosGuardar, &QPushButton::clicked, this, [this] { ExportarPuntos(lstPuntos, this); });
    connect(cmdPuntosBorrar, &QPushButton::clicked, this, [this] { CortarFilaSeleccionada(lstPuntos); });
    connect(cmdPuntosLimpiar, &QPushButton::clicked, this, &frmTaquimetrico::LimpiarPuntos);

    txtHz->setText(QStringLiteral("0.0000"));
    CrearBotonesIntercambio(this, QRect(535, 344, 115, 26), QRect(660, 344, 115, 26),
                            [this] { return DibujoDeListas(lstBases, lstPuntos); });
    cv::PrepararVentana(this);
    cv::PublicarListas(this);
}

bool frmTaquimetrico::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() != QEvent::KeyPress)
        return QWidget::eventFilter(objeto, evento);
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    const bool enter = tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
    const bool atras = tecla == Qt::Key_Up || tecla == Qt::Key_Left;
    const bool adelante = tecla == Qt::Key_Down || tecla == Qt::Key_Right;
    // Each field: where Enter, Up/Left and Down/Right take the focus (null:
    // the key keeps its ordinary meaning in the field).
    QWidget* aEnter = nullptr;
    QWidget* aAtras = nullptr;
    QWidget* aAdelante = nullptr;
    if (objeto == txtHz) {
        aEnter = txti;
        if (tecla == Qt::Key_Down) {
            txti->setFocus();
            return true;
        }
        if (tecla == Qt::Key_Up)
            return true;
    } else if (objeto == txti) {
        aEnter = txtPtoI;
        aAtras = txtHz;
        aAdelante = txtPtoI;
    } else if (objeto == txtPtoI) {
        aEnter = txtPtoF;
        aAtras = txti;
        aAdelante = txtPtoF;
    } else if (objeto == txtPtoF) {
        aEnter = cmdCalcularBloque;
        aAtras = txtPtoI;
        if (tecla == Qt::Key_Down)
            return true;
    } else {
        return QWidget::eventFilter(objeto, evento);
    }
    QWidget* destino = enter ? aEnter : atras ? aAtras : adelante ? aAdelante : nullptr;
    if (!destino)
        return enter; // Enter never presses a button by itself
    destino->setFocus();
    return true;
}

void frmTaquimetrico::EntrarBase(QLabel* nombre, QLabel* x, QLabel* y, QLabel* z)
{
    MostrarBaseSeleccionada(lstBases, nombre, x, y, z);
    txti->setFocus();
}

void frmTaquimetrico::LimpiarBases()
{
    if (!cv::Pregunta(this, QStringLiteral("¿Confirma que desea borrar todas las bases?")))
        return;
    lstBases->clear();
    txti->setFocus();
}

void frmTaquimetrico::LimpiarPuntos()
{
    if (!cv::Pregunta(this, QStringLiteral("¿Confirma que desea borrar todos los puntos?")))
        return;
    lstPuntos->clear();
}

void frmTaquimetrico::CalcularBloque()
{
    EstacionTaquimetrica e;
    e.BE = {cv::S(lblBE->text()), cv::S(lblBEX->text()), cv::S(lblBEY->text()), cv::S(lblBEZ->text())};
    e.BO = {cv::S(lblBO->text()), cv::S(lblBOX->text()), cv::S(lblBOY->text()), cv::S(lblBOZ->text())};
    e.Hz = cv::S(txtHz->text());
    e.i = cv::S(txti->text());
    e.PtoI = cv::S(txtPtoI->text());
    e.PtoF = cv::S(txtPtoF->text());

    std::vector<std::string> puntos;
    const EstadoBloque estado = ::CalcularBloque(e, lstObservaciones->Filas(), puntos);
    if (estado != EstadoBloque::Calculado) {
        cv::Aviso(this, cv::Q(MensajeBloque(estado)));
        return;
    }

    if (!puntos.empty()) {
        lstPuntos->Anadir(std::move(puntos));
        lstPuntos->scrollToBottom();
    }

    // The next station of the run.
    QLabel* be[4] = {lblBE, lblBEX, lblBEY, lblBEZ};
    QLabel* bo[4] = {lblBO, lblBOX, lblBOY, lblBOZ};
    for (size_t k = 0; k < 4; ++k) {
        be[k]->setText(cv::Q(e.BE[k]));
        bo[k]->setText(cv::Q(e.BO[k]));
    }
    txtPtoI->setText(cv::Q(e.PtoI));
    txtPtoF->setText(cv::Q(e.PtoF));
    txti->setText(cv::Q(e.i));
    txtHz->setText(cv::Q(e.Hz));
}
