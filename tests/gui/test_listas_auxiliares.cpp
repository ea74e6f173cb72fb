// The shared list operations on real list controls: their dialogs, files and
// messages, and the sample files of the program.
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>

#include "Ayudantes.h"
#include "points/modFuncionesAuxiliares.h"

using namespace prueba;
using namespace prueba::ficheros;

namespace {

// Closes, and counts, every message box shown while it lives.
class Avisos {
public:
    Avisos()
    {
        temporizador_.setInterval(20);
        QObject::connect(&temporizador_, &QTimer::timeout, [this] {
            if (auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++vistos;
                caja->done(QMessageBox::Ok);
            }
        });
        temporizador_.start();
    }
    int vistos = 0;

private:
    QTimer temporizador_;
};

} // namespace

class PruebaListasAuxiliares : public QObject {
    Q_OBJECT

    QWidget ventana;
    QListWidget* lista = nullptr;
    QTemporaryDir carpeta;

private slots:
    void init()
    {
        lista = new QListWidget(&ventana);
        QVERIFY(Mostrar(&ventana));
    }
    void cleanup() { delete lista; }

    // Every file dialog once: title, filters, suffix and initial name; cancelled,
    // nothing is said and only the openings that empty the list first leave it empty.
    void dialogos()
    {
        using Operacion = void (*)(QListWidget*, QWidget*);
        const struct {
            Operacion operacion;
            QString titulo;
            QStringList filtros;
            QString extension, inicial;
            int filas;
        } casos[] = {
            {ExportarPuntos, "Exportar puntos", {"Cartavector 3.0 (*.asc)"}, "asc", "Puntos", 6},
            {ExportarTense, "Exportar tense", {"Cartavector 3.0 (*.tse)"}, "tse", "Tense", 6},
            {GuardarFicheroBases, "Exportar fichero de bases", {"Cartavector 3.0 (*.bse)"}, "bse", "Bases", 6},
            {AbrirFicheroBases, "Abrir fichero de bases", {"Cartavector 3.0 (*.bse)"}, "bse", "", 6},
            {AbrirFicheroPuntos, "Abrir fichero de puntos", {"Cartavector 3.0 (*.asc)"}, "asc", "", 0},
            {AbrirFicheroObservaciones,
             "Abrir fichero de observaciones",
             {"Cartavector 3.0 texto (*.txt)", "(*.obs)"},
             "txt",
             "",
             0},
        };
        for (const auto& c : casos) {
            lista->clear();
            lista->addItems({"1", "", "1.000", "2.000", "3.000", ""});
            Avisos avisos;
            auto d = ResponderFichero(QString());
            c.operacion(lista, &ventana);
            QVERIFY2(d->visto, qPrintable(c.titulo));
            QCOMPARE(d->titulo, c.titulo);
            QCOMPARE(d->filtros, c.filtros);
            QCOMPARE(d->extension, c.extension);
            QVERIFY(!d->nativo);
            if (!c.inicial.isEmpty())
                QCOMPARE(QFileInfo(d->seleccion.value(0)).completeBaseName(), c.inicial);
            QCOMPARE(avisos.vistos, 0);
            QCOMPARE(lista->count(), c.filas);
        }
    }

