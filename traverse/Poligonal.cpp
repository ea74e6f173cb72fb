#include "traverse/Poligonal.h"

#include <charconv>
#include <cmath>

#include "core/Fallos.h"
#include "core/LectorCampos.h"
#include "core/TextoNumerico.h"
#include "core/modFuncionesTopo.h"
#include "core/FicherosTexto.h"

// ---------------------------------------------------------------- chaining

void EncadenarEstacion(colEstaciones& estaciones, int i)
{
    if (i < 2 || i > static_cast<int>(estaciones.size()))
        return;
    const objEstacion& anterior = estaciones[static_cast<size_t>(i - 2)];
    objEstacion& e = estaciones[static_cast<size_t>(i - 1)];
    e.objBE = anterior.objBV;
    e.objBO = anterior.objBE;
}

void PropagarBases(colEstaciones& estaciones, int actual)
{
    const int n = static_cast<int>(estaciones.size());
    for (int i = std::max(actual + 1, 2); i <= n; ++i) {
        EncadenarEstacion(estaciones, i);
        estaciones[static_cast<size_t>(i - 1)].Radiar();
    }
}

void PrimeraEstacion(colEstaciones& estaciones, const objPto& BE, const objPto& BO)
{
    if (estaciones.empty())
        estaciones.emplace_back();
    objEstacion& primera = estaciones.front();
    primera.objBE = BE;
    primera.objBO = BO;
    primera.Radiar();
}

bool AnadirEstacion(colEstaciones& estaciones)
{
    if (estaciones.empty() || estaciones.size() >= MAX_ESTACIONES)
        return false;
    const double altura = estaciones.back().Slot(AlturaInstrumentoReciproca);
    estaciones.emplace_back();
    EncadenarEstacion(estaciones, static_cast<int>(estaciones.size()));
    estaciones.back().Slot(AlturaInstrumento) = altura;
    return true;
}

// ------------------------------------------------------------ indicators

bool BarraAcotada(double valor, int& barra)
{
    if (!std::isfinite(valor))
        return false;
    barra = valor <= 100.0 ? static_cast<int>(std::floor(valor)) : 100;
    return true;
}

Discrepancias CalcularDiscrepancias(const objEstacion& e)
{
    Discrepancias d;
    AsignarSiValido(d.a1, std::fabs(std::fabs(e.Slot(2) - e.Slot(1)) - 200.0));
    AsignarSiValido(d.a2, std::fabs(std::fabs(e.Slot(4) - e.Slot(3)) - 200.0));
    AsignarSiValido(d.z1, std::fabs((e.Slot(5) + e.Slot(6)) - 400.0));
    AsignarSiValido(d.z2, std::fabs((e.Slot(10) + e.Slot(11)) - 400.0));
    AsignarSiValido(d.D, std::fabs(e.Slot(19) - e.Slot(20)));
    AsignarSiValido(d.H, std::fabs(e.Slot(21) - e.Slot(22)));
    return d;
}

namespace {

Indicador HacerIndicador(double valor, double escala, int decimales)
{
    Indicador r;
    r.valido = BarraAcotada(valor * escala, r.barra);
    r.etiqueta = Formatear(valor, decimales);
    return r;
}

} // namespace

Indicador IndicadorAcimutal(const objEstacion& e)
{
    const Discrepancias d = CalcularDiscrepancias(e);
    return HacerIndicador(Maximo(d.a1, d.a2), 10000.0, 4);
}

Indicador IndicadorCenital(const objEstacion& e)
{
    const Discrepancias d = CalcularDiscrepancias(e);
    return HacerIndicador(Maximo(d.z1, d.z2), 10000.0, 4);
}

Indicador IndicadorDistancias(const objEstacion& e)
{
    return HacerIndicador(CalcularDiscrepancias(e).D, 1000.0, 3);
}

Indicador IndicadorCotas(const objEstacion& e)
{
    return HacerIndicador(CalcularDiscrepancias(e).H, 1000.0, 3);
}

double IndiceError(const objEstacion& e)
{
    const Discrepancias d = CalcularDiscrepancias(e);
    const double A = d.a1 + d.a2;
    const double V = d.z1 + d.z2;
    return (0.4 * A + 0.25 * V) * 10000.0 + (0.4 * d.D + 0.25 * d.H) * 1000.0;
}

// ----------------------------------------------------------- the 15 inputs

int DecimalesObservacion(int k)
{
    return (k >= 1 && k <= 6) || k == 10 || k == 11 ? 4 : 3;
}

std::string TextoObservacion(const objEstacion& e, int k, bool ultima)
{
    const double v = e.Slot(k);
    if (k != 1 && ultima && v == 0.0)
        return {};
    return Formatear(v, DecimalesObservacion(k));
}

