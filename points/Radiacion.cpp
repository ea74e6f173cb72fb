#include "points/Radiacion.h"

#include "core/TextoNumerico.h"
#include "core/objEstacion.h"

bool ObservacionesRadiacionValidas(const std::array<std::string, NUM_OBSERVACIONES_RADIACION>& observaciones)
{
    for (int k = 0; k < NUM_OBSERVACIONES_RADIACION - 1; ++k)
        if (!EsNumero(observaciones[static_cast<size_t>(k)]))
            return false;
    return true;
}

std::optional<objPto> RadiarPunto(const DatosRadiacion& datos)
{
    if (!ObservacionesRadiacionValidas(datos.observaciones))
        return std::nullopt;
    for (const auto* base : {&datos.BE, &datos.BO})
        for (const std::string& c : *base)
            if (!EsNumero(c))
                return std::nullopt;

    const auto& o = datos.observaciones;
    objEstacion estacion;
    estacion.objBE.X = LeerNumero(datos.BE[0]);
    estacion.objBE.Y = LeerNumero(datos.BE[1]);
    estacion.objBE.Z = LeerNumero(datos.BE[2]);
    estacion.objBO.X = LeerNumero(datos.BO[0]);
    estacion.objBO.Y = LeerNumero(datos.BO[1]);
    estacion.objBO.Z = LeerNumero(datos.BO[2]);
    estacion.bolSimple = true;
    estacion.Slot(HzMedioOrientacion) = LeerNumero(o[0]);
    estacion.Slot(AlturaInstrumento) = LeerNumero(o[4]);
    estacion.Slot(HzMedioVisado) = LeerNumero(o[1]);
    estacion.Slot(VMedioVisado) = LeerNumero(o[2]);
    estacion.Slot(DistanciaInclinada) = LeerNumero(o[3]);
    estacion.Slot(AlturaSenal) = LeerNumero(o[5]);
    estacion.objBV.N = o[6];
    estacion.Radiar();
    return estacion.objBV;
}

std::array<std::string, 3> TextosRadiacion(const DatosRadiacion& datos)
{
    const std::optional<objPto> p = RadiarPunto(datos);
    if (!p)
        return {};
    return {F3(p->X), F3(p->Y), F3(p->Z)};
}
