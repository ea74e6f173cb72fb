// The traverse sheet driven from the keyboard, as a surveyor types a field book.
#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <cmath>

#include "Ayudantes.h"
#include "AyudantesPoligonal.h"
#include "shell/MDIfrmMain.h"
#include "traverse/frmEditarVerticesSalida.h"
#include "traverse/frmPoligonal.h"
#include "traverse/frmVerticesdeSalida.h"

using namespace prueba;

namespace {

void Clic(QWidget* boton)
{
    QTest::mouseClick(boton, Qt::LeftButton);
}

// Replaces the field's text with keys, then Enter when asked.
void Reteclear(QLineEdit* campo, const QString& texto, bool intro = false)
{
    campo->setFocus();
    campo->selectAll();
    QTest::keyClicks(campo, texto);
    if (intro)
        QTest::keyClick(campo, Qt::Key_Return);
}

// A whole station: the name and each box with Enter; an empty value leaves the box as it is.
void TeclearEstacion(frmPoligonal* h, const QString& nombre, const QStringList& valores)
{
    Reteclear(h->txtObservacion[0], nombre, true);
    for (int k = 1; k <= 14; ++k) {
        QLineEdit* c = h->txtObservacion[k];
        QVERIFY2(ConFoco(c), qPrintable(c->objectName()));
        if (!valores[k - 1].isEmpty())
            Reteclear(c, valores[k - 1]);
        QTest::keyClick(c, Qt::Key_Return);
    }
}

void ComprobarPunto(frmPoligonal* h, const P& p)
{
    QVERIFY2(Cerca(h->lblBRadiadaX->text(), p.x), qPrintable(h->lblBRadiadaX->text()));
    QVERIFY2(Cerca(h->lblBRadiadaY->text(), p.y), qPrintable(h->lblBRadiadaY->text()));
    QVERIFY2(Cerca(h->lblBRadiadaZ->text(), p.z), qPrintable(h->lblBRadiadaZ->text()));
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
    }

    void cleanup()
    {
        delete principal_; // releases any open sheet without questions
        principal_ = nullptr;
        QTest::qWait(50);
    }

