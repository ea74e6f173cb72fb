// Break lines read from the window's text, contour lines and earthwork
// volumes over a triangulated surface.
#include "terrain/Terreno.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <utility>

#include "core/TextoNumerico.h"

// ------------------------------------------------------------ break lines

namespace {

std::string_view SinBlancos(std::string_view t)
{
    const size_t a = t.find_first_not_of(" \t");
    if (a == std::string_view::npos)
        return {};
    return t.substr(a, t.find_last_not_of(" \t") - a + 1);
}

} // namespace

LineasRotura LeerLineasRotura(std::string_view texto, const std::vector<objPto>& puntos)
{
    LineasRotura r;
    std::unordered_map<std::string_view, int> porNombre;
    porNombre.reserve(puntos.size());
    for (size_t i = 0; i < puntos.size(); ++i)
        porNombre.emplace(puntos[i].N, static_cast<int>(i));
    std::map<double, int> porNumero; // made the first time a name is not found
    bool numerosHechos = false;

    size_t numeroLinea = 0;
    for (size_t pos = 0; pos <= texto.size();) {
        size_t fin = texto.find_first_of("\r\n", pos);
        if (fin == std::string_view::npos)
            fin = texto.size();
        const std::string_view linea = texto.substr(pos, fin - pos);
        pos = fin + (texto.compare(fin, 2, "\r\n") == 0 ? 2 : 1);
        if (SinBlancos(linea).empty())
            continue;
        ++numeroLinea;
        const std::string prefijo = "Línea de rotura " + std::to_string(numeroLinea) + ": ";
        std::vector<int> vertices;
        bool completa = true;
        for (size_t c = 0; c <= linea.size();) {
            size_t coma = linea.find(',', c);
            if (coma == std::string_view::npos)
                coma = linea.size();
            const std::string_view campo = SinBlancos(linea.substr(c, coma - c));
            c = coma + 1;
            if (campo.empty())
                continue;
            int indice = -1;
            if (const auto e = porNombre.find(campo); e != porNombre.end()) {
                indice = e->second;
            } else if (const std::string nombre(campo); EsNumero(nombre)) {
                if (!numerosHechos) {
                    for (size_t i = 0; i < puntos.size(); ++i)
                        if (EsNumero(puntos[i].N))
                            porNumero.emplace(LeerNumero(puntos[i].N), static_cast<int>(i));
                    numerosHechos = true;
                }
                if (const auto e = porNumero.find(LeerNumero(nombre)); e != porNumero.end())
                    indice = e->second;
            }
            if (indice < 0) {
                r.errores.push_back(prefijo + "no hay ningún punto " + std::string(campo) + ".");
                completa = false;
            } else if (vertices.empty() || vertices.back() != indice) {
                vertices.push_back(indice);
            }
        }
        if (!completa)
            continue;
        if (vertices.size() < 2) {
            r.errores.push_back(prefijo + "hacen falta al menos dos puntos.");
            continue;
        }
        r.lineas.push_back(std::move(vertices));
    }
    return r;
}

// ------------------------------------------------------------ contours

namespace {

constexpr size_t CADA = 4096; // items between two calls of the progress function
constexpr long MAX_NIVELES = 100000;
constexpr size_t MAX_TRAMOS = 20000000; // about 1 GB of contour pieces

uint64_t Arista(int a, int b)
{
    const auto u = static_cast<uint64_t>(std::min(a, b));
    const auto w = static_cast<uint64_t>(std::max(a, b));
    return (u << 32) | w;
}

// A piece of contour across one triangle, from the edge it enters by to the
// edge it leaves by.
struct Tramo {
    long nivel = 0;
    uint64_t entra = 0;
    uint64_t sale = 0;
    std::array<double, 2> pEntra{};
    std::array<double, 2> pSale{};
};

// Where the level crosses the edge between a and b. The point is worked out
// the same way from both triangles of the edge, and a vertex at the level is
// the crossing itself.
std::array<double, 2> Cruce(const objPto& a, int ia, const objPto& b, int ib, double h)
{
    const objPto& u = ia < ib ? a : b;
    const objPto& w = ia < ib ? b : a;
    if (u.Z == h)
        return {u.X, u.Y};
    if (w.Z == h)
        return {w.X, w.Y};
    const double t = (h - u.Z) / (w.Z - u.Z);
    return {u.X + t * (w.X - u.X), u.Y + t * (w.Y - u.Y)};
}

} // namespace

