#include "core/Ficheros.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string DescripcionSistema(int codigo)
{
    return std::strerror(codigo);
}

ResultadoFichero Fallo(int codigo)
{
    return {false, DescripcionSistema(codigo)};
}

std::string Carpeta(const std::string& ruta)
{
    const size_t barra = ruta.rfind('/');
    if (barra == std::string::npos)
        return ".";
    return barra == 0 ? "/" : ruta.substr(0, barra);
}

std::string NombreSolo(const std::string& ruta)
{
    const size_t barra = ruta.rfind('/');
    return barra == std::string::npos ? ruta : ruta.substr(barra + 1);
}

// The file a path names: a symbolic link is followed, so that saving through
// a link replaces the file it points at and the link stays.
std::string Destino(const std::string& ruta)
{
    struct stat st {};
    if (lstat(ruta.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return ruta;
    if (char* real = realpath(ruta.c_str(), nullptr)) {
        std::string r(real);
        std::free(real);
        return r;
    }
    // A link to a file not yet there: the file is made where it points.
    char destino[PATH_MAX];
    const ssize_t n = readlink(ruta.c_str(), destino, sizeof destino - 1);
    if (n <= 0)
        return ruta;
    const std::string apunta(destino, static_cast<size_t>(n));
    return apunta.front() == '/' ? apunta : Carpeta(ruta) + "/" + apunta;
}

bool EscribirTodo(int fd, std::string_view datos, int& codigo)
{
    const char* p = datos.data();
    size_t quedan = datos.size();
    while (quedan > 0) {
        const ssize_t n = write(fd, p, quedan);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            codigo = errno;
            return false;
        }
        if (n == 0) {
            codigo = EIO;
            return false;
        }
        p += n;
        quedan -= static_cast<size_t>(n);
    }
    return true;
}

// A device or a pipe: written as it is, every write checked.
ResultadoFichero EscribirDispositivo(const std::string& ruta, std::string_view datos)
{
    const int fd = open(ruta.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return Fallo(errno);
    int codigo = 0;
    const bool bien = EscribirTodo(fd, datos, codigo);
    if (close(fd) != 0 && bien)
        return Fallo(errno);
    return bien ? ResultadoFichero{true, {}} : Fallo(codigo);
}

mode_t PermisosNuevos()
{
    const mode_t mascara = umask(0);
    umask(mascara);
    return 0666 & ~mascara;
}

void SincronizarCarpeta(const std::string& carpeta)
{
    const int fd = open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // The rename is already visible; a folder that cannot be synced (some
    // network file systems) does not undo the save.
    fsync(fd);
    close(fd);
}

} // namespace

ResultadoFichero EscribirFichero(const std::string& ruta, std::string_view datos)
{
    if (ruta.empty())
        return Fallo(ENOENT);
    const std::string destino = Destino(ruta);
    struct stat anterior {};
    const bool existe = stat(destino.c_str(), &anterior) == 0;
    if (existe && S_ISDIR(anterior.st_mode))
        return {false, "Es una carpeta, no un fichero."};
    if (existe && !S_ISREG(anterior.st_mode))
        return EscribirDispositivo(destino, datos);

    const std::string carpeta = Carpeta(destino);
    std::string temporal = carpeta + "/." + NombreSolo(destino) + ".XXXXXX";
    const int fd = mkostemp(&temporal[0], O_CLOEXEC);
    if (fd < 0) {
        const int codigo = errno;
        return {false, "No se puede crear un fichero temporal en la carpeta " + carpeta + " (" +
                           DescripcionSistema(codigo) + "); el fichero no se ha tocado."};
    }
    // The new file keeps the old one's permissions and, where allowed, its owner.
    if (existe) {
        fchmod(fd, anterior.st_mode & 07777);
        if (fchown(fd, anterior.st_uid, anterior.st_gid) != 0) {
            // Only the owner's own files can be given away; the new file stays ours.
        }
    } else {
        fchmod(fd, PermisosNuevos());
    }

    int codigo = 0;
    bool bien = EscribirTodo(fd, datos, codigo);
    if (bien && fsync(fd) != 0) {
        codigo = errno;
        bien = false;
    }
    if (close(fd) != 0 && bien) {
        codigo = errno;
        bien = false;
    }
    if (bien && rename(temporal.c_str(), destino.c_str()) != 0) {
        codigo = errno;
        bien = false;
    }
    if (!bien) {
        unlink(temporal.c_str());
        return Fallo(codigo);
    }
    SincronizarCarpeta(carpeta);
    return {true, {}};
}

ResultadoFichero LeerFichero(const std::string& ruta, std::string& datos)
{
    datos.clear();
    const int fd = open(ruta.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Fallo(errno);
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        close(fd);
        return {false, "Es una carpeta, no un fichero."};
    }
    if (S_ISREG(st.st_mode) && st.st_size > 0)
        datos.reserve(static_cast<size_t>(st.st_size));
    char bloque[65536];
    for (;;) {
        const ssize_t n = read(fd, bloque, sizeof bloque);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int codigo = errno;
            close(fd);
            return Fallo(codigo);
        }
        if (n == 0)
            break;
        datos.append(bloque, static_cast<size_t>(n));
    }
    close(fd);
    return {true, {}};
}
