#include "traverse/Compensacion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <exception>
#include <limits>
#include <new>

#include <Eigen/Sparse>

#include "core/TextoNumerico.h"
#include "core/modFuncionesTopo.h"
#include "core/FicherosTexto.h"

namespace
{

constexpr double CC_A_RAD = GRAD_A_RAD / 10000.0;
constexpr double PI = 3.14159265358979323846;

// An angle in radians taken the short way round, into (-pi, pi].
double Envolver(double a)
{
    a = std::remainder(a, 2.0 * PI);
    return a <= -PI ? a + 2.0 * PI : a;
}

bool Positivo(double v)
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

// ----------------------------------------------------------- compensation rules

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

// ------------------------------------------------------------ least squares

struct Observacion {
    TipoObservacion tipo;
    int estacion;     // 0-based
    int desde, hasta; // point numbers -1 .. n (-1 = BO, n = PV)
    double valor;     // radians or metres
    double sigma;     // radians or metres
};

class AjustePlanimetrico
{
  public:
    AjustePlanimetrico(const objPto& BO, const objPto& PE, const objPto& PV, const Poligonal& t,
                       const ResultadoCompensacion& inicial, const PrecisionApriori& prec)
        : n_(t.n)
    {
        nombres_.push_back(BO.N);
        for (const objPto* p : t.puntos)
            nombres_.push_back(p->N);
        nombres_.push_back(PV.N);
        // Points -1 .. n: BO, P0 = BE, P1 .. P(n-2) unknown, P(n-1) = PE, P(n) = PV.
        X_.resize(n_ + 2);
        Y_.resize(n_ + 2);
        auto poner = [&](int k, double x, double y) {
            X_[k + 1] = x;
            Y_[k + 1] = y;
        };
        poner(-1, BO.X, BO.Y);
        for (int k = 0; k < n_; ++k)
            poner(k, inicial.puntos[k].X, inicial.puntos[k].Y);
        poner(n_ - 1, PE.X, PE.Y);
        poner(n_, PV.X, PV.Y);

        // Unknowns in the order of the traverse, so that the normal matrix is
        // banded: z(i), then X, Y of the point that station i sights.
        iz_.assign(n_, -1);
        ix_.assign(n_ + 2, -1);
        int u = 0;
        for (int i = 0; i < n_; ++i) {
            iz_[i] = u++;
            const int k = i + 1;
            if (k <= n_ - 2) {
                ix_[k + 1] = u;
                u += 2;
            }
        }
        u_ = u;

        for (int i = 0; i < n_; ++i) {
            const int s = i; // station i + 1 stands on point i
            const double largoAtras = Distancia(s, s - 1);
            const double largoAdelante = Distancia(s, s + 1);
            obs_.push_back(
                {TipoObservacion::Direccion, i, s, s - 1, t.atras[i] * GRAD_A_RAD, SigmaDireccion(prec, largoAtras)});
            obs_.push_back({TipoObservacion::Direccion, i, s, s + 1, t.adelante[i] * GRAD_A_RAD,
                            SigmaDireccion(prec, largoAdelante)});
            if (i + 1 < n_) {
                const double d = t.distancia[i];
                obs_.push_back({TipoObservacion::Distancia, i, s, s + 1, d, SigmaDistancia(prec, d)});
            }
        }
        // Orientation unknowns from the forward sights.
        z_.resize(n_);
        for (int i = 0; i < n_; ++i)
            z_[i] = Envolver(Acimut(i, i + 1) - t.adelante[i] * GRAD_A_RAD);
    }

    int Incognitas() const { return u_; }
    int Observaciones() const { return static_cast<int>(obs_.size()); }

