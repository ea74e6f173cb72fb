// The shared list operations on real list controls: their dialogs, files and
// messages, and the sample files of the program.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>

#include "Ayudantes.h"
#include "points/modFuncionesAuxiliares.h"

using namespace prueba;
using namespace prueba::ficheros;

namespace {

QString NombreInicial(const Dialogo& d)
{
    return d.seleccion.isEmpty() ? QString() : QFileInfo(d.seleccion.first()).completeBaseName();
}

} // namespace

class PruebaListasAuxiliares : public QObject {
    Q_OBJECT

    QWidget ventana;
    QListWidget* lista = nullptr;

private slots:
    void init()
    {
        lista = new QListWidget(&ventana);
        QVERIFY(Mostrar(&ventana));
    }
    void cleanup() { delete lista; }

    void exportarPuntosYTense()
    {
        QTemporaryDir carpeta;
        // An empty list exports nothing and opens no dialog.
        auto nada = std::make_shared<bool>(false);
        AlAparecer<QFileDialog>([nada](QFileDialog* d) {
            *nada = true;
            d->reject();
        }, 300);
        ExportarPuntos(lista, &ventana);
        ExportarTense(lista, &ventana);
        QTest::qWait(400);
        QVERIFY(!*nada);

        lista->addItems({"12 1000.000 2000.000 100.000", "", "13 1.000 2.000 3.000"});
        const QString puntos = carpeta.filePath("p.asc");
        auto d = ResponderFichero(puntos);
        auto m = Responder();
        ExportarPuntos(lista, &ventana);
        QVERIFY(d->visto);
        QCOMPARE(d->titulo, QString("Exportar puntos"));
        QCOMPARE(d->filtros, QStringList{"Cartavector 3.0 (*.asc)"});
        QCOMPARE(d->extension, QString("asc"));
        QCOMPARE(NombreInicial(*d), QString("Puntos"));
        QVERIFY(m->visto);
        QCOMPARE(m->texto, QString("Fichero guardado."));
        QCOMPARE(m->icono, QMessageBox::Information);
        QCOMPARE(Leer(puntos), QByteArray("12 1000.000 2000.000 100.000\r\n13 1.000 2.000 3.000\r\n"));

        // Without the suffix typed, the dialog adds it.
        auto t = ResponderFichero(carpeta.filePath("catenaria"));
        auto mt = Responder();
        ExportarTense(lista, &ventana);
        QVERIFY(t->visto && mt->visto);
        QCOMPARE(t->titulo, QString("Exportar tense"));
        QCOMPARE(t->filtros, QStringList{"Cartavector 3.0 (*.tse)"});
        QCOMPARE(t->extension, QString("tse"));
        QCOMPARE(NombreInicial(*t), QString("Tense"));
        QCOMPARE(Leer(carpeta.filePath("catenaria.tse")),
                 QByteArray("12 1000.000 2000.000 100.000\r\n\r\n13 1.000 2.000 3.000\r\n"));

        // An empty base list saves an empty file, and says so.
        QListWidget bases;
        auto b = ResponderFichero(carpeta.filePath("vacio.bse"));
        auto mb = Responder();
        GuardarFicheroBases(&bases, &ventana);
        QVERIFY(b->visto && mb->visto);
        QCOMPARE(mb->texto, QString("Fichero guardado."));
        QCOMPARE(Leer(carpeta.filePath("vacio.bse")), QByteArray(""));

        // A place where no file can be made: the saving message, nothing written.
        auto f = ResponderFichero(carpeta.filePath("no_hay/p.asc"));
        auto mf = Responder();
        ExportarPuntos(lista, &ventana);
        QVERIFY(f->visto && mf->visto);
        QVERIFY2(mf->texto.startsWith("Se produjo un error al guardar el fichero. ") &&
                     mf->texto.size() > QString("Se produjo un error al guardar el fichero. ").size(),
                 qPrintable(mf->texto));
        QCOMPARE(mf->icono, QMessageBox::Critical);
        QCOMPARE(mf->titulo, QString("cartavector"));
    }

