// Radiation of bases: the set-up typed as in the field, the point shown and
// added, the refusals, the blinking result. (List buttons: test_listas_auxiliares.)
#include "Ayudantes.h"
#include "core/modFuncionesTopo.h"
#include "points/frmRadiacion.h"

using namespace prueba;
using namespace prueba::ficheros;

class PruebaRadiacion : public QObject {
    Q_OBJECT
    frmRadiacion* w = nullptr;
    cv::Lista* bases = nullptr;
    QLineEdit* Obs(int i) { return Campo(w, QString("txtObservaciones_%1").arg(i)); }

private slots:
    // BE E1 (1000, 2000, 100) oriented on R1 due north.
    void init()
    {
        KRefraccion = 0.5; // no curvature and refraction term: round figures
        w = new frmRadiacion;
        QVERIFY(Mostrar(w));
        bases = Lista(w, "lstBases");
        bases->addItems(
            {"E1", "", "1000.000", "2000.000", "100.000", "", "R1", "", "1000.000", "2100.000", "0.000", ""});
        Entrar(bases, 0, Boton(w, "cmdEntrarBE"));
        Entrar(bases, 6, Boton(w, "cmdEntrarBO"));
    }
    void cleanup()
    {
        delete w;
        KRefraccion = K_POR_DEFECTO;
    }

    // Numbers refuse "-", "," and letters, the name is upper-cased; Enter walks to
    // the button. Then the refusals, the blinking and a base taken from an X row.
    void radiarPorTeclado()
    {
        QVERIFY(ConFoco(Obs(0)));
        Obs(0)->selectAll();
        for (const char* teclas : {"-0a", "1,00", "100", "50", "1.5", "1.5", "p-1"}) {
            QTest::keyClicks(w->focusWidget(), teclas);
            QTest::keyClick(w->focusWidget(), Qt::Key_Return);
        }
        // Hz 100 sights due east, level (a "-", "," or letter let through would change it).
        QCOMPARE(Textos(w, {"lblBRadiadaX", "lblBRadiadaY", "lblBRadiadaZ"}), QString("1050.000|2000.000|100.000"));
        QVERIFY(ConFoco(Boton(w, "cmdEntrarBV")));
        QCOMPARE(bases->count(), 12);
        QTest::keyClick(Boton(w, "cmdEntrarBV"), Qt::Key_Return);
        QCOMPARE(Filas(bases).mid(12), QStringList({"P-1", "", "1050.000", "2000.000", "100.000", ""}));
        // Ready for the next point: BE and BO stay, the sight is cleared.
        QCOMPARE(Textos(w, {"lblBE", "lblBO", "txtObservaciones_0", "txtObservaciones_3", "lblBRadiadaX"}),
                 QString("E1|R1|0.0000||"));
        QVERIFY(ConFoco(Obs(0)));
        const QString datos = QStringLiteral("Los datos no son válidos o están en blanco.");
        Obs(6)->setText("X");
        Pulsar(Boton(w, "cmdEntrarBV"), datos, QMessageBox::Warning); // a name but no point
        for (int i = 1; i < 7; ++i)
            Obs(i)->setText(i < 6 ? "1" : "");
        Pulsar(Boton(w, "cmdEntrarBV"), datos, QMessageBox::Warning); // a point but no name
        QCOMPARE(Textos(w, {"txtObservaciones_1"}) + "|" + QString::number(bases->count()), QString("1|18"));
        const auto color = [this] { return Control<QLabel>(w, "lblBRadiadaX")->palette().color(QPalette::WindowText); };
        const QColor azul(0, 0, 255), blanco(255, 255, 255), antes = color();
        QVERIFY(antes == azul || antes == blanco);
        QTRY_COMPARE_WITH_TIMEOUT(color(), antes == azul ? blanco : azul, 1500); // blue and white in turn
        // A base taken from an X row empties its boxes and the result.
        Entrar(bases, 2, Boton(w, "cmdEntrarBE"));
        QCOMPARE(Textos(w, {"lblBE", "lblBEX", "lblBRadiadaX", "lblBO"}), QString("|||R1"));
    }
};

QTEST_MAIN(PruebaRadiacion)
#include "test_radiacion.moc"
