// The catenary window: the example span from its files, the block typed and
// computed; the messages shown with and without a result. (List buttons:
// test_listas_auxiliares.)
#include <cmath>

#include "Ayudantes.h"
#include "catenary/frmCatenaria.h"

using namespace prueba;
using namespace prueba::ficheros;

class PruebaCatenaria : public QObject {
    Q_OBJECT
    frmCatenaria* w = nullptr;

private slots:
    void init()
    {
        w = new frmCatenaria;
        QVERIFY(Mostrar(w));
    }
    void cleanup() { delete w; }

    void ejemploDeCampo()
    {
        const QString ejemplos = qEnvironmentVariable("CV_EXAMPLES");
        for (const auto& [boton, fichero] : {std::pair{"cmdAbrirFicherodeBases", "/catenaria.bse"},
                                             {"cmdAbrirFicherodePuntosAnclajes", "/catenaria_anclajes.asc"},
                                             {"cmdObsAbrir", "/catenaria.txt"}}) {
            auto d = ResponderFichero(ejemplos + fichero);
            QTest::mouseClick(Boton(w, boton), Qt::LeftButton);
            QVERIFY(d->visto);
        }
        Entrar(Lista(w, "lstBases"), 0, Boton(w, "cmdEntrarBE"));
        Entrar(Lista(w, "lstPuntos"), 0, Boton(w, "cmdEntrarPunto1"));
        Entrar(Lista(w, "lstPuntos"), 1, Boton(w, "cmdEntrarPunto2"));
        QCOMPARE(Textos(w, {"lblBase", "lblBaseZ", "lblPto1", "lblPto2Z"}), QString("E-12|598.372|1001|701.230"));
        // Keys filtered; Enter walks to the button, which the space bar presses.
        Campo(w, "txti")->setFocus();
        for (const auto& [campo, teclas] : {std::pair{"txti", "a-1,.55"}, {"txtPtoI", "1"}, {"txtPtoF", "x13"}}) {
            QVERIFY(ConFoco(Campo(w, campo)));
            QTest::keyClicks(Campo(w, campo), teclas);
            QTest::keyClick(Campo(w, campo), Qt::Key_Return);
        }
        QCOMPARE(Textos(w, {"txti", "txtPtoF"}), QString("1.55|13"));
        QVERIFY(ConFoco(Boton(w, "cmdCalcularBloque")));
        QTest::keyClick(Boton(w, "cmdCalcularBloque"), Qt::Key_Space);
        const QStringList proyeccion = Filas(Lista(w, "lstProyeccion"));
        // Both anchors and the twelve points after the first row; the projection ends with the fit.
        QCOMPARE(Lista(w, "lstPuntosCatenaria")->count(), 14);
        QCOMPARE(proyeccion.mid(14, 1) + proyeccion.mid(16, 1) + proyeccion.mid(18, 1),
                 QStringList({"[Parámetro]", "[Error de ajuste]", "[Error de regresión]"}));
        // Taken on a conductor of 1500 m, read to 0.0001 grads.
        QVERIFY2(std::fabs(proyeccion.value(15).toDouble() - 1500.0) <= 5.0, qPrintable(proyeccion.value(15)));

        // A new observation file empties both results, even when cancelled.
        ResponderFichero(QString());
        QTest::mouseClick(Boton(w, "cmdObsAbrir"), Qt::LeftButton);
        QTRY_COMPARE(Lista(w, "lstPuntosCatenaria")->count() + Lista(w, "lstProyeccion")->count(), 0);
    }

    // A refusal keeps the results. The warnings given with a result come after
    // the lists are filled: a sight along the span left out (0 read on anchor 7
    // due north, so Hz 100 runs along it), then no parabola (a cable point 1.5 m
    // above the level chord).
    void avisos()
    {
        Lista(w, "lstPuntosCatenaria")->addItem("previo");
        Pulsar(Boton(w, "cmdCalcularBloque"), "Seleccione las bases.", QMessageBox::Warning);
        QCOMPARE(Filas(Lista(w, "lstPuntosCatenaria")), QStringList{"previo"});
        // Station E1 (0, 0, 100), i = 1.5, anchors 7 (0, 100, 120) and 8 (100, 100, 120), the block 1 to 3.
        const QString nombres[3] = {"lblBase", "lblPto1", "lblPto2"}, ejes[4] = {"", "X", "Y", "Z"};
        const QString valores[3][4] = {{"E1", "0", "0", "100"}, {"7", "0", "100", "120"}, {"8", "100", "100", "120"}};
        for (int k = 0; k < 12; ++k)
            Control<QLabel>(w, nombres[k / 4] + ejes[k % 4])->setText(valores[k / 4][k % 4]);
        for (const auto& [campo, texto] : {std::pair{"txti", "1.5"}, {"txtPtoI", "1"}, {"txtPtoF", "3"}})
            Campo(w, campo)->setText(texto);
        Lista(w, "lstObservaciones")
            ->addItems({"1 0.0000 99.0000 0 0", "2 12.5666 87.6713 0 0", "3 100.0000 90.0000 0 0"});
        auto omitida = Responder();
        Pulsar(Boton(w, "cmdCalcularBloque"), "No se pudieron ajustar las observaciones a una parábola.",
               QMessageBox::Warning);
        QCOMPARE(omitida->texto,
                 "Se ha omitido 1 observación: su visual no corta la línea de los anclajes en un solo punto.");
        QCOMPARE(Filas(Lista(w, "lstPuntosCatenaria")),
                 QStringList({"7 0.000 100.000 120.000", "2 20.000 100.000 121.500", "8 100.000 100.000 120.000"}));
    }
};

QTEST_MAIN(PruebaCatenaria)
#include "test_catenaria.moc"
