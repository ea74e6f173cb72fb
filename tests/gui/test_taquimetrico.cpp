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
#include "points/frmTaquimetrico.h"
#include "shell/MDIfrmMain.h"

using namespace prueba;

namespace
{

const QString DATOS_NO_VALIDOS = QStringLiteral("Los datos no son válidos o están en blanco.");

// The example files of the program, from the test's environment or beside the sources.
QString Ejemplo(const QString& nombre)
{
    const QString carpeta = qEnvironmentVariable("CV_EXAMPLES");
    if (!carpeta.isEmpty())
        return carpeta + "/" + nombre;
    return QFINDTESTDATA("../../examples/" + nombre);
}

struct Estacion {
    double x, y, z, xo, yo, hz, i;
};

// The point row an observation row gives, by the plain formulas.
QString Radiado(const Estacion& e, const QString& fila, double k)
{
    const QStringList w = fila.split(' ');
    const double g = M_PI / 200.0;
    const double az = std::atan2(e.xo - e.x, e.yo - e.y) / g;
    const double th = (az + w[1].toDouble() - e.hz) * g;
    const double v = w[2].toDouble() * g, di = w[3].toDouble(), m = w[4].toDouble();
    const double dr = di * std::sin(v);
    const double z = e.z + di * std::cos(v) + (1 - 2 * k) * dr * dr / (2 * 6371064.0) + e.i - m;
    return QStringLiteral("%1 %2 %3 %4")
        .arg(w[0], QString::number(e.x + dr * std::sin(th), 'f', 3), QString::number(e.y + dr * std::cos(th), 'f', 3),
             QString::number(z, 'f', 3));
}

} // namespace

