#include "core/FicherosTexto.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/TextoNumerico.h"

const char* const DESC_FIN_FICHERO = "Se intentó leer más allá del final del fichero.";
const char* const DESC_DESBORDAMIENTO = "Desbordamiento: un número del fichero es demasiado grande.";

namespace {

// The number of a text by the program's rule, shown with fixed decimals, or
// an empty text when the value cannot be shown (too large to hold).
std::string NumeroTextoOVacio(std::string_view texto, int decimales)
{
    std::string s;
    AnadirFormateado(s, texto, decimales);
    return s;
}

// Row `i` of the list, or an empty text past its end.
const std::string& FilaO(const std::vector<std::string>& filas, long i)
{
    static const std::string vacia;
    return i >= 0 && i < static_cast<long>(filas.size()) ? filas[static_cast<size_t>(i)] : vacia;
}

} // namespace

// ---------------------------------------------------------------- list model

Corte PlanCortarBase(int numeroFilas, int seleccion)
{
    Corte c;
    c.nuevaSeleccion = seleccion;
    if (numeroFilas <= 0 || seleccion < 0 || seleccion >= numeroFilas || seleccion % 6 != 0)
        return c;
    c.inicio = seleccion;
    c.cuantas = numeroFilas - seleccion < 6 ? numeroFilas - seleccion : 6;
    c.nuevaSeleccion = -1;
    return c;
}

Corte PlanCortarFila(int numeroFilas, int seleccion)
{
    Corte c;
    c.nuevaSeleccion = seleccion;
    if (numeroFilas <= 0 || seleccion < 0 || seleccion >= numeroFilas)
        return c;
    c.inicio = seleccion;
    c.cuantas = 1;
    if (numeroFilas == 1)
        c.nuevaSeleccion = -1;
    else
        c.nuevaSeleccion = seleccion > 0 ? seleccion - 1 : 0;
    return c;
}

TextosSeleccion TextosBase(const std::string& nombre, const std::string& x, const std::string& y,
                           const std::string& z)
{
    return {nombre, NumeroTextoOVacio(x, 3), NumeroTextoOVacio(y, 3), NumeroTextoOVacio(z, 3)};
}

TextosSeleccion TextosPunto(const std::string& fila)
{
    return {std::string(PalabraFila(fila, 0)), NumeroTextoOVacio(PalabraFila(fila, 1), 3),
            NumeroTextoOVacio(PalabraFila(fila, 2), 3), NumeroTextoOVacio(PalabraFila(fila, 3), 3)};
}

// ------------------------------------------------------------- row builders

std::array<std::string, 6> FilasBase(const std::string& nombre, double x, double y, double z)
{
    return {nombre, std::string(), F3(x), F3(y), F3(z), std::string()};
}

bool FilasBaseTecleada(const std::string& nombre, const std::string& x, const std::string& y,
                       const std::string& z, std::array<std::string, 6>& filas)
{
    if (nombre.empty() || !EsNumero(x) || !EsNumero(y) || !EsNumero(z))
        return false;
    const double vx = LeerNumero(x);
    const double vy = LeerNumero(y);
    const double vz = LeerNumero(z);
    // Hundreds of typed digits read as a value too large to show.
    if (!std::isfinite(vx) || !std::isfinite(vy) || !std::isfinite(vz))
        return false;
    filas = FilasBase(nombre, vx, vy, vz);
    return true;
}

std::string FilaPunto(const std::string& numero, double x, double y, double z)
{
    std::string r;
    r.reserve(numero.size() + 48);
    r += numero;
    r += ' ';
    r += F3(x);
    r += ' ';
    r += F3(y);
    r += ' ';
    r += F3(z);
    return r;
}

std::string NumeroPunto(double valor)
{
    if (!std::isfinite(valor))
        return {};
    // nearbyint rounds halves to the even neighbour in the default mode.
    const double r = std::nearbyint(valor);
    if (std::fabs(r) < 9.0e18) {
        const auto entero = static_cast<long long>(r);
        return std::to_string(entero);
    }
    return Formatear(r, 0);
}

