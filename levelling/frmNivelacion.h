#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QWidget>
#include <vector>

#include "levelling/Nivelacion.h"
#include "shell/Lista.h"

// Levelling: a line or loop typed or opened as a field book, closed on its
// benchmarks and adjusted; or a network of levelled lines adjusted by least
// squares on the bases of the list. The results follow every change; the
// adjusted heights go into a bases file and into a report.
class frmNivelacion : public QWidget {
    Q_OBJECT
public:
    explicit frmNivelacion(QWidget* parent = nullptr);
    // The base list empties as its window goes: nothing is recomputed then.
    ~frmNivelacion() override;

    // Computes and shows the line, or the network once one has been opened.
    void Recalcular();

private:
    // The controls, reached from outside by their design names.
    cv::Lista* lstBases;
    QPushButton* cmdAbrirBases;
    QPushButton* cmdAbrirRed;
    QLineEdit* txtSigmaKm;
    QPushButton* cmdActualizarBases;
    QPushButton* cmdInforme;
    QTableWidget* tblLibreta;
    QPushButton* cmdAbrirLibreta;
    QPushButton* cmdBorrarLibreta;
    QLineEdit* txtCotaInicial;
    QLineEdit* txtCotaFinal;
    QLineEdit* txtTolerancia;
    QRadioButton* optDistancias;
    QRadioButton* optEstaciones;
    QLabel* lblCabecera;
    cv::Lista* lstCotas;
    QLabel* lblDesnivel;
    QLabel* lblCierre;
    QLabel* lblToleranciaMm;
    QLabel* lblVeredicto;
    QLabel* lblSigma0;
    QLabel* lblPrueba;

    // The network opened (empty: the window works on the field book).
    std::vector<TramoRed> red_;
    bool conRed_ = false;
    // The last results, for the bases and the report.
    OpcionesLinea opciones_;
    ResultadoLinea linea_;
    ResultadoRed resultadoRed_;

    std::vector<FilaLibreta> Libreta() const;
    void PonerLibreta(const std::vector<FilaLibreta>& filas);
    void CeldaCambiada(QTableWidgetItem* celda);
    void Limpiar();
    void CalcularLinea();
    void CalcularRed();
    void AbrirLibreta();
    void BorrarLibreta();
    void AbrirRed();
    void ActualizarBases();
    void Informe();
};
