// Rows of the base, point and observation lists and the files that carry them.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "points/FicherosTexto.h"

namespace {

using Filas = std::vector<std::string>;

// Every field the reader gives for a text, and whether it ran out of data
// before `cuantos` fields.
Filas Campos(const std::string& texto, int cuantos, bool* agotado = nullptr)
{
    LectorCampos lector(texto);
    Filas campos;
    std::string c;
    for (int i = 0; i < cuantos; ++i) {
        if (!lector.Leer(c)) {
            if (agotado)
                *agotado = true;
            return campos;
        }
        campos.push_back(c);
    }
    if (agotado)
        *agotado = false;
    return campos;
}

int Palabras(const std::string& fila)
{
    int n = 1;
    for (char c : fila)
        n += c == ' ';
    return n;
}

} // namespace

TEST(LectorCampos, ComillasBlancosYSeparadores)
{
    bool agotado = true;
    // Quotes protect commas; blanks before a field are skipped; a comma or a
    // line end closes a field; blanks at the end of an unquoted field go.
    EXPECT_EQ(Campos("\"a,b\",  c  ,d\r\ne", 4, &agotado), (Filas{"a,b", "c", "d", "e"}));
    EXPECT_FALSE(agotado);
    // Anything after the closing quote up to the separator is dropped.
    EXPECT_EQ(Campos("\"P 1\"xyz,2", 2), (Filas{"P 1", "2"}));
    // A quoted field keeps its inner blanks.
    EXPECT_EQ(Campos("\" P \",1", 2), (Filas{" P ", "1"}));
    // Two commas, or a comma before the line end, make empty fields.
    EXPECT_EQ(Campos("1,,3,\n5", 5), (Filas{"1", "", "3", "", "5"}));
    // A missing closing quote ends the field at its line end.
    EXPECT_EQ(Campos("\"abc,def\nx", 2), (Filas{"abc,def", "x"}));
}

TEST(LectorCampos, FinesDeLineaYLineasVacias)
{
    // CR LF, LF and a lone CR all end a line; empty lines between records are skipped.
    EXPECT_EQ(Campos("a\r\nb\nc\rd", 4), (Filas{"a", "b", "c", "d"}));
    EXPECT_EQ(Campos("\r\n\r\n  \r\na\n\n\nb", 2), (Filas{"a", "b"}));
    // A byte order mark is not part of the first field.
    EXPECT_EQ(Campos("\xEF\xBB\xBFP1,2", 2), (Filas{"P1", "2"}));
}

TEST(LectorCampos, LeerSinDatosFalla)
{
    bool agotado = false;
    EXPECT_EQ(Campos("a,b", 3, &agotado), (Filas{"a", "b"}));
    EXPECT_TRUE(agotado);
    EXPECT_EQ(Campos("", 1, &agotado), Filas{});
    EXPECT_TRUE(agotado);
    // A comma at the very end announces no further data.
    Campos("a,", 2, &agotado);
    EXPECT_TRUE(agotado);

    LectorCampos lector("x\r\n  \r\n\r\n");
    EXPECT_FALSE(lector.Fin());
    std::string c;
    EXPECT_TRUE(lector.Leer(c));
    EXPECT_TRUE(lector.Fin()); // only blanks and line ends are left
    EXPECT_FALSE(lector.Leer(c));
    EXPECT_EQ(c, "");
}

TEST(LeerBases, ComaDecimalEntreComillasYVariasBases)
{
    const auto r = LeerBases("\"P-1\",\"1000,5\",\"2000\",\"-3.25\"\r\n"
                             "\"B2\",\"456123.4564\",\"4485000\",\"652.1\"\r\n");
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.filas, (Filas{"P-1", "", "1000.500", "2000.000", "-3.250", "", "B2", "", "456123.456",
                              "4485000.000", "652.100", ""}));
}

TEST(LeerBases, CamposQueNoSonNumerosYLineasVacias)
{
    // A text with no leading number reads 0; the number at its start is kept;
    // unquoted fields and blank lines as a person would type them.
    const auto r = LeerBases("\r\n  E1 , 12.5m ,abc, 7\r\n\r\n\r\n");
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.filas, (Filas{"E1", "", "12.500", "0.000", "7.000", ""}));
}

