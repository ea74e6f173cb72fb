// Rows of the base, point and observation lists and the files that carry them.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <array>
#include <vector>

#include "core/Ficheros.h"
#include "core/FicherosTexto.h"

using Filas = std::vector<std::string>;

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
    // A base that ends before its Z, a closing quote missing (the rest of the line goes into the
    // name), a number too large: the bases before stay, never half a base.
    for (auto [texto, descripcion] : {std::pair{"\"A\",\"1\",\"2\",\"3\"\r\n\"B\",\"4\",\"5\"\r\n", DESC_FIN_FICHERO},
                                      {"\"A\",\"1\",\"2\",\"3\"\r\n\"B,4,5,6\r\n", DESC_FIN_FICHERO},
                                      {"\"A\",1,2,3\r\n\"B\",1e999,2,3\r\n\"C\",1,2,3\r\n", DESC_DESBORDAMIENTO}}) {
        const ResultadoLectura r = LeerBases(texto);
        EXPECT_TRUE(r.fallo && r.descripcion == descripcion) << texto;
        EXPECT_EQ(r.filas, (Filas{"A", "", "1.000", "2.000", "3.000", ""})) << texto;
    }
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
    for (const Filas& malos : {Filas{"", "1", "2", "3"}, {"A", "1", "", "3"}, {"A", "1", "2", "1.2.3"},
                               {"A", "-", "2", "3"}, {"A", std::string(400, '9'), "2", "3"}})
        EXPECT_FALSE(FilasBaseTecleada(malos[0], malos[1], malos[2], malos[3], f)) << malos[1] << malos[3];
    EXPECT_EQ(f[1], "tocar");
    ASSERT_TRUE(FilasBaseTecleada("P-1 ", " 1,5 ", "-2", "+3.", f));
    EXPECT_EQ(Filas(f.begin(), f.end()), (Filas{"P-1 ", "", "1.500", "-2.000", "3.000", ""}));

    for (auto [fila, k, palabra] : {std::tuple{"P1 100.5 200.25", 2, "200.25"}, {"P1 100.5 200.25", 3, ""},
                                    {"a  b", 1, ""}, {"a  b", 2, "b"}}) // two blanks make an empty word
        EXPECT_EQ(PalabraFila(fila, k), palabra) << fila << " " << k;
}

TEST(ModeloLista, PlanesDeCorte)
{
    // {rows, selected, a base?} -> {first row cut, how many, selected after}: a name row takes its
    // group of six (a short last group whole), an X row or no selection nothing; a row cut selects the
    // one before it (row 0 after the first, none when the list is left empty).
    const std::pair<std::array<int, 3>, std::array<int, 3>> casos[] = {
        {{18, 6, 1}, {6, 6, -1}}, {{8, 6, 1}, {6, 2, -1}}, {{18, 2, 1}, {0, 0, 2}},  {{18, -1, 1}, {0, 0, -1}},
        {{3, 2, 0}, {2, 1, 1}},   {{2, 0, 0}, {0, 1, 0}},  {{1, 0, 0}, {0, 1, -1}}, {{0, -1, 0}, {0, 0, -1}},
        {{3, 3, 0}, {0, 0, 3}}};
    for (const auto& [lista, plan] : casos) {
        const Corte c = lista[2] ? PlanCortarBase(lista[0], lista[1]) : PlanCortarFila(lista[0], lista[1]);
        EXPECT_EQ((std::array<int, 3>{c.inicio, c.cuantas, c.nuevaSeleccion}), plan) << lista[0] << " " << lista[1];
    }
}

TEST(ModeloLista, TextosDeLaSeleccion)
{
    // Comma or point, rows missing at the end of a short group, words that are not numbers.
    EXPECT_EQ(TextosBase("P-1", "1000,5", "2000", "-3.25"), (TextosSeleccion{"P-1", "1000.500", "2000.000", "-3.250"}));
    EXPECT_EQ(TextosBase("Q", "", "", std::string(400, '9')), (TextosSeleccion{"Q", "0.000", "0.000", ""}));
    EXPECT_EQ(TextosPunto("12 1000 2000,5 x"), (TextosSeleccion{"12", "1000.000", "2000.500", "0.000"}));
    EXPECT_EQ(TextosPunto("A7 1"), (TextosSeleccion{"A7", "1.000", "0.000", "0.000"}));
}

TEST(EntradaMala, LineasMuyLargasYTextoNoUtf8)
{
    // A megabyte of digits is one number too large, of blanks nothing at all; a megabyte name is kept whole.
    EXPECT_EQ(LeerObservaciones("1," + std::string(1 << 20, '7') + ",2,3,4\r\n").descripcion, DESC_DESBORDAMIENTO);
    EXPECT_EQ(LeerPuntos(std::string(1 << 20, ' ') + "\r\n3 1 2 3\r\n").filas, Filas{"3 1.000 2.000 3.000"});
    EXPECT_EQ(LeerBases("\"" + std::string(1 << 20, 'N') + "\",1,2,3").filas.at(0).size(), size_t(1) << 20);

    // Latin-1 becomes UTF-8; overlong and truncated forms are not UTF-8.
    for (auto [latin1, utf8] : {std::pair{"\xC3\x91", "\xC3\x91"}, {"\xD1", "\xC3\x91"},
                                {"\xC0\xAF", "\xC3\x80\xC2\xAF"}, {"\xE2\x82", "\xC3\xA2\xC2\x82"}})
        EXPECT_EQ(TextoUtf8(latin1), utf8);
}

TEST(Ejemplos, SeLeenEnterosYConFinesDeLineaCrLf)
{
    // The sample files a new user opens: every line a record, written as the program writes.
    for (const auto& [nombre, filas] : {std::pair{"obra.bse", 8 * 6}, {"obra.asc", 30}, {"obra.txt", 30},
                                        {"taquimetrico.bse", 3 * 6}, {"taquimetrico.txt", 25}, {"catenaria.bse", 2 * 6},
                                        {"catenaria_anclajes.asc", 2}, {"catenaria.txt", 13}, {"terreno.asc", 49}}) {
        std::string t;
        ASSERT_TRUE(LeerFichero(std::string(CV_EJEMPLOS) + "/" + nombre, t).ok) << nombre;
        const std::string tipo = std::string(nombre).substr(std::string(nombre).size() - 3);
        const auto r = tipo == "bse" ? LeerBases(t) : tipo == "asc" ? LeerPuntos(t) : LeerObservaciones(t);
        EXPECT_FALSE(r.fallo) << nombre;
        EXPECT_EQ(r.filas.size(), static_cast<size_t>(filas)) << nombre;
        EXPECT_EQ(std::count(t.begin(), t.end(), '\r'), std::count(t.begin(), t.end(), '\n')) << nombre;
        EXPECT_EQ(t.substr(t.size() - 2), "\r\n") << nombre;
    }
}
