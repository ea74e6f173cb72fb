// The traverse files of the "Poligonal" menu: save, open, export and print,
// cancelling, failures, and files that are broken or written by hand.
#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "Ayudantes.h"
#include "AyudantesPoligonal.h"
#include "points/FicherosTexto.h"
#include "shell/MDIfrmMain.h"
#include "traverse/frmPoligonal.h"

using namespace prueba;
using ficheros::Escribir;
using ficheros::Leer;

namespace {

QStringList Lineas(const QString& ruta)
{
    QStringList l = QString::fromUtf8(Leer(ruta)).split("\r\n");
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

void TresEstaciones(frmPoligonal* h, const QString& segunda)
{
    for (int s = 0; s < 3; ++s) {
        if (s > 0)
            h->cmdNuevaEstacion->click();
        h->txtObservacion[0]->setText(s == 1 ? segunda : QString("E-%1").arg(s + 1));
        const QStringList t = Textos(LIBRETA[s]);
        for (int k = 1; k <= 14; ++k)
            h->txtObservacion[k]->setText(t[k - 1]);
    }
}

} // namespace

class PruebaFicheros : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(carpeta_.isValid());
        PrepararPoligonal(carpeta_, 0.08, VERTICE_P2, VERTICE_P1);
        principal_ = new MDIfrmMain;
        QVERIFY(Mostrar(principal_));
    }

    void cleanup()
    {
        delete principal_;
        principal_ = nullptr;
    }

    void guardarAbrirYGuardarDeNuevo()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        TresEstaciones(h, "A,B");
        const QString ruta = carpeta_.filePath("dia1.pol");
        std::shared_ptr<Dialogo> d;
        auto m = Ejecutar(principal_->mnuPoligonalGuardar, ruta, &d);
        QCOMPARE(d->titulo, QString("Guardar Poligonal"));
        QVERIFY(d->filtros.value(0).startsWith("Cartavector 3.0 (*.pol)"));
        QCOMPARE(d->extension, QString("pol"));
        QVERIFY(d->seleccion.value(0).contains("Poligonal"));
        QCOMPARE(m->texto, QString("Poligonal guardada."));
        QCOMPARE(m->icono, QMessageBox::Information);
        QVERIFY(h->Guardada());
        const QStringList l = Lineas(ruta);
        QCOMPARE(l.size(), 2 + 4 * 3);
        QCOMPARE(l[0], QString("\"P-2\",1000,1000,100"));
        QVERIFY(l[5].startsWith("0,200.0012,120.5,320.5006,99.2,300.799,85.431,1.55,1.6,100.8,299.2,85.437,"));
        h->parentWidget()->close();
        QVERIFY(!AparecioMensaje()); // just saved: nothing to ask
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        frmPoligonal::objVertice_BE = frmPoligonal::objVertice_BO = objPto();
        m = Ejecutar(principal_->mnuPoligonalAbrir, ruta, &d);
        QCOMPARE(d->titulo, QString("Abrir Poligonal"));
        QCOMPARE(m->texto, QString("Poligonal abierta."));
        QCOMPARE(m->icono, QMessageBox::Information);
        h = principal_->Buscar<frmPoligonal>();
        QVERIFY(h);
        QCOMPARE(h->colPoligonal.size(), size_t(3));
        QCOMPARE(frmPoligonal::objVertice_BO.N, std::string("P-1"));
        QCOMPARE(h->EstacionActual(), int16_t(1));
        QCOMPARE(h->txtObservacion[2]->text(), QString("200.0012"));
        QCOMPARE(h->lstBases->item(18)->text(), QString("A,B"));
        QVERIFY(h->Guardada());
        QVERIFY(principal_->mnuPoligonalCerrar->isEnabled());

        const QString ruta2 = carpeta_.filePath("dia1b.pol");
        Ejecutar(principal_->mnuPoligonalGuardar, ruta2);
        QCOMPARE(Leer(ruta2), Leer(ruta));
        h->parentWidget()->close();
        QVERIFY(!AparecioMensaje());
    }

    void ficherosEscritosAMano()
    {
        // Loose spacing, bare LF, blank lines, quoted comma decimals, exponents.
        const QString ruta = carpeta_.filePath("mano.pol");
        Escribir(ruta, "\"P-2\", 1E3 ,1000,100\n\n\"P-1\",1000,\"1100,5\",100\n"
                       "\"P-2\",1000,1000,100\r\n\"P-1\",1000,1100,100\r\n\"E,1\",0,0,0\r\n"
                       "0,200,100,300,100,300,5.0e1,1.5,1.5,100,300,50,1.5,1.5,0,0,0,0,0,0,0,0,0\r\n\r\n");
        auto m = Ejecutar(principal_->mnuPoligonalAbrir, ruta);
        QCOMPARE(m->texto, QString("Poligonal abierta."));
        frmPoligonal* h = principal_->Buscar<frmPoligonal>();
        QVERIFY(h);
        QCOMPARE(frmPoligonal::objVertice_BO.Y, 1100.5);
        QCOMPARE(h->colPoligonal.size(), size_t(1));
        QCOMPARE(h->txtObservacion[0]->text(), QString("E,1"));
        QCOMPARE(h->txtObservacion[7]->text(), QString("50.000"));
        QCOMPARE(h->lblBRadiadaX->text(), QString("1050.000")); // recomputed on opening
    }

    void ficheroRotoCierraLaHoja_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("cortado") << QByteArray(
            "\"P-2\",1000,1000,100\r\n\"P-1\",1000,1100,100\r\n\"P-2\",1000,1000,"
            "100\r\n\"P-1\",1000,1100,100\r\n\"E-1\",1,2,3\r\n0,200,100,300,100\r\n");
        const char basura[] = "\x01\x02\"\",,,\r\n,,,,\xff\xfe,\"x";
        QTest::newRow("basura") << QByteArray(basura, sizeof basura - 1);
    }

    void ficheroRotoCierraLaHoja()
    {
        QFETCH(QByteArray, bytes);
        const QString ruta = carpeta_.filePath("roto.pol");
        Escribir(ruta, bytes);
        auto m = Ejecutar(principal_->mnuPoligonalAbrir, ruta);
        const QString inicio("Se produjo un error al abrir la poligonal. ");
        QVERIFY2(m->texto.startsWith(inicio) && m->texto.size() > inicio.size(), qPrintable(m->texto));
        QCOMPARE(m->icono, QMessageBox::Critical);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!principal_->Buscar<frmPoligonal>());
        QVERIFY(principal_->mnuPoligonalAbrir->isEnabled());
        QVERIFY(!principal_->mnuPoligonalGuardar->isEnabled());
    }

    void cancelarOFallarCadaDialogo()
    {
        const QStringList antes = QDir(carpeta_.path()).entryList(QDir::Files);
        auto d = ResponderFichero(QString());
        principal_->mnuPoligonalAbrir->trigger();
        QVERIFY(d->visto);
        QVERIFY(!AparecioMensaje());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!principal_->Buscar<frmPoligonal>());

        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        h->txtObservacion[0]->setText("X");
        const std::pair<QAction*, const char*> acciones[] = {{principal_->mnuPoligonalGuardar, "Guardar Poligonal"},
                                                             {principal_->mnuPoligonalExportar, "Exportar Poligonal"},
                                                             {principal_->mnuPoligonalImprimir, "Imprimir a archivo"}};
        for (auto [accion, titulo] : acciones) {
            d = ResponderFichero(QString());
            accion->trigger();
            QVERIFY(d->visto);
            QCOMPARE(d->titulo, QString(titulo));
            QVERIFY(!AparecioMensaje());
            // A folder that does not exist: the error, the sheet kept unsaved.
            d = ResponderFichero(carpeta_.filePath("no-existe/dia.pol"));
            auto m = Responder();
            accion->trigger();
            const QString inicio("Se produjo un error al guardar la poligonal. ");
            QVERIFY2(m->texto.startsWith(inicio) && m->texto.size() > inicio.size(), qPrintable(m->texto));
            QCOMPARE(m->icono, QMessageBox::Critical);
            QVERIFY(!h->Guardada());
        }
        QCOMPARE(QDir(carpeta_.path()).entryList(QDir::Files), antes);
        QVERIFY(QDir::current().entryList({"Poligonal*"}).isEmpty());
    }

    void discoLlenoConservaLaPoligonalGuardada()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        const QString ruta = carpeta_.filePath("dia.pol");
        QCOMPARE(Ejecutar(principal_->mnuPoligonalGuardar, ruta)->texto, QString("Poligonal guardada."));
        const QByteArray antiguo = Leer(ruta);
        TresEstaciones(h, "E-2");
        const QStringList antes = QDir(carpeta_.path()).entryList(QDir::Files | QDir::Hidden);
        for (QAction* accion : {principal_->mnuPoligonalGuardar, principal_->mnuPoligonalExportar,
                                principal_->mnuPoligonalImprimir}) {
            std::shared_ptr<Mensaje> m;
            {
                ficheros::DiscoLleno lleno(16);
                m = Ejecutar(accion, ruta);
            }
            QCOMPARE(m->texto, "Se produjo un error al guardar la poligonal. " + QString::fromLocal8Bit(strerror(EFBIG)));
            QCOMPARE(m->icono, QMessageBox::Critical);
            QCOMPARE(Leer(ruta), antiguo);
            QCOMPARE(QDir(carpeta_.path()).entryList(QDir::Files | QDir::Hidden), antes);
            QVERIFY(!h->Guardada());
        }
    }

    void exportarEImprimir()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        const QString informe = carpeta_.filePath("informe.txt");
        std::shared_ptr<Dialogo> d;
        auto m = Ejecutar(principal_->mnuPoligonalImprimir, informe, &d);
        QVERIFY(d->filtros.value(0).startsWith("Cartavector 3.0 (*.txt)"));
        QCOMPARE(d->extension, QString("txt"));
        QCOMPARE(m->texto, QString("Poligonal imprimida a archivo."));
        QCOMPARE(Lineas(informe), QStringList({"P-1 [V. salida BO]", "", "1000.000", "1100.000", "100.000", "",
                                               "P-2 [V. salida BE]", "", "1000.000", "1000.000", "100.000", ""}));

        // Three stations: four lines, read back as the sheet lists them.
        TresEstaciones(h, "E-2");
        const QString tres = carpeta_.filePath("tres.bse");
        m = Ejecutar(principal_->mnuPoligonalExportar, tres, &d);
        QVERIFY(d->filtros.value(0).startsWith("Cartavector 3.0 (*.bse)"));
        QCOMPARE(d->extension, QString("bse"));
        QCOMPARE(m->texto, QString("Poligonal guardada."));
        QVERIFY(!h->Guardada()); // exporting is not saving
        QCOMPARE(Lineas(tres).size(), 4);
        const ResultadoLectura lista = LeerBases(Leer(tres).toStdString());
        QVERIFY(!lista.fallo);
        QCOMPARE(lista.filas.size(), size_t(24));
        QCOMPARE(lista.filas[0], std::string("P-2"));
        QCOMPARE(lista.filas[6], std::string("P-1"));
        for (int r = 12; r < 24; ++r)
            QCOMPARE(QString::fromStdString(lista.filas[static_cast<size_t>(r)]), h->lstBases->item(r)->text());
    }

private:
    // Runs the menu item with the file dialog answered; what the message box said.
    std::shared_ptr<Mensaje> Ejecutar(QAction* accion, const QString& ruta, std::shared_ptr<Dialogo>* dialogo = nullptr)
    {
        auto d = ResponderFichero(ruta);
        auto m = Responder();
        accion->trigger();
        if (dialogo)
            *dialogo = d;
        return m;
    }

    QTemporaryDir carpeta_;
    MDIfrmMain* principal_ = nullptr;
};

QTEST_MAIN(PruebaFicheros)
#include "test_poligonal_ficheros.moc"
