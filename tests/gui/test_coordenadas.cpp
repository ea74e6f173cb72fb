// The coordinate windows: the "Cálculos" menu opens them, and what they show
// and write is what the coordinate library gives for the same lists and texts.
#include <QMenuBar>
#include <QRadioButton>
#include <QTemporaryDir>

#include "Ayudantes.h"
#include "app/MDIfrmMain.h"
#include "coordinates/frmReplanteo.h"
#include "coordinates/frmSuperficies.h"
#include "coordinates/frmTransformacion.h"
#include "core/Configuracion.h"
#include "core/FicherosTexto.h"
#include "core/Trabajo.h"
#include "points/modFuncionesAuxiliares.h"

using namespace prueba;
using namespace prueba::ficheros;

namespace {

QStringList Q(const std::vector<std::string>& filas)
{
    QStringList r;
    for (const std::string& f : filas)
        r << QString::fromStdString(f);
    return r;
}
QString Q(const std::string& s) { return QString::fromStdString(s); }

// A local survey and the same points on the grid (P4 a few mm off), heights left alone.
const QByteArray ORIGEN = "\"P1\",\"0\",\"0\",\"10\"\r\n\"P2\",\"100\",\"0\",\"11\"\r\n"
                          "\"P3\",\"100\",\"100\",\"12\"\r\n\"P4\",\"0\",\"100\",\"13\"\r\n";
const QByteArray DESTINO = "\"P1\",\"1000.000\",\"2000.000\",\"0\"\r\n\"P2\",\"1099.990\",\"2001.410\",\"0\"\r\n"
                           "\"P3\",\"1098.580\",\"2101.400\",\"0\"\r\n\"P4\",\"998.596\",\"2099.993\",\"0\"\r\n";
const QByteArray PARCELA = "1 0 0 0\r\n2 100 0 0\r\n3 100 50 0\r\n4 0 50 0\r\n";

// Clicks a choice on its round mark.
void Elegir(QWidget* w, const char* opcion)
{
    auto* o = Control<QRadioButton>(w, opcion);
    QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(8, o->height() / 2));
    QVERIFY(o->isChecked());
}

// Presses an open button and answers its dialog with the file.
void Abrir(QWidget* w, const char* boton, const QString& ruta)
{
    auto d = ResponderFichero(ruta);
    QTest::mouseClick(Boton(w, boton), Qt::LeftButton);
    QVERIFY(d->visto);
}

// Presses an export button, names the file and checks "Fichero guardado.".
void Exportar(QWidget* w, const QString& ruta)
{
    auto d = ResponderFichero(ruta);
    auto m = Responder();
    QTest::mouseClick(Boton(w, "cmdExportar"), Qt::LeftButton);
    QTRY_VERIFY(m->visto);
    QCOMPARE(m->texto, QString("Fichero guardado."));
}

} // namespace

class PruebaCoordenadas : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString Ruta(const char* nombre) { return dir.filePath(nombre); }

