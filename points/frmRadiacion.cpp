#include "points/frmRadiacion.h"

#include "points/Radiacion.h"
#include "exchange/Intercambio.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "shell/modResIndependentForm.h"

frmRadiacion::frmRadiacion(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmRadiacion"));
    setWindowTitle(QStringLiteral("Radiación de bases"));
    setGeometry(60, 60, 680, 400);

    // The base list and its files.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloBases"), QStringLiteral("Bases"), QRect(10, 6, 160, 20));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloListado"), QStringLiteral("Listado"), QRect(10, 26, 160, 20));
    lstBases = cv::CrearLista(this, QStringLiteral("lstBases"), QRect(10, 48, 180, 296),
                              QStringLiteral("Listado de bases"), cv::FilasLista::Medidas);
    cmdAbrirBases = cv::CrearBotonDibujo(this, QStringLiteral("cmdAbrirBases"), QStyle::SP_DirOpenIcon,
                                         QRect(10, 352, 40, 32), QStringLiteral("Abrir fichero de bases"));
    cmdGuardarFichero = cv::CrearBotonDibujo(this, QStringLiteral("cmdGuardarFichero"), QStyle::SP_DialogSaveButton,
                                             QRect(56, 352, 40, 32), QStringLiteral("Guardar fichero de bases"));
    cmdCortarBase = cv::CrearBotonDibujo(this, QStringLiteral("cmdCortarBase"), QStyle::SP_DialogDiscardButton,
                                         QRect(102, 352, 40, 32), QStringLiteral("Cortar base seleccionada"));
    cmdBorrarBases = cv::CrearBotonDibujo(this, QStringLiteral("cmdBorrarBases"), QStyle::SP_TrashIcon,
                                          QRect(148, 352, 40, 32), QStringLiteral("Borrar todas las bases"));

    // Station and orientation bases.
    cmdEntrarBE =
        cv::CrearBoton(this, QStringLiteral("cmdEntrarBE"), QStringLiteral("Entrar BE"), QRect(200, 48, 90, 26));
    cmdEntrarBO =
        cv::CrearBoton(this, QStringLiteral("cmdEntrarBO"), QStringLiteral("Entrar BO"), QRect(200, 84, 90, 26));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloBE"), QStringLiteral("Base Estación"), QRect(300, 26, 120, 20));
    CrearCasillasBase(this, QStringLiteral("lblBE"), QRect(300, 48, 120, 20), 22, lblBE, lblBEX, lblBEY, lblBEZ);
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloBO"), QStringLiteral("B. Orientación"), QRect(430, 26, 120, 20));
    CrearCasillasBase(this, QStringLiteral("lblBO"), QRect(430, 48, 120, 20), 22, lblBO, lblBOX, lblBOY, lblBOZ);

    // The observation grid: back-sight column, forward column.
    cv::CrearEtiqueta(this, QStringLiteral("lblAtras"), QStringLiteral("Atrás"), QRect(315, 160, 100, 20));
    cv::CrearEtiqueta(this, QStringLiteral("lblAdelante"), QStringLiteral("Adelante"), QRect(425, 160, 100, 20));
    const QString filas[5] = {QStringLiteral("Hz"), QStringLiteral("V"), QStringLiteral("Dist. geométrica "),
                              QStringLiteral("H  instrumento "), QStringLiteral("H señal")};
    for (int f = 0; f < 5; ++f)
        cv::CrearEtiqueta(this, QStringLiteral("lblFila%1").arg(f), filas[f], QRect(200, 184 + 28 * f, 112, 22));
    // Field i: its cell in the grid and its tooltip.
    const QRect celdas[6] = {QRect(315, 182, 100, 22), QRect(425, 182, 100, 22), QRect(425, 210, 100, 22),
                             QRect(425, 238, 100, 22), QRect(315, 266, 100, 22), QRect(425, 294, 100, 22)};
    const QString ayudas[6] = {QStringLiteral("Hz de orientación"),
                               QStringLiteral("Hz visado"),
                               QStringLiteral("V visado"),
                               QStringLiteral("Distancia inclinada"),
                               QStringLiteral("Altura del instrumento"),
                               QStringLiteral("Altura de la señal")};
    for (int i = 0; i < 6; ++i) {
        txtObservaciones[i] = cv::CrearCampo(this, QStringLiteral("txtObservaciones"), i, celdas[i], ayudas[i]);
        cv::FiltrarTeclas(txtObservaciones[i], cv::TipoCampo::Numerico);
    }

    // The sighted point.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloBV"), QStringLiteral("BASE VISADA"), QRect(545, 160, 120, 20));
    txtObservaciones[6] = cv::CrearCampo(this, QStringLiteral("txtObservaciones"), 6, QRect(545, 182, 120, 22));
    cv::FiltrarTeclas(txtObservaciones[6], cv::TipoCampo::Nombre);
    lblBRadiadaX = cv::CrearCasilla(this, QStringLiteral("lblBRadiadaX"), QRect(545, 210, 120, 20));
    lblBRadiadaY = cv::CrearCasilla(this, QStringLiteral("lblBRadiadaY"), QRect(545, 238, 120, 20));
    lblBRadiadaZ = cv::CrearCasilla(this, QStringLiteral("lblBRadiadaZ"), QRect(545, 266, 120, 20));
    cmdEntrarBV =
        cv::CrearBoton(this, QStringLiteral("cmdEntrarBV"), QStringLiteral("Entrar BV"), QRect(545, 294, 120, 26));
    // The result blinks blue and white on a white ground.
    cv::PrepararIntermitentes({lblBRadiadaX, lblBRadiadaY, lblBRadiadaZ});
    // Enter on the button, once the fields have brought the focus to it, presses it.
    cmdEntrarBV->setAutoDefault(true);

    QList<QLineEdit*> orden;
    for (QLineEdit* campo : txtObservaciones) {
        orden << campo;
        connect(campo, &QLineEdit::textChanged, this, &frmRadiacion::CalcularRadiacion);
    }
    new cv::OrdenCampos(this, orden, [this] { cmdEntrarBV->setFocus(); });

    connect(cmdEntrarBE, &QPushButton::clicked, this, &frmRadiacion::EntrarBE);
    connect(cmdEntrarBO, &QPushButton::clicked, this, &frmRadiacion::EntrarBO);
    connect(cmdAbrirBases, &QPushButton::clicked, this, &frmRadiacion::AbrirBases);
    connect(cmdGuardarFichero, &QPushButton::clicked, this, [this] { GuardarFicheroBases(lstBases, this); });
    connect(cmdCortarBase, &QPushButton::clicked, this, [this] { CortarBaseSeleccionada(lstBases); });
    connect(cmdBorrarBases, &QPushButton::clicked, this, &frmRadiacion::BorrarBases);
    connect(cmdEntrarBV, &QPushButton::clicked, this, &frmRadiacion::EntrarBV);

    timIntermitencia = cv::CrearIntermitencia(this);
    connect(timIntermitencia, &QTimer::timeout, this, &frmRadiacion::Intermitencia);
    timIntermitencia->start();

    txtObservaciones[0]->setText(QStringLiteral("0.0000"));
    // The new bases go to CAD and to maps.
    CrearBotonesIntercambio(this, QRect(545, 330, 120, 26), QRect(545, 360, 120, 26),
                            [this] { return DibujoDeListas(lstBases, nullptr); });
    cv::PrepararVentana(this);
    cv::PublicarListas(this);
}

