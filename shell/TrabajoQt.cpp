#include "shell/TrabajoQt.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
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
        case CambioTrabajo::Entradas: break; // nothing is drawn from them
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

constexpr const char* ENTRADA = "cvEntrada";
constexpr const char* VALORES = "cvValores";

// The inputs a window keeps besides its lists, in the order they are put
// back: the labels that show a chosen base, the options, the tables, the
// text areas, and the text boxes last, whose change runs the computation.
enum class Entrada { Etiqueta, Opcion, Tabla, Texto, Campo, Ninguna };

Entrada ClaseDe(const QObject* o)
{
    const QString n = o->objectName();
    const auto* boton = qobject_cast<const QAbstractButton*>(o);
    if (qobject_cast<const QLabel*>(o) && o->property(ENTRADA).toBool())
        return Entrada::Etiqueta;
    if ((n.startsWith(u"opt") || n.startsWith(u"chk")) && boton && boton->isCheckable())
        return Entrada::Opcion;
    if (n.startsWith(u"tbl") && qobject_cast<const QTableWidget*>(o))
        return Entrada::Tabla;
    if (n.startsWith(u"txt") && qobject_cast<const QPlainTextEdit*>(o))
        return Entrada::Texto;
    if (n.startsWith(u"txt") && qobject_cast<const QLineEdit*>(o))
        return Entrada::Campo;
    return Entrada::Ninguna;
}

// An input as rows of text: a table row's cells joined by tabs, a text area
// line by line, an option "1" or "0".
std::vector<std::string> Filas(const QObject* o, Entrada clase)
{
    switch (clase) {
    case Entrada::Etiqueta: {
        std::vector<std::string> filas = Valores(static_cast<const QLabel*>(o));
        filas.insert(filas.begin(), S(static_cast<const QLabel*>(o)->text()));
        return filas;
    }
    case Entrada::Opcion: return {static_cast<const QAbstractButton*>(o)->isChecked() ? "1" : "0"};
    case Entrada::Campo: return {S(static_cast<const QLineEdit*>(o)->text())};
    case Entrada::Texto: {
        std::vector<std::string> filas;
        for (const QString& linea : static_cast<const QPlainTextEdit*>(o)->toPlainText().split(u'\n'))
            filas.push_back(S(linea));
        return filas;
    }
    case Entrada::Tabla: {
        const auto* t = static_cast<const QTableWidget*>(o);
        std::vector<std::string> filas;
        for (int f = 0; f < t->rowCount(); ++f) {
            QStringList celdas;
            for (int c = 0; c < t->columnCount(); ++c)
                celdas << (t->item(f, c) ? t->item(f, c)->text() : QString());
            filas.push_back(S(celdas.join(u'\t')));
        }
        return filas;
    }
    case Entrada::Ninguna: break;
    }
    return {};
}

void Poner(QObject* o, Entrada clase, const std::vector<std::string>& filas)
{
    const QString primera = filas.empty() ? QString() : Q(filas.front());
    switch (clase) {
    case Entrada::Etiqueta:
        static_cast<QLabel*>(o)->setText(primera);
        PonerValores(static_cast<QLabel*>(o), {filas.begin() + (filas.empty() ? 0 : 1), filas.end()});
        break;
    case Entrada::Opcion:
        // An option of a group is put by checking the one that was.
        if (primera == u"1" || !static_cast<QAbstractButton*>(o)->autoExclusive())
            static_cast<QAbstractButton*>(o)->setChecked(primera == u"1");
        break;
    case Entrada::Campo: static_cast<QLineEdit*>(o)->setText(primera); break;
    case Entrada::Texto: {
        QStringList lineas;
        for (const std::string& f : filas)
            lineas << Q(f);
        static_cast<QPlainTextEdit*>(o)->setPlainText(lineas.join(u'\n'));
        break;
    }
    case Entrada::Tabla: {
        auto* t = static_cast<QTableWidget*>(o);
        t->clearContents();
        t->setRowCount(std::max(t->rowCount(), static_cast<int>(filas.size())));
        for (int f = 0; f < static_cast<int>(filas.size()); ++f) {
            const QStringList celdas = Q(filas[static_cast<size_t>(f)]).split(u'\t');
            for (int c = 0; c < std::min(t->columnCount(), static_cast<int>(celdas.size())); ++c)
                if (!celdas[c].isEmpty())
                    t->setItem(f, c, new QTableWidgetItem(celdas[c]));
        }
        break;
    }
    case Entrada::Ninguna: break;
    }
}

