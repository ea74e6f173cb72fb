#include "traverse/frmPoligonal.h"

#include <QMdiSubWindow>
#include <QPainter>

#include "core/Fallos.h"
#include "core/TextoNumerico.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "shell/modResIndependentForm.h"

objPto frmPoligonal::objVertice_BE;
objPto frmPoligonal::objVertice_BO;

namespace {

const QString MSG_NO_EXISTE = QStringLiteral("No existe la estación.");

// An agreement indicator: its bar and label, left as they are when the
// computation faulted.
void MostrarIndicador(const Indicador& ind, QProgressBar* barra, QLabel* etiqueta)
{
    if (!ind.valido)
        return;
    barra->setValue(ind.barra);
    etiqueta->setText(cv::Q(ind.etiqueta));
}

} // namespace

frmPoligonal::frmPoligonal(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmPoligonal"));
    setWindowTitle(QStringLiteral("Poligonal"));
    setGeometry(0, 0, 780, 482);
    // Courier New, or the nearest fixed-pitch font installed.
    QFont fuente(QStringLiteral("Courier New"), 8);
    fuente.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Courier"), QStringLiteral("Nimbus Mono PS"),
                        QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")});
    fuente.setStyleHint(QFont::TypeWriter);
    fuente.setFixedPitch(true);
    setFont(fuente);
    CrearControles();
    cv::PrepararVentana(this);

    // Loading: station 1 on the starting vertices, the list holding them.
    PrimeraEstacion(colPoligonal, objVertice_BE, objVertice_BO);
    intEstacionActual = 1;
    lblEstacion->setText(QStringLiteral("1"));
    txtIra->setText(QStringLiteral("1"));
    MostrarPuntosEstacion();
    ActualizarListaBases();
    txtObservacion[1]->setText(QStringLiteral("0.0000"));
    txtObservacion[0]->setFocus();
    // Last, so that the change just made does not count.
    bolGuardada = true;
    timIntermitencia->start();
}

