// The adjustment window on a sheet of three stations closed a few millimetres
// off: method and precision change the points, the files are read back, and a
// traverse whose closure is gone is refused.
#include <QRadioButton>

#include "AyudantesPoligonal.h"
#include "points/FicherosTexto.h"
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
        for (int s = 0; s < 3; ++s) {
            if (s > 0)
                QTest::mouseClick(En<QPushButton>(h, "cmdNuevaEstacion"), Qt::LeftButton);
            PegarEstacion(h, s, QString("E-%1").arg(s + 1));
        }
        // The arrival vertices on E-2 and E-3 moved 12, 8, 4 mm: a linear misclosure only.
        const objPto e2 = h->colPoligonal[2].objBE, e3 = h->colPoligonal[2].objBV;
        auto tecleado = [](const char* n, const objPto& p) { // as typed, six decimals
            auto t = [](double v) { return QString::number(v, 'f', 6).toStdString(); };
            return LeerVertice({n, t(p.X + 0.012), t(p.Y + 0.008), t(p.Z + 0.004)});
        };
        const objPto PE = tecleado("P-9", e2), PV = tecleado("P-8", e3);
        EnModal<frmCierrePoligonal>([&](frmCierrePoligonal* c) {
            for (auto [columna, p] : {std::pair{"txtBE_", &PE}, std::pair{"txtBO_", &PV}}) {
                const double v[3] = {p->X, p->Y, p->Z};
                En(c, QString(columna) + "0")->setText(QString::fromStdString(p->N));
                for (int i = 1; i <= 3; ++i)
                    En(c, QString(columna) + QString::number(i))->setText(QString::number(v[i - 1], 'f', 6));
            }
            QTest::mouseClick(En<QPushButton>(c, "cmdAceptar"), Qt::LeftButton);
        });
        Elegir(principal_, "mnuPoligonalCerrar");
        const QStringList hoja = ficheros::Filas(En<QListWidget>(h, "lstBases"));

        auto* w = principal_->MostrarHija<frmCompensacion>();
        QCOMPARE(w->windowTitle(), QString("Compensación de la poligonal"));
        QVERIFY(En<QRadioButton>(w, "optBowditch")->isChecked());
        QCOMPARE(Ven(w, {"txtSigmaAngular", "txtSigmaDistancia", "txtSigmaPpm", "txtSigmaEstacion", "txtTolAngular",
                         "txtTolRelativa"}),
                 QString("15|2|2|1|50|10000"));
        QListWidget* lista = En<QListWidget>(w, "lstCompensada");
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
        QCOMPARE(Ven(w, {"lblEAngular", "lblET", "lblPrecision", "lblVeredicto", "lblSigma0"}),
                 QString::fromStdString(F4(r.cierre.EA) + "|" + F3(r.cierre.ED) + "|" + TextoPrecision(r.precision) +
                                        "|" + r.veredicto + "|"));
        // The closing point lands on the arrival vertex, corrected by the closure.
        QCOMPARE(filas.value(2).split(' ', Qt::SkipEmptyParts),
                 QStringList({"E-2", QString::fromStdString(F3(PE.X)), QString::fromStdString(F3(PE.Y)),
                              QString::fromStdString(F3(PE.Z)), "12.0", "8.0", "4.0"}));

        // Least squares, then a looser distance sigma: each redoes the points.
        QTest::mouseClick(En<QRadioButton>(w, "optMinimosCuadrados"), Qt::LeftButton);
        o.metodo = MetodoCompensacion::MinimosCuadrados;
        std::tie(r, filas) = esperado();
        QCOMPARE(ficheros::Filas(lista), filas);
        QCOMPARE(Ven(w, {"lblSigma0", "lblPrueba"}),
                 QString::fromStdString(Formatear(r.sigma0, 3)) + "|" + (r.chi2Aceptada ? "Aceptada" : "Rechazada"));
        En(w, "txtSigmaDistancia")->clear(), Teclear(En(w, "txtSigmaDistancia"), "10");
        o.precision.DistanciaMM = 10.0;
        const QStringList antes = filas;
        std::tie(r, filas) = esperado();
        QVERIFY(filas != antes);
        QCOMPARE(ficheros::Filas(lista), filas);
        En(w, "txtTolRelativa")->clear(), Teclear(En(w, "txtTolRelativa"), "9000000");
        QVERIFY(Ven(w, {"lblVeredicto"}).startsWith("Fuera de tolerancia: precisión 1:"));

        // The export: BE, BO and the adjusted points as bases; the closing point on PE.
        const QString ruta = carpeta_.filePath("compensada.bse");
        auto d = ResponderFichero(ruta);
        Pulsar(En<QPushButton>(w, "cmdExportar"), "Fichero guardado.", QMessageBox::Information);
        QCOMPARE(d->titulo + "|" + d->filtros.value(0) + "|" + d->extension,
                 QString("Exportar puntos compensados|Cartavector 3.0 (*.bse)|bse"));
        const ResultadoLectura bases = LeerBases(ficheros::Leer(ruta).toStdString());
        QVERIFY(!bases.fallo && bases.filas.size() == 24);
        QCOMPARE(QString::fromStdString(bases.filas[18] + "|" + bases.filas[20] + "|" + bases.filas[21] + "|" +
                                        bases.filas[22]),
                 "E-2|" + QString::fromStdString(F3(PE.X) + "|" + F3(PE.Y) + "|" + F3(PE.Z)));
        QCOMPARE(QString::fromStdString(bases.filas[12] + " " + bases.filas[14]),
                 filas[1].split(' ', Qt::SkipEmptyParts).mid(0, 2).join(' '));
        const QString informe = carpeta_.filePath("informe.txt");
        ResponderFichero(informe);
        Pulsar(En<QPushButton>(w, "cmdInforme"), "Fichero guardado.", QMessageBox::Information);
        QVERIFY(ficheros::Leer(informe).contains("Método : Mínimos cuadrados\r\n"));
        QCOMPARE(ficheros::Filas(En<QListWidget>(h, "lstBases")), hoja); // the sheet as it was

        // A rebuilt list drops the closure: nothing is adjusted, the buttons refuse.
        const QString sinCierre =
            "El cierre de la poligonal no está aceptado: cierre la poligonal antes de compensarla.";
        h->ActualizarListaBases();
        QTRY_COMPARE(Ven(w, {"lblVeredicto"}), sinCierre);
        QCOMPARE(lista->count(), 0);
        Pulsar(En<QPushButton>(w, "cmdExportar"), sinCierre, QMessageBox::Warning);
    }

  private:
    QTemporaryDir carpeta_;
    MDIfrmMain* principal_ = nullptr;
};

QTEST_MAIN(PruebaCompensacion)
#include "test_compensacion.moc"
