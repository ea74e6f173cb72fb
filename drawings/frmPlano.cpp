#include "drawings/frmPlano.h"

#include <QGraphicsEllipseItem>
#include <QHBoxLayout>
#include <QShortcut>
#include <QStyleOptionGraphicsItem>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/TextoNumerico.h"
#include "drawings/modExportar.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"

// ------------------------------------------------------------- the window

namespace {

double ExageracionElegida(const QComboBox* c) { return LeerDecimal(c->currentText().toStdString()); }

} // namespace

frmPlano::frmPlano(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmPlano"));
    setWindowTitle(QStringLiteral("Plano"));
    CrearControles();
    // Each part of the job marks its layers, and one redraw follows a burst.
    TrabajoQt* trabajo = &cv::ElTrabajo();
    connect(trabajo, &TrabajoQt::listasCambiadas, this, [this] {
        listasSucias_ = true;
        Programar();
    });
    connect(trabajo, &TrabajoQt::compensacionCambiada, this, [this] {
        compensadosSucios_ = true;
        Programar();
    });
    connect(trabajo, &TrabajoQt::poligonalCambiada, this, [this] {
        poligonalSucia_ = true;
        Programar();
    });
    connect(trabajo, &TrabajoQt::terrenoCambiado, this, [this] {
        terrenoSucio_ = true;
        Programar();
    });
    resize(760, 520);
}