bool DatosValidos(const std::array<std::string, 15>& textos)
{
    if (textos[0].empty())
        return false;
    for (size_t k = 1; k < textos.size(); ++k)
        if (!EsNumero(textos[k]))
            return false;
    return true;
}

std::string TextoMediaPar(bool horizontal, const std::string& directo, const std::string& inverso)
{
    if (!EsNumero(directo) || !EsNumero(inverso))
        return {};
    const double d = LeerNumero(directo);
    const double r = LeerNumero(inverso);
    return Formatear(horizontal ? BesselHorizontal(d, r) : BesselCenital(d, r), 4);
}

// ------------------------------------------------------ list of known points

namespace {

void AnadirBase(std::vector<std::string>& filas, const std::string& nombre, const objPto& p)
{
    const std::array<std::string, 6> seis = FilasBase(nombre, p.X, p.Y, p.Z);
    filas.insert(filas.end(), seis.begin(), seis.end());
}

} // namespace

std::vector<std::string> FilasListaBases(const objPto& BE, const objPto& BO, const colEstaciones& estaciones)
{
    std::vector<std::string> filas;
    filas.reserve(6 * (estaciones.size() + 2));
    AnadirBase(filas, BO.N + " [V. salida BO]", BO);
    AnadirBase(filas, BE.N + " [V. salida BE]", BE);
    for (size_t i = 0; i + 1 < estaciones.size(); ++i)
        AnadirBase(filas, estaciones[i].objBV.N, estaciones[i].objBV);
    return filas;
}

std::vector<std::string> FilasCierre(const std::array<std::string, 4>& llegadaBE,
                                     const std::array<std::string, 4>& llegadaVisado,
                                     const std::array<std::string, 5>& errores)
{
    // The vertices go in as typed, not read as numbers.
    return {llegadaBE[0] + " [V. llegada BE]",
            "",
            llegadaBE[1],
            llegadaBE[2],
            llegadaBE[3],
            "",
            llegadaVisado[0] + " [V. llegada Visado]",
            "",
            llegadaVisado[1],
            llegadaVisado[2],
            llegadaVisado[3],
            "",
            "[ERRORES DE CIERRE]",
            "",
            "Error angular : " + errores[0],
            "",
            "Error en X : " + errores[1],
            "Error en Y : " + errores[2],
            "Error en Z : " + errores[3],
            "",
            "Error dist. : " + errores[4],
            ""};
}

// ------------------------------------------------------- relative survey

bool ObservacionesRelativasValidas(const std::array<std::string, 10>& obs)
{
    for (size_t i = 0; i < obs.size(); ++i)
        if (i != 1 && i != 6 && !EsNumero(obs[i]))
            return false;
    return true;
}

bool VerticeValido(const std::array<std::string, 4>& vertice)
{
    return !vertice[0].empty() && EsNumero(vertice[1]) && EsNumero(vertice[2]) && EsNumero(vertice[3]);
}

objPto LeerVertice(const std::array<std::string, 4>& vertice)
{
    objPto p;
    p.N = vertice[0];
    p.X = LeerNumero(vertice[1]);
    p.Y = LeerNumero(vertice[2]);
    p.Z = LeerNumero(vertice[3]);
    return p;
}

VerticeRelativo CalcularVerticeRelativo(const std::array<std::string, 10>& obs, const std::array<std::string, 4>& be)
{
    VerticeRelativo r;
    if (!ObservacionesRelativasValidas(obs) || !VerticeValido(be))
        return r;
    r.valido = true;
    double v[10];
    for (size_t i = 0; i < 10; ++i)
        v[i] = LeerNumero(obs[i]);
    const double XE = LeerNumero(be[1]);
    const double YE = LeerNumero(be[2]);
    const double ZE = LeerNumero(be[3]);

    double V1 = v[0];
    double V2 = v[5];
    if (EsNumero(obs[1]))
        AsignarSiValido(V1, BesselCenital(v[0], v[1]));
    if (EsNumero(obs[6]))
        AsignarSiValido(V2, BesselCenital(v[5], v[6]));
    double Dr1 = 0.0, Dr2 = 0.0, D = 0.0;
    AsignarSiValido(Dr1, ReducirDistancia(v[2], V1));
    AsignarSiValido(Dr2, ReducirDistancia(v[7], V2));
    AsignarSiValido(D, (Dr2 + Dr1) / 2.0);
    double Z1 = 0.0, Z2 = 0.0, ZO = 0.0;
    AsignarSiValido(Z1, CotaPuntoVisado(ZE, v[2], V1, v[3], v[4]));
    AsignarSiValido(Z2, CotaPuntoEstacion(ZE, v[7], V2, v[8], v[9]));
    AsignarSiValido(ZO, (Z2 + Z1) / 2.0);

    r.X = F3(XE);
    r.Y = F3(YE + D);
    r.Z = F3(ZO);
    r.DifDistancias = F3(std::fabs(Dr2 - Dr1));
    r.DifCotas = F3(std::fabs(Z2 - Z1));
    return r;
}

