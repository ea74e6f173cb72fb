#include "catenary/Catenaria.h"

#include <cmath>

#include "core/TextoNumerico.h"
#include "core/FicherosTexto.h"

std::string MensajeCatenaria(FalloCatenaria fallo)
{
    switch (fallo) {
    case FalloCatenaria::Ninguno:
        return {};
    case FalloCatenaria::SinBase:
        return "Seleccione las bases.";
    case FalloCatenaria::SinAnclajes:
        return "Seleccione los puntos de anclaje.";
    case FalloCatenaria::DatosNoValidos:
        return "Los datos no son válidos o están en blanco.";
    case FalloCatenaria::PocasObservaciones:
        return "Debe haber como mínimo tres observaciones.";
    case FalloCatenaria::FinalNoMayor:
        return "El punto final es menor o igual al punto inicial.";
    case FalloCatenaria::InicialNoEncontrado:
        return "Punto inicial no encontrado.";
    case FalloCatenaria::FinalNoEncontrado:
        return "Punto final no encontrado.";
    case FalloCatenaria::SinAjuste:
        return "No se pudieron ajustar las observaciones a una parábola.";
    }
    return {};
}

std::string MensajeOmitidos(int omitidos)
{
    if (omitidos == 1)
        return "Se ha omitido 1 observación: su visual no corta la línea de los anclajes en un solo punto.";
    return "Se han omitido " + std::to_string(omitidos)
           + " observaciones: su visual no corta la línea de los anclajes en un solo punto.";
}

std::string FilaProyeccion(double distancia, double cota)
{
    return F3(distancia) + "," + F3(cota);
}

bool SituarPuntoCatenaria(const objPto& D, const objPto& A, double AzAB, double az, double i, double V, objPto& C)
{
    // Directions closer than this are taken as parallel: the intersection
    // would lie kilometres away on a difference no instrument reads.
    constexpr double PARALELA = 1e-9;
    if (!std::isfinite(az) || !std::isfinite(AzAB))
        return false;
    double diferencia = std::fmod(az - AzAB, 200.0);
    if (diferencia < 0.0)
        diferencia += 200.0;
    if (diferencia < PARALELA || 200.0 - diferencia < PARALELA)
        return false;
    // The sight from D and the line A-B by their plan directions, so that a
    // line running due north or south meets the sight like any other.
    const double ux = std::sin(az * GRAD_A_RAD), uy = std::cos(az * GRAD_A_RAD);
    const double wx = std::sin(AzAB * GRAD_A_RAD), wy = std::cos(AzAB * GRAD_A_RAD);
    const double cruce = ux * wy - uy * wx;
    if (cruce == 0.0)
        return false;
    const double t = ((A.X - D.X) * wy - (A.Y - D.Y) * wx) / cruce;
    objPto p;
    p.X = D.X + t * ux;
    p.Y = D.Y + t * uy;
    p.Z = D.Z + i + DistanciaEntrePuntos(D, p) * std::tan((100.0 - V) * GRAD_A_RAD);
    if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !std::isfinite(p.Z))
        return false;
    C.X = p.X;
    C.Y = p.Y;
    C.Z = p.Z;
    return true;
}

namespace {

bool AlgunoVacio(std::initializer_list<const std::string*> textos)
{
    for (const std::string* t : textos)
        if (t->empty())
            return true;
    return false;
}

objPto PuntoDeEtiquetas(const std::string& n, const std::string& x, const std::string& y, const std::string& z)
{
    return objPto{n, LeerNumero(x), LeerNumero(y), LeerNumero(z)};
}

} // namespace