Curvas CurvasDeNivel(const Superficie& s, double equidistancia, int maestras, const ProgresoTerreno& progreso)
{
    Curvas r;
    if (!std::isfinite(equidistancia) || equidistancia <= 0.0) {
        r.error = "La equidistancia ha de ser mayor que cero.";
        return r;
    }
    if (maestras < 1) {
        r.error = "Las curvas maestras han de venir cada una curva o más.";
        return r;
    }
    if (s.triangulos.empty())
        return r;
    if ((s.cotaMaxima - s.cotaMinima) / equidistancia > static_cast<double>(MAX_NIVELES)) {
        r.error = "La equidistancia es demasiado pequeña para el desnivel del terreno.";
        return r;
    }
    const auto seguir = [&progreso, &r](double f) {
        if (progreso && !progreso(f))
            r.cancelada = true;
        return !r.cancelada;
    };

    std::vector<Tramo> tramos;
    const size_t nt = s.triangulos.size();
    for (size_t t = 0; t < nt; ++t) {
        if (t % CADA == 0 && !seguir(0.6 * static_cast<double>(t) / static_cast<double>(nt)))
            return {{}, {}, true};
        std::array<int, 3> v = s.triangulos[t];
        const objPto* p[3] = {&s.puntos[static_cast<size_t>(v[0])], &s.puntos[static_cast<size_t>(v[1])],
                              &s.puntos[static_cast<size_t>(v[2])]};
        // Triangles read from elsewhere may turn clockwise: each is walked
        // counter-clockwise so that the pieces chain up.
        if ((p[1]->X - p[0]->X) * (p[2]->Y - p[0]->Y) - (p[2]->X - p[0]->X) * (p[1]->Y - p[0]->Y) < 0) {
            std::swap(v[1], v[2]);
            std::swap(p[1], p[2]);
        }
        const double zlo = std::min({p[0]->Z, p[1]->Z, p[2]->Z});
        const double zhi = std::max({p[0]->Z, p[1]->Z, p[2]->Z});
        // The levels h with some vertex below (z < h) and some at or above.
        auto k = static_cast<long>(std::floor(zlo / equidistancia)) + 1;
        while (static_cast<double>(k - 1) * equidistancia > zlo)
            --k;
        while (static_cast<double>(k) * equidistancia <= zlo)
            ++k;
        for (;; ++k) {
            const double h = static_cast<double>(k) * equidistancia;
            if (h > zhi)
                break;
            Tramo tr;
            tr.nivel = k;
            for (int e = 0; e < 3; ++e) {
                const objPto& a = *p[e];
                const objPto& b = *p[(e + 1) % 3];
                const bool arribaA = a.Z >= h;
                const bool arribaB = b.Z >= h;
                if (arribaA && !arribaB) {
                    tr.entra = Arista(v[e], v[(e + 1) % 3]);
                    tr.pEntra = Cruce(a, v[e], b, v[(e + 1) % 3], h);
                } else if (!arribaA && arribaB) {
                    tr.sale = Arista(v[e], v[(e + 1) % 3]);
                    tr.pSale = Cruce(a, v[e], b, v[(e + 1) % 3], h);
                }
            }
            tramos.push_back(tr);
        }
        if (tramos.size() > MAX_TRAMOS) {
            r.error = "Salen demasiadas curvas: aumente la equidistancia.";
            return r;
        }
    }
    if (!seguir(0.6))
        return {{}, {}, true};

    // Each edge is entered from one side and left from the other at most
    // once a level: the pieces chain up by their edges.
    const auto porEntrada = [](const Tramo& a, const Tramo& b) {
        return a.nivel != b.nivel ? a.nivel < b.nivel : a.entra < b.entra;
    };
    std::sort(tramos.begin(), tramos.end(), porEntrada);
    std::vector<std::pair<long, uint64_t>> salidas;
    salidas.reserve(tramos.size());
    for (const Tramo& t : tramos)
        salidas.emplace_back(t.nivel, t.sale);
    std::sort(salidas.begin(), salidas.end());
    const auto siguiente = [&tramos, &porEntrada](long nivel, uint64_t arista) -> long {
        Tramo clave;
        clave.nivel = nivel;
        clave.entra = arista;
        const auto e = std::lower_bound(tramos.begin(), tramos.end(), clave, porEntrada);
        return e != tramos.end() && e->nivel == nivel && e->entra == arista ? e - tramos.begin() : -1;
    };

    std::vector<char> usado(tramos.size(), 0);
    const auto cadena = [&](size_t primero, bool cerrada) {
        Curva c;
        c.cota = static_cast<double>(tramos[primero].nivel) * equidistancia;
        c.maestra = tramos[primero].nivel % maestras == 0;
        c.puntos.push_back(tramos[primero].pEntra);
        for (long i = static_cast<long>(primero); i >= 0 && !usado[static_cast<size_t>(i)];) {
            const Tramo& t = tramos[static_cast<size_t>(i)];
            usado[static_cast<size_t>(i)] = 1;
            if (t.pSale != c.puntos.back()) // a vertex at the level is passed once
                c.puntos.push_back(t.pSale);
            i = siguiente(t.nivel, t.sale);
        }
        if (cerrada && c.puntos.size() > 1 && c.puntos.back() == c.puntos.front())
            c.puntos.pop_back();
        c.cerrada = cerrada && c.puntos.size() >= 3;
        // A loop shrunk to a line there and back, where the ground touches the
        // level along an edge, is drawn once.
        if (cerrada && c.puntos.size() == 2)
            c.cerrada = false;
        if (c.puntos.size() >= 2)
            r.curvas.push_back(std::move(c));
    };
    for (size_t i = 0; i < tramos.size(); ++i) {
        if (i % CADA == 0 && !seguir(0.6 + 0.2 * static_cast<double>(i) / static_cast<double>(tramos.size())))
            return {{}, {}, true};
        const std::pair<long, uint64_t> antes(tramos[i].nivel, tramos[i].entra);
        if (!std::binary_search(salidas.begin(), salidas.end(), antes))
            cadena(i, false);
    }
    for (size_t i = 0; i < tramos.size(); ++i) {
        if (i % CADA == 0 && !seguir(0.8 + 0.2 * static_cast<double>(i) / static_cast<double>(tramos.size())))
            return {{}, {}, true};
        if (!usado[i])
            cadena(i, true);
    }
    std::stable_sort(r.curvas.begin(), r.curvas.end(), [](const Curva& a, const Curva& b) { return a.cota < b.cota; });
    return r;
}

