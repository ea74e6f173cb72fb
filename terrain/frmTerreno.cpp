#include "terrain/frmTerreno.h"

#include <QDateTime>
#include <QFileInfo>
#include <optional>
#include <utility>

#include "coordinates/ListaPuntos.h"
#include "coordinates/modCoordenadas.h"
#include "core/TextoNumerico.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "shell/modResIndependentForm.h"

namespace {

QLabel* Resultado(QWidget* ventana, const QString& nombre, const QString& titulo, int x, int y)
{
    cv::CrearEtiqueta(ventana, QStringLiteral("lblTitulo") + nombre.mid(3), titulo, QRect(x, y, 160, 20));
    return cv::CrearCasilla(ventana, nombre, QRect(x + 160, y, 95, 20));
}

QLineEdit* Campo(QWidget* ventana, const QString& nombre, const QString& titulo, int x, int y, const QString& ayuda)
{
    cv::CrearEtiqueta(ventana, QStringLiteral("lblTitulo") + nombre.mid(3), titulo, QRect(x, y, 160, 20));
    return cv::CrearCampo(ventana, nombre, QRect(x + 160, y, 95, 22), ayuda);
}

// A stage of the work as a part [a, b] of the whole progress.
ProgresoTerreno Parte(const cv::TareaFondo::Progreso& p, double a, double b)
{
    return [p, a, b](double f) { return p(a + (b - a) * f); };
}

// The coincidences and the break lines left out, a few of them named.
QString Avisos(const std::vector<std::string>& lista)
{
    constexpr size_t MAXIMO = 3;
    QStringList a;
    for (size_t i = 0; i < lista.size() && i < MAXIMO; ++i)
        a << cv::Q(lista[i]);
    if (lista.size() > MAXIMO)
        a << QStringLiteral("Y %1 avisos más.").arg(lista.size() - MAXIMO);
    return a.join(' ');
}

const cv::DialogoFichero DLG_EXPORTAR_DXF{QStringLiteral("Exportar curvas y triángulos a DXF"),
                                          QStringLiteral("Dibujo DXF (*.dxf)|*.dxf"), QStringLiteral("dxf"),
                                          QStringLiteral("terreno")};
const cv::DialogoFichero DLG_EXPORTAR_LANDXML{QStringLiteral("Exportar la superficie a LandXML"),
                                              QStringLiteral("LandXML 1.2 (*.xml)|*.xml"), QStringLiteral("xml"),
                                              QStringLiteral("terreno")};

} // namespace

frmTerreno::frmTerreno(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmTerreno"));
    setWindowTitle(QStringLiteral("Modelo digital del terreno"));
    setGeometry(20, 20, 780, 470);
    CrearControles();
    tarea_ = new cv::TareaFondo(this, QStringLiteral("Calculando el modelo del terreno..."));
    timCalculo = RecalcularAlCambiar(this, {lstPuntos}, [this] {
        puntos_ = std::make_shared<const std::vector<objPto>>(PuntosDeLista(lstPuntos->Filas()));
        Calcular();
    });
    puntos_ = std::make_shared<const std::vector<objPto>>();
    Calcular();
    cv::PrepararVentana(this);
    cv::PublicarListas(this);
}

frmTerreno::~frmTerreno()
{
    tarea_->Detener();
    cv::ElTrabajo().Datos().PonerTerreno(nullptr);
}

