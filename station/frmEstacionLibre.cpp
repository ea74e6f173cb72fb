#include "station/frmEstacionLibre.h"

#include <QButtonGroup>

#include "core/FicherosTexto.h"
#include "core/TextoNumerico.h"
#include "exchange/Descargas.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "shell/modResIndependentForm.h"

namespace
{

const cv::DialogoFichero DLG_INFORME{QStringLiteral("Informe de la estación libre"),
                                     QStringLiteral("Cartavector 3.0 (*.txt)|*.txt"), QStringLiteral("txt"),
                                     QStringLiteral("Estacion")};

// A caption and, beside it, the box that shows its value.
QLabel* Resultado(QWidget* ventana, const QString& nombre, const QString& rotulo, int y)
{
    cv::CrearEtiqueta(ventana, QStringLiteral("lblRotulo") + nombre.mid(3), rotulo, QRect(556, y, 116, 20));
    return cv::CrearCasilla(ventana, nombre, QRect(674, y, 96, 20));
}

QLineEdit* Campo(QWidget* ventana, const QString& nombre, int indice, const QRect& r, cv::TipoCampo tipo)
{
    QLineEdit* c = indice < 0 ? cv::CrearCampo(ventana, nombre, r) : cv::CrearCampo(ventana, nombre, indice, r);
    cv::FiltrarTeclas(c, tipo);
    return c;
}

} // namespace

