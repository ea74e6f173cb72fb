#include "exchange/Libreta.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "core/modFuncionesTopo.h"
#include "exchange/Descargas.h"
#include "exchange/DescargasComun.h"
#include "exchange/Gsi.h"

namespace {

using descargas::Numero;
using descargas::Recortar;

constexpr double PIE = 0.3048;
constexpr double PIE_US = 1200.0 / 3937.0;

// One reading of a set-up, in grads and metres.
struct Lectura {
    long linea = 0;
    std::string a;  // the point sighted
    double hz = 0.0, v = 0.0, di = 0.0;
    bool conDi = false;
    double senal = 0.0;
    char clase = '?';   // 'B' backsight, 'F' foresight, 'S' side shot, '?' to be found by the point
    bool inversa = false;
    std::string registro; // as the file names it, for the messages
};

// One set-up of the instrument.
struct Montaje {
    long linea = 0;
    std::string punto;
    double hi = 0.0;
    std::string atras;    // back point, when the file says it
    std::string adelante; // forward point, once known
    std::vector<Lectura> lecturas;
};

std::string Linea(long n)
{
    return "Línea " + std::to_string(n) + ": ";
}

// The face readings of one kind taken into the sheet: the first direct and
// reverse; the rest are listed as repeated sets.
struct Par {
    const Lectura* d = nullptr;
    const Lectura* i = nullptr;
};

Par Elegir(const Montaje& m, char clase, const std::string& punto, std::vector<std::string>& sinCabida)
{
    Par p;
    for (const Lectura& l : m.lecturas) {
        if (l.clase != clase || l.a != punto)
            continue;
        const Lectura*& hueco = l.inversa ? p.i : p.d;
        if (!hueco)
            hueco = &l;
        else
            sinCabida.push_back(Linea(l.linea) + "serie repetida de " + m.punto + " a " + l.a + " (" + l.registro +
                                "); se toma la primera.");
    }
    return p;
}

// The slots of a pair of faces: Hz, V and the mean distance; a missing face
// is the other one turned over.
struct Valores {
    double hzD = 0.0, hzI = 0.0, vD = 0.0, vI = 0.0, di = 0.0, senal = 0.0;
};

Valores Completar(const Par& p, const std::string& de, std::vector<std::string>& sinCabida)
{
    Valores v;
    const Lectura* una = p.d ? p.d : p.i;
    if (!una)
        return v;
    if (!p.d || !p.i)
        sinCabida.push_back(Linea(una->linea) + "de " + de + " a " + una->a + " solo se leyó el círculo " +
                            (p.d ? "directo" : "inverso") + "; el otro se toma igual, dado la vuelta.");
    const auto girar = [](const Lectura& l, double& hz, double& vv) {
        hz = std::fmod(l.hz + 200.0, 400.0);
        vv = 400.0 - l.v;
    };
    if (p.d) {
        v.hzD = p.d->hz;
        v.vD = p.d->v;
    } else {
        girar(*p.i, v.hzD, v.vD);
    }
    if (p.i) {
        v.hzI = p.i->hz;
        v.vI = p.i->v;
    } else {
        girar(*p.d, v.hzI, v.vI);
    }
    int n = 0;
    for (const Lectura* l : {p.d, p.i})
        if (l && l->conDi) {
            v.di += l->di;
            ++n;
        }
    if (n > 0)
        v.di /= n;
    else
        sinCabida.push_back(Linea(una->linea) + "de " + de + " a " + una->a + " no hay distancia.");
    v.senal = una->senal;
    return v;
}

bool Buscar(const std::vector<objPto>& puntos, const std::string& nombre, objPto& p)
{
    for (const objPto& q : puntos)
        if (q.N == nombre) {
            p = q;
            return true;
        }
    return false;
}

// The sheet from the set-ups.
LecturaLibreta Construir(std::vector<Montaje>& montajes, LecturaLibreta r)
{
    std::vector<std::string>& sinCabida = r.sinCabida;
    // Back and forward points where the file does not say them.
    for (size_t k = 0; k < montajes.size(); ++k) {
        Montaje& m = montajes[k];
        if (m.atras.empty() && k > 0)
            m.atras = montajes[k - 1].punto;
        for (const Lectura& l : m.lecturas)
            if (m.atras.empty() && l.clase != 'S' && l.clase != 'F')
                m.atras = l.a;
        if (m.adelante.empty() && k + 1 < montajes.size()) {
            for (const Lectura& l : m.lecturas)
                if (l.a == montajes[k + 1].punto && l.clase != 'S' && l.clase != 'B')
                    m.adelante = l.a;
        }
        for (const Lectura& l : m.lecturas)
            if (m.adelante.empty() && l.a != m.atras && (l.clase == '?' || l.clase == 'F'))
                m.adelante = l.a;
        for (Lectura& l : m.lecturas) {
            if (l.clase == '?')
                l.clase = l.a == m.atras ? 'B' : (l.a == m.adelante ? 'F' : 'S');
            if (l.clase == 'B' && l.a != m.atras)
                l.clase = 'C';
            if (l.clase == 'F' && l.a != m.adelante)
                l.clase = 'S';
            if (l.clase == 'S')
                sinCabida.push_back(Linea(l.linea) + "radiación de " + m.punto + " a " + l.a + " (" + l.registro +
                                    ").");
            if (l.clase == 'C')
                sinCabida.push_back(Linea(l.linea) + "lectura de comprobación de " + m.punto + " a " + l.a + " (" +
                                    l.registro + ").");
        }
    }
    for (size_t k = 0; k < montajes.size(); ++k) {
        const Montaje& m = montajes[k];
        if (m.adelante.empty())
            continue;
        const Par atras = Elegir(m, 'B', m.atras, sinCabida);
        const Par adelante = Elegir(m, 'F', m.adelante, sinCabida);
        objEstacion e;
        e.objBE.N = m.punto;
        e.objBO.N = m.atras;
        e.objBV.N = m.adelante;
        if (!atras.d && !atras.i)
            sinCabida.push_back(Linea(m.linea) + "la estación " + m.punto + " no tiene lectura atrás a " + m.atras +
                                ".");
        const Valores b = Completar(atras, m.punto, sinCabida);
        const Valores f = Completar(adelante, m.punto, sinCabida);
        e.Slot(HzDirectoOrientacion) = b.hzD;
        e.Slot(HzInversoOrientacion) = b.hzI;
        e.Slot(HzDirectoVisado) = f.hzD;
        e.Slot(HzInversoVisado) = f.hzI;
        e.Slot(VDirectoVisado) = f.vD;
        e.Slot(VInversoVisado) = f.vI;
        e.Slot(DistanciaInclinada) = f.di;
        e.Slot(AlturaInstrumento) = m.hi;
        e.Slot(AlturaSenal) = f.senal;
        const Montaje* s = k + 1 < montajes.size() ? &montajes[k + 1] : nullptr;
        if (s && s->punto == m.adelante && s->atras == m.punto) {
            const Valores rec = Completar(Elegir(*s, 'B', s->atras, sinCabida), s->punto, sinCabida);
            e.Slot(VDirectoReciproca) = rec.vD;
            e.Slot(VInversoReciproca) = rec.vI;
            e.Slot(DistanciaReciproca) = rec.di;
            e.Slot(AlturaInstrumentoReciproca) = s->hi;
            e.Slot(AlturaSenalReciproca) = rec.senal;
        } else {
            sinCabida.push_back(Linea(m.linea) + "la estación " + m.punto + " no tiene observación recíproca desde " +
                                m.adelante + ".");
        }
        r.estaciones.push_back(e);
        if (r.estaciones.size() >= MAX_ESTACIONES)
            break;
    }
    if (r.estaciones.empty()) {
        r.error = "El fichero no tiene ninguna estación con lecturas hacia delante.";
        return r;
    }
    const objEstacion& primera = r.estaciones.front();
    r.BE.N = primera.objBE.N;
    r.BO.N = primera.objBO.N;
    if (!Buscar(r.coordenadas, r.BE.N, r.BE))
        sinCabida.push_back("Faltan las coordenadas de " + r.BE.N + ", la primera estación.");
    if (!Buscar(r.coordenadas, r.BO.N, r.BO))
        sinCabida.push_back("Faltan las coordenadas de " + r.BO.N + ", su punto de orientación.");
    r.ok = true;
    return r;
}

// ------------------------------------------------------------------ RW5

// The fields of an RW5 record: code and value ("N 5000.0" is N, "EL10" EL).
struct CampoRw5 {
    std::string_view codigo, valor;
};

std::vector<CampoRw5> CamposRw5(std::string_view linea)
{
    std::vector<CampoRw5> c;
    size_t i = 0;
    while (i <= linea.size()) {
        const size_t coma = std::min(linea.find(',', i), linea.size());
        const std::string_view f = Recortar(linea.substr(i, coma - i));
        i = coma + 1;
        if (f.size() >= 2 && f[0] == '-' && f[1] == '-')
            break; // the note runs to the end of the record
        size_t n = 0;
        while (n < 2 && n < f.size() && std::isalpha(static_cast<unsigned char>(f[n])))
            ++n;
        c.push_back({f.substr(0, n), Recortar(f.substr(n))});
    }
    return c;
}

std::string_view Valor(const std::vector<CampoRw5>& c, std::string_view codigo)
{
    for (size_t k = 1; k < c.size(); ++k)
        if (c[k].codigo == codigo)
            return c[k].valor;
    return {};
}

struct UnidadesRw5 {
    bool gon = false;
    double metro = 1.0;
};

bool AnguloRw5(std::string_view t, const UnidadesRw5& u, double& grads)
{
    if (u.gon)
        return Numero(t, grads);
    return SexagesimalAGrads(t, grads);
}

// A BD, BR, FD, FR or TR record as a reading; the reason when it cannot be.
bool LecturaRw5(const std::vector<CampoRw5>& c, const UnidadesRw5& u, Lectura& l, std::string& motivo)
{
    l.a = std::string(Valor(c, "FP"));
    if (l.a.empty()) {
        motivo = "falta el punto visado (FP)";
        return false;
    }
    std::string_view h = Valor(c, "AR");
    bool izquierda = false;
    if (h.empty())
        h = Valor(c, "AZ");
    if (h.empty()) {
        h = Valor(c, "AL");
        izquierda = !h.empty();
    }
    if (!AnguloRw5(h, u, l.hz)) {
        motivo = "falta el ángulo horizontal (AR, AZ o AL) o no es válido";
        return false;
    }
    if (izquierda)
        l.hz = std::fmod(400.0 - l.hz, 400.0);
    std::string_view z = Valor(c, "ZE");
    const bool horizonte = z.empty();
    if (horizonte)
        z = Valor(c, "VA");
    if (!AnguloRw5(z, u, l.v)) {
        motivo = "falta el ángulo cenital (ZE o VA) o no es válido";
        return false;
    }
    if (horizonte)
        l.v = 100.0 - l.v;
    double d = 0.0;
    if (Numero(Valor(c, "SD"), d)) {
        l.di = d * u.metro;
        l.conDi = true;
    } else if (Numero(Valor(c, "HD"), d)) {
        const double s = std::sin(l.v * GRAD_A_RAD);
        l.conDi = s > 0.0;
        l.di = l.conDi ? d * u.metro / s : 0.0;
    }
    return true;
}

} // namespace