std::vector<std::array<int, 2>> Aristas(const Superficie& s)
{
    std::vector<std::array<int, 2>> a;
    a.reserve(3 * s.triangulos.size());
    for (const auto& t : s.triangulos)
        for (size_t k = 0; k < 3; ++k)
            a.push_back({std::min(t[k], t[(k + 1) % 3]), std::max(t[k], t[(k + 1) % 3])});
    std::sort(a.begin(), a.end());
    a.erase(std::unique(a.begin(), a.end()), a.end());
    return a;
}

std::vector<Rotulo> RotulosCurvas(const std::vector<Curva>& curvas, double separacion, int decimales)
{
    std::vector<Rotulo> r;
    if (!(separacion > 0.0))
        return r;
    for (const Curva& c : curvas) {
        const size_t n = c.puntos.size();
        const size_t lados = c.cerrada ? n : n - 1;
        double siguiente = separacion / 2; // along the line from its start
        double recorrido = 0.0;
        for (size_t k = 0; k < lados && n >= 2; ++k) {
            const auto& a = c.puntos[k];
            const auto& b = c.puntos[(k + 1) % n];
            const double largo = std::hypot(b[0] - a[0], b[1] - a[1]);
            for (; siguiente <= recorrido + largo && largo > 0.0; siguiente += separacion) {
                const double t = (siguiente - recorrido) / largo;
                Rotulo e;
                e.x = a[0] + t * (b[0] - a[0]);
                e.y = a[1] + t * (b[1] - a[1]);
                e.angulo = std::atan2(b[1] - a[1], b[0] - a[0]);
                if (e.angulo > M_PI / 2)
                    e.angulo -= M_PI;
                else if (e.angulo < -M_PI / 2)
                    e.angulo += M_PI;
                e.texto = Formatear(c.cota, decimales);
                e.maestra = c.maestra;
                r.push_back(std::move(e));
            }
            recorrido += largo;
        }
    }
    return r;
}

