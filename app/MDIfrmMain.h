#pragma once
#include <QAction>
#include <QDialog>
#include <QHash>
#include <QLabel>
#include <QLockFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <future>
#include <memory>
#include <string>

#include "core/Trabajo.h"
#include "shell/modResIndependentForm.h"

// The main frame: menu, information strip and the area of the child windows.
// Every window class has at most one open window; asking for it again brings
// the open one to the front with its contents. The frame owns the state of
// its menu and strip: the windows only signal their changes, and one function,
// ActualizarEstado, sets both from what is open.
class MDIfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit MDIfrmMain(QWidget* parent = nullptr);
    ~MDIfrmMain() override;

    // The open window of class T, or null.
    template <class T> T* Buscar() const
    {
        const QPointer<QWidget> p = ventanas_.value(QString::fromLatin1(T::staticMetaObject.className()));
        return qobject_cast<T*>(p.data());
    }

    // A window inside the frame.
    template <class T> T* MostrarHija()
    {
        if (T* abierta = Traer<T>())
            return abierta;
        T* w = new T();
        w->setAttribute(Qt::WA_DeleteOnClose);
        QMdiSubWindow* marco = mdiArea->addSubWindow(w);
        marco->setAttribute(Qt::WA_DeleteOnClose);
        Registrar(w);
        marco->show();
        Colocar(marco);
        return w;
    }

    // A modeless window of its own, outside the frame.
    template <class T> T* MostrarSeparada()
    {
        if (T* abierta = Traer<T>())
            return abierta;
        T* w = new T();
        w->setParent(this, Qt::Window);
        w->setAttribute(Qt::WA_DeleteOnClose);
        Registrar(w);
        w->show();
        return w;
    }

    // A modal window: the frame waits until it closes. True when accepted.
    template <class T, class... Args> bool MostrarModal(Args... args)
    {
        T w(args..., this);
        Registrar(&w);
        return w.exec() == QDialog::Accepted;
    }

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    // The start-up reading of the configuration: read, validate, fall back
    // to the default, set K and the information label.
    void LeerConfiguracionInicial();
    void CrearMenu();
    // A window beyond the design opens wholly inside the area, at its own size
    // or, a drawing, at two thirds of the area at least; the design's windows
    // keep their places and sizes.
    void Colocar(QMdiSubWindow* marco);
    // Records the window as its class's open one and listens to it.
    void Registrar(QWidget* w);
    // The one place that sets the menu items and lblInfo: the traverse items
    // from the open sheet (none, or its stations), lblInfo from the K in force.
    void ActualizarEstado();
    // The recovery file: the job written within a second of every change,
    // removed at a normal exit, offered back at the next start otherwise.
    void GuardarRecuperacion();
    void BorrarRecuperacion();
    void OfrecerRecuperacion();
    void TomarRecuperacion();
    void Recuperar(const Trabajo& t);
    // "Nueva": the starting vertices, then the sheet on them.
    void NuevaPoligonal();
    // The sheet's menu operations, run on the open sheet.
    template <class F> void EnHoja(F operacion);

    template <class T> T* Traer()
    {
        T* abierta = Buscar<T>();
        if (!abierta)
            return nullptr;
        if (auto* marco = qobject_cast<QMdiSubWindow*>(abierta->parentWidget())) {
            marco->showNormal();
            mdiArea->setActiveSubWindow(marco);
        } else {
            abierta->showNormal();
            abierta->raise();
            abierta->activateWindow();
        }
        return abierta;
    }

    QHash<QString, QPointer<QWidget>> ventanas_;
    QTimer* timRecuperacion;
    // This program's recovery file and the lock that keeps it its own while
    // it runs; no file when every turn is taken.
    std::string rutaRecuperacion_;
    std::unique_ptr<QLockFile> bloqueoRecuperacion_;
    std::future<void> escritura_; // the recovery file being written

    QMdiArea* mdiArea;
    QLabel* lblInfo;

    QAction* mnuArchivo;
    QAction* mnuArchivoConfiguracion;
    QAction* mnuSep1;
    QAction* mnuArchivoSalir;
    QAction* mnuPoligonal;
    QAction* mnuPoligonalNueva;
    QAction* mnuPoligonalAbrir;
    QAction* mnuSep2;
    QAction* mnuPoligonalGuardar;
    QAction* mnuPoligonalExportar;
    QAction* mnuPoligonalExportarDxf;
    QAction* mnuPoligonalExportarMapa;
    QAction* mnuPoligonalImprimir;
    QAction* mnuSep3;
    QAction* mnuPoligonalVerticesdeSalida;
    QAction* mnuPoligonalCerrar;
    QAction* mnuPoligonalCompensar;
    QAction* mnuRadiacion;
    QAction* mnuRadiacionRadiarBases;
    QAction* mnuTaquimetrico;
    QAction* mnuTaquimetricoCalcular;
    QAction* mnuBases;
    QAction* mnuBasesEditarBases;
    QAction* mnuAlturaRemota;
    QAction* mnuCalculadoraAlturaRemota;
    QAction* mnuCalculadoraDistanciaReducida;
    QAction* mnuCalculadoraBessel;
    QAction* mnuBiseccion;
    QAction* mnuBiseccionCalcular;
    QAction* mnuCatenaria;
    QAction* mnuCatenariaCalcular;
    QAction* mnuCalculos;
    QAction* mnuCalculosEstacionLibre;
    QAction* mnuCalculosNivelacion;
    QAction* mnuCalculosTransformacion;
    QAction* mnuCalculosSuperficies;
    QAction* mnuCalculosReplanteo;
    QAction* mnuCalculosTerreno;
    QAction* mnuVer;
    QAction* mnuVerPlano;
    QAction* mnuVerPerfil;
    QAction* mnuAyuda;
    QAction* mnuAyudaAyuda;
};
