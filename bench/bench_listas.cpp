// Opening a 100,000-line observation file into an observation list: the
// parsing of the text and the filling of the list control, measured apart,
// and the whole road from the file on disk (target: under 0.5 s in total).
#include <benchmark/benchmark.h>

#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "PrincipalQt.h"
#include "points/FicherosTexto.h"
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

// From the file on disk to a shown list: read, parse, fill, paint.
void BM_AbrirFicheroCompleto(benchmark::State& estado)
{
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("campo.txt"));
    {
        QFile f(ruta);
        if (!f.open(QIODevice::WriteOnly)) {
            estado.SkipWithError("no se pudo escribir el fichero");
            return;
        }
        f.write(Texto().data(), static_cast<qint64>(Texto().size()));
    }
    QListWidget lista;
    lista.resize(400, 300);
    lista.show();
    for (auto _ : estado) {
        lista.clear();
        QFile f(ruta);
        if (!f.open(QIODevice::ReadOnly)) {
            estado.SkipWithError("no se pudo leer el fichero");
            return;
        }
        const QByteArray datos = f.readAll();
        const ResultadoLectura r =
            LeerObservaciones(std::string_view(datos.constData(), static_cast<size_t>(datos.size())));
        AnadirFilas(&lista, r.filas);
        lista.repaint();
    }
    estado.SetItemsProcessed(estado.iterations() * LINEAS);
}
BENCHMARK(BM_AbrirFicheroCompleto)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return EjecutarConQt(argc, argv);
}
