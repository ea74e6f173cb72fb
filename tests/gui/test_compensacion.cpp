// The adjustment window on three stations closed a few millimetres off through the menu: method and precision
// change the points, the files are written, and the figures follow the sheet as it is now: browsing keeps the
// closure, an incomplete station shows none and says why, a corrected reading gives the live figures.
#include <QMdiSubWindow>
#include <QRadioButton>

#include "AyudantesPoligonal.h"
#include "traverse/frmCierrePoligonal.h"
#include "traverse/frmCompensacion.h"

using namespace prueba;

class PruebaCompensacion : public QObject
{
    Q_OBJECT
  private slots:
    void init()
    {
        PrepararPoligonal(carpeta_, 0.5, VERTICE_P2, VERTICE_P1);
        principal_ = new MDIfrmMain;
        QVERIFY(Mostrar(principal_));
    }
    void cleanup() { delete principal_, QTest::qWait(50); }

    void compensaLaPoligonalCerrada()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        TresEstaciones(h);
        // The arrival vertices on E-2 and E-3 moved 12, 8, 4 mm (typed with six decimals): a linear misclosure
        // only, annotated as the closure window does.
        auto tecleado = [](const char* n, const objPto& p) {
            auto t = [](double v) { return QString::number(v, 'f', 6).toStdString(); };
            return std::array<std::string, 4>{n, t(p.X + 0.012), t(p.Y + 0.008), t(p.Z + 0.004)};
        };
        const auto pe = tecleado("P-9", h->colPoligonal[2].objBE), pv = tecleado("P-8", h->colPoligonal[2].objBV);
        const objPto PE = LeerVertice(pe), PV = LeerVertice(pv);
        EnModal<frmCierrePoligonal>([&](frmCierrePoligonal* c) {
            for (int i = 0; i < 4; ++i) {
                Teclear(En(c, QString("txtBE_%1").arg(i)), QString::fromStdString(pe[i]));
                Teclear(En(c, QString("txtBO_%1").arg(i)), QString::fromStdString(pv[i]));
            }
            Clic(c, "cmdAceptar");
        });
        Elegir(principal_, "mnuPoligonalCerrar");
        const QStringList hoja = ficheros::Filas(En<cv::Lista>(h, "lstBases"));
        QAction* compensar = principal_->findChild<QAction*>("mnuPoligonalCompensar");
        Elegir(principal_, "mnuPoligonalCompensar");
        auto* w = principal_->Buscar<frmCompensacion>();
        QVERIFY(w);
        // Wholly inside the frame's area, every control in sight.
        auto* marco = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        QVERIFY(marco->mdiArea()->viewport()->rect().contains(marco->geometry()));
        QVERIFY(w->rect().contains(w->childrenRect()));
        cv::Lista* lista = En<cv::Lista>(w, "lstCompensada");
        OpcionesCompensacion o;
        auto esperado = [&] {
            const ResultadoCompensacion r = Compensar(VERTICE_P2, VERTICE_P1, h->colPoligonal, PE, PV, true, o);
            QStringList filas;
            for (const PuntoCompensado& p : r.puntos)
                filas << QString::fromStdString(
                    FilaPuntoCompensado(p, o.metodo == MetodoCompensacion::MinimosCuadrados));
            return std::pair{r, filas};
        };
        auto [r, filas] = esperado();
        QCOMPARE(ficheros::Filas(lista), filas);
        QCOMPARE(Textos(w, {"lblEAngular", "lblET", "lblPrecision", "lblVeredicto", "lblSigma0"}),
                 QString::fromStdString(F4(r.cierre.EA) + "|" + F3(r.cierre.ED) + "|" + TextoPrecision(r.precision) +
                                        "|" + r.veredicto + "|"));

