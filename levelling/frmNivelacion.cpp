#include "levelling/frmNivelacion.h"

#include <QHeaderView>
#include <QSignalBlocker>

#include "core/FicherosTexto.h"
#include "core/TextoNumerico.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "shell/modResIndependentForm.h"

namespace {

const cv::DialogoFichero DLG_ABRIR_LIBRETA{
    QStringLiteral("Abrir libreta de nivelación"),
    QStringLiteral("Libreta de nivelación (*.txt *.csv)|*.txt *.csv|Descarga GSI de nivel digital (*.gsi)|*.gsi|"
                   "Todos los ficheros (*.*)|*.*"),
    QStringLiteral("txt"), QString()};
const cv::DialogoFichero DLG_ABRIR_RED{QStringLiteral("Abrir red de nivelación"),
                                       QStringLiteral("Red de nivelación (*.txt *.csv)|*.txt *.csv|"
                                                      "Todos los ficheros (*.*)|*.*"),
                                       QStringLiteral("txt"), QString()};
const cv::DialogoFichero DLG_ACTUALIZAR_BASES{QStringLiteral("Actualizar las cotas de un fichero de bases"),
                                              QStringLiteral("Cartavector 3.0 (*.bse)|*.bse"), QStringLiteral("bse"),
                                              QString()};
const cv::DialogoFichero DLG_INFORME{QStringLiteral("Informe de la nivelación"),
                                     QStringLiteral("Cartavector 3.0 (*.txt)|*.txt"), QStringLiteral("txt"),
                                     QStringLiteral("Nivelacion")};

const QString SIN_COTAS = QStringLiteral("No hay cotas calculadas.");
constexpr int FILAS_INICIALES = 20;

// A caption and, beside it, the box that shows its value.
QLabel* Resultado(QWidget* ventana, const QString& nombre, const QString& rotulo, int x, int y)
{
    cv::CrearEtiqueta(ventana, QStringLiteral("lblRotulo") + nombre.mid(3), rotulo, QRect(x, y, 150, 20));
    return cv::CrearCasilla(ventana, nombre, QRect(x + 154, y, 166, 20));
}

// A field with its caption above it.
QLineEdit* Dato(QWidget* ventana, const QString& nombre, const QString& rotulo, const QString& ayuda, int x, int y,
                int ancho, cv::TipoCampo tipo = cv::TipoCampo::Numerico)
{
    cv::CrearEtiqueta(ventana, QStringLiteral("lblRotulo") + nombre.mid(3), rotulo, QRect(x, y, ancho + 8, 20));
    QLineEdit* campo = cv::CrearCampo(ventana, nombre, QRect(x, y + 20, ancho, 22), ayuda);
    cv::FiltrarTeclas(campo, tipo);
    return campo;
}

QRadioButton* Opcion(QWidget* ventana, const QString& nombre, const QString& texto, const QRect& geometria)
{
    auto* opcion = new QRadioButton(texto, ventana);
    opcion->setObjectName(nombre);
    opcion->setGeometry(geometria);
    return opcion;
}

QString Celda(const QTableWidget* tabla, int fila, int columna)
{
    const QTableWidgetItem* c = tabla->item(fila, columna);
    return c ? c->text().trimmed() : QString();
}

} // namespace

