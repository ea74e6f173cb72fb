#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QTemporaryDir>
#include <cmath>

#include "Ayudantes.h"
#include "core/Configuracion.h"
#include "core/modFuncionesTopo.h"
#include "points/frmRadiacion.h"
#include "shell/MDIfrmMain.h"

using namespace prueba;

namespace
{

const QString DATOS_NO_VALIDOS = QStringLiteral("Los datos no son válidos o están en blanco.");

void EscribirFichero(const QString& ruta, const QByteArray& datos)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(datos);
}

QColor ColorTexto(const QLabel* l)
{
    return l->palette().color(QPalette::WindowText);
}

} // namespace

class PruebaRadiacion : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        KRefraccion = 0.5;
    }
    void cleanup() { KRefraccion = K_POR_DEFECTO; }

    void aperturaYControles()
    {
        frmRadiacion w;
        QVERIFY(Mostrar(&w));
        QCOMPARE(w.objectName(), QString("frmRadiacion"));
        QCOMPARE(w.windowTitle(), QString("Radiación de bases"));
        QCOMPARE(Control<QLineEdit>(&w, "txtObservaciones_0")->text(), QString("0.0000"));
        const char* ayudas[6] = {"Hz de orientación",      "Hz visado",         "V visado", "Distancia inclinada",
                                 "Altura del instrumento", "Altura de la señal"};
        for (int i = 0; i < 7; ++i) {
            auto* t = Control<QLineEdit>(&w, QString("txtObservaciones_%1").arg(i));
            QVERIFY(t);
            if (i > 0)
                QCOMPARE(t->text(), QString());
            if (i < 6)
                QCOMPARE(t->toolTip(), QString::fromUtf8(ayudas[i]));
        }
        for (const char* n : {"lblBE", "lblBEX", "lblBEY", "lblBEZ", "lblBO", "lblBOX", "lblBOY", "lblBOZ",
                              "lblBRadiadaX", "lblBRadiadaY", "lblBRadiadaZ"})
            QCOMPARE(Control<QLabel>(&w, n)->text(), QString());
        QCOMPARE(Control<QListWidget>(&w, "lstBases")->toolTip(), QString("Listado de bases"));
        QCOMPARE(Control<QPushButton>(&w, "cmdAbrirBases")->toolTip(), QString("Abrir fichero de bases"));
        QCOMPARE(Control<QPushButton>(&w, "cmdGuardarFichero")->toolTip(), QString("Guardar fichero de bases"));
        QCOMPARE(Control<QPushButton>(&w, "cmdCortarBase")->toolTip(), QString("Cortar base seleccionada"));
        QCOMPARE(Control<QPushButton>(&w, "cmdBorrarBases")->toolTip(), QString("Borrar todas las bases"));
        QCOMPARE(Control<QPushButton>(&w, "cmdEntrarBE")->text(), QString("Entrar BE"));
        QCOMPARE(Control<QPushButton>(&w, "cmdEntrarBO")->text(), QString("Entrar BO"));
        QCOMPARE(Control<QPushButton>(&w, "cmdEntrarBV")->text(), QString("Entrar BV"));
        auto* tim = Control<QTimer>(&w, "timIntermitencia");
        QVERIFY(tim && tim->isActive());
        QCOMPARE(tim->interval(), 650);
    }

    // A surveyor's set-up: bases from a file, BE and BO picked, one point typed
    // and added, then taken as the station of the next set-up.
    void radiarDesdeUnaBaseAlNorte()
    {
        const QString ruta = dir_.filePath("bases.bse");
        EscribirFichero(ruta, "\"E1\",\"1000\",\"1000\",\"100\"\r\n\"R1\",\"1000\",\"2000\",\"100\"\r\n");
        frmRadiacion w;
        QVERIFY(Mostrar(&w));
        auto* lista = w.lstBases;
        auto d = ResponderFichero(ruta);
        QTest::mouseClick(w.cmdAbrirBases, Qt::LeftButton);
        QVERIFY(d->visto);
        QCOMPARE(d->titulo, QString("Abrir fichero de bases"));
        QCOMPARE(d->extension, QString("bse"));
        QCOMPARE(lista->count(), 12);
        QVERIFY(ConFoco(w.txtObservaciones[0]));

        Seleccionar(lista, 0);
        QTest::mouseClick(w.cmdEntrarBE, Qt::LeftButton);
        Seleccionar(lista, 6);
        QTest::mouseClick(w.cmdEntrarBO, Qt::LeftButton);
        QCOMPARE(w.lblBE->text(), QString("E1"));
        QCOMPARE(w.lblBEY->text(), QString("1000.000"));
        QCOMPARE(w.lblBO->text(), QString("R1"));
        QCOMPARE(w.lblBOY->text(), QString("2000.000"));
        QVERIFY(ConFoco(w.txtObservaciones[0]));

        // Field 0 already holds 0.0000: Enter, then the forward column.
        QTest::keyClick(w.txtObservaciones[0], Qt::Key_Return);
        const char* lecturas[5] = {"100", "100", "50", "1.5", "1.5"};
        for (int i = 1; i <= 5; ++i) {
            QVERIFY(ConFoco(w.txtObservaciones[i]));
            QCOMPARE(w.lblBRadiadaX->text(), QString());
            QTest::keyClicks(w.txtObservaciones[i], lecturas[i - 1]);
            QTest::keyClick(w.txtObservaciones[i], Qt::Key_Return);
        }
        // The point shows before it has a name.
        QCOMPARE(w.lblBRadiadaX->text(), QString("1050.000"));
        QCOMPARE(w.lblBRadiadaY->text(), QString("1000.000"));
        QCOMPARE(w.lblBRadiadaZ->text(), QString("100.000"));
        QVERIFY(ConFoco(w.txtObservaciones[6]));
        QTest::keyClicks(w.txtObservaciones[6], "p-1");
        QCOMPARE(w.txtObservaciones[6]->text(), QString("P-1"));
        QTest::keyClick(w.txtObservaciones[6], Qt::Key_Return);
        QVERIFY(ConFoco(w.cmdEntrarBV));
        QCOMPARE(lista->count(), 12); // Enter only moved the focus
        QTest::keyClick(w.cmdEntrarBV, Qt::Key_Return);

        QCOMPARE(lista->count(), 18);
        const QStringList grupo = {"P-1", "", "1050.000", "1000.000", "100.000", ""};
        for (int k = 0; k < 6; ++k)
            QCOMPARE(lista->item(12 + k)->text(), grupo[k]);
        QCOMPARE(w.txtObservaciones[0]->text(), QString("0.0000"));
        for (int i = 1; i < 7; ++i)
            QCOMPARE(w.txtObservaciones[i]->text(), QString());
        QCOMPARE(w.lblBRadiadaX->text(), QString());
        QVERIFY(ConFoco(w.txtObservaciones[0]));
        QCOMPARE(w.lblBE->text(), QString("E1"));
        QCOMPARE(w.lblBO->text(), QString("R1"));

        // The new point as station, oriented back on E1 (azimuth 300 from P-1).
        Seleccionar(lista, 12);
        QTest::mouseClick(w.cmdEntrarBE, Qt::LeftButton);
        Seleccionar(lista, 0);
        QTest::mouseClick(w.cmdEntrarBO, Qt::LeftButton);
        QCOMPARE(w.lblBEX->text(), QString("1050.000"));
        w.txtObservaciones[1]->setText("100");
        w.txtObservaciones[2]->setText("100");
        w.txtObservaciones[3]->setText("20");
        w.txtObservaciones[4]->setText("1.5");
        w.txtObservaciones[5]->setText("1.5");
        // Azimuth 300 + 100 = 0: due north of P-1.
        QCOMPARE(w.lblBRadiadaX->text(), QString("1050.000"));
        QCOMPARE(w.lblBRadiadaY->text(), QString("1020.000"));

        // Clearing the list leaves BE, BO and the result on screen.
        auto m = Responder(QMessageBox::Yes);
        QTest::mouseClick(w.cmdBorrarBases, Qt::LeftButton);
        QVERIFY(m->visto);
        QCOMPARE(lista->count(), 0);
        QCOMPARE(w.lblBE->text(), QString("P-1"));
        QCOMPARE(w.lblBO->text(), QString("E1"));
        QCOMPARE(w.lblBRadiadaY->text(), QString("1020.000"));
    }

    void radiacionContraFormulasYCorreccion()
    {
        KRefraccion = 0.08;
        frmRadiacion w;
        w.show();
        w.lblBEX->setText("502345.678");
        w.lblBEY->setText("4401234.567");
        w.lblBEZ->setText("612.345");
        w.lblBOX->setText("502512.110");
        w.lblBOY->setText("4401101.905");
        w.lblBOZ->setText("598.001");
        const char* obs[6] = {"37.1234", "251.8765", "97,5432", "123.456", "1.55", "1.80"};
        for (int i = 0; i < 6; ++i)
            w.txtObservaciones[i]->setText(obs[i]);
        const double g = M_PI / 200.0;
        const double az = std::atan2(502512.110 - 502345.678, 4401101.905 - 4401234.567) / g;
        const double th = (az + 251.8765 - 37.1234) * g;
        const double dr = 123.456 * std::sin(97.5432 * g);
        const double x = 502345.678 + dr * std::sin(th);
        const double y = 4401234.567 + dr * std::cos(th);
        const double z = 612.345 + 123.456 * std::cos(97.5432 * g) + 0.84 * dr * dr / (2 * 6371064.0) + 1.55 - 1.80;
        QCOMPARE(w.lblBRadiadaX->text(), QString::number(x, 'f', 3));
        QCOMPARE(w.lblBRadiadaY->text(), QString::number(y, 'f', 3));
        QCOMPARE(w.lblBRadiadaZ->text(), QString::number(z, 'f', 3));
        // Any field emptied or broken empties the result at once.
        w.txtObservaciones[3]->setText("1.2.3");
        QCOMPARE(w.lblBRadiadaX->text(), QString());
        QCOMPARE(w.lblBRadiadaZ->text(), QString());
        w.txtObservaciones[3]->setText("123.456");
        QVERIFY(!w.lblBRadiadaX->text().isEmpty());
        w.lblBOZ->clear(); // BO's height is required although unused
        w.CalcularRadiacion();
        QCOMPARE(w.lblBRadiadaY->text(), QString());
    }

    void teclasYFoco()
    {
        frmRadiacion w;
        QVERIFY(Mostrar(&w));
        auto* t = w.txtObservaciones;
        t[0]->clear();
        Teclear(t[0], "-1,2a.5");
        QCOMPARE(t[0]->text(), QString("12.5"));
        QTest::keyClick(t[0], Qt::Key_Up);
        QVERIFY(ConFoco(t[0]));
        QTest::keyClick(t[0], Qt::Key_Down);
        QVERIFY(ConFoco(t[1]));
        t[6]->setFocus();
        QTest::keyClick(t[6], Qt::Key_Down);
        QVERIFY(ConFoco(t[6]));
        QTest::keyClick(t[6], Qt::Key_Up);
        QVERIFY(ConFoco(t[5]));
        QTest::keyClick(t[5], Qt::Key_Up);
        QVERIFY(ConFoco(t[4]));
    }

    void mensajesDeEntrarBV()
    {
        frmRadiacion w;
        QVERIFY(Mostrar(&w));
        w.lstBases->addItems({"A", "", "0.000", "0.000", "0.000", ""});
        // No result at all.
        w.txtObservaciones[6]->setText("X");
        auto m = Responder();
        QTest::mouseClick(w.cmdEntrarBV, Qt::LeftButton);
        QVERIFY(m->visto);
        QCOMPARE(m->titulo, QString("cartavector"));
        QCOMPARE(m->texto, DATOS_NO_VALIDOS);
        QCOMPARE(m->icono, QMessageBox::Warning);
        QCOMPARE(m->botones, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(w.lstBases->count(), 6);
        // A result but no name.
        for (const char* n : {"lblBEX", "lblBEY", "lblBEZ", "lblBOZ"})
            Control<QLabel>(&w, n)->setText("0");
        w.lblBOX->setText("0");
        w.lblBOY->setText("10");
        for (int i = 1; i < 6; ++i)
            w.txtObservaciones[i]->setText("1");
        w.txtObservaciones[6]->clear();
        QVERIFY(!w.lblBRadiadaX->text().isEmpty());
        m = Responder();
        QTest::mouseClick(w.cmdEntrarBV, Qt::LeftButton);
        QCOMPARE(m->texto, DATOS_NO_VALIDOS);
        QCOMPARE(w.lstBases->count(), 6);
        QCOMPARE(w.txtObservaciones[1]->text(), QString("1"));
        // Two points of the same name may stand in the list.
        w.txtObservaciones[6]->setText("A");
        QTest::mouseClick(w.cmdEntrarBV, Qt::LeftButton);
        QCOMPARE(w.lstBases->count(), 12);
        QCOMPARE(w.lstBases->item(6)->text(), QString("A"));
    }

    void entrarBaseSinSeleccionVaciaElResultado()
    {
        frmRadiacion w;
        QVERIFY(Mostrar(&w));
        w.lstBases->addItems({"E", "", "0.000", "0.000", "10.000", "", "O", "", "0.000", "100.000", "10.000", ""});
        Seleccionar(w.lstBases, 0);
        QTest::mouseClick(w.cmdEntrarBE, Qt::LeftButton);
        Seleccionar(w.lstBases, 6);
        QTest::mouseClick(w.cmdEntrarBO, Qt::LeftButton);
        for (int i = 1; i < 6; ++i)
            w.txtObservaciones[i]->setText(i == 3 ? "10" : "100");
        QCOMPARE(w.lblBRadiadaX->text(), QString("10.000"));
        // An X row is not a name row.
        Seleccionar(w.lstBases, 2);
        QTest::mouseClick(w.cmdEntrarBE, Qt::LeftButton);
        QCOMPARE(w.lblBE->text(), QString());
        QCOMPARE(w.lblBEX->text(), QString());
        QCOMPARE(w.lblBRadiadaX->text(), QString());
        QCOMPARE(w.lblBO->text(), QString("O"));
    }

    void ficheroYBorradoDeBases()
    {
        frmRadiacion w;
        QVERIFY(Mostrar(&w));
        w.lstBases->addItems({"E", "", "1.000", "2.000", "3.000", "", "O", "", "4.000", "5.000", "-6.500", ""});
        Seleccionar(w.lstBases, 0);
        QTest::mouseClick(w.cmdEntrarBE, Qt::LeftButton);

        // Save: dialog and the completed message.
        const QString ruta = dir_.filePath("guardadas.bse");
        auto d = ResponderFichero(ruta);
        auto m = Responder();
        QTest::mouseClick(w.cmdGuardarFichero, Qt::LeftButton);
        QVERIFY(d->visto);
        QCOMPARE(d->titulo, QString("Exportar fichero de bases"));
        QCOMPARE(m->texto, QString("Fichero guardado."));
        QCOMPARE(m->icono, QMessageBox::Information);
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(),
                 QByteArray("\"E\",\"1.000\",\"2.000\",\"3.000\"\r\n\"O\",\"4.000\",\"5.000\",\"-6.500\"\r\n"));

        // Cut: only a name row removes a base.
        Seleccionar(w.lstBases, 3);
        QTest::mouseClick(w.cmdCortarBase, Qt::LeftButton);
        QCOMPARE(w.lstBases->count(), 12);
        Seleccionar(w.lstBases, 6);
        QTest::mouseClick(w.cmdCortarBase, Qt::LeftButton);
        QCOMPARE(w.lstBases->count(), 6);

        // Clear all: No keeps the list, Yes empties it; BE stays.
        m = Responder(QMessageBox::No);
        QTest::mouseClick(w.cmdBorrarBases, Qt::LeftButton);
        QCOMPARE(m->texto, QString("¿Confirma que desea borrar todas las bases?"));
        QCOMPARE(m->icono, QMessageBox::NoIcon);
        QCOMPARE(m->botones, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(w.lstBases->count(), 6);
        m = Responder(QMessageBox::Yes);
        QTest::mouseClick(w.cmdBorrarBases, Qt::LeftButton);
        QVERIFY(m->visto);
        QCOMPARE(w.lstBases->count(), 0);
        QCOMPARE(w.lblBE->text(), QString("E"));
        QCOMPARE(w.lblBEX->text(), QString("1.000"));
        QVERIFY(ConFoco(w.txtObservaciones[0]));

        // A cancelled open changes nothing.
        d = ResponderFichero(QString());
        QTest::mouseClick(w.cmdAbrirBases, Qt::LeftButton);
        QVERIFY(d->visto);
        QCOMPARE(w.lstBases->count(), 0);
    }

    void intermitencia()
    {
        frmRadiacion w;
        w.show();
        w.lblBRadiadaX->setText("1.000");
        const QColor antes = ColorTexto(w.lblBRadiadaX);
        QVERIFY(antes == QColor(0, 0, 255) || antes == QColor(255, 255, 255));
        QTRY_VERIFY_WITH_TIMEOUT(ColorTexto(w.lblBRadiadaX) != antes, 1500);
        const QColor despues = ColorTexto(w.lblBRadiadaX);
        QVERIFY(despues == QColor(0, 0, 255) || despues == QColor(255, 255, 255));
        QCOMPARE(ColorTexto(w.lblBRadiadaY), despues);
        QCOMPARE(ColorTexto(w.lblBRadiadaZ), despues);
        QTRY_VERIFY_WITH_TIMEOUT(ColorTexto(w.lblBRadiadaX) == antes, 1500);
        QCOMPARE(w.lblBRadiadaX->text(), QString("1.000"));
    }

    void desdeElMenuEsVentanaSeparada()
    {
        FijarCarpetaPrograma(dir_.path().toStdString());
        Configuracion c{0.08, 0};
        GuardarConfiguracion(c);
        MDIfrmMain principal;
        principal.show();
        principal.findChild<QAction*>("mnuRadiacionRadiarBases")->trigger();
        auto* w = principal.Buscar<frmRadiacion>();
        QVERIFY(w);
        QVERIFY(w->isWindow());
        QVERIFY(w->isVisible());
        QCOMPARE(principal.mdiArea->subWindowList().size(), 0);
        principal.findChild<QAction*>("mnuRadiacionRadiarBases")->trigger();
        QCOMPARE(principal.Buscar<frmRadiacion>(), w);
    }

private:
    QTemporaryDir dir_;
};

QTEST_MAIN(PruebaRadiacion)
#include "test_radiacion.moc"