// ------------------------------------------------------------ volumes

namespace {

// A vertex of a piece of plan: local coordinates and the height difference.
struct Vp {
    double x = 0.0;
    double y = 0.0;
    double d = 0.0;
};
// A triangle clipped by three lines and a plane has at most seven vertices;
// the room to spare keeps rounding from writing past the end.
struct Poligono {
    std::array<Vp, 16> v{};
    int n = 0;
};

// Keeps the part where f(vertex) >= 0, f linear on the polygon.
template <class F> Poligono Recortar(const Poligono& p, F f)
{
    Poligono r;
    for (int i = 0; i < p.n && r.n + 2 <= static_cast<int>(r.v.size()); ++i) {
        const Vp& a = p.v[static_cast<size_t>(i)];
        const Vp& b = p.v[static_cast<size_t>((i + 1) % p.n)];
        const double fa = f(a);
        const double fb = f(b);
        if (fa >= 0.0)
            r.v[static_cast<size_t>(r.n++)] = a;
        if ((fa >= 0.0) != (fb >= 0.0)) {
            const double t = fa / (fa - fb);
            r.v[static_cast<size_t>(r.n++)] = {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.d + t * (b.d - a.d)};
        }
    }
    return r;
}

// The area of the polygon and the integral of d over it (fan of triangles,
// d linear on each).
std::pair<double, double> Integrar(const Poligono& p)
{
    double area = 0.0;
    double volumen = 0.0;
    for (int i = 1; i + 1 < p.n; ++i) {
        const Vp& a = p.v[0];
        const Vp& b = p.v[static_cast<size_t>(i)];
        const Vp& c = p.v[static_cast<size_t>(i) + 1];
        const double at = 0.5 * ((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
        area += at;
        volumen += at * (a.d + b.d + c.d) / 3.0;
    }
    return {area, volumen};
}

// Adds the piece: above the reference to the cut, below to the fill.
void Sumar(const Poligono& p, Volumenes& v)
{
    v.superficieComun += Integrar(p).first;
    const auto [aDesmonte, vDesmonte] = Integrar(Recortar(p, [](const Vp& q) { return q.d; }));
    const auto [aTerraplen, vTerraplen] = Integrar(Recortar(p, [](const Vp& q) { return -q.d; }));
    if (vDesmonte > 0.0) {
        v.desmonte += vDesmonte;
        v.superficieDesmonte += aDesmonte;
    }
    if (vTerraplen < 0.0) {
        v.terraplen -= vTerraplen;
        v.superficieTerraplen += aTerraplen;
    }
}

Volumenes Cancelados()
{
    Volumenes v;
    v.cancelada = true;
    return v;
}

// A triangle of a surface in local plan coordinates, with its heights.
struct Tri {
    std::array<double, 3> x{};
    std::array<double, 3> y{};
    std::array<double, 3> z{};
    double area2 = 0.0; // twice the area, positive counter-clockwise

    // The surface's height at a point of the plan (the triangle's plane).
    double Cota(double px, double py) const
    {
        const double l1 = ((x[1] - px) * (y[2] - py) - (x[2] - px) * (y[1] - py)) / area2;
        const double l2 = ((x[2] - px) * (y[0] - py) - (x[0] - px) * (y[2] - py)) / area2;
        return l1 * z[0] + l2 * z[1] + (1.0 - l1 - l2) * z[2];
    }
};

Tri Triangulo(const Superficie& s, size_t t, double x0, double y0)
{
    Tri r;
    for (size_t k = 0; k < 3; ++k) {
        const objPto& p = s.puntos[static_cast<size_t>(s.triangulos[t][k])];
        r.x[k] = p.X - x0;
        r.y[k] = p.Y - y0;
        r.z[k] = p.Z;
    }
    r.area2 = (r.x[1] - r.x[0]) * (r.y[2] - r.y[0]) - (r.x[2] - r.x[0]) * (r.y[1] - r.y[0]);
    if (r.area2 < 0.0) { // a triangle read from elsewhere may turn clockwise
        std::swap(r.x[1], r.x[2]);
        std::swap(r.y[1], r.y[2]);
        std::swap(r.z[1], r.z[2]);
        r.area2 = -r.area2;
    }
    return r;
}

} // namespace

Volumenes VolumenRespectoPlano(const Superficie& s, double cota, const ProgresoTerreno& progreso)
{
    Volumenes v;
    const size_t nt = s.triangulos.size();
    if (nt == 0)
        return v;
    const double x0 = s.puntos.front().X;
    const double y0 = s.puntos.front().Y;
    for (size_t t = 0; t < nt; ++t) {
        if (t % CADA == 0 && progreso && !progreso(static_cast<double>(t) / static_cast<double>(nt)))
            return Cancelados();
        const Tri tri = Triangulo(s, t, x0, y0);
        Poligono p;
        p.n = 3;
        for (size_t k = 0; k < 3; ++k)
            p.v[k] = {tri.x[k], tri.y[k], tri.z[k] - cota};
        Sumar(p, v);
    }
    v.superficieAfectada = v.superficieDesmonte + v.superficieTerraplen;
    return v;
}

Volumenes VolumenEntreSuperficies(const Superficie& terreno, const Superficie& referencia,
                                  const ProgresoTerreno& progreso)
{
    Volumenes v;
    const Superficie& a = terreno;
    const Superficie& b = referencia;
    if (a.triangulos.empty() || b.triangulos.empty())
        return v;
    const double x0 = a.puntos.front().X;
    const double y0 = a.puntos.front().Y;

    // The reference's triangles filed in a grid of about one triangle a cell,
    // each in every cell its bounding box touches.
    std::vector<Tri> tb(b.triangulos.size());
    double xmin = HUGE_VAL, ymin = HUGE_VAL, xmax = -HUGE_VAL, ymax = -HUGE_VAL;
    for (size_t t = 0; t < tb.size(); ++t) {
        tb[t] = Triangulo(b, t, x0, y0);
        for (size_t k = 0; k < 3; ++k) {
            xmin = std::min(xmin, tb[t].x[k]);
            xmax = std::max(xmax, tb[t].x[k]);
            ymin = std::min(ymin, tb[t].y[k]);
            ymax = std::max(ymax, tb[t].y[k]);
        }
    }
    const double lado =
        std::max(std::sqrt((xmax - xmin) * (ymax - ymin) / static_cast<double>(tb.size())), 1e-9);
    const long nx = std::min(static_cast<long>((xmax - xmin) / lado) + 1, 4096L);
    const long ny = std::min(static_cast<long>((ymax - ymin) / lado) + 1, 4096L);
    const double cx = (xmax - xmin) / static_cast<double>(nx) + 1e-12;
    const double cy = (ymax - ymin) / static_cast<double>(ny) + 1e-12;
    const auto celda = [&](double c, double origen, double paso, long n) {
        return std::clamp(static_cast<long>(std::floor((c - origen) / paso)), 0L, n - 1);
    };
    struct Caja {
        long i0, i1, j0, j1;
    };
    const auto caja = [&](const Tri& t) {
        return Caja{celda(*std::min_element(t.x.begin(), t.x.end()), xmin, cx, nx),
                    celda(*std::max_element(t.x.begin(), t.x.end()), xmin, cx, nx),
                    celda(*std::min_element(t.y.begin(), t.y.end()), ymin, cy, ny),
                    celda(*std::max_element(t.y.begin(), t.y.end()), ymin, cy, ny)};
    };
    std::vector<size_t> inicio(static_cast<size_t>(nx * ny) + 1, 0);
    for (const Tri& t : tb) {
        const Caja c = caja(t);
        for (long j = c.j0; j <= c.j1; ++j)
            for (long i = c.i0; i <= c.i1; ++i)
                ++inicio[static_cast<size_t>(j * nx + i) + 1];
    }
    for (size_t k = 1; k < inicio.size(); ++k)
        inicio[k] += inicio[k - 1];
    std::vector<int> lista(inicio.back());
    {
        std::vector<size_t> lleno(inicio.begin(), inicio.end() - 1);
        for (size_t t = 0; t < tb.size(); ++t) {
            const Caja c = caja(tb[t]);
            for (long j = c.j0; j <= c.j1; ++j)
                for (long i = c.i0; i <= c.i1; ++i)
                    lista[lleno[static_cast<size_t>(j * nx + i)]++] = static_cast<int>(t);
        }
    }

    std::vector<size_t> visto(tb.size(), SIZE_MAX);
    const size_t nt = a.triangulos.size();
    for (size_t t = 0; t < nt; ++t) {
        if (t % CADA == 0 && progreso && !progreso(static_cast<double>(t) / static_cast<double>(nt)))
            return Cancelados();
        const Tri ta = Triangulo(a, t, x0, y0);
        if (ta.area2 <= 0.0)
            continue;
        const double axmin = *std::min_element(ta.x.begin(), ta.x.end());
        const double axmax = *std::max_element(ta.x.begin(), ta.x.end());
        const double aymin = *std::min_element(ta.y.begin(), ta.y.end());
        const double aymax = *std::max_element(ta.y.begin(), ta.y.end());
        if (axmax < xmin || axmin > xmax || aymax < ymin || aymin > ymax)
            continue;
        const Caja c = caja(ta);
        for (long j = c.j0; j <= c.j1; ++j) {
            for (long i = c.i0; i <= c.i1; ++i) {
                const auto k = static_cast<size_t>(j * nx + i);
                for (size_t e = inicio[k]; e < inicio[k + 1]; ++e) {
                    const auto u = static_cast<size_t>(lista[e]);
                    if (visto[u] == t)
                        continue;
                    visto[u] = t;
                    const Tri& o = tb[u];
                    if (o.area2 <= 0.0)
                        continue;
                    Poligono p;
                    p.n = 3;
                    for (size_t q = 0; q < 3; ++q)
                        p.v[q] = {ta.x[q], ta.y[q], 0.0};
                    for (size_t q = 0; q < 3 && p.n >= 3; ++q) {
                        const double xa = o.x[q], ya = o.y[q];
                        const double dx = o.x[(q + 1) % 3] - xa, dy = o.y[(q + 1) % 3] - ya;
                        p = Recortar(p, [=](const Vp& w) { return dx * (w.y - ya) - dy * (w.x - xa); });
                    }
                    if (p.n < 3)
                        continue;
                    for (int q = 0; q < p.n; ++q) {
                        Vp& w = p.v[static_cast<size_t>(q)];
                        w.d = ta.Cota(w.x, w.y) - o.Cota(w.x, w.y);
                    }
                    Sumar(p, v);
                }
            }
        }
    }
    v.superficieAfectada = v.superficieDesmonte + v.superficieTerraplen;
    return v;
}
