// Opening a 100,000-line observation file into an observation list: the
// parsing of the text and the filling of the list control, measured apart,
// and the whole road from the file on disk into the tacheometry window.
#include <benchmark/benchmark.h>

#include <QListWidget>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "PrincipalQt.h"
#include "core/Ficheros.h"
#include "core/FicherosTexto.h"
#include "points/frmTaquimetrico.h"
#include "points/modFuncionesAuxiliares.h"

namespace {

constexpr int LINEAS = 100000;

// A field book as a data collector writes it: one observation a line.
std::string FicheroObservaciones()
{
    std::string texto;
    texto.reserve(LINEAS * 40);
    for (int i = 0; i < LINEAS; ++i) {
        texto += std::to_string(1000 + i);
        texto += ',';
        texto += std::to_string((i * 37) % 400) + "." + std::to_string(1000 + (i * 7919) % 9000);
        texto += ',';
        texto += std::to_string(95 + i % 10) + "." + std::to_string(1000 + (i * 131) % 9000);
        texto += ',';
        texto += std::to_string(10 + i % 190) + "." + std::to_string(100 + i % 900);
        texto += ",1.500\r\n";
    }
    return texto;
}

const std::string& Texto()
{
    static const std::string t = FicheroObservaciones();
    return t;
}

void BM_LeerObservaciones(benchmark::State& estado)
{
    const std::string& texto = Texto();
    for (auto _ : estado) {
        ResultadoLectura r = LeerObservaciones(texto);
        benchmark::DoNotOptimize(r.filas.data());
        if (r.filas.size() != LINEAS)
            estado.SkipWithError("filas de menos");
    }
    estado.SetItemsProcessed(estado.iterations() * LINEAS);
}
BENCHMARK(BM_LeerObservaciones)->Unit(benchmark::kMillisecond);

void BM_RellenarLista(benchmark::State& estado)
{
    const std::vector<std::string> filas = LeerObservaciones(Texto()).filas;
    QListWidget lista;
    for (auto _ : estado) {
        lista.clear();
        AnadirFilas(&lista, filas);
        if (lista.count() != LINEAS)
            estado.SkipWithError("filas de menos");
    }
    estado.SetItemsProcessed(estado.iterations() * LINEAS);
}
BENCHMARK(BM_RellenarLista)->Unit(benchmark::kMillisecond);

// Opening the file in the tacheometry window, from the dialog closing to
// the list filled and painted (target: under 100 ms).
void BM_AbrirEnTaquimetrico(benchmark::State& estado)
{
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("campo.txt"));
    if (!EscribirFichero(ruta.toStdString(), Texto()).ok) {
        estado.SkipWithError("no se pudo escribir el fichero");
        return;
    }
    frmTaquimetrico ventana;
    ventana.show();
    auto* lista = ventana.findChild<QListWidget*>(QStringLiteral("lstObservaciones"));
    for (auto _ : estado) {
        lista->clear();
        if (!CargarFichero(lista, &ventana, ruta, TipoFichero::Observaciones) || lista->count() != LINEAS)
            estado.SkipWithError("fichero no abierto");
        ventana.repaint();
    }
    estado.SetItemsProcessed(estado.iterations() * LINEAS);
}
BENCHMARK(BM_AbrirEnTaquimetrico)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return EjecutarConQt(argc, argv);
}
