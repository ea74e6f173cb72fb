#include "traverse/frmCompensacion.h"


#include "core/TextoNumerico.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "shell/modResIndependentForm.h"

namespace
{

const QString NO_HAY_POLIGONAL = QStringLiteral("No hay ninguna poligonal abierta.");

const cv::DialogoFichero DLG_EXPORTAR{QStringLiteral("Exportar puntos compensados"),
                                      QStringLiteral("Cartavector 3.0 (*.bse)|*.bse"), QStringLiteral("bse"),
                                      QStringLiteral("Compensada")};
const cv::DialogoFichero DLG_INFORME{QStringLiteral("Informe de la compensación"),
                                     QStringLiteral("Cartavector 3.0 (*.txt)|*.txt"), QStringLiteral("txt"),
                                     QStringLiteral("Compensacion")};

// The verdict in green within tolerance, in red otherwise or when refused.
const QColor VERDE(140, 255, 140);
const QColor ROJO(255, 140, 140);

// A caption and, beside it, the label that shows its value.
QLabel* Resultado(QWidget* ventana, const QString& nombre, const QString& rotulo, int x, int y, int ancho = 90)
{
    cv::CrearEtiqueta(ventana, QStringLiteral("lblRotulo") + nombre.mid(3), rotulo, QRect(x, y, 130, 18));
    return cv::CrearCasilla(ventana, nombre, QRect(x + 132, y, ancho, 18));
}

// A numeric field with its caption before it.
QLineEdit* Dato(QWidget* ventana, const QString& nombre, const QString& rotulo, const QString& ayuda, double valor,
                int x, int y, int anchoRotulo)
{
    cv::CrearEtiqueta(ventana, QStringLiteral("lblRotulo") + nombre.mid(3), rotulo, QRect(x, y, anchoRotulo, 20));
    QLineEdit* campo = cv::CrearCampo(ventana, nombre, QRect(x + anchoRotulo + 4, y, 70, 20), ayuda);
    cv::FiltrarTeclas(campo, cv::TipoCampo::Numerico);
    campo->setText(QString::number(valor));
    return campo;
}

QRadioButton* Opcion(QWidget* ventana, const QString& nombre, MetodoCompensacion metodo, int y)
{
    auto* opcion = new QRadioButton(cv::Q(NombreMetodo(metodo)), ventana);
    opcion->setObjectName(nombre);
    opcion->setGeometry(16, y, 300, 20);
    return opcion;
}

} // namespace

