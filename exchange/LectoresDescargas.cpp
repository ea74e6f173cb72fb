#include "exchange/Descargas.h"

#include <string>
#include <vector>

#include "exchange/DescargasComun.h"

// The readers of the instruments' own downloads: Sokkia SDR, Topcon GTS,
// Nikon RAW and Rec Elta.

using namespace descargas;

// ------------------------------------------------------------- Sokkia SDR

LecturaDescarga LeerSdr33(std::string_view texto)
{
    LecturaDescarga r;
    FilasObservacion filas;
    Unidades u;
    u.angulo = Angulo::Grados;
    bool sdr2x = false;
    double senal = 0.0;
    std::string_view linea;
    long n = 0;
    std::string numero, motivo;
    LectorLineas lineas(texto);
    while (lineas.Siguiente(linea, n)) {
        if (Recortar(linea).empty())
            continue;
        const size_t id = sdr2x ? 4 : 16;
        const size_t val = sdr2x ? 10 : 16;
        const std::string_view tipo = linea.substr(0, std::min<size_t>(linea.size(), 4));
        const auto noLeida = [&r, n](const std::string& m) { r.noLeidas.push_back({n, m}); };
        if (Empieza(tipo, "00NM")) {
            sdr2x = Empieza(Recortar(Columnas(linea, 5, 16)), "SDR2");
            const std::string_view a = Columnas(linea, 41, 1);
            const std::string_view d = Columnas(linea, 42, 1);
            motivo.clear();
            if (a == "1")
                u.angulo = Angulo::Grados;
            else if (a == "2")
                u.angulo = Angulo::Gon;
            else if (a == "4")
                u.angulo = Angulo::Mil;
            else if (!a.empty() && a != " ")
                motivo = "unidad de ángulo «" + std::string(a) + "» desconocida en la cabecera";
            if (d == "2")
                u.metro = PIE;
            else if (d == "1")
                u.metro = 1.0;
            else if (!d.empty() && d != " " && motivo.empty())
                motivo = "unidad de distancia «" + std::string(d) + "» desconocida en la cabecera";
            if (!motivo.empty())
                noLeida(motivo);
        } else if (Empieza(tipo, "01KI")) {
            u.horizonte = Columnas(linea, 51, 1) == "2";
        } else if (Empieza(tipo, "02")) {
            EstacionDescarga e;
            e.linea = n;
            e.numero = std::string(Recortar(Columnas(linea, 5, id)));
            double hi = 0.0;
            const std::string_view t = Columnas(linea, 5 + id + 3 * val, val);
            e.tieneAltura = Numero(t, hi);
            e.alturaInstrumento = hi * u.metro;
            r.estaciones.push_back(e);
        } else if (Empieza(tipo, "03")) {
            double h = 0.0;
            if (Numero(Columnas(linea, 5, val), h))
                senal = h * u.metro;
            else
                noLeida("la altura de señal no es un número");
        } else if (Empieza(tipo, "09")) {
            const size_t p = 5 + id;
            const std::string_view pt = Columnas(linea, p, id);
            const std::string_view sd = Columnas(linea, p + id, val);
            const std::string_view va = Columnas(linea, p + id + val, val);
            const std::string_view ha = Columnas(linea, p + id + 2 * val, val);
            double hz = 0.0, v = 0.0, di = 0.0;
            if (!Identificador(pt, r, numero, motivo) || !Medida(ha, va, sd, u, hz, v, di, motivo)) {
                noLeida(motivo);
                continue;
            }
            filas.Anadir(numero, hz, v, di, senal);
        }
    }
    r.filas = filas.Filas();
    return r;
}

// ------------------------------------------------------------- Topcon GTS

