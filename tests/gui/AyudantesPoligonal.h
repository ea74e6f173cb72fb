#pragma once
// What the traverse tests share: their starting state, a field book station
// and the sighted point worked out by hand with the textbook formulas (not
// the program's), and waiting on modal windows.
#include <QMessageBox>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <memory>

#include "Ayudantes.h"
#include "core/Configuracion.h"
#include "core/objPto.h"
#include "traverse/frmPoligonal.h"

namespace prueba {

// The known starting vertices of the typed traverses: P-1 100 m north of P-2.
inline const objPto VERTICE_P2 = {"P-2", 1000.0, 1000.0, 100.0};
inline const objPto VERTICE_P1 = {"P-1", 1000.0, 1100.0, 100.0};

// Before each test: the program folder in the test's temporary folder, its
// configuration written with the refraction coefficient k, and the starting
// vertices the next sheet opens on.
inline void PrepararPoligonal(const QTemporaryDir& carpeta, double k, const objPto& be, const objPto& bo)
{
    FijarCarpetaPrograma(carpeta.path().toStdString());
    Configuracion c{k, 0};
    GuardarConfiguracion(c);
    frmPoligonal::objVertice_BE = be;
    frmPoligonal::objVertice_BO = bo;
}

constexpr double G = M_PI / 200.0; // grads to radians

struct P {
    double x, y, z;
};

// One station of the field book, boxes 1 to 14.
struct Libreta {
    double hz1, hz2, hz3, hz4, v5, v6, d7, i8, m9, v10, v11, d12, i13, m14;
};

// Mean of a horizontal pair: the direct reading and the reverse one taken
// back by half a turn, the two brought to the same side of the circle.
inline double MediaHz(double d, double r)
{
    double rr = r - 200.0;
    if (rr < d - 100.0)
        rr += 400.0;
    if (rr > d + 100.0)
        rr -= 400.0;
    return (d + rr) / 2.0;
}

// Zenith angle corrected by half the index error.
inline double MediaV(double d, double r)
{
    return d + (400.0 - (d + r)) / 2.0;
}

inline double Acimut(const P& a, const P& b)
{
    const double az = std::atan2(b.x - a.x, b.y - a.y) / G;
    return az < 0 ? az + 400.0 : az;
}

// The point sighted from `est` oriented on `ori`, without curvature and
// refraction (K = 0.5).
inline P Visado(const P& est, const P& ori, const Libreta& o)
{
    const double V = MediaV(o.v5, o.v6);
    const double Vr = MediaV(o.v10, o.v11);
    const double dr = (o.d7 * std::sin(V * G) + o.d12 * std::sin(Vr * G)) / 2.0;
    const double th = Acimut(est, ori) + MediaHz(o.hz3, o.hz4) - MediaHz(o.hz1, o.hz2);
    const double zDirecta = est.z + o.d7 * std::cos(V * G) + o.i8 - o.m9;
    const double zReciproca = est.z - (o.d12 * std::cos(Vr * G) + o.i13 - o.m14);
    return {est.x + dr * std::sin(th * G), est.y + dr * std::cos(th * G), (zDirecta + zReciproca) / 2.0};
}

// The field that holds (or will hold, once its window is active) the focus
// of its window: focus moves are seen even while the window manager is
// still activating the window.
inline bool Enfocado(const QWidget* campo)
{
    return campo->window()->focusWidget() == campo;
}

// Runs the steps on a modal window once it is active; if a check stopped
// them early the window is closed, so the test goes on.
template <class T> void EnModal(std::function<void(T*)> pasos)
{
    AlAparecer<T>([pasos](T* w) {
        w->activateWindow();
        (void)QTest::qWaitForWindowActive(w);
        pasos(w);
        if (w->isVisible())
            w->reject();
    });
}

// Waits briefly for a message box that should not appear; true if one did.
inline bool AparecioMensaje()
{
    auto visto = std::make_shared<bool>(false);
    AlAparecer<QMessageBox>(
        [visto](QMessageBox* caja) {
            *visto = true;
            caja->done(QMessageBox::No);
        },
        200);
    QTest::qWait(300);
    return *visto;
}

} // namespace prueba
