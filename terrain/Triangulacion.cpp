// The triangulation itself: the only file that includes CGAL, whose headers
// are heavy; the rest of the terrain code sees plain vectors.
#include <CGAL/Constrained_Delaunay_triangulation_2.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Spatial_sort_traits_adapter_2.h>
#include <CGAL/Triangulation_vertex_base_with_info_2.h>
#include <CGAL/property_map.h>
#include <CGAL/spatial_sort.h>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "terrain/Terreno.h"

namespace {

using K = CGAL::Exact_predicates_inexact_constructions_kernel;
using Vb = CGAL::Triangulation_vertex_base_with_info_2<int, K>;
using Fb = CGAL::Constrained_triangulation_face_base_2<K>;
using Tds = CGAL::Triangulation_data_structure_2<Vb, Fb>;
// Break lines may meet at points of the survey but never cross where a new
// point would have to be made up.
using Cdt = CGAL::Constrained_Delaunay_triangulation_2<K, Tds, CGAL::No_constraint_intersection_requiring_constructions_tag>;
using Punto = K::Point_2;
using Vertice = Cdt::Vertex_handle;

constexpr size_t CADA = 4096; // items between two calls of the progress function

// The point kept in place of a point left out: the chain of replacements
// always leads to an earlier point.
int Conservado(const std::vector<int>& sustituto, int i)
{
    while (sustituto[static_cast<size_t>(i)] >= 0)
        i = sustituto[static_cast<size_t>(i)];
    return i;
}

Triangulacion Cancelada()
{
    Triangulacion t;
    t.cancelada = true;
    return t;
}

std::string Nombre(const objPto& p, int i)
{
    return p.N.empty() ? "nº " + std::to_string(i + 1) : p.N;
}

} // namespace

