// The job: each change told by its kind, and the recovery text that brings back the traverse, its closure and
// every window's lists and inputs exactly, odd characters included; anything else is refused and leaves the job empty.
#include <gtest/gtest.h>
#include <memory>

#include "core/Trabajo.h"

namespace {

Trabajo Ejemplo()
{
    Trabajo t;
    PoligonalTrabajo p;
    p.BE = {"P-2", 1000.0, 1000.0, 100.0};
    p.BO = {"P\t1 %0A", 1000.0, 1100.0, 100.0};
    objEstacion e;
    e.objBV = {"E-1\r\n", 1050.123456789012, 999.1, -0.1};
    e.Slot(3) = 120.5, e.Slot(23) = 1.0 / 3.0;
    p.estaciones = {e, e};
    p.estacionActual = 2;
    p.incompleta = 2;
    p.textos = {"E-2", "0.0000", "", "12."};
    p.cierre = true;
    p.PE = {"LL", 1.5e-300, -2.0, 3.0};
    t.PonerPoligonal(p);
    t.PonerListas("frmRadiacion", {{"lstBases", {"B-1", "", "10.000", "20.000", "30.000", ""}}});
    t.PonerListas("frmTaquimetrico", {{"lstPuntos", {"7 1.000 2.000 3.000", ""}}, {"lstObservaciones", {}}});
    t.PonerEntradas("frmTaquimetrico", {{"txti", {"1.55"}}, {"lblBE", {"B-1"}}});
    t.PonerEntradas("frmNivelacion", {{"tblLibreta", {"T1\t1.234\t\t", "", "T2\t\t0.5\t12"}}});
    return t;
}

} // namespace

TEST(Trabajo, CadaCambioSeAvisaPorSuClase)
{
    Trabajo t;
    std::string avisos;
    t.alCambiar = [&](CambioTrabajo c) { avisos += std::to_string(static_cast<int>(c)); };
    t.PonerPoligonal({});
    t.PonerListas("v", {{"lstPuntos", {"1 2 3 4"}}});
    t.PonerEntradas("v", {{"txtA", {"1"}}});
    t.PonerVano({});
    t.PonerCompensados({{"A", 1, 2, 3}});
    t.PonerTerreno(std::make_shared<TerrenoTrabajo>());
    t.QuitarListas("otra"); // nothing held: nothing told
    t.Vaciar();
    EXPECT_EQ(avisos, "015234" "0134");
    EXPECT_FALSE(t.Terreno());
    EXPECT_TRUE(t.Vacio());
}

TEST(Trabajo, LaRecuperacionDevuelveElTrabajoEntero)
{
    const Trabajo t = Ejemplo();
    EXPECT_EQ(t.Listas().at("frmRadiacion").bases.size(), 1u);
    EXPECT_EQ(t.Listas().at("frmTaquimetrico").puntos.size(), 1u);
    const std::string texto = EscribirTrabajo(t);
    Trabajo r;
    ASSERT_TRUE(LeerTrabajo(texto, r));
    EXPECT_EQ(EscribirTrabajo(r), texto);
    const PoligonalTrabajo& p = r.Poligonal();
    EXPECT_EQ(p.BO.N + "|" + p.estaciones[1].objBV.N + "|" + p.textos[3], "P\t1 %0A|E-1\r\n|12.");
    EXPECT_EQ(p.estaciones[0].objBV.X, 1050.123456789012);
    EXPECT_EQ(p.estaciones[1].Slot(23), 1.0 / 3.0);
    EXPECT_EQ(p.PE.X, 1.5e-300);
    EXPECT_TRUE(p.cierre && p.incompleta == 2 && p.estacionActual == 2);
    EXPECT_EQ(r.Listas().at("frmTaquimetrico").filas.at("lstPuntos").size(), 2u);
    EXPECT_TRUE(r.Listas().at("frmTaquimetrico").filas.at("lstObservaciones").empty());
    EXPECT_EQ(r.Listas().at("frmTaquimetrico").entradas.at("txti"), std::vector<std::string>{"1.55"});
    EXPECT_EQ(r.Listas().at("frmNivelacion").entradas.at("tblLibreta")[2], "T2\t\t0.5\t12");

    std::string roto = texto;
    roto.replace(roto.find("120.5"), 5, "12x.5");
    for (const std::string& malo : {std::string(), std::string("otro\t1\n"), texto.substr(0, texto.find("estacion")),
                                    roto, texto + "desconocido\t1\n"}) {
        Trabajo m = Ejemplo();
        EXPECT_FALSE(LeerTrabajo(malo, m)) << malo;
        EXPECT_TRUE(m.Vacio());
    }
}
