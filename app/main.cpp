#include <QApplication>

#include "core/Configuracion.h"
#include "shell/frmSplash.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cartavector"));
    FijarCarpetaPrograma(QApplication::applicationDirPath().toStdString());
    auto* splash = new frmSplash();
    splash->show();
    return QApplication::exec();
}
