#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>

#include "Ayudantes.h"
#include "catenary/frmCatenaria.h"
#include "core/Configuracion.h"
#include "shell/MDIfrmMain.h"

using namespace prueba;
using namespace prueba::ficheros;

namespace {

const double G = M_PI / 200.0;

QString Fijo(double v)
{
    return QString::number(v, 'f', 4);
}

// The cable of the tests: a parabola of parameter 500 m hanging from two
// anchors 100 m apart at height 120, u metres from the first.
double Cable(double u)
{
    return 120.0 - u * (100.0 - u) / 1000.0;
}

// Opens the three files and enters the station (row `base`) and both anchors.
void CargarVano(frmCatenaria& w, const QString& bases, const QString& anclajes, const QString& obs, int base)
{
    auto b = ResponderFichero(bases);
    QTest::mouseClick(w.cmdAbrirFicherodeBases, Qt::LeftButton);
    w.lstBases->setCurrentRow(base);
    QTest::mouseClick(w.cmdEntrarBE, Qt::LeftButton);
    QCOMPARE(w.focusWidget(), w.txti);
    auto a = ResponderFichero(anclajes);
    QTest::mouseClick(w.cmdAbrirFicherodePuntosAnclajes, Qt::LeftButton);
    w.lstPuntos->setCurrentRow(0);
    QTest::mouseClick(w.cmdEntrarPunto1, Qt::LeftButton);
    w.lstPuntos->setCurrentRow(1);
    QTest::mouseClick(w.cmdEntrarPunto2, Qt::LeftButton);
    auto o = ResponderFichero(obs);
    QTest::mouseClick(w.cmdObsAbrir, Qt::LeftButton);
    QVERIFY(b->visto && a->visto && o->visto);
}

// Station E1 at (0, 0, 100), anchors 7 (-50, 100, 120) and 8 (50, 100, 120),
// i = 1.5; the cable point of Hz 142.0833, V 87.6713 lies 1.5 m above the
// level chord, so no parabola fits these rows.
void DatosSinAjuste(frmCatenaria& w)
{
    QLabel* etiquetas[12] = {w.lblBase,  w.lblBaseX, w.lblBaseY, w.lblBaseZ, w.lblPto1,  w.lblPto1X,
                             w.lblPto1Y, w.lblPto1Z, w.lblPto2,  w.lblPto2X, w.lblPto2Y, w.lblPto2Z};
    const char* textos[12] = {"E1",      "0.000",   "0.000", "100.000", "7",       "-50.000",
                              "100.000", "120.000", "8",     "50.000",  "100.000", "120.000"};
    for (int k = 0; k < 12; ++k)
        etiquetas[k]->setText(textos[k]);
    w.txti->setText("1.5");
    w.txtPtoI->setText("1");
    w.txtPtoF->setText("2");
    w.lstObservaciones->clear();
    w.lstObservaciones->addItems(
        {"1 100.0000 99.0000 0.000 0.000", "2 142.0833 87.6713 0.000 0.000", "3 180.0000 90.0000 0.000 0.000"});
}

} // namespace

