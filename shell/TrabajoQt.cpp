#include "shell/TrabajoQt.h"

#include <QTimer>
#include <map>

#include "shell/Comun.h"
#include "shell/Lista.h"

TrabajoQt::TrabajoQt()
{
    datos_.alCambiar = [this](CambioTrabajo c) {
        switch (c) {
        case CambioTrabajo::Poligonal: emit poligonalCambiada(); break;
        case CambioTrabajo::Listas: emit listasCambiadas(); break;
        case CambioTrabajo::Vano: emit vanoCambiado(); break;
        case CambioTrabajo::Compensacion: emit compensacionCambiada(); break;
        case CambioTrabajo::Terreno: emit terrenoCambiado(); break;
        }
        emit cambiado();
    };
}

namespace cv {

TrabajoQt& ElTrabajo()
{
    static TrabajoQt trabajo;
    return trabajo;
}

void PublicarListas(QWidget* ventana)
{
    auto* pendiente = new QTimer(ventana);
    pendiente->setSingleShot(true);
    pendiente->setInterval(0);
    QObject::connect(pendiente, &QTimer::timeout, ventana, [ventana] {
        std::map<std::string, std::vector<std::string>> filas;
        for (const Lista* lista : ventana->findChildren<Lista*>())
            filas[S(lista->objectName())] = lista->Filas();
        ElTrabajo().Datos().PonerListas(S(ventana->objectName()), std::move(filas));
    });
    for (Lista* lista : ventana->findChildren<Lista*>())
        QObject::connect(lista, &Lista::filasCambiadas, pendiente, qOverload<>(&QTimer::start));
    QObject::connect(ventana, &QObject::destroyed, &ElTrabajo(),
                     [nombre = S(ventana->objectName())] { ElTrabajo().Datos().QuitarListas(nombre); });
}

void RestaurarListas(QWidget* ventana, const ListasVentana& listas)
{
    for (const auto& [nombre, filas] : listas.filas)
        if (auto* lista = ventana->findChild<Lista*>(Q(nombre)))
            lista->Reemplazar(filas);
}

} // namespace cv
