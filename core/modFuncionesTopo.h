#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/objPto.h"
#include "core/TextoNumerico.h"

// Grads to radians and back, as the program has always written them.
constexpr double GRAD_A_RAD = 0.015707963267949;
constexpr double RAD_A_GRAD = 63.6619772367581;
// Earth radius of the curvature and refraction correction, metres.
constexpr double RADIO_TIERRA = 6371064.0;
// Default refraction coefficient; 0.5 switches the correction off.
constexpr double K_POR_DEFECTO = 0.08;

// The refraction coefficient in force, read by the height formulas at each call.
extern double KRefraccion;

// Residual sums of a parabola through a cable profile.
struct objErrorParabolico {
    double ErrorAjuste = 0.0;    // sum of the residuals
    double ErrorRegresion = 0.0; // sum of their absolute values
};

// Result of the parabola fit of a profile.
struct objParabola {
    double Parametro = -1.0;     // parameter found, metres; -1 when the fit failed
    double ErrorAjuste = 0.0;    // |sum of the residuals| at that parameter
    double ErrorRegresion = 0.0; // sum of their absolute values
};

double DistanciaEntrePuntos(const objPto& p1, const objPto& p2);
double AcimutEntrePuntos(const objPto& p1, const objPto& p2);
double ReducirDistancia(double Dg, double V);
double CotaPuntoVisado(double Zest, double Dg, double V, double i, double m);
double CotaPuntoEstacion(double Zvis, double Dg, double V, double i, double m);
double CalcularAlturaRemota(double V, double Dr, double i, double Zest);
double NormalizarAngulo(double a);
double BesselHorizontal(double D, double R);
double BesselCenital(double D, double R);
double Maximo(double a, double b);
// Field n (from 0) of a line whose fields are separated by single spaces.
std::string ExtraerCampo(const std::string& linea, int16_t n);
// Residuals of the parabola of parameter p through the first and last points
// (X along the span, Y the height); points are visited from the second on.
objErrorParabolico CalcularErrorParabolico(const std::vector<objPto>& puntos, double p);
// Parameter of the parabola through the first and last points that best fits
// the points between: the first local minimum of |sum of residuals| on the
// grid 0.25, 0.5, ... 10000. Parametro -1 (and zero errors) when the error
// never rises before 10000, when there are no points between the anchors or
// when both anchors lie at the same abscissa.
objParabola AjustarParabola(const std::vector<objPto>& puntos);
