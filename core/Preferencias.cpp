#include "core/Preferencias.h"

#include <charconv>

#include "core/Configuracion.h"
#include "core/Ficheros.h"

namespace {

constexpr std::string_view CLAVE_EPSG = "epsg=";

} // namespace

std::string RutaPreferencias()
{
    return CarpetaPrograma() + "/" + NOMBRE_FICHERO_PREFERENCIAS;
}

int LeerEpsg()
{
    std::string texto;
    if (!LeerFichero(RutaPreferencias(), texto).ok)
        return EPSG_POR_DEFECTO;
    size_t pos = 0;
    while (pos < texto.size()) {
        size_t fin = texto.find('\n', pos);
        if (fin == std::string::npos)
            fin = texto.size();
        std::string_view linea(texto.data() + pos, fin - pos);
        pos = fin + 1;
        while (!linea.empty() && (linea.back() == '\r' || linea.back() == ' '))
            linea.remove_suffix(1);
        if (linea.substr(0, CLAVE_EPSG.size()) != CLAVE_EPSG)
            continue;
        linea.remove_prefix(CLAVE_EPSG.size());
        int epsg = 0;
        const auto r = std::from_chars(linea.data(), linea.data() + linea.size(), epsg);
        if (r.ec == std::errc() && r.ptr == linea.data() + linea.size() && epsg > 0)
            return epsg;
    }
    return EPSG_POR_DEFECTO;
}

bool GuardarEpsg(int epsg, std::string& error)
{
    std::string antiguo;
    LeerFichero(RutaPreferencias(), antiguo);
    std::string nuevo = std::string(CLAVE_EPSG) + std::to_string(epsg) + "\r\n";
    size_t pos = 0;
    while (pos < antiguo.size()) {
        size_t fin = antiguo.find('\n', pos);
        fin = fin == std::string::npos ? antiguo.size() : fin + 1;
        const std::string_view linea(antiguo.data() + pos, fin - pos);
        if (linea.substr(0, CLAVE_EPSG.size()) != CLAVE_EPSG && !linea.empty())
            nuevo += linea;
        pos = fin;
    }
    const ResultadoFichero r = EscribirFichero(RutaPreferencias(), nuevo);
    error = r.descripcion;
    return r.ok;
}
