#include "drawings/Perfil.h"

#include <cmath>

#include "core/TextoNumerico.h"

PerfilCatenaria LeerProyeccion(const std::vector<std::string>& filas)
{
    PerfilCatenaria p;
    for (size_t i = 0; i < filas.size(); ++i) {
        const std::string& f = filas[i];
        if (f == "[Parámetro]") {
            if (i + 1 < filas.size() && EsNumero(filas[i + 1])) {
                p.parametro = LeerNumero(filas[i + 1]);
                p.ajustado = p.parametro > 0.0 && std::isfinite(p.parametro);
            }
            break;
        }
        const size_t coma = f.find(',');
        if (coma == std::string::npos)
            continue;
        const std::string d = f.substr(0, coma), h = f.substr(coma + 1);
        if (EsNumero(d) && EsNumero(h))
            p.puntos.push_back({LeerDecimal(d), LeerDecimal(h)});
    }
    return p;
}

double AlturaCuerda(const PerfilCatenaria& p, double d)
{
    const PuntoPerfil &a = p.Anclaje1(), &b = p.Anclaje2();
    if (b.d == a.d)
        return a.h;
    return a.h + (b.h - a.h) * (d - a.d) / (b.d - a.d);
}

double AlturaParabola(const PerfilCatenaria& p, double d)
{
    // Through both anchors with parameter p: the chord less u (L - u) / 2p.
    const double u = d - p.Anclaje1().d, L = p.Anclaje2().d - p.Anclaje1().d;
    return AlturaCuerda(p, d) - u * (L - u) / (2.0 * p.parametro);
}

std::vector<PuntoPerfil> CurvaAjustada(const PerfilCatenaria& p, int tramos)
{
    std::vector<PuntoPerfil> r;
    if (!p.Valido() || !p.ajustado || tramos < 1 || p.Anclaje2().d == p.Anclaje1().d)
        return r;
    const double d0 = p.Anclaje1().d, L = p.Anclaje2().d - d0;
    for (int k = 0; k <= tramos; ++k) {
        const double d = d0 + L * k / tramos;
        r.push_back({d, AlturaParabola(p, d)});
    }
    return r;
}

Holgura HolguraMaxima(const PerfilCatenaria& p)
{
    Holgura h;
    if (!p.Valido())
        return h;
    const double L = p.Anclaje2().d - p.Anclaje1().d;
    if (p.ajustado && L != 0.0) {
        h.valida = true;
        h.d = p.Anclaje1().d + L / 2.0;
        h.valor = L * L / (8.0 * p.parametro);
        return h;
    }
    for (size_t i = 1; i + 1 < p.puntos.size(); ++i) {
        const double v = AlturaCuerda(p, p.puntos[i].d) - p.puntos[i].h;
        if (!h.valida || v > h.valor)
            h = {true, p.puntos[i].d, v};
    }
    return h;
}
