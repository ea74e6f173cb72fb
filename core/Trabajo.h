#pragma once
// The job: what the windows of one working session share. Each window writes
// its own part here as it changes (the traverse sheet its traverse and the
// closure it accepted, every list window its lists, the catenary its span,
// the adjustment its adjusted points), and whoever draws or computes from
// them reads it here and is told of every change by its kind. Nothing here
// knows a window: the parts are keyed by the window's name.
//
// The whole job also goes to and comes from one text, the recovery file
// written while the program runs, so that a crash loses nothing.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/objEstacion.h"
#include "core/objPto.h"
#include "core/Superficie.h"

// What changed: one kind per part of the job.
enum class CambioTrabajo { Poligonal, Listas, Vano, Compensacion, Terreno, Entradas };

// The traverse of the open sheet.
struct PoligonalTrabajo {
    bool abierta = false;
    objPto BE, BO;                      // the starting vertices
    std::vector<objEstacion> estaciones; // station i is estaciones[i - 1]
    int estacionActual = 0;             // the station on screen, 1-based
    std::vector<std::string> textos;    // its 15 input boxes, as they stand
    // The station whose data are incomplete or not valid (the one on screen,
    // while its boxes are), 0 when the traverse is whole.
    int incompleta = 0;
    // The last closure accepted on this sheet: its arrival vertices stay until
    // another closure is accepted or the sheet closes.
    bool cierre = false;
    objPto PE, PV;
};

// One list window's lists, by list name, row by row as the window shows them,
// and the bases and points they hold; and the window's other inputs (its text
// boxes, tables, options and chosen bases), by control name, each as its rows
// of text, so that a crash loses nothing typed.
struct ListasVentana {
    std::map<std::string, std::vector<std::string>> filas;
    std::vector<objPto> bases, puntos;
    std::map<std::string, std::vector<std::string>> entradas;
};

// The profile of the catenary's span: a point of the span's vertical plane is
// its distance from anchor 1 and its height, metres.
struct PuntoPerfil {
    double d = 0.0, h = 0.0;
};
struct PerfilCatenaria {
    // Anchor 1 first, the conductor's points, anchor 2 last.
    std::vector<PuntoPerfil> puntos;
    bool ajustado = false; // a parameter was fitted
    double parametro = 0.0;
    std::string anclaje1, anclaje2; // the anchors' names

    bool Valido() const { return puntos.size() >= 2; }
    const PuntoPerfil& Anclaje1() const { return puntos.front(); }
    const PuntoPerfil& Anclaje2() const { return puntos.back(); }
};

// The terrain window's surface and its contour lines, as last computed.
struct TerrenoTrabajo {
    std::shared_ptr<const Superficie> superficie;
    std::vector<Curva> curvas;
    double equidistancia = 1.0;
};

class Trabajo {
public:
    const PoligonalTrabajo& Poligonal() const { return poligonal_; }
    void PonerPoligonal(PoligonalTrabajo p);
    // The traverse sheet closed: its traverse and its closure leave the job.
    void CerrarPoligonal();

    const std::map<std::string, ListasVentana>& Listas() const { return listas_; }
    // The lists of a window, by the window's name; the bases of rows named
    // "lstBases" and the points of the point lists are read from the rows.
    void PonerListas(const std::string& ventana, std::map<std::string, std::vector<std::string>> filas);
    // The other inputs of a window, all at once.
    void PonerEntradas(const std::string& ventana, std::map<std::string, std::vector<std::string>> entradas);
    // A window closed: its lists and inputs leave the job.
    void QuitarListas(const std::string& ventana);

    const PerfilCatenaria& Vano() const { return vano_; }
    void PonerVano(PerfilCatenaria vano);

    const std::vector<objPto>& Compensados() const { return compensados_; }
    void PonerCompensados(std::vector<objPto> puntos);

    // The terrain's surface, shared with whoever draws it (never changed in
    // place: a new computation puts a new one); null when there is none.
    const std::shared_ptr<const TerrenoTrabajo>& Terreno() const { return terreno_; }
    void PonerTerreno(std::shared_ptr<const TerrenoTrabajo> terreno);

    // Everything back to an empty job (each part that held something tells).
    void Vaciar();
    bool Vacio() const;

    // Told of every change, after it is made.
    std::function<void(CambioTrabajo)> alCambiar;

private:
    void Avisar(CambioTrabajo c) const;

    PoligonalTrabajo poligonal_;
    std::map<std::string, ListasVentana> listas_;
    PerfilCatenaria vano_;
    std::vector<objPto> compensados_;
    std::shared_ptr<const TerrenoTrabajo> terreno_;
};

// The list names whose rows are points ("number X Y Z"), and the base list's.
bool EsListaPuntos(std::string_view lista);
constexpr const char* LISTA_BASES = "lstBases";

// The recovery text of a job: the traverse with its closure and every list
// window's lists and inputs (the span and the adjusted points are computed
// again from them). One record a line, fields separated by tabs, texts with their tab,
// line-end and percent characters written as %XX, numbers in full precision.
std::string EscribirTrabajo(const Trabajo& t);
// Reads a recovery text into the job (which is emptied first). False, with
// the job empty, when the text is not one.
bool LeerTrabajo(std::string_view texto, Trabajo& t);

// The recovery file, beside the configuration file; each program running
// from the folder at once has its own, by turn (recuperacion.trabajo, then
// recuperacion-2.trabajo...).
constexpr int TURNOS_RECUPERACION = 9;
std::string RutaRecuperacion(int turno = 1);
