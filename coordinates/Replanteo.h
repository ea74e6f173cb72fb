#pragma once
// The stake-out sheet: from a station set up on a base BE and oriented on a
// base BO (as in the radiation window), for every design point the azimuth,
// the horizontal circle reading to set with the circle at zero on BO, the
// reduced distance and the height difference from the station's ground mark
// (design height minus BE's height).
//
// For a prism held at the instrument's height the sheet also gives the zenith
// angle and the slope distance to it, with the curvature and refraction of
// the K in force, so that radiating them (CotaPuntoVisado with signal height
// equal to the instrument height) gives the design point back.
#include <array>
#include <string>
#include <vector>

#include "core/objPto.h"

// What the window holds.
struct EntradaReplanteo {
    std::string nombreBE, nombreBO;        // names shown in lblBE and lblBO
    std::array<std::string, 3> BE;         // X, Y, Z of the station base as shown
    std::array<std::string, 3> BO;         // X, Y, Z of the orientation base as shown
    std::string i;                         // txti, instrument height, m
    std::vector<std::string> filasPuntos;  // the design points, from a .asc or a .bse
};

// One design point.
struct PuntoReplanteo {
    objPto punto;           // the design point
    double acimut = 0.0;    // from BE, grads
    double lectura = 0.0;   // horizontal circle reading with 0 on BO, grads
    double distancia = 0.0; // reduced (horizontal) distance, m
    double desnivel = 0.0;  // design height minus BE's height, m
    double cenital = 0.0;   // zenith angle to a prism at the instrument height, grads
    double inclinada = 0.0; // slope distance to it, m
};

struct ResultadoReplanteo {
    bool ok = false;
    std::string aviso; // why there is no sheet
    objPto BE, BO;
    double i = 0.0;
    std::vector<PuntoReplanteo> puntos;
    // lstReplanteo: "name azimuth reading distance height-difference", grads
    // with 4 decimals, metres with 3. A design point on the station itself
    // has no direction: its row shows only its height difference, with
    // "-" for the rest.
    std::vector<std::string> filas;
};

// The window's one call. No sheet while either base is not fully numeric, the
// instrument height is not a number, BO stands on BE or there are no design
// points.
ResultadoReplanteo CalcularReplanteo(const EntradaReplanteo& entrada);

// cmdExportar: the sheet as text, a heading with the station, the
// orientation and the instrument height, then the rows (CR LF line ends).
std::string TextoReplanteo(const ResultadoReplanteo& r);

// The design points as a GSI-16 coordinate file to upload to the instrument:
// per point one line, "*" then the words 11 (block number and point name), 81
// (easting), 82 (northing) and 83 (height), millimetres (unit 0), CR LF line
// ends. False with the reason in `aviso` for a name that does not fit the 16
// characters of a word or holds a blank.
bool GsiReplanteo(const ResultadoReplanteo& r, std::string& texto, std::string& aviso);

// What cmdExportar writes, chosen by the file's extension: .gsi (any case)
// the GSI file, anything else the text.
bool ExportarReplanteo(const ResultadoReplanteo& r, const std::string& ruta, std::string& texto, std::string& aviso);
