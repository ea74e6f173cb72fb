#include "core/objEstacion.h"

#include <cmath>

#include "core/Fallos.h"
#include "core/modFuncionesTopo.h"

void objEstacion::Radiar()
{
    double theta = 0.0;
    if (bolSimple) {
        double Dr = 0.0;
        AsignarSiValido(Dr, ReducirDistancia(Slot(DistanciaInclinada), Slot(VMedioVisado)));
        AsignarSiValido(objBV.Z, CotaPuntoVisado(objBE.Z, Slot(DistanciaInclinada), Slot(VMedioVisado),
                                                 Slot(AlturaInstrumento), Slot(AlturaSenal)));
        AsignarSiValido(theta, NormalizarAngulo(AcimutEntrePuntos(objBE, objBO) + Slot(HzMedioVisado)
                                                - Slot(HzMedioOrientacion)));
        AsignarSiValido(objBV.X, objBE.X + Dr * std::sin(theta * GRAD_A_RAD));
        AsignarSiValido(objBV.Y, objBE.Y + Dr * std::cos(theta * GRAD_A_RAD));
        return;
    }

    AsignarSiValido(Slot(HzMedioOrientacion), BesselHorizontal(Slot(HzDirectoOrientacion), Slot(HzInversoOrientacion)));
    AsignarSiValido(Slot(HzMedioVisado), BesselHorizontal(Slot(HzDirectoVisado), Slot(HzInversoVisado)));
    AsignarSiValido(Slot(VMedioVisado), BesselCenital(Slot(VDirectoVisado), Slot(VInversoVisado)));
    AsignarSiValido(Slot(VMedioReciproca), BesselCenital(Slot(VDirectoReciproca), Slot(VInversoReciproca)));
    AsignarSiValido(Slot(DistanciaReducidaDirecta), ReducirDistancia(Slot(DistanciaInclinada), Slot(VMedioVisado)));
    AsignarSiValido(Slot(DistanciaReducidaReciproca), ReducirDistancia(Slot(DistanciaReciproca), Slot(VMedioReciproca)));
    AsignarSiValido(Slot(DistanciaReducidaMedia),
                    (Slot(DistanciaReducidaDirecta) + Slot(DistanciaReducidaReciproca)) / 2.0);
    AsignarSiValido(Slot(CotaDirecta), CotaPuntoVisado(objBE.Z, Slot(DistanciaInclinada), Slot(VMedioVisado),
                                                       Slot(AlturaInstrumento), Slot(AlturaSenal)));
    AsignarSiValido(Slot(CotaReciproca), CotaPuntoEstacion(objBE.Z, Slot(DistanciaReciproca), Slot(VMedioReciproca),
                                                           Slot(AlturaInstrumentoReciproca), Slot(AlturaSenalReciproca)));
    AsignarSiValido(objBV.Z, (Slot(CotaDirecta) + Slot(CotaReciproca)) / 2.0);
    AsignarSiValido(theta, NormalizarAngulo(AcimutEntrePuntos(objBE, objBO) + Slot(HzMedioVisado)
                                            - Slot(HzMedioOrientacion)));
    AsignarSiValido(objBV.X, objBE.X + Slot(DistanciaReducidaMedia) * std::sin(theta * GRAD_A_RAD));
    AsignarSiValido(objBV.Y, objBE.Y + Slot(DistanciaReducidaMedia) * std::cos(theta * GRAD_A_RAD));
}
