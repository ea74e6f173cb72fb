// Any bytes as a bases file.
#include <cstdint>
#include <string_view>

#include "Comprobar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const std::string_view texto(reinterpret_cast<const char*>(datos), largo);
    const ResultadoLectura r = LeerBases(texto);
    COMPROBAR(r.filas.size() % 6 == 0);
    COMPROBAR(r.fallo == !r.descripcion.empty());
    bool comillas = false;
    for (size_t i = 0; i < r.filas.size(); i += 6) {
        COMPROBAR(r.filas[i + 1].empty() && r.filas[i + 5].empty());
        for (size_t k = 2; k <= 4; ++k)
            COMPROBAR(!r.filas[i + k].empty());
        comillas = comillas || r.filas[i].find('"') != std::string::npos;
    }
    // A name holding a double quote cannot travel inside quotes; any other
    // list reads back exactly as it was written.
    if (!comillas) {
        const ResultadoLectura otra = LeerBases(EscribirBases(r.filas));
        COMPROBAR(!otra.fallo);
        COMPROBAR(otra.filas == r.filas);
    }
    return 0;
}
