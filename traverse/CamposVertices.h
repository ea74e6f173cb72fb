#pragma once
// The two columns of vertex fields (name, X, Y, Z) shared by the windows of
// the starting vertices and of the closure.
#include <QLineEdit>
#include <QList>
#include <QString>
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

// The top of those windows: the title (Label1, anchoTitulo wide), the column
// captions "Estación" (Label2) and columnaBO (Label3), and under them the two
// columns of fields.
void CrearBloqueVertices(QWidget* ventana, const QString& titulo, int anchoTitulo, const QString& columnaBO,
                         QLineEdit* txtBE[4], QLineEdit* txtBO[4]);

// The eight fields in their focus order: the station column, then the other.
QList<QLineEdit*> OrdenVertices(QLineEdit* const txtBE[4], QLineEdit* const txtBO[4]);

// True when both columns hold a valid vertex; otherwise the user is told
// "Las bases no son válidas." and false.
bool VerticesValidos(QWidget* ventana, QLineEdit* const txtBE[4], QLineEdit* const txtBO[4]);

// The four texts of a vertex column.
std::array<std::string, 4> TextosVertice(QLineEdit* const campos[4]);

// Shows a vertex in its column: the name as it is, coordinates "0.000".
void MostrarVertice(QLineEdit* const campos[4], const objPto& p);
