// The surface handed over: DXF for CAD, LandXML 1.2 for other programs, and
// LandXML read back.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <unordered_map>

#include "exchange/EscritorDxf.h"
#include "terrain/Terreno.h"

// ------------------------------------------------------------ DXF

namespace {

DL_Attributes Capa(const char* capa)
{
    return {capa, 256, -1, "BYLAYER", 1.0};
}

// A contour at its height: dxflib writes the LWPOLYLINE without its
// elevation, so the entity is put together from the writer's own calls.
void Polilinea(EscritorDxf& dw, const Curva& c)
{
    dw.entity("LWPOLYLINE");
    dw.subClass("AcDbEntity");
    dw.entityAttributes(Capa(c.maestra ? CAPA_CURVAS_MAESTRAS : CAPA_CURVAS));
    dw.subClass("AcDbPolyline");
    dw.dxfInt(90, static_cast<int>(c.puntos.size()));
    dw.dxfInt(70, c.cerrada ? 1 : 0);
    dw.dxfReal(38, c.cota);
    for (const auto& p : c.puntos) {
        dw.dxfReal(10, p[0]);
        dw.dxfReal(20, p[1]);
    }
}

} // namespace

std::string EscribirDxfTerreno(const Superficie& s, const std::vector<Curva>& curvas)
{
    std::string salida;
    size_t vertices = 0;
    for (const Curva& c : curvas)
        vertices += c.puntos.size();
    salida.reserve(400 * s.triangulos.size() + 40 * vertices + 200 * curvas.size() + 16384);
    DL_Dxf dxf;
    EscritorDxf dw(salida);
    // The master contours heavier than the others, the triangles finest.
    EmpezarDxf(dxf, dw, {{"0", 7}, {CAPA_CURVAS, 32, 25}, {CAPA_CURVAS_MAESTRAS, 30, 50}, {CAPA_TIN, 8, 13}}, {},
               0.5);
    dw.sectionEnd();
    dw.sectionEntities();
    for (const Curva& c : curvas)
        if (c.puntos.size() >= 2)
            Polilinea(dw, c);
    const DL_Attributes tin = Capa(CAPA_TIN);
    for (const auto& t : s.triangulos) {
        const objPto& a = s.puntos[static_cast<size_t>(t[0])];
        const objPto& b = s.puntos[static_cast<size_t>(t[1])];
        const objPto& c = s.puntos[static_cast<size_t>(t[2])];
        // A triangle repeats its third corner as the fourth.
        dxf.write3dFace(dw, DL_3dFaceData(a.X, a.Y, a.Z, b.X, b.Y, b.Z, c.X, c.Y, c.Z, c.X, c.Y, c.Z, 0.0), tin);
    }
    TerminarDxf(dxf, dw);
    return salida;
}

// ------------------------------------------------------------ LandXML

namespace {

// The shortest digits that read back to the same number.
void Numero(std::string& s, double v)
{
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::isfinite(v) ? v : 0.0);
    s.append(buf, r.ptr);
}

// Northing, easting, height.
void Coordenadas(std::string& s, const objPto& p)
{
    Numero(s, p.Y);
    s += ' ';
    Numero(s, p.X);
    s += ' ';
    Numero(s, p.Z);
}

// The text as XML character data or an attribute value: markup characters
// as entities, line ends and tabs as character references, other control
// characters (not allowed in XML 1.0) and bytes that are not UTF-8 as U+FFFD.
std::string Xml(std::string_view t)
{
    std::string r;
    r.reserve(t.size());
    for (size_t i = 0; i < t.size();) {
        const auto c = static_cast<unsigned char>(t[i]);
        if (c < 0x80) {
            switch (c) {
            case '&': r += "&amp;"; break;
            case '<': r += "&lt;"; break;
            case '>': r += "&gt;"; break;
            case '"': r += "&quot;"; break;
            case '\'': r += "&apos;"; break;
            case '\t': r += "&#9;"; break;
            case '\n': r += "&#10;"; break;
            case '\r': r += "&#13;"; break;
            default: r += c < 0x20 || c == 0x7F ? "\xEF\xBF\xBD" : std::string(1, static_cast<char>(c));
            }
            ++i;
            continue;
        }
        // A well-formed UTF-8 sequence of two to four bytes goes as it is.
        const size_t largo = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
        bool bien = largo > 0 && i + largo <= t.size();
        uint32_t cp = largo == 0 ? 0 : c & (0xFFu >> (largo + 1));
        for (size_t k = 1; bien && k < largo; ++k) {
            const auto s = static_cast<unsigned char>(t[i + k]);
            bien = (s & 0xC0u) == 0x80u;
            cp = (cp << 6) | (s & 0x3Fu);
        }
        bien = bien && !(largo == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE || cp == 0xFFFF)) &&
               !(largo == 4 && (cp < 0x10000 || cp > 0x10FFFF));
        if (bien) {
            r.append(t.substr(i, largo));
            i += largo;
        } else {
            r += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return r;
}

} // namespace

