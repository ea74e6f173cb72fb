#pragma once
// Shared by the library tests: grads, azimuths, fixed-decimal texts and the
// plain radiation formula the computed points are checked against.
#include <cmath>
#include <cstdio>
#include <string>

#include "core/modFuncionesTopo.h"

constexpr double G = M_PI / 200.0; // one grad in radians

struct Punto {
    double x, y, z;
};

// Azimuth from a to b: grads from north towards east, 0 to 400.
inline double Acimut(Punto a, Punto b) { return std::fmod(std::atan2(b.x - a.x, b.y - a.y) / G + 400.0, 400.0); }

inline std::string Fijo(double v, int decimales = 3)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimales, v);
    return buf;
}

// The point sighted from e at azimuth az and zenith angle V (grads), slope
// distance Dg, instrument height i, signal height m and refraction coefficient k.
inline Punto Radiado(Punto e, double az, double V, double Dg, double i, double m, double k)
{
    const double dr = Dg * std::sin(V * G);
    return {e.x + dr * std::sin(az * G), e.y + dr * std::cos(az * G),
            e.z + Dg * std::cos(V * G) + (1 - 2 * k) * dr * dr / (2 * 6371064.0) + i - m};
}

// The refraction coefficient in force for the life of a scope, given back
// even when a check fails on the way.
class ConK {
public:
    explicit ConK(double k) : anterior_(KRefraccion) { KRefraccion = k; }
    ~ConK() { KRefraccion = anterior_; }
    ConK(const ConK&) = delete;
    ConK& operator=(const ConK&) = delete;

private:
    double anterior_;
};
