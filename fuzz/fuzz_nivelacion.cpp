// Any bytes as a levelling field book (text file or digital level's GSI) and
// as a network file: every line is either kept or listed with its reason, the
// rows kept pass the field book's checks unchanged and the line computation
// never fails on them.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "Comprobar.h"
#include "core/TextoNumerico.h"
#include "levelling/Nivelacion.h"

namespace {

void ComprobarLibreta(const LecturaNivel& r)
{
    for (size_t i = 1; i < r.noLeidas.size(); ++i)
        COMPROBAR(r.noLeidas[i - 1].linea <= r.noLeidas[i].linea);
    for (const LineaNoLeida& l : r.noLeidas)
        COMPROBAR(l.linea > 0 && !l.motivo.empty());
    COMPROBAR(MensajeNoLeidas(r.noLeidas).empty() == r.noLeidas.empty());
    for (const FilaLibreta& f : r.filas) {
        COMPROBAR(!f.punto.empty());
        COMPROBAR(!f.espalda.empty() || !f.frente.empty());
        for (const std::string* t : {&f.espalda, &f.frente, &f.distancia})
            COMPROBAR(t->empty() || (EsNumero(*t) && std::isfinite(LeerNumero(*t))));
    }
    // What was kept is a whole field book: checked again, nothing goes.
    std::vector<FilaLibreta> otra = r.filas;
    std::vector<LineaNoLeida> malas;
    RevisarLibreta(otra, malas);
    COMPROBAR(malas.empty() && otra.size() == r.filas.size());
    OpcionesLinea o;
    o.conCotaFinal = true;
    const ResultadoLinea linea = CalcularLinea(r.filas, o);
    COMPROBAR(linea.malas.empty());
    COMPROBAR(linea.ok || !linea.error.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const std::string_view texto(reinterpret_cast<const char*>(datos), largo);
    ComprobarLibreta(LeerLibretaNivel(texto));
    ComprobarLibreta(LeerLibretaNivelGsi(texto));
    const LecturaRed red = LeerRed(texto);
    for (const TramoRed& t : red.tramos)
        COMPROBAR(t.longitud > 0.0 && t.desde != t.hasta && std::isfinite(t.desnivel));
    return 0;
}
