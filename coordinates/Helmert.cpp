#include "coordinates/Helmert.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>

#include "coordinates/ListaPuntos.h"
#include "core/FicherosTexto.h"
#include "core/TextoNumerico.h"
#include "core/modFuncionesTopo.h"

namespace {

// Two common points closer than this are taken as the same place, metres.
constexpr double TOLERANCIA_COINCIDENCIA = 0.001;

struct ParComun {
    const objPto* origen;
    const objPto* destino;
    bool excluido;
};

bool Contiene(const std::vector<std::string>& nombres, const std::string& n)
{
    return std::find(nombres.begin(), nombres.end(), n) != nombres.end();
}

// The common points in the order of the origin list; a name repeated in a list
// counts once, with its first point.
std::vector<ParComun> ParesComunes(const std::vector<objPto>& origen, const std::vector<objPto>& destino,
                                   const std::vector<std::string>& excluidos)
{
    std::vector<ParComun> pares;
    std::vector<std::string> vistos;
    for (const objPto& p : origen) {
        const std::string n = SinBlancos(p.N);
        if (n.empty() || Contiene(vistos, n))
            continue;
        const auto d = std::find_if(destino.begin(), destino.end(),
                                    [&n](const objPto& q) { return SinBlancos(q.N) == n; });
        if (d == destino.end())
            continue;
        vistos.push_back(n);
        pares.push_back({&p, &*d, Contiene(excluidos, n)});
    }
    return pares;
}

// The first two points of the fit at the same place in one system, by name.
std::string Coincidentes(const std::vector<ParComun>& usados)
{
    for (size_t i = 0; i < usados.size(); ++i)
        for (size_t j = i + 1; j < usados.size(); ++j) {
            const bool enOrigen = DistanciaEntrePuntos(*usados[i].origen, *usados[j].origen) < TOLERANCIA_COINCIDENCIA;
            const bool enDestino =
                DistanciaEntrePuntos(*usados[i].destino, *usados[j].destino) < TOLERANCIA_COINCIDENCIA;
            if (enOrigen || enDestino)
                return "Los puntos comunes " + SinBlancos(usados[i].origen->N) + " y " +
                       SinBlancos(usados[j].origen->N) + " coinciden en el sistema de " +
                       (enOrigen ? "origen." : "destino.");
        }
    return {};
}

std::string FilaResiduo(const ResiduoTransformacion& r)
{
    std::string f = r.N + " " + Formatear(r.vX * 1000.0, 1) + " " + Formatear(r.vY * 1000.0, 1);
    if (r.excluido)
        f += " (excluido)";
    else if (r.marcado)
        f += " *";
    return f;
}

void Textos(ResultadoTransformacion& r)
{
    const TransformacionHelmert& t = r.transformacion;
    r.textoTX = F3(r.TX);
    r.textoTY = F3(r.TY);
    r.textoGiro = Formatear(r.giro, 6);
    r.textoEscala = Formatear(r.escala, 8);
    r.textoSigma0 = Formatear(r.sigma0 * 1000.0, 1);
    if (t.metodo == MetodoTransformacion::Afin)
        r.textoParametros = "a0 = " + F3(t.a0) + "  a1 = " + Formatear(t.a1, 8) + "  a2 = " + Formatear(t.a2, 8) +
                            "  b0 = " + F3(t.b0) + "  b1 = " + Formatear(t.b1, 8) + "  b2 = " + Formatear(t.b2, 8);
    for (const ResiduoTransformacion& v : r.residuos)
        r.filasResiduos.push_back(FilaResiduo(v));
}

} // namespace

std::string NombreMetodoTransformacion(MetodoTransformacion metodo)
{
    return metodo == MetodoTransformacion::Helmert ? "Semejanza (Helmert, 4 parámetros)" : "Afín (6 parámetros)";
}

objPto Transformar(const TransformacionHelmert& t, const objPto& p)
{
    objPto r = p;
    r.X = t.a0 + t.a1 * p.X + t.a2 * p.Y;
    r.Y = t.b0 + t.b1 * p.X + t.b2 * p.Y;
    return r;
}

