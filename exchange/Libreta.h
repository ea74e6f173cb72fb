#pragma once
// A traverse measured with a data collector, read into what the traverse
// sheet holds: the two starting vertices and the stations with their slots
// 1..14 (traverse/Poligonal.h, core/objEstacion.h).
//
// Carlson RW5 (comma records, each field a one- or two-letter code and its
// value):
//   MO  units: AU0 sexagesimal degrees DDD.MMSS, AU1 grads; UN0 feet
//       (0.3048 m), UN1 metres, UN2 US survey feet. Without an MO record
//       the file is taken in metres and sexagesimal degrees.
//   OC  a set-up: OP the station, N E EL its coordinates (when given).
//   BK  its backsight: OP, BP the back point.
//   SP  a point with coordinates: PN, N, E, EL.
//   LS  HI instrument height, HR rod (signal) height, kept until changed.
//   BD BR FD FR  backsight direct/reverse and foresight direct/reverse:
//       OP, FP, the horizontal reading (AR angle right or AZ azimuth; AL
//       angle left is 400 minus it), ZE zenith angle (or VA from the
//       horizon), SD slope distance (or HD with the zenith angle).
//   TR  a foresight without faces, taken as the direct face.
// GSI (exchange/Gsi.h): a station record (word 11 the station, 84 to 86 its
//   E N H, 88 the instrument height) starts a set-up; a block with 11 and 81
//   to 83 and no angles gives a point's E N H; each observation (21, 22,
//   31, 87) is a reading of the face its zenith angle shows (over 200 the
//   reverse face). The back point of a set-up is the station before it (for
//   the first, the first point it sights); the forward point is the station
//   after it (for the last, the first other point it sights).
//
// Station i of the sheet is the i-th set-up with forward readings: slots 1
// and 2 the first direct and reverse readings to the back point, 3 to 6 the
// first direct and reverse Hz and V to the forward point, 7 the mean of the
// forward slope distances, 8 the set-up's instrument height, 9 the signal
// height of the forward readings. Its reciprocal (slots 10 to 14) is the
// backsight of the next set-up when that set-up stands on the forward point
// and sights this station: its V direct and reverse, mean slope distance,
// instrument height and signal height. A face not measured is taken as the
// other face turned over (Hz + 200, 400 - V), and said so.
#include <string>
#include <string_view>
#include <vector>

#include "core/objPto.h"
#include "core/objEstacion.h"

struct LecturaLibreta {
    bool ok = false;   // false: nothing for the sheet; `error` says why
    std::string error; // one sentence, e.g. "El fichero no tiene ninguna estación con lecturas hacia delante."
    objPto BE;         // station vertex of station 1 (the first set-up)
    objPto BO;         // its orientation vertex (the first backsight)
    std::vector<objEstacion> estaciones; // slots 1..14, names of objBE/objBO/objBV set; nothing computed yet
    std::vector<objPto> coordenadas; // every point the file gives coordinates for (metres)
    // What the sheet cannot hold or what was assumed, one sentence each,
    // e.g. "Línea 14: radiación de E-1 a 101 (SS)."
    std::vector<std::string> sinCabida;
};

// The filter of the import dialog, as the dialogs' filter texts are written.
constexpr const char* FILTRO_LIBRETA = "Libreta Carlson RW5 (*.rw5)|*.rw5|Estación total GSI (*.gsi)|*.gsi";

LecturaLibreta LeerLibretaRw5(std::string_view texto);
LecturaLibreta LeerLibretaGsi(std::string_view texto);
// RW5 when the name ends in .rw5 or the text starts with an RW5 record, GSI
// otherwise.
LecturaLibreta LeerLibreta(std::string_view nombreFichero, std::string_view texto);

// The one message listing `sinCabida` after an import: at most fifteen
// sentences, then "y N más"; empty when the list is.
std::string MensajeSinCabida(const std::vector<std::string>& sinCabida);
