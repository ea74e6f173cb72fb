#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/Configuracion.h"

namespace fs = std::filesystem;

namespace {

class FicheroConfiguracion : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* prueba = ::testing::UnitTest::GetInstance();
        carpeta_ = fs::temp_directory_path() /
                   ("cv_cfg_" + std::to_string(prueba->random_seed()) + prueba->current_test_info()->name());
        fs::remove_all(carpeta_);
        fs::create_directories(carpeta_);
        FijarCarpetaPrograma(carpeta_.string());
    }
    void TearDown() override { fs::remove_all(carpeta_); }

    std::string Bytes() const
    {
        std::ifstream f(RutaConfiguracion(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    void Escribir(const std::string& bytes) const
    {
        std::ofstream f(RutaConfiguracion(), std::ios::binary);
        f << bytes;
    }

    fs::path carpeta_;
};

} // namespace

TEST_F(FicheroConfiguracion, SinFicheroLaLecturaFalla)
{
    Configuracion c;
    c.K = 0.3;
    LeerConfiguracion(c);
    EXPECT_EQ(c.Estado, -1);
    EXPECT_EQ(c.K, 0.3);
    EXPECT_FALSE(ConfiguracionValida(c));
    // A file shorter than the value is a failed read too.
    Escribir("\x7B\x14\xAE");
    Configuracion corto;
    LeerConfiguracion(corto);
    EXPECT_EQ(corto.Estado, -1);
}

TEST_F(FicheroConfiguracion, ValorPorDefectoByteAByte)
{
    Configuracion c;
    LeerConfiguracion(c);
    c.K = 0.08;
    GuardarConfiguracion(c);
    EXPECT_EQ(c.Estado, 0);
    const std::string esperado("\x7B\x14\xAE\x47\xE1\x7A\xB4\x3F\xFF\xFF\xFF\xFF", 12);
    EXPECT_EQ(Bytes(), esperado);
}

TEST_F(FicheroConfiguracion, GuardarYLeer)
{
    Configuracion c{0.13, 0};
    GuardarConfiguracion(c);
    EXPECT_EQ(Bytes().size(), 12u);
    Configuracion l;
    LeerConfiguracion(l);
    EXPECT_EQ(l.K, 0.13);
    EXPECT_EQ(l.Estado, 0);
    EXPECT_TRUE(ConfiguracionValida(l));
}

TEST_F(FicheroConfiguracion, ConservaLosBytesPosteriores)
{
    Escribir(std::string(20, 'x'));
    Configuracion c{0.5, 0};
    GuardarConfiguracion(c);
    const std::string b = Bytes();
    ASSERT_EQ(b.size(), 20u);
    EXPECT_EQ(b.substr(12), std::string(8, 'x'));
}

TEST_F(FicheroConfiguracion, CarpetaInexistenteNoSePuedeEscribir)
{
    FijarCarpetaPrograma((carpeta_ / "no" / "existe").string());
    Configuracion c{0.08, 0};
    GuardarConfiguracion(c);
    EXPECT_EQ(c.Estado, -1);
}

TEST(ValidarConfiguracion, Rango)
{
    for (double k : {0.08, 0.5, 0.075})
        EXPECT_TRUE(ConfiguracionValida({k, 0})) << k;
    for (double k : {0.0, -0.1, 0.5000001, std::nan("")})
        EXPECT_FALSE(ConfiguracionValida({k, 0})) << k;
    EXPECT_FALSE(ConfiguracionValida({0.08, -1}));
}

TEST(ValidarConfiguracion, TextoInfo)
{
    EXPECT_EQ(TextoInfo(0.08), "K=0.08");
    EXPECT_EQ(TextoInfo(0.075), "K=0.08");
    EXPECT_EQ(TextoInfo(0.5), "Sin corrección de esfericidad-refracción");
}
