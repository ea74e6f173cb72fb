// Any bytes as an observation file.
#include <cstdint>
#include <string_view>

#include "Comprobar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const std::string_view texto(reinterpret_cast<const char*>(datos), largo);
    const ResultadoLectura r = LeerObservaciones(texto);
    COMPROBAR(r.fallo == !r.descripcion.empty());
    ComprobarObservaciones(r.filas);
    return 0;
}
