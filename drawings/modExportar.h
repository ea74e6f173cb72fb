#pragma once
// A drawing (the plan or the profile) written to SVG, or to PDF at a scale on
// a sheet with its title block, through the program's file writer.
#include <QByteArray>
#include <QComboBox>
#include <QPainter>
#include <QString>
#include <QTransform>
#include <QWidget>
#include <functional>

#include "drawings/Plano.h"

namespace plano {

// The sheet of a PDF at 1:escala: frame, title block, north and scale bar;
// `dibujar` draws the data with the painter mapping survey coordinates to the
// page. Returns the PDF's bytes.
QByteArray HacerPdf(const Hoja& hoja, const MapaPagina& mapa, const QString& trabajo,
                    const std::function<void(QPainter*)>& dibujar);
// An SVG of the extent, about `ancho` pixels wide.
QByteArray HacerSvg(const Extension& e, int ancho, const QString& titulo,
                    const std::function<void(QPainter*)>& dibujar);
// The boxes of a printed drawing: cboEscala (1:200 to 1:5000, 1:1000
// chosen) and cboHoja (A4, A3).
QComboBox* CrearEscala(QWidget* ventana);
QComboBox* CrearHoja(QWidget* ventana);
// Asks for a file and writes the drawing of `e` to it through the program's
// writer: an SVG, or a PDF on the sheet and at the scale named by `hoja` and
// `escala` ("A4", "1:1000"). `nombre` ("plano", "perfil") names the dialog and
// the failure message. `dibujar` draws the data with the painter mapping
// survey coordinates onto the output, told the part of the survey in sight.
// An empty extent is refused with a warning.
void Exportar(QWidget* ventana, bool pdf, const QString& nombre, const Extension& e, const QString& titulo,
              const QString& hoja, const QString& escala,
              const std::function<void(QPainter*, const Extension&)>& dibujar);
// The transform that maps survey coordinates onto the sheet's device units.
QTransform TransformadaPagina(const MapaPagina& mapa, double unidadesPorMm);

} // namespace plano
