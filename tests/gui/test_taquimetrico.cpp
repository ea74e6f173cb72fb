#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <cmath>

#include "Ayudantes.h"
#include "core/Configuracion.h"
#include "core/modFuncionesTopo.h"
#include "points/frmTaquimetrico.h"
#include "shell/MDIfrmMain.h"

using namespace prueba;
using namespace prueba::ficheros;

namespace {

// The example files of the program, from the test's environment or beside the sources.
QString Ejemplo(const QString& nombre)
{
    const QString carpeta = qEnvironmentVariable("CV_EXAMPLES");
    return carpeta.isEmpty() ? QFINDTESTDATA("../../examples/" + nombre) : carpeta + "/" + nombre;
}

struct Estacion {
    double x, y, z, xo, yo, hz, i;
};

// The point row an observation row gives, by the plain formulas (K = 0.08).
QString Radiado(const Estacion& e, const QString& fila)
{
    const QStringList w = fila.split(' ');
    const double g = M_PI / 200.0;
    const double th = std::atan2(e.xo - e.x, e.yo - e.y) + (w[1].toDouble() - e.hz) * g;
    const double v = w[2].toDouble() * g, di = w[3].toDouble(), m = w[4].toDouble();
    const double dr = di * std::sin(v);
    const double z = e.z + di * std::cos(v) + 0.84 * dr * dr / (2 * 6371064.0) + e.i - m;
    return QStringLiteral("%1 %2 %3 %4")
        .arg(w[0], QString::number(e.x + dr * std::sin(th), 'f', 3), QString::number(e.y + dr * std::cos(th), 'f', 3),
             QString::number(z, 'f', 3));
}

} // namespace

