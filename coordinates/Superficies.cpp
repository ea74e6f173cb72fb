#include "coordinates/Superficies.h"

#include <algorithm>
#include <cmath>

#include "coordinates/ListaPuntos.h"
#include "core/FicherosTexto.h"
#include "core/TextoNumerico.h"
#include "core/modFuncionesTopo.h"

namespace {

// Closer than this two vertices are the same place, metres.
constexpr double TOLERANCIA_PUNTO = 1.0e-6;

std::vector<std::string> Separar(const std::string& texto)
{
    std::vector<std::string> partes;
    size_t inicio = 0;
    while (true) {
        const size_t coma = texto.find(',', inicio);
        partes.push_back(SinBlancos(texto.substr(inicio, coma == std::string::npos ? std::string::npos : coma - inicio)));
        if (coma == std::string::npos)
            return partes;
        inicio = coma + 1;
    }
}

double Cruz(const objPto& o, const objPto& a, const objPto& b)
{
    return (a.X - o.X) * (b.Y - o.Y) - (a.Y - o.Y) * (b.X - o.X);
}

bool EnSegmento(const objPto& p, const objPto& a, const objPto& b)
{
    return std::min(a.X, b.X) - TOLERANCIA_PUNTO <= p.X && p.X <= std::max(a.X, b.X) + TOLERANCIA_PUNTO &&
           std::min(a.Y, b.Y) - TOLERANCIA_PUNTO <= p.Y && p.Y <= std::max(a.Y, b.Y) + TOLERANCIA_PUNTO;
}

int Signo(double v, double escala)
{
    const double tol = 1e-12 * escala;
    return v > tol ? 1 : (v < -tol ? -1 : 0);
}

// True when segments ab and cd share a point (crossing or touching).
bool SeTocan(const objPto& a, const objPto& b, const objPto& c, const objPto& d)
{
    const double escala = std::max({DistanciaEntrePuntos(a, b), DistanciaEntrePuntos(c, d), 1.0});
    const int d1 = Signo(Cruz(a, b, c), escala * escala), d2 = Signo(Cruz(a, b, d), escala * escala);
    const int d3 = Signo(Cruz(c, d, a), escala * escala), d4 = Signo(Cruz(c, d, b), escala * escala);
    if (d1 * d2 < 0 && d3 * d4 < 0)
        return true;
    return (d1 == 0 && EnSegmento(c, a, b)) || (d2 == 0 && EnSegmento(d, a, b)) ||
           (d3 == 0 && EnSegmento(a, c, d)) || (d4 == 0 && EnSegmento(b, c, d));
}

objPto Interpolar(const objPto& a, const objPto& b, double t)
{
    objPto p;
    p.X = a.X + t * (b.X - a.X);
    p.Y = a.Y + t * (b.Y - a.Y);
    p.Z = a.Z + t * (b.Z - a.Z);
    return p;
}

std::string TextoPunto(const objPto& p)
{
    return F3(p.X) + " " + F3(p.Y);
}

// The part of the ring where h(p) * lado <= d * lado (lado +1 or -1), with h
// the signed distance from the side's line along the interior normal.
struct Franja {
    objPto origen;
    double nx = 0.0, ny = 0.0;
    double H(const objPto& p) const { return (p.X - origen.X) * nx + (p.Y - origen.Y) * ny; }
};

std::vector<objPto> Recortar(const std::vector<objPto>& anillo, const Franja& f, double d, double lado)
{
    std::vector<objPto> r;
    const size_t n = anillo.size();
    for (size_t i = 0; i < n; ++i) {
        const objPto& a = anillo[i];
        const objPto& b = anillo[(i + 1) % n];
        const double ha = lado * (f.H(a) - d), hb = lado * (f.H(b) - d);
        if (ha <= 0.0)
            r.push_back(a);
        if ((ha < 0.0 && hb > 0.0) || (ha > 0.0 && hb < 0.0))
            r.push_back(Interpolar(a, b, ha / (ha - hb)));
    }
    return r;
}

void SegregarParalela(const std::vector<objPto>& anillo, const std::vector<objPto>& puntos, const std::string& textoLado,
                      double objetivo, ResultadoSuperficies& r)
{
    const std::vector<std::string> lado = Separar(textoLado);
    const objPto* p = lado.size() == 2 ? BuscarPunto(puntos, lado[0]) : nullptr;
    const objPto* q = lado.size() == 2 ? BuscarPunto(puntos, lado[1]) : nullptr;
    if (p == nullptr || q == nullptr) {
        r.aviso = "El lado debe darse como dos vértices de la parcela separados por una coma.";
        return;
    }
    const size_t n = anillo.size();
    size_t i = n;
    for (size_t k = 0; k < n && i == n; ++k) {
        const objPto& a = anillo[k];
        const objPto& b = anillo[(k + 1) % n];
        if ((a.N == p->N && b.N == q->N) || (a.N == q->N && b.N == p->N))
            i = k;
    }
    if (i == n) {
        r.aviso = "Los vértices " + lado[0] + " y " + lado[1] + " no forman un lado de la parcela.";
        return;
    }
    const objPto& a = anillo[i];
    const objPto& b = anillo[(i + 1) % n];
    const double largo = DistanciaEntrePuntos(a, b);
    const double sentido = AreaConSigno(anillo) > 0.0 ? 1.0 : -1.0;
    Franja f;
    f.origen = a;
    f.nx = -sentido * (b.Y - a.Y) / largo;
    f.ny = sentido * (b.X - a.X) / largo;

    double hMin = 0.0, hMax = 0.0;
    for (const objPto& v : anillo) {
        hMin = std::min(hMin, f.H(v));
        hMax = std::max(hMax, f.H(v));
    }
    const auto g = [&](double d) { return std::fabs(AreaConSigno(Recortar(anillo, f, d, 1.0))) - objetivo; };
    // Regula falsi on [hMin, hMax], where g goes from -objetivo to the rest.
    double d0 = hMin, g0 = -objetivo, d1 = hMax, g1 = g(hMax);
    double d = d1;
    int lado0 = 0;
    bool converge = false;
    for (int iter = 0; iter < 200 && !converge; ++iter) {
        d = (d0 * g1 - d1 * g0) / (g1 - g0);
        if (!(d > d0 && d < d1))
            d = (d0 + d1) / 2.0;
        const double gd = g(d);
        converge = std::fabs(gd) < TOLERANCIA_SUPERFICIE;
        if (converge)
            break;
        if ((gd < 0.0) == (g0 < 0.0)) {
            d0 = d, g0 = gd;
            if (lado0 == -1)
                g1 /= 2.0;
            lado0 = -1;
        } else {
            d1 = d, g1 = gd;
            if (lado0 == 1)
                g0 /= 2.0;
            lado0 = 1;
        }
    }

    if (!converge) {
        r.aviso = "No se encuentra la paralela que segregue esa superficie.";
        return;
    }
    // The ends of the dividing line: where it crosses the ring.
    std::vector<objPto> cortes;
    for (size_t k = 0; k < n; ++k) {
        const objPto& u = anillo[k];
        const objPto& w = anillo[(k + 1) % n];
        const double hu = f.H(u) - d, hw = f.H(w) - d;
        if ((hu <= 0.0 && hw > 0.0) || (hu > 0.0 && hw <= 0.0))
            cortes.push_back(Interpolar(u, w, hu / (hu - hw)));
    }
    if (cortes.size() != 2) {
        r.aviso = "La paralela corta la parcela en más de dos puntos: la división no es única.";
        return;
    }
    const auto avance = [&](const objPto& c) { return (c.X - a.X) * (b.X - a.X) + (c.Y - a.Y) * (b.Y - a.Y); };
    if (avance(cortes[0]) > avance(cortes[1]))
        std::swap(cortes[0], cortes[1]);
    r.puntoA = cortes[0];
    r.puntoB = cortes[1];
    r.parcelaSegregada = Recortar(anillo, f, d, 1.0);
    r.parcelaResto = Recortar(anillo, f, d, -1.0);
    r.segregada = true;
}

void SegregarPorVertice(const std::vector<objPto>& anillo, const std::vector<objPto>& puntos,
                        const std::string& textoVertice, double objetivo, ResultadoSuperficies& r)
{
    const objPto* v = BuscarPunto(puntos, textoVertice);
    const size_t n = anillo.size();
    size_t k = n;
    for (size_t i = 0; v != nullptr && i < n; ++i)
        if (anillo[i].N == v->N)
            k = i;
    if (k == n) {
        r.aviso = "El vértice " + SinBlancos(textoVertice) + " no es un vértice de la parcela.";
        return;
    }
    const double sentido = AreaConSigno(anillo) > 0.0 ? 1.0 : -1.0;
    const objPto& V = anillo[k];
    double acumulada = 0.0;
    for (size_t paso = 1; paso + 1 < n; ++paso) {
        const size_t j = (k + paso) % n, j1 = (k + paso + 1) % n;
        const double triangulo = sentido * Cruz(V, anillo[j], anillo[j1]) / 2.0;
        if (triangulo <= 0.0 || acumulada + triangulo < objetivo) {
            acumulada += triangulo;
            continue;
        }
        const double t = (objetivo - acumulada) / triangulo;
        objPto B = Interpolar(anillo[j], anillo[j1], t);
        // The line must stay inside the parcel: it may meet no other side.
        for (size_t s = 0; s < n; ++s) {
            const size_t s1 = (s + 1) % n;
            if (s == k || s1 == k || s == j)
                continue;
            if (SeTocan(V, B, anillo[s], anillo[s1]) && DistanciaEntrePuntos(B, anillo[s]) > TOLERANCIA_PUNTO &&
                DistanciaEntrePuntos(B, anillo[s1]) > TOLERANCIA_PUNTO) {
                r.aviso = "La línea desde el vértice " + V.N + " sale de la parcela.";
                return;
            }
        }
        r.puntoA = V;
        r.puntoB = B;
        for (size_t m = 0; m <= paso; ++m)
            r.parcelaSegregada.push_back(anillo[(k + m) % n]);
        r.parcelaSegregada.push_back(B);
        r.parcelaResto.push_back(B);
        for (size_t m = paso + 1; m <= n; ++m)
            r.parcelaResto.push_back(anillo[(k + m) % n]);
        r.segregada = true;
        return;
    }
    r.aviso = "No se encuentra la línea desde el vértice " + V.N + " que segregue esa superficie.";
}

} // namespace

