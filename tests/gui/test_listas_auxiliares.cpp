// The list buttons of the point and catenary windows from tables: each opening,
// saving, cut and clearing as wired, with its file dialog and messages; and the
// menu item that opens each window.
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <map>

#include "Ayudantes.h"
#include "catenary/frmCatenaria.h"
#include "core/Configuracion.h"
#include "points/frmBiseccion.h"
#include "points/frmEditarBases.h"
#include "points/frmRadiacion.h"
#include "points/frmTaquimetrico.h"
#include "app/MDIfrmMain.h"

using namespace prueba;
using namespace prueba::ficheros;

namespace {
using Crear = QWidget* (*)();
const Crear RAD = []() -> QWidget* { return new frmRadiacion; }, BIS = []() -> QWidget* { return new frmBiseccion; },
            TAQ = []() -> QWidget* { return new frmTaquimetrico; }, CAT = []() -> QWidget* { return new frmCatenaria; },
            EDI = []() -> QWidget* { return new frmEditarBases; };
const QStringList BASE = {"A", "", "1.000", "2.000", "3.000", ""}, PUNTO = {"1 1.000 2.000 3.000", ""};
const QString BSE = "Cartavector 3.0 (*.bse)|bse", ASC = "Cartavector 3.0 (*.asc)|asc";
} // namespace