class PruebaTaquimetrico : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        KRefraccion = 0.08;
    }
    void cleanup() { KRefraccion = K_POR_DEFECTO; }

    void aperturaYControles()
    {
        frmTaquimetrico w;
        QVERIFY(Mostrar(&w));
        QCOMPARE(w.objectName(), QString("frmTaquimetrico"));
        QCOMPARE(w.txtHz->text(), QString("0.0000"));
        QCOMPARE(w.txtHz->toolTip(), QString("Ángulo acimutal de orientación"));
        QCOMPARE(w.txti->toolTip(), QString("Altura del instrumento"));
        QCOMPARE(w.txtPtoI->toolTip(), QString("Punto inicial del bloque"));
        QCOMPARE(w.txtPtoF->toolTip(), QString("Punto final del bloque"));
        QCOMPARE(w.cmdCalcularBloque->toolTip(), QString("Calcular bloque"));
        QCOMPARE(w.lstBases->toolTip(), QString("Lista de bases"));
        QCOMPARE(w.lstObservaciones->toolTip(), QString("Lista de observaciones"));
        QCOMPARE(w.lstPuntos->toolTip(), QString("Lista de puntos calculados"));
        const QPair<const char*, const char*> ayudas[] = {
            {"cmdAbrirBases", "Abrir fichero de bases"},           {"cmdCortarBase", "Cortar base seleccionada"},
            {"cmdLimpiarBases", "Borrar todas las bases"},         {"cmdObsAbrir", "Abrir fichero de observaciones"},
            {"cmdCortarObservacion", "Cortar punto seleccionado"}, {"cmdPuntosGuardar", "Guardar fichero ascii"},
            {"cmdPuntosBorrar", "Cortar punto seleccionado"},      {"cmdPuntosLimpiar", "Borrar todos los puntos"}};
        for (const auto& a : ayudas)
            QCOMPARE(Control<QPushButton>(&w, a.first)->toolTip(), QString::fromUtf8(a.second));
        QCOMPARE(w.cmdEntrarBE->text(), QString("Entrar BE"));
        QCOMPARE(w.cmdEntrarBO->text(), QString("Entrar BO"));
        for (const char* n : {"lblBE", "lblBEX", "lblBEY", "lblBEZ", "lblBO", "lblBOX", "lblBOY", "lblBOZ"})
            QVERIFY(Control<QLabel>(&w, n));
        QVERIFY(w.lstPuntos->uniformItemSizes());
    }

    // The example run of two stations, typed as in the field.
    void recorridoDeDosEstaciones()
    {
        frmTaquimetrico w;
        QVERIFY(Mostrar(&w));
        auto d = ResponderFichero(Ejemplo("taquimetrico.bse"));
        QTest::mouseClick(w.cmdAbrirBases, Qt::LeftButton);
        QVERIFY(d->visto);
        QCOMPARE(d->titulo, QString("Abrir fichero de bases"));
        QCOMPARE(w.lstBases->count(), 18); // R1, E1, E2
        d = ResponderFichero(Ejemplo("taquimetrico.txt"));
        QTest::mouseClick(w.cmdObsAbrir, Qt::LeftButton);
        QVERIFY(d->visto);
        QCOMPARE(d->titulo, QString("Abrir fichero de observaciones"));
        QCOMPARE(d->extension, QString("txt"));
        QCOMPARE(w.lstObservaciones->count(), 25);

        // Station E1 oriented on R1.
        Seleccionar(w.lstBases, 6);
        QTest::mouseClick(w.cmdEntrarBE, Qt::LeftButton);
        QVERIFY(ConFoco(w.txti));
        Seleccionar(w.lstBases, 0);
        QTest::mouseClick(w.cmdEntrarBO, Qt::LeftButton);
        QCOMPARE(w.lblBE->text(), QString("E1"));
        QCOMPARE(w.lblBO->text(), QString("R1"));
        QVERIFY(ConFoco(w.txti));
        QTest::keyClicks(w.txti, "1.562");
        QTest::keyClick(w.txti, Qt::Key_Return);
        QVERIFY(ConFoco(w.txtPtoI));
        QTest::keyClicks(w.txtPtoI, "1");
        QTest::keyClick(w.txtPtoI, Qt::Key_Return);
        QTest::keyClicks(w.txtPtoF, "12");
        QTest::keyClick(w.txtPtoF, Qt::Key_Return);
        QVERIFY(ConFoco(w.cmdCalcularBloque));
        QCOMPARE(w.lstPuntos->count(), 0); // Enter does not press it
        QTest::keyClick(w.cmdCalcularBloque, Qt::Key_Return);

        const Estacion e1{362415.372, 4571236.845, 612.480, 362560.118, 4571398.204, 0.0, 1.562};
        QCOMPARE(w.lstPuntos->count(), 12);
        for (int k = 0; k < 12; ++k)
            QCOMPARE(w.lstPuntos->item(k)->text(), Radiado(e1, w.lstObservaciones->item(k)->text(), 0.08));
        // Point 1 of the generating geometry, within the rounding of the readings.
        const QStringList p1 = w.lstPuntos->item(0)->text().split(' ');
        QVERIFY(std::fabs(p1[1].toDouble() - 362275.678) < 0.005);
        QVERIFY(std::fabs(p1[2].toDouble() - 4571271.142) < 0.005);
        QVERIFY(std::fabs(p1[3].toDouble() - 619.812) < 0.005);

        // Ready for the next station.
        QCOMPARE(w.txtPtoI->text(), QString("13"));
        QCOMPARE(w.txtPtoF->text(), QString());
        QCOMPARE(w.txti->text(), QString());
        QCOMPARE(w.txtHz->text(), QString("0.0000"));
        for (const char* n : {"lblBE", "lblBEX", "lblBEY", "lblBEZ"})
            QCOMPARE(Control<QLabel>(&w, n)->text(), QString());
        QCOMPARE(w.lblBO->text(), QString("E1"));
        QCOMPARE(w.lblBOX->text(), QString("362415.372"));
        QCOMPARE(w.lblBOZ->text(), QString("612.480"));

        // Station E2, reading 137.4520 on E1.
        Seleccionar(w.lstBases, 12);
        QTest::mouseClick(w.cmdEntrarBE, Qt::LeftButton);
        QTest::keyClicks(w.txti, "1.498");
        QTest::keyClick(w.txti, Qt::Key_Up);
        QVERIFY(ConFoco(w.txtHz));
        w.txtHz->selectAll();
        QTest::keyClicks(w.txtHz, "137.4520");
        QTest::keyClick(w.txtHz, Qt::Key_Down);
        QTest::keyClick(w.txti, Qt::Key_Down);
        QTest::keyClick(w.txtPtoI, Qt::Key_Down);
        QVERIFY(ConFoco(w.txtPtoF));
        QTest::keyClicks(w.txtPtoF, "25");
        QTest::mouseClick(w.cmdCalcularBloque, Qt::LeftButton);
        const Estacion e2{362498.930, 4571121.667, 604.912, 362415.372, 4571236.845, 137.452, 1.498};
        QCOMPARE(w.lstPuntos->count(), 25);
        for (int k = 12; k < 25; ++k)
            QCOMPARE(w.lstPuntos->item(k)->text(), Radiado(e2, w.lstObservaciones->item(k)->text(), 0.08));
        const QStringList p25 = w.lstPuntos->item(24)->text().split(' ');
        QCOMPARE(p25[0], QString("25"));
        QVERIFY(std::fabs(p25[1].toDouble() - 362399.256) < 0.005);
        QVERIFY(std::fabs(p25[2].toDouble() - 4571052.986) < 0.005);
        QVERIFY(std::fabs(p25[3].toDouble() - 602.855) < 0.005);
        QCOMPARE(w.txtPtoI->text(), QString("26"));
        QCOMPARE(w.lblBO->text(), QString("E2"));

        // The points file.
        const QString ruta = dir_.filePath("run.asc");
        d = ResponderFichero(ruta);
        auto m = Responder();
        QTest::mouseClick(w.cmdPuntosGuardar, Qt::LeftButton);
        QCOMPARE(d->titulo, QString("Exportar puntos"));
        QCOMPARE(m->texto, QString("Fichero guardado."));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lineas = f.readAll().split('\n');
        QCOMPARE(lineas.size(), 26);
        QCOMPARE(lineas[24], w.lstPuntos->item(24)->text().toUtf8() + "\r");
    }

    void mensajesDelBloque()
    {
        KRefraccion = 0.5;
        frmTaquimetrico w;
        QVERIFY(Mostrar(&w));
        auto pulsar = [&](const QString& texto) {
            auto m = Responder();
            QTest::mouseClick(w.cmdCalcularBloque, Qt::LeftButton);
            QVERIFY(m->visto);
            QCOMPARE(m->titulo, QString("cartavector"));
            QCOMPARE(m->texto, texto);
            QCOMPARE(m->icono, QMessageBox::Warning);
            QCOMPARE(w.lstPuntos->count(), 0);
        };
        // Nothing typed, then no observations.
        pulsar(DATOS_NO_VALIDOS);
        w.txti->setText("1.5");
        w.txtPtoI->setText("5");
        w.txtPtoF->setText("9");
        pulsar(DATOS_NO_VALIDOS);
        w.lstObservaciones->addItems({"5 0.0000 100.0000 10.000 1.500", "5 100.0000 100.0000 10.000 1.500",
                                      "7 200.0000 100.0000 10.000 1.500", "9 300.0000 100.0000 10.000 1.500"});
        w.txtHz->clear();
        pulsar(DATOS_NO_VALIDOS);
        w.txtHz->setText("0.0000");
        pulsar(QStringLiteral("Seleccione las bases."));
        w.lstBases->addItems({"A", "", "100.000", "100.000", "50.000", "", "B", "", "100.000", "200.000", "0.000", ""});
        Seleccionar(w.lstBases, 0);
        QTest::mouseClick(w.cmdEntrarBE, Qt::LeftButton);
        pulsar(QStringLiteral("Seleccione las bases."));
        Seleccionar(w.lstBases, 6);
        QTest::mouseClick(w.cmdEntrarBO, Qt::LeftButton);
        w.txtPtoF->setText("5");
        pulsar(QStringLiteral("El punto final es menor o igual al punto inicial."));
        w.txtPtoI->setText("6");
        w.txtPtoF->setText("9");
        pulsar(QStringLiteral("Punto inicial no encontrado."));
        w.txtPtoI->setText("5");
        w.txtPtoF->setText("8");
        pulsar(QStringLiteral("Punto final no encontrado."));
        QCOMPARE(w.lblBE->text(), QString("A"));
        QCOMPARE(w.txtPtoI->text(), QString("5"));

        // Computed at last: from the second 5 on, heights equal the station's.
        w.txtPtoF->setText("9");
        QTest::mouseClick(w.cmdCalcularBloque, Qt::LeftButton);
        QCOMPARE(w.lstPuntos->count(), 3);
        QCOMPARE(w.lstPuntos->item(0)->text(), QString("5 110.000 100.000 50.000"));
        QCOMPARE(w.lstPuntos->item(1)->text(), QString("7 100.000 90.000 50.000"));
        QCOMPARE(w.lstPuntos->item(2)->text(), QString("9 90.000 100.000 50.000"));
        QCOMPARE(w.txtPtoI->text(), QString("10"));
    }

    void bloqueAlRevesSoloPreparaLaSiguiente()
    {
        frmTaquimetrico w;
        w.show();
        w.lstObservaciones->addItems({"9 0 100 10 1.5", "5 0 100 10 1.5"});
        QLabel* etiquetas[8] = {w.lblBE, w.lblBEX, w.lblBEY, w.lblBEZ, w.lblBO, w.lblBOX, w.lblBOY, w.lblBOZ};
        const char* textos[8] = {"A", "0", "0", "0", "B", "0", "1", "0"};
        for (int k = 0; k < 8; ++k)
            etiquetas[k]->setText(textos[k]);
        w.txti->setText("1");
        w.txtPtoI->setText("5");
        w.txtPtoF->setText("9");
        QTest::mouseClick(w.cmdCalcularBloque, Qt::LeftButton);
        QCOMPARE(w.lstPuntos->count(), 0);
        QCOMPARE(w.lblBO->text(), QString("A"));
        QCOMPARE(w.lblBE->text(), QString());
        QCOMPARE(w.txtPtoI->text(), QString("10"));
    }

    void tablaDeTeclas()
    {
        frmTaquimetrico w;
        QVERIFY(Mostrar(&w));
        w.txtHz->clear();
        Teclear(w.txtHz, "1-2,a.5");
        QCOMPARE(w.txtHz->text(), QString("12.5"));
        QTest::keyClick(w.txtHz, Qt::Key_Up);
        QVERIFY(ConFoco(w.txtHz));
        QTest::keyClick(w.txtHz, Qt::Key_Return);
        QVERIFY(ConFoco(w.txti));
        QTest::keyClicks(w.txti, "1.5x");
        QCOMPARE(w.txti->text(), QString("1.5"));
        QTest::keyClick(w.txti, Qt::Key_Left);
        QVERIFY(ConFoco(w.txtHz));
        QTest::keyClick(w.txtHz, Qt::Key_Down);
        QTest::keyClick(w.txti, Qt::Key_Right);
        QVERIFY(ConFoco(w.txtPtoI));
        QTest::keyClicks(w.txtPtoI, "1.2-");
        QCOMPARE(w.txtPtoI->text(), QString("12"));
        QTest::keyClick(w.txtPtoI, Qt::Key_Left);
        QVERIFY(ConFoco(w.txti));
        QTest::keyClick(w.txti, Qt::Key_Down);
        QTest::keyClick(w.txtPtoI, Qt::Key_Right);
        QVERIFY(ConFoco(w.txtPtoF));
        QTest::keyClicks(w.txtPtoF, "3.4");
        QCOMPARE(w.txtPtoF->text(), QString("34"));
        QTest::keyClick(w.txtPtoF, Qt::Key_Down);
        QVERIFY(ConFoco(w.txtPtoF));
        QTest::keyClick(w.txtPtoF, Qt::Key_Up);
        QVERIFY(ConFoco(w.txtPtoI));
        QTest::keyClick(w.txtPtoI, Qt::Key_Up);
        QVERIFY(ConFoco(w.txti));
        QTest::keyClick(w.txti, Qt::Key_Up);
        QVERIFY(ConFoco(w.txtHz));
        w.txtPtoF->setFocus();
        QTest::keyClick(w.txtPtoF, Qt::Key_Left);
        QVERIFY(ConFoco(w.txtPtoI));
        // Backspace still edits.
        QTest::keyClick(w.txtPtoI, Qt::Key_End);
        QTest::keyClick(w.txtPtoI, Qt::Key_Backspace);
        QCOMPARE(w.txtPtoI->text(), QString("1"));
    }

    void listasYConfirmaciones()
    {
        frmTaquimetrico w;
        QVERIFY(Mostrar(&w));
        w.lstBases->addItems({"A", "", "1.000", "2.000", "3.000", "", "B", "", "4.000", "5.000", "6.000", ""});
        Seleccionar(w.lstBases, 0);
        QTest::mouseClick(w.cmdEntrarBE, Qt::LeftButton);
        Seleccionar(w.lstBases, 6);
        QTest::mouseClick(w.cmdCortarBase, Qt::LeftButton);
        QCOMPARE(w.lstBases->count(), 6);
        auto m = Responder(QMessageBox::No);
        QTest::mouseClick(w.cmdLimpiarBases, Qt::LeftButton);
        QCOMPARE(m->texto, QString("¿Confirma que desea borrar todas las bases?"));
        QCOMPARE(m->icono, QMessageBox::NoIcon);
        QCOMPARE(m->botones, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(w.lstBases->count(), 6);
        w.txtHz->setFocus();
        m = Responder(QMessageBox::Yes);
        QTest::mouseClick(w.cmdLimpiarBases, Qt::LeftButton);
        QCOMPARE(w.lstBases->count(), 0);
        QCOMPARE(w.lblBE->text(), QString("A"));
        QVERIFY(ConFoco(w.txti));

        w.lstObservaciones->addItems({"1 0 0 0 0", "2 0 0 0 0", "3 0 0 0 0"});
        Seleccionar(w.lstObservaciones, 2);
        QTest::mouseClick(w.cmdCortarObservacion, Qt::LeftButton);
        QCOMPARE(w.lstObservaciones->count(), 2);
        QCOMPARE(w.lstObservaciones->currentRow(), 1);

        w.lstPuntos->addItems({"1 0.000 0.000 0.000", "2 0.000 0.000 0.000"});
        Seleccionar(w.lstPuntos, 0);
        QTest::mouseClick(w.cmdPuntosBorrar, Qt::LeftButton);
        QCOMPARE(w.lstPuntos->count(), 1);
        QCOMPARE(w.lstPuntos->item(0)->text(), QString("2 0.000 0.000 0.000"));
        m = Responder(QMessageBox::No);
        QTest::mouseClick(w.cmdPuntosLimpiar, Qt::LeftButton);
        QCOMPARE(m->texto, QString("¿Confirma que desea borrar todos los puntos?"));
        QCOMPARE(w.lstPuntos->count(), 1);
        m = Responder(QMessageBox::Yes);
        QTest::mouseClick(w.cmdPuntosLimpiar, Qt::LeftButton);
        QCOMPARE(w.lstPuntos->count(), 0);

        // Opening observations empties the list first, even when cancelled.
        auto d = ResponderFichero(QString());
        QTest::mouseClick(w.cmdObsAbrir, Qt::LeftButton);
        QVERIFY(d->visto);
        QCOMPARE(w.lstObservaciones->count(), 0);
    }

    void desdeElMenuEsVentanaHija()
    {
        FijarCarpetaPrograma(dir_.path().toStdString());
        Configuracion c{0.08, 0};
        GuardarConfiguracion(c);
        MDIfrmMain principal;
        principal.show();
        principal.findChild<QAction*>("mnuTaquimetricoCalcular")->trigger();
        auto* w = principal.Buscar<frmTaquimetrico>();
        QVERIFY(w);
        QCOMPARE(principal.mdiArea->subWindowList().size(), 1);
        QCOMPARE(principal.mdiArea->subWindowList().first()->widget(), w);
        principal.findChild<QAction*>("mnuTaquimetricoCalcular")->trigger();
        QCOMPARE(principal.mdiArea->subWindowList().size(), 1);
    }

private:
    QTemporaryDir dir_;
};

QTEST_MAIN(PruebaTaquimetrico)
#include "test_taquimetrico.moc"