    // Gauss-Newton to convergence. False with the reason when it fails.
    bool Resolver(std::string& error, int& iteraciones)
    {
        for (iteraciones = 1; iteraciones <= 20; ++iteraciones) {
            if (!Factorizar(error))
                return false;
            const Eigen::VectorXd dx = ldlt_.solve(b_);
            if (ldlt_.info() != Eigen::Success || !dx.allFinite()) {
                error = MSG_SINGULAR;
                return false;
            }
            double maxXY = 0.0, maxZ = 0.0;
            for (int i = 0; i < n_; ++i) {
                const double dz = dx[iz_[i]];
                z_[i] += dz;
                maxZ = std::max(maxZ, std::fabs(dz));
            }
            for (size_t k = 0; k < ix_.size(); ++k) {
                if (ix_[k] < 0)
                    continue;
                X_[k] += dx[ix_[k]];
                Y_[k] += dx[ix_[k] + 1];
                maxXY = std::max({maxXY, std::fabs(dx[ix_[k]]), std::fabs(dx[ix_[k] + 1])});
            }
            if (maxXY < 1e-8 && maxZ < 1e-11) {
                // The cofactors at the solution.
                return Factorizar(error);
            }
        }
        error = "El ajuste por mínimos cuadrados no converge.";
        return false;
    }

    // Residuals, redundancy numbers and the cofactors of the unknowns.
    void Resultados(ResultadoCompensacion& r)
    {
        CofactoresEnBanda();
        r.omega = 0.0;
        for (const Observacion& o : obs_) {
            Fila f = Linealizar(o);
            ObservacionCompensada oc;
            oc.tipo = o.tipo;
            oc.estacion = o.estacion + 1;
            oc.desde = Nombre(o.desde);
            oc.hasta = Nombre(o.hasta);
            // v = adjusted - observed = -l
            const double v = -f.l;
            const double escala = o.tipo == TipoObservacion::Direccion ? 1.0 / GRAD_A_RAD : 1.0;
            oc.observada = o.tipo == TipoObservacion::Direccion ? NormalizarAngulo(o.valor * escala) : o.valor;
            oc.residuo = v * escala;
            oc.sigma = o.sigma * escala;
            double qhat = 0.0;
            for (int a = 0; a < f.m; ++a)
                for (int b = 0; b < f.m; ++b)
                    qhat += f.c[a] * f.c[b] * Q(f.i[a], f.i[b]);
            const double s2 = o.sigma * o.sigma;
            const double qvv = s2 - qhat;
            oc.redundancia = std::clamp(qvv / s2, 0.0, 1.0);
            oc.w = qvv > 1e-10 * s2 ? v / std::sqrt(qvv) : 0.0;
            oc.sospechosa = std::fabs(oc.w) > VALOR_CRITICO_W;
            r.omega += v * v / s2;
            r.observaciones.push_back(oc);
        }
        r.orientaciones.clear();
        for (double z : z_)
            r.orientaciones.push_back(NormalizarAngulo(z / GRAD_A_RAD));
    }

    double XPunto(int k) const { return X_[k + 1]; }
    double YPunto(int k) const { return Y_[k + 1]; }
    // Cofactors of a point's X, Y (zero for a fixed point).
    std::array<double, 3> CofactoresPunto(int k) const
    {
        const int i = ix_[k + 1];
        if (i < 0)
            return {0.0, 0.0, 0.0};
        return {Q(i, i), Q(i, i + 1), Q(i + 1, i + 1)};
    }

    static constexpr const char* MSG_SINGULAR =
        "La matriz normal es singular: las observaciones no determinan las coordenadas.";

  private:
    struct Fila {
        std::array<int, 5> i{};
        std::array<double, 5> c{};
        int m = 0;
        double l = 0.0; // observed minus computed
        void Anadir(int indice, double coef)
        {
            if (indice < 0)
                return;
            i[m] = indice;
            c[m] = coef;
            ++m;
        }
    };

    double DX(int a, int b) const { return X_[b + 1] - X_[a + 1]; }
    double DY(int a, int b) const { return Y_[b + 1] - Y_[a + 1]; }
    double Distancia(int a, int b) const { return std::hypot(DX(a, b), DY(a, b)); }
    double Acimut(int a, int b) const { return std::atan2(DX(a, b), DY(a, b)); }

    const std::string& Nombre(int k) const { return nombres_[k + 1]; }

