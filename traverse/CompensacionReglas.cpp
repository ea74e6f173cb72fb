#include "traverse/CompensacionInterna.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "core/modFuncionesTopo.h"

namespace compensacion {

// Bowditch and transit: the angular misclosure in equal parts, cumulatively,
// then the linear one by the rule; heights in proportion to the leg lengths
// (least squares passes its own height weights).
void CompensarPorReglas(const objPto& BE, const objPto& PE, const Poligonal& t, ResultadoCompensacion& r,
                        const std::vector<double>* pesosCota)
{
    const int legs = t.n - 1;
    r.tramos.resize(legs);
    double sumX = 0.0, sumY = 0.0, sumZ = 0.0, absX = 0.0, absY = 0.0;
    for (int k = 0; k < legs; ++k) {
        TramoCompensado& tr = r.tramos[k];
        tr.desde = t.puntos[k]->N;
        tr.hasta = t.puntos[k + 1]->N;
        tr.distancia = t.distancia[k];
        tr.correccionAcimut = r.cierre.EA * (k + 1) / t.n;
        tr.acimut = NormalizarAngulo(t.acimut[k] + tr.correccionAcimut);
        tr.dX = tr.distancia * std::sin(tr.acimut * GRAD_A_RAD);
        tr.dY = tr.distancia * std::cos(tr.acimut * GRAD_A_RAD);
        tr.dZ = t.desnivel[k];
        sumX += tr.dX;
        sumY += tr.dY;
        sumZ += tr.dZ;
        absX += std::fabs(tr.dX);
        absY += std::fabs(tr.dY);
    }
    r.fX = PE.X - (BE.X + sumX);
    r.fY = PE.Y - (BE.Y + sumY);
    r.fZ = PE.Z - (BE.Z + sumZ);
    r.fT = std::hypot(r.fX, r.fY);

    double sumaPesos = 0.0;
    if (pesosCota)
        for (double p : *pesosCota)
            sumaPesos += p;
    const bool transito = r.metodo == MetodoCompensacion::Transito;
    // Legs all north-south (or all east-west) leave nothing to share by the
    // increments: the lengths take over.
    const bool porX = transito && absX > 0.0;
    const bool porY = transito && absY > 0.0;
    for (int k = 0; k < legs; ++k) {
        TramoCompensado& tr = r.tramos[k];
        const double parteL = tr.distancia / t.longitud;
        tr.cX = r.fX * (porX ? std::fabs(tr.dX) / absX : parteL);
        tr.cY = r.fY * (porY ? std::fabs(tr.dY) / absY : parteL);
        tr.cZ = r.fZ * (pesosCota ? (*pesosCota)[k] / sumaPesos : parteL);
    }

    r.puntos.resize(t.n);
    double X = BE.X, Y = BE.Y, Z = BE.Z;
    for (int k = 0; k < t.n; ++k) {
        PuntoCompensado& p = r.puntos[k];
        p.N = t.puntos[k]->N;
        if (k > 0) {
            const TramoCompensado& tr = r.tramos[k - 1];
            X += tr.dX + tr.cX;
            Y += tr.dY + tr.cY;
            Z += tr.dZ + tr.cZ;
        }
        p.fijo = k == 0;
        // The closing point lands on the arrival vertex; the sums above
        // reach it up to the last bits.
        const bool ultimo = k == t.n - 1;
        p.X = ultimo ? PE.X : X;
        p.Y = ultimo ? PE.Y : Y;
        p.Z = ultimo ? PE.Z : Z;
    }
}

} // namespace compensacion
