#include "shell/Icono.h"

#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QIcon IconoPrograma()
{
    const QString fuente = QStringLiteral(":/icono.svg");
    QIcon icono;
    if (!QFileInfo::exists(fuente))
        return icono;
    QSvgRenderer svg(fuente);
    for (int lado : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap imagen(lado, lado);
        imagen.fill(Qt::transparent);
        QPainter pintor(&imagen);
        svg.render(&pintor);
        pintor.end();
        icono.addPixmap(imagen);
    }
    return icono;
}
