// The traverse windows driven from the keyboard and the menu as a surveyor types a field book: the sheet,
// the starting vertices, the closure, and the files with their cancelling, failures and broken files.
#include <QDir>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <cerrno>
#include <cstring>

#include "AyudantesPoligonal.h"
#include "exchange/Libreta.h"
#include "traverse/frmCierrePoligonal.h"
#include "traverse/frmCompensacion.h"
#include "traverse/frmEditarVerticesSalida.h"
#include "traverse/frmVerticesdeSalida.h"

using namespace prueba;

namespace {

const QString MSG_NO_EXISTE = "No existe la estación.", MSG_DATOS = "Los datos no son válidos o están en blanco.";
const QString ERROR_GUARDAR = "Se produjo un error al guardar la poligonal. ";

// Chooses the menu item with its file dialog answered; what the message box said.
std::shared_ptr<Mensaje> Ejecutar(QWidget* principal, const char* item, const QString& ruta,
                                  std::shared_ptr<Dialogo>* dialogo = nullptr)
{
    auto d = ResponderFichero(ruta);
    auto m = Responder();
    Elegir(principal, item);
    if (dialogo)
        *dialogo = d;
    return m;
}

// Replaces the field's text with keys (Backspace for none), then Enter when asked.
void Reteclear(QLineEdit* campo, const QString& texto, bool intro = false)
{
    campo->setFocus();
    campo->selectAll();
    texto.isEmpty() ? QTest::keyClick(campo, Qt::Key_Backspace) : QTest::keyClicks(campo, texto);
    if (intro)
        QTest::keyClick(campo, Qt::Key_Return);
}

// Station s of the field book typed box after box with Enter; box 8 left as
// the sheet carried it unless told.
void TeclearEstacion(QWidget* h, int s, bool altura = true)
{
    Reteclear(Obs(h, 0), QString("e-%1").arg(s + 1), true);
    for (int k = 1; k <= 14; ++k) {
        QVERIFY2(ConFoco(Obs(h, k)), qPrintable(Obs(h, k)->objectName()));
        if (k != 8 || altura)
            Reteclear(Obs(h, k), Valor(s, k));
        QTest::keyClick(Obs(h, k), Qt::Key_Return);
    }
}

} // namespace

