// A tacheometric block of 100,000 observations: the computation of the
// points, the fill of the point list, and the whole button of the window
// (reading the observation list, computing and filling). Target: under 0.5 s.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <cstdio>
#include <string>
#include <vector>

#include "PrincipalQt.h"
#include "points/Taquimetrico.h"
#include "points/frmTaquimetrico.h"
#include "shell/Lista.h"

namespace
{

constexpr int N = 100000;

// A control of the window by its design name, as a user finds it.
template <class T> T* Control(QWidget& ventana, const QString& nombre)
{
    return ventana.findChild<T*>(nombre);
}

std::vector<std::string> Observaciones()
{
    std::vector<std::string> filas;
    filas.reserve(N);
    char buf[96];
    for (int k = 1; k <= N; ++k) {
        std::snprintf(buf, sizeof buf, "%d %.4f %.4f %.3f %.3f", k, (k * 7.1234) - 400.0 * (k * 7 / 400),
                      95.0 + (k % 1000) / 100.0, 10.0 + (k % 1400) / 10.0, 1.3 + (k % 3) * 0.2);
        filas.emplace_back(buf);
    }
    return filas;
}

EstacionTaquimetrica Estacion()
{
    EstacionTaquimetrica e;
    e.BE = {"E1", "362415.372", "4571236.845", "612.480"};
    e.BO = {"R1", "362560.118", "4571398.204", "618.215"};
    e.Hz = "0.0000";
    e.i = "1.562";
    e.PtoI = "1";
    e.PtoF = std::to_string(N);
    return e;
}

void BM_CalculoBloque(benchmark::State& estado)
{
    const std::vector<std::string> obs = Observaciones();
    for (auto _ : estado) {
        EstacionTaquimetrica e = Estacion();
        std::vector<std::string> puntos;
        const EstadoBloque r = CalcularBloque(e, obs, puntos);
        if (r != EstadoBloque::Calculado || puntos.size() != N)
            estado.SkipWithError("bloque no calculado");
        benchmark::DoNotOptimize(puntos.data());
    }
    estado.SetItemsProcessed(estado.iterations() * N);
}
BENCHMARK(BM_CalculoBloque)->Unit(benchmark::kMillisecond);

void BM_LlenadoLista(benchmark::State& estado)
{
    std::vector<std::string> puntos;
    {
        EstacionTaquimetrica e = Estacion();
        CalcularBloque(e, Observaciones(), puntos);
    }
    frmTaquimetrico w;
    w.show();
    auto* lista = Control<cv::Lista>(w, "lstPuntos");
    for (auto _ : estado) {
        // What the window does with the computed rows.
        lista->Anadir(puntos);
        lista->scrollToBottom();
        QApplication::processEvents();
        estado.PauseTiming();
        if (lista->count() != N)
            estado.SkipWithError("lista incompleta");
        lista->clear();
        estado.ResumeTiming();
    }
    estado.SetItemsProcessed(estado.iterations() * N);
}
BENCHMARK(BM_LlenadoLista)->Unit(benchmark::kMillisecond);

// The button as the user presses it, with 100,000 rows in the observation list.
void BM_BotonCalcularBloque(benchmark::State& estado)
{
    frmTaquimetrico w;
    w.show();
    auto* puntos = Control<cv::Lista>(w, "lstPuntos");
    Control<cv::Lista>(w, "lstObservaciones")->Anadir(Observaciones());
    const EstacionTaquimetrica e = Estacion();
    QLabel* be[4];
    QLabel* bo[4];
    for (int k = 0; k < 4; ++k) {
        const char* eje[4] = {"", "X", "Y", "Z"};
        be[k] = Control<QLabel>(w, QStringLiteral("lblBE%1").arg(eje[k]));
        bo[k] = Control<QLabel>(w, QStringLiteral("lblBO%1").arg(eje[k]));
    }
    for (auto _ : estado) {
        estado.PauseTiming();
        puntos->clear();
        for (size_t k = 0; k < 4; ++k) {
            be[k]->setText(QString::fromStdString(e.BE[k]));
            bo[k]->setText(QString::fromStdString(e.BO[k]));
        }
        Control<QLineEdit>(w, "txti")->setText(QString::fromStdString(e.i));
        Control<QLineEdit>(w, "txtPtoI")->setText(QString::fromStdString(e.PtoI));
        Control<QLineEdit>(w, "txtPtoF")->setText(QString::fromStdString(e.PtoF));
        QApplication::processEvents();
        estado.ResumeTiming();
        w.CalcularBloque();
        QApplication::processEvents();
        if (puntos->count() != N)
            estado.SkipWithError("bloque no calculado");
    }
    estado.SetItemsProcessed(estado.iterations() * N);
}
BENCHMARK(BM_BotonCalcularBloque)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return EjecutarConQt(argc, argv);
}
