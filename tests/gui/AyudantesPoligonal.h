#pragma once
// What the traverse tests share: their starting state, a field book of three
// stations and the sighted point worked out by hand with the textbook formulas.
#include <QLabel>
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

// The known starting vertices: P-1 100 m north of P-2.
inline const objPto VERTICE_P2 = {"P-2", 1000.0, 1000.0, 100.0};
inline const objPto VERTICE_P1 = {"P-1", 1000.0, 1100.0, 100.0};

// The program folder in the test's own folder, refraction k, and the starting
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

inline const Libreta LIBRETA[3] = {
    {0, 200.0012, 120.5, 320.5006, 99.2, 300.799, 85.431, 1.55, 1.6, 100.8, 299.2, 85.437, 1.52, 1.58},
    {15.3, 215.3, 260.12, 60.12, 101.5, 298.5, 120.25, 1.52, 1.6, 98.5, 301.5, 120.26, 1.5, 1.55},
    {0, 200, 180, 380, 100.3, 299.7, 95.1, 1.5, 1.5, 99.7, 300.3, 95.1, 1.5, 1.5}};

inline QStringList Textos(const Libreta& o)
{
    QStringList t;
    for (double v : {o.hz1, o.hz2, o.hz3, o.hz4, o.v5, o.v6, o.d7, o.i8, o.m9, o.v10, o.v11, o.d12, o.i13, o.m14})
        t << QString::number(v, 'g', 12);
    return t;
}

// Mean of a horizontal pair: the reverse reading taken back by half a turn.
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

// The point sighted from `est` oriented on `ori`, with K = 0.5 (no curvature
// and refraction term).
inline P Visado(const P& est, const P& ori, const Libreta& o)
{
    const double V = MediaV(o.v5, o.v6), Vr = MediaV(o.v10, o.v11);
    const double dr = (o.d7 * std::sin(V * G) + o.d12 * std::sin(Vr * G)) / 2.0;
    const double th = Acimut(est, ori) + MediaHz(o.hz3, o.hz4) - MediaHz(o.hz1, o.hz2);
    const double zDirecta = est.z + o.d7 * std::cos(V * G) + o.i8 - o.m9;
    const double zReciproca = est.z - (o.d12 * std::cos(Vr * G) + o.i13 - o.m14);
    return {est.x + dr * std::sin(th * G), est.y + dr * std::cos(th * G), (zDirecta + zReciproca) / 2.0};
}

// A label shown with three decimals lies within half a millimetre of the hand value.
inline bool Cerca(const QString& mostrado, double calculado)
{
    bool ok = false;
    const double v = mostrado.toDouble(&ok);
    return ok && std::fabs(v - calculado) <= 0.0005 + 1e-9;
}

// Runs the steps on a modal window once active; closes it if a check stopped them early.
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

// The text of the message box the action shows, answered with the button.
inline QString MensajeDe(const std::function<void()>& accion, QMessageBox::StandardButton boton = QMessageBox::Ok)
{
    auto m = Responder(boton);
    accion();
    return m->visto ? m->texto : QString("<ningún mensaje>");
}

// Each control (label, field or button) shows its text.
inline void Muestran(const QList<const QWidget*>& controles, const QStringList& textos)
{
    QCOMPARE(controles.size(), textos.size());
    for (int i = 0; i < controles.size(); ++i) {
        const QString visto = controles[i]->property("text").toString();
        QVERIFY2(visto == textos[i], qPrintable(controles[i]->objectName() + ": \"" + visto + "\""));
    }
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
