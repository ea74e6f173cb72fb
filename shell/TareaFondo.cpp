#include "shell/TareaFondo.h"

#include <QTimer>
#include <algorithm>
#include <utility>

namespace cv {

namespace {
// The box comes up once the work has taken this long.
constexpr int ESPERA_DIALOGO_MS = 500;
} // namespace

TareaFondo::TareaFondo(QWidget* ventana, QString texto)
    : QObject(ventana), ventana_(ventana), texto_(std::move(texto)), seguimiento_(new QTimer(this))
{
    seguimiento_->setInterval(50);
    connect(seguimiento_, &QTimer::timeout, this, &TareaFondo::Seguir);
}

TareaFondo::~TareaFondo() { Detener(); }

void TareaFondo::Detener()
{
    ++generacion_;
    if (estado_)
        estado_->parar = true;
    if (hilo_.joinable())
        hilo_.join();
    terminada_ = true;
    seguimiento_->stop();
    if (dialogo_)
        dialogo_->hide();
}

void TareaFondo::Lanzar(Trabajo trabajo)
{
    Detener();
    const unsigned generacion = generacion_;
    estado_ = std::make_shared<Estado>();
    terminada_ = false;
    if (!dialogo_) {
        dialogo_ = new QProgressDialog(texto_, QStringLiteral("Cancelar"), 0, 1000, ventana_);
        dialogo_->setObjectName(QStringLiteral("dlgProgreso"));
        dialogo_->setWindowTitle(QStringLiteral("cartavector"));
        dialogo_->setWindowModality(Qt::NonModal);
        dialogo_->setAutoReset(false);
        dialogo_->setAutoClose(false);
        dialogo_->setMinimumDuration(ESPERA_DIALOGO_MS);
        connect(dialogo_, &QProgressDialog::canceled, this, [this] {
            if (estado_)
                estado_->parar = true;
        });
    }
    // (setValue starts the box's own clock: it shows once the work has lasted.)
    dialogo_->reset();
    dialogo_->setValue(0);
    seguimiento_->start();
    hilo_ = std::thread([this, generacion, estado = estado_, trabajo = std::move(trabajo)] {
        const Progreso progreso = [estado](double f) {
            estado->milesimas = static_cast<int>(std::clamp(f, 0.0, 1.0) * 1000.0);
            return !estado->parar.load();
        };
        std::function<void()> entregar = trabajo(progreso);
        // Back on the window's thread; a later work or the window's end drops it.
        QMetaObject::invokeMethod(
            this,
            [this, generacion, entregar = std::move(entregar)] {
                if (generacion != generacion_)
                    return;
                if (hilo_.joinable())
                    hilo_.join();
                terminada_ = true;
                seguimiento_->stop();
                if (dialogo_) {
                    dialogo_->reset();
                    dialogo_->hide();
                }
                if (entregar)
                    entregar();
                emit terminada();
            },
            Qt::QueuedConnection);
    });
}

void TareaFondo::Seguir()
{
    if (dialogo_ && estado_ && !terminada_ && !dialogo_->wasCanceled())
        dialogo_->setValue(std::max(1, estado_->milesimas.load()));
}

} // namespace cv