std::string EscribirLandXml(const Superficie& s, const std::string& nombre, const std::string& fecha,
                            const std::string& hora)
{
    std::string x;
    x.reserve(80 * s.puntos.size() * 2 + 30 * s.triangulos.size() + 2048);
    x += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\""
         " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
         " xsi:schemaLocation=\"http://www.landxml.org/schema/LandXML-1.2"
         " http://www.landxml.org/schema/LandXML-1.2/LandXML-1.2.xsd\" version=\"1.2\" date=\"" +
         Xml(fecha) + "\" time=\"" + Xml(hora) +
         "\">\n"
         "  <Units>\n"
         "    <Metric areaUnit=\"squareMeter\" linearUnit=\"meter\" volumeUnit=\"cubicMeter\""
         " temperatureUnit=\"celsius\" pressureUnit=\"milliBars\" angularUnit=\"grads\" directionUnit=\"grads\"/>\n"
         "  </Units>\n"
         "  <Application name=\"Cartavector\" manufacturer=\"Cartavector\"/>\n"
         "  <CgPoints>\n";
    for (const objPto& p : s.puntos) {
        x += "    <CgPoint name=\"" + Xml(p.N) + "\">";
        Coordenadas(x, p);
        x += "</CgPoint>\n";
    }
    x += "  </CgPoints>\n  <Surfaces>\n    <Surface name=\"" + Xml(nombre) +
         "\">\n      <Definition surfType=\"TIN\" elevMin=\"";
    Numero(x, s.cotaMinima);
    x += "\" elevMax=\"";
    Numero(x, s.cotaMaxima);
    x += "\">\n        <Pnts>\n";
    for (size_t i = 0; i < s.puntos.size(); ++i) {
        x += "          <P id=\"" + std::to_string(i + 1) + "\">";
        Coordenadas(x, s.puntos[i]);
        x += "</P>\n";
    }
    x += "        </Pnts>\n        <Faces>\n";
    for (const auto& t : s.triangulos)
        x += "          <F>" + std::to_string(t[0] + 1) + ' ' + std::to_string(t[1] + 1) + ' ' +
             std::to_string(t[2] + 1) + "</F>\n";
    x += "        </Faces>\n      </Definition>\n    </Surface>\n  </Surfaces>\n</LandXML>\n";
    return x;
}

// ------------------------------------------------------------ LandXML read

namespace {

// The text with XML's entities and character references replaced.
std::string SinEntidades(std::string_view t)
{
    std::string r;
    r.reserve(t.size());
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '&') {
            r += t[i];
            continue;
        }
        const size_t fin = t.find(';', i);
        if (fin == std::string_view::npos || fin - i > 12) {
            r += t[i];
            continue;
        }
        const std::string_view e = t.substr(i + 1, fin - i - 1);
        uint32_t cp = 0;
        if (e == "amp")
            cp = '&';
        else if (e == "lt")
            cp = '<';
        else if (e == "gt")
            cp = '>';
        else if (e == "quot")
            cp = '"';
        else if (e == "apos")
            cp = '\'';
        else if (e.size() > 1 && e[0] == '#') {
            const bool hex = e[1] == 'x';
            const std::string_view d = e.substr(hex ? 2 : 1);
            const auto l = std::from_chars(d.data(), d.data() + d.size(), cp, hex ? 16 : 10);
            if (l.ec != std::errc() || l.ptr != d.data() + d.size() || cp == 0 || cp > 0x10FFFF)
                cp = 0xFFFD;
        }
        if (cp == 0) {
            r += t[i];
            continue;
        }
        if (cp < 0x80) {
            r += static_cast<char>(cp);
        } else if (cp < 0x800) {
            r += static_cast<char>(0xC0 | (cp >> 6));
            r += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            r += static_cast<char>(0xE0 | (cp >> 12));
            r += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            r += static_cast<char>(0xF0 | (cp >> 18));
            r += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            r += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (cp & 0x3F));
        }
        i = fin;
    }
    return r;
}

