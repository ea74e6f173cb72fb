#pragma once
// What the window tests share: answering message boxes and file dialogs as a
// user would, finding controls and menu items by name, and whole files.
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>

#include "core/Ficheros.h"
#include "shell/Lista.h"

namespace prueba {

// What a message box showed and which buttons it offered.
struct Mensaje {
    bool visto = false;
    QString titulo, texto;
    QMessageBox::Icon icono = QMessageBox::NoIcon;
    QMessageBox::StandardButtons botones;
};

// What a file dialog showed: title, filters, default suffix, initial selection.
struct Dialogo {
    bool visto = false;
    QString titulo;
    QStringList filtros;
    QString extension;
    QStringList seleccion;
};

// Closes every modal window still open, innermost first.
inline void CerrarModales()
{
    for (int vueltas = 0; vueltas < 10 && QApplication::activeModalWidget(); ++vueltas) {
        QWidget* modal = QApplication::activeModalWidget();
        qobject_cast<QDialog*>(modal) ? static_cast<QDialog*>(modal)->reject() : (void)modal->close();
    }
}

// Hands the next modal widget of type T to the action (start it before the call
// that opens it). A file dialog's own boxes are left to ResponderFichero.
template <class T> void AlAparecer(std::function<void(T*)> accion, int esperaMs = 5000)
{
    auto* temporizador = new QTimer;
    QObject::connect(temporizador, &QTimer::timeout, [temporizador, limite = QDeadlineTimer(esperaMs), accion] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        const bool suyo = w && !qobject_cast<QFileDialog*>(w->parentWidget());
        if (!suyo && !limite.hasExpired())
            return;
        temporizador->stop();
        temporizador->deleteLater();
        if (suyo)
            accion(w);
        if (suyo && QTest::currentTestFailed()) // a check inside the action failed: nothing must stay open
            CerrarModales();
    });
    temporizador->start(20);
}

// Answers the next message box with the button and records what it said.
inline std::shared_ptr<Mensaje> Responder(QMessageBox::StandardButton boton = QMessageBox::Ok)
{
    auto m = std::make_shared<Mensaje>();
    AlAparecer<QMessageBox>([m, boton](QMessageBox* caja) {
        *m = {true, caja->windowTitle(), caja->text(), caja->icon(), caja->standardButtons()};
        caja->done(boton);
    });
    return m;
}

// Answers the next file dialog (Qt's own) with a path typed into its name box,
// confirming a replacement, or cancels it for an empty path.
inline std::shared_ptr<Dialogo> ResponderFichero(const QString& ruta)
{
    auto d = std::make_shared<Dialogo>();
    AlAparecer<QFileDialog>([d, ruta](QFileDialog* dialogo) {
        *d = {true, dialogo->windowTitle(), dialogo->nameFilters(), dialogo->defaultSuffix(), dialogo->selectedFiles()};
        auto* nombre = dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (ruta.isEmpty() || !nombre)
            return dialogo->reject();
        nombre->setText(ruta); // (selectFile leaves the box alone while it has focus)
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

// A control by its design name (element i of an array is "name_i").
template <class T> T* Control(QWidget* ventana, const QString& nombre)
{
    T* c = ventana->findChild<T*>(nombre);
    if (!c)
        qWarning("no control named %s", qPrintable(nombre));
    return c;
}
inline QPushButton* Boton(QWidget* v, const QString& nombre) { return Control<QPushButton>(v, nombre); }
inline cv::Lista* Lista(QWidget* v, const QString& nombre) { return Control<cv::Lista>(v, nombre); }
inline QLineEdit* Campo(QWidget* v, const QString& nombre) { return Control<QLineEdit>(v, nombre); }

// The texts of a window's labels and fields, found by name, joined by "|".
inline QString Textos(QWidget* ventana, const QStringList& nombres)
{
    QStringList r;
    for (const QString& n : nombres) {
        auto* l = ventana->findChild<QLabel*>(n);
        auto* e = ventana->findChild<QLineEdit*>(n);
        r << (l ? l->text() : e ? e->text() : "<no hay " + n + ">");
    }
    return r.join('|');
}

// Picks a menu item of the main window by its name, once it is enabled.
inline void Menu(QWidget* principal, const QString& nombre)
{
    auto* accion = principal->findChild<QAction*>(nombre);
    QVERIFY2(accion && accion->isEnabled(), qPrintable(nombre));
    accion->trigger();
}

// Shows a window and makes it active (late on a loaded machine: ConFoco does not need it).
inline bool Mostrar(QWidget* ventana)
{
    ventana->show();
    ventana->activateWindow();
    return QTest::qWaitForWindowActive(ventana, 2000) || QTest::qWaitForWindowExposed(ventana);
}

// Clicks on a row of a list, as the user picks a base or a point.
inline void Seleccionar(cv::Lista* lista, int fila)
{
    const QModelIndex item = lista->model()->index(fila, 0);
    QVERIFY(item.isValid());
    lista->scrollTo(item);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualRect(item).center());
    QCOMPARE(lista->currentRow(), fila);
}

// Picks a row of a list and presses the button that takes it.
inline void Entrar(cv::Lista* lista, int fila, QAbstractButton* boton)
{
    Seleccionar(lista, fila);
    QTest::mouseClick(boton, Qt::LeftButton);
}

// Presses the button and checks the box it brings up: title "cartavector", text,
// icon, and Yes/No for a question without icon, OK otherwise; answered with `respuesta`.
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

// The control holds its window's focus (offscreen, a window is not activated again after a box).
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

namespace ficheros {

inline const QString ERROR_ABRIR = QStringLiteral("Se produjo un error al abrir el fichero. ");
inline const QString ERROR_GUARDAR = QStringLiteral("Se produjo un error al guardar el fichero. ");

// A file message: its fixed start followed by the system's own words.
inline bool ConMotivo(const QString& texto, const QString& inicio)
{
    return texto.startsWith(inicio) && texto.size() > inicio.size();
}

// The rows of a list, as its model shows them.
inline QStringList Filas(const QListView* lista)
{
    QStringList filas;
    for (int i = 0; lista && i < lista->model()->rowCount(); ++i)
        filas << lista->model()->index(i, 0).data().toString();
    return filas;
}

// The whole file, or a text no test file holds.
inline QByteArray Leer(const QString& ruta)
{
    std::string datos;
    return LeerFichero(ruta.toStdString(), datos).ok ? QByteArray::fromStdString(datos) : "<no se pudo leer>";
}

inline bool Escribir(const QString& ruta, const QByteArray& datos)
{
    return EscribirFichero(ruta.toStdString(), std::string_view(datos.constData(), size_t(datos.size()))).ok;
}

// A full disk while it lives: a write past `bytes` fails with EFBIG (SIGXFSZ ignored meanwhile).
class DiscoLleno {
public:
    explicit DiscoLleno(qint64 bytes) : senal_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &antes_);
        const rlimit lleno{static_cast<rlim_t>(bytes), antes_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lleno);
    }
    ~DiscoLleno() { setrlimit(RLIMIT_FSIZE, &antes_), std::signal(SIGXFSZ, senal_); }
    DiscoLleno(const DiscoLleno&) = delete;

private:
    void (*senal_)(int);
    rlimit antes_{};
};

} // namespace ficheros

} // namespace prueba
