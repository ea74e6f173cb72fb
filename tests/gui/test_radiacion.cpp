#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QTemporaryDir>
#include <cmath>

#include "Ayudantes.h"
#include "core/Configuracion.h"
#include "core/modFuncionesTopo.h"
#include "points/frmRadiacion.h"
#include "shell/MDIfrmMain.h"

using namespace prueba;
using namespace prueba::ficheros;

namespace {

QString Textos(std::initializer_list<const QLabel*> etiquetas)
{
    QStringList r;
    for (const QLabel* l : etiquetas)
        r << l->text();
    return r.join('|');
}

} // namespace

class PruebaRadiacion : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void cleanup() { KRefraccion = K_POR_DEFECTO; }

    // A set-up as in the field: bases from a file, BE and BO picked, the sight
    // typed, checked against the plain formulas, and the point added.
    void radiarPorTeclado()
    {
        KRefraccion = 0.08;
        const QString ruta = dir_.filePath("bases.bse");
        QVERIFY(Escribir(ruta, "\"E1\",\"502345.678\",\"4401234.567\",\"612.345\"\r\n"
                               "\"R1\",\"502512.110\",\"4401101.905\",\"598.001\"\r\n"));
        frmRadiacion w;
        QVERIFY(Mostrar(&w));
        auto d = ResponderFichero(ruta);
        QTest::mouseClick(w.cmdAbrirBases, Qt::LeftButton);
        QVERIFY(d->visto);
        Entrar(w.lstBases, 0, w.cmdEntrarBE);
        Entrar(w.lstBases, 6, w.cmdEntrarBO);
        QCOMPARE(Textos({w.lblBE, w.lblBO, w.lblBOY}), QString("E1|R1|4401101.905"));
        QVERIFY(ConFoco(w.txtObservaciones[0]));
        QCOMPARE(w.txtObservaciones[0]->text(), QString("0.0000"));
        w.txtObservaciones[0]->selectAll();
        // Keys are filtered: only digits and one decimal point.
        const char* lecturas[7] = {"-37.12a34", "251.8765", "97.5432", "123,456", "1.55", "1.80", "p-1"};
        for (int i = 0; i < 7; ++i) {
            QVERIFY(ConFoco(w.txtObservaciones[i]));
            QCOMPARE(w.lblBRadiadaX->text().isEmpty(), i < 6); // shown before the point has a name
            QTest::keyClicks(w.txtObservaciones[i], lecturas[i]);
            QTest::keyClick(w.txtObservaciones[i], Qt::Key_Return);
        }
        QCOMPARE(w.txtObservaciones[0]->text() + " " + w.txtObservaciones[3]->text() + " " +
                     w.txtObservaciones[6]->text(),
                 QString("37.1234 123456 P-1"));
        w.txtObservaciones[3]->setText("123,456"); // pasted, the comma is a decimal point
        const double g = M_PI / 200.0;
        const double th = std::atan2(502512.110 - 502345.678, 4401101.905 - 4401234.567) + (251.8765 - 37.1234) * g;
        const double dr = 123.456 * std::sin(97.5432 * g);
        const QString x = QString::number(502345.678 + dr * std::sin(th), 'f', 3);
        const QString y = QString::number(4401234.567 + dr * std::cos(th), 'f', 3);
        const QString z = QString::number(
            612.345 + 123.456 * std::cos(97.5432 * g) + 0.84 * dr * dr / (2 * 6371064.0) + 1.55 - 1.80, 'f', 3);
        QCOMPARE(Textos({w.lblBRadiadaX, w.lblBRadiadaY, w.lblBRadiadaZ}), QStringList({x, y, z}).join('|'));
        // A broken field empties the result at once.
        w.txtObservaciones[4]->setText("1.5.");
        QCOMPARE(Textos({w.lblBRadiadaX, w.lblBRadiadaY, w.lblBRadiadaZ}), QString("||"));
        w.txtObservaciones[4]->setText("1.55");

        QVERIFY(ConFoco(w.cmdEntrarBV));
        QCOMPARE(w.lstBases->count(), 12); // Enter only moved the focus
        QTest::keyClick(w.cmdEntrarBV, Qt::Key_Return);
        QCOMPARE(Filas(w.lstBases).mid(12), QStringList({"P-1", "", x, y, z, ""}));
        // Ready for the next point: BE and BO stay, the sight is cleared.
        QCOMPARE(w.txtObservaciones[0]->text() + "|" + w.txtObservaciones[3]->text(), QString("0.0000|"));
        QCOMPARE(Textos({w.lblBE, w.lblBO, w.lblBRadiadaX}), QString("E1|R1|"));
        QVERIFY(ConFoco(w.txtObservaciones[0]));
        QTest::keyClick(w.txtObservaciones[0], Qt::Key_Up); // the arrows stop at the ends
        QVERIFY(ConFoco(w.txtObservaciones[0]));
        QTest::keyClick(w.txtObservaciones[0], Qt::Key_Down);
        QVERIFY(ConFoco(w.txtObservaciones[1]));
    }

    void mensajesYListaDeBases()
    {
        KRefraccion = 0.5;
        frmRadiacion w;
        QVERIFY(Mostrar(&w));
        w.lstBases->addItems({"E", "", "1.000", "2.000", "3.000", "", "O", "", "4.000", "5.000", "-6.500", ""});
        const QString ruta = dir_.filePath("guardadas.bse");
        ResponderFichero(ruta);
        Pulsar(w.cmdGuardarFichero, "Fichero guardado.", QMessageBox::Information);
        QCOMPARE(Leer(ruta),
                 QByteArray("\"E\",\"1.000\",\"2.000\",\"3.000\"\r\n\"O\",\"4.000\",\"5.000\",\"-6.500\"\r\n"));

        const QString datos = QStringLiteral("Los datos no son válidos o están en blanco.");
        Entrar(w.lstBases, 0, w.cmdEntrarBE);
        w.txtObservaciones[6]->setText("X");
        Pulsar(w.cmdEntrarBV, datos, QMessageBox::Warning); // a name but no result
        Entrar(w.lstBases, 6, w.cmdEntrarBO);
        for (int i = 1; i < 6; ++i)
            w.txtObservaciones[i]->setText("1");
        w.txtObservaciones[6]->clear();
        QVERIFY(!w.lblBRadiadaX->text().isEmpty());
        Pulsar(w.cmdEntrarBV, datos, QMessageBox::Warning); // a result but no name
        QCOMPARE(w.lstBases->count(), 12);
        QCOMPARE(w.txtObservaciones[1]->text(), QString("1")); // refused: the sight stays
        // Two points of the same name may stand in the list.
        w.txtObservaciones[6]->setText("E");
        QTest::mouseClick(w.cmdEntrarBV, Qt::LeftButton);
        QCOMPARE(Filas(w.lstBases).mid(12, 1), QStringList{"E"});

        // BO's height is required although unused; a base taken from an X row empties it and the result.
        for (int i = 1; i < 6; ++i)
            w.txtObservaciones[i]->setText("1");
        w.lblBOZ->clear();
        w.CalcularRadiacion();
        QCOMPARE(w.lblBRadiadaY->text(), QString());
        Entrar(w.lstBases, 6, w.cmdEntrarBO);
        QVERIFY(!w.lblBRadiadaX->text().isEmpty());
        Entrar(w.lstBases, 2, w.cmdEntrarBE);
        QCOMPARE(Textos({w.lblBE, w.lblBEX, w.lblBRadiadaX, w.lblBO}), QString("|||O"));

        // Clearing asks; BE and BO stay.
        Entrar(w.lstBases, 0, w.cmdEntrarBE);
        Entrar(w.lstBases, 6, w.cmdCortarBase);
        QCOMPARE(w.lstBases->count(), 12);
        const QString confirmar = QStringLiteral("¿Confirma que desea borrar todas las bases?");
        Pulsar(w.cmdBorrarBases, confirmar, QMessageBox::NoIcon, QMessageBox::No);
        QCOMPARE(w.lstBases->count(), 12);
        Pulsar(w.cmdBorrarBases, confirmar, QMessageBox::NoIcon, QMessageBox::Yes);
        QCOMPARE(w.lstBases->count(), 0);
        QCOMPARE(Textos({w.lblBE, w.lblBEX, w.lblBO}), QString("E|1.000|O"));
        QVERIFY(ConFoco(w.txtObservaciones[0]));
    }

    void intermitenciaYMenu()
    {
        frmRadiacion r;
        r.show();
        auto color = [](const QLabel* l) { return l->palette().color(QPalette::WindowText); };
        const QColor azul(0, 0, 255), blanco(255, 255, 255), antes = color(r.lblBRadiadaX);
        QVERIFY(antes == azul || antes == blanco);
        QTRY_COMPARE_WITH_TIMEOUT(color(r.lblBRadiadaX), antes == azul ? blanco : azul, 1500);
        QCOMPARE(color(r.lblBRadiadaZ), color(r.lblBRadiadaX));

        // From the menu: a window of its own, opened once.
        FijarCarpetaPrograma(dir_.path().toStdString());
        auto m = Responder(); // a first start without configuration says so
        MDIfrmMain principal;
        principal.show();
        principal.mnuRadiacionRadiarBases->trigger();
        auto* w = principal.Buscar<frmRadiacion>();
        QVERIFY(w && w->isWindow() && w->isVisible());
        QCOMPARE(principal.mdiArea->subWindowList().size(), 0);
        principal.mnuRadiacionRadiarBases->trigger();
        QCOMPARE(principal.Buscar<frmRadiacion>(), w);
    }
};

QTEST_MAIN(PruebaRadiacion)
#include "test_radiacion.moc"
