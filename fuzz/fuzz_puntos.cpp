// Any bytes as a points file.
#include <cstdint>
#include <string_view>

#include "Comprobar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const std::string_view texto(reinterpret_cast<const char*>(datos), largo);
    const ResultadoLectura r = LeerPuntos(texto);
    COMPROBAR(r.fallo == !r.descripcion.empty());
    for (const auto& f : r.filas) {
        COMPROBAR(Palabras(f) == 4);
        COMPROBAR(SinVacias(f));
    }
    // Exported and opened again, the rows come back unchanged.
    const ResultadoLectura otra = LeerPuntos(EscribirPuntos(r.filas));
    COMPROBAR(!otra.fallo);
    COMPROBAR(otra.filas == r.filas);
    return 0;
}
