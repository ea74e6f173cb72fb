// The line or loop computation, the network adjustment and their texts.
#include "levelling/Nivelacion.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <map>

#include "core/FicherosTexto.h"
#include "core/TextoNumerico.h"
#include "traverse/Compensacion.h"

namespace {

std::string Izquierda(const std::string& t, size_t ancho)
{
    return t.size() >= ancho ? t + " " : t + std::string(ancho - t.size(), ' ');
}

std::string Derecha(const std::string& t, size_t ancho)
{
    return t.size() >= ancho ? " " + t : std::string(ancho - t.size(), ' ') + t;
}

std::string Mm(double metros)
{
    return Formatear(metros * 1000.0, 1);
}

std::string SinBlancosFinales(std::string t)
{
    while (!t.empty() && t.back() == ' ')
        t.pop_back();
    return t;
}

} // namespace

// ------------------------------------------------------------- line or loop

ResultadoLinea CalcularLinea(const std::vector<FilaLibreta>& filas, const OpcionesLinea& o)
{
    ResultadoLinea r;
    std::vector<FilaLibreta> libreta = filas;
    RevisarLibreta(libreta, r.malas);
    if (libreta.size() < 2) {
        r.error = "La libreta necesita al menos una espalda y un frente.";
        return r;
    }
    r.cerrada = o.conCotaFinal;

    // The heights as observed, set-up by set-up.
    double cota = o.cotaInicial;
    double horizonte = cota + LeerNumero(libreta[0].espalda);
    std::vector<double> longitudes; // of each set-up
    long sinDistancia = 0;
    r.puntos.push_back({libreta[0].punto, false, 0, 0.0, cota, 0.0, cota});
    for (size_t k = 1; k < libreta.size(); ++k) {
        const FilaLibreta& f = libreta[k];
        const bool ultimo = k + 1 == libreta.size();
        PuntoNivelado p;
        p.nombre = f.punto;
        p.cotaObservada = horizonte - LeerNumero(f.frente);
        p.estacion = static_cast<int>(longitudes.size()) + 1;
        p.distancia = r.longitud;
        if (!ultimo && f.espalda.empty()) {
            p.intermedio = true;
        } else {
            if (f.distancia.empty() && sinDistancia == 0)
                sinDistancia = f.linea;
            const double d = f.distancia.empty() ? 0.0 : LeerNumero(f.distancia);
            longitudes.push_back(d);
            r.longitud += d;
            p.distancia = r.longitud;
            cota = p.cotaObservada;
            if (!ultimo)
                horizonte = cota + LeerNumero(f.espalda);
        }
        r.puntos.push_back(p);
    }
    r.estaciones = static_cast<int>(longitudes.size());
    r.desnivel = cota - o.cotaInicial;
    r.tolerancia = o.k * std::sqrt(std::max(r.longitud, 0.0) / 1000.0) / 1000.0;

    if (r.cerrada) {
        if (sinDistancia != 0) {
            r.error = "Falta la distancia de la fila " + std::to_string(sinDistancia) +
                      ": sin ella no se conoce la longitud de la línea.";
            r.puntos.clear();
            return r;
        }
        if (o.reparto == RepartoCierre::Distancias && !(r.longitud > 0.0)) {
            r.error = "La longitud de la línea es cero: no se puede repartir el cierre por distancias.";
            r.puntos.clear();
            return r;
        }
        r.cierre = cota - o.cotaFinal;
        r.dentro = std::fabs(r.cierre) <= r.tolerancia + 1e-12;
        // Cumulative correction at the end of each set-up.
        std::vector<double> acumulada(longitudes.size() + 1, 0.0);
        double recorrido = 0.0;
        for (size_t j = 1; j < acumulada.size(); ++j) {
            recorrido += longitudes[j - 1];
            const double parte = o.reparto == RepartoCierre::Distancias
                                     ? recorrido / r.longitud
                                     : static_cast<double>(j) / static_cast<double>(longitudes.size());
            acumulada[j] = -r.cierre * parte;
        }
        // An intermediate sight shares its set-up's instrument height: it
        // takes the correction carried to the back point and the backsight's
        // half of its set-up's.
        for (PuntoNivelado& p : r.puntos) {
            const auto e = static_cast<size_t>(p.estacion);
            p.correccion = p.intermedio ? (acumulada[e - 1] + acumulada[e]) / 2.0 : acumulada[e];
        }
        r.puntos.back().correccion = -r.cierre;
    }
    for (PuntoNivelado& p : r.puntos)
        p.cotaCompensada = p.cotaObservada + p.correccion;
    if (r.cerrada)
        r.puntos.back().cotaCompensada = o.cotaFinal;
    r.ok = true;
    return r;
}

std::string Veredicto(const ResultadoLinea& r)
{
    if (!r.ok || !r.cerrada)
        return {};
    return r.dentro ? "Dentro de tolerancia" : "Fuera de tolerancia";
}

std::string CabeceraCotasLinea()
{
    return SinBlancosFinales(Izquierda("Punto", 8) + Derecha("Cota obs.", 10) + Derecha("Corr.mm", 8) +
                             Derecha("Cota comp", 10));
}

