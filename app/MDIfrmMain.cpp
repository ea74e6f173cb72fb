#include "app/MDIfrmMain.h"

#include <QCloseEvent>
#include <QFrame>
#include <QMenuBar>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "app/frmConfiguracion.h"
#include "calculators/frmAlturaRemota.h"
#include "calculators/frmBessel.h"
#include "calculators/frmDistanciaReducida.h"
#include "catenary/frmCatenaria.h"
#include "coordinates/frmReplanteo.h"
#include "coordinates/frmSuperficies.h"
#include "coordinates/frmTransformacion.h"
#include "core/Configuracion.h"
#include "core/Ficheros.h"
#include "core/modFuncionesTopo.h"
#include "drawings/frmPerfil.h"
#include "drawings/frmPlano.h"
#include "exchange/Intercambio.h"
#include "levelling/frmNivelacion.h"
#include "points/frmBiseccion.h"
#include "points/frmEditarBases.h"
#include "points/frmRadiacion.h"
#include "points/frmTaquimetrico.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "shell/frmAyuda.h"
#include "station/frmEstacionLibre.h"
#include "terrain/frmTerreno.h"
#include "traverse/frmCierrePoligonal.h"
#include "traverse/frmCompensacion.h"
#include "traverse/frmEditarVerticesSalida.h"
#include "traverse/frmPoligonal.h"
#include "traverse/frmVerticesdeSalida.h"

MDIfrmMain::MDIfrmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MDIfrmMain"));
    setWindowTitle(QStringLiteral("Cartavector 3.0.2"));
    // The frame fills the 800 x 600 design screen below its title.
    setGeometry(0, 0, 800, 570);

    auto* central = new QWidget(this);
    auto* columna = new QVBoxLayout(central);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->setSpacing(0);
    mdiArea = new QMdiArea(central);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    columna->addWidget(mdiArea, 1);

    // The information strip: "Info :" and the refraction setting, framed.
    auto* Picture1 = new QFrame(central);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::Box);
    Picture1->setFixedHeight(26);
    auto* fila = new QHBoxLayout(Picture1);
    fila->setContentsMargins(6, 2, 6, 2);
    auto* Label1 = new QLabel(QStringLiteral("Info :"), Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    lblInfo = new QLabel(Picture1);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    fila->addWidget(Label1);
    fila->addWidget(lblInfo, 1);
    columna->addWidget(Picture1);
    setCentralWidget(central);

    CrearMenu();
    cv::PrepararVentana(this, false);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &MDIfrmMain::ActualizarEstado);

    // Loading: no traverse is open yet, then the configuration.
    ActualizarEstado();
    LeerConfiguracionInicial();

    timRecuperacion = new QTimer(this);
    timRecuperacion->setObjectName(QStringLiteral("timRecuperacion"));
    timRecuperacion->setSingleShot(true);
    timRecuperacion->setInterval(1000);
    connect(timRecuperacion, &QTimer::timeout, this, &MDIfrmMain::GuardarRecuperacion);
    TomarRecuperacion();
    OfrecerRecuperacion();
    connect(&cv::ElTrabajo(), &TrabajoQt::cambiado, timRecuperacion, [this] {
        if (!timRecuperacion->isActive())
            timRecuperacion->start();
    });
    connect(&cv::ElTrabajo(), &TrabajoQt::poligonalCambiada, this, &MDIfrmMain::ActualizarEstado);
}

MDIfrmMain::~MDIfrmMain()
{
    // The windows still open go with the frame's children, after this body:
    // what they signal then must not reach the frame.
    disconnect(mdiArea, nullptr, this, nullptr);
    disconnect(&cv::ElTrabajo(), nullptr, this, nullptr);
    BorrarRecuperacion();
    for (const QPointer<QWidget>& w : std::as_const(ventanas_))
        if (w)
            disconnect(w, nullptr, this, nullptr);
}

