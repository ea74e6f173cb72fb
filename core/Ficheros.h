#pragma once
// The program's only way of putting a file on disk, and its way of reading
// one whole.
//
// A file is never written in place: the new bytes go to a temporary file in
// the destination's folder; every write, the sync to disk and the close are
// checked, and only then does the temporary file take the old one's name.
// Whatever fails, the old file is left byte for byte as it was and the
// temporary file is removed. A destination that is not a regular file (a
// device such as a printer port) has nothing to lose and is written directly,
// every write checked.
#include <string>
#include <string_view>

struct ResultadoFichero {
    bool ok = false;
    // Why it failed, in the system's words (the text that follows the
    // operation's message).
    std::string descripcion;
};

// Puts the bytes in the file at the path, replacing it whole.
ResultadoFichero EscribirFichero(const std::string& ruta, std::string_view datos);

// Reads the whole file at the path into `datos`.
ResultadoFichero LeerFichero(const std::string& ruta, std::string& datos);
