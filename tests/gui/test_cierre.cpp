// Closing a typed traverse on two known arrival vertices: the five errors
// against values worked out by hand, the rows left in the list of points and
// the report that prints them.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <cmath>

#include "Ayudantes.h"
#include "AyudantesPoligonal.h"
#include "core/modFuncionesTopo.h"
#include "shell/MDIfrmMain.h"
#include "traverse/frmCierrePoligonal.h"
#include "traverse/frmPoligonal.h"

using namespace prueba;

namespace {

const Libreta L[3] = {
    {0, 200.0012, 120.5, 320.5006, 99.2, 300.799, 85.431, 1.55, 1.6, 100.8, 299.2, 85.437, 1.52, 1.58},
    {15.3, 215.3, 260.12, 60.12, 101.5, 298.5, 120.25, 1.52, 1.6, 98.5, 301.5, 120.26, 1.5, 1.55},
    {0, 200, 180, 380, 100.3, 299.7, 95.1, 1.5, 1.5, 99.7, 300.3, 95.1, 1.5, 1.5}};

QString Texto(double v)
{
    return QString::number(v, 'f', 10);
}

} // namespace

class PruebaCierre : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(carpeta_.isValid());
        PrepararPoligonal(carpeta_, 0.5, VERTICE_P2, VERTICE_P1);
        principal_ = new MDIfrmMain;
        QVERIFY(Mostrar(principal_));
    }

    void cleanup()
    {
        delete principal_;
        principal_ = nullptr;
    }

    void cierreSobreVerticesConocidos()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        const char* nombres[3] = {"E-1", "E-2", "E-3"};
        for (int s = 0; s < 3; ++s) {
            if (s > 0)
                h->cmdNuevaEstacion->click();
            const Libreta& o = L[s];
            const double v[14] = {o.hz1, o.hz2, o.hz3, o.hz4, o.v5,  o.v6,  o.d7,
                                  o.i8,  o.m9,  o.v10, o.v11, o.d12, o.i13, o.m14};
            h->txtObservacion[0]->setText(nombres[s]);
            for (int k = 1; k <= 14; ++k)
                h->txtObservacion[k]->setText(QString::number(v[k - 1], 'g', 12));
        }
        QVERIFY(principal_->mnuPoligonalCerrar->isEnabled());
        const int filasAntes = h->lstBases->count();
        QCOMPARE(filasAntes, 24);

        // By hand: the points and the azimuth carried through the three stations.
        const P pe2 = {1000, 1000, 100}, pe1 = {1000, 1100, 100};
        const P e1 = Visado(pe2, pe1, L[0]);
        const P e2 = Visado(e1, pe2, L[1]);
        double llevado = Acimut(pe2, pe1);
        for (const Libreta& o : L)
            llevado += MediaHz(o.hz3, o.hz4) - MediaHz(o.hz1, o.hz2);
        llevado = std::fmod(llevado + 800.0, 400.0);

        // The arrival station vertex 12 mm east, 8 mm south and 4 mm above
        // the carried one; the sighted vertex 0.0025 g clockwise of the
        // carried forward sight.
        const P pe = {e2.x + 0.012, e2.y - 0.008, e2.z + 0.004};
        const double a = (llevado + 0.0025) * G;
        const P pv = {pe.x + 150.0 * std::sin(a), pe.y + 150.0 * std::cos(a), 101.0};

        auto resultado = std::make_shared<QStringList>();
        auto pasos = [=](frmCierrePoligonal* c) {
            c->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(c));
            QCOMPARE(c->objectName(), QString("frmCierrePoligonal"));
            QCOMPARE(c->windowTitle(), QString("Cierre de la poligonal"));
            QCOMPARE(c->cmdAceptar->text(), QString("Cerrar poligonal"));
            QCOMPARE(c->txtBO[0]->toolTip(), QString("Identificador de la base de orientación"));
            c->txtBE[0]->setFocus();
            QTest::keyClick(c->txtBE[0], Qt::Key_Up);
            QVERIFY(Enfocado(c->txtBE[0]));
            Teclear(c->txtBE[0], "p-9");
            QTest::keyClick(c->txtBE[0], Qt::Key_Return);
            QCOMPARE(c->txtBE[0]->text(), QString("P-9"));
            QVERIFY(Enfocado(c->txtBE[1]));
            // Typed digit by digit; nothing shows until both vertices are complete.
            QTest::keyClicks(c->txtBE[1], Texto(pe.x));
            QTest::keyClick(c->txtBE[1], Qt::Key_Return);
            QTest::keyClicks(c->txtBE[2], Texto(pe.y));
            QTest::keyClick(c->txtBE[2], Qt::Key_Return);
            QTest::keyClicks(c->txtBE[3], Texto(pe.z));
            QTest::keyClick(c->txtBE[3], Qt::Key_Return);
            QVERIFY(Enfocado(c->txtBO[0]));
            QTest::keyClicks(c->txtBO[0], "p-8");
            QTest::keyClick(c->txtBO[0], Qt::Key_Return);
            QTest::keyClicks(c->txtBO[1], Texto(pv.x));
            QTest::keyClick(c->txtBO[1], Qt::Key_Return);
            QTest::keyClicks(c->txtBO[2], Texto(pv.y));
            QCOMPARE(c->lblEAngular->text(), QString());
            QCOMPARE(c->lblET->text(), QString());
            QTest::keyClick(c->txtBO[2], Qt::Key_Return);
            QTest::keyClicks(c->txtBO[3], "101");
            QTest::keyClick(c->txtBO[3], Qt::Key_Return);
            QVERIFY(Enfocado(c->cmdAceptar));
            QVERIFY(c->isVisible());

            QCOMPARE(c->lblEAngular->text(), QString("0.0025"));
            QCOMPARE(c->lblEX->text(), QString("0.012"));
            QCOMPARE(c->lblEY->text(), QString("-0.008"));
            QCOMPARE(c->lblEZ->text(), QString("0.004"));
            QCOMPARE(c->lblET->text(), QString("0.014")); // hypot(12, 8) = 14.4 mm

            // A sighted vertex anticlockwise of the carried sight: a negative error.
            const double b = (llevado - 0.0012) * G;
            c->txtBO[1]->setText(Texto(pe.x + 150.0 * std::sin(b)));
            c->txtBO[2]->setText(Texto(pe.y + 150.0 * std::cos(b)));
            QCOMPARE(c->lblEAngular->text(), QString("-0.0012"));
            // Closing on the carried point itself.
            c->txtBE[1]->setText(Texto(e2.x));
            c->txtBE[2]->setText(Texto(e2.y));
            c->txtBE[3]->setText(Texto(e2.z));
            QCOMPARE(c->lblEX->text(), QString("0.000"));
            QCOMPARE(c->lblEY->text(), QString("0.000"));
            QCOMPARE(c->lblEZ->text(), QString("0.000"));
            QCOMPARE(c->lblET->text(), QString("0.000"));
            c->txtBE[1]->setText(Texto(pe.x));
            c->txtBE[2]->setText(Texto(pe.y));
            c->txtBE[3]->setText(Texto(pe.z));

            // An incomplete vertex empties the errors and refuses the closure.
            c->txtBO[3]->clear();
            QCOMPARE(c->lblEX->text(), QString());
            auto m = Responder();
            c->cmdAceptar->click();
            QCOMPARE(m->texto, QString("Las bases no son válidas."));
            QCOMPARE(m->icono, QMessageBox::Warning);
            QVERIFY(c->isVisible());
            c->txtBO[3]->setText("101");
            *resultado << c->lblEAngular->text() << c->lblET->text();
            c->cmdAceptar->click();
        };
        AlAparecer<frmCierrePoligonal>([pasos](frmCierrePoligonal* c) {
            pasos(c);
            if (c->isVisible())
                c->reject(); // a check stopped the steps early: the test goes on
        });
        principal_->mnuPoligonalCerrar->trigger();
        QCOMPARE(*resultado, QStringList({"-0.0012", "0.014"}));

        // The 22 rows after the rebuilt list, fields as they stood.
        QCOMPARE(h->lstBases->count(), filasAntes + 22);
        auto fila = [h](int i) { return h->lstBases->item(i)->text(); };
        QCOMPARE(fila(24), QString("P-9 [V. llegada BE]"));
        QCOMPARE(fila(25), QString());
        QCOMPARE(fila(26), Texto(pe.x));
        QCOMPARE(fila(30), QString("P-8 [V. llegada Visado]"));
        QCOMPARE(fila(34), QString("101"));
        QCOMPARE(fila(36), QString("[ERRORES DE CIERRE]"));
        QCOMPARE(fila(38), QString("Error angular : -0.0012"));
        QCOMPARE(fila(40), QString("Error en X : 0.012"));
        QCOMPARE(fila(41), QString("Error en Y : -0.008"));
        QCOMPARE(fila(42), QString("Error en Z : 0.004"));
        QCOMPARE(fila(44), QString("Error dist. : 0.014"));
        QCOMPARE(fila(45), QString());
        // Nothing of the traverse changed.
        QVERIFY(std::fabs(h->colPoligonal[1].objBV.X - e2.x) < 1e-6);

        // The report prints every row, the closure included.
        const QString ruta = carpeta_.filePath("informe.txt");
        auto d = ResponderFichero(ruta);
        auto m = Responder();
        principal_->mnuPoligonalImprimir->trigger();
        QCOMPARE(d->titulo, QString("Imprimir a archivo"));
        QCOMPARE(m->texto, QString("Poligonal imprimida a archivo."));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lineas = QString::fromUtf8(f.readAll()).split("\r\n");
        QCOMPARE(lineas.size(), 46 + 1);
        QCOMPARE(lineas[0], QString("P-1 [V. salida BO]"));
        QCOMPARE(lineas[36], QString("[ERRORES DE CIERRE]"));
        QCOMPARE(lineas[44], QString("Error dist. : 0.014"));
        QCOMPARE(lineas[46], QString());

        // The closure rows live only until the list is rebuilt.
        h->ActualizarListaBases();
        QCOMPARE(h->lstBases->count(), 24);
    }

    void cerrarSinAceptarNoCambiaNada()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        AlAparecer<frmCierrePoligonal>([](frmCierrePoligonal* c) {
            c->txtBE[0]->setText("A");
            for (int i = 1; i < 4; ++i) {
                c->txtBE[i]->setText("1");
                c->txtBO[i]->setText("2");
            }
            c->txtBO[0]->setText("B");
            QVERIFY(!c->lblEX->text().isEmpty());
            c->reject();
        });
        principal_->MostrarModal<frmCierrePoligonal>();
        QCOMPARE(h->lstBases->count(), 12);
    }

private:
    QTemporaryDir carpeta_;
    MDIfrmMain* principal_ = nullptr;
};

QTEST_MAIN(PruebaCierre)
#include "test_cierre.moc"