LecturaLibreta LeerLibretaRw5(std::string_view texto)
{
    LecturaLibreta r;
    std::vector<Montaje> montajes;
    UnidadesRw5 u;
    double senal = 0.0;
    std::string_view linea;
    long n = 0;
    std::string motivo;
    LectorLineas lineas(texto);
    while (lineas.Siguiente(linea, n)) {
        linea = Recortar(linea);
        if (linea.empty())
            continue;
        const std::vector<CampoRw5> c = CamposRw5(linea);
        if (c.empty())
            continue; // a line that is all note ("--...")
        const std::string_view tipo = c.front().codigo;
        const auto noLeida = [&r, n](const std::string& m) { r.sinCabida.push_back(Linea(n) + m + "."); };
        if (tipo == "MO") {
            const std::string_view au = Valor(c, "AU"), un = Valor(c, "UN");
            u.gon = au == "1";
            if (un == "0")
                u.metro = PIE;
            else if (un == "2")
                u.metro = PIE_US;
            else
                u.metro = 1.0;
        } else if (tipo == "OC" || tipo == "SP") {
            objPto p;
            p.N = std::string(Valor(c, tipo == "OC" ? "OP" : "PN"));
            double x = 0.0, y = 0.0, z = 0.0;
            if (Numero(Valor(c, "E"), x) && Numero(Valor(c, "N"), y)) {
                Numero(Valor(c, "EL"), z);
                p.X = x * u.metro;
                p.Y = y * u.metro;
                p.Z = z * u.metro;
                r.coordenadas.push_back(p);
            }
            if (tipo == "OC") {
                Montaje m;
                m.linea = n;
                m.punto = p.N;
                montajes.push_back(m);
            }
        } else if (tipo == "BK") {
            if (!montajes.empty())
                montajes.back().atras = std::string(Valor(c, "BP"));
        } else if (tipo == "LS") {
            double v = 0.0;
            if (Numero(Valor(c, "HI"), v) && !montajes.empty())
                montajes.back().hi = v * u.metro;
            if (Numero(Valor(c, "HR"), v))
                senal = v * u.metro;
        } else if (tipo == "BD" || tipo == "BR" || tipo == "FD" || tipo == "FR" || tipo == "TR" ||
                   tipo == "SS") {
            Lectura l;
            l.linea = n;
            l.registro = std::string(tipo);
            l.senal = senal;
            if (montajes.empty()) {
                noLeida("lectura " + l.registro + " antes de ningún estacionamiento (OC)");
                continue;
            }
            if (!LecturaRw5(c, u, l, motivo)) {
                noLeida(motivo);
                continue;
            }
            l.clase = tipo[0] == 'B' ? 'B' : (tipo == "SS" ? 'S' : 'F');
            l.inversa = tipo == "BR" || tipo == "FR";
            if (l.clase == 'S' && l.a == montajes.back().atras)
                l.clase = 'C';
            montajes.back().lecturas.push_back(l);
        }
    }
    return Construir(montajes, r);
}