// The numbers of a text separated by blanks; false if anything else is in it.
bool Numeros(std::string_view t, std::vector<double>& v)
{
    v.clear();
    size_t i = 0;
    while (true) {
        while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\n' || t[i] == '\r'))
            ++i;
        if (i == t.size())
            return true;
        double d = 0.0;
        const char* ini = t.data() + i + (t[i] == '+' ? 1 : 0);
        const auto r = std::from_chars(ini, t.data() + t.size(), d);
        if (r.ec != std::errc() || !std::isfinite(d))
            return false;
        v.push_back(d);
        i = static_cast<size_t>(r.ptr - t.data());
        if (i < t.size() && t[i] != ' ' && t[i] != '\t' && t[i] != '\n' && t[i] != '\r')
            return false;
    }
}

// The value of an attribute in a start tag's text ("" when absent).
std::string Atributo(std::string_view etiqueta, std::string_view nombre)
{
    for (size_t i = 0; (i = etiqueta.find(nombre, i)) != std::string_view::npos; i += nombre.size()) {
        const bool inicio = i > 0 && (etiqueta[i - 1] == ' ' || etiqueta[i - 1] == '\t' || etiqueta[i - 1] == '\n' ||
                                      etiqueta[i - 1] == '\r');
        size_t j = i + nombre.size();
        while (j < etiqueta.size() && (etiqueta[j] == ' ' || etiqueta[j] == '\t' || etiqueta[j] == '\n' || etiqueta[j] == '\r'))
            ++j;
        if (!inicio || j >= etiqueta.size() || etiqueta[j] != '=')
            continue;
        ++j;
        while (j < etiqueta.size() && (etiqueta[j] == ' ' || etiqueta[j] == '\t' || etiqueta[j] == '\n' || etiqueta[j] == '\r'))
            ++j;
        if (j >= etiqueta.size() || (etiqueta[j] != '"' && etiqueta[j] != '\''))
            continue;
        const size_t fin = etiqueta.find(etiqueta[j], j + 1);
        if (fin == std::string_view::npos)
            return {};
        return SinEntidades(etiqueta.substr(j + 1, fin - j - 1));
    }
    return {};
}

// An element's name without its namespace prefix.
std::string_view Local(std::string_view nombre)
{
    const size_t dos = nombre.find(':');
    return dos == std::string_view::npos ? nombre : nombre.substr(dos + 1);
}

} // namespace

