#include "exchange/Gsi.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <utility>

#include "core/FicherosTexto.h"
#include "exchange/GsiComun.h"

using namespace gsi;

namespace {

constexpr double PIE_US = 1200.0 / 3937.0;
constexpr double PIE_INTERNACIONAL = 0.3048;

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

// A word in grads or metres as a row shows it (`mostrados` places), made
// straight from its digits as the row builder would make it from the text
// of ValorGsi; 0 when the word has to go through ValorGsi (another unit,
// more than 15 significant digits, or something but digits). The unit
// characters are the indices of UNIDADES.
size_t CampoDirecto(const PalabraGsi& p, bool angulo, int mostrados, char* destino)
{
    const auto k = static_cast<unsigned char>(p.unidad - '0');
    if (p.datos.empty() || k >= std::size(UNIDADES))
        return 0;
    const Unidad& u = UNIDADES[k];
    if (u.angulo != angulo || u.factor != 1.0 || u.sexagesimal)
        return 0;
    std::string_view d = p.datos;
    while (!d.empty() && d.front() == '0')
        d.remove_prefix(1);
    if (d.size() > 15)
        return 0;
    unsigned long long n = 0;
    for (char c : d) {
        if (!EsCifra(c))
            return 0;
        n = n * 10 + static_cast<unsigned long long>(c - '0');
    }
    return EscribirFijo(destino, n, u.decimales, mostrados, p.negativo);
}

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
        if (n <= decimales) {
            texto += "0.";
            texto.append(static_cast<size_t>(decimales - n), '0');
            texto.append(d);
        } else {
            texto.append(d.substr(0, static_cast<size_t>(n - decimales)));
            texto += '.';
            texto.append(d.substr(static_cast<size_t>(n - decimales)));
        }
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
    AnadirValor(texto, valor);
    return true;
}

// Each word is taken at its fixed width (index, information, sign and data),
// so data padded with blanks are read; blanks inside the data are not.
bool PalabrasGsi(std::string_view linea, std::vector<PalabraGsi>& palabras, std::string& motivo)
{
    palabras.clear();
    bool gsi16 = false;
    if (!linea.empty() && linea.front() == '*') {
        gsi16 = true;
        linea.remove_prefix(1);
    }
    const size_t largo = 7 + (gsi16 ? 16 : 8);
    size_t i = 0;
    while (i < linea.size()) {
        while (i < linea.size() && EsBlanco(linea[i]))
            ++i;
        if (i >= linea.size())
            break;
        const std::string_view w = linea.substr(i, largo);
        const size_t fin = i + w.size();
        // The last word of a line may have lost the blanks of an empty word.
        const bool vaciaAlFinal = w.size() >= 7 && fin == linea.size();
        bool bien = (w.size() == largo || vaciaAlFinal) && EsCifra(w[0]) && EsCifra(w[1]) &&
                    (w[6] == '+' || w[6] == '-') && (fin == linea.size() || EsBlanco(linea[fin]));
        std::string_view datos;
        if (bien) {
            datos = w.substr(7);
            while (!datos.empty() && EsBlanco(datos.front()))
                datos.remove_prefix(1);
            while (!datos.empty() && EsBlanco(datos.back()))
                datos.remove_suffix(1);
            for (char c : datos)
                bien = bien && !EsBlanco(c);
            bien = bien && (w.size() == largo || datos.empty());
        }
        if (!bien) {
            size_t f = i;
            while (f < linea.size() && !EsBlanco(linea[f]))
                ++f;
            motivo = "palabra «" + std::string(linea.substr(i, std::min<size_t>(f - i, 24))) +
                     "» mal formada para GSI-" + (gsi16 ? "16" : "8");
            return false;
        }
        PalabraGsi p;
        p.indice = (w[0] - '0') * 10 + (w[1] - '0');
        p.informacion = w.substr(2, 4);
        p.unidad = w[5];
        p.negativo = w[6] == '-';
        p.datos = datos;
        palabras.push_back(p);
        i = fin;
    }
    return true;
}