    void exportarPuntosYTense()
    {
        // An empty list exports nothing and opens no dialog.
        auto nada = std::make_shared<bool>(false);
        AlAparecer<QFileDialog>(
            [nada](QFileDialog* d) {
                *nada = true;
                d->reject();
            },
            300);
        ExportarPuntos(lista, &ventana);
        ExportarTense(lista, &ventana);
        QTest::qWait(400);
        QVERIFY(!*nada);

        // Points leave out blank rows; the tense keeps them; the dialog adds the suffix.
        lista->addItems({"12 1000.000 2000.000 100.000", "", "13 1.000 2.000 3.000"});
        const QString puntos = carpeta.filePath("p.asc");
        auto d = ResponderFichero(puntos);
        auto m = Responder();
        ExportarPuntos(lista, &ventana);
        QVERIFY(d->visto && m->visto);
        QCOMPARE(m->texto, QString("Fichero guardado."));
        QCOMPARE(m->icono, QMessageBox::Information);
        QCOMPARE(Leer(puntos), QByteArray("12 1000.000 2000.000 100.000\r\n13 1.000 2.000 3.000\r\n"));
        d = ResponderFichero(carpeta.filePath("catenaria"));
        m = Responder();
        ExportarTense(lista, &ventana);
        QVERIFY(d->visto && m->visto);
        QCOMPARE(Leer(carpeta.filePath("catenaria.tse")),
                 QByteArray("12 1000.000 2000.000 100.000\r\n\r\n13 1.000 2.000 3.000\r\n"));

        // An empty base list saves an empty file, and says so.
        QListWidget bases;
        d = ResponderFichero(carpeta.filePath("vacio.bse"));
        m = Responder();
        GuardarFicheroBases(&bases, &ventana);
        QVERIFY(d->visto && m->visto);
        QCOMPARE(m->texto, QString("Fichero guardado."));
        QCOMPARE(Leer(carpeta.filePath("vacio.bse")), QByteArray(""));

        // A place where no file can be made: the saving message, nothing written.
        d = ResponderFichero(carpeta.filePath("no_hay/p.asc"));
        m = Responder();
        ExportarPuntos(lista, &ventana);
        QVERIFY(d->visto && m->visto);
        QVERIFY2(ConMotivo(m->texto, ERROR_GUARDAR), qPrintable(m->texto));
        QCOMPARE(m->icono, QMessageBox::Critical);
        QCOMPARE(m->titulo, QString("cartavector"));
    }

    void abrirFicheros()
    {
        const QString puntos = carpeta.filePath("p.asc");
        QVERIFY(Escribir(puntos, "12.5 10 20 30\r\n13.5 1 2 3\nA7 1 2 3\n\n"));
        lista->addItems({"de antes"});
        auto d = ResponderFichero(puntos);
        AbrirFicheroPuntos(lista, &ventana);
        QVERIFY(d->visto);
        QCOMPARE(Filas(lista), QStringList({"12 10.000 20.000 30.000", "14 1.000 2.000 3.000", "0 1.000 2.000 3.000"}));
        lista->clear();

        // The record cut short is reported; the ones before it stay.
        const QString obs = carpeta.filePath("campo.obs");
        QVERIFY(Escribir(obs, "101,123.45678,98.7,25.3,1.5\r\n102,1,2,3,4\r\n103,1"));
        lista->addItems({"de antes"});
        d = ResponderFichero(obs);
        auto m = Responder();
        AbrirFicheroObservaciones(lista, &ventana);
        QVERIFY(d->visto && m->visto);
        QVERIFY2(ConMotivo(m->texto, ERROR_ABRIR), qPrintable(m->texto));
        QCOMPARE(m->icono, QMessageBox::Critical);
        QCOMPARE(Filas(lista), QStringList({"101 123.4568 98.7000 25.300 1.500", "102 1.0000 2.0000 3.000 4.000"}));

        // A missing file or a folder reaching the reading: the opening message, the list as it was.
        for (const QString& ruta : {carpeta.filePath("no_existe.bse"), carpeta.path()}) {
            m = Responder();
            QVERIFY(!CargarFichero(lista, &ventana, ruta, TipoFichero::Bases));
            QVERIFY(m->visto);
            QVERIFY2(ConMotivo(m->texto, ERROR_ABRIR), qPrintable(m->texto));
            QCOMPARE(m->icono, QMessageBox::Critical);
            QCOMPARE(lista->count(), 2);
        }
    }