    void abrirPuntosYObservaciones()
    {
        QTemporaryDir carpeta;
        const QString puntos = carpeta.filePath("p.asc");
        QVERIFY(Escribir(puntos, "12.5 10 20 30\r\n13.5 1 2 3\nA7 1 2 3\n\n"));
        lista->addItems({"de antes"});
        auto d = ResponderFichero(puntos);
        AbrirFicheroPuntos(lista, &ventana);
        QVERIFY(d->visto);
        QCOMPARE(d->titulo, QString("Abrir fichero de puntos"));
        QCOMPARE(d->filtros, QStringList{"Cartavector 3.0 (*.asc)"});
        QCOMPARE(d->extension, QString("asc"));
        QCOMPARE(Filas(lista),
                 QStringList({"12 10.000 20.000 30.000", "14 1.000 2.000 3.000", "0 1.000 2.000 3.000"}));

        // Cancelling still leaves the list emptied: it is emptied before asking.
        auto c = ResponderFichero("");
        AbrirFicheroPuntos(lista, &ventana);
        QVERIFY(c->visto);
        QCOMPARE(lista->count(), 0);

        const QString obs = carpeta.filePath("campo.obs");
        QVERIFY(Escribir(obs, "101,123.45678,98.7,25.3,1.5\r\n102,1,2,3,4\r\n103,1"));
        lista->addItems({"de antes"});
        auto o = ResponderFichero(obs);
        auto m = Responder();
        AbrirFicheroObservaciones(lista, &ventana);
        QVERIFY(o->visto);
        QCOMPARE(o->titulo, QString("Abrir fichero de observaciones"));
        QCOMPARE(o->filtros.size(), 2);
        QCOMPARE(o->filtros[0], QString("Cartavector 3.0 texto (*.txt)"));
        QCOMPARE(o->filtros[1], QString("(*.obs)"));
        QCOMPARE(o->extension, QString("txt"));
        // The record cut short is reported; the ones before it stay.
        QVERIFY(m->visto);
        QVERIFY(m->texto.startsWith("Se produjo un error al abrir el fichero. "));
        QCOMPARE(m->icono, QMessageBox::Critical);
        QCOMPARE(Filas(lista),
                 QStringList({"101 123.4568 98.7000 25.300 1.500", "102 1.0000 2.0000 3.000 4.000"}));
    }

    void cortarFilaYMostrarSeleccion()
    {
        QLabel n, x, y, z;
        lista->addItems({"1 10 20,5 abc", "2 1.0004 2 3", "3 0 0 0"});
        SeleccionarFila(lista, 0);
        MostrarPuntoSeleccionado(lista, &n, &x, &y, &z);
        QCOMPARE(QStringList({n.text(), x.text(), y.text(), z.text()}),
                 QStringList({"1", "10.000", "20.500", "0.000"}));
        SeleccionarFila(lista, 2);
        CortarFilaSeleccionada(lista);
        QCOMPARE(lista->count(), 2);
        QCOMPARE(FilaSeleccionada(lista), 1);
        CortarFilaSeleccionada(lista);
        QCOMPARE(Filas(lista), QStringList{"1 10 20,5 abc"});
        QCOMPARE(FilaSeleccionada(lista), 0);
        CortarFilaSeleccionada(lista);
        QCOMPARE(lista->count(), 0);
        QCOMPARE(FilaSeleccionada(lista), -1);
        MostrarPuntoSeleccionado(lista, &n, &x, &y, &z);
        QVERIFY(n.text().isEmpty() && x.text().isEmpty() && z.text().isEmpty());

        lista->addItems({"P-1", "", "1000,5", "2000", "-3.25", ""});
        SeleccionarFila(lista, 0);
        MostrarBaseSeleccionada(lista, &n, &x, &y, &z);
        QCOMPARE(QStringList({n.text(), x.text(), y.text(), z.text()}),
                 QStringList({"P-1", "1000.500", "2000.000", "-3.250"}));
        SeleccionarFila(lista, 2);
        MostrarBaseSeleccionada(lista, &n, &x, &y, &z);
        QVERIFY(n.text().isEmpty() && x.text().isEmpty() && y.text().isEmpty() && z.text().isEmpty());
        CortarBaseSeleccionada(lista);
        QCOMPARE(lista->count(), 6);
        SeleccionarFila(lista, 0);
        CortarBaseSeleccionada(lista);
        QCOMPARE(lista->count(), 0);
    }

    void existeFichero()
    {
        QTemporaryDir carpeta;
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
            const double v = p[2].toDouble();
            const double di = p[3].toDouble();
            QVERIFY2(v > 90 && v < 110 && di > 5 && di < 250, qPrintable(fila));
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