double AreaConSigno(const std::vector<objPto>& anillo)
{
    if (anillo.size() < 3)
        return 0.0;
    // Reduced to the first vertex: grid coordinates lose no digits.
    const objPto& o = anillo.front();
    double doble = 0.0;
    for (size_t i = 1; i + 1 < anillo.size(); ++i)
        doble += Cruz(o, anillo[i], anillo[i + 1]);
    return doble / 2.0;
}

double Perimetro(const std::vector<objPto>& anillo)
{
    double p = 0.0;
    for (size_t i = 0; i < anillo.size(); ++i)
        p += DistanciaEntrePuntos(anillo[i], anillo[(i + 1) % anillo.size()]);
    return p;
}

std::string TextoHectareas(double superficie)
{
    const auto centesimas = static_cast<long long>(std::llround(std::fabs(superficie) * 100.0));
    const long long ha = centesimas / 1000000, a = centesimas / 10000 % 100, ca = centesimas % 10000;
    std::string c = std::to_string(ca % 100);
    if (c.size() < 2)
        c.insert(0, "0");
    return std::to_string(ha) + " ha " + std::to_string(a) + " a " + std::to_string(ca / 100) + "," + c + " ca";
}

bool LeerAnillo(const std::vector<objPto>& puntos, const std::string& vertices, std::vector<objPto>& anillo,
                std::string& aviso)
{
    anillo.clear();
    const std::vector<std::string> nombres = Separar(vertices);
    for (size_t i = 0; i < nombres.size(); ++i) {
        if (nombres[i].empty()) {
            aviso = "Falta el vértice " + std::to_string(i + 1) + " de la lista.";
            return false;
        }
        const objPto* p = BuscarPunto(puntos, nombres[i]);
        if (p == nullptr) {
            aviso = "El vértice " + nombres[i] + " no está en la lista de puntos.";
            return false;
        }
        for (const objPto& q : anillo)
            if (q.N == p->N) {
                aviso = "El vértice " + nombres[i] + " está repetido.";
                return false;
            }
        anillo.push_back(*p);
    }
    const size_t n = anillo.size();
    if (n < 3) {
        aviso = "La parcela necesita al menos tres vértices.";
        return false;
    }
    for (size_t i = 0; i < n; ++i)
        if (DistanciaEntrePuntos(anillo[i], anillo[(i + 1) % n]) <= TOLERANCIA_PUNTO) {
            aviso = "Los vértices " + anillo[i].N + " y " + anillo[(i + 1) % n].N + " coinciden.";
            return false;
        }
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1)
                continue; // the first and the last side share the first vertex
            const objPto &a = anillo[i], &b = anillo[i + 1], &c = anillo[j], &d = anillo[(j + 1) % n];
            if (SeTocan(a, b, c, d)) {
                aviso = "Los lados " + a.N + "-" + b.N + " y " + c.N + "-" + d.N + " se cortan.";
                return false;
            }
        }
    // Adjacent sides folding back onto each other also make the ring cross itself.
    for (size_t i = 0; i < n; ++i) {
        const objPto &a = anillo[(i + n - 1) % n], &b = anillo[i], &c = anillo[(i + 1) % n];
        const double escala = std::max(DistanciaEntrePuntos(a, b), DistanciaEntrePuntos(b, c));
        if (Signo(Cruz(b, a, c), escala * escala) == 0 &&
            (c.X - b.X) * (a.X - b.X) + (c.Y - b.Y) * (a.Y - b.Y) > 0.0) {
            aviso = "Los lados " + a.N + "-" + b.N + " y " + b.N + "-" + c.N + " se solapan.";
            return false;
        }
    }
    return true;
}

