// Any bytes as the terrain window's entries: after a first byte of flags, a
// points file (a bases file when the flags are odd) up to the first "#", then
// the break lines. The break lines name only points of the list; the
// surface, when there is one, has every break line as edges, and it goes to
// LandXML and back unchanged. The same bytes are read as LandXML too.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "Comprobar.h"
#include "coordinates/ListaPuntos.h"
#include "terrain/Terreno.h"

namespace {

void ComprobarLandXml(const LecturaLandXml& l)
{
    COMPROBAR(l.error.empty() || l.error.back() == '.');
    if (!l.error.empty())
        return;
    for (const auto& t : l.superficie.triangulos)
        for (int v : t)
            COMPROBAR(v >= 0 && static_cast<size_t>(v) < l.superficie.puntos.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    std::string_view t(reinterpret_cast<const char*>(datos), largo);
    ComprobarLandXml(LeerLandXml(t));
    const bool bases = largo > 0 && (datos[0] & 1) != 0;
    t.remove_prefix(std::min<size_t>(1, t.size()));
    const size_t almohadilla = std::min(t.find('#'), t.size());
    const std::vector<objPto> puntos =
        PuntosDeLista(LeerFicheroPuntos(t.substr(0, almohadilla), bases ? "p.bse" : "p.asc").filas);
    const std::string_view texto = t.substr(std::min(almohadilla + 1, t.size()));

    const LineasRotura l = LeerLineasRotura(texto, puntos);
    for (const std::string& e : l.errores)
        COMPROBAR(e.rfind("Línea de rotura ", 0) == 0 && e.back() == '.');
    for (const auto& linea : l.lineas) {
        COMPROBAR(linea.size() >= 2);
        for (size_t k = 0; k < linea.size(); ++k) {
            COMPROBAR(linea[k] >= 0 && static_cast<size_t>(linea[k]) < puntos.size());
            COMPROBAR(k == 0 || linea[k] != linea[k - 1]);
        }
    }
    if (puntos.size() > 3000)
        return 0;

    const Triangulacion r = Triangular(puntos, l.lineas);
    COMPROBAR(r.error.empty() || r.error.back() == '.');
    if (!r.Valida())
        return 0;
    const Superficie& s = r.superficie;
    COMPROBAR(s.puntos.size() + r.coincidentes.size() == puntos.size());
    COMPROBAR(r.avisos.size() == r.coincidentes.size());
    std::set<std::pair<int, int>> aristas;
    for (const auto& tri : s.triangulos)
        for (size_t k = 0; k < 3; ++k) {
            COMPROBAR(tri[k] >= 0 && static_cast<size_t>(tri[k]) < s.puntos.size());
            aristas.insert(std::minmax(tri[k], tri[(k + 1) % 3]));
        }
    // A break line between two kept points is an edge, or runs through other
    // points on its way.
    std::vector<int> nuevo(puntos.size(), -1);
    for (size_t i = 0; i < r.origen.size(); ++i)
        nuevo[static_cast<size_t>(r.origen[i])] = static_cast<int>(i);
    for (const auto& linea : l.lineas)
        for (size_t k = 1; k < linea.size(); ++k) {
            const int a = nuevo[static_cast<size_t>(linea[k - 1])];
            const int b = nuevo[static_cast<size_t>(linea[k])];
            if (a < 0 || b < 0)
                continue;
            bool conPunto = false;
            for (const objPto& p : s.puntos) {
                const objPto& pa = s.puntos[static_cast<size_t>(a)];
                const objPto& pb = s.puntos[static_cast<size_t>(b)];
                const double cruz = (p.X - pa.X) * (pb.Y - pa.Y) - (p.Y - pa.Y) * (pb.X - pa.X);
                const double escala = std::hypot(pb.X - pa.X, pb.Y - pa.Y) * std::hypot(p.X - pa.X, p.Y - pa.Y);
                conPunto = conPunto || (std::fabs(cruz) <= 1e-9 * escala && &p != &pa && &p != &pb);
            }
            COMPROBAR(conPunto || aristas.count(std::minmax(a, b)) == 1);
        }

    const double desnivel = s.cotaMaxima - s.cotaMinima;
    if (std::isfinite(desnivel)) {
        const Curvas c = CurvasDeNivel(s, std::max(1.0, desnivel / 200), 5);
        COMPROBAR(c.error.empty() || c.error.back() == '.');
        for (const Curva& curva : c.curvas)
            COMPROBAR(curva.puntos.size() >= (curva.cerrada ? 3u : 2u));
    }
    const LecturaLandXml x = LeerLandXml(EscribirLandXml(s, "s", "2026-01-01", "00:00:00"));
    ComprobarLandXml(x);
    COMPROBAR(x.error.empty());
    COMPROBAR(x.superficie.triangulos == s.triangulos);
    COMPROBAR(x.superficie.puntos.size() == s.puntos.size());
    for (size_t i = 0; i < s.puntos.size(); ++i)
        COMPROBAR(x.superficie.puntos[i].X == s.puntos[i].X && x.superficie.puntos[i].Y == s.puntos[i].Y &&
                  x.superficie.puntos[i].Z == s.puntos[i].Z);
    return 0;
}