void frmTerreno::CrearControles()
{
    // The points.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloPuntos"), QStringLiteral("Puntos"), QRect(10, 6, 220, 20));
    lstPuntos = cv::CrearLista(this, QStringLiteral("lstPuntos"), QRect(10, 28, 220, 354),
                               QStringLiteral("Puntos del terreno"));
    cmdAbrirPuntos = cv::CrearBotonDibujo(this, QStringLiteral("cmdAbrirPuntos"), QStyle::SP_DirOpenIcon,
                                          QRect(10, 390, 40, 30), QStringLiteral("Abrir fichero de bases o de puntos"));
    cmdPuntosDelTrabajo = cv::CrearBoton(this, QStringLiteral("cmdPuntosDelTrabajo"),
                                         QStringLiteral("Puntos del trabajo"), QRect(56, 390, 174, 30),
                                         QStringLiteral("Tomar las bases y los puntos de las ventanas abiertas"));

    // Break lines and contours.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloLineasRotura"),
                      QStringLiteral("Líneas de rotura (una por línea)"), QRect(245, 6, 255, 20));
    txtLineasRotura = new QPlainTextEdit(this);
    txtLineasRotura->setObjectName(QStringLiteral("txtLineasRotura"));
    txtLineasRotura->setGeometry(245, 28, 255, 150);
    txtLineasRotura->setToolTip(QStringLiteral("Números o nombres de los vértices separados por comas: 1,2,3"));
    txtLineasRotura->setFont(cv::FuenteFija());
    txtEquidistancia = Campo(this, QStringLiteral("txtEquidistancia"), QStringLiteral("Equidistancia (m)"), 245, 192,
                             QStringLiteral("Desnivel entre curvas de nivel consecutivas"));
    txtMaestras = Campo(this, QStringLiteral("txtMaestras"), QStringLiteral("Curvas por maestra"), 245, 220,
                        QStringLiteral("Cada cuántas curvas una curva maestra"));
    cv::FiltrarTeclas(txtEquidistancia, cv::TipoCampo::Numerico);
    cv::FiltrarTeclas(txtMaestras, cv::TipoCampo::Entero);
    txtEquidistancia->setText(QStringLiteral("1"));
    txtMaestras->setText(QStringLiteral("5"));
    lblTriangulos = Resultado(this, QStringLiteral("lblTriangulos"), QStringLiteral("Triángulos"), 245, 258);
    lblCotaMinima = Resultado(this, QStringLiteral("lblCotaMinima"), QStringLiteral("Cota mínima (m)"), 245, 282);
    lblCotaMaxima = Resultado(this, QStringLiteral("lblCotaMaxima"), QStringLiteral("Cota máxima (m)"), 245, 306);
    lblAviso = CrearAviso(this, QRect(245, 336, 525, 84));

    // Volumes.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloVolumenes"), QStringLiteral("Volúmenes"), QRect(515, 6, 255, 20));
    optPlano = new QRadioButton(QStringLiteral("Respecto a un plano de cota"), this);
    optPlano->setObjectName(QStringLiteral("optPlano"));
    optPlano->setGeometry(515, 28, 255, 22);
    optPlano->setChecked(true);
    txtCotaReferencia = cv::CrearCampo(this, QStringLiteral("txtCotaReferencia"), QRect(535, 54, 120, 22),
                                       QStringLiteral("Cota del plano de comparación (m)"));
    cv::FiltrarTeclas(txtCotaReferencia, cv::TipoCampo::ConSigno);
    optSuperficie = new QRadioButton(QStringLiteral("Entre dos superficies"), this);
    optSuperficie->setObjectName(QStringLiteral("optSuperficie"));
    optSuperficie->setGeometry(515, 86, 255, 22);
    cmdAbrirSegunda = cv::CrearBoton(this, QStringLiteral("cmdAbrirSegunda"), QStringLiteral("Segunda superficie..."),
                                     QRect(535, 112, 180, 28),
                                     QStringLiteral("Abrir los puntos de la superficie de referencia"));
    lblSegunda = cv::CrearEtiqueta(this, QStringLiteral("lblSegunda"), QString(), QRect(535, 144, 235, 20));
    lblDesmonte = Resultado(this, QStringLiteral("lblDesmonte"), QStringLiteral("Desmonte (m³)"), 515, 180);
    lblTerraplen = Resultado(this, QStringLiteral("lblTerraplen"), QStringLiteral("Terraplén (m³)"), 515, 204);
    lblSuperficieAfectada = Resultado(this, QStringLiteral("lblSuperficieAfectada"),
                                      QStringLiteral("Sup. afectada (m²)"), 515, 228);
    cmdExportarDxf = cv::CrearBoton(this, QStringLiteral("cmdExportarDxf"), QStringLiteral("Exportar DXF..."),
                                    QRect(515, 262, 255, 28),
                                    QStringLiteral("Curvas de nivel y triángulos a un dibujo DXF"));
    cmdExportarLandXml = cv::CrearBoton(this, QStringLiteral("cmdExportarLandXml"),
                                        QStringLiteral("Exportar LandXML..."), QRect(515, 296, 255, 28),
                                        QStringLiteral("Puntos y superficie a LandXML 1.2"));

    for (QLineEdit* campo : {txtEquidistancia, txtMaestras, txtCotaReferencia})
        connect(campo, &QLineEdit::textChanged, this, &frmTerreno::Calcular);
    connect(txtLineasRotura, &QPlainTextEdit::textChanged, this, &frmTerreno::Calcular);
    connect(optPlano, &QRadioButton::toggled, this, &frmTerreno::Calcular);
    new cv::OrdenCampos(this, {txtEquidistancia, txtMaestras, txtCotaReferencia});
    connect(cmdAbrirPuntos, &QPushButton::clicked, this, &frmTerreno::AbrirPuntos);
    connect(cmdPuntosDelTrabajo, &QPushButton::clicked, this, &frmTerreno::PuntosDelTrabajo);
    connect(cmdAbrirSegunda, &QPushButton::clicked, this, &frmTerreno::AbrirSegunda);
    connect(cmdExportarDxf, &QPushButton::clicked, this, &frmTerreno::ExportarDxf);
    connect(cmdExportarLandXml, &QPushButton::clicked, this, &frmTerreno::ExportarLandXml);
}

