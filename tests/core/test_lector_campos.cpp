// The one field reader of every text file: one row per quirk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/LectorCampos.h"

namespace {

using Campos = std::vector<std::string>;

struct Caso {
    const char* quirk;
    std::string texto;
    Campos campos; // every field until the reader fails
};

Campos Leer(const std::string& texto)
{
    LectorCampos lector(texto);
    Campos r;
    std::string c;
    while (lector.Leer(c))
        r.push_back(c);
    return r;
}

} // namespace

TEST(LectorCampos, UnaFilaPorRareza)
{
    const Caso casos[] = {
        {"byte order mark", "\xEF\xBB\xBF\"P1\",2", {"P1", "2"}},
        {"blanks before a field", "  a,\t b", {"a", "b"}},
        {"empty lines between records", "\r\n\r\n  \r\na\n\n\nb", {"a", "b"}},
        {"quotes keep commas", "\"a,b\",c", {"a,b", "c"}},
        {"inner blanks of a quoted field stay", "\" P \"", {" P "}},
        {"text after the closing quote", "\"P 1\"xyz,2", {"P 1", "2"}},
        {"quote not closed on its line", "\"abc,def\nx", {"abc,def", "x"}},
        {"blanks at the end of a bare field", "c  ,d\t\r\n", {"c", "d"}},
        {"comma before a line end", "1,,3,\n5", {"1", "", "3", "", "5"}},
        {"comma at the very end of the text", "a,", {"a"}},
        {"CR LF, LF and lone CR", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"nothing but blanks", " \r\n\t", {}},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(Leer(c.texto), c.campos) << c.quirk;
}

TEST(LectorCampos, FinSoloConBlancosYFinesDeLinea)
{
    LectorCampos lector("x\r\n  \r\n\r\n");
    std::string c;
    EXPECT_FALSE(lector.Fin());
    EXPECT_TRUE(lector.Leer(c));
    EXPECT_TRUE(lector.Fin());
    EXPECT_FALSE(lector.Leer(c));
    EXPECT_TRUE(c.empty());
}
