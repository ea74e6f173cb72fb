// The three field calculators: keys, focus moves and the result as typed.
#include "Ayudantes.h"
#include "calculators/frmAlturaRemota.h"
#include "calculators/frmBessel.h"
#include "calculators/frmDistanciaReducida.h"

using namespace prueba;

class PruebaCalculadoras : public QObject {
    Q_OBJECT
private slots:
    void distanciaReducidaPorTeclado()
    {
        frmDistanciaReducida w;
        QVERIFY(Mostrar(&w));
        QCOMPARE(w.windowTitle(), QString("Distancia reducida"));
        auto* v = Control<QLineEdit>(&w, "txtObservacion_0");
        auto* di = Control<QLineEdit>(&w, "txtObservacion_1");
        QCOMPARE(v->toolTip() + "|" + di->toolTip(), QString("Ángulo cenital|Distancia geométrica"));
        Teclear(v, "1a,-00"); // numeric fields take digits and one point only
        QCOMPARE(v->text(), QString("100"));
        QTest::keyClick(v, Qt::Key_Return);
        QVERIFY(ConFoco(di));
        QTest::keyClicks(di, "25");
        QCOMPARE(Textos(&w, {"lblDistanciaReducida"}), QString("25.000"));
        di->clear();
        QCOMPARE(Textos(&w, {"lblDistanciaReducida"}), QString());
    }

    // Enter and the arrows walk the four fields and stop at both ends.
    void alturaRemotaYFlechas()
    {
        frmAlturaRemota w;
        QVERIFY(Mostrar(&w));
        QLineEdit* d[4];
        for (int i = 0; i < 4; ++i)
            d[i] = Control<QLineEdit>(&w, QString("txtDatos_%1").arg(i));
        Teclear(d[0], "100");
        QTest::keyClick(d[0], Qt::Key_Up);
        QVERIFY(ConFoco(d[0]));
        for (const char* valor : {"", "1.5", "50", "10"}) {
            QCOMPARE(Textos(&w, {"lblZR"}), QString());
            QTest::keyClicks(QApplication::focusWidget(), valor);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(Textos(&w, {"lblZR"}), QString("111.500"));
        QVERIFY(ConFoco(d[3]));
        QTest::keyClick(d[3], Qt::Key_Down);
        QVERIFY(ConFoco(d[3]));
        QTest::keyClick(d[3], Qt::Key_Up);
        QVERIFY(ConFoco(d[2]));
    }

    // Each pair feeds only its own mean.
    void besselParesIndependientes()
    {
        frmBessel w;
        QVERIFY(Mostrar(&w));
        QLineEdit* o[4];
        for (int i = 0; i < 4; ++i)
            o[i] = Control<QLineEdit>(&w, QString("txtObservacion_%1").arg(i));
        Teclear(o[0], "399.9999");
        Teclear(o[1], "200.0003");
        QCOMPARE(Textos(&w, {"lblHz", "lblV"}), QString("0.0001|"));
        Teclear(o[2], "100.0010");
        Teclear(o[3], "299.9996");
        QCOMPARE(Textos(&w, {"lblHz", "lblV"}), QString("0.0001|100.0007"));
        o[1]->clear();
        QCOMPARE(Textos(&w, {"lblHz", "lblV"}), QString("|100.0007"));
        Control<QLabel>(&w, "lblHz")->setText("sin tocar");
        o[3]->setText("300");
        QCOMPARE(Textos(&w, {"lblHz", "lblV"}), QString("sin tocar|100.0005"));
    }
};

QTEST_MAIN(PruebaCalculadoras)
#include "test_calculadoras_ventanas.moc"
