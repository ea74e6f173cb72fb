#pragma once
// Settings beyond the 12 bytes of config.cvr, in a text file of their own
// beside it (preferencias.txt, one "name=value" a line). Today one: the EPSG
// code of the job's projected coordinate system, used by the map exports.
#include <string>

constexpr const char* NOMBRE_FICHERO_PREFERENCIAS = "preferencias.txt";
// ETRS89 / UTM zone 30N.
constexpr int EPSG_POR_DEFECTO = 25830;

std::string RutaPreferencias();

// The code kept in the file; the default when the file or the line is
// missing or does not hold a whole positive number.
int LeerEpsg();
// Keeps the code, and every other line of the file as it was; false with the
// system's reason when the file cannot be written.
bool GuardarEpsg(int epsg, std::string& error);