void frmPoligonal::CrearControles()
{
    auto etiqueta = [this](const char* nombre, const QString& texto, const QRect& g) {
        return cv::CrearEtiqueta(this, QString::fromLatin1(nombre), texto, g);
    };
    auto barra = [this](const char* nombre, const QRect& g, const QString& ayuda) {
        auto* b = new QProgressBar(this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setGeometry(g);
        b->setRange(0, 100);
        b->setValue(0);
        b->setTextVisible(false);
        b->setToolTip(ayuda);
        return b;
    };

    // Header.
    etiqueta("Label1", QStringLiteral("Estación :"), QRect(8, 8, 80, 20));
    lblEstacion = etiqueta("lblEstacion", QString(), QRect(90, 8, 50, 20));
    lblEstacion->setToolTip(QStringLiteral("Estación actual"));
    etiqueta("Label2", QStringLiteral("Visada .........."), QRect(160, 8, 130, 20));
    etiqueta("Label3", QStringLiteral("Base estación    :"), QRect(8, 34, 130, 18));
    lblBE = etiqueta("lblBE", QString(), QRect(140, 34, 150, 18));
    etiqueta("Label4", QStringLiteral("Base orientación :"), QRect(8, 54, 130, 18));
    lblBO = etiqueta("lblBO", QString(), QRect(140, 54, 150, 18));

    // The observation grid: columns, rows and the 15 inputs.
    const int columna[7] = {82, 156, 230, 304, 378, 452, 526};
    const QString cabeceras[7] = {QStringLiteral("Hz cd"), QStringLiteral("Hz ci"), QStringLiteral("V cd"),
                                  QStringLiteral("V ci"), QStringLiteral("Dist. geométrica "),
                                  QStringLiteral("H  instrumento "), QStringLiteral("H señal")};
    for (int c = 0; c < 7; ++c) {
        QLabel* cab = etiqueta(qPrintable(QStringLiteral("Label%1").arg(10 + c)), cabeceras[c],
                               QRect(columna[c], 76, 72, 32));
        cab->setWordWrap(true);
        cab->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    }
    etiqueta("Label17", QStringLiteral("Atrás"), QRect(8, 112, 72, 20));
    etiqueta("Label18", QStringLiteral("Adelante"), QRect(8, 140, 72, 20));
    etiqueta("Label19", QStringLiteral("Recíproca"), QRect(8, 168, 72, 20));

    const char* const ayudas[15] = {"Base visada", "Hz directo de orientación", "Hz inverso de orientación",
                                    "Hz directo visado", "Hz inverso visado", "V directo visado", "V inverso visado",
                                    "Distancia inclinada visada", "Altura del instrumento (Base de Estación)",
                                    "Altura de la señal (Base Visada)", "V directo observación recíproca",
                                    "V inverso observación recíproca", "Distancia inclinada observación recíproca",
                                    "Altura del instrumento (Estación en Base Visada)",
                                    "Altura de la señal (recíproca)"};
    QRect sitio[15];
    sitio[0] = QRect(292, 6, 110, 22);
    sitio[1] = QRect(columna[0], 110, 70, 22);
    sitio[2] = QRect(columna[1], 110, 70, 22);
    for (int k = 3; k <= 9; ++k)
        sitio[k] = QRect(columna[k - 3], 138, 70, 22);
    for (int k = 10; k <= 14; ++k)
        sitio[k] = QRect(columna[k - 8], 166, 70, 22);
    QList<QLineEdit*> orden;
    for (int k = 0; k < 15; ++k) {
        txtObservacion[k] = cv::CrearCampo(this, QStringLiteral("txtObservacion"), k, sitio[k],
                                           QString::fromUtf8(ayudas[k]));
        cv::FiltrarTeclas(txtObservacion[k], k == 0 ? cv::TipoCampo::Nombre : cv::TipoCampo::Numerico);
        connect(txtObservacion[k], &QLineEdit::textChanged, this, [this, k] { CambioObservacion(k); });
        orden << txtObservacion[k];
    }

    // Face means.
    etiqueta("Label20", QStringLiteral("Medias"), QRect(8, 196, 72, 20));
    lblHzO = etiqueta("lblHzO", QString(), QRect(columna[0], 196, 70, 20));
    lblHzO->setToolTip(QStringLiteral("Hz medio de orientación"));
    lblHzV = etiqueta("lblHzV", QString(), QRect(columna[1], 196, 70, 20));
    lblHzV->setToolTip(QStringLiteral("Hz medio visado"));
    lblVV = etiqueta("lblVV", QString(), QRect(columna[2], 196, 70, 20));
    lblVV->setToolTip(QStringLiteral("V medio visado"));
    lblVR = etiqueta("lblVR", QString(), QRect(columna[3], 196, 70, 20));
    lblVR->setToolTip(QStringLiteral("V medio observación recíproca"));

    // Agreement of the observations.
    const QString precisionHz = QStringLiteral("Precisión de las observaciones acimutales");
    const QString precisionV = QStringLiteral("Precisión de las observaciones cenitales");
    const QString directasReciprocas = QStringLiteral("Diferencia entre observaciones directas-recíprocas");
    etiqueta("Label21", QStringLiteral("cc 0   20   40   60   80  100"), QRect(96, 228, 240, 16));
    etiqueta("Label22", QStringLiteral("Hz"), QRect(8, 248, 84, 18));
    prbDiferenciaAcimutal = barra("prbDiferenciaAcimutal", QRect(120, 248, 220, 16), precisionHz);
    lblDiferenciaAcimutal = etiqueta("lblDiferenciaAcimutal", QString(), QRect(348, 247, 80, 18));
    etiqueta("Label23", QStringLiteral("V"), QRect(8, 270, 84, 18));
    prbDiferenciaCenital = barra("prbDiferenciaCenital", QRect(120, 270, 220, 16), precisionV);
    lblDiferenciaCenital = etiqueta("lblDiferenciaCenital", QString(), QRect(348, 269, 80, 18));
    etiqueta("Label24", QStringLiteral("mm 0   20   40   60   80  100"), QRect(96, 296, 240, 16));
    etiqueta("Label25", QStringLiteral("Dist."), QRect(8, 316, 84, 18));
    prbDiferenciaDistancias = barra("prbDiferenciaDistancias", QRect(120, 316, 220, 16), directasReciprocas);
    lblDiferenciaDistancias = etiqueta("lblDiferenciaDistancias", QString(), QRect(348, 315, 80, 18));
    etiqueta("Label26", QStringLiteral("Cota"), QRect(8, 338, 84, 18));
    prbDiferenciaCotas = barra("prbDiferenciaCotas", QRect(120, 338, 220, 16), directasReciprocas);
    lblDiferenciaCotas = etiqueta("lblDiferenciaCotas", QString(), QRect(348, 337, 80, 18));
    etiqueta("Label27", QStringLiteral("   0   20   40   60   80  100"), QRect(96, 364, 240, 16));
    QLabel* indice = etiqueta("Label28", QStringLiteral("Índice de error total"), QRect(8, 378, 110, 30));
    indice->setWordWrap(true);
    prbErrorObservacion = barra("prbErrorObservacion", QRect(120, 384, 220, 16),
                                QStringLiteral("Índice de error total en las observaciones"));

    // The sighted point and the station sketch.
    etiqueta("Label29", QStringLiteral("BASE VISADA"), QRect(440, 228, 150, 18));
    lblBaseRadiada = etiqueta("lblBaseRadiada", QString(), QRect(440, 246, 150, 18));
    etiqueta("Label30", QStringLiteral("X"), QRect(440, 266, 16, 18));
    lblBRadiadaX = etiqueta("lblBRadiadaX", QString(), QRect(458, 266, 130, 18));
    etiqueta("Label31", QStringLiteral("Y"), QRect(440, 286, 16, 18));
    lblBRadiadaY = etiqueta("lblBRadiadaY", QString(), QRect(458, 286, 130, 18));
    etiqueta("Label32", QStringLiteral("Z"), QRect(440, 306, 16, 18));
    lblBRadiadaZ = etiqueta("lblBRadiadaZ", QString(), QRect(458, 306, 130, 18));
    for (QLabel* l : {lblBRadiadaX, lblBRadiadaY, lblBRadiadaZ})
        cv::PonerColorTexto(l, cv::BLANCO_INTERMITENCIA);
    dibEsquemaOrientacion = etiqueta("dibEsquemaOrientacion", QString(), QRect(430, 336, 80, 16));
    dibEsquemaVisada = etiqueta("dibEsquemaVisada", QString(), QRect(516, 336, 80, 16));
    dibEsquemaVisada->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    dibEsquemaEstacion = etiqueta("dibEsquemaEstacion", QString(), QRect(473, 414, 80, 16));
    dibEsquemaEstacion->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    etiqueta("Label33", QStringLiteral("Atrás"), QRect(440, 372, 50, 16));
    etiqueta("Label34", QStringLiteral("Adelante"), QRect(540, 372, 60, 16));

    // Navigation and editing of the traverse.
    cmdAnterior = cv::CrearBoton(this, QStringLiteral("cmdAnterior"), QStringLiteral("<"), QRect(8, 444, 36, 28),
                                 QStringLiteral("Estación anterior"));
    cmdPosterior = cv::CrearBoton(this, QStringLiteral("cmdPosterior"), QStringLiteral(">"), QRect(48, 444, 36, 28),
                                  QStringLiteral("Siguiente estación"));
    txtIra = cv::CrearCampo(this, QStringLiteral("txtIra"), QRect(92, 446, 50, 24));
    cmdIra = cv::CrearBoton(this, QStringLiteral("cmdIra"), QStringLiteral("Ir a"), QRect(146, 444, 50, 28),
                            QStringLiteral("Ir a estación ..."));
    cmdIraUltima = cv::CrearBoton(this, QStringLiteral("cmdIraUltima"), QStringLiteral(">|"), QRect(200, 444, 36, 28),
                                  QStringLiteral("Ir a la útlima estación"));
    cmdNuevaEstacion =
        cv::CrearBoton(this, QStringLiteral("cmdNuevaEstacion"), QStringLiteral("Nueva estación"),
                       QRect(250, 444, 130, 28), QStringLiteral("Añadir una nueva estación a la poligonal"));
    cmdCortarPoligonal =
        cv::CrearBoton(this, QStringLiteral("cmdCortarPoligonal"), QStringLiteral("Cortar"), QRect(390, 444, 80, 28),
                       QStringLiteral("Cortar poligonal por la estación actual"));

    lstBases = new cv::Lista(this);
    lstBases->setObjectName(QStringLiteral("lstBases"));
    lstBases->setGeometry(604, 8, 168, 464);
    lstBases->setToolTip(QStringLiteral("Listado de Bases"));
    lstBases->setUniformItemSizes(true);

    timIntermitencia = cv::CrearIntermitencia(this);

    // Keys and focus order.
    new cv::OrdenCampos(this, orden, [this] { cmdNuevaEstacion->setFocus(); });
    cv::FiltrarTeclas(txtIra, cv::TipoCampo::Entero);
    new cv::OrdenCampos(this, {txtIra}, [this] { cmdIra->click(); }, false);

    connect(cmdAnterior, &QPushButton::clicked, this, [this] { MostrarEstacion(intEstacionActual - 1); });
    connect(cmdPosterior, &QPushButton::clicked, this, [this] { MostrarEstacion(intEstacionActual + 1); });
    connect(cmdIraUltima, &QPushButton::clicked, this,
            [this] { MostrarEstacion(static_cast<int>(colPoligonal.size())); });
    connect(cmdIra, &QPushButton::clicked, this, &frmPoligonal::IrA);
    connect(cmdNuevaEstacion, &QPushButton::clicked, this, &frmPoligonal::NuevaEstacion);
    connect(cmdCortarPoligonal, &QPushButton::clicked, this, &frmPoligonal::CortarPoligonal);
    connect(timIntermitencia, &QTimer::timeout, this, &frmPoligonal::Intermitencia);
}

// ------------------------------------------------------ change of an input

void frmPoligonal::CambioObservacion(int k)
{
    PonerGuardada(false);
    if (!HayActual())
        return;
    const QString texto = txtObservacion[k]->text();
    if (k == 0) {
        dibEsquemaVisada->setText(texto);
        lblBaseRadiada->setText(texto);
        Actual().objBV.N = cv::S(texto);
        RecalcularEstacionActual();
        ActualizarListaBases();
        Publicar();
        return;
    }
    AsignarSiValido(Actual().Slot(k), LeerNumero(cv::S(texto)));
    RecalcularEstacionActual();
    Publicar();

    // The face pairs: own pair (direct, reverse), the companion pair that
    // feeds the same indicator, and the label of the own pair's mean.
    const struct {
        int d, r, cd, cr;
    } pares[4] = {{1, 2, 3, 4}, {3, 4, 1, 2}, {5, 6, 10, 11}, {10, 11, 5, 6}};
    QLabel* const medias[4] = {lblHzO, lblHzV, lblVV, lblVR};
    int i = 0;
    while (i < 4 && k != pares[i].d && k != pares[i].r)
        ++i;
    if (i == 4)
        return;
    const auto& par = pares[i];
    const bool horizontal = i < 2;
    auto completo = [this](int a, int b) {
        return cv::EsNumero(txtObservacion[a]) && cv::EsNumero(txtObservacion[b]);
    };
    QProgressBar* barra = horizontal ? prbDiferenciaAcimutal : prbDiferenciaCenital;
    QLabel* etiqueta = horizontal ? lblDiferenciaAcimutal : lblDiferenciaCenital;
    if (completo(par.d, par.r)) {
        medias[i]->setText(cv::Q(TextoMediaPar(horizontal, cv::S(txtObservacion[par.d]->text()),
                                               cv::S(txtObservacion[par.r]->text()))));
        if (completo(par.cd, par.cr)) {
            MostrarIndicador(horizontal ? IndicadorAcimutal(Actual()) : IndicadorCenital(Actual()), barra, etiqueta);
            return;
        }
    } else {
        medias[i]->clear();
    }
    barra->setValue(0);
    etiqueta->clear();
}

bool frmPoligonal::DatosValidos() const
{
    std::array<std::string, 15> textos;
    for (size_t k = 0; k < textos.size(); ++k)
        textos[k] = cv::S(txtObservacion[k]->text());
    return ::DatosValidos(textos);
}

void frmPoligonal::RecalcularEstacionActual()
{
    if (!HayActual())
        return;
    Actual().Radiar();
    if (DatosValidos()) {
        const objPto& v = Actual().objBV;
        lblBRadiadaX->setText(cv::Q(F3(v.X)));
        lblBRadiadaY->setText(cv::Q(F3(v.Y)));
        lblBRadiadaZ->setText(cv::Q(F3(v.Z)));
        MostrarIndicador(IndicadorDistancias(Actual()), prbDiferenciaDistancias, lblDiferenciaDistancias);
        MostrarIndicador(IndicadorCotas(Actual()), prbDiferenciaCotas, lblDiferenciaCotas);
        int indice = 0;
        if (BarraAcotada(IndiceError(Actual()), indice))
            prbErrorObservacion->setValue(indice);
        PropagarBases();
    } else {
        lblBRadiadaX->clear();
        lblBRadiadaY->clear();
        lblBRadiadaZ->clear();
        prbDiferenciaDistancias->setValue(0);
        prbDiferenciaCotas->setValue(0);
        prbErrorObservacion->setValue(0);
        lblDiferenciaDistancias->clear();
        lblDiferenciaCotas->clear();
    }
}

void frmPoligonal::PropagarBases()
{
    ::PropagarBases(colPoligonal, intEstacionActual);
    ActualizarListaBases();
}


// ------------------------------------------------------ the list of points

void frmPoligonal::ActualizarListaBases()
{
    lstBases->Reemplazar(FilasListaBases(objVertice_BE, objVertice_BO, colPoligonal));
}

void frmPoligonal::AnotarCierre(const std::vector<std::string>& filas, const objPto& PE, const objPto& PV)
{
    ActualizarListaBases();
    lstBases->Anadir(filas);
    cierre_ = true;
    PE_ = PE;
    PV_ = PV;
    Publicar();
}

void frmPoligonal::Publicar()
{
    if (mostrando_ > 0 || cerrada_ || !HayActual())
        return;
    PoligonalTrabajo p;
    p.BE = objVertice_BE;
    p.BO = objVertice_BO;
    p.estaciones = colPoligonal;
    p.estacionActual = intEstacionActual;
    for (const QLineEdit* t : txtObservacion)
        p.textos.push_back(cv::S(t->text()));
    p.incompleta = DatosValidos() ? 0 : intEstacionActual;
    p.cierre = cierre_;
    p.PE = PE_;
    p.PV = PV_;
    cv::ElTrabajo().Datos().PonerPoligonal(std::move(p));
}

// --------------------------------------------------------- showing a station

void frmPoligonal::MostrarEstacion(int n)
{
    const int total = static_cast<int>(colPoligonal.size());
    if (total == 0 || n < 1 || n > total) {
        cv::Aviso(this, MSG_NO_EXISTE);
        return;
    }
    intEstacionActual = static_cast<int16_t>(n);
    lblEstacion->setText(QString::number(n));
    txtIra->setText(QString::number(n));

    // Every box set here runs the change processing at once, so the station
    // is recomputed from the values as shown.
    ++mostrando_;
    txtObservacion[0]->setText(cv::Q(Actual().objBV.N));
    dibEsquemaVisada->setText(cv::Q(Actual().objBV.N));
    MostrarPuntosEstacion();
    const bool ultima = n == total;
    for (int k = 1; k <= 14; ++k)
        txtObservacion[k]->setText(cv::Q(TextoObservacion(Actual(), k, ultima)));
    --mostrando_;
    Publicar();
    txtObservacion[0]->setFocus();
}

void frmPoligonal::MostrarPuntosEstacion()
{
    const objEstacion& e = Actual();
    dibEsquemaEstacion->setText(cv::Q(e.objBE.N));
    lblBE->setText(cv::Q(e.objBE.N));
    dibEsquemaOrientacion->setText(cv::Q(e.objBO.N));
    lblBO->setText(cv::Q(e.objBO.N));
}

void frmPoligonal::IrA()
{
    if (!cv::EsNumero(txtIra)) {
        cv::Aviso(this, cv::MSG_DATOS_NO_VALIDOS);
        return;
    }
    int16_t n = 0;
    if (!ParteEnteraInt16(cv::LeerNumero(txtIra), n)) {
        cv::Aviso(this, MSG_NO_EXISTE);
        return;
    }
    MostrarEstacion(n);
}

// ---------------------------------------------------------- new station

void frmPoligonal::NuevaEstacion()
{
    if (intEstacionActual != static_cast<int>(colPoligonal.size())) {
        cv::Aviso(this, QStringLiteral("La estación actual no es la última."));
        return;
    }
    if (!DatosValidos()) {
        cv::Aviso(this, cv::MSG_DATOS_NO_VALIDOS);
        return;
    }
    CrearEstacion();
}

void frmPoligonal::CrearEstacion()
{
    if (!AnadirEstacion(colPoligonal))
        return;
    const int n = NumeroEstaciones();
    intEstacionActual = static_cast<int16_t>(n);
    MostrarPuntosEstacion();
    ActualizarListaBases();
    MostrarEstacion(n);
    emit estacionesCambiadas(n);
}

// ------------------------------------------------- starting vertices changed

void frmPoligonal::CambiarVerticesDeSalida()
{
    // The sheet always holds a station; the test only guards a closed one.
    if (!colPoligonal.empty()) {
        const int16_t actual = intEstacionActual;
        intEstacionActual = 1;
        PrimeraEstacion(colPoligonal, objVertice_BE, objVertice_BO);
        PropagarBases();
        intEstacionActual = actual;
        MostrarEstacion(actual);
    }
    ActualizarListaBases();
    RecalcularEstacionActual();
    cv::Aviso(this, QStringLiteral("Vértices de salida cambiados."), QMessageBox::Information);
}

// ------------------------------------------------------------------ the cut

void frmPoligonal::CortarPoligonal()
{
    if (intEstacionActual == 1) {
        cv::Aviso(this, QStringLiteral("No se puede eliminar la primera estación."));
        return;
    }
    if (!HayActual())
        return;
    const QString pregunta = QStringLiteral("¿Confirma que desea borrar todas las estaciones\r\n") + QString(21, ' ')
                             + QStringLiteral("a partir de la actual?\r\n");
    if (!cv::Pregunta(this, pregunta))
        return;
    colPoligonal.erase(colPoligonal.begin() + (intEstacionActual - 1), colPoligonal.end());
    intEstacionActual = static_cast<int16_t>(intEstacionActual - 1);
    ActualizarListaBases();
    MostrarEstacion(intEstacionActual);
    Publicar();
    cv::Aviso(this, QStringLiteral("Las estaciones se han eliminado."));
    emit estacionesCambiadas(NumeroEstaciones());
}

// ------------------------------------------------------------------ blinking

void frmPoligonal::Intermitencia()
{
    cv::AlternarIntermitentes({lblBRadiadaX, lblBRadiadaY, lblBRadiadaZ});
    dibEsquemaVisada->setHidden(!dibEsquemaVisada->isHidden());
}

// ------------------------------------------------------------ state changes

void frmPoligonal::PonerGuardada(bool guardada)
{
    if (bolGuardada == guardada)
        return;
    bolGuardada = guardada;
    emit guardadaCambiada(guardada);
}


// ------------------------------------------------------------------ closing

void frmPoligonal::closeEvent(QCloseEvent* evento)
{
    if (!cerrada_) {
        cerrada_ = true;
        if (!bolGuardada && cv::Pregunta(this, QStringLiteral("  ¿Desea guardar los cambios?")))
            GuardarPoligonal();
        timIntermitencia->stop();
        colPoligonal.clear();
        intEstacionActual = 0;
        cv::ElTrabajo().Datos().CerrarPoligonal();
        emit estacionesCambiadas(0);
    }
    evento->accept();
}

frmPoligonal::~frmPoligonal()
{
    // Gone without its closing step (the frame deleted): the traverse leaves the job all the same.
    if (!cerrada_)
        cv::ElTrabajo().Datos().CerrarPoligonal();
}

void frmPoligonal::CerrarSinPreguntar()
{
    PonerGuardada(true);
    if (auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget()))
        marco->close();
    else
        close();
}

// ---------------------------------------------------------- the sketch

void frmPoligonal::paintEvent(QPaintEvent* evento)
{
    QWidget::paintEvent(evento);
    QPainter p(this);
    p.setPen(QPen(QColor(255, 255, 0), 1));
    const QRect est = dibEsquemaEstacion->geometry();
    const QRect ori = dibEsquemaOrientacion->geometry();
    const QRect vis = dibEsquemaVisada->geometry();
    const QPoint pie(est.center().x(), est.top() - 2);
    // Station, back sight and forward sight, each marked by a small circle.
    const QPoint atras(ori.center().x(), ori.bottom() + 6);
    const QPoint adelante(vis.center().x(), vis.bottom() + 6);
    p.drawLine(pie, atras);
    p.drawLine(pie, adelante);
    for (const QPoint& q : {pie, atras, adelante})
        p.drawEllipse(q, 3, 3);
}
