#include "core/TextoNumerico.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool EsBlanco(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool EsDigito(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string ComaAPunto(const std::string& texto)
{
    std::string r = texto;
    const auto pos = r.find(',');
    if (pos != std::string::npos)
        r[pos] = '.';
    return r;
}

double LeerDecimal(const std::string& texto)
{
    // Gather the characters of the number, blanks left out, then convert them
    // independently of the system locale.
    std::string limpio;
    limpio.reserve(32);
    bool digitos = false;
    bool punto = false;
    bool exponente = false;
    bool digitosExponente = false;
    size_t marcaExponente = 0;
    size_t i = 0;
    while (i < texto.size() && EsBlanco(texto[i]))
        ++i;
    if (i < texto.size() && (texto[i] == '+' || texto[i] == '-')) {
        if (texto[i] == '-')
            limpio += '-';
        ++i;
    }
    for (; i < texto.size(); ++i) {
        const char c = texto[i];
        if (EsBlanco(c))
            continue;
        if (EsDigito(c)) {
            limpio += c;
            if (exponente)
                digitosExponente = true;
            else
                digitos = true;
        } else if (c == '.' && !punto && !exponente) {
            limpio += c;
            punto = true;
        } else if ((c == 'E' || c == 'e' || c == 'D' || c == 'd') && !exponente && digitos) {
            marcaExponente = limpio.size();
            limpio += 'e';
            exponente = true;
            if (i + 1 < texto.size() && (texto[i + 1] == '+' || texto[i + 1] == '-')) {
                limpio += texto[i + 1];
                ++i;
            }
        } else {
            break;
        }
    }
    if (!digitos)
        return 0.0;
    if (exponente && !digitosExponente)
        limpio.resize(marcaExponente);

    double valor = 0.0;
    const char* inicio = limpio.data();
    const char* fin = inicio + limpio.size();
    if (*inicio == '-')
        ++inicio;
    const auto r = std::from_chars(inicio, fin, valor, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Too large gives a non-finite value (a fault for the caller); too
        // small to represent reads 0.
        const bool grande = std::strtod(limpio.c_str(), nullptr) != 0.0;
        valor = grande ? HUGE_VAL : 0.0;
    } else if (r.ec != std::errc()) {
        valor = 0.0;
    }
    return limpio[0] == '-' ? -valor : valor;
}

double LeerNumero(const std::string& texto)
{
    return LeerDecimal(ComaAPunto(texto));
}

double LeerEntero(const std::string& texto)
{
    return std::nearbyint(LeerNumero(texto));
}

bool EsNumero(const std::string& texto)
{
    size_t i = 0;
    const size_t n = texto.size();
    while (i < n && EsBlanco(texto[i]))
        ++i;
    if (i < n && (texto[i] == '+' || texto[i] == '-'))
        ++i;
    bool digitos = false;
    bool separador = false;
    for (; i < n; ++i) {
        const char c = texto[i];
        if (EsDigito(c))
            digitos = true;
        else if ((c == '.' || c == ',') && !separador)
            separador = true;
        else
            break;
    }
    while (i < n && EsBlanco(texto[i]))
        ++i;
    return digitos && i == n;
}

std::string Formatear(double valor, int decimales)
{
    if (!std::isfinite(valor))
        return {};
    if (decimales < 0)
        decimales = 0;

    // The value is first taken to 15 significant digits, as a person reads
    // it, and that decimal text is rounded half away from zero: 1.0005
    // shows 1.001 with three decimals.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(valor), std::chars_format::scientific, 14);
    std::string cientifico(buf, r.ptr);
    const auto posE = cientifico.find('e');
    const int exp10 = std::atoi(cientifico.c_str() + posE + 1);
    std::string mantisa;
    for (size_t k = 0; k < posE; ++k)
        if (cientifico[k] != '.')
            mantisa += cientifico[k];
    // mantisa holds 15 digits d0 d1 ... with value d0.d1d2... x 10^exp10.

    // Digits of the integer part and of the fraction, exactly.
    std::string entera;
    std::string fraccion;
    const int digitosEnteros = exp10 + 1;
    if (digitosEnteros <= 0) {
        entera = "0";
        fraccion = std::string(static_cast<size_t>(-digitosEnteros), '0') + mantisa;
    } else if (digitosEnteros >= static_cast<int>(mantisa.size())) {
        entera = mantisa + std::string(static_cast<size_t>(digitosEnteros) - mantisa.size(), '0');
    } else {
        entera = mantisa.substr(0, static_cast<size_t>(digitosEnteros));
        fraccion = mantisa.substr(static_cast<size_t>(digitosEnteros));
    }

    const auto d = static_cast<size_t>(decimales);
    bool redondearArriba = fraccion.size() > d && fraccion[d] >= '5';
    if (fraccion.size() < d)
        fraccion.append(d - fraccion.size(), '0');
    fraccion.resize(d);

    std::string cifras = entera + fraccion;
    if (redondearArriba) {
        int k = static_cast<int>(cifras.size()) - 1;
        while (k >= 0 && cifras[static_cast<size_t>(k)] == '9') {
            cifras[static_cast<size_t>(k)] = '0';
            --k;
        }
        if (k >= 0)
            ++cifras[static_cast<size_t>(k)];
        else
            cifras.insert(cifras.begin(), '1');
    }
    const size_t largoEntero = cifras.size() - d;
    std::string resultado = cifras.substr(0, largoEntero);
    if (d > 0)
        resultado += '.' + cifras.substr(largoEntero);

    const bool todoCeros = cifras.find_first_not_of('0') == std::string::npos;
    if (valor < 0 && !todoCeros)
        resultado.insert(resultado.begin(), '-');
    return resultado;
}

