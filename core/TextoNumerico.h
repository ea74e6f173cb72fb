#pragma once
#include <string>
#include <string_view>

// The program's single rule for number texts. A typed value is read after its
// first "," becomes "."; every value shown uses "." as decimal point.

// The text with its first "," replaced by ".".
std::string ComaAPunto(const std::string& texto);

// Reads a decimal number with "." as decimal point: leading blanks skipped,
// blanks inside ignored, optional sign, digits, at most one ".", optional
// exponent (E, e, D, d). Reading stops at the first character that cannot
// continue the number; a text holding no number reads 0.
double LeerDecimal(const std::string& texto);

// What a window reads from a number field: ComaAPunto, then LeerDecimal.
double LeerNumero(const std::string& texto);

// A typed point number taken as a whole number: the number read by LeerNumero,
// to the nearest whole, halves to the even neighbour.
double LeerEntero(const std::string& texto);

// True when the text is an optional sign, digits with at most one "." or ",",
// optionally surrounded by blanks. "", "." and "1.2.3" are not numbers.
bool EsNumero(const std::string& texto);

// The value with a fixed number of decimals ("0.000" is 3), "." as decimal
// point and "-" for negatives; no thousands separators.
std::string Formatear(double valor, int decimales);

// Appends Formatear(LeerNumero(texto), decimales) to `salida` (LeerDecimal
// when comaDecimal is false). A plain decimal text of at most 15 significant
// digits is rounded straight from its digits, which is what reading it and
// showing it gives, only without the conversions: the readers of long files
// go through here. False, with nothing appended, when the value is not finite.
bool AnadirFormateado(std::string& salida, std::string_view texto, int decimales, bool comaDecimal = true);

// The same for a plain decimal text only, written at `destino`, which has
// room for LARGO_SENCILLO characters; returns the length written, or 0 when
// the text is not a plain decimal of at most 15 significant digits or more
// than MAX_DECIMALES_SENCILLO decimals are asked for.
constexpr int MAX_DECIMALES_SENCILLO = 20;
constexpr size_t LARGO_SENCILLO = 40;
size_t FormatearSencillo(char* destino, std::string_view texto, int decimales, bool comaDecimal = true);

inline std::string F3(double v) { return Formatear(v, 3); }
inline std::string F4(double v) { return Formatear(v, 4); }
inline std::string F2(double v) { return Formatear(v, 2); }
