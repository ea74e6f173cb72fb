#pragma once
// The field reader of every text file the program reads: traverse files,
// bases files, points files and observation files.
//
// How it reads, one quirk a row:
//
// | the text holds                       | the reader                                      |
// |--------------------------------------|-------------------------------------------------|
// | a byte order mark at the start       | skips it: it is not data                        |
// | blanks (spaces, tabs) before a field | skips them                                      |
// | empty lines between records          | skips them                                      |
// | a field in double quotes             | drops the quotes; commas inside belong to it    |
// | text after the closing quote         | drops it, up to the comma or line end           |
// | a quote not closed on its line       | ends the field at the line end, so one bad line |
// |                                      | cannot swallow the rest of the file             |
// | blanks at the end of a bare field    | drops them                                      |
// | a comma right before a line end      | reads an empty field there: the comma closes    |
// |                                      | one field and opens the next                    |
// | a comma at the very end of the text  | announces nothing: no data is left              |
// | CR LF, LF or a lone CR               | each is one line end                            |
// | no data left when a field is asked   | fails                                           |
#include <string>
#include <string_view>

class LectorCampos {
public:
    explicit LectorCampos(std::string_view texto);

    // True when only blanks and line ends are left.
    bool Fin() const;
    // The next field, a view into the text; false (and the field empty) when
    // no data is left.
    bool Leer(std::string_view& campo);
    bool Leer(std::string& campo);

private:
    std::string_view t_;
    size_t pos_ = 0;
    bool trasComa_ = false;
};
