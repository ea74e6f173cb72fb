#include "exchange/Gsi.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "core/FicherosTexto.h"
#include "exchange/GsiComun.h"

// What every instrument reader shares: the message of the lines not read,
// point IDs shortened to their digits, the lines of a download and the
// observation rows built from their fields.

using namespace gsi;

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
