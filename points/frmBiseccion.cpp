#include "points/frmBiseccion.h"

#include "core/TextoNumerico.h"
#include "points/Biseccion.h"
#include "exchange/Intercambio.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "shell/modResIndependentForm.h"

frmBiseccion::frmBiseccion(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmBiseccion"));
    setWindowTitle(QStringLiteral("Bisección"));
    setGeometry(10, 10, 790, 400);

    // Bases.
    const AreaBases bases = CrearAreaBases(this, 290, QStringLiteral("Listado de bases"), 346);
    lstBases = bases.lista;
    cmdAbrirBases = bases.abrir;
    cmdCortarBase = bases.cortar;
    cmdLimpiarBases = bases.limpiar;
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloB1"), QStringLiteral("Base (1)"), QRect(205, 26, 100, 20));
    cmdEntrarB1 = cv::CrearBoton(this, QStringLiteral("cmdEntrarB1"), QStringLiteral(">>"), QRect(168, 48, 32, 24),
                                 QStringLiteral("Entrar Base 1"));
    CrearCasillasBase(this, QStringLiteral("lblB1"), QRect(205, 48, 100, 18), 20, lblB1, lblB1X, lblB1Y, lblB1Z);
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloB2"), QStringLiteral("Base (2)"), QRect(205, 146, 100, 20));
    cmdEntrarB2 = cv::CrearBoton(this, QStringLiteral("cmdEntrarB2"), QStringLiteral(">>"), QRect(168, 168, 32, 24),
                                 QStringLiteral("Entrar Base 2"));
    CrearCasillasBase(this, QStringLiteral("lblB2"), QRect(205, 168, 100, 18), 20, lblB2, lblB2X, lblB2Y, lblB2Z);

    // Observations: the point number, then one block per station.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloNumero"), QStringLiteral("Punto ...."), QRect(320, 16, 60, 22));
    const QString ayudas[9] = {QStringLiteral("Número de punto"),
                               QStringLiteral("Hz de orientación"),
                               QStringLiteral("Hz visado"),
                               QStringLiteral("V visado"),
                               QStringLiteral("Altura del instrumento"),
                               QStringLiteral("Hz de orientación"),
                               QStringLiteral("Hz visado"),
                               QStringLiteral("V visado"),
                               QStringLiteral("Altura del instrumento")};
    QRect celdas[9];
    celdas[0] = QRect(385, 14, 175, 22);
    for (int estacion = 0; estacion < 2; ++estacion) {
        const int y = 52 + 120 * estacion;
        const QString n = QString::number(estacion + 1);
        cv::CrearEtiqueta(this, QStringLiteral("lblTituloEstacion") + n,
                          estacion == 0 ? QStringLiteral("Estación en B1") : QStringLiteral("Estación en B2"),
                          QRect(320, y, 200, 20));
        cv::CrearEtiqueta(this, QStringLiteral("lblColumnaBase") + n,
                          estacion == 0 ? QStringLiteral("a (B2)") : QStringLiteral("a (B1)"),
                          QRect(385, y + 20, 85, 18));
        cv::CrearEtiqueta(this, QStringLiteral("lblColumnaPto") + n, QStringLiteral("a (Pto)"),
                          QRect(475, y + 20, 85, 18));
        cv::CrearEtiqueta(this, QStringLiteral("lblFilaHz") + n, QStringLiteral("Hz ."), QRect(320, y + 40, 60, 22));
        cv::CrearEtiqueta(this, QStringLiteral("lblFilaV") + n, QStringLiteral("V ...."), QRect(320, y + 66, 60, 22));
        cv::CrearEtiqueta(this, QStringLiteral("lblFilai") + n, QStringLiteral("i ...."), QRect(320, y + 92, 60, 22));
        const int base = 1 + 4 * estacion;
        celdas[base] = QRect(385, y + 40, 85, 22);     // Hz on the other base
        celdas[base + 1] = QRect(475, y + 40, 85, 22); // Hz on the point
        celdas[base + 2] = QRect(475, y + 66, 85, 22); // V on the point
        celdas[base + 3] = QRect(385, y + 92, 85, 22); // instrument height
    }
    QList<QLineEdit*> orden;
    for (int i = 0; i < 9; ++i) {
        txtObservaciones[i] = cv::CrearCampo(this, QStringLiteral("txtObservaciones"), i, celdas[i], ayudas[i]);
        cv::FiltrarTeclas(txtObservaciones[i], i == 0 ? cv::TipoCampo::Nombre : cv::TipoCampo::Numerico);
        orden << txtObservaciones[i];
    }

    // The point sighted.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloPunto"), QStringLiteral("Punto visado"), QRect(580, 26, 200, 20));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloX"), QStringLiteral("X"), QRect(580, 48, 16, 18));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloY"), QStringLiteral("Y"), QRect(580, 68, 16, 18));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloZ"), QStringLiteral("Z"), QRect(580, 88, 16, 18));
    lblPtoX = cv::CrearCasilla(this, QStringLiteral("lblPtoX"), QRect(600, 48, 120, 18));
    lblPtoY = cv::CrearCasilla(this, QStringLiteral("lblPtoY"), QRect(600, 68, 120, 18));
    lblPtoZ = cv::CrearCasilla(this, QStringLiteral("lblPtoZ"), QRect(600, 88, 120, 18));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloDifCotas"), QStringLiteral("Dif. cotas ..."),
                      QRect(580, 112, 90, 18));
    lblDifCotas = cv::CrearCasilla(this, QStringLiteral("lblDifCotas"), QRect(670, 112, 70, 18));
    cmdEntrarPunto = cv::CrearBoton(this, QStringLiteral("cmdEntrarPunto"), QStringLiteral(">>"),
                                    QRect(730, 48, 40, 58), QStringLiteral("Entrar punto"));
    // The result blinks blue and white on a white ground.
    cv::PrepararIntermitentes({lblPtoX, lblPtoY, lblPtoZ});
    // Enter on the button, once the fields have brought the focus to it, presses it.
    cmdEntrarPunto->setAutoDefault(true);

    // Points.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloPuntos"), QStringLiteral("Puntos"), QRect(580, 146, 200, 20));
    QLabel* cabecera = cv::CrearEtiqueta(this, QStringLiteral("lblCabeceraPuntos"),
                                         QStringLiteral("  N      X      Y      Z"), QRect(580, 166, 200, 20));
    lstPuntos = cv::CrearLista(this, QStringLiteral("lstPuntos"), QRect(580, 188, 200, 150),
                               QStringLiteral("Lista de puntos calculados"));
    cabecera->setFont(lstPuntos->font());
    cmdPuntosGuardar = cv::CrearBotonDibujo(this, QStringLiteral("cmdPuntosGuardar"), QStyle::SP_DialogSaveButton,
                                            QRect(580, 346, 40, 30), QStringLiteral("Guardar fichero ascii"));
    cmdPuntosBorrar = cv::CrearBotonDibujo(this, QStringLiteral("cmdPuntosBorrar"), QStyle::SP_DialogDiscardButton,
                                           QRect(625, 346, 40, 30), QStringLiteral("Cortar punto seleccionado"));
    cmdPuntosLimpiar = cv::CrearBotonDibujo(this, QStringLiteral("cmdPuntosLimpiar"), QStyle::SP_TrashIcon,
                                            QRect(670, 346, 40, 30), QStringLiteral("Borrar todos los puntos"));

    for (QLineEdit* campo : txtObservaciones)
        connect(campo, &QLineEdit::textChanged, this, &frmBiseccion::Calcular);
    new cv::OrdenCampos(this, orden, [this] { cmdEntrarPunto->setFocus(); });

    connect(cmdLimpiarBases, &QPushButton::clicked, this, &frmBiseccion::LimpiarBases);
    connect(cmdEntrarB1, &QPushButton::clicked, this, [this] { EntrarBase(lblB1, lblB1X, lblB1Y, lblB1Z); });
    connect(cmdEntrarB2, &QPushButton::clicked, this, [this] { EntrarBase(lblB2, lblB2X, lblB2Y, lblB2Z); });
    connect(cmdEntrarPunto, &QPushButton::clicked, this, &frmBiseccion::EntrarPunto);
    connect(cmdPuntosGuardar, &QPushButton::clicked, this, [this] { ExportarPuntos(lstPuntos, this); });
    connect(cmdPuntosBorrar, &QPushButton::clicked, this, [this] { CortarFilaSeleccionada(lstPuntos); });
    connect(cmdPuntosLimpiar, &QPushButton::clicked, this, &frmBiseccion::LimpiarPuntos);

    timIntermitencia = cv::CrearIntermitencia(this);
    connect(timIntermitencia, &QTimer::timeout, this, &frmBiseccion::Intermitencia);
    timIntermitencia->start();

    CrearBotonesIntercambio(this, QRect(320, 346, 115, 26), QRect(445, 346, 115, 26),
                            [this] { return DibujoDeListas(lstBases, lstPuntos); });
    cv::PrepararVentana(this);
    cv::PublicarListas(this);
    txtObservaciones[1]->setText(QStringLiteral("0.0000"));
    txtObservaciones[5]->setText(QStringLiteral("0.0000"));
    txtObservaciones[0]->setFocus();
}

