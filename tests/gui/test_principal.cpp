#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <memory>

#include "Ayudantes.h"
#include "calculators/frmBessel.h"
#include "core/Configuracion.h"
#include "core/modFuncionesTopo.h"
#include "shell/MDIfrmMain.h"
#include "shell/frmConfiguracion.h"
#include "shell/frmSplash.h"
#include "shell/modResIndependentForm.h"

using namespace prueba;

namespace {

const QString MSG_FALLBACK = QStringLiteral("No se pudo leer la configuración o los valores no son válidos. "
                                            "Se tomarán los valores por defecto.");

QByteArray LeerBytes()
{
    return ficheros::Leer(QString::fromStdString(RutaConfiguracion()));
}

void EscribirK(double k)
{
    Configuracion c{k, 0};
    GuardarConfiguracion(c);
}

} // namespace

class PruebaPrincipal : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        temporal_ = std::make_unique<QTemporaryDir>();
        carpeta_ = temporal_->path();
        FijarCarpetaPrograma(carpeta_.toStdString());
    }
    void cleanup() { temporal_.reset(); }

    void primerArranqueSinConfiguracion()
    {
        auto m = Responder();
        MDIfrmMain w;
        QVERIFY(m->visto);
        QCOMPARE(m->titulo, QString("cartavector"));
        QCOMPARE(m->texto, MSG_FALLBACK);
        QCOMPARE(m->icono, QMessageBox::Critical);
        QCOMPARE(LeerBytes(), QByteArray::fromHex("7B14AE47E17AB43FFFFFFFFF"));
        QCOMPARE(w.lblInfo->text(), QString("K=0.08"));
        QCOMPARE(KRefraccion, 0.08);
        QCOMPARE(w.windowTitle(), QString("Cartavector 3.0.2"));
    }

    void menuAlArrancar()
    {
        EscribirK(0.5);
        MDIfrmMain w;
        QCOMPARE(w.lblInfo->text(), QString("Sin corrección de esfericidad-refracción"));
        QCOMPARE(KRefraccion, 0.5);
        const char* grises[] = {"mnuPoligonalGuardar", "mnuPoligonalExportar", "mnuPoligonalImprimir",
                                "mnuPoligonalVerticesdeSalida", "mnuPoligonalCerrar"};
        for (const char* n : grises)
            QVERIFY2(!w.findChild<QAction*>(n)->isEnabled(), n);
        QVERIFY(w.findChild<QAction*>("mnuPoligonalNueva")->isEnabled());
        QCOMPARE(w.findChild<QAction*>("mnuArchivoConfiguracion")->text(), QString("Configuación"));
        QCOMPARE(w.findChild<QAction*>("mnuAlturaRemota")->text(), QString("Topo calculadora"));
        QCOMPARE(w.findChild<QAction*>("mnuAyudaAyuda")->text(), QString("Ayuda ..."));
    }

    void kFueraDeRangoVuelveAlDefecto_data()
    {
        QTest::addColumn<double>("k");
        QTest::newRow("cero") << 0.0;
        QTest::newRow("negativa") << -0.2;
        QTest::newRow("mayor") << 0.51;
        QTest::newRow("nan") << std::nan("");
    }
    void kFueraDeRangoVuelveAlDefecto()
    {
        QFETCH(double, k);
        EscribirK(k);
        auto m = Responder();
        MDIfrmMain w;
        QVERIFY(m->visto);
        QCOMPARE(m->texto, MSG_FALLBACK);
        QCOMPARE(w.lblInfo->text(), QString("K=0.08"));
        // Read but out of range: the default is written with Estado 0.
        QCOMPARE(LeerBytes(), QByteArray::fromHex("7B14AE47E17AB43F00000000"));
    }

    void unaVentanaPorClase()
    {
        EscribirK(0.08);
        MDIfrmMain w;
        w.show();
        w.findChild<QAction*>("mnuCalculadoraBessel")->trigger();
        auto* primera = w.Buscar<frmBessel>();
        QVERIFY(primera);
        primera->findChild<QLineEdit*>("txtObservacion_0")->setText("123");
        w.findChild<QAction*>("mnuCalculadoraBessel")->trigger();
        QCOMPARE(w.Buscar<frmBessel>(), primera);
        QCOMPARE(primera->findChild<QLineEdit*>("txtObservacion_0")->text(), QString("123"));
        QVERIFY(primera->isWindow());
        primera->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.Buscar<frmBessel>());
        w.findChild<QAction*>("mnuCalculadoraBessel")->trigger();
        QCOMPARE(w.Buscar<frmBessel>()->findChild<QLineEdit*>("txtObservacion_0")->text(), QString());
    }

    void ayudaDentroDelMarco()
    {
        EscribirK(0.08);
        QDir(carpeta_).mkpath("ayuda");
        QVERIFY(ficheros::Escribir(carpeta_ + "/ayuda/index.html",
                                   "<html><body><h1>Indice de prueba</h1></body></html>"));
        MDIfrmMain w;
        w.show();
        w.findChild<QAction*>("mnuAyudaAyuda")->trigger();
        QCOMPARE(w.mdiArea->subWindowList().size(), 1);
        auto* visor = w.mdiArea->subWindowList().first()->findChild<QTextBrowser*>("WebBrowser1");
        QVERIFY(visor);
        QVERIFY(visor->toPlainText().contains("Indice de prueba"));
        QMdiSubWindow* marco = w.mdiArea->subWindowList().first();
        QCOMPARE(marco->widget()->windowTitle(), QString("Ayuda"));
        // Scaled from its 640 x 440 design to the 800 x 800 screen, whole inside its frame.
        QCOMPARE(marco->widget()->size(), QSize(640, 587));
        QVERIFY(marco->width() >= 640 && marco->height() > 587);
    }

    void configuracionPorTeclado()
    {
        EscribirK(0.08);
        MDIfrmMain w;
        w.show();
        AlAparecer<frmConfiguracion>([](frmConfiguracion* c) {
            QCOMPARE(c->windowTitle(), QString("Configuración"));
            QCOMPARE(c->txtK->text(), QString("0.08"));
            QVERIFY(!c->chkAnularKER->isChecked());
            c->txtK->clear();
            Teclear(c->txtK, "0,-a15");
            QCOMPARE(c->txtK->text(), QString("015"));
            c->txtK->setText("0.15");
            QTest::keyClick(c->txtK, Qt::Key_Return);
            QVERIFY(ConFoco(c->cmdAceptar));
            QVERIFY(c->isVisible()); // Enter did not press the button
            auto m = Responder();
            c->cmdAceptar->click();
            QCOMPARE(m->texto, QString("Configuración guardada."));
            QCOMPARE(m->icono, QMessageBox::Information);
        });
        w.findChild<QAction*>("mnuArchivoConfiguracion")->trigger();
        QCOMPARE(KRefraccion, 0.15);
        QCOMPARE(w.lblInfo->text(), QString("K=0.15"));
        QCOMPARE(LeerBytes().size(), 12);
    }

    void configuracionRechazaYConserva()
    {
        EscribirK(0.5);
        KRefraccion = 0.5;
        frmConfiguracion c;
        c.show();
        QVERIFY(c.chkAnularKER->isChecked());
        QCOMPARE(c.txtK->text(), QString("0.50"));
        c.chkAnularKER->click();
        QCOMPARE(c.txtK->text(), QString("0.08"));
        c.chkAnularKER->click();
        QCOMPARE(c.txtK->text(), QString("0.50"));
        c.cmdXDefecto->click();
        QCOMPARE(c.txtK->text(), QString("0.08"));
        QVERIFY(!c.chkAnularKER->isChecked());
        for (const char* malo : {"", "0.6", "0", "."}) {
            c.txtK->setText(malo);
            auto m = Responder();
            c.cmdAceptar->click();
            QCOMPARE(m->texto, QString("Los datos no son válidos o están en blanco."));
            QCOMPARE(m->icono, QMessageBox::Warning);
            QVERIFY(c.isVisible());
        }
        QCOMPARE(KRefraccion, 0.5);
        c.txtK->setText("0,08");
        auto m = Responder();
        c.cmdAceptar->click();
        QCOMPARE(KRefraccion, 0.08);
    }

    void escaladoYFondo()
    {
        auto f = cv::CalcularFactores(1024, 768);
        QCOMPARE(f.fx, 1.28f);
        QCOMPARE(f.fy, 1.28f);
        f = cv::CalcularFactores(1280, 1024);
        QCOMPARE(f.fx, 1.6f);
        QVERIFY(qAbs(f.fy - 1.70667f) < 1e-4);
        QCOMPARE(cv::ColorFondo(512), QColor(0, 51, 128));
        QCOMPARE(cv::ColorFondo(0), QColor(0, 0, 0));
        QCOMPARE(cv::ColorFondo(1024), QColor(0, 102, 255));

        QWidget ventana;
        ventana.setGeometry(10, 20, 300, 200);
        auto* campo = new QLineEdit(&ventana);
        campo->setGeometry(1000 / 10, 50, 2000 / 10, 30);
        QFont fuente = campo->font();
        fuente.setPointSizeF(8);
        campo->setFont(fuente);
        cv::RedimensionarVentana(1.28f, 1.28f, &ventana);
        QCOMPARE(campo->geometry(), QRect(128, 64, 256, 38));
        QVERIFY(qAbs(campo->font().pointSizeF() - 10.24) < 0.01);
        QCOMPARE(ventana.geometry().size(), QSize(384, 256));
    }

    void splashAbreLaVentanaPrincipal()
    {
        EscribirK(0.08);
        auto* s = new frmSplash;
        s->show();
        QCOMPARE(s->Reloj->interval(), 1000);
        QTRY_VERIFY_WITH_TIMEOUT(MDIfrmMain::Instancia() != nullptr, 3000);
        QVERIFY(MDIfrmMain::Instancia()->isVisible());
        MDIfrmMain::Instancia()->close();
    }

private:
    std::unique_ptr<QTemporaryDir> temporal_;
    QString carpeta_;
};

QTEST_MAIN(PruebaPrincipal)
#include "test_principal.moc"