ResultadoTransformacion AjustarTransformacion(const std::vector<objPto>& origen, const std::vector<objPto>& destino,
                                              MetodoTransformacion metodo,
                                              const std::vector<std::string>& excluidos)
{
    ResultadoTransformacion r;
    const bool afin = metodo == MetodoTransformacion::Afin;
    const std::vector<ParComun> pares = ParesComunes(origen, destino, excluidos);
    std::vector<ParComun> usados;
    for (const ParComun& p : pares)
        if (!p.excluido)
            usados.push_back(p);

    const size_t minimo = afin ? 3 : 2;
    if (usados.size() < minimo) {
        r.error = std::string(afin ? "La transformación afín necesita al menos tres puntos comunes"
                                   : "La transformación necesita al menos dos puntos comunes") +
                  "; hay " + std::to_string(usados.size()) + ".";
        return r;
    }
    r.error = Coincidentes(usados);
    if (!r.error.empty())
        return r;

    // Coordinates reduced to the centroids keep the normal equations well
    // conditioned with grid coordinates of millions of metres.
    double cx = 0.0, cy = 0.0, cX = 0.0, cY = 0.0;
    for (const ParComun& p : usados) {
        cx += p.origen->X;
        cy += p.origen->Y;
        cX += p.destino->X;
        cY += p.destino->Y;
    }
    const auto n = static_cast<double>(usados.size());
    cx /= n;
    cy /= n;
    cX /= n;
    cY /= n;

    const Eigen::Index filas = 2 * static_cast<Eigen::Index>(usados.size());
    const Eigen::Index u = afin ? 6 : 4;
    Eigen::MatrixXd A = Eigen::MatrixXd::Zero(filas, u);
    Eigen::VectorXd L(filas);
    for (Eigen::Index i = 0; i < static_cast<Eigen::Index>(usados.size()); ++i) {
        const ParComun& p = usados[static_cast<size_t>(i)];
        const double x = p.origen->X - cx, y = p.origen->Y - cy;
        if (afin) {
            A.row(2 * i) << x, y, 1.0, 0.0, 0.0, 0.0;
            A.row(2 * i + 1) << 0.0, 0.0, 0.0, x, y, 1.0;
        } else {
            A.row(2 * i) << x, -y, 1.0, 0.0;
            A.row(2 * i + 1) << y, x, 0.0, 1.0;
        }
        L(2 * i) = p.destino->X - cX;
        L(2 * i + 1) = p.destino->Y - cY;
    }

    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(A);
    const Eigen::VectorXd& s = svd.singularValues();
    if (s(u - 1) <= 1e-9 * s(0)) {
        r.error = "Los puntos comunes están alineados: la transformación afín no queda determinada.";
        return r;
    }
    const Eigen::MatrixXd Ninv = (A.transpose() * A).inverse();
    const Eigen::VectorXd xs = Ninv * (A.transpose() * L);
    const Eigen::VectorXd v = A * xs - L;
    const Eigen::MatrixXd Qvv = Eigen::MatrixXd::Identity(filas, filas) - A * Ninv * A.transpose();

    TransformacionHelmert& t = r.transformacion;
    t.metodo = metodo;
    if (afin) {
        t.a1 = xs(0), t.a2 = xs(1), t.b1 = xs(3), t.b2 = xs(4);
        t.a0 = cX + xs(2) - t.a1 * cx - t.a2 * cy;
        t.b0 = cY + xs(5) - t.b1 * cx - t.b2 * cy;
    } else {
        t.a1 = t.b2 = xs(0);
        t.b1 = xs(1);
        t.a2 = -xs(1);
        t.a0 = cX + xs(2) - t.a1 * cx - t.a2 * cy;
        t.b0 = cY + xs(3) - t.b1 * cx - t.b2 * cy;
    }
    r.TX = t.a0;
    r.TY = t.b0;
    const double a = (t.a1 + t.b2) / 2.0, b = (t.b1 - t.a2) / 2.0;
    // A counter-clockwise turn of the axes' picture lowers the azimuths.
    r.giro = NormalizarAngulo(-std::atan2(b, a) * RAD_A_GRAD);
    r.escala = afin ? std::sqrt(std::fabs(t.a1 * t.b2 - t.a2 * t.b1)) : std::hypot(a, b);
    r.redundancia = static_cast<int>(filas - u);
    if (r.redundancia > 0)
        r.sigma0 = std::sqrt(v.squaredNorm() / r.redundancia);

    Eigen::Index k = 0;
    for (const ParComun& p : pares) {
        ResiduoTransformacion res;
        res.N = SinBlancos(p.origen->N);
        res.excluido = p.excluido;
        const objPto q = Transformar(t, *p.origen);
        res.vX = q.X - p.destino->X;
        res.vY = q.Y - p.destino->Y;
        if (!p.excluido) {
            const double qx = Qvv(2 * k, 2 * k), qy = Qvv(2 * k + 1, 2 * k + 1);
            if (r.sigma0 > 0.0 && qx > 1e-12)
                res.wX = res.vX / (r.sigma0 * std::sqrt(qx));
            if (r.sigma0 > 0.0 && qy > 1e-12)
                res.wY = res.vY / (r.sigma0 * std::sqrt(qy));
            res.marcado = std::max(std::fabs(res.wX), std::fabs(res.wY)) > VALOR_CRITICO_TRANSFORMACION;
            ++k;
        }
        r.residuos.push_back(res);
    }
    r.ok = true;
    Textos(r);
    return r;
}