class PruebaTaquimetrico : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void init() { KRefraccion = 0.08; }
    void cleanup() { KRefraccion = K_POR_DEFECTO; }

    // The example run of two stations, typed as in the field.
    void recorridoDeDosEstaciones()
    {
        frmTaquimetrico w;
        QVERIFY(Mostrar(&w));
        auto d = ResponderFichero(Ejemplo("taquimetrico.bse"));
        QTest::mouseClick(w.cmdAbrirBases, Qt::LeftButton);
        QVERIFY(d->visto);
        d = ResponderFichero(Ejemplo("taquimetrico.txt"));
        QTest::mouseClick(w.cmdObsAbrir, Qt::LeftButton);
        QVERIFY(d->visto);
        QCOMPARE(qMakePair(w.lstBases->count(), w.lstObservaciones->count()), qMakePair(18, 25)); // R1, E1, E2

        // Station E1 oriented on R1; Enter through i, first and last point, Enter on the button.
        Entrar(w.lstBases, 6, w.cmdEntrarBE);
        Entrar(w.lstBases, 0, w.cmdEntrarBO);
        QCOMPARE(w.lblBE->text() + " " + w.lblBO->text(), QString("E1 R1"));
        const QPair<QLineEdit*, const char*> campos[] = {{w.txti, "1.562"}, {w.txtPtoI, "1.-"}, {w.txtPtoF, "12"}};
        for (const auto& [campo, teclas] : campos) {
            QVERIFY(ConFoco(campo));
            QTest::keyClicks(campo, teclas);
            QTest::keyClick(campo, Qt::Key_Return);
        }
        QCOMPARE(w.txtPtoI->text(), QString("1")); // point numbers are whole
        QVERIFY(ConFoco(w.cmdCalcularBloque));
        QCOMPARE(w.lstPuntos->count(), 0); // Enter does not press it
        QTest::keyClick(w.cmdCalcularBloque, Qt::Key_Return);
        const Estacion e1{362415.372, 4571236.845, 612.480, 362560.118, 4571398.204, 0.0, 1.562};
        QCOMPARE(w.lstPuntos->count(), 12);
        for (int k = 0; k < 12; ++k)
            QCOMPARE(w.lstPuntos->item(k)->text(), Radiado(e1, w.lstObservaciones->item(k)->text()));

        // Ready for the next station: E1 becomes the back sight.
        QCOMPARE(w.txtPtoI->text() + "|" + w.txtPtoF->text() + "|" + w.txti->text() + "|" + w.txtHz->text(),
                 QString("13|||0.0000"));
        QCOMPARE(w.lblBE->text() + w.lblBEX->text() + w.lblBEY->text() + w.lblBEZ->text(), QString());
        QCOMPARE(w.lblBO->text() + " " + w.lblBOX->text() + " " + w.lblBOZ->text(), QString("E1 362415.372 612.480"));

        // Station E2, reading 137.4520 on E1, moving with the arrows.
        Entrar(w.lstBases, 12, w.cmdEntrarBE);
        QTest::keyClicks(w.txti, "1.498");
        QTest::keyClick(w.txti, Qt::Key_Left);
        QVERIFY(ConFoco(w.txtHz));
        w.txtHz->selectAll();
        QTest::keyClicks(w.txtHz, "137.4520");
        QTest::keyClick(w.txtHz, Qt::Key_Up); // stops at the first field
        QTest::keyClick(w.txtHz, Qt::Key_Down);
        QTest::keyClick(w.txti, Qt::Key_Right);
        QTest::keyClick(w.txtPtoI, Qt::Key_Down);
        QVERIFY(ConFoco(w.txtPtoF));
        QTest::keyClicks(w.txtPtoF, "25");
        QTest::mouseClick(w.cmdCalcularBloque, Qt::LeftButton);
        const Estacion e2{362498.930, 4571121.667, 604.912, 362415.372, 4571236.845, 137.452, 1.498};
        QCOMPARE(w.lstPuntos->count(), 25);
        for (int k = 12; k < 25; ++k)
            QCOMPARE(w.lstPuntos->item(k)->text(), Radiado(e2, w.lstObservaciones->item(k)->text()));
        // The example's point 25 as laid out, within the rounding of the readings.
        const QStringList p25 = w.lstPuntos->item(24)->text().split(' ');
        QVERIFY(p25[0] == "25" && std::fabs(p25[1].toDouble() - 362399.256) < 0.005 &&
                std::fabs(p25[2].toDouble() - 4571052.986) < 0.005 && std::fabs(p25[3].toDouble() - 602.855) < 0.005);
        QCOMPARE(w.txtPtoI->text() + " " + w.lblBO->text(), QString("26 E2"));

        const QString ruta = dir_.filePath("run.asc");
        ResponderFichero(ruta);
        Pulsar(w.cmdPuntosGuardar, "Fichero guardado.", QMessageBox::Information);
        QCOMPARE(QString::fromUtf8(Leer(ruta)), Filas(w.lstPuntos).join("\r\n") + "\r\n");
    }

    // Each refusal of the block, in the order the window checks them.
    void mensajesDelBloque()
    {
        KRefraccion = 0.5;
        frmTaquimetrico w;
        QVERIFY(Mostrar(&w));
        const QString datos = QStringLiteral("Los datos no son válidos o están en blanco.");
        Pulsar(w.cmdCalcularBloque, datos, QMessageBox::Warning); // nothing typed
        w.txti->setText("1.5");
        w.txtPtoI->setText("5");
        w.txtPtoF->setText("9");
        Pulsar(w.cmdCalcularBloque, datos, QMessageBox::Warning); // no observations
        w.lstObservaciones->addItems({"5 0.0000 100.0000 10.000 1.500", "5 100.0000 100.0000 10.000 1.500",
                                      "7 200.0000 100.0000 10.000 1.500", "9 300.0000 100.0000 10.000 1.500"});
        w.txtHz->clear();
        Pulsar(w.cmdCalcularBloque, datos, QMessageBox::Warning);
        w.txtHz->setText("0.0000");
        Pulsar(w.cmdCalcularBloque, "Seleccione las bases.", QMessageBox::Warning);
        w.lstBases->addItems({"A", "", "100.000", "100.000", "50.000", "", "B", "", "100.000", "200.000", "0.000", ""});
        Entrar(w.lstBases, 0, w.cmdEntrarBE);
        Pulsar(w.cmdCalcularBloque, "Seleccione las bases.", QMessageBox::Warning);
        Entrar(w.lstBases, 6, w.cmdEntrarBO);
        w.txtPtoF->setText("5");
        Pulsar(w.cmdCalcularBloque, "El punto final es menor o igual al punto inicial.", QMessageBox::Warning);
        w.txtPtoI->setText("6");
        w.txtPtoF->setText("9");
        Pulsar(w.cmdCalcularBloque, "Punto inicial no encontrado.", QMessageBox::Warning);
        w.txtPtoI->setText("5");
        w.txtPtoF->setText("8");
        Pulsar(w.cmdCalcularBloque, "Punto final no encontrado.", QMessageBox::Warning);
        QCOMPARE(w.lstPuntos->count(), 0);
        QCOMPARE(w.lblBE->text() + " " + w.txtPtoI->text(), QString("A 5"));

        // Computed at last: from the first 5 on, level sights keep the station's height.
        w.txtPtoF->setText("9");
        QTest::mouseClick(w.cmdCalcularBloque, Qt::LeftButton);
        QCOMPARE(Filas(w.lstPuntos),
                 QStringList({"5 110.000 100.000 50.000", "7 100.000 90.000 50.000", "9 90.000 100.000 50.000"}));
        QCOMPARE(w.txtPtoI->text(), QString("10"));

        // A block found backwards computes nothing but still readies the next station.
        w.lstPuntos->clear();
        w.lstObservaciones->clear();
        w.lstObservaciones->addItems({"9 0 100 10 1.5", "5 0 100 10 1.5"});
        Entrar(w.lstBases, 0, w.cmdEntrarBE);
        Entrar(w.lstBases, 6, w.cmdEntrarBO);
        w.txti->setText("1");
        w.txtPtoI->setText("5");
        w.txtPtoF->setText("9");
        QTest::mouseClick(w.cmdCalcularBloque, Qt::LeftButton);
        QCOMPARE(w.lstPuntos->count(), 0);
        QCOMPARE(w.lblBO->text() + "|" + w.lblBE->text() + "|" + w.txtPtoI->text(), QString("A||10"));
    }

    void listasYConfirmaciones()
    {
        frmTaquimetrico w;
        QVERIFY(Mostrar(&w));
        w.lstBases->addItems({"A", "", "1.000", "2.000", "3.000", "", "B", "", "4.000", "5.000", "6.000", ""});
        Entrar(w.lstBases, 0, w.cmdEntrarBE);
        Entrar(w.lstBases, 6, w.cmdCortarBase);
        QCOMPARE(w.lstBases->count(), 6);
        const QString bases = QStringLiteral("¿Confirma que desea borrar todas las bases?");
        Pulsar(w.cmdLimpiarBases, bases, QMessageBox::NoIcon, QMessageBox::No);
        QCOMPARE(w.lstBases->count(), 6);
        w.txtHz->setFocus();
        Pulsar(w.cmdLimpiarBases, bases, QMessageBox::NoIcon, QMessageBox::Yes);
        QCOMPARE(w.lstBases->count(), 0);
        QCOMPARE(w.lblBE->text(), QString("A"));
        QVERIFY(ConFoco(w.txti));

        w.lstPuntos->addItems({"1 0.000 0.000 0.000", "2 0.000 0.000 0.000"});
        Entrar(w.lstPuntos, 0, w.cmdPuntosBorrar);
        QCOMPARE(Filas(w.lstPuntos), QStringList{"2 0.000 0.000 0.000"});
        const QString puntos = QStringLiteral("¿Confirma que desea borrar todos los puntos?");
        Pulsar(w.cmdPuntosLimpiar, puntos, QMessageBox::NoIcon, QMessageBox::Yes);
        QCOMPARE(w.lstPuntos->count(), 0);

        w.lstObservaciones->addItems({"1 0 0 0 0", "2 0 0 0 0", "3 0 0 0 0"});
        Entrar(w.lstObservaciones, 2, w.cmdCortarObservacion);
        QCOMPARE(w.lstObservaciones->currentRow(), 1);

        // From the menu: a child of the main window, opened once.
        FijarCarpetaPrograma(dir_.path().toStdString());
        auto m = Responder(); // a first start without configuration says so
        MDIfrmMain principal;
        principal.show();
        principal.mnuTaquimetricoCalcular->trigger();
        principal.mnuTaquimetricoCalcular->trigger();
        QCOMPARE(principal.mdiArea->subWindowList().size(), 1);
        QCOMPARE(principal.mdiArea->subWindowList().first()->widget(), principal.Buscar<frmTaquimetrico>());
    }
};

QTEST_MAIN(PruebaTaquimetrico)
#include "test_taquimetrico.moc"
