#include "points/frmEditarBases.h"

#include "core/FicherosTexto.h"
#include "exchange/Intercambio.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "shell/modResIndependentForm.h"

frmEditarBases::frmEditarBases(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmEditarBases"));
    setWindowTitle(QStringLiteral("Edición manual de bases"));
    setGeometry(220, 90, 340, 470);

    cv::CrearEtiqueta(this, QStringLiteral("Label5"), QStringLiteral("Bases"), QRect(16, 8, 150, 20));
    const QString etiquetas[4] = {QStringLiteral("Base ...."), QStringLiteral("X ......."), QStringLiteral("Y ......."),
                                  QStringLiteral("Z .......")};
    QList<QLineEdit*> orden;
    for (int i = 0; i < 4; ++i) {
        cv::CrearEtiqueta(this, QStringLiteral("Label%1").arg(i + 1), etiquetas[i], QRect(16, 34 + 30 * i, 80, 22));
        txtBase[i] = cv::CrearCampo(this, QStringLiteral("txtBase"), i, QRect(100, 32 + 30 * i, 140, 24));
        cv::FiltrarTeclas(txtBase[i], i == 0 ? cv::TipoCampo::Nombre : cv::TipoCampo::Numerico);
        orden << txtBase[i];
    }

    cmdAnadirBase = cv::CrearBoton(this, QStringLiteral("cmdAnadirBase"), QStringLiteral("Añadir"),
                                   QRect(252, 122, 72, 26), QStringLiteral("Añandir base"));
    // Enter on the button adds the base, as the key that brought the focus there.
    cmdAnadirBase->setAutoDefault(true);
    cmdAbrirBases = cv::CrearBoton(this, QStringLiteral("cmdAbrirBases"), QStringLiteral("Abrir"),
                                   QRect(16, 164, 72, 26), QStringLiteral("Abrir fichero de bases"));
    cmdGuardarFichero = cv::CrearBoton(this, QStringLiteral("cmdGuardarFichero"), QStringLiteral("Guardar"),
                                       QRect(92, 164, 72, 26), QStringLiteral("Guardar fichero de bases"));
    cmdCortarBase = cv::CrearBoton(this, QStringLiteral("cmdCortarBase"), QStringLiteral("Cortar"),
                                   QRect(168, 164, 72, 26), QStringLiteral("Cortar base seleccionada"));
    cmdBorrarBases = cv::CrearBoton(this, QStringLiteral("cmdBorrarBases"), QStringLiteral("Borrar"),
                                    QRect(252, 164, 72, 26), QStringLiteral("Borrar todas las bases"));

    cv::CrearEtiqueta(this, QStringLiteral("Label6"), QStringLiteral("Listado"), QRect(16, 200, 150, 20));
    lstBases = cv::CrearLista(this, QStringLiteral("lstBases"), QRect(16, 222, 308, 200), QString(),
                              cv::FilasLista::Medidas, cv::FuenteFija(true));

    // Enter on Z leaves the focus on the add button; the arrows stop at both ends.
    new cv::OrdenCampos(this, orden, [this] { cmdAnadirBase->setFocus(); });
    setTabOrder(txtBase[0], txtBase[1]);
    setTabOrder(txtBase[1], txtBase[2]);
    setTabOrder(txtBase[2], txtBase[3]);
    setTabOrder(txtBase[3], cmdAnadirBase);

    connect(cmdAnadirBase, &QPushButton::clicked, this, &frmEditarBases::AnadirBase);
    connect(cmdAbrirBases, &QPushButton::clicked, this, &frmEditarBases::AbrirBases);
    connect(cmdGuardarFichero, &QPushButton::clicked, this, [this] { GuardarFicheroBases(lstBases, this); });
    connect(cmdCortarBase, &QPushButton::clicked, this, [this] { CortarBaseSeleccionada(lstBases); });
    connect(cmdBorrarBases, &QPushButton::clicked, this, &frmEditarBases::BorrarBases);
    CrearBotonesIntercambio(this, QRect(16, 432, 150, 26), QRect(174, 432, 150, 26),
                            [this] { return DibujoDeListas(lstBases, nullptr); });
    cv::PrepararVentana(this);
    cv::PublicarListas(this);
}

void frmEditarBases::AnadirBase()
{
    std::array<std::string, 6> filas;
    if (!FilasBaseTecleada(cv::S(txtBase[0]->text()), cv::S(txtBase[1]->text()), cv::S(txtBase[2]->text()),
                           cv::S(txtBase[3]->text()), filas)) {
        cv::Aviso(this, cv::MSG_DATOS_NO_VALIDOS, QMessageBox::Warning);
        return;
    }
    lstBases->Anadir(std::vector<std::string>(filas.begin(), filas.end()));
    for (QLineEdit* campo : txtBase)
        campo->clear();
    // The end of the list in view, so that the whole new base is, and its name selected.
    lstBases->scrollToBottom();
    lstBases->setCurrentRow(lstBases->count() - 6);
    txtBase[0]->setFocus();
}

void frmEditarBases::BorrarBases()
{
    if (!cv::Pregunta(this, QStringLiteral("¿Confirma que desea borrar todas las bases?"), QMessageBox::NoIcon))
        return;
    lstBases->clear();
    txtBase[0]->setFocus();
}

void frmEditarBases::AbrirBases()
{
    AbrirFicheroBases(lstBases, this);
    txtBase[0]->setFocus();
}
