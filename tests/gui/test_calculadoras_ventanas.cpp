#include <QLabel>

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
        QCOMPARE(w.objectName(), QString("frmDistanciaReducida"));
        QCOMPARE(w.windowTitle(), QString("Distancia reducida"));
        auto* v = Control<QLineEdit>(&w, "txtObservacion_0");
        auto* di = Control<QLineEdit>(&w, "txtObservacion_1");
        auto* dr = Control<QLabel>(&w, "lblDistanciaReducida");
        QCOMPARE(v->toolTip(), QString("Ángulo cenital"));
        QCOMPARE(di->toolTip(), QString("Distancia geométrica"));
        Teclear(v, "1a,-00");
        QCOMPARE(v->text(), QString("100"));
        QTest::keyClick(v, Qt::Key_Return);
        QVERIFY(ConFoco(di));
        Teclear(di, "25");
        QCOMPARE(dr->text(), QString("25.000"));
        di->clear();
        QCOMPARE(dr->text(), QString());
        // A pasted comma is read as the decimal point.
        v->setText("100,0");
        di->setText("25");
        QCOMPARE(dr->text(), QString("25.000"));
    }

    void alturaRemotaYFlechas()
    {
        frmAlturaRemota w;
        QVERIFY(Mostrar(&w));
        QLineEdit* d[4];
        for (int i = 0; i < 4; ++i)
            d[i] = Control<QLineEdit>(&w, QString("txtDatos_%1").arg(i));
        auto* zr = Control<QLabel>(&w, "lblZR");
        d[0]->setFocus();
        QTest::keyClick(d[0], Qt::Key_Up);
        QVERIFY(ConFoco(d[0]));
        const char* valores[4] = {"100", "1.5", "50", "10"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(zr->text(), QString());
            Teclear(d[i], valores[i]);
            QTest::keyClick(d[i], Qt::Key_Return);
        }
        QCOMPARE(zr->text(), QString("111.500"));
        QVERIFY(ConFoco(d[3]));
        QTest::keyClick(d[3], Qt::Key_Down);
        QVERIFY(ConFoco(d[3]));
        QTest::keyClick(d[3], Qt::Key_Up);
        QVERIFY(ConFoco(d[2]));
    }

    void besselParesIndependientes()
    {
        frmBessel w;
        QVERIFY(Mostrar(&w));
        QLineEdit* o[4];
        for (int i = 0; i < 4; ++i)
            o[i] = Control<QLineEdit>(&w, QString("txtObservacion_%1").arg(i));
        auto* hz = Control<QLabel>(&w, "lblHz");
        auto* v = Control<QLabel>(&w, "lblV");
        Teclear(o[0], "399.9999");
        Teclear(o[1], "200.0003");
        QCOMPARE(hz->text(), QString("0.0001"));
        QCOMPARE(v->text(), QString());
        Teclear(o[2], "100.0010");
        Teclear(o[3], "299.9996");
        QCOMPARE(v->text(), QString("100.0007"));
        // Changing the zenith pair leaves the horizontal mean as it was.
        hz->setText("sin tocar");
        o[3]->setText("300");
        QCOMPARE(hz->text(), QString("sin tocar"));
        QCOMPARE(v->text(), QString("100.0005"));
        o[1]->clear();
        QCOMPARE(hz->text(), QString());
        QCOMPARE(v->text(), QString("100.0005"));
    }
};

QTEST_MAIN(PruebaCalculadoras)
#include "test_calculadoras_ventanas.moc"