void frmPlano::CrearControles()
{
    escena_ = new QGraphicsScene(this);
    escena_->setItemIndexMethod(QGraphicsScene::NoIndex);
    vistaPlano = new plano::Vista(escena_, this, true);
    vistaPlano->setObjectName(QStringLiteral("vistaPlano"));

    tramos_ = new CapaTramos;
    escena_->addItem(tramos_);
    // The terrain under everything else.
    terreno_ = new CapaTerreno;
    terreno_->setZValue(-1);
    escena_->addItem(terreno_);
    const QColor colores[NUM_CAPAS] = {QColor(0, 90, 0), QColor(0, 0, 170), QColor(200, 0, 0), QColor(120, 0, 0),
                                       QColor(140, 0, 160)};
    const CapaPuntos::Marca marcas[NUM_CAPAS] = {CapaPuntos::Marca::Base, CapaPuntos::Marca::Punto,
                                                 CapaPuntos::Marca::Estacion, CapaPuntos::Marca::Vertice,
                                                 CapaPuntos::Marca::Compensado};
    for (int c = 0; c < NUM_CAPAS; ++c) {
        capas_[c] = new CapaPuntos(marcas[c], colores[c]);
        capas_[c]->setZValue(c == Puntos ? 1 : 2);
        escena_->addItem(capas_[c]);
    }
    marcaSeleccion_ = escena_->addEllipse(-8, -8, 16, 16, QPen(QColor(255, 140, 0), 2));
    marcaSeleccion_->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    marcaSeleccion_->setZValue(10);
    marcaSeleccion_->hide();

    auto casilla = [this](const char* nombre, const QString& texto, bool marcada) {
        auto* c = new QCheckBox(texto, this);
        c->setObjectName(QString::fromLatin1(nombre));
        c->setChecked(marcada);
        connect(c, &QCheckBox::toggled, this, &frmPlano::AplicarCapas);
        return c;
    };
    chkBases = casilla("chkBases", QStringLiteral("Bases"), true);
    chkPoligonal = casilla("chkPoligonal", QStringLiteral("Poligonal"), true);
    chkPuntos = casilla("chkPuntos", QStringLiteral("Puntos"), true);
    chkRotulos = casilla("chkRotulos", QStringLiteral("Rótulos"), true);
    chkCotas = casilla("chkCotas", QStringLiteral("Cotas"), false);
    chkTriangulos = casilla("chkTriangulos", QStringLiteral("Triángulos"), false);
    chkCurvas = casilla("chkCurvas", QStringLiteral("Curvas"), true);

    cboExageracionCierre = new QComboBox(this);
    cboExageracionCierre->setObjectName(QStringLiteral("cboExageracionCierre"));
    cboExageracionCierre->addItems({QStringLiteral("100×"), QStringLiteral("1000×"), QStringLiteral("10000×")});
    cboExageracionCierre->setCurrentIndex(1);
    cboExageracionCierre->setToolTip(QStringLiteral("Exageración del vector de cierre"));
    connect(cboExageracionCierre, &QComboBox::currentIndexChanged, this, [this] {
        poligonalSucia_ = true;
        Programar();
    });
    cboEscala = plano::CrearEscala(this);
    cboHoja = plano::CrearHoja(this);
    txtTrabajo = new QLineEdit(QStringLiteral("Trabajo"), this);
    txtTrabajo->setObjectName(QStringLiteral("txtTrabajo"));
    txtTrabajo->setToolTip(QStringLiteral("Nombre del trabajo (cajetín)"));

    cmdEncuadrar = cv::CrearBoton(this, QStringLiteral("cmdEncuadrar"), QStringLiteral("Encuadrar"), QRect(),
                                  QStringLiteral("Ver todo el trabajo (F)"));
    cmdExportarSvg = cv::CrearBoton(this, QStringLiteral("cmdExportarSvg"), QStringLiteral("SVG..."), QRect(),
                                    QStringLiteral("Exportar el plano a SVG"));
    cmdExportarPdf = cv::CrearBoton(this, QStringLiteral("cmdExportarPdf"), QStringLiteral("PDF..."), QRect(),
                                    QStringLiteral("Exportar el plano a PDF a escala"));
    connect(cmdEncuadrar, &QPushButton::clicked, this, &frmPlano::Encuadrar);
    connect(cmdExportarSvg, &QPushButton::clicked, this, [this] { Exportar(false); });
    connect(cmdExportarPdf, &QPushButton::clicked, this, [this] { Exportar(true); });

    lblCursor = new QLabel(this);
    lblCursor->setObjectName(QStringLiteral("lblCursor"));
    lblSeleccion = new QLabel(this);
    lblSeleccion->setObjectName(QStringLiteral("lblSeleccion"));
    lblCierre = new QLabel(this);
    lblCierre->setObjectName(QStringLiteral("lblCierre"));

    auto* columna = new QVBoxLayout(this);
    auto* capas = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(chkBases), static_cast<QWidget*>(chkPoligonal),
                       static_cast<QWidget*>(chkPuntos), static_cast<QWidget*>(chkRotulos),
                       static_cast<QWidget*>(chkCotas), static_cast<QWidget*>(chkTriangulos),
                       static_cast<QWidget*>(chkCurvas)})
        capas->addWidget(w);
    capas->addWidget(new QLabel(QStringLiteral("Cierre"), this));
    capas->addWidget(cboExageracionCierre);
    capas->addWidget(lblCierre);
    capas->addStretch(1);
    capas->addWidget(cmdEncuadrar);
    columna->addLayout(capas);
    columna->addWidget(vistaPlano, 1);
    auto* impresion = new QHBoxLayout;
    impresion->addWidget(lblCursor, 1);
    impresion->addWidget(lblSeleccion, 2);
    columna->addLayout(impresion);
    auto* salida = new QHBoxLayout;
    salida->addWidget(txtTrabajo, 1);
    salida->addWidget(cboEscala);
    salida->addWidget(cboHoja);
    salida->addWidget(cmdExportarSvg);
    salida->addWidget(cmdExportarPdf);
    columna->addLayout(salida);

    connect(vistaPlano, &plano::Vista::cursorMovido, this, &frmPlano::MostrarCursor);
    connect(vistaPlano, &plano::Vista::clic, this, &frmPlano::Seleccionar);
    connect(vistaPlano, &plano::Vista::escalaCambiada, this, &frmPlano::AplicarEscala);
    connect(vistaPlano, &plano::Vista::encuadrarPedido, this, &frmPlano::Encuadrar);
    // F anywhere in the window, except while typing the job's name.
    auto* atajo = new QShortcut(QKeySequence(Qt::Key_F), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(atajo, &QShortcut::activated, this, &frmPlano::Encuadrar);
    AplicarCapas();
}

void frmPlano::showEvent(QShowEvent* evento)
{
    QWidget::showEvent(evento);
    Actualizar();
    if (!encuadrado_)
        Encuadrar();
}

