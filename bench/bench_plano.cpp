// The live plan: one frame of the plan with 100,000 points (the view's own
// render into a 1920 x 1080 image, fitted and zoomed in as while panning)
// must fit in one frame (16 ms). The keystroke with the plan open is in
// bench_poligonal.
#include <QGraphicsView>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <memory>
#include <random>

#include "PrincipalQt.h"
#include "points/frmTaquimetrico.h"
#include "drawings/frmPlano.h"

namespace {

// A tacheometry window holding n computed points over a 2 x 1 km site.
std::unique_ptr<frmTaquimetrico> TaquimetricoConPuntos(int n)
{
    auto t = std::make_unique<frmTaquimetrico>();
    std::mt19937 azar(1);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    QStringList filas;
    for (int i = 1; i <= n; ++i)
        filas << QStringLiteral("%1 %2 %3 %4").arg(i).arg(500000 + 2000 * u(azar), 0, 'f', 3)
                     .arg(4000000 + 1000 * u(azar), 0, 'f', 3).arg(600 + 50 * u(azar), 0, 'f', 3);
    t->findChild<QListWidget*>(QStringLiteral("lstPuntos"))->addItems(filas);
    return t;
}

void BM_CuadroPlano(benchmark::State& estado)
{
    const double zoom = static_cast<double>(estado.range(1));
    auto taquimetrico = TaquimetricoConPuntos(static_cast<int>(estado.range(0)));
    frmPlano plano;
    plano.resize(1940, 1200);
    plano.show();
    plano.Actualizar();
    auto* vista = plano.findChild<QGraphicsView*>(QStringLiteral("vistaPlano"));
    vista->resize(1920, 1080);
    plano.Encuadrar();
    vista->scale(zoom, zoom);
    QImage imagen(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    int paso = 0;
    for (auto _ : estado) {
        // Panning: a few pixels each frame.
        vista->translate(++paso % 2 ? 3.0 : -3.0, 0.0);
        QPainter p(&imagen);
        vista->render(&p, QRectF(imagen.rect()), vista->viewport()->rect());
    }
    benchmark::DoNotOptimize(imagen.constBits());
}
BENCHMARK(BM_CuadroPlano)->Args({100000, 1})->Args({100000, 8})->Args({10000, 1})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return EjecutarConQt(argc, argv); }