void MDIfrmMain::ActualizarEstado()
{
    const frmPoligonal* hoja = Buscar<frmPoligonal>();
    const int estaciones = hoja ? hoja->NumeroEstaciones() : 0;
    const bool conHoja = estaciones > 0;
    for (QAction* a : {mnuPoligonalGuardar, mnuPoligonalExportar, mnuPoligonalExportarDxf, mnuPoligonalExportarMapa,
                       mnuPoligonalImprimir, mnuPoligonalVerticesdeSalida})
        a->setEnabled(conHoja);
    mnuPoligonalNueva->setEnabled(!conHoja);
    mnuPoligonalAbrir->setEnabled(!conHoja);
    // The closure needs three stations.
    mnuPoligonalCerrar->setEnabled(estaciones >= 3);
    // The adjustment works on a closure accepted for the open sheet.
    mnuPoligonalCompensar->setEnabled(conHoja && cv::ElTrabajo().Datos().Poligonal().cierre);
    lblInfo->setText(cv::Q(TextoInfo(KRefraccion)));
}

template <class F> void MDIfrmMain::EnHoja(F operacion)
{
    if (frmPoligonal* hoja = Buscar<frmPoligonal>())
        operacion(hoja);
}

void MDIfrmMain::NuevaPoligonal()
{
    if (MostrarModal<frmVerticesdeSalida>())
        MostrarHija<frmPoligonal>();
}