TEST(LeerBases, RegistroIncompletoNoSeAnade)
{
    // The second base ends before its Z: the first stays, the half base does not.
    const auto r = LeerBases("\"A\",\"1\",\"2\",\"3\"\r\n\"B\",\"4\",\"5\"\r\n");
    EXPECT_TRUE(r.fallo);
    EXPECT_EQ(r.descripcion, DESC_FIN_FICHERO);
    EXPECT_EQ(r.filas, (Filas{"A", "", "1.000", "2.000", "3.000", ""}));

    // A missing closing quote on the last line swallows the rest of that line.
    const auto q = LeerBases("\"A\",\"1\",\"2\",\"3\"\r\n\"B,4,5,6\r\n");
    EXPECT_TRUE(q.fallo);
    EXPECT_EQ(q.filas.size(), 6u);
}

TEST(LeerBases, NumeroDemasiadoGrandeEsUnFallo)
{
    const auto r = LeerBases("\"A\",1,2,3\r\n\"B\",1e999,2,3\r\n\"C\",1,2,3\r\n");
    EXPECT_TRUE(r.fallo);
    EXPECT_EQ(r.descripcion, DESC_DESBORDAMIENTO);
    EXPECT_EQ(r.filas.size(), 6u);
}

TEST(LeerBases, NombreEnLatin1)
{
    // "MOJÓN" written by an old editor in Latin-1; a UTF-8 name stays as it is.
    const auto r = LeerBases("\"MOJ\xD3N\",1,2,3\n\"PE\xC3\x91\x41\",4,5,6\n");
    ASSERT_EQ(r.filas.size(), 12u);
    EXPECT_EQ(r.filas[0], "MOJ\xC3\x93N");
    EXPECT_EQ(r.filas[6], "PE\xC3\x91\x41");
}

TEST(LeerPuntos, NumeroRedondeadoAlParYCoordenadas)
{
    // (A quoted line may carry a decimal comma: unquoted, the comma would end the field.)
    const auto r = LeerPuntos("12.5 10 20 30\r\n\"13.5 1.23456 -2 3,5\"\r\n-2.5 0 0 0\r\n-3.5 0 0 0\r\n"
                              "0.5 0 0 0\r\n-0.4 0 0 0\r\nA7 1 2 3\r\n7e2 1 1 1\r\n");
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.filas, (Filas{"12 10.000 20.000 30.000", "14 1.235 -2.000 3.500", "-2 0.000 0.000 0.000",
                              "-4 0.000 0.000 0.000", "0 0.000 0.000 0.000", "0 0.000 0.000 0.000",
                              "0 1.000 2.000 3.000", "700 1.000 1.000 1.000"}));
}

TEST(LeerPuntos, LineasCortasVaciasYDobleBlanco)
{
    // Missing words read 0; empty lines are skipped; two blanks make an empty
    // word (the row's word rule), which shifts the coordinates.
    const auto r = LeerPuntos("5 100\n\n\n6  1 2 3\n   7 1 2 3   \n");
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.filas, (Filas{"5 100.000 0.000 0.000", "6 0.000 1.000 2.000", "7 1.000 2.000 3.000"}));
    // A comma ends the field, as in any file read field by field.
    EXPECT_EQ(LeerPuntos("8,1,2,3").filas.size(), 4u);
}

TEST(LeerObservaciones, LineaReformateada)
{
    const auto r = LeerObservaciones("101,123.45678,98.7,25.3,1.5\r\n");
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.filas, Filas{"101 123.4568 98.7000 25.300 1.500"});
}

TEST(LeerObservaciones, CamposEnCualquierMezclaDeComasYLineas)
{
    // Fields may be split across lines and quoted; the number of the point is
    // read without the comma rule while the others take it.
    const auto r = LeerObservaciones("\"101\",\"100,5\"\n 99.99995 \r\n 12 , 1.6\n102.5,0,100,10,0\n\n");
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.filas, (Filas{"101 100.5000 100.0000 12.000 1.600", "102 0.0000 100.0000 10.000 0.000"}));

    // A sixth field starts a record that the file never finishes.
    const auto s = LeerObservaciones("7,5,1,2,3,4\n");
    EXPECT_TRUE(s.fallo);
    EXPECT_EQ(s.filas, Filas{"7 5.0000 1.0000 2.000 3.000"});
}

