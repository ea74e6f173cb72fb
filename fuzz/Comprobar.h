#pragma once
// What every reader must keep whatever bytes it is given: rows of the right
// shape, and rows that the writers write and the readers read back unchanged.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/FicherosTexto.h"
#include "exchange/Gsi.h"

#define COMPROBAR(condicion)                                                                                 \
    do {                                                                                                       \
        if (!(condicion)) {                                                                                    \
            std::fprintf(stderr, "%s:%d: falla %s\n", __FILE__, __LINE__, #condicion);                         \
            std::abort();                                                                                      \
        }                                                                                                      \
    } while (0)

inline int Palabras(const std::string& fila)
{
    int n = 1;
    for (char c : fila)
        n += c == ' ';
    return n;
}

inline bool SinVacias(const std::string& fila)
{
    return !fila.empty() && fila.front() != ' ' && fila.back() != ' ' && fila.find("  ") == std::string::npos;
}

// The rows of an observation list written back as the file they came from.
inline std::string ComoObservaciones(const std::vector<std::string>& filas)
{
    std::string texto;
    for (std::string f : filas) {
        for (auto& c : f)
            if (c == ' ')
                c = ',';
        texto += f + "\r\n";
    }
    return texto;
}

// Rows of an observation list: five words each, single blanks, and written
// back as the observation file they came from they read the same.
inline void ComprobarObservaciones(const std::vector<std::string>& filas)
{
    for (const auto& f : filas) {
        COMPROBAR(Palabras(f) == 5);
        COMPROBAR(SinVacias(f));
    }
    const ResultadoLectura otra = LeerObservaciones(ComoObservaciones(filas));
    COMPROBAR(!otra.fallo);
    COMPROBAR(otra.filas == filas);
}

// What every instrument download must give: each line read or listed once, in
// order, with its reason; the messages empty exactly when nothing is to say;
// observation rows that read back the same.
inline void ComprobarDescarga(const LecturaDescarga& r)
{
    long anterior = 0;
    for (const LineaNoLeida& l : r.noLeidas) {
        COMPROBAR(l.linea > anterior && !l.motivo.empty());
        anterior = l.linea;
    }
    COMPROBAR(MensajeNoLeidas(r.noLeidas).empty() == r.noLeidas.empty());
    COMPROBAR((r.acortados.cuantos == 0) == MensajeAcortados(r.acortados).empty());
    ComprobarObservaciones(r.filas);
}
