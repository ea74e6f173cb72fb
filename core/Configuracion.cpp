#include "core/Configuracion.h"

#include <algorithm>
#include <cstring>

#include "core/Ficheros.h"
#include "core/TextoNumerico.h"

namespace {

std::string& Carpeta()
{
    static std::string carpeta = ".";
    return carpeta;
}

constexpr size_t TAMANO_REGISTRO = 12;

} // namespace

void FijarCarpetaPrograma(const std::string& carpeta)
{
    Carpeta() = carpeta;
}

const std::string& CarpetaPrograma()
{
    return Carpeta();
}

std::string RutaConfiguracion()
{
    return Carpeta() + "/" + NOMBRE_FICHERO_CONFIGURACION;
}

std::string CodificarConfiguracion(const Configuracion& cfg)
{
    uint64_t bitsK = 0;
    std::memcpy(&bitsK, &cfg.K, sizeof bitsK);
    const auto estado = static_cast<uint32_t>(cfg.Estado);
    std::string bytes(TAMANO_REGISTRO, '\0');
    for (size_t i = 0; i < 8; ++i)
        bytes[i] = static_cast<char>((bitsK >> (8 * i)) & 0xFF);
    for (size_t i = 0; i < 4; ++i)
        bytes[8 + i] = static_cast<char>((estado >> (8 * i)) & 0xFF);
    return bytes;
}

Configuracion DecodificarConfiguracion(const std::string& bytes)
{
    Configuracion cfg;
    if (bytes.size() < TAMANO_REGISTRO)
        return cfg;
    uint64_t bitsK = 0;
    uint32_t estado = 0;
    for (size_t i = 0; i < 8; ++i)
        bitsK |= static_cast<uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    for (size_t i = 0; i < 4; ++i)
        estado |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[8 + i])) << (8 * i);
    std::memcpy(&cfg.K, &bitsK, sizeof bitsK);
    cfg.Estado = static_cast<int32_t>(estado);
    return cfg;
}

void LeerConfiguracion(Configuracion& cfg)
{
    std::string bytes;
    if (!LeerFichero(RutaConfiguracion(), bytes).ok || bytes.size() < TAMANO_REGISTRO) {
        cfg.Estado = -1;
        return;
    }
    cfg = DecodificarConfiguracion(bytes);
    cfg.Estado = 0;
}

void GuardarConfiguracion(Configuracion& cfg)
{
    // Bytes past the record, which a later version may keep there, stay.
    const std::string ruta = RutaConfiguracion();
    std::string bytes;
    LeerFichero(ruta, bytes);
    const std::string registro = CodificarConfiguracion(cfg);
    bytes.replace(0, std::min(bytes.size(), registro.size()), registro);
    cfg.Estado = EscribirFichero(ruta, bytes).ok ? 0 : -1;
}

bool KValida(double K)
{
    // NaN fails both comparisons.
    return K > K_MINIMA && K <= K_MAXIMA;
}

bool ConfiguracionValida(const Configuracion& cfg)
{
    return cfg.Estado != -1 && KValida(cfg.K);
}

std::string TextoInfo(double K)
{
    if (K == K_MAXIMA)
        return "Sin corrección de esfericidad-refracción";
    return "K=" + F2(K);
}