namespace {

bool UnidadesGts(const std::vector<std::string_view>& c, Unidades& u, std::string& motivo)
{
    const std::string_view d = Campo(c, 0), a = Campo(c, 1);
    if (Mayusculas(d, "M"))
        u.metro = 1.0;
    else if (Mayusculas(d, "F"))
        u.metro = PIE;
    else if (Mayusculas(d, "US"))
        u.metro = PIE_US;
    else {
        motivo = "unidad de distancia «" + std::string(d) + "» desconocida";
        return false;
    }
    if (Mayusculas(a, "D"))
        u.angulo = Angulo::Sexagesimal;
    else if (Mayusculas(a, "DD"))
        u.angulo = Angulo::Grados;
    else if (Mayusculas(a, "G"))
        u.angulo = Angulo::Gon;
    else if (Mayusculas(a, "M"))
        u.angulo = Angulo::Mil;
    else if (!a.empty()) {
        motivo = "unidad de ángulo «" + std::string(a) + "» desconocida";
        return false;
    }
    return true;
}

} // namespace

LecturaDescarga LeerTopconGts(std::string_view texto)
{
    LecturaDescarga r;
    FilasObservacion filas;
    Unidades u;
    u.angulo = Angulo::Sexagesimal;
    std::string_view linea;
    long n = 0;
    std::string numero, motivo;
    std::vector<std::string_view> c;
    bool pendiente = false; // a point record waits for its measurement
    std::string puntoPendiente;
    double senal = 0.0;
    LectorLineas lineas(texto);
    while (lineas.Siguiente(linea, n)) {
        linea = Recortar(linea);
        if (linea.empty())
            continue;
        size_t blanco = 0;
        while (blanco < linea.size() && !Blanco(linea[blanco]))
            ++blanco;
        const std::string_view registro = linea.substr(0, blanco);
        Campos(linea.substr(blanco), c);
        const auto noLeida = [&r, n](const std::string& m) { r.noLeidas.push_back({n, m}); };
        if (Mayusculas(registro, "UNITS")) {
            if (!UnidadesGts(c, u, motivo))
                noLeida(motivo);
        } else if (Mayusculas(registro, "STN")) {
            EstacionDescarga e;
            e.linea = n;
            e.numero = std::string(Campo(c, 0));
            double hi = 0.0;
            e.tieneAltura = Numero(Campo(c, 1), hi);
            e.alturaInstrumento = hi * u.metro;
            r.estaciones.push_back(e);
        } else if (Mayusculas(registro, "SS") || Mayusculas(registro, "BS") || Mayusculas(registro, "FS") ||
                   Mayusculas(registro, "BKB")) {
            pendiente = false;
            if (!Identificador(Campo(c, 0), r, numero, motivo)) {
                noLeida(motivo);
                continue;
            }
            double h = 0.0;
            if (!Recortar(Campo(c, 1)).empty()) {
                if (!Numero(Campo(c, 1), h)) {
                    noLeida("la altura de señal «" + std::string(Campo(c, 1)) + "» no es un número");
                    continue;
                }
                senal = h * u.metro;
            }
            pendiente = !Mayusculas(registro, "BKB");
            puntoPendiente = numero;
        } else if (Mayusculas(registro, "SD")) {
            if (!pendiente) {
                noLeida("una medida sin registro de punto delante");
                continue;
            }
            pendiente = false;
            double hz = 0.0, v = 0.0, di = 0.0;
            if (!Medida(Campo(c, 0), Campo(c, 1), Campo(c, 2), u, hz, v, di, motivo)) {
                noLeida(motivo);
                continue;
            }
            filas.Anadir(puntoPendiente, hz, v, di, senal);
        }
    }
    r.filas = filas.Filas();
    return r;
}

// ------------------------------------------------------------- Nikon RAW

namespace {

void UnidadNikon(std::string_view comentario, Unidades& u)
{
    const size_t dos = comentario.find(':');
    if (dos == std::string_view::npos)
        return;
    const std::string_view clave = Recortar(comentario.substr(0, dos));
    const std::string_view valor = Recortar(comentario.substr(dos + 1));
    if (Mayusculas(clave, "Dist Units")) {
        if (Empieza(valor, "US"))
            u.metro = PIE_US;
        else if (Empieza(valor, "Feet") || Empieza(valor, "Int"))
            u.metro = PIE;
        else if (Empieza(valor, "Met"))
            u.metro = 1.0;
    } else if (Mayusculas(clave, "Angle Units")) {
        if (Empieza(valor, "DDDMMSS"))
            u.angulo = Angulo::Sexagesimal;
        else if (Empieza(valor, "Deg"))
            u.angulo = Angulo::Grados;
        else if (Empieza(valor, "Gon") || Empieza(valor, "Grad"))
            u.angulo = Angulo::Gon;
        else if (Empieza(valor, "Mil"))
            u.angulo = Angulo::Mil;
    } else if (Mayusculas(clave, "Zero VA")) {
        u.horizonte = Empieza(valor, "Hor");
    }
}

} // namespace