    void poligonalTecleadaDesdeLosVertices()
    {
        // "Nueva": BO placed 100 m north of P-2 by a relative survey.
        EnModal<frmVerticesdeSalida>([](frmVerticesdeSalida* v) {
            const char* obs[10] = {"100", "", "100", "1.5", "1.5", "100", "", "100", "1.5", "1.5"};
            for (int i = 0; i < 10; ++i)
                Reteclear(v->txtObservacion[i], obs[i], true);
            QVERIFY(ConFoco(v->txtBE[0]));
            QCOMPARE(v->txtBO[2]->text(), QString("1100.000"));
            Clic(v->cmdAceptar);
        });
        principal_->mnuPoligonalNueva->trigger();
        QVERIFY(Mostrar(principal_));
        frmPoligonal* h = principal_->Buscar<frmPoligonal>();
        QVERIFY(h && qobject_cast<QMdiSubWindow*>(h->parentWidget()));
        MenuConHoja(true);
        QVERIFY(ConFoco(h->txtObservacion[0]));
        QVERIFY(h->Guardada());
        QCOMPARE(h->windowTitle(), QString("Poligonal"));
        Muestran({h->txtObservacion[1], h->txtObservacion[2], h->dibEsquemaOrientacion}, {"0.0000", "", "P-1"});
        QCOMPARE(ficheros::Filas(h->lstBases),
                 QStringList({"P-1 [V. salida BO]", "", "1000.000", "1100.000", "100.000", "", "P-2 [V. salida BE]", "",
                              "1000.000", "1000.000", "100.000", ""}));

        // Station 1: the point, the face means, the agreement bars (truncated) and labels (rounded).
        const P pe2 = {1000, 1000, 100}, pe1 = {1000, 1100, 100};
        const Libreta* L = LIBRETA;
        TeclearEstacion(h, "e-1", Textos(L[0]));
        QVERIFY(ConFoco(h->cmdNuevaEstacion));
        const P e1 = Visado(pe2, pe1, L[0]);
        ComprobarPunto(h, e1);
        Muestran({h->lblBaseRadiada, h->lblHzO, h->lblHzV, h->lblVV, h->lblVR, h->lblDiferenciaAcimutal,
                  h->lblDiferenciaCenital},
                 {"E-1", "0.0006", "120.5003", "99.2005", "100.8000", "0.0012", "0.0010"});
        const double dHz = std::max(std::fabs(std::fabs(L[0].hz2 - L[0].hz1) - 200.0),
                                    std::fabs(std::fabs(L[0].hz4 - L[0].hz3) - 200.0));
        QCOMPARE(h->prbDiferenciaAcimutal->value(), int(std::floor(dHz * 10000.0)));
        QCOMPARE(h->prbDiferenciaCenital->value(), int(std::floor(std::fabs(L[0].v5 + L[0].v6 - 400.0) * 10000.0)));
        QVERIFY(!h->Guardada());

        // Station 2 stands on E-1, looks back at P-2 and carries the signal height into box 8.
        Clic(h->cmdNuevaEstacion);
        Muestran({h->lblEstacion, h->lblBE, h->lblBO, h->txtObservacion[8]}, {"2", "E-1", "P-2", "1.520"});
        QCOMPARE(h->lstBases->count(), 18);
        QVERIFY(Cerca(h->lstBases->item(14)->text(), e1.x));
        QVERIFY(!principal_->mnuPoligonalCerrar->isEnabled());
        QStringList t2 = Textos(L[1]);
        t2[7] = QString();
        TeclearEstacion(h, "e-2", t2);
        const P e2 = Visado(e1, pe2, L[1]);
        ComprobarPunto(h, e2);
        Clic(h->cmdNuevaEstacion);
        QVERIFY(principal_->mnuPoligonalCerrar->isEnabled()); // three stations
        TeclearEstacion(h, "e-3", Textos(L[2]));
        const P e3 = Visado(e2, e1, L[2]);
        ComprobarPunto(h, e3);
        QCOMPARE(h->lstBases->count(), 24);

        // Navigation and its refusals.
        Clic(h->cmdAnterior);
        Muestran({h->txtIra, h->txtObservacion[0], h->txtObservacion[7]}, {"2", "E-2", "120.250"});
        auto m = Responder();
        Clic(h->cmdNuevaEstacion);
        QCOMPARE(m->texto, QString("La estación actual no es la última."));
        QCOMPARE(m->icono, QMessageBox::Warning);
        QCOMPARE(m->titulo, QString("cartavector"));
        QCOMPARE(h->colPoligonal.size(), size_t(3));
        Clic(h->cmdAnterior);
        QCOMPARE(MensajeDe([h] { Clic(h->cmdAnterior); }), QString("No existe la estación."));
        QCOMPARE(h->EstacionActual(), int16_t(1));
        QCOMPARE(h->txtObservacion[1]->text(), QString("0.0000")); // earlier stations show their zeros

        // A correction at station 1 moves every later point.
        Reteclear(h->txtObservacion[7], "86.431");
        Libreta l1b = L[0];
        l1b.d7 = 86.431;
        const P e1b = Visado(pe2, pe1, l1b), e2b = Visado(e1b, pe2, L[1]), e3b = Visado(e2b, e1b, L[2]);
        QVERIFY(Cerca(h->lblBRadiadaX->text(), e1b.x));
        QVERIFY(std::fabs(h->colPoligonal[2].objBV.X - e3b.x) < 1e-6);
        QVERIFY(std::fabs(h->colPoligonal[2].objBV.Y - e3b.y) < 1e-6);
        QVERIFY(std::fabs(h->colPoligonal[2].objBV.Z - e3b.z) < 1e-6);
        QVERIFY(std::fabs(e3b.x - e3.x) > 0.01);
        QVERIFY(Cerca(h->lstBases->item(21)->text(), e2b.y));

        // Jumps: letters filtered out, stations that do not exist refused.
        Reteclear(h->txtIra, "3x");
        QCOMPARE(h->txtIra->text(), QString("3"));
        QTest::keyClick(h->txtIra, Qt::Key_Return);
        QCOMPARE(h->txtObservacion[0]->text(), QString("E-3"));
        QCOMPARE(MensajeDe([h] { Reteclear(h->txtIra, "9", true); }), QString("No existe la estación."));
        QCOMPARE(MensajeDe([h] { Clic(h->cmdPosterior); }), QString("No existe la estación."));
        QCOMPARE(MensajeDe([h] {
                     h->txtIra->clear();
                     QTest::keyClick(h->txtIra, Qt::Key_Return);
                 }),
                 QString("Los datos no son válidos o están en blanco."));
        Clic(h->cmdAnterior);
        Clic(h->cmdIraUltima);
        QCOMPARE(h->EstacionActual(), int16_t(3));

        // A fourth, empty station; the cut from station 3, first declined.
        Clic(h->cmdNuevaEstacion);
        QCOMPARE(h->lstBases->count(), 30);
        Reteclear(h->txtIra, "3", true);
        m = Responder(QMessageBox::No);
        Clic(h->cmdCortarPoligonal);
        QCOMPARE(m->texto, QString("¿Confirma que desea borrar todas las estaciones\r\n") + QString(21, ' ') +
                               QString("a partir de la actual?\r\n"));
        QCOMPARE(m->icono, QMessageBox::NoIcon);
        QCOMPARE(h->colPoligonal.size(), size_t(4));
        auto aviso = std::make_shared<std::shared_ptr<Mensaje>>();
        AlAparecer<QMessageBox>([aviso](QMessageBox* caja) {
            *aviso = Responder(); // the notice that follows the Yes
            caja->done(QMessageBox::Yes);
        });
        Clic(h->cmdCortarPoligonal);
        QCOMPARE(h->colPoligonal.size(), size_t(2));
        QCOMPARE(h->txtObservacion[0]->text(), QString("E-2"));
        QCOMPARE(h->lstBases->count(), 18);
        QVERIFY(*aviso && (*aviso)->visto);
        QCOMPARE((*aviso)->texto, QString("Las estaciones se han eliminado."));
        QCOMPARE((*aviso)->icono, QMessageBox::Warning);
        QVERIFY(!principal_->mnuPoligonalCerrar->isEnabled());
        Clic(h->cmdAnterior);
        QCOMPARE(MensajeDe([h] { Clic(h->cmdCortarPoligonal); }), QString("No se puede eliminar la primera estación."));
        QCOMPARE(h->colPoligonal.size(), size_t(2));

        // Closing with changes asks; the menu returns; the vertices outlive the sheet.
        m = Responder(QMessageBox::No);
        h->parentWidget()->close();
        QCOMPARE(m->texto, QString("  ¿Desea guardar los cambios?"));
        QCOMPARE(m->icono, QMessageBox::NoIcon);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!principal_->Buscar<frmPoligonal>());
        MenuConHoja(false);
        QCOMPARE(principal_->MostrarHija<frmPoligonal>()->lstBases->item(3)->text(), QString("1100.000"));
    }

    void tecladoEIndicadores()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        QLineEdit** t = h->txtObservacion;
        Teclear(t[0], "p-3b");
        QCOMPARE(t[0]->text(), QString("P-3B"));
        QTest::keyClick(t[0], Qt::Key_Up);
        QVERIFY(ConFoco(t[0]));
        Teclear(t[3], "-1,2a.5");
        QCOMPARE(t[3]->text(), QString("12.5"));
        QTest::keyClick(t[3], Qt::Key_Up);
        QVERIFY(ConFoco(t[2]));
        t[14]->setFocus();
        QTest::keyClick(t[14], Qt::Key_Down);
        QVERIFY(ConFoco(t[14]));
        QCOMPARE(MensajeDe([h] { Clic(h->cmdNuevaEstacion); }), QString("Los datos no son válidos o están en blanco."));
        QCOMPARE(h->colPoligonal.size(), size_t(1));

        // What the bars and labels show; pasted texts run the same processing.
        const char* v[15] = {"",    "0",   "200.00390625", "0",   "200.00390625", "100", "300", "125.3759",
                             "1.5", "1.5", "100",          "300", "125.3",        "1.5", "1.5"};
        for (int k = 0; k < 15; ++k)
            t[k]->setText(v[k]);
        QCOMPARE(h->prbDiferenciaAcimutal->value(), 39);
        Muestran({h->lblHzO, h->lblDiferenciaAcimutal, h->lblBRadiadaX}, {"0.0020", "0.0039", ""});
        QCOMPARE(h->prbDiferenciaDistancias->value(), 0); // no name yet
        t[0]->setText("A");
        QCOMPARE(h->prbDiferenciaDistancias->value(), 75);
        Muestran({h->lblDiferenciaDistancias, h->lblDiferenciaCenital}, {"0.076", "0.0000"});
        // Invalid data empty the point and what depends on it.
        t[9]->setText(".");
        Muestran({h->lblBRadiadaX, h->lblDiferenciaDistancias}, {"", ""});
        QCOMPARE(h->prbDiferenciaDistancias->value(), 0);
    }

    void preguntaAlCerrar()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        h->parentWidget()->close();
        QVERIFY(!AparecioMensaje()); // only loaded: nothing to ask
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!principal_->Buscar<frmPoligonal>());

        // Changed, answered Yes, the save dialog cancelled: nothing saved, the sheet closes.
        h = principal_->MostrarHija<frmPoligonal>();
        Teclear(h->txtObservacion[0], "X");
        auto texto = std::make_shared<QString>();
        std::shared_ptr<Dialogo> d;
        AlAparecer<QMessageBox>([texto, &d](QMessageBox* caja) {
            *texto = caja->text();
            d = ResponderFichero(QString());
            caja->done(QMessageBox::Yes);
        });
        h->parentWidget()->close();
        QCOMPARE(*texto, QString("  ¿Desea guardar los cambios?"));
        QVERIFY(d && d->visto);
        QCOMPARE(d->titulo, QString("Guardar Poligonal"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!principal_->Buscar<frmPoligonal>());
        QVERIFY(QDir(carpeta_.path()).entryList({"*.pol"}).isEmpty());
    }

    void verticesDeSalidaPorTeclado()
    {
        EnModal<frmVerticesdeSalida>([](frmVerticesdeSalida* v) {
            QCOMPARE(v->windowTitle(), QString("Vértices de salida"));
            Muestran({v->txtBE[1], v->txtBO[0]}, {"1000.000", "P-1"});
            auto m = Responder(); // BO has no coordinates yet
            Clic(v->cmdAceptar);
            QCOMPARE(m->texto, QString("Las bases no son válidas."));
            QCOMPARE(m->icono, QMessageBox::Warning);
            v->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(v));
            Reteclear(v->txtBE[3], "100", true);
            QVERIFY(ConFoco(v->txtBO[0]));

            // Relative survey with reverse faces.
            const char* obs[10] = {"99.5",   "300.52", "120.5",  "1.55", "1.7",
                                   "100.49", "299.53", "120.52", "1.6",  "1.45"};
            for (int i = 0; i < 10; ++i)
                Teclear(v->txtObservacion[i], obs[i]);
            const double V1 = MediaV(99.5, 300.52), V2 = MediaV(100.49, 299.53);
            const double dr1 = 120.5 * std::sin(V1 * G), dr2 = 120.52 * std::sin(V2 * G);
            const double z1 = 100.0 + 120.5 * std::cos(V1 * G) + 1.55 - 1.7;
            const double z2 = 100.0 - (120.52 * std::cos(V2 * G) + 1.6 - 1.45);
            Muestran({v->lblVBEBO, v->lblVBOBE, v->txtBO[1]}, {"99.4900", "100.4800", "1000.000"});
            QVERIFY(Cerca(v->txtBO[2]->text(), 1000.0 + (dr1 + dr2) / 2.0));
            QVERIFY(Cerca(v->txtBO[3]->text(), (z1 + z2) / 2.0));
            QVERIFY(Cerca(v->lblDifDistancias->text(), std::fabs(dr1 - dr2)));
            QVERIFY(Cerca(v->lblDifCotas->text(), std::fabs(z1 - z2)));
            // A required observation cleared empties BO and both differences.
            v->txtObservacion[3]->clear();
            Muestran({v->txtBO[2], v->lblDifCotas, v->lblDifDistancias}, {"", "", ""});

            // Known vertices typed: all decimals kept, name in capitals.
            v->txtBE[0]->clear();
            Teclear(v->txtBE[0], "v-10");
            v->txtBE[1]->setText("-5");
            v->txtBO[1]->setText("500.12345");
            v->txtBO[2]->setText("600");
            v->txtBO[3]->setText("7");
            Clic(v->cmdAceptar);
        });
        principal_->mnuPoligonalNueva->trigger();
        QCOMPARE(frmPoligonal::objVertice_BE.N, std::string("V-10"));
        QCOMPARE(frmPoligonal::objVertice_BE.X, -5.0);
        QCOMPARE(frmPoligonal::objVertice_BO.X, 500.12345);
        QVERIFY(principal_->Buscar<frmPoligonal>());
    }

    void edicionDeLosVertices()
    {
        frmPoligonal::objVertice_BE = {"A", 1000.0, 1000.0, 100.0};
        frmPoligonal::objVertice_BO = {"B", 1000.0, 1100.0, 90.0};
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        TeclearEstacion(h, "c", Textos(LIBRETA[2]));
        Clic(h->cmdNuevaEstacion);
        TeclearEstacion(h, "d", Textos(LIBRETA[2]));
        const P v2 = {h->colPoligonal[1].objBV.X, h->colPoligonal[1].objBV.Y, h->colPoligonal[1].objBV.Z};

        auto aviso = std::make_shared<Mensaje>();
        EnModal<frmEditarVerticesSalida>([aviso](frmEditarVerticesSalida* e) {
            QCOMPARE(e->windowTitle(), QString("Edición de los vértices de salida"));
            Muestran({e->txtBE[0], e->txtBO[3]}, {"A", "90.000"});
            // Both vertices 1 km east, BE 5 m up: the whole traverse follows.
            Reteclear(e->txtBE[1], "2000");
            Reteclear(e->txtBO[1], "2000");
            Reteclear(e->txtBE[3], "105");
            Reteclear(e->txtBO[3], "90", true);
            QVERIFY(ConFoco(e->cmdAceptar));
            AlAparecer<QMessageBox>([aviso](QMessageBox* caja) {
                aviso->visto = true;
                aviso->texto = caja->text();
                aviso->icono = caja->icon();
                caja->done(QMessageBox::Ok);
            });
            Clic(e->cmdAceptar);
        });
        principal_->mnuPoligonalVerticesdeSalida->trigger();
        QTRY_VERIFY(aviso->visto);
        QCOMPARE(aviso->texto, QString("Vértices de salida cambiados."));
        QCOMPARE(aviso->icono, QMessageBox::Information);
        QVERIFY(std::fabs(h->colPoligonal[1].objBV.X - (v2.x + 1000.0)) < 1e-6);
        QVERIFY(std::fabs(h->colPoligonal[1].objBV.Y - v2.y) < 1e-6);
        QVERIFY(std::fabs(h->colPoligonal[1].objBV.Z - (v2.z + 5.0)) < 1e-6);
        QCOMPARE(h->colPoligonal[1].objBE.N, std::string("C"));
        QCOMPARE(h->EstacionActual(), int16_t(2));
        QCOMPARE(h->lstBases->item(8)->text(), QString("2000.000"));
        QVERIFY(Cerca(h->lblBRadiadaX->text(), v2.x + 1000.0));
    }

private:
    void MenuConHoja(bool hoja)
    {
        for (QAction* a : {principal_->mnuPoligonalGuardar, principal_->mnuPoligonalExportar,
                           principal_->mnuPoligonalImprimir, principal_->mnuPoligonalVerticesdeSalida})
            QVERIFY2(a->isEnabled() == hoja, qPrintable(a->objectName()));
        QCOMPARE(principal_->mnuPoligonalNueva->isEnabled(), !hoja);
        QCOMPARE(principal_->mnuPoligonalAbrir->isEnabled(), !hoja);
        QVERIFY(!principal_->mnuPoligonalCerrar->isEnabled());
    }

    QTemporaryDir carpeta_;
    MDIfrmMain* principal_ = nullptr;
};

QTEST_MAIN(PruebaPoligonal)
#include "test_poligonal.moc"
