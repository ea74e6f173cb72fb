// The base editor driven as a surveyor would: keys in the four boxes, the
// buttons, and the bases files answered through the file dialog.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>

#include "Ayudantes.h"
#include "core/Configuracion.h"
#include "points/frmEditarBases.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/MDIfrmMain.h"

using namespace prueba;
using namespace prueba::ficheros;

namespace {

const QString ERROR_ABRIR = QStringLiteral("Se produjo un error al abrir el fichero. ");
const QString ERROR_GUARDAR = QStringLiteral("Se produjo un error al guardar el fichero. ");

} // namespace

class PruebaEditarBases : public QObject {
    Q_OBJECT

    QLineEdit* txt[4] = {};
    QListWidget* lst = nullptr;

    void Enlazar(frmEditarBases& w)
    {
        for (int i = 0; i < 4; ++i)
            txt[i] = Control<QLineEdit>(&w, QString("txtBase_%1").arg(i));
        lst = Control<QListWidget>(&w, "lstBases");
    }

    // Types one base and adds it with Enter on Z, then Enter on the button.
    void TeclearBase(frmEditarBases& w, const QString& nombre, const QString& x, const QString& y, const QString& z)
    {
        const QString valores[4] = {nombre, x, y, z};
        for (int i = 0; i < 4; ++i) {
            Teclear(txt[i], valores[i]);
            QTest::keyClick(txt[i], Qt::Key_Return);
        }
        auto* anadir = Control<QPushButton>(&w, "cmdAnadirBase");
        QVERIFY(ConFoco(anadir));
        QTest::keyClick(anadir, Qt::Key_Return);
    }

private slots:
    void contratoDeLaVentana()
    {
        frmEditarBases w;
        QCOMPARE(w.objectName(), QString("frmEditarBases"));
        QCOMPARE(w.windowTitle(), QString("Edición manual de bases"));
        Enlazar(w);
        for (auto* t : txt) {
            QVERIFY(t);
            QVERIFY(t->text().isEmpty());
        }
        QVERIFY(lst);
        QCOMPARE(lst->count(), 0);
        const QStringList etiquetas{"Base ....", "X .......", "Y .......", "Z .......", "Bases", "Listado"};
        QStringList vistas;
        for (auto* l : w.findChildren<QLabel*>())
            vistas << l->text();
        for (const auto& e : etiquetas)
            QVERIFY2(vistas.contains(e), qPrintable(e));
        const QPair<QString, QString> botones[] = {{"cmdAnadirBase", "Añandir base"},
                                                   {"cmdAbrirBases", "Abrir fichero de bases"},
                                                   {"cmdGuardarFichero", "Guardar fichero de bases"},
                                                   {"cmdCortarBase", "Cortar base seleccionada"},
                                                   {"cmdBorrarBases", "Borrar todas las bases"}};
        for (const auto& [nombre, ayuda] : botones) {
            auto* b = Control<QAbstractButton>(&w, nombre);
            QVERIFY(b);
            QCOMPARE(b->toolTip(), ayuda);
        }
        QCOMPARE(lst->font().family(), QString("Courier New"));
        QCOMPARE(lst->font().styleHint(), QFont::TypeWriter);
    }

