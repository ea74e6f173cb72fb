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

namespace {

// A value between 0.001 and 100000 that a decimal of at most six places
// reads back as: its magnitude in millionths.
bool DecimalCorto(double valor, long long& millonesimas)
{
    const double magnitud = std::fabs(valor);
    const double escalado = std::nearbyint(valor * 1e6);
    if (!(magnitud >= 1e-3 && magnitud < 1e5 && escalado / 1e6 == valor))
        return false;
    millonesimas = std::llabs(static_cast<long long>(escalado));
    return true;
}

constexpr long long POTENCIAS[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

// A whole number of units of 10^-decimales, rounded to `mostrados` places
// as a row shows it (half up on the first place dropped) and written at
// `destino`: the sign only when something but zeros is left. Returns the
// length written (at most 24).
size_t EscribirFijo(char* destino, unsigned long long n, int decimales, int mostrados, bool negativo)
{
    if (decimales > mostrados) {
        const auto d = static_cast<unsigned long long>(POTENCIAS[decimales - mostrados]);
        n = (n + d / 2) / d;
    } else {
        n *= static_cast<unsigned long long>(POTENCIAS[mostrados - decimales]);
    }
    char buf[32];
    char* p = buf + sizeof buf;
    const bool signo = negativo && n != 0;
    for (int k = 0; k < mostrados; ++k, n /= 10)
        *--p = static_cast<char>('0' + n % 10);
    *--p = '.';
    do
        *--p = static_cast<char>('0' + n % 10);
    while ((n /= 10) > 0);
    if (signo)
        *--p = '-';
    const auto largo = static_cast<size_t>(buf + sizeof buf - p);
    std::memcpy(destino, p, largo);
    return largo;
}

// The shortest text that reads back as the value, as std::to_chars writes
// it. The values of a download are nearly all short decimals: a value
// between 0.001 and 100000 that a decimal of at most six places reads back
// as is written as that decimal, without the general search (no other text
// that short reads back as the value, and to_chars writes such values
// without an exponent).
void AnadirValor(std::string& texto, double valor)
{
    long long n = 0;
    if (DecimalCorto(valor, n)) {
        char buf[32];
        char* p = buf + sizeof buf;
        int decimales = 6;
        while (decimales > 0 && n % 10 == 0)
            n /= 10, --decimales;
        for (int k = 0; k < decimales; ++k, n /= 10)
            *--p = static_cast<char>('0' + n % 10);
        if (decimales > 0)
            *--p = '.';
        do
            *--p = static_cast<char>('0' + n % 10);
        while ((n /= 10) > 0);
        if (valor < 0.0)
            *--p = '-';
        texto.append(p, buf + sizeof buf);
        return;
    }
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, valor);
    texto.append(buf, r.ptr);
}

} // namespace

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

