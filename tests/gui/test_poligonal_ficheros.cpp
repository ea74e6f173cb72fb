// The traverse files from the "Poligonal" menu: save, open, export and
// print, their dialogs, cancelling, and files that are broken or written by
// hand.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <cmath>

#include "Ayudantes.h"
#include "AyudantesPoligonal.h"
#include "core/modFuncionesTopo.h"
#include "points/FicherosTexto.h"
#include "shell/MDIfrmMain.h"
#include "traverse/frmCierrePoligonal.h"
#include "traverse/frmPoligonal.h"

using namespace prueba;

namespace {

QByteArray Leer(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void Escribir(const QString& ruta, const QByteArray& bytes)
{
    QFile f(ruta);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QStringList Lineas(const QString& ruta)
{
    QStringList l = QString::fromUtf8(Leer(ruta)).split("\r\n");
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
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
        const char* valores[3][15] = {
            {"E-1", "0", "200.0008", "120.5", "320.4996", "99.2", "300.799", "85.431", "1.55", "1.6", "100.8",
             "299.2", "85.437", "1.52", "1.58"},
            {"A,B", "15.3", "215.3", "260.12", "60.12", "101.5", "298.5", "120.25", "1.52", "1.6", "98.5", "301.5",
             "120.26", "1.5", "1.55"},
            {"E-3", "0", "200", "180", "380", "100.3", "299.7", "95.1", "1.5", "1.5", "99.7", "300.3", "95.1", "1.5",
             "1.5"}};
        for (int s = 0; s < 3; ++s) {
            if (s > 0)
                h->cmdNuevaEstacion->click();
            for (int k = 0; k < 15; ++k)
                h->txtObservacion[k]->setText(valores[s][k]);
        }
        QVERIFY(!h->Guardada());

        const QString ruta = carpeta_.filePath("dia1.pol");
        auto d = ResponderFichero(ruta);
        auto m = Responder();
        principal_->mnuPoligonalGuardar->trigger();
        QVERIFY(d->visto);
        QCOMPARE(d->titulo, QString("Guardar Poligonal"));
        QVERIFY(d->filtros.value(0).startsWith("Cartavector 3.0 (*.pol)"));
        QCOMPARE(d->extension, QString("pol"));
        QVERIFY(d->seleccion.value(0).contains("Poligonal"));
        QVERIFY(!d->nativo);
        QCOMPARE(m->texto, QString("Poligonal guardada."));
        QCOMPARE(m->icono, QMessageBox::Information);
        QVERIFY(h->Guardada());

        const QStringList l = Lineas(ruta);
        QCOMPARE(l.size(), 2 + 4 * 3);
        QCOMPARE(l[0], QString("\"P-2\",1000,1000,100"));
        QCOMPARE(l[1], QString("\"P-1\",1000,1100,100"));
        QCOMPARE(l[2], QString("\"P-2\",1000,1000,100"));
        QVERIFY(l[4].startsWith("\"E-1\","));
        QVERIFY(l[5].startsWith("0,200.0008,120.5,320.4996,99.2,300.799,85.431,1.55,1.6,100.8,299.2,85.437,"));
        QCOMPARE(l[5].split(',').size(), 23);
        QVERIFY(l[8].startsWith("\"A,B\","));
        QVERIFY(Leer(ruta).endsWith("\r\n"));

        // Closing right after saving asks nothing.
        h->parentWidget()->close();
        QVERIFY(!AparecioMensaje());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!principal_->Buscar<frmPoligonal>());

        frmPoligonal::objVertice_BE = objPto();
        frmPoligonal::objVertice_BO = objPto();
        d = ResponderFichero(ruta);
        m = Responder();
        principal_->mnuPoligonalAbrir->trigger();
        QCOMPARE(d->titulo, QString("Abrir Poligonal"));
        QCOMPARE(d->extension, QString("pol"));
        QCOMPARE(m->texto, QString("Poligonal abierta."));
        QCOMPARE(m->icono, QMessageBox::Information);
        h = principal_->Buscar<frmPoligonal>();
        QVERIFY(h);
        QCOMPARE(h->colPoligonal.size(), size_t(3));
        QCOMPARE(frmPoligonal::objVertice_BO.N, std::string("P-1"));
        QCOMPARE(h->EstacionActual(), int16_t(1));
        QCOMPARE(h->txtObservacion[0]->text(), QString("E-1"));
        QCOMPARE(h->txtObservacion[2]->text(), QString("200.0008"));
        QCOMPARE(h->txtObservacion[7]->text(), QString("85.431"));
        QCOMPARE(h->colPoligonal[1].objBV.N, std::string("A,B"));
        QCOMPARE(h->colPoligonal[2].Slot(12), 95.1);
        QCOMPARE(h->lstBases->count(), 24);
        QCOMPARE(h->lstBases->item(18)->text(), QString("A,B"));
        QVERIFY(!h->lblBRadiadaX->text().isEmpty());
        QVERIFY(h->Guardada());
        QVERIFY(principal_->mnuPoligonalCerrar->isEnabled());
        QVERIFY(!principal_->mnuPoligonalAbrir->isEnabled());

        // Saved again: the same file, byte for byte.
        const QString ruta2 = carpeta_.filePath("dia1b.pol");
        d = ResponderFichero(ruta2);
        m = Responder();
        principal_->mnuPoligonalGuardar->trigger();
        QCOMPARE(Leer(ruta2), Leer(ruta));

        // Closing right after opening asks nothing.
        h->parentWidget()->close();
        QVERIFY(!AparecioMensaje());
    }

    void abrirEjemploYCerrarlo()
    {
        KRefraccion = 0.08;
        const QString ejemplo = qEnvironmentVariable("CV_EXAMPLES") + "/poligonal.pol";
        QVERIFY2(QFile::exists(ejemplo), qPrintable(ejemplo));
        auto d = ResponderFichero(ejemplo);
        auto m = Responder();
        principal_->mnuPoligonalAbrir->trigger();
        frmPoligonal* h = principal_->Buscar<frmPoligonal>();
        QVERIFY(h);
        QVERIFY(h->colPoligonal.size() >= 5);
        // The example stores what the program computes: reopening changes nothing.
        QCOMPARE(QString::fromStdString(EscribirPol(frmPoligonal::objVertice_BE, frmPoligonal::objVertice_BO,
                                                    h->colPoligonal))
                     .toUtf8(),
                 Leer(ejemplo));
        // It closes on P-9 and P-8 to the centimetre.
        auto errores = std::make_shared<QStringList>();
        AlAparecer<frmCierrePoligonal>([errores](frmCierrePoligonal* c) {
            const char* pe[4] = {"P-9", "452866.505", "4481344.772", "624.733"};
            const char* pv[4] = {"P-8", "452912.840", "4481478.361", "630.118"};
            for (int i = 0; i < 4; ++i) {
                c->txtBE[i]->setText(pe[i]);
                c->txtBO[i]->setText(pv[i]);
            }
            for (QLabel* l : {c->lblEAngular, c->lblEX, c->lblEY, c->lblEZ, c->lblET})
                *errores << l->text();
            c->reject();
        });
        principal_->mnuPoligonalCerrar->trigger();
        QCOMPARE(errores->size(), 5);
        QVERIFY(std::fabs(errores->at(0).toDouble()) < 0.0050);
        for (int i = 1; i < 5; ++i)
            QVERIFY2(std::fabs(errores->at(i).toDouble()) < 0.030, qPrintable(errores->at(i)));
        QVERIFY(errores->at(4).toDouble() > 0.0);
    }

    void ficherosEscritosAMano()
    {
        const QString ruta = carpeta_.filePath("mano.pol");
        QByteArray texto = "\"P-2\", 1E3 ,1000,100\n\n\"P-1\",1000,\"1100,5\",100\n"
                           "\"P-2\",1000,1000,100\r\n\"P-1\",1000,1100,100\r\n\"E,1\",0,0,0\r\n"
                           "0,200,100,300,100,300,5.0e1,1.5,1.5,100,300,50,1.5,1.5,0,0,0,0,0,0,0,0,0\r\n\r\n";
        Escribir(ruta, texto);
        auto d = ResponderFichero(ruta);
        auto m = Responder();
        principal_->mnuPoligonalAbrir->trigger();
        QCOMPARE(m->texto, QString("Poligonal abierta."));
        frmPoligonal* h = principal_->Buscar<frmPoligonal>();
        QVERIFY(h);
        QCOMPARE(frmPoligonal::objVertice_BO.Y, 1100.5);
        QCOMPARE(h->colPoligonal.size(), size_t(1));
        QCOMPARE(h->txtObservacion[0]->text(), QString("E,1"));
        QCOMPARE(h->txtObservacion[7]->text(), QString("50.000"));
        // Station 1 was recomputed from its observations on opening.
        QCOMPARE(h->lblBRadiadaX->text(), QString("1050.000"));
        QVERIFY(!principal_->mnuPoligonalCerrar->isEnabled());

        // A file from an older system, names in Latin-1.
        h->parentWidget()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Escribir(ruta, "\"ESTACI\xd3N\",1,2,3\r\n\"P-1\",1,3,3\r\n");
        d = ResponderFichero(ruta);
        m = Responder();
        principal_->mnuPoligonalAbrir->trigger();
        QCOMPARE(principal_->Buscar<frmPoligonal>()->lblBE->text(), QString("ESTACIÓN"));
    }

    void soloLosVerticesDeSalida()
    {
        const QString ruta = carpeta_.filePath("vertices.pol");
        Escribir(ruta, "\"V-1\",500,600,70\r\n\"V-2\",500,700,71\r\n");
        auto d = ResponderFichero(ruta);
        auto m = Responder();
        principal_->mnuPoligonalAbrir->trigger();
        QCOMPARE(m->texto, QString("Poligonal abierta."));
        frmPoligonal* h = principal_->Buscar<frmPoligonal>();
        QVERIFY(h);
        // A traverse just begun: one station on the two vertices.
        QCOMPARE(h->colPoligonal.size(), size_t(1));
        QCOMPARE(h->lblBE->text(), QString("V-1"));
        QCOMPARE(h->lblBO->text(), QString("V-2"));
        QCOMPARE(h->txtObservacion[1]->text(), QString("0.0000"));
        QCOMPARE(h->txtObservacion[2]->text(), QString());
        QCOMPARE(h->lstBases->count(), 12);
        QCOMPARE(h->lstBases->item(0)->text(), QString("V-2 [V. salida BO]"));
        QVERIFY(h->Guardada());
    }

    void ficheroRotoCierraLaHoja()
    {
        const QString ruta = carpeta_.filePath("roto.pol");
        Escribir(ruta, "\"P-2\",1000,1000,100\r\n\"P-1\",1000,1100,100\r\n\"P-2\",1000,1000,100\r\n"
                       "\"P-1\",1000,1100,100\r\n\"E-1\",1,2,3\r\n0,200,100,300,100\r\n");
        auto d = ResponderFichero(ruta);
        auto m = Responder();
        principal_->mnuPoligonalAbrir->trigger();
        QVERIFY(m->visto);
        QVERIFY(m->texto.startsWith("Se produjo un error al abrir la poligonal. "));
        QVERIFY(m->texto.size() > QString("Se produjo un error al abrir la poligonal. ").size());
        QCOMPARE(m->icono, QMessageBox::Critical);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!principal_->Buscar<frmPoligonal>());
        QVERIFY(principal_->mnuPoligonalNueva->isEnabled());
        QVERIFY(principal_->mnuPoligonalAbrir->isEnabled());
        QVERIFY(!principal_->mnuPoligonalGuardar->isEnabled());

        // Garbage: fields shift but nothing crashes; a cut file still fails.
        const char basura[] = "\x01\x02\"\",,,\r\n,,,,\xff\xfe,\"x";
        Escribir(ruta, QByteArray(basura, sizeof basura - 1));
        d = ResponderFichero(ruta);
        m = Responder();
        principal_->mnuPoligonalAbrir->trigger();
        QVERIFY(m->texto.startsWith("Se produjo un error al abrir la poligonal. "));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!principal_->Buscar<frmPoligonal>());
    }

    void cancelarCadaDialogo()
    {
        const QStringList antes = QDir(carpeta_.path()).entryList(QDir::Files);
        // Cancelling "Abrir Poligonal" leaves no sheet and says nothing.
        auto d = ResponderFichero(QString());
        principal_->mnuPoligonalAbrir->trigger();
        QVERIFY(d->visto);
        QVERIFY(!AparecioMensaje());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!principal_->Buscar<frmPoligonal>());
        QVERIFY(principal_->mnuPoligonalAbrir->isEnabled());

        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        h->txtObservacion[0]->setText("X");
        QAction* acciones[3] = {principal_->mnuPoligonalGuardar, principal_->mnuPoligonalExportar,
                                principal_->mnuPoligonalImprimir};
        const char* titulos[3] = {"Guardar Poligonal", "Exportar Poligonal", "Imprimir a archivo"};
        for (int i = 0; i < 3; ++i) {
            d = ResponderFichero(QString());
            acciones[i]->trigger();
            QVERIFY(d->visto);
            QCOMPARE(d->titulo, QString(titulos[i]));
            QVERIFY(!AparecioMensaje());
            QVERIFY(!h->Guardada());
        }
        QCOMPARE(QDir(carpeta_.path()).entryList(QDir::Files), antes);
        QVERIFY(QDir::current().entryList({"Poligonal*"}).isEmpty());
    }

    void falloAlGuardar()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        h->txtObservacion[0]->setText("X");
        const QString ruta = carpeta_.filePath("no-existe/dia.pol");
        QAction* acciones[3] = {principal_->mnuPoligonalGuardar, principal_->mnuPoligonalExportar,
                                principal_->mnuPoligonalImprimir};
        for (QAction* a : acciones) {
            auto d = ResponderFichero(ruta);
            auto m = Responder();
            a->trigger();
            QVERIFY(d->visto);
            QVERIFY(m->visto);
            QVERIFY2(m->texto.startsWith("Se produjo un error al guardar la poligonal. "), qPrintable(m->texto));
            QVERIFY(m->texto.size() > QString("Se produjo un error al guardar la poligonal. ").size());
            QCOMPARE(m->icono, QMessageBox::Critical);
            QVERIFY(!h->Guardada());
        }
        QCOMPARE(h->colPoligonal.size(), size_t(1));
    }

    void exportarEImprimir()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        // Printing right after loading: the two starting vertices.
        const QString informe = carpeta_.filePath("informe.txt");
        auto d = ResponderFichero(informe);
        auto m = Responder();
        principal_->mnuPoligonalImprimir->trigger();
        QVERIFY(d->filtros.value(0).startsWith("Cartavector 3.0 (*.txt)"));
        QCOMPARE(d->extension, QString("txt"));
        QCOMPARE(m->texto, QString("Poligonal imprimida a archivo."));
        QCOMPARE(Lineas(informe), QStringList({"P-1 [V. salida BO]", "", "1000.000", "1100.000", "100.000", "",
                                               "P-2 [V. salida BE]", "", "1000.000", "1000.000", "100.000", ""}));
        QVERIFY(h->Guardada());

        // Saved right after loading: station 1 holds zeros and what the
        // reduction of those zeros gives (face means of 0 and 0 are 300 and
        // 200, both heights are the station's 100).
        const QString vacia = carpeta_.filePath("vacia.pol");
        d = ResponderFichero(vacia);
        m = Responder();
        principal_->mnuPoligonalGuardar->trigger();
        const QStringList l = Lineas(vacia);
        QCOMPARE(l.size(), 6);
        QCOMPARE(l[5], QString("0,0,0,0,0,0,0,0,0,0,0,0,0,0,300,300,200,200,0,0,100,100,0"));

        // A one-station traverse exports the two starting vertices only.
        const QString bases = carpeta_.filePath("uno.bse");
        d = ResponderFichero(bases);
        m = Responder();
        principal_->mnuPoligonalExportar->trigger();
        QCOMPARE(d->titulo, QString("Exportar Poligonal"));
        QVERIFY(d->filtros.value(0).startsWith("Cartavector 3.0 (*.bse)"));
        QCOMPARE(d->extension, QString("bse"));
        QCOMPARE(m->texto, QString("Poligonal guardada."));
        QCOMPARE(Lineas(bases), QStringList({"\"P-2\",\"1000.000\",\"1000.000\",\"100.000\"",
                                             "\"P-1\",\"1000.000\",\"1100.000\",\"100.000\""}));

        // Three stations: four lines, read back into a base list.
        for (int s = 0; s < 3; ++s) {
            if (s > 0)
                h->cmdNuevaEstacion->click();
            const QString v[15] = {QString("E-%1").arg(s + 1), "0", "200", "150", "350", "99.5", "300.5",
                                   "70.1234", "1.5", "1.5", "100.5", "299.5", "70.1234", "1.5", "1.5"};
            for (int k = 0; k < 15; ++k)
                h->txtObservacion[k]->setText(v[k]);
        }
        const QString tres = carpeta_.filePath("tres.bse");
        d = ResponderFichero(tres);
        m = Responder();
        principal_->mnuPoligonalExportar->trigger();
        QVERIFY(!h->Guardada()); // exporting is not saving
        const QByteArray bytes = Leer(tres);
        QCOMPARE(Lineas(tres).size(), 4);
        const ResultadoLectura lista = LeerBases(bytes.toStdString());
        QVERIFY(!lista.fallo);
        QCOMPARE(lista.filas.size(), size_t(24));
        QCOMPARE(lista.filas[0], std::string("P-2"));
        QCOMPARE(lista.filas[6], std::string("P-1"));
        // The sighted points of stations 1 and 2, as the sheet lists them.
        for (int r = 12; r < 24; ++r)
            QCOMPARE(QString::fromStdString(lista.filas[static_cast<size_t>(r)]), h->lstBases->item(r)->text());
    }

private:
    QTemporaryDir carpeta_;
    MDIfrmMain* principal_ = nullptr;
};

QTEST_MAIN(PruebaFicheros)
#include "test_poligonal_ficheros.moc"
