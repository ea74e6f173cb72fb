#pragma once
// What the traverse and frame tests share: their starting state, the menu
// items and controls found by name, and a field book of three stations.
#include <QAction>
#include <QTemporaryDir>
#include <memory>

#include "Ayudantes.h"
#include "core/Configuracion.h"
#include "core/TextoNumerico.h"
#include "app/MDIfrmMain.h"
#include "traverse/frmPoligonal.h"

namespace prueba {

inline const objPto VERTICE_P2 = {"P-2", 1000.0, 1000.0, 100.0}, VERTICE_P1 = {"P-1", 1000.0, 1100.0, 100.0};

// The program folder in the test's own, refraction k, and the vertices the next sheet opens on.
inline void PrepararPoligonal(const QTemporaryDir& carpeta, double k, const objPto& be, const objPto& bo)
{
    FijarCarpetaPrograma(carpeta.path().toStdString());
    Configuracion c{k, 0};
    GuardarConfiguracion(c);
    frmPoligonal::objVertice_BE = be;
    frmPoligonal::objVertice_BO = bo;
}

// Chooses a menu item of the frame, as a user can only while it is enabled.
inline void Elegir(QWidget* principal, const char* item)
{
    Menu(principal, item);
}

// The traverse items (1 enabled): Nueva, Abrir, Guardar, Exportar, Imprimir, Vértices, Cerrar.
inline QString MenuPoligonal(QWidget* principal)
{
    QString s;
    for (const char* n : {"Nueva", "Abrir", "Guardar", "Exportar", "Imprimir", "VerticesdeSalida", "Cerrar"})
        s += principal->findChild<QAction*>(QString("mnuPoligonal") + n)->isEnabled() ? '1' : '0';
    return s;
}
inline const QString SIN_HOJA = "1100000", CON_HOJA = "0011110", CON_CIERRE = "0011111";

template <class T = QLineEdit> T* En(QWidget* ventana, const QString& nombre)
{
    return Control<T>(ventana, nombre);
}
inline QLineEdit* Obs(QWidget* hoja, int k)
{
    return En(hoja, QString("txtObservacion_%1").arg(k));
}

// Boxes 1 to 14 of three stations.
inline const double LIBRETA[3][14] = {
    {0, 200.0012, 120.5, 320.5006, 99.2, 300.799, 85.431, 1.55, 1.6, 100.8, 299.2, 85.437, 1.52, 1.58},
    {15.3, 215.3, 260.12, 60.12, 101.5, 298.5, 120.25, 1.52, 1.6, 98.5, 301.5, 120.26, 1.5, 1.55},
    {0, 200, 180, 380, 100.3, 299.7, 95.1, 1.5, 1.5, 99.7, 300.3, 95.1, 1.5, 1.5}};
inline QString Valor(int estacion, int k)
{
    return QString::number(LIBRETA[estacion][k - 1], 'g', 12);
}

// Station s (from 0) of the field book pasted into the sheet.
inline void PegarEstacion(QWidget* hoja, int s, const QString& nombre)
{
    Obs(hoja, 0)->setText(nombre);
    for (int k = 1; k <= 14; ++k)
        Obs(hoja, k)->setText(Valor(s, k));
}
inline void Clic(QWidget* ventana, const char* boton)
{
    QTest::mouseClick(En<QPushButton>(ventana, boton), Qt::LeftButton);
}
// The three stations pasted as E-1, E-2 (or as told), E-3.
inline void TresEstaciones(QWidget* h, const QString& segunda = "E-2")
{
    for (int s = 0; s < 3; ++s) {
        if (s > 0)
            Clic(h, "cmdNuevaEstacion");
        PegarEstacion(h, s, s == 1 ? segunda : QString("E-%1").arg(s + 1));
    }
}

// The first n stations on P-2 -> P-1 as the library computes them: what the sheet must show.
inline colEstaciones Calculada(int n)
{
    colEstaciones col;
    PrimeraEstacion(col, VERTICE_P2, VERTICE_P1);
    for (int s = 0; s < n; ++s) {
        if (s > 0)
            AnadirEstacion(col);
        for (int k = 1; k <= 14; ++k)
            col.back().Slot(k) = LIBRETA[s][k - 1];
        col.back().Radiar();
    }
    return col;
}
inline QString Punto(const objPto& p)
{
    return QString::fromStdString(F3(p.X) + "|" + F3(p.Y) + "|" + F3(p.Z));
}

// The text of the box the action brings up, answered with the button.
inline QString MensajeDe(const std::function<void()>& accion, QMessageBox::StandardButton boton = QMessageBox::Ok)
{
    auto m = Responder(boton);
    accion();
    return m->visto ? m->texto : QString("<ningún mensaje>");
}

// Runs the steps on a modal window once it shows; closes it if they stopped early.
template <class T> void EnModal(std::function<void(T*)> pasos)
{
    AlAparecer<T>([pasos](T* w) {
        pasos(w);
        if (w->isVisible())
            w->reject();
    });
}

// Waits briefly for a message box that should not appear; true if one did.
inline bool AparecioMensaje()
{
    auto visto = std::make_shared<bool>(false);
    AlAparecer<QMessageBox>([visto](QMessageBox* caja) { *visto = true, caja->done(QMessageBox::No); }, 200);
    QTest::qWait(300);
    return *visto;
}

} // namespace prueba
