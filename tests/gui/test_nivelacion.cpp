// Levelling window: its controls, the live results of a typed field book, the
// field book, network and bases files through their buttons, and the menu item.
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "Ayudantes.h"
#include "app/MDIfrmMain.h"
#include "core/Configuracion.h"
#include "levelling/frmNivelacion.h"

using namespace prueba;
using namespace prueba::ficheros;

class PruebaNivelacion : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    frmNivelacion* w = nullptr;
    QTableWidget* Tabla() { return Control<QTableWidget>(w, "tblLibreta"); }
    QString Ruta(const char* nombre) { return dir_.filePath(nombre); }

private slots:
    void init()
    {
        w = new frmNivelacion;
        QVERIFY(Mostrar(w));
    }
    void cleanup() { delete w; }

    void controles()
    {
        QCOMPARE(w->windowTitle(), QString("Nivelación"));
        // The design size, before the window is scaled to the screen, holds every control.
        const frmNivelacion diseno;
        QVERIFY(diseno.width() <= 780 && diseno.height() <= 520);
        for (const QWidget* c : diseno.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            QVERIFY2(diseno.rect().contains(c->geometry()), qPrintable(c->objectName()));
        for (const char* n : {"txtCotaInicial", "txtCotaFinal", "txtTolerancia", "txtSigmaKm"})
            QVERIFY2(Campo(w, n), n);
        for (const char* n : {"cmdAbrirLibreta", "cmdAbrirBases", "cmdAbrirRed", "cmdActualizarBases", "cmdInforme"})
            QVERIFY2(Boton(w, n), n);
        for (const char* n : {"lblDesnivel", "lblCierre", "lblToleranciaMm", "lblVeredicto", "lblSigma0", "lblPrueba"})
            QVERIFY2(Control<QLabel>(w, n), n);
        QVERIFY(Lista(w, "lstCotas") && Control<QRadioButton>(w, "optEstaciones"));
        QCOMPARE(Control<QRadioButton>(w, "optDistancias")->text(), QString("Proporcional a las distancias"));
        QCOMPARE(Control<QRadioButton>(w, "optEstaciones")->text(), QString("Por igual en cada estación"));
        QVERIFY(Control<QRadioButton>(w, "optDistancias")->isChecked());
        QStringList columnas;
        for (int c = 0; c < Tabla()->columnCount(); ++c)
            columnas << Tabla()->horizontalHeaderItem(c)->text();
        QCOMPARE(columnas, QStringList({"Punto", "Espalda", "Frente", "Distancia"}));
        QCOMPARE(Textos(w, {"txtTolerancia", "txtSigmaKm"}), QString("10|2"));
    }

    // A loop typed cell by cell: every change shows at once; a row waits empty at the end.
    void libretaTecleada()
    {
        const char* celdas[3][4] = {{"BM", "1.500", "", ""}, {"T1", "1.000", "0.800", "100"}, {"BM", "", "1.697", "100"}};
        Campo(w, "txtCotaInicial")->setText("100");
        Campo(w, "txtCotaFinal")->setText("100");
        for (int f = 0; f < 3; ++f)
            for (int c = 0; c < 4; ++c)
                Tabla()->setItem(f, c, new QTableWidgetItem(celdas[f][c]));
        QCOMPARE(Textos(w, {"lblDesnivel", "lblCierre", "lblToleranciaMm", "lblVeredicto"}),
                 QString("0.0030|3.0|4.5|Dentro de tolerancia"));
        QCOMPARE(Lista(w, "lstCotas")->count(), 3);
        Control<QRadioButton>(w, "optEstaciones")->setChecked(true);
        Campo(w, "txtTolerancia")->setText("5");
        QCOMPARE(Textos(w, {"lblToleranciaMm"}), QString("2.2"));
        Tabla()->setRowCount(3);
        Tabla()->setItem(2, 0, new QTableWidgetItem("BM"));
        QCOMPARE(Tabla()->rowCount(), 4);
    }

    // The field book, the network and the bases files through their buttons.
    void ficheros()
    {
        QVERIFY(Escribir(Ruta("l.txt"), "BM,1.500,,\r\nT1,x,0.800,100\r\nT2,,1.100,100\r\n"));
        ResponderFichero(Ruta("l.txt"));
        Pulsar(Boton(w, "cmdAbrirLibreta"),
               "No se pudo leer 1 línea del fichero; se ha cargado todo lo demás.\n\n"
               "Línea 2: la espalda «x» no es un número.",
               QMessageBox::Warning);
        QCOMPARE(Tabla()->item(1, 0)->text(), QString("T2"));
        // A digital level's download, GSI-8 in metres to 1/100 mm, fills the table too.
        QVERIFY(Escribir(Ruta("n.gsi"), "110001+000000A1 32...8+01500000 331.08+00123450\r\n"
                                        "110002+000000A2 32...8+01600000 332.08+00082000\r\n"));
        ResponderFichero(Ruta("n.gsi"));
        QTest::mouseClick(Boton(w, "cmdAbrirLibreta"), Qt::LeftButton);
        QTRY_COMPARE(Tabla()->item(1, 0)->text(), QString("A2"));
        QCOMPARE(Tabla()->item(0, 1)->text() + "|" + Tabla()->item(1, 2)->text() + "|" + Tabla()->item(1, 3)->text(),
                 QString("1.23450|0.82000|31.000"));

        Lista(w, "lstBases")->addItems({"BM", "", "0.000", "0.000", "100.000", ""});
        QVERIFY(Escribir(Ruta("r.txt"), "BM,P,1.000,1000\r\nP,BM,-0.994,2000\r\n"));
        ResponderFichero(Ruta("r.txt"));
        QTest::mouseClick(Boton(w, "cmdAbrirRed"), Qt::LeftButton);
        QTRY_COMPARE(Lista(w, "lstCotas")->count(), 2);
        QVERIFY(!Textos(w, {"lblSigma0"}).isEmpty());
        QVERIFY(Textos(w, {"lblPrueba"}).startsWith("Aceptada"));

        QVERIFY(Escribir(Ruta("b.bse"), "\"P\",\"1.000\",\"2.000\",\"0.000\"\r\n"));
        ResponderFichero(Ruta("b.bse"));
        Pulsar(Boton(w, "cmdActualizarBases"), "Se ha cambiado la cota de 1 base.", QMessageBox::Information);
        QCOMPARE(Leer(Ruta("b.bse")), QByteArray("\"P\",\"1.000\",\"2.000\",\"100.998\"\r\n"));
        ResponderFichero(Ruta("i.txt"));
        Pulsar(Boton(w, "cmdInforme"), "Fichero guardado.", QMessageBox::Information);
        QVERIFY(Leer(Ruta("i.txt")).contains("RED"));
    }

    // Cálculos, between Catenaria and Ver, opens the window once, inside the frame.
    void desdeElMenu()
    {
        FijarCarpetaPrograma(dir_.path().toStdString());
        Responder(); // a first start without configuration says so
        MDIfrmMain principal;
        principal.show();
        QStringList menus;
        for (QAction* a : principal.menuBar()->actions())
            menus << a->objectName();
        QCOMPARE(menus.indexOf("mnuCalculos"), menus.indexOf("mnuCatenaria") + 1);
        QCOMPARE(menus.indexOf("mnuVer"), menus.indexOf("mnuCalculos") + 1);
        Menu(&principal, "mnuCalculosNivelacion");
        Menu(&principal, "mnuCalculosNivelacion");
        const auto abiertas = principal.findChildren<frmNivelacion*>("frmNivelacion");
        QCOMPARE(abiertas.size(), 1);
        QVERIFY(qobject_cast<QMdiSubWindow*>(abiertas[0]->parentWidget()));
    }
};

QTEST_MAIN(PruebaNivelacion)
#include "test_nivelacion.moc"
