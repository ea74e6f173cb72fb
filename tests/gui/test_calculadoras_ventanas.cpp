// The three field calculators: keys, focus moves and the result as typed.
#include "Ayudantes.h"
#include "calculators/frmAlturaRemota.h"
#include "calculators/frmBessel.h"
#include "calculators/frmDistanciaReducida.h"

using namespace prueba;

class PruebaCalculadoras : public QObject {
    Q_OBJECT
private slots:
    // Numbers refuse letters, "," and "-"; Enter walks the fields, the arrows
    // stop at both ends; the result shows once every field is a number.
    void alturaRemotaPorTeclado()
    {
        frmAlturaRemota w;
        QVERIFY(Mostrar(&w));
        Campo(&w, "txtDatos_0")->setFocus();
        QTest::keyClick(w.focusWidget(), Qt::Key_Up);
        for (const char* teclas : {"1a,-00", "1.5", "50", "10"}) {
            QCOMPARE(Textos(&w, {"lblZR"}), QString());
            QTest::keyClicks(w.focusWidget(), teclas);
            QTest::keyClick(w.focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(Textos(&w, {"txtDatos_0", "lblZR"}), QString("100|111.500"));
        QTest::keyClick(w.focusWidget(), Qt::Key_Down);
        QVERIFY(ConFoco(Campo(&w, "txtDatos_3")));
        QTest::keyClick(w.focusWidget(), Qt::Key_Up);
        QVERIFY(ConFoco(Campo(&w, "txtDatos_2")));
    }

    // The result shows as typed, from its own fields only: each Bessel pair feeds its own mean.
    void resultadosAlTeclear()
    {
        frmDistanciaReducida d;
        QVERIFY(Mostrar(&d));
        Teclear(Campo(&d, "txtObservacion_0"), "100");
        Teclear(Campo(&d, "txtObservacion_1"), "25");
        QCOMPARE(Textos(&d, {"lblDistanciaReducida"}), QString("25.000"));
        frmBessel b;
        QVERIFY(Mostrar(&b));
        const char* lecturas[4] = {"399.9999", "200.0003", "100.0010", "299.9996"};
        for (int i = 0; i < 4; ++i)
            Teclear(Campo(&b, QString("txtObservacion_%1").arg(i)), lecturas[i]);
        QCOMPARE(Textos(&b, {"lblHz", "lblV"}), QString("0.0001|100.0007"));
        Control<QLabel>(&b, "lblHz")->setText("sin tocar");
        Campo(&b, "txtObservacion_3")->setText("300");
        QCOMPARE(Textos(&b, {"lblHz", "lblV"}), QString("sin tocar|100.0005"));
        Campo(&b, "txtObservacion_1")->clear(); // a pair that is no longer two numbers empties its mean
        QCOMPARE(Textos(&b, {"lblHz", "lblV"}), QString("|100.0005"));
    }
};

QTEST_MAIN(PruebaCalculadoras)
#include "test_calculadoras_ventanas.moc"
