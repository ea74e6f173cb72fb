#pragma once
// The DXF drawings' common part: dxflib's writer sending its group codes and
// values to a text (so that the drawing goes to disk through the program's
// own writer), and the sections every drawing has around its entities.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <dxflib/dl_dxf.h>
#include <dxflib/dl_writer_ascii.h>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// dxflib's writer (AutoCAD 2000), appending to the given text.
class EscritorDxf : public DL_WriterA {
public:
    explicit EscritorDxf(std::string& salida) : DL_WriterA("", DL_Codes::AC1015), s_(salida) {}

    void dxfReal(int gc, double valor) const override
    {
        Codigo(gc);
        char buf[40];
        const auto r = std::to_chars(buf, buf + sizeof buf, std::isfinite(valor) ? valor : 0.0);
        const std::string_view v(buf, static_cast<size_t>(r.ptr - buf));
        s_ += v;
        if (v.find_first_of(".e") == std::string_view::npos)
            s_ += ".0";
        s_ += '\n';
    }
    void dxfInt(int gc, int valor) const override
    {
        Codigo(gc);
        char buf[16];
        const auto r = std::to_chars(buf, buf + sizeof buf, valor);
        s_.append(buf, r.ptr);
        s_ += '\n';
    }
    void dxfHex(int gc, int valor) const override
    {
        Codigo(gc);
        char buf[16];
        std::snprintf(buf, sizeof buf, "%X\n", static_cast<unsigned>(valor));
        s_ += buf;
    }
    void dxfString(int gc, const char* valor) const override { Cadena(gc, valor ? valor : ""); }
    void dxfString(int gc, const std::string& valor) const override { Cadena(gc, valor); }

private:
    void Cadena(int gc, std::string_view valor) const
    {
        Codigo(gc);
        // Letters beyond ASCII travel as DXF's \U+XXXX, which every reader
        // takes whatever its code page.
        for (size_t i = 0; i < valor.size();) {
            const auto c = static_cast<unsigned char>(valor[i]);
            if (c < 0x80) {
                s_ += c == '\n' || c == '\r' ? ' ' : static_cast<char>(c);
                ++i;
                continue;
            }
            const size_t largo = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            unsigned cp = largo == 1 ? c : c & (0xFFu >> (largo + 1));
            for (size_t k = 1; k < largo && i + k < valor.size(); ++k)
                cp = (cp << 6) | (static_cast<unsigned char>(valor[i + k]) & 0x3Fu);
            char buf[16];
            std::snprintf(buf, sizeof buf, "\\U+%04X", cp);
            s_ += buf;
            i += largo;
        }
        s_ += '\n';
    }

    // The group code right-aligned in three places, as DXF files show it.
    void Codigo(int gc) const
    {
        char buf[16];
        const auto r = std::to_chars(buf, buf + sizeof buf, gc);
        const auto largo = static_cast<size_t>(r.ptr - buf);
        if (largo < 3)
            s_.append(3 - largo, ' ');
        s_.append(buf, largo);
        s_ += '\n';
    }
    std::string& s_;
};


// A layer: its name, colour (AutoCAD's index) and line weight (hundredths of
// a millimetre).
struct CapaDxf {
    const char* nombre;
    int color;
    int grosor = 100;
};

// Header, tables (with the given layers, and a block
// record for each extra block) and the opening of the BLOCKS section with the
// model and paper spaces: the caller writes its own blocks, ends the section
// and opens ENTITIES.
void EmpezarDxf(DL_Dxf& dxf, EscritorDxf& dw, const std::vector<CapaDxf>& capas,
                const std::vector<const char*>& bloques, double alturaTexto);

// Ends the ENTITIES section and the drawing.
void TerminarDxf(DL_Dxf& dxf, EscritorDxf& dw);
