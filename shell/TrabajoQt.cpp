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

// What a list window keeps between two publications: how many changes each
// list has had since the last one and, for a list just filled in one batch
// (AnotarFilas), the rows it was filled with, so that a long file's rows need
// not be read back from the control.
class Publicacion : public QObject {
public:
    explicit Publicacion(QWidget* ventana) : QObject(ventana) {}
    std::map<const QListWidget*, int> cambios;
    std::map<const QListWidget*, std::pair<int, std::vector<std::string>>> puestas;
};

void Publicar(QWidget* ventana, Publicacion* p)
{
    std::map<std::string, std::vector<std::string>> filas;
    for (const QListWidget* lista : ventana->findChildren<QListWidget*>()) {
        std::vector<std::string>& f = filas[S(lista->objectName())];
        const auto puesta = p->puestas.find(lista);
        // Filled in one batch and not touched since: the rows as they came.
        if (puesta != p->puestas.end() && p->cambios[lista] == puesta->second.first + 1 &&
            static_cast<size_t>(lista->count()) == puesta->second.second.size()) {
            f = std::move(puesta->second.second);
            continue;
        }
        f.reserve(static_cast<size_t>(lista->count()));
        for (int i = 0; i < lista->count(); ++i)
            f.push_back(S(lista->item(i)->text()));
    }
    p->cambios.clear();
    p->puestas.clear();
    ElTrabajo().Datos().PonerListas(S(ventana->objectName()), std::move(filas));
}

Publicacion* PublicacionDe(const QListWidget* lista)
{
    for (QObject* o = lista->parent(); o; o = o->parent())
        for (QObject* hijo : o->children())
            if (auto* p = dynamic_cast<Publicacion*>(hijo))
                return p;
    return nullptr;
}

} // namespace

void PublicarListas(QWidget* ventana)
{
    auto* publicacion = new Publicacion(ventana);
    auto* pendiente = new QTimer(publicacion);
    pendiente->setSingleShot(true);
    pendiente->setInterval(0);
    QObject::connect(pendiente, &QTimer::timeout, ventana, [ventana, publicacion] { Publicar(ventana, publicacion); });
    for (QListWidget* lista : ventana->findChildren<QListWidget*>()) {
        QAbstractItemModel* m = lista->model();
        auto cambio = [pendiente, publicacion, lista] {
            ++publicacion->cambios[lista];
            pendiente->start();
        };
        QObject::connect(m, &QAbstractItemModel::modelReset, pendiente, cambio);
        QObject::connect(m, &QAbstractItemModel::rowsInserted, pendiente, cambio);
        QObject::connect(m, &QAbstractItemModel::rowsRemoved, pendiente, cambio);
        QObject::connect(m, &QAbstractItemModel::dataChanged, pendiente, cambio);
    }
    QObject::connect(ventana, &QObject::destroyed, &ElTrabajo(),
                     [nombre = S(ventana->objectName())] { ElTrabajo().Datos().QuitarListas(nombre); });
}

void AnotarFilas(const QListWidget* lista, std::vector<std::string>&& filas)
{
    Publicacion* p = lista->count() == 0 ? PublicacionDe(lista) : nullptr;
    if (p)
        p->puestas[lista] = {p->cambios[lista], std::move(filas)};
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