frmNivelacion::frmNivelacion(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmNivelacion"));
    setWindowTitle(QStringLiteral("Nivelación"));
    resize(780, 520);

    // The fixed benchmarks of a network, and the network.
    const AreaBases bases = CrearAreaBases(this, 200, QStringLiteral("Bases de cota conocida"), 254);
    lstBases = bases.lista;
    cmdAbrirBases = bases.abrir;
    connect(bases.limpiar, &QPushButton::clicked, this, [this] {
        if (cv::Pregunta(this, QStringLiteral("¿Confirma que desea borrar todas las bases?")))
            lstBases->clear();
    });
    cmdAbrirRed = cv::CrearBoton(this, QStringLiteral("cmdAbrirRed"), QStringLiteral("Abrir red..."),
                                 QRect(10, 292, 150, 26),
                                 QStringLiteral("Tramos de la red: desde, hasta, desnivel, longitud (m)"));
    txtSigmaKm = Dato(this, QStringLiteral("txtSigmaKm"), QStringLiteral("σ a priori (mm/√km)"),
                      QStringLiteral("Desviación típica a priori de un kilómetro de nivelación (mm)"), 10, 324, 142);
    txtSigmaKm->setText(QStringLiteral("2"));
    cmdActualizarBases = cv::CrearBoton(this, QStringLiteral("cmdActualizarBases"), QStringLiteral("Actualizar bases..."),
                                        QRect(10, 420, 150, 28),
                                        QStringLiteral("Escribir las cotas compensadas en un fichero de bases"));
    cmdInforme = cv::CrearBoton(this, QStringLiteral("cmdInforme"), QStringLiteral("Informe..."), QRect(10, 456, 150, 28),
                                QStringLiteral("Guardar el informe de la nivelación (.txt)"));

    // The field book.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloLibreta"), QStringLiteral("Libreta"), QRect(170, 6, 150, 20));
    tblLibreta = new QTableWidget(FILAS_INICIALES, 4, this);
    tblLibreta->setObjectName(QStringLiteral("tblLibreta"));
    tblLibreta->setGeometry(170, 28, 270, 296);
    tblLibreta->setHorizontalHeaderLabels(
        {QStringLiteral("Punto"), QStringLiteral("Espalda"), QStringLiteral("Frente"), QStringLiteral("Distancia")});
    // The readings' columns as wide as their titles; the name takes the rest.
    tblLibreta->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tblLibreta->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    tblLibreta->verticalHeader()->setDefaultSectionSize(20);
    tblLibreta->setToolTip(QStringLiteral("Un punto por fila: espalda leída en él, frente que llegó a él y distancia "
                                          "desde el punto anterior (m)"));
    cmdAbrirLibreta = cv::CrearBoton(this, QStringLiteral("cmdAbrirLibreta"), QStringLiteral("Abrir libreta..."),
                                     QRect(170, 330, 130, 26),
                                     QStringLiteral("Libreta de texto o descarga GSI de un nivel digital"));
    cmdBorrarLibreta = cv::CrearBoton(this, QStringLiteral("cmdBorrarLibreta"), QStringLiteral("Borrar libreta"),
                                      QRect(310, 330, 130, 26));
    txtCotaInicial = Dato(this, QStringLiteral("txtCotaInicial"), QStringLiteral("Cota inicial"),
                          QStringLiteral("Cota de la base de partida (m)"), 170, 364, 80, cv::TipoCampo::ConSigno);
    txtCotaFinal = Dato(this, QStringLiteral("txtCotaFinal"), QStringLiteral("Cota final"),
                        QStringLiteral("Cota de la base de cierre (m); vacía en una línea abierta"), 262, 364, 80,
                        cv::TipoCampo::ConSigno);
    txtTolerancia = Dato(this, QStringLiteral("txtTolerancia"), QStringLiteral("k (mm·√km)"),
                         QStringLiteral("Tolerancia: k por la raíz de la longitud en km"), 354, 364, 86);
    txtTolerancia->setText(QStringLiteral("10"));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloReparto"), QStringLiteral("Reparto del cierre"),
                      QRect(170, 414, 270, 20));
    optDistancias = Opcion(this, QStringLiteral("optDistancias"), QStringLiteral("Proporcional a las distancias"),
                           QRect(170, 436, 270, 20));
    optEstaciones = Opcion(this, QStringLiteral("optEstaciones"), QStringLiteral("Por igual en cada estación"),
                           QRect(170, 460, 270, 20));
    optDistancias->setChecked(true);

    // The results.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloCotas"), QStringLiteral("Cotas"), QRect(450, 6, 150, 20));
    lstCotas = cv::CrearLista(this, QStringLiteral("lstCotas"), QRect(450, 48, 320, 276), QStringLiteral("Cotas"));
    lblCabecera = cv::CrearEtiqueta(this, QStringLiteral("lblCabecera"), QString(), QRect(450, 28, 320, 20));
    lblCabecera->setFont(lstCotas->font());
    lblDesnivel = Resultado(this, QStringLiteral("lblDesnivel"), QStringLiteral("Desnivel (m)"), 450, 330);
    lblCierre = Resultado(this, QStringLiteral("lblCierre"), QStringLiteral("Cierre (mm)"), 450, 354);
    lblToleranciaMm = Resultado(this, QStringLiteral("lblToleranciaMm"), QStringLiteral("Tolerancia (mm)"), 450, 378);
    lblVeredicto = cv::CrearCasilla(this, QStringLiteral("lblVeredicto"), QRect(450, 402, 320, 20));
    lblSigma0 = Resultado(this, QStringLiteral("lblSigma0"), QStringLiteral("σ0 (mm/√km)"), 450, 436);
    cv::CrearEtiqueta(this, QStringLiteral("lblRotuloPrueba"), QStringLiteral("Prueba χ² 95 %"),
                      QRect(450, 460, 150, 20));
    lblPrueba = cv::CrearCasilla(this, QStringLiteral("lblPrueba"), QRect(450, 482, 320, 20));

    // Every change recomputes.
    const QList<QLineEdit*> campos = {txtCotaInicial, txtCotaFinal, txtTolerancia, txtSigmaKm};
    new cv::OrdenCampos(this, campos, [this] { cmdInforme->setFocus(); });
    for (QLineEdit* c : campos)
        connect(c, &QLineEdit::textChanged, this, &frmNivelacion::Recalcular);
    connect(optDistancias, &QRadioButton::toggled, this, &frmNivelacion::Recalcular);
    connect(tblLibreta, &QTableWidget::itemChanged, this, &frmNivelacion::CeldaCambiada);
    connect(lstBases, &cv::Lista::filasCambiadas, this, &frmNivelacion::Recalcular);
    connect(cmdAbrirLibreta, &QPushButton::clicked, this, &frmNivelacion::AbrirLibreta);
    connect(cmdBorrarLibreta, &QPushButton::clicked, this, &frmNivelacion::BorrarLibreta);
    connect(cmdAbrirRed, &QPushButton::clicked, this, &frmNivelacion::AbrirRed);
    connect(cmdActualizarBases, &QPushButton::clicked, this, &frmNivelacion::ActualizarBases);
    connect(cmdInforme, &QPushButton::clicked, this, &frmNivelacion::Informe);

    cv::PrepararVentana(this);
    cv::PublicarListas(this);
    Recalcular();
}

