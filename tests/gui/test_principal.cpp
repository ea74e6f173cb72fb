// The frame: start-up with its configuration, the menu, one window per class,
// the configuration window, the scaling of the windows and the splash.
#include <QCheckBox>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTextBrowser>
#include <cmath>

#include "AyudantesPoligonal.h"
#include "calculators/frmBessel.h"
#include "core/Preferencias.h"
#include "core/modFuncionesTopo.h"
#include "app/frmConfiguracion.h"
#include "app/frmSplash.h"
#include "shell/modResIndependentForm.h"

using namespace prueba;

namespace {

void EscribirK(double k)
{
    Configuracion c{k, 0};
    GuardarConfiguracion(c);
}

QString Info(QWidget* principal)
{
    return En<QLabel>(principal, "lblInfo")->text();
}

} // namespace

class PruebaPrincipal : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        temporal_ = std::make_unique<QTemporaryDir>();
        FijarCarpetaPrograma(temporal_->path().toStdString());
    }
    // The K each test sets (the frame's start-up reading, the configuration window) goes back after it,
    // whether it passed or not.
    void cleanup()
    {
        temporal_.reset();
        KRefraccion = K_POR_DEFECTO;
    }

    // A missing file is written back with Estado -1, one out of range with 0.
    void configuracionNoValidaVuelveAlDefecto_data()
    {
        QTest::addColumn<double>("k");
        QTest::addColumn<QByteArray>("escrito");
        QTest::newRow("sin fichero") << -1.0 << QByteArray::fromHex("7B14AE47E17AB43FFFFFFFFF");
        QTest::newRow("cero") << 0.0 << QByteArray::fromHex("7B14AE47E17AB43F00000000");
        QTest::newRow("mayor") << 0.51 << QByteArray::fromHex("7B14AE47E17AB43F00000000");
        QTest::newRow("nan") << std::nan("") << QByteArray::fromHex("7B14AE47E17AB43F00000000");
    }
    void configuracionNoValidaVuelveAlDefecto()
    {
        QFETCH(double, k);
        if (k != -1.0)
            EscribirK(k);
        auto m = Responder();
        MDIfrmMain w;
        QCOMPARE(m->titulo + "|" + m->texto, QString("cartavector|No se pudo leer la configuración o los valores no "
                                                     "son válidos. Se tomarán los valores por defecto."));
        QCOMPARE(m->icono, QMessageBox::Critical);
        QTEST(ficheros::Leer(QString::fromStdString(RutaConfiguracion())), "escrito");
        QVERIFY(Info(&w) == "K=0.08" && KRefraccion == 0.08);
    }

    void unaVentanaPorClase()
    {
        EscribirK(0.5);
        MDIfrmMain w;
        QCOMPARE(w.windowTitle() + "|" + Info(&w), QString("Cartavector 3.0.2|Sin corrección de esfericidad-refracción"));
        QVERIFY(KRefraccion == 0.5 && MenuPoligonal(&w) == SIN_HOJA);
        w.show();
        Elegir(&w, "mnuCalculadoraBessel");
        auto* primera = w.Buscar<frmBessel>();
        QVERIFY(primera && primera->isWindow());
        En(primera, "txtObservacion_0")->setText("123");
        Elegir(&w, "mnuCalculadoraBessel");
        QCOMPARE(w.Buscar<frmBessel>(), primera);
        QCOMPARE(En(primera, "txtObservacion_0")->text(), QString("123")); // brought back as it was
        primera->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Elegir(&w, "mnuCalculadoraBessel");
        QCOMPARE(En(w.Buscar<frmBessel>(), "txtObservacion_0")->text(), QString()); // made anew
    }

    void ayudaDentroDelMarco()
    {
        EscribirK(0.08);
        QDir(temporal_->path()).mkpath("ayuda");
        QVERIFY(ficheros::Escribir(temporal_->path() + "/ayuda/index.html", "<html><body><h1>Indice</h1></body></html>"));
        MDIfrmMain w;
        w.show();
        Elegir(&w, "mnuAyudaAyuda");
        const QList<QMdiSubWindow*> hijas = En<QMdiArea>(&w, "mdiArea")->subWindowList();
        QCOMPARE(hijas.size(), 1);
        QCOMPARE(hijas[0]->widget()->windowTitle(), QString("Ayuda"));
        QVERIFY(En<QTextBrowser>(hijas[0]->widget(), "WebBrowser1")->toPlainText().contains("Indice"));
        // Scaled from its 640 x 440 design to the 800 x 800 screen, whole inside its frame.
        QCOMPARE(hijas[0]->widget()->size(), QSize(640, 587));
        QVERIFY(hijas[0]->width() >= 640 && hijas[0]->height() > 587);
    }

    void configuracionPorTecladoSeConserva()
    {
        EscribirK(0.08);
        MDIfrmMain w;
        w.show();
        EnModal<frmConfiguracion>([](frmConfiguracion* c) {
            QLineEdit* k = En(c, "txtK");
            QCOMPARE(c->windowTitle() + "|" + k->text(), QString("Configuración|0.08"));
            Teclear(k, "0,-a15");
            QCOMPARE(k->text(), QString("0.08015"));
            k->setText("0.15");
            QTest::keyClick(k, Qt::Key_Return);
            QVERIFY(ConFoco(En<QPushButton>(c, "cmdAceptar")) && c->isVisible()); // Enter did not press it
            Pulsar(En<QPushButton>(c, "cmdAceptar"), "Configuración guardada.", QMessageBox::Information);
        });
        Elegir(&w, "mnuArchivoConfiguracion");
        QVERIFY(KRefraccion == 0.15 && Info(&w) == "K=0.15");
        MDIfrmMain otra; // the next start reads it back
        QCOMPARE(Info(&otra), QString("K=0.15"));
    }

    void configuracionRechazaYConserva()
    {
        EscribirK(0.5);
        KRefraccion = 0.5;
        frmConfiguracion c;
        c.show();
        auto* anular = En<QCheckBox>(&c, "chkAnularKER");
        QLineEdit* k = En(&c, "txtK");
        QString visto = k->text();
        for (auto* control : {static_cast<QAbstractButton*>(anular), static_cast<QAbstractButton*>(anular),
                              static_cast<QAbstractButton*>(En<QPushButton>(&c, "cmdXDefecto"))}) {
            control->click();
            visto += " " + k->text() + (anular->isChecked() ? "x" : "");
        }
        QCOMPARE(visto, QString("0.50 0.08 0.50x 0.08"));
        for (const char* malo : {"", "0.6", "0", "."}) {
            k->setText(malo);
            Pulsar(En<QPushButton>(&c, "cmdAceptar"), "Los datos no son válidos o están en blanco.", QMessageBox::Warning);
        }
        QVERIFY(c.isVisible() && KRefraccion == 0.5);
        // The coordinate system: digits only, a code PROJ does not know changes
        // nothing, a known one is kept beside config.cvr, whose 12 bytes stay.
        k->setText("0,25");
        QLineEdit* epsg = En(&c, "txtEpsg");
        QCOMPARE(epsg->text(), QString("25830"));
        epsg->clear();
        Teclear(epsg, "9x9999");
        Pulsar(En<QPushButton>(&c, "cmdAceptar"),
               "El código EPSG 99999 no corresponde a ningún sistema de coordenadas proyectadas conocido.",
               QMessageBox::Warning);
        QVERIFY(c.isVisible() && KRefraccion == 0.5);
        epsg->setText("32630");
        Pulsar(En<QPushButton>(&c, "cmdAceptar"), "Configuración guardada.", QMessageBox::Information);
        QVERIFY(KRefraccion == 0.25 && LeerEpsg() == 32630 &&
                ficheros::Leer(QString::fromStdString(RutaConfiguracion())).size() == 12);
    }

    void escaladoYFondo()
    {
        const auto f = cv::CalcularFactores(1280, 1024);
        QVERIFY(f.fx == 1.6f && std::fabs(f.fy - 1.70667f) < 1e-4);
        QCOMPARE(cv::ColorFondo(0).name() + cv::ColorFondo(512).name() + cv::ColorFondo(1024).name(),
                 QString("#000000#003380#0066ff"));
        QWidget ventana;
        ventana.setGeometry(10, 20, 300, 200);
        auto* campo = new QLineEdit(&ventana);
        campo->setGeometry(100, 50, 200, 30);
        campo->setFont(QFont(campo->font().family(), 8));
        cv::RedimensionarVentana(1.28f, 1.28f, &ventana);
        QVERIFY(campo->geometry() == QRect(128, 64, 256, 38) && ventana.size() == QSize(384, 256));
        QVERIFY(std::fabs(campo->font().pointSizeF() - 10.24) < 0.01);
    }

    void splashAbreLaVentanaPrincipal()
    {
        EscribirK(0.08);
        (new frmSplash)->show();
        auto visible = [](const char* nombre) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == nombre && w->isVisible())
                    return w;
            return static_cast<QWidget*>(nullptr);
        };
        QVERIFY(visible("frmSplash") && !visible("MDIfrmMain"));
        QTRY_VERIFY_WITH_TIMEOUT(visible("MDIfrmMain") && !visible("frmSplash"), 3000);
        visible("MDIfrmMain")->close();
    }

private:
    std::unique_ptr<QTemporaryDir> temporal_;
};

QTEST_MAIN(PruebaPrincipal)
#include "test_principal.moc"
