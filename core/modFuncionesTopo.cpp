#include "core/modFuncionesTopo.h"

#include <cmath>

#include "core/Fallos.h"

double KRefraccion = K_POR_DEFECTO;

double DistanciaEntrePuntos(const objPto& p1, const objPto& p2)
{
    const double dx = p2.X - p1.X;
    const double dy = p2.Y - p1.Y;
    return ValorOCero(std::fabs(std::sqrt(dy * dy + dx * dx)));
}

double AcimutEntrePuntos(const objPto& p1, const objPto& p2)
{
    const double dX = p2.X - p1.X;
    const double dY = p2.Y - p1.Y;
    if (dX == 0.0) {
        if (dY < 0.0)
            return 200.0;
        return 0.0;
    }
    if (dY == 0.0)
        return dX > 0.0 ? 100.0 : 300.0;
    const double t = std::atan(std::fabs(dY / dX)) * RAD_A_GRAD;
    double az;
    if (dX > 0.0)
        az = dY > 0.0 ? 100.0 - t : 100.0 + t;
    else
        az = dY < 0.0 ? 300.0 - t : 300.0 + t;
    return ValorOCero(az);
}

double ReducirDistancia(double Dg, double V)
{
    return ValorOCero(Dg * std::sin(V * GRAD_A_RAD));
}

namespace {

// Height difference from station to sighted point with the curvature and
// refraction term of the K in force (zero when K = 0.5).
double Desnivel(double Dg, double V, double i, double m)
{
    const double Dr = ReducirDistancia(Dg, V);
    const double t = Dg * std::cos(V * GRAD_A_RAD);
    const double c = (1.0 - 2.0 * KRefraccion) * Dr * Dr / (2.0 * RADIO_TIERRA);
    return t + c + i - m;
}

} // namespace

double CotaPuntoVisado(double Zest, double Dg, double V, double i, double m)
{
    return ValorOCero(Zest + Desnivel(Dg, V, i, m));
}

double CotaPuntoEstacion(double Zvis, double Dg, double V, double i, double m)
{
    return ValorOCero(Zvis - Desnivel(Dg, V, i, m));
}

double CalcularAlturaRemota(double V, double Dr, double i, double Zest)
{
    return ValorOCero(Zest + i + Dr * std::tan((100.0 - V) * GRAD_A_RAD));
}

double NormalizarAngulo(double a)
{
    if (!std::isfinite(a))
        return 0.0;
    // Far from the circle a loop of single turns would never end; fmod keeps
    // the same result for the values a survey produces.
    if (std::fabs(a) > 4.0e6)
        a = std::fmod(a, 400.0);
    while (a >= 400.0)
        a -= 400.0;
    while (a < 0.0)
        a += 400.0;
    return a;
}

double BesselHorizontal(double D, double R)
{
    const double e = std::fabs(std::fabs(D - R) - 200.0) / 2.0;
    const double c = NormalizarAngulo(D + 200.0);
    if (c < R)
        return NormalizarAngulo(D + e);
    if (c > R)
        return NormalizarAngulo(D - e);
    return D;
}

double BesselCenital(double D, double R)
{
    return NormalizarAngulo(D + (400.0 - (D + R)) / 2.0);
}

double Maximo(double a, double b)
{
    return a > b ? a : b;
}

std::string ExtraerCampo(const std::string& linea, int16_t n)
{
    int cuenta = 0;
    size_t pos = 0;
    while (cuenta < n && pos < linea.size()) {
        if (linea[pos] == ' ')
            ++cuenta;
        ++pos;
    }
    const size_t fin = linea.find(' ', pos);
    if (pos >= linea.size())
        return {};
    return linea.substr(pos, fin == std::string::npos ? std::string::npos : fin - pos);
}

objErrorParabolico CalcularErrorParabolico(const std::vector<objPto>& puntos, double p)
{
    objErrorParabolico r;
    if (puntos.size() < 2 || p == 0.0)
        return r;
    const objPto& p1 = puntos.front();
    const objPto& pn = puntos.back();
    const double L = pn.X - p1.X;
    const double H = pn.Y - p1.Y;
    if (L == 0.0)
        return r;
    const double xv = L / 2.0 - p * H / L;
    const double Xv = p1.X + xv;
    const double Zv = p1.Y - xv * xv / (2.0 * p);
    double suma = 0.0;
    double sumaAbs = 0.0;
    for (size_t k = 1; k < puntos.size(); ++k) {
        const double dx = puntos[k].X - Xv;
        const double e = (puntos[k].Y - Zv) - dx * dx / (2.0 * p);
        suma += e;
        sumaAbs += std::fabs(e);
    }
    r.ErrorAjuste = ValorOCero(suma);
    r.ErrorRegresion = ValorOCero(sumaAbs);
    return r;
}

