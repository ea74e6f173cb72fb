#pragma once
// Long work off the window's thread: the computation runs on a thread of its
// own while the window keeps answering; after half a second a progress box
// shows how far it has got, fed by the computation's progress function, and
// its Cancel button stops it. Only the last work started counts: starting
// another stops the one running, whose results are then dropped.
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace cv {

class TareaFondo : public QObject {
    Q_OBJECT
public:
    // The progress function the computation calls: the fraction done (0 to
    // 1); it answers false once the work is to stop.
    using Progreso = std::function<bool(double fraccion)>;
    // The computation, run on the other thread; what it returns runs back on
    // the window's thread, with the results, once it is done (not if it was
    // replaced by a later one).
    using Trabajo = std::function<std::function<void()>(const Progreso& progreso)>;

    TareaFondo(QWidget* ventana, QString texto);
    // Stops the work running and waits for it.
    ~TareaFondo() override;
    TareaFondo(const TareaFondo&) = delete;
    TareaFondo& operator=(const TareaFondo&) = delete;

    void Lanzar(Trabajo trabajo);
    bool Ocupada() const { return hilo_.joinable() && !terminada_; }
    // Stops the work running and waits for its thread (its results dropped).
    void Detener();

signals:
    // The results of the last work have been handed to the window.
    void terminada();

private:
    struct Estado {
        std::atomic<bool> parar{false};
        std::atomic<int> milesimas{0};
    };
    void Seguir();

    QWidget* ventana_;
    QString texto_;
    std::thread hilo_;
    std::shared_ptr<Estado> estado_;
    QPointer<QProgressDialog> dialogo_;
    QTimer* seguimiento_;
    unsigned generacion_ = 0;
    bool terminada_ = true;
};

} // namespace cv
