#include "traverse/Compensacion.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/FicherosTexto.h"
#include "core/TextoNumerico.h"

namespace {

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