frmNivelacion::~frmNivelacion()
{
    lstBases->disconnect(this);
}

std::vector<FilaLibreta> frmNivelacion::Libreta() const
{
    std::vector<FilaLibreta> filas;
    for (int f = 0; f < tblLibreta->rowCount(); ++f) {
        FilaLibreta fila;
        fila.punto = cv::S(Celda(tblLibreta, f, 0));
        fila.espalda = cv::S(Celda(tblLibreta, f, 1));
        fila.frente = cv::S(Celda(tblLibreta, f, 2));
        fila.distancia = cv::S(Celda(tblLibreta, f, 3));
        fila.linea = f + 1;
        filas.push_back(std::move(fila));
    }
    return filas;
}

void frmNivelacion::PonerLibreta(const std::vector<FilaLibreta>& filas)
{
    {
        const QSignalBlocker bloqueo(tblLibreta);
        tblLibreta->clearContents();
        tblLibreta->setRowCount(std::max(FILAS_INICIALES, static_cast<int>(filas.size()) + 1));
        for (int f = 0; f < static_cast<int>(filas.size()); ++f) {
            const FilaLibreta& fila = filas[static_cast<size_t>(f)];
            int c = 0;
            for (const std::string* t : {&fila.punto, &fila.espalda, &fila.frente, &fila.distancia})
                tblLibreta->setItem(f, c++, new QTableWidgetItem(cv::Q(*t)));
        }
    }
    conRed_ = false;
    Recalcular();
}

