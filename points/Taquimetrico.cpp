#include "points/Taquimetrico.h"

#include "core/TextoNumerico.h"
#include "core/modFuncionesTopo.h"
#include "core/objEstacion.h"
#include "core/FicherosTexto.h"

std::string MensajeBloque(EstadoBloque estado)
{
    switch (estado) {
    case EstadoBloque::Calculado:
        return {};
    case EstadoBloque::DatosNoValidos:
        return "Los datos no son válidos o están en blanco.";
    case EstadoBloque::SinBases:
        return "Seleccione las bases.";
    case EstadoBloque::FinalMenorOIgual:
        return "El punto final es menor o igual al punto inicial.";
    case EstadoBloque::InicialNoEncontrado:
        return "Punto inicial no encontrado.";
    case EstadoBloque::FinalNoEncontrado:
        return "Punto final no encontrado.";
    }
    return {};
}

void PrepararSiguienteEstacion(EstacionTaquimetrica& estacion)
{
    estacion.BO = estacion.BE;
    estacion.BE = {};
    estacion.PtoI = Formatear(LeerEntero(estacion.PtoF) + 1.0, 0);
    estacion.PtoF.clear();
    estacion.i.clear();
}

EstadoBloque CalcularBloque(EstacionTaquimetrica& estacion, const std::vector<std::string>& observaciones,
                            std::vector<std::string>& puntos)
{
    // 1. Inputs.
    for (const std::string* campo : {&estacion.PtoI, &estacion.PtoF, &estacion.Hz, &estacion.i})
        if (!EsNumero(*campo))
            return EstadoBloque::DatosNoValidos;
    if (observaciones.empty())
        return EstadoBloque::DatosNoValidos;
    // 2. Bases.
    for (int k = 1; k <= 3; ++k)
        if (!EsNumero(estacion.BE[static_cast<size_t>(k)]) || !EsNumero(estacion.BO[static_cast<size_t>(k)]))
            return EstadoBloque::SinBases;
    // 3. First and last points.
    const double ptoI = LeerEntero(estacion.PtoI);
    const double ptoF = LeerEntero(estacion.PtoF);
    if (!(ptoF > ptoI))
        return EstadoBloque::FinalMenorOIgual;
    // 4 and 5. The block in the list.
    const FilasBloque filas = LocalizarBloque(observaciones, ptoI, ptoF);
    if (filas.primera < 0)
        return EstadoBloque::InicialNoEncontrado;
    if (filas.ultima < 0)
        return EstadoBloque::FinalNoEncontrado;

    // 6. One station record for the whole block.
    objEstacion e;
    e.objBE.X = LeerNumero(estacion.BE[1]);
    e.objBE.Y = LeerNumero(estacion.BE[2]);
    e.objBE.Z = LeerNumero(estacion.BE[3]);
    e.objBO.X = LeerNumero(estacion.BO[1]);
    e.objBO.Y = LeerNumero(estacion.BO[2]);
    e.objBO.Z = LeerNumero(estacion.BO[3]);
    e.Slot(HzMedioOrientacion) = LeerNumero(estacion.Hz);
    e.Slot(AlturaInstrumento) = LeerNumero(estacion.i);
    e.bolSimple = true;

    // 7. Every row of the block, in list order.
    if (filas.ultima >= filas.primera)
        puntos.reserve(puntos.size() + static_cast<size_t>(filas.ultima - filas.primera + 1));
    for (long k = filas.primera; k <= filas.ultima; ++k) {
        const std::string& fila = observaciones[static_cast<size_t>(k)];
        const std::string N = ExtraerCampo(fila, 0);
        e.Slot(HzMedioVisado) = LeerNumero(ExtraerCampo(fila, 1));
        e.Slot(VMedioVisado) = LeerNumero(ExtraerCampo(fila, 2));
        e.Slot(DistanciaInclinada) = LeerNumero(ExtraerCampo(fila, 3));
        e.Slot(AlturaSenal) = LeerNumero(ExtraerCampo(fila, 4));
        e.objBV.N = N;
        e.Radiar();
        std::string punto = N;
        punto.reserve(N.size() + 40);
        punto += ' ';
        punto += F3(e.objBV.X);
        punto += ' ';
        punto += F3(e.objBV.Y);
        punto += ' ';
        punto += F3(e.objBV.Z);
        puntos.push_back(std::move(punto));
    }

    // 8. The next station of the run.
    PrepararSiguienteEstacion(estacion);
    return EstadoBloque::Calculado;
}
