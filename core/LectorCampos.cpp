#include "core/LectorCampos.h"

namespace {

bool EsBlanco(char c)
{
    return c == ' ' || c == '\t';
}

bool EsFinLinea(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

LectorCampos::LectorCampos(std::string_view texto) : t_(texto)
{
    if (t_.substr(0, 3) == "\xEF\xBB\xBF")
        pos_ = 3;
}

bool LectorCampos::Fin() const
{
    size_t i = pos_;
    while (i < t_.size() && (EsBlanco(t_[i]) || EsFinLinea(t_[i])))
        ++i;
    return i >= t_.size();
}

bool LectorCampos::Leer(std::string_view& campo)
{
    campo = {};
    const size_t n = t_.size();
    const char* t = t_.data();
    // After a comma only blanks go: a line end there closes an empty field.
    if (trasComa_) {
        while (pos_ < n && EsBlanco(t[pos_]))
            ++pos_;
    } else {
        while (pos_ < n && (EsBlanco(t[pos_]) || EsFinLinea(t[pos_])))
            ++pos_;
    }
    if (pos_ >= n)
        return false;

    if (t[pos_] == '"') {
        const size_t inicio = pos_ + 1;
        size_t i = inicio;
        while (i < n && t[i] != '"' && !EsFinLinea(t[i]))
            ++i;
        campo = t_.substr(inicio, i - inicio);
        pos_ = i;
        if (pos_ < n && t[pos_] == '"') {
            ++pos_;
            while (pos_ < n && t[pos_] != ',' && !EsFinLinea(t[pos_]))
                ++pos_;
        }
    } else {
        const size_t inicio = pos_;
        size_t i = inicio;
        // Nearly every byte of a long file passes here: one compare first.
        while (i < n && (static_cast<unsigned char>(t[i]) > ',' || (t[i] != ',' && !EsFinLinea(t[i]))))
            ++i;
        size_t fin = i;
        while (fin > inicio && EsBlanco(t[fin - 1]))
            --fin;
        campo = t_.substr(inicio, fin - inicio);
        pos_ = i;
    }

    // The separator that closes the field.
    trasComa_ = false;
    if (pos_ < n) {
        if (t[pos_] == ',') {
            trasComa_ = true;
            ++pos_;
        } else if (t[pos_] == '\r') {
            ++pos_;
            if (pos_ < n && t[pos_] == '\n')
                ++pos_;
        } else if (t[pos_] == '\n') {
            ++pos_;
        }
    }
    return true;
}

bool LectorCampos::Leer(std::string& campo)
{
    std::string_view v;
    const bool bien = Leer(v);
    campo.assign(v.data(), v.size());
    return bien;
}
