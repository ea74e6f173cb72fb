#pragma once
// What the window tests share: answering the modal boxes and file dialogs as
// a user would, and finding controls by their design names.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace prueba {

// What a message box showed and which button answered it.
struct Mensaje {
    bool visto = false;
    QString titulo;
    QString texto;
    QMessageBox::Icon icono = QMessageBox::NoIcon;
    QMessageBox::StandardButtons botones;
};

// Waits (in the event loop) for the next modal widget of type T and hands it
// to the action. Start it before the call that opens the modal window.
template <class T> void AlAparecer(std::function<void(T*)> accion, int esperaMs = 5000)
{
    auto* temporizador = new QTimer;
    auto transcurrido = std::make_shared<int>(0);
    temporizador->setInterval(20);
    QObject::connect(temporizador, &QTimer::timeout, [temporizador, transcurrido, accion, esperaMs] {
        *transcurrido += 20;
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            temporizador->stop();
            temporizador->deleteLater();
            accion(w);
        } else if (*transcurrido > esperaMs) {
            temporizador->stop();
            temporizador->deleteLater();
        }
    });
    temporizador->start();
}

// Answers the next message box with the button and records what it said.
inline std::shared_ptr<Mensaje> Responder(QMessageBox::StandardButton boton = QMessageBox::Ok)
{
    auto m = std::make_shared<Mensaje>();
    AlAparecer<QMessageBox>([m, boton](QMessageBox* caja) {
        m->visto = true;
        m->titulo = caja->windowTitle();
        m->texto = caja->text();
        m->icono = caja->icon();
        m->botones = caja->standardButtons();
        caja->done(boton);
    });
    return m;
}

// Answers the next file dialog: a path to accept (empty to cancel), and
// records its title, filter, default suffix and initial name.
struct Dialogo {
    bool visto = false;
    QString titulo;
    QStringList filtros;
    QString extension;
    QStringList seleccion;
    bool nativo = true;
};

inline std::shared_ptr<Dialogo> ResponderFichero(const QString& ruta)
{
    auto d = std::make_shared<Dialogo>();
    AlAparecer<QFileDialog>([d, ruta](QFileDialog* dialogo) {
        d->visto = true;
        d->titulo = dialogo->windowTitle();
        d->filtros = dialogo->nameFilters();
        d->extension = dialogo->defaultSuffix();
        d->seleccion = dialogo->selectedFiles();
        d->nativo = !dialogo->testOption(QFileDialog::DontUseNativeDialog);
        if (ruta.isEmpty()) {
            dialogo->reject();
            return;
        }
        // The path goes into the name box, as a user types it (selectFile
        // leaves the box alone while it has the focus).
        if (auto* nombre = dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            nombre->setText(ruta);
        else
            dialogo->selectFile(ruta);
        static_cast<QDialog*>(dialogo)->accept();
    });
    return d;
}

template <class T> T* Control(QWidget* ventana, const QString& nombre)
{
    T* c = ventana->findChild<T*>(nombre);
    if (!c)
        qWarning("no control named %s", qPrintable(nombre));
    return c;
}

// Shows a window and makes it the active one, so that focus moves can be seen.
inline bool Mostrar(QWidget* ventana)
{
    ventana->show();
    ventana->activateWindow();
    return QTest::qWaitForWindowActive(ventana);
}

// Clicks on a row of a list, as the user picks a base or a point.
inline void Seleccionar(QListWidget* lista, int fila)
{
    QListWidgetItem* item = lista->item(fila);
    QVERIFY(item);
    lista->scrollToItem(item);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
    QCOMPARE(lista->currentRow(), fila);
}

// True when the control holds its window's focus: at once when the window is
// active, or when it becomes active again after a modal box has closed (the
// offscreen platform does not activate it again by itself).
inline bool ConFoco(const QWidget* control)
{
    return control->window()->focusWidget() == control;
}

// Types into a field as a user would: focus, then the keys.
inline void Teclear(QWidget* campo, const QString& texto)
{
    campo->setFocus();
    QTest::keyClicks(campo, texto);
}

} // namespace prueba