Triangulacion Triangular(const std::vector<objPto>& puntos, const std::vector<std::vector<int>>& lineasRotura,
                         const ProgresoTerreno& progreso)
{
    Triangulacion r;
    const size_t n = puntos.size();
    if (n < 3) {
        r.error = "Hacen falta al menos tres puntos.";
        return r;
    }
    std::vector<Punto> plano;
    plano.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const objPto& p = puntos[i];
        if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !std::isfinite(p.Z)) {
            r.error = "El punto " + Nombre(p, static_cast<int>(i)) + " no tiene coordenadas válidas.";
            return r;
        }
        plano.emplace_back(p.X, p.Y);
    }
    const auto seguir = [&progreso, &r](double f) {
        if (progreso && !progreso(f))
            r.cancelada = true;
        return !r.cancelada;
    };

    // Inserted along a Hilbert curve, each point starting its search from
    // the last one's face: the points arrive near each other.
    std::vector<size_t> orden(n);
    std::iota(orden.begin(), orden.end(), size_t{0});
    using Rasgos = CGAL::Spatial_sort_traits_adapter_2<K, CGAL::Pointer_property_map<Punto>::type>;
    CGAL::spatial_sort(orden.begin(), orden.end(), Rasgos(CGAL::make_property_map(plano)));

    Cdt cdt;
    std::vector<int> sustituto(n, -1);
    Cdt::Face_handle cerca;
    for (size_t k = 0; k < n; ++k) {
        if (k % CADA == 0 && !seguir(0.8 * static_cast<double>(k) / static_cast<double>(n)))
            return Cancelada();
        const int i = static_cast<int>(orden[k]);
        const size_t antes = cdt.number_of_vertices();
        const Vertice v = cdt.insert(plano[static_cast<size_t>(i)], cerca);
        if (cdt.number_of_vertices() > antes) {
            v->info() = i;
        } else if (v->info() < i) {
            sustituto[static_cast<size_t>(i)] = v->info();
        } else { // the earlier point comes second: it takes the vertex
            sustituto[static_cast<size_t>(v->info())] = i;
            v->info() = i;
        }
        cerca = v->face();
    }

    // Points apart by less than the tolerance are neighbours in any Delaunay
    // triangulation: the later of each such pair goes.
    const double tol2 = TOLERANCIA_PLANTA * TOLERANCIA_PLANTA;
    for (bool quitado = true; quitado && cdt.dimension() >= 1;) {
        quitado = false;
        std::vector<std::pair<Vertice, Vertice>> cortas;
        for (auto a = cdt.finite_edges_begin(); a != cdt.finite_edges_end(); ++a) {
            const Vertice u = a->first->vertex(Cdt::cw(a->second));
            const Vertice w = a->first->vertex(Cdt::ccw(a->second));
            if (CGAL::squared_distance(u->point(), w->point()) < tol2)
                cortas.emplace_back(u, w);
        }
        std::vector<char> fuera(n, 0);
        for (auto [u, w] : cortas) {
            if (fuera[static_cast<size_t>(u->info())] || fuera[static_cast<size_t>(w->info())])
                continue; // the next pass looks again
            if (u->info() < w->info())
                std::swap(u, w);
            sustituto[static_cast<size_t>(u->info())] = w->info();
            fuera[static_cast<size_t>(u->info())] = 1;
            cdt.remove(u);
            quitado = true;
        }
    }
    if (cdt.dimension() < 2) {
        r.error = "Los puntos están todos en una recta: no forman superficie.";
        return r;
    }

    // The surface keeps the points in their given order.
    std::vector<int> nuevo(n, -1);
    for (size_t i = 0; i < n; ++i) {
        if (sustituto[i] >= 0) {
            const int c = Conservado(sustituto, static_cast<int>(i));
            r.coincidentes.push_back({c, static_cast<int>(i)});
            r.avisos.push_back("El punto " + Nombre(puntos[i], static_cast<int>(i)) + " coincide en planta con el " +
                               Nombre(puntos[static_cast<size_t>(c)], c) + ": se conserva este.");
            continue;
        }
        nuevo[i] = static_cast<int>(r.origen.size());
        r.origen.push_back(static_cast<int>(i));
    }
    std::vector<Vertice> vertices(n);
    for (auto v = cdt.finite_vertices_begin(); v != cdt.finite_vertices_end(); ++v)
        vertices[static_cast<size_t>(v->info())] = v;

    size_t tramos = 0;
    for (const auto& linea : lineasRotura)
        tramos += linea.empty() ? 0 : linea.size() - 1;
    size_t hechos = 0;
    for (size_t l = 0; l < lineasRotura.size(); ++l) {
        const std::vector<int>& linea = lineasRotura[l];
        for (size_t k = 1; k < linea.size(); ++k, ++hechos) {
            if (hechos % CADA == 0 && !seguir(0.8 + 0.1 * static_cast<double>(hechos) / static_cast<double>(tramos)))
                return Cancelada();
            const int a = linea[k - 1];
            const int b = linea[k];
            if (a < 0 || b < 0 || static_cast<size_t>(a) >= n || static_cast<size_t>(b) >= n) {
                r.error = "La línea de rotura " + std::to_string(l + 1) + " nombra un punto que no existe.";
                return r;
            }
            const Vertice va = vertices[static_cast<size_t>(Conservado(sustituto, a))];
            const Vertice vb = vertices[static_cast<size_t>(Conservado(sustituto, b))];
            if (va == vb)
                continue;
            try {
                cdt.insert_constraint(va, vb);
            } catch (const Cdt::Intersection_of_constraints_exception&) {
                r.error = "La línea de rotura " + std::to_string(l + 1) + " corta a otra línea de rotura.";
                return r;
            }
        }
    }
    if (!seguir(0.9))
        return Cancelada();

    Superficie& s = r.superficie;
    s.puntos.reserve(r.origen.size());
    for (int i : r.origen)
        s.puntos.push_back(puntos[static_cast<size_t>(i)]);
    s.triangulos.reserve(cdt.number_of_faces());
    size_t k = 0;
    for (auto c = cdt.finite_faces_begin(); c != cdt.finite_faces_end(); ++c, ++k) {
        if (k % (16 * CADA) == 0 &&
            !seguir(0.9 + 0.1 * static_cast<double>(k) / static_cast<double>(cdt.number_of_faces())))
            return Cancelada();
        s.triangulos.push_back({nuevo[static_cast<size_t>(c->vertex(0)->info())],
                                nuevo[static_cast<size_t>(c->vertex(1)->info())],
                                nuevo[static_cast<size_t>(c->vertex(2)->info())]});
    }
    const auto [menor, mayor] = std::minmax_element(s.puntos.begin(), s.puntos.end(),
                                                    [](const objPto& a, const objPto& b) { return a.Z < b.Z; });
    s.cotaMinima = menor->Z;
    s.cotaMaxima = mayor->Z;
    return r;
}