std::string_view PalabraFila(std::string_view fila, int k)
{
    size_t pos = 0;
    for (int cuenta = 0; cuenta < k; ++cuenta) {
        const size_t blanco = fila.find(' ', pos);
        if (blanco == std::string_view::npos)
            return {};
        pos = blanco + 1;
    }
    const size_t fin = fila.find(' ', pos);
    return fila.substr(pos, fin == std::string_view::npos ? std::string_view::npos : fin - pos);
}

// ---------------------------------------------------------------- readers

namespace {

void Fallo(ResultadoLectura& r, const char* descripcion)
{
    r.fallo = true;
    r.descripcion = descripcion;
}

} // namespace

namespace {

// A row of a list built field by field, straight into a buffer: files of many
// thousand lines go through here. A field that is not a plain number takes
// the long way, and a row too long for the buffer goes on in a string.
class ConstructorFila {
public:
    void Blanco() { Anadir(" ", 1); }

    // A number field with fixed decimals; false when it cannot be shown.
    bool Numero(std::string_view campo, int decimales)
    {
        if (n_ + LARGO_SENCILLO <= sizeof b_) {
            const size_t k = FormatearSencillo(b_ + n_, campo, decimales);
            if (k > 0) {
                n_ += k;
                return true;
            }
        }
        std::string texto;
        if (!AnadirFormateado(texto, campo, decimales))
            return false;
        Anadir(texto.data(), texto.size());
        return true;
    }

    // A point number: a whole number in plain digits goes as it stands,
    // without leading zeros; anything else is read and rounded by NumeroPunto.
    bool Punto(std::string_view t)
    {
        const size_t signo = !t.empty() && (t[0] == '+' || t[0] == '-') ? 1 : 0;
        size_t inicio = signo;
        while (inicio < t.size() && t[inicio] == '0')
            ++inicio;
        size_t fin = inicio;
        while (fin < t.size() && t[fin] >= '0' && t[fin] <= '9')
            ++fin;
        if (t.size() > signo && fin == t.size() && fin - inicio <= 15) {
            if (fin == inicio) {
                Anadir("0", 1);
            } else {
                if (t[0] == '-')
                    Anadir("-", 1);
                Anadir(t.data() + inicio, fin - inicio);
            }
            return true;
        }
        const std::string numero = NumeroPunto(LeerDecimal(std::string(t)));
        Anadir(numero.data(), numero.size());
        return !numero.empty();
    }

    // The row built, and the builder empty for the next.
    std::string Tomar()
    {
        const size_t n = n_;
        n_ = 0;
        if (largo_.empty())
            return {b_, n};
        std::string r = std::move(largo_);
        largo_.clear();
        r.append(b_, n);
        return r;
    }

private:
    void Anadir(const char* p, size_t k)
    {
        if (n_ + k > sizeof b_) {
            largo_.append(b_, n_);
            n_ = 0;
            if (k > sizeof b_) {
                largo_.append(p, k);
                return;
            }
        }
        std::memcpy(b_ + n_, p, k);
        n_ += k;
    }

    char b_[256];
    size_t n_ = 0;
    std::string largo_;
};

} // namespace

ResultadoLectura LeerBases(std::string_view texto)
{
    ResultadoLectura r;
    r.filas.reserve(texto.size() / 40 * 6);
    LectorCampos lector(texto);
    std::string_view nombre;
    std::array<std::string_view, 3> campos;
    std::array<std::string, 3> coordenadas;
    while (!lector.Fin()) {
        for (std::string_view* c : {&nombre, &campos[0], &campos[1], &campos[2]}) {
            if (!lector.Leer(*c)) {
                Fallo(r, DESC_FIN_FICHERO);
                return r;
            }
        }
        for (size_t k = 0; k < 3; ++k) {
            coordenadas[k].clear();
            if (!AnadirFormateado(coordenadas[k], campos[k], 3)) {
                Fallo(r, DESC_DESBORDAMIENTO);
                return r;
            }
        }
        r.filas.push_back(TextoUtf8(nombre));
        r.filas.emplace_back();
        for (auto& c : coordenadas)
            r.filas.push_back(std::move(c));
        r.filas.emplace_back();
    }
    return r;
}

