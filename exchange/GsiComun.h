#pragma once
// The small text helpers the GSI reader and the observation row builder
// share: digits and blanks, and decimals written with fixed places.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace gsi {

// A value between 0.001 and 100000 that a decimal of at most six places
// reads back as: its magnitude in millionths.
inline bool DecimalCorto(double valor, long long& millonesimas)
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
inline size_t EscribirFijo(char* destino, unsigned long long n, int decimales, int mostrados, bool negativo)
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
inline void AnadirValor(std::string& texto, double valor)
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


inline bool EsCifra(char c)
{
    return c >= '0' && c <= '9';
}

inline bool EsBlanco(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace gsi
