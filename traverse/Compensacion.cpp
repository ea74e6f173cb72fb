#include "traverse/Compensacion.h"

#include <cmath>
#include <exception>
#include <new>

#include "core/TextoNumerico.h"
#include "traverse/CompensacionInterna.h"

using namespace compensacion;

namespace {

std::string Validar(const objPto& BE, const objPto& BO, const colEstaciones& estaciones, const objPto& PE,
                    const objPto& PV, bool cierreAceptado, const OpcionesCompensacion& o)
{
    if (!cierreAceptado)
        return "El cierre de la poligonal no está aceptado: cierre la poligonal antes de compensarla.";
    if (estaciones.size() < 3)
        return "La poligonal necesita al menos tres estaciones para compensarse.";
    for (const objPto* p : {&BE, &BO, &PE, &PV})
        if (!std::isfinite(p->X) || !std::isfinite(p->Y) || !std::isfinite(p->Z))
            return "Las coordenadas de " + p->N + " no son válidas.";
    if (DistanciaEntrePuntos(BE, BO) <= 0.0)
        return "Los vértices de salida " + BE.N + " y " + BO.N + " coinciden en planta.";
    if (DistanciaEntrePuntos(PE, PV) <= 0.0)
        return "Los vértices de llegada " + PE.N + " y " + PV.N + " coinciden en planta.";
    const PrecisionApriori& p = o.precision;
    if (!Positivo(p.DireccionCC) || !Positivo(p.DistanciaMM) || !(p.DistanciaPPM >= 0.0) ||
        !std::isfinite(p.DistanciaPPM) || !(p.CentradoMM >= 0.0) || !std::isfinite(p.CentradoMM))
        return "Las precisiones a priori deben ser números positivos.";
    if (!Positivo(o.tolerancias.AngularCC) || !Positivo(o.tolerancias.Relativa))
        return "Las tolerancias deben ser números positivos.";
    const size_t n = estaciones.size();
    for (size_t i = 0; i < n; ++i) {
        const objEstacion& e = estaciones[i];
        const std::string num = std::to_string(i + 1);
        if (e.colObservaciones.size() < static_cast<size_t>(NUM_SLOTS))
            return "La estación " + num + " no tiene sus " + std::to_string(NUM_SLOTS) + " observaciones.";
        if (!std::isfinite(e.Slot(HzMedioOrientacion)) || !std::isfinite(e.Slot(HzMedioVisado)) ||
            !std::isfinite(e.objBE.X) || !std::isfinite(e.objBE.Y) || !std::isfinite(e.objBE.Z) ||
            !std::isfinite(e.objBV.Z))
            return "La estación " + num + " tiene observaciones que no son números.";
        if (i + 1 < n && !Positivo(e.Slot(DistanciaReducidaMedia)))
            return "El tramo " + e.objBE.N + " - " + e.objBV.N + " (estación " + num + ") tiene longitud nula.";
    }
    return {};
}

Poligonal Leer(const objPto& BE, const objPto& BO, const colEstaciones& estaciones)
{
    Poligonal t;
    t.n = static_cast<int>(estaciones.size());
    double A = AcimutEntrePuntos(BE, BO);
    for (int i = 0; i < t.n; ++i) {
        const objEstacion& e = estaciones[i];
        t.puntos.push_back(&e.objBE);
        t.atras.push_back(e.Slot(HzMedioOrientacion));
        t.adelante.push_back(e.Slot(HzMedioVisado));
        // Carried as the closure carries it: the running sum is not reduced.
        A += e.Slot(HzMedioVisado) - e.Slot(HzMedioOrientacion) + (i > 0 ? 200.0 : 0.0);
        t.acimut.push_back(A);
        if (i + 1 < t.n) {
            t.distancia.push_back(e.Slot(DistanciaReducidaMedia));
            t.desnivel.push_back(e.objBV.Z - e.objBE.Z);
            t.longitud += e.Slot(DistanciaReducidaMedia);
        }
    }
    return t;
}

} // namespace

// ---------------------------------------------------------------- public

std::string NombreMetodo(MetodoCompensacion metodo)
{
    switch (metodo) {
    case MetodoCompensacion::Bowditch:
        return "Proporcional a las distancias (Bowditch)";
    case MetodoCompensacion::Transito:
        return "Proporcional a los incrementos (tránsito)";
    case MetodoCompensacion::MinimosCuadrados:
        return "Mínimos cuadrados";
    }
    return {};
}

