#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

// Floating arithmetic does not trap, so a fault (overflow, invalid operation)
// shows as a non-finite value. A step whose result faults is skipped: the
// destination keeps what it held before.
inline bool AsignarSiValido(double& destino, double valor)
{
    if (!std::isfinite(valor))
        return false;
    destino = valor;
    return true;
}

// A formula whose final assignment faults returns 0.
inline double ValorOCero(double valor)
{
    return std::isfinite(valor) ? valor : 0.0;
}

// Integer part of a value for a 16-bit destination; false when it does not fit.
inline bool ParteEnteraInt16(double valor, int16_t& destino)
{
    if (!std::isfinite(valor))
        return false;
    const double t = std::trunc(valor);
    if (t < std::numeric_limits<int16_t>::min() || t > std::numeric_limits<int16_t>::max())
        return false;
    destino = static_cast<int16_t>(t);
    return true;
}
