// The terrain window: opened from the menu, a point file and typed break lines
// give the library's surface, contours and volumes; the exports write the
// library's texts; the plan shows the surface's layers.
#include <QCheckBox>
#include <QGraphicsView>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <random>

#include "Ayudantes.h"
#include "app/MDIfrmMain.h"
#include "core/Configuracion.h"
#include "core/TextoNumerico.h"
#include "drawings/frmPlano.h"
#include "shell/Comun.h"
#include "shell/TrabajoQt.h"
#include "terrain/frmTerreno.h"

using namespace prueba;
using namespace prueba::ficheros;

namespace {

// A rhombus whose Delaunay diagonal is 2-4; the break line 1,3 turns it.
const QByteArray PUNTOS = "1 0.000 0.000 0.000\r\n2 10.000 -2.000 2.000\r\n3 20.000 0.000 0.000\r\n"
                          "4 10.000 2.000 5.000\r\n";
const std::vector<objPto> VERTICES = {{"1", 0, 0, 0}, {"2", 10, -2, 2}, {"3", 20, 0, 0}, {"4", 10, 2, 5}};

} // namespace

class PruebaTerreno : public QObject {
    Q_OBJECT
    std::unique_ptr<MDIfrmMain> principal;
    QTemporaryDir carpeta;
    frmTerreno* w = nullptr;
    QString Ruta(const char* nombre) const { return carpeta.filePath(QString::fromLatin1(nombre)); }

private slots:
    void init()
    {
        FijarCarpetaPrograma(carpeta.path().toStdString());
        Configuracion c{0.5, 0};
        GuardarConfiguracion(c);
        principal = std::make_unique<MDIfrmMain>();
        QVERIFY(Mostrar(principal.get()));
        Menu(principal.get(), "mnuCalculosTerreno");
        w = principal->findChild<frmTerreno*>(QStringLiteral("frmTerreno"));
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("Modelo digital del terreno"));
        QCOMPARE(Textos(w, {"txtEquidistancia", "txtMaestras"}), QString("1|5"));
        QVERIFY(Escribir(Ruta("rombo.asc"), PUNTOS));
        ResponderFichero(Ruta("rombo.asc"));
        QTest::mouseClick(Boton(w, "cmdAbrirPuntos"), Qt::LeftButton);
        QTRY_COMPARE(Textos(w, {"lblTriangulos", "lblCotaMinima", "lblCotaMaxima"}), QString("2|0.000|5.000"));
    }
    void cleanup() { principal.reset(); }

    // The break line typed turns the diagonal: the volumes against a plane are the library's for it. A plane
    // below the datum is typed with its sign in front (a sign anywhere else is not taken).
    void lineasDeRoturaYVolumenes()
    {
        const std::tuple<const char*, const char*, double> casos[] = {{"", "1", 1.0}, {"1,3", "-1-", -1.0}};
        for (const auto& [lineas, tecleado, cota] : casos) {
            auto* texto = Control<QPlainTextEdit>(w, "txtLineasRotura");
            texto->clear();
            Teclear(texto, lineas);
            Campo(w, "txtCotaReferencia")->clear();
            Teclear(Campo(w, "txtCotaReferencia"), tecleado);
            QCOMPARE(Campo(w, "txtCotaReferencia")->text(), QString::number(cota));
            const Triangulacion t = Triangular(VERTICES, LeerLineasRotura(lineas, VERTICES).lineas);
            const Volumenes v = VolumenRespectoPlano(t.superficie, cota);
            QTRY_COMPARE(Textos(w, {"lblDesmonte", "lblTerraplen", "lblSuperficieAfectada"}),
                         cv::Q(F3(v.desmonte) + "|" + F3(v.terraplen) + "|" + F3(v.superficieAfectada)));
        }
        // A name that is not a point is named under the figures.
        QTest::keyClick(Control<QPlainTextEdit>(w, "txtLineasRotura"), Qt::Key_Return);
        Teclear(Control<QPlainTextEdit>(w, "txtLineasRotura"), "1,9");
        QTRY_VERIFY(Textos(w, {"lblAviso"}).contains("9"));
    }

    // The DXF and the LandXML hold the library's texts for the surface and its contours.
    void exportaciones()
    {
        const Triangulacion t = Triangular(VERTICES);
        const std::vector<Curva> curvas = CurvasDeNivel(t.superficie, 1.0, 5).curvas;
        for (const char* boton : {"cmdExportarDxf", "cmdExportarLandXml"}) {
            const QString ruta = Ruta(boton);
            ResponderFichero(ruta);
            auto aviso = Responder();
            QTest::mouseClick(Boton(w, boton), Qt::LeftButton);
            QTRY_VERIFY(aviso->visto);
            if (QString(boton) == "cmdExportarDxf") {
                QCOMPARE(Leer(ruta + ".dxf"), QByteArray::fromStdString(EscribirDxfTerreno(t.superficie, curvas)));
            } else {
                const LecturaLandXml x = LeerLandXml(Leer(ruta + ".xml").toStdString());
                QVERIFY(x.error.empty());
                QCOMPARE(x.superficie.triangulos.size(), t.superficie.triangulos.size());
                QCOMPARE(x.superficie.puntos.size(), size_t(4));
            }
        }
    }

    // A large survey is worked out aside: the progress box comes up while the window answers, and
    // Cancel stops the work.
    void cancelarUnCalculoLargo()
    {
        std::mt19937 azar(3);
        std::uniform_real_distribution<double> u(0.0, 1000.0);
        QStringList filas;
        for (int i = 1; i <= 400000; ++i)
            filas << QStringLiteral("%1 %2 %3 %4").arg(i).arg(u(azar), 0, 'f', 3).arg(u(azar), 0, 'f', 3).arg(u(azar) / 10);
        Lista(w, "lstPuntos")->addItems(filas);
        QProgressDialog* progreso = nullptr;
        QTRY_VERIFY((progreso = w->findChild<QProgressDialog*>()) && progreso->isVisible());
        QTest::mouseClick(progreso->findChild<QPushButton*>(), Qt::LeftButton);
        QTRY_COMPARE(Textos(w, {"lblAviso", "lblTriangulos"}), QString("Cálculo cancelado.|"));
        QVERIFY(!progreso->isVisible() && !cv::ElTrabajo().Datos().Terreno());
    }

    // The plan draws the surface: its edges and contours, each layer on its box.
    void capasDelPlano()
    {
        Menu(principal.get(), "mnuVerPlano");
        auto* plano = principal->findChild<frmPlano*>();
        QVERIFY(plano);
        CapaTerreno* capa = nullptr;
        for (QGraphicsItem* i : plano->Escena()->items())
            capa = capa ? capa : dynamic_cast<CapaTerreno*>(i);
        QVERIFY(capa);
        const Triangulacion t = Triangular(VERTICES);
        QTRY_COMPARE(capa->NumeroAristas(), Aristas(t.superficie).size());
        QCOMPARE(capa->NumeroCurvas(), CurvasDeNivel(t.superficie, 1.0, 5).curvas.size());
        auto* triangulos = Control<QCheckBox>(plano, "chkTriangulos");
        auto* curvas = Control<QCheckBox>(plano, "chkCurvas");
        QCOMPARE(QString("%1 %2").arg(triangulos->text(), curvas->text()), QString("Triángulos Curvas"));
        triangulos->click();
        curvas->click();
        QVERIFY(capa->Triangulos() && !capa->Curvas() && capa->isVisible());
        triangulos->click();
        QVERIFY(!capa->isVisible());
        // The window closed, the surface leaves the plan.
        w->parentWidget()->close();
        QTRY_COMPARE(capa->NumeroAristas(), size_t(0));
    }
};

QTEST_MAIN(PruebaTerreno)
#include "test_terreno.moc"
