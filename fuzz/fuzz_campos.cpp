// Any bytes through the one field reader: the fields it gives, written back
// each in double quotes, read back as the same fields.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Comprobar.h"
#include "core/LectorCampos.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const std::string_view texto(reinterpret_cast<const char*>(datos), largo);
    LectorCampos lector(texto);
    std::vector<std::string> campos;
    std::string c;
    while (lector.Leer(c)) {
        COMPROBAR(c.find_first_of("\r\n") == std::string::npos);
        // A quote inside a field cannot travel inside quotes.
        if (c.find('"') != std::string::npos)
            return 0;
        campos.push_back(c);
    }
    COMPROBAR(lector.Fin());
    std::string escrito;
    for (size_t i = 0; i < campos.size(); ++i)
        escrito += '"' + campos[i] + '"' + (i % 4 == 3 ? "\r\n" : ",");
    LectorCampos otro(escrito);
    for (const std::string& esperado : campos) {
        COMPROBAR(otro.Leer(c));
        COMPROBAR(c == esperado);
    }
    COMPROBAR(otro.Fin());
    return 0;
}
