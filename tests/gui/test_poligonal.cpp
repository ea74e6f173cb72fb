// The traverse sheet driven from the keyboard, as a surveyor types a field
// book: starting vertices, stations, navigation, corrections, the cut, the
// menu and the closing question.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QTemporaryDir>
#include <cmath>

#include "Ayudantes.h"
#include "AyudantesPoligonal.h"
#include "core/modFuncionesTopo.h"
#include "shell/MDIfrmMain.h"
#include "traverse/frmEditarVerticesSalida.h"
#include "traverse/frmPoligonal.h"
#include "traverse/frmVerticesdeSalida.h"

using namespace prueba;

namespace {

QStringList Textos(const Libreta& o)
{
    QStringList t;
    for (double v : {o.hz1, o.hz2, o.hz3, o.hz4, o.v5, o.v6, o.d7, o.i8, o.m9, o.v10, o.v11, o.d12, o.i13, o.m14})
        t << QString::number(v, 'g', 12);
    return t;
}

const Libreta L1 = {0, 200.0012, 120.5, 320.5006, 99.2, 300.799, 85.431, 1.55, 1.6, 100.8, 299.2, 85.437, 1.52, 1.58};
const Libreta L2 = {15.3, 215.3, 260.12, 60.12, 101.5, 298.5, 120.25, 1.52, 1.6, 98.5, 301.5, 120.26, 1.5, 1.55};
const Libreta L3 = {0, 200, 180, 380, 100.3, 299.7, 95.1, 1.5, 1.5, 99.7, 300.3, 95.1, 1.5, 1.5};

double Numero(const QLabel* l)
{
    bool ok = false;
    const double v = l->text().toDouble(&ok);
    return ok ? v : std::nan("");
}

// Shown with three decimals: within half a millimetre of the hand value.
bool Cerca(double mostrado, double calculado)
{
    return std::fabs(mostrado - calculado) <= 0.0005 + 1e-9;
}

} // namespace

