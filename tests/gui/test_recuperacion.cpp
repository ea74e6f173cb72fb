// Nothing lost on a crash: the program, killed with SIGKILL while a traverse is being typed, offers the job back
// at its next start and every reading is there, and so is what the other windows held (a levelling book, break
// lines, a station entered from the bases); refusing removes the file, and a normal exit leaves none.
#include <QPlainTextEdit>
#include <QProcess>
#include <QTableWidget>
#include <csignal>

#include "AyudantesPoligonal.h"
#include "levelling/frmNivelacion.h"
#include "points/frmTaquimetrico.h"
#include "station/frmEstacionLibre.h"
#include "shell/TrabajoQt.h"
#include "terrain/frmTerreno.h"

using namespace prueba;

namespace {

// What the killed program had typed: stations 1 and 2 whole, station 3 up to its zenith readings.
constexpr int CASILLAS_TERCERA = 7;

void Retipear(QLineEdit* campo, const QString& texto)
{
    campo->setFocus();
    campo->selectAll();
    QTest::keyClicks(campo, texto);
}

// The program as a user drives it, killed in the middle of the third station.
int Hijo(const char* carpeta)
{
    FijarCarpetaPrograma(carpeta);
    frmPoligonal::objVertice_BE = VERTICE_P2;
    frmPoligonal::objVertice_BO = VERTICE_P1;
    auto* principal = new MDIfrmMain;
    Mostrar(principal);
    auto* h = principal->MostrarHija<frmPoligonal>();
    for (int s = 0; s < 3; ++s) {
        if (s > 0)
            Clic(h, "cmdNuevaEstacion");
        Retipear(Obs(h, 0), QString("e-%1").arg(s + 1));
        for (int k = 1; k <= (s < 2 ? 14 : CASILLAS_TERCERA - 1); ++k)
            Retipear(Obs(h, k), Valor(s, k));
    }
    auto* libreta = Control<QTableWidget>(principal->MostrarHija<frmNivelacion>(), "tblLibreta");
    libreta->setItem(0, 0, new QTableWidgetItem("BM"));
    libreta->setItem(1, 2, new QTableWidgetItem("0.800"));
    QTest::keyClicks(Control<QPlainTextEdit>(principal->MostrarHija<frmTerreno>(), "txtLineasRotura"), "1,2,3");
    auto* taquimetrico = principal->MostrarHija<frmTaquimetrico>();
    Lista(taquimetrico, "lstBases")->addItems({"B-1", "", "10.000", "20.000", "30.000", ""});
    Entrar(Lista(taquimetrico, "lstBases"), 0, Boton(taquimetrico, "cmdEntrarBE"));
    Retipear(Campo(taquimetrico, "txti"), "1.55");
    // A known station: its orientation on the one sight comes from the coordinates entered with it.
    auto* libre = principal->MostrarHija<frmEstacionLibre>();
    Lista(libre, "lstBases")->addItems({"A", "", "1000.000", "2000.000", "100.000", "", "B", "", "1100.000", "2000.000",
                                        "100.000", ""});
    Entrar(Lista(libre, "lstBases"), 0, Boton(libre, "cmdEntrarEstacion"));
    Campo(libre, "txtPunto_0")->setText("B");
    Campo(libre, "txtHz_0")->setText("0");
    QTest::qWait(2000); // the job is on disk within two seconds of a change
    std::raise(SIGKILL);
    return 1;
}

} // namespace

