#include "shell/TrabajoQt.h"

#include <QListWidget>
#include <QPointer>
#include <QTimer>

#include "shell/Comun.h"

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

namespace {

void Publicar(QWidget* ventana)
{
    std::map<std::string, std::vector<std::string>> filas;
    for (const QListWidget* lista : ventana->findChildren<QListWidget*>()) {
        std::vector<std::string>& f = filas[S(lista->objectName())];
        f.reserve(static_cast<size_t>(lista->count()));
        for (int i = 0; i < lista->count(); ++i)
            f.push_back(S(lista->item(i)->text()));
    }
    ElTrabajo().Datos().PonerListas(S(ventana->objectName()), std::move(filas));
}

} // namespace

void PublicarListas(QWidget* ventana)
{
    auto* pendiente = new QTimer(ventana);
    pendiente->setSingleShot(true);
    pendiente->setInterval(0);
    QObject::connect(pendiente, &QTimer::timeout, ventana, [ventana] { Publicar(ventana); });
    for (QListWidget* lista : ventana->findChildren<QListWidget*>()) {
        QAbstractItemModel* m = lista->model();
        auto cambio = [pendiente] { pendiente->start(); };
        QObject::connect(m, &QAbstractItemModel::modelReset, pendiente, cambio);
        QObject::connect(m, &QAbstractItemModel::rowsInserted, pendiente, cambio);
        QObject::connect(m, &QAbstractItemModel::rowsRemoved, pendiente, cambio);
        QObject::connect(m, &QAbstractItemModel::dataChanged, pendiente, cambio);
    }
    QObject::connect(ventana, &QObject::destroyed, &ElTrabajo(),
                     [nombre = S(ventana->objectName())] { ElTrabajo().Datos().QuitarListas(nombre); });
}

void RestaurarListas(QWidget* ventana, const ListasVentana& listas)
{
    for (const auto& [nombre, filas] : listas.filas)
        if (auto* lista = ventana->findChild<QListWidget*>(Q(nombre))) {
            QStringList textos;
            textos.reserve(static_cast<qsizetype>(filas.size()));
            for (const std::string& f : filas)
                textos << Q(f);
            lista->clear();
            lista->addItems(textos);
        }
}

} // namespace cv
