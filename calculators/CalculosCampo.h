#pragma once
// The field calculators' computations, from the texts of their inputs to the
// text of their results; an empty result while an input is not a number.
#include <string>

std::string TextoDistanciaReducida(const std::string& V, const std::string& DI);
std::string TextoAlturaRemota(const std::string& Z, const std::string& i, const std::string& V,
                              const std::string& DR);
std::string TextoBesselHz(const std::string& HzDirecto, const std::string& HzInverso);
std::string TextoBesselV(const std::string& VDirecto, const std::string& VInverso);