class PruebaCatenaria : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void initTestCase() { FijarCarpetaPrograma(dir_.path().toStdString()); }

    // The span from files, the block typed, the results checked against the cable sighted, both exports.
    void calculoCompletoYExportacion()
    {
        QVERIFY(Escribir(dir_.filePath("bases.bse"), "\"E-0\",\"5\",\"5\",\"5\"\r\n\"E-1\",\"0\",\"0\",\"100\"\r\n"));
        QVERIFY(Escribir(dir_.filePath("anclajes.asc"), "7 -50 100 120\r\n8 50 100 120\r\n"));
        // Sights from E-1 (i = 1.5) with the circle reading 100 on anchor 7.
        QByteArray obs = "1,100.0000,99.0000,0,0\r\n";
        for (int k = 1; k <= 3; ++k) {
            const double x = -50.0 + 25.0 * k, y = 100.0;
            const double hz = (std::atan2(x, y) - std::atan2(-50.0, 100.0)) / G + 100.0;
            const double v = 100.0 - std::atan((Cable(25.0 * k) - 101.5) / std::hypot(x, y)) / G;
            obs += QString("%1,%2,%3,0,0\r\n").arg(1 + k).arg(Fijo(hz), Fijo(v)).toUtf8();
        }
        QVERIFY(Escribir(dir_.filePath("obs.txt"), obs + "5,250.0000,100.0000,0,0\r\n"));

        frmCatenaria w;
        QVERIFY(Mostrar(&w));
        CargarVano(w, dir_.filePath("bases.bse"), dir_.filePath("anclajes.asc"), dir_.filePath("obs.txt"), 6);
        QCOMPARE(w.lblBase->text() + " " + w.lblBaseZ->text(), QString("E-1 100.000"));
        QCOMPARE(w.lblPto1->text() + " " + w.lblPto1X->text() + " " + w.lblPto2->text() + " " + w.lblPto2X->text(),
                 QString("7 -50.000 8 50.000"));
        QCOMPARE(w.lstObservaciones->count(), 5);

        // i, initial and final number, then the button; the keys are filtered.
        QVERIFY(Mostrar(&w));
        const QPair<QLineEdit*, const char*> campos[] = {{w.txti, "a-1,.5"}, {w.txtPtoI, "1"}, {w.txtPtoF, "x4"}};
        w.txti->setFocus();
        for (const auto& [campo, teclas] : campos) {
            QVERIFY(ConFoco(campo));
            QTest::keyClicks(campo, teclas);
            QTest::keyClick(campo, Qt::Key_Return);
        }
        QCOMPARE(w.txti->text() + " " + w.txtPtoF->text(), QString("1.5 4"));
        QVERIFY(ConFoco(w.cmdCalcularBloque));
        QTest::keyClick(w.cmdCalcularBloque, Qt::Key_Space);

        const QStringList puntos = Filas(w.lstPuntosCatenaria);
        const QStringList proyeccion = Filas(w.lstProyeccion);
        QCOMPARE(puntos.size(), 5);
        QCOMPARE(proyeccion.size(), 11);
        QCOMPARE(puntos.first() + "|" + puntos.last(), QString("7 -50.000 100.000 120.000|8 50.000 100.000 120.000"));
        QCOMPARE(proyeccion[0] + "|" + proyeccion[4], QString("0.000,120.000|100.000,120.000"));
        for (int k = 1; k <= 3; ++k) {
            const double u = 25.0 * k;
            const QStringList f = puntos[k].split(' '), p = proyeccion[k].split(',');
            QVERIFY2(f.size() == 4 && p.size() == 2 && f[0] == QString::number(k + 1) && f[3] == p[1],
                     qPrintable(puntos[k] + " / " + proyeccion[k]));
            QVERIFY2(std::fabs(f[1].toDouble() + 50.0 - u) < 0.002 && std::fabs(f[2].toDouble() - 100.0) < 0.001,
                     qPrintable(puntos[k]));
            QVERIFY2(std::fabs(p[0].toDouble() - u) < 0.002 && std::fabs(p[1].toDouble() - Cable(u)) < 0.002,
                     qPrintable(proyeccion[k]));
        }
        QCOMPARE(QStringList({proyeccion[5], proyeccion[7], proyeccion[9]}),
                 QStringList({"[Parámetro]", "[Error de ajuste]", "[Error de regresión]"}));
        // The parameter is found to the quarter metre.
        QVERIFY2(std::fabs(proyeccion[6].toDouble() - 500.0) <= 1.0, qPrintable(proyeccion[6]));
        QVERIFY(proyeccion[6].contains(QRegularExpression("\\.(00|25|50|75)$")));
        QVERIFY(proyeccion[8].contains(QRegularExpression("^\\d+\\.\\d{3}$")));
        QVERIFY(proyeccion[10].toDouble() < 0.01);

        // Both exports write every row with CR LF ends.
        const std::tuple<QAbstractButton*, QString, QStringList> exportes[] = {
            {w.cmdGuardarFicheroProyeccion, dir_.filePath("vano.tse"), proyeccion},
            {w.cmdGuardarFicheroPuntos, dir_.filePath("catenaria.asc"), puntos}};
        for (const auto& [boton, ruta, filas] : exportes) {
            ResponderFichero(ruta);
            Pulsar(boton, "Fichero guardado.", QMessageBox::Information);
            QCOMPARE(QString::fromUtf8(Leer(ruta)), filas.join("\r\n") + "\r\n");
        }

        // A new observation file empties both results, even when cancelled.
        auto d = ResponderFichero(QString());
        QTest::mouseClick(w.cmdObsAbrir, Qt::LeftButton);
        QVERIFY(d->visto);
        QCOMPARE(w.lstPuntosCatenaria->count() + w.lstProyeccion->count() + w.lstObservaciones->count(), 0);
    }

    // Each refusal of the block, and the two warnings given with a result.
    void casosRechazados()
    {
        frmCatenaria w;
        QVERIFY(Mostrar(&w));
        Pulsar(w.cmdCalcularBloque, "Seleccione las bases.", QMessageBox::Warning); // nothing entered
        const QString datos = QStringLiteral("Los datos no son válidos o están en blanco.");
        const std::pair<std::function<void()>, QString> casos[] = {
            {[&] { w.lblBaseY->clear(); }, "Seleccione las bases."},
            {[&] { w.lblPto2Z->clear(); }, "Seleccione los puntos de anclaje."},
            {[&] { w.txti->setText("1.5."); }, datos},
            {[&] { w.lstObservaciones->clear(); }, datos},
            {[&] { delete w.lstObservaciones->takeItem(2); }, "Debe haber como mínimo tres observaciones."},
            {[&] { w.txtPtoF->setText("1"); }, "El punto final es menor o igual al punto inicial."},
            {[&] {
                 w.txtPtoI->setText("4");
                 w.txtPtoF->setText("6");
             },
             "Punto inicial no encontrado."},
            {[&] { w.txtPtoF->setText("6"); }, "Punto final no encontrado."},
        };
        for (const auto& [estropear, texto] : casos) {
            DatosSinAjuste(w);
            estropear();
            w.lstPuntosCatenaria->clear();
            w.lstPuntosCatenaria->addItem("previo");
            Pulsar(w.cmdCalcularBloque, texto, QMessageBox::Warning);
            QCOMPARE(Filas(w.lstPuntosCatenaria), QStringList({"previo"}));
        }

        // No parabola: the message comes after the lists are filled.
        DatosSinAjuste(w);
        Pulsar(w.cmdCalcularBloque, "No se pudieron ajustar las observaciones a una parábola.", QMessageBox::Warning);
        QCOMPARE(Filas(w.lstPuntosCatenaria),
                 QStringList({"7 -50.000 100.000 120.000", "2 20.000 100.000 121.500", "8 50.000 100.000 120.000"}));
        QCOMPARE(Filas(w.lstProyeccion), QStringList({"0.000,120.000", "70.000,121.500", "100.000,120.000"}));

        // A sight parallel to the span is left out and said so: A due north at
        // (0, 100, 120), B at (100, 100, 120), the circle reading 0 on A.
        w.lblPto1X->setText("0.000");
        w.lblPto2X->setText("100.000");
        w.txtPtoF->setText("5");
        w.lstObservaciones->clear();
        w.lstObservaciones->addItems({"1 0.0000 99.0000 0.000 0.000", "2 100.0000 90.0000 0.000 0.000"});
        for (int k = 1; k <= 3; ++k) {
            const double x = 25.0 * k;
            const double v = 100.0 - std::atan((Cable(x) - 101.5) / std::hypot(x, 100.0)) / G;
            w.lstObservaciones->addItem(
                QString("%1 %2 %3 0.000 0.000").arg(2 + k).arg(Fijo(std::atan2(x, 100.0) / G), Fijo(v)));
        }
        Pulsar(w.cmdCalcularBloque,
               "Se ha omitido 1 observación: su visual no corta la línea de los anclajes en un solo punto.",
               QMessageBox::Warning);
        QCOMPARE(w.lstPuntosCatenaria->count(), 5);
        QCOMPARE(w.lstPuntosCatenaria->item(1)->text().section(' ', 0, 2), QString("3 25.000 100.000"));
        QCOMPARE(w.lstProyeccion->count(), 5 + 6);
        QCOMPARE(w.lstProyeccion->item(6)->text(), QString("500.00"));
    }

    void borradosDeListas()
    {
        frmCatenaria w;
        QVERIFY(Mostrar(&w));
        w.lstBases->addItems({"B", "", "1.000", "2.000", "3.000", ""});
        w.lstPuntos->addItems({"1 1.000 2.000 3.000"});
        w.lstPuntosCatenaria->addItems({"1 1.000 2.000 3.000"});
        w.lstProyeccion->addItems({"0.000,3.000"});
        // No keeps the list, Yes empties it (the results go together).
        const QString bases = QStringLiteral("¿Confirma que desea borrar todas las bases?");
        const QString puntos = QStringLiteral("¿Confirma que desea borrar todos los puntos?");
        Pulsar(w.cmdEliminarBases, bases, QMessageBox::NoIcon, QMessageBox::No);
        QCOMPARE(w.lstBases->count(), 6);
        Pulsar(w.cmdEliminarBases, bases, QMessageBox::NoIcon, QMessageBox::Yes);
        QCOMPARE(w.focusWidget(), w.txti);
        Pulsar(w.cmdEliminarPuntosAnclajes, puntos, QMessageBox::NoIcon, QMessageBox::Yes);
        Pulsar(w.cmdEliminarPuntos, puntos, QMessageBox::NoIcon, QMessageBox::No);
        QCOMPARE(w.lstProyeccion->count(), 1);
        Pulsar(w.cmdEliminarPuntos, puntos, QMessageBox::NoIcon, QMessageBox::Yes);
        for (auto* l : {w.lstBases, w.lstPuntos, w.lstPuntosCatenaria, w.lstProyeccion})
            QCOMPARE(l->count(), 0);

        // Cutting an observation selects the row before it.
        w.lstObservaciones->addItems({"1 0.0000 0.0000 0.000 0.000", "2 0.0000 0.0000 0.000 0.000"});
        w.lstObservaciones->setCurrentRow(1);
        QTest::mouseClick(w.cmdCortarObservacion, Qt::LeftButton);
        QCOMPARE(Filas(w.lstObservaciones), QStringList({"1 0.0000 0.0000 0.000 0.000"}));
        QCOMPARE(w.lstObservaciones->currentRow(), 0);

        // From the menu: a child of the main window, opened once.
        auto m = Responder(); // a first start without configuration says so
        MDIfrmMain principal;
        principal.mnuCatenariaCalcular->trigger();
        principal.mnuCatenariaCalcular->trigger();
        QCOMPARE(principal.mdiArea->subWindowList().size(), 1);
        QCOMPARE(principal.mdiArea->subWindowList().first()->widget(), principal.Buscar<frmCatenaria>());
    }

    // The example files travel with the program: the span of the manual fits.
    void ejemploDelManual()
    {
        const QString ejemplos = qEnvironmentVariable("CV_EXAMPLES");
        if (ejemplos.isEmpty())
            QSKIP("CV_EXAMPLES not set");
        frmCatenaria w;
        QVERIFY(Mostrar(&w));
        CargarVano(w, ejemplos + "/catenaria.bse", ejemplos + "/catenaria_anclajes.asc", ejemplos + "/catenaria.txt",
                   0);
        const int n = w.lstObservaciones->count();
        QVERIFY(n >= 3 && w.lstPuntos->count() == 2);
        w.txti->setText("1.55");
        w.txtPtoI->setText(w.lstObservaciones->item(0)->text().section(' ', 0, 0));
        w.txtPtoF->setText(w.lstObservaciones->item(n - 1)->text().section(' ', 0, 0));
        QTest::mouseClick(w.cmdCalcularBloque, Qt::LeftButton);
        const QStringList proyeccion = Filas(w.lstProyeccion);
        QCOMPARE(proyeccion.size(), n + 1 + 6);
        QCOMPARE(proyeccion[n + 1], QString("[Parámetro]"));
        // Taken on a conductor of 1500 m, read to 0.0001 grads.
        QVERIFY2(std::fabs(proyeccion[n + 2].toDouble() - 1500.0) <= 5.0, qPrintable(proyeccion[n + 2]));
        QVERIFY(proyeccion.last().toDouble() < 0.05);
    }
};

QTEST_MAIN(PruebaCatenaria)
#include "test_catenaria.moc"