double SigmaDireccion(const PrecisionApriori& p, double longitud)
{
    const double s = p.DireccionCC * CC_A_RAD;
    const double c = p.CentradoMM / 1000.0 / longitud;
    return std::sqrt(s * s + 2.0 * c * c);
}

double SigmaDistancia(const PrecisionApriori& p, double longitud)
{
    return p.DistanciaMM / 1000.0 + p.DistanciaPPM * 1e-6 * longitud;
}

double SigmaDesnivel(const PrecisionApriori& p, double longitud)
{
    return p.DireccionCC * CC_A_RAD * longitud / std::sqrt(2.0);
}

namespace
{

ResultadoCompensacion Calcular(const objPto& BE, const objPto& BO, const colEstaciones& estaciones, const objPto& PE,
                               const objPto& PV, bool cierreAceptado, const OpcionesCompensacion& opciones)
{
    ResultadoCompensacion r;
    r.metodo = opciones.metodo;
    r.error = Validar(BE, BO, estaciones, PE, PV, cierreAceptado, opciones);
    if (!r.error.empty())
        return r;
    const Poligonal t = Leer(BE, BO, estaciones);
    r.estaciones = t.n;
    r.longitud = t.longitud;
    r.cierre = CalcularErroresCierre(BE, BO, estaciones, PE, PV);

    if (opciones.metodo == MetodoCompensacion::MinimosCuadrados) {
        if (!CompensarMinimosCuadrados(BE, BO, PE, PV, t, opciones.precision, r)) {
            ResultadoCompensacion fallo;
            fallo.metodo = r.metodo;
            fallo.error = r.error;
            return fallo;
        }
    } else {
        CompensarPorReglas(BE, PE, t, r, nullptr);
    }
    // The starting vertex as given; every correction against the traverse as held.
    r.puntos[0].X = BE.X;
    r.puntos[0].Y = BE.Y;
    r.puntos[0].Z = BE.Z;
    for (int k = 0; k < t.n; ++k) {
        PuntoCompensado& p = r.puntos[k];
        const objPto& h = *t.puntos[k];
        p.dX = p.X - h.X;
        p.dY = p.Y - h.Y;
        p.dZ = p.Z - h.Z;
    }

    r.precision = r.fT > 0.0 ? r.longitud / r.fT : 0.0;
    r.toleranciaAngular = opciones.tolerancias.AngularCC * std::sqrt(static_cast<double>(t.n)) / 10000.0;
    r.angularDentro = std::fabs(r.cierre.EA) <= r.toleranciaAngular;
    r.relativaDentro = r.fT == 0.0 || r.precision >= opciones.tolerancias.Relativa;
    r.dentroTolerancia = r.angularDentro && r.relativaDentro;
    if (r.dentroTolerancia) {
        r.veredicto = "Dentro de tolerancia";
    } else {
        std::string motivos;
        if (!r.angularDentro)
            motivos = "error angular " + F4(std::fabs(r.cierre.EA)) + " g > " + F4(r.toleranciaAngular) + " g";
        if (!r.relativaDentro)
            motivos += (motivos.empty() ? "" : "; ") + std::string("precisión ") + TextoPrecision(r.precision) + " < " +
                       TextoPrecision(opciones.tolerancias.Relativa);
        r.veredicto = "Fuera de tolerancia: " + motivos;
    }
    r.ok = true;
    return r;
}

} // namespace

ResultadoCompensacion Compensar(const objPto& BE, const objPto& BO, const colEstaciones& estaciones, const objPto& PE,
                                const objPto& PV, bool cierreAceptado, const OpcionesCompensacion& opciones)
{
    // Nothing escapes to the window: running out of memory on a huge
    // traverse is one more refusal.
    ResultadoCompensacion fallo;
    fallo.metodo = opciones.metodo;
    try {
        return Calcular(BE, BO, estaciones, PE, PV, cierreAceptado, opciones);
    } catch (const std::bad_alloc&) {
        fallo.error = "No hay memoria suficiente para compensar la poligonal.";
    } catch (const std::exception&) {
        fallo.error = "No se ha podido compensar la poligonal.";
    }
    return fallo;
}
