// Tacheometry: a block typed as in the field and computed, the window ready
// for the next station, the arrows and the refusals. (List buttons: test_listas_auxiliares.)
#include <QTemporaryDir>

#include "Ayudantes.h"
#include "core/modFuncionesTopo.h"
#include "points/frmTaquimetrico.h"
#include "shell/TrabajoQt.h"

using namespace prueba;
using namespace prueba::ficheros;

// The rows of a list of the window as the job holds them.
QStringList Publicadas(const char* lista)
{
    QStringList r;
    const auto& listas = cv::ElTrabajo().Datos().Listas();
    if (const auto v = listas.find("frmTaquimetrico"); v != listas.end() && v->second.filas.count(lista))
        for (const std::string& f : v->second.filas.at(lista))
            r << QString::fromStdString(f);
    return r;
}

class PruebaTaquimetrico : public QObject {
    Q_OBJECT
    frmTaquimetrico* w = nullptr;
    cv::Lista* bases = nullptr;

private slots:
    // Station A (100, 100, 50) oriented on B due north; two sights of 10 m, level.
    void init()
    {
        KRefraccion = 0.5; // no curvature and refraction term: round figures
        w = new frmTaquimetrico;
        QVERIFY(Mostrar(w));
        bases = Lista(w, "lstBases");
        bases->addItems({"A", "", "100.000", "100.000", "50.000", "", "B", "", "100.000", "200.000", "0.000", ""});
        Lista(w, "lstObservaciones")
            ->addItems({"5 100.0000 100.0000 10.000 1.500", "7 200.0000 100.0000 10.000 1.500"});
        Entrar(bases, 0, Boton(w, "cmdEntrarBE"));
    }
    void cleanup()
    {
        delete w;
        KRefraccion = K_POR_DEFECTO;
    }

    // Enter walks i, first and last point to the button without pressing it.
    void bloquePorTeclado()
    {
        Entrar(bases, 6, Boton(w, "cmdEntrarBO"));
        for (const auto& [campo, teclas] : {std::pair{"txti", "1.5"}, {"txtPtoI", "5.-"}, {"txtPtoF", "7"}}) {
            QVERIFY(ConFoco(Campo(w, campo)));
            QTest::keyClicks(Campo(w, campo), teclas);
            QTest::keyClick(Campo(w, campo), Qt::Key_Return);
        }
        QCOMPARE(Textos(w, {"txtPtoI"}), QString("5")); // point numbers are whole
        auto* calcular = Boton(w, "cmdCalcularBloque");
        QVERIFY(ConFoco(calcular));
        QCOMPARE(Lista(w, "lstPuntos")->count(), 0);
        QTest::keyClick(calcular, Qt::Key_Return);
        QCOMPARE(Filas(Lista(w, "lstPuntos")), QStringList({"5 110.000 100.000 50.000", "7 100.000 90.000 50.000"}));
        // Ready for the next station: A becomes the back sight.
        QCOMPARE(Textos(w, {"txtPtoI", "txtPtoF", "txti", "txtHz", "lblBE", "lblBO", "lblBOZ"}),
                 QString("8|||0.0000||A|50.000"));
        Campo(w, "txtHz")->setFocus();
        for (auto [tecla, destino] : {std::pair{Qt::Key_Up, "txtHz"}, {Qt::Key_Down, "txti"}, {Qt::Key_Left, "txtHz"},
                                      {Qt::Key_Return, "txti"}, {Qt::Key_Right, "txtPtoI"}, {Qt::Key_Down, "txtPtoF"},
                                      {Qt::Key_Down, "txtPtoF"}}) {
            QTest::keyClick(w->focusWidget(), tecla);
            QVERIFY2(ConFoco(Campo(w, destino)), destino);
        }
        // The next station still needs i, its points and its station: each refusal is told and changes nothing.
        Pulsar(calcular, "Los datos no son válidos o están en blanco.", QMessageBox::Warning);
        Campo(w, "txti")->setText("1.5");
        Campo(w, "txtPtoF")->setText("9");
        Pulsar(calcular, "Seleccione las bases.", QMessageBox::Warning);
        QCOMPARE(Textos(w, {"lblBO", "txtPtoI", "txti"}) + "|" + QString::number(Lista(w, "lstPuntos")->count()),
                 QString("A|8|1.5|2"));
    }

    // The example survey opened as the program's file and as two downloads fills the same observations; the
    // downloads offer the station's i. (The dialog's filters: test_listas_auxiliares.)
    void descargasComoSuFichero()
    {
        const QString ejemplo = qEnvironmentVariable("CV_EXAMPLES") + "/taquimetrico.";
        QStringList txt;
        for (auto [ext, i] : {std::pair{"txt", ""}, {"sdr", "1.498"}, {"raw", "1.498"}}) {
            Campo(w, "txti")->clear();
            ResponderFichero(ejemplo + ext);
            QTest::mouseClick(Boton(w, "cmdObsAbrir"), Qt::LeftButton);
            txt = txt.isEmpty() ? Filas(Lista(w, "lstObservaciones")) : txt;
            QVERIFY(txt.size() == 25);
            QCOMPARE(Filas(Lista(w, "lstObservaciones")), txt);
            QCOMPARE(Campo(w, "txti")->text(), QString(i));
        }
        // The job hears of the rows as the list holds them.
        QStringList publicadas;
        QTRY_VERIFY(!(publicadas = Publicadas("lstObservaciones")).isEmpty());
        QCOMPARE(publicadas, txt);
    }

    // A GSI download: one warning lists the line it could not read, one the ID shortened to its digits.
    void descargaGsi()
    {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath("campo.gsi");
        QVERIFY(Escribir(ruta, "110100+000000E1 88..10+00001562\r110005+GDEM0005 21.022+10000000 22.022+09000000 "
                               "31..00+00012345 87..10+00001300\r\n110006+0000ABCD 21.022+1 22.022+1\r\n"));
        ResponderFichero(ruta);
        auto m = Responder(), n = Responder();
        QTest::mouseClick(Boton(w, "cmdObsAbrir"), Qt::LeftButton);
        QTRY_VERIFY(m->visto && n->visto);
        const QString textos = m->texto + "|" + n->texto;
        QVERIFY2(textos.contains("Línea 3: ") && textos.contains("(GDEM0005 pasa a ser 5)"), qPrintable(textos));
        QVERIFY(m->icono == QMessageBox::Warning && n->icono == QMessageBox::Warning);
        QCOMPARE(Filas(Lista(w, "lstObservaciones")), QStringList({"5 100.0000 90.0000 12.345 1.300"}));
        QCOMPARE(Campo(w, "txti")->text(), QString("1.562"));
    }
};

QTEST_MAIN(PruebaTaquimetrico)
#include "test_taquimetrico.moc"
