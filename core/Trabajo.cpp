#include "core/Trabajo.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

#include "core/Configuracion.h"
#include "core/FicherosTexto.h"

void Trabajo::Avisar(CambioTrabajo c) const
{
    if (alCambiar)
        alCambiar(c);
}

void Trabajo::PonerPoligonal(PoligonalTrabajo p)
{
    poligonal_ = std::move(p);
    poligonal_.abierta = true;
    Avisar(CambioTrabajo::Poligonal);
}

void Trabajo::CerrarPoligonal()
{
    if (!poligonal_.abierta)
        return;
    poligonal_ = PoligonalTrabajo();
    Avisar(CambioTrabajo::Poligonal);
}

bool EsListaPuntos(std::string_view lista) { return lista == "lstPuntos" || lista == "lstPuntosCatenaria"; }

void Trabajo::PonerListas(const std::string& ventana, std::map<std::string, std::vector<std::string>> filas)
{
    ListasVentana& l = listas_[ventana];
    l.bases.clear();
    l.puntos.clear();
    for (const auto& [nombre, f] : filas) {
        if (nombre == LISTA_BASES) {
            l.bases = LeerListaBases(f);
        } else if (EsListaPuntos(nombre)) {
            std::vector<objPto> p = LeerListaPuntos(f);
            l.puntos.insert(l.puntos.end(), std::make_move_iterator(p.begin()), std::make_move_iterator(p.end()));
        }
    }
    l.filas = std::move(filas);
    Avisar(CambioTrabajo::Listas);
}

void Trabajo::PonerEntradas(const std::string& ventana, std::map<std::string, std::vector<std::string>> entradas)
{
    listas_[ventana].entradas = std::move(entradas);
    Avisar(CambioTrabajo::Entradas);
}

void Trabajo::QuitarListas(const std::string& ventana)
{
    if (listas_.erase(ventana) > 0)
        Avisar(CambioTrabajo::Listas);
}

void Trabajo::PonerVano(PerfilCatenaria vano)
{
    vano_ = std::move(vano);
    Avisar(CambioTrabajo::Vano);
}

void Trabajo::PonerCompensados(std::vector<objPto> puntos)
{
    if (puntos.empty() && compensados_.empty())
        return;
    compensados_ = std::move(puntos);
    Avisar(CambioTrabajo::Compensacion);
}

void Trabajo::PonerTerreno(std::shared_ptr<const TerrenoTrabajo> terreno)
{
    if (!terreno && !terreno_)
        return;
    terreno_ = std::move(terreno);
    Avisar(CambioTrabajo::Terreno);
}

void Trabajo::Vaciar()
{
    CerrarPoligonal();
    if (!listas_.empty()) {
        listas_.clear();
        Avisar(CambioTrabajo::Listas);
    }
    if (vano_.Valido()) {
        vano_ = PerfilCatenaria();
        Avisar(CambioTrabajo::Vano);
    }
    PonerCompensados({});
    PonerTerreno(nullptr);
}

bool Trabajo::Vacio() const { return !poligonal_.abierta && listas_.empty(); }

// ------------------------------------------------------------ recovery text

namespace {

constexpr std::string_view CABECERA = "cartavector-trabajo\t1";

void AnadirTexto(std::string& s, std::string_view t)
{
    s += '\t';
    for (const char c : t) {
        if (c == '%' || c == '\t' || c == '\r' || c == '\n') {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
            s += hex;
        } else {
            s += c;
        }
    }
}

void AnadirNumero(std::string& s, double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    s += '\t';
    s.append(buf, r.ptr);
}

void AnadirPunto(std::string& s, const objPto& p)
{
    AnadirTexto(s, p.N);
    AnadirNumero(s, p.X);
    AnadirNumero(s, p.Y);
    AnadirNumero(s, p.Z);
}

// The fields of one line, decoded.
std::vector<std::string> Campos(std::string_view linea)
{
    std::vector<std::string> campos(1);
    for (size_t i = 0; i < linea.size(); ++i) {
        const char c = linea[i];
        if (c == '\t') {
            campos.emplace_back();
        } else if (c == '%' && i + 2 < linea.size()) {
            unsigned valor = 0;
            const auto r = std::from_chars(linea.data() + i + 1, linea.data() + i + 3, valor, 16);
            if (r.ptr != linea.data() + i + 3)
                return {};
            campos.back() += static_cast<char>(valor);
            i += 2;
        } else {
            campos.back() += c;
        }
    }
    return campos;
}

// Reads the fields from position i on; false when one is missing or not a number.
class Lector {
public:
    explicit Lector(const std::vector<std::string>& c) : c_(c) {}
    bool Texto(std::string& t)
    {
        if (i_ >= c_.size())
            return false;
        t = c_[i_++];
        return true;
    }
    bool Numero(double& v)
    {
        if (i_ >= c_.size())
            return false;
        const std::string& t = c_[i_++];
        const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        return r.ec == std::errc() && r.ptr == t.data() + t.size();
    }
    bool Entero(int& v)
    {
        double d = 0.0;
        if (!Numero(d) || !(d >= -1e6 && d <= 1e6))
            return false;
        v = static_cast<int>(d);
        return true;
    }
    bool Punto(objPto& p) { return Texto(p.N) && Numero(p.X) && Numero(p.Y) && Numero(p.Z); }
    bool Fin() const { return i_ == c_.size(); }

private:
    const std::vector<std::string>& c_;
    size_t i_ = 1; // field 0 is the record's kind
};

} // namespace

