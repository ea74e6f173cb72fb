// Rows of the base, point and observation lists and the files that carry them.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "core/Ficheros.h"
#include "points/FicherosTexto.h"

namespace {

using Filas = std::vector<std::string>;

} // namespace

TEST(LeerBases, FilasDeCadaBase)
{
    // A decimal comma inside quotes; a text with no leading number reads 0 and
    // the number at its start is kept; unquoted fields and blank lines.
    auto r = LeerBases("\"P-1\",\"1000,5\",\"2000\",\"-3.25\"\r\n\r\n  E1 , 12.5m ,abc, 7\r\n\r\n");
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.filas, (Filas{"P-1", "", "1000.500", "2000.000", "-3.250", "", "E1", "", "12.500", "0.000", "7.000",
                              ""}));
    // "MOJÓN" written by an old editor in Latin-1; a UTF-8 name stays as it is.
    r = LeerBases("\"MOJ\xD3N\",1,2,3\n\"PE\xC3\x91\x41\",4,5,6\n");
    ASSERT_EQ(r.filas.size(), 12u);
    EXPECT_EQ(r.filas[0], "MOJ\xC3\x93N");
    EXPECT_EQ(r.filas[6], "PE\xC3\x91\x41");
}

TEST(LeerBases, FalloConservaLasBasesCompletas)
{
    // The second base ends before its Z: the first stays, the half base does not.
    auto r = LeerBases("\"A\",\"1\",\"2\",\"3\"\r\n\"B\",\"4\",\"5\"\r\n");
    EXPECT_TRUE(r.fallo);
    EXPECT_EQ(r.descripcion, DESC_FIN_FICHERO);
    EXPECT_EQ(r.filas, (Filas{"A", "", "1.000", "2.000", "3.000", ""}));
    // A missing closing quote on the last line swallows the rest of that line.
    r = LeerBases("\"A\",\"1\",\"2\",\"3\"\r\n\"B,4,5,6\r\n");
    EXPECT_TRUE(r.fallo);
    EXPECT_EQ(r.filas.size(), 6u);
    r = LeerBases("\"A\",1,2,3\r\n\"B\",1e999,2,3\r\n\"C\",1,2,3\r\n");
    EXPECT_TRUE(r.fallo);
    EXPECT_EQ(r.descripcion, DESC_DESBORDAMIENTO);
    EXPECT_EQ(r.filas.size(), 6u);
}

TEST(LeerPuntos, NumeroRedondeadoAlParYPalabrasQueFaltan)
{
    // (A quoted line may carry a decimal comma: unquoted, the comma would end the field.)
    auto r = LeerPuntos("12.5 10 20 30\r\n\"13.5 1.23456 -2 3,5\"\r\n-2.5 0 0 0\r\n-3.5 0 0 0\r\n"
                        "-0.4 0 0 0\r\nA7 1 2 3\r\n7e2 1 1 1\r\n");
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.filas, (Filas{"12 10.000 20.000 30.000", "14 1.235 -2.000 3.500", "-2 0.000 0.000 0.000",
                              "-4 0.000 0.000 0.000", "0 0.000 0.000 0.000", "0 1.000 2.000 3.000",
                              "700 1.000 1.000 1.000"}));
    // Missing words read 0; empty lines are skipped; two blanks make an empty
    // word (the row's word rule), which shifts the coordinates.
    r = LeerPuntos("5 100\n\n\n6  1 2 3\n   7 1 2 3   \n");
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.filas, (Filas{"5 100.000 0.000 0.000", "6 0.000 1.000 2.000", "7 1.000 2.000 3.000"}));
    // A comma ends the field, as in any file read field by field.
    EXPECT_EQ(LeerPuntos("8,1,2,3").filas.size(), 4u);
}

TEST(LeerObservaciones, CamposEnCualquierMezclaDeComasYLineas)
{
    EXPECT_EQ(LeerObservaciones("101,123.45678,98.7,25.3,1.5\r\n").filas, Filas{"101 123.4568 98.7000 25.300 1.500"});
    // Fields may be split across lines and quoted; the number of the point is
    // read without the comma rule while the others take it.
    auto r = LeerObservaciones("\"101\",\"100,5\"\n 99.99995 \r\n 12 , 1.6\n102.5,0,100,10,0\n\n");
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.filas, (Filas{"101 100.5000 100.0000 12.000 1.600", "102 0.0000 100.0000 10.000 0.000"}));
    // A truncated record fails and keeps what was read.
    for (const char* texto : {"7,5,1,2,3,4\n", "7,5,1,2,3\r\n6,7,8\r\n"}) {
        r = LeerObservaciones(texto);
        EXPECT_TRUE(r.fallo);
        EXPECT_EQ(r.descripcion, DESC_FIN_FICHERO);
        EXPECT_EQ(r.filas, Filas{"7 5.0000 1.0000 2.000 3.000"});
    }
    EXPECT_FALSE(LeerObservaciones("\r\n\r\n").fallo);
}

