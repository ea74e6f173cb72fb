#include "station/EstacionLibre.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <complex>
#include <map>
#include <set>

#include "core/FicherosTexto.h"
#include "core/LectorCampos.h"
#include "core/modFuncionesTopo.h"
#include "core/TextoNumerico.h"

const char* const MSG_FALTAN_OBSERVACIONES =
    "Faltan observaciones: hacen falta al menos dos puntos con distancia o tres direcciones.";
const char* const MSG_CIRCUNFERENCIA_PELIGROSA = "La estación y los puntos visados están sobre una misma "
                                                 "circunferencia: la intersección inversa no tiene solución.";

std::string MensajePuntoDesconocido(const std::string& nombre)
{
    return "El punto «" + nombre + "» no está en la lista de bases.";
}

namespace
{

constexpr double PI = 3.14159265358979323846;
constexpr double RAD_GRAD = 200.0 / PI;
// The normal matrix, scaled to a unit diagonal, is taken as singular when its
// smallest eigenvalue falls below this share of the largest: a station within
// about 1/10000 of the radius of the circle through the bases.
constexpr double UMBRAL_SINGULAR = 1e-8;
constexpr int MAX_ITERACIONES = 30;

double Envolver(double a) // to (-pi, pi]
{
    a = std::fmod(a, 2.0 * PI);
    if (a > PI)
        a -= 2.0 * PI;
    if (a <= -PI)
        a += 2.0 * PI;
    return a;
}

// One sight ready for the adjustment: the base and the reduced distance.
struct Visual {
    const VisualEstacion* obs = nullptr;
    objPto base;
    double hz = 0.0;               // radians
    std::optional<double> Dr;      // reduced distance, metres
};

// Azimuth (radians) and plan distance from the station to a base.
void Polar(double X, double Y, const objPto& b, double& az, double& d)
{
    const double dX = b.X - X, dY = b.Y - Y;
    d = std::hypot(dX, dY);
    az = std::atan2(dX, dY);
}

bool Singular(const Eigen::MatrixXd& N)
{
    const Eigen::VectorXd s = N.diagonal().cwiseSqrt().cwiseInverse();
    if (!s.allFinite())
        return true;
    const Eigen::MatrixXd Ns = s.asDiagonal() * N * s.asDiagonal();
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> eig(Ns, Eigen::EigenvaluesOnly);
    const Eigen::VectorXd& l = eig.eigenvalues();
    return !l.allFinite() || !(l(0) > UMBRAL_SINGULAR * l(l.size() - 1));
}

// First station from the sights with distance: the similarity (X, Y,
// rotation, scale) that carries the instrument's polar frame onto the bases,
// solved linearly. z = Y + iX is the point as a complex number.
void SemejanzaInicial(const std::vector<Visual>& v, double& X, double& Y, double& o, double& s)
{
    std::vector<const Visual*> con;
    for (const Visual& x : v)
        if (x.Dr)
            con.push_back(&x);
    Eigen::MatrixXd A = Eigen::MatrixXd::Zero(2 * static_cast<Eigen::Index>(con.size()), 4);
    Eigen::VectorXd l(A.rows());
    for (size_t k = 0; k < con.size(); ++k) {
        const auto r = static_cast<Eigen::Index>(2 * k);
        const double wr = *con[k]->Dr * std::cos(con[k]->hz), wi = *con[k]->Dr * std::sin(con[k]->hz);
        // (py, px, kr, ki): Y = py + kr wr - ki wi, X = px + kr wi + ki wr
        A.row(r) << 1.0, 0.0, wr, -wi;
        A.row(r + 1) << 0.0, 1.0, wi, wr;
        l(r) = con[k]->base.Y;
        l(r + 1) = con[k]->base.X;
    }
    const Eigen::VectorXd x = A.colPivHouseholderQr().solve(l);
    Y = x(0);
    X = x(1);
    o = std::atan2(x(3), x(2));
    s = std::hypot(x(2), x(3));
}

// First station from directions alone: with t = e^(-io) and s = p t the
// condition that base i lies on its direction, Im((z_i - p) e^(-i hz_i) t) = 0,
// is linear in (t, s); its null vector gives p = s / t.
void ReseccionInicial(const std::vector<Visual>& v, double& X, double& Y, double& o)
{
    // Worked about the bases' centroid, so that large map coordinates keep their digits.
    std::complex<double> c0;
    for (const Visual& x : v)
        c0 += std::complex<double>(x.base.Y, x.base.X) / static_cast<double>(v.size());
    Eigen::MatrixXd A(static_cast<Eigen::Index>(v.size()), 4);
    for (size_t k = 0; k < v.size(); ++k) {
        const std::complex<double> b = std::polar(1.0, -v[k].hz);
        const std::complex<double> a = (std::complex<double>(v[k].base.Y, v[k].base.X) - c0) * b;
        A.row(static_cast<Eigen::Index>(k)) << a.imag(), a.real(), -b.imag(), -b.real();
    }
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(A, Eigen::ComputeFullV);
    const Eigen::Vector4d n = svd.matrixV().col(3);
    std::complex<double> t(n(0), n(1));
    const std::complex<double> s(n(2), n(3));
    if (std::abs(t) == 0.0) {
        X = Y = o = 0.0;
        return;
    }
    const std::complex<double> p = s / t + c0;
    t /= std::abs(t);
    // The sighted bases lie ahead of the instrument, not behind it.
    double delante = 0.0;
    for (const Visual& x : v)
        delante += ((std::complex<double>(x.base.Y, x.base.X) - p) * std::polar(1.0, -x.hz) * t).real();
    if (delante < 0.0)
        t = -t;
    Y = p.real();
    X = p.imag();
    o = -std::arg(t);
}

struct Fila { // one row of the design matrix
    size_t visual = 0;
    bool distancia = false;
};

// The station's height from the sights with a zenith reading.
void Altura(const DatosEstacion& d, const std::vector<Visual>& v, ResultadoEstacion& r)
{
    const PrecisionApriori& pr = d.precision;
    std::vector<std::optional<double>> z(v.size());
    double sp = 0.0, spz = 0.0;
    for (size_t k = 0; k < v.size(); ++k) {
        const VisualEstacion& o = *v[k].obs;
        if (!o.V)
            continue;
        double az = 0.0, dp = 0.0;
        Polar(r.estacion.X, r.estacion.Y, v[k].base, az, dp);
        const double sv = std::sin(*o.V * GRAD_A_RAD);
        const double Dg = o.Dg ? *o.Dg : (sv != 0.0 ? dp / sv : 0.0);
        if (!(Dg > 0.0))
            continue;
        z[k] = CotaPuntoEstacion(v[k].base.Z, Dg, *o.V, d.i, o.m);
        // The zenith reading as precise as a direction; centring moves no height.
        const double sa = pr.DireccionCC * GRAD_A_RAD / 10000.0 * Dg;
        const double sd = o.Dg ? std::cos(*o.V * GRAD_A_RAD) * SigmaDistancia(pr, Dg) : 0.0;
        const double p = 1.0 / (sa * sa + sd * sd + 1e-10);
        sp += p;
        spz += p * *z[k];
    }
    if (!d.libre && d.Zestacion) {
        r.estacion.Z = *d.Zestacion;
        r.conZ = true;
    } else if (sp > 0.0) {
        r.estacion.Z = spz / sp;
        r.sZ = std::sqrt(1.0 / sp);
        r.conZ = true;
    }
    if (r.conZ)
        for (size_t k = 0; k < v.size(); ++k)
            if (z[k])
                r.residuos[k].vZ = r.estacion.Z - *z[k];
}

void Marcar(ResultadoEstacion& r)
{
    r.sospechosas = 0;
    for (ResiduoEstacion& x : r.residuos) {
        x.w = std::fabs(x.wD) > std::fabs(x.wHz) ? x.wD : x.wHz;
        x.sospechosa = std::fabs(x.w) > VALOR_CRITICO_W;
        r.sospechosas += x.sospechosa ? 1 : 0;
    }
}

void Prueba(ResultadoEstacion& r)
{
    r.sigma0 = r.redundancia > 0 ? std::sqrt(r.omega / r.redundancia) : 0.0;
    if (r.redundancia > 0) {
        r.chi2Critico = CuantilChiCuadrado(0.95, r.redundancia);
        r.chi2Aceptada = r.omega <= r.chi2Critico;
    }
}

// The orientation on a known station: weighted mean of (azimuth - Hz).
void Orientar(const DatosEstacion& d, const std::vector<Visual>& v, ResultadoEstacion& r)
{
    r.estacion = {d.nombre, d.estacion.X, d.estacion.Y, 0.0};
    std::vector<double> oi(v.size()), pi(v.size()), si(v.size()), dist(v.size());
    double sp = 0.0, spo = 0.0;
    for (size_t k = 0; k < v.size(); ++k) {
        double az = 0.0;
        Polar(d.estacion.X, d.estacion.Y, v[k].base, az, dist[k]);
        oi[k] = k == 0 ? Envolver(az - v[k].hz) : oi[0] + Envolver(az - v[k].hz - oi[0]);
        si[k] = SigmaDireccion(d.precision, dist[k]);
        pi[k] = 1.0 / (si[k] * si[k]);
        sp += pi[k];
        spo += pi[k] * oi[k];
    }
    const double o = spo / sp;
    r.orientacion = NormalizarAngulo(o * RAD_GRAD);
    r.sOrientacion = std::sqrt(1.0 / sp) * RAD_GRAD;
    r.incognitas = 1;
    for (size_t k = 0; k < v.size(); ++k) {
        ResiduoEstacion& x = r.residuos[k];
        const double vh = oi[k] - o;
        x.vHz = vh * RAD_GRAD;
        const double rr = 1.0 - pi[k] / sp;
        x.wHz = rr > 1e-9 ? vh / (si[k] * std::sqrt(rr)) : 0.0;
        r.omega += pi[k] * vh * vh;
        ++r.observaciones;
        if (v[k].Dr) {
            const double vd = dist[k] - *v[k].Dr;
            const double sd = SigmaDistancia(d.precision, *v[k].Dr);
            x.vD = vd;
            x.wD = vd / sd;
            r.omega += (vd / sd) * (vd / sd);
            ++r.observaciones;
        }
    }
    r.redundancia = r.observaciones - r.incognitas;
    r.ok = true;
}

// The free station by least squares. False, with the warning set, when the
// geometry leaves the normal matrix singular.
bool Ajustar(const DatosEstacion& d, const std::vector<Visual>& v, bool escala, ResultadoEstacion& r)
{
    std::vector<Fila> filas;
    for (size_t k = 0; k < v.size(); ++k) {
        filas.push_back({k, false});
        if (v[k].Dr)
            filas.push_back({k, true});
    }
    const Eigen::Index u = escala ? 4 : 3;
    const auto n = static_cast<Eigen::Index>(filas.size());
    double X = 0.0, Y = 0.0, o = 0.0, s = 1.0;
    if (std::count_if(v.begin(), v.end(), [](const Visual& x) { return x.Dr.has_value(); }) >= 2)
        SemejanzaInicial(v, X, Y, o, s);
    else
        ReseccionInicial(v, X, Y, o);
    if (!escala)
        s = 1.0;

    Eigen::MatrixXd A(n, u);
    Eigen::VectorXd l(n), p(n), sigma(n);
    Eigen::MatrixXd N;
    auto linealizar = [&]() {
        for (Eigen::Index f = 0; f < n; ++f) {
            const Visual& x = v[filas[static_cast<size_t>(f)].visual];
            double az = 0.0, dp = 0.0;
            Polar(X, Y, x.base, az, dp);
            const double dX = x.base.X - X, dY = x.base.Y - Y;
            A.row(f).setZero();
            if (!filas[static_cast<size_t>(f)].distancia) {
                A(f, 0) = -dY / (dp * dp);
                A(f, 1) = dX / (dp * dp);
                A(f, 2) = -1.0;
                l(f) = Envolver(x.hz - (az - o));
                sigma(f) = SigmaDireccion(d.precision, dp);
            } else {
                A(f, 0) = -dX / (dp * s);
                A(f, 1) = -dY / (dp * s);
                if (escala)
                    A(f, 3) = -dp / (s * s);
                l(f) = *x.Dr - dp / s;
                sigma(f) = SigmaDistancia(d.precision, *x.Dr);
            }
            p(f) = 1.0 / (sigma(f) * sigma(f));
        }
        N = A.transpose() * p.asDiagonal() * A;
    };
    for (int it = 1; it <= MAX_ITERACIONES; ++it) {
        linealizar();
        if (!A.allFinite() || Singular(N)) {
            r.aviso = MSG_CIRCUNFERENCIA_PELIGROSA;
            return false;
        }
        const Eigen::VectorXd dx = N.ldlt().solve(A.transpose() * p.asDiagonal() * l);
        X += dx(0);
        Y += dx(1);
        o += dx(2);
        if (escala)
            s += dx(3);
        r.iteraciones = it;
        if (std::fabs(dx(0)) < 1e-9 && std::fabs(dx(1)) < 1e-9 && std::fabs(dx(2)) < 1e-12)
            break;
    }
    linealizar();
    if (Singular(N)) {
        r.aviso = MSG_CIRCUNFERENCIA_PELIGROSA;
        return false;
    }
    const Eigen::MatrixXd Q = N.ldlt().solve(Eigen::MatrixXd::Identity(u, u));
    r.estacion = {d.nombre, X, Y, 0.0};
    r.orientacion = NormalizarAngulo(o * RAD_GRAD);
    r.escala = s;
    r.escalaLibre = escala;
    r.incognitas = static_cast<int>(u);
    r.observaciones = static_cast<int>(n);
    r.redundancia = r.observaciones - r.incognitas;
    r.sX = std::sqrt(Q(0, 0));
    r.sY = std::sqrt(Q(1, 1));
    r.sOrientacion = std::sqrt(Q(2, 2)) * RAD_GRAD;
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix2d> elipse(Q.topLeftCorner<2, 2>());
    const double k95 = std::sqrt(CuantilChiCuadrado(0.95, 2.0));
    r.a = k95 * std::sqrt(std::max(elipse.eigenvalues()(1), 0.0));
    r.b = k95 * std::sqrt(std::max(elipse.eigenvalues()(0), 0.0));
    const Eigen::Vector2d ea = elipse.eigenvectors().col(1);
    r.acimutA = std::fmod(NormalizarAngulo(std::atan2(ea(0), ea(1)) * RAD_GRAD), 200.0);
    // Residuals: adjusted minus observed, and their redundancy numbers.
    for (Eigen::Index f = 0; f < n; ++f) {
        const Fila& fila = filas[static_cast<size_t>(f)];
        const double vf = -l(f);
        const double qvv = sigma(f) * sigma(f) - A.row(f).dot(Q * A.row(f).transpose());
        const double rr = qvv * p(f);
        const double w = rr > 1e-9 ? vf / (sigma(f) * std::sqrt(rr)) : 0.0;
        ResiduoEstacion& x = r.residuos[fila.visual];
        if (fila.distancia) {
            x.vD = vf;
            x.wD = w;
        } else {
            x.vHz = vf * RAD_GRAD;
            x.wHz = w;
        }
        r.omega += p(f) * vf * vf;
    }
    r.ok = true;
    return true;
}

} // namespace

