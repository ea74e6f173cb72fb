#include "calculators/CalculosCampo.h"

#include <initializer_list>

#include "core/modFuncionesTopo.h"

namespace {

bool SonNumeros(std::initializer_list<const std::string*> textos)
{
    for (const std::string* t : textos)
        if (!EsNumero(*t))
            return false;
    return true;
}

} // namespace

std::string TextoDistanciaReducida(const std::string& V, const std::string& DI)
{
    if (!SonNumeros({&V, &DI}))
        return {};
    return F3(ReducirDistancia(LeerNumero(DI), LeerNumero(V)));
}

std::string TextoAlturaRemota(const std::string& Z, const std::string& i, const std::string& V,
                              const std::string& DR)
{
    if (!SonNumeros({&Z, &i, &V, &DR}))
        return {};
    return F3(CalcularAlturaRemota(LeerNumero(V), LeerNumero(DR), LeerNumero(i), LeerNumero(Z)));
}

std::string TextoBesselHz(const std::string& HzDirecto, const std::string& HzInverso)
{
    if (!SonNumeros({&HzDirecto, &HzInverso}))
        return {};
    return F4(BesselHorizontal(LeerNumero(HzDirecto), LeerNumero(HzInverso)));
}

std::string TextoBesselV(const std::string& VDirecto, const std::string& VInverso)
{
    if (!SonNumeros({&VDirecto, &VInverso}))
        return {};
    return F4(BesselCenital(LeerNumero(VDirecto), LeerNumero(VInverso)));
}
