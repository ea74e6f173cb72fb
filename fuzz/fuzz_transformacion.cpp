// Any bytes as a file to transform, after a first byte of flags: a bases file
// when it is odd, a points file otherwise. A file transformed reads back with
// as many points, the same names and the same heights.
#include <cstdint>
#include <string_view>

#include "Comprobar.h"
#include "coordinates/Helmert.h"
#include "coordinates/ListaPuntos.h"
#include "core/TextoNumerico.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    if (largo == 0)
        return 0;
    const std::string_view texto(reinterpret_cast<const char*>(datos) + 1, largo - 1);
    const std::string ruta = (datos[0] & 1) != 0 ? "f.bse" : "f.asc";
    TransformacionHelmert t;
    t.a0 = 400000.0, t.a1 = 0.9996, t.a2 = -0.021, t.b0 = 4500000.0, t.b1 = 0.021, t.b2 = 0.9996;
    const FicheroTransformado f = TransformarFichero(t, texto, ruta);
    COMPROBAR(f.ok == f.error.empty());
    if (!f.ok)
        return 0;
    const std::vector<objPto> antes = PuntosDeLista(LeerFicheroPuntos(texto, ruta).filas);
    const ResultadoLectura leida = LeerFicheroPuntos(f.texto, ruta);
    COMPROBAR(!leida.fallo);
    const std::vector<objPto> despues = PuntosDeLista(leida.filas);
    COMPROBAR(static_cast<int>(despues.size()) == f.puntos);
    COMPROBAR(despues.size() == antes.size());
    for (size_t k = 0; k < antes.size(); ++k) {
        // A name holding a double quote cannot travel inside quotes.
        COMPROBAR(despues[k].N == antes[k].N || antes[k].N.find('"') != std::string::npos);
        COMPROBAR(F3(despues[k].Z) == F3(antes[k].Z));
    }
    return 0;
}