namespace {

bool EsBlanco(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

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

bool NumeroDeIdentificador(std::string_view id, std::string& numero, bool& acortado)
{
    while (!id.empty() && EsBlanco(id.front()))
        id.remove_prefix(1);
    while (!id.empty() && EsBlanco(id.back()))
        id.remove_suffix(1);
    // Leading zeros are the padding of the field: "0000ABCD" has no digits.
    while (id.size() > 1 && id.front() == '0')
        id.remove_prefix(1);
    size_t fin = id.size();
    while (fin > 0 && !EsCifra(id[fin - 1]))
        --fin;
    size_t inicio = fin;
    while (inicio > 0 && EsCifra(id[inicio - 1]))
        --inicio;
    if (fin == inicio)
        return false;
    acortado = inicio > 0 || fin < id.size();
    while (fin - inicio > 1 && id[inicio] == '0')
        ++inicio;
    numero.assign(id.substr(inicio, fin - inicio));
    return true;
}

void AnotarAcortado(Acortados& a, std::string_view id, const std::string& numero)
{
    if (a.cuantos++ == 0) {
        a.ejemploId = std::string(id);
        a.ejemploNumero = numero;
    }
}

std::string MensajeAcortados(const Acortados& a)
{
    if (a.cuantos == 0)
        return {};
    const std::string ejemplo = " (" + a.ejemploId + " pasa a ser " + a.ejemploNumero + ").";
    if (a.cuantos == 1)
        return "1 identificador de punto llevaba letras y se acortó a sus últimas cifras" + ejemplo;
    return std::to_string(a.cuantos) +
           " identificadores de punto llevaban letras y se acortaron a sus últimas cifras" + ejemplo;
}

bool LectorLineas::Siguiente(std::string_view& linea, long& numero)
{
    while (pos_ < texto_.size()) {
        // The line ends at the first CR or LF: memchr for each is faster
        // than looking for either byte by byte.
        const char* inicio = texto_.data() + pos_;
        const size_t resto = texto_.size() - pos_;
        const void* lf = std::memchr(inicio, '\n', resto);
        const size_t hastaLf = lf ? static_cast<size_t>(static_cast<const char*>(lf) - inicio) : resto;
        const void* cr = std::memchr(inicio, '\r', hastaLf);
        const size_t corte = pos_ + (cr ? static_cast<size_t>(static_cast<const char*>(cr) - inicio) : hastaLf);
        linea = texto_.substr(pos_, corte - pos_);
        pos_ = corte;
        if (pos_ < texto_.size()) {
            pos_ += texto_[pos_] == '\r' && pos_ + 1 < texto_.size() && texto_[pos_ + 1] == '\n' ? 2 : 1;
        }
        ++numero_;
        if (!linea.empty()) {
            numero = numero_;
            return true;
        }
    }
    return false;
}


namespace {

// A field the file reader reads as it stands: no blank at its ends, no
// quote, comma or line end.
bool CampoLimpio(std::string_view c)
{
    return c.find_first_of(",\"\r\n") == std::string_view::npos &&
           (c.empty() || (!EsBlanco(c.front()) && !EsBlanco(c.back())));
}

} // namespace

void FilasObservacion::Anadir(std::string_view numero, double hz, double v, double di, double m)
{
    if (parado_)
        return;
    // Before any line has gone to the reader, a point number in plain digits
    // and four short decimals make their row at once, as the row builder
    // makes it from the text of the line.
    const size_t ceros = std::min(numero.find_first_not_of('0'), numero.size());
    const double valores[] = {hz, v, di, m};
    long long millonesimas[4] = {};
    bool directa = texto_.empty() && !numero.empty() && numero.size() - ceros <= 15 &&
                   std::all_of(numero.begin(), numero.end(), EsCifra) && di >= 0.0;
    for (int k = 0; k < 4 && directa; ++k)
        directa = DecimalCorto(valores[k], millonesimas[k]);
    if (directa) {
        char b[16 + 4 * 33];
        size_t n = numero.size() - ceros;
        if (n == 0)
            b[n++] = '0';
        else
            std::memcpy(b, numero.data() + ceros, n);
        for (int k = 0; k < 4; ++k) {
            b[n++] = ' ';
            n += EscribirFijo(b + n, static_cast<unsigned long long>(millonesimas[k]), 6, k < 2 ? 4 : 3,
                              valores[k] < 0.0);
        }
        filas_.emplace_back(b, n);
        return;
    }
    linea_.assign(numero);
    for (int k = 0; k < 4; ++k) {
        linea_ += ',';
        if (std::isfinite(valores[k]) && !(k == 2 && valores[k] < 0.0))
            AnadirValor(linea_, valores[k]);
    }
    AnadirLinea(CampoLimpio(numero));
}

void FilasObservacion::AnadirTexto(std::string_view numero, std::string_view hz, std::string_view v,
                                   std::string_view di, std::string_view m)
{
    linea_.assign(numero);
    bool limpia = CampoLimpio(numero);
    for (std::string_view campo : {hz, v, di, m}) {
        linea_ += ',';
        linea_.append(campo);
        limpia = limpia && CampoLimpio(campo);
    }
    AnadirLinea(limpia);
}

void FilasObservacion::AnadirLinea(bool limpia)
{
    if (parado_)
        return;
    if (limpia && texto_.empty()) {
        std::array<std::string_view, 5> campos;
        std::string_view resto = linea_;
        for (size_t k = 0; k < 5; ++k) {
            const size_t coma = std::min(resto.find(','), resto.size());
            campos[k] = resto.substr(0, coma);
            resto.remove_prefix(std::min(coma + 1, resto.size()));
        }
        if (FilaObservacion(campos, fila_))
            filas_.push_back(std::move(fila_));
        else
            parado_ = true;
        return;
    }
    texto_ += linea_;
    texto_ += "\r\n";
}

std::vector<std::string> FilasObservacion::Filas()
{
    if (!texto_.empty() && !parado_)
        for (std::string& f : LeerObservaciones(texto_).filas)
            filas_.push_back(std::move(f));
    texto_.clear();
    return std::move(filas_);
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