LecturaLandXml LeerLandXml(std::string_view texto)
{
    LecturaLandXml r;
    const auto fallo = [&r](std::string motivo) {
        LecturaLandXml f;
        f.error = std::move(motivo);
        return f;
    };
    std::vector<std::string_view> pila; // open elements
    std::string etiquetaAbierta;        // the last start tag's attributes
    std::string contenido;              // the character data of the innermost element
    bool landXml = false;
    int superficies = 0;
    bool enSuperficie = false;
    std::unordered_map<std::string, int> ids;
    std::vector<std::array<std::string, 3>> caras;
    std::vector<double> v;

    for (size_t i = 0; i < texto.size();) {
        if (texto[i] != '<') {
            const size_t fin = std::min(texto.find('<', i), texto.size());
            contenido += SinEntidades(texto.substr(i, fin - i));
            i = fin;
            continue;
        }
        if (texto.compare(i, 4, "<!--") == 0) {
            const size_t fin = texto.find("-->", i + 4);
            if (fin == std::string_view::npos)
                return fallo("El fichero LandXML está cortado.");
            i = fin + 3;
            continue;
        }
        if (texto.compare(i, 9, "<![CDATA[") == 0) {
            const size_t fin = texto.find("]]>", i + 9);
            if (fin == std::string_view::npos)
                return fallo("El fichero LandXML está cortado.");
            contenido.append(texto.substr(i + 9, fin - i - 9));
            i = fin + 3;
            continue;
        }
        const size_t fin = texto.find('>', i);
        if (fin == std::string_view::npos)
            return fallo("El fichero LandXML está cortado.");
        const std::string_view etiqueta = texto.substr(i + 1, fin - i - 1);
        i = fin + 1;
        if (etiqueta.empty() || etiqueta[0] == '?' || etiqueta[0] == '!')
            continue;
        const bool cierre = etiqueta[0] == '/';
        const bool vacia = !cierre && etiqueta.back() == '/';
        const std::string_view cuerpo = etiqueta.substr(cierre ? 1 : 0, etiqueta.size() - (cierre || vacia ? 1 : 0));
        const std::string_view nombre = Local(cuerpo.substr(0, cuerpo.find_first_of(" \t\r\n/")));
        if (!cierre) {
            if (pila.empty() && nombre != "LandXML")
                return fallo("No es un fichero LandXML.");
            landXml = true;
            pila.push_back(nombre);
            etiquetaAbierta = std::string(cuerpo);
            contenido.clear();
            if (nombre == "Surface") {
                enSuperficie = ++superficies == 1;
                if (enSuperficie)
                    r.nombre = Atributo(etiquetaAbierta, "name");
            }
            if (!vacia)
                continue;
        } else if (pila.empty() || pila.back() != nombre) {
            return fallo("El fichero LandXML está mal formado: sobra el cierre de " + std::string(nombre) + ".");
        }
        // The element ends: its content is complete.
        const std::string_view padre = pila.size() >= 2 ? pila[pila.size() - 2] : std::string_view();
        if (nombre == "CgPoint" && padre == "CgPoints") {
            objPto p;
            p.N = Atributo(etiquetaAbierta, "name");
            // A point given by reference to another carries no coordinates.
            if (!Numeros(contenido, v) || v.size() == 1 || v.size() > 3)
                return fallo("El punto " + p.N + " no tiene coordenadas válidas.");
            if (v.size() >= 2) {
                p.Y = v[0];
                p.X = v[1];
                p.Z = v.size() == 3 ? v[2] : 0.0;
                r.puntos.push_back(p);
            }
        } else if (nombre == "P" && padre == "Pnts" && enSuperficie) {
            objPto p;
            p.N = Atributo(etiquetaAbierta, "id");
            if (!Numeros(contenido, v) || v.size() != 3)
                return fallo("El punto " + p.N + " de la superficie no tiene tres coordenadas.");
            if (!ids.emplace(p.N, static_cast<int>(r.superficie.puntos.size())).second)
                return fallo("El punto " + p.N + " de la superficie está repetido.");
            p.Y = v[0];
            p.X = v[1];
            p.Z = v[2];
            r.superficie.puntos.push_back(p);
        } else if (nombre == "F" && padre == "Faces" && enSuperficie) {
            // Faces marked invisible (i="1") lie outside the surface.
            if (Atributo(etiquetaAbierta, "i") != "1") {
                std::array<std::string, 3> c;
                size_t k = 0;
                size_t a = contenido.find_first_not_of(" \t\r\n");
                while (a != std::string::npos && k < 3) {
                    const size_t b = std::min(contenido.find_first_of(" \t\r\n", a), contenido.size());
                    c[k++] = contenido.substr(a, b - a);
                    a = contenido.find_first_not_of(" \t\r\n", b);
                }
                if (k != 3 || a != std::string::npos)
                    return fallo("Una cara de la superficie no tiene tres vértices.");
                caras.push_back(std::move(c));
            }
        } else if (nombre == "Surface") {
            enSuperficie = false;
        }
        pila.pop_back();
        contenido.clear();
    }
    if (!landXml)
        return fallo("No es un fichero LandXML.");
    if (!pila.empty())
        return fallo("El fichero LandXML está cortado.");
    Superficie& s = r.superficie;
    s.triangulos.reserve(caras.size());
    for (const auto& c : caras) {
        std::array<int, 3> t{};
        for (size_t k = 0; k < 3; ++k) {
            const auto e = ids.find(c[k]);
            if (e == ids.end())
                return fallo("Una cara nombra el punto " + c[k] + ", que no está en la superficie.");
            t[k] = e->second;
        }
        s.triangulos.push_back(t);
    }
    if (!s.puntos.empty()) {
        const auto [menor, mayor] = std::minmax_element(s.puntos.begin(), s.puntos.end(),
                                                        [](const objPto& a, const objPto& b) { return a.Z < b.Z; });
        s.cotaMinima = menor->Z;
        s.cotaMaxima = mayor->Z;
    }
    return r;
}