frmEstacionLibre::frmEstacionLibre(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmEstacionLibre"));
    setWindowTitle(QStringLiteral("Estación libre"));
    resize(780, 520); // the frame places it

    // The known points, and the base a known station stands on.
    const AreaBases area = CrearAreaBases(this, 252, QStringLiteral("Listado de bases"), 306);
    lstBases = area.lista;
    cmdAbrirBases = area.abrir;
    cmdCortarBase = area.cortar;
    cmdLimpiarBases = area.limpiar;
    cmdEntrarEstacion = cv::CrearBoton(this, QStringLiteral("cmdEntrarEstacion"), QStringLiteral("Entrar estación"),
                                       QRect(10, 344, 150, 26), QStringLiteral("La base seleccionada es la estación"));
    lblEstacion = cv::CrearCasilla(this, QStringLiteral("lblEstacion"), QRect(10, 376, 150, 20));
    cv::MarcarEntrada(lblEstacion);

    // The kind of set-up, the station and the instrument height.
    optLibre = new QRadioButton(QStringLiteral("Estación libre"), this);
    optLibre->setObjectName(QStringLiteral("optLibre"));
    optLibre->setGeometry(170, 6, 170, 20);
    optConocida = new QRadioButton(QStringLiteral("Estación en base conocida"), this);
    optConocida->setObjectName(QStringLiteral("optConocida"));
    optConocida->setGeometry(345, 6, 210, 20);
    auto* grupo = new QButtonGroup(this);
    grupo->addButton(optLibre);
    grupo->addButton(optConocida);
    optLibre->setChecked(true);
    cv::CrearEtiqueta(this, QStringLiteral("lblRotuloNombre"), QStringLiteral("Estación"), QRect(170, 32, 60, 20));
    txtNombre = Campo(this, QStringLiteral("txtNombre"), -1, QRect(232, 32, 90, 20), cv::TipoCampo::Libre);
    txtNombre->setText(QStringLiteral("EL-1"));
    cv::CrearEtiqueta(this, QStringLiteral("lblRotuloi"), QStringLiteral("Altura instr."), QRect(335, 32, 85, 20));
    txti = Campo(this, QStringLiteral("txti"), -1, QRect(422, 32, 70, 20), cv::TipoCampo::Numerico);

    // The twelve sights.
    const QString cabeceras[5] = {QStringLiteral("Punto"), QStringLiteral("Hz"), QStringLiteral("V"),
                                  QStringLiteral("Dist. geom."), QStringLiteral("H señal")};
    const int xs[5] = {170, 262, 342, 422, 502}, anchos[5] = {88, 76, 76, 76, 52};
    for (int c = 0; c < 5; ++c)
        cv::CrearEtiqueta(this, QStringLiteral("lblColumna%1").arg(c), cabeceras[c], QRect(xs[c], 58, anchos[c], 20));
    QList<QLineEdit*> orden{txtNombre, txti};
    for (int i = 0; i < FILAS; ++i) {
        const int y = 80 + 21 * i;
        auto celda = [&](int c) { return QRect(xs[c], y, anchos[c], 20); };
        txtPunto[i] = Campo(this, QStringLiteral("txtPunto"), i, celda(0), cv::TipoCampo::Libre);
        txtHz[i] = Campo(this, QStringLiteral("txtHz"), i, celda(1), cv::TipoCampo::Numerico);
        txtV[i] = Campo(this, QStringLiteral("txtV"), i, celda(2), cv::TipoCampo::Numerico);
        txtDist[i] = Campo(this, QStringLiteral("txtDist"), i, celda(3), cv::TipoCampo::Numerico);
        txtHs[i] = Campo(this, QStringLiteral("txtHs"), i, celda(4), cv::TipoCampo::Numerico);
        orden << txtPunto[i] << txtHz[i] << txtV[i] << txtDist[i] << txtHs[i];
    }
    cmdAbrirObservaciones =
        cv::CrearBoton(this, QStringLiteral("cmdAbrirObservaciones"), QStringLiteral("Abrir observaciones..."),
                       QRect(170, 336, 170, 26), QStringLiteral("Llenar las filas desde un fichero de observaciones"));

    // Options: the scale and the a-priori precision of the adjustment.
    chkEscalaLibre = new QCheckBox(QStringLiteral("Factor de escala libre"), this);
    chkEscalaLibre->setObjectName(QStringLiteral("chkEscalaLibre"));
    chkEscalaLibre->setGeometry(350, 340, 200, 20);
    const PrecisionApriori precision;
    auto sigma = [&](const QString& nombre, const QString& rotulo, int x, int ancho, double valor) {
        cv::CrearEtiqueta(this, QStringLiteral("lblRotulo") + nombre.mid(3), rotulo, QRect(x, 368, ancho, 20));
        QLineEdit* c = Campo(this, nombre, -1, QRect(x + ancho + 2, 368, 50, 20), cv::TipoCampo::Numerico);
        c->setText(QString::number(valor));
        orden << c;
        return c;
    };
    txtSigmaAngular = sigma(QStringLiteral("txtSigmaAngular"), QStringLiteral("σ Hz (cc)"), 170, 70,
                            precision.DireccionCC);
    txtSigmaDistancia = sigma(QStringLiteral("txtSigmaDistancia"), QStringLiteral("σ dist. (mm)"), 300, 84,
                              precision.DistanciaMM);
    txtSigmaPpm = sigma(QStringLiteral("txtSigmaPpm"), QStringLiteral("ppm"), 444, 34, precision.DistanciaPPM);

    // Results.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloResultado"), QStringLiteral("Resultado"), QRect(560, 6, 200, 20));
    lblX = Resultado(this, QStringLiteral("lblX"), QStringLiteral("X"), 32);
    lblY = Resultado(this, QStringLiteral("lblY"), QStringLiteral("Y"), 56);
    lblZ = Resultado(this, QStringLiteral("lblZ"), QStringLiteral("Z"), 80);
    lblOrientacion = Resultado(this, QStringLiteral("lblOrientacion"), QStringLiteral("Orientación (g)"), 104);
    lblEscala = Resultado(this, QStringLiteral("lblEscala"), QStringLiteral("Escala"), 128);
    lblSigma0 = Resultado(this, QStringLiteral("lblSigma0"), QStringLiteral("Sigma0"), 152);
    lblPrueba = Resultado(this, QStringLiteral("lblPrueba"), QStringLiteral("Test χ² 95 %"), 176);
    lblSemiejeMayor = Resultado(this, QStringLiteral("lblSemiejeMayor"), QStringLiteral("Semieje a (mm)"), 200);
    lblSemiejeMenor = Resultado(this, QStringLiteral("lblSemiejeMenor"), QStringLiteral("Semieje b (mm)"), 224);
    cmdExportar = cv::CrearBoton(this, QStringLiteral("cmdExportar"), QStringLiteral("Exportar..."),
                                 QRect(560, 256, 100, 26), QStringLiteral("Guardar las bases y la estación"));
    cmdInforme = cv::CrearBoton(this, QStringLiteral("cmdInforme"), QStringLiteral("Informe..."),
                                QRect(670, 256, 100, 26), QStringLiteral("Guardar el informe del cálculo"));
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloResiduos"), cv::Q(CabeceraResiduosEstacion()),
                      QRect(170, 396, 600, 20))
        ->setFont(cv::FuenteFija());
    lstResiduos = cv::CrearLista(this, QStringLiteral("lstResiduos"), QRect(170, 416, 600, 64),
                                 QStringLiteral("Residuos: vHz (cc), vD (mm), vZ (mm), w"));
    lblAviso = cv::CrearEtiqueta(this, QStringLiteral("lblAviso"), QString(), QRect(10, 484, 760, 32));
    lblAviso->setWordWrap(true);
    cv::PonerColorTexto(lblAviso, QColor(200, 0, 0));

    for (QLineEdit* campo : orden)
        connect(campo, &QLineEdit::textChanged, this, &frmEstacionLibre::Calcular);
    new cv::OrdenCampos(this, orden, [this] { txtPunto[0]->setFocus(); });
    connect(optLibre, &QRadioButton::toggled, this, &frmEstacionLibre::Calcular);
    connect(chkEscalaLibre, &QCheckBox::toggled, this, &frmEstacionLibre::Calcular);
    connect(cmdLimpiarBases, &QPushButton::clicked, this, [this] {
        if (cv::Pregunta(this, QStringLiteral("¿Confirma que desea borrar todas las bases?")))
            lstBases->clear();
        Calcular();
    });
    // The bases opened or cut change the result too.
    connect(lstBases, &cv::Lista::filasCambiadas, this, &frmEstacionLibre::Calcular);
    connect(cmdEntrarEstacion, &QPushButton::clicked, this, &frmEstacionLibre::EntrarEstacion);
    connect(cmdAbrirObservaciones, &QPushButton::clicked, this, &frmEstacionLibre::AbrirObservaciones);
    connect(cmdExportar, &QPushButton::clicked, this, &frmEstacionLibre::Exportar);
    connect(cmdInforme, &QPushButton::clicked, this, &frmEstacionLibre::Informe);
    cv::PrepararVentana(this);
    cv::PublicarListas(this);
    Calcular();
}

