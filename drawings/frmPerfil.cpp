#include "drawings/frmPerfil.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QVBoxLayout>
#include <cmath>

#include "core/TextoNumerico.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"

// ------------------------------------------------------------ the drawing

void CapaPerfil::PonerPerfil(PerfilCatenaria perfil, double exageracion, const QString& anclaje1,
                             const QString& anclaje2)
{
    prepareGeometryChange();
    nombres_[0] = anclaje1;
    nombres_[1] = anclaje2;
    perfil_ = std::move(perfil);
    exageracion_ = exageracion;
    update();
}

::Extension CapaPerfil::Limites() const
{
    ::Extension e;
    for (const PuntoPerfil& p : perfil_.puntos)
        e.Anadir(p.d, p.h * exageracion_);
    for (const PuntoPerfil& p : CurvaAjustada(perfil_, 64))
        e.Anadir(p.d, p.h * exageracion_);
    return e;
}

QRectF CapaPerfil::boundingRect() const
{
    const ::Extension e = Limites();
    return e.vacia ? QRectF() : QRectF(e.xmin, e.ymin, e.Ancho(), e.Alto()).adjusted(-5, -5, 5, 5);
}

void CapaPerfil::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (!perfil_.Valido())
        return;
    const QTransform t = painter->worldTransform();
    const double f = plano::FactorDispositivo(painter);
    auto en = [&](const PuntoPerfil& p) { return t.map(QPointF(p.d, p.h * exageracion_)); };
    painter->save();
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing, true);
    // The chord between the anchors.
    painter->setPen(QPen(Qt::gray, f, Qt::DashLine));
    painter->drawLine(en(perfil_.Anclaje1()), en(perfil_.Anclaje2()));
    // The fitted parabola.
    const std::vector<PuntoPerfil> curva = CurvaAjustada(perfil_, 200);
    if (!curva.empty()) {
        QPolygonF linea;
        for (const PuntoPerfil& p : curva)
            linea << en(p);
        painter->setPen(QPen(QColor(0, 0, 170), 1.5 * f));
        painter->drawPolyline(linea);
    }
    // The surveyed points, then the anchors over them.
    painter->setPen(QPen(QColor(200, 0, 0), f));
    painter->setBrush(QColor(200, 0, 0));
    for (size_t i = 1; i + 1 < perfil_.puntos.size(); ++i)
        painter->drawEllipse(en(perfil_.puntos[i]), 2.5 * f, 2.5 * f);
    painter->setPen(QPen(Qt::black, f));
    painter->setBrush(QColor(0, 120, 0));
    QFont letra = painter->font();
    letra.setPixelSize(static_cast<int>(11 * f));
    painter->setFont(letra);
    for (int k = 0; k < 2; ++k) {
        const QPointF c = en(k == 0 ? perfil_.Anclaje1() : perfil_.Anclaje2());
        painter->drawRect(QRectF(c.x() - 4 * f, c.y() - 4 * f, 8 * f, 8 * f));
        const double ancho = painter->fontMetrics().horizontalAdvance(nombres_[k]);
        painter->drawText(QPointF(k == 0 ? c.x() + 6 * f : c.x() - 6 * f - ancho, c.y() - 6 * f), nombres_[k]);
    }
    painter->restore();
}

// ------------------------------------------------------------- the window

