#include "drawings/Plano.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/TextoNumerico.h"
#include "core/FicherosTexto.h"

// ------------------------------------------------------------------ extent

void Extension::Anadir(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    if (vacia) {
        xmin = xmax = x;
        ymin = ymax = y;
        vacia = false;
        return;
    }
    xmin = std::min(xmin, x);
    xmax = std::max(xmax, x);
    ymin = std::min(ymin, y);
    ymax = std::max(ymax, y);
}

void Extension::Unir(const Extension& otra)
{
    if (otra.vacia)
        return;
    Anadir(otra.xmin, otra.ymin);
    Anadir(otra.xmax, otra.ymax);
}

Extension ExtensionDe(const std::vector<objPto>& puntos)
{
    Extension e;
    for (const objPto& p : puntos)
        e.Anadir(p.X, p.Y);
    return e;
}

namespace {

bool Finito(const objPto& p) { return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z); }

} // namespace

// ---------------------------------------------------------------- traverse

TrazadoPoligonal TrazarPoligonal(const objPto& BE, const objPto& BO, const colEstaciones& estaciones)
{
    TrazadoPoligonal t;
    t.BE = BE;
    t.BO = BO;
    for (const objEstacion& e : estaciones) {
        if (!Finito(e.objBE) || !Finito(e.objBV))
            continue;
        if (e.objBE.X == e.objBV.X && e.objBE.Y == e.objBV.Y)
            continue;
        t.tramos.push_back({e.objBE, e.objBV});
        t.estaciones.push_back(e.objBV);
    }
    return t;
}

objPto ExtremoVectorCierre(const objPto& arrastrado, const objPto& conocido, double exageracion)
{
    objPto p = arrastrado;
    p.X += (conocido.X - arrastrado.X) * exageracion;
    p.Y += (conocido.Y - arrastrado.Y) * exageracion;
    p.Z += (conocido.Z - arrastrado.Z) * exageracion;
    return p;
}

// ------------------------------------------------------------ spatial grid

void RejillaPuntos::Construir(const std::vector<objPto>& puntos, int porCelda)
{
    ext_ = ExtensionDe(puntos);
    constexpr int MAX_LADO = 2048;
    const double n = static_cast<double>(std::max<size_t>(1, puntos.size()));
    const double area = std::max(ext_.Ancho() * ext_.Alto(), 1e-12);
    celda_ = std::sqrt(area * std::max(1, porCelda) / n);
    const double lado = std::max(ext_.Ancho(), ext_.Alto());
    if (!(celda_ > 0.0) || !std::isfinite(celda_))
        celda_ = 1.0;
    celda_ = std::max({celda_, lado / MAX_LADO, 1e-9});
    nx_ = std::clamp(static_cast<int>(ext_.Ancho() / celda_) + 1, 1, MAX_LADO);
    ny_ = std::clamp(static_cast<int>(ext_.Alto() / celda_) + 1, 1, MAX_LADO);

    // Counting sort of the points into their cells.
    const size_t celdas = static_cast<size_t>(nx_) * ny_;
    inicio_.assign(celdas + 1, 0);
    std::vector<int> celdaDe(puntos.size(), -1);
    for (size_t i = 0; i < puntos.size(); ++i) {
        const objPto& p = puntos[i];
        if (!std::isfinite(p.X) || !std::isfinite(p.Y))
            continue;
        celdaDe[i] = Fila(p.Y) * nx_ + Columna(p.X);
        ++inicio_[static_cast<size_t>(celdaDe[i]) + 1];
    }
    for (size_t c = 0; c < celdas; ++c)
        inicio_[c + 1] += inicio_[c];
    const auto total = static_cast<size_t>(inicio_[celdas]);
    indices_.assign(total, 0);
    xs_.assign(total, 0.0);
    ys_.assign(total, 0.0);
    std::vector<int> siguiente(inicio_.begin(), inicio_.end() - 1);
    for (size_t i = 0; i < puntos.size(); ++i)
        if (celdaDe[i] >= 0) {
            const auto k = static_cast<size_t>(siguiente[static_cast<size_t>(celdaDe[i])]++);
            indices_[k] = static_cast<int>(i);
            xs_[k] = puntos[i].X;
            ys_[k] = puntos[i].Y;
        }
}

