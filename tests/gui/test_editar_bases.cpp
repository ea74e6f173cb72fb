#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "Ayudantes.h"
#include "core/Configuracion.h"
#include "points/frmEditarBases.h"
#include "shell/MDIfrmMain.h"

using namespace prueba;
using namespace prueba::ficheros;

class PruebaEditarBases : public QObject {
    Q_OBJECT

    QLineEdit* txt[4] = {};
    QListWidget* lst = nullptr;
    QPushButton* anadir = nullptr;

    void Enlazar(frmEditarBases& w)
    {
        for (int i = 0; i < 4; ++i)
            txt[i] = Control<QLineEdit>(&w, QString("txtBase_%1").arg(i));
        lst = Control<QListWidget>(&w, "lstBases");
        anadir = Control<QPushButton>(&w, "cmdAnadirBase");
    }

    // Types one base with Enter after each box, which walks to the add button
    // without pressing it, then Enter on the button.
    void TeclearBase(const QString& nombre, const QString& x, const QString& y, const QString& z)
    {
        const QString valores[4] = {nombre, x, y, z};
        const int antes = lst->count();
        txt[0]->setFocus();
        for (int i = 0; i < 4; ++i) {
            QVERIFY(ConFoco(txt[i]));
            QTest::keyClicks(txt[i], valores[i]);
            QTest::keyClick(txt[i], Qt::Key_Return);
        }
        QVERIFY(ConFoco(anadir));
        QCOMPARE(lst->count(), antes);
        QTest::keyClick(anadir, Qt::Key_Return);
    }

private slots:
    void anadirBasesPorTeclado()
    {
        frmEditarBases w;
        QVERIFY(Mostrar(&w));
        Enlazar(w);
        // Keys filtered; the arrows move one box and stop at both ends.
        Teclear(txt[0], "p-1");
        QCOMPARE(txt[0]->text(), QString("P-1"));
        Teclear(txt[1], "-1,2a3.5");
        QCOMPARE(txt[1]->text(), QString("123.5"));
        QTest::keyClick(txt[1], Qt::Key_Up);
        QTest::keyClick(txt[0], Qt::Key_Up);
        QVERIFY(ConFoco(txt[0]));
        txt[3]->setFocus();
        QTest::keyClick(txt[3], Qt::Key_Down);
        QVERIFY(ConFoco(txt[3]));
        for (auto* t : txt)
            t->clear();

        TeclearBase("e1", "456123.4564", "4485000", "652.1");
        QCOMPARE(Filas(lst), QStringList({"E1", "", "456123.456", "4485000.000", "652.100", ""}));
        for (auto* t : txt)
            QVERIFY(t->text().isEmpty());
        QVERIFY(ConFoco(txt[0]));
        TeclearBase("e2", "10", "20.", "0.0005");
        QCOMPARE(Filas(lst).mid(6), QStringList({"E2", "", "10.000", "20.000", "0.001", ""}));
        QCOMPARE(lst->currentRow(), 6);
        // Pasted text skips the key filter but is still read: a comma is the decimal point.
        const char* pegados[4] = {"P 3", "-12,5", "1", "2"};
        for (int i = 0; i < 4; ++i)
            txt[i]->setText(pegados[i]);
        anadir->click();
        QCOMPARE(Filas(lst).mid(12), QStringList({"P 3", "", "-12.500", "1.000", "2.000", ""}));
    }

