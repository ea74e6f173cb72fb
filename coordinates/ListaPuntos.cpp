#include "coordinates/ListaPuntos.h"

#include <algorithm>
#include <cctype>

#include "core/TextoNumerico.h"

bool EsFicheroBases(const std::string& ruta)
{
    if (ruta.size() < 4)
        return false;
    std::string ext = ruta.substr(ruta.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".bse";
}

ResultadoLectura LeerFicheroPuntos(std::string_view texto, const std::string& ruta)
{
    return EsFicheroBases(ruta) ? LeerBases(texto) : LeerPuntos(texto);
}

std::vector<objPto> PuntosDeLista(const std::vector<std::string>& filas)
{
    if (filas.size() >= 2 && filas[1].empty())
        return LeerListaBases(filas);
    return LeerListaPuntos(filas);
}

std::string SinBlancos(const std::string& texto)
{
    const size_t i = texto.find_first_not_of(" \t");
    if (i == std::string::npos)
        return {};
    const size_t f = texto.find_last_not_of(" \t");
    return texto.substr(i, f - i + 1);
}

const objPto* BuscarPunto(const std::vector<objPto>& puntos, const std::string& nombre)
{
    const std::string n = SinBlancos(nombre);
    if (n.empty())
        return nullptr;
    for (const objPto& p : puntos)
        if (SinBlancos(p.N) == n)
            return &p;
    if (!EsNumero(n))
        return nullptr;
    const double valor = LeerNumero(n);
    for (const objPto& p : puntos)
        if (EsNumero(p.N) && LeerNumero(p.N) == valor)
            return &p;
    return nullptr;
}