    Fila Linealizar(const Observacion& o) const
    {
        Fila f;
        const double dx = DX(o.desde, o.hasta);
        const double dy = DY(o.desde, o.hasta);
        const double d2 = dx * dx + dy * dy;
        const double d = std::sqrt(d2);
        const int is = ix_[o.desde + 1];
        const int it = ix_[o.hasta + 1];
        if (o.tipo == TipoObservacion::Direccion) {
            const double z = z_[o.estacion];
            f.l = Envolver(o.valor - (z + std::atan2(dx, dy)));
            f.Anadir(iz_[o.estacion], 1.0);
            f.Anadir(is, -dy / d2);
            if (is >= 0)
                f.Anadir(is + 1, dx / d2);
            f.Anadir(it, dy / d2);
            if (it >= 0)
                f.Anadir(it + 1, -dx / d2);
        } else {
            f.l = o.valor - d;
            f.Anadir(is, -dx / d);
            if (is >= 0)
                f.Anadir(is + 1, -dy / d);
            f.Anadir(it, dx / d);
            if (it >= 0)
                f.Anadir(it + 1, dy / d);
        }
        return f;
    }

    bool Factorizar(std::string& error)
    {
        std::vector<Eigen::Triplet<double>> trip;
        trip.reserve(obs_.size() * 15);
        b_ = Eigen::VectorXd::Zero(u_);
        for (const Observacion& o : obs_) {
            const Fila f = Linealizar(o);
            const double p = 1.0 / (o.sigma * o.sigma);
            if (!std::isfinite(p) || !std::isfinite(f.l)) {
                error = MSG_SINGULAR;
                return false;
            }
            for (int a = 0; a < f.m; ++a) {
                const auto sa = static_cast<size_t>(a);
                b_[f.i[sa]] += p * f.c[sa] * f.l;
                for (int b = 0; b < f.m; ++b) {
                    const auto sb = static_cast<size_t>(b);
                    if (f.i[sb] >= f.i[sa]) // lower triangle, column-major: row >= column
                        trip.emplace_back(f.i[sb], f.i[sa], p * f.c[sa] * f.c[sb]);
                }
            }
        }
        N_.resize(u_, u_);
        N_.setFromTriplets(trip.begin(), trip.end());
        ldlt_.compute(N_);
        if (ldlt_.info() != Eigen::Success) {
            error = MSG_SINGULAR;
            return false;
        }
        // A pivot lost against its diagonal means no determination.
        const Eigen::VectorXd D = ldlt_.vectorD();
        for (int k = 0; k < u_; ++k) {
            const double diag = N_.coeff(k, k);
            if (!(D[k] > 1e-12 * diag) || !(diag > 0.0)) {
                error = MSG_SINGULAR;
                return false;
            }
        }
        return true;
    }

    // The inverse of the normal matrix within the band of its factor
    // (Takahashi's recurrence on N = L D L'): enough for the cofactors of
    // every observation and of every point, at the cost of the factor.
    void CofactoresEnBanda()
    {
        const auto& L = ldlt_.matrixL().nestedExpression();
        const Eigen::VectorXd D = ldlt_.vectorD();
        banda_ = 0;
        for (int j = 0; j < L.outerSize(); ++j)
            for (Eigen::SparseMatrix<double>::InnerIterator it(L, j); it; ++it)
                banda_ = std::max(banda_, static_cast<int>(it.row()) - j);
        Z_.assign(u_ * static_cast<size_t>(banda_ + 1), 0.0);
        std::vector<std::pair<int, double>> col;
        for (int i = u_ - 1; i >= 0; --i) {
            col.clear();
            for (Eigen::SparseMatrix<double>::InnerIterator it(L, i); it; ++it)
                if (it.row() > i)
                    col.emplace_back(static_cast<int>(it.row()), it.value());
            const int fin = std::min(u_ - 1, i + banda_);
            for (int j = fin; j > i; --j) {
                double s = 0.0;
                for (const auto& [k, lki] : col)
                    s += lki * Q(k, j);
                Zref(i, j) = -s;
            }
            double s = 0.0;
            for (const auto& [k, lki] : col)
                s += lki * Q(k, i);
            Zref(i, i) = 1.0 / D[i] - s;
        }
    }