void frmPlano::Programar()
{
    // A burst of changes (a list rebuilt row by row) costs one redraw.
    if (pendiente_)
        return;
    pendiente_ = true;
    QTimer::singleShot(0, this, &frmPlano::Actualizar);
}

void frmPlano::Actualizar()
{
    pendiente_ = false;
    const Trabajo& t = cv::ElTrabajo().Datos();
    if (listasSucias_) {
        listasSucias_ = false;
        std::vector<objPto> bases, puntos;
        for (const auto& [ventana, l] : t.Listas()) {
            bases.insert(bases.end(), l.bases.begin(), l.bases.end());
            puntos.insert(puntos.end(), l.puntos.begin(), l.puntos.end());
        }
        capas_[Bases]->PonerPuntos(std::move(bases));
        capas_[Puntos]->PonerPuntos(std::move(puntos));
    }
    if (compensadosSucios_) {
        compensadosSucios_ = false;
        capas_[Compensados]->PonerPuntos(t.Compensados());
    }
    if (poligonalSucia_)
        RehacerPoligonal();
    if (terrenoSucio_) {
        terrenoSucio_ = false;
        terreno_->PonerTerreno(t.Terreno());
    }
    // Data arriving after the first fit is fitted too, until the user zooms or pans.
    if ((!encuadrado_ || vistaPlano->Encuadrada()) && isVisible() && !ExtensionTotal().vacia)
        Encuadrar();
    else
        AplicarEscala(vistaPlano->MetrosPorPixel()); // the room to pan follows the data
}

void frmPlano::RehacerPoligonal()
{
    poligonalSucia_ = false;
    const PoligonalTrabajo& p = cv::ElTrabajo().Datos().Poligonal();
    lblCierre->clear();
    if (!p.abierta || p.estaciones.empty()) {
        tramos_->PonerTramos({}, {});
        capas_[Estaciones]->PonerPuntos({});
        capas_[Vertices]->PonerPuntos({});
        return;
    }
    TrazadoPoligonal tr = TrazarPoligonal(p.BE, p.BO, p.estaciones);
    // The starting and arrival vertices apart from the stations.
    std::vector<objPto> vertices = {tr.BO, tr.BE};
    std::vector<Tramo> vectores;
    if (p.cierre) {
        vertices.push_back(p.PE);
        vertices.push_back(p.PV);
        // The closure vector follows the traverse as it is now, and only a
        // whole traverse has one.
        if (p.incompleta > 0) {
            lblCierre->setText(QStringLiteral("La poligonal está incompleta: estación %1.").arg(p.incompleta));
        } else {
            const objPto& arrastrado = p.estaciones.back().objBE;
            vectores.push_back(
                {arrastrado, ExtremoVectorCierre(arrastrado, p.PE, ExageracionElegida(cboExageracionCierre))});
        }
    }
    // The orientation leg of the start, then the legs of the stations.
    tr.tramos.insert(tr.tramos.begin(), Tramo{tr.BO, tr.BE});
    tramos_->PonerTramos(std::move(tr.tramos), std::move(vectores));
    capas_[Estaciones]->PonerPuntos(std::move(tr.estaciones));
    capas_[Vertices]->PonerPuntos(std::move(vertices));
}

void frmPlano::AplicarCapas()
{
    capas_[Bases]->setVisible(chkBases->isChecked());
    capas_[Puntos]->setVisible(chkPuntos->isChecked());
    terreno_->PonerPartes(chkTriangulos->isChecked(), chkCurvas->isChecked());
    for (QGraphicsItem* i : {static_cast<QGraphicsItem*>(tramos_), static_cast<QGraphicsItem*>(capas_[Estaciones]),
                             static_cast<QGraphicsItem*>(capas_[Vertices]),
                             static_cast<QGraphicsItem*>(capas_[Compensados])})
        i->setVisible(chkPoligonal->isChecked());
    for (CapaPuntos* c : capas_)
        c->PonerRotulos(chkRotulos->isChecked(), chkCotas->isChecked());
}