    void anadirBaseIncompletaAvisa()
    {
        frmEditarBases w;
        QVERIFY(Mostrar(&w));
        Enlazar(w);
        const QString casos[][4] = {{"", "1", "2", "3"},
                                    {"A", "", "2", "3"},
                                    {"A", "1", "2", "abc"},
                                    {"A", "1.2.3", "2", "3"},
                                    {"A", "1", "-", "3"}};
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
            for (int i = 0; i < 4; ++i)
                QCOMPARE(txt[i]->text(), caso[i]); // the boxes keep what was typed
        }
    }

    void cortarBorrarGuardarYAbrir()
    {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath("obra.bse");
        frmEditarBases w;
        QVERIFY(Mostrar(&w));
        Enlazar(w);
        TeclearBase("p-1", "1000.5", "2000", "100.25");
        TeclearBase("b", "1", "2", "3");
        TeclearBase("e2", "0", "0.0004", "3");
        auto* cortar = Control<QPushButton>(&w, "cmdCortarBase");
        lst->setCurrentRow(6);
        cortar->click();
        QCOMPARE(Filas(lst).mid(6, 1), QStringList{"E2"});
        QCOMPARE(lst->currentRow(), -1);
        cortar->click(); // nothing selected: nothing happens
        QCOMPARE(lst->count(), 12);
        const QStringList hechas = Filas(lst);

        // Save, then open twice: opening appends to what is listed.
        auto d = ResponderFichero(ruta);
        auto m = Responder();
        Control<QPushButton>(&w, "cmdGuardarFichero")->click();
        QVERIFY(d->visto && m->visto);
        QCOMPARE(m->texto, QString("Fichero guardado."));
        QCOMPARE(Leer(ruta), QByteArray("\"P-1\",\"1000.500\",\"2000.000\",\"100.250\"\r\n"
                                        "\"E2\",\"0.000\",\"0.000\",\"3.000\"\r\n"));
        auto* abrir = Control<QPushButton>(&w, "cmdAbrirBases");
        for (int vez = 1; vez <= 2; ++vez) {
            d = ResponderFichero(ruta);
            abrir->click();
            QVERIFY(d->visto);
            QVERIFY(ConFoco(txt[0]));
        }
        QCOMPARE(Filas(lst), hechas + hechas + hechas);

        // Clearing asks first: No keeps the list, Yes empties it.
        auto* borrar = Control<QPushButton>(&w, "cmdBorrarBases");
        for (auto respuesta : {QMessageBox::No, QMessageBox::Yes}) {
            m = Responder(respuesta);
            borrar->setFocus();
            borrar->click();
            QCOMPARE(m->texto, QString("¿Confirma que desea borrar todas las bases?"));
            QCOMPARE(m->icono, QMessageBox::NoIcon);
            QCOMPARE(m->botones, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(lst->count(), respuesta == QMessageBox::No ? 36 : 0);
        }
        QVERIFY(ConFoco(txt[0]));
    }

    void ficherosQueFallan()
    {
        QTemporaryDir carpeta;
        frmEditarBases w;
        QVERIFY(Mostrar(&w));
        Enlazar(w);
        auto* abrir = Control<QPushButton>(&w, "cmdAbrirBases");
        const QStringList primera = {"A", "", "1.000", "2.000", "3.000", ""};

        // A file that ends in the middle of its second base: the first stays.
        const QString truncado = carpeta.filePath("truncado.bse");
        QVERIFY(Escribir(truncado, "\"A\",\"1\",\"2\",\"3\"\r\n\"B\",\"4\""));
        auto d = ResponderFichero(truncado);
        auto m = Responder();
        abrir->click();
        QVERIFY(d->visto && m->visto);
        QVERIFY2(ConMotivo(m->texto, ERROR_ABRIR), qPrintable(m->texto));
        QCOMPARE(m->icono, QMessageBox::Critical);
        QCOMPARE(Filas(lst), primera);

        // Binary rubbish never leaves part of a base in the list.
        const QString basura = carpeta.filePath("basura.bse");
        QByteArray bytes;
        for (int i = 0; i < 5000; ++i)
            bytes.append(static_cast<char>((i * 7919 + i / 13) % 256));
        QVERIFY(Escribir(basura, bytes));
        d = ResponderFichero(basura);
        m = Responder();
        abrir->click();
        QVERIFY(d->visto && m->visto); // this rubbish ends in the middle of a base
        QVERIFY(m->texto.startsWith(ERROR_ABRIR));
        QCOMPARE(lst->count() % 6, 0);
        QCOMPARE(Filas(lst).mid(0, 6), primera);

        // Saving where no file can be made keeps the list.
        lst->clear();
        TeclearBase("A", "1", "2", "3");
        d = ResponderFichero(carpeta.filePath("no_hay/carpeta.bse"));
        m = Responder();
        Control<QPushButton>(&w, "cmdGuardarFichero")->click();
        QVERIFY(d->visto && m->visto);
        QVERIFY2(ConMotivo(m->texto, ERROR_GUARDAR), qPrintable(m->texto));
        QCOMPARE(m->icono, QMessageBox::Critical);
        QCOMPARE(Filas(lst), primera);

        // A full disk: the file saved before stays whole and no success is told.
        const QString guardado = carpeta.filePath("guardado.bse");
        d = ResponderFichero(guardado);
        Pulsar(Control<QPushButton>(&w, "cmdGuardarFichero"), "Fichero guardado.", QMessageBox::Information);
        const QByteArray antiguo = Leer(guardado);
        TeclearBase("B", "4", "5", "6");
        d = ResponderFichero(guardado);
        {
            DiscoLleno lleno(antiguo.size() + 1);
            Pulsar(Control<QPushButton>(&w, "cmdGuardarFichero"), ERROR_GUARDAR + QString::fromLocal8Bit(strerror(EFBIG)),
                   QMessageBox::Critical);
        }
        QCOMPARE(Leer(guardado), antiguo);
        QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"basura.bse", "guardado.bse", "truncado.bse"}));
    }

    void seAbreDesdeElMenu()
    {
        QTemporaryDir carpeta;
        FijarCarpetaPrograma(carpeta.path().toStdString());
        auto m = Responder(); // a first start without configuration says so
        MDIfrmMain principal;
        principal.mnuBasesEditarBases->trigger();
        auto* w = principal.Buscar<frmEditarBases>();
        QVERIFY(w && w->isWindow() && w->isVisible()); // a window of its own, outside the frame
        principal.mnuBasesEditarBases->trigger();
        QCOMPARE(principal.Buscar<frmEditarBases>(), w);
    }
};

QTEST_MAIN(PruebaEditarBases)
#include "test_editar_bases.moc"