ResultadoEstacion CalcularEstacion(const DatosEstacion& d)
{
    ResultadoEstacion r;
    r.libre = d.libre;
    std::map<std::string, objPto> bases;
    for (const objPto& b : d.bases)
        bases.emplace(b.N, b);
    std::vector<Visual> v;
    std::set<std::string> conDistancia, conDireccion;
    for (const VisualEstacion& o : d.visuales) {
        const auto b = bases.find(o.punto);
        if (b == bases.end()) {
            r.aviso = MensajePuntoDesconocido(o.punto);
            return r;
        }
        if (!d.libre && std::hypot(b->second.X - d.estacion.X, b->second.Y - d.estacion.Y) < 1e-3) {
            r.aviso = "El punto «" + o.punto + "» es la propia estación.";
            return r;
        }
        Visual x{&o, b->second, o.Hz * GRAD_A_RAD, std::nullopt};
        if (o.Dg && *o.Dg > 0.0)
            x.Dr = o.V ? ReducirDistancia(*o.Dg, *o.V) : *o.Dg;
        if (x.Dr)
            conDistancia.insert(o.punto);
        conDireccion.insert(o.punto);
        v.push_back(x);
        r.residuos.push_back({o.punto, std::nullopt, std::nullopt, std::nullopt});
    }
    const bool bastan = d.libre ? conDistancia.size() >= 2 || conDireccion.size() >= 3 : !conDireccion.empty();
    if (!bastan) {
        r.aviso = MSG_FALTAN_OBSERVACIONES;
        r.residuos.clear();
        return r;
    }
    if (d.libre) {
        if (!Ajustar(d, v, d.escalaLibre && conDistancia.size() >= 2, r)) {
            r.residuos.clear();
            return r;
        }
    } else {
        Orientar(d, v, r);
    }
    Prueba(r);
    Marcar(r);
    Altura(d, v, r);
    return r;
}
