#include "app/frmConfiguracion.h"

#include <QLabel>

#include "core/Preferencias.h"
#include "core/modFuncionesTopo.h"
#include "exchange/Intercambio.h"
#include "shell/Comun.h"
#include "shell/modResIndependentForm.h"

namespace {
const QString MSG_ERROR_ESCRITURA = QStringLiteral("Error al intentar escribir en el archivo de configuración.");
}

Configuracion CargarConfiguracion(QWidget* padre)
{
    Configuracion cfg;
    LeerConfiguracion(cfg);
    if (!ConfiguracionValida(cfg)) {
        cfg.K = K_POR_DEFECTO;
        cv::Aviso(padre,
                  QStringLiteral("No se pudo leer la configuración o los valores no son válidos. "
                                 "Se tomarán los valores por defecto."),
                  QMessageBox::Critical);
        GuardarConfiguracion(cfg);
        if (cfg.Estado != 0)
            cv::Aviso(padre, MSG_ERROR_ESCRITURA, QMessageBox::Critical);
    }
    return cfg;
}

frmConfiguracion::frmConfiguracion(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmConfiguracion"));
    setWindowTitle(QStringLiteral("Configuración"));
    setGeometry(240, 180, 330, 200);

    auto* etiquetaK = new QLabel(QStringLiteral("Coeficiente de refracción ....."), this);
    etiquetaK->setObjectName(QStringLiteral("Label1"));
    etiquetaK->setGeometry(16, 20, 200, 22);
    txtK = new QLineEdit(this);
    txtK->setObjectName(QStringLiteral("txtK"));
    txtK->setToolTip(QStringLiteral("Coeficiente de refracción"));
    txtK->setGeometry(224, 18, 88, 24);

    chkAnularKER = new QCheckBox(this);
    chkAnularKER->setObjectName(QStringLiteral("chkAnularKER"));
    chkAnularKER->setGeometry(16, 56, 20, 22);
    auto* etiquetaAnular = new QLabel(QStringLiteral("No corregir esfericidad/refracción"), this);
    etiquetaAnular->setObjectName(QStringLiteral("Label2"));
    etiquetaAnular->setGeometry(40, 56, 270, 22);

    cmdXDefecto = new QPushButton(QStringLiteral("Valor por defecto"), this);
    cmdXDefecto->setObjectName(QStringLiteral("cmdXDefecto"));
    cmdXDefecto->setGeometry(16, 110, 140, 32);
    cmdXDefecto->setAutoDefault(false);
    cmdAceptar = new QPushButton(QStringLiteral("Cambiar configuración"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar->setGeometry(168, 110, 146, 32);
    cmdAceptar->setAutoDefault(false);

    auto* etiquetaEpsg = new QLabel(QStringLiteral("Sistema de coordenadas (EPSG) ..."), this);
    etiquetaEpsg->setObjectName(QStringLiteral("lblEpsg"));
    etiquetaEpsg->setGeometry(16, 158, 200, 22);
    txtEpsg = new QLineEdit(QString::number(LeerEpsg()), this);
    txtEpsg->setObjectName(QStringLiteral("txtEpsg"));
    txtEpsg->setToolTip(QStringLiteral("Código EPSG del sistema proyectado del trabajo, para exportar a mapa"));
    txtEpsg->setGeometry(224, 156, 88, 24);
    cv::FiltrarTeclas(txtEpsg, cv::TipoCampo::Entero);
    new cv::OrdenCampos(this, {txtEpsg}, [this] { cmdAceptar->setFocus(); }, false);

    cv::FiltrarTeclas(txtK, cv::TipoCampo::Numerico);
    // Enter in the field moves to the accept button without pressing it.
    new cv::OrdenCampos(this, {txtK}, [this] { cmdAceptar->setFocus(); }, false);

    connect(chkAnularKER, &QCheckBox::stateChanged, this, &frmConfiguracion::AnularKERCambiado);
    connect(cmdXDefecto, &QPushButton::clicked, this, &frmConfiguracion::PorDefecto);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmConfiguracion::Aceptar);

    cv::PrepararVentana(this);

    // Loading shows the file's K; it does not change the K in force.
    const Configuracion cfg = CargarConfiguracion(this);
    {
        const QSignalBlocker bloqueo(chkAnularKER);
        chkAnularKER->setChecked(cfg.K == K_MAXIMA);
    }
    txtK->setText(cv::Q(F2(cfg.K)));
}

void frmConfiguracion::AnularKERCambiado()
{
    txtK->setText(cv::Q(F2(chkAnularKER->isChecked() ? K_MAXIMA : K_POR_DEFECTO)));
}

void frmConfiguracion::PorDefecto()
{
    txtK->setText(cv::Q(F2(K_POR_DEFECTO)));
    chkAnularKER->setChecked(false);
}

void frmConfiguracion::Aceptar()
{
    const double K = cv::LeerNumero(txtK);
    if (!cv::EsNumero(txtK) || !KValida(K)) {
        cv::Aviso(this, cv::MSG_DATOS_NO_VALIDOS);
        return;
    }
    // The coordinate system first: a code PROJ does not know changes nothing.
    const int epsg = txtEpsg->text().toInt();
    const Transformacion sistema(epsg);
    if (!sistema.Valida()) {
        cv::Aviso(this, cv::Q(sistema.Error()));
        return;
    }
    std::string error;
    if (epsg != LeerEpsg() && !GuardarEpsg(epsg, error))
        cv::Aviso(this, QStringLiteral("No se pudo guardar el sistema de coordenadas. ") + cv::Q(error),
                  QMessageBox::Critical);
    KRefraccion = K;
    Configuracion cfg;
    cfg.K = K;
    cfg.Estado = 0;
    GuardarConfiguracion(cfg);
    if (cfg.Estado != 0)
        cv::Aviso(this, MSG_ERROR_ESCRITURA, QMessageBox::Critical);
    else
        cv::Aviso(this, QStringLiteral("Configuración guardada."), QMessageBox::Information);
    accept();
    emit kCambiada();
}
