#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <cmath>

#include "Ayudantes.h"
#include "core/Configuracion.h"
#include "points/frmBiseccion.h"
#include "shell/MDIfrmMain.h"

using namespace prueba;
using namespace prueba::ficheros;

namespace {

QString Punto(const frmBiseccion& w)
{
    return w.lblPtoX->text() + "|" + w.lblPtoY->text() + "|" + w.lblPtoZ->text() + "|" + w.lblDifCotas->text();
}

// B1 (0, 0, 100) and B2 (100, 0, 100) as stations; both sight (50, 50) from i = 1.5, B1 at V 99, B2 level.
void Preparar(frmBiseccion& w)
{
    w.lstBases->addItems({"B1", "", "0.000", "0.000", "100.000", "", "B2", "", "100.000", "0.000", "100.000", ""});
    Entrar(w.lstBases, 0, w.cmdEntrarB1);
    Entrar(w.lstBases, 6, w.cmdEntrarB2);
    const char* v[9] = {"", "0.0000", "350", "99", "1.5", "0.0000", "50", "100", "1.5"};
    for (int i = 1; i < 9; ++i)
        w.txtObservaciones[i]->setText(v[i]);
}

} // namespace

class PruebaBiseccion : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    // Two bases from a file, the nine boxes typed in order, the point added and saved.
    void interseccionPorTeclado()
    {
        const QString ruta = dir_.filePath("b.bse");
        QVERIFY(Escribir(ruta, "\"B1\",\"0\",\"0\",\"100\"\r\n\"B2\",\"100\",\"0\",\"100\"\r\n"));
        frmBiseccion w;
        QVERIFY(Mostrar(&w));
        auto d = ResponderFichero(ruta);
        QTest::mouseClick(w.cmdAbrirBases, Qt::LeftButton);
        QVERIFY(d->visto);
        Entrar(w.lstBases, 0, w.cmdEntrarB1);
        Entrar(w.lstBases, 6, w.cmdEntrarB2);
        QCOMPARE(w.lblB1->text() + " " + w.lblB2X->text(), QString("B1 100.000"));
        // Boxes 1 and 5 already read 0.0000: Enter passes them. Keys are filtered.
        const char* teclas[9] = {"p1", "", "-3,5a0", "99", "1.5", "", "50", "100", "1.5"};
        for (int i = 0; i < 9; ++i) {
            QVERIFY(ConFoco(w.txtObservaciones[i]));
            QCOMPARE(w.lblPtoX->text(), QString());
            QTest::keyClicks(w.txtObservaciones[i], teclas[i]);
            QTest::keyClick(w.txtObservaciones[i], Qt::Key_Return);
        }
        QVERIFY(ConFoco(w.cmdEntrarPunto));
        QCOMPARE(w.txtObservaciones[0]->text() + " " + w.txtObservaciones[2]->text(), QString("P1 350"));
        // The height is the mean of both stations' heights; Dif. cotas their difference.
        const double z1 = 100.0 + 1.5 + std::hypot(50.0, 50.0) * std::tan(M_PI / 200.0);
        QCOMPARE(Punto(w), QString("50.000|50.000|%1|%2")
                               .arg(QString::number((z1 + 101.5) / 2.0, 'f', 3), QString::number(z1 - 101.5, 'f', 3)));
        w.txtObservaciones[3]->setText("100");
        QCOMPARE(Punto(w), QString("50.000|50.000|101.500|0.000"));

        QTest::keyClick(w.cmdEntrarPunto, Qt::Key_Return);
        QCOMPARE(Filas(w.lstPuntos), QStringList{"P1 50.000 50.000 101.500"});
        // Ready for the next point: the orientations and instrument heights stay.
        QStringList quedan;
        for (const QLineEdit* t : w.txtObservaciones)
            quedan << t->text();
        QCOMPARE(quedan.join('|'), QString("|0.0000|||1.5|0.0000|||1.5"));
        QCOMPARE(w.lblPtoX->text(), QString());
        QVERIFY(ConFoco(w.txtObservaciones[0]));

        const QString salida = dir_.filePath("p.asc");
        ResponderFichero(salida);
        Pulsar(w.cmdPuntosGuardar, "Fichero guardado.", QMessageBox::Information);
        QCOMPARE(Leer(salida), QByteArray("P1 50.000 50.000 101.500\r\n"));
    }

    void vaciadosYSinSolucion()
    {
        frmBiseccion w;
        QVERIFY(Mostrar(&w));
        Preparar(w);
        // Emptying any box empties the point but not "Dif. cotas".
        for (int i = 1; i < 9; ++i) {
            const QString antes = w.txtObservaciones[i]->text();
            w.txtObservaciones[i]->clear();
            QCOMPARE(Punto(w), QString("|||1.111"));
            w.txtObservaciones[i]->setText(antes);
            QCOMPARE(w.lblPtoX->text(), QString("50.000"));
        }
        w.txtObservaciones[4]->setText("1,5"); // a pasted comma is a decimal point
        QCOMPARE(w.lblPtoZ->text(), QString("102.055"));
        // Parallel rays, then a ray along the Y axis: nothing is shown.
        w.txtObservaciones[6]->setText("150");
        QCOMPARE(Punto(w), QString("|||"));
        w.txtObservaciones[6]->setText("50");
        w.txtObservaciones[2]->setText("300");
        QCOMPARE(w.lblPtoY->text(), QString());
        w.txtObservaciones[2]->setText("350");
        // A base taken from an X row empties its labels and the result.
        QVERIFY(!w.lblPtoX->text().isEmpty());
        Entrar(w.lstBases, 8, w.cmdEntrarB2);
        QCOMPARE(w.lblB2->text() + w.lblB2X->text() + w.lblPtoX->text(), QString());

        // The blinking result blinks with or without a point.
        const QColor azul(0, 0, 255), blanco(255, 255, 255), antes = w.lblPtoX->palette().color(QPalette::WindowText);
        QVERIFY(antes == azul || antes == blanco);
        QTRY_COMPARE_WITH_TIMEOUT(w.lblPtoX->palette().color(QPalette::WindowText), antes == azul ? blanco : azul,
                                  1500);
        QCOMPARE(w.lblPtoZ->palette().color(QPalette::WindowText), antes == azul ? blanco : azul);
    }

    void mensajesYListas()
    {
        frmBiseccion w;
        QVERIFY(Mostrar(&w));
        Preparar(w);
        w.lstPuntos->addItems({"1 0.000 0.000 0.000", "2 0.000 0.000 0.000", "3 0.000 0.000 0.000"});
        const QString datos = QStringLiteral("Los datos no son válidos o están en blanco.");
        Pulsar(w.cmdEntrarPunto, datos, QMessageBox::Warning); // a point but no number
        w.txtObservaciones[0]->setText("7");
        w.txtObservaciones[7]->clear();
        Pulsar(w.cmdEntrarPunto, datos, QMessageBox::Warning); // a number but no point
        QCOMPARE(w.lstPuntos->count(), 3);
        QCOMPARE(w.txtObservaciones[0]->text(), QString("7")); // refused: the boxes keep their text

        Entrar(w.lstBases, 0, w.cmdCortarBase);
        QCOMPARE(Filas(w.lstBases).first(), QString("B2"));
        Entrar(w.lstPuntos, 2, w.cmdPuntosBorrar);
        QCOMPARE(w.lstPuntos->count(), 2);
        const QString bases = QStringLiteral("¿Confirma que desea borrar todas las bases?");
        Pulsar(w.cmdLimpiarBases, bases, QMessageBox::NoIcon, QMessageBox::No);
        QCOMPARE(w.lstBases->count(), 6);
        Pulsar(w.cmdLimpiarBases, bases, QMessageBox::NoIcon, QMessageBox::Yes);
        Pulsar(w.cmdPuntosLimpiar, "¿Confirma que desea borrar todos los puntos?", QMessageBox::NoIcon,
               QMessageBox::Yes);
        QCOMPARE(w.lstBases->count() + w.lstPuntos->count(), 0);
        QCOMPARE(w.lblB1->text(), QString("B1"));

        // From the menu: a child of the main window.
        FijarCarpetaPrograma(dir_.path().toStdString());
        auto m = Responder(); // a first start without configuration says so
        MDIfrmMain principal;
        principal.show();
        principal.mnuBiseccionCalcular->trigger();
        QCOMPARE(principal.mdiArea->subWindowList().size(), 1);
        QCOMPARE(principal.mdiArea->subWindowList().first()->widget(), principal.Buscar<frmBiseccion>());
    }
};

QTEST_MAIN(PruebaBiseccion)
#include "test_biseccion.moc"
