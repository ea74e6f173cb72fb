#pragma once
// Downloads of other makers' total stations, read into the same observation
// rows as a GSI download (LecturaDescarga, exchange/Gsi.h): number, Hz and V
// in grads, slope distance and signal height in metres, with the station
// records, the lines not read with their reason, and the IDs shortened to
// their digits (NumeroDeIdentificador).
//
// Every reader takes the units from the file's own header or unit fields.
// Where a file says nothing, these are assumed (and the help pages say so):
//
// | format               | angles                         | lengths | vertical |
// |----------------------|--------------------------------|---------|----------|
// | Sokkia SDR33 / SDR2x | decimal degrees                | metres  | zenith   |
// | Topcon GTS (GTS-7)   | sexagesimal degrees DDD.MMSS   | metres  | zenith   |
// | Nikon RAW v2.00      | sexagesimal degrees DDD.MMSS   | metres  | zenith   |
// | Rec Elta R4/R5       | grads (gon)                    | metres  | zenith   |
//
// A vertical angle measured from the horizon is turned into a zenith angle
// (V = 100 - angle, in grads). Feet are international feet (0.3048 m) unless
// the file says US survey feet (1200/3937 m).
//
// Sokkia SDR33 (fixed columns; SDR2x with 4-character point numbers and
// 10-character values when the header's version says SDR2):
//   00NM header: angle unit in column 41 (1 degrees, 2 grads, 4 mils),
//        distance unit in column 42 (1 metres, 2 feet);
//   01KI instrument: column 51 the vertical zero (1 zenith, 2 horizon);
//   02xx station: point, northing, easting, elevation, instrument height;
//   03NM target height; 09xx observation: station, point, slope distance,
//   vertical angle, horizontal angle, code. Other records are passed over.
// Topcon GTS (GTS-7 compact records, "RECORD value,value,..."):
//   UNITS d,a (d: M metres, F feet, US US feet; a: D degrees DDD.MMSS,
//   DD decimal degrees, G grads, M mils); STN point,instrument height,code;
//   SS/BS/FS/BKB point,target height,code; then SD Hz,V,slope distance.
// Nikon RAW v2.00 (comma records): "CO,Dist Units: Metres|Feet|US Feet",
//   "CO,Angle Units: DDDMMSS|Degrees|Gons|Mils", "CO,Zero VA: Zenith|
//   Horizon"; ST station (point, id, backsight, id, instrument height, ...);
//   SS/CP/F1/F2/SO point,(id),target height,slope distance,Hz,V,time,code.
// Rec Elta R4/R5 ("For R5|Adr nnnnn|point|value|value|value|" lines, the R4
//   lines alike with "For R4"): the point field holds the record type and
//   the point ID; each value field a two-letter label, the value and its
//   unit: Hz horizontal direction, V1 zenith angle, V2 vertical angle from
//   the horizon, SD slope distance, th target height, ih instrument height;
//   units m, ft, gon, deg, DMS, mil.
#include <string>
#include <string_view>
#include <vector>

#include "exchange/Gsi.h"

enum class FormatoDescarga { Gsi, Sdr33, TopconGts, NikonRaw, RecElta };

// The formats in the order the observation dialogs offer them, after the
// program's own observation files.
constexpr FormatoDescarga FORMATOS_DESCARGA[] = {FormatoDescarga::Gsi, FormatoDescarga::Sdr33,
                                                 FormatoDescarga::TopconGts, FormatoDescarga::NikonRaw,
                                                 FormatoDescarga::RecElta};

// The filter of a format for the file dialog, "description|patterns" as the
// dialogs' filter texts are written, e.g. "Estación total Sokkia SDR33
// (*.sdr)|*.sdr".
std::string FiltroDescarga(FormatoDescarga f);
// Every format's filter joined with "|", to follow the program's own
// observation filters.
std::string FiltrosDescargas();

// The format of a file from its name (extension) and, where the extension is
// shared or unknown (.txt, .raw, .dat...), its content. False when the file
// is none of these downloads (a program's observation file, for one).
bool DetectarFormato(std::string_view nombreFichero, std::string_view texto, FormatoDescarga& formato);

// Readers. Each reads the whole text; a line that cannot be read is listed
// with its reason and the reading goes on.
LecturaDescarga LeerSdr33(std::string_view texto);
LecturaDescarga LeerTopconGts(std::string_view texto);
LecturaDescarga LeerNikonRaw(std::string_view texto);
LecturaDescarga LeerRecElta(std::string_view texto);
// The reader of a format (LeerGsi for Gsi).
LecturaDescarga LeerDescarga(std::string_view texto, FormatoDescarga formato);

// A sexagesimal angle written DDD.MMSS (minutes and seconds two digits each,
// more digits are decimals of a second) in grads; false when it is not such
// a number (minutes or seconds of 60 or more).
bool SexagesimalAGrads(std::string_view texto, double& grads);