void frmNivelacion::CeldaCambiada(QTableWidgetItem* celda)
{
    // A row always waits empty at the end for the next point.
    if (celda && celda->row() == tblLibreta->rowCount() - 1 && !celda->text().trimmed().isEmpty())
        tblLibreta->setRowCount(tblLibreta->rowCount() + 1);
    conRed_ = false;
    Recalcular();
}

void frmNivelacion::Limpiar()
{
    lstCotas->clear();
    lblCabecera->clear();
    for (QLabel* l : {lblDesnivel, lblCierre, lblToleranciaMm, lblVeredicto, lblSigma0, lblPrueba})
        l->clear();
    linea_ = {};
    resultadoRed_ = {};
}

void frmNivelacion::Recalcular()
{
    Limpiar();
    if (conRed_)
        CalcularRed();
    else
        CalcularLinea();
}

void frmNivelacion::CalcularLinea()
{
    const std::vector<FilaLibreta> filas = Libreta();
    const bool vacia = std::all_of(filas.begin(), filas.end(), [](const FilaLibreta& f) {
        return f.punto.empty() && f.espalda.empty() && f.frente.empty() && f.distancia.empty();
    });
    if (vacia || !cv::EsNumero(txtCotaInicial) || !cv::EsNumero(txtTolerancia))
        return;
    const bool conFinal = !txtCotaFinal->text().trimmed().isEmpty();
    if (conFinal && !cv::EsNumero(txtCotaFinal))
        return;
    opciones_.cotaInicial = cv::LeerNumero(txtCotaInicial);
    opciones_.conCotaFinal = conFinal;
    opciones_.cotaFinal = conFinal ? cv::LeerNumero(txtCotaFinal) : 0.0;
    opciones_.k = cv::LeerNumero(txtTolerancia);
    opciones_.reparto = optDistancias->isChecked() ? RepartoCierre::Distancias : RepartoCierre::Estaciones;
    linea_ = ::CalcularLinea(filas, opciones_);

    std::vector<std::string> filasLista;
    if (linea_.ok) {
        lblCabecera->setText(cv::Q(CabeceraCotasLinea()));
        for (const PuntoNivelado& p : linea_.puntos)
            filasLista.push_back(FilaCotaLinea(p));
        lblDesnivel->setText(cv::Q(F4(linea_.desnivel)));
        if (linea_.cerrada)
            lblCierre->setText(cv::Q(Formatear(linea_.cierre * 1000.0, 1)));
        lblToleranciaMm->setText(cv::Q(Formatear(linea_.tolerancia * 1000.0, 1)));
        lblVeredicto->setText(cv::Q(Veredicto(linea_)));
    } else {
        filasLista.push_back(linea_.error);
    }
    // The rows left out, named below the heights.
    for (const LineaNoLeida& m : linea_.malas)
        filasLista.push_back("Fila " + std::to_string(m.linea) + ": " + m.motivo + ".");
    lstCotas->Anadir(filasLista);
}

void frmNivelacion::CalcularRed()
{
    if (!cv::EsNumero(txtSigmaKm))
        return;
    resultadoRed_ = CompensarRed(red_, LeerListaBases(lstBases->Filas()), cv::LeerNumero(txtSigmaKm));
    if (!resultadoRed_.ok) {
        lstCotas->addItem(cv::Q(resultadoRed_.error));
        return;
    }
    lblCabecera->setText(cv::Q(CabeceraCotasRed()));
    std::vector<std::string> filas;
    for (const CotaRed& c : resultadoRed_.cotas)
        filas.push_back(FilaCotaRed(c));
    lstCotas->Anadir(filas);
    if (resultadoRed_.redundancia > 0)
        lblSigma0->setText(cv::Q(Formatear(resultadoRed_.sigma0, 2)));
    lblPrueba->setText(cv::Q(TextoPrueba(resultadoRed_)));
}

