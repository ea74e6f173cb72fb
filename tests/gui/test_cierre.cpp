// Closing a typed traverse on two known arrival vertices: the five errors
// against values worked out by hand, the rows left in the list of points and
// the report that prints them.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <cmath>

#include "Ayudantes.h"
#include "AyudantesPoligonal.h"
#include "shell/MDIfrmMain.h"
#include "traverse/frmCierrePoligonal.h"
#include "traverse/frmPoligonal.h"

using namespace prueba;

namespace {

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
        for (int s = 0; s < 3; ++s) {
            if (s > 0)
                h->cmdNuevaEstacion->click();
            h->txtObservacion[0]->setText(QString("E-%1").arg(s + 1));
            const QStringList t = Textos(LIBRETA[s]);
            for (int k = 1; k <= 14; ++k)
                h->txtObservacion[k]->setText(t[k - 1]);
        }
        QVERIFY(principal_->mnuPoligonalCerrar->isEnabled());
        QCOMPARE(h->lstBases->count(), 24);

        // By hand: the points and the azimuth carried through the three stations.
        const P pe2 = {1000, 1000, 100}, pe1 = {1000, 1100, 100};
        const P e1 = Visado(pe2, pe1, LIBRETA[0]);
        const P e2 = Visado(e1, pe2, LIBRETA[1]);
        double llevado = Acimut(pe2, pe1);
        for (const Libreta& o : LIBRETA)
            llevado += MediaHz(o.hz3, o.hz4) - MediaHz(o.hz1, o.hz2);
        llevado = std::fmod(llevado + 800.0, 400.0);

        // The arrival station vertex 12 mm east, 8 mm south and 4 mm above
        // the carried one; the sighted vertex 0.0025 g clockwise of the
        // carried forward sight.
        const P pe = {e2.x + 0.012, e2.y - 0.008, e2.z + 0.004};
        const double a = (llevado + 0.0025) * G;
        const P pv = {pe.x + 150.0 * std::sin(a), pe.y + 150.0 * std::cos(a), 101.0};
        // Then moved 0.0012 g anticlockwise of the carried sight.
        const double b = (llevado - 0.0012) * G;
        const QString boX = Texto(pe.x + 150.0 * std::sin(b)), boY = Texto(pe.y + 150.0 * std::cos(b));

        auto resultado = std::make_shared<QStringList>();
        EnModal<frmCierrePoligonal>([=](frmCierrePoligonal* c) {
            QCOMPARE(c->windowTitle(), QString("Cierre de la poligonal"));
            c->txtBE[0]->setFocus();
            QTest::keyClick(c->txtBE[0], Qt::Key_Up);
            QVERIFY(ConFoco(c->txtBE[0]));
            // Typed field after field with Enter; nothing shows until both vertices are complete.
            QLineEdit* campos[8] = {c->txtBE[0], c->txtBE[1], c->txtBE[2], c->txtBE[3],
                                    c->txtBO[0], c->txtBO[1], c->txtBO[2], c->txtBO[3]};
            const QString valores[8] = {"p-9", Texto(pe.x), Texto(pe.y), Texto(pe.z),
                                        "p-8", Texto(pv.x), Texto(pv.y), "101"};
            for (int i = 0; i < 8; ++i) {
                QVERIFY2(ConFoco(campos[i]), qPrintable(campos[i]->objectName()));
                QCOMPARE(c->lblEAngular->text(), QString());
                QTest::keyClicks(campos[i], valores[i]);
                QTest::keyClick(campos[i], Qt::Key_Return);
            }
            QCOMPARE(c->txtBE[0]->text(), QString("P-9"));
            QVERIFY(ConFoco(c->cmdAceptar));

            // hypot(12, 8) = 14.4 mm
            Muestran({c->lblEAngular, c->lblEX, c->lblEY, c->lblEZ, c->lblET},
                     {"0.0025", "0.012", "-0.008", "0.004", "0.014"});

            // The sighted vertex anticlockwise of the carried sight: a negative error.
            c->txtBO[1]->setText(boX);
            c->txtBO[2]->setText(boY);
            QCOMPARE(c->lblEAngular->text(), QString("-0.0012"));
            // An incomplete vertex empties the errors and refuses the closure.
            c->txtBO[3]->clear();
            QCOMPARE(c->lblEX->text(), QString());
            QCOMPARE(MensajeDe([c] { c->cmdAceptar->click(); }), QString("Las bases no son válidas."));
            QVERIFY(c->isVisible());
            c->txtBO[3]->setText("101");
            *resultado << c->lblEAngular->text() << c->lblET->text();
            c->cmdAceptar->click();
        });
        principal_->mnuPoligonalCerrar->trigger();
        QCOMPARE(*resultado, QStringList({"-0.0012", "0.014"}));

        // The 22 rows after the rebuilt list, fields as they stood.
        const QStringList filas = QString("P-9 [V. llegada BE]||%1|%2|%3||P-8 [V. llegada Visado]||%4|%5|101||"
                                          "[ERRORES DE CIERRE]||Error angular : -0.0012||Error en X : 0.012|"
                                          "Error en Y : -0.008|Error en Z : 0.004||Error dist. : 0.014|")
                                      .arg(Texto(pe.x), Texto(pe.y), Texto(pe.z), boX, boY)
                                      .split('|');
        QCOMPARE(ficheros::Filas(h->lstBases).mid(24), filas);
        // Nothing of the traverse changed.
        QVERIFY(std::fabs(h->colPoligonal[1].objBV.X - e2.x) < 1e-6);

        // The report prints every row, the closure included.
        const QString ruta = carpeta_.filePath("informe.txt");
        auto d = ResponderFichero(ruta);
        auto m = Responder();
        principal_->mnuPoligonalImprimir->trigger();
        QCOMPARE(d->titulo, QString("Imprimir a archivo"));
        QCOMPARE(m->texto, QString("Poligonal imprimida a archivo."));
        QCOMPARE(QString::fromUtf8(ficheros::Leer(ruta)), ficheros::Filas(h->lstBases).join("\r\n") + "\r\n");

        // The closure rows live only until the list is rebuilt.
        h->ActualizarListaBases();
        QCOMPARE(h->lstBases->count(), 24);
    }

private:
    QTemporaryDir carpeta_;
    MDIfrmMain* principal_ = nullptr;
};

QTEST_MAIN(PruebaCierre)
#include "test_cierre.moc"
