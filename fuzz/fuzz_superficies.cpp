// Any bytes as the parcel window's entries: after a first byte of flags,
// line 1 the vertex list, line 2 the area to cut off, line 3 the side or the
// vertex, then a points file (a bases file when the flags are odd; through a
// vertex when their bit 2 is set). Whatever the entries, the window gets
// either figures or a warning, and a subdivision adds up to the parcel.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "Comprobar.h"
#include "coordinates/ListaPuntos.h"
#include "coordinates/Superficies.h"
#include "core/TextoNumerico.h"

namespace {

std::string_view Linea(std::string_view& t)
{
    const size_t fin = std::min(t.find('\n'), t.size());
    const std::string_view l = t.substr(0, fin);
    t.remove_prefix(std::min(fin + 1, t.size()));
    return l;
}

bool Moderado(const std::vector<objPto>& anillo)
{
    for (const objPto& p : anillo)
        if (!(std::fabs(p.X) < 1e7 && std::fabs(p.Y) < 1e7))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    std::string_view t(reinterpret_cast<const char*>(datos), largo);
    const bool bases = largo > 0 && (datos[0] & 1) != 0;
    EntradaSuperficies e;
    e.modo = largo > 0 && (datos[0] & 2) != 0 ? ModoSegregacion::PorVertice : ModoSegregacion::Paralela;
    t.remove_prefix(std::min<size_t>(1, t.size()));
    e.vertices = std::string(Linea(t));
    e.superficieSegregar = std::string(Linea(t));
    e.lado = e.vertice = std::string(Linea(t));
    e.filasPuntos = LeerFicheroPuntos(t, bases ? "p.bse" : "p.asc").filas;

    const ResultadoSuperficies r = CalcularSuperficies(e);
    COMPROBAR(r.aviso.empty() || r.aviso.back() == '.');
    COMPROBAR(r.ok == !r.textoSuperficie.empty());
    if (!r.ok) {
        COMPROBAR(!r.segregada);
        return 0;
    }
    COMPROBAR(r.parcela.size() >= 3);
    COMPROBAR(std::isfinite(r.superficie) && r.superficie >= 0.0);
    COMPROBAR(r.textoHectareas.find(" ha ") != std::string::npos);
    if (!r.segregada)
        return 0;
    COMPROBAR(!r.textoPuntoA.empty() && !r.textoPuntoB.empty());
    if (Moderado(r.parcela)) {
        const double resto = std::fabs(AreaConSigno(r.parcelaResto));
        const double tolerancia = 0.01 + 1e-9 * r.superficie;
        COMPROBAR(std::fabs(r.superficieSegregada - LeerNumero(e.superficieSegregar)) <= tolerancia);
        COMPROBAR(std::fabs(r.superficieSegregada + resto - r.superficie) <= tolerancia);
    }
    return 0;
}