TEST(Escritores, IdaYVuelta)
{
    Filas lista;
    for (const auto& g : {FilasBase("P-1", 1000.5, 2000, -3.25), FilasBase("B 2, norte", 456123.4564, 4485000, 0),
                          FilasBase("E\xC3\x91" "E", -0.0004, 1e-9, 99999999.9995)})
        lista.insert(lista.end(), g.begin(), g.end());
    const std::string texto = EscribirBases(lista);
    EXPECT_EQ(texto, "\"P-1\",\"1000.500\",\"2000.000\",\"-3.250\"\r\n"
                     "\"B 2, norte\",\"456123.456\",\"4485000.000\",\"0.000\"\r\n"
                     "\"E\xC3\x91\x45\",\"0.000\",\"0.000\",\"100000000.000\"\r\n");
    EXPECT_EQ(LeerBases(texto).filas, lista);
    // Rows written by another window (a decimal comma, no decimals) are read
    // again and written with three decimals; a short last group reads 0.
    EXPECT_EQ(EscribirBases({"A", "", "1,5", "2", "x", "", "B", ""}),
              "\"A\",\"1.500\",\"2.000\",\"0.000\"\r\n\"B\",\"0.000\",\"0.000\",\"0.000\"\r\n");

    const Filas puntos{"12 1000.000 2000.000 100.000", "", "-3 0.500 1.000 -2.000", ""};
    const std::string fichero = EscribirPuntos(puntos);
    EXPECT_EQ(fichero, "12 1000.000 2000.000 100.000\r\n-3 0.500 1.000 -2.000\r\n");
    EXPECT_EQ(LeerPuntos(fichero).filas, (Filas{puntos[0], puntos[2]}));
    EXPECT_EQ(EscribirTense(puntos), "12 1000.000 2000.000 100.000\r\n\r\n-3 0.500 1.000 -2.000\r\n\r\n");
}

TEST(Filas, NumeroDePuntoYBaseTecleada)
{
    for (auto [v, t] : {std::pair{2.5, "2"}, {3.5, "4"}, {2.5000001, "3"}, {-0.5, "0"}, {-1.5, "-2"},
                        {1e20, "100000000000000000000"}, {std::numeric_limits<double>::infinity(), ""}})
        EXPECT_EQ(NumeroPunto(v), t) << v;
    EXPECT_EQ(FilaPunto("12", 1000, 2000, 100), "12 1000.000 2000.000 100.000");

    std::array<std::string, 6> f{"sin", "tocar", "", "", "", ""};
    EXPECT_FALSE(FilasBaseTecleada("", "1", "2", "3", f));
    EXPECT_FALSE(FilasBaseTecleada("A", "1", "", "3", f));
    EXPECT_FALSE(FilasBaseTecleada("A", "1", "2", "1.2.3", f));
    EXPECT_FALSE(FilasBaseTecleada("A", "-", "2", "3", f));
    EXPECT_FALSE(FilasBaseTecleada("A", std::string(400, '9'), "2", "3", f));
    EXPECT_EQ(f[1], "tocar");
    ASSERT_TRUE(FilasBaseTecleada("P-1 ", " 1,5 ", "-2", "+3.", f));
    EXPECT_EQ(Filas(f.begin(), f.end()), (Filas{"P-1 ", "", "1.500", "-2.000", "3.000", ""}));

    EXPECT_EQ(PalabraFila("P1 100.5 200.25", 2), "200.25");
    EXPECT_EQ(PalabraFila("P1 100.5 200.25", 3), "");
    EXPECT_EQ(PalabraFila("a  b", 1), "");
    EXPECT_EQ(PalabraFila("a  b", 2), "b");
}