ResultadoSuperficies CalcularSuperficies(const EntradaSuperficies& entrada)
{
    ResultadoSuperficies r;
    const std::vector<objPto> puntos = PuntosDeLista(entrada.filasPuntos);
    if (SinBlancos(entrada.vertices).empty())
        return r;
    if (!LeerAnillo(puntos, entrada.vertices, r.parcela, r.aviso))
        return r;
    r.superficie = std::fabs(AreaConSigno(r.parcela));
    r.perimetro = Perimetro(r.parcela);
    r.textoSuperficie = F2(r.superficie);
    r.textoHectareas = TextoHectareas(r.superficie);
    r.textoPerimetro = F3(r.perimetro);
    r.ok = true;

    const std::string textoObjetivo = SinBlancos(entrada.superficieSegregar);
    if (textoObjetivo.empty())
        return r;
    if (!EsNumero(textoObjetivo)) {
        r.aviso = "La superficie a segregar no es un número.";
        return r;
    }
    const double objetivo = LeerNumero(textoObjetivo);
    if (objetivo <= 0.0) {
        r.aviso = "La superficie a segregar debe ser mayor que cero.";
        return r;
    }
    if (objetivo >= r.superficie) {
        r.aviso = "La superficie a segregar (" + F2(objetivo) + " m²) no es menor que la de la parcela (" +
                  r.textoSuperficie + " m²).";
        return r;
    }
    if (entrada.modo == ModoSegregacion::Paralela)
        SegregarParalela(r.parcela, puntos, entrada.lado, objetivo, r);
    else
        SegregarPorVertice(r.parcela, puntos, entrada.vertice, objetivo, r);
    if (!r.segregada)
        return r;
    r.superficieSegregada = std::fabs(AreaConSigno(r.parcelaSegregada));
    r.superficieResto = r.superficie - r.superficieSegregada;
    r.textoPuntoA = TextoPunto(r.puntoA);
    r.textoPuntoB = TextoPunto(r.puntoB);
    r.textoSuperficieResto = F2(r.superficieResto);
    return r;
}

std::string BasesDivisoria(const ResultadoSuperficies& r, const std::string& nombreA, const std::string& nombreB)
{
    if (!r.segregada)
        return {};
    std::vector<std::string> filas;
    for (const auto& grupo : {FilasBase(nombreA, r.puntoA.X, r.puntoA.Y, r.puntoA.Z),
                              FilasBase(nombreB, r.puntoB.X, r.puntoB.Y, r.puntoB.Z)})
        filas.insert(filas.end(), grupo.begin(), grupo.end());
    return EscribirBases(filas);
}