void frmTerreno::Calcular()
{
    QStringList avisos;
    const double equidistancia = cv::LeerNumero(txtEquidistancia);
    const int maestras = txtMaestras->text().toInt();
    const bool curvas = cv::EsNumero(txtEquidistancia) && equidistancia > 0.0 && maestras >= 1;
    if (!curvas)
        avisos << QStringLiteral("La equidistancia o las curvas maestras no son válidas.");
    std::optional<double> cota;
    if (optPlano->isChecked() && cv::EsNumero(txtCotaReferencia))
        cota = cv::LeerNumero(txtCotaReferencia);
    const bool entreSuperficies = optSuperficie->isChecked() && puntosSegunda_;
    if (!puntos_ || puntos_->empty()) {
        tarea_->Detener();
        Mostrar(nullptr, nullptr, QString());
        return;
    }
    // What the other thread needs, taken now: the inputs and the surfaces kept.
    tarea_->Lanzar([this, puntos = puntos_, lineas = cv::S(txtLineasRotura->toPlainText()), primera = terreno_,
                    segundaPuntos = entreSuperficies ? puntosSegunda_ : nullptr, segunda = segunda_, curvas,
                    equidistancia, maestras, cota, avisos](const cv::TareaFondo::Progreso& p) -> std::function<void()> {
        auto triangular = [](Triangulado t, const std::shared_ptr<const std::vector<objPto>>& de,
                             const std::string& texto, const ProgresoTerreno& progreso) {
            if (t.de == de && t.lineas == texto && t.t)
                return t;
            const LineasRotura lr = LeerLineasRotura(texto, *de);
            return Triangulado{de, texto, std::make_shared<const Triangulacion>(Triangular(*de, lr.lineas, progreso)),
                               lr.errores};
        };
        Triangulado t1 = triangular(primera, puntos, lineas, Parte(p, 0.0, 0.5));
        if (t1.t->cancelada)
            return [this] { Mostrar(nullptr, nullptr, QStringLiteral("Cálculo cancelado.")); };
        QStringList texto = avisos;
        texto << Avisos(t1.errores) << Avisos(t1.t->avisos);
        if (!t1.t->Valida())
            return [this, t1, texto = QStringList{cv::Q(t1.t->error)} + texto] {
                terreno_ = t1;
                Mostrar(nullptr, nullptr, texto.join(' ').trimmed());
            };
        auto r = std::make_shared<TerrenoTrabajo>();
        r->superficie = std::shared_ptr<const Superficie>(t1.t, &t1.t->superficie);
        r->equidistancia = equidistancia;
        if (curvas) {
            Curvas c = CurvasDeNivel(*r->superficie, equidistancia, maestras, Parte(p, 0.5, 0.7));
            if (c.cancelada)
                return [this] { Mostrar(nullptr, nullptr, QStringLiteral("Cálculo cancelado.")); };
            if (!c.error.empty())
                texto << cv::Q(c.error);
            r->curvas = std::move(c.curvas);
        }
        std::optional<Volumenes> v;
        Triangulado t2 = segunda;
        if (segundaPuntos) {
            t2 = triangular(segunda, segundaPuntos, std::string(), Parte(p, 0.7, 0.85));
            if (t2.t->Valida())
                v = VolumenEntreSuperficies(*r->superficie, t2.t->superficie, Parte(p, 0.85, 1.0));
            else if (!t2.t->cancelada)
                texto << QStringLiteral("Segunda superficie: %1").arg(cv::Q(t2.t->error));
        } else if (cota) {
            v = VolumenRespectoPlano(*r->superficie, *cota, Parte(p, 0.7, 1.0));
        }
        if ((v && v->cancelada) || (t2.t && t2.t->cancelada))
            return [this] { Mostrar(nullptr, nullptr, QStringLiteral("Cálculo cancelado.")); };
        return [this, t1, t2, r, v, texto] {
            terreno_ = t1;
            segunda_ = t2;
            Mostrar(r, v ? &*v : nullptr, texto.join(' ').trimmed());
        };
    });
}