std::map<std::string, std::vector<std::string>> Entradas(const QWidget* ventana)
{
    std::map<std::string, std::vector<std::string>> entradas;
    for (const QWidget* w : ventana->findChildren<QWidget*>())
        if (const Entrada clase = ClaseDe(w); clase != Entrada::Ninguna)
            entradas[S(w->objectName())] = Filas(w, clase);
    return entradas;
}

// The window's inputs go into the job as they change: the text boxes as
// typed, the options as toggled, the tables' cells, and the labels with the
// button press that sets them.
void PublicarEntradas(QWidget* ventana)
{
    QTimer* pendiente = CrearPendiente(
        ventana, [ventana] { ElTrabajo().Datos().PonerEntradas(S(ventana->objectName()), Entradas(ventana)); });
    const auto avisar = qOverload<>(&QTimer::start);
    for (QWidget* w : ventana->findChildren<QWidget*>()) {
        if (auto* boton = qobject_cast<QAbstractButton*>(w))
            QObject::connect(boton, &QAbstractButton::clicked, pendiente, avisar);
        switch (ClaseDe(w)) {
        case Entrada::Opcion:
            QObject::connect(static_cast<QAbstractButton*>(w), &QAbstractButton::toggled, pendiente, avisar);
            break;
        case Entrada::Campo:
            QObject::connect(static_cast<QLineEdit*>(w), &QLineEdit::textChanged, pendiente, avisar);
            break;
        case Entrada::Texto:
            QObject::connect(static_cast<QPlainTextEdit*>(w), &QPlainTextEdit::textChanged, pendiente, avisar);
            break;
        case Entrada::Tabla: {
            const QAbstractItemModel* m = static_cast<QTableWidget*>(w)->model();
            QObject::connect(m, &QAbstractItemModel::dataChanged, pendiente, avisar);
            QObject::connect(m, &QAbstractItemModel::rowsInserted, pendiente, avisar);
            QObject::connect(m, &QAbstractItemModel::rowsRemoved, pendiente, avisar);
            break;
        }
        default: break;
        }
    }
}

} // namespace

void MarcarEntrada(QLabel* etiqueta) { etiqueta->setProperty(ENTRADA, true); }

void PonerValores(QLabel* etiqueta, const std::vector<std::string>& valores)
{
    QStringList v;
    for (const std::string& s : valores)
        v << Q(s);
    etiqueta->setProperty(VALORES, v);
}

std::vector<std::string> Valores(const QLabel* etiqueta)
{
    std::vector<std::string> v;
    for (const QString& s : etiqueta->property(VALORES).toStringList())
        v.push_back(S(s));
    return v;
}

void PublicarListas(QWidget* ventana)
{
    PublicarEntradas(ventana);
    QTimer* pendiente = CrearPendiente(ventana, [ventana] {
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
    // Each input by its kind, in the order of the kinds.
    std::vector<std::pair<QWidget*, Entrada>> entradas;
    for (QWidget* w : ventana->findChildren<QWidget*>())
        if (const Entrada clase = ClaseDe(w); clase != Entrada::Ninguna && listas.entradas.count(S(w->objectName())))
            entradas.emplace_back(w, clase);
    std::stable_sort(entradas.begin(), entradas.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& [w, clase] : entradas)
        Poner(w, clase, listas.entradas.at(S(w->objectName())));
}

} // namespace cv