class PruebaRecuperacion : public QObject {
    Q_OBJECT
private slots:
    void recuperaTrasMatarElPrograma()
    {
        PrepararPoligonal(carpeta_, 0.5, VERTICE_P2, VERTICE_P1);
        QProcess hijo;
        hijo.start(QCoreApplication::applicationFilePath(), {"--hijo", carpeta_.path()});
        QVERIFY(hijo.waitForFinished(60000));
        QCOMPARE(hijo.exitStatus(), QProcess::CrashExit);
        const QString ruta = carpeta_.filePath("recuperacion.trabajo");
        QVERIFY(QFile::exists(ruta));

        frmPoligonal::objVertice_BE = frmPoligonal::objVertice_BO = objPto();
        auto pregunta = Responder(QMessageBox::Yes);
        auto principal = std::make_unique<MDIfrmMain>();
        QCOMPARE(pregunta->texto, QString("Se encontró un trabajo que no se guardó. ¿Desea recuperarlo?"));
        QCOMPARE(pregunta->botones, QMessageBox::Yes | QMessageBox::No);
        auto* h = principal->Buscar<frmPoligonal>();
        QVERIFY(h);
        QCOMPARE(h->NumeroEstaciones(), 3);
        QCOMPARE(h->EstacionActual(), 3);
        QCOMPARE(QString::fromStdString(frmPoligonal::objVertice_BO.N), QString("P-1"));
        for (int s = 0; s < 2; ++s)
            for (int k = 1; k <= 14; ++k)
                QCOMPARE(h->colPoligonal[s].Slot(k), LIBRETA[s][k - 1]);
        QCOMPARE(Obs(h, 0)->text(), QString("E-3"));
        for (int k = 1; k < CASILLAS_TERCERA; ++k)
            QCOMPARE(Obs(h, k)->text(), Valor(2, k));
        QVERIFY(Obs(h, CASILLAS_TERCERA)->text().isEmpty());
        QVERIFY(!h->Guardada()); // never saved: closing asks
        auto* libreta = Control<QTableWidget>(principal->Buscar<frmNivelacion>(), "tblLibreta");
        QVERIFY(libreta && libreta->item(0, 0) && libreta->item(1, 2) && !libreta->item(1, 0));
        QCOMPARE(libreta->item(0, 0)->text() + "|" + libreta->item(1, 2)->text(), QString("BM|0.800"));
        QCOMPARE(Control<QPlainTextEdit>(principal->Buscar<frmTerreno>(), "txtLineasRotura")->toPlainText(),
                 QString("1,2,3"));
        auto* taquimetrico = principal->Buscar<frmTaquimetrico>();
        QCOMPARE(Textos(taquimetrico, {"lblBE", "lblBEX", "lblBEY", "lblBEZ", "txti"}),
                 QString("B-1|10.000|20.000|30.000|1.55"));
        QCOMPARE(Textos(principal->Buscar<frmEstacionLibre>(), {"lblEstacion", "lblOrientacion"}), QString("A|100.0000"));

        // A second program running from the folder is not offered the first's job and keeps its own file,
        // which its normal exit removes, leaving the first's.
        auto ofrecido = std::make_shared<bool>(false);
        AlAparecer<QMessageBox>([ofrecido](QMessageBox* caja) { *ofrecido = true, caja->done(QMessageBox::No); }, 300);
        auto segundo = std::make_unique<MDIfrmMain>();
        QVERIFY(!*ofrecido);
        cv::ElTrabajo().Datos().PonerCompensados({}); // a change: each program writes its own file
        const QString otra = carpeta_.filePath("recuperacion-2.trabajo");
        QTRY_VERIFY(QFile::exists(otra));
        segundo.reset();
        QVERIFY(!QFile::exists(otra) && QFile::exists(ruta));

        // A normal exit leaves no recovery file; a file refused at the next start is removed.
        Responder(QMessageBox::No);
        principal->close();
        QVERIFY(!QFile::exists(ruta));
        QVERIFY(ficheros::Escribir(ruta, "cartavector-trabajo\t1\n"));
        Responder(QMessageBox::No);
        principal = std::make_unique<MDIfrmMain>();
        QVERIFY(!QFile::exists(ruta) && !principal->Buscar<frmPoligonal>());
    }

private:
    QTemporaryDir carpeta_;
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--hijo")
        return Hijo(argv[2]);
    PruebaRecuperacion prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "test_recuperacion.moc"