void frmNivelacion::AbrirLibreta()
{
    const auto ruta = cv::ElegirFicheroAbrir(this, DLG_ABRIR_LIBRETA);
    std::string texto;
    if (!ruta || !cv::LeerTexto(this, *ruta, texto, cv::MSG_ERROR_ABRIR))
        return;
    const LecturaNivel r = PareceGsi(texto) ? LeerLibretaNivelGsi(texto) : LeerLibretaNivel(texto);
    PonerLibreta(r.filas);
    if (!r.noLeidas.empty())
        cv::Aviso(this, cv::Q(MensajeNoLeidas(r.noLeidas)), QMessageBox::Warning);
}

void frmNivelacion::BorrarLibreta()
{
    if (cv::Pregunta(this, QStringLiteral("¿Confirma que desea borrar la libreta?")))
        PonerLibreta({});
}

void frmNivelacion::AbrirRed()
{
    const auto ruta = cv::ElegirFicheroAbrir(this, DLG_ABRIR_RED);
    std::string texto;
    if (!ruta || !cv::LeerTexto(this, *ruta, texto, cv::MSG_ERROR_ABRIR))
        return;
    LecturaRed r = LeerRed(texto);
    red_ = std::move(r.tramos);
    conRed_ = !red_.empty();
    Recalcular();
    if (!r.noLeidas.empty())
        cv::Aviso(this, cv::Q(MensajeNoLeidas(r.noLeidas)), QMessageBox::Warning);
}

void frmNivelacion::ActualizarBases()
{
    std::vector<CotaRed> cotas;
    if (conRed_ && resultadoRed_.ok)
        cotas = resultadoRed_.cotas;
    else if (!conRed_ && linea_.ok)
        for (const PuntoNivelado& p : linea_.puntos)
            cotas.push_back({p.nombre, false, p.cotaCompensada, 0.0});
    if (cotas.empty()) {
        cv::Aviso(this, SIN_COTAS);
        return;
    }
    const auto ruta = cv::ElegirFicheroAbrir(this, DLG_ACTUALIZAR_BASES);
    std::string texto, salida, error;
    if (!ruta || !cv::LeerTexto(this, *ruta, texto, cv::MSG_ERROR_ABRIR))
        return;
    int cambiadas = 0;
    if (!ActualizarCotasBases(texto, cotas, salida, cambiadas, error)) {
        cv::Aviso(this, cv::MSG_ERROR_ABRIR + cv::Q(error), QMessageBox::Critical);
        return;
    }
    if (cambiadas > 0 && !cv::GuardarTexto(this, *ruta, salida, cv::MSG_ERROR_GUARDAR))
        return;
    cv::Aviso(this,
              cambiadas == 1 ? QStringLiteral("Se ha cambiado la cota de 1 base.")
                             : QStringLiteral("Se ha cambiado la cota de %1 bases.").arg(cambiadas),
              QMessageBox::Information);
}

void frmNivelacion::Informe()
{
    if (!(conRed_ ? resultadoRed_.ok : linea_.ok)) {
        cv::Aviso(this, SIN_COTAS);
        return;
    }
    const auto ruta = cv::ElegirFicheroGuardar(this, DLG_INFORME);
    const std::string texto = conRed_ ? InformeRed(resultadoRed_, red_) : InformeLinea(linea_, opciones_);
    if (ruta && cv::GuardarTexto(this, *ruta, texto, cv::MSG_ERROR_GUARDAR))
        cv::Aviso(this, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}