std::string FilaCotaLinea(const PuntoNivelado& p)
{
    return SinBlancosFinales(Izquierda(p.nombre, 8) + Derecha(F4(p.cotaObservada), 10) +
                             Derecha(Mm(p.correccion), 8) + Derecha(F4(p.cotaCompensada), 10) +
                             (p.intermedio ? " int." : ""));
}

// ------------------------------------------------------------------ network

ResultadoRed CompensarRed(const std::vector<TramoRed>& tramos, const std::vector<objPto>& fijos, double sigmaKmMm)
{
    ResultadoRed r;
    r.sigmaApriori = sigmaKmMm;
    if (tramos.empty()) {
        r.error = "La red no tiene tramos.";
        return r;
    }
    // Points: the fixed ones the network uses, then the unknowns as they appear.
    std::map<std::string, int> indice; // >= 0 unknown, < 0 fixed (-1 - position in r.cotas)
    std::vector<std::string> desconocidos;
    for (const TramoRed& t : tramos) {
        for (const std::string* n : {&t.desde, &t.hasta}) {
            if (indice.count(*n))
                continue;
            const auto f = std::find_if(fijos.begin(), fijos.end(), [n](const objPto& p) { return p.N == *n; });
            if (f != fijos.end()) {
                indice[*n] = -1 - static_cast<int>(r.cotas.size());
                r.cotas.push_back({*n, true, f->Z, 0.0});
            } else {
                indice[*n] = static_cast<int>(desconocidos.size());
                desconocidos.push_back(*n);
            }
        }
    }
    if (r.cotas.empty()) {
        r.error = "Ningún punto de la red es una base con cota conocida.";
        return r;
    }
    // Every unknown must be joined to a fixed point.
    std::vector<bool> unido(desconocidos.size(), false);
    for (bool cambia = true; cambia;) {
        cambia = false;
        for (const TramoRed& t : tramos) {
            const int a = indice[t.desde];
            const int b = indice[t.hasta];
            const bool ua = a < 0 || unido[static_cast<size_t>(a)];
            const bool ub = b < 0 || unido[static_cast<size_t>(b)];
            if (ua != ub) {
                unido[static_cast<size_t>(ua ? b : a)] = true;
                cambia = true;
            }
        }
    }
    for (size_t i = 0; i < unido.size(); ++i) {
        if (!unido[i]) {
            r.error = "El punto «" + desconocidos[i] + "» no está unido a ninguna base.";
            r.cotas.clear();
            return r;
        }
    }

    const auto m = static_cast<Eigen::Index>(tramos.size());
    const auto u = static_cast<Eigen::Index>(desconocidos.size());
    Eigen::MatrixXd A = Eigen::MatrixXd::Zero(m, u);
    Eigen::VectorXd l(m), p(m);
    for (Eigen::Index i = 0; i < m; ++i) {
        const TramoRed& t = tramos[static_cast<size_t>(i)];
        double conocido = t.desnivel;
        const int a = indice[t.desde];
        const int b = indice[t.hasta];
        if (a >= 0)
            A(i, a) -= 1.0;
        else
            conocido += r.cotas[static_cast<size_t>(-1 - a)].cota;
        if (b >= 0)
            A(i, b) += 1.0;
        else
            conocido -= r.cotas[static_cast<size_t>(-1 - b)].cota;
        l(i) = conocido;
        p(i) = 1000.0 / t.longitud; // 1 / length in km
    }
    Eigen::VectorXd x = Eigen::VectorXd::Zero(u);
    Eigen::MatrixXd Q = Eigen::MatrixXd::Zero(u, u);
    if (u > 0) {
        const Eigen::MatrixXd N = A.transpose() * p.asDiagonal() * A;
        const Eigen::LDLT<Eigen::MatrixXd> ldlt(N);
        if (ldlt.info() != Eigen::Success) {
            r.error = "Las ecuaciones normales de la red no tienen solución.";
            r.cotas.clear();
            return r;
        }
        x = ldlt.solve(A.transpose() * p.asDiagonal() * l);
        Q = ldlt.solve(Eigen::MatrixXd::Identity(u, u));
    }
    const Eigen::VectorXd v = A * x - l; // adjusted minus observed, m
    r.residuos.assign(v.data(), v.data() + v.size());
    r.redundancia = static_cast<int>(m - u);
    r.vpv = 0.0;
    for (Eigen::Index i = 0; i < m; ++i)
        r.vpv += v(i) * 1000.0 * v(i) * 1000.0 * p(i);
    const double s0 = r.redundancia > 0 ? std::sqrt(r.vpv / r.redundancia) : 0.0;
    r.sigma0 = s0;
    const double s = r.redundancia > 0 ? s0 : sigmaKmMm;
    for (Eigen::Index j = 0; j < u; ++j)
        r.cotas.push_back({desconocidos[static_cast<size_t>(j)], false, x(j), s * std::sqrt(Q(j, j)) / 1000.0});
    if (r.redundancia > 0 && sigmaKmMm > 0.0) {
        r.chi2 = r.vpv / (sigmaKmMm * sigmaKmMm);
        r.chi2Critico = CuantilChiCuadrado(0.95, r.redundancia);
        r.aceptada = r.chi2 <= r.chi2Critico;
    }
    r.ok = true;
    return r;
}

