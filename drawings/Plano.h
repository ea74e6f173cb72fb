#pragma once
// The plan of the work without its window: the points read back from the
// rows of the lists, the traverse as legs, their extent, a spatial grid for
// drawing only what is in sight and for picking the nearest point, the length
// of the scale bar, and the arithmetic of a printed sheet at a given scale.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/objPto.h"
#include "traverse/Poligonal.h"

// ------------------------------------------------------------------ extent

// The rectangle holding a set of points, in survey coordinates (metres).
struct Extension {
    double xmin = 0.0, ymin = 0.0, xmax = 0.0, ymax = 0.0;
    bool vacia = true;

    void Anadir(double x, double y);
    void Unir(const Extension& otra);
    double Ancho() const { return vacia ? 0.0 : xmax - xmin; }
    double Alto() const { return vacia ? 0.0 : ymax - ymin; }
    double CentroX() const { return (xmin + xmax) / 2.0; }
    double CentroY() const { return (ymin + ymax) / 2.0; }
};
Extension ExtensionDe(const std::vector<objPto>& puntos);

// ---------------------------------------------------------------- traverse

struct Tramo {
    objPto a, b;
};
// What the plan draws of a traverse: the leg of every station (its station
// point to the point it sights), the stations, and the two starting vertices.
// A leg of no length (a station still without a distance) or with a
// coordinate that is not finite is left out.
struct TrazadoPoligonal {
    objPto BE, BO;
    std::vector<Tramo> tramos;
    std::vector<objPto> estaciones; // the sighted points of the legs drawn
};
TrazadoPoligonal TrazarPoligonal(const objPto& BE, const objPto& BO, const colEstaciones& estaciones);

// The closure vector drawn from the carried point to the known one, made
// `exageracion` times longer: its far end.
objPto ExtremoVectorCierre(const objPto& arrastrado, const objPto& conocido, double exageracion);

// ------------------------------------------------------------ spatial grid

// Points sorted into square cells so that a window of the plan or the
// surroundings of a point are found without going through all of them.
class RejillaPuntos {
public:
    // Indices refer to positions in `puntos`.
    void Construir(const std::vector<objPto>& puntos, int porCelda = 8);
    // Calls f(indice, X, Y) for every point inside the rectangle. The
    // coordinates are kept cell by cell, so a window of the plan is read
    // from memory in order.
    template <class F> void Recorrer(double x0, double y0, double x1, double y1, F&& f) const
    {
        if (indices_.empty() || x1 < ext_.xmin || x0 > ext_.xmax || y1 < ext_.ymin || y0 > ext_.ymax)
            return;
        const int c0 = Columna(x0), c1 = Columna(x1), f0 = Fila(y0), f1 = Fila(y1);
        for (int fila = f0; fila <= f1; ++fila) {
            const size_t primera = static_cast<size_t>(fila) * static_cast<size_t>(nx_);
            // The cells of a row are consecutive: one run from c0 to c1.
            for (int k = inicio_[primera + c0], fin = inicio_[primera + c1 + 1]; k < fin; ++k) {
                const double x = xs_[k], y = ys_[k];
                if (x >= x0 && x <= x1 && y >= y0 && y <= y1)
                    f(indices_[k], x, y);
            }
        }
    }
    // The point nearest to (x, y) no farther than `radio`, or -1.
    int MasCercano(double x, double y, double radio) const;
    const Extension& Limites() const { return ext_; }

private:
    int Columna(double x) const;
    int Fila(double y) const;

    Extension ext_;
    double celda_ = 1.0;
    int nx_ = 1, ny_ = 1;
    std::vector<int> inicio_; // cell c holds indices_[inicio_[c] .. inicio_[c + 1])
    std::vector<int> indices_;
    std::vector<double> xs_, ys_; // in the order of indices_
};

// ------------------------------------------------------------- scale bar

// The length of the scale bar, in metres: the longest 1, 2 or 5 times a power
// of ten that fits in `pixelesMax` pixels at `metrosPorPixel`.
double LongitudBarraEscala(double metrosPorPixel, double pixelesMax);

// --------------------------------------------------------- printed sheet

// A sheet laid landscape, in millimetres.
struct Hoja {
    std::string nombre;
    double ancho = 0.0, alto = 0.0;
};
// "A4" or "A3"; anything else is A4.
Hoja HojaPorNombre(std::string_view nombre);
// The denominator of a scale written "1:1000"; 0 when the text is not one.
double LeerEscala(std::string_view texto);

// Where the drawing goes on the sheet at 1:escala: a frame inside the margins
// above the title block, showing the window of the plan centred on the data.
// A point at (X, Y) lands at (PaginaX(X), PaginaY(Y)) mm from the sheet's top
// left corner, north up.
struct MapaPagina {
    double escala = 0.0;
    double mmPorMetro = 0.0;
    double marcoX = 0.0, marcoY = 0.0, marcoAncho = 0.0, marcoAlto = 0.0; // mm
    double cajetinY = 0.0, cajetinAlto = 0.0;                              // mm
    Extension ventana; // survey coordinates seen in the frame
    bool cabe = false; // the whole data extent fits in the frame

    double PaginaX(double X) const { return marcoX + (X - ventana.xmin) * mmPorMetro; }
    double PaginaY(double Y) const { return marcoY + (ventana.ymax - Y) * mmPorMetro; }
};
constexpr double MARGEN_HOJA_MM = 10.0;
constexpr double ALTO_CAJETIN_MM = 24.0;
MapaPagina MapearPagina(const Extension& datos, const Hoja& hoja, double escala);

// The scales a drawing is printed at, largest first, as the window lists them.
constexpr std::array<double, 5> ESCALAS_LISTADAS = {200.0, 500.0, 1000.0, 2000.0, 5000.0};
// The largest listed scale at which the whole extent fits on the sheet: its
// denominator, or 0 when it fits at none.
double EscalaQueCabe(const Extension& datos, const Hoja& hoja);

// The lines of the title block: job, date, scale and the coordinate extent
// of the frame.
std::array<std::string, 4> TextosCajetin(const std::string& trabajo, const std::string& fecha, const MapaPagina& m);