void MDIfrmMain::CrearMenu()
{
    QMenuBar* barra = menuBar();
    auto menu = [&](const char* nombre, const QString& titulo) {
        QMenu* m = barra->addMenu(titulo);
        m->setObjectName(QString::fromLatin1(nombre));
        m->menuAction()->setObjectName(QString::fromLatin1(nombre));
        return m;
    };
    auto item = [&](QMenu* m, const char* nombre, const QString& titulo, auto accion) {
        QAction* a = m->addAction(titulo);
        a->setObjectName(QString::fromLatin1(nombre));
        connect(a, &QAction::triggered, this, accion);
        return a;
    };
    auto separador = [&](QMenu* m, const char* nombre) {
        QAction* a = m->addSeparator();
        a->setObjectName(QString::fromLatin1(nombre));
        return a;
    };

    QMenu* archivo = menu("mnuArchivo", QStringLiteral("Archivo"));
    mnuArchivo = archivo->menuAction();
    mnuArchivoConfiguracion = item(archivo, "mnuArchivoConfiguracion", QStringLiteral("Configuación"),
                                   [this] { MostrarModal<frmConfiguracion>(); });
    mnuSep1 = separador(archivo, "mnuSep1");
    mnuArchivoSalir = item(archivo, "mnuArchivoSalir", QStringLiteral("Salir"), [this] { close(); });

    // The traverse windows come with the traverse sheet.
    QMenu* poligonal = menu("mnuPoligonal", QStringLiteral("Poligonal"));
    mnuPoligonal = poligonal->menuAction();
    mnuPoligonalNueva = item(poligonal, "mnuPoligonalNueva", QStringLiteral("Nueva"), [this] { NuevaPoligonal(); });
    mnuPoligonalAbrir = item(poligonal, "mnuPoligonalAbrir", QStringLiteral("Abrir..."),
                             [this] { MostrarHija<frmPoligonal>()->AbrirPoligonal(); });
    // A traverse from the data collector, offered whenever a .pol may be opened.
    QAction* importar = item(poligonal, "mnuPoligonalImportar", QStringLiteral("Importar libreta..."),
                             [this] { MostrarHija<frmPoligonal>()->ImportarLibreta(); });
    connect(mnuPoligonalAbrir, &QAction::changed, importar,
            [importar, abrir = mnuPoligonalAbrir] { importar->setEnabled(abrir->isEnabled()); });
    mnuSep2 = separador(poligonal, "mnuSep2");
    mnuPoligonalGuardar = item(poligonal, "mnuPoligonalGuardar", QStringLiteral("Guardar..."),
                               [this] { EnHoja([](frmPoligonal* h) { h->GuardarPoligonal(); }); });
    mnuPoligonalExportar = item(poligonal, "mnuPoligonalExportar", QStringLiteral("Exportar"),
                                [this] { EnHoja([](frmPoligonal* h) { h->ExportarPoligonal(); }); });
    mnuPoligonalImprimir = item(poligonal, "mnuPoligonalImprimir", QStringLiteral("Imprimir a archivo..."),
                                [this] { EnHoja([](frmPoligonal* h) { h->Imprimir(); }); });
    mnuSep3 = separador(poligonal, "mnuSep3");
    mnuPoligonalVerticesdeSalida =
        item(poligonal, "mnuPoligonalVerticesdeSalida", QStringLiteral("Vértices de salida"),
             [this] {
                 EnHoja([this](frmPoligonal* h) {
                     if (MostrarModal<frmEditarVerticesSalida>())
                         h->CambiarVerticesDeSalida();
                 });
             });
    mnuPoligonalCerrar = item(poligonal, "mnuPoligonalCerrar", QStringLiteral("Cerrar poligonal"), [this] {
        EnHoja([this](frmPoligonal* h) { MostrarModal<frmCierrePoligonal>(h); });
    });
    // What the design's menu never had follows its items.
    mnuPoligonalCompensar = item(poligonal, "mnuPoligonalCompensar", QStringLiteral("Compensar poligonal..."),
                                 [this] { MostrarHija<frmCompensacion>(); });
    separador(poligonal, "mnuSepIntercambio");
    mnuPoligonalExportarDxf = item(poligonal, "mnuPoligonalExportarDxf", QStringLiteral("Exportar DXF..."), [this] {
        EnHoja([this](frmPoligonal* h) {
            ExportarDxf(this, DibujoPoligonal(frmPoligonal::objVertice_BE, frmPoligonal::objVertice_BO, h->colPoligonal));
        });
    });
    mnuPoligonalExportarMapa = item(poligonal, "mnuPoligonalExportarMapa", QStringLiteral("Exportar a mapa..."), [this] {
        EnHoja([this](frmPoligonal* h) {
            ExportarMapa(this, DibujoPoligonal(frmPoligonal::objVertice_BE, frmPoligonal::objVertice_BO, h->colPoligonal));
        });
    });

    QMenu* radiacion = menu("mnuRadiacion", QStringLiteral("Radiación"));
    mnuRadiacion = radiacion->menuAction();
    mnuRadiacionRadiarBases = item(radiacion, "mnuRadiacionRadiarBases", QStringLiteral("Radiar bases"),
                                   [this] { MostrarSeparada<frmRadiacion>(); });

    QMenu* taquimetrico = menu("mnuTaquimetrico", QStringLiteral("Taquimétrico"));
    mnuTaquimetrico = taquimetrico->menuAction();
    mnuTaquimetricoCalcular =
        item(taquimetrico, "mnuTaquimetricoCalcular", QStringLiteral("Calcular taquimétrico"),
             [this] { MostrarHija<frmTaquimetrico>(); });

    QMenu* bases = menu("mnuBases", QStringLiteral("Bases"));
    mnuBases = bases->menuAction();
    mnuBasesEditarBases = item(bases, "mnuBasesEditarBases", QStringLiteral("Editar bases"),
                               [this] { MostrarSeparada<frmEditarBases>(); });

    QMenu* calculadora = menu("mnuAlturaRemota", QStringLiteral("Topo calculadora"));
    mnuAlturaRemota = calculadora->menuAction();
    mnuCalculadoraAlturaRemota = item(calculadora, "mnuCalculadoraAlturaRemota",
                                      QStringLiteral("Calcular altura remota"),
                                      [this] { MostrarSeparada<frmAlturaRemota>(); });
    mnuCalculadoraDistanciaReducida = item(calculadora, "mnuCalculadoraDistanciaReducida",
                                           QStringLiteral("Distancia reducida"),
                                           [this] { MostrarSeparada<frmDistanciaReducida>(); });
    mnuCalculadoraBessel = item(calculadora, "mnuCalculadoraBessel", QStringLiteral("Bessel"),
                                [this] { MostrarSeparada<frmBessel>(); });

    QMenu* biseccion = menu("mnuBiseccion", QStringLiteral("Bisección"));
    mnuBiseccion = biseccion->menuAction();
    mnuBiseccionCalcular = item(biseccion, "mnuBiseccionCalcular", QStringLiteral("Calcular bisección"),
                                [this] { MostrarHija<frmBiseccion>(); });

    QMenu* catenaria = menu("mnuCatenaria", QStringLiteral("Catenaria"));
    mnuCatenaria = catenaria->menuAction();
    mnuCatenariaCalcular = item(catenaria, "mnuCatenariaCalcular", QStringLiteral("Calcular catenaria"),
                                [this] { MostrarHija<frmCatenaria>(); });

    // The calculations beyond the design's, between "Catenaria" and "Ver".
    QMenu* calculos = menu("mnuCalculos", QStringLiteral("Cálculos"));
    mnuCalculos = calculos->menuAction();
    mnuCalculosEstacionLibre = item(calculos, "mnuCalculosEstacionLibre", QStringLiteral("Estación libre..."),
                                    [this] { MostrarHija<frmEstacionLibre>(); });
    mnuCalculosNivelacion = item(calculos, "mnuCalculosNivelacion", QStringLiteral("Nivelación..."),
                                 [this] { MostrarHija<frmNivelacion>(); });
    mnuCalculosTransformacion = item(calculos, "mnuCalculosTransformacion",
                                     QStringLiteral("Transformación de coordenadas..."),
                                     [this] { MostrarHija<frmTransformacion>(); });
    mnuCalculosSuperficies = item(calculos, "mnuCalculosSuperficies", QStringLiteral("Superficies..."),
                                  [this] { MostrarHija<frmSuperficies>(); });
    mnuCalculosReplanteo = item(calculos, "mnuCalculosReplanteo", QStringLiteral("Replanteo..."),
                                [this] { MostrarHija<frmReplanteo>(); });
    mnuCalculosTerreno = item(calculos, "mnuCalculosTerreno", QStringLiteral("Modelo digital del terreno..."),
                              [this] { MostrarHija<frmTerreno>(); });

    // The drawings come after the design's menus, before "Ayuda".
    QMenu* ver = menu("mnuVer", QStringLiteral("Ver"));
    mnuVer = ver->menuAction();
    mnuVerPlano = item(ver, "mnuVerPlano", QStringLiteral("Plano"), [this] { MostrarHija<frmPlano>(); });
    mnuVerPerfil = item(ver, "mnuVerPerfil", QStringLiteral("Perfil de la catenaria"),
                        [this] { MostrarHija<frmPerfil>(); });

    QMenu* ayuda = menu("mnuAyuda", QStringLiteral("Ayuda"));
    mnuAyuda = ayuda->menuAction();
    mnuAyudaAyuda = item(ayuda, "mnuAyudaAyuda", QStringLiteral("Ayuda ..."), [this] { MostrarHija<frmAyuda>(); });
}

