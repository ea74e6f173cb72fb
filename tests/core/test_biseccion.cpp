#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "core/TextoNumerico.h"
#include "core/modFuncionesTopo.h"
#include "points/Biseccion.h"

namespace
{

constexpr double G = M_PI / 200.0;

double Acimut(double x1, double y1, double x2, double y2)
{
    return std::fmod(std::atan2(x2 - x1, y2 - y1) / G + 400.0, 400.0);
}

ObservacionesBiseccion Ejemplo(const std::string& v1 = "100", const std::string& v2 = "100")
{
    return {"P1", "0.0000", "350", v1, "1.5", "0.0000", "50", v2, "1.5"};
}

const BasesBiseccion BASES = {"0.000", "0.000", "100.000", "100.000", "0.000", "100.000"};

} // namespace

TEST(Biseccion, PuntoSimetricoYComprobacionDeCotas)
{
    ResultadoBiseccion r = CalcularBiseccion(Ejemplo(), BASES);
    ASSERT_EQ(r.estado, EstadoBiseccion::Calculado);
    EXPECT_NEAR(r.P.X, 50.0, 1e-9);
    EXPECT_NEAR(r.P.Y, 50.0, 1e-9);
    TextosBiseccion t = TextosResultadoBiseccion(r);
    EXPECT_EQ(t.X + " " + t.Y + " " + t.Z, "50.000 50.000 101.500");
    EXPECT_EQ(t.DifCotas, std::optional<std::string>("0.000"));

    // One grad up from B1: the two heights disagree and Z is their mean.
    r = CalcularBiseccion(Ejemplo("99", "100"), BASES);
    ASSERT_EQ(r.estado, EstadoBiseccion::Calculado);
    const double z1 = 100.0 + 1.5 + std::hypot(50.0, 50.0) * std::tan(1.0 * G);
    EXPECT_NEAR(r.Z1, z1, 1e-9);
    EXPECT_NEAR(r.Z2, 101.5, 1e-9);
    EXPECT_NEAR(r.DifCotas, z1 - 101.5, 1e-9);
    t = TextosResultadoBiseccion(r);
    EXPECT_EQ(t.DifCotas, std::optional<std::string>("1.111"));
    EXPECT_EQ(t.Z, "102.055");
}

TEST(Biseccion, GeometriaCualquieraDevuelveElPuntoObservado)
{
    // Readings made up from a known point and then intersected again.
    const double x1 = 431250.125, y1 = 4472310.750, z1 = 702.310;
    const double x2 = 431598.440, y2 = 4472195.020, z2 = 688.905;
    const double xp = 431402.870, yp = 4472498.315, zp = 731.482;
    const double i1 = 1.52, i2 = 1.61;
    const double o1 = 12.3456, o2 = 287.6543; // arbitrary circle settings
    auto lectura = [](double acimutPunto, double acimutBase, double origen) {
        return std::fmod(acimutPunto - acimutBase + origen + 400.0, 400.0);
    };
    auto cenital = [](double dx, double dy, double dz) { return 100.0 - std::atan(dz / std::hypot(dx, dy)) / G; };
    auto texto = [](double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.10f", v);
        return std::string(buf);
    };
    const ObservacionesBiseccion o = {
        "23", texto(o1), texto(lectura(Acimut(x1, y1, xp, yp), Acimut(x1, y1, x2, y2), o1)),
        texto(cenital(xp - x1, yp - y1, zp - z1 - i1)), texto(i1), texto(o2),
        texto(lectura(Acimut(x2, y2, xp, yp), Acimut(x2, y2, x1, y1), o2)),
        texto(cenital(xp - x2, yp - y2, zp - z2 - i2)), texto(i2)};
    const BasesBiseccion b = {F3(x1), F3(y1), F3(z1), F3(x2), F3(y2), F3(z2)};
    const ResultadoBiseccion r = CalcularBiseccion(o, b);
    ASSERT_EQ(r.estado, EstadoBiseccion::Calculado);
    EXPECT_NEAR(r.P.X, xp, 1e-5);
    EXPECT_NEAR(r.P.Y, yp, 1e-5);
    EXPECT_NEAR(r.Z1, zp, 1e-5);
    EXPECT_NEAR(r.Z2, zp, 1e-5);
    EXPECT_EQ(r.P.N, "23");
}

TEST(Biseccion, DatosQueFaltan)
{
    // The point number is not needed for the result.
    auto sinNombre = Ejemplo();
    sinNombre[0] = "";
    EXPECT_EQ(CalcularBiseccion(sinNombre, BASES).estado, EstadoBiseccion::Calculado);
    for (int k = 1; k < 9; ++k) {
        auto malo = Ejemplo();
        malo[static_cast<size_t>(k)] = k % 2 ? "" : "1.2.3";
        const ResultadoBiseccion r = CalcularBiseccion(malo, BASES);
        EXPECT_EQ(r.estado, EstadoBiseccion::ObservacionesNoValidas) << k;
        const TextosBiseccion t = TextosResultadoBiseccion(r);
        EXPECT_TRUE(t.X.empty() && t.Y.empty() && t.Z.empty());
        EXPECT_FALSE(t.DifCotas) << "Dif. cotas keeps its last text";
    }
    for (int k = 0; k < 6; ++k) {
        auto b = BASES;
        b[static_cast<size_t>(k)] = "";
        const ResultadoBiseccion r = CalcularBiseccion(Ejemplo(), b);
        EXPECT_EQ(r.estado, EstadoBiseccion::BasesNoValidas) << k;
        EXPECT_FALSE(TextosResultadoBiseccion(r).DifCotas);
    }
    // Observations are tested before the bases.
    auto o2 = Ejemplo();
    o2[3] = "";
    EXPECT_EQ(CalcularBiseccion(o2, {}).estado, EstadoBiseccion::ObservacionesNoValidas);
}

TEST(Biseccion, SinSolucionSeDejaEnBlanco)
{
    // From B1 (base line azimuth 100) readings of 300 and 100 point the ray north
    // and south; then both rays along the base line, and two parallel rays.
    for (auto [hz1, hz2] : {std::pair{"300", "50"}, {"100", "50"}, {"0", "0"}, {"350", "150"}}) {
        auto o = Ejemplo();
        o[2] = hz1;
        o[6] = hz2;
        const ResultadoBiseccion r = CalcularBiseccion(o, BASES);
        EXPECT_EQ(r.estado, EstadoBiseccion::SinSolucion) << hz1 << " " << hz2;
        const TextosBiseccion t = TextosResultadoBiseccion(r);
        EXPECT_TRUE(t.X.empty() && t.Y.empty() && t.Z.empty());
        EXPECT_EQ(t.DifCotas, std::optional<std::string>(""));
    }
    // Almost parallel but not quite still intersects, far away.
    auto o = Ejemplo();
    o[6] = "150.0010";
    EXPECT_EQ(CalcularBiseccion(o, BASES).estado, EstadoBiseccion::Calculado);
}
