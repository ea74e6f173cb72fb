#include "points/Biseccion.h"

#include <cmath>

#include "core/TextoNumerico.h"
#include "core/modFuncionesTopo.h"

namespace
{

// Two directions (grads) closer than this to the same line are parallel rays:
// readings carry four decimals, so the figure is far below any real angle
// between two sights and far above the rounding of the arithmetic.
constexpr double TOLERANCIA_PARALELAS = 1e-7;

bool Paralelas(double theta1, double theta2)
{
    const double d = std::fmod(std::fabs(theta1 - theta2), 200.0);
    return d < TOLERANCIA_PARALELAS || 200.0 - d < TOLERANCIA_PARALELAS;
}

} // namespace

ResultadoBiseccion CalcularBiseccion(const ObservacionesBiseccion& o, const BasesBiseccion& bases)
{
    ResultadoBiseccion r;
    // 1 and 2. Observations 1..8 in index order, then the six base figures.
    for (int k = 1; k < NUM_OBSERVACIONES_BISECCION; ++k)
        if (!EsNumero(o[static_cast<size_t>(k)])) {
            r.estado = EstadoBiseccion::ObservacionesNoValidas;
            return r;
        }
    for (const std::string& c : bases)
        if (!EsNumero(c)) {
            r.estado = EstadoBiseccion::BasesNoValidas;
            return r;
        }
    auto valor = [&](int k) { return LeerNumero(o[static_cast<size_t>(k)]); };

    // 3. The bases.
    const objPto B1{"", LeerNumero(bases[0]), LeerNumero(bases[1]), LeerNumero(bases[2])};
    const objPto B2{"", LeerNumero(bases[3]), LeerNumero(bases[4]), LeerNumero(bases[5])};

    // 4 and 5. Azimuths of the base line and of the two rays.
    const double A12 = NormalizarAngulo(AcimutEntrePuntos(B1, B2));
    const double A21 = NormalizarAngulo(AcimutEntrePuntos(B2, B1));
    const double theta1 = NormalizarAngulo(valor(2) - valor(1) + A12);
    const double theta2 = NormalizarAngulo(valor(6) - valor(5) + A21);

    // A ray along the Y axis has no slope, and parallel rays do not meet.
    r.estado = EstadoBiseccion::SinSolucion;
    if (theta1 == 0.0 || theta1 == 200.0 || theta2 == 0.0 || theta2 == 200.0 || Paralelas(theta1, theta2))
        return r;

    // 6 and 7. Slopes dY/dX and the intersection.
    const double m1 = 1.0 / std::tan(theta1 * GRAD_A_RAD);
    const double m2 = 1.0 / std::tan(theta2 * GRAD_A_RAD);
    const double X = (B2.Y - B1.Y + m1 * B1.X - m2 * B2.X) / (m1 - m2);
    const double Y = m1 * X + B1.Y - m1 * B1.X;
    if (!std::isfinite(X) || !std::isfinite(Y))
        return r;
    r.P.X = X;
    r.P.Y = Y;

    // 8 to 11. A height from each station, their difference and their mean.
    const double D1 = DistanciaEntrePuntos(B1, r.P);
    r.Z1 = B1.Z + valor(4) + D1 * std::tan((100.0 - valor(3)) * GRAD_A_RAD);
    const double D2 = DistanciaEntrePuntos(B2, r.P);
    r.Z2 = B2.Z + valor(8) + D2 * std::tan((100.0 - valor(7)) * GRAD_A_RAD);
    r.DifCotas = std::fabs(r.Z1 - r.Z2);
    r.P.Z = (r.Z1 + r.Z2) / 2.0;
    r.P.N = o[0];
    r.estado = EstadoBiseccion::Calculado;
    return r;
}

TextosBiseccion TextosResultadoBiseccion(const ResultadoBiseccion& r)
{
    TextosBiseccion t;
    switch (r.estado) {
    case EstadoBiseccion::Calculado:
        t.X = F3(r.P.X);
        t.Y = F3(r.P.Y);
        t.Z = F3(r.P.Z);
        t.DifCotas = F3(r.DifCotas);
        break;
    case EstadoBiseccion::SinSolucion:
        t.DifCotas = std::string();
        break;
    case EstadoBiseccion::ObservacionesNoValidas:
    case EstadoBiseccion::BasesNoValidas:
        break;
    }
    return t;
}
