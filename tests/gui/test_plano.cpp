// The plan and the profile: the open windows' points at their survey coordinates, north up, live as they
// change; the layers; picking a point; the SVG and PDF exports.
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include "AyudantesPoligonal.h"
#include "catenary/frmCatenaria.h"
#include "drawings/frmPerfil.h"
#include "points/frmEditarBases.h"
#include "points/frmTaquimetrico.h"
#include "drawings/frmPlano.h"

using namespace prueba;

namespace {

const QStringList PUNTOS = {"101 1010.000 1020.000 101.500", "102 990.250 1150.750 99.000",
                            "103 1200.000 900.000 98.250"};

// The layers of the scene that hold a point named `nombre` at (x, y).
int CapasEn(QGraphicsScene* escena, double x, double y, const QString& nombre)
{
    int n = 0;
    for (QGraphicsItem* i : escena->items(QPointF(x, y)))
        if (auto* capa = dynamic_cast<CapaPuntos*>(i))
            for (const objPto& p : capa->Puntos())
                n += p.X == x && p.Y == y && QString::fromStdString(p.N) == nombre;
    return n;
}

// The elements so named in an SVG file; -1 if it does not parse.
int Elementos(const QByteArray& svg, const QString& nombre)
{
    QXmlStreamReader xml(svg);
    int n = 0;
    while (!xml.atEnd())
        n += xml.readNext() == QXmlStreamReader::StartElement && xml.name() == nombre;
    return xml.hasError() ? -1 : n;
}

} // namespace

