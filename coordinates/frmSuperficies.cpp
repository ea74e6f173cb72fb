#include "coordinates/frmSuperficies.h"

#include "coordinates/modCoordenadas.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "shell/modResIndependentForm.h"

namespace {

QLabel* Resultado(QWidget* ventana, const QString& nombre, const QString& titulo, int y)
{
    cv::CrearEtiqueta(ventana, QStringLiteral("lblTitulo") + nombre.mid(3), titulo, QRect(250, y, 200, 20));
    return cv::CrearCasilla(ventana, nombre, QRect(455, y, 220, 20));
}

QLineEdit* Campo(QWidget* ventana, const QString& nombre, const QString& titulo, int x, int y, int ancho,
                 const QString& ayuda)
{
    cv::CrearEtiqueta(ventana, QStringLiteral("lblTitulo") + nombre.mid(3), titulo, QRect(x, y, 200, 20));
    return cv::CrearCampo(ventana, nombre, QRect(x + 205, y, ancho, 22), ayuda);
}

} // namespace

frmSuperficies::frmSuperficies(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmSuperficies"));
    setWindowTitle(QStringLiteral("Superficies"));
    setGeometry(20, 20, 700, 480);

    // The points the vertices are taken from.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloPuntos"), QStringLiteral("Puntos"), QRect(10, 6, 220, 20));
    lstPuntos = cv::CrearLista(this, QStringLiteral("lstPuntos"), QRect(10, 28, 225, 402),
                               QStringLiteral("Bases o puntos de la parcela"));
    cmdAbrirPuntos = cv::CrearBotonDibujo(this, QStringLiteral("cmdAbrirPuntos"), QStyle::SP_DirOpenIcon,
                                          QRect(10, 438, 40, 30), QStringLiteral("Abrir fichero de bases o de puntos"));

    // The parcel.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloVertices"), QStringLiteral("Vértices de la parcela, en orden"),
                      QRect(250, 6, 420, 20));
    txtVertices = cv::CrearCampo(this, QStringLiteral("txtVertices"), QRect(250, 28, 425, 22),
                                 QStringLiteral("Números o nombres separados por comas: 1,2,3,4"));
    cv::FiltrarTeclas(txtVertices, cv::TipoCampo::Libre);
    lblSuperficie = Resultado(this, QStringLiteral("lblSuperficie"), QStringLiteral("Superficie (m²)"), 60);
    lblHectareas = Resultado(this, QStringLiteral("lblHectareas"), QStringLiteral("Superficie (ha, a, ca)"), 84);
    lblPerimetro = Resultado(this, QStringLiteral("lblPerimetro"), QStringLiteral("Perímetro (m)"), 108);

    // The subdivision.
    cv::CrearEtiqueta(this, QStringLiteral("lblTituloSegregacion"), QStringLiteral("Segregación"),
                      QRect(250, 146, 420, 20));
    txtSuperficieSegregar = Campo(this, QStringLiteral("txtSuperficieSegregar"),
                                  QStringLiteral("Superficie a segregar (m²)"), 250, 170, 120,
                                  QStringLiteral("Superficie de la parte que se segrega, m²"));
    cv::FiltrarTeclas(txtSuperficieSegregar, cv::TipoCampo::Numerico);
    optParalela = new QRadioButton(QStringLiteral("Paralela a un lado"), this);
    optParalela->setObjectName(QStringLiteral("optParalela"));
    optParalela->setGeometry(250, 200, 200, 22);
    optParalela->setChecked(true);
    txtLado = cv::CrearCampo(this, QStringLiteral("txtLado"), QRect(455, 200, 120, 22),
                             QStringLiteral("Dos vértices consecutivos: 2,3"));
    cv::FiltrarTeclas(txtLado, cv::TipoCampo::Libre);
    optPorVertice = new QRadioButton(QStringLiteral("Por un vértice"), this);
    optPorVertice->setObjectName(QStringLiteral("optPorVertice"));
    optPorVertice->setGeometry(250, 228, 200, 22);
    txtVertice = cv::CrearCampo(this, QStringLiteral("txtVertice"), QRect(455, 228, 120, 22),
                                QStringLiteral("Vértice por el que pasa la línea divisoria"));
    cv::FiltrarTeclas(txtVertice, cv::TipoCampo::Libre);
    lblPuntoA = Resultado(this, QStringLiteral("lblPuntoA"), QStringLiteral("Punto A (X Y)"), 262);
    lblPuntoB = Resultado(this, QStringLiteral("lblPuntoB"), QStringLiteral("Punto B (X Y)"), 286);
    lblSuperficieResto =
        Resultado(this, QStringLiteral("lblSuperficieResto"), QStringLiteral("Superficie resto (m²)"), 310);
    cmdExportar = cv::CrearBoton(this, QStringLiteral("cmdExportar"), QStringLiteral("Exportar bases..."),
                                 QRect(455, 338, 220, 30), QStringLiteral("Guardar los puntos A y B como bases"));
    lblAviso = CrearAviso(this, QRect(250, 380, 425, 50));

    for (QLineEdit* campo : {txtVertices, txtSuperficieSegregar, txtLado, txtVertice})
        connect(campo, &QLineEdit::textChanged, this, &frmSuperficies::Calcular);
    connect(optPorVertice, &QRadioButton::toggled, this, &frmSuperficies::Calcular);
    new cv::OrdenCampos(this, {txtVertices, txtSuperficieSegregar, txtLado, txtVertice});
    connect(cmdAbrirPuntos, &QPushButton::clicked, this, &frmSuperficies::AbrirPuntos);
    connect(cmdExportar, &QPushButton::clicked, this, &frmSuperficies::Exportar);
    timCalculo = RecalcularAlCambiar(this, {lstPuntos}, [this] { Calcular(); });

    cv::PrepararVentana(this);
    cv::PublicarListas(this);
}

void frmSuperficies::Calcular()
{
    timCalculo->stop();
    EntradaSuperficies e;
    e.filasPuntos = lstPuntos->Filas();
    e.vertices = cv::S(txtVertices->text());
    e.superficieSegregar = cv::S(txtSuperficieSegregar->text());
    e.modo = optPorVertice->isChecked() ? ModoSegregacion::PorVertice : ModoSegregacion::Paralela;
    e.lado = cv::S(txtLado->text());
    e.vertice = cv::S(txtVertice->text());
    resultado_ = CalcularSuperficies(e);
    const ResultadoSuperficies& r = resultado_;
    lblSuperficie->setText(cv::Q(r.textoSuperficie));
    lblHectareas->setText(cv::Q(r.textoHectareas));
    lblPerimetro->setText(cv::Q(r.textoPerimetro));
    lblPuntoA->setText(cv::Q(r.textoPuntoA));
    lblPuntoB->setText(cv::Q(r.textoPuntoB));
    lblSuperficieResto->setText(cv::Q(r.textoSuperficieResto));
    lblAviso->setText(cv::Q(r.aviso));
}

void frmSuperficies::AbrirPuntos()
{
    AbrirFicheroCoordenadas(lstPuntos, this);
    Calcular();
    txtVertices->setFocus();
}

void frmSuperficies::Exportar()
{
    if (!resultado_.segregada) {
        cv::Aviso(this, QStringLiteral("No hay línea divisoria que exportar."));
        return;
    }
    const auto ruta = cv::ElegirFicheroGuardar(this, cv::DLG_GUARDAR_BASES);
    if (ruta && cv::GuardarTexto(this, *ruta, BasesDivisoria(resultado_, "A", "B"), cv::MSG_ERROR_GUARDAR))
        cv::Aviso(this, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}
