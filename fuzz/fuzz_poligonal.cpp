// Any bytes as a traverse file: the reader either fails with its message or
// gives a traverse that saves and reads back to the same file.
#include <cstdint>
#include <string>

#include "Comprobar.h"
#include "traverse/Poligonal.h"

namespace {

bool ConComillas(const objPto& p)
{
    return p.N.find('"') != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const std::string texto(reinterpret_cast<const char*>(datos), largo);
    const LecturaPol r = LeerPol(texto);
    COMPROBAR(r.ok == r.error.empty());
    if (!r.ok)
        return 0;
    bool comillas = ConComillas(r.BE) || ConComillas(r.BO);
    for (const objEstacion& e : r.estaciones) {
        COMPROBAR(e.colObservaciones.size() == 23);
        comillas = comillas || ConComillas(e.objBE) || ConComillas(e.objBO) || ConComillas(e.objBV);
    }
    if (comillas)
        return 0;
    // Saved once, the file is a fixed point of reading and saving.
    const std::string guardado = EscribirPol(r.BE, r.BO, r.estaciones);
    const LecturaPol otra = LeerPol(guardado);
    COMPROBAR(otra.ok);
    COMPROBAR(EscribirPol(otra.BE, otra.BO, otra.estaciones) == guardado);
    return 0;
}
