// One keystroke in station 1 of a long traverse: the station is recomputed,
// every later station re-chained and recomputed, and the list of points
// rebuilt. It must fit in one frame (16 ms) for 1,000 stations, the live
// plan's redraw included.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

#include "drawings/frmPlano.h"
#include "shell/Lista.h"
#include "traverse/frmPoligonal.h"

namespace {

objEstacion EstacionDeCampo(int i)
{
    objEstacion e;
    const double valores[14] = {0.0, 200.0, 180.0 + (i % 7), 380.0 + (i % 7), 100.3, 299.7, 95.1,
                                1.5, 1.5,   99.7,  300.3,              95.1,   1.5,   1.5};
    for (int k = 1; k <= 14; ++k)
        e.Slot(k) = valores[k - 1];
    e.objBV.N = "E-" + std::to_string(i);
    return e;
}

// A sheet of n stations with station 1 on screen: its boxes filled, the
// traverse chained. The controls are found by their design names, as a user
// finds them.
void PrepararHoja(frmPoligonal& hoja, int n)
{
    frmPoligonal::objVertice_BE = {"P-2", 1000.0, 1000.0, 100.0};
    frmPoligonal::objVertice_BO = {"P-1", 1000.0, 1100.0, 100.0};
    hoja.show();
    hoja.colPoligonal.clear();
    for (int i = 1; i <= n; ++i)
        hoja.colPoligonal.push_back(EstacionDeCampo(i));
    hoja.colPoligonal.front().objBE = frmPoligonal::objVertice_BE;
    hoja.colPoligonal.front().objBO = frmPoligonal::objVertice_BO;
    hoja.findChild<QLineEdit*>(QStringLiteral("txtIra"))->setText(QStringLiteral("1"));
    hoja.findChild<QPushButton*>(QStringLiteral("cmdIra"))->click();
    QApplication::processEvents();
}

// A reading typed in station 1: the station and every later one recomputed.
void Teclear(benchmark::State& estado, frmPoligonal& hoja, bool repintar)
{
    auto* distancia = hoja.findChild<QLineEdit*>(QStringLiteral("txtObservacion_7"));
    bool alterna = false;
    for (auto _ : estado) {
        distancia->setText(alterna ? QStringLiteral("95.100") : QStringLiteral("95.2"));
        alterna = !alterna;
        if (repintar)
            QApplication::processEvents();
    }
    benchmark::DoNotOptimize(hoja.colPoligonal.back().objBV.X);
}

void BM_CambioEnPrimeraEstacion(benchmark::State& estado)
{
    const int n = static_cast<int>(estado.range(0));
    frmPoligonal hoja;
    PrepararHoja(hoja, n);
    Teclear(estado, hoja, false);
    if (hoja.findChild<cv::Lista*>(QStringLiteral("lstBases"))->count() != 6 * (n + 1))
        estado.SkipWithError("the list of points was not rebuilt");
}
BENCHMARK(BM_CambioEnPrimeraEstacion)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same keystroke on 1,000 stations with the plan open (argument 1) or
// not (0), the plan's redraw and both windows' repaint included.
void BM_TeclaConPlano(benchmark::State& estado)
{
    frmPoligonal hoja;
    PrepararHoja(hoja, 1000);
    std::unique_ptr<frmPlano> plano;
    if (estado.range(0)) {
        plano = std::make_unique<frmPlano>();
        plano->resize(1000, 800);
        plano->show();
        plano->Actualizar();
        QApplication::processEvents();
    }
    Teclear(estado, hoja, true);
}
BENCHMARK(BM_TeclaConPlano)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