void frmTerreno::Mostrar(std::shared_ptr<const TerrenoTrabajo> r, const Volumenes* v, const QString& aviso)
{
    const Superficie* s = r ? r->superficie.get() : nullptr;
    lblTriangulos->setText(s ? QString::number(s->NumeroTriangulos()) : QString());
    lblCotaMinima->setText(s ? cv::Q(F3(s->cotaMinima)) : QString());
    lblCotaMaxima->setText(s ? cv::Q(F3(s->cotaMaxima)) : QString());
    lblDesmonte->setText(v ? cv::Q(F3(v->desmonte)) : QString());
    lblTerraplen->setText(v ? cv::Q(F3(v->terraplen)) : QString());
    lblSuperficieAfectada->setText(v ? cv::Q(F3(v->superficieAfectada)) : QString());
    lblAviso->setText(aviso);
    resultado_ = r;
    cv::ElTrabajo().Datos().PonerTerreno(std::move(r));
}

void frmTerreno::AbrirPuntos()
{
    AbrirFicheroCoordenadas(lstPuntos, this);
    txtLineasRotura->setFocus();
}

void frmTerreno::PuntosDelTrabajo()
{
    std::vector<std::string> filas;
    for (const auto& [ventana, l] : cv::ElTrabajo().Datos().Listas()) {
        if (ventana == cv::S(objectName()))
            continue;
        for (const auto* lista : {&l.bases, &l.puntos})
            for (const objPto& p : *lista)
                filas.push_back(FilaPunto(p.N, p.X, p.Y, p.Z));
    }
    if (filas.empty()) {
        cv::Aviso(this, QStringLiteral("No hay puntos en las ventanas abiertas."));
        return;
    }
    lstPuntos->clear();
    lstPuntos->Anadir(filas);
}

void frmTerreno::AbrirSegunda()
{
    const auto ruta = cv::ElegirFicheroAbrir(this, cv::DLG_ABRIR_COORDENADAS);
    std::string texto;
    if (!ruta || !cv::LeerTexto(this, *ruta, texto, cv::MSG_ERROR_ABRIR))
        return;
    const ResultadoLectura r = LeerFicheroPuntos(texto, cv::S(*ruta));
    if (r.fallo) {
        cv::Aviso(this, cv::MSG_ERROR_ABRIR + cv::Q(r.descripcion), QMessageBox::Critical);
        return;
    }
    puntosSegunda_ = std::make_shared<const std::vector<objPto>>(PuntosDeLista(r.filas));
    lblSegunda->setText(
        QStringLiteral("%1: %2 puntos").arg(QFileInfo(*ruta).fileName()).arg(puntosSegunda_->size()));
    if (optSuperficie->isChecked())
        Calcular();
    else
        optSuperficie->setChecked(true);
}

void frmTerreno::ExportarDxf()
{
    if (!resultado_) {
        cv::Aviso(this, QStringLiteral("No hay superficie que exportar."));
        return;
    }
    const auto ruta = cv::ElegirFicheroGuardar(this, DLG_EXPORTAR_DXF);
    if (ruta && cv::GuardarTexto(this, *ruta, EscribirDxfTerreno(*resultado_->superficie, resultado_->curvas),
                                 cv::MSG_ERROR_GUARDAR))
        cv::Aviso(this, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}

void frmTerreno::ExportarLandXml()
{
    if (!resultado_) {
        cv::Aviso(this, QStringLiteral("No hay superficie que exportar."));
        return;
    }
    const auto ruta = cv::ElegirFicheroGuardar(this, DLG_EXPORTAR_LANDXML);
    if (!ruta)
        return;
    const QDateTime ahora = QDateTime::currentDateTime();
    const std::string xml = EscribirLandXml(*resultado_->superficie, cv::S(QFileInfo(*ruta).completeBaseName()),
                                            cv::S(ahora.toString(QStringLiteral("yyyy-MM-dd"))),
                                            cv::S(ahora.toString(QStringLiteral("HH:mm:ss"))));
    if (cv::GuardarTexto(this, *ruta, xml, cv::MSG_ERROR_GUARDAR))
        cv::Aviso(this, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}
