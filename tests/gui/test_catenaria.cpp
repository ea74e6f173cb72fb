#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>

#include "Ayudantes.h"
#include "catenary/frmCatenaria.h"
#include "core/Configuracion.h"
#include "shell/MDIfrmMain.h"

using namespace prueba;

namespace {

const double G = M_PI / 200.0;

QString Fijo(double v, int decimales)
{
    return QString::number(v, 'f', decimales);
}

QStringList Filas(const QListWidget* lista)
{
    QStringList r;
    for (int k = 0; k < lista->count(); ++k)
        r << lista->item(k)->text();
    return r;
}

void Escribir(const QString& ruta, const QByteArray& datos)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(datos);
}

double Acimut(double x0, double y0, double x1, double y1)
{
    const double t = std::atan2(x1 - x0, y1 - y0) / G;
    return t < 0 ? t + 400.0 : t;
}

} // namespace

class PruebaCatenaria : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // Station E-1 at (0, 0, 100) sighting the level span A = 7 (-50, 100, 120)
    // to B = 8 (50, 100, 120); three cable points hang on a parabola of 500 m
    // at 25, 50 and 75 m from A. The circle reads 100 on A; i = 1.5.
    void PrepararFicheros()
    {
        Escribir(dir_.filePath("bases.bse"), "\"E-0\",\"5\",\"5\",\"5\"\r\n\"E-1\",\"0\",\"0\",\"100\"\r\n");
        Escribir(dir_.filePath("anclajes.asc"), "7 -50 100 120\r\n8 50 100 120\r\n");
        QByteArray obs = "1,100.0000,99.0000,0,0\r\n";
        const double AzDA = Acimut(0, 0, -50, 100);
        for (int k = 1; k <= 3; ++k) {
            const double u = 25.0 * k;
            const double x = -50.0 + u, y = 100.0, z = 120.0 - u * (100.0 - u) / 1000.0;
            double hz = Acimut(0, 0, x, y) - AzDA + 100.0;
            hz = hz < 0 ? hz + 400.0 : hz;
            const double v = 100.0 - std::atan((z - 101.5) / std::hypot(x, y)) / G;
            obs += QString("%1,%2,%3,0,0\r\n").arg(1 + k).arg(Fijo(hz, 4), Fijo(v, 4)).toUtf8();
        }
        obs += "5,250.0000,100.0000,0,0\r\n";
        Escribir(dir_.filePath("obs.txt"), obs);
    }

    // Labels and rows of the example that has no parabola: the cable point of
    // Hz 142.0833, V 87.6713 lies 1.5 m above the level chord.
    static void DatosSinAjuste(frmCatenaria& w)
    {
        w.lblBase->setText("E1");
        w.lblBaseX->setText("0.000");
        w.lblBaseY->setText("0.000");
        w.lblBaseZ->setText("100.000");
        w.lblPto1->setText("7");
        w.lblPto1X->setText("-50.000");
        w.lblPto1Y->setText("100.000");
        w.lblPto1Z->setText("120.000");
        w.lblPto2->setText("8");
        w.lblPto2X->setText("50.000");
        w.lblPto2Y->setText("100.000");
        w.lblPto2Z->setText("120.000");
        w.txti->setText("1.5");
        w.txtPtoI->setText("1");
        w.txtPtoF->setText("2");
        w.lstObservaciones->clear();
        w.lstObservaciones->addItems({"1 100.0000 99.0000 0.000 0.000", "2 142.0833 87.6713 0.000 0.000",
                                      "3 180.0000 90.0000 0.000 0.000"});
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        FijarCarpetaPrograma(dir_.path().toStdString());
        PrepararFicheros();
    }

    void calculoCompletoYExportacion()
    {
        frmCatenaria w;
        QVERIFY(Mostrar(&w));
        QCOMPARE(w.objectName(), QString("frmCatenaria"));
        QCOMPARE(w.windowTitle(), QString("Catenaria"));

        auto d = ResponderFichero(dir_.filePath("bases.bse"));
        QTest::mouseClick(w.cmdAbrirFicherodeBases, Qt::LeftButton);
        QVERIFY(d->visto);
        QCOMPARE(d->titulo, QString("Abrir fichero de bases"));
        QCOMPARE(w.lstBases->count(), 12);
        w.lstBases->setCurrentRow(6);
        QTest::mouseClick(w.cmdEntrarBE, Qt::LeftButton);
        QCOMPARE(w.lblBase->text(), QString("E-1"));
        QCOMPARE(w.lblBaseZ->text(), QString("100.000"));
        QCOMPARE(w.focusWidget(), w.txti);

        d = ResponderFichero(dir_.filePath("anclajes.asc"));
        QTest::mouseClick(w.cmdAbrirFicherodePuntosAnclajes, Qt::LeftButton);
        QCOMPARE(d->titulo, QString("Abrir fichero de puntos"));
        QCOMPARE(Filas(w.lstPuntos), QStringList({"7 -50.000 100.000 120.000", "8 50.000 100.000 120.000"}));
        w.lstPuntos->setCurrentRow(0);
        QTest::mouseClick(w.cmdEntrarPunto1, Qt::LeftButton);
        w.lstPuntos->setCurrentRow(1);
        QTest::mouseClick(w.cmdEntrarPunto2, Qt::LeftButton);
        QCOMPARE(w.lblPto1->text() + " " + w.lblPto1X->text(), QString("7 -50.000"));
        QCOMPARE(w.lblPto2->text() + " " + w.lblPto2X->text(), QString("8 50.000"));

        d = ResponderFichero(dir_.filePath("obs.txt"));
        QTest::mouseClick(w.cmdObsAbrir, Qt::LeftButton);
        QCOMPARE(d->titulo, QString("Abrir fichero de observaciones"));
        QCOMPARE(w.lstObservaciones->count(), 5);

        // The field order: i, initial and final number, then the button.
        QVERIFY(Mostrar(&w));
        Teclear(w.txti, "1.5");
        QTest::keyClick(w.txti, Qt::Key_Return);
        QVERIFY(ConFoco(w.txtPtoI));
        Teclear(w.txtPtoI, "1");
        QTest::keyClick(w.txtPtoI, Qt::Key_Return);
        QVERIFY(ConFoco(w.txtPtoF));
        Teclear(w.txtPtoF, "4");
        QTest::keyClick(w.txtPtoF, Qt::Key_Return);
        QVERIFY(ConFoco(w.cmdCalcularBloque));
        QTest::keyClick(w.cmdCalcularBloque, Qt::Key_Space);

        const QStringList puntos = Filas(w.lstPuntosCatenaria);
        QCOMPARE(puntos.size(), 5);
        QCOMPARE(puntos.first(), QString("7 -50.000 100.000 120.000"));
        QCOMPARE(puntos.last(), QString("8 50.000 100.000 120.000"));
        const QStringList proyeccion = Filas(w.lstProyeccion);
        QCOMPARE(proyeccion.size(), 11);
        QCOMPARE(proyeccion[0], QString("0.000,120.000"));
        QCOMPARE(proyeccion[4], QString("100.000,120.000"));
        for (int k = 1; k <= 3; ++k) {
            const double u = 25.0 * k;
            const QStringList fila = puntos[k].split(' ');
            QCOMPARE(fila.size(), 4);
            QCOMPARE(fila[0], QString::number(k + 1));
            QVERIFY2(std::fabs(fila[1].toDouble() - (-50.0 + u)) < 0.002, qPrintable(puntos[k]));
            QVERIFY2(std::fabs(fila[2].toDouble() - 100.0) < 0.001, qPrintable(puntos[k]));
            const QStringList par = proyeccion[k].split(',');
            QCOMPARE(par.size(), 2);
            QVERIFY2(std::fabs(par[0].toDouble() - u) < 0.002, qPrintable(proyeccion[k]));
            QVERIFY2(std::fabs(par[1].toDouble() - (120.0 - u * (100.0 - u) / 1000.0)) < 0.002,
                     qPrintable(proyeccion[k]));
            QCOMPARE(par[1], fila[3]);
        }
        QCOMPARE(proyeccion[5], QString("[Parámetro]"));
        QVERIFY2(std::fabs(proyeccion[6].toDouble() - 500.0) <= 1.0, qPrintable(proyeccion[6]));
        QVERIFY(proyeccion[6].endsWith(".00") || proyeccion[6].endsWith(".25") || proyeccion[6].endsWith(".50")
                || proyeccion[6].endsWith(".75"));
        QCOMPARE(proyeccion[7], QString("[Error de ajuste]"));
        QVERIFY(proyeccion[8].contains(QRegularExpression("^\\d+\\.\\d{3}$")));
        QCOMPARE(proyeccion[9], QString("[Error de regresión]"));
        QVERIFY(proyeccion[10].toDouble() < 0.01);

        // Tense export: every row, CR LF ends, then "Fichero guardado.".
        const QString tense = dir_.filePath("vano.tse");
        d = ResponderFichero(tense);
        auto m = Responder();
        QTest::mouseClick(w.cmdGuardarFicheroProyeccion, Qt::LeftButton);
        QVERIFY(d->visto);
        QCOMPARE(d->titulo, QString("Exportar tense"));
        QCOMPARE(d->extension, QString("tse"));
        QVERIFY(d->filtros.join(";").contains("*.tse"));
        QVERIFY(!d->nativo);
        QTRY_VERIFY(m->visto);
        QCOMPARE(m->texto, QString("Fichero guardado."));
        QCOMPARE(m->icono, QMessageBox::Information);
        QFile f(tense);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), proyeccion.join("\r\n") + "\r\n");

        // Points export of the computed points.
        const QString asc = dir_.filePath("catenaria.asc");
        d = ResponderFichero(asc);
        m = Responder();
        QTest::mouseClick(w.cmdGuardarFicheroPuntos, Qt::LeftButton);
        QCOMPARE(d->titulo, QString("Exportar puntos"));
        QTRY_VERIFY(m->visto);
        QFile g(asc);
        QVERIFY(g.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(g.readAll()), puntos.join("\r\n") + "\r\n");

        // A new observation file empties both results, even when cancelled.
        d = ResponderFichero(QString());
        QTest::mouseClick(w.cmdObsAbrir, Qt::LeftButton);
        QVERIFY(d->visto);
        QCOMPARE(w.lstPuntosCatenaria->count(), 0);
        QCOMPARE(w.lstProyeccion->count(), 0);
        QCOMPARE(w.lstObservaciones->count(), 0);
    }

    void casosRechazados()
    {
        frmCatenaria w;
        QVERIFY(Mostrar(&w));
        auto intentar = [&w](const QString& esperado) {
            w.lstPuntosCatenaria->clear();
            w.lstPuntosCatenaria->addItem("previo");
            auto m = Responder();
            QTest::mouseClick(w.cmdCalcularBloque, Qt::LeftButton);
            QTRY_VERIFY(m->visto);
            QCOMPARE(m->titulo, QString("cartavector"));
            QCOMPARE(m->texto, esperado);
            QCOMPARE(m->icono, QMessageBox::Warning);
            // Nothing changed.
            QCOMPARE(Filas(w.lstPuntosCatenaria), QStringList({"previo"}));
        };

        intentar("Seleccione las bases.");
        DatosSinAjuste(w);
        w.lblBaseY->clear();
        intentar("Seleccione las bases.");
        DatosSinAjuste(w);
        w.lblPto2Z->clear();
        intentar("Seleccione los puntos de anclaje.");
        DatosSinAjuste(w);
        w.txti->setText("1.5.");
        intentar("Los datos no son válidos o están en blanco.");
        DatosSinAjuste(w);
        w.lstObservaciones->clear();
        intentar("Los datos no son válidos o están en blanco.");
        DatosSinAjuste(w);
        delete w.lstObservaciones->takeItem(2);
        intentar("Debe haber como mínimo tres observaciones.");
        DatosSinAjuste(w);
        w.txtPtoI->setText("5");
        w.txtPtoF->setText("5");
        intentar("El punto final es menor o igual al punto inicial.");
        DatosSinAjuste(w);
        w.txtPtoI->setText("4");
        w.txtPtoF->setText("6");
        intentar("Punto inicial no encontrado.");
        DatosSinAjuste(w);
        w.txtPtoF->setText("6");
        intentar("Punto final no encontrado.");

        // No parabola: the message comes after the lists are filled.
        DatosSinAjuste(w);
        auto m = Responder();
        QTest::mouseClick(w.cmdCalcularBloque, Qt::LeftButton);
        QTRY_VERIFY(m->visto);
        QCOMPARE(m->texto, QString("No se pudieron ajustar las observaciones a una parábola."));
        QCOMPARE(m->icono, QMessageBox::Warning);
        QCOMPARE(Filas(w.lstPuntosCatenaria),
                 QStringList({"7 -50.000 100.000 120.000", "2 20.000 100.000 121.500", "8 50.000 100.000 120.000"}));
        QCOMPARE(Filas(w.lstProyeccion), QStringList({"0.000,120.000", "70.000,121.500", "100.000,120.000"}));

        // A sight parallel to the span is left out and said so. Station at the
        // origin, A due north at (0, 100, 120), B at (100, 100, 120); the
        // circle reads 0 on A, so a reading of 100 runs along the span.
        w.lblPto1X->setText("0.000");
        w.lblPto2X->setText("100.000");
        w.txtPtoI->setText("1");
        w.txtPtoF->setText("5");
        w.lstObservaciones->clear();
        w.lstObservaciones->addItems(
            {"1 0.0000 99.0000 0.000 0.000", "2 100.0000 90.0000 0.000 0.000"});
        for (int k = 1; k <= 3; ++k) {
            const double x = 25.0 * k, z = 120.0 - x * (100.0 - x) / 1000.0;
            const double hz = std::atan2(x, 100.0) / G;
            const double v = 100.0 - std::atan((z - 101.5) / std::hypot(x, 100.0)) / G;
            w.lstObservaciones->addItem(QString("%1 %2 %3 0.000 0.000").arg(2 + k).arg(Fijo(hz, 4), Fijo(v, 4)));
        }
        m = Responder();
        QTest::mouseClick(w.cmdCalcularBloque, Qt::LeftButton);
        QTRY_VERIFY(m->visto);
        QCOMPARE(m->texto, QString("Se ha omitido 1 observación: su visual no corta la línea de los anclajes en un "
                                   "solo punto."));
        QCOMPARE(m->icono, QMessageBox::Warning);
        const QStringList puntos = Filas(w.lstPuntosCatenaria);
        QCOMPARE(puntos.size(), 5);
        QCOMPARE(puntos[1].section(' ', 0, 0), QString("3"));
        QCOMPARE(puntos[1].section(' ', 1, 2), QString("25.000 100.000"));
        QCOMPARE(w.lstProyeccion->count(), 5 + 6);
        QCOMPARE(w.lstProyeccion->item(6)->text(), QString("500.00"));
    }

    void teclasYBorrados()
    {
        frmCatenaria w;
        QVERIFY(Mostrar(&w));
        QCOMPARE(w.txti->toolTip(), QString("Altura del instrumento"));
        QCOMPARE(w.cmdCalcularBloque->toolTip(), QString("Calcular bloque"));
        QCOMPARE(w.cmdGuardarFicheroProyeccion->toolTip(), QString("Exportar tense"));
        QCOMPARE(w.cmdEntrarBE->text(), QString(">>"));
        Teclear(w.txti, "a-1,5");
        QCOMPARE(w.txti->text(), QString("15"));
        Teclear(w.txtPtoF, "x9.");
        QCOMPARE(w.txtPtoF->text(), QString("9."));

        w.lstBases->addItems({"B", "", "1.000", "2.000", "3.000", ""});
        auto m = Responder(QMessageBox::No);
        QTest::mouseClick(w.cmdEliminarBases, Qt::LeftButton);
        QTRY_VERIFY(m->visto);
        QCOMPARE(m->texto, QString("¿Confirma que desea borrar todas las bases?"));
        QCOMPARE(m->icono, QMessageBox::NoIcon);
        QCOMPARE(w.lstBases->count(), 6);
        m = Responder(QMessageBox::Yes);
        QTest::mouseClick(w.cmdEliminarBases, Qt::LeftButton);
        QTRY_VERIFY(m->visto);
        QCOMPARE(w.lstBases->count(), 0);
        QCOMPARE(w.focusWidget(), w.txti);

        w.lstPuntos->addItems({"1 1.000 2.000 3.000"});
        m = Responder(QMessageBox::Yes);
        QTest::mouseClick(w.cmdEliminarPuntosAnclajes, Qt::LeftButton);
        QTRY_VERIFY(m->visto);
        QCOMPARE(m->texto, QString("¿Confirma que desea borrar todos los puntos?"));
        QCOMPARE(w.lstPuntos->count(), 0);

        w.lstPuntosCatenaria->addItems({"1 1.000 2.000 3.000"});
        w.lstProyeccion->addItems({"0.000,3.000"});
        m = Responder(QMessageBox::No);
        QTest::mouseClick(w.cmdEliminarPuntos, Qt::LeftButton);
        QTRY_VERIFY(m->visto);
        QCOMPARE(w.lstProyeccion->count(), 1);
        m = Responder(QMessageBox::Yes);
        QTest::mouseClick(w.cmdEliminarPuntos, Qt::LeftButton);
        QTRY_VERIFY(m->visto);
        QCOMPARE(m->texto, QString("¿Confirma que desea borrar todos los puntos?"));
        QCOMPARE(w.lstPuntosCatenaria->count(), 0);
        QCOMPARE(w.lstProyeccion->count(), 0);

        // Cutting an observation selects the row before it.
        w.lstObservaciones->addItems({"1 0.0000 0.0000 0.000 0.000", "2 0.0000 0.0000 0.000 0.000"});
        w.lstObservaciones->setCurrentRow(1);
        QTest::mouseClick(w.cmdCortarObservacion, Qt::LeftButton);
        QCOMPARE(Filas(w.lstObservaciones), QStringList({"1 0.0000 0.0000 0.000 0.000"}));
        QCOMPARE(w.lstObservaciones->currentRow(), 0);

        // An empty result list exports nothing: no dialog appears.
        bool dialogo = false;
        AlAparecer<QFileDialog>(
            [&dialogo](QFileDialog* f) {
                dialogo = true;
                f->reject();
            },
            300);
        QTest::mouseClick(w.cmdGuardarFicheroProyeccion, Qt::LeftButton);
        QTest::qWait(400);
        QVERIFY(!dialogo);
    }

    void ejemploDelManual()
    {
        // The example files travel with the program: the span fits.
        const QString ejemplos = qEnvironmentVariable("CV_EXAMPLES");
        if (ejemplos.isEmpty())
            QSKIP("CV_EXAMPLES not set");
        frmCatenaria w;
        QVERIFY(Mostrar(&w));
        ResponderFichero(ejemplos + "/catenaria.bse");
        QTest::mouseClick(w.cmdAbrirFicherodeBases, Qt::LeftButton);
        QVERIFY(w.lstBases->count() >= 6);
        w.lstBases->setCurrentRow(0);
        QTest::mouseClick(w.cmdEntrarBE, Qt::LeftButton);
        ResponderFichero(ejemplos + "/catenaria_anclajes.asc");
        QTest::mouseClick(w.cmdAbrirFicherodePuntosAnclajes, Qt::LeftButton);
        QCOMPARE(w.lstPuntos->count(), 2);
        w.lstPuntos->setCurrentRow(0);
        QTest::mouseClick(w.cmdEntrarPunto1, Qt::LeftButton);
        w.lstPuntos->setCurrentRow(1);
        QTest::mouseClick(w.cmdEntrarPunto2, Qt::LeftButton);
        ResponderFichero(ejemplos + "/catenaria.txt");
        QTest::mouseClick(w.cmdObsAbrir, Qt::LeftButton);
        QVERIFY(w.lstObservaciones->count() >= 3);
        const QString primera = w.lstObservaciones->item(0)->text().section(' ', 0, 0);
        const QString ultima = w.lstObservaciones->item(w.lstObservaciones->count() - 1)->text().section(' ', 0, 0);
        w.txti->setText("1.55");
        w.txtPtoI->setText(primera);
        w.txtPtoF->setText(ultima);
        QTest::mouseClick(w.cmdCalcularBloque, Qt::LeftButton);
        const QStringList proyeccion = Filas(w.lstProyeccion);
        QCOMPARE(proyeccion.size(), w.lstObservaciones->count() + 1 + 6);
        QCOMPARE(proyeccion[proyeccion.size() - 6], QString("[Parámetro]"));
        const double p = proyeccion[proyeccion.size() - 5].toDouble();
        // The observations were taken on a conductor of 1500 m, read to 0.0001 grads.
        QVERIFY2(std::fabs(p - 1500.0) <= 5.0, qPrintable(proyeccion[proyeccion.size() - 5]));
        QVERIFY(proyeccion.last().toDouble() < 0.05);
    }

    void menuAbreLaVentana()
    {
        auto m = Responder(); // a first start without configuration says so
        MDIfrmMain principal;
        principal.mnuCatenariaCalcular->trigger();
        auto* w = principal.Buscar<frmCatenaria>();
        QVERIFY(w != nullptr);
        QVERIFY(qobject_cast<QMdiSubWindow*>(w->parentWidget()) != nullptr);
        principal.mnuCatenariaCalcular->trigger();
        QCOMPARE(principal.Buscar<frmCatenaria>(), w);
        QCOMPARE(principal.mdiArea->subWindowList().size(), 1);
    }
};

QTEST_MAIN(PruebaCatenaria)
#include "test_catenaria.moc"
