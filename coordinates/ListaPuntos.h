#pragma once
// The point lists of the coordinate windows. A window loads either a bases
// file (.bse) or a points file (.asc) into one list: a bases file gives groups
// of six rows (name, empty, X, Y, Z, empty), a points file one row
// "name X Y Z" per point. The computations take the list as it is and read
// its points here, whichever file filled it.
#include <string>
#include <string_view>
#include <vector>

#include "core/FicherosTexto.h"
#include "core/objPto.h"

// True when the file's extension is .bse (any case): a bases file.
bool EsFicheroBases(const std::string& ruta);

// The rows a window shows for a file it opens: LeerBases for a bases file,
// LeerPuntos for any other.
ResultadoLectura LeerFicheroPuntos(std::string_view texto, const std::string& ruta);

// The points of a list filled from either file. A list whose second row is
// empty holds bases (a points list never has an empty row).
std::vector<objPto> PuntosDeLista(const std::vector<std::string>& filas);

// The point of the list whose name is `nombre` (blanks around it ignored):
// the same text, or, when both are numbers, the same number ("7" and "7.0").
// Null when there is none.
const objPto* BuscarPunto(const std::vector<objPto>& puntos, const std::string& nombre);

// The text without blanks (spaces, tabs) at either end.
std::string SinBlancos(const std::string& texto);
