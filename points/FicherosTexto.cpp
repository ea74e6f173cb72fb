#include "points/FicherosTexto.h"

#include <cmath>
#include <cstdint>

#include "core/TextoNumerico.h"

const char* const DESC_FIN_FICHERO = "Se intentó leer más allá del final del fichero.";
const char* const DESC_DESBORDAMIENTO = "Desbordamiento: un número del fichero es demasiado grande.";

namespace {

bool EsBlanco(char c)
{
    return c == ' ' || c == '\t';
}

bool EsFinLinea(char c)
{
    return c == '\r' || c == '\n';
}

// The number of a text by the program's rule, shown with fixed decimals; false
// when the value cannot be shown (too large to hold).
bool NumeroTexto(const std::string& texto, int decimales, std::string& salida)
{
    const double v = LeerNumero(texto);
    if (!std::isfinite(v))
        return false;
    salida = Formatear(v, decimales);
    return true;
}

std::string NumeroTextoOVacio(const std::string& texto, int decimales)
{
    std::string s;
    NumeroTexto(texto, decimales, s);
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

void AplicarCorte(ListaFilas& lista, const Corte& corte)
{
    if (corte.cuantas > 0) {
        const auto inicio = lista.filas.begin() + corte.inicio;
        lista.filas.erase(inicio, inicio + corte.cuantas);
    }
    lista.seleccion = corte.nuevaSeleccion;
}

void CortarBaseSeleccionada(ListaFilas& lista)
{
    AplicarCorte(lista, PlanCortarBase(static_cast<int>(lista.filas.size()), lista.seleccion));
}

void CortarFilaSeleccionada(ListaFilas& lista)
{
    AplicarCorte(lista, PlanCortarFila(static_cast<int>(lista.filas.size()), lista.seleccion));
}

TextosSeleccion TextosBase(const std::string& nombre, const std::string& x, const std::string& y,
                           const std::string& z)
{
    return {nombre, NumeroTextoOVacio(x, 3), NumeroTextoOVacio(y, 3), NumeroTextoOVacio(z, 3)};
}

TextosSeleccion MostrarBaseSeleccionada(const ListaFilas& lista)
{
    const long s = lista.seleccion;
    if (s < 0 || s >= static_cast<long>(lista.filas.size()) || s % 6 != 0)
        return {};
    return TextosBase(FilaO(lista.filas, s), FilaO(lista.filas, s + 2), FilaO(lista.filas, s + 3),
                      FilaO(lista.filas, s + 4));
}

TextosSeleccion TextosPunto(const std::string& fila)
{
    return {std::string(PalabraFila(fila, 0)), NumeroTextoOVacio(std::string(PalabraFila(fila, 1)), 3),
            NumeroTextoOVacio(std::string(PalabraFila(fila, 2)), 3),
            NumeroTextoOVacio(std::string(PalabraFila(fila, 3)), 3)};
}

TextosSeleccion MostrarPuntoSeleccionado(const ListaFilas& lista)
{
    const long s = lista.seleccion;
    if (s < 0 || s >= static_cast<long>(lista.filas.size()))
        return {};
    return TextosPunto(lista.filas[static_cast<size_t>(s)]);
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

std::string FilaObservacion(const std::string& numero, double hz, double v, double di, double m)
{
    std::string r;
    r.reserve(numero.size() + 48);
    r += numero;
    r += ' ';
    r += F4(hz);
    r += ' ';
    r += F4(v);
    r += ' ';
    r += F3(di);
    r += ' ';
    r += F3(m);
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

// ------------------------------------------------------------- field reader

LectorCampos::LectorCampos(std::string_view texto) : t_(texto)
{
    // A byte order mark written by some editors is not data.
    if (t_.size() >= 3 && t_.substr(0, 3) == "\xEF\xBB\xBF")
        pos_ = 3;
}

bool LectorCampos::Fin() const
{
    size_t i = pos_;
    while (i < t_.size() && (EsBlanco(t_[i]) || EsFinLinea(t_[i])))
        ++i;
    return i >= t_.size();
}

bool LectorCampos::Leer(std::string& campo)
{
    campo.clear();
    const size_t n = t_.size();
    if (trasComa_) {
        while (pos_ < n && EsBlanco(t_[pos_]))
            ++pos_;
    } else {
        while (pos_ < n && (EsBlanco(t_[pos_]) || EsFinLinea(t_[pos_])))
            ++pos_;
    }
    if (pos_ >= n)
        return false;

    if (t_[pos_] == '"') {
        const size_t inicio = pos_ + 1;
        size_t i = inicio;
        while (i < n && t_[i] != '"' && !EsFinLinea(t_[i]))
            ++i;
        campo.assign(t_.data() + inicio, i - inicio);
        pos_ = i;
        if (pos_ < n && t_[pos_] == '"') {
            ++pos_;
            // Anything after the closing quote up to the separator is dropped.
            while (pos_ < n && t_[pos_] != ',' && !EsFinLinea(t_[pos_]))
                ++pos_;
        }
    } else {
        const size_t inicio = pos_;
        size_t i = inicio;
        while (i < n && t_[i] != ',' && !EsFinLinea(t_[i]))
            ++i;
        size_t fin = i;
        while (fin > inicio && EsBlanco(t_[fin - 1]))
            --fin;
        campo.assign(t_.data() + inicio, fin - inicio);
        pos_ = i;
    }

    // The separator that closes the field.
    trasComa_ = false;
    if (pos_ < n) {
        if (t_[pos_] == ',') {
            trasComa_ = true;
            ++pos_;
        } else if (t_[pos_] == '\r') {
            ++pos_;
            if (pos_ < n && t_[pos_] == '\n')
                ++pos_;
        } else if (t_[pos_] == '\n') {
            ++pos_;
        }
    }
    return true;
}

// ---------------------------------------------------------------- readers

namespace {

void Fallo(ResultadoLectura& r, const char* descripcion)
{
    r.fallo = true;
    r.descripcion = descripcion;
}

} // namespace

ResultadoLectura LeerBases(std::string_view texto)
{
    ResultadoLectura r;
    LectorCampos lector(texto);
    std::string nombre;
    std::string campo;
    std::array<std::string, 3> coordenadas;
    while (!lector.Fin()) {
        if (!lector.Leer(nombre)) {
            Fallo(r, DESC_FIN_FICHERO);
            return r;
        }
        for (auto& c : coordenadas) {
            if (!lector.Leer(campo)) {
                Fallo(r, DESC_FIN_FICHERO);
                return r;
            }
            if (!NumeroTexto(campo, 3, c)) {
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
    LectorCampos lector(texto);
    std::string campo;
    while (!lector.Fin()) {
        if (!lector.Leer(campo)) {
            Fallo(r, DESC_FIN_FICHERO);
            return r;
        }
        const std::string_view linea(campo);
        const std::string numero = NumeroPunto(LeerDecimal(std::string(PalabraFila(linea, 0))));
        std::string x, y, z;
        if (numero.empty() || !NumeroTexto(std::string(PalabraFila(linea, 1)), 3, x) ||
            !NumeroTexto(std::string(PalabraFila(linea, 2)), 3, y) ||
            !NumeroTexto(std::string(PalabraFila(linea, 3)), 3, z)) {
            Fallo(r, DESC_DESBORDAMIENTO);
            return r;
        }
        std::string fila;
        fila.reserve(numero.size() + x.size() + y.size() + z.size() + 3);
        fila += numero;
        fila += ' ';
        fila += x;
        fila += ' ';
        fila += y;
        fila += ' ';
        fila += z;
        r.filas.push_back(std::move(fila));
    }
    return r;
}

ResultadoLectura LeerObservaciones(std::string_view texto)
{
    ResultadoLectura r;
    LectorCampos lector(texto);
    std::array<std::string, 5> campos;
    std::array<std::string, 5> textos;
    while (!lector.Fin()) {
        for (auto& c : campos) {
            if (!lector.Leer(c)) {
                Fallo(r, DESC_FIN_FICHERO);
                return r;
            }
        }
        textos[0] = NumeroPunto(LeerDecimal(campos[0]));
        bool bien = !textos[0].empty();
        for (int k = 1; k < 5 && bien; ++k)
            bien = NumeroTexto(campos[static_cast<size_t>(k)], k < 3 ? 4 : 3, textos[static_cast<size_t>(k)]);
        if (!bien) {
            Fallo(r, DESC_DESBORDAMIENTO);
            return r;
        }
        std::string fila;
        fila.reserve(textos[0].size() + textos[1].size() + textos[2].size() + textos[3].size() + textos[4].size() +
                     4);
        for (size_t k = 0; k < 5; ++k) {
            if (k > 0)
                fila += ' ';
            fila += textos[k];
        }
        r.filas.push_back(std::move(fila));
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
