// Nothing lost on a crash: the program, killed with SIGKILL while a traverse is being typed, offers the job back
// at its next start and every reading is there; refusing removes the file, and a normal exit leaves none.
#include <QProcess>
#include <csignal>

#include "AyudantesPoligonal.h"

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
