#pragma once
// What the instrument readers share: the units a file declares, fields and
// columns of a line, angles and measurements turned into grads and metres.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/Descargas.h"

namespace descargas {

constexpr double PIE = 0.3048;
constexpr double PIE_US = 1200.0 / 3937.0;

enum class Angulo { Grados, Sexagesimal, Gon, Mil };

// The units a file declares, and what it assumes where it says nothing.
struct Unidades {
    Angulo angulo = Angulo::Gon;
    double metro = 1.0;    // metres per unit of length
    bool horizonte = false; // vertical angles measured from the horizon
};

inline bool Blanco(char c)
{
    return c == ' ' || c == '\t';
}

inline std::string_view Recortar(std::string_view t)
{
    while (!t.empty() && Blanco(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && Blanco(t.back()))
        t.remove_suffix(1);
    return t;
}

// A plain decimal number, blanks around it allowed; false for anything else.
inline bool Numero(std::string_view t, double& valor)
{
    t = Recortar(t);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    if (t.empty())
        return false;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), valor, std::chars_format::fixed);
    return r.ec == std::errc() && r.ptr == t.data() + t.size() && std::isfinite(valor);
}

inline bool Mayusculas(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

inline bool Empieza(std::string_view t, std::string_view prefijo)
{
    return t.size() >= prefijo.size() && Mayusculas(t.substr(0, prefijo.size()), prefijo);
}

// An angle in the file's unit, in grads.
inline bool AnguloGrads(std::string_view t, Angulo u, double& grads)
{
    double v = 0.0;
    if (u == Angulo::Sexagesimal)
        return SexagesimalAGrads(t, grads);
    if (!Numero(t, v))
        return false;
    switch (u) {
    case Angulo::Grados: grads = v * 400.0 / 360.0; break;
    case Angulo::Mil: grads = v * 400.0 / 6400.0; break;
    default: grads = v; break;
    }
    return true;
}

// Hz, V and the distance of an observation in the file's units, into grads
// and metres; the reason when one of them cannot be read.
inline bool Medida(std::string_view hz, std::string_view v, std::string_view di, const Unidades& u, double& ghz,
            double& gv, double& mdi, std::string& motivo)
{
    if (!AnguloGrads(hz, u.angulo, ghz)) {
        motivo = "el ángulo horizontal «" + std::string(Recortar(hz)) + "» no es válido";
        return false;
    }
    if (!AnguloGrads(v, u.angulo, gv)) {
        motivo = "el ángulo vertical «" + std::string(Recortar(v)) + "» no es válido";
        return false;
    }
    if (u.horizonte)
        gv = 100.0 - gv;
    mdi = -1.0;
    if (!Recortar(di).empty()) {
        if (!Numero(di, mdi) || mdi < 0.0) {
            motivo = "la distancia «" + std::string(Recortar(di)) + "» no es válida";
            return false;
        }
        mdi *= u.metro;
    }
    return true;
}

// The point number of an ID, noting a shortened one; the reason when it has
// no digits.
inline bool Identificador(std::string_view id, LecturaDescarga& r, std::string& numero, std::string& motivo)
{
    bool acortado = false;
    if (!NumeroDeIdentificador(id, numero, acortado)) {
        motivo = "el identificador de punto «" + std::string(Recortar(id)) + "» no tiene cifras que den su número";
        return false;
    }
    if (acortado)
        AnotarAcortado(r.acortados, Recortar(id), numero);
    return true;
}

// The comma-separated fields of a line (blanks around each dropped).
inline void Campos(std::string_view linea, std::vector<std::string_view>& campos)
{
    campos.clear();
    size_t i = 0;
    while (true) {
        const size_t coma = linea.find(',', i);
        campos.push_back(Recortar(linea.substr(i, coma == std::string_view::npos ? std::string_view::npos : coma - i)));
        if (coma == std::string_view::npos)
            break;
        i = coma + 1;
    }
}

inline std::string_view Campo(const std::vector<std::string_view>& campos, size_t k)
{
    return k < campos.size() ? campos[k] : std::string_view();
}

inline std::string_view Columnas(std::string_view linea, size_t desde, size_t largo)
{
    // Columns counted from 1, as the record layouts give them.
    if (desde - 1 >= linea.size())
        return {};
    return linea.substr(desde - 1, largo);
}

} // namespace descargas
