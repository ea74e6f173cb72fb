// The field book and network readers, the checks of a field book's sequence
// and the update of a bases file with adjusted heights.
#include <algorithm>
#include <cmath>

#include "core/FicherosTexto.h"
#include "core/LectorCampos.h"
#include "core/TextoNumerico.h"
#include "levelling/Nivelacion.h"

namespace {

// The lines of a text without their line ends (CR LF, LF or a lone CR are
// all one end), each with its number from 1; blank lines are passed over.
template <typename F>
void PorLineas(std::string_view texto, F&& hacer)
{
    long numero = 0;
    size_t pos = 0;
    while (pos < texto.size()) {
        size_t fin = texto.find_first_of("\r\n", pos);
        if (fin == std::string_view::npos)
            fin = texto.size();
        const std::string_view linea = texto.substr(pos, fin - pos);
        ++numero;
        pos = fin;
        if (pos < texto.size() && texto[pos] == '\r')
            ++pos;
        if (pos < texto.size() && texto[pos] == '\n' && (pos == fin || texto[pos - 1] == '\r'))
            ++pos;
        if (linea.find_first_not_of(" \t") != std::string_view::npos)
            hacer(linea, numero);
    }
}

// Up to n fields of one line read with the program's field reader; fields
// the line does not have are empty. Returns how many the line had.
size_t Campos(std::string_view linea, std::vector<std::string>& campos, size_t n)
{
    campos.assign(n, std::string());
    LectorCampos lector(linea);
    size_t leidos = 0;
    std::string campo;
    while (lector.Leer(campo)) {
        if (leidos < n)
            campos[leidos] = TextoUtf8(campo);
        ++leidos;
    }
    return leidos;
}

bool Vacio(const std::string& t)
{
    return t.find_first_not_of(" \t") == std::string::npos;
}

// Without the blanks around it (a quoted field may keep them).
void Recortar(std::string& t)
{
    const size_t inicio = t.find_first_not_of(" \t");
    if (inicio == std::string::npos) {
        t.clear();
        return;
    }
    t = t.substr(inicio, t.find_last_not_of(" \t") - inicio + 1);
}

// A reading: empty, or a number whose value can be used.
bool LecturaValida(const std::string& t)
{
    return Vacio(t) || (EsNumero(t) && std::isfinite(LeerNumero(t)));
}

std::string Entre(const std::string& t)
{
    return "«" + t.substr(0, 24) + "»";
}

void Ordenar(std::vector<LineaNoLeida>& v)
{
    std::stable_sort(v.begin(), v.end(),
                     [](const LineaNoLeida& a, const LineaNoLeida& b) { return a.linea < b.linea; });
}

} // namespace

void RevisarLibreta(std::vector<FilaLibreta>& filas, std::vector<LineaNoLeida>& malas)
{
    std::vector<FilaLibreta> buenas;
    buenas.reserve(filas.size());
    for (FilaLibreta& f : filas) {
        for (std::string* t : {&f.punto, &f.espalda, &f.frente, &f.distancia})
            Recortar(*t);
        if (f.espalda.empty() && f.frente.empty() && f.distancia.empty() && f.punto.empty())
            continue;
        const char* motivo = nullptr;
        std::string texto;
        if (!LecturaValida(f.espalda)) {
            motivo = "la espalda ";
            texto = f.espalda;
        } else if (!LecturaValida(f.frente)) {
            motivo = "el frente ";
            texto = f.frente;
        } else if (!LecturaValida(f.distancia)) {
            motivo = "la distancia ";
            texto = f.distancia;
        }
        if (motivo) {
            malas.push_back({f.linea, motivo + Entre(texto) + " no es un número"});
        } else if (Vacio(f.espalda) && Vacio(f.frente)) {
            malas.push_back({f.linea, "el punto «" + f.punto.substr(0, 24) + "» no tiene lecturas"});
        } else if (Vacio(f.punto)) {
            malas.push_back({f.linea, "falta el nombre del punto"});
        } else {
            buenas.push_back(std::move(f));
        }
    }
    // The sequence: a set-up opens with a backsight and every backsight needs
    // a foresight on the next row.
    std::vector<FilaLibreta> sigue;
    sigue.reserve(buenas.size());
    bool abierta = false;
    for (size_t k = 0; k < buenas.size(); ++k) {
        FilaLibreta& f = buenas[k];
        const long lineaEspalda = f.lineaEspalda ? f.lineaEspalda : f.linea;
        if (!Vacio(f.frente) && !abierta) {
            malas.push_back({f.linea, "frente sin espalda que lo preceda"});
            f.frente.clear();
            f.distancia.clear();
        }
        if (!Vacio(f.espalda)) {
            const bool siguienteConFrente = k + 1 < buenas.size() && !Vacio(buenas[k + 1].frente);
            if (!siguienteConFrente) {
                malas.push_back({lineaEspalda, "espalda sin frente que la siga"});
                f.espalda.clear();
            } else if (abierta && Vacio(f.frente)) {
                malas.push_back({lineaEspalda, "espalda en un punto al que no llegó ningún frente"});
                f.espalda.clear();
            }
        }
        if (Vacio(f.espalda) && Vacio(f.frente))
            continue;
        abierta = abierta || !Vacio(f.espalda);
        sigue.push_back(std::move(f));
    }
    filas = std::move(sigue);
    Ordenar(malas);
}