ResultadoLectura LeerPuntos(std::string_view texto)
{
    ResultadoLectura r;
    r.filas.reserve(texto.size() / 32);
    LectorCampos lector(texto);
    std::string_view linea;
    ConstructorFila fila;
    while (!lector.Fin()) {
        if (!lector.Leer(linea)) {
            Fallo(r, DESC_FIN_FICHERO);
            return r;
        }
        // The words in one pass: each ends at a single blank; missing ones are empty.
        size_t pos = 0;
        const auto palabra = [&linea, &pos] {
            if (pos > linea.size())
                return std::string_view();
            const size_t fin = std::min(linea.find(' ', pos), linea.size());
            const std::string_view w = linea.substr(pos, fin - pos);
            pos = fin + 1;
            return w;
        };
        bool bien = fila.Punto(palabra());
        for (int k = 1; k <= 3 && bien; ++k) {
            fila.Blanco();
            bien = fila.Numero(palabra(), 3);
        }
        if (!bien) {
            Fallo(r, DESC_DESBORDAMIENTO);
            return r;
        }
        r.filas.push_back(fila.Tomar());
    }
    return r;
}

bool FilaObservacion(const std::array<std::string_view, 5>& campos, std::string& fila)
{
    ConstructorFila f;
    bool bien = f.Punto(campos[0]);
    for (size_t k = 1; k < 5 && bien; ++k) {
        f.Blanco();
        bien = f.Numero(campos[k], k < 3 ? 4 : 3);
    }
    fila = f.Tomar();
    return bien;
}

ResultadoLectura LeerObservaciones(std::string_view texto)
{
    ResultadoLectura r;
    r.filas.reserve(texto.size() / 32);
    LectorCampos lector(texto);
    std::array<std::string_view, 5> campos;
    std::string fila;
    while (!lector.Fin()) {
        for (auto& c : campos) {
            if (!lector.Leer(c)) {
                Fallo(r, DESC_FIN_FICHERO);
                return r;
            }
        }
        if (!FilaObservacion(campos, fila)) {
            Fallo(r, DESC_DESBORDAMIENTO);
            return r;
        }
        r.filas.push_back(std::move(fila));
        fila.clear();
    }
    return r;
}

// ---------------------------------------------------------------- writers

std::string EscribirBases(const std::vector<std::string>& filas)
{
    std::string r;
    const long n = static_cast<long>(filas.size());
    r.reserve(static_cast<size_t>(n) * 12 + 16);
    for (long i = 0; i <= n - 1; i += 6) {
        r += '"';
        r += filas[static_cast<size_t>(i)];
        r += '"';
        for (long k = 2; k <= 4; ++k) {
            r += ",\"";
            r += NumeroTextoOVacio(FilaO(filas, i + k), 3);
            r += '"';
        }
        r += "\r\n";
    }
    return r;
}

namespace {

// Every row followed by CR LF; empty rows left out when asked.
std::string EscribirFilas(const std::vector<std::string>& filas, bool saltarVacias)
{
    std::string r;
    size_t total = 0;
    for (const auto& f : filas)
        total += f.size() + 2;
    r.reserve(total);
    for (const auto& f : filas) {
        if (saltarVacias && f.empty())
            continue;
        r += f;
        r += "\r\n";
    }
    return r;
}

} // namespace

std::string EscribirPuntos(const std::vector<std::string>& filas)
{
    return EscribirFilas(filas, true);
}

std::string EscribirTense(const std::vector<std::string>& filas)
{
    return EscribirFilas(filas, false);
}

// ---------------------------------------------------------------- texts

