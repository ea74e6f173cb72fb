// Build-time helper: puts the default config.cvr (K = 0.08, Estado 0) in the
// run folder given as argument, so the program started from the build does not
// greet a new user with the "missing configuration" message. A config.cvr
// already there, good or bad, is the user's and is left as it is.
#include <cstdio>
#include <filesystem>

#include "core/Configuracion.h"
#include "core/modFuncionesTopo.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: %s <carpeta de ejecución>\n", argv[0]);
        return 2;
    }
    FijarCarpetaPrograma(argv[1]);
    std::error_code error;
    if (std::filesystem::exists(RutaConfiguracion(), error))
        return 0;
    Configuracion cfg{K_POR_DEFECTO, 0};
    GuardarConfiguracion(cfg);
    if (cfg.Estado != 0) {
        std::fprintf(stderr, "No se pudo escribir %s\n", RutaConfiguracion().c_str());
        return 1;
    }
    return 0;
}
