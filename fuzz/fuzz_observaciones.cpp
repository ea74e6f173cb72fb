// Any bytes as an observation file.
#include <cstdint>
#include <string_view>

#include "Comprobar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const std::string_view texto(reinterpret_cast<const char*>(datos), largo);
    const ResultadoLectura r = LeerObservaciones(texto);
    COMPROBAR(r.fallo == !r.descripcion.empty());
    for (const auto& f : r.filas) {
        COMPROBAR(Palabras(f) == 5);
        COMPROBAR(SinVacias(f));
    }
    // The rows written back one observation a line read as the same rows.
    const ResultadoLectura otra = LeerObservaciones(ComoObservaciones(r.filas));
    COMPROBAR(!otra.fallo);
    COMPROBAR(otra.filas == r.filas);
    return 0;
}
