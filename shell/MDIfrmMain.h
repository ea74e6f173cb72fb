#pragma once
#include <QAction>
#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "shell/modResIndependentForm.h"

// The main frame: menu, information strip and the area of the child windows.
// Every window class has at most one open window; asking for it again brings
// the open one to the front with its contents.
class MDIfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit MDIfrmMain(QWidget* parent = nullptr);
    ~MDIfrmMain() override;

    // The open main window, or null.
    static MDIfrmMain* Instancia();

    // Writes lblInfo from the K in force.
    void EscribirInfo();

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
        Registrar(w);
        QMdiSubWindow* marco = mdiArea->addSubWindow(w);
        marco->setAttribute(Qt::WA_DeleteOnClose);
        marco->show();
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

    // A modal window: the frame waits until it closes.
    template <class T> void MostrarModal()
    {
        T w(this);
        Registrar(&w);
        w.exec();
    }

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
    QAction* mnuPoligonalImprimir;
    QAction* mnuSep3;
    QAction* mnuPoligonalVerticesdeSalida;
    QAction* mnuPoligonalCerrar;
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
    QAction* mnuAyuda;
    QAction* mnuAyudaAyuda;

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    // The start-up reading of the configuration: read, validate, fall back
    // to the default, set K and the information label.
    void LeerConfiguracionInicial();
    void CrearMenu();
    void Registrar(QWidget* w);

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
};