LecturaGsi LeerGsi(std::string_view texto)
{
    LecturaGsi r;
    r.filas.reserve(texto.size() / 64);
    bool parado = false;
    std::string fila;
    // The last reflector height given: its word (a view into `texto`) and,
    // when it can be made straight from its digits, its field of the row.
    PalabraGsi reflector;
    bool hayReflector = false;
    char reflectorDirecto[32];
    size_t largoReflector = 0;
    std::vector<PalabraGsi> palabras;
    std::string motivo, hi;
    std::array<std::string, 4> textos; // hz, v, di, m
    long numeroLinea = 0;
    std::string_view linea;
    LectorLineas lineas(texto);
    std::string numero;
    constexpr int MOSTRADOS[] = {4, 4, 3, 3};
    while (lineas.Siguiente(linea, numeroLinea)) {
        while (!linea.empty() && EsBlanco(linea.back()))
            linea.remove_suffix(1);
        if (linea.empty())
            continue;
        const auto noLeida = [&r, numeroLinea](const std::string& m) { r.noLeidas.push_back({numeroLinea, m}); };
        if (!PalabrasGsi(linea, palabras, motivo)) {
            noLeida(motivo);
            continue;
        }
        // Each value word is checked in the order of the line: straight to
        // its field when it can be, through ValorGsi otherwise.
        const PalabraGsi* punto = nullptr;
        std::array<const PalabraGsi*, 4> valores{};
        char directos[4][32];
        std::array<size_t, 4> largos{};
        hi.clear();
        bool conAngulo = false, conEstacion = false, bien = true;
        for (const PalabraGsi& p : palabras) {
            int campo = -1;
            bool angulo = false;
            switch (p.indice) {
            case 11: punto = &p; break;
            case 21: campo = 0; angulo = true; break;
            case 22: campo = 1; angulo = true; break;
            case 31: campo = 2; break;
            case 87: campo = 3; break;
            case 88: campo = 4; conEstacion = true; break;
            case 84: case 85: case 86: conEstacion = true; break;
            default: break;
            }
            conAngulo = conAngulo || angulo;
            if (campo < 0 || p.datos.empty())
                continue;
            if (campo == 4) {
                bien = ValorGsi(p, false, hi, motivo);
            } else {
                const auto k = static_cast<size_t>(campo);
                valores[k] = &p;
                largos[k] = CampoDirecto(p, angulo, MOSTRADOS[k], directos[k]);
                bien = largos[k] > 0 || ValorGsi(p, angulo, textos[k], motivo);
            }
            if (!bien)
                break;
        }
        if (!bien) {
            noLeida(motivo);
            continue;
        }
        if (valores[3]) {
            reflector = *valores[3];
            hayReflector = true;
            largoReflector = largos[3];
            std::memcpy(reflectorDirecto, directos[3], largoReflector);
        }
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
            } else if (valores[2]) {
                noLeida("una distancia sin ángulos");
            }
            continue;
        }
        if (!punto || punto->datos.empty()) {
            noLeida("falta el número de punto (palabra 11)");
            continue;
        }
        if (!valores[0] || !valores[1]) {
            noLeida(!valores[0] ? "falta el ángulo horizontal (palabra 21)" : "falta el ángulo vertical (palabra 22)");
            continue;
        }
        bool acortado = false;
        if (!NumeroDeIdentificador(punto->datos, numero, acortado)) {
            noLeida("el identificador de punto «" + std::string(punto->datos) + "» no tiene cifras que den su número");
            continue;
        }
        if (acortado) {
            std::string_view id = punto->datos;
            while (id.size() > 1 && id.front() == '0')
                id.remove_prefix(1);
            AnotarAcortado(r.acortados, id, numero);
        }
        if (parado)
            continue;
        // Every field made straight from its digits: the row is the point
        // number (plain digits without leading zeros, as the row builder
        // leaves them) and the four fields, each after a blank.
        if (hayReflector && largoReflector > 0 && valores[2] && largos[0] > 0 && largos[1] > 0 && largos[2] > 0 &&
            numero.size() <= 15) {
            char b[16 + 4 * 33];
            size_t n = numero.size();
            numero.copy(b, n);
            const std::array<std::pair<const char*, size_t>, 4> campos = {
                {{directos[0], largos[0]}, {directos[1], largos[1]}, {directos[2], largos[2]},
                 {reflectorDirecto, largoReflector}}};
            for (const auto& [c, k] : campos) {
                b[n++] = ' ';
                std::memcpy(b + n, c, k);
                n += k;
            }
            r.filas.emplace_back(b, n);
            continue;
        }
        // Otherwise the row the observation file reader makes of the five
        // texts (none holds a blank, quote or comma); it stops where that
        // reader would.
        for (size_t k = 0; k < 3; ++k) {
            if (!valores[k])
                textos[k].clear();
            else if (largos[k] > 0)
                ValorGsi(*valores[k], k < 2, textos[k], motivo);
        }
        if (!hayReflector)
            textos[3].clear();
        else
            ValorGsi(reflector, false, textos[3], motivo);
        if (FilaObservacion({numero, textos[0], textos[1], textos[2], textos[3]}, fila)) {
            r.filas.push_back(std::move(fila));
            fila.clear();
        } else {
            parado = true;
        }
    }
    return r;
}

BloquesGsi LeerBloquesGsi(std::string_view texto)
{
    BloquesGsi r;
    std::vector<PalabraGsi> palabras;
    std::string motivo, valor;
    std::string_view linea;
    long numeroLinea = 0;
    LectorLineas lineas(texto);
    while (lineas.Siguiente(linea, numeroLinea)) {
        while (!linea.empty() && EsBlanco(linea.back()))
            linea.remove_suffix(1);
        if (linea.empty())
            continue;
        if (!PalabrasGsi(linea, palabras, motivo)) {
            r.noLeidas.push_back({numeroLinea, motivo});
            continue;
        }
        BloqueGsi b;
        b.linea = numeroLinea;
        bool bien = true;
        for (const PalabraGsi& p : palabras) {
            if (p.indice == 11) {
                std::string_view id = p.datos;
                while (id.size() > 1 && id.front() == '0')
                    id.remove_prefix(1);
                b.id = std::string(id);
                continue;
            }
            const bool angulo = p.indice == 21 || p.indice == 22;
            const bool longitud = (p.indice >= 31 && p.indice <= 33) || (p.indice >= 81 && p.indice <= 88);
            if ((!angulo && !longitud) || p.datos.empty())
                continue;
            if (!ValorGsi(p, angulo, valor, motivo)) {
                bien = false;
                break;
            }
            double x = 0.0;
            std::from_chars(valor.data(), valor.data() + valor.size(), x);
            b.valores[p.indice] = x;
        }
        if (bien)
            r.bloques.push_back(std::move(b));
        else
            r.noLeidas.push_back({numeroLinea, motivo});
    }
    return r;
}
