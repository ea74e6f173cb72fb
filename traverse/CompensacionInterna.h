#pragma once
// What the parts of the traverse adjustment share inside the library: the
// traverse as the adjustment reads it and the two ways of adjusting it.
#include <cmath>
#include <vector>

#include "core/modFuncionesTopo.h"
#include "traverse/Compensacion.h"

namespace compensacion {

inline constexpr double CC_A_RAD = GRAD_A_RAD / 10000.0;
inline constexpr double PI = 3.14159265358979323846;

// An angle in radians taken the short way round, into (-pi, pi].
inline double Envolver(double a)
{
    a = std::remainder(a, 2.0 * PI);
    return a <= -PI ? a + 2.0 * PI : a;
}

inline bool Positivo(double v)
{
    return std::isfinite(v) && v > 0.0;
}

// What the adjustment reads of the traverse, 0-based: point k (0 .. n-1) is
// the station point of station k + 1; leg k (0 .. n-2) goes from point k to
// point k + 1 and is observed by station k + 1.
struct Poligonal {
    int n = 0;
    std::vector<const objPto*> puntos;       // as held
    std::vector<double> atras, adelante;     // slots 15 and 16, grads
    std::vector<double> acimut;              // carried forward azimuth of each station, grads
    std::vector<double> distancia, desnivel; // per leg
    double longitud = 0.0;
};

// Bowditch or transit on the traverse read; the heights in proportion to
// the leg lengths, or to the given weights (least squares passes its own).
void CompensarPorReglas(const objPto& BE, const objPto& PE, const Poligonal& t, ResultadoCompensacion& r,
                        const std::vector<double>* pesosCota);
// Least squares of the plan (directions and distances) and of the heights;
// false with r.error set when the normal matrix is singular.
bool CompensarMinimosCuadrados(const objPto& BE, const objPto& BO, const objPto& PE, const objPto& PV,
                               const Poligonal& t, const PrecisionApriori& prec, ResultadoCompensacion& r);

} // namespace compensacion