        // Least squares, then a looser distance sigma: each redoes the points.
        QTest::mouseClick(En<QRadioButton>(w, "optMinimosCuadrados"), Qt::LeftButton);
        o.metodo = MetodoCompensacion::MinimosCuadrados;
        std::tie(r, filas) = esperado();
        QCOMPARE(ficheros::Filas(lista), filas);
        QCOMPARE(Textos(w, {"lblSigma0", "lblPrueba"}),
                 QString::fromStdString(Formatear(r.sigma0, 3)) + "|" + (r.chi2Aceptada ? "Aceptada" : "Rechazada"));
        En(w, "txtSigmaDistancia")->clear(), Teclear(En(w, "txtSigmaDistancia"), "10");
        o.precision.DistanciaMM = 10.0;
        const QStringList antes = filas;
        std::tie(r, filas) = esperado();
        QVERIFY(filas != antes);
        QCOMPARE(ficheros::Filas(lista), filas);
        En(w, "txtTolRelativa")->clear(), Teclear(En(w, "txtTolRelativa"), "9000000");
        QVERIFY(Textos(w, {"lblVeredicto"}).startsWith("Fuera de tolerancia: precisión 1:"));

        // The export and the report: the points and the options shown.
        const QString ruta = carpeta_.filePath("compensada.bse");
        auto d = ResponderFichero(ruta);
        Pulsar(En<QPushButton>(w, "cmdExportar"), "Fichero guardado.", QMessageBox::Information);
        QCOMPARE(d->titulo + "|" + d->filtros.value(0) + "|" + d->extension,
                 QString("Exportar puntos compensados|Cartavector 3.0 (*.bse)|bse"));
        QCOMPARE(ficheros::Leer(ruta).toStdString(), ExportarBasesCompensadas(VERTICE_P2, VERTICE_P1, r));
        const QString informe = carpeta_.filePath("informe.txt");
        ResponderFichero(informe);
        Pulsar(En<QPushButton>(w, "cmdInforme"), "Fichero guardado.", QMessageBox::Information);
        o.tolerancias.Relativa = 9000000.0;
        QCOMPARE(ficheros::Leer(informe).toStdString(), EscribirInformeCompensacion(esperado().first, o));
        QCOMPARE(ficheros::Filas(En<cv::Lista>(h, "lstBases")), hoja); // the sheet as it was

        // Browsing to another station and back rebuilds the sheet's list: the closure and its figures stay.
        Clic(h, "cmdAnterior");
        Clic(h, "cmdIraUltima");
        QCOMPARE(ficheros::Filas(lista), esperado().second);
        // A reading of the last station cleared: no figures, and why; a corrected one typed: the live figures.
        QLineEdit* hz = Obs(h, 3);
        hz->setFocus(), hz->selectAll(), QTest::keyClick(hz, Qt::Key_Backspace);
        QCOMPARE(Textos(w, {"lblVeredicto", "lblEX"}), QString("La poligonal está incompleta: estación 3.|"));
        QCOMPARE(lista->count(), 0);
        QVERIFY(compensar->isEnabled());
        QTest::keyClicks(hz, "180.0025");
        QCOMPARE(h->colPoligonal[2].Slot(3), 180.0025);
        std::tie(r, filas) = esperado();
        QVERIFY(r.ok);
        QCOMPARE(ficheros::Filas(lista), filas);
        QCOMPARE(Textos(w, {"lblEAngular"}), QString::fromStdString(F4(r.cierre.EA)));

        // Closing the sheet ends its closure.
        Responder(QMessageBox::No);
        qobject_cast<QMdiSubWindow*>(h->parentWidget())->close();
        QTRY_COMPARE(Textos(w, {"lblVeredicto"}), QString("No hay ninguna poligonal abierta."));
        QVERIFY(!compensar->isEnabled());
    }

  private:
    QTemporaryDir carpeta_;
    MDIfrmMain* principal_ = nullptr;
};

QTEST_MAIN(PruebaCompensacion)
#include "test_compensacion.moc"