ResultadoCatenaria CalcularCatenaria(const DatosCatenaria& d)
{
    ResultadoCatenaria r;
    const std::vector<std::string>& obs = d.Observaciones;
    if (AlgunoVacio({&d.Base, &d.BaseX, &d.BaseY, &d.BaseZ})) {
        r.Fallo = FalloCatenaria::SinBase;
        return r;
    }
    if (AlgunoVacio({&d.Pto1, &d.Pto1X, &d.Pto1Y, &d.Pto1Z, &d.Pto2, &d.Pto2X, &d.Pto2Y, &d.Pto2Z})) {
        r.Fallo = FalloCatenaria::SinAnclajes;
        return r;
    }
    if (obs.empty() || !EsNumero(d.i)) {
        r.Fallo = FalloCatenaria::DatosNoValidos;
        return r;
    }
    if (obs.size() < 3) {
        r.Fallo = FalloCatenaria::PocasObservaciones;
        return r;
    }
    const double ptoI = LeerEntero(d.PtoI);
    const double ptoF = LeerEntero(d.PtoF);
    if (!(ptoF > ptoI)) {
        r.Fallo = FalloCatenaria::FinalNoMayor;
        return r;
    }
    const FilasBloque bloque = LocalizarBloque(obs, ptoI, ptoF);
    const long iI = bloque.primera;
    const long iF = bloque.ultima;
    if (iI < 0) {
        r.Fallo = FalloCatenaria::InicialNoEncontrado;
        return r;
    }
    if (iF < 0) {
        r.Fallo = FalloCatenaria::FinalNoEncontrado;
        return r;
    }

    const objPto A = PuntoDeEtiquetas(d.Pto1, d.Pto1X, d.Pto1Y, d.Pto1Z);
    const objPto B = PuntoDeEtiquetas(d.Pto2, d.Pto2X, d.Pto2Y, d.Pto2Z);
    const objPto D = PuntoDeEtiquetas(d.Base, d.BaseX, d.BaseY, d.BaseZ);
    const double i = LeerNumero(d.i);

    // Orientation of the horizontal circle: the row of the initial number is
    // the reading on anchor 1.
    const double AzDA = NormalizarAngulo(AcimutEntrePuntos(D, A));
    const double AzAB = NormalizarAngulo(AcimutEntrePuntos(A, B));
    const double HzI = LeerNumero(ExtraerCampo(obs[static_cast<size_t>(iI)], 1));

    r.PuntosCatenaria.push_back(FilaPunto(d.Pto1, A.X, A.Y, A.Z));
    r.Proyeccion.push_back(FilaProyeccion(0.0, A.Z));
    r.Perfil.push_back(objPto{d.Pto1, 0.0, A.Z, 0.0});

    for (long j = iI + 1; j <= iF; ++j) {
        const std::string& fila = obs[static_cast<size_t>(j)];
        const double n = LeerEntero(ExtraerCampo(fila, 0));
        const double Hz = LeerNumero(ExtraerCampo(fila, 1));
        const double V = LeerNumero(ExtraerCampo(fila, 2));
        // The azimuth is not reduced to one turn.
        const double az = Hz - HzI + AzDA;
        objPto C;
        C.N = NumeroPunto(n);
        if (!SituarPuntoCatenaria(D, A, AzAB, az, i, V, C)) {
            ++r.Omitidos;
            continue;
        }
        const double distancia = DistanciaEntrePuntos(A, C);
        r.PuntosCatenaria.push_back(FilaPunto(C.N, C.X, C.Y, C.Z));
        r.Proyeccion.push_back(FilaProyeccion(distancia, C.Z));
        r.Perfil.push_back(objPto{C.N, distancia, C.Z, 0.0});
    }

    const double vano = DistanciaEntrePuntos(A, B);
    r.PuntosCatenaria.push_back(FilaPunto(d.Pto2, B.X, B.Y, B.Z));
    r.Proyeccion.push_back(FilaProyeccion(vano, B.Z));
    r.Perfil.push_back(objPto{d.Pto2, vano, B.Z, 0.0});

    r.Parabola = AjustarParabola(r.Perfil);
    if (r.Parabola.Parametro == -1.0) {
        r.Fallo = FalloCatenaria::SinAjuste;
        return r;
    }
    r.Proyeccion.emplace_back("[Parámetro]");
    r.Proyeccion.push_back(F2(r.Parabola.Parametro));
    r.Proyeccion.emplace_back("[Error de ajuste]");
    r.Proyeccion.push_back(F3(r.Parabola.ErrorAjuste));
    r.Proyeccion.emplace_back("[Error de regresión]");
    r.Proyeccion.push_back(F3(r.Parabola.ErrorRegresion));
    return r;
}
