// Station set-up window: wiring only (the figures are the library's, tested there).
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTemporaryDir>

#include "Ayudantes.h"
#include "app/MDIfrmMain.h"
#include "core/Configuracion.h"
#include "core/modFuncionesTopo.h"
#include "station/frmEstacionLibre.h"

using namespace prueba;

class PruebaEstacionLibre : public QObject {
    Q_OBJECT
    frmEstacionLibre* w = nullptr;
    const QStringList resultado = {"lblX", "lblY", "lblZ", "lblOrientacion", "lblEscala"};

    // Typed as in the field: each text into the focused box, Enter to the next.
    void TeclearFila(int i, const QStringList& textos)
    {
        Campo(w, QString("txtPunto_%1").arg(i))->setFocus();
        for (const QString& t : textos) {
            QTest::keyClicks(w->focusWidget(), t);
            QTest::keyClick(w->focusWidget(), Qt::Key_Return);
        }
    }

private slots:
    void init()
    {
        KRefraccion = 0.5;
        w = new frmEstacionLibre;
        QVERIFY(Mostrar(w));
        Lista(w, "lstBases")->addItems({"A", "", "1000.000", "2000.000", "100.000", "", "B", "", "1100.000",
                                        "2000.000", "100.000", "", "C", "", "1050.000", "2100.000", "90.000", ""});
    }
    void cleanup()
    {
        delete w;
        KRefraccion = K_POR_DEFECTO;
    }

    // A free station midway between A and B with the library's figures; the known station on A.
    void estacionTecleada()
    {
        QCOMPARE(w->windowTitle(), QString("Estación libre"));
        QVERIFY(Control<QRadioButton>(w, "optLibre")->isChecked());
        TeclearFila(0, {"A", "300", "100", "50", "0"});
        QCOMPARE(Textos(w, {"lblAviso"}), QString("Faltan observaciones: hacen falta al menos dos puntos con "
                                                  "distancia o tres direcciones."));
        TeclearFila(1, {"B", "1a00", "100", "5,0", "0"}); // neither the letter nor the comma is let through
        QCOMPARE(Textos(w, {"txtHz_1", "txtDist_1"}), QString("100|50"));
        QCOMPARE(Textos(w, resultado + QStringList{"lblAviso"}), QString("1050.000|2000.000|100.000|0.0000|1.000000|"));
        QCOMPARE(Lista(w, "lstResiduos")->count(), 2);
        TeclearFila(1, {"Z"});
        QCOMPARE(Textos(w, {"lblAviso", "lblX"}), QString("El punto «BZ» no está en la lista de bases.|"));

        Campo(w, "txtPunto_1")->clear();
        Campo(w, "txtPunto_0")->setText("B");
        Campo(w, "txtHz_0")->setText("0");
        Seleccionar(Lista(w, "lstBases"), 0);
        QTest::mouseClick(Boton(w, "cmdEntrarEstacion"), Qt::LeftButton);
        QVERIFY(Control<QRadioButton>(w, "optConocida")->isChecked());
        QCOMPARE(Textos(w, {"lblEstacion", "lblOrientacion", "lblSemiejeMayor"}), QString("A|100.0000|"));
    }

    // The new menu sits between "Catenaria" and "Ver" and opens the window inside the frame.
    void desdeElMenu()
    {
        QTemporaryDir dir;
        FijarCarpetaPrograma(dir.path().toStdString());
        auto m = Responder();
        MDIfrmMain principal;
        principal.show();
        QStringList menus;
        for (QAction* a : principal.menuBar()->actions())
            menus << a->objectName();
        QVERIFY2(menus.indexOf("mnuCalculos") == menus.indexOf("mnuCatenaria") + 1 &&
                     menus.indexOf("mnuVer") == menus.indexOf("mnuCalculos") + 1,
                 qPrintable(menus.join(' ')));
        Menu(&principal, "mnuCalculosEstacionLibre");
        const auto abiertas = principal.findChildren<frmEstacionLibre*>("frmEstacionLibre");
        QVERIFY(abiertas.size() == 1 && qobject_cast<QMdiSubWindow*>(abiertas[0]->parentWidget()));
    }
};

QTEST_MAIN(PruebaEstacionLibre)
#include "test_estacion_libre.moc"