    void teclasFiltradasYOrdenDeFoco()
    {
        frmEditarBases w;
        QVERIFY(Mostrar(&w));
        Enlazar(w);
        Teclear(txt[0], "p-1");
        QCOMPARE(txt[0]->text(), QString("P-1"));
        Teclear(txt[1], "-1,2a3.5");
        QCOMPARE(txt[1]->text(), QString("123.5"));
        // Enter walks the boxes and ends on the add button without pressing it.
        txt[0]->setFocus();
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(txt[i], Qt::Key_Return);
            QVERIFY(ConFoco(txt[i + 1]));
        }
        QTest::keyClick(txt[3], Qt::Key_Return);
        QVERIFY(ConFoco(Control<QPushButton>(&w, "cmdAnadirBase")));
        QCOMPARE(lst->count(), 0);
        // The arrows move one box and stop at both ends.
        txt[3]->setFocus();
        QTest::keyClick(txt[3], Qt::Key_Down);
        QVERIFY(ConFoco(txt[3]));
        QTest::keyClick(txt[3], Qt::Key_Up);
        QVERIFY(ConFoco(txt[2]));
        QTest::keyClick(txt[2], Qt::Key_Up);
        QTest::keyClick(txt[1], Qt::Key_Up);
        QVERIFY(ConFoco(txt[0]));
        QTest::keyClick(txt[0], Qt::Key_Up);
        QVERIFY(ConFoco(txt[0]));
        QTest::keyClick(txt[0], Qt::Key_Down);
        QVERIFY(ConFoco(txt[1]));
    }

    void anadirBasesPorTeclado()
    {
        frmEditarBases w;
        QVERIFY(Mostrar(&w));
        Enlazar(w);
        TeclearBase(w, "e1", "456123.4564", "4485000", "652.1");
        QCOMPARE(Filas(lst), QStringList({"E1", "", "456123.456", "4485000.000", "652.100", ""}));
        for (auto* t : txt)
            QVERIFY(t->text().isEmpty());
        QVERIFY(ConFoco(txt[0]));
        QCOMPARE(lst->currentRow(), 0);
        TeclearBase(w, "e2", "10", "20.", "0.0005");
        QCOMPARE(lst->count(), 12);
        QCOMPARE(Filas(lst).mid(6), QStringList({"E2", "", "10.000", "20.000", "0.001", ""}));
        QCOMPARE(lst->currentRow(), 6);
        // A pasted coordinate skips the key filter but is still checked, and
        // a decimal comma pasted in is read as the decimal point.
        txt[0]->setText("P 3");
        txt[1]->setText("-12,5");
        txt[2]->setText("1");
        txt[3]->setText("2");
        Control<QPushButton>(&w, "cmdAnadirBase")->click();
        QCOMPARE(Filas(lst).mid(12), QStringList({"P 3", "", "-12.500", "1.000", "2.000", ""}));
    }

    void anadirBaseIncompletaAvisa()
    {
        frmEditarBases w;
        QVERIFY(Mostrar(&w));
        Enlazar(w);
        auto* anadir = Control<QPushButton>(&w, "cmdAnadirBase");
        const QString casos[][4] = {{"", "1", "2", "3"}, {"A", "", "2", "3"}, {"A", "1", "2", "abc"},
                                    {"A", "1.2.3", "2", "3"}, {"A", "1", "-", "3"}};
        for (const auto& caso : casos) {
            for (int i = 0; i < 4; ++i)
                txt[i]->setText(caso[i]);
            auto m = Responder();
            anadir->click();
            QVERIFY(m->visto);
            QCOMPARE(m->titulo, QString("cartavector"));
            QCOMPARE(m->texto, QString("Los datos no son válidos o están en blanco."));
            QCOMPARE(m->icono, QMessageBox::Warning);
            QCOMPARE(lst->count(), 0);
            QCOMPARE(txt[0]->text(), caso[0]); // the boxes keep what was typed
            QCOMPARE(txt[3]->text(), caso[3]);
        }
    }

    void cortarYBorrar()
    {
        frmEditarBases w;
        QVERIFY(Mostrar(&w));
        Enlazar(w);
        for (const char* n : {"A", "B", "C"}) {
            TeclearBase(w, n, "1", "2", "3");
        }
        auto* cortar = Control<QPushButton>(&w, "cmdCortarBase");
        lst->setCurrentRow(8); // the Y row of B: not a base
        cortar->click();
        QCOMPARE(lst->count(), 18);
        lst->setCurrentRow(6);
        cortar->click();
        QCOMPARE(lst->count(), 12);
        QCOMPARE(lst->item(0)->text(), QString("A"));
        QCOMPARE(lst->item(6)->text(), QString("C"));
        QCOMPARE(lst->currentRow(), -1);
        cortar->click(); // nothing selected: nothing happens
        QCOMPARE(lst->count(), 12);

        auto* borrar = Control<QPushButton>(&w, "cmdBorrarBases");
        auto no = Responder(QMessageBox::No);
        borrar->click();
        QVERIFY(no->visto);
        QCOMPARE(no->texto, QString("¿Confirma que desea borrar todas las bases?"));
        QCOMPARE(no->icono, QMessageBox::NoIcon);
        QCOMPARE(no->botones, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(lst->count(), 12);
        borrar->setFocus();
        auto si = Responder(QMessageBox::Yes);
        borrar->click();
        QVERIFY(si->visto);
        QCOMPARE(lst->count(), 0);
        QVERIFY(ConFoco(txt[0]));
    }

    void guardarYAbrirFicheroDeBases()
    {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath("obra.bse");
        frmEditarBases w;
        QVERIFY(Mostrar(&w));
        Enlazar(w);
        TeclearBase(w, "p-1", "1000.5", "2000", "100.25");
        TeclearBase(w, "e2", "0", "0.0004", "3");
        const QStringList hechas = Filas(lst);

        auto d = ResponderFichero(ruta);
        auto m = Responder();
        Control<QPushButton>(&w, "cmdGuardarFichero")->click();
        QVERIFY(d->visto);
        QCOMPARE(d->titulo, QString("Exportar fichero de bases"));
        QCOMPARE(d->filtros, QStringList{"Cartavector 3.0 (*.bse)"});
        QCOMPARE(d->extension, QString("bse"));
        QVERIFY(!d->nativo);
        QVERIFY2(!d->seleccion.isEmpty() && QFileInfo(d->seleccion.first()).completeBaseName() == "Bases", qPrintable(d->seleccion.join("|")));
        QVERIFY(m->visto);
        QCOMPARE(m->texto, QString("Fichero guardado."));
        QCOMPARE(m->icono, QMessageBox::Information);
        QCOMPARE(Leer(ruta), QByteArray("\"P-1\",\"1000.500\",\"2000.000\",\"100.250\"\r\n"
                                        "\"E2\",\"0.000\",\"0.000\",\"3.000\"\r\n"));

        // Opening appends to what is listed: twice the same file, twice the bases.
        auto* abrir = Control<QPushButton>(&w, "cmdAbrirBases");
        for (int vez = 1; vez <= 2; ++vez) {
            auto a = ResponderFichero(ruta);
            abrir->click();
            QVERIFY(a->visto);
            QCOMPARE(a->titulo, QString("Abrir fichero de bases"));
            QCOMPARE(a->filtros, QStringList{"Cartavector 3.0 (*.bse)"});
            QCOMPARE(a->extension, QString("bse"));
            QCOMPARE(lst->count(), 12 * (vez + 1));
            QVERIFY(ConFoco(txt[0]));
        }
        QCOMPARE(Filas(lst).mid(12, 12), hechas);
        QCOMPARE(Filas(lst).mid(24), hechas);

        // Cancelling either dialog changes nothing and says nothing.
        auto c1 = ResponderFichero("");
        abrir->click();
        QVERIFY(c1->visto);
        QCOMPARE(lst->count(), 36);
        QFile::remove(ruta);
        auto c2 = ResponderFichero("");
        Control<QPushButton>(&w, "cmdGuardarFichero")->click();
        QVERIFY(c2->visto);
        QVERIFY(!QFile::exists(ruta));
    }

    void ficherosQueFallan()
    {
        QTemporaryDir carpeta;
        frmEditarBases w;
        QVERIFY(Mostrar(&w));
        Enlazar(w);
        auto* abrir = Control<QPushButton>(&w, "cmdAbrirBases");

        // A file that ends in the middle of its second base: the first stays.
        const QString truncado = carpeta.filePath("truncado.bse");
        QVERIFY(Escribir(truncado, "\"A\",\"1\",\"2\",\"3\"\r\n\"B\",\"4\""));
        auto d = ResponderFichero(truncado);
        auto m = Responder();
        abrir->click();
        QVERIFY(d->visto && m->visto);
        QVERIFY2(m->texto.startsWith(ERROR_ABRIR) && m->texto.size() > ERROR_ABRIR.size(), qPrintable(m->texto));
        QCOMPARE(m->icono, QMessageBox::Critical);
        QCOMPARE(Filas(lst), QStringList({"A", "", "1.000", "2.000", "3.000", ""}));

        // Binary rubbish never takes the list out of whole bases.
        const QString basura = carpeta.filePath("basura.bse");
        QByteArray bytes;
        for (int i = 0; i < 5000; ++i)
            bytes.append(static_cast<char>((i * 7919 + i / 13) % 256));
        QVERIFY(Escribir(basura, bytes));
        auto d2 = ResponderFichero(basura);
        auto m2 = Responder();
        abrir->click();
        QVERIFY(d2->visto);
        QCOMPARE(lst->count() % 6, 0);
        QCOMPARE(Filas(lst).mid(0, 6), QStringList({"A", "", "1.000", "2.000", "3.000", ""}));
        QVERIFY(m2->visto); // this rubbish ends in the middle of a base
        QVERIFY(m2->texto.startsWith(ERROR_ABRIR));

        // A folder picked in the dialog only opens the folder; cancelling
        // there leaves the list alone.
        const int antes = lst->count();
        auto carpetaElegida = std::make_shared<bool>(false);
        AlAparecer<QFileDialog>([carpetaElegida, &carpeta](QFileDialog* dialogo) {
            dialogo->findChild<QLineEdit*>("fileNameEdit")->setText(carpeta.path());
            static_cast<QDialog*>(dialogo)->accept();
            *carpetaElegida = dialogo->isVisible();
            dialogo->reject();
        });
        abrir->click();
        QVERIFY(*carpetaElegida);
        QCOMPARE(lst->count(), antes);

        // A folder or a missing file reaching the reading: the opening message
        // with the system's words, and the list as it was.
        for (const QString& ruta : {carpeta.filePath("no_existe.bse"), carpeta.path()}) {
            auto m3 = Responder();
            QVERIFY(!CargarFichero(lst, &w, ruta, TipoFichero::Bases));
            QVERIFY(m3->visto);
            QVERIFY2(m3->texto.startsWith(ERROR_ABRIR) && m3->texto.size() > ERROR_ABRIR.size(),
                     qPrintable(m3->texto));
            QCOMPARE(m3->icono, QMessageBox::Critical);
            QCOMPARE(lst->count(), antes);
        }
        lst->clear();

        // Saving where no file can be made.
        TeclearBase(w, "A", "1", "2", "3");
        auto d4 = ResponderFichero(carpeta.filePath("no_hay/carpeta.bse"));
        auto m4 = Responder();
        Control<QPushButton>(&w, "cmdGuardarFichero")->click();
        QVERIFY(d4->visto);
        QVERIFY(m4->visto);
        QVERIFY2(m4->texto.startsWith(ERROR_GUARDAR) && m4->texto.size() > ERROR_GUARDAR.size(),
                 qPrintable(m4->texto));
        QCOMPARE(m4->icono, QMessageBox::Critical);
        QCOMPARE(lst->count(), 6);
    }

    void seAbreDesdeElMenu()
    {
        QTemporaryDir carpeta;
        FijarCarpetaPrograma(carpeta.path().toStdString());
        Configuracion c{0.08, 0};
        GuardarConfiguracion(c);
        MDIfrmMain principal;
        principal.findChild<QAction*>("mnuBasesEditarBases")->trigger();
        auto* w = principal.Buscar<frmEditarBases>();
        QVERIFY(w);
        QVERIFY(w->isWindow()); // a window of its own, outside the frame
        QVERIFY(w->isVisible());
        principal.findChild<QAction*>("mnuBasesEditarBases")->trigger();
        QCOMPARE(principal.Buscar<frmEditarBases>(), w);
    }
};

QTEST_MAIN(PruebaEditarBases)
#include "test_editar_bases.moc"
