// Bases typed by hand: the keys, the warning, and the file failures (a full
// disk above all). (List buttons: test_listas_auxiliares.)
#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "Ayudantes.h"
#include "core/Configuracion.h"
#include "core/Preferencias.h"
#include "points/frmEditarBases.h"

using namespace prueba;
using namespace prueba::ficheros;

class PruebaEditarBases : public QObject {
    Q_OBJECT
    frmEditarBases* w = nullptr;
    QLineEdit* Txt(int i) { return Campo(w, QString("txtBase_%1").arg(i)); }
    QString Cajas() { return Textos(w, {"txtBase_0", "txtBase_1", "txtBase_2", "txtBase_3"}); }

private slots:
    void init()
    {
        w = new frmEditarBases;
        QVERIFY(Mostrar(w));
    }
    void cleanup() { delete w; }

    // The name is upper-cased, numbers refuse "-", "," and letters; Enter walks
    // the boxes to the add button without pressing it, Enter there adds the base.
    void anadirPorTeclado()
    {
        Txt(0)->setFocus();
        for (const char* teclas : {"p-1", "-1,2a3.5", "2000", "100.25"}) {
            QTest::keyClicks(w->focusWidget(), teclas);
            QTest::keyClick(w->focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(Cajas(), QString("P-1|123.5|2000|100.25"));
        QVERIFY(ConFoco(Boton(w, "cmdAnadirBase")));
        QCOMPARE(Lista(w, "lstBases")->count(), 0);
        QTest::keyClick(Boton(w, "cmdAnadirBase"), Qt::Key_Return);
        QCOMPARE(Filas(Lista(w, "lstBases")), QStringList({"P-1", "", "123.500", "2000.000", "100.250", ""}));
        QCOMPARE(Cajas() + QString::number(Lista(w, "lstBases")->currentRow()), QString("|||0"));
        QVERIFY(ConFoco(Txt(0)));
        QTest::keyClick(Txt(0), Qt::Key_Up); // the arrows stop at both ends
        QVERIFY(ConFoco(Txt(0)));
        Txt(3)->setFocus();
        QTest::keyClick(Txt(3), Qt::Key_Down);
        QVERIFY(ConFoco(Txt(3)));
        // Incomplete data: the warning, and the boxes keep what was typed.
        for (const QString& caso : {QString("|1|2|3"), QString("A|1|-|3")}) {
            for (int i = 0; i < 4; ++i)
                Txt(i)->setText(caso.section('|', i, i));
            Pulsar(Boton(w, "cmdAnadirBase"), "Los datos no son válidos o están en blanco.", QMessageBox::Warning);
            QCOMPARE(Cajas(), caso);
        }
        QCOMPARE(Lista(w, "lstBases")->count(), 6);
    }

    // A file cut short in its second base: the message, the first base stays.
    // Saving where no file can be made, and on a full disk: the message with the
    // system's reason, and the file saved before stays byte for byte.
    void ficherosQueFallan()
    {
        QTemporaryDir dir;
        QVERIFY(Escribir(dir.filePath("truncado.bse"), "\"A\",\"1\",\"2\",\"3\"\r\n\"B\",\"4\""));
        for (const auto& [boton, ruta, inicio] : {std::tuple{"cmdAbrirBases", "truncado.bse", ERROR_ABRIR},
                                                  {"cmdGuardarFichero", "no_hay/b.bse", ERROR_GUARDAR}}) {
            ResponderFichero(dir.filePath(ruta));
            auto m = Responder();
            QTest::mouseClick(Boton(w, boton), Qt::LeftButton);
            QTRY_VERIFY(m->visto);
            QVERIFY2(ConMotivo(m->texto, inicio) && m->icono == QMessageBox::Critical, qPrintable(m->texto));
            QCOMPARE(m->titulo, QString("cartavector"));
            QCOMPARE(Filas(Lista(w, "lstBases")), QStringList({"A", "", "1.000", "2.000", "3.000", ""}));
        }
        const QString guardado = dir.filePath("guardado.bse");
        ResponderFichero(guardado);
        Pulsar(Boton(w, "cmdGuardarFichero"), "Fichero guardado.", QMessageBox::Information);
        const QByteArray antiguo = Leer(guardado);
        Lista(w, "lstBases")->addItems({"B", "", "4.000", "5.000", "6.000", ""});
        ResponderFichero(guardado);
        {
            DiscoLleno lleno(antiguo.size() + 1);
            Pulsar(Boton(w, "cmdGuardarFichero"), ERROR_GUARDAR + QString::fromLocal8Bit(strerror(EFBIG)),
                   QMessageBox::Critical);
        }
        QCOMPARE(Leer(guardado), antiguo);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"guardado.bse", "truncado.bse"}));
    }

    // The bases to CAD and to a map: a DXF and a KML (chosen by its file type),
    // and a coordinate system PROJ does not know refuses before any dialog.
    void exportarDxfYMapa()
    {
        QTemporaryDir carpeta;
        FijarCarpetaPrograma(carpeta.path().toStdString());
        Lista(w, "lstBases")->addItems({"V-1", "", "362415.372", "4571236.845", "612.480", ""});
        ResponderFichero(carpeta.filePath("obra"));
        Pulsar(Boton(w, "cmdExportarDxf"), "Fichero guardado.", QMessageBox::Information);
        QVERIFY(Leer(carpeta.filePath("obra.dxf")).contains("BASES"));
        ResponderFichero(carpeta.filePath("obra.kml"));
        Pulsar(Boton(w, "cmdExportarMapa"), "Fichero guardado.", QMessageBox::Information);
        QVERIFY(Leer(carpeta.filePath("obra.kml")).contains("<name>V-1</name>"));
        std::string error;
        QVERIFY(GuardarEpsg(99999, error));
        Pulsar(Boton(w, "cmdExportarMapa"),
               "El código EPSG 99999 no corresponde a ningún sistema de coordenadas proyectadas conocido. Elija el "
               "sistema del trabajo en la configuración; no se ha escrito ningún fichero.",
               QMessageBox::Warning);
        QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files), QStringList({"obra.dxf", "obra.kml", "preferencias.txt"}));
        FijarCarpetaPrograma(".");
    }
};

QTEST_MAIN(PruebaEditarBases)
#include "test_editar_bases.moc"
