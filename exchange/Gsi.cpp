#include "exchange/Gsi.h"

#include <charconv>
#include <cstdint>

#include "core/FicherosTexto.h"

namespace {

constexpr double PIE_US = 1200.0 / 3937.0;
constexpr double PIE_INTERNACIONAL = 0.3048;

bool EsCifra(char c)
{
    return c >= '0' && c <= '9';
}

// The units of the unit character: angles to grads, lengths to metres.
struct Unidad {
    char codigo;
    bool angulo;
    int decimales; // places after the point in the data
    double factor; // to grads or metres
    bool sexagesimal;
};
constexpr Unidad UNIDADES[] = {
    {'0', false, 3, 1.0, false},          // metre, last digit 1 mm
    {'1', false, 3, PIE_US, false},       // US survey foot, last digit 1/1000 ft
    {'2', true, 5, 1.0, false},           // grads
    {'3', true, 5, 400.0 / 360.0, false}, // decimal degrees
    {'4', true, 5, 1.0, true},            // sexagesimal degrees DDD.MMSSs
    {'5', true, 4, 400.0 / 6400.0, false}, // mils
    {'6', false, 4, 1.0, false},          // metre, last digit 1/10 mm
    {'7', false, 4, PIE_INTERNACIONAL, false}, // international foot, last digit 1/10000 ft
    {'8', false, 5, 1.0, false},          // metre, last digit 1/100 mm
};

} // namespace

bool ValorGsi(const PalabraGsi& p, bool angulo, std::string& texto, std::string& motivo)
{
    std::string_view d = p.datos;
    for (char c : d) {
        if (!EsCifra(c)) {
            motivo = "la palabra " + std::to_string(p.indice) + " no es un número";
            return false;
        }
    }
    const Unidad* u = nullptr;
    for (const Unidad& candidata : UNIDADES)
        if (candidata.codigo == p.unidad && candidata.angulo == angulo)
            u = &candidata;
    if (!u) {
        motivo = "unidad «" + std::string(1, p.unidad) + "» no válida en la palabra " + std::to_string(p.indice);
        return false;
    }
    const int decimales = u->decimales;
    const double factor = u->factor;
    const bool sexagesimal = u->sexagesimal;
    while (d.size() > 1 && d.front() == '0')
        d.remove_prefix(1);
    texto.clear();
    if (p.negativo)
        texto += '-';
    if (factor == 1.0 && !sexagesimal) {
        // Already grads or metres: the point goes into the digits as they are.
        const auto n = static_cast<int>(d.size());
        if (n <= decimales)
            texto += "0." + std::string(static_cast<size_t>(decimales - n), '0') + std::string(d);
        else
            texto += std::string(d.substr(0, static_cast<size_t>(n - decimales))) + "." +
                     std::string(d.substr(static_cast<size_t>(n - decimales)));
        return true;
    }
    uint64_t entero = 0;
    std::from_chars(d.data(), d.data() + d.size(), entero);
    double valor = 0.0;
    if (sexagesimal) {
        // DDD.MMSSs: degrees, minutes, seconds and tenths of a second.
        const uint64_t grados = entero / 100000;
        const uint64_t minutos = entero / 1000 % 100;
        const uint64_t decimasSegundo = entero % 1000;
        if (minutos >= 60 || decimasSegundo >= 600) {
            motivo = "ángulo sexagesimal mal formado en la palabra " + std::to_string(p.indice);
            return false;
        }
        valor = (static_cast<double>(grados) + static_cast<double>(minutos) / 60.0 +
                 static_cast<double>(decimasSegundo) / 36000.0) *
                400.0 / 360.0;
    } else {
        valor = static_cast<double>(entero) * factor;
        for (int k = 0; k < decimales; ++k)
            valor /= 10.0;
    }
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, valor);
    texto.append(buf, r.ptr);
    return true;
}

bool PalabrasGsi(std::string_view linea, std::vector<PalabraGsi>& palabras, std::string& motivo)
{
    palabras.clear();
    bool gsi16 = false;
    if (!linea.empty() && linea.front() == '*') {
        gsi16 = true;
        linea.remove_prefix(1);
    }
    const size_t largoDatos = gsi16 ? 16 : 8;
    size_t i = 0;
    while (i < linea.size()) {
        while (i < linea.size() && (linea[i] == ' ' || linea[i] == '\t'))
            ++i;
        size_t fin = i;
        while (fin < linea.size() && linea[fin] != ' ' && linea[fin] != '\t')
            ++fin;
        if (fin == i)
            break;
        const std::string_view w = linea.substr(i, fin - i);
        i = fin;
        if (w.size() != 7 + largoDatos || !EsCifra(w[0]) || !EsCifra(w[1]) || (w[6] != '+' && w[6] != '-')) {
            motivo = "palabra «" + std::string(w.substr(0, 24)) + "» mal formada para GSI-" + (gsi16 ? "16" : "8");
            return false;
        }
        PalabraGsi p;
        p.indice = (w[0] - '0') * 10 + (w[1] - '0');
        p.informacion = w.substr(2, 4);
        p.unidad = w[5];
        p.negativo = w[6] == '-';
        p.datos = w.substr(7);
        palabras.push_back(p);
    }
    return true;
}