TEST(ModeloLista, PlanesDeCorte)
{
    // {rows, selected, base?} -> {first row cut, how many, selected after}.
    const struct {
        int filas, seleccion;
        bool base;
        Corte corte;
    } casos[] = {
        {18, 6, true, {6, 6, -1}},  // a name row: its group of six goes
        {8, 6, true, {6, 2, -1}},   // a short group at the end goes whole
        {18, 2, true, {0, 0, 2}},   // an X row: nothing
        {18, -1, true, {0, 0, -1}}, // nothing selected: nothing
        {3, 2, false, {2, 1, 1}},   // the row before becomes selected
        {2, 0, false, {0, 1, 0}},   // the first row: row 0 is selected
        {1, 0, false, {0, 1, -1}},  // the only row: none is left selected
        {0, -1, false, {0, 0, -1}}, // an empty list
        {3, 3, false, {0, 0, 3}},   // a selection past the end
    };
    for (const auto& c : casos) {
        const Corte r = c.base ? PlanCortarBase(c.filas, c.seleccion) : PlanCortarFila(c.filas, c.seleccion);
        EXPECT_EQ(std::tie(r.inicio, r.cuantas, r.nuevaSeleccion),
                  std::tie(c.corte.inicio, c.corte.cuantas, c.corte.nuevaSeleccion))
            << c.filas << " " << c.seleccion;
    }
}

TEST(ModeloLista, TextosDeLaSeleccion)
{
    // Comma or point, rows missing at the end of a short group, words that are not numbers.
    EXPECT_EQ(TextosBase("P-1", "1000,5", "2000", "-3.25"), (TextosSeleccion{"P-1", "1000.500", "2000.000", "-3.250"}));
    EXPECT_EQ(TextosBase("Q", "", "", ""), (TextosSeleccion{"Q", "0.000", "0.000", "0.000"}));
    EXPECT_EQ(TextosBase("G", std::string(400, '9'), "1", "2")[1], "");
    EXPECT_EQ(TextosPunto("12 1000 2000,5 x"), (TextosSeleccion{"12", "1000.000", "2000.500", "0.000"}));
    EXPECT_EQ(TextosPunto("A7 1"), (TextosSeleccion{"A7", "1.000", "0.000", "0.000"}));
}

TEST(EntradaMala, LineasMuyLargasYTextoNoUtf8)
{
    // A megabyte line of digits is one number too large; a megabyte line of
    // blanks is nothing at all; a megabyte name is kept whole.
    const auto r = LeerObservaciones("1," + std::string(1 << 20, '7') + ",2,3,4\r\n");
    EXPECT_TRUE(r.fallo);
    EXPECT_EQ(r.descripcion, DESC_DESBORDAMIENTO);
    EXPECT_EQ(LeerPuntos(std::string(1 << 20, ' ') + "\r\n3 1 2 3\r\n").filas, Filas{"3 1.000 2.000 3.000"});
    const auto b = LeerBases("\"" + std::string(1 << 20, 'N') + "\",1,2,3");
    ASSERT_EQ(b.filas.size(), 6u);
    EXPECT_EQ(b.filas[0].size(), size_t(1) << 20);

    EXPECT_EQ(TextoUtf8("\xC3\x91"), "\xC3\x91");
    EXPECT_EQ(TextoUtf8("\xD1"), "\xC3\x91");
    // Overlong and truncated forms are not UTF-8.
    EXPECT_EQ(TextoUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF");
    EXPECT_EQ(TextoUtf8("\xE2\x82"), "\xC3\xA2\xC2\x82");
}

TEST(Ejemplos, SeLeenEnterosYConFinesDeLineaCrLf)
{
    // The sample files a new user opens: every line a record, written as the program writes.
    const struct {
        const char* nombre;
        ResultadoLectura (*leer)(std::string_view);
        size_t filas;
    } casos[] = {{"obra.bse", LeerBases, 8 * 6},
                 {"obra.asc", LeerPuntos, 30},
                 {"obra.txt", LeerObservaciones, 30},
                 {"taquimetrico.bse", LeerBases, 3 * 6},
                 {"taquimetrico.txt", LeerObservaciones, 25},
                 {"catenaria.bse", LeerBases, 2 * 6},
                 {"catenaria_anclajes.asc", LeerPuntos, 2},
                 {"catenaria.txt", LeerObservaciones, 13}};
    for (const auto& c : casos) {
        std::string texto;
        ASSERT_TRUE(LeerFichero(std::string(CV_EJEMPLOS) + "/" + c.nombre, texto).ok) << c.nombre;
        const ResultadoLectura r = c.leer(texto);
        EXPECT_FALSE(r.fallo) << c.nombre;
        EXPECT_EQ(r.filas.size(), c.filas) << c.nombre;
        size_t sueltos = 0; // line ends without their CR
        for (size_t i = 0; i < texto.size(); ++i)
            sueltos += texto[i] == '\n' && (i == 0 || texto[i - 1] != '\r');
        EXPECT_EQ(sueltos, 0u) << c.nombre;
        EXPECT_EQ(texto.substr(texto.size() - 2), "\r\n") << c.nombre;
    }
}
