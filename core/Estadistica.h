#pragma once
// The statistics of the adjustments: the chi-square distribution of the
// global test.

// The quantile of the chi-square distribution with `gl` degrees of freedom
// for the probability p (0 < p < 1): the inverse of the regularized lower
// incomplete gamma function. NaN for arguments out of range.
double CuantilChiCuadrado(double p, double gl);
// The regularized lower incomplete gamma P(a, x), a > 0, x >= 0.
double GammaIncompletaP(double a, double x);