private slots:
    void initTestCase()
    {
        QVERIFY(Escribir(Ruta("origen.bse"), ORIGEN) && Escribir(Ruta("destino.bse"), DESTINO) &&
                Escribir(Ruta("parcela.asc"), PARCELA));
    }

    // "Cálculos" comes after "Catenaria" and before "Ver", and opens the three windows.
    void menuAbreLasVentanas()
    {
        FijarCarpetaPrograma(dir.path().toStdString());
        Configuracion c{0.5, 0};
        GuardarConfiguracion(c);
        MDIfrmMain w;
        QStringList menus;
        for (QAction* a : w.menuBar()->actions())
            menus << a->text();
        QVERIFY(menus.join('|').contains("Catenaria|Cálculos|Ver"));
        Menu(&w, "mnuCalculosTransformacion");
        Menu(&w, "mnuCalculosSuperficies");
        Menu(&w, "mnuCalculosReplanteo");
        QCOMPARE(w.Buscar<frmTransformacion>()->windowTitle() + "|" + w.Buscar<frmSuperficies>()->windowTitle() + "|" +
                     w.Buscar<frmReplanteo>()->windowTitle(),
                 QString("Transformación de coordenadas|Superficies|Replanteo"));
    }

    // After a crash the windows come back with their lists, and their results with them.
    void recuperaLasListas()
    {
        FijarCarpetaPrograma(dir.path().toStdString());
        const auto origen = LeerBases(ORIGEN.toStdString()).filas, destino = LeerBases(DESTINO.toStdString()).filas;
        Trabajo t;
        t.PonerListas("frmTransformacion",
                      {{"lstOrigen", origen}, {"lstDestino", destino}, {"lstResiduos", {"viejo"}}});
        t.PonerListas("frmSuperficies", {{"lstPuntos", {"1 0 0 0"}}});
        t.PonerListas("frmReplanteo", {{"lstPuntos", {"7 1 1 1"}}});
        QVERIFY(Escribir(QString::fromStdString(RutaRecuperacion()), QByteArray::fromStdString(EscribirTrabajo(t))));
        auto pregunta = Responder(QMessageBox::Yes);
        MDIfrmMain w;
        QVERIFY(pregunta->visto && w.Buscar<frmTransformacion>() && w.Buscar<frmSuperficies>() &&
                w.Buscar<frmReplanteo>());
        QCOMPARE(Filas(Lista(w.Buscar<frmReplanteo>(), "lstPuntos")), QStringList({"7 1 1 1"}));
        const auto r = CalcularTransformacion(origen, destino, MetodoTransformacion::Helmert, {});
        QTRY_COMPARE(Filas(Lista(w.Buscar<frmTransformacion>(), "lstResiduos")), Q(r.filasResiduos));
    }

    void transformacion()
    {
        frmTransformacion w;
        QVERIFY(Mostrar(&w));
        Abrir(&w, "cmdAbrirOrigen", Ruta("origen.bse"));
        Abrir(&w, "cmdAbrirDestino", Ruta("destino.bse"));
        const auto filas = [&](const char* l) { return Lista(&w, l)->Filas(); };
        auto r = CalcularTransformacion(filas("lstOrigen"), filas("lstDestino"), MetodoTransformacion::Helmert, {});
        QVERIFY(r.ok);
        const QStringList etiquetas = {"lblTX", "lblTY", "lblGiro", "lblEscala", "lblSigma0", "lblParametros"};
        const auto textos = [](const ResultadoTransformacion& t) {
            return Q(t.textoTX + "|" + t.textoTY + "|" + t.textoGiro + "|" + t.textoEscala + "|" + t.textoSigma0 + "|" +
                     t.textoParametros);
        };
        QCOMPARE(Textos(&w, etiquetas).replace(QChar(0xa0), ' '), textos(r));
        QCOMPARE(Filas(Lista(&w, "lstResiduos")), Q(r.filasResiduos));
        // P4 left out, then the affine fit on the three left: the library's figures each time.
        Entrar(Lista(&w, "lstResiduos"), 3, Boton(&w, "cmdExcluir"));
        QVERIFY(Lista(&w, "lstResiduos")->text(3).endsWith("(excluido)"));
        Elegir(&w, "optAfin");
        r = CalcularTransformacion(filas("lstOrigen"), filas("lstDestino"), MetodoTransformacion::Afin, {"P4"});
        QCOMPARE(Textos(&w, etiquetas).replace(QChar(0xa0), ' '), textos(r));
        QVERIFY(!r.textoParametros.empty());
        // Leaving out P3 too would leave two points: refused, and P3 stays in.
        const auto refusal = CalcularTransformacion(filas("lstOrigen"), filas("lstDestino"), MetodoTransformacion::Afin,
                                                    {"P3", "P4"});
        Seleccionar(Lista(&w, "lstResiduos"), 2);
        Pulsar(Boton(&w, "cmdExcluir"), Q(refusal.error), QMessageBox::Warning);
        QCOMPARE(Textos(&w, etiquetas).replace(QChar(0xa0), ' '), textos(r));
        // The origin file carried over, as the library writes it: opened, then saved under a new name.
        auto abrir = ResponderFichero(Ruta("origen.bse"));
        auto* guardar = new QTimer(&w);
        connect(guardar, &QTimer::timeout, [guardar, ruta = Ruta("transformado.bse")] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (d && d->acceptMode() == QFileDialog::AcceptSave)
                guardar->stop(), ResponderFichero(ruta);
        });
        guardar->start(20);
        auto m = Responder();
        QTest::mouseClick(Boton(&w, "cmdTransformar"), Qt::LeftButton);
        QVERIFY(abrir->visto && m->texto == "Fichero guardado.");
        QCOMPARE(Leer(Ruta("transformado.bse")),
                 QByteArray::fromStdString(TransformarFichero(r.transformacion, ORIGEN.toStdString(), "o.bse").texto));
    }

    void superficies()
    {
        frmSuperficies w;
        QVERIFY(Mostrar(&w));
        Abrir(&w, "cmdAbrirPuntos", Ruta("parcela.asc"));
        Teclear(Campo(&w, "txtVertices"), "1,2,3,9");
        EntradaSuperficies e{Lista(&w, "lstPuntos")->Filas(), "1,2,3,9", "", ModoSegregacion::Paralela, "", ""};
        QCOMPARE(Textos(&w, {"lblAviso", "lblSuperficie"}), Q(CalcularSuperficies(e).aviso) + "|");
        QTest::keyClick(Campo(&w, "txtVertices"), Qt::Key_Backspace);
        Teclear(Campo(&w, "txtVertices"), "4");
        Teclear(Campo(&w, "txtSuperficieSegregar"), "6000");
        Teclear(Campo(&w, "txtLado"), "1,2");
        e.vertices = "1,2,3,4", e.superficieSegregar = "6000", e.lado = "1,2";
        auto r = CalcularSuperficies(e);
        QCOMPARE(Textos(&w, {"lblSuperficie", "lblHectareas", "lblPerimetro", "lblAviso"}),
                 Q(r.textoSuperficie + "|" + r.textoHectareas + "|" + r.textoPerimetro + "|" + r.aviso));
        QVERIFY(!r.aviso.empty());
        Campo(&w, "txtSuperficieSegregar")->clear();
        Teclear(Campo(&w, "txtSuperficieSegregar"), "1234.5");
        Elegir(&w, "optPorVertice");
        Teclear(Campo(&w, "txtVertice"), "1");
        e.superficieSegregar = "1234.5", e.modo = ModoSegregacion::PorVertice, e.vertice = "1";
        r = CalcularSuperficies(e);
        QVERIFY(r.segregada);
        QCOMPARE(Textos(&w, {"lblPuntoA", "lblPuntoB", "lblSuperficieResto", "lblAviso"}),
                 Q(r.textoPuntoA + "|" + r.textoPuntoB + "|" + r.textoSuperficieResto + "|"));
        Exportar(&w, Ruta("divisoria.bse"));
        QCOMPARE(Leer(Ruta("divisoria.bse")), QByteArray::fromStdString(BasesDivisoria(r, "A", "B")));
    }

    void replanteo()
    {
        frmReplanteo w;
        QVERIFY(Mostrar(&w));
        cv::Lista* bases = Lista(&w, "lstBases");
        bases->addItems({"E1", "", "10.000", "20.000", "1.000", "", "R1", "", "10.000", "120.000", "0.000", ""});
        Entrar(bases, 0, Boton(&w, "cmdEntrarBE"));
        Entrar(bases, 6, Boton(&w, "cmdEntrarBO"));
        Abrir(&w, "cmdAbrirPuntos", Ruta("parcela.asc"));
        EntradaReplanteo e{"E1", "R1", {"10.000", "20.000", "1.000"}, {"10.000", "120.000", "0.000"}, "", {}};
        e.filasPuntos = Lista(&w, "lstPuntos")->Filas();
        QCOMPARE(Textos(&w, {"lblAviso"}), Q(CalcularReplanteo(e).aviso));
        Teclear(Campo(&w, "txti"), "1.55");
        e.i = "1.55";
        const ResultadoReplanteo r = CalcularReplanteo(e);
        QCOMPARE(Filas(Lista(&w, "lstReplanteo")), Q(r.filas));
        std::string gsi, aviso;
        QVERIFY(ExportarReplanteo(r, Ruta("replanteo.gsi").toStdString(), gsi, aviso));
        Exportar(&w, Ruta("replanteo.gsi"));
        QCOMPARE(Leer(Ruta("replanteo.gsi")), QByteArray::fromStdString(gsi));
    }
};

QTEST_MAIN(PruebaCoordenadas)
#include "test_coordenadas.moc"