LecturaLibreta LeerLibretaGsi(std::string_view texto)
{
    LecturaLibreta r;
    const BloquesGsi b = LeerBloquesGsi(texto);
    for (const LineaNoLeida& l : b.noLeidas)
        r.sinCabida.push_back(Linea(l.linea) + l.motivo + ".");
    std::vector<Montaje> montajes;
    double senal = 0.0;
    for (const BloqueGsi& k : b.bloques) {
        if (k.Tiene(87))
            senal = k.Valor(87);
        const bool angulos = k.Tiene(21) && k.Tiene(22);
        if (!angulos && (k.Tiene(84) || k.Tiene(88))) {
            Montaje m;
            m.linea = k.linea;
            m.punto = k.id;
            m.hi = k.Valor(88);
            montajes.push_back(m);
            if (k.Tiene(84) && k.Tiene(85))
                r.coordenadas.push_back({k.id, k.Valor(84), k.Valor(85), k.Valor(86)});
        } else if (!angulos && k.Tiene(81) && k.Tiene(82)) {
            r.coordenadas.push_back({k.id, k.Valor(81), k.Valor(82), k.Valor(83)});
        } else if (angulos) {
            if (montajes.empty()) {
                r.sinCabida.push_back(Linea(k.linea) + "medida antes de ningún registro de estación.");
                continue;
            }
            Lectura l;
            l.linea = k.linea;
            l.a = k.id;
            l.hz = k.Valor(21);
            l.v = k.Valor(22);
            l.conDi = k.Tiene(31);
            l.di = k.Valor(31);
            l.senal = senal;
            l.inversa = l.v > 200.0;
            l.registro = "GSI";
            montajes.back().lecturas.push_back(l);
        }
    }
    return Construir(montajes, r);
}

LecturaLibreta LeerLibreta(std::string_view nombreFichero, std::string_view texto)
{
    std::string nombre(nombreFichero);
    for (char& c : nombre)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool rw5 = (nombre.size() >= 4 && nombre.compare(nombre.size() - 4, 4, ".rw5") == 0) ||
                     texto.substr(0, 3) == "JB," || texto.substr(0, 3) == "MO," || texto.substr(0, 3) == "OC,";
    return rw5 ? LeerLibretaRw5(texto) : LeerLibretaGsi(texto);
}

std::string MensajeSinCabida(const std::vector<std::string>& sinCabida)
{
    if (sinCabida.empty())
        return {};
    std::string t = "Lo que no cabe en la hoja de la poligonal o se ha supuesto al importar:\n";
    for (size_t i = 0; i < sinCabida.size() && i < 15; ++i)
        t += "\n" + sinCabida[i];
    if (sinCabida.size() > 15)
        t += "\ny " + std::to_string(sinCabida.size() - 15) + " más.";
    return t;
}