    double Q(int a, int b) const
    {
        if (a > b)
            std::swap(a, b);
        if (b - a > banda_)
            return 0.0; // never asked for: observations couple unknowns within the band
        return Z_[static_cast<size_t>(a) * (banda_ + 1) + (b - a)];
    }
    double& Zref(int a, int b) { return Z_[static_cast<size_t>(a) * (banda_ + 1) + (b - a)]; }

    int n_ = 0;
    int u_ = 0;
    std::vector<double> X_, Y_, z_;
    std::vector<int> iz_, ix_;
    std::vector<std::string> nombres_; // points -1 .. n
    std::vector<Observacion> obs_;
    Eigen::SparseMatrix<double> N_;
    Eigen::VectorXd b_;
    Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>, Eigen::Lower, Eigen::NaturalOrdering<int>> ldlt_;
    int banda_ = 0;
    std::vector<double> Z_;
};

bool CompensarMinimosCuadrados(const objPto& BE, const objPto& BO, const objPto& PE, const objPto& PV,
                               const Poligonal& t, const PrecisionApriori& prec, ResultadoCompensacion& r)
{
    // Heights: one weighted line between two known heights. Its least-squares
    // solution shares the misclosure in proportion to the variances, which is
    // the rule's step with those weights.
    std::vector<double> varianzas;
    double sumaVar = 0.0;
    for (double d : t.distancia) {
        const double s = SigmaDesnivel(prec, d);
        varianzas.push_back(s * s);
        sumaVar += s * s;
    }
    if (!(sumaVar > 0.0) || !std::isfinite(sumaVar)) {
        r.error = AjustePlanimetrico::MSG_SINGULAR;
        return false;
    }
    // Approximate plan coordinates: Bowditch.
    ResultadoCompensacion inicial = r;
    inicial.metodo = MetodoCompensacion::Bowditch;
    CompensarPorReglas(BE, PE, t, inicial, &varianzas);

    AjustePlanimetrico ajuste(BO, PE, PV, t, inicial, prec);
    if (!ajuste.Resolver(r.error, r.iteraciones))
        return false;
    r.redundancia = ajuste.Observaciones() - ajuste.Incognitas();
    ajuste.Resultados(r);
    r.sigma0 = r.redundancia > 0 ? std::sqrt(r.omega / r.redundancia) : 0.0;
    r.chi2Critico = CuantilChiCuadrado(0.95, r.redundancia);
    r.chi2Aceptada = r.omega <= r.chi2Critico;

    // The plan misclosures and the heights as the rules give them.
    r.fX = inicial.fX;
    r.fY = inicial.fY;
    r.fZ = inicial.fZ;
    r.fT = inicial.fT;
    r.puntos = inicial.puntos;
    const double s0 = r.sigma0;
    for (int k = 0; k < t.n; ++k) {
        PuntoCompensado& p = r.puntos[k];
        if (k > 0 && k < t.n - 1) {
            p.X = ajuste.XPunto(k);
            p.Y = ajuste.YPunto(k);
        }
        const auto [qxx, qxy, qyy] = ajuste.CofactoresPunto(k);
        p.sX = s0 * std::sqrt(std::max(qxx, 0.0));
        p.sY = s0 * std::sqrt(std::max(qyy, 0.0));
        const double m = (qxx + qyy) / 2.0;
        const double rr = std::hypot((qxx - qyy) / 2.0, qxy);
        p.a = s0 * std::sqrt(std::max(m + rr, 0.0));
        p.b = s0 * std::sqrt(std::max(m - rr, 0.0));
        // Azimuth from north: the variance along (sin t, cos t) is largest at
        // tan 2t = 2 qxy / (qyy - qxx).
        double az = 0.5 * std::atan2(2.0 * qxy, qyy - qxx) * RAD_A_GRAD;
        if (az < 0.0)
            az += 200.0;
        p.acimutA = az >= 200.0 ? az - 200.0 : az;
    }

    // Height observations: v = correction of the leg; r = var / sum, the same
    // standardized residual on every leg (one condition cannot tell them apart).
    const double omegaZ = r.fZ * r.fZ / sumaVar;
    r.sigma0Cotas = std::sqrt(omegaZ);
    for (size_t k = 0; k < t.distancia.size(); ++k) {
        ObservacionCompensada oc;
        oc.tipo = TipoObservacion::Desnivel;
        oc.estacion = static_cast<int>(k) + 1;
        oc.desde = t.puntos[k]->N;
        oc.hasta = t.puntos[k + 1]->N;
        oc.observada = t.desnivel[k];
        oc.residuo = r.fZ * varianzas[k] / sumaVar;
        oc.sigma = std::sqrt(varianzas[k]);
        oc.redundancia = varianzas[k] / sumaVar;
        oc.w = r.fZ / std::sqrt(sumaVar);
        oc.sospechosa = std::fabs(oc.w) > VALOR_CRITICO_W;
        r.observaciones.push_back(oc);
    }
    r.sospechosas = static_cast<int>(
        std::count_if(r.observaciones.begin(), r.observaciones.end(), [](const auto& o) { return o.sospechosa; }));
    return true;
}

std::string Mm(double metros)
{
    return Formatear(metros * 1000.0, 1);
}

std::string Cc(double grados)
{
    return Formatear(grados * 10000.0, 1);
}

std::string Columna(const std::string& texto, size_t ancho)
{
    // Width in characters, not bytes: the names and texts are UTF-8.
    size_t caracteres = 0;
    for (unsigned char c : texto)
        if ((c & 0xC0) != 0x80)
            ++caracteres;
    return caracteres >= ancho ? texto + " " : std::string(ancho - caracteres, ' ') + texto + " ";
}

std::string Izquierda(const std::string& texto, size_t ancho)
{
    size_t caracteres = 0;
    for (unsigned char c : texto)
        if ((c & 0xC0) != 0x80)
            ++caracteres;
    return caracteres >= ancho ? texto + " " : texto + std::string(ancho - caracteres, ' ') + " ";
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

// ------------------------------------------------------------- chi-square

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

std::string TextoPrecision(double N)
{
    if (!(N > 0.0) || !std::isfinite(N))
        return "1:∞";
    return "1:" + Formatear(std::round(N), 0);
}

std::vector<std::string> TextosPuntoCompensado(const PuntoCompensado& p, bool minimosCuadrados)
{
    std::vector<std::string> t = {p.N, F3(p.X), F3(p.Y), F3(p.Z), Mm(p.dX), Mm(p.dY), Mm(p.dZ)};
    if (minimosCuadrados) {
        for (double v : {p.sX, p.sY, p.a, p.b})
            t.push_back(Mm(v));
        t.push_back(F4(p.acimutA));
    }
    return t;
}

namespace
{

std::string SinBlancosFinales(std::string fila)
{
    while (!fila.empty() && fila.back() == ' ')
        fila.pop_back();
    return fila;
}

} // namespace

std::string CabeceraPuntosCompensados(bool minimosCuadrados)
{
    std::string cab = Izquierda("Punto", 10) + Columna("X", 13) + Columna("Y", 14) + Columna("Z", 10) +
                      Columna("dX mm", 8) + Columna("dY mm", 8) + Columna("dZ mm", 8);
    if (minimosCuadrados)
        cab += Columna("sX mm", 7) + Columna("sY mm", 7) + Columna("a mm", 7) + Columna("b mm", 7) +
               Columna("Acimut a", 9);
    return SinBlancosFinales(cab);
}

std::string FilaPuntoCompensado(const PuntoCompensado& p, bool minimosCuadrados)
{
    const std::vector<std::string> t = TextosPuntoCompensado(p, minimosCuadrados);
    std::string fila = Izquierda(t[0], 10) + Columna(t[1], 13) + Columna(t[2], 14) + Columna(t[3], 10) +
                       Columna(t[4], 8) + Columna(t[5], 8) + Columna(t[6], 8);
    if (minimosCuadrados)
        fila += Columna(t[7], 7) + Columna(t[8], 7) + Columna(t[9], 7) + Columna(t[10], 7) + Columna(t[11], 9);
    if (p.fijo)
        fila += "fijo";
    return SinBlancosFinales(fila);
}

std::vector<std::string> FilasInformeCompensacion(const ResultadoCompensacion& r, const OpcionesCompensacion& o)
{
    std::vector<std::string> f;
    f.emplace_back("[COMPENSACIÓN DE LA POLIGONAL]");
    f.emplace_back();
    f.emplace_back("Método : " + NombreMetodo(r.metodo));
    if (!r.ok) {
        f.emplace_back("No se ha compensado: " + r.error);
        return f;
    }
    const bool mc = r.metodo == MetodoCompensacion::MinimosCuadrados;
    f.emplace_back("Estaciones : " + std::to_string(r.estaciones));
    f.emplace_back("Longitud (m) : " + F3(r.longitud));
    f.emplace_back();

    f.emplace_back("[ERRORES DE CIERRE]");
    f.emplace_back();
    f.emplace_back("Error angular (g) : " + F4(r.cierre.EA));
    f.emplace_back("Error en X : " + F3(r.cierre.EX));
    f.emplace_back("Error en Y : " + F3(r.cierre.EY));
    f.emplace_back("Error en Z : " + F3(r.cierre.EZ));
    f.emplace_back("Error dist. : " + F3(r.cierre.ED));
    f.emplace_back("Corrección angular por estación (cc) : " + Cc(r.cierre.EA / r.estaciones));
    f.emplace_back("Error lineal tras la corrección angular (m) : X " + F3(r.fX) + "  Y " + F3(r.fY) + "  total " +
                   F3(r.fT));
    f.emplace_back("Precisión : " + TextoPrecision(r.precision));
    f.emplace_back();

    f.emplace_back("[TOLERANCIAS]");
    f.emplace_back();
    f.emplace_back("Angular : " + Formatear(o.tolerancias.AngularCC, 1) + " cc x raíz de " +
                   std::to_string(r.estaciones) + " = " + F4(r.toleranciaAngular) + " g  " +
                   (r.angularDentro ? "cumple" : "no cumple"));
    f.emplace_back("Relativa : " + TextoPrecision(o.tolerancias.Relativa) + "  " +
                   (r.relativaDentro ? "cumple" : "no cumple"));
    f.emplace_back(r.veredicto);
    f.emplace_back();

    if (!mc) {
        f.emplace_back("[TRAMOS]");
        f.emplace_back();
        f.emplace_back(Izquierda("Desde", 10) + Izquierda("Hasta", 10) + Columna("Dist.", 11) + Columna("Acimut", 10) +
                       Columna("Corr.cc", 8) + Columna("Inc.X", 11) + Columna("Inc.Y", 11) + Columna("Inc.Z", 9) +
                       Columna("cX mm", 8) + Columna("cY mm", 8) + Columna("cZ mm", 8));
        for (const TramoCompensado& t : r.tramos)
            f.emplace_back(Izquierda(t.desde, 10) + Izquierda(t.hasta, 10) + Columna(F3(t.distancia), 11) +
                           Columna(F4(t.acimut), 10) + Columna(Cc(t.correccionAcimut), 8) + Columna(F3(t.dX), 11) +
                           Columna(F3(t.dY), 11) + Columna(F3(t.dZ), 9) + Columna(Mm(t.cX), 8) + Columna(Mm(t.cY), 8) +
                           Columna(Mm(t.cZ), 8));
        f.emplace_back();
    } else {
        const PrecisionApriori& p = o.precision;
        f.emplace_back("[PRECISIÓN A PRIORI]");
        f.emplace_back();
        f.emplace_back("Dirección (cc) : " + Formatear(p.DireccionCC, 1));
        f.emplace_back("Distancia : " + Formatear(p.DistanciaMM, 1) + " mm + " + Formatear(p.DistanciaPPM, 1) + " ppm");
        f.emplace_back("Centrado (mm) : " + Formatear(p.CentradoMM, 1));
        f.emplace_back();
        f.emplace_back("[OBSERVACIONES]");
        f.emplace_back();
        f.emplace_back(
            "Direcciones en g (residuo y sigma en cc); distancias y desniveles en m (residuo y sigma en mm).");
        f.emplace_back(Izquierda("Tipo", 10) + Columna("Est.", 5) + Izquierda("Desde", 10) + Izquierda("Hasta", 10) +
                       Columna("Observado", 12) + Columna("Residuo", 9) + Columna("Sigma", 7) + Columna("r", 6) +
                       Columna("w", 7));
        for (const ObservacionCompensada& ob : r.observaciones) {
            const bool dir = ob.tipo == TipoObservacion::Direccion;
            const char* tipo = dir ? "Dirección" : ob.tipo == TipoObservacion::Distancia ? "Distancia" : "Desnivel";
            f.emplace_back(Izquierda(tipo, 10) + Columna(std::to_string(ob.estacion), 5) + Izquierda(ob.desde, 10) +
                           Izquierda(ob.hasta, 10) + Columna(dir ? F4(ob.observada) : F3(ob.observada), 12) +
                           Columna(dir ? Cc(ob.residuo) : Mm(ob.residuo), 9) +
                           Columna(dir ? Cc(ob.sigma) : Mm(ob.sigma), 7) + Columna(Formatear(ob.redundancia, 2), 6) +
                           Columna(Formatear(ob.w, 2), 7) + (ob.sospechosa ? "<< posible error grosero" : ""));
        }
        f.emplace_back();
        f.emplace_back("[ORIENTACIONES]");
        f.emplace_back();
        for (size_t i = 0; i < r.orientaciones.size(); ++i)
            f.emplace_back("Estación " + std::to_string(i + 1) + " : " + F4(r.orientaciones[i]) + " g");
        f.emplace_back();
        f.emplace_back("[AJUSTE]");
        f.emplace_back();
        f.emplace_back("Iteraciones : " + std::to_string(r.iteraciones));
        f.emplace_back("Grados de libertad : " + std::to_string(r.redundancia));
        f.emplace_back("Suma v'Pv : " + Formatear(r.omega, 3));
        f.emplace_back("Sigma0 a posteriori : " + Formatear(r.sigma0, 3));
        f.emplace_back("Test global chi-cuadrado 95 % : " + Formatear(r.omega, 3) +
                       " <= " + Formatear(r.chi2Critico, 3) + " : " + (r.chi2Aceptada ? "Aceptada" : "Rechazada"));
        f.emplace_back("Residuos normalizados |w| > " + Formatear(VALOR_CRITICO_W, 2) + " : " +
                       std::to_string(r.sospechosas));
        f.emplace_back("Sigma0 a posteriori de las cotas : " + Formatear(r.sigma0Cotas, 3));
        f.emplace_back();
    }

    f.emplace_back("[PUNTOS COMPENSADOS]");
    f.emplace_back();
    f.push_back(CabeceraPuntosCompensados(mc));
    for (const PuntoCompensado& p : r.puntos)
        f.push_back(FilaPuntoCompensado(p, mc));
    for (std::string& fila : f)
        while (!fila.empty() && fila.back() == ' ')
            fila.pop_back();
    return f;
}

std::string EscribirInformeCompensacion(const ResultadoCompensacion& r, const OpcionesCompensacion& o)
{
    return EscribirTense(FilasInformeCompensacion(r, o));
}

std::string ExportarBasesCompensadas(const objPto& BE, const objPto& BO, const ResultadoCompensacion& r)
{
    std::vector<std::string> filas;
    auto anadir = [&filas](const std::string& nombre, double x, double y, double z) {
        const auto seis = FilasBase(nombre, x, y, z);
        filas.insert(filas.end(), seis.begin(), seis.end());
    };
    anadir(BE.N, BE.X, BE.Y, BE.Z);
    anadir(BO.N, BO.X, BO.Y, BO.Z);
    if (r.ok)
        for (size_t k = 1; k < r.puntos.size(); ++k)
            anadir(r.puntos[k].N, r.puntos[k].X, r.puntos[k].Y, r.puntos[k].Z);
    return EscribirBases(filas);
}