class PruebaPoligonal : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        PrepararPoligonal(carpeta_, 0.5, VERTICE_P2, VERTICE_P1);
        principal_ = new MDIfrmMain;
        QVERIFY(Mostrar(principal_));
    }

    void cleanup()
    {
        delete principal_; // releases any open sheet without questions
        QTest::qWait(50);
    }

    void poligonalTecleadaDesdeLosVertices()
    {
        frmPoligonal::objVertice_BE = frmPoligonal::objVertice_BO = objPto();
        EnModal<frmVerticesdeSalida>([](frmVerticesdeSalida* v) { v->reject(); });
        Elegir(principal_, "mnuPoligonalNueva");
        QCOMPARE(MenuPoligonal(principal_), SIN_HOJA); // declined: no sheet
        // "Nueva": refused while BO has no coordinates, then BO placed 100 m
        // north of P-2 by a relative survey.
        EnModal<frmVerticesdeSalida>([](frmVerticesdeSalida* v) {
            Pulsar(En<QPushButton>(v, "cmdAceptar"), "Las bases no son válidas.", QMessageBox::Warning);
            const char* obs[10] = {"100", "", "100", "1.5", "1.5", "100", "", "100", "1.5", "1.5"};
            for (int i = 0; i < 10; ++i)
                Reteclear(En(v, QString("txtObservacion_%1").arg(i)), obs[i], true);
            QVERIFY(ConFoco(En(v, "txtBE_0")));
            QCOMPARE(Textos(v, {"txtBE_0", "txtBO_0", "txtBO_1", "txtBO_2", "txtBO_3"}),
                     QString("P-2|P-1|1000.000|1100.000|100.000"));
            Clic(v, "cmdAceptar");
        });
        Elegir(principal_, "mnuPoligonalNueva");
        frmPoligonal* h = principal_->Buscar<frmPoligonal>();
        QVERIFY(h && qobject_cast<QMdiSubWindow*>(h->parentWidget()));
        QCOMPARE(MenuPoligonal(principal_), CON_HOJA);
        QVERIFY(ConFoco(Obs(h, 0)) && h->Guardada());
        QCOMPARE(Textos(h, {"txtObservacion_1", "txtObservacion_2", "lblBE", "lblBO"}), QString("0.0000||P-2|P-1"));
        cv::Lista* lista = En<cv::Lista>(h, "lstBases");
        QCOMPARE(ficheros::Filas(lista).join('|'), QString("P-1 [V. salida BO]||1000.000|1100.000|100.000||"
                                                           "P-2 [V. salida BE]||1000.000|1000.000|100.000|"));

        // Station 1: the point, the face means and an agreement indicator as computed.
        const colEstaciones calculada = Calculada(3);
        TeclearEstacion(h, 0);
        QVERIFY(ConFoco(En<QPushButton>(h, "cmdNuevaEstacion")));
        QCOMPARE(Textos(h, {"lblBRadiadaX", "lblBRadiadaY", "lblBRadiadaZ"}), Punto(calculada[0].objBV));
        QCOMPARE(Textos(h, {"lblBaseRadiada", "lblHzO", "lblHzV", "lblVV", "lblVR", "lblDiferenciaAcimutal"}),
                 QString("E-1|0.0006|120.5003|99.2005|100.8000|0.0012"));
        QCOMPARE(En<QProgressBar>(h, "prbDiferenciaAcimutal")->value(), IndicadorAcimutal(calculada[0]).barra);
        QVERIFY(!h->Guardada());

        // Station 2 stands on E-1, looks back at P-2 and carries the instrument height.
        Clic(h, "cmdNuevaEstacion");
        QCOMPARE(Textos(h, {"lblEstacion", "lblBE", "lblBO", "txtObservacion_8", "txtObservacion_7"}),
                 QString("2|E-1|P-2|1.520|"));
        TeclearEstacion(h, 1, false);
        Clic(h, "cmdNuevaEstacion");
        QCOMPARE(MenuPoligonal(principal_), CON_CIERRE); // three stations
        TeclearEstacion(h, 2);
        QCOMPARE(Textos(h, {"lblBRadiadaX", "lblBRadiadaY", "lblBRadiadaZ"}), Punto(calculada[2].objBV));
        QCOMPARE(lista->count(), 24);

        // Navigation and its refusals.
        Clic(h, "cmdAnterior");
        QCOMPARE(Textos(h, {"txtIra", "txtObservacion_0", "txtObservacion_7"}), QString("2|E-2|120.250"));
        QCOMPARE(MensajeDe([h] { Clic(h, "cmdNuevaEstacion"); }), QString("La estación actual no es la última."));
        QCOMPARE(h->NumeroEstaciones(), 3);
        Clic(h, "cmdAnterior");
        QCOMPARE(MensajeDe([h] { Clic(h, "cmdAnterior"); }), MSG_NO_EXISTE);
        QCOMPARE(Textos(h, {"lblEstacion", "txtObservacion_2"}), QString("1|200.0012"));
        // A correction at station 1 moves the later points.
        const QString antes = lista->text(20);
        Reteclear(Obs(h, 7), "86.431");
        QVERIFY(lista->text(20) != antes);
        Reteclear(En(h, "txtIra"), "3x", true);
        QCOMPARE(Textos(h, {"txtIra", "txtObservacion_0"}), QString("3|E-3"));
        QCOMPARE(MensajeDe([h] { Reteclear(En(h, "txtIra"), "9", true); }), MSG_NO_EXISTE);
        QCOMPARE(MensajeDe([h] { Clic(h, "cmdPosterior"); }), MSG_NO_EXISTE);
        QCOMPARE(MensajeDe([h] { Reteclear(En(h, "txtIra"), "", true); }), MSG_DATOS);

        // A fourth, empty station; the cut from station 3, first declined.
        Clic(h, "cmdIraUltima");
        Clic(h, "cmdNuevaEstacion");
        Reteclear(En(h, "txtIra"), "3", true);
        QCOMPARE(MensajeDe([h] { Clic(h, "cmdCortarPoligonal"); }, QMessageBox::No),
                 "¿Confirma que desea borrar todas las estaciones\r\n" + QString(21, ' ') + "a partir de la actual?\r\n");
        QCOMPARE(h->NumeroEstaciones(), 4);
        auto aviso = std::make_shared<std::shared_ptr<Mensaje>>();
        AlAparecer<QMessageBox>([aviso](QMessageBox* caja) {
            *aviso = Responder(); // the notice that follows the Yes
            caja->done(QMessageBox::Yes);
        });
        Clic(h, "cmdCortarPoligonal");
        QVERIFY(*aviso && (*aviso)->visto);
        QCOMPARE((*aviso)->texto, QString("Las estaciones se han eliminado."));
        QCOMPARE(Textos(h, {"lblEstacion", "txtObservacion_0"}), QString("2|E-2"));
        QCOMPARE(lista->count(), 18);
        QCOMPARE(MenuPoligonal(principal_), CON_HOJA);
        Clic(h, "cmdAnterior");
        QCOMPARE(MensajeDe([h] { Clic(h, "cmdCortarPoligonal"); }), QString("No se puede eliminar la primera estación."));

        // Closing with changes asks; Yes with the save dialog cancelled saves
        // nothing and closes; the menu returns at once; the vertices outlive the sheet.
        std::shared_ptr<Dialogo> d;
        QString pregunta;
        AlAparecer<QMessageBox>([&](QMessageBox* caja) {
            pregunta = caja->text();
            d = ResponderFichero(QString());
            caja->done(QMessageBox::Yes);
        });
        h->parentWidget()->close();
        QCOMPARE(pregunta, QString("  ¿Desea guardar los cambios?"));
        QVERIFY(d && d->visto && d->titulo == "Guardar Poligonal");
        QCOMPARE(MenuPoligonal(principal_), SIN_HOJA);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!principal_->Buscar<frmPoligonal>() && QDir(carpeta_.path()).entryList({"*.pol"}).isEmpty());
        QCOMPARE(Textos(principal_->MostrarHija<frmPoligonal>(), {"lblBO"}), QString("P-1"));
    }

    void tecladoYDatosNoValidos()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        h->parentWidget()->close();
        QVERIFY(!AparecioMensaje()); // only loaded: nothing to ask
        h = principal_->MostrarHija<frmPoligonal>();
        Teclear(Obs(h, 0), "p-3b");
        QTest::keyClick(Obs(h, 0), Qt::Key_Up);
        QVERIFY(ConFoco(Obs(h, 0)));
        Teclear(Obs(h, 3), "-1,2a.5");
        QTest::keyClick(Obs(h, 3), Qt::Key_Up);
        QVERIFY(ConFoco(Obs(h, 2)));
        QCOMPARE(Textos(h, {"txtObservacion_0", "txtObservacion_3"}), QString("P-3B|12.5"));
        Obs(h, 14)->setFocus();
        QTest::keyClick(Obs(h, 14), Qt::Key_Down);
        QVERIFY(ConFoco(Obs(h, 14)));
        QCOMPARE(MensajeDe([h] { Clic(h, "cmdNuevaEstacion"); }), MSG_DATOS);
        QCOMPARE(h->NumeroEstaciones(), 1);
        // Pasted texts run the same processing; invalid data empty the point and what depends on it.
        PegarEstacion(h, 0, "A");
        QCOMPARE(Textos(h, {"lblBRadiadaX", "lblBRadiadaY", "lblBRadiadaZ"}), Punto(Calculada(1)[0].objBV));
        Obs(h, 9)->setText(".");
        QVERIFY(Textos(h, {"lblBRadiadaX", "lblBRadiadaY", "lblBRadiadaZ", "lblDiferenciaDistancias"}) == "|||");
        QCOMPARE(En<QProgressBar>(h, "prbErrorObservacion")->value(), 0);
    }

    void cierreYVerticesDeSalidaCambiados()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        TresEstaciones(h);
        // Arrival vertices a few mm off the carried ones; the errors as the library computes them from the texts.
        const colEstaciones col = Calculada(3);
        const objPto& llegada = col[2].objBE;
        auto texto = [](double v) { return QString::number(v, 'f', 6); };
        const QStringList tecleado = {"p-9", texto(llegada.X + 0.012), texto(llegada.Y + 0.008), texto(llegada.Z + 0.004),
                                      "p-8", texto(llegada.X + 90.0), texto(llegada.Y + 120.0), "101"};
        std::array<std::string, 4> pe, pv;
        for (int i = 0; i < 4; ++i)
            pe[i] = tecleado[i].toUpper().toStdString(), pv[i] = tecleado[4 + i].toUpper().toStdString();
        const ErroresCierre e = CalcularErroresCierre(VERTICE_P2, VERTICE_P1, col, LeerVertice(pe), LeerVertice(pv));
        const std::array<std::string, 5> errores = {F4(e.EA), F3(e.EX), F3(e.EY), F3(e.EZ), F3(e.ED)};

        EnModal<frmCierrePoligonal>([&](frmCierrePoligonal* c) {
            const char* campos[8] = {"txtBE_0", "txtBE_1", "txtBE_2", "txtBE_3", "txtBO_0", "txtBO_1", "txtBO_2", "txtBO_3"};
            for (int i = 0; i < 8; ++i) {
                QVERIFY2(ConFoco(En(c, campos[i])), campos[i]);
                QCOMPARE(Textos(c, {"lblEAngular"}), QString()); // nothing until both vertices are whole
                Reteclear(En(c, campos[i]), tecleado[i], true);
            }
            QVERIFY(ConFoco(En<QPushButton>(c, "cmdAceptar")));
            QCOMPARE(Textos(c, {"lblEAngular", "lblEX", "lblEY", "lblEZ", "lblET"}),
                     QString::fromStdString(errores[0] + "|" + errores[1] + "|" + errores[2] + "|" + errores[3] + "|" + errores[4]));
            // An incomplete vertex empties the errors and refuses the closure.
            En(c, "txtBO_3")->clear();
            QCOMPARE(Textos(c, {"lblEX"}), QString());
            QCOMPARE(MensajeDe([c] { Clic(c, "cmdAceptar"); }), QString("Las bases no son válidas."));
            En(c, "txtBO_3")->setText("101");
            Clic(c, "cmdAceptar");
        });
        Elegir(principal_, "mnuPoligonalCerrar");
        QAction* compensar = principal_->findChild<QAction*>("mnuPoligonalCompensar");
        QVERIFY(compensar->isEnabled());
        QStringList filas;
        for (const std::string& f : FilasCierre(pe, pv, errores))
            filas << QString::fromStdString(f);
        cv::Lista* lista = En<cv::Lista>(h, "lstBases");
        QCOMPARE(ficheros::Filas(lista).mid(24), filas);

        // The report prints every row, the closure included; a rebuilt list drops the rows, not the closure.
        const QString ruta = carpeta_.filePath("informe.txt");
        QCOMPARE(Ejecutar(principal_, "mnuPoligonalImprimir", ruta)->texto, QString("Poligonal imprimida a archivo."));
        QCOMPARE(QString::fromUtf8(ficheros::Leer(ruta)), ficheros::Filas(lista).join("\r\n") + "\r\n");
        h->ActualizarListaBases();
        QVERIFY(lista->count() == 24 && compensar->isEnabled());

        // New starting vertices, both 1 km east: the whole traverse follows.
        const double x3 = h->colPoligonal[2].objBV.X;
        auto aviso = std::make_shared<std::shared_ptr<Mensaje>>();
        EnModal<frmEditarVerticesSalida>([aviso](frmEditarVerticesSalida* v) {
            QCOMPARE(Textos(v, {"txtBE_0", "txtBE_1", "txtBO_0", "txtBO_2"}), QString("P-2|1000.000|P-1|1100.000"));
            Reteclear(En(v, "txtBE_1"), "2000");
            Reteclear(En(v, "txtBO_1"), "2000");
            Reteclear(En(v, "txtBO_3"), "100", true);
            QVERIFY(ConFoco(En<QPushButton>(v, "cmdAceptar")));
            *aviso = Responder();
            Clic(v, "cmdAceptar");
        });
        Elegir(principal_, "mnuPoligonalVerticesdeSalida");
        QVERIFY(*aviso && (*aviso)->texto == "Vértices de salida cambiados." && (*aviso)->icono == QMessageBox::Information);
        QCOMPARE(Textos(h, {"lblEstacion", "lblBRadiadaX"}), "3|" + QString::fromStdString(F3(x3 + 1000.0)));
        QCOMPARE(lista->text(8), QString("2000.000"));
    }

    void guardarAbrirYGuardarDeNuevo()
    {
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        TresEstaciones(h, "A,B");
        const QString ruta = carpeta_.filePath("dia1.pol");
        QCOMPARE(Ejecutar(principal_, "mnuPoligonalGuardar", ruta)->texto, QString("Poligonal guardada."));
        QVERIFY(h->Guardada());
        h->parentWidget()->close();
        QVERIFY(!AparecioMensaje()); // just saved: nothing to ask
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        frmPoligonal::objVertice_BE = frmPoligonal::objVertice_BO = objPto(); // the file's come back
        std::shared_ptr<Dialogo> d;
        auto m = Ejecutar(principal_, "mnuPoligonalAbrir", ruta, &d);
        QCOMPARE(d->titulo + " " + m->texto, QString("Abrir Poligonal Poligonal abierta."));
        QCOMPARE(m->icono, QMessageBox::Information);
        h = principal_->Buscar<frmPoligonal>();
        QVERIFY(h && h->Guardada());
        QCOMPARE(MenuPoligonal(principal_), CON_CIERRE);
        // Station 1 shown and recomputed, the list rebuilt.
        QCOMPARE(Textos(h, {"lblEstacion", "txtObservacion_2", "lblBRadiadaX", "lblBRadiadaY", "lblBRadiadaZ"}),
                 "1|200.0012|" + Punto(Calculada(1)[0].objBV));
        const QString ruta2 = carpeta_.filePath("dia1b.pol");
        Ejecutar(principal_, "mnuPoligonalGuardar", ruta2);
        QCOMPARE(ficheros::Leer(ruta2), ficheros::Leer(ruta));
    }

    // The example traverse from the data collector: station 1 shown and the list rebuilt as after opening a .pol,
    // one message for the side shot, not saved; then closed on P-9 and P-8 and adjusted.
    void importarLibretaCerrarYCompensar()
    {
        const QString ruta = qEnvironmentVariable("CV_EXAMPLES") + "/poligonal.rw5";
        std::shared_ptr<Dialogo> d;
        auto m = Ejecutar(principal_, "mnuPoligonalImportar", ruta, &d);
        QCOMPARE(d->titulo + "|" + d->filtros.join("|"), QString("Importar libreta|Libreta Carlson RW5 (*.rw5)|"
                                                                 "Estación total GSI (*.gsi)"));
        QVERIFY2(m->texto.contains("101") && m->icono == QMessageBox::Warning, qPrintable(m->texto));
        frmPoligonal* h = principal_->Buscar<frmPoligonal>();
        QVERIFY(h && !h->Guardada() && !principal_->findChild<QAction*>("mnuPoligonalImportar")->isEnabled());
        QCOMPARE(MenuPoligonal(principal_), CON_CIERRE);
        LecturaLibreta l = LeerLibreta("poligonal.rw5", ficheros::Leer(ruta).toStdString());
        PrimeraEstacion(l.estaciones, l.BE, l.BO);
        PropagarBases(l.estaciones, 1);
        QCOMPARE(h->NumeroEstaciones(), 6);
        QCOMPARE(Textos(h, {"lblEstacion", "lblBE", "lblBO", "lblBRadiadaX", "lblBRadiadaY", "lblBRadiadaZ"}),
                 "1|P-2|P-1|" + Punto(l.estaciones[0].objBV));
        QStringList filas;
        for (const std::string& f : FilasListaBases(l.BE, l.BO, l.estaciones))
            filas << QString::fromStdString(f);
        QCOMPARE(ficheros::Filas(En<cv::Lista>(h, "lstBases")), filas);

        EnModal<frmCierrePoligonal>([](frmCierrePoligonal* c) {
            const QStringList v = {"P-9", "452866.5136", "4481344.7648", "624.7325",
                                   "P-8", "452912.8485", "4481478.3559", "630.1174"};
            for (int i = 0; i < 8; ++i)
                Teclear(En(c, QString(i < 4 ? "txtBE_%1" : "txtBO_%1").arg(i % 4)), v[i]);
            Clic(c, "cmdAceptar");
        });
        Elegir(principal_, "mnuPoligonalCerrar");
        Elegir(principal_, "mnuPoligonalCompensar");
        auto* w = principal_->Buscar<frmCompensacion>();
        QVERIFY(w && En<cv::Lista>(w, "lstCompensada")->count() > 0);
        QVERIFY2(std::abs(Textos(w, {"lblET"}).toDouble()) < 0.02, qPrintable(Textos(w, {"lblET"})));
    }

    void ficheroRotoCierraLaHoja()
    {
        const char basura[] = "\x01\x02\"\",,,\r\n,,,,\xff\xfe,\"x";
        const QByteArray cortado("\"P-2\",1000,1000,100\r\n\"P-1\",1000,1100,100\r\n\"P-2\",1000,1000,100\r\n"
                                 "\"P-1\",1000,1100,100\r\n\"E-1\",1,2,3\r\n0,200,100,300,100\r\n");
        for (const QByteArray& bytes : {cortado, QByteArray(basura, sizeof basura - 1)}) {
            const QString ruta = carpeta_.filePath("roto.pol");
            ficheros::Escribir(ruta, bytes);
            auto m = Ejecutar(principal_, "mnuPoligonalAbrir", ruta);
            QVERIFY2(ficheros::ConMotivo(m->texto, "Se produjo un error al abrir la poligonal. "),
                     qPrintable(m->texto));
            QCOMPARE(m->icono, QMessageBox::Critical);
            QCOMPARE(MenuPoligonal(principal_), SIN_HOJA);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!principal_->Buscar<frmPoligonal>());
        }
        // A field book without a station: the import refuses it and closes the sheet alike.
        ficheros::Escribir(carpeta_.filePath("vacia.rw5"), "JB,NMVACIA\r\n");
        auto m = Ejecutar(principal_, "mnuPoligonalImportar", carpeta_.filePath("vacia.rw5"));
        QVERIFY2(ficheros::ConMotivo(m->texto, "Se produjo un error al importar la libreta. "), qPrintable(m->texto));
        QCOMPARE(m->icono, QMessageBox::Critical);
        QCOMPARE(MenuPoligonal(principal_), SIN_HOJA);
    }

    void cancelarOFallarCadaDialogo()
    {
        std::shared_ptr<Dialogo> d;
        for (const char* item : {"mnuPoligonalAbrir", "mnuPoligonalImportar"}) {
            d = ResponderFichero(QString());
            Elegir(principal_, item);
            QVERIFY(d->visto && !AparecioMensaje());
            QCOMPARE(MenuPoligonal(principal_), SIN_HOJA); // cancelled: the sheet closed
        }
        frmPoligonal* h = principal_->MostrarHija<frmPoligonal>();
        const QString ruta = carpeta_.filePath("dia.pol");
        QCOMPARE(Ejecutar(principal_, "mnuPoligonalGuardar", ruta)->texto, QString("Poligonal guardada."));
        const QByteArray antiguo = ficheros::Leer(ruta);
        TresEstaciones(h);
        // The folder's files, the recovery file aside (the job may write it at any moment).
        const auto ficheros = [this] {
            QStringList l = QDir(carpeta_.path()).entryList(QDir::Files | QDir::Hidden);
            l.removeAll("recuperacion.trabajo");
            return l;
        };
        const QStringList antes = ficheros();
        for (auto [item, titulo] : {std::pair{"mnuPoligonalGuardar", "Guardar Poligonal"},
                                    {"mnuPoligonalExportar", "Exportar Poligonal"},
                                    {"mnuPoligonalImprimir", "Imprimir a archivo"}}) {
            d = ResponderFichero(QString());
            Elegir(principal_, item);
            QCOMPARE(d->titulo, QString(titulo));
            QVERIFY(!AparecioMensaje());
            // A folder that does not exist, then a full disk: the error; the file and the sheet as they were.
            auto m = Ejecutar(principal_, item, carpeta_.filePath("no-existe/dia.pol"));
            QVERIFY2(ficheros::ConMotivo(m->texto, ERROR_GUARDAR) && m->icono == QMessageBox::Critical,
                     qPrintable(m->texto));
            {
                ficheros::DiscoLleno lleno(16);
                m = Ejecutar(principal_, item, ruta);
            }
            QCOMPARE(m->texto, ERROR_GUARDAR + QString::fromLocal8Bit(strerror(EFBIG)));
            QCOMPARE(m->icono, QMessageBox::Critical);
            QCOMPARE(ficheros::Leer(ruta), antiguo);
            QCOMPARE(ficheros(), antes);
            QVERIFY(!h->Guardada());
        }
        // With room, the export: the sheet's points as a bases file.
        const QString tres = carpeta_.filePath("tres.bse");
        QCOMPARE(Ejecutar(principal_, "mnuPoligonalExportar", tres)->texto, QString("Poligonal guardada."));
        QVERIFY(!h->Guardada()); // exporting is not saving
        QCOMPARE(ficheros::Leer(tres).toStdString(), EscribirExportacion(VERTICE_P2, VERTICE_P1, h->colPoligonal));
    }

private:
    QTemporaryDir carpeta_;
    MDIfrmMain* principal_ = nullptr;
};

QTEST_MAIN(PruebaPoligonal)
#include "test_poligonal.moc"