// --------------------------------------------------------------- closure

double AcimutArrastrado(const objPto& BE, const objPto& BO, const colEstaciones& estaciones)
{
    // The running sum is not reduced inside the loop.
    double A = AcimutEntrePuntos(BE, BO);
    for (const objEstacion& e : estaciones)
        A = A + (e.Slot(16) - e.Slot(15)) + 200.0;
    return NormalizarAngulo(A - 200.0);
}

ErroresCierre CalcularErroresCierre(const objPto& BE, const objPto& BO, const colEstaciones& estaciones,
                                    const objPto& PE, const objPto& PV)
{
    ErroresCierre r;
    const double AF = AcimutEntrePuntos(PE, PV);
    const double A = AcimutArrastrado(BE, BO, estaciones);
    double EA = AF - A;
    // Both azimuths lie in [0, 400): across the zero direction the plain
    // difference is near +-400; the misclosure is the short way round.
    if (EA > 200.0)
        EA -= 400.0;
    else if (EA <= -200.0)
        EA += 400.0;
    r.EA = EA;
    if (estaciones.empty())
        return r;
    const objPto& L = estaciones.back().objBE;
    r.EX = PE.X - L.X;
    r.EY = PE.Y - L.Y;
    r.EZ = PE.Z - L.Z;
    r.ED = DistanciaEntrePuntos(PE, L);
    return r;
}

// ----------------------------------------------------------- traverse files

namespace {

const char* const FIN_LINEA = "\r\n";

std::string LineaPunto(const objPto& p)
{
    return "\"" + p.N + "\"," + NumeroPol(p.X) + "," + NumeroPol(p.Y) + "," + NumeroPol(p.Z) + FIN_LINEA;
}

bool LeerPunto(LectorCampos& lector, objPto& p)
{
    std::string campo;
    if (!lector.Leer(campo))
        return false;
    p.N = campo;
    double* coordenadas[3] = {&p.X, &p.Y, &p.Z};
    for (double* c : coordenadas) {
        if (!lector.Leer(campo))
            return false;
        *c = LeerNumero(campo);
    }
    return true;
}

const char* const MSG_FIN_FICHERO = "Se ha sobrepasado el final del archivo.";

} // namespace

std::string NumeroPol(double valor)
{
    if (valor == 0.0 || !std::isfinite(valor))
        return "0";
    char buf[48];
    const auto r = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::general, 15);
    return {buf, r.ptr};
}

std::string EscribirPol(const objPto& BE, const objPto& BO, const colEstaciones& estaciones)
{
    std::string texto = LineaPunto(BE) + LineaPunto(BO);
    for (const objEstacion& e : estaciones) {
        texto += LineaPunto(e.objBE);
        texto += LineaPunto(e.objBO);
        texto += LineaPunto(e.objBV);
        for (int k = 1; k <= NUM_SLOTS; ++k) {
            if (k > 1)
                texto += ',';
            texto += NumeroPol(e.Slot(k));
        }
        texto += FIN_LINEA;
    }
    return texto;
}

LecturaPol LeerPol(const std::string& texto)
{
    LecturaPol r;
    LectorCampos lector(texto);
    if (!LeerPunto(lector, r.BE) || !LeerPunto(lector, r.BO)) {
        r.error = MSG_FIN_FICHERO;
        return r;
    }
    while (!lector.Fin()) {
        objEstacion e;
        bool completa = LeerPunto(lector, e.objBE) && LeerPunto(lector, e.objBO) && LeerPunto(lector, e.objBV);
        std::string campo;
        for (int k = 1; completa && k <= NUM_SLOTS; ++k) {
            completa = lector.Leer(campo);
            if (completa)
                e.Slot(k) = LeerNumero(campo);
        }
        if (!completa) {
            r.error = MSG_FIN_FICHERO;
            return r;
        }
        r.estaciones.push_back(std::move(e));
    }
    r.ok = true;
    return r;
}

namespace {

// The line EscribirBases writes for a base, taken from the point itself:
// EscribirBases reads the coordinates back from list rows, where a value
// that cannot be shown is an empty row and would come out as "0.000".
std::string LineaBase(const objPto& p)
{
    return "\"" + p.N + "\",\"" + F3(p.X) + "\",\"" + F3(p.Y) + "\",\"" + F3(p.Z) + "\"" + FIN_LINEA;
}

} // namespace

std::string EscribirExportacion(const objPto& BE, const objPto& BO, const colEstaciones& estaciones)
{
    std::string texto = LineaBase(BE) + LineaBase(BO);
    for (size_t i = 0; i + 1 < estaciones.size(); ++i)
        texto += LineaBase(estaciones[i].objBV);
    return texto;
}