void frmEstacionLibre::Calcular()
{
    EntradaEstacion e;
    e.libre = optLibre->isChecked();
    e.nombre = cv::S(txtNombre->text());
    e.i = cv::S(txti->text());
    for (int k = 0; k < FILAS; ++k)
        e.filas.push_back({cv::S(txtPunto[k]->text()), cv::S(txtHz[k]->text()), cv::S(txtV[k]->text()),
                           cv::S(txtDist[k]->text()), cv::S(txtHs[k]->text())});
    e.bases = lstBases->Filas();
    const std::vector<std::string> coordenadas = cv::Valores(lblEstacion);
    e.estacion = {cv::S(lblEstacion->text())};
    for (size_t k = 0; k < 3 && k < coordenadas.size(); ++k)
        e.estacion[k + 1] = coordenadas[k];
    e.escalaLibre = chkEscalaLibre->isChecked();
    e.sigmaAngular = cv::S(txtSigmaAngular->text());
    e.sigmaDistancia = cv::S(txtSigmaDistancia->text());
    e.sigmaPpm = cv::S(txtSigmaPpm->text());
    datos_ = LeerEntradaEstacion(e);
    // Nothing typed yet is not a refusal.
    const bool vacio = datos_.visuales.empty() && e.libre;
    resultado_ = vacio ? ResultadoEstacion{} : CalcularEstacion(datos_);
    if (!e.libre && e.estacion[0].empty()) {
        resultado_ = {};
        resultado_.aviso = "Falta la estación: seleccione una base y pulse «Entrar estación».";
    }
    const TextosEstacion t = TextosResultadoEstacion(resultado_);
    lblX->setText(cv::Q(t.X));
    lblY->setText(cv::Q(t.Y));
    lblZ->setText(cv::Q(t.Z));
    lblOrientacion->setText(cv::Q(t.orientacion));
    lblEscala->setText(cv::Q(t.escala));
    lblSigma0->setText(cv::Q(t.sigma0));
    lblPrueba->setText(cv::Q(t.prueba));
    lblSemiejeMayor->setText(cv::Q(t.semiejeMayor));
    lblSemiejeMenor->setText(cv::Q(t.semiejeMenor));
    lblAviso->setText(cv::Q(t.aviso));
    lstResiduos->Reemplazar(t.residuos);
}

