#include "core/Estadistica.h"

#include <cmath>
#include <limits>

double GammaIncompletaP(double a, double x)
{
    if (!(a > 0.0) || !(x >= 0.0))
        return std::numeric_limits<double>::quiet_NaN();
    if (x == 0.0)
        return 0.0;
    const double lnPrefijo = a * std::log(x) - x - std::lgamma(a);
    if (x < a + 1.0) {
        // Series: P = x^a e^-x / Gamma(a+1) * sum x^k / ((a+1)...(a+k)).
        double termino = 1.0 / a, suma = termino;
        for (int k = 1; k < 10000; ++k) {
            termino *= x / (a + k);
            suma += termino;
            if (std::fabs(termino) < std::fabs(suma) * 1e-17)
                break;
        }
        return std::min(1.0, suma * std::exp(lnPrefijo));
    }
    // Continued fraction for Q = 1 - P (modified Lentz).
    const double minimo = 1e-300;
    double b = x + 1.0 - a, c = 1.0 / minimo, d = 1.0 / b, h = d;
    for (int k = 1; k < 10000; ++k) {
        const double an = -k * (k - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < minimo)
            d = minimo;
        c = b + an / c;
        if (std::fabs(c) < minimo)
            c = minimo;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < 1e-16)
            break;
    }
    return std::max(0.0, 1.0 - std::exp(lnPrefijo) * h);
}

double CuantilChiCuadrado(double p, double gl)
{
    if (!(p > 0.0) || !(p < 1.0) || !(gl > 0.0) || !std::isfinite(gl))
        return std::numeric_limits<double>::quiet_NaN();
    const double a = gl / 2.0;
    // Starting value: Wilson-Hilferty with the normal quantile of Abramowitz
    // and Stegun 26.2.23 (good to 4.5e-4, enough to start Newton).
    const double q = p < 0.5 ? p : 1.0 - p;
    const double t = std::sqrt(-2.0 * std::log(q));
    double z = t - (2.515517 + 0.802853 * t + 0.010328 * t * t) /
                       (1.0 + 1.432788 * t + 0.189269 * t * t + 0.001308 * t * t * t);
    if (p < 0.5)
        z = -z;
    const double h = 2.0 / (9.0 * gl);
    double x = gl * std::pow(1.0 - h + z * std::sqrt(h), 3.0);
    if (!(x > 0.0)) // far in the lower tail: P ~ (x/2)^a / Gamma(a + 1)
        x = 2.0 * std::exp((std::log(p) + std::lgamma(a + 1.0)) / a);

    // Newton on F(x) - p inside a bracket that bisection keeps honest.
    double lo = 0.0, hi = std::numeric_limits<double>::infinity();
    for (int it = 0; it < 200; ++it) {
        const double F = GammaIncompletaP(a, x / 2.0);
        if (F < p)
            lo = x;
        else
            hi = x;
        const double densidad = std::exp((a - 1.0) * std::log(x / 2.0) - x / 2.0 - std::lgamma(a)) / 2.0;
        double siguiente = x - (F - p) / densidad;
        if (!(siguiente > lo) || !(siguiente < hi) || !std::isfinite(siguiente))
            siguiente = std::isfinite(hi) ? (lo + hi) / 2.0 : 2.0 * x;
        if (std::fabs(siguiente - x) <= 1e-14 * x) {
            x = siguiente;
            break;
        }
        x = siguiente;
    }
    return x;
}
