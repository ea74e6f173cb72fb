// Bisection: the nine boxes typed, the point shown and added, then the
// refusals. (List buttons: test_listas_auxiliares.)
#include "Ayudantes.h"
#include "points/frmBiseccion.h"

using namespace prueba;
using namespace prueba::ficheros;

class PruebaBiseccion : public QObject {
    Q_OBJECT
    frmBiseccion* w = nullptr;
    QLineEdit* Obs(int i) { return Campo(w, QString("txtObservaciones_%1").arg(i)); }

private slots:
    // B1 (0, 0, 100) and B2 (100, 0, 100) as stations.
    void init()
    {
        w = new frmBiseccion;
        QVERIFY(Mostrar(w));
        auto* bases = Lista(w, "lstBases");
        bases->addItems({"B1", "", "0.000", "0.000", "100.000", "", "B2", "", "100.000", "0.000", "100.000", ""});
        Entrar(bases, 0, Boton(w, "cmdEntrarB1"));
        Entrar(bases, 6, Boton(w, "cmdEntrarB2"));
    }
    void cleanup() { delete w; }

    // Both sight (50, 50) level from i = 1.5 (a "-", "," or letter let through would
    // change the point); boxes 1 and 5 already read 0.0000: Enter passes them.
    void interseccionPorTeclado()
    {
        QVERIFY(ConFoco(Obs(0)));
        for (const char* teclas : {"p1", "", "-3,5a0", "100", "1.5", "", "50", "100", "1.5"}) {
            QCOMPARE(Textos(w, {"lblPtoX"}), QString());
            QTest::keyClicks(w->focusWidget(), teclas);
            QTest::keyClick(w->focusWidget(), Qt::Key_Return);
        }
        const QStringList punto = {"lblPtoX", "lblPtoY", "lblPtoZ", "lblDifCotas"};
        QCOMPARE(Textos(w, punto), QString("50.000|50.000|101.500|0.000"));
        Obs(7)->clear(); // the point goes, "Dif. cotas" stays
        QCOMPARE(Textos(w, punto), QString("|||0.000"));
        Obs(7)->setText("100");
        QVERIFY(ConFoco(Boton(w, "cmdEntrarPunto")));
        QTest::keyClick(Boton(w, "cmdEntrarPunto"), Qt::Key_Return);
        QCOMPARE(Filas(Lista(w, "lstPuntos")), QStringList{"P1 50.000 50.000 101.500"});
        // Ready for the next point: the orientations and instrument heights stay.
        QCOMPARE(Textos(w, {"txtObservaciones_0", "txtObservaciones_1", "txtObservaciones_2", "txtObservaciones_4",
                            "txtObservaciones_5", "txtObservaciones_7", "txtObservaciones_8", "lblPtoX"}),
                 QString("|0.0000||1.5|0.0000||1.5|"));
        QVERIFY(ConFoco(Obs(0)));
        // Then the refusals: the boxes keep their text, nothing is added.
        for (auto [i, texto] : {std::pair{2, "350"}, {3, "100"}, {6, "50"}, {7, "100"}})
            Obs(i)->setText(texto);
        const QString datos = QStringLiteral("Los datos no son válidos o están en blanco.");
        Pulsar(Boton(w, "cmdEntrarPunto"), datos, QMessageBox::Warning); // a point but no number
        Obs(0)->setText("7");
        Obs(7)->clear();
        Pulsar(Boton(w, "cmdEntrarPunto"), datos, QMessageBox::Warning); // a number but no point
        QCOMPARE(Textos(w, {"txtObservaciones_0", "txtObservaciones_6"}), QString("7|50"));
        QCOMPARE(Lista(w, "lstPuntos")->count(), 1);
    }
};

QTEST_MAIN(PruebaBiseccion)
#include "test_biseccion.moc"