TEST(LeerObservaciones, FicheroTruncadoConservaLoLeido)
{
    const auto r = LeerObservaciones("1,2,3,4,5\r\n6,7,8\r\n");
    EXPECT_TRUE(r.fallo);
    EXPECT_EQ(r.descripcion, DESC_FIN_FICHERO);
    EXPECT_EQ(r.filas, Filas{"1 2.0000 3.0000 4.000 5.000"});
    EXPECT_TRUE(LeerObservaciones("").filas.empty());
    EXPECT_FALSE(LeerObservaciones("\r\n\r\n").fallo);
}

TEST(Escritores, BasesIdaYVuelta)
{
    Filas lista;
    for (const auto& g : {FilasBase("P-1", 1000.5, 2000, -3.25), FilasBase("B 2, norte", 456123.4564, 4485000, 0),
                          FilasBase("E\xC3\x91" "E", -0.0004, 1e-9, 99999999.9995)})
        lista.insert(lista.end(), g.begin(), g.end());
    const std::string texto = EscribirBases(lista);
    EXPECT_EQ(texto, "\"P-1\",\"1000.500\",\"2000.000\",\"-3.250\"\r\n"
                     "\"B 2, norte\",\"456123.456\",\"4485000.000\",\"0.000\"\r\n"
                     "\"E\xC3\x91\x45\",\"0.000\",\"0.000\",\"100000000.000\"\r\n");
    const auto r = LeerBases(texto);
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.filas, lista);
    EXPECT_EQ(EscribirBases({}), "");
}

TEST(Escritores, BasesReescribeCoordenadasDeLaLista)
{
    // Rows written by another window (a decimal comma, no decimals) are read
    // again and written with three decimals; a short last group reads 0.
    const std::string texto = EscribirBases({"A", "", "1,5", "2", "x", "", "B", ""});
    EXPECT_EQ(texto, "\"A\",\"1.500\",\"2.000\",\"0.000\"\r\n\"B\",\"0.000\",\"0.000\",\"0.000\"\r\n");
}

TEST(Escritores, PuntosYTense)
{
    const Filas lista{"12 1000.000 2000.000 100.000", "", "-3 0.500 1.000 -2.000", ""};
    const std::string puntos = EscribirPuntos(lista);
    EXPECT_EQ(puntos, "12 1000.000 2000.000 100.000\r\n-3 0.500 1.000 -2.000\r\n");
    const auto r = LeerPuntos(puntos);
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.filas, (Filas{lista[0], lista[2]}));
    EXPECT_EQ(EscribirTense(lista), "12 1000.000 2000.000 100.000\r\n\r\n-3 0.500 1.000 -2.000\r\n\r\n");
    EXPECT_EQ(EscribirTense({""}), "\r\n");
}

TEST(Escritores, ObservacionesIdaYVuelta)
{
    // A list of observation rows written back with commas reads as the same rows.
    Filas filas;
    std::string fichero;
    for (int i = 0; i < 50; ++i) {
        const double hz = 0.0137 * i * i;
        const double v = 95 + 0.2 * i;
        const double di = 10 + 3.5 * i;
        filas.push_back(FilaObservacion(std::to_string(100 + i), hz, v, di, 1.5));
        std::string linea = filas.back();
        for (auto& c : linea)
            if (c == ' ')
                c = ',';
        fichero += linea + "\r\n";
    }
    EXPECT_EQ(filas[3], "103 0.1233 95.6000 20.500 1.500");
    const auto r = LeerObservaciones(fichero);
    EXPECT_FALSE(r.fallo);
    EXPECT_EQ(r.filas, filas);
}

TEST(Filas, ConstructoresYNumeroDePunto)
{
    const auto base = FilasBase("B1", 1.0005, -2, 3.14159);
    EXPECT_EQ(Filas(base.begin(), base.end()), (Filas{"B1", "", "1.001", "-2.000", "3.142", ""}));
    EXPECT_EQ(FilaPunto("12", 1000, 2000, 100), "12 1000.000 2000.000 100.000");
    EXPECT_EQ(FilaObservacion("101", 123.4567, 98.7654, 25.3, 1.5), "101 123.4567 98.7654 25.300 1.500");
    EXPECT_EQ(NumeroPunto(2.5), "2");
    EXPECT_EQ(NumeroPunto(3.5), "4");
    EXPECT_EQ(NumeroPunto(2.5000001), "3");
    EXPECT_EQ(NumeroPunto(-0.5), "0");
    EXPECT_EQ(NumeroPunto(-1.5), "-2");
    EXPECT_EQ(NumeroPunto(1e20), "100000000000000000000");
    EXPECT_EQ(NumeroPunto(std::numeric_limits<double>::infinity()), "");
}

