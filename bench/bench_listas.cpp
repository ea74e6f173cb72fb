// Opening 100,000 records of each list file in its real window, from the
// file dialog closing to what the user waits for: the file read, the list
// filled and painted, and the lists written into the job.
// Observations go to the tacheometry window, bases to its base list, points
// to the catenary window. The parsing and the bare filling of a list are
// measured apart as well. Target: every file in at most 100 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "PrincipalQt.h"
#include "catenary/frmCatenaria.h"
#include "core/Ficheros.h"
#include "core/FicherosTexto.h"
#include "points/frmTaquimetrico.h"
#include "shell/Lista.h"

namespace {

constexpr int REGISTROS = 100000;

std::string Decimal(int entero, int fraccion, int cifras)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%0*d", entero, cifras, fraccion);
    return buf;
}

// The three files as a data collector or the program writes them.
std::string Fichero(int tipo)
{
    std::string t;
    t.reserve(REGISTROS * 48);
    for (int i = 0; i < REGISTROS; ++i) {
        const std::string x = Decimal(362000 + i % 5000, i % 1000, 3), y = Decimal(4571000 + i % 7000, (i * 7) % 1000, 3),
                          z = Decimal(600 + i % 90, (i * 3) % 1000, 3);
        if (tipo == 0)
            t += std::to_string(1000 + i) + ',' + Decimal((i * 37) % 400, (i * 7919) % 10000, 4) + ',' +
                 Decimal(95 + i % 10, (i * 131) % 10000, 4) + ',' + Decimal(10 + i % 190, i % 1000, 3) + ",1.500\r\n";
        else if (tipo == 1)
            t += "\"B-" + std::to_string(i) + "\",\"" + x + "\",\"" + y + "\",\"" + z + "\"\r\n";
        else
            t += std::to_string(1 + i) + ' ' + x + ' ' + y + ' ' + z + "\r\n";
    }
    return t;
}

const std::string& Texto(int tipo)
{
    static const std::string textos[3] = {Fichero(0), Fichero(1), Fichero(2)};
    return textos[tipo];
}

const char* const NOMBRES[3] = {"observaciones", "bases", "puntos"};

ResultadoLectura Leer(int tipo)
{
    const std::string& t = Texto(tipo);
    return tipo == 0 ? LeerObservaciones(t) : tipo == 1 ? LeerBases(t) : LeerPuntos(t);
}

void BM_Leer(benchmark::State& estado)
{
    const int tipo = static_cast<int>(estado.range(0));
    for (auto _ : estado) {
        ResultadoLectura r = Leer(tipo);
        benchmark::DoNotOptimize(r.filas.data());
    }
    estado.SetLabel(NOMBRES[tipo]);
}
BENCHMARK(BM_Leer)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_RellenarLista(benchmark::State& estado)
{
    const int tipo = static_cast<int>(estado.range(0));
    const std::vector<std::string> filas = Leer(tipo).filas;
    cv::Lista lista;
    for (auto _ : estado) {
        estado.PauseTiming();
        lista.clear();
        estado.ResumeTiming();
        lista.Anadir(filas);
        if (lista.count() != static_cast<int>(filas.size()))
            estado.SkipWithError("filas de menos");
    }
    estado.SetLabel(NOMBRES[tipo]);
}
BENCHMARK(BM_RellenarLista)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The file opened in its window as the user does it: the open button
// pressed, the file dialog answered with the path, and the time taken from
// the dialog's acceptance until the rows are in the list, the window painted
// and the job told (on the next turn of the event loop).
void BM_AbrirEnVentana(benchmark::State& estado)
{
    using Reloj = std::chrono::steady_clock;
    const int tipo = static_cast<int>(estado.range(0));
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(tipo == 0 ? "campo.txt" : tipo == 1 ? "campo.bse" : "campo.asc");
    if (!EscribirFichero(ruta.toStdString(), Texto(tipo)).ok) {
        estado.SkipWithError("no se pudo escribir el fichero");
        return;
    }
    frmTaquimetrico taquimetrico;
    frmCatenaria catenaria;
    QWidget& ventana = tipo == 2 ? static_cast<QWidget&>(catenaria) : taquimetrico;
    ventana.show();
    auto* lista = ventana.findChild<cv::Lista*>(tipo == 0   ? QStringLiteral("lstObservaciones")
                                                : tipo == 1 ? QStringLiteral("lstBases")
                                                            : QStringLiteral("lstPuntos"));
    auto* boton = ventana.findChild<QPushButton*>(tipo == 0   ? QStringLiteral("cmdObsAbrir")
                                                  : tipo == 1 ? QStringLiteral("cmdAbrirBases")
                                                              : QStringLiteral("cmdAbrirFicherodePuntosAnclajes"));
    const int filas = tipo == 1 ? 6 * REGISTROS : REGISTROS;
    Reloj::time_point aceptado;
    QTimer respuesta;
    respuesta.setInterval(5);
    QObject::connect(&respuesta, &QTimer::timeout, [&] {
        auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* nombre = dialogo ? dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!nombre)
            return;
        respuesta.stop();
        nombre->setText(ruta);
        aceptado = Reloj::now();
        static_cast<QDialog*>(dialogo)->accept();
    });
    for (auto _ : estado) {
        lista->clear();
        QApplication::processEvents();
        respuesta.start();
        boton->click();
        ventana.repaint();
        QApplication::processEvents();
        estado.SetIterationTime(std::chrono::duration<double>(Reloj::now() - aceptado).count());
        if (lista->count() != filas)
            estado.SkipWithError("fichero no abierto");
    }
    estado.SetLabel(NOMBRES[tipo]);
}
BENCHMARK(BM_AbrirEnVentana)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return EjecutarConQt(argc, argv);
}