LecturaDescarga LeerNikonRaw(std::string_view texto)
{
    LecturaDescarga r;
    FilasObservacion filas;
    Unidades u;
    u.angulo = Angulo::Sexagesimal;
    std::string_view linea;
    long n = 0;
    std::string numero, motivo;
    std::vector<std::string_view> c;
    LectorLineas lineas(texto);
    while (lineas.Siguiente(linea, n)) {
        linea = Recortar(linea);
        if (linea.empty())
            continue;
        Campos(linea, c);
        const std::string_view tipo = c[0];
        const auto noLeida = [&r, n](const std::string& m) { r.noLeidas.push_back({n, m}); };
        if (Mayusculas(tipo, "CO")) {
            UnidadNikon(linea.substr(std::min<size_t>(linea.size(), 3)), u);
        } else if (Mayusculas(tipo, "ST")) {
            EstacionDescarga e;
            e.linea = n;
            e.numero = std::string(Campo(c, 1));
            double hi = 0.0;
            e.tieneAltura = Numero(Campo(c, 5), hi);
            e.alturaInstrumento = hi * u.metro;
            r.estaciones.push_back(e);
        } else if (Mayusculas(tipo, "SS") || Mayusculas(tipo, "CP") || Mayusculas(tipo, "SO") ||
                   Mayusculas(tipo, "F1") || Mayusculas(tipo, "F2")) {
            // CP and SO carry a second ID after the point number.
            const size_t k = Mayusculas(tipo, "CP") || Mayusculas(tipo, "SO") ? 3 : 2;
            double h = 0.0, hz = 0.0, v = 0.0, di = 0.0;
            if (!Identificador(Campo(c, 1), r, numero, motivo)) {
                noLeida(motivo);
                continue;
            }
            if (!Numero(Campo(c, k), h)) {
                noLeida("la altura de señal «" + std::string(Campo(c, k)) + "» no es un número");
                continue;
            }
            if (!Medida(Campo(c, k + 2), Campo(c, k + 3), Campo(c, k + 1), u, hz, v, di, motivo)) {
                noLeida(motivo);
                continue;
            }
            filas.Anadir(numero, hz, v, di, h * u.metro);
        }
    }
    r.filas = filas.Filas();
    return r;
}

// ----------------------------------------------------------- Rec Elta R4/R5

namespace {

// One value field: label, value and unit ("Hz     123.4567 gon").
struct ValorElta {
    std::string_view etiqueta, valor, unidad;
};

ValorElta PartirValor(std::string_view campo)
{
    ValorElta v;
    campo = Recortar(campo);
    v.etiqueta = campo.substr(0, std::min<size_t>(2, campo.size()));
    campo = Recortar(campo.substr(v.etiqueta.size()));
    size_t i = 0;
    while (i < campo.size() && !Blanco(campo[i]))
        ++i;
    v.valor = campo.substr(0, i);
    v.unidad = Recortar(campo.substr(i));
    return v;
}

bool LongitudElta(const ValorElta& v, double& metros, std::string& motivo)
{
    double x = 0.0;
    double f = 1.0;
    if (Mayusculas(v.unidad, "ft") || Mayusculas(v.unidad, "ift"))
        f = PIE;
    else if (Mayusculas(v.unidad, "usft"))
        f = PIE_US;
    else if (!v.unidad.empty() && !Mayusculas(v.unidad, "m")) {
        motivo = "unidad «" + std::string(v.unidad) + "» desconocida en " + std::string(v.etiqueta);
        return false;
    }
    if (!Numero(v.valor, x)) {
        motivo = "el valor de " + std::string(v.etiqueta) + " no es un número";
        return false;
    }
    metros = x * f;
    return true;
}

bool AnguloElta(const ValorElta& v, double& grads, std::string& motivo)
{
    Angulo a = Angulo::Gon;
    if (Mayusculas(v.unidad, "deg"))
        a = Angulo::Grados;
    else if (Mayusculas(v.unidad, "DMS"))
        a = Angulo::Sexagesimal;
    else if (Mayusculas(v.unidad, "mil"))
        a = Angulo::Mil;
    else if (!v.unidad.empty() && !Mayusculas(v.unidad, "gon") && !Mayusculas(v.unidad, "grad")) {
        motivo = "unidad «" + std::string(v.unidad) + "» desconocida en " + std::string(v.etiqueta);
        return false;
    }
    if (!AnguloGrads(v.valor, a, grads)) {
        motivo = "el valor de " + std::string(v.etiqueta) + " no es un ángulo válido";
        return false;
    }
    return true;
}

} // namespace

