// The file writer under real failures, for every kind of file the program
// writes: a full disk (a child process with a small file-size limit, and
// /dev/full), and a folder where nothing may be written. Whatever fails, the
// old file must stay byte for byte and nothing may be left beside it.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "core/Configuracion.h"
#include "core/Ficheros.h"
#include "core/FicherosTexto.h"
#include "traverse/Poligonal.h"

namespace {

// A folder of its own for each test, removed afterwards.
class Carpeta {
public:
    Carpeta()
    {
        char plantilla[] = "/tmp/cv-ficheros-XXXXXX";
        ruta_ = mkdtemp(plantilla);
        chmod(ruta_.c_str(), 0755); // reachable by the unprivileged child of the permission tests
    }
    ~Carpeta()
    {
        chmod(ruta_.c_str(), 0755);
        std::filesystem::remove_all(ruta_);
    }
    std::string operator/(const std::string& nombre) const { return ruta_ + "/" + nombre; }
    const std::string& Ruta() const { return ruta_; }
    std::vector<std::string> Nombres() const
    {
        std::vector<std::string> r;
        for (const auto& e : std::filesystem::directory_iterator(ruta_))
            r.push_back(e.path().filename().string());
        return r;
    }

private:
    std::string ruta_;
};

std::string Contenido(const std::string& ruta)
{
    std::string datos;
    return LeerFichero(ruta, datos).ok ? datos : "<no se pudo leer>";
}

// Runs the write in a child process, under a file-size limit (0: none) and,
// when asked, without root's privileges; its result comes back by a pipe.
ResultadoFichero EnHijo(const std::function<ResultadoFichero()>& escribir, rlim_t limite, bool sinPrivilegios)
{
    int tubo[2];
    if (pipe(tubo) != 0)
        return {false, "pipe"};
    const pid_t pid = fork();
    if (pid == 0) {
        close(tubo[0]);
        if (sinPrivilegios && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        if (limite > 0) {
            // Past the limit write() fails with EFBIG instead of a signal.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit l{limite, limite};
            setrlimit(RLIMIT_FSIZE, &l);
        }
        const ResultadoFichero r = escribir();
        const std::string mensaje = (r.ok ? "1" : "0") + r.descripcion;
        const ssize_t escritos = write(tubo[1], mensaje.data(), mensaje.size());
        _exit(escritos == static_cast<ssize_t>(mensaje.size()) ? 0 : 3);
    }
    close(tubo[1]);
    std::string mensaje;
    char b[256];
    for (ssize_t n; (n = read(tubo[0], b, sizeof b)) > 0;)
        mensaje.append(b, static_cast<size_t>(n));
    close(tubo[0]);
    int estado = 0;
    waitpid(pid, &estado, 0);
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0 || mensaje.empty())
        return {false, "el proceso hijo no terminó bien"};
    return {mensaje[0] == '1', mensaje.substr(1)};
}

// One kind of file: its name and the bytes its writer makes, old and new.
struct Clase {
    std::string nombre, antiguo, nuevo;
};

std::vector<Clase> Clases()
{
    const objPto be{"P-2", 1000, 1000, 100}, bo{"P-1", 1000, 1100, 100};
    colEstaciones una(1);
    una[0].objBE = be, una[0].objBO = bo;
    una[0].Radiar();
    colEstaciones muchas(40, una[0]);
    const auto base = FilasBase("A", 1, 2, 3);
    const std::vector<std::string> pocas(base.begin(), base.end());
    std::vector<std::string> filas;
    for (int i = 0; i < 200; ++i)
        for (const std::string& f : FilasBase("B" + std::to_string(i), 1000 + i, 2000 + i, 100))
            filas.push_back(f);
    const std::vector<std::string> puntos(200, "12 1000.000 2000.000 100.000");
    return {{"poligonal.pol", EscribirPol(be, bo, una), EscribirPol(be, bo, muchas)},
            {"bases.bse", EscribirBases(pocas), EscribirBases(filas)},
            {"exportada.bse", EscribirExportacion(be, bo, una), EscribirExportacion(be, bo, muchas)},
            {"puntos.asc", EscribirPuntos({puntos[0]}), EscribirPuntos(puntos)},
            {"tense.tse", EscribirTense({"", puntos[0]}), EscribirTense(puntos)}};
}

} // namespace

