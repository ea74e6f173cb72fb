// GSI downloads written by hand from the format's public description, with
// the observation rows converted by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Ficheros.h"
#include "core/FicherosTexto.h"
#include "exchange/Gsi.h"

TEST(LeerGsi, CadaUnidadYAmbasLongitudes)
{
    const std::string texto =
        // GSI-8: grads and metres (1 mm).
        "110001+00000001 21.022+16641826 22.022+09876543 31..00+00045179 87..10+00001500\r\n"
        // Decimal degrees, US survey feet; the reflector height carries on.
        "110002+00000002 21.023+04550000 22.023+09000000 31..01+01000000\r\n"
        // Sexagesimal 123 45 12.0 and 90 00 00.0, international feet.
        "110003+00000003 21.024+12345120 22.024+09000000 31..07+10000000\r\n"
        // Mils, metre with 1/10 mm and a new reflector height in 1/100 mm.
        "110004+00000004 21.025+16000000 22.025+04000000 31..06+00451790 87..18+00130000\r\n"
        // GSI-16 in the same file, metre with 1/100 mm, no distance.
        "*110005+0000000000000005 21.022+0000000039999999 22.022+0000000010000000\r\n"
        "*110006+0000000000000006 21.022+0000000000000000 22.022+0000000010000000 31..08+0000000004517900\r\n";
    const LecturaGsi r = LeerGsi(texto);
    EXPECT_TRUE(r.noLeidas.empty());
    const std::vector<std::string> filas = {
        "1 166.4183 98.7654 45.179 1.500",
        "2 50.5556 100.0000 304.801 1.500",   // 45.5 deg; 1000 US ft = 304.8006 m
        "3 137.5037 100.0000 304.800 1.500",  // 123.753333 deg; 1000 ft = 304.8 m
        "4 100.0000 25.0000 45.179 1.300",    // 1600 and 400 mils
        "5 400.0000 100.0000 0.000 1.300",    // 399.99999 shows 400.0000, as a typed value would
        "6 0.0000 100.0000 45.179 1.300",
    };
    EXPECT_EQ(r.filas, filas);
}

TEST(LeerGsi, EstacionYLineasQueNoSeLeen)
{
    std::string texto = "410001+0000TREE 42....+000004.5\n"                                    // code only: passed over
                        "110100+00000100 84..10+36241537 85..10+57123684 86..10+00612480 88..10+00001562\n"
                        "110001+00000001 21.022+1664X826 22.022+09876543\n"                // bad digit
                        "110002+0000ABCD 21.022+16641826 22.022+09876543\n"                // an ID without digits
                        "110003+00000003 21.029+16641826 22.022+09876543\n"                // unknown unit
                        "110004+00000004 21.022+16641826 22.022+0987654\n"                 // short word
                        "110005+00000005 22.022+09876543 31..00+00045179\n"                // no Hz
                        "110006+00000006 21.022+00000000 22.022+10000000\n";
    const LecturaGsi r = LeerGsi(texto);
    ASSERT_EQ(r.estaciones.size(), 1u);
    EXPECT_EQ(r.estaciones[0].linea, 2);
    EXPECT_EQ(r.estaciones[0].numero, "100");
    EXPECT_TRUE(r.estaciones[0].tieneAltura);
    EXPECT_DOUBLE_EQ(r.estaciones[0].alturaInstrumento, 1.562);
    EXPECT_EQ(r.filas, std::vector<std::string>{"6 0.0000 100.0000 0.000 0.000"});
    std::vector<long> lineas;
    for (const LineaNoLeida& l : r.noLeidas)
        lineas.push_back(l.linea);
    EXPECT_EQ(lineas, (std::vector<long>{3, 4, 5, 6, 7}));
    EXPECT_EQ(r.noLeidas[1].motivo, "el identificador de punto «0000ABCD» no tiene cifras que den su número");
    EXPECT_EQ(r.noLeidas[2].motivo, "unidad «9» no válida en la palabra 21");

    const std::string mensaje = MensajeNoLeidas(r.noLeidas);
    EXPECT_EQ(mensaje.rfind("No se pudieron leer 5 líneas del fichero; se ha cargado todo lo demás.\n\nLínea 3: ", 0),
              0u)
        << mensaje;
    std::vector<LineaNoLeida> muchas(12, {9, "x"});
    const std::string largo = MensajeNoLeidas(muchas);
    EXPECT_EQ(largo.substr(largo.size() - 10), "\ny 2 más.");
    EXPECT_EQ(MensajeNoLeidas({}), "");
}

TEST(LeerGsi, EjemploIgualQueSuFicheroDeObservaciones)
{
    std::string gsi, txt;
    ASSERT_TRUE(LeerFichero(CV_EJEMPLOS "/taquimetrico.gsi", gsi).ok);
    ASSERT_TRUE(LeerFichero(CV_EJEMPLOS "/taquimetrico.txt", txt).ok);
    const LecturaGsi r = LeerGsi(gsi);
    EXPECT_TRUE(r.noLeidas.empty());
    EXPECT_EQ(r.filas, LeerObservaciones(txt).filas);
    std::string soloCr; // the same download with its blocks ended by CR alone
    for (char c : gsi)
        if (c != '\r')
            soloCr += c == '\n' ? '\r' : c;
    EXPECT_EQ(LeerGsi(soloCr).filas, r.filas);
    ASSERT_EQ(r.estaciones.size(), 2u);
    EXPECT_EQ(r.estaciones[1].numero, "E2");
    EXPECT_DOUBLE_EQ(r.estaciones[1].alturaInstrumento, 1.498);
}

// As instruments write it: lettered IDs keep their last digits, blocks end in
// CR alone, a GSI-16 block starts with "*" and empty words are blank-padded.
TEST(LeerGsi, ComoLoEscribenLosInstrumentos)
{
    const std::string texto = "*110001+00000000GDEM5415 21.022+0000000016641826 22.022+0000000009876543 "
                              "31..00+0000000000045179 87..10+0000000000001500 \r"
                              "110002+0000P12A 21.022+16641826 22.022+09876543 31..00+         87..10+        \r\r"
                              "110003+00000003 21.022+16641826 22.022+09876543\n\r\n"
                              "110004+0000DEMO 21.022+16641826 22.022+09876543\r";
    const LecturaGsi r = LeerGsi(texto);
    const std::vector<std::string> filas = {"5415 166.4183 98.7654 45.179 1.500", "12 166.4183 98.7654 0.000 1.500",
                                            "3 166.4183 98.7654 0.000 1.500"};
    EXPECT_EQ(r.filas, filas);
    ASSERT_EQ(r.noLeidas.size(), 1u);
    EXPECT_EQ(r.noLeidas[0].linea, 6); // CR, CR CR, LF CR LF: lines 1, 2-3, 4-5
    EXPECT_EQ(r.acortados.cuantos, 2);
    EXPECT_EQ(MensajeAcortados(r.acortados),
              "2 identificadores de punto llevaban letras y se acortaron a sus últimas cifras "
              "(GDEM5415 pasa a ser 5415).");
}
