#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "core/Configuracion.h"

namespace {

std::string Bytes()
{
    std::ifstream f(RutaConfiguracion(), std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

void Escribir(const std::string& bytes) { std::ofstream(RutaConfiguracion(), std::ios::binary) << bytes; }

} // namespace

TEST(FicheroConfiguracion, LeerYGuardar)
{
    const auto carpeta = std::filesystem::temp_directory_path() / ("cv_cfg_" + std::to_string(getpid()));
    std::filesystem::create_directories(carpeta);
    FijarCarpetaPrograma(carpeta.string());
    // No file, then a file shorter than the record: the read fails and K stays.
    for (const char* corto : {"", "\x7B\x14\xAE"}) {
        if (*corto)
            Escribir(corto);
        Configuracion c{0.3, 0};
        LeerConfiguracion(c);
        EXPECT_TRUE(c.Estado == -1 && c.K == 0.3) << corto;
    }
    // The fallback's record after a failed read: 0.08 and Estado -1, byte by byte.
    Configuracion c{0.08, -1};
    GuardarConfiguracion(c);
    EXPECT_EQ(c.Estado, 0);
    EXPECT_EQ(Bytes(), std::string("\x7B\x14\xAE\x47\xE1\x7A\xB4\x3F\xFF\xFF\xFF\xFF", 12));
    // Written and read back; bytes past the record stay as they were.
    Escribir(std::string(20, 'x'));
    Configuracion nueva{0.13, 0}, leida;
    GuardarConfiguracion(nueva);
    LeerConfiguracion(leida);
    EXPECT_TRUE(leida.K == 0.13 && leida.Estado == 0) << leida.K << " " << leida.Estado;
    EXPECT_EQ(Bytes().substr(8), std::string(4, '\0') + std::string(8, 'x'));
    std::filesystem::remove_all(carpeta);
    FijarCarpetaPrograma(".");
}

TEST(FicheroConfiguracion, ValidezYTexto)
{
    const std::pair<Configuracion, bool> casos[] = {
        {{0.08, 0}, true},  {{0.5, 0}, true},        {{0.075, 0}, true},          {{0.0, 0}, false},
        {{-0.1, 0}, false}, {{0.5000001, 0}, false}, {{std::nan(""), 0}, false}, {{0.08, -1}, false}};
    for (const auto& [cfg, valida] : casos)
        EXPECT_EQ(ConfiguracionValida(cfg), valida) << cfg.K << " " << cfg.Estado;
    EXPECT_EQ(TextoInfo(0.075), "K=0.08");
}
