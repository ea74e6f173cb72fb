#pragma once
// The two columns of vertex fields (name, X, Y, Z) shared by the windows of
// the starting vertices and of the closure.
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <string>

#include "core/objPto.h"

// Creates txtBE_0..3 in the column at xEstacion and txtBO_0..3 at
// xOrientacion, rows from y downwards, with the row captions "X ....",
// "Y ....", "Z ...." at xRotulos, and installs their key filters (names in
// capitals, coordinates digits and "." only).
void CrearCamposVertices(QWidget* ventana, QLineEdit* txtBE[4], QLineEdit* txtBO[4], int xRotulos, int xEstacion,
                         int xOrientacion, int y);

// The four texts of a vertex column.
std::array<std::string, 4> TextosVertice(QLineEdit* const campos[4]);

// Shows a vertex in its column: the name as it is, coordinates "0.000".
void MostrarVertice(QLineEdit* const campos[4], const objPto& p);