bool frmRadiacion::ObservacionesRadiacionValidas() const
{
    std::array<std::string, NUM_OBSERVACIONES_RADIACION> o;
    for (int i = 0; i < NUM_OBSERVACIONES_RADIACION; ++i)
        o[static_cast<size_t>(i)] = cv::S(txtObservaciones[i]->text());
    return ::ObservacionesRadiacionValidas(o);
}

void frmRadiacion::CalcularRadiacion()
{
    DatosRadiacion d;
    for (int i = 0; i < NUM_OBSERVACIONES_RADIACION; ++i)
        d.observaciones[static_cast<size_t>(i)] = cv::S(txtObservaciones[i]->text());
    d.BE = {cv::S(lblBEX->text()), cv::S(lblBEY->text()), cv::S(lblBEZ->text())};
    d.BO = {cv::S(lblBOX->text()), cv::S(lblBOY->text()), cv::S(lblBOZ->text())};
    const std::array<std::string, 3> t = TextosRadiacion(d);
    lblBRadiadaX->setText(cv::Q(t[0]));
    lblBRadiadaY->setText(cv::Q(t[1]));
    lblBRadiadaZ->setText(cv::Q(t[2]));
}

void frmRadiacion::EntrarBE()
{
    MostrarBaseSeleccionada(lstBases, lblBE, lblBEX, lblBEY, lblBEZ);
    txtObservaciones[0]->setFocus();
    CalcularRadiacion();
}

void frmRadiacion::EntrarBO()
{
    MostrarBaseSeleccionada(lstBases, lblBO, lblBOX, lblBOY, lblBOZ);
    txtObservaciones[0]->setFocus();
    CalcularRadiacion();
}

void frmRadiacion::AbrirBases()
{
    AbrirFicheroBases(lstBases, this);
    txtObservaciones[0]->setFocus();
}

void frmRadiacion::BorrarBases()
{
    if (!cv::Pregunta(this, QStringLiteral("¿Confirma que desea borrar todas las bases?")))
        return;
    lstBases->clear();
    txtObservaciones[0]->setFocus();
}

void frmRadiacion::EntrarBV()
{
    if (lblBRadiadaX->text().isEmpty() || lblBRadiadaY->text().isEmpty() || lblBRadiadaZ->text().isEmpty() ||
        txtObservaciones[6]->text().isEmpty()) {
        cv::Aviso(this, cv::MSG_DATOS_NO_VALIDOS);
        return;
    }
    lstBases->addItems({txtObservaciones[6]->text(), QString(), lblBRadiadaX->text(), lblBRadiadaY->text(),
                        lblBRadiadaZ->text(), QString()});
    for (QLineEdit* campo : txtObservaciones)
        campo->clear();
    lblBRadiadaX->clear();
    lblBRadiadaY->clear();
    lblBRadiadaZ->clear();
    txtObservaciones[0]->setText(QStringLiteral("0.0000"));
    txtObservaciones[0]->setFocus();
}

void frmRadiacion::Intermitencia()
{
    cv::AlternarIntermitentes({lblBRadiadaX, lblBRadiadaY, lblBRadiadaZ});
}