frmCompensacion::frmCompensacion(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmCompensacion"));
    setWindowTitle(QStringLiteral("Compensación de la poligonal"));
    setGeometry(10, 10, 790, 450);

    // Method.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloMetodo"), QStringLiteral("Método"), QRect(16, 10, 200, 20));
    optBowditch = Opcion(this, QStringLiteral("optBowditch"), MetodoCompensacion::Bowditch, 34);
    optTransito = Opcion(this, QStringLiteral("optTransito"), MetodoCompensacion::Transito, 58);
    optMinimosCuadrados = Opcion(this, QStringLiteral("optMinimosCuadrados"), MetodoCompensacion::MinimosCuadrados, 82);
    optBowditch->setChecked(true);

    // A-priori precision (least squares) and tolerances, with the library's defaults.
    const PrecisionApriori precision;
    const Tolerancias tolerancias;
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloPrecision"), QStringLiteral("Precisión a priori"),
                      QRect(330, 10, 220, 20));
    txtSigmaAngular =
        Dato(this, QStringLiteral("txtSigmaAngular"), QStringLiteral("Dirección (cc) ...."),
             QStringLiteral("Desviación típica de una dirección media (cc)"), precision.DireccionCC, 330, 34, 130);
    txtSigmaDistancia = Dato(this, QStringLiteral("txtSigmaDistancia"), QStringLiteral("Distancia (mm) ...."),
                             QStringLiteral("Parte constante de la desviación típica de una distancia (mm)"),
                             precision.DistanciaMM, 330, 58, 130);
    txtSigmaPpm = Dato(this, QStringLiteral("txtSigmaPpm"), QStringLiteral("Distancia (ppm) ..."),
                       QStringLiteral("Parte proporcional a la distancia (ppm)"), precision.DistanciaPPM, 330, 82, 130);
    txtSigmaEstacion =
        Dato(this, QStringLiteral("txtSigmaEstacion"), QStringLiteral("Centrado (mm) ....."),
             QStringLiteral("Centrado del instrumento y de cada señal (mm)"), precision.CentradoMM, 330, 106, 130);
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloTolerancias"), QStringLiteral("Tolerancias"),
                      QRect(570, 10, 200, 20));
    txtTolAngular = Dato(this, QStringLiteral("txtTolAngular"), QStringLiteral("Angular (cc·√n) .."),
                         QStringLiteral("Error angular admitido: cc por la raíz del número de estaciones"),
                         tolerancias.AngularCC, 570, 34, 130);
    txtTolRelativa = Dato(this, QStringLiteral("txtTolRelativa"), QStringLiteral("Relativa (1:N) ...."),
                          QStringLiteral("N de la precisión relativa 1:N exigida"), tolerancias.Relativa, 570, 58, 130);

    // Summary: the closure as the closure window shows it, the precision and the statistics.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloResumen"), QStringLiteral("Errores de cierre"),
                      QRect(16, 136, 200, 20));
    lblEAngular = Resultado(this, QStringLiteral("lblEAngular"), QStringLiteral("Error angular (g) .."), 16, 158);
    lblEX = Resultado(this, QStringLiteral("lblEX"), QStringLiteral("Error en X ........."), 16, 180);
    lblEY = Resultado(this, QStringLiteral("lblEY"), QStringLiteral("Error en Y ........."), 16, 202);
    lblET = Resultado(this, QStringLiteral("lblET"), QStringLiteral("Error dist. ........"), 270, 158);
    lblPrecision = Resultado(this, QStringLiteral("lblPrecision"), QStringLiteral("Precisión .........."), 270, 180);
    lblSigma0 = Resultado(this, QStringLiteral("lblSigma0"), QStringLiteral("Sigma0 a posteriori"), 524, 158);
    lblPrueba = Resultado(this, QStringLiteral("lblPrueba"), QStringLiteral("Test chi² 95 % ...."), 524, 180);
    lblVeredicto = cv::CrearEtiqueta(this, QStringLiteral("lblVeredicto"), QString(), QRect(16, 226, 760, 36));
    lblVeredicto->setWordWrap(true);

    // The adjusted points.
    lstCompensada = cv::CrearLista(this, QStringLiteral("lstCompensada"), QRect(16, 290, 760, 110),
                                   QStringLiteral("Puntos compensados"));
    lblCabecera = cv::CrearEtiqueta(this, QStringLiteral("lblCabecera"), QString(), QRect(16, 268, 760, 20));
    lblCabecera->setFont(lstCompensada->font());
    cmdExportar = cv::CrearBoton(this, QStringLiteral("cmdExportar"), QStringLiteral("Exportar bases"),
                                 QRect(16, 408, 150, 30), QStringLiteral("Guardar los puntos compensados (.bse)"));
    cmdInforme = cv::CrearBoton(this, QStringLiteral("cmdInforme"), QStringLiteral("Informe"), QRect(176, 408, 150, 30),
                                QStringLiteral("Guardar el informe de la compensación (.txt)"));

    const QList<QLineEdit*> campos = {txtSigmaAngular,  txtSigmaDistancia, txtSigmaPpm,
                                      txtSigmaEstacion, txtTolAngular,     txtTolRelativa};
    new cv::OrdenCampos(this, campos, [this] { cmdExportar->setFocus(); });
    for (QLineEdit* c : campos)
        connect(c, &QLineEdit::textChanged, this, &frmCompensacion::Recalcular);
    for (QRadioButton* o : {optBowditch, optTransito, optMinimosCuadrados})
        connect(o, &QRadioButton::toggled, this, [this](bool marcada) {
            if (marcada)
                Recalcular();
        });
    connect(cmdExportar, &QPushButton::clicked, this, &frmCompensacion::Exportar);
    connect(cmdInforme, &QPushButton::clicked, this, &frmCompensacion::Informe);

    connect(&cv::ElTrabajo(), &TrabajoQt::poligonalCambiada, this, &frmCompensacion::Recalcular);
    cv::PrepararVentana(this);
    optBowditch->setFocus();
    Recalcular();
}

frmCompensacion::~frmCompensacion()
{
    // Its adjusted points leave the plan with it.
    cv::ElTrabajo().Datos().PonerCompensados({});
}

MetodoCompensacion frmCompensacion::Metodo() const
{
    if (optTransito->isChecked())
        return MetodoCompensacion::Transito;
    if (optMinimosCuadrados->isChecked())
        return MetodoCompensacion::MinimosCuadrados;
    return MetodoCompensacion::Bowditch;
}

