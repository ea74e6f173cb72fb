// Any bytes as a Nikon RAW download: every line is either read or listed with its reason,
// and the rows are observation rows that read back the same.
#include <cstdint>
#include <string_view>

#include "Comprobar.h"
#include "exchange/Descargas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    ComprobarDescarga(LeerNikonRaw(std::string_view(reinterpret_cast<const char*>(datos), largo)));
    return 0;
}
