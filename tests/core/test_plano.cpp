// The plan and the profile without their windows: points read back from the
// lists, the traverse legs, the spatial grid, the scale bar, the printed sheet
// and the fitted profile of a span.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "drawings/Perfil.h"
#include "core/TextoNumerico.h"
#include "core/FicherosTexto.h"
#include "drawings/Plano.h"

namespace {

// Name and coordinates of each point, "|" between them.
std::string Texto(const std::vector<objPto>& puntos)
{
    std::string t;
    for (const objPto& p : puntos)
        t += (t.empty() ? "" : "|") + p.N + " " + F3(p.X) + " " + F3(p.Y) + " " + F3(p.Z);
    return t;
}

TEST(Plano, ListaDeBasesSaltaLosGruposSinCoordenadas)
{
    const std::vector<std::string> filas = {"B1", "", "1000.000", "2000.000", "100.000", "",
                                            "MAL", "", "x", "2000.000", "100.000", "",
                                            "B2", "", "1010,5", "-20.000", "0.000", "",
                                            "CORTA", "", "1.0"};
    EXPECT_EQ(Texto(LeerListaBases(filas)), "B1 1000.000 2000.000 100.000|B2 1010.500 -20.000 0.000");
}

TEST(Plano, FilasDePunto)
{
    for (auto [fila, leido] : {std::pair{"12 1000.000 2000.000 100.000", "12 1000.000 2000.000 100.000"},
                               {"P7 1.5 -2.5 3 0.004 0.002", "P7 1.500 -2.500 3.000"}, // an adjusted row: 4 words
                               {"12 1000.000 2000.000", ""},
                               {"12  1000.000 2000.000 100.000", ""}, // two blanks: an empty word
                               {"[Parámetro]", ""}}) {
        objPto p;
        EXPECT_EQ(LeerFilaPunto(fila, p) ? Texto({p}) : "", leido) << fila;
    }
    EXPECT_EQ(Texto(LeerListaPuntos({"1 0 0 0", "", "2 5 6 7"})), "1 0.000 0.000 0.000|2 5.000 6.000 7.000");
    // Adjusted points come in columns.
    EXPECT_EQ(Texto(LeerListaColumnas({"E-1         1000.125     2000.250   100.500   0.004", "  ", "E-2  1 2"})),
              "E-1 1000.125 2000.250 100.500");
}

TEST(Plano, PoligonalSinTramosVacios)
{
    colEstaciones e(3);
    e[0].objBE = {"A", 0, 0, 0};
    e[0].objBV = {"B", 0, 100, 0};
    e[1].objBE = e[0].objBV;
    e[1].objBV = e[0].objBV; // still without a distance
    e[2].objBE = {"C", 10, 10, 0};
    e[2].objBV = {"D", NAN, 0, 0};
    const TrazadoPoligonal t = TrazarPoligonal({"A", 0, 0, 0}, {"O", 0, -50, 0}, e);
    ASSERT_EQ(t.tramos.size(), 1u);
    EXPECT_EQ(t.tramos[0].b.N + t.BO.N, "BO");
    EXPECT_EQ(t.estaciones.size(), 1u);
}

TEST(Plano, VectorDeCierreExagerado)
{
    // A 1 cm misclosure drawn a thousand times longer: 10 m.
    const objPto fin = ExtremoVectorCierre({"", 100.0, 200.0, 0}, {"", 100.01, 199.99, 0}, 1000.0);
    EXPECT_NEAR(fin.X, 110.0, 1e-9);
    EXPECT_NEAR(fin.Y, 190.0, 1e-9);
}

TEST(Plano, RejillaHallaLoMismoQueRecorrerlosTodos)
{
    std::mt19937 azar(7);
    std::uniform_real_distribution<double> u(0.0, 500.0);
    std::vector<objPto> puntos(5000);
    for (auto& p : puntos)
        p = {"", 1000 + u(azar), 2000 + u(azar) / 5, 0};
    puntos.push_back({"", 1200, 2050, 0}); // a duplicate site
    puntos.push_back({"", 1200, 2050, 0});
    RejillaPuntos r;
    r.Construir(puntos);
    for (int k = 0; k < 50; ++k) {
        const double x0 = 1000 + u(azar), y0 = 2000 + u(azar) / 5, x1 = x0 + u(azar) / 4, y1 = y0 + u(azar) / 20;
        size_t cuenta = 0, esperado = 0;
        r.Recorrer(x0, y0, x1, y1, [&](int i, double x, double y) { cuenta += puntos[i].X == x && puntos[i].Y == y; });
        for (const auto& p : puntos)
            esperado += p.X >= x0 && p.X <= x1 && p.Y >= y0 && p.Y <= y1;
        EXPECT_EQ(cuenta, esperado);
        const double radio = 3.0;
        int cerca = -1;
        double mejor = radio * radio;
        for (size_t i = 0; i < puntos.size(); ++i) {
            const double d2 = std::pow(puntos[i].X - x0, 2) + std::pow(puntos[i].Y - y0, 2);
            if (d2 <= mejor && (cerca < 0 || d2 < mejor))
                mejor = d2, cerca = static_cast<int>(i);
        }
        const int hallado = r.MasCercano(x0, y0, radio);
        ASSERT_EQ(hallado < 0, cerca < 0);
        if (cerca >= 0) {
            EXPECT_DOUBLE_EQ(std::hypot(puntos[hallado].X - x0, puntos[hallado].Y - y0), std::sqrt(mejor));
        }
    }
    EXPECT_GE(r.MasCercano(1200, 2050, 0.0), 0);
    RejillaPuntos vacia;
    std::vector<objPto> ninguno;
    vacia.Construir(ninguno);
    EXPECT_EQ(vacia.MasCercano(0, 0, 1e9), -1);
}

TEST(Plano, BarraDeEscala)
{
    for (auto [mpp, px, metros] : {std::tuple{1.0, 150.0, 100.0}, {0.1, 150.0, 10.0}, {1.0, 199.0, 100.0},
                                   {1.0, 200.0, 200.0}, {0.01, 160.0, 1.0}, {2.6, 160.0, 200.0}, {0.05, 160.0, 5.0},
                                   {40.0, 160.0, 5000.0}, {0.0, 160.0, 0.0}})
        EXPECT_DOUBLE_EQ(LongitudBarraEscala(mpp, px), metros) << mpp << " " << px;
}

TEST(Plano, EscalasLeidas)
{
    EXPECT_EQ(LeerEscala("1:1000") + LeerEscala("1:200"), 1200.0);
    for (const char* malo : {"1000", "1:", "1:0", "1:abc", "1:100x", "2:100"})
        EXPECT_EQ(LeerEscala(malo), 0.0) << malo;
}

TEST(Plano, HojaAEscala)
{
    // A 100 m leg from (1000, 2000) to the north-east measures 100 mm at 1:1000.
    Extension e;
    e.Anadir(1000, 2000);
    e.Anadir(1060, 2080);
    for (auto [hoja, escala, mmLeg, cabe] : {std::tuple{"A4", 1000.0, 100.0, true}, {"A4", 500.0, 200.0, true},
                                             {"A3", 200.0, 500.0, false}, {"A4", 5000.0, 20.0, true}}) {
        const MapaPagina m = MapearPagina(e, HojaPorNombre(hoja), escala);
        const double dx = m.PaginaX(1060) - m.PaginaX(1000), dy = m.PaginaY(2080) - m.PaginaY(2000);
        EXPECT_NEAR(std::hypot(dx, dy), mmLeg, 1e-9) << hoja << escala;
        EXPECT_LT(dy, 0.0); // north is up the sheet
        EXPECT_EQ(m.cabe, cabe) << hoja << escala;
        // The data's centre sits in the frame's centre; the frame clears the title block.
        EXPECT_NEAR(m.PaginaX(1030), m.marcoX + m.marcoAncho / 2, 1e-9);
        EXPECT_NEAR(m.PaginaY(2040), m.marcoY + m.marcoAlto / 2, 1e-9);
        EXPECT_NEAR(m.marcoY + m.marcoAlto + m.cajetinAlto + MARGEN_HOJA_MM, HojaPorNombre(hoja).alto, 1e-9);
    }
    // A 400 x 800 m traverse is cut at 1:1000 on A3 and whole only at 1:5000; on A4 at none listed.
    Extension grande;
    grande.Anadir(0, 0);
    grande.Anadir(400, 800);
    EXPECT_FALSE(MapearPagina(grande, HojaPorNombre("A3"), 1000).cabe);
    EXPECT_EQ(EscalaQueCabe(grande, HojaPorNombre("A3")), 5000.0);
    grande.Anadir(0, 1200);
    EXPECT_EQ(EscalaQueCabe(grande, HojaPorNombre("A4")), 0.0);
    const auto textos = TextosCajetin("Finca", "2026-12-07", MapearPagina(e, HojaPorNombre("A4"), 1000));
    EXPECT_EQ(textos[2], "Escala 1:1000");
    EXPECT_EQ(textos[3], "X 891.500 a 1168.500   Y 1957.000 a 2123.000");
}

TEST(Perfil, ParabolaPorLosAnclajesYFlecha)
{
    const PerfilCatenaria p = LeerProyeccion({"0.000,10.000", "50.000,8.750", "100.000,10.000", "[Parámetro]",
                                              "1000.00", "[Error de ajuste]", "0.000"});
    ASSERT_EQ(p.puntos.size(), 3u);
    ASSERT_TRUE(p.ajustado);
    EXPECT_DOUBLE_EQ(p.parametro, 1000.0);
    EXPECT_NEAR(AlturaParabola(p, 50.0), 8.75, 1e-12);
    const auto curva = CurvaAjustada(p, 4);
    ASSERT_EQ(curva.size(), 5u);
    EXPECT_NEAR(curva.front().h, 10.0, 1e-12);
    EXPECT_NEAR(curva.back().h, 10.0, 1e-12);
    const Holgura h = HolguraMaxima(p); // L² / 8p at mid-span
    EXPECT_TRUE(h.valida);
    EXPECT_NEAR(h.valor, 1.25, 1e-12);
    EXPECT_NEAR(h.d, 50.0, 1e-12);

    // Sloping chord without a fit: the largest clearance among the points.
    const PerfilCatenaria s = LeerProyeccion({"0.000,100.000", "40.000,97.500", "80.000,99.000", "120.000,101.000"});
    EXPECT_FALSE(s.ajustado);
    EXPECT_TRUE(CurvaAjustada(s, 10).empty());
    const Holgura hs = HolguraMaxima(s);
    EXPECT_NEAR(hs.valor, 100.0 + 40.0 / 120.0 - 97.5, 1e-12);
    EXPECT_NEAR(hs.d, 40.0, 1e-12);
    EXPECT_FALSE(HolguraMaxima(LeerProyeccion({"0.000,1.000"})).valida);
}

} // namespace
