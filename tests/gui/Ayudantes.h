#pragma once
// What the window tests share: answering the modal boxes and file dialogs as
// a user would, and finding controls by their design names.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QAbstractButton>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <memory>
#include <string>

#include "core/Ficheros.h"

namespace prueba {

// What a message box showed and which button answered it.
struct Mensaje {
    bool visto = false;
    QString titulo;
    QString texto;
    QMessageBox::Icon icono = QMessageBox::NoIcon;
    QMessageBox::StandardButtons botones;
};

// Closes every modal window still open, innermost first.
inline void CerrarModales()
{
    for (int vueltas = 0; vueltas < 10; ++vueltas) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto* dialogo = qobject_cast<QDialog*>(modal))
            dialogo->reject();
        else
            modal->close();
    }
}

// Waits (in the event loop) for the next modal widget of type T and hands it
// to the action. Start it before the call that opens the modal window.
template <class T> void AlAparecer(std::function<void(T*)> accion, int esperaMs = 5000)
{
    auto* temporizador = new QTimer;
    auto transcurrido = std::make_shared<int>(0);
    temporizador->setInterval(20);
    QObject::connect(temporizador, &QTimer::timeout, [temporizador, transcurrido, accion, esperaMs] {
        *transcurrido += 20;
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        // A file dialog's own question (replace the file?) is its answerer's.
        if (w && !qobject_cast<QFileDialog*>(w->parentWidget())) {
            temporizador->stop();
            temporizador->deleteLater();
            accion(w);
            // A check that failed inside the action returned early: close
            // what is still open so the test reports instead of waiting.
            if (QTest::currentTestFailed())
                CerrarModales();
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
        // A user who picked a file that is there confirms replacing it.
        auto* confirmar = new QTimer(dialogo);
        QObject::connect(confirmar, &QTimer::timeout, dialogo, [dialogo] {
            for (QMessageBox* caja : dialogo->findChildren<QMessageBox*>())
                if (caja->isVisible() && caja->button(QMessageBox::Yes))
                    caja->button(QMessageBox::Yes)->click();
        });
        confirmar->start(10);
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
    // Activation may come late on a loaded machine; focus is checked with
    // ConFoco, which does not need it.
    (void)QTest::qWaitForWindowActive(ventana, 2000);
    return QTest::qWaitForWindowExposed(ventana);
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

// Picks a row of a list and presses the button that takes it.
inline void Entrar(QListWidget* lista, int fila, QAbstractButton* boton)
{
    Seleccionar(lista, fila);
    QTest::mouseClick(boton, Qt::LeftButton);
}

// Presses the button and checks the box it brings up (title, text, icon and
// buttons: Yes/No for a question without icon, OK otherwise), answered with
// `respuesta`.
inline void Pulsar(QAbstractButton* boton, const QString& texto, QMessageBox::Icon icono,
                   QMessageBox::StandardButton respuesta = QMessageBox::Ok)
{
    auto m = Responder(respuesta);
    QTest::mouseClick(boton, Qt::LeftButton);
    QTRY_VERIFY2(m->visto, qPrintable(texto));
    QCOMPARE(m->titulo, QString("cartavector"));
    QCOMPARE(m->texto, texto);
    QCOMPARE(m->icono, icono);
    QCOMPARE(m->botones, icono == QMessageBox::NoIcon ? QMessageBox::Yes | QMessageBox::No
                                                      : QMessageBox::StandardButtons(QMessageBox::Ok));
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

// The file messages, the rows of a list and whole files, for the tests of the
// list files (a test that reads and writes files its own way leaves these out).
namespace ficheros {

inline const QString ERROR_ABRIR = QStringLiteral("Se produjo un error al abrir el fichero. ");
inline const QString ERROR_GUARDAR = QStringLiteral("Se produjo un error al guardar el fichero. ");

// The system's own words follow the fixed start of a file message.
inline bool ConMotivo(const QString& texto, const QString& inicio)
{
    return texto.startsWith(inicio) && texto.size() > inicio.size();
}

inline QStringList Filas(const QListWidget* lista)
{
    QStringList filas;
    for (int i = 0; i < lista->count(); ++i)
        filas << lista->item(i)->text();
    return filas;
}

// The whole file, or a text no file of the tests holds when it cannot be read.
inline QByteArray Leer(const QString& ruta)
{
    std::string datos;
    if (!LeerFichero(ruta.toStdString(), datos).ok)
        return QByteArray("<no se pudo leer>");
    return QByteArray::fromStdString(datos);
}

// A full disk while it lives: a write past `bytes` fails with EFBIG (the
// signal that would end the process is ignored meanwhile).
class DiscoLleno {
public:
    explicit DiscoLleno(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &antes_);
        senal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit l = antes_;
        l.rlim_cur = static_cast<rlim_t>(bytes);
        setrlimit(RLIMIT_FSIZE, &l);
    }
    ~DiscoLleno()
    {
        setrlimit(RLIMIT_FSIZE, &antes_);
        std::signal(SIGXFSZ, senal_);
    }
    DiscoLleno(const DiscoLleno&) = delete;
    DiscoLleno& operator=(const DiscoLleno&) = delete;

private:
    rlimit antes_{};
    void (*senal_)(int) = SIG_DFL;
};

inline bool Escribir(const QString& ruta, const QByteArray& datos)
{
    return EscribirFichero(ruta.toStdString(), std::string_view(datos.constData(), static_cast<size_t>(datos.size()))).ok;
}

} // namespace ficheros

} // namespace prueba
