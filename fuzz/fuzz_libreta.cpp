// Any bytes as a data-collector traverse, RW5 and GSI: either stations for
// the sheet, each named and chained on the one before, or a reason; every
// note is a sentence.
#include <cstdint>
#include <string_view>

#include "Comprobar.h"
#include "exchange/Libreta.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const std::string_view texto(reinterpret_cast<const char*>(datos), largo);
    for (const char* nombre : {"libreta.rw5", "libreta.gsi"}) {
        const LecturaLibreta r = LeerLibreta(nombre, texto);
        COMPROBAR(r.ok == !r.estaciones.empty());
        COMPROBAR(r.ok == r.error.empty());
        COMPROBAR(r.estaciones.size() <= MAX_ESTACIONES);
        if (r.ok)
            COMPROBAR(r.BE.N == r.estaciones.front().objBE.N && r.BO.N == r.estaciones.front().objBO.N);
        for (const std::string& s : r.sinCabida)
            COMPROBAR(!s.empty() && s.back() == '.');
        COMPROBAR(MensajeSinCabida(r.sinCabida).empty() == r.sinCabida.empty());
    }
    return 0;
}
