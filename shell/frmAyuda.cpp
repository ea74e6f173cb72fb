#include "shell/frmAyuda.h"

#include <QFileInfo>
#include <QUrl>

#include "core/Configuracion.h"
#include "shell/Comun.h"
#include "shell/modResIndependentForm.h"

frmAyuda::frmAyuda(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmAyuda"));
    setWindowTitle(QStringLiteral("Ayuda"));
    setGeometry(20, 20, 640, 440);
    WebBrowser1 = new QTextBrowser(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setOpenExternalLinks(true);
    WebBrowser1->setGeometry(rect());
    cv::PrepararVentana(this);

    const QString pagina = cv::Q(CarpetaPrograma()) + QStringLiteral("/ayuda/index.html");
    if (QFileInfo::exists(pagina))
        WebBrowser1->setSource(QUrl::fromLocalFile(pagina));
    else
        WebBrowser1->setHtml(QStringLiteral("<h2>Página no encontrada</h2><p>%1</p>").arg(pagina.toHtmlEscaped()));
}

void frmAyuda::resizeEvent(QResizeEvent* evento)
{
    QWidget::resizeEvent(evento);
    // The viewer fills the window.
    WebBrowser1->setGeometry(rect());
}