TEST(Filas, BaseTecleada)
{
    std::array<std::string, 6> f{"sin", "tocar", "", "", "", ""};
    EXPECT_FALSE(FilasBaseTecleada("", "1", "2", "3", f));
    EXPECT_FALSE(FilasBaseTecleada("A", "1", "", "3", f));
    EXPECT_FALSE(FilasBaseTecleada("A", "1", "2", "1.2.3", f));
    EXPECT_FALSE(FilasBaseTecleada("A", "-", "2", "3", f));
    EXPECT_FALSE(FilasBaseTecleada("A", std::string(400, '9'), "2", "3", f));
    EXPECT_EQ(f[1], "tocar");
    ASSERT_TRUE(FilasBaseTecleada("P-1 ", " 1,5 ", "-2", "+3.", f));
    EXPECT_EQ(Filas(f.begin(), f.end()), (Filas{"P-1 ", "", "1.500", "-2.000", "3.000", ""}));
}

TEST(Filas, PalabraFila)
{
    EXPECT_EQ(PalabraFila("P1 100.5 200.25", 0), "P1");
    EXPECT_EQ(PalabraFila("P1 100.5 200.25", 2), "200.25");
    EXPECT_EQ(PalabraFila("P1 100.5 200.25", 3), "");
    EXPECT_EQ(PalabraFila("a  b", 1), "");
    EXPECT_EQ(PalabraFila("a  b", 2), "b");
    EXPECT_EQ(PalabraFila("", 5), "");
}

TEST(ModeloLista, CortarBase)
{
    ListaFilas l;
    for (const char* n : {"A", "B", "C"}) {
        const auto g = FilasBase(n, 1, 2, 3);
        l.filas.insert(l.filas.end(), g.begin(), g.end());
    }
    // An X row selected: nothing happens.
    l.seleccion = 2;
    CortarBaseSeleccionada(l);
    EXPECT_EQ(l.filas.size(), 18u);
    EXPECT_EQ(l.seleccion, 2);
    l.seleccion = 6;
    CortarBaseSeleccionada(l);
    ASSERT_EQ(l.filas.size(), 12u);
    EXPECT_EQ(l.filas[0], "A");
    EXPECT_EQ(l.filas[6], "C");
    EXPECT_EQ(l.seleccion, -1);
    CortarBaseSeleccionada(l); // nothing selected
    EXPECT_EQ(l.filas.size(), 12u);
    // A short group at the end goes whole.
    l.filas.resize(8);
    l.seleccion = 6;
    CortarBaseSeleccionada(l);
    EXPECT_EQ(l.filas.size(), 6u);
}

TEST(ModeloLista, CortarFila)
{
    ListaFilas l{{"r0"}, 0};
    CortarFilaSeleccionada(l);
    EXPECT_TRUE(l.filas.empty());
    EXPECT_EQ(l.seleccion, -1);
    CortarFilaSeleccionada(l); // empty list: nothing
    EXPECT_EQ(l.seleccion, -1);

    l = {{"r0", "r1", "r2", "r3", "r4", "r5", "r6"}, 0};
    CortarFilaSeleccionada(l);
    EXPECT_EQ(l.filas.front(), "r1");
    EXPECT_EQ(l.seleccion, 0);
    l.seleccion = 5; // "r6"
    CortarFilaSeleccionada(l);
    EXPECT_EQ(l.filas, (Filas{"r1", "r2", "r3", "r4", "r5"}));
    EXPECT_EQ(l.seleccion, 4);
    l.seleccion = -1;
    CortarFilaSeleccionada(l);
    EXPECT_EQ(l.filas.size(), 5u);
}

