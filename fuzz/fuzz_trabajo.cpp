// Any bytes as a recovery file: read or refused, never a crash, and a job that
// was read writes back to a text that reads to the same job.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/Trabajo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tam)
{
    Trabajo t;
    if (!LeerTrabajo(std::string_view(reinterpret_cast<const char*>(datos), tam), t)) {
        if (!t.Vacio())
            std::abort();
        return 0;
    }
    const std::string texto = EscribirTrabajo(t);
    Trabajo otra;
    if (!LeerTrabajo(texto, otra) || EscribirTrabajo(otra) != texto)
        std::abort();
    return 0;
}
