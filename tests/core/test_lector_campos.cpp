// The one field reader of every text file: one row per quirk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/LectorCampos.h"

namespace {

using Campos = std::vector<std::string>;

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
    // The quirk, the text and every field until the reader fails.
    const std::tuple<const char*, std::string, Campos> casos[] = {
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
    for (const auto& [quirk, texto, campos] : casos)
        EXPECT_EQ(Leer(texto), campos) << quirk;
}

TEST(LectorCampos, FinSoloConBlancosYFinesDeLinea)
{
    LectorCampos lector("x\r\n  \r\n\r\n");
    std::string c;
    EXPECT_FALSE(lector.Fin());
    EXPECT_TRUE(lector.Leer(c) && lector.Fin());
    EXPECT_FALSE(lector.Leer(c));
    EXPECT_TRUE(c.empty());
}
