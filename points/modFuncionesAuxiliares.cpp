#include "points/modFuncionesAuxiliares.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <string_view>

#include "core/Preferencias.h"
#include "core/TextoNumerico.h"
#include "core/FicherosTexto.h"
#include "exchange/Descargas.h"
#include "exchange/Gsi.h"
#include "exchange/Intercambio.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"

namespace cv {

const QString MSG_ERROR_ABRIR = QStringLiteral("Se produjo un error al abrir el fichero. ");
const QString MSG_ERROR_GUARDAR = QStringLiteral("Se produjo un error al guardar el fichero. ");
const QString MSG_FICHERO_GUARDADO = QStringLiteral("Fichero guardado.");

const DialogoFichero DLG_ABRIR_BASES{QStringLiteral("Abrir fichero de bases"),
                                     QStringLiteral("Cartavector 3.0 (*.bse)|*.bse"), QStringLiteral("bse"),
                                     QString()};
const DialogoFichero DLG_GUARDAR_BASES{QStringLiteral("Exportar fichero de bases"),
                                       QStringLiteral("Cartavector 3.0 (*.bse)|*.bse"), QStringLiteral("bse"),
                                       QStringLiteral("Bases")};
const DialogoFichero DLG_EXPORTAR_PUNTOS{QStringLiteral("Exportar puntos"),
                                         QStringLiteral("Cartavector 3.0 (*.asc)|*.asc"), QStringLiteral("asc"),
                                         QStringLiteral("Puntos")};
const DialogoFichero DLG_ABRIR_OBSERVACIONES{QStringLiteral("Abrir fichero de observaciones"),
                                             QStringLiteral("Cartavector 3.0 texto (*.txt)|*.txt|(*.obs)|*.obs|") +
                                                 Q(FiltrosDescargas()),
                                             QStringLiteral("txt"), QString()};
const DialogoFichero DLG_EXPORTAR_TENSE{QStringLiteral("Exportar tense"),
                                        QStringLiteral("Cartavector 3.0 (*.tse)|*.tse"), QStringLiteral("tse"),
                                        QStringLiteral("Tense")};
const DialogoFichero DLG_ABRIR_PUNTOS{QStringLiteral("Abrir fichero de puntos"),
                                      QStringLiteral("Cartavector 3.0 (*.asc)|*.asc"), QStringLiteral("asc"),
                                      QString()};

} // namespace cv