namespace {

// CalcularErrorParabolico for several consecutive parameters in one pass over
// the profile. Each parameter keeps the same operations in the same order, so
// its sums are the same to the last bit; the independent sums only let the
// processor work on several parameters at once.
constexpr int PARAMETROS_POR_PASADA = 8;

struct PerfilParabolico {
    std::vector<double> x; // abscissae from the second point on
    std::vector<double> y; // heights from the second point on
    double x1 = 0.0;
    double y1 = 0.0;
    double L = 0.0;
    double H = 0.0;
};

void ErroresParabolicos(const PerfilParabolico& perfil, const double (&p)[PARAMETROS_POR_PASADA],
                        objErrorParabolico (&r)[PARAMETROS_POR_PASADA])
{
    double Xv[PARAMETROS_POR_PASADA];
    double Zv[PARAMETROS_POR_PASADA];
    double dosP[PARAMETROS_POR_PASADA];
    double suma[PARAMETROS_POR_PASADA] = {};
    double sumaAbs[PARAMETROS_POR_PASADA] = {};
    for (int j = 0; j < PARAMETROS_POR_PASADA; ++j) {
        const double xv = perfil.L / 2.0 - p[j] * perfil.H / perfil.L;
        Xv[j] = perfil.x1 + xv;
        Zv[j] = perfil.y1 - xv * xv / (2.0 * p[j]);
        dosP[j] = 2.0 * p[j];
    }
    const size_t n = perfil.x.size();
    for (size_t k = 0; k < n; ++k) {
        const double xk = perfil.x[k];
        const double yk = perfil.y[k];
        for (int j = 0; j < PARAMETROS_POR_PASADA; ++j) {
            const double dx = xk - Xv[j];
            const double e = (yk - Zv[j]) - dx * dx / dosP[j];
            suma[j] += e;
            sumaAbs[j] += std::fabs(e);
        }
    }
    for (int j = 0; j < PARAMETROS_POR_PASADA; ++j) {
        r[j].ErrorAjuste = ValorOCero(suma[j]);
        r[j].ErrorRegresion = ValorOCero(sumaAbs[j]);
    }
}

} // namespace

objParabola AjustarParabola(const std::vector<objPto>& puntos)
{
    constexpr double PASO = 0.25;
    constexpr int PASOS = 40000; // PASO * PASOS = 10000, the largest parameter tried
    objParabola r;               // a failed fit until a minimum is found
    if (puntos.size() < 3)
        return r;
    PerfilParabolico perfil;
    perfil.x1 = puntos.front().X;
    perfil.y1 = puntos.front().Y;
    perfil.L = puntos.back().X - perfil.x1;
    perfil.H = puntos.back().Y - perfil.y1;
    // Anchors at the same abscissa leave the vertex undefined.
    if (perfil.L == 0.0 || !std::isfinite(perfil.L) || !std::isfinite(perfil.H))
        return r;
    perfil.x.reserve(puntos.size() - 1);
    perfil.y.reserve(puntos.size() - 1);
    for (size_t k = 1; k < puntos.size(); ++k) {
        perfil.x.push_back(puntos[k].X);
        perfil.y.push_back(puntos[k].Y);
    }

    // The grid 0.25, 0.5, ... 10000: every parameter is an exact multiple of
    // the step. The search stops at the first rise of |sum of residuals|.
    double mejor = 0.0;
    double mejorAbs = 0.0;
    for (int k = 1; k <= PASOS; k += PARAMETROS_POR_PASADA) {
        double p[PARAMETROS_POR_PASADA];
        for (int j = 0; j < PARAMETROS_POR_PASADA; ++j)
            p[j] = PASO * (k + j);
        objErrorParabolico e[PARAMETROS_POR_PASADA];
        ErroresParabolicos(perfil, p, e);
        for (int j = 0; j < PARAMETROS_POR_PASADA && k + j <= PASOS; ++j) {
            const double error = std::fabs(e[j].ErrorAjuste);
            if (k + j > 1 && error > mejor) {
                r.Parametro = p[j] - PASO;
                r.ErrorAjuste = mejor;
                r.ErrorRegresion = mejorAbs;
                return r;
            }
            mejor = error;
            mejorAbs = e[j].ErrorRegresion;
        }
    }
    return r;
}