ResultadoTransformacion CalcularTransformacion(const std::vector<std::string>& filasOrigen,
                                               const std::vector<std::string>& filasDestino,
                                               MetodoTransformacion metodo,
                                               const std::vector<std::string>& excluidos)
{
    return AjustarTransformacion(PuntosDeLista(filasOrigen), PuntosDeLista(filasDestino), metodo, excluidos);
}

void AlternarExcluido(std::vector<std::string>& excluidos, const std::string& nombre)
{
    const std::string n = SinBlancos(nombre);
    const auto i = std::find(excluidos.begin(), excluidos.end(), n);
    if (i != excluidos.end())
        excluidos.erase(i);
    else if (!n.empty())
        excluidos.push_back(n);
}

FicheroTransformado TransformarFichero(const TransformacionHelmert& t, std::string_view texto,
                                       const std::string& ruta)
{
    FicheroTransformado r;
    const bool bases = EsFicheroBases(ruta);
    const ResultadoLectura lectura = LeerFicheroPuntos(texto, ruta);
    if (lectura.fallo) {
        r.error = "Se produjo un error al abrir el fichero. " + lectura.descripcion;
        return r;
    }
    std::vector<std::string> filas;
    if (bases) {
        const std::vector<objPto> puntos = LeerListaBases(lectura.filas);
        if (puntos.size() * 6 < lectura.filas.size()) {
            r.error = "El fichero tiene bases cuyas coordenadas no son números.";
            return r;
        }
        for (const objPto& p : puntos) {
            const objPto q = Transformar(t, p);
            const auto grupo = FilasBase(q.N, q.X, q.Y, q.Z);
            filas.insert(filas.end(), grupo.begin(), grupo.end());
        }
        r.puntos = static_cast<int>(puntos.size());
        r.texto = EscribirBases(filas);
    } else {
        for (const std::string& f : lectura.filas) {
            objPto p;
            if (!LeerFilaPunto(f, p)) {
                r.error = "El punto " + std::string(PalabraFila(f, 0)) + " no tiene coordenadas numéricas.";
                return r;
            }
            const objPto q = Transformar(t, p);
            // The height keeps the text it was read with.
            filas.push_back(p.N + " " + F3(q.X) + " " + F3(q.Y) + " " + std::string(PalabraFila(f, 3)));
            ++r.puntos;
        }
        r.texto = EscribirPuntos(filas);
    }
    r.ok = true;
    return r;
}
