#include <QApplication>

#include "core/Configuracion.h"
#include "shell/Icono.h"
#include "app/frmSplash.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cartavector"));
    QApplication::setWindowIcon(IconoPrograma());
    // config.cvr and the help pages live beside the executable.
    FijarCarpetaPrograma(QApplication::applicationDirPath().toStdString());
    auto* splash = new frmSplash();
    splash->show();
    return QApplication::exec();
}
