// Any bytes in config.cvr: the start-up reading takes them or falls back to
// the default, never crashes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/Configuracion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tam)
{
    static const bool preparado = [] {
        char plantilla[] = "/tmp/cv_fuzz_cfg_XXXXXX";
        const char* carpeta = mkdtemp(plantilla);
        if (!carpeta)
            std::abort();
        FijarCarpetaPrograma(carpeta);
        return true;
    }();
    (void)preparado;
    {
        std::ofstream f(RutaConfiguracion(), std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(datos), static_cast<std::streamsize>(tam));
    }
    Configuracion cfg;
    LeerConfiguracion(cfg);
    const bool valida = ConfiguracionValida(cfg);
    if (valida && !(cfg.K > 0.0 && cfg.K <= 0.5))
        std::abort();
    if (!valida)
        cfg.K = 0.08;
    if (TextoInfo(cfg.K).empty())
        std::abort();
    return 0;
}