namespace {

bool FalloAlAbrir(QWidget* ventana, const QString& descripcion)
{
    cv::Aviso(ventana, cv::MSG_ERROR_ABRIR + descripcion, QMessageBox::Critical);
    return false;
}

// Asks for a file name and writes the text made from the list's rows.
void GuardarDesdeLista(QListWidget* lista, QWidget* ventana, const cv::DialogoFichero& dialogo,
                       std::string (*escribir)(const std::vector<std::string>&))
{
    const auto ruta = cv::ElegirFicheroGuardar(ventana, dialogo);
    if (!ruta)
        return;
    if (cv::GuardarTexto(ventana, *ruta, escribir(FilasDeLista(lista)), cv::MSG_ERROR_GUARDAR))
        cv::Aviso(ventana, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}

void Aplicar(QListWidget* lista, const Corte& corte)
{
    if (corte.cuantas > 0) {
        lista->setUpdatesEnabled(false);
        for (int k = 0; k < corte.cuantas; ++k)
            delete lista->takeItem(corte.inicio);
        lista->setUpdatesEnabled(true);
    }
    SeleccionarFila(lista, corte.nuevaSeleccion);
}

QString Fila(const QListWidget* lista, int i)
{
    const QListWidgetItem* item = i >= 0 && i < lista->count() ? lista->item(i) : nullptr;
    return item ? item->text() : QString();
}

void Poner(QLabel* etiqueta, const std::string& texto)
{
    if (etiqueta)
        etiqueta->setText(cv::Q(texto));
}

} // namespace

int FilaSeleccionada(const QListWidget* lista)
{
    const int fila = lista->currentRow();
    return fila >= 0 && fila < lista->count() ? fila : -1;
}

void SeleccionarFila(QListWidget* lista, int fila)
{
    if (fila >= 0 && fila < lista->count()) {
        lista->setCurrentRow(fila);
    } else {
        lista->setCurrentRow(-1);
        lista->clearSelection();
    }
}

std::vector<std::string> FilasDeLista(const QListWidget* lista)
{
    std::vector<std::string> filas;
    filas.reserve(static_cast<size_t>(lista->count()));
    for (int i = 0; i < lista->count(); ++i)
        filas.push_back(lista->item(i)->text().toStdString());
    return filas;
}

namespace {

QStringList Textos(const std::vector<std::string>& filas)
{
    QStringList textos;
    textos.reserve(static_cast<qsizetype>(filas.size()));
    for (const auto& f : filas) {
        // Rows in plain ASCII (nearly all of them) are copied as Latin-1,
        // the quicker conversion and the same text.
        const auto n = static_cast<qsizetype>(f.size());
        if (f.empty())
            textos.append(QString());
        else if (std::all_of(f.begin(), f.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            textos.append(QString::fromLatin1(f.data(), n));
        else
            textos.append(QString::fromUtf8(f.data(), n));
    }
    return textos;
}

void Anadir(QListWidget* lista, const QStringList& textos)
{
    // Every row has the same height: the list lays out long files at once.
    lista->setUniformItemSizes(true);
    lista->setUpdatesEnabled(false);
    lista->addItems(textos);
    lista->setUpdatesEnabled(true);
}

} // namespace

void AnadirFilas(QListWidget* lista, const std::vector<std::string>& filas)
{
    if (!filas.empty())
        Anadir(lista, Textos(filas));
}

void AnadirFilas(QListWidget* lista, std::vector<std::string>&& filas)
{
    if (filas.empty())
        return;
    const QStringList textos = Textos(filas);
    cv::AnotarFilas(lista, std::move(filas));
    Anadir(lista, textos);
}

namespace {

bool CargarTexto(QListWidget* lista, QWidget* ventana, const std::string& texto, TipoFichero tipo)
{
    ResultadoLectura r = tipo == TipoFichero::Bases    ? LeerBases(texto)
                         : tipo == TipoFichero::Puntos ? LeerPuntos(texto)
                                                       : LeerObservaciones(texto);
    AnadirFilas(lista, std::move(r.filas));
    if (r.fallo)
        return FalloAlAbrir(ventana, cv::Q(r.descripcion));
    return true;
}

// A download read by its own reader: its rows appended, then one warning for
// the lines not read and one for the IDs shortened; the instrument height of
// the last station record that gives one.
std::optional<double> CargarDescarga(QListWidget* lista, QWidget* ventana, const std::string& texto,
                                     FormatoDescarga formato)
{
    LecturaDescarga r = LeerDescarga(texto, formato);
    AnadirFilas(lista, std::move(r.filas));
    for (const std::string& mensaje : {MensajeNoLeidas(r.noLeidas), MensajeAcortados(r.acortados)})
        if (!mensaje.empty())
            cv::Aviso(ventana, cv::Q(mensaje), QMessageBox::Warning);
    std::optional<double> altura;
    for (const EstacionDescarga& e : r.estaciones)
        if (e.tieneAltura)
            altura = e.alturaInstrumento;
    return altura;
}

} // namespace

bool CargarFichero(QListWidget* lista, QWidget* ventana, const QString& ruta, TipoFichero tipo)
{
    std::string texto;
    if (!cv::LeerTexto(ventana, ruta, texto, cv::MSG_ERROR_ABRIR))
        return false;
    return CargarTexto(lista, ventana, texto, tipo);
}

void CortarBaseSeleccionada(QListWidget* lista)
{
    Aplicar(lista, PlanCortarBase(lista->count(), FilaSeleccionada(lista)));
}

void CortarFilaSeleccionada(QListWidget* lista)
{
    Aplicar(lista, PlanCortarFila(lista->count(), FilaSeleccionada(lista)));
}

void AbrirFicheroBases(QListWidget* lista, QWidget* ventana)
{
    const auto ruta = cv::ElegirFicheroAbrir(ventana, cv::DLG_ABRIR_BASES);
    if (ruta)
        CargarFichero(lista, ventana, *ruta, TipoFichero::Bases);
}

void GuardarFicheroBases(QListWidget* lista, QWidget* ventana)
{
    GuardarDesdeLista(lista, ventana, cv::DLG_GUARDAR_BASES, &EscribirBases);
}

void MostrarBaseSeleccionada(QListWidget* lista, QLabel* nombre, QLabel* x, QLabel* y, QLabel* z)
{
    const int s = FilaSeleccionada(lista);
    TextosSeleccion t;
    if (s >= 0 && s % 6 == 0)
        t = TextosBase(cv::S(Fila(lista, s)), cv::S(Fila(lista, s + 2)), cv::S(Fila(lista, s + 3)),
                       cv::S(Fila(lista, s + 4)));
    Poner(nombre, t[0]);
    Poner(x, t[1]);
    Poner(y, t[2]);
    Poner(z, t[3]);
}

void ExportarPuntos(QListWidget* lista, QWidget* ventana)
{
    if (lista->count() == 0)
        return;
    GuardarDesdeLista(lista, ventana, cv::DLG_EXPORTAR_PUNTOS, &EscribirPuntos);
}

std::optional<double> AbrirFicheroObservaciones(QListWidget* lista, QWidget* ventana)
{
    lista->clear();
    const auto ruta = cv::ElegirFicheroAbrir(ventana, cv::DLG_ABRIR_OBSERVACIONES);
    if (!ruta)
        return std::nullopt;
    return CargarObservaciones(lista, ventana, *ruta);
}

std::optional<double> CargarObservaciones(QListWidget* lista, QWidget* ventana, const QString& ruta)
{
    std::string texto;
    if (!cv::LeerTexto(ventana, ruta, texto, cv::MSG_ERROR_ABRIR))
        return std::nullopt;
    FormatoDescarga formato{};
    if (DetectarFormato(cv::S(ruta), texto, formato))
        return CargarDescarga(lista, ventana, texto, formato);
    CargarTexto(lista, ventana, texto, TipoFichero::Observaciones);
    return std::nullopt;
}

void ExportarTense(QListWidget* lista, QWidget* ventana)
{
    if (lista->count() == 0)
        return;
    GuardarDesdeLista(lista, ventana, cv::DLG_EXPORTAR_TENSE, &EscribirTense);
}

void AbrirFicheroPuntos(QListWidget* lista, QWidget* ventana)
{
    lista->clear();
    const auto ruta = cv::ElegirFicheroAbrir(ventana, cv::DLG_ABRIR_PUNTOS);
    if (ruta)
        CargarFichero(lista, ventana, *ruta, TipoFichero::Puntos);
}

void MostrarPuntoSeleccionado(QListWidget* lista, QLabel* numero, QLabel* x, QLabel* y, QLabel* z)
{
    const int s = FilaSeleccionada(lista);
    TextosSeleccion t;
    if (s >= 0)
        t = TextosPunto(cv::S(Fila(lista, s)));
    Poner(numero, t[0]);
    Poner(x, t[1]);
    Poner(y, t[2]);
    Poner(z, t[3]);
}

void CrearCasillasBase(QWidget* ventana, const QString& nombre, const QRect& primera, int paso, QLabel*& n, QLabel*& x,
                       QLabel*& y, QLabel*& z)
{
    n = cv::CrearCasilla(ventana, nombre, primera);
    x = cv::CrearCasilla(ventana, nombre + QStringLiteral("X"), primera.translated(0, paso));
    y = cv::CrearCasilla(ventana, nombre + QStringLiteral("Y"), primera.translated(0, 2 * paso));
    z = cv::CrearCasilla(ventana, nombre + QStringLiteral("Z"), primera.translated(0, 3 * paso));
}

AreaBases CrearAreaBases(QWidget* ventana, int altoLista, const QString& ayudaLista, int yBotones)
{
    cv::CrearEtiqueta(ventana, QStringLiteral("lblTituloBases"), QStringLiteral("Bases"), QRect(10, 6, 150, 20));
    cv::CrearEtiqueta(ventana, QStringLiteral("lblTituloListado"), QStringLiteral("Listado"), QRect(10, 26, 150, 20));
    AreaBases a;
    a.lista = cv::CrearLista(ventana, QStringLiteral("lstBases"), QRect(10, 48, 150, altoLista), ayudaLista);
    a.abrir = cv::CrearBotonDibujo(ventana, QStringLiteral("cmdAbrirBases"), QStyle::SP_DirOpenIcon,
                                   QRect(10, yBotones, 40, 30), QStringLiteral("Abrir fichero de bases"));
    a.cortar = cv::CrearBotonDibujo(ventana, QStringLiteral("cmdCortarBase"), QStyle::SP_DialogDiscardButton,
                                    QRect(55, yBotones, 40, 30), QStringLiteral("Cortar base seleccionada"));
    a.limpiar = cv::CrearBotonDibujo(ventana, QStringLiteral("cmdLimpiarBases"), QStyle::SP_TrashIcon,
                                     QRect(100, yBotones, 40, 30), QStringLiteral("Borrar todas las bases"));
    QListWidget* lista = a.lista;
    QObject::connect(a.abrir, &QPushButton::clicked, ventana, [lista, ventana] { AbrirFicheroBases(lista, ventana); });
    QObject::connect(a.cortar, &QPushButton::clicked, ventana, [lista] { CortarBaseSeleccionada(lista); });
    return a;
}

// ------------------------------------------------------------------------
// Drawings and maps.

namespace {

const QString MSG_NADA_QUE_EXPORTAR = QStringLiteral("No hay puntos ni bases que exportar.");

bool Vacio(QWidget* ventana, const Dibujo& d)
{
    if (!d.puntos.empty() || !d.bases.empty() || !d.poligonal.empty())
        return false;
    cv::Aviso(ventana, MSG_NADA_QUE_EXPORTAR);
    return true;
}

void Guardar(QWidget* ventana, const QString& ruta, const std::string& texto)
{
    if (cv::GuardarTexto(ventana, ruta, texto, cv::MSG_ERROR_GUARDAR))
        cv::Aviso(ventana, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}

} // namespace

void ExportarDxf(QWidget* ventana, const Dibujo& d)
{
    if (Vacio(ventana, d))
        return;
    const auto ruta = cv::ElegirFicheroGuardar(ventana, {QStringLiteral("Exportar DXF"), QStringLiteral("Dibujo DXF (*.dxf)|*.dxf"),
                                                         QStringLiteral("dxf"), QStringLiteral("Dibujo")});
    if (ruta)
        Guardar(ventana, *ruta, EscribirDxf(d));
}

void ExportarMapa(QWidget* ventana, const Dibujo& d)
{
    if (Vacio(ventana, d))
        return;
    const Transformacion t(LeerEpsg());
    if (!t.Valida()) {
        cv::Aviso(ventana, cv::Q(t.Error()) + QStringLiteral(" Elija el sistema del trabajo en la configuración; "
                                                            "no se ha escrito ningún fichero."));
        return;
    }
    const auto ruta = cv::ElegirFicheroGuardar(
        ventana, {QStringLiteral("Exportar a mapa"), QStringLiteral("GeoJSON (*.geojson)|*.geojson|KML (*.kml)|*.kml"),
                  QStringLiteral("geojson"), QStringLiteral("Mapa")});
    if (!ruta)
        return;
    std::string texto, error;
    const bool kml = ruta->endsWith(QStringLiteral(".kml"), Qt::CaseInsensitive);
    const bool bien = kml ? EscribirKml(d, t, cv::S(QFileInfo(*ruta).completeBaseName()), texto, error)
                          : EscribirGeoJson(d, t, texto, error);
    if (!bien) {
        cv::Aviso(ventana, cv::Q(error));
        return;
    }
    Guardar(ventana, *ruta, texto);
}

Dibujo DibujoDeListas(const QListWidget* bases, const QListWidget* puntos)
{
    Dibujo d;
    if (bases)
        d.bases = LeerListaBases(FilasDeLista(bases));
    if (puntos)
        d.puntos = LeerListaPuntos(FilasDeLista(puntos));
    return d;
}

void CrearBotonesIntercambio(QWidget* ventana, const QRect& dxf, const QRect& mapa, std::function<Dibujo()> dibujo)
{
    QPushButton* botonDxf = cv::CrearBoton(ventana, QStringLiteral("cmdExportarDxf"), QStringLiteral("Exportar DXF..."), dxf,
                                           QStringLiteral("Dibujo para CAD"));
    QPushButton* botonMapa = cv::CrearBoton(ventana, QStringLiteral("cmdExportarMapa"), QStringLiteral("Exportar a mapa..."),
                                            mapa, QStringLiteral("GeoJSON o KML para mapas web"));
    QObject::connect(botonDxf, &QPushButton::clicked, ventana, [ventana, dibujo] { ExportarDxf(ventana, dibujo()); });
    QObject::connect(botonMapa, &QPushButton::clicked, ventana, [ventana, dibujo] { ExportarMapa(ventana, dibujo()); });
}