class PruebaPlano : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        carpeta_ = std::make_unique<QTemporaryDir>();
        PrepararPoligonal(*carpeta_, 0.08, VERTICE_P2, VERTICE_P1);
        principal_ = std::make_unique<MDIfrmMain>();
        QVERIFY(Mostrar(principal_.get()));
        hoja_ = principal_->MostrarHija<frmPoligonal>();
        PegarEstacion(hoja_, 0, "E1");
        QTest::mouseClick(En<QPushButton>(hoja_, "cmdNuevaEstacion"), Qt::LeftButton);
        PegarEstacion(hoja_, 1, "E2");
        taquimetrico_ = principal_->MostrarHija<frmTaquimetrico>();
        Lista(taquimetrico_, "lstPuntos")->addItems(PUNTOS);
        Lista(principal_->MostrarSeparada<frmEditarBases>(), "lstBases")
            ->addItems({"B-9", "", "950.000", "1050.000", "97.000", ""});
        plano_ = principal_->MostrarHija<frmPlano>();
        escena_ = plano_->Escena();
        QTRY_COMPARE(CapasEn(escena_, 950.0, 1050.0, "B-9"), 1);
    }
    void cleanup()
    {
        principal_.reset();
        carpeta_.reset();
    }

    // Bases, traverse stations and points, each at its survey coordinates, north up.
    void cadaPuntoEnSusCoordenadas()
    {
        for (const QString& fila : PUNTOS) {
            const QStringList w = fila.split(' ');
            QCOMPARE(CapasEn(escena_, w[1].toDouble(), w[2].toDouble(), w[0]), 1);
        }
        const colEstaciones c = Calculada(2);
        for (auto [p, n] : {std::pair{VERTICE_P1, "P-1"}, {VERTICE_P2, "P-2"}, {c[0].objBV, "E1"}, {c[1].objBV, "E2"}})
            QVERIFY2(CapasEn(escena_, p.X, p.Y, n) == 1, n);
        QCOMPARE(CapasEn(escena_, 1010.0, 1020.0, "102"), 0);
        auto* vista = En<QGraphicsView>(plano_, "vistaPlano");
        // Opened inside the frame's area, two thirds of it at least, and fitted: everything in sight.
        auto* marco = qobject_cast<QMdiSubWindow*>(plano_->parentWidget());
        const QRect area = marco->mdiArea()->viewport()->rect();
        QVERIFY(area.contains(marco->geometry()));
        QVERIFY(marco->width() >= area.width() * 2 / 3 && marco->height() >= area.height() * 2 / 3);
        for (const QPointF& p : {QPointF(1200, 900), QPointF(950, 1050), QPointF(990.25, 1150.75)})
            QVERIFY(vista->viewport()->rect().contains(vista->mapFromScene(p)));
        QVERIFY(vista->mapFromScene(QPointF(1000, 1100)).y() < vista->mapFromScene(QPointF(1000, 1000)).y());
        QVERIFY(vista->mapFromScene(QPointF(1100, 1000)).x() > vista->mapFromScene(QPointF(1000, 1000)).x());
    }

    // A reading typed into a station moves its leg; a closed window takes its points away.
    void sigueLosCambios()
    {
        Obs(hoja_, 7)->setFocus();
        QTest::keyClicks(Obs(hoja_, 7), "5");
        const objPto nuevo = hoja_->colPoligonal[1].objBV;
        QVERIFY(nuevo.X != Calculada(2)[1].objBV.X);
        QTRY_COMPARE(CapasEn(escena_, nuevo.X, nuevo.Y, "E2"), 1);
        Lista(taquimetrico_, "lstPuntos")->Quitar(0, 1);
        QTRY_COMPARE(CapasEn(escena_, 1010.0, 1020.0, "101"), 0);
        taquimetrico_->parentWidget()->close();
        QTRY_COMPARE(CapasEn(escena_, 990.25, 1150.75, "102"), 0);
        QCOMPARE(CapasEn(escena_, 950.0, 1050.0, "B-9"), 1);
        // An accepted closure marks the arrival vertices, and they stay when the list is rebuilt.
        hoja_->AnotarCierre(FilasCierre({"LL-1", "1100.000", "1250.000", "101.000"},
                                        {"LL-2", "1150.000", "1300.000", "102.000"},
                                        {"0.0010", "0.010", "-0.020", "0.005", "0.022"}),
                            {"LL-1", 1100.0, 1250.0, 101.0}, {"LL-2", 1150.0, 1300.0, 102.0});
        QTRY_COMPARE(CapasEn(escena_, 1100.0, 1250.0, "LL-1"), 1);
        QCOMPARE(CapasEn(escena_, 1150.0, 1300.0, "LL-2"), 1);
        hoja_->ActualizarListaBases();
        QTest::qWait(20);
        QCOMPARE(CapasEn(escena_, 1100.0, 1250.0, "LL-1"), 1);
    }

    void capasSeOcultanYVuelven()
    {
        for (auto [casilla, x, y, nombre] : {std::tuple{"chkBases", 950.0, 1050.0, "B-9"},
                                             {"chkPuntos", 1200.0, 900.0, "103"},
                                             {"chkPoligonal", 1000.0, 1100.0, "P-1"}}) {
            auto* chk = En<QCheckBox>(plano_, casilla);
            chk->click();
            QVERIFY2(CapasEn(escena_, x, y, nombre) == 0, casilla);
            chk->click();
            QVERIFY2(CapasEn(escena_, x, y, nombre) == 1, casilla);
        }
    }

    // A click picks the nearest point; the cursor's coordinates follow the mouse.
    void clicSeleccionaElMasCercano()
    {
        auto* vista = En<QGraphicsView>(plano_, "vistaPlano");
        const QPoint junto = vista->mapFromScene(QPointF(1200.0, 900.0)) + QPoint(2, 1);
        QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, junto);
        QCOMPARE(En<QLabel>(plano_, "lblSeleccion")->text(),
                 QString("103   X = 1200.000   Y = 900.000   Z = 98.250"));
        const QPointF sobre = vista->mapFromScene(QPointF(1000.0, 1000.0));
        QMouseEvent mover(QEvent::MouseMove, sobre, vista->viewport()->mapToGlobal(sobre), Qt::NoButton, {}, {});
        QApplication::sendEvent(vista->viewport(), &mover);
        const QStringList xy = En<QLabel>(plano_, "lblCursor")->text().split("   ");
        QCOMPARE(xy.size(), 2);
        const double mpp = 1.0 / vista->transform().m11();
        QVERIFY2(std::abs(xy[0].mid(4).toDouble() - 1000.0) <= mpp && std::abs(xy[1].mid(4).toDouble() - 1000.0) <= mpp,
                 qPrintable(xy.join('|')));
    }

    // The SVG parses and holds one dot per point; the PDF has the chosen sheet. Each is confirmed as saved.
    void exportaciones()
    {
        const QString svg = carpeta_->filePath("plano.svg"), pdf = carpeta_->filePath("plano.pdf");
        auto d = ResponderFichero(svg);
        auto guardado = Responder();
        QTest::mouseClick(En<QPushButton>(plano_, "cmdExportarSvg"), Qt::LeftButton);
        QTRY_VERIFY(d->visto);
        QCOMPARE(guardado->texto + "|" + QString::number(guardado->icono), "Fichero guardado.|1");
        QCOMPARE(Elementos(ficheros::Leer(svg), "circle"), PUNTOS.size());

        En<QComboBox>(plano_, "cboHoja")->setCurrentText("A3");
        En<QComboBox>(plano_, "cboEscala")->setCurrentText("1:500");
        // Too large for the sheet at 1:500: the user is told where it fits, and chooses.
        auto aviso = std::make_shared<Mensaje>();
        guardado.reset();
        AlAparecer<QMessageBox>([aviso, &guardado](QMessageBox* caja) {
            aviso->texto = caja->text();
            guardado = Responder(); // the box that follows the export
            caja->done(QMessageBox::Yes);
        });
        d = ResponderFichero(pdf);
        QTest::mouseClick(En<QPushButton>(plano_, "cmdExportarPdf"), Qt::LeftButton);
        QTRY_VERIFY(d->visto);
        QVERIFY(guardado && guardado->visto);
        QCOMPARE(aviso->texto, QString("El trabajo no cabe entero en una hoja A3 a escala 1:500: quedaría cortado. "
                                       "Cabe entero a escala 1:2000.\n¿Desea exportarlo igualmente?"));
        const QByteArray bytes = ficheros::Leer(pdf);
        QVERIFY(bytes.startsWith("%PDF"));
        // A3 laid landscape: 420 x 297 mm (in whole points).
        const QRegularExpression mediaBox(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])");
        const auto caja = mediaBox.match(QString::fromLatin1(bytes));
        QVERIFY(caja.hasMatch());
        QCOMPARE(qRound(caja.captured(1).toDouble() * 25.4 / 72), 420);
        QCOMPARE(qRound(caja.captured(2).toDouble() * 25.4 / 72), 297);
    }

    // The profile of the catenary window: parameter, largest clearance, exaggeration, SVG.
    void perfilDeLaCatenaria()
    {
        auto* catenaria = principal_->MostrarHija<frmCatenaria>();
        auto* perfil = principal_->MostrarHija<frmPerfil>();
        Lista(catenaria, "lstProyeccion")
            ->addItems({"0.000,10.000", "25.000,9.100", "50.000,8.750", "100.000,10.000", "[Parámetro]", "1000.00"});
        QTRY_COMPARE(En<QLabel>(perfil, "lblParametro")->text(), QString("Parámetro: 1000.00 m"));
        QCOMPARE(En<QLabel>(perfil, "lblHolgura")->text(),
                 QString("Flecha máxima bajo la cuerda: 1.250 m a 50.000 m del punto 1"));
        auto* capa = dynamic_cast<CapaPerfil*>(perfil->Escena()->items().value(0));
        QVERIFY(capa);
        QCOMPARE(capa->Limites().ymin, 8.75);
        En<QComboBox>(perfil, "cboExageracion")->setCurrentText("10×");
        QCOMPARE(capa->Limites().ymin, 87.5);

        const QString svg = carpeta_->filePath("perfil.svg");
        auto d = ResponderFichero(svg);
        auto guardado = Responder();
        QTest::mouseClick(En<QPushButton>(perfil, "cmdExportarSvg"), Qt::LeftButton);
        QTRY_VERIFY(d->visto && guardado->visto);
        QCOMPARE(Elementos(ficheros::Leer(svg), "circle"), 2); // the two points between the anchors
    }

private:
    std::unique_ptr<QTemporaryDir> carpeta_;
    std::unique_ptr<MDIfrmMain> principal_;
    frmPoligonal* hoja_ = nullptr;
    QWidget* taquimetrico_ = nullptr;
    frmPlano* plano_ = nullptr;
    QGraphicsScene* escena_ = nullptr;
};

QTEST_MAIN(PruebaPlano)
#include "test_plano.moc"
