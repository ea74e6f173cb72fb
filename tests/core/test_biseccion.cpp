#include <gtest/gtest.h>

#include "Ayudantes.h"
#include "points/Biseccion.h"

namespace {

// B1 = (0, 0, 100) and B2 = (100, 0, 100); from each the point (50, 50) is 50
// grads off the other base, and V = 100 puts it at Z = 101.5.
ObservacionesBiseccion Ejemplo(const std::string& v1 = "100")
{
    return {"P1", "0.0000", "350", v1, "1.5", "0.0000", "50", "100", "1.5"};
}

const BasesBiseccion BASES = {"0.000", "0.000", "100.000", "100.000", "0.000", "100.000"};

} // namespace

TEST(Biseccion, PuntoYComprobacionDeCotas)
{
    // One grad up from B1: the heights 101.5 + 70.711 tan(1 grad) = 102.611 and
    // 101.5 disagree; Z is their mean and "Dif. cotas" their difference.
    const ResultadoBiseccion r = CalcularBiseccion(Ejemplo("99"), BASES);
    ASSERT_EQ(r.estado, EstadoBiseccion::Calculado);
    const TextosBiseccion t = TextosResultadoBiseccion(r);
    EXPECT_EQ(t.X + " " + t.Y + " " + t.Z + " " + t.DifCotas.value_or("-"), "50.000 50.000 102.055 1.111");

    // Readings made up from a known point, and the point intersected again.
    const Punto b1{431250.125, 4472310.750, 702.310}, b2{431598.440, 4472195.020, 688.905};
    const Punto p{431402.870, 4472498.315, 731.482};
    const std::string i1 = "1.52", i2 = "1.61", o1 = "12.3456", o2 = "287.6543"; // arbitrary circle settings
    auto hz = [&](Punto b, Punto otra, const std::string& o) {
        return Fijo(std::fmod(Acimut(b, p) - Acimut(b, otra) + std::stod(o) + 400, 400), 10);
    };
    auto v = [&](Punto b, const std::string& i) {
        return Fijo(100 - std::atan((p.z - b.z - std::stod(i)) / std::hypot(p.x - b.x, p.y - b.y)) / G, 10);
    };
    const ResultadoBiseccion q =
        CalcularBiseccion({"23", o1, hz(b1, b2, o1), v(b1, i1), i1, o2, hz(b2, b1, o2), v(b2, i2), i2},
                          {Fijo(b1.x), Fijo(b1.y), Fijo(b1.z), Fijo(b2.x), Fijo(b2.y), Fijo(b2.z)});
    ASSERT_EQ(q.estado, EstadoBiseccion::Calculado);
    EXPECT_TRUE(std::fabs(q.P.X - p.x) < 1e-5 && std::fabs(q.P.Y - p.y) < 1e-5 && std::fabs(q.Z1 - p.z) < 1e-5 &&
                std::fabs(q.Z2 - p.z) < 1e-5 && q.P.N == "23")
        << q.P.N << " " << q.P.X << " " << q.P.Y << " " << q.Z1 << " " << q.Z2;
}

TEST(Biseccion, DatosQueFaltanYRayosSinCorte)
{
    // Observations are tested before the bases; "Dif. cotas" keeps its last text.
    for (int k = 1; k < 15; ++k) {
        auto o = Ejemplo();
        auto b = BASES;
        if (k < 9)
            o[static_cast<size_t>(k)] = k % 2 ? "" : "1.2.3";
        else
            b[static_cast<size_t>(k - 9)] = "", o[0] = ""; // the point number is not needed
        const ResultadoBiseccion r = CalcularBiseccion(o, b);
        EXPECT_EQ(r.estado, k < 9 ? EstadoBiseccion::ObservacionesNoValidas : EstadoBiseccion::BasesNoValidas) << k;
        const TextosBiseccion t = TextosResultadoBiseccion(r);
        EXPECT_TRUE(t.X.empty() && t.Y.empty() && t.Z.empty() && !t.DifCotas) << k;
    }
    EXPECT_EQ(CalcularBiseccion(Ejemplo(""), {}).estado, EstadoBiseccion::ObservacionesNoValidas);
    // From B1 (base line azimuth 100) readings of 300 and 100 point the ray north
    // and south; then both rays along the base line, and two parallel rays:
    // every label emptied. Almost parallel still intersects, far away.
    const std::pair<const char*, const char*> casos[] = {
        {"300", "50"}, {"100", "50"}, {"0", "0"}, {"350", "150"}, {"350", "150.0010"}};
    for (const auto& [hz1, hz2] : casos) {
        auto o = Ejemplo();
        o[2] = hz1, o[6] = hz2;
        const ResultadoBiseccion r = CalcularBiseccion(o, BASES);
        const bool corta = std::string(hz2) == "150.0010";
        EXPECT_EQ(r.estado, corta ? EstadoBiseccion::Calculado : EstadoBiseccion::SinSolucion) << hz1 << " " << hz2;
        if (!corta) {
            EXPECT_EQ(TextosResultadoBiseccion(r).DifCotas, std::optional<std::string>("")) << hz1 << " " << hz2;
        }
    }
}