int RejillaPuntos::Columna(double x) const
{
    const double c = std::floor((x - ext_.xmin) / celda_);
    return static_cast<int>(std::clamp(c, 0.0, static_cast<double>(nx_ - 1)));
}

int RejillaPuntos::Fila(double y) const
{
    const double f = std::floor((y - ext_.ymin) / celda_);
    return static_cast<int>(std::clamp(f, 0.0, static_cast<double>(ny_ - 1)));
}

int RejillaPuntos::MasCercano(double x, double y, double radio) const
{
    int mejor = -1;
    double mejorD2 = radio * radio;
    Recorrer(x - radio, y - radio, x + radio, y + radio, [&](int i, double px, double py) {
        const double d2 = (px - x) * (px - x) + (py - y) * (py - y);
        if (d2 <= mejorD2) {
            mejorD2 = d2;
            mejor = i;
        }
    });
    return mejor;
}

// ------------------------------------------------------------- scale bar

double LongitudBarraEscala(double metrosPorPixel, double pixelesMax)
{
    const double maximo = metrosPorPixel * pixelesMax;
    if (!(maximo > 0.0) || !std::isfinite(maximo))
        return 0.0;
    double potencia = std::pow(10.0, std::floor(std::log10(maximo)));
    for (double f : {5.0, 2.0, 1.0})
        if (f * potencia <= maximo * (1.0 + 1e-12))
            return f * potencia;
    return potencia / 2.0;
}

// --------------------------------------------------------- printed sheet

Hoja HojaPorNombre(std::string_view nombre)
{
    if (nombre == "A3")
        return {"A3", 420.0, 297.0};
    return {"A4", 297.0, 210.0};
}

double LeerEscala(std::string_view texto)
{
    if (texto.substr(0, 2) != "1:")
        return 0.0;
    texto.remove_prefix(2);
    double valor = 0.0;
    const auto [fin, error] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (error != std::errc() || fin != texto.data() + texto.size() || !(valor > 0.0) || !std::isfinite(valor))
        return 0.0;
    return valor;
}

MapaPagina MapearPagina(const Extension& datos, const Hoja& hoja, double escala)
{
    MapaPagina m;
    m.escala = escala;
    m.mmPorMetro = escala > 0.0 ? 1000.0 / escala : 0.0;
    m.marcoX = MARGEN_HOJA_MM;
    m.marcoY = MARGEN_HOJA_MM;
    m.marcoAncho = hoja.ancho - 2.0 * MARGEN_HOJA_MM;
    m.cajetinAlto = ALTO_CAJETIN_MM;
    m.marcoAlto = hoja.alto - 2.0 * MARGEN_HOJA_MM - ALTO_CAJETIN_MM;
    m.cajetinY = m.marcoY + m.marcoAlto;
    if (!(m.mmPorMetro > 0.0))
        return m;
    const double semiAncho = m.marcoAncho / m.mmPorMetro / 2.0, semiAlto = m.marcoAlto / m.mmPorMetro / 2.0;
    const double cx = datos.vacia ? 0.0 : datos.CentroX(), cy = datos.vacia ? 0.0 : datos.CentroY();
    m.ventana.Anadir(cx - semiAncho, cy - semiAlto);
    m.ventana.Anadir(cx + semiAncho, cy + semiAlto);
    m.cabe = datos.Ancho() <= 2.0 * semiAncho && datos.Alto() <= 2.0 * semiAlto;
    return m;
}

double EscalaQueCabe(const Extension& datos, const Hoja& hoja)
{
    for (const double escala : ESCALAS_LISTADAS)
        if (MapearPagina(datos, hoja, escala).cabe)
            return escala;
    return 0.0;
}

std::array<std::string, 4> TextosCajetin(const std::string& trabajo, const std::string& fecha, const MapaPagina& m)
{
    const Extension& v = m.ventana;
    return {"Trabajo: " + trabajo, "Fecha: " + fecha, "Escala 1:" + Formatear(m.escala, 0),
            "X " + F3(v.xmin) + " a " + F3(v.xmax) + "   Y " + F3(v.ymin) + " a " + F3(v.ymax)};
}
