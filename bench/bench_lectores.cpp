// The readers of the list files and of the instrument downloads against the
// floor of parsing: a plain std::from_chars pass over the same bytes (every
// field converted to a double, nothing kept). Each list reader is run on a
// 100,000-record file of its kind, each download reader on its example
// survey repeated to 100,000 observations, and the ratio reader / floor is
// printed at the end; the target is a ratio of at most 3 for every reader.
// The ratio is taken on CPU time, which other programs busy on the machine
// do not inflate as they do the wall-clock time.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <map>
#include <string>

#include "core/Ficheros.h"
#include "core/FicherosTexto.h"
#include "exchange/Descargas.h"

namespace {

constexpr int REGISTROS = 100000;

std::string Decimal(int entero, int fraccion, int cifras)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%0*d", entero, cifras, fraccion);
    return buf;
}

// One observation a line, as a data collector writes it (about 3.2 MB).
std::string FicheroObservaciones()
{
    std::string t;
    for (int i = 0; i < REGISTROS; ++i)
        t += std::to_string(1000 + i) + ',' + Decimal((i * 37) % 400, (i * 7919) % 10000, 4) + ',' +
             Decimal(95 + i % 10, (i * 131) % 10000, 4) + ',' + Decimal(10 + i % 190, i % 1000, 3) + ",1.500\r\n";
    return t;
}

std::string FicheroBases()
{
    std::string t;
    for (int i = 0; i < REGISTROS; ++i)
        t += "\"B-" + std::to_string(i) + "\",\"" + Decimal(362000 + i % 5000, i % 1000, 3) + "\",\"" +
             Decimal(4571000 + i % 7000, (i * 7) % 1000, 3) + "\",\"" + Decimal(600 + i % 90, (i * 3) % 1000, 3) +
             "\"\r\n";
    return t;
}

std::string FicheroPuntos()
{
    std::string t;
    for (int i = 0; i < REGISTROS; ++i)
        t += std::to_string(1 + i) + ' ' + Decimal(362000 + i % 5000, i % 1000, 3) + ' ' +
             Decimal(4571000 + i % 7000, (i * 7) % 1000, 3) + ' ' + Decimal(600 + i % 90, (i * 3) % 1000, 3) + "\r\n";
    return t;
}

// The downloads, in the order of FORMATOS_DESCARGA.
const char* const EJEMPLOS[] = {"taquimetrico.gsi", "taquimetrico.sdr", "taquimetrico.gt7", "taquimetrico.raw",
                                "taquimetrico.r5"};
constexpr int TIPOS = 3 + 5;
constexpr int OBSERVACIONES_EJEMPLO = 25;

std::string Descarga(int k)
{
    std::string ejemplo, t;
    if (!LeerFichero(std::string(CV_EJEMPLOS "/") + EJEMPLOS[k], ejemplo).ok)
        return t;
    t.reserve(ejemplo.size() * (REGISTROS / OBSERVACIONES_EJEMPLO));
    for (int i = 0; i < REGISTROS / OBSERVACIONES_EJEMPLO; ++i)
        t += ejemplo;
    return t;
}

const std::string& Fichero(int tipo)
{
    static const std::string ficheros[TIPOS] = {FicheroObservaciones(), FicheroBases(), FicheroPuntos(),
                                                Descarga(0), Descarga(1), Descarga(2), Descarga(3), Descarga(4)};
    return ficheros[tipo];
}

const char* const NOMBRES[TIPOS] = {"observaciones", "bases", "puntos", "gsi", "sdr33", "topcon", "nikon", "rec elta"};

// The floor: every field of the file (separated by commas, blanks or line
// ends, quotes dropped) converted with std::from_chars.
void BM_Suelo(benchmark::State& estado)
{
    const std::string& t = Fichero(static_cast<int>(estado.range(0)));
    for (auto _ : estado) {
        double suma = 0.0;
        const char* p = t.data();
        const char* const fin = p + t.size();
        while (p < fin) {
            while (p < fin && (*p == ',' || *p == ' ' || *p == '\r' || *p == '\n' || *p == '"' || *p == '|'))
                ++p;
            double v = 0.0;
            const auto r = std::from_chars(p, fin, v);
            suma += v;
            p = r.ptr;
            while (p < fin && *p != ',' && *p != ' ' && *p != '\r' && *p != '\n' && *p != '|')
                ++p;
        }
        benchmark::DoNotOptimize(suma);
    }
    estado.SetLabel(NOMBRES[estado.range(0)]);
}
BENCHMARK(BM_Suelo)->DenseRange(0, TIPOS - 1)->Unit(benchmark::kMillisecond);

void BM_Lector(benchmark::State& estado)
{
    const int tipo = static_cast<int>(estado.range(0));
    const std::string& t = Fichero(tipo);
    for (auto _ : estado) {
        if (tipo >= 3) {
            const LecturaDescarga d = LeerDescarga(t, FORMATOS_DESCARGA[tipo - 3]);
            if (!d.noLeidas.empty() || d.filas.size() != static_cast<size_t>(REGISTROS))
                estado.SkipWithError("descarga incompleta");
            benchmark::DoNotOptimize(d.filas.data());
            continue;
        }
        const ResultadoLectura r = tipo == 0 ? LeerObservaciones(t) : tipo == 1 ? LeerBases(t) : LeerPuntos(t);
        if (r.fallo || r.filas.size() != static_cast<size_t>(tipo == 1 ? 6 * REGISTROS : REGISTROS))
            estado.SkipWithError("lectura incompleta");
        benchmark::DoNotOptimize(r.filas.data());
    }
    estado.SetLabel(NOMBRES[tipo]);
}
BENCHMARK(BM_Lector)->DenseRange(0, TIPOS - 1)->Unit(benchmark::kMillisecond);

// Keeps the time of every run to print the ratios after the table.
class Informe : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (!r.error_occurred)
                tiempos[r.benchmark_name()] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> tiempos;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Informe informe;
    benchmark::RunSpecifiedBenchmarks(&informe);
    benchmark::Shutdown();
    for (int tipo = 0; tipo < TIPOS; ++tipo) {
        const std::string sufijo = "/" + std::to_string(tipo);
        const auto suelo = informe.tiempos.find("BM_Suelo" + sufijo);
        const auto lector = informe.tiempos.find("BM_Lector" + sufijo);
        if (suelo != informe.tiempos.end() && lector != informe.tiempos.end())
            std::printf("razón lector/suelo, %s: %.2f (objetivo <= 3)\n", NOMBRES[tipo],
                        lector->second / suelo->second);
    }
    return 0;
}
