#pragma once
#include <cstdint>
#include <string>

// The 12-byte record of config.cvr: K (little-endian double) then Estado
// (little-endian signed 32-bit), 0 after a good read or write, -1 after a
// failure.
struct Configuracion {
    double K = 0.0;
    int32_t Estado = 0;
};

constexpr const char* NOMBRE_FICHERO_CONFIGURACION = "config.cvr";

// Folder of the executable, where config.cvr lives; set once at start-up.
void FijarCarpetaPrograma(const std::string& carpeta);
const std::string& CarpetaPrograma();
std::string RutaConfiguracion();

// Reads config.cvr into the record. A missing file or a failed read sets
// Estado = -1 and leaves K as it was; a file shorter than 12 bytes is a
// failed read.
void LeerConfiguracion(Configuracion& cfg);
// Writes the record as the first 12 bytes of config.cvr (creating the file
// when missing, keeping any later bytes). Estado = 0, or -1 on failure.
void GuardarConfiguracion(Configuracion& cfg);

// The range of K: above K_MINIMA, up to and including K_MAXIMA. K_MAXIMA
// itself means no curvature/refraction correction at all.
constexpr double K_MINIMA = 0.0;
constexpr double K_MAXIMA = 0.5;
// True for a K in its range (NaN is not).
bool KValida(double K);

// The three tests of a record, in order: K > 0, Estado != -1, K <= 0.5.
bool ConfiguracionValida(const Configuracion& cfg);

// Text of the main window's information label for a K.
std::string TextoInfo(double K);

// The 12 bytes of a record, and a record from them.
std::string CodificarConfiguracion(const Configuracion& cfg);
Configuracion DecodificarConfiguracion(const std::string& bytes);
