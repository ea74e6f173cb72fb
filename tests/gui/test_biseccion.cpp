#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <cmath>

#include "Ayudantes.h"
#include "core/Configuracion.h"
#include "core/modFuncionesTopo.h"
#include "points/frmBiseccion.h"
#include "shell/MDIfrmMain.h"

using namespace prueba;

namespace
{

const QString DATOS_NO_VALIDOS = QStringLiteral("Los datos no son válidos o están en blanco.");

QColor ColorTexto(const QLabel* l)
{
    return l->palette().color(QPalette::WindowText);
}

} // namespace

class PruebaBiseccion : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(dir_.isValid()); }

    void aperturaYControles()
    {
        frmBiseccion w;
        QVERIFY(Mostrar(&w));
        QCOMPARE(w.objectName(), QString("frmBiseccion"));
        QCOMPARE(w.windowTitle(), QString("Bisección"));
        const char* ayudas[9] = {"Número de punto",        "Hz de orientación", "Hz visado", "V visado",
                                 "Altura del instrumento", "Hz de orientación", "Hz visado", "V visado",
                                 "Altura del instrumento"};
        for (int i = 0; i < 9; ++i) {
            auto* t = Control<QLineEdit>(&w, QString("txtObservaciones_%1").arg(i));
            QVERIFY(t);
            QCOMPARE(t->toolTip(), QString::fromUtf8(ayudas[i]));
            QCOMPARE(t->text(), i == 1 || i == 5 ? QString("0.0000") : QString());
        }
        QVERIFY(ConFoco(w.txtObservaciones[0]));
        QCOMPARE(w.cmdEntrarB1->text(), QString(">>"));
        QCOMPARE(w.cmdEntrarB1->toolTip(), QString("Entrar Base 1"));
        QCOMPARE(w.cmdEntrarB2->toolTip(), QString("Entrar Base 2"));
        QCOMPARE(w.cmdEntrarPunto->text(), QString(">>"));
        QCOMPARE(w.cmdEntrarPunto->toolTip(), QString("Entrar punto"));
        QCOMPARE(w.lstBases->toolTip(), QString("Listado de bases"));
        QCOMPARE(w.lstPuntos->toolTip(), QString("Lista de puntos calculados"));
        QCOMPARE(w.cmdPuntosGuardar->toolTip(), QString("Guardar fichero ascii"));
        QCOMPARE(w.cmdPuntosBorrar->toolTip(), QString("Cortar punto seleccionado"));
        QCOMPARE(w.cmdPuntosLimpiar->toolTip(), QString("Borrar todos los puntos"));
        QCOMPARE(w.cmdAbrirBases->toolTip(), QString("Abrir fichero de bases"));
        QCOMPARE(w.cmdCortarBase->toolTip(), QString("Cortar base seleccionada"));
        QCOMPARE(w.cmdLimpiarBases->toolTip(), QString("Borrar todas las bases"));
        for (const char* n : {"lblB1", "lblB1X", "lblB1Y", "lblB1Z", "lblB2", "lblB2X", "lblB2Y", "lblB2Z", "lblPtoX",
                              "lblPtoY", "lblPtoZ", "lblDifCotas"})
            QCOMPARE(Control<QLabel>(&w, n)->text(), QString());
        auto* tim = Control<QTimer>(&w, "timIntermitencia");
        QVERIFY(tim && tim->isActive());
        QCOMPARE(tim->interval(), 650);
    }

    // Two bases from a file, the nine boxes typed in order, the point added.
    void interseccionConComprobacionDeCotas()
    {
        const QString ruta = dir_.filePath("b.bse");
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\"B1\",\"0\",\"0\",\"100\"\r\n\"B2\",\"100\",\"0\",\"100\"\r\n");
        f.close();
        frmBiseccion w;
        QVERIFY(Mostrar(&w));
        auto d = ResponderFichero(ruta);
        QTest::mouseClick(w.cmdAbrirBases, Qt::LeftButton);
        QVERIFY(d->visto);
        QCOMPARE(d->titulo, QString("Abrir fichero de bases"));
        Seleccionar(w.lstBases, 0);
        QTest::mouseClick(w.cmdEntrarB1, Qt::LeftButton);
        QVERIFY(ConFoco(w.txtObservaciones[0]));
        Seleccionar(w.lstBases, 6);
        QTest::mouseClick(w.cmdEntrarB2, Qt::LeftButton);
        QCOMPARE(w.lblB1->text(), QString("B1"));
        QCOMPARE(w.lblB2X->text(), QString("100.000"));
        QVERIFY(ConFoco(w.txtObservaciones[0]));

        const char* teclas[9] = {"p1", "", "350", "99", "1.5", "", "50", "100", "1.5"};
        for (int i = 0; i < 9; ++i) {
            QVERIFY(ConFoco(w.txtObservaciones[i]));
            if (i < 8)
                QCOMPARE(w.lblPtoX->text(), QString());
            QTest::keyClicks(w.txtObservaciones[i], teclas[i]);
            QTest::keyClick(w.txtObservaciones[i], Qt::Key_Return);
        }
        QVERIFY(ConFoco(w.cmdEntrarPunto));
        QCOMPARE(w.txtObservaciones[0]->text(), QString("P1"));
        const double g = M_PI / 200.0;
        const double z1 = 100.0 + 1.5 + std::hypot(50.0, 50.0) * std::tan(1.0 * g);
        QCOMPARE(w.lblPtoX->text(), QString("50.000"));
        QCOMPARE(w.lblPtoY->text(), QString("50.000"));
        QCOMPARE(w.lblPtoZ->text(), QString::number((z1 + 101.5) / 2.0, 'f', 3));
        QCOMPARE(w.lblPtoZ->text(), QString("102.055"));
        QCOMPARE(w.lblDifCotas->text(), QString("1.111"));

        // Level sights from both stations: both heights agree.
        w.txtObservaciones[3]->setText("100");
        QCOMPARE(w.lblPtoZ->text(), QString("101.500"));
        QCOMPARE(w.lblDifCotas->text(), QString("0.000"));

        QTest::keyClick(w.cmdEntrarPunto, Qt::Key_Return);
        QCOMPARE(w.lstPuntos->count(), 1);
        QCOMPARE(w.lstPuntos->item(0)->text(), QString("P1 50.000 50.000 101.500"));
        for (int i : {0, 2, 3, 6, 7})
            QCOMPARE(w.txtObservaciones[i]->text(), QString());
        QCOMPARE(w.txtObservaciones[1]->text(), QString("0.0000"));
        QCOMPARE(w.txtObservaciones[4]->text(), QString("1.5"));
        QCOMPARE(w.txtObservaciones[5]->text(), QString("0.0000"));
        QCOMPARE(w.txtObservaciones[8]->text(), QString("1.5"));
        QCOMPARE(w.lblPtoX->text(), QString());
        QCOMPARE(w.lblDifCotas->text(), QString("0.000"));
        QVERIFY(ConFoco(w.txtObservaciones[0]));

        // Saving the point list.
        const QString salida = dir_.filePath("p.asc");
        d = ResponderFichero(salida);
        auto m = Responder();
        QTest::mouseClick(w.cmdPuntosGuardar, Qt::LeftButton);
        QCOMPARE(d->titulo, QString("Exportar puntos"));
        QCOMPARE(m->texto, QString("Fichero guardado."));
        QCOMPARE(m->icono, QMessageBox::Information);
        QFile s(salida);
        QVERIFY(s.open(QIODevice::ReadOnly));
        QCOMPARE(s.readAll(), QByteArray("P1 50.000 50.000 101.500\r\n"));
    }

    void vaciadosYSinSolucion()
    {
        frmBiseccion w;
        QVERIFY(Mostrar(&w));
        w.lstBases->addItems({"B1", "", "0.000", "0.000", "100.000", "", "B2", "", "100.000", "0.000", "100.000", ""});
        Seleccionar(w.lstBases, 0);
        QTest::mouseClick(w.cmdEntrarB1, Qt::LeftButton);
        Seleccionar(w.lstBases, 6);
        QTest::mouseClick(w.cmdEntrarB2, Qt::LeftButton);
        const char* v[9] = {"", "0.0000", "350", "99", "1.5", "0.0000", "50", "100", "1.5"};
        for (int i = 2; i < 9; ++i)
            w.txtObservaciones[i]->setText(v[i]);
        QCOMPARE(w.lblDifCotas->text(), QString("1.111"));
        // Emptying a box empties the point but not "Dif. cotas".
        for (int i = 1; i < 9; ++i) {
            w.txtObservaciones[i]->clear();
            QCOMPARE(w.lblPtoX->text(), QString());
            QCOMPARE(w.lblPtoY->text(), QString());
            QCOMPARE(w.lblPtoZ->text(), QString());
            QCOMPARE(w.lblDifCotas->text(), QString("1.111"));
            w.txtObservaciones[i]->setText(v[i]);
            QCOMPARE(w.lblPtoX->text(), QString("50.000"));
        }
        // A pasted comma is a decimal point.
        w.txtObservaciones[4]->setText("1,5");
        QCOMPARE(w.lblPtoZ->text(), QString("102.055"));

        // Parallel rays and a ray along the Y axis: nothing is shown.
        w.txtObservaciones[6]->setText("150");
        QCOMPARE(w.lblPtoX->text(), QString());
        QCOMPARE(w.lblPtoZ->text(), QString());
        QCOMPARE(w.lblDifCotas->text(), QString());
        w.txtObservaciones[6]->setText("50");
        QCOMPARE(w.lblPtoX->text(), QString("50.000"));
        w.txtObservaciones[2]->setText("300");
        QCOMPARE(w.lblPtoY->text(), QString());
        w.txtObservaciones[2]->setText("350");

        // Adding without a number or without a result.
        auto m = Responder();
        QTest::mouseClick(w.cmdEntrarPunto, Qt::LeftButton);
        QVERIFY(m->visto);
        QCOMPARE(m->titulo, QString("cartavector"));
        QCOMPARE(m->texto, DATOS_NO_VALIDOS);
        QCOMPARE(m->icono, QMessageBox::Warning);
        QCOMPARE(w.lstPuntos->count(), 0);
        w.txtObservaciones[0]->setText("7");
        w.txtObservaciones[7]->clear();
        m = Responder();
        QTest::mouseClick(w.cmdEntrarPunto, Qt::LeftButton);
        QCOMPARE(m->texto, DATOS_NO_VALIDOS);
        QCOMPARE(w.lstPuntos->count(), 0);
        QCOMPARE(w.txtObservaciones[0]->text(), QString("7"));

        // A base taken from an X row empties its labels and the result.
        w.txtObservaciones[7]->setText("100");
        QVERIFY(!w.lblPtoX->text().isEmpty());
        Seleccionar(w.lstBases, 8);
        QTest::mouseClick(w.cmdEntrarB2, Qt::LeftButton);
        QCOMPARE(w.lblB2->text(), QString());
        QCOMPARE(w.lblB2X->text(), QString());
        QCOMPARE(w.lblPtoX->text(), QString());
    }

    void teclas()
    {
        frmBiseccion w;
        QVERIFY(Mostrar(&w));
        auto* t = w.txtObservaciones;
        Teclear(t[0], "p-1a");
        QCOMPARE(t[0]->text(), QString("P-1A"));
        QTest::keyClick(t[0], Qt::Key_Down);
        QVERIFY(ConFoco(t[1]));
        t[2]->setFocus();
        QTest::keyClicks(t[2], "-3,5a0.");
        QCOMPARE(t[2]->text(), QString("350."));
        QTest::keyClick(t[2], Qt::Key_Up);
        QVERIFY(ConFoco(t[1]));
        QTest::keyClick(t[1], Qt::Key_Up);
        QVERIFY(ConFoco(t[0]));
        QTest::keyClick(t[0], Qt::Key_Up);
        QVERIFY(ConFoco(t[0]));
        t[8]->setFocus();
        QTest::keyClick(t[8], Qt::Key_Down);
        QVERIFY(ConFoco(t[8]));
        QTest::keyClick(t[8], Qt::Key_Return);
        QVERIFY(ConFoco(w.cmdEntrarPunto));
        QCOMPARE(w.lstPuntos->count(), 0);
    }

    void listasYConfirmaciones()
    {
        frmBiseccion w;
        QVERIFY(Mostrar(&w));
        w.lstBases->addItems({"B1", "", "1.000", "2.000", "3.000", "", "B2", "", "4.000", "5.000", "6.000", ""});
        Seleccionar(w.lstBases, 0);
        QTest::mouseClick(w.cmdEntrarB1, Qt::LeftButton);
        Seleccionar(w.lstBases, 4);
        QTest::mouseClick(w.cmdCortarBase, Qt::LeftButton);
        QCOMPARE(w.lstBases->count(), 12);
        Seleccionar(w.lstBases, 0);
        QTest::mouseClick(w.cmdCortarBase, Qt::LeftButton);
        QCOMPARE(w.lstBases->count(), 6);
        QCOMPARE(w.lstBases->item(0)->text(), QString("B2"));
        auto m = Responder(QMessageBox::No);
        QTest::mouseClick(w.cmdLimpiarBases, Qt::LeftButton);
        QCOMPARE(m->texto, QString("¿Confirma que desea borrar todas las bases?"));
        QCOMPARE(m->icono, QMessageBox::NoIcon);
        QCOMPARE(m->botones, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(w.lstBases->count(), 6);
        m = Responder(QMessageBox::Yes);
        QTest::mouseClick(w.cmdLimpiarBases, Qt::LeftButton);
        QCOMPARE(w.lstBases->count(), 0);
        QCOMPARE(w.lblB1->text(), QString("B1"));
        QVERIFY(ConFoco(w.txtObservaciones[0]));

        w.lstPuntos->addItems({"1 0.000 0.000 0.000", "2 0.000 0.000 0.000", "3 0.000 0.000 0.000"});
        Seleccionar(w.lstPuntos, 2);
        QTest::mouseClick(w.cmdPuntosBorrar, Qt::LeftButton);
        QCOMPARE(w.lstPuntos->count(), 2);
        QCOMPARE(w.lstPuntos->currentRow(), 1);
        m = Responder(QMessageBox::No);
        QTest::mouseClick(w.cmdPuntosLimpiar, Qt::LeftButton);
        QCOMPARE(m->texto, QString("¿Confirma que desea borrar todos los puntos?"));
        QCOMPARE(w.lstPuntos->count(), 2);
        m = Responder(QMessageBox::Yes);
        QTest::mouseClick(w.cmdPuntosLimpiar, Qt::LeftButton);
        QCOMPARE(w.lstPuntos->count(), 0);
    }

    void intermitenciaSiempre()
    {
        frmBiseccion w;
        w.show();
        // It blinks with or without a result.
        QCOMPARE(w.lblPtoX->text(), QString());
        const QColor antes = ColorTexto(w.lblPtoX);
        QTRY_VERIFY_WITH_TIMEOUT(ColorTexto(w.lblPtoX) != antes, 1500);
        const QColor despues = ColorTexto(w.lblPtoX);
        QVERIFY(despues == QColor(0, 0, 255) || despues == QColor(255, 255, 255));
        QVERIFY(antes == QColor(0, 0, 255) || antes == QColor(255, 255, 255));
        QCOMPARE(ColorTexto(w.lblPtoY), despues);
        QCOMPARE(ColorTexto(w.lblPtoZ), despues);
    }

    void desdeElMenuEsVentanaHija()
    {
        FijarCarpetaPrograma(dir_.path().toStdString());
        Configuracion c{0.08, 0};
        GuardarConfiguracion(c);
        MDIfrmMain principal;
        principal.show();
        principal.findChild<QAction*>("mnuBiseccionCalcular")->trigger();
        auto* w = principal.Buscar<frmBiseccion>();
        QVERIFY(w);
        QCOMPARE(principal.mdiArea->subWindowList().size(), 1);
        QCOMPARE(principal.mdiArea->subWindowList().first()->widget(), w);
        QCOMPARE(w->windowTitle(), QString("Bisección"));
    }

private:
    QTemporaryDir dir_;
};

QTEST_MAIN(PruebaBiseccion)
#include "test_biseccion.moc"