LecturaNivel LeerLibretaNivel(std::string_view texto)
{
    LecturaNivel r;
    std::vector<std::string> c;
    bool primera = true;
    PorLineas(texto, [&](std::string_view linea, long numero) {
        Campos(linea, c, 4);
        std::string titulo = c[1];
        std::transform(titulo.begin(), titulo.end(), titulo.begin(),
                       [](char x) { return static_cast<char>(x >= 'A' && x <= 'Z' ? x - 'A' + 'a' : x); });
        if (primera && titulo == "espalda") {
            primera = false;
            return;
        }
        primera = false;
        FilaLibreta f;
        f.punto = c[0];
        f.espalda = c[1];
        f.frente = c[2];
        f.distancia = c[3];
        f.linea = numero;
        r.filas.push_back(std::move(f));
    });
    RevisarLibreta(r.filas, r.noLeidas);
    return r;
}

bool PareceGsi(std::string_view texto)
{
    const size_t i = texto.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (i == std::string_view::npos)
        return false;
    if (texto[i] == '*')
        return true;
    // Two digits, four characters of information and a sign.
    return i + 7 <= texto.size() && texto[i] >= '0' && texto[i] <= '9' && texto[i + 1] >= '0' &&
           texto[i + 1] <= '9' && (texto[i + 6] == '+' || texto[i + 6] == '-');
}