TEST(EscribirFichero, ReemplazaEnteroYConservaPermisos)
{
    Carpeta c;
    const std::string ruta = c / "bases.bse";
    ASSERT_TRUE(EscribirFichero(ruta, "viejo y largo").ok);
    chmod(ruta.c_str(), 0640);
    const ResultadoFichero r = EscribirFichero(ruta, "nuevo");
    ASSERT_TRUE(r.ok) << r.descripcion;
    EXPECT_EQ(Contenido(ruta), "nuevo");
    EXPECT_EQ(std::filesystem::status(ruta).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(c.Nombres(), std::vector<std::string>{"bases.bse"});

    // Through a link, the file it points at is replaced and the link stays.
    ASSERT_EQ(symlink("bases.bse", (c / "enlace.bse").c_str()), 0);
    ASSERT_TRUE(EscribirFichero(c / "enlace.bse", "por el enlace").ok);
    EXPECT_EQ(Contenido(ruta), "por el enlace");
    EXPECT_TRUE(std::filesystem::is_symlink(c / "enlace.bse"));

    // A folder is not a file.
    EXPECT_EQ(EscribirFichero(c.Ruta(), "x").descripcion, "Es una carpeta, no un fichero.");
}

TEST(EscribirFichero, DiscoLlenoDejaElFicheroAntiguo)
{
    for (const Clase& k : Clases()) {
        Carpeta c;
        const std::string ruta = c / k.nombre;
        ASSERT_TRUE(EscribirFichero(ruta, k.antiguo).ok);
        ASSERT_GT(k.nuevo.size(), k.antiguo.size() + 1);
        // The write stops with EFBIG one byte past the old file's size.
        const ResultadoFichero r =
            EnHijo([&] { return EscribirFichero(ruta, k.nuevo); }, k.antiguo.size() + 1, false);
        EXPECT_FALSE(r.ok) << k.nombre;
        EXPECT_EQ(r.descripcion, std::strerror(EFBIG)) << k.nombre;
        EXPECT_EQ(Contenido(ruta), k.antiguo) << k.nombre;
        EXPECT_EQ(c.Nombres(), std::vector<std::string>{k.nombre}) << k.nombre;
    }
}

TEST(EscribirFichero, DispositivoLlenoInformaDelFallo)
{
    Carpeta c;
    const std::string ruta = c / "poligonal.pol";
    ASSERT_EQ(symlink("/dev/full", ruta.c_str()), 0);
    const ResultadoFichero r = EscribirFichero(ruta, Clases()[0].nuevo);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.descripcion, std::strerror(ENOSPC));
    EXPECT_EQ(c.Nombres(), std::vector<std::string>{"poligonal.pol"});
}

TEST(EscribirFichero, CarpetaSinPermisoNiSeToca)
{
    for (const Clase& k : Clases()) {
        Carpeta c;
        const std::string ruta = c / k.nombre;
        ASSERT_TRUE(EscribirFichero(ruta, k.antiguo).ok);
        chmod(ruta.c_str(), 0666);
        chmod(c.Ruta().c_str(), 0555);
        const ResultadoFichero r = EnHijo([&] { return EscribirFichero(ruta, k.nuevo); }, 0, true);
        EXPECT_FALSE(r.ok) << k.nombre;
        // The file itself could be written in place, but never is.
        EXPECT_EQ(r.descripcion.rfind("No se puede crear un fichero temporal en la carpeta " + c.Ruta(), 0), 0u)
            << r.descripcion;
        EXPECT_NE(r.descripcion.find(std::strerror(EACCES)), std::string::npos) << r.descripcion;
        EXPECT_EQ(Contenido(ruta), k.antiguo) << k.nombre;
        EXPECT_EQ(c.Nombres(), std::vector<std::string>{k.nombre}) << k.nombre;
    }
}

TEST(EscribirFichero, ConfiguracionConDiscoLleno)
{
    Carpeta c;
    FijarCarpetaPrograma(c.Ruta());
    Configuracion cfg{0.08, 0};
    GuardarConfiguracion(cfg);
    ASSERT_EQ(cfg.Estado, 0);
    const std::string antiguo = Contenido(RutaConfiguracion());
    const ResultadoFichero r = EnHijo(
        [] {
            Configuracion nueva{0.15, 0};
            GuardarConfiguracion(nueva);
            return ResultadoFichero{nueva.Estado == 0, {}};
        },
        4, false);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Contenido(RutaConfiguracion()), antiguo);
    EXPECT_EQ(c.Nombres(), std::vector<std::string>{"config.cvr"});
    FijarCarpetaPrograma(".");
}
