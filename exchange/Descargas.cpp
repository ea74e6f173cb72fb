#include "exchange/Descargas.h"

#include <cctype>
#include <string>

#include "exchange/DescargasComun.h"

using namespace descargas;

namespace {

std::string Extension(std::string_view nombre)
{
    const size_t punto = nombre.rfind('.');
    std::string e;
    if (punto == std::string_view::npos || nombre.find_first_of("/\\", punto) != std::string_view::npos)
        return e;
    for (char c : nombre.substr(punto + 1))
        e += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return e;
}

} // namespace

bool SexagesimalAGrads(std::string_view texto, double& grads)
{
    texto = Recortar(texto);
    bool negativo = false;
    if (!texto.empty() && (texto.front() == '-' || texto.front() == '+')) {
        negativo = texto.front() == '-';
        texto.remove_prefix(1);
    }
    const size_t punto = texto.find('.');
    const std::string_view entero = texto.substr(0, punto);
    std::string fraccion(punto == std::string_view::npos ? std::string_view() : texto.substr(punto + 1));
    if (entero.empty() && fraccion.empty())
        return false;
    for (char c : entero)
        if (c < '0' || c > '9')
            return false;
    for (char c : fraccion)
        if (c < '0' || c > '9')
            return false;
    if (entero.size() > 6)
        return false;
    fraccion.resize(std::max<size_t>(fraccion.size(), 4), '0');
    uint64_t grados = 0;
    std::from_chars(entero.data(), entero.data() + entero.size(), grados);
    const int minutos = (fraccion[0] - '0') * 10 + (fraccion[1] - '0');
    double segundos = 0.0;
    const std::string s = fraccion.substr(2, 2) + "." + fraccion.substr(4) + "0";
    std::from_chars(s.data(), s.data() + s.size(), segundos);
    if (minutos >= 60 || segundos >= 60.0)
        return false;
    grads = (static_cast<double>(grados) + minutos / 60.0 + segundos / 3600.0) * 400.0 / 360.0;
    if (negativo)
        grads = -grads;
    return true;
}

std::string FiltroDescarga(FormatoDescarga f)
{
    switch (f) {
    case FormatoDescarga::Gsi: return "Estación total GSI (*.gsi)|*.gsi";
    case FormatoDescarga::Sdr33: return "Estación total Sokkia SDR33 (*.sdr)|*.sdr";
    case FormatoDescarga::TopconGts: return "Estación total Topcon GTS (*.gt7 *.txt)|*.gt7;*.txt";
    case FormatoDescarga::NikonRaw: return "Estación total Nikon RAW (*.raw)|*.raw";
    case FormatoDescarga::RecElta: return "Estación total Rec Elta R4/R5 (*.r4 *.r5 *.rec)|*.r4;*.r5;*.rec";
    }
    return {};
}

std::string FiltrosDescargas()
{
    std::string t;
    for (FormatoDescarga f : FORMATOS_DESCARGA)
        t += (t.empty() ? "" : "|") + FiltroDescarga(f);
    return t;
}

bool DetectarFormato(std::string_view nombreFichero, std::string_view texto, FormatoDescarga& formato)
{
    const std::string e = Extension(nombreFichero);
    if (e == "gsi") {
        formato = FormatoDescarga::Gsi;
        return true;
    }
    if (e == "sdr") {
        formato = FormatoDescarga::Sdr33;
        return true;
    }
    if (e == "gt7") {
        formato = FormatoDescarga::TopconGts;
        return true;
    }
    if (e == "r4" || e == "r5" || e == "rec") {
        formato = FormatoDescarga::RecElta;
        return true;
    }
    // By content: the first line that is not empty.
    LectorLineas lineas(texto);
    std::string_view primera;
    long n = 0;
    while (lineas.Siguiente(primera, n) && Recortar(primera).empty()) {
    }
    primera = Recortar(primera);
    if (Empieza(primera, "CO,Nikon RAW") || (e == "raw" && Empieza(primera, "CO,"))) {
        formato = FormatoDescarga::NikonRaw;
        return true;
    }
    if (Empieza(primera, "00NM")) {
        formato = FormatoDescarga::Sdr33;
        return true;
    }
    if (Empieza(primera, "For R4") || Empieza(primera, "For R5")) {
        formato = FormatoDescarga::RecElta;
        return true;
    }
    if (Empieza(primera, "GTS") || Empieza(primera, "JOB ") || Empieza(primera, "UNITS")) {
        formato = FormatoDescarga::TopconGts;
        return true;
    }
    const std::string_view g = !primera.empty() && primera[0] == '*' ? primera.substr(1) : primera;
    if (g.size() >= 7 && std::isdigit(static_cast<unsigned char>(g[0])) &&
        std::isdigit(static_cast<unsigned char>(g[1])) && (g[6] == '+' || g[6] == '-')) {
        formato = FormatoDescarga::Gsi;
        return true;
    }
    return false;
}

LecturaDescarga LeerDescarga(std::string_view texto, FormatoDescarga formato)
{
    switch (formato) {
    case FormatoDescarga::Gsi: return LeerGsi(texto);
    case FormatoDescarga::Sdr33: return LeerSdr33(texto);
    case FormatoDescarga::TopconGts: return LeerTopconGts(texto);
    case FormatoDescarga::NikonRaw: return LeerNikonRaw(texto);
    case FormatoDescarga::RecElta: return LeerRecElta(texto);
    }
    return {};
}
