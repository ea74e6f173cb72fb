// The live plan: one frame of the plan with 100,000 points (the view's own
// render into a 1920 x 1080 image, fitted and zoomed in as while panning),
// and a keystroke in station 1 of a 1,000-station traverse with the plan
// open (the sheet's work, the plan's redraw and the repaint). Both must fit
// in one frame (16 ms).
#include <QGraphicsView>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <memory>
#include <random>

#include "PrincipalQt.h"
#include "points/frmTaquimetrico.h"
#include "shell/frmPlano.h"
#include "traverse/frmPoligonal.h"

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

// Argument: 1 with the plan open, 0 without (the sheet's own share).
void BM_TeclaConPlano(benchmark::State& estado)
{
    const int n = 1000;
    frmPoligonal::objVertice_BE = {"P-2", 1000.0, 1000.0, 100.0};
    frmPoligonal::objVertice_BO = {"P-1", 1000.0, 1100.0, 100.0};
    frmPoligonal hoja;
    hoja.show();
    hoja.colPoligonal.clear();
    for (int i = 1; i <= n; ++i)
        hoja.colPoligonal.push_back(EstacionDeCampo(i));
    hoja.colPoligonal.front().objBE = frmPoligonal::objVertice_BE;
    hoja.colPoligonal.front().objBO = frmPoligonal::objVertice_BO;
    hoja.findChild<QLineEdit*>(QStringLiteral("txtIra"))->setText(QStringLiteral("1"));
    hoja.findChild<QPushButton*>(QStringLiteral("cmdIra"))->click();
    std::unique_ptr<frmPlano> plano;
    if (estado.range(0)) {
        plano = std::make_unique<frmPlano>();
        plano->resize(1000, 800);
        plano->show();
        plano->Actualizar();
    }
    QApplication::processEvents();

    auto* distancia = hoja.findChild<QLineEdit*>(QStringLiteral("txtObservacion_7"));
    bool alterna = false;
    for (auto _ : estado) {
        distancia->setText(alterna ? QStringLiteral("95.100") : QStringLiteral("95.2"));
        alterna = !alterna;
        // The plan's redraw and the repaint of both windows.
        QApplication::processEvents();
    }
    benchmark::DoNotOptimize(hoja.colPoligonal.back().objBV.X);
}
BENCHMARK(BM_TeclaConPlano)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return EjecutarConQt(argc, argv); }