LecturaDescarga LeerRecElta(std::string_view texto)
{
    LecturaDescarga r;
    FilasObservacion filas;
    std::string_view linea;
    long n = 0;
    std::string numero, motivo;
    double senal = 0.0;
    LectorLineas lineas(texto);
    std::vector<std::string_view> campos;
    while (lineas.Siguiente(linea, n)) {
        if (Recortar(linea).empty())
            continue;
        const auto noLeida = [&r, n](const std::string& m) { r.noLeidas.push_back({n, m}); };
        campos.clear();
        size_t i = 0;
        while (i <= linea.size()) {
            const size_t barra = std::min(linea.find('|', i), linea.size());
            campos.push_back(linea.substr(i, barra - i));
            i = barra + 1;
        }
        if (campos.size() < 3 || !Empieza(Recortar(campos[0]), "For")) {
            noLeida("no es una línea Rec Elta (For R4 o For R5)");
            continue;
        }
        // The point field: two letters of record type, then the point ID as
        // its last word (a text code may go before it).
        const std::string_view punto = Recortar(campos[2]);
        size_t ultimo = punto.size();
        while (ultimo > 0 && !Blanco(punto[ultimo - 1]))
            --ultimo;
        const std::string_view id = punto.size() > 2 && ultimo >= 2 ? punto.substr(ultimo) : std::string_view();
        bool conHz = false, conV = false, conDi = false, bien = true, conHi = false;
        double hz = 0.0, v = 0.0, di = -1.0, hi = 0.0;
        for (size_t k = 3; k < campos.size() && bien; ++k) {
            const ValorElta val = PartirValor(campos[k]);
            if (val.etiqueta.empty())
                continue;
            if (Mayusculas(val.etiqueta, "Hz")) {
                bien = AnguloElta(val, hz, motivo);
                conHz = true;
            } else if (Mayusculas(val.etiqueta, "V1") || Mayusculas(val.etiqueta, "V2")) {
                bien = AnguloElta(val, v, motivo);
                if (Mayusculas(val.etiqueta, "V2"))
                    v = 100.0 - v;
                conV = true;
            } else if (Mayusculas(val.etiqueta, "SD")) {
                bien = LongitudElta(val, di, motivo);
                conDi = true;
            } else if (Mayusculas(val.etiqueta, "th")) {
                bien = LongitudElta(val, senal, motivo);
            } else if (Mayusculas(val.etiqueta, "ih")) {
                bien = LongitudElta(val, hi, motivo);
                conHi = true;
            }
        }
        if (!bien) {
            noLeida(motivo);
            continue;
        }
        if (conHi && !conHz && !conV) {
            EstacionDescarga e;
            e.linea = n;
            e.numero = std::string(id);
            e.tieneAltura = true;
            e.alturaInstrumento = hi;
            r.estaciones.push_back(e);
            continue;
        }
        if (!conHz && !conV) {
            if (conDi)
                noLeida("una distancia sin ángulos");
            continue;
        }
        if (!conHz || !conV) {
            noLeida(conHz ? "falta el ángulo vertical (V1 o V2)" : "falta la dirección horizontal (Hz)");
            continue;
        }
        if (!Identificador(id, r, numero, motivo)) {
            noLeida(motivo);
            continue;
        }
        filas.Anadir(numero, hz, v, di, senal);
    }
    r.filas = filas.Filas();
    return r;
}