void MDIfrmMain::Colocar(QMdiSubWindow* marco)
{
    static const QStringList diseno = {QStringLiteral("frmPoligonal"), QStringLiteral("frmTaquimetrico"),
                                       QStringLiteral("frmBiseccion"), QStringLiteral("frmCatenaria"),
                                       QStringLiteral("frmAyuda")};
    const QWidget* w = marco->widget();
    if (diseno.contains(w->objectName()))
        return;
    const QSize area = mdiArea->viewport()->size();
    QSize tamano = marco->size();
    if (w->inherits("frmPlano") || w->inherits("frmPerfil"))
        tamano = tamano.expandedTo(area * 2 / 3);
    tamano = tamano.boundedTo(area);
    const QPoint sitio(std::clamp(marco->x(), 0, area.width() - tamano.width()),
                       std::clamp(marco->y(), 0, area.height() - tamano.height()));
    marco->setGeometry(QRect(sitio, tamano));
}

void MDIfrmMain::Registrar(QWidget* w)
{
    ventanas_.insert(QString::fromLatin1(w->metaObject()->className()), w);
    connect(w, &QObject::destroyed, this, &MDIfrmMain::ActualizarEstado);
    if (auto* hoja = qobject_cast<frmPoligonal*>(w)) {
        connect(hoja, &frmPoligonal::estacionesCambiadas, this, &MDIfrmMain::ActualizarEstado);
        connect(hoja, &frmPoligonal::guardadaCambiada, this, &MDIfrmMain::ActualizarEstado);
    } else if (auto* configuracion = qobject_cast<frmConfiguracion*>(w)) {
        connect(configuracion, &frmConfiguracion::kCambiada, this, &MDIfrmMain::ActualizarEstado);
    }
    ActualizarEstado();
}

void MDIfrmMain::LeerConfiguracionInicial()
{
    const Configuracion cfg = CargarConfiguracion(this);
    KRefraccion = cfg.K;
    ActualizarEstado();
}

void MDIfrmMain::closeEvent(QCloseEvent* evento)
{
    // The child windows close first, each through its own closing step.
    mdiArea->closeAllSubWindows();
    evento->accept();
    BorrarRecuperacion();
}