class PruebaListasAuxiliares : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QWidget> w;

    // A new window of the kind given, with `filas` in the list.
    cv::Lista* Preparar(Crear crear, const QString& lista, const QStringList& filas)
    {
        w.reset(crear());
        Mostrar(w.get());
        Lista(w.get(), lista)->addItems(filas);
        return Lista(w.get(), lista);
    }
    // Presses the button answering its file dialog; the dialog's title, filters, suffix and initial name.
    QString Dialogo(const char* boton, const QString& ruta)
    {
        auto d = ResponderFichero(ruta);
        QTest::mouseClick(Boton(w.get(), boton), Qt::LeftButton);
        if (!QTest::qWaitFor([d] { return d->visto; }))
            return "<no hubo diálogo>";
        return QStringList({d->titulo, d->filtros.join(';'), d->extension,
                            QFileInfo(d->seleccion.value(0)).completeBaseName()}).join('|');
    }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() { w.reset(); }

    // Cancelled, the bases stay and the other lists are emptied; opened, bases are appended.
    void abrir()
    {
        // The program's two observation filters first, then the instruments.
        const QString obs = "Abrir fichero de observaciones|Cartavector 3.0 texto (*.txt);(*.obs);Estación total GSI (*.gsi);"
                            "Estación total Sokkia SDR33 (*.sdr);Estación total Topcon GTS (*.gt7 *.txt);Estación total "
                            "Nikon RAW (*.raw);Estación total Rec Elta R4/R5 (*.r4 *.r5 *.rec)|txt";
        const std::map<char, std::tuple<const char*, QString, QByteArray, int, int>> tipos = {
            {'b', {"lstBases", "Abrir fichero de bases|" + BSE, "\"B\",1,2,3\r\n", 6, 12}},
            {'p', {"lstPuntos", "Abrir fichero de puntos|" + ASC, "7 1 2 3\r\n", 0, 1}},
            {'o', {"lstObservaciones", obs, "1,2,3,4,5\r\n", 0, 1}}};
        const std::tuple<Crear, const char*, char> casos[] = {
            {RAD, "cmdAbrirBases", 'b'}, {BIS, "cmdAbrirBases", 'b'},          {TAQ, "cmdAbrirBases", 'b'},
            {EDI, "cmdAbrirBases", 'b'}, {CAT, "cmdAbrirFicherodeBases", 'b'}, {TAQ, "cmdObsAbrir", 'o'},
            {CAT, "cmdObsAbrir", 'o'},   {CAT, "cmdAbrirFicherodePuntosAnclajes", 'p'}};
        for (const auto& [crear, boton, tipo] : casos) {
            const auto& [nombre, dialogo, datos, cancelado, abierto] = tipos.at(tipo);
            cv::Lista* lista = Preparar(crear, nombre, BASE);
            const QString ruta = dir_->filePath("f." + dialogo.section('|', 2, 2));
            QVERIFY(Escribir(ruta, datos));
            QCOMPARE(Dialogo(boton, QString()).section('|', 0, 2), dialogo);
            QCOMPARE(lista->count(), cancelado);
            Dialogo(boton, ruta);
            QCOMPARE(lista->count(), abierto);
        }
    }

    // Bases are saved whole, points without blank rows, the tense with them; an
    // empty point or tense list opens no dialog.
    void guardar()
    {
        const QString bases = "Exportar fichero de bases|" + BSE + "|Bases|\"A\",\"1.000\",\"2.000\",\"3.000\"\r\n";
        const QString puntos = "Exportar puntos|" + ASC + "|Puntos|1 1.000 2.000 3.000\r\n";
        const std::tuple<Crear, const char*, const char*, QString> casos[] = {
            {RAD, "cmdGuardarFichero", "lstBases", bases},   {EDI, "cmdGuardarFichero", "lstBases", bases},
            {BIS, "cmdPuntosGuardar", "lstPuntos", puntos}, {TAQ, "cmdPuntosGuardar", "lstPuntos", puntos},
            {CAT, "cmdGuardarFicheroPuntos", "lstPuntosCatenaria", puntos},
            {CAT, "cmdGuardarFicheroProyeccion", "lstProyeccion",
             "Exportar tense|Cartavector 3.0 (*.tse)|tse|Tense|1 1.000 2.000 3.000\r\n\r\n"}};
        for (const auto& [crear, boton, nombre, esperado] : casos) {
            const bool deBases = QString(nombre) == "lstBases";
            cv::Lista* lista = Preparar(crear, nombre, {});
            auto visto = std::make_shared<bool>(false);
            AlAparecer<QFileDialog>([visto](QFileDialog* d) { *visto = true, d->reject(); }, 300);
            QTest::mouseClick(Boton(w.get(), boton), Qt::LeftButton);
            QTest::qWait(400);
            QCOMPARE(*visto, deBases);
            lista->addItems(deBases ? BASE : PUNTO);
            auto m = Responder();
            const QString dialogo = Dialogo(boton, dir_->filePath("f"));
            QTRY_COMPARE(m->texto + m->titulo, QString("Fichero guardado.cartavector"));
            QCOMPARE(m->icono, QMessageBox::Information);
            const QByteArray escrito = Leer(dir_->filePath("f." + dialogo.section('|', 2, 2)));
            QCOMPARE(dialogo + "|" + QString::fromUtf8(escrito), esperado);
        }
    }

    // A base goes with its six rows and nothing stays selected; a row goes and the one before it is selected.
    // The rows left show as they were put, accents included.
    void cortar()
    {
        const std::tuple<Crear, const char*, const char*> casos[] = {
            {RAD, "lstBases", "cmdCortarBase"},   {BIS, "lstBases", "cmdCortarBase"},
            {TAQ, "lstBases", "cmdCortarBase"},   {CAT, "lstBases", "cmdCortarBase"},
            {EDI, "lstBases", "cmdCortarBase"},   {BIS, "lstPuntos", "cmdPuntosBorrar"},
            {TAQ, "lstPuntos", "cmdPuntosBorrar"}, {TAQ, "lstObservaciones", "cmdCortarObservacion"},
            {CAT, "lstPuntos", "cmdCortarPuntoAnclajes"}, {CAT, "lstObservaciones", "cmdCortarObservacion"}};
        for (const auto& [crear, nombre, boton] : casos) {
            const bool bases = QString(nombre) == "lstBases";
            const QStringList filas = bases ? BASE : QStringList({"1", "2 Año"});
            cv::Lista* lista = Preparar(crear, nombre, bases ? BASE + BASE : filas + QStringList({"3"}));
            Entrar(lista, bases ? 6 : 2, Boton(w.get(), boton));
            QCOMPARE(QString("%1 %2").arg(lista->count()).arg(lista->currentRow()), bases ? "6 -1" : "2 1");
            QCOMPARE(Filas(lista), filas);
        }
    }

    // Clearing asks first: No keeps the lists, Yes empties them (and gives the focus to the first field).
    void borrar()
    {
        const QString bases = "¿Confirma que desea borrar todas las bases?";
        const QString puntos = "¿Confirma que desea borrar todos los puntos?";
        const std::tuple<Crear, const char*, QStringList, QString, const char*> casos[] = {
            {RAD, "cmdBorrarBases", {"lstBases"}, bases, "txtObservaciones_0"},
            {BIS, "cmdLimpiarBases", {"lstBases"}, bases, "txtObservaciones_0"},
            {EDI, "cmdBorrarBases", {"lstBases"}, bases, "txtBase_0"},
            {TAQ, "cmdLimpiarBases", {"lstBases"}, bases, "txti"},
            {CAT, "cmdEliminarBases", {"lstBases"}, bases, "txti"},
            {BIS, "cmdPuntosLimpiar", {"lstPuntos"}, puntos, ""},
            {TAQ, "cmdPuntosLimpiar", {"lstPuntos"}, puntos, ""},
            {CAT, "cmdEliminarPuntosAnclajes", {"lstPuntos"}, puntos, ""},
            {CAT, "cmdEliminarPuntos", {"lstPuntosCatenaria", "lstProyeccion"}, puntos, ""}};
        for (const auto& [crear, boton, listas, pregunta, foco] : casos) {
            Preparar(crear, listas.last(), {"1"});
            Lista(w.get(), listas[0])->addItems(listas.size() > 1 ? QStringList{"1"} : QStringList{});
            Boton(w.get(), boton)->setFocus();
            for (auto respuesta : {QMessageBox::No, QMessageBox::Yes}) {
                Pulsar(Boton(w.get(), boton), pregunta, QMessageBox::NoIcon, respuesta);
                for (const QString& l : listas)
                    QCOMPARE(Lista(w.get(), l)->count(), respuesta == QMessageBox::No ? 1 : 0);
            }
            QVERIFY2(!*foco || ConFoco(Campo(w.get(), foco)), boton);
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
