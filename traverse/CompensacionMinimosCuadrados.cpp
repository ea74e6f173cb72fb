#include "traverse/CompensacionInterna.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include <Eigen/Sparse>

#include "core/Estadistica.h"
#include "core/modFuncionesTopo.h"

namespace compensacion {

namespace {

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

} // namespace

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

} // namespace compensacion