    void cortarFilaYMostrarSeleccion()
    {
        QLabel n, x, y, z;
        auto textos = [&] { return QStringList({n.text(), x.text(), y.text(), z.text()}); };
        lista->addItems({"1 10 20,5 abc", "2 1.0004 2 3", "3 0 0 0"});
        SeleccionarFila(lista, 0);
        MostrarPuntoSeleccionado(lista, &n, &x, &y, &z);
        QCOMPARE(textos(), QStringList({"1", "10.000", "20.500", "0.000"}));
        SeleccionarFila(lista, 2);
        CortarFilaSeleccionada(lista);
        QCOMPARE(FilaSeleccionada(lista), 1);
        CortarFilaSeleccionada(lista);
        QCOMPARE(Filas(lista), QStringList{"1 10 20,5 abc"});
        QCOMPARE(FilaSeleccionada(lista), 0);
        CortarFilaSeleccionada(lista);
        QCOMPARE(FilaSeleccionada(lista), -1);
        MostrarPuntoSeleccionado(lista, &n, &x, &y, &z);
        QCOMPARE(textos().join(""), QString());

        lista->addItems({"P-1", "", "1000,5", "2000", "-3.25", ""});
        SeleccionarFila(lista, 0);
        MostrarBaseSeleccionada(lista, &n, &x, &y, &z);
        QCOMPARE(textos(), QStringList({"P-1", "1000.500", "2000.000", "-3.250"}));
        SeleccionarFila(lista, 2); // not a name row
        MostrarBaseSeleccionada(lista, &n, &x, &y, &z);
        QCOMPARE(textos().join(""), QString());
        CortarBaseSeleccionada(lista);
        QCOMPARE(lista->count(), 6);
        SeleccionarFila(lista, 0);
        CortarBaseSeleccionada(lista);
        QCOMPARE(lista->count(), 0);

        const QString f = carpeta.filePath("a.bse");
        QVERIFY(!ExisteFichero(f));
        QVERIFY(Escribir(f, ""));
        QVERIFY(ExisteFichero(f));
        QVERIFY(ExisteFichero(carpeta.path())); // a folder counts too
        QVERIFY(!ExisteFichero(QString()));
    }

    void ficherosDeEjemplo()
    {
        const QString ejemplos = qEnvironmentVariable("CV_EXAMPLES");
        if (ejemplos.isEmpty())
            QSKIP("CV_EXAMPLES no está definida");
        QVERIFY(CargarFichero(lista, &ventana, ejemplos + "/obra.bse", TipoFichero::Bases));
        QVERIFY(lista->count() >= 36 && lista->count() % 6 == 0);
        for (int i = 0; i < lista->count(); i += 6) {
            const double x = lista->item(i + 2)->text().toDouble();
            const double y = lista->item(i + 3)->text().toDouble();
            const double z = lista->item(i + 4)->text().toDouble();
            QVERIFY(x > 450000 && x < 460000 && y > 4480000 && y < 4490000 && z > 600 && z < 700);
        }
        lista->clear();
        QVERIFY(CargarFichero(lista, &ventana, ejemplos + "/obra.asc", TipoFichero::Puntos));
        QVERIFY(lista->count() > 0);
        lista->clear();
        QVERIFY(CargarFichero(lista, &ventana, ejemplos + "/obra.txt", TipoFichero::Observaciones));
        QVERIFY(lista->count() >= 20 && lista->count() <= 40);
        for (const QString& fila : Filas(lista)) {
            const QStringList p = fila.split(' ');
            QCOMPARE(p.size(), 5);
            QVERIFY2(p[2].toDouble() > 90 && p[2].toDouble() < 110 && p[3].toDouble() > 5 && p[3].toDouble() < 250,
                     qPrintable(fila));
        }
        // The samples are written as the program writes: CR LF line ends.
        for (const char* nombre : {"/obra.bse", "/obra.asc", "/obra.txt"}) {
            const QByteArray datos = Leer(ejemplos + nombre);
            QCOMPARE(datos.count('\n'), datos.count("\r\n"));
            QVERIFY(datos.endsWith("\r\n"));
        }
    }
};

QTEST_MAIN(PruebaListasAuxiliares)
#include "test_listas_auxiliares.moc"
