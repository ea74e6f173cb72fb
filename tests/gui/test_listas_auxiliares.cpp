// The list buttons of the point and catenary windows, driven from tables: each
// opening, saving, cut and clearing as wired, with the file dialog it shows and
// its messages; the opening failures; and the menu item that opens each window.
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include "Ayudantes.h"
#include "calculators/frmAlturaRemota.h"
#include "calculators/frmBessel.h"
#include "calculators/frmDistanciaReducida.h"
#include "catenary/frmCatenaria.h"
#include "core/Configuracion.h"
#include "points/frmBiseccion.h"
#include "points/frmEditarBases.h"
#include "points/frmRadiacion.h"
#include "points/frmTaquimetrico.h"
#include "points/modFuncionesAuxiliares.h"
#include "shell/MDIfrmMain.h"

using namespace prueba;
using namespace prueba::ficheros;

namespace {
using Crear = QWidget* (*)();
template <class T> QWidget* Nueva()
{
    return new T;
}
const Crear RAD = Nueva<frmRadiacion>, BIS = Nueva<frmBiseccion>, TAQ = Nueva<frmTaquimetrico>,
            CAT = Nueva<frmCatenaria>, EDI = Nueva<frmEditarBases>;
const QStringList BASE = {"A", "", "1.000", "2.000", "3.000", ""}, PUNTO = {"1 1.000 2.000 3.000", ""};
const QString BSE = "Cartavector 3.0 (*.bse)|bse", ASC = "Cartavector 3.0 (*.asc)|asc";
} // namespace

