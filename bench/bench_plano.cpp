// The live plan: one frame of the plan with 100,000 points (the view's own
// render into a 1920 x 1080 image, fitted and zoomed in as while panning)
// must fit in one frame (16 ms), and so must the plan with a 100,000-triangle
// surface, its contours at 1 m drawn (and its edges, third argument 1). The keystroke with the plan open is in
// bench_poligonal.
#include <QCheckBox>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <memory>
#include <random>

#include "PrincipalQt.h"
#include "points/frmTaquimetrico.h"
#include "drawings/frmPlano.h"
#include "shell/Lista.h"
#include "shell/TrabajoQt.h"

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
    t->findChild<cv::Lista*>(QStringLiteral("lstPuntos"))->addItems(filas);
    return t;
}

// A hilly 2 x 1 km surface of about 2n triangles in the job, with its contours at 1 m.
void TerrenoEnElTrabajo(int n)
{
    std::mt19937 azar(2);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<objPto> puntos(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double x = 2000 * u(azar), y = 1000 * u(azar);
        puntos[static_cast<size_t>(i)] = {std::to_string(i + 1), 500000 + x, 4000000 + y,
                                          600 + 30 * std::sin(x / 150) * std::cos(y / 110) + 0.01 * x};
    }
    const Triangulacion t = Triangular(puntos);
    auto terreno = std::make_shared<TerrenoTrabajo>();
    terreno->superficie = std::make_shared<const Superficie>(t.superficie);
    terreno->curvas = CurvasDeNivel(*terreno->superficie, 1.0, 5).curvas;
    cv::ElTrabajo().Datos().PonerTerreno(std::move(terreno));
}

void Dibujar(benchmark::State& estado, frmPlano& plano, double zoom)
{
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

void BM_CuadroPlano(benchmark::State& estado)
{
    auto taquimetrico = TaquimetricoConPuntos(static_cast<int>(estado.range(0)));
    frmPlano plano;
    Dibujar(estado, plano, static_cast<double>(estado.range(1)));
}

void BM_CuadroTerreno(benchmark::State& estado)
{
    TerrenoEnElTrabajo(static_cast<int>(estado.range(0)) / 2);
    frmPlano plano;
    // The plan's own layers (contours), or the triangles' edges too.
    plano.findChild<QCheckBox*>(QStringLiteral("chkTriangulos"))->setChecked(estado.range(2) != 0);
    Dibujar(estado, plano, static_cast<double>(estado.range(1)));
    estado.counters["triangulos"] =
        static_cast<double>(cv::ElTrabajo().Datos().Terreno()->superficie->NumeroTriangulos());
    cv::ElTrabajo().Datos().PonerTerreno(nullptr);
}
BENCHMARK(BM_CuadroTerreno)
    ->Args({100000, 1, 0})
    ->Args({100000, 8, 0})
    ->Args({100000, 1, 1})
    ->Args({100000, 8, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CuadroPlano)->Args({100000, 1})->Args({100000, 8})->Args({10000, 1})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return EjecutarConQt(argc, argv); }
