#include "points/modFuncionesAuxiliares.h"

#include <QFileInfo>
#include <QStringList>
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
void GuardarDesdeLista(cv::Lista* lista, QWidget* ventana, const cv::DialogoFichero& dialogo,
                       std::string (*escribir)(const std::vector<std::string>&))
{
    const auto ruta = cv::ElegirFicheroGuardar(ventana, dialogo);
    if (!ruta)
        return;
    if (cv::GuardarTexto(ventana, *ruta, escribir(lista->Filas()), cv::MSG_ERROR_GUARDAR))
        cv::Aviso(ventana, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}

void Aplicar(cv::Lista* lista, const Corte& corte)
{
    lista->Quitar(corte.inicio, corte.cuantas);
    lista->setCurrentRow(corte.nuevaSeleccion);
}

std::string Fila(const cv::Lista* lista, int i)
{
    return i >= 0 && i < lista->count() ? lista->Filas()[static_cast<size_t>(i)] : std::string();
}

void Poner(QLabel* etiqueta, const std::string& texto)
{
    if (etiqueta)
        etiqueta->setText(cv::Q(texto));
}

} // namespace

namespace {

bool CargarTexto(cv::Lista* lista, QWidget* ventana, const std::string& texto, TipoFichero tipo)
{
    ResultadoLectura r = tipo == TipoFichero::Bases    ? LeerBases(texto)
                         : tipo == TipoFichero::Puntos ? LeerPuntos(texto)
                                                       : LeerObservaciones(texto);
    lista->Anadir(std::move(r.filas));
    if (r.fallo)
        return FalloAlAbrir(ventana, cv::Q(r.descripcion));
    return true;
}

// A download read by its own reader: its rows appended, then one warning for
// the lines not read and one for the IDs shortened; the instrument height of
// the last station record that gives one.
std::optional<double> CargarDescarga(cv::Lista* lista, QWidget* ventana, const std::string& texto,
                                     FormatoDescarga formato)
{
    LecturaDescarga r = LeerDescarga(texto, formato);
    lista->Anadir(std::move(r.filas));
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

bool CargarFichero(cv::Lista* lista, QWidget* ventana, const QString& ruta, TipoFichero tipo)
{
    std::string texto;
    if (!cv::LeerTexto(ventana, ruta, texto, cv::MSG_ERROR_ABRIR))
        return false;
    return CargarTexto(lista, ventana, texto, tipo);
}

void CortarBaseSeleccionada(cv::Lista* lista)
{
    Aplicar(lista, PlanCortarBase(lista->count(), lista->currentRow()));
}

void CortarFilaSeleccionada(cv::Lista* lista)
{
    Aplicar(lista, PlanCortarFila(lista->count(), lista->currentRow()));
}

void AbrirFicheroBases(cv::Lista* lista, QWidget* ventana)
{
    const auto ruta = cv::ElegirFicheroAbrir(ventana, cv::DLG_ABRIR_BASES);
    if (ruta)
        CargarFichero(lista, ventana, *ruta, TipoFichero::Bases);
}

void GuardarFicheroBases(cv::Lista* lista, QWidget* ventana)
{
    GuardarDesdeLista(lista, ventana, cv::DLG_GUARDAR_BASES, &EscribirBases);
}

void MostrarBaseSeleccionada(cv::Lista* lista, QLabel* nombre, QLabel* x, QLabel* y, QLabel* z)
{
    const int s = lista->currentRow();
    TextosSeleccion t;
    if (s >= 0 && s % 6 == 0)
        t = TextosBase(Fila(lista, s), Fila(lista, s + 2), Fila(lista, s + 3), Fila(lista, s + 4));
    Poner(nombre, t[0]);
    Poner(x, t[1]);
    Poner(y, t[2]);
    Poner(z, t[3]);
}

void ExportarPuntos(cv::Lista* lista, QWidget* ventana)
{
    if (lista->count() == 0)
        return;
    GuardarDesdeLista(lista, ventana, cv::DLG_EXPORTAR_PUNTOS, &EscribirPuntos);
}

std::optional<double> AbrirFicheroObservaciones(cv::Lista* lista, QWidget* ventana)
{
    lista->clear();
    const auto ruta = cv::ElegirFicheroAbrir(ventana, cv::DLG_ABRIR_OBSERVACIONES);
    if (!ruta)
        return std::nullopt;
    return CargarObservaciones(lista, ventana, *ruta);
}

std::optional<double> CargarObservaciones(cv::Lista* lista, QWidget* ventana, const QString& ruta)
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

void ExportarTense(cv::Lista* lista, QWidget* ventana)
{
    if (lista->count() == 0)
        return;
    GuardarDesdeLista(lista, ventana, cv::DLG_EXPORTAR_TENSE, &EscribirTense);
}

void AbrirFicheroPuntos(cv::Lista* lista, QWidget* ventana)
{
    lista->clear();
    const auto ruta = cv::ElegirFicheroAbrir(ventana, cv::DLG_ABRIR_PUNTOS);
    if (ruta)
        CargarFichero(lista, ventana, *ruta, TipoFichero::Puntos);
}

void MostrarPuntoSeleccionado(cv::Lista* lista, QLabel* numero, QLabel* x, QLabel* y, QLabel* z)
{
    const int s = lista->currentRow();
    TextosSeleccion t;
    if (s >= 0)
        t = TextosPunto(Fila(lista, s));
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
    for (QLabel* casilla : {n, x, y, z})
        cv::MarcarEntrada(casilla);
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
    cv::Lista* lista = a.lista;
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

Dibujo DibujoDeListas(const cv::Lista* bases, const cv::Lista* puntos)
{
    Dibujo d;
    if (bases)
        d.bases = LeerListaBases(bases->Filas());
    if (puntos)
        d.puntos = LeerListaPuntos(puntos->Filas());
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
