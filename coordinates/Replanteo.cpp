#include "coordinates/Replanteo.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "coordinates/ListaPuntos.h"
#include "core/TextoNumerico.h"
#include "core/modFuncionesTopo.h"

namespace {

// Closer than this a design point stands on the station, metres.
constexpr double TOLERANCIA_ESTACION = 1.0e-4;

bool LeerBase(const std::array<std::string, 3>& textos, const std::string& nombre, objPto& p)
{
    for (const std::string& t : textos)
        if (!EsNumero(t))
            return false;
    p.N = nombre;
    p.X = LeerNumero(textos[0]);
    p.Y = LeerNumero(textos[1]);
    p.Z = LeerNumero(textos[2]);
    return true;
}

// One GSI-16 word: index, four information characters, sign, sixteen data
// characters padded with zeros on the left.
std::string PalabraGsi(const std::string& indice, const std::string& info, char signo, const std::string& dato)
{
    return indice + info + signo + std::string(16 - dato.size(), '0') + dato;
}

std::string PalabraCoordenada(const char* indice, double valor)
{
    const long long mm = std::llround(std::fabs(valor) * 1000.0);
    return PalabraGsi(indice, "..10", valor < 0.0 && mm != 0 ? '-' : '+', std::to_string(mm));
}

} // namespace

ResultadoReplanteo CalcularReplanteo(const EntradaReplanteo& entrada)
{
    ResultadoReplanteo r;
    if (!LeerBase(entrada.BE, entrada.nombreBE, r.BE)) {
        r.aviso = "Falta la base de estación.";
        return r;
    }
    if (!LeerBase(entrada.BO, entrada.nombreBO, r.BO)) {
        r.aviso = "Falta la base de orientación.";
        return r;
    }
    if (!EsNumero(entrada.i)) {
        r.aviso = "La altura del instrumento no es un número.";
        return r;
    }
    if (DistanciaEntrePuntos(r.BE, r.BO) < TOLERANCIA_ESTACION) {
        r.aviso = "La base de orientación coincide con la de estación.";
        return r;
    }
    r.i = LeerNumero(entrada.i);
    const std::vector<objPto> diseno = PuntosDeLista(entrada.filasPuntos);
    if (diseno.empty()) {
        r.aviso = "No hay puntos que replantear.";
        return r;
    }
    const double acimutBO = AcimutEntrePuntos(r.BE, r.BO);
    for (const objPto& p : diseno) {
        PuntoReplanteo q;
        q.punto = p;
        q.distancia = DistanciaEntrePuntos(r.BE, p);
        q.desnivel = p.Z - r.BE.Z;
        if (q.distancia < TOLERANCIA_ESTACION) {
            q.distancia = 0.0;
            r.filas.push_back(p.N + " - - - " + F3(q.desnivel));
            r.puntos.push_back(q);
            continue;
        }
        q.acimut = AcimutEntrePuntos(r.BE, p);
        q.lectura = NormalizarAngulo(q.acimut - acimutBO);
        // The prism at the instrument's height: the line of sight rises the
        // height difference less the curvature and refraction term.
        const double c = (1.0 - 2.0 * KRefraccion) * q.distancia * q.distancia / (2.0 * RADIO_TIERRA);
        const double vertical = q.desnivel - c;
        q.cenital = std::atan2(q.distancia, vertical) * RAD_A_GRAD;
        q.inclinada = std::hypot(q.distancia, vertical);
        r.filas.push_back(p.N + " " + F4(q.acimut) + " " + F4(q.lectura) + " " + F3(q.distancia) + " " +
                          F3(q.desnivel));
        r.puntos.push_back(q);
    }
    r.ok = true;
    return r;
}

std::string TextoReplanteo(const ResultadoReplanteo& r)
{
    std::string t = "Replanteo\r\n";
    t += "Estación " + r.BE.N + " " + F3(r.BE.X) + " " + F3(r.BE.Y) + " " + F3(r.BE.Z) + "\r\n";
    t += "Orientación " + r.BO.N + " " + F3(r.BO.X) + " " + F3(r.BO.Y) + " " + F3(r.BO.Z) + " (lectura 0.0000)\r\n";
    t += "Altura del instrumento " + F3(r.i) + "\r\n";
    t += "Punto Acimut Lectura Distancia Desnivel\r\n";
    for (const std::string& f : r.filas)
        t += f + "\r\n";
    return t;
}

bool GsiReplanteo(const ResultadoReplanteo& r, std::string& texto, std::string& aviso)
{
    texto.clear();
    int bloque = 0;
    for (const PuntoReplanteo& q : r.puntos) {
        const std::string& n = q.punto.N;
        if (n.empty() || n.size() > 16 ||
            std::any_of(n.begin(), n.end(), [](unsigned char c) { return std::isspace(c) != 0 || c > 126; })) {
            aviso = "El nombre del punto «" + n + "» no cabe en una palabra GSI de 16 caracteres.";
            texto.clear();
            return false;
        }
        ++bloque;
        std::string b = std::to_string(bloque % 10000);
        b.insert(0, 4 - b.size(), '0');
        texto += "*" + PalabraGsi("11", b, '+', n) + " " + PalabraCoordenada("81", q.punto.X) + " " +
                 PalabraCoordenada("82", q.punto.Y) + " " + PalabraCoordenada("83", q.punto.Z) + " \r\n";
    }
    return true;
}

bool ExportarReplanteo(const ResultadoReplanteo& r, const std::string& ruta, std::string& texto, std::string& aviso)
{
    std::string ext = ruta.size() >= 4 ? ruta.substr(ruta.size() - 4) : std::string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".gsi")
        return GsiReplanteo(r, texto, aviso);
    texto = TextoReplanteo(r);
    return true;
}