TEST(ModeloLista, MostrarSeleccion)
{
    ListaFilas bases{{"P-1", "", "1000,5", "2000", "-3.25", "", "Q", ""}, 0};
    EXPECT_EQ(MostrarBaseSeleccionada(bases), (TextosSeleccion{"P-1", "1000.500", "2000.000", "-3.250"}));
    bases.seleccion = 2;
    EXPECT_EQ(MostrarBaseSeleccionada(bases), TextosSeleccion{});
    bases.seleccion = -1;
    EXPECT_EQ(MostrarBaseSeleccionada(bases), TextosSeleccion{});
    bases.seleccion = 6; // group cut short at the end of the list
    EXPECT_EQ(MostrarBaseSeleccionada(bases), (TextosSeleccion{"Q", "0.000", "0.000", "0.000"}));

    ListaFilas puntos{{"12 1000 2000,5 x", "A7 1 2 3"}, 0};
    EXPECT_EQ(MostrarPuntoSeleccionado(puntos), (TextosSeleccion{"12", "1000.000", "2000.500", "0.000"}));
    puntos.seleccion = 1;
    EXPECT_EQ(MostrarPuntoSeleccionado(puntos)[0], "A7");
    puntos.seleccion = -1;
    EXPECT_EQ(MostrarPuntoSeleccionado(puntos), TextosSeleccion{});
}

TEST(EntradaMala, BytesArbitrariosNoRompenLaForma)
{
    // Random bytes, biased towards the characters that steer the reader.
    std::mt19937 gen(20261207);
    const char especiales[] = {'"', ',', '\r', '\n', ' ', '\t', '1', '.', '-', 'e', '\0', '\xFF'};
    for (int caso = 0; caso < 400; ++caso) {
        std::string datos(gen() % 300, '\0');
        for (auto& c : datos)
            c = gen() % 3 ? especiales[gen() % sizeof especiales] : static_cast<char>(gen() % 256);
        const auto b = LeerBases(datos);
        ASSERT_EQ(b.filas.size() % 6, 0u);
        for (size_t i = 0; i < b.filas.size(); i += 6)
            ASSERT_TRUE(b.filas[i + 1].empty() && b.filas[i + 5].empty());
        for (const auto& f : LeerPuntos(datos).filas)
            ASSERT_EQ(Palabras(f), 4) << f;
        for (const auto& f : LeerObservaciones(datos).filas)
            ASSERT_EQ(Palabras(f), 5) << f;
        // Whatever was read writes and reads back the same.
        if (!b.fallo) {
            const auto otra = LeerBases(EscribirBases(b.filas));
            // Names holding a double quote cannot travel inside quotes.
            bool comillas = false;
            for (size_t i = 0; i < b.filas.size(); i += 6)
                comillas = comillas || b.filas[i].find('"') != std::string::npos;
            if (!comillas) {
                ASSERT_EQ(otra.filas, b.filas);
            }
        }
    }
}

TEST(EntradaMala, LineasMuyLargas)
{
    // A megabyte line of digits is one number; a megabyte line of blanks is
    // nothing at all.
    const std::string digitos(1 << 20, '7');
    const auto r = LeerObservaciones("1," + digitos + ",2,3,4\r\n");
    EXPECT_TRUE(r.fallo);
    EXPECT_EQ(r.descripcion, DESC_DESBORDAMIENTO);
    const auto p = LeerPuntos(std::string(1 << 20, ' ') + "\r\n3 1 2 3\r\n");
    EXPECT_EQ(p.filas, Filas{"3 1.000 2.000 3.000"});
    const auto b = LeerBases("\"" + std::string(1 << 20, 'N') + "\",1,2,3");
    ASSERT_EQ(b.filas.size(), 6u);
    EXPECT_EQ(b.filas[0].size(), size_t(1) << 20);
}

TEST(Textos, Utf8)
{
    EXPECT_EQ(TextoUtf8("abc"), "abc");
    EXPECT_EQ(TextoUtf8("\xC3\x91"), "\xC3\x91");
    EXPECT_EQ(TextoUtf8("\xD1"), "\xC3\x91");
    // Overlong and truncated forms are not UTF-8.
    EXPECT_EQ(TextoUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF");
    EXPECT_EQ(TextoUtf8("\xE2\x82"), "\xC3\xA2\xC2\x82");
}