LecturaGsi LeerGsi(std::string_view texto)
{
    LecturaGsi r;
    std::string observaciones;
    observaciones.reserve(texto.size() / 2);
    std::string reflector; // the last reflector height given, as text
    std::vector<PalabraGsi> palabras;
    std::string motivo, valor;
    long numeroLinea = 0;
    size_t pos = 0;
    while (pos < texto.size()) {
        size_t fin = texto.find('\n', pos);
        if (fin == std::string_view::npos)
            fin = texto.size();
        std::string_view linea = texto.substr(pos, fin - pos);
        pos = fin + 1;
        ++numeroLinea;
        while (!linea.empty() && (linea.back() == '\r' || linea.back() == ' ' || linea.back() == '\t'))
            linea.remove_suffix(1);
        if (linea.empty())
            continue;
        const auto noLeida = [&r, numeroLinea](const std::string& m) { r.noLeidas.push_back({numeroLinea, m}); };
        if (!PalabrasGsi(linea, palabras, motivo)) {
            noLeida(motivo);
            continue;
        }
        const PalabraGsi* punto = nullptr;
        std::string hz, v, di, m, hi;
        bool conAngulo = false, conEstacion = false, bien = true;
        for (const PalabraGsi& p : palabras) {
            std::string* destino = nullptr;
            bool angulo = false;
            switch (p.indice) {
            case 11: punto = &p; break;
            case 21: destino = &hz; angulo = true; break;
            case 22: destino = &v; angulo = true; break;
            case 31: destino = &di; break;
            case 87: destino = &m; break;
            case 88: destino = &hi; conEstacion = true; break;
            case 84: case 85: case 86: conEstacion = true; break;
            default: break;
            }
            conAngulo = conAngulo || angulo;
            if (destino && !ValorGsi(p, angulo, *destino, motivo)) {
                bien = false;
                break;
            }
        }
        if (!bien) {
            noLeida(motivo);
            continue;
        }
        if (!m.empty())
            reflector = m;
        if (!conAngulo) {
            if (conEstacion) {
                EstacionGsi e;
                e.linea = numeroLinea;
                if (punto) {
                    std::string_view n = punto->datos;
                    while (n.size() > 1 && n.front() == '0')
                        n.remove_prefix(1);
                    e.numero = std::string(n);
                }
                e.tieneAltura = !hi.empty();
                if (e.tieneAltura)
                    std::from_chars(hi.data(), hi.data() + hi.size(), e.alturaInstrumento);
                r.estaciones.push_back(std::move(e));
            } else if (!di.empty()) {
                noLeida("una distancia sin ángulos");
            }
            continue;
        }
        if (!punto) {
            noLeida("falta el número de punto (palabra 11)");
            continue;
        }
        if (hz.empty() || v.empty()) {
            noLeida(hz.empty() ? "falta el ángulo horizontal (palabra 21)" : "falta el ángulo vertical (palabra 22)");
            continue;
        }
        bool entero = true;
        for (char c : punto->datos)
            entero = entero && EsCifra(c);
        if (!entero) {
            noLeida("el número de punto «" + std::string(punto->datos) + "» no es un número entero");
            continue;
        }
        observaciones.append(punto->datos.data(), punto->datos.size());
        for (const std::string* campo : {&hz, &v, &di, &reflector}) {
            observaciones += ',';
            observaciones += *campo;
        }
        observaciones += "\r\n";
    }
    r.filas = LeerObservaciones(observaciones).filas;
    return r;
}

std::string MensajeNoLeidas(const std::vector<LineaNoLeida>& noLeidas)
{
    if (noLeidas.empty())
        return {};
    const size_t n = noLeidas.size();
    std::string t = n == 1 ? "No se pudo leer 1 línea del fichero" : "No se pudieron leer " + std::to_string(n) +
                                                                          " líneas del fichero";
    t += "; se ha cargado todo lo demás.\n";
    for (size_t i = 0; i < n && i < 10; ++i)
        t += "\nLínea " + std::to_string(noLeidas[i].linea) + ": " + noLeidas[i].motivo + ".";
    if (n > 10)
        t += "\ny " + std::to_string(n - 10) + " más.";
    return t;
}
