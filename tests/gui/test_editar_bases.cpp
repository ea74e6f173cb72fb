// Bases typed by hand: the keys, the warning, and the file failures (a full
// disk above all). (List buttons: test_listas_auxiliares.)
#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "Ayudantes.h"
#include "points/frmEditarBases.h"

using namespace prueba;
using namespace prueba::ficheros;

class PruebaEditarBases : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    frmEditarBases* w = nullptr;
    QListWidget* lst = nullptr;
    QLineEdit* Txt(int i) { return Campo(w, QString("txtBase_%1").arg(i)); }

    // Types one base with Enter after each box, which walks to the add button
    // without pressing it, then Enter on the button.
    void TeclearBase(const QStringList& valores)
    {
        const int antes = lst->count();
        Txt(0)->setFocus();
        for (int i = 0; i < 4; ++i) {
            QVERIFY(ConFoco(Txt(i)));
            QTest::keyClicks(Txt(i), valores[i]);
            QTest::keyClick(Txt(i), Qt::Key_Return);
        }
        QVERIFY(ConFoco(Boton(w, "cmdAnadirBase")));
        QCOMPARE(lst->count(), antes);
        QTest::keyClick(Boton(w, "cmdAnadirBase"), Qt::Key_Return);
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        w = new frmEditarBases;
        QVERIFY(Mostrar(w));
        lst = Lista(w, "lstBases");
    }
    void cleanup() { delete w; }

    void anadirBasesPorTeclado()
    {
        // The name is upper-cased; numbers refuse "-", "," and letters; the arrows stop at both ends.
        Teclear(Txt(0), "p-1");
        Teclear(Txt(1), "-1,2a3.5");
        QCOMPARE(Textos(w, {"txtBase_0", "txtBase_1"}), QString("P-1|123.5"));
        QTest::keyClick(Txt(1), Qt::Key_Up);
        QTest::keyClick(Txt(0), Qt::Key_Up);
        QVERIFY(ConFoco(Txt(0)));
        Txt(3)->setFocus();
        QTest::keyClick(Txt(3), Qt::Key_Down);
        QVERIFY(ConFoco(Txt(3)));
        for (int i = 0; i < 4; ++i)
            Txt(i)->clear();
        TeclearBase({"e1", "456123.4564", "4485000", "652.1"});
        QCOMPARE(Filas(lst), QStringList({"E1", "", "456123.456", "4485000.000", "652.100", ""}));
        QCOMPARE(Textos(w, {"txtBase_0", "txtBase_1", "txtBase_2", "txtBase_3"}), QString("|||"));
        QVERIFY(ConFoco(Txt(0)));
        TeclearBase({"e2", "10", "20", "0"});
        QCOMPARE(lst->currentRow(), 6); // the new base's name row
        // Incomplete data: the warning, and the boxes keep what was typed.
        for (const QStringList& caso : {QStringList{"", "1", "2", "3"}, QStringList{"A", "1", "-", "3"}}) {
            for (int i = 0; i < 4; ++i)
                Txt(i)->setText(caso[i]);
            Pulsar(Boton(w, "cmdAnadirBase"), "Los datos no son válidos o están en blanco.", QMessageBox::Warning);
            QCOMPARE(Textos(w, {"txtBase_0", "txtBase_1", "txtBase_2", "txtBase_3"}), caso.join('|'));
        }
        QCOMPARE(lst->count(), 12);
    }

    void ficherosQueFallan()
    {
        // A file that ends in the middle of its second base: the message, and the first base stays.
        const QString truncado = dir_->filePath("truncado.bse");
        QVERIFY(Escribir(truncado, "\"A\",\"1\",\"2\",\"3\"\r\n\"B\",\"4\""));
        auto d = ResponderFichero(truncado);
        auto m = Responder();
        QTest::mouseClick(Boton(w, "cmdAbrirBases"), Qt::LeftButton);
        QTRY_VERIFY(d->visto && m->visto);
        QVERIFY2(ConMotivo(m->texto, ERROR_ABRIR) && m->icono == QMessageBox::Critical, qPrintable(m->texto));
        QCOMPARE(Filas(lst), QStringList({"A", "", "1.000", "2.000", "3.000", ""}));
        // Saving where no file can be made.
        d = ResponderFichero(dir_->filePath("no_hay/carpeta.bse"));
        m = Responder();
        QTest::mouseClick(Boton(w, "cmdGuardarFichero"), Qt::LeftButton);
        QTRY_VERIFY(d->visto && m->visto);
        QVERIFY2(ConMotivo(m->texto, ERROR_GUARDAR) && m->icono == QMessageBox::Critical, qPrintable(m->texto));
        // A full disk: the file saved before stays whole, the system's reason is told and no success.
        const QString guardado = dir_->filePath("guardado.bse");
        ResponderFichero(guardado);
        Pulsar(Boton(w, "cmdGuardarFichero"), "Fichero guardado.", QMessageBox::Information);
        const QByteArray antiguo = Leer(guardado);
        TeclearBase({"B", "4", "5", "6"});
        ResponderFichero(guardado);
        {
            DiscoLleno lleno(antiguo.size() + 1);
            Pulsar(Boton(w, "cmdGuardarFichero"), ERROR_GUARDAR + QString::fromLocal8Bit(strerror(EFBIG)),
                   QMessageBox::Critical);
        }
        QCOMPARE(Leer(guardado), antiguo);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList({"guardado.bse", "truncado.bse"}));
    }
};

QTEST_MAIN(PruebaEditarBases)
#include "test_editar_bases.moc"
