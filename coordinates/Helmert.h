#pragma once
// Transformation of plane coordinates from one system to another through the
// points both lists share (same name): a similarity (Helmert, 4 parameters)
// or an affine transformation (6 parameters), fitted by least squares with
// unit weights. Heights are never changed.
//
//   similarity  X = TX + a x - b y      Y = TY + b x + a y
//               a = escala cos(w), b = escala sin(w)
//   affine      X = a0 + a1 x + a2 y    Y = b0 + b1 x + b2 y
//
// x, y in the system left, X, Y in the system reached (X easting, Y
// northing). The rotation is given as surveyors read it: the grads added to
// every azimuth of the system left to give its azimuth in the system reached
// (clockwise, 0 to 400). For the affine fit the rotation and the scale shown
// are those of the similarity nearest to it: rotation from (a1 + b2, b1 - a2),
// scale the square root of |a1 b2 - a2 b1|.
//
// Residuals are the transformed point minus the point in the destination
// list. Each is studentized with the fit's own sigma0: w = v / (sigma0
// sqrt(q_vv)), q_vv from Q_vv = I - A (A'A)^-1 A'; a point is marked when |w|
// of either coordinate exceeds VALOR_CRITICO_TRANSFORMACION. With no
// redundancy (two points for the similarity, three for the affine fit)
// sigma0 and w are zero and nothing is marked. Studentized with its own
// sigma0, no |w| can pass the square root of the redundancy: a point can be
// marked only from eight common points on (similarity) or nine (affine).
#include <string>
#include <string_view>
#include <vector>

#include "core/objPto.h"

enum class MetodoTransformacion {
    Helmert, // "Semejanza (Helmert, 4 parámetros)", the default
    Afin,    // "Afín (6 parámetros)"
};

// The two choices as the window shows them.
std::string NombreMetodoTransformacion(MetodoTransformacion metodo);

// Two-sided 0.1 % point of the normal distribution.
constexpr double VALOR_CRITICO_TRANSFORMACION = 3.29;

// The transformation found, as the six affine coefficients (the similarity
// has a1 = b2 = a and b1 = -a2 = b).
struct TransformacionHelmert {
    MetodoTransformacion metodo = MetodoTransformacion::Helmert;
    double a0 = 0.0, a1 = 1.0, a2 = 0.0; // X = a0 + a1 x + a2 y
    double b0 = 0.0, b1 = 0.0, b2 = 1.0; // Y = b0 + b1 x + b2 y
};

// The point carried to the system reached; name and height unchanged.
objPto Transformar(const TransformacionHelmert& t, const objPto& p);

// One common point of the fit.
struct ResiduoTransformacion {
    std::string N;
    double vX = 0.0, vY = 0.0; // transformed minus destination, metres
    double wX = 0.0, wY = 0.0; // studentized residuals (0 when excluded or no redundancy)
    bool excluido = false;     // left out of the fit (its discrepancy is still shown)
    bool marcado = false;      // |wX| or |wY| above VALOR_CRITICO_TRANSFORMACION
};

struct ResultadoTransformacion {
    bool ok = false;
    std::string error; // why there are no figures (Spanish, for a message)
    TransformacionHelmert transformacion;
    double TX = 0.0, TY = 0.0; // translations, metres
    double giro = 0.0;         // rotation, grads (see above)
    double escala = 1.0;
    double sigma0 = 0.0;       // metres
    int redundancia = 0;       // equations minus parameters
    // Every common point in the order of the origin list, excluded ones too.
    std::vector<ResiduoTransformacion> residuos;

    // The texts of the window: TX, TY (m, 3 decimals), giro (g, 6), escala
    // (8), sigma0 (mm, 1), the six parameters of the affine fit (empty for
    // the similarity) and one row per common point: "name vX vY" in mm with
    // 1 decimal, then "*" when marked or "(excluido)" when left out.
    std::string textoTX, textoTY, textoGiro, textoEscala, textoSigma0, textoParametros;
    std::vector<std::string> filasResiduos;
};

// The fit from the two point lists; excluded names are left out of it.
// Refused (ok false, error set): fewer than two common points in the fit
// (three for the affine one), two of them at the same place in either
// system, or affine points on one line.
ResultadoTransformacion AjustarTransformacion(const std::vector<objPto>& origen, const std::vector<objPto>& destino,
                                              MetodoTransformacion metodo,
                                              const std::vector<std::string>& excluidos);

// The window's one call: lstOrigen and lstDestino as they hold their bases
// (groups of six rows), the method chosen and the names excluded so far.
ResultadoTransformacion CalcularTransformacion(const std::vector<std::string>& filasOrigen,
                                               const std::vector<std::string>& filasDestino,
                                               MetodoTransformacion metodo,
                                               const std::vector<std::string>& excluidos);

// cmdExcluir: the name leaves the excluded list when it is there, joins it
// otherwise.
void AlternarExcluido(std::vector<std::string>& excluidos, const std::string& nombre);

// A file transformed, in its own format, ready for EscribirFichero.
struct FicheroTransformado {
    bool ok = false;
    std::string texto;
    std::string error;
    int puntos = 0; // points transformed
};

// cmdTransformar: the text of a bases file (.bse) or of a points file (any
// other extension; rows "name X Y Z") carried to the system reached, in the
// same format, heights unchanged. A file that cannot be read is refused with
// the reader's reason.
FicheroTransformado TransformarFichero(const TransformacionHelmert& t, std::string_view texto,
                                       const std::string& ruta);