void MDIfrmMain::BorrarRecuperacion()
{
    // A normal end: nothing to recover.
    disconnect(&cv::ElTrabajo(), nullptr, timRecuperacion, nullptr);
    timRecuperacion->stop();
    if (escritura_.valid())
        escritura_.wait();
    std::error_code error;
    if (!rutaRecuperacion_.empty())
        std::filesystem::remove(rutaRecuperacion_, error);
    // The turn is free for the next program from here on.
    rutaRecuperacion_.clear();
    bloqueoRecuperacion_.reset();
}

void MDIfrmMain::TomarRecuperacion()
{
    // The first turn no running program holds, or rather one whose program
    // died leaving its job (its lock names a process no longer running).
    for (int turno = 1; turno <= TURNOS_RECUPERACION; ++turno) {
        const std::string ruta = RutaRecuperacion(turno);
        auto bloqueo = std::make_unique<QLockFile>(cv::Q(ruta + ".bloqueo"));
        bloqueo->setStaleLockTime(0); // a long session keeps its turn
        if (!bloqueo->tryLock(0))
            continue;
        std::error_code error;
        const bool conTrabajo = std::filesystem::exists(ruta, error);
        if (!bloqueoRecuperacion_ || conTrabajo) {
            bloqueoRecuperacion_ = std::move(bloqueo);
            rutaRecuperacion_ = ruta;
        }
        if (conTrabajo)
            return;
    }
}

void MDIfrmMain::GuardarRecuperacion()
{
    const Trabajo& t = cv::ElTrabajo().Datos();
    if (rutaRecuperacion_.empty())
        return;
    // The text is made here; the disk, synced, is written meanwhile by a
    // thread of its own (one write at a time, each after the one before).
    if (escritura_.valid())
        escritura_.wait();
    std::string texto = t.Vacio() ? std::string() : EscribirTrabajo(t);
    escritura_ = std::async(std::launch::async, [ruta = rutaRecuperacion_, texto = std::move(texto)] {
        std::error_code error;
        if (texto.empty()) // an empty job: nothing to recover
            std::filesystem::remove(ruta, error);
        else
            EscribirFichero(ruta, texto);
    });
}

void MDIfrmMain::OfrecerRecuperacion()
{
    const std::string ruta = rutaRecuperacion_;
    std::string texto;
    if (ruta.empty() || !LeerFichero(ruta, texto).ok)
        return;
    std::error_code error;
    if (!cv::Pregunta(this, QStringLiteral("Se encontró un trabajo que no se guardó. ¿Desea recuperarlo?"))) {
        std::filesystem::remove(ruta, error);
        return;
    }
    Trabajo t;
    if (!LeerTrabajo(texto, t)) {
        // Kept aside, never overwritten by the next job.
        const std::string aparte = ruta + ".ilegible";
        std::filesystem::rename(ruta, aparte, error);
        cv::Aviso(this, QStringLiteral("El trabajo no se puede leer; se ha apartado en %1.").arg(cv::Q(aparte)),
                  QMessageBox::Critical);
        return;
    }
    Recuperar(t);
}

void MDIfrmMain::Recuperar(const Trabajo& t)
{
    if (t.Poligonal().abierta)
        MostrarHija<frmPoligonal>()->Restaurar(t.Poligonal());
    // The list windows, each with the lists it had.
    const std::map<std::string, std::function<QWidget*()>> abrir = {
        {"frmRadiacion", [this] { return MostrarSeparada<frmRadiacion>(); }},
        {"frmTaquimetrico", [this] { return MostrarHija<frmTaquimetrico>(); }},
        {"frmBiseccion", [this] { return MostrarHija<frmBiseccion>(); }},
        {"frmEditarBases", [this] { return MostrarSeparada<frmEditarBases>(); }},
        {"frmCatenaria", [this] { return MostrarHija<frmCatenaria>(); }},
        {"frmEstacionLibre", [this] { return MostrarHija<frmEstacionLibre>(); }},
        {"frmNivelacion", [this] { return MostrarHija<frmNivelacion>(); }},
        {"frmTransformacion", [this] { return MostrarHija<frmTransformacion>(); }},
        {"frmSuperficies", [this] { return MostrarHija<frmSuperficies>(); }},
        {"frmReplanteo", [this] { return MostrarHija<frmReplanteo>(); }},
        {"frmTerreno", [this] { return MostrarHija<frmTerreno>(); }},
    };
    for (const auto& [ventana, listas] : t.Listas())
        if (const auto a = abrir.find(ventana); a != abrir.end())
            cv::RestaurarListas(a->second(), listas);
}