class PruebaListasAuxiliares : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QWidget> w;

    // A new window of the kind shown, with `filas` in the list.
    QListWidget* Preparar(Crear crear, const char* lista, const QStringList& filas)
    {
        w.reset(crear());
        Mostrar(w.get());
        Lista(w.get(), lista)->addItems(filas);
        return Lista(w.get(), lista);
    }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() { w.reset(); }

    // Cancelled, the bases stay and the other lists are emptied; opened, bases are appended.
    void abrir()
    {
        QVERIFY(Escribir(dir_->filePath("b.bse"), "\"B\",1,2,3\r\n") && Escribir(dir_->filePath("p.asc"), "7 1 2 3\r\n") &&
                Escribir(dir_->filePath("o.txt"), "1,2,3,4,5\r\n"));
        const QString obs = "Abrir fichero de observaciones|Cartavector 3.0 texto (*.txt);(*.obs)|txt";
        const std::tuple<Crear, const char*, const char*, QString, const char*, int, int> casos[] = {
            {RAD, "cmdAbrirBases", "lstBases", "Abrir fichero de bases|" + BSE, "b.bse", 6, 12},
            {BIS, "cmdAbrirBases", "lstBases", "Abrir fichero de bases|" + BSE, "b.bse", 6, 12},
            {TAQ, "cmdAbrirBases", "lstBases", "Abrir fichero de bases|" + BSE, "b.bse", 6, 12},
            {CAT, "cmdAbrirFicherodeBases", "lstBases", "Abrir fichero de bases|" + BSE, "b.bse", 6, 12},
            {EDI, "cmdAbrirBases", "lstBases", "Abrir fichero de bases|" + BSE, "b.bse", 6, 12},
            {CAT, "cmdAbrirFicherodePuntosAnclajes", "lstPuntos", "Abrir fichero de puntos|" + ASC, "p.asc", 0, 1},
            {TAQ, "cmdObsAbrir", "lstObservaciones", obs, "o.txt", 0, 1},
            {CAT, "cmdObsAbrir", "lstObservaciones", obs, "o.txt", 0, 1}};
        for (const auto& [crear, boton, nombre, dialogo, fichero, cancelado, abierto] : casos) {
            QListWidget* lista = Preparar(crear, nombre, BASE);
            for (const QString& ruta : {QString(), dir_->filePath(fichero)}) {
                auto d = ResponderFichero(ruta);
                QTest::mouseClick(Boton(w.get(), boton), Qt::LeftButton);
                QVERIFY2(d->visto, boton);
                QCOMPARE(QStringList({d->titulo, d->filtros.join(';'), d->extension}).join('|'), dialogo);
                QCOMPARE(lista->count(), ruta.isEmpty() ? cancelado : abierto);
            }
        }
    }

    // Bases are saved whole, points without blank rows, the tense with them; an
    // empty point or tense list opens no dialog.
    void guardar()
    {
        const QByteArray bases = "\"A\",\"1.000\",\"2.000\",\"3.000\"\r\n", puntos = "1 1.000 2.000 3.000\r\n";
        const std::tuple<Crear, const char*, const char*, QString, QByteArray> casos[] = {
            {RAD, "cmdGuardarFichero", "lstBases", "Exportar fichero de bases|" + BSE + "|Bases", bases},
            {EDI, "cmdGuardarFichero", "lstBases", "Exportar fichero de bases|" + BSE + "|Bases", bases},
            {BIS, "cmdPuntosGuardar", "lstPuntos", "Exportar puntos|" + ASC + "|Puntos", puntos},
            {TAQ, "cmdPuntosGuardar", "lstPuntos", "Exportar puntos|" + ASC + "|Puntos", puntos},
            {CAT, "cmdGuardarFicheroPuntos", "lstPuntosCatenaria", "Exportar puntos|" + ASC + "|Puntos", puntos},
            {CAT, "cmdGuardarFicheroProyeccion", "lstProyeccion", "Exportar tense|Cartavector 3.0 (*.tse)|tse|Tense",
             puntos + "\r\n"}};
        for (const auto& [crear, boton, nombre, dialogo, contenido] : casos) {
            QListWidget* lista = Preparar(crear, nombre, {});
            if (lista->objectName() != "lstBases") {
                auto visto = std::make_shared<bool>(false);
                AlAparecer<QFileDialog>([visto](QFileDialog* d) { *visto = true, d->reject(); }, 300);
                QTest::mouseClick(Boton(w.get(), boton), Qt::LeftButton);
                QTest::qWait(400);
                QVERIFY2(!*visto, boton);
            }
            lista->addItems(lista->objectName() == "lstBases" ? BASE : PUNTO);
            const QString ruta = dir_->filePath(boton);
            auto d = ResponderFichero(ruta);
            Pulsar(Boton(w.get(), boton), "Fichero guardado.", QMessageBox::Information);
            QCOMPARE(QStringList({d->titulo, d->filtros.join(';'), d->extension,
                                  QFileInfo(d->seleccion.value(0)).completeBaseName()})
                         .join('|'),
                     dialogo);
            QCOMPARE(Leer(ruta + "." + d->extension), contenido);
        }
    }

    // A base goes with its six rows and nothing stays selected; a row goes and the one before it is selected.
    void cortar()
    {
        const std::tuple<Crear, const char*, const char*> casos[] = {
            {RAD, "lstBases", "cmdCortarBase"},          {BIS, "lstBases", "cmdCortarBase"},
            {TAQ, "lstBases", "cmdCortarBase"},          {CAT, "lstBases", "cmdCortarBase"},
            {EDI, "lstBases", "cmdCortarBase"},          {BIS, "lstPuntos", "cmdPuntosBorrar"},
            {TAQ, "lstPuntos", "cmdPuntosBorrar"},       {TAQ, "lstObservaciones", "cmdCortarObservacion"},
            {CAT, "lstPuntos", "cmdCortarPuntoAnclajes"}, {CAT, "lstObservaciones", "cmdCortarObservacion"}};
        for (const auto& [crear, nombre, boton] : casos) {
            const bool bases = QString(nombre) == "lstBases";
            QListWidget* lista = Preparar(crear, nombre, bases ? BASE + BASE : QStringList({"1", "2", "3"}));
            Entrar(lista, bases ? 6 : 2, Boton(w.get(), boton));
            QCOMPARE(lista->count(), bases ? 6 : 2);
            QCOMPARE(lista->currentRow(), bases ? -1 : 1);
        }
    }

    // Clearing asks first: No keeps the lists, Yes empties them.
    void borrar()
    {
        const QString bases = "¿Confirma que desea borrar todas las bases?";
        const QString puntos = "¿Confirma que desea borrar todos los puntos?";
        const std::tuple<Crear, const char*, QStringList, QString, const char*> casos[] = {
            {RAD, "cmdBorrarBases", {"lstBases"}, bases, "txtObservaciones_0"},
            {EDI, "cmdBorrarBases", {"lstBases"}, bases, "txtBase_0"},
            {BIS, "cmdLimpiarBases", {"lstBases"}, bases, "txtObservaciones_0"},
            {BIS, "cmdPuntosLimpiar", {"lstPuntos"}, puntos, ""},
            {TAQ, "cmdLimpiarBases", {"lstBases"}, bases, "txti"},
            {TAQ, "cmdPuntosLimpiar", {"lstPuntos"}, puntos, ""},
            {CAT, "cmdEliminarBases", {"lstBases"}, bases, "txti"},
            {CAT, "cmdEliminarPuntosAnclajes", {"lstPuntos"}, puntos, ""},
            {CAT, "cmdEliminarPuntos", {"lstPuntosCatenaria", "lstProyeccion"}, puntos, ""}};
        for (const auto& [crear, boton, listas, pregunta, foco] : casos) {
            Preparar(crear, qPrintable(listas[0]), {});
            for (const QString& l : listas)
                Lista(w.get(), l)->addItem("1");
            Boton(w.get(), boton)->setFocus();
            for (auto respuesta : {QMessageBox::No, QMessageBox::Yes}) {
                Pulsar(Boton(w.get(), boton), pregunta, QMessageBox::NoIcon, respuesta);
                for (const QString& l : listas)
                    QCOMPARE(Lista(w.get(), l)->count(), respuesta == QMessageBox::No ? 1 : 0);
            }
            QVERIFY2(!*foco || ConFoco(Campo(w.get(), foco)), boton);
        }
    }

    // A record cut short: the opening message, the rows before it stay. A missing
    // file or a folder: the message, the list as it was.
    void abrirFicherosQueFallan()
    {
        QWidget ventana;
        QListWidget lista(&ventana);
        const QString obs = dir_->filePath("campo.obs");
        QVERIFY(Escribir(obs, "101,123.45678,98.7,25.3,1.5\r\n102,1"));
        const QStringList leidas = {"101 123.4568 98.7000 25.300 1.500"};
        for (const QString& ruta : {obs, dir_->filePath("no_existe.asc"), dir_->path()}) {
            auto m = Responder();
            QVERIFY(!CargarFichero(&lista, &ventana, ruta, TipoFichero::Observaciones));
            QVERIFY2(m->visto && ConMotivo(m->texto, ERROR_ABRIR), qPrintable(m->texto));
            QCOMPARE(m->icono, QMessageBox::Critical);
            QCOMPARE(m->titulo, QString("cartavector"));
            QCOMPARE(Filas(&lista), leidas);
        }
    }

    // Each window from its menu item, opened once: inside the frame or a window of its own.
    void desdeElMenu()
    {
        FijarCarpetaPrograma(dir_->path().toStdString());
        auto m = Responder(); // a first start without configuration says so
        MDIfrmMain principal;
        principal.show();
        const std::tuple<const char*, const char*, bool> casos[] = {
            {"mnuRadiacionRadiarBases", "frmRadiacion", false},   {"mnuBasesEditarBases", "frmEditarBases", false},
            {"mnuTaquimetricoCalcular", "frmTaquimetrico", true}, {"mnuBiseccionCalcular", "frmBiseccion", true},
            {"mnuCatenariaCalcular", "frmCatenaria", true},       {"mnuCalculadoraBessel", "frmBessel", false},
            {"mnuCalculadoraAlturaRemota", "frmAlturaRemota", false},
            {"mnuCalculadoraDistanciaReducida", "frmDistanciaReducida", false}};
        for (const auto& [accion, nombre, hija] : casos) {
            Menu(&principal, accion);
            Menu(&principal, accion);
            const auto abiertas = principal.findChildren<QWidget*>(nombre);
            QVERIFY2(abiertas.size() == 1 && abiertas[0]->isVisible(), nombre);
            QCOMPARE(qobject_cast<QMdiSubWindow*>(abiertas[0]->parentWidget()) != nullptr, hija);
            QCOMPARE(abiertas[0]->isWindow(), !hija);
        }
    }
};

QTEST_MAIN(PruebaListasAuxiliares)
#include "test_listas_auxiliares.moc"