std::string CabeceraCotasRed()
{
    return SinBlancosFinales(Izquierda("Punto", 8) + Derecha("Cota", 10) + Derecha("Sigma mm", 9));
}

std::string FilaCotaRed(const CotaRed& c)
{
    return SinBlancosFinales(Izquierda(c.nombre, 8) + Derecha(F4(c.cota), 10) +
                             Derecha(c.fija ? "fija" : Mm(c.sigma), 9));
}

std::string TextoPrueba(const ResultadoRed& r)
{
    if (!r.ok)
        return {};
    if (r.redundancia <= 0)
        return "Sin redundancia";
    if (!(r.sigmaApriori > 0.0))
        return "Sin sigma a priori";
    return std::string(r.aceptada ? "Aceptada: " : "Rechazada: ") + Formatear(r.chi2, 3) +
           (r.aceptada ? " <= " : " > ") + Formatear(r.chi2Critico, 3);
}

// ------------------------------------------------------------------ reports

std::string InformeLinea(const ResultadoLinea& r, const OpcionesLinea& o)
{
    std::vector<std::string> f;
    f.emplace_back("NIVELACIÓN: LÍNEA");
    f.emplace_back();
    f.emplace_back("Cota inicial : " + F4(o.cotaInicial));
    f.emplace_back("Cota final : " + (o.conCotaFinal ? F4(o.cotaFinal) : std::string("(línea abierta)")));
    f.emplace_back("Tolerancia : " + Formatear(o.k, 1) + " mm x raíz(L km)");
    f.emplace_back(std::string("Reparto : ") + (o.reparto == RepartoCierre::Distancias
                                                    ? "Proporcional a las distancias"
                                                    : "Por igual en cada estación"));
    f.emplace_back();
    if (!r.ok) {
        f.push_back(r.error);
    } else {
        f.emplace_back("Estaciones : " + std::to_string(r.estaciones));
        f.emplace_back("Longitud (m) : " + Formatear(r.longitud, 3));
        f.emplace_back("Desnivel observado (m) : " + F4(r.desnivel));
        if (r.cerrada) {
            f.emplace_back("Cierre (mm) : " + Mm(r.cierre));
            f.emplace_back("Tolerancia (mm) : " + Mm(r.tolerancia));
            f.push_back(Veredicto(r));
        }
        f.emplace_back();
        f.push_back(CabeceraCotasLinea());
        for (const PuntoNivelado& p : r.puntos)
            f.push_back(FilaCotaLinea(p));
    }
    for (const LineaNoLeida& m : r.malas) {
        if (&m == &r.malas.front()) {
            f.emplace_back();
            f.emplace_back("Filas no usadas:");
        }
        f.push_back("Fila " + std::to_string(m.linea) + ": " + m.motivo + ".");
    }
    return EscribirTense(f);
}

std::string InformeRed(const ResultadoRed& r, const std::vector<TramoRed>& tramos)
{
    std::vector<std::string> f;
    f.emplace_back("NIVELACIÓN: RED POR MÍNIMOS CUADRADOS");
    f.emplace_back();
    f.emplace_back("Pesos : 1 / longitud (km)");
    f.emplace_back("Sigma a priori (mm/raíz km) : " + Formatear(r.sigmaApriori, 2));
    f.emplace_back();
    if (!r.ok) {
        f.push_back(r.error);
        return EscribirTense(f);
    }
    f.push_back(SinBlancosFinales(Izquierda("Desde", 12) + Izquierda("Hasta", 12) + Derecha("Desnivel", 11) +
                                  Derecha("Longitud", 11) + Derecha("Residuo (mm)", 13)));
    for (size_t i = 0; i < tramos.size() && i < r.residuos.size(); ++i) {
        const TramoRed& t = tramos[i];
        f.push_back(SinBlancosFinales(Izquierda(t.desde, 12) + Izquierda(t.hasta, 12) + Derecha(F4(t.desnivel), 11) +
                                      Derecha(Formatear(t.longitud, 1), 11) + Derecha(Mm(r.residuos[i]), 13)));
    }
    f.emplace_back();
    f.emplace_back("Grados de libertad : " + std::to_string(r.redundancia));
    f.emplace_back("Suma v'Pv (mm²/km) : " + Formatear(r.vpv, 3));
    if (r.redundancia > 0)
        f.emplace_back("Sigma0 a posteriori (mm/raíz km) : " + Formatear(r.sigma0, 2));
    f.emplace_back("Prueba chi-cuadrado 95 % : " + TextoPrueba(r));
    f.emplace_back();
    f.push_back(CabeceraCotasRed());
    for (const CotaRed& c : r.cotas)
        f.push_back(FilaCotaRed(c));
    return EscribirTense(f);
}
