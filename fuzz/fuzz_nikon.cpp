// Any bytes as a download read by LeerNikonRaw: every line is either read or listed
// with its reason, and the rows are observation rows that read back the same.
#include <cstdint>
#include <string_view>

#include "Comprobar.h"
#include "exchange/Descargas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const std::string_view texto(reinterpret_cast<const char*>(datos), largo);
    const LecturaDescarga r = LeerNikonRaw(texto);
    long anterior = 0;
    for (const LineaNoLeida& l : r.noLeidas) {
        COMPROBAR(l.linea > anterior && !l.motivo.empty());
        anterior = l.linea;
    }
    COMPROBAR(MensajeNoLeidas(r.noLeidas).empty() == r.noLeidas.empty());
    COMPROBAR((r.acortados.cuantos == 0) == MensajeAcortados(r.acortados).empty());
    ComprobarObservaciones(r.filas);
    return 0;
}