void frmEstacionLibre::EntrarEstacion()
{
    const int s = lstBases->currentRow();
    if (s < 0 || s % 6 != 0 || s + 4 >= lstBases->count()) {
        cv::Aviso(this, cv::MSG_DATOS_NO_VALIDOS);
        return;
    }
    // The name shown, its X, Y and Z kept with it.
    lblEstacion->setText(lstBases->text(s));
    cv::PonerValores(lblEstacion, {cv::S(lstBases->text(s + 2)), cv::S(lstBases->text(s + 3)),
                                   cv::S(lstBases->text(s + 4))});
    optConocida->setChecked(true);
    Calcular();
}

void frmEstacionLibre::AbrirObservaciones()
{
    const auto ruta = cv::ElegirFicheroAbrir(this, cv::DLG_ABRIR_OBSERVACIONES);
    if (!ruta)
        return;
    std::string texto;
    if (!cv::LeerTexto(this, *ruta, texto, cv::MSG_ERROR_ABRIR))
        return;
    std::vector<FilaVisualTextos> filas;
    FormatoDescarga formato{};
    if (DetectarFormato(cv::S(*ruta), texto, formato)) {
        // A total-station download, read as the observation windows read it.
        cv::Lista leidas;
        if (const std::optional<double> i = CargarObservaciones(&leidas, this, *ruta))
            txti->setText(cv::Q(F3(*i)));
        for (const std::string& f : leidas.Filas()) {
            if (filas.size() == static_cast<size_t>(FILAS))
                break;
            filas.push_back({std::string(PalabraFila(f, 0)), std::string(PalabraFila(f, 1)),
                             std::string(PalabraFila(f, 2)), std::string(PalabraFila(f, 3)),
                             std::string(PalabraFila(f, 4))});
        }
    } else {
        filas = LeerObservacionesEstacion(TextoUtf8(texto), FILAS);
    }
    for (int k = 0; k < FILAS; ++k) {
        const FilaVisualTextos f = k < static_cast<int>(filas.size()) ? filas[static_cast<size_t>(k)] : FilaVisualTextos{};
        txtPunto[k]->setText(cv::Q(f.punto));
        txtHz[k]->setText(cv::Q(f.Hz));
        txtV[k]->setText(cv::Q(f.V));
        txtDist[k]->setText(cv::Q(f.Dist));
        txtHs[k]->setText(cv::Q(f.Hs));
    }
    Calcular();
}

void frmEstacionLibre::Exportar()
{
    if (!resultado_.ok) {
        cv::Aviso(this, cv::MSG_DATOS_NO_VALIDOS);
        return;
    }
    const auto ruta = cv::ElegirFicheroGuardar(this, cv::DLG_GUARDAR_BASES);
    if (ruta && cv::GuardarTexto(this, *ruta, ExportarBasesEstacion(datos_, resultado_), cv::MSG_ERROR_GUARDAR))
        cv::Aviso(this, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}

void frmEstacionLibre::Informe()
{
    if (!resultado_.ok) {
        cv::Aviso(this, cv::MSG_DATOS_NO_VALIDOS);
        return;
    }
    const auto ruta = cv::ElegirFicheroGuardar(this, DLG_INFORME);
    if (ruta && cv::GuardarTexto(this, *ruta, EscribirInformeEstacion(datos_, resultado_), cv::MSG_ERROR_GUARDAR))
        cv::Aviso(this, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}