frmCompensacion::Calculo frmCompensacion::Calcular()
{
    Calculo c;
    c.opciones.metodo = Metodo();
    c.resultado.metodo = c.opciones.metodo;
    const PoligonalTrabajo& p = cv::ElTrabajo().Datos().Poligonal();
    if (!p.abierta) {
        c.resultado.error = cv::S(NO_HAY_POLIGONAL);
        return c;
    }
    if (p.incompleta > 0) {
        c.resultado.error = "La poligonal está incompleta: estación " + std::to_string(p.incompleta) + ".";
        return c;
    }
    for (const QLineEdit* campo :
         {txtSigmaAngular, txtSigmaDistancia, txtSigmaPpm, txtSigmaEstacion, txtTolAngular, txtTolRelativa})
        if (!cv::EsNumero(campo)) {
            c.resultado.error = cv::S(cv::MSG_DATOS_NO_VALIDOS);
            return c;
        }
    c.opciones.precision = {cv::LeerNumero(txtSigmaAngular), cv::LeerNumero(txtSigmaDistancia),
                            cv::LeerNumero(txtSigmaPpm), cv::LeerNumero(txtSigmaEstacion)};
    c.opciones.tolerancias = {cv::LeerNumero(txtTolAngular), cv::LeerNumero(txtTolRelativa)};

    c.BE = p.BE;
    c.BO = p.BO;
    c.resultado = Compensar(c.BE, c.BO, p.estaciones, p.PE, p.PV, p.cierre, c.opciones);
    return c;
}

void frmCompensacion::VaciarResultados()
{
    for (QLabel* l : {lblEAngular, lblEX, lblEY, lblET, lblPrecision, lblSigma0, lblPrueba, lblVeredicto})
        l->clear();
    lstCompensada->clear();
}

void frmCompensacion::Mostrar(const Calculo& c)
{
    const ResultadoCompensacion& r = c.resultado;
    const bool mc = r.metodo == MetodoCompensacion::MinimosCuadrados;
    VaciarResultados();
    lblCabecera->setText(cv::Q(CabeceraPuntosCompensados(mc)));
    cv::PonerColorTexto(lblVeredicto, r.ok && r.dentroTolerancia ? VERDE : ROJO);
    if (!r.ok) {
        lblVeredicto->setText(cv::Q(r.error));
        return;
    }
    lblEAngular->setText(cv::Q(F4(r.cierre.EA)));
    lblEX->setText(cv::Q(F3(r.cierre.EX)));
    lblEY->setText(cv::Q(F3(r.cierre.EY)));
    lblET->setText(cv::Q(F3(r.cierre.ED)));
    lblPrecision->setText(cv::Q(TextoPrecision(r.precision)));
    if (mc) {
        lblSigma0->setText(cv::Q(Formatear(r.sigma0, 3)));
        lblPrueba->setText(r.chi2Aceptada ? QStringLiteral("Aceptada") : QStringLiteral("Rechazada"));
    }
    lblVeredicto->setText(cv::Q(r.veredicto));
    std::vector<std::string> filas;
    for (const PuntoCompensado& p : r.puntos)
        filas.push_back(FilaPuntoCompensado(p, mc));
    lstCompensada->Anadir(std::move(filas));
}

void frmCompensacion::Recalcular()
{
    const Calculo c = Calcular();
    Mostrar(c);
    std::vector<objPto> compensados;
    if (c.resultado.ok)
        for (const PuntoCompensado& q : c.resultado.puntos)
            compensados.push_back({q.N, q.X, q.Y, q.Z});
    cv::ElTrabajo().Datos().PonerCompensados(std::move(compensados));
}

bool frmCompensacion::CalculoValido(Calculo& c)
{
    c = Calcular();
    Mostrar(c);
    if (!c.resultado.ok)
        cv::Aviso(this, cv::Q(c.resultado.error));
    return c.resultado.ok;
}

void frmCompensacion::Exportar()
{
    Calculo c;
    if (!CalculoValido(c))
        return;
    const auto ruta = cv::ElegirFicheroGuardar(this, DLG_EXPORTAR);
    if (ruta && cv::GuardarTexto(this, *ruta, ExportarBasesCompensadas(c.BE, c.BO, c.resultado), cv::MSG_ERROR_GUARDAR))
        cv::Aviso(this, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}

void frmCompensacion::Informe()
{
    Calculo c;
    if (!CalculoValido(c))
        return;
    const auto ruta = cv::ElegirFicheroGuardar(this, DLG_INFORME);
    if (ruta &&
        cv::GuardarTexto(this, *ruta, EscribirInformeCompensacion(c.resultado, c.opciones), cv::MSG_ERROR_GUARDAR))
        cv::Aviso(this, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}
