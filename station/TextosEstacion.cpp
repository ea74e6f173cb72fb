#include "station/EstacionLibre.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/FicherosTexto.h"
#include "core/LectorCampos.h"
#include "core/TextoNumerico.h"
#include "core/modFuncionesTopo.h"

// The station set-up's texts: the window's inputs read, its results shown,
// the report, the bases export and the observation file with names.

namespace
{

std::optional<double> Numero(const std::string& t)
{
    if (!EsNumero(t))
        return std::nullopt;
    return LeerNumero(t);
}

double Sigma(const std::string& t, double porDefecto)
{
    const std::optional<double> x = Numero(t);
    return x && *x > 0.0 ? *x : porDefecto;
}

std::string Recortar(const std::string& t)
{
    const size_t i = t.find_first_not_of(' ');
    const size_t f = t.find_last_not_of(' ');
    return i == std::string::npos ? std::string() : t.substr(i, f - i + 1);
}

// Width in characters, not bytes: the names are UTF-8.
size_t Caracteres(const std::string& t)
{
    return static_cast<size_t>(std::count_if(t.begin(), t.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Derecha(const std::string& t, size_t ancho)
{
    const size_t c = Caracteres(t);
    return (c >= ancho ? t : std::string(ancho - c, ' ') + t) + " ";
}

std::string Izquierda(const std::string& t, size_t ancho)
{
    const size_t c = Caracteres(t);
    return (c >= ancho ? t : t + std::string(ancho - c, ' ')) + " ";
}

std::string SinBlancosFinales(std::string t)
{
    while (!t.empty() && t.back() == ' ')
        t.pop_back();
    return t;
}

std::string Opcional(const std::optional<double>& x, double factor)
{
    return x ? Formatear(*x * factor, 1) : "-";
}

} // namespace

DatosEstacion LeerEntradaEstacion(const EntradaEstacion& e)
{
    DatosEstacion d;
    d.libre = e.libre;
    d.nombre = Recortar(e.nombre).empty() ? std::string("EL-1") : Recortar(e.nombre);
    d.i = LeerNumero(e.i);
    d.bases = LeerListaBases(e.bases);
    for (const FilaVisualTextos& f : e.filas) {
        const std::string punto = Recortar(f.punto);
        const std::optional<double> hz = Numero(f.Hz);
        if (punto.empty() || !hz)
            continue;
        d.visuales.push_back({punto, *hz, Numero(f.V), Numero(f.Dist), LeerNumero(f.Hs)});
    }
    if (!e.libre) {
        d.estacion.N = e.estacion[0];
        d.estacion.X = LeerNumero(e.estacion[1]);
        d.estacion.Y = LeerNumero(e.estacion[2]);
        d.Zestacion = Numero(e.estacion[3]);
    }
    d.escalaLibre = e.escalaLibre;
    const PrecisionApriori defecto;
    d.precision.DireccionCC = Sigma(e.sigmaAngular, defecto.DireccionCC);
    d.precision.DistanciaMM = Sigma(e.sigmaDistancia, defecto.DistanciaMM);
    d.precision.DistanciaPPM = Sigma(e.sigmaPpm, defecto.DistanciaPPM);
    return d;
}

std::string CabeceraResiduosEstacion()
{
    return SinBlancosFinales(Izquierda("Punto", 10) + Derecha("vHz cc", 8) + Derecha("vD mm", 8) +
                             Derecha("vZ mm", 8) + Derecha("w", 7));
}

std::string FilaResiduoEstacion(const ResiduoEstacion& x)
{
    return SinBlancosFinales(Izquierda(x.punto, 10) + Derecha(Opcional(x.vHz, 10000.0), 8) +
                             Derecha(Opcional(x.vD, 1000.0), 8) + Derecha(Opcional(x.vZ, 1000.0), 8) +
                             Derecha(Formatear(x.w, 2), 7) + (x.sospechosa ? "*" : ""));
}

TextosEstacion TextosResultadoEstacion(const ResultadoEstacion& r)
{
    TextosEstacion t;
    if (!r.ok) {
        t.aviso = r.aviso;
        return t;
    }
    t.X = F3(r.estacion.X);
    t.Y = F3(r.estacion.Y);
    t.Z = r.conZ ? F3(r.estacion.Z) : "";
    t.orientacion = F4(r.orientacion);
    if (t.orientacion == "400.0000") // a hair short of the full circle
        t.orientacion = "0.0000";
    t.escala = Formatear(r.escala, 6);
    if (r.redundancia > 0) {
        t.sigma0 = Formatear(r.sigma0, 2);
        t.prueba = r.chi2Aceptada ? "Aceptada" : "Rechazada";
    }
    if (r.libre) {
        t.semiejeMayor = Formatear(r.a * 1000.0, 1);
        t.semiejeMenor = Formatear(r.b * 1000.0, 1);
    }
    for (const ResiduoEstacion& x : r.residuos)
        t.residuos.push_back(FilaResiduoEstacion(x));
    return t;
}

std::vector<std::string> FilasInformeEstacion(const DatosEstacion& d, const ResultadoEstacion& r)
{
    std::vector<std::string> f;
    f.emplace_back(d.libre ? "[ESTACIÓN LIBRE]" : "[ESTACIÓN EN BASE CONOCIDA]");
    f.emplace_back();
    f.emplace_back("Estación : " + (d.libre ? d.nombre : d.estacion.N));
    f.emplace_back("Altura del instrumento (m) : " + F3(d.i));
    if (!r.ok) {
        f.emplace_back("No se ha calculado: " + r.aviso);
        return f;
    }
    f.emplace_back();
    f.emplace_back("[PRECISIÓN A PRIORI]");
    f.emplace_back();
    f.emplace_back("Dirección (cc) : " + Formatear(d.precision.DireccionCC, 1));
    f.emplace_back("Distancia : " + Formatear(d.precision.DistanciaMM, 1) + " mm + " +
                   Formatear(d.precision.DistanciaPPM, 1) + " ppm");
    f.emplace_back("Centrado (mm) : " + Formatear(d.precision.CentradoMM, 1));
    f.emplace_back("Coeficiente de refracción K : " + Formatear(KRefraccion, 2));
    f.emplace_back();
    f.emplace_back("[OBSERVACIONES]");
    f.emplace_back();
    f.emplace_back(SinBlancosFinales(Izquierda("Punto", 10) + Derecha("Hz", 9) + Derecha("V", 9) +
                                     Derecha("Dist.", 10) + Derecha("m", 6)));
    for (const VisualEstacion& o : d.visuales)
        f.emplace_back(SinBlancosFinales(Izquierda(o.punto, 10) + Derecha(F4(o.Hz), 9) +
                                         Derecha(o.V ? F4(*o.V) : "-", 9) + Derecha(o.Dg ? F3(*o.Dg) : "-", 10) +
                                         Derecha(F3(o.m), 6)));
    f.emplace_back();
    f.emplace_back("[RESULTADO]");
    f.emplace_back();
    f.emplace_back("X : " + F3(r.estacion.X));
    f.emplace_back("Y : " + F3(r.estacion.Y));
    f.emplace_back("Z : " + (r.conZ ? F3(r.estacion.Z) : std::string("-")));
    f.emplace_back("Orientación (g) : " + F4(r.orientacion));
    f.emplace_back("Factor de escala : " + Formatear(r.escala, 6) + (r.escalaLibre ? "" : " (fijo)"));
    if (r.libre) {
        f.emplace_back("Desviación típica X, Y (mm) : " + Formatear(r.sX * 1000.0, 1) + "  " +
                       Formatear(r.sY * 1000.0, 1));
        f.emplace_back("Elipse de error al 95 % (mm) : a " + Formatear(r.a * 1000.0, 1) + "  b " +
                       Formatear(r.b * 1000.0, 1) + "  acimut de a " + F4(r.acimutA) + " g");
    }
    f.emplace_back("Desviación típica de la orientación (cc) : " + Formatear(r.sOrientacion * 10000.0, 1));
    f.emplace_back();
    f.emplace_back("[AJUSTE]");
    f.emplace_back();
    f.emplace_back("Observaciones : " + std::to_string(r.observaciones));
    f.emplace_back("Incógnitas : " + std::to_string(r.incognitas));
    f.emplace_back("Grados de libertad : " + std::to_string(r.redundancia));
    if (r.libre)
        f.emplace_back("Iteraciones : " + std::to_string(r.iteraciones));
    if (r.redundancia > 0) {
        f.emplace_back("Suma v'Pv : " + Formatear(r.omega, 3));
        f.emplace_back("Sigma0 a posteriori : " + Formatear(r.sigma0, 3));
        f.emplace_back("Test global chi-cuadrado 95 % : " + Formatear(r.omega, 3) + " <= " +
                       Formatear(r.chi2Critico, 3) + " : " + (r.chi2Aceptada ? "Aceptada" : "Rechazada"));
    } else {
        f.emplace_back("Sin redundancia: solución única, sin sigma0 ni test.");
    }
    f.emplace_back("Residuos normalizados |w| > " + Formatear(VALOR_CRITICO_W, 2) + " : " +
                   std::to_string(r.sospechosas));
    f.emplace_back();
    f.emplace_back("[RESIDUOS]");
    f.emplace_back();
    f.push_back(CabeceraResiduosEstacion());
    for (const ResiduoEstacion& x : r.residuos)
        f.push_back(FilaResiduoEstacion(x) + (x.sospechosa ? " posible error grosero" : ""));
    return f;
}

std::string EscribirInformeEstacion(const DatosEstacion& d, const ResultadoEstacion& r)
{
    return EscribirTense(FilasInformeEstacion(d, r));
}

std::string ExportarBasesEstacion(const DatosEstacion& d, const ResultadoEstacion& r)
{
    std::vector<std::string> filas;
    std::set<std::string> vistos;
    auto anadir = [&filas](const std::string& n, double x, double y, double z) {
        const auto seis = FilasBase(n, x, y, z);
        filas.insert(filas.end(), seis.begin(), seis.end());
    };
    for (const VisualEstacion& o : d.visuales)
        for (const objPto& b : d.bases)
            if (b.N == o.punto && vistos.insert(b.N).second)
                anadir(b.N, b.X, b.Y, b.Z);
    if (r.ok)
        anadir(d.libre ? d.nombre : d.estacion.N, r.estacion.X, r.estacion.Y, r.conZ ? r.estacion.Z : 0.0);
    return EscribirBases(filas);
}

std::vector<FilaVisualTextos> LeerObservacionesEstacion(std::string_view texto, size_t maximo)
{
    std::vector<FilaVisualTextos> filas;
    LectorCampos lector(texto);
    while (filas.size() < maximo && !lector.Fin()) {
        FilaVisualTextos f;
        for (std::string* c : {&f.punto, &f.Hz, &f.V, &f.Dist, &f.Hs})
            if (!lector.Leer(*c))
                return filas;
        filas.push_back(f);
    }
    return filas;
}