frmPerfil::frmPerfil(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmPerfil"));
    setWindowTitle(QStringLiteral("Perfil de la catenaria"));
    escena_ = new QGraphicsScene(this);
    capa_ = new CapaPerfil;
    escena_->addItem(capa_);
    vistaPerfil = new plano::Vista(escena_, this, false);
    vistaPerfil->setObjectName(QStringLiteral("vistaPerfil"));

    cboExageracion = new QComboBox(this);
    cboExageracion->setObjectName(QStringLiteral("cboExageracion"));
    cboExageracion->addItems({"1×", "2×", "5×", "10×"});
    cboExageracion->setToolTip(QStringLiteral("Exageración vertical"));
    cboEscala = plano::CrearEscala(this);
    cboHoja = plano::CrearHoja(this);
    lblParametro = new QLabel(this);
    lblParametro->setObjectName(QStringLiteral("lblParametro"));
    lblHolgura = new QLabel(this);
    lblHolgura->setObjectName(QStringLiteral("lblHolgura"));
    cmdEncuadrar = cv::CrearBoton(this, QStringLiteral("cmdEncuadrar"), QStringLiteral("Encuadrar"), QRect(),
                                  QStringLiteral("Ver todo el vano (F)"));
    cmdExportarSvg = cv::CrearBoton(this, QStringLiteral("cmdExportarSvg"), QStringLiteral("SVG..."), QRect(),
                                    QStringLiteral("Exportar el perfil a SVG"));
    cmdExportarPdf = cv::CrearBoton(this, QStringLiteral("cmdExportarPdf"), QStringLiteral("PDF..."), QRect(),
                                    QStringLiteral("Exportar el perfil a PDF a escala"));

    auto* columna = new QVBoxLayout(this);
    auto* arriba = new QHBoxLayout;
    arriba->addWidget(new QLabel(QStringLiteral("Exageración vertical"), this));
    arriba->addWidget(cboExageracion);
    arriba->addStretch(1);
    arriba->addWidget(cmdEncuadrar);
    columna->addLayout(arriba);
    columna->addWidget(vistaPerfil, 1);
    auto* resultados = new QHBoxLayout;
    resultados->addWidget(lblParametro, 1);
    resultados->addWidget(lblHolgura, 2);
    columna->addLayout(resultados);
    auto* salida = new QHBoxLayout;
    salida->addStretch(1);
    salida->addWidget(cboEscala);
    salida->addWidget(cboHoja);
    salida->addWidget(cmdExportarSvg);
    salida->addWidget(cmdExportarPdf);
    columna->addLayout(salida);

    auto encuadrar = [this] { vistaPerfil->Encuadrar(capa_->Limites()); };
    connect(cboExageracion, &QComboBox::currentIndexChanged, this, [this, encuadrar] {
        Actualizar();
        encuadrar();
    });
    connect(cmdEncuadrar, &QPushButton::clicked, this, encuadrar);
    connect(vistaPerfil, &plano::Vista::encuadrarPedido, this, encuadrar);
    connect(cmdExportarSvg, &QPushButton::clicked, this, [this] { Exportar(false); });
    connect(cmdExportarPdf, &QPushButton::clicked, this, [this] { Exportar(true); });
    // A new span is shown whole.
    connect(&cv::ElTrabajo(), &TrabajoQt::vanoCambiado, this, [this] {
        const bool vacio = capa_->Limites().vacia;
        Actualizar();
        if (vacio)
            vistaPerfil->Encuadrar(capa_->Limites());
    });
    resize(700, 420);
}

void frmPerfil::showEvent(QShowEvent* evento)
{
    QWidget::showEvent(evento);
    Actualizar();
    vistaPerfil->Encuadrar(capa_->Limites());
}

double frmPerfil::Exageracion() const
{
    return std::max(1.0, LeerDecimal(cboExageracion->currentText().toStdString()));
}

void frmPerfil::Actualizar()
{
    const PerfilCatenaria& perfil = cv::ElTrabajo().Datos().Vano();
    capa_->PonerPerfil(perfil, Exageracion(), cv::Q(perfil.anclaje1), cv::Q(perfil.anclaje2));
    lblParametro->setText(perfil.ajustado ? QStringLiteral("Parámetro: %1 m").arg(cv::Q(F2(perfil.parametro)))
                                          : QString());
    const Holgura h = HolguraMaxima(perfil);
    lblHolgura->setText(h.valida ? QStringLiteral("Flecha máxima bajo la cuerda: %1 m a %2 m del punto 1")
                                       .arg(cv::Q(F3(h.valor)), cv::Q(F3(h.d)))
                                 : QString());
}

void frmPerfil::Exportar(bool pdf)
{
    Actualizar();
    // The sheet's title names the exaggeration the heights are drawn with.
    const QString titulo = pdf ? windowTitle() + " " + cboExageracion->currentText() : windowTitle();
    plano::Exportar(this, pdf, QStringLiteral("perfil"), capa_->Limites(), titulo, cboHoja->currentText(),
                    cboEscala->currentText(), [this](QPainter* p, const Extension&) { capa_->paint(p, nullptr, nullptr); });
}