void frmPlano::AplicarEscala(double metrosPorPixel)
{
    for (CapaPuntos* c : capas_)
        c->PonerEscala(metrosPorPixel);
    // Room to pan well beyond the work.
    Extension e = ExtensionTotal();
    if (e.vacia)
        return;
    const double holgura = std::max({e.Ancho(), e.Alto(), 100.0}) * 5.0 +
                           std::max(vistaPlano->viewport()->width(), vistaPlano->viewport()->height()) * metrosPorPixel;
    const QRectF necesario(e.xmin - holgura, e.ymin - holgura, e.Ancho() + 2 * holgura, e.Alto() + 2 * holgura);
    const QRectF actual = escena_->sceneRect();
    if (actual.contains(necesario) && actual.width() < necesario.width() * 4)
        return;
    // A new scene rectangle must not move what is on screen.
    const QPointF centro = vistaPlano->mapToScene(vistaPlano->viewport()->rect().center());
    escena_->setSceneRect(necesario);
    vistaPlano->centerOn(centro);
}

Extension frmPlano::ExtensionTotal() const
{
    ::Extension e;
    for (const CapaPuntos* c : capas_)
        e.Unir(c->Limites());
    e.Unir(terreno_->Limites());
    return e;
}

void frmPlano::Encuadrar()
{
    const Extension e = ExtensionTotal();
    if (e.vacia)
        return;
    encuadrado_ = true;
    AplicarEscala(vistaPlano->MetrosPorPixel());
    vistaPlano->Encuadrar(e);
}

void frmPlano::MostrarCursor(QPointF p)
{
    lblCursor->setText(QStringLiteral("X = %1   Y = %2").arg(cv::Q(F3(p.x())), cv::Q(F3(p.y()))));
}

void frmPlano::Seleccionar(QPointF p)
{
    const double radio = 8.0 * vistaPlano->MetrosPorPixel();
    const objPto* mejor = nullptr;
    double mejorD2 = 0.0;
    for (const CapaPuntos* c : capas_) {
        if (!c->isVisible())
            continue;
        const int i = c->MasCercano(p, radio);
        if (i < 0)
            continue;
        const objPto& q = c->Puntos()[static_cast<size_t>(i)];
        const double d2 = (q.X - p.x()) * (q.X - p.x()) + (q.Y - p.y()) * (q.Y - p.y());
        if (!mejor || d2 < mejorD2) {
            mejor = &q;
            mejorD2 = d2;
        }
    }
    if (!mejor) {
        lblSeleccion->clear();
        marcaSeleccion_->hide();
        return;
    }
    lblSeleccion->setText(QStringLiteral("%1   X = %2   Y = %3   Z = %4")
                              .arg(cv::Q(mejor->N), cv::Q(F3(mejor->X)), cv::Q(F3(mejor->Y)), cv::Q(F3(mejor->Z))));
    marcaSeleccion_->setPos(mejor->X, mejor->Y);
    marcaSeleccion_->show();
}

void frmPlano::DibujarDatos(QPainter* painter, const QTransform& mundo, const QRectF& ventana)
{
    QStyleOptionGraphicsItem opcion;
    opcion.exposedRect = ventana;
    QGraphicsItem* orden[] = {terreno_,           tramos_,          capas_[Puntos], capas_[Bases],
                              capas_[Estaciones], capas_[Vertices], capas_[Compensados]};
    for (QGraphicsItem* i : orden) {
        if (!i->isVisible())
            continue;
        painter->save();
        painter->setWorldTransform(mundo);
        if (auto* c = dynamic_cast<CapaPuntos*>(i))
            c->PonerTodos(true);
        i->paint(painter, &opcion, nullptr);
        if (auto* c = dynamic_cast<CapaPuntos*>(i))
            c->PonerTodos(false);
        painter->restore();
    }
}

void frmPlano::Exportar(bool pdf)
{
    Actualizar();
    plano::Exportar(this, pdf, QStringLiteral("plano"), ExtensionTotal(), txtTrabajo->text(), cboHoja->currentText(),
                    cboEscala->currentText(), [this](QPainter* p, const Extension& v) {
                        DibujarDatos(p, p->worldTransform(), QRectF(v.xmin - 1, v.ymin - 1, v.Ancho() + 2, v.Alto() + 2));
                    });
}