void frmBiseccion::Calcular()
{
    ObservacionesBiseccion o;
    for (int i = 0; i < NUM_OBSERVACIONES_BISECCION; ++i)
        o[static_cast<size_t>(i)] = cv::S(txtObservaciones[i]->text());
    const BasesBiseccion b = {cv::S(lblB1X->text()), cv::S(lblB1Y->text()), cv::S(lblB1Z->text()),
                              cv::S(lblB2X->text()), cv::S(lblB2Y->text()), cv::S(lblB2Z->text())};
    const TextosBiseccion t = TextosResultadoBiseccion(CalcularBiseccion(o, b));
    lblPtoX->setText(cv::Q(t.X));
    lblPtoY->setText(cv::Q(t.Y));
    lblPtoZ->setText(cv::Q(t.Z));
    if (t.DifCotas)
        lblDifCotas->setText(cv::Q(*t.DifCotas));
}

void frmBiseccion::EntrarBase(QLabel* nombre, QLabel* x, QLabel* y, QLabel* z)
{
    MostrarBaseSeleccionada(lstBases, nombre, x, y, z);
    Calcular();
    txtObservaciones[0]->setFocus();
}

void frmBiseccion::EntrarPunto()
{
    if (txtObservaciones[0]->text().isEmpty() || lblPtoX->text().isEmpty() || lblPtoY->text().isEmpty() ||
        lblPtoZ->text().isEmpty()) {
        cv::Aviso(this, cv::MSG_DATOS_NO_VALIDOS);
        return;
    }
    const QString fila =
        QStringList{txtObservaciones[0]->text(), cv::Q(F3(LeerNumero(cv::S(lblPtoX->text())))),
                    cv::Q(F3(LeerNumero(cv::S(lblPtoY->text())))), cv::Q(F3(LeerNumero(cv::S(lblPtoZ->text()))))}
            .join(QLatin1Char(' '));
    lstPuntos->addItem(fila);
    for (int i : {0, 2, 3, 6, 7})
        txtObservaciones[i]->clear();
    txtObservaciones[0]->setFocus();
}

void frmBiseccion::LimpiarBases()
{
    if (!cv::Pregunta(this, QStringLiteral("¿Confirma que desea borrar todas las bases?")))
        return;
    lstBases->clear();
    txtObservaciones[0]->setFocus();
}

void frmBiseccion::LimpiarPuntos()
{
    if (!cv::Pregunta(this, QStringLiteral("¿Confirma que desea borrar todos los puntos?")))
        return;
    lstPuntos->clear();
}

void frmBiseccion::Intermitencia()
{
    cv::AlternarIntermitentes({lblPtoX, lblPtoY, lblPtoZ});
}