std::string EscribirTrabajo(const Trabajo& t)
{
    std::string s(CABECERA);
    s += '\n';
    const PoligonalTrabajo& p = t.Poligonal();
    if (p.abierta) {
        s += "poligonal";
        AnadirNumero(s, p.estacionActual);
        AnadirNumero(s, p.incompleta);
        AnadirPunto(s, p.BE);
        AnadirPunto(s, p.BO);
        s += '\n';
        if (p.cierre) {
            s += "cierre";
            AnadirPunto(s, p.PE);
            AnadirPunto(s, p.PV);
            s += '\n';
        }
        for (const objEstacion& e : p.estaciones) {
            s += "estacion";
            AnadirPunto(s, e.objBE);
            AnadirPunto(s, e.objBO);
            AnadirPunto(s, e.objBV);
            for (const objObservacion& o : e.colObservaciones)
                AnadirNumero(s, o.Valor);
            s += '\n';
        }
        s += "casillas";
        for (const std::string& texto : p.textos)
            AnadirTexto(s, texto);
        s += '\n';
    }
    const auto controles = [&s](const char* clase, const std::string& ventana, const auto& porNombre) {
        for (const auto& [nombre, filas] : porNombre) {
            s += clase;
            AnadirTexto(s, ventana);
            AnadirTexto(s, nombre);
            for (const std::string& f : filas)
                AnadirTexto(s, f);
            s += '\n';
        }
    };
    for (const auto& [ventana, listas] : t.Listas()) {
        controles("lista", ventana, listas.filas);
        controles("entrada", ventana, listas.entradas);
    }
    return s;
}

bool LeerTrabajo(std::string_view texto, Trabajo& t)
{
    t.Vaciar();
    PoligonalTrabajo p;
    std::map<std::string, std::map<std::string, std::vector<std::string>>> listas, entradas;
    bool cabecera = false, bien = true;
    while (bien && !texto.empty()) {
        const size_t fin = texto.find('\n');
        const std::string_view linea = texto.substr(0, fin);
        texto = fin == std::string_view::npos ? std::string_view() : texto.substr(fin + 1);
        if (!cabecera) {
            cabecera = bien = linea == CABECERA;
            continue;
        }
        const std::vector<std::string> c = Campos(linea);
        Lector l(c);
        const std::string clase = c.empty() ? std::string() : c[0];
        if (clase == "poligonal") {
            p.abierta = true;
            bien = l.Entero(p.estacionActual) && l.Entero(p.incompleta) && l.Punto(p.BE) && l.Punto(p.BO) && l.Fin();
        } else if (clase == "cierre") {
            p.cierre = true;
            bien = l.Punto(p.PE) && l.Punto(p.PV) && l.Fin();
        } else if (clase == "estacion") {
            objEstacion e;
            bien = l.Punto(e.objBE) && l.Punto(e.objBO) && l.Punto(e.objBV);
            for (objObservacion& o : e.colObservaciones)
                bien = bien && l.Numero(o.Valor);
            bien = bien && l.Fin();
            p.estaciones.push_back(std::move(e));
        } else if (clase == "casillas") {
            p.textos.assign(c.begin() + 1, c.end());
        } else if ((clase == "lista" || clase == "entrada") && c.size() >= 3) {
            (clase == "lista" ? listas : entradas)[c[1]][c[2]].assign(c.begin() + 3, c.end());
        } else {
            bien = false;
        }
    }
    bien = bien && cabecera && (!p.abierta || (!p.estaciones.empty() && p.estacionActual >= 1 &&
                                                p.estacionActual <= static_cast<int>(p.estaciones.size())));
    if (!bien)
        return false;
    if (p.abierta)
        t.PonerPoligonal(std::move(p));
    for (auto& [ventana, filas] : listas)
        t.PonerListas(ventana, std::move(filas));
    for (auto& [ventana, e] : entradas)
        t.PonerEntradas(ventana, std::move(e));
    return true;
}

std::string RutaRecuperacion(int turno)
{
    const std::string nombre = turno <= 1 ? "recuperacion" : "recuperacion-" + std::to_string(turno);
    return CarpetaPrograma() + "/" + nombre + ".trabajo";
}