LecturaNivel LeerLibretaNivelGsi(std::string_view texto)
{
    LecturaNivel r;
    std::vector<PalabraGsi> palabras;
    std::string motivo, valor, distancia;
    double distanciaEspalda = 0.0; // the backsight length of the open set-up
    bool conDistanciaEspalda = false;
    PorLineas(texto, [&](std::string_view linea, long numero) {
        const auto noLeida = [&r, numero](const std::string& m) { r.noLeidas.push_back({numero, m}); };
        while (!linea.empty() && (linea.back() == ' ' || linea.back() == '\t'))
            linea.remove_suffix(1);
        while (!linea.empty() && (linea.front() == ' ' || linea.front() == '\t'))
            linea.remove_prefix(1);
        if (!PalabrasGsi(linea, palabras, motivo)) {
            noLeida(motivo);
            return;
        }
        const PalabraGsi* punto = nullptr;
        const PalabraGsi* lectura = nullptr;
        const PalabraGsi* dist = nullptr;
        for (const PalabraGsi& p : palabras) {
            if (p.indice == 11)
                punto = &p;
            else if (p.indice == 32)
                dist = &p;
            else if (p.indice == 33 && !p.informacion.empty() && p.informacion[0] >= '1' && p.informacion[0] <= '3')
                lectura = &p;
        }
        if (!lectura)
            return;
        if (!punto) {
            noLeida("falta el punto (palabra 11)");
            return;
        }
        if (!ValorGsi(*lectura, false, valor, motivo)) {
            noLeida(motivo);
            return;
        }
        bool conDistancia = false;
        double d = 0.0;
        if (dist) {
            if (!ValorGsi(*dist, false, distancia, motivo)) {
                noLeida(motivo);
                return;
            }
            d = LeerDecimal(distancia);
            conDistancia = true;
        }
        std::string_view nombre = punto->datos;
        while (nombre.size() > 1 && nombre.front() == '0')
            nombre.remove_prefix(1);
        // Readings to 1/100 mm whatever the unit: a foot's value in metres
        // may come in any number of digits.
        valor = Formatear(LeerDecimal(valor), 5);
        const char tipo = lectura->informacion[0];
        if (tipo == '1') {
            distanciaEspalda = d;
            conDistanciaEspalda = conDistancia;
            // A backsight on the point the last foresight reached: a turning point.
            if (!r.filas.empty() && r.filas.back().punto == nombre && r.filas.back().espalda.empty() &&
                !r.filas.back().frente.empty()) {
                r.filas.back().espalda = valor;
                r.filas.back().lineaEspalda = numero;
                return;
            }
            FilaLibreta f;
            f.punto = std::string(nombre);
            f.espalda = valor;
            f.linea = numero;
            r.filas.push_back(std::move(f));
            return;
        }
        FilaLibreta f;
        f.punto = std::string(nombre);
        f.frente = valor;
        if (conDistancia || conDistanciaEspalda)
            f.distancia = Formatear(d + distanciaEspalda, 3);
        f.linea = numero;
        r.filas.push_back(std::move(f));
    });
    RevisarLibreta(r.filas, r.noLeidas);
    return r;
}

LecturaRed LeerRed(std::string_view texto)
{
    LecturaRed r;
    std::vector<std::string> c;
    PorLineas(texto, [&](std::string_view linea, long numero) {
        const size_t n = Campos(linea, c, 4);
        const auto mala = [&r, numero](const std::string& m) { r.noLeidas.push_back({numero, m}); };
        if (n < 4 || Vacio(c[3])) {
            mala("faltan campos: desde, hasta, desnivel, longitud");
            return;
        }
        if (Vacio(c[0]) || Vacio(c[1])) {
            mala("falta el nombre de un extremo");
            return;
        }
        if (c[0] == c[1]) {
            mala("el tramo empieza y acaba en «" + c[0].substr(0, 24) + "»");
            return;
        }
        for (size_t k = 2; k < 4; ++k) {
            if (!EsNumero(c[k]) || !std::isfinite(LeerNumero(c[k]))) {
                mala(std::string(k == 2 ? "el desnivel " : "la longitud ") + Entre(c[k]) + " no es un número");
                return;
            }
        }
        TramoRed t{c[0], c[1], LeerNumero(c[2]), LeerNumero(c[3])};
        if (!(t.longitud > 0.0)) {
            mala("la longitud debe ser mayor que cero");
            return;
        }
        r.tramos.push_back(std::move(t));
    });
    return r;
}

bool ActualizarCotasBases(std::string_view textoBases, const std::vector<CotaRed>& cotas, std::string& salida,
                          int& cambiadas, std::string& error)
{
    cambiadas = 0;
    ResultadoLectura bases = LeerBases(textoBases);
    if (bases.fallo) {
        error = bases.descripcion;
        return false;
    }
    for (size_t i = 0; i + 5 < bases.filas.size(); i += 6) {
        const std::string& nombre = bases.filas[i];
        const auto cota = std::find_if(cotas.begin(), cotas.end(), [&nombre](const CotaRed& c) { return c.nombre == nombre; });
        if (cota == cotas.end())
            continue;
        const std::string nueva = F3(cota->cota);
        if (nueva != F3(LeerNumero(bases.filas[i + 4]))) {
            bases.filas[i + 4] = nueva;
            ++cambiadas;
        }
    }
    salida = EscribirBases(bases.filas);
    return true;
}