size_t FormatearSencillo(char* destino, std::string_view t, int decimales, bool comaDecimal)
{
    if (t.empty() || t.size() > 40 || decimales < 0 || decimales > MAX_DECIMALES_SENCILLO)
        return 0;
    const char* p = t.data();
    const char* const fin = p + t.size();
    const bool negativo = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    const char* const primera = p;
    while (p < fin && *p == '0')
        ++p;
    const char* const iniEntera = p;
    while (p < fin && EsDigito(*p))
        ++p;
    const char* const finEntera = p;
    const char* iniFraccion = p;
    const char* finFraccion = p;
    if (p < fin && (*p == '.' || (comaDecimal && *p == ','))) {
        iniFraccion = ++p;
        while (p < fin && EsDigito(*p))
            ++p;
        finFraccion = p;
    }
    if (p != fin || (finEntera == primera && finFraccion == iniFraccion))
        return 0;
    const auto largoEntera = static_cast<size_t>(finEntera - iniEntera);
    const auto largoFraccion = static_cast<size_t>(finFraccion - iniFraccion);
    if (largoEntera > 15)
        return 0;
    if (largoEntera + largoFraccion > 15) {
        // Count the significant digits: trailing zeros of the fraction do not
        // count, nor, without an integer part, its leading zeros.
        const char* ultima = finFraccion;
        while (ultima > iniFraccion && ultima[-1] == '0')
            --ultima;
        const char* inicio = iniFraccion;
        if (largoEntera == 0)
            while (inicio < ultima && *inicio == '0')
                ++inicio;
        if (largoEntera + static_cast<size_t>(ultima - inicio) > 15)
            return 0;
    }

    // Room for a carry before the integer digits; the point sits at `punto`.
    char b[LARGO_SENCILLO + 2];
    char* const cifras = b + 1;
    size_t punto = 1;
    if (largoEntera == 0) {
        cifras[0] = '0';
    } else {
        std::memcpy(cifras, iniEntera, largoEntera);
        punto = largoEntera;
    }
    const auto d = static_cast<size_t>(decimales);
    const size_t copiadas = largoFraccion < d ? largoFraccion : d;
    cifras[punto] = '.';
    std::memcpy(cifras + punto + 1, iniFraccion, copiadas);
    std::memset(cifras + punto + 1 + copiadas, '0', d - copiadas);
    const size_t largo = d > 0 ? punto + 1 + d : punto;

    char* inicio = cifras;
    size_t total = largo;
    if (largoFraccion > d && iniFraccion[d] >= '5') {
        size_t k = largo;
        bool arrastre = true;
        while (arrastre && k-- > 0) {
            if (cifras[k] == '.')
                continue;
            if (cifras[k] == '9') {
                cifras[k] = '0';
            } else {
                ++cifras[k];
                arrastre = false;
            }
        }
        if (arrastre) {
            *--inicio = '1';
            ++total;
        }
    }
    bool todoCeros = true;
    for (size_t k = 0; k < total && todoCeros; ++k)
        todoCeros = inicio[k] == '0' || inicio[k] == '.';
    size_t n = 0;
    if (negativo && !todoCeros)
        destino[n++] = '-';
    std::memcpy(destino + n, inicio, total);
    return n + total;
}

bool AnadirFormateado(std::string& salida, std::string_view texto, int decimales, bool comaDecimal)
{
    char sencillo[LARGO_SENCILLO];
    const size_t largo = FormatearSencillo(sencillo, texto, decimales, comaDecimal);
    if (largo > 0) {
        salida.append(sencillo, largo);
        return true;
    }
    const std::string t(texto);
    const double v = comaDecimal ? LeerNumero(t) : LeerDecimal(t);
    if (!std::isfinite(v))
        return false;
    salida += Formatear(v, decimales);
    return true;
}