class PruebaPoligonal : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(carpeta_.isValid());
        PrepararPoligonal(carpeta_, 0.5, objPto(), objPto());
        principal_ = new MDIfrmMain;
        QVERIFY(Mostrar(principal_));
        QCOMPARE(KRefraccion, 0.5);
    }

    void cleanup()
    {
        // Deleting the frame releases any open sheet without questions.
        delete principal_;
        principal_ = nullptr;
        QTest::qWait(50);
    }

    void poligonalTecleadaDesdeLosVertices()
    {
        // "Nueva": the starting vertices with BO placed by a relative survey.
        EnModal<frmVerticesdeSalida>([](frmVerticesdeSalida* v) {
            QCOMPARE(v->txtBE[0]->text(), QString("P-2"));
            const char* obs[10] = {"100", "", "100", "1.5", "1.5", "100", "", "100", "1.5", "1.5"};
            for (int i = 0; i < 10; ++i) {
                Teclear(v->txtObservacion[i], obs[i]);
                QTest::keyClick(v->txtObservacion[i], Qt::Key_Return);
            }
            QVERIFY(Enfocado(v->txtBE[0]));
            QCOMPARE(v->txtBO[1]->text(), QString("1000.000"));
            QCOMPARE(v->txtBO[2]->text(), QString("1100.000"));
            QCOMPARE(v->txtBO[3]->text(), QString("100.000"));
            QTest::mouseClick(v->cmdAceptar, Qt::LeftButton);
        });
        principal_->mnuPoligonalNueva->trigger();
        QVERIFY(Mostrar(principal_)); // the frame is active again once the dialog closes
        frmPoligonal* h = principal_->Buscar<frmPoligonal>();
        QVERIFY(h);
        QCOMPARE(h->objectName(), QString("frmPoligonal"));
        QCOMPARE(h->windowTitle(), QString("Poligonal"));
        QCOMPARE(h->font().families().value(0), QString("Courier New"));
        QVERIFY(QFontInfo(h->font()).fixedPitch());
        QVERIFY(qobject_cast<QMdiSubWindow*>(h->parentWidget()));
        QCOMPARE(frmPoligonal::objVertice_BO.Y, 1100.0);

        // Menu of an open sheet.
        QVERIFY(principal_->mnuPoligonalGuardar->isEnabled());
        QVERIFY(principal_->mnuPoligonalExportar->isEnabled());
        QVERIFY(principal_->mnuPoligonalImprimir->isEnabled());
        QVERIFY(principal_->mnuPoligonalVerticesdeSalida->isEnabled());
        QVERIFY(!principal_->mnuPoligonalCerrar->isEnabled());
        QVERIFY(!principal_->mnuPoligonalNueva->isEnabled());
        QVERIFY(!principal_->mnuPoligonalAbrir->isEnabled());

        // A fresh sheet.
        QCOMPARE(h->txtObservacion[1]->text(), QString("0.0000"));
        for (int k = 2; k <= 14; ++k)
            QCOMPARE(h->txtObservacion[k]->text(), QString());
        QVERIFY(Enfocado(h->txtObservacion[0]));
        QVERIFY(h->Guardada());
        QCOMPARE(h->lstBases->count(), 12);
        QCOMPARE(h->lstBases->item(0)->text(), QString("P-1 [V. salida BO]"));
        QCOMPARE(h->lstBases->item(3)->text(), QString("1100.000"));
        QCOMPARE(h->lstBases->item(6)->text(), QString("P-2 [V. salida BE]"));
        QCOMPARE(h->lblBE->text(), QString("P-2"));
        QCOMPARE(h->lblBO->text(), QString("P-1"));
        QCOMPARE(h->dibEsquemaEstacion->text(), QString("P-2"));
        QCOMPARE(h->dibEsquemaOrientacion->text(), QString("P-1"));
        QCOMPARE(h->lblBRadiadaX->text(), QString());
        QCOMPARE(h->prbErrorObservacion->value(), 0);

        // Station 1, typed box after box.
        const P pe2 = {1000, 1000, 100}, pe1 = {1000, 1100, 100};
        TeclearEstacion(h, "e-1", Textos(L1));
        QVERIFY(Enfocado(h->cmdNuevaEstacion));
        QCOMPARE(h->lblBaseRadiada->text(), QString("E-1"));
        QCOMPARE(h->dibEsquemaVisada->text(), QString("E-1"));
        const P e1 = Visado(pe2, pe1, L1);
        QVERIFY2(Cerca(Numero(h->lblBRadiadaX), e1.x), qPrintable(h->lblBRadiadaX->text()));
        QVERIFY2(Cerca(Numero(h->lblBRadiadaY), e1.y), qPrintable(h->lblBRadiadaY->text()));
        QVERIFY2(Cerca(Numero(h->lblBRadiadaZ), e1.z), qPrintable(h->lblBRadiadaZ->text()));
        QCOMPARE(h->lblHzO->text(), QString("0.0006"));
        QCOMPARE(h->lblHzV->text(), QString("120.5003"));
        QCOMPARE(h->lblVV->text(), QString("99.2005"));
        QCOMPARE(h->lblVR->text(), QString("100.8000"));
        // Bars truncate the value as the machine holds it; labels round.
        const double a1 = std::fabs(std::fabs(L1.hz2 - L1.hz1) - 200.0);
        const double a2 = std::fabs(std::fabs(L1.hz4 - L1.hz3) - 200.0);
        const double z1 = std::fabs(L1.v5 + L1.v6 - 400.0);
        QCOMPARE(h->prbDiferenciaAcimutal->value(), int(std::floor(std::max(a1, a2) * 10000.0)));
        QCOMPARE(h->lblDiferenciaAcimutal->text(), QString("0.0012"));
        QCOMPARE(h->prbDiferenciaCenital->value(), int(std::floor(z1 * 10000.0)));
        QCOMPARE(h->lblDiferenciaCenital->text(), QString("0.0010"));
        QVERIFY(!h->Guardada());
        QCOMPARE(h->lstBases->count(), 12); // the last sighted point is not listed yet

        // Station 2 stands on E-1, looks back at P-2 and carries the height.
        QTest::mouseClick(h->cmdNuevaEstacion, Qt::LeftButton);
        QCOMPARE(h->colPoligonal.size(), size_t(2));
        QCOMPARE(h->lblEstacion->text(), QString("2"));
        QCOMPARE(h->lblBE->text(), QString("E-1"));
        QCOMPARE(h->lblBO->text(), QString("P-2"));
        QCOMPARE(h->txtObservacion[0]->text(), QString());
        QCOMPARE(h->txtObservacion[1]->text(), QString("0.0000"));
        QCOMPARE(h->txtObservacion[8]->text(), QString("1.520"));
        QCOMPARE(h->txtObservacion[2]->text(), QString());
        QCOMPARE(h->lstBases->count(), 18);
        QCOMPARE(h->lstBases->item(12)->text(), QString("E-1"));
        QVERIFY(Cerca(h->lstBases->item(14)->text().toDouble(), e1.x));
        QVERIFY(!principal_->mnuPoligonalCerrar->isEnabled());

        QStringList t2 = Textos(L2);
        t2[7] = QString(); // box 8 keeps the carried height
        TeclearEstacion(h, "e-2", t2);
        const P e2 = Visado(e1, pe2, L2);
        QVERIFY2(Cerca(Numero(h->lblBRadiadaX), e2.x), qPrintable(h->lblBRadiadaX->text()));
        QVERIFY2(Cerca(Numero(h->lblBRadiadaY), e2.y), qPrintable(h->lblBRadiadaY->text()));
        QVERIFY2(Cerca(Numero(h->lblBRadiadaZ), e2.z), qPrintable(h->lblBRadiadaZ->text()));

        QTest::mouseClick(h->cmdNuevaEstacion, Qt::LeftButton);
        QVERIFY(principal_->mnuPoligonalCerrar->isEnabled()); // three stations
        TeclearEstacion(h, "e-3", Textos(L3));
        const P e3 = Visado(e2, e1, L3);
        QVERIFY2(Cerca(Numero(h->lblBRadiadaX), e3.x), qPrintable(h->lblBRadiadaX->text()));
        QVERIFY2(Cerca(Numero(h->lblBRadiadaY), e3.y), qPrintable(h->lblBRadiadaY->text()));
        QVERIFY2(Cerca(Numero(h->lblBRadiadaZ), e3.z), qPrintable(h->lblBRadiadaZ->text()));
        QCOMPARE(h->lstBases->count(), 24);
        QCOMPARE(h->lstBases->item(18)->text(), QString("E-2"));

        // Navigation.
        QTest::mouseClick(h->cmdAnterior, Qt::LeftButton);
        QCOMPARE(h->EstacionActual(), int16_t(2));
        QCOMPARE(h->lblEstacion->text(), QString("2"));
        QCOMPARE(h->txtIra->text(), QString("2"));
        QCOMPARE(h->txtObservacion[0]->text(), QString("E-2"));
        QCOMPARE(h->txtObservacion[7]->text(), QString("120.250"));
        QCOMPARE(h->lblBE->text(), QString("E-1"));
        QVERIFY(Enfocado(h->txtObservacion[0]));
        auto m = Responder();
        QTest::mouseClick(h->cmdNuevaEstacion, Qt::LeftButton);
        QCOMPARE(m->texto, QString("La estación actual no es la última."));
        QCOMPARE(m->icono, QMessageBox::Warning);
        QCOMPARE(m->titulo, QString("cartavector"));
        QCOMPARE(h->colPoligonal.size(), size_t(3));
        QTest::mouseClick(h->cmdAnterior, Qt::LeftButton);
        m = Responder();
        QTest::mouseClick(h->cmdAnterior, Qt::LeftButton);
        QCOMPARE(m->texto, QString("No existe la estación."));
        QCOMPARE(h->EstacionActual(), int16_t(1));
        // Earlier stations show every value, zeros included.
        QCOMPARE(h->txtObservacion[1]->text(), QString("0.0000"));
        QCOMPARE(h->txtObservacion[2]->text(), QString("200.0012"));

        // A correction at station 1 moves every later point.
        Teclear(h->txtObservacion[7], QString());
        h->txtObservacion[7]->selectAll();
        QTest::keyClicks(h->txtObservacion[7], "86.431");
        Libreta l1b = L1;
        l1b.d7 = 86.431;
        const P e1b = Visado(pe2, pe1, l1b);
        const P e2b = Visado(e1b, pe2, L2);
        const P e3b = Visado(e2b, e1b, L3);
        QVERIFY(Cerca(Numero(h->lblBRadiadaX), e1b.x));
        QVERIFY(std::fabs(h->colPoligonal[2].objBV.X - e3b.x) < 1e-6);
        QVERIFY(std::fabs(h->colPoligonal[2].objBV.Y - e3b.y) < 1e-6);
        QVERIFY(std::fabs(h->colPoligonal[2].objBV.Z - e3b.z) < 1e-6);
        QVERIFY(std::fabs(h->colPoligonal[2].objBE.X - e2b.x) < 1e-6);
        QVERIFY(std::fabs(e3b.x - e3.x) > 0.01); // the correction did move it
        QVERIFY(Cerca(h->lstBases->item(20)->text().toDouble(), e2b.x));
        QVERIFY(Cerca(h->lstBases->item(21)->text().toDouble(), e2b.y));

        // Jumps.
        Teclear(h->txtIra, QString());
        h->txtIra->selectAll();
        QTest::keyClicks(h->txtIra, "3x");
        QCOMPARE(h->txtIra->text(), QString("3"));
        QTest::keyClick(h->txtIra, Qt::Key_Return);
        QCOMPARE(h->EstacionActual(), int16_t(3));
        QCOMPARE(h->txtObservacion[0]->text(), QString("E-3"));
        h->txtIra->selectAll();
        m = Responder();
        QTest::keyClicks(h->txtIra, "9");
        QTest::keyClick(h->txtIra, Qt::Key_Return);
        QCOMPARE(m->texto, QString("No existe la estación."));
        QCOMPARE(h->EstacionActual(), int16_t(3));
        m = Responder();
        QTest::mouseClick(h->cmdPosterior, Qt::LeftButton);
        QCOMPARE(m->texto, QString("No existe la estación."));
        QTest::mouseClick(h->cmdAnterior, Qt::LeftButton);
        QTest::mouseClick(h->cmdIraUltima, Qt::LeftButton);
        QCOMPARE(h->EstacionActual(), int16_t(3));

        // A fourth, empty station; then the cut.
        QTest::mouseClick(h->cmdNuevaEstacion, Qt::LeftButton);
        QCOMPARE(h->colPoligonal.size(), size_t(4));
        QCOMPARE(h->lstBases->count(), 30);
        m = Responder(QMessageBox::No);
        QTest::mouseClick(h->cmdCortarPoligonal, Qt::LeftButton);
        QCOMPARE(m->texto, QString("¿Confirma que desea borrar todas las estaciones\r\n") + QString(21, ' ')
                               + QString("a partir de la actual?\r\n"));
        QCOMPARE(m->icono, QMessageBox::NoIcon);
        QCOMPARE(h->colPoligonal.size(), size_t(4));
        // The confirmation answered Yes, then the notice that follows it.
        auto aviso = std::make_shared<std::shared_ptr<Mensaje>>();
        AlAparecer<QMessageBox>([aviso](QMessageBox* caja) {
            *aviso = Responder();
            caja->done(QMessageBox::Yes);
        });
        h->txtIra->selectAll();
        QTest::keyClicks(h->txtIra, "3");
        QTest::keyClick(h->txtIra, Qt::Key_Return);
        QTest::mouseClick(h->cmdCortarPoligonal, Qt::LeftButton);
        QCOMPARE(h->colPoligonal.size(), size_t(2));
        QCOMPARE(h->EstacionActual(), int16_t(2));
        QCOMPARE(h->txtObservacion[0]->text(), QString("E-2"));
        QCOMPARE(h->lstBases->count(), 18);
        QVERIFY(*aviso && (*aviso)->visto);
        QCOMPARE((*aviso)->texto, QString("Las estaciones se han eliminado."));
        QCOMPARE((*aviso)->icono, QMessageBox::Warning);
        QVERIFY(!principal_->mnuPoligonalCerrar->isEnabled());
        // The first station cannot be cut.
        QTest::mouseClick(h->cmdAnterior, Qt::LeftButton);
        m = Responder();
        QTest::mouseClick(h->cmdCortarPoligonal, Qt::LeftButton);
        QCOMPARE(m->texto, QString("No se puede eliminar la primera estación."));
        QCOMPARE(h->colPoligonal.size(), size_t(2));

        // Closing with changes asks; the menu returns to its state without a traverse.
        m = Responder(QMessageBox::No);
        h->parentWidget()->close();
        QCOMPARE(m->texto, QString("  ¿Desea guardar los cambios?"));
        QCOMPARE(m->icono, QMessageBox::NoIcon);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!principal_->Buscar<frmPoligonal>());
        QVERIFY(principal_->mnuPoligonalNueva->isEnabled());
        QVERIFY(principal_->mnuPoligonalAbrir->isEnabled());
        for (QAction* a : {principal_->mnuPoligonalGuardar, principal_->mnuPoligonalExportar,
                           principal_->mnuPoligonalImprimir, principal_->mnuPoligonalVerticesdeSalida,
                           principal_->mnuPoligonalCerrar})
            QVERIFY(!a->isEnabled());

        // The starting vertices outlive the sheet.
        principal_->MostrarHija<frmPoligonal>();
        QCOMPARE(principal_->Buscar<frmPoligonal>()->lblBO->text(), QString("P-1"));
        QCOMPARE(principal_->Buscar<frmPoligonal>()->lstBases->item(3)->text(), QString("1100.000"));
    }

    void cortarCuatroDeCincoDejaElCierre()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        for (int i = 1; i <= 4; ++i) {
            TeclearEstacion(h, QString("e-%1").arg(i), Textos(L3));
            QTest::mouseClick(h->cmdNuevaEstacion, Qt::LeftButton);
        }
        QCOMPARE(h->colPoligonal.size(), size_t(5));
        h->txtIra->setText("4");
        QTest::mouseClick(h->cmdIra, Qt::LeftButton);
        AlAparecer<QMessageBox>([](QMessageBox* caja) {
            Responder();
            caja->done(QMessageBox::Yes);
        });
        QTest::mouseClick(h->cmdCortarPoligonal, Qt::LeftButton);
        QCOMPARE(h->colPoligonal.size(), size_t(3));
        QVERIFY(principal_->mnuPoligonalCerrar->isEnabled());
    }

    void tecladoDeLaHoja()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        QTest::qWait(20);
        QLineEdit** t = h->txtObservacion;
        QCOMPARE(t[0]->toolTip(), QString("Base visada"));
        QCOMPARE(t[8]->toolTip(), QString("Altura del instrumento (Base de Estación)"));
        QCOMPARE(t[14]->toolTip(), QString("Altura de la señal (recíproca)"));
        QCOMPARE(h->findChild<QLineEdit*>("txtObservacion_13"), t[13]);
        Teclear(t[0], "p-3b");
        QCOMPARE(t[0]->text(), QString("P-3B"));
        QTest::keyClick(t[0], Qt::Key_Up);
        QVERIFY(Enfocado(t[0]));
        QTest::keyClick(t[0], Qt::Key_Return);
        QVERIFY(Enfocado(t[1]));
        QTest::keyClick(t[1], Qt::Key_Up);
        QVERIFY(Enfocado(t[0]));
        QTest::keyClick(t[0], Qt::Key_Down);
        QVERIFY(Enfocado(t[1]));
        Teclear(t[3], "-1,2a.5");
        QCOMPARE(t[3]->text(), QString("12.5"));
        Teclear(t[14], "1");
        QTest::keyClick(t[14], Qt::Key_Down);
        QVERIFY(Enfocado(t[14]));
        QTest::keyClick(t[14], Qt::Key_Return);
        QVERIFY(Enfocado(h->cmdNuevaEstacion));
        // An empty jump box, and one beyond the station counter.
        h->txtIra->clear();
        auto m = Responder();
        QTest::keyClick(h->txtIra, Qt::Key_Return);
        QCOMPARE(m->texto, QString("Los datos no son válidos o están en blanco."));
        m = Responder();
        Teclear(h->txtIra, "99999");
        QTest::mouseClick(h->cmdIra, Qt::LeftButton);
        QCOMPARE(m->texto, QString("No existe la estación."));
        // Incomplete data refuse a new station.
        m = Responder();
        QTest::mouseClick(h->cmdNuevaEstacion, Qt::LeftButton);
        QCOMPARE(m->texto, QString("Los datos no son válidos o están en blanco."));
        QCOMPARE(h->colPoligonal.size(), size_t(1));
        // The bars of the screen run from 0 to 100.
        for (const char* n : {"prbDiferenciaAcimutal", "prbDiferenciaCenital", "prbDiferenciaDistancias",
                              "prbDiferenciaCotas", "prbErrorObservacion"}) {
            auto* b = h->findChild<QProgressBar*>(n);
            QVERIFY2(b && b->minimum() == 0 && b->maximum() == 100, n);
        }
        QCOMPARE(h->findChild<QProgressBar*>("prbErrorObservacion")->toolTip(),
                 QString("Índice de error total en las observaciones"));
        QCOMPARE(h->cmdIraUltima->toolTip(), QString("Ir a la útlima estación"));
        QCOMPARE(h->cmdNuevaEstacion->text(), QString("Nueva estación"));
        QCOMPARE(h->lstBases->toolTip(), QString("Listado de Bases"));
    }

    void indicadoresDeAcuerdo()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        QLineEdit** t = h->txtObservacion;
        // Pasted texts run the same processing as typed ones.
        t[1]->setText("0");
        t[2]->setText("200.00390625");
        QCOMPARE(h->lblHzO->text(), QString("0.0020")); // half the disagreement
        QCOMPARE(h->prbDiferenciaAcimutal->value(), 0); // the forward pair is not complete
        t[3]->setText("0");
        t[4]->setText("200.00390625");
        QCOMPARE(h->prbDiferenciaAcimutal->value(), 39);
        QCOMPARE(h->lblDiferenciaAcimutal->text(), QString("0.0039"));
        t[4]->setText("200.5");
        QCOMPARE(h->prbDiferenciaAcimutal->value(), 100);
        QCOMPARE(h->lblDiferenciaAcimutal->text(), QString("0.5000"));
        t[2]->clear();
        QCOMPARE(h->lblHzO->text(), QString());
        QCOMPARE(h->prbDiferenciaAcimutal->value(), 0);
        QCOMPARE(h->lblDiferenciaAcimutal->text(), QString());
        t[2]->setText("200");
        t[4]->setText("200");

        // Distances 125.3759 and 125.3 on the horizon: bar 75, label 0.076.
        const char* resto[] = {"", "", "", "", "100", "300", "125.3759", "1.5", "1.5", "100", "300", "125.3",
                               "1.5", "1.5"};
        for (int k = 5; k <= 14; ++k)
            t[k]->setText(resto[k - 1]);
        QCOMPARE(h->lblBRadiadaX->text(), QString()); // no name yet
        QCOMPARE(h->prbDiferenciaDistancias->value(), 0);
        t[0]->setText("A");
        QCOMPARE(h->prbDiferenciaDistancias->value(), 75);
        QCOMPARE(h->lblDiferenciaDistancias->text(), QString("0.076"));
        QCOMPARE(h->lblDiferenciaCotas->text(), QString("0.000"));
        QCOMPARE(h->prbDiferenciaCenital->value(), 0);
        QCOMPARE(h->lblDiferenciaCenital->text(), QString("0.0000"));

        // Error index with perfect faces, D = 0.0625 and H = 0.03125: 32.
        t[7]->setText("10.0625");
        t[12]->setText("10");
        t[14]->setText("1.53125");
        QCOMPARE(h->lblDiferenciaCotas->text(), QString("0.031"));
        QCOMPARE(h->prbDiferenciaCotas->value(), 31);
        QCOMPARE(h->prbErrorObservacion->value(), 32);

        // Invalid data empty the point and reset what depends on it.
        t[9]->setText(".");
        QCOMPARE(h->lblBRadiadaX->text(), QString());
        QCOMPARE(h->prbDiferenciaDistancias->value(), 0);
        QCOMPARE(h->prbErrorObservacion->value(), 0);
        QCOMPARE(h->lblDiferenciaCotas->text(), QString());
    }

    void mostrarReescribeLoMostrado()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        const char* v[15] = {"A", "0", "200", "100", "300", "100", "300", "50.12345", "1.5", "1.5", "100", "300",
                             "50.12345", "1.5", "1.5"};
        for (int k = 0; k < 15; ++k)
            h->txtObservacion[k]->setText(v[k]);
        QCOMPARE(h->colPoligonal[0].Slot(7), 50.12345);
        h->cmdNuevaEstacion->click();
        QVERIFY(std::fabs(h->colPoligonal[1].objBE.X - 50.12345) < 1e-9);
        // Shown again, station 1 takes the values as displayed: 50.123 m.
        h->cmdAnterior->click();
        QCOMPARE(h->txtObservacion[7]->text(), QString("50.123"));
        QCOMPARE(h->colPoligonal[0].Slot(7), 50.123);
        QCOMPARE(h->colPoligonal[0].Slot(12), 50.123);
        QVERIFY(std::fabs(h->colPoligonal[1].objBE.X - 50.123) < 1e-9);
        QCOMPARE(h->lblBRadiadaX->text(), QString("50.123"));
    }

    void intermitenciaYBoceto()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        auto* tim = h->findChild<QTimer*>("timIntermitencia");
        QVERIFY(tim);
        QCOMPARE(tim->interval(), 650);
        QVERIFY(tim->isActive());
        const QColor azul(0, 0, 255), blanco(255, 255, 255);
        const bool oculto = h->dibEsquemaVisada->isHidden();
        const QColor antes = h->lblBRadiadaX->palette().color(QPalette::WindowText);
        QTest::qWait(700);
        const QColor despues = antes == azul ? blanco : azul;
        for (QLabel* l : {h->lblBRadiadaX, h->lblBRadiadaY, h->lblBRadiadaZ})
            QCOMPARE(l->palette().color(QPalette::WindowText), despues);
        QCOMPARE(h->dibEsquemaVisada->isHidden(), !oculto);
        QTest::qWait(650);
        QCOMPARE(h->lblBRadiadaX->palette().color(QPalette::WindowText), antes == azul ? azul : blanco);
        QCOMPARE(h->dibEsquemaVisada->isHidden(), oculto);
        h->grab(); // the sketch paints without faults
    }

    void preguntaAlCerrar()
    {
        // Only loaded: nothing to ask.
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        h->parentWidget()->close();
        QVERIFY(!AparecioMensaje());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!principal_->Buscar<frmPoligonal>());

        // Changed, answered Yes: the save dialog; cancelling it saves nothing
        // and the sheet closes anyway.
        h = principal_->MostrarHija<frmPoligonal>();
        Teclear(h->txtObservacion[0], "X");
        auto m = std::make_shared<Mensaje>();
        std::shared_ptr<Dialogo> d;
        AlAparecer<QMessageBox>([m, &d](QMessageBox* caja) {
            m->visto = true;
            m->texto = caja->text();
            d = ResponderFichero(QString());
            caja->done(QMessageBox::Yes);
        });
        h->parentWidget()->close();
        QCOMPARE(m->texto, QString("  ¿Desea guardar los cambios?"));
        QVERIFY(d && d->visto);
        QCOMPARE(d->titulo, QString("Guardar Poligonal"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!principal_->Buscar<frmPoligonal>());
        QVERIFY(QDir(carpeta_.path()).entryList({"*.pol"}).isEmpty());
    }

    void verticesDeSalidaPorTeclado()
    {
        EnModal<frmVerticesdeSalida>([](frmVerticesdeSalida* v) {
            QCOMPARE(v->objectName(), QString("frmVerticesdeSalida"));
            QCOMPARE(v->windowTitle(), QString("Vértices de salida"));
            QCOMPARE(v->txtBE[1]->text(), QString("1000.000"));
            QCOMPARE(v->txtBE[3]->text(), QString("100.000"));
            QCOMPARE(v->txtBO[0]->text(), QString("P-1"));
            QCOMPARE(v->txtBO[1]->text(), QString());
            QCOMPARE(v->txtObservacion[1]->toolTip(), QString("V inverso de BE-BO (opcional)"));
            QCOMPARE(v->cmdAceptar->text(), QString("Empezar poligonal"));
            QCOMPARE(v->cmdAceptar->toolTip(), QString("Empezar la poligonal"));
            // The defaults alone are not enough: BO has no coordinates.
            auto m = Responder();
            QTest::mouseClick(v->cmdAceptar, Qt::LeftButton);
            QCOMPARE(m->texto, QString("Las bases no son válidas."));
            QCOMPARE(m->icono, QMessageBox::Warning);
            QVERIFY(v->isVisible());
            v->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(v));

            // Field order: Up from BE name to the last observation, Enter on BO Z to the button.
            v->txtBE[0]->setFocus();
            QTest::keyClick(v->txtBE[0], Qt::Key_Up);
            QVERIFY(Enfocado(v->txtObservacion[9]));
            QTest::keyClick(v->txtObservacion[9], Qt::Key_Down);
            QVERIFY(Enfocado(v->txtBE[0]));
            QTest::keyClick(v->txtBE[0], Qt::Key_Up);
            QTest::keyClick(v->txtObservacion[9], Qt::Key_Return);
            QVERIFY(Enfocado(v->txtBE[0]));
            v->txtObservacion[0]->setFocus();
            QTest::keyClick(v->txtObservacion[0], Qt::Key_Up);
            QVERIFY(Enfocado(v->txtObservacion[0]));
            v->txtBE[3]->setFocus();
            QTest::keyClick(v->txtBE[3], Qt::Key_Return);
            QVERIFY(Enfocado(v->txtBO[0]));
            QTest::keyClick(v->txtBO[0], Qt::Key_Up);
            QVERIFY(Enfocado(v->txtBE[3]));

            // Typed BO coordinates are emptied by an edit of BE while the
            // observations are incomplete; the name stays.
            Teclear(v->txtBO[1], "-5,a1");
            QCOMPARE(v->txtBO[1]->text(), QString("51"));
            Teclear(v->txtBE[3], "1");
            QCOMPARE(v->txtBO[1]->text(), QString());
            QCOMPARE(v->txtBO[0]->text(), QString("P-1"));
            v->txtBE[3]->setText("100.000");

            // Relative survey with reverse faces.
            const char* obs[10] = {"99.5", "300.52", "120.5", "1.55", "1.7", "100.49", "299.53", "120.52", "1.6",
                                   "1.45"};
            for (int i = 0; i < 10; ++i)
                Teclear(v->txtObservacion[i], obs[i]);
            const double V1 = 99.5 + (400.0 - (99.5 + 300.52)) / 2.0;
            const double V2 = 100.49 + (400.0 - (100.49 + 299.53)) / 2.0;
            QCOMPARE(v->lblVBEBO->text(), QString("99.4900"));
            QCOMPARE(v->lblVBOBE->text(), QString("100.4800"));
            const double dr1 = 120.5 * std::sin(V1 * G), dr2 = 120.52 * std::sin(V2 * G);
            const double z1 = 100.0 + 120.5 * std::cos(V1 * G) + 1.55 - 1.7;
            const double z2 = 100.0 - (120.52 * std::cos(V2 * G) + 1.6 - 1.45);
            QCOMPARE(v->txtBO[1]->text(), QString("1000.000"));
            QVERIFY(Cerca(v->txtBO[2]->text().toDouble(), 1000.0 + (dr1 + dr2) / 2.0));
            QVERIFY(Cerca(v->txtBO[3]->text().toDouble(), (z1 + z2) / 2.0));
            QVERIFY(Cerca(v->lblDifDistancias->text().toDouble(), std::fabs(dr1 - dr2)));
            QVERIFY(Cerca(v->lblDifCotas->text().toDouble(), std::fabs(z1 - z2)));
            // Without the optional reverse face the direct reading is used.
            v->txtObservacion[1]->clear();
            QCOMPARE(v->lblVBEBO->text(), QString());
            QVERIFY(Cerca(v->txtBO[3]->text().toDouble(),
                          (100.0 + 120.5 * std::cos(99.5 * G) + 1.55 - 1.7 + z2) / 2.0));
            // Clearing a required observation empties BO and both differences.
            v->txtObservacion[3]->clear();
            QCOMPARE(v->txtBO[2]->text(), QString());
            QCOMPARE(v->lblDifCotas->text(), QString());
            QCOMPARE(v->lblDifDistancias->text(), QString());

            // Known vertices typed; all decimals kept; name in capitals.
            v->txtBE[0]->clear();
            Teclear(v->txtBE[0], "v-10");
            v->txtBE[1]->setText("-5");
            v->txtBO[1]->setText("500.12345");
            v->txtBO[2]->setText("600");
            v->txtBO[3]->setText("7");
            QTest::mouseClick(v->cmdAceptar, Qt::LeftButton);
        });
        principal_->mnuPoligonalNueva->trigger();
        QCOMPARE(frmPoligonal::objVertice_BE.N, std::string("V-10"));
        QCOMPARE(frmPoligonal::objVertice_BE.X, -5.0);
        QCOMPARE(frmPoligonal::objVertice_BO.X, 500.12345);
        frmPoligonal* h = principal_->Buscar<frmPoligonal>();
        QVERIFY(h);
        QCOMPARE(h->lblBE->text(), QString("V-10"));
    }

    void edicionDeLosVertices()
    {
        frmPoligonal::objVertice_BE = {"A", 1000.0, 1000.0, 100.0};
        frmPoligonal::objVertice_BO = {"B", 1000.0, 1100.0, 90.0};
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        TeclearEstacion(h, "c", Textos(L3));
        QTest::mouseClick(h->cmdNuevaEstacion, Qt::LeftButton);
        TeclearEstacion(h, "d", Textos(L3));
        const double x2 = h->colPoligonal[1].objBV.X;
        const double y2 = h->colPoligonal[1].objBV.Y;

        // Closing the editor changes nothing.
        AlAparecer<frmEditarVerticesSalida>([](frmEditarVerticesSalida* e) { e->reject(); });
        principal_->mnuPoligonalVerticesdeSalida->trigger();
        QCOMPARE(h->colPoligonal[1].objBV.X, x2);

        auto aviso = std::make_shared<Mensaje>();
        EnModal<frmEditarVerticesSalida>([aviso](frmEditarVerticesSalida* e) {
            QCOMPARE(e->windowTitle(), QString("Edición de los vértices de salida"));
            QCOMPARE(e->txtBE[0]->text(), QString("A"));
            QCOMPARE(e->txtBE[1]->text(), QString("1000.000"));
            QCOMPARE(e->txtBO[3]->text(), QString("90.000"));
            QCOMPARE(e->txtBE[0]->toolTip(), QString("Identificador de la base de estación"));
            QCOMPARE(e->cmdAceptar->text(), QString("Cambiar vértices"));
            e->txtBE[0]->setFocus();
            QTest::keyClick(e->txtBE[0], Qt::Key_Up);
            QVERIFY(Enfocado(e->txtBE[0]));
            // An incomplete vertex is refused.
            e->txtBO[2]->clear();
            auto m = Responder();
            QTest::mouseClick(e->cmdAceptar, Qt::LeftButton);
            QCOMPARE(m->texto, QString("Las bases no son válidas."));
            e->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(e));
            // Both vertices moved 1 km east and 5 m up: the whole traverse follows.
            e->txtBO[2]->setText("1100");
            e->txtBE[1]->selectAll();
            QTest::keyClicks(e->txtBE[1], "2000");
            e->txtBO[1]->selectAll();
            QTest::keyClicks(e->txtBO[1], "2000");
            e->txtBE[3]->selectAll();
            QTest::keyClicks(e->txtBE[3], "105");
            e->txtBO[3]->setFocus();
            QTest::keyClick(e->txtBO[3], Qt::Key_Return);
            QVERIFY(Enfocado(e->cmdAceptar));
            AlAparecer<QMessageBox>([aviso](QMessageBox* caja) {
                aviso->visto = true;
                aviso->texto = caja->text();
                aviso->icono = caja->icon();
                caja->done(QMessageBox::Ok);
            });
            QTest::mouseClick(e->cmdAceptar, Qt::LeftButton);
        });
        principal_->mnuPoligonalVerticesdeSalida->trigger();
        QTRY_VERIFY(aviso->visto);
        QCOMPARE(aviso->texto, QString("Vértices de salida cambiados."));
        QCOMPARE(aviso->icono, QMessageBox::Information);
        QVERIFY(std::fabs(h->colPoligonal[1].objBV.X - (x2 + 1000.0)) < 1e-6);
        QVERIFY(std::fabs(h->colPoligonal[1].objBV.Y - y2) < 1e-6);
        QCOMPARE(h->colPoligonal[0].objBE.X, 2000.0);
        QCOMPARE(h->colPoligonal[1].objBE.N, std::string("C"));
        QCOMPARE(h->EstacionActual(), int16_t(2));
        QCOMPARE(h->lstBases->item(8)->text(), QString("2000.000"));
        QVERIFY(Cerca(h->lstBases->item(14)->text().toDouble(), h->colPoligonal[0].objBV.X));
        QVERIFY(Cerca(Numero(h->lblBRadiadaX), x2 + 1000.0));
    }

private:
    // Types a whole station: the name, Enter, then each observation and
    // Enter; an empty value leaves the box as it is.
    void TeclearEstacion(frmPoligonal* h, const QString& nombre, const QStringList& valores)
    {
        QLineEdit* c0 = h->txtObservacion[0];
        c0->setFocus();
        c0->selectAll();
        QTest::keyClicks(c0, nombre);
        QTest::keyClick(c0, Qt::Key_Return);
        for (int k = 1; k <= 14; ++k) {
            QLineEdit* c = h->txtObservacion[k];
            QVERIFY2(Enfocado(c), qPrintable(QString::number(k)));
            if (!valores[k - 1].isEmpty()) {
                c->selectAll();
                QTest::keyClicks(c, valores[k - 1]);
            }
            QTest::keyClick(c, Qt::Key_Return);
        }
    }

    QTemporaryDir carpeta_;
    MDIfrmMain* principal_ = nullptr;
};

QTEST_MAIN(PruebaPoligonal)
#include "test_poligonal.moc"