namespace {

bool EsUtf8(std::string_view t)
{
    size_t i = 0;
    const size_t n = t.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(t[i]);
        size_t largo;
        uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            largo = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            largo = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            largo = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + largo > n)
            return false;
        for (size_t k = 1; k < largo; ++k) {
            const auto s = static_cast<unsigned char>(t[i + k]);
            if ((s & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (s & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((largo == 2 && cp < 0x80) || (largo == 3 && cp < 0x800) || (largo == 4 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += largo;
    }
    return true;
}

} // namespace

std::string TextoUtf8(std::string_view texto)
{
    if (EsUtf8(texto))
        return std::string(texto);
    std::string r;
    r.reserve(texto.size() * 2);
    for (const char ch : texto) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            r += ch;
        } else {
            r += static_cast<char>(0xC0 | (c >> 6));
            r += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return r;
}

bool NumeroDeFila(const std::string& fila, double& numero)
{
    // Word 0 ends at the first blank; the observation files always give a
    // whole number there. Anything else cannot be a point of a block.
    const size_t fin = fila.find(' ');
    const std::string palabra = fila.substr(0, fin);
    if (!EsNumero(palabra))
        return false;
    const double v = LeerNumero(palabra);
    if (!std::isfinite(v) || v != std::trunc(v))
        return false;
    numero = v;
    return true;
}

FilasBloque LocalizarBloque(const std::vector<std::string>& observaciones, double ptoI, double ptoF)
{
    FilasBloque f;
    for (size_t k = 0; k < observaciones.size(); ++k) {
        double n = 0.0;
        if (!NumeroDeFila(observaciones[k], n))
            continue;
        if (n == ptoI)
            f.primera = static_cast<long>(k);
        if (n == ptoF)
            f.ultima = static_cast<long>(k);
        if (f.primera >= 0 && f.ultima >= 0)
            break;
    }
    return f;
}

// ---------------------------------------------------- points from the lists

namespace {

bool LeerCoordenada(std::string_view texto, double& valor)
{
    // The rows the program writes hold plain decimals ("-12.345"): read at
    // once, as LeerNumero would read them.
    const char* const fin = texto.data() + texto.size();
    const char* p = texto.data() + (!texto.empty() && texto[0] == '-' ? 1 : 0);
    if (p < fin && ((*p >= '0' && *p <= '9') || *p == '.')) {
        const auto r = std::from_chars(p, fin, valor, std::chars_format::fixed);
        if (r.ec == std::errc() && r.ptr == fin) {
            valor = texto[0] == '-' ? -valor : valor;
            return true;
        }
    }
    const std::string t(texto);
    if (!EsNumero(t))
        return false;
    valor = LeerNumero(t);
    return std::isfinite(valor);
}

} // namespace

std::vector<objPto> LeerListaBases(const std::vector<std::string>& filas)
{
    std::vector<objPto> r;
    for (size_t i = 0; i + 4 < filas.size(); i += 6) {
        objPto p;
        p.N = filas[i];
        if (LeerCoordenada(filas[i + 2], p.X) && LeerCoordenada(filas[i + 3], p.Y) &&
            LeerCoordenada(filas[i + 4], p.Z))
            r.push_back(std::move(p));
    }
    return r;
}

bool LeerFilaPunto(std::string_view fila, objPto& punto)
{
    if (!LeerCoordenada(PalabraFila(fila, 1), punto.X) || !LeerCoordenada(PalabraFila(fila, 2), punto.Y) ||
        !LeerCoordenada(PalabraFila(fila, 3), punto.Z))
        return false;
    punto.N = std::string(PalabraFila(fila, 0));
    return true;
}

std::vector<objPto> LeerListaPuntos(const std::vector<std::string>& filas)
{
    std::vector<objPto> r;
    r.reserve(filas.size());
    objPto p;
    for (const std::string& f : filas)
        if (LeerFilaPunto(f, p))
            r.push_back(p);
    return r;
}

std::vector<objPto> LeerListaColumnas(const std::vector<std::string>& filas)
{
    std::vector<objPto> r;
    objPto p;
    for (const std::string& f : filas) {
        // The first four words, whatever the blanks between them.
        std::string palabras;
        size_t i = 0;
        for (int k = 0; k < 4; ++k) {
            i = f.find_first_not_of(' ', i);
            if (i == std::string::npos)
                break;
            const size_t fin = std::min(f.find(' ', i), f.size());
            palabras += (k ? " " : "") + f.substr(i, fin - i);
            i = fin;
        }
        if (LeerFilaPunto(palabras, p))
            r.push_back(p);
    }
    return r;
}
