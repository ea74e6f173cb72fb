#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>

#include "traverse/Compensacion.h"

class QMdiArea;
class frmPoligonal;

// Adjustment of the open traverse on the arrival vertices of its accepted
// closure: the method, the a-priori precision and the tolerances chosen here,
// the adjusted points listed, exported as bases and reported. The sheet and
// its traverse are only read.
class frmCompensacion : public QWidget
{
    Q_OBJECT
  public:
    explicit frmCompensacion(QWidget* parent = nullptr);

    // Adjusts again and shows the result (or why nothing was adjusted).
    void Recalcular();

  protected:
    void showEvent(QShowEvent* evento) override;

  private:
    // What one adjustment read and gave.
    struct Calculo {
        objPto BE, BO;
        OpcionesCompensacion opciones;
        ResultadoCompensacion resultado; // resultado.error says why when not ok
    };
    Calculo Calcular();
    MetodoCompensacion Metodo() const;
    // The open traverse sheet of the frame this window lives in, or null.
    frmPoligonal* BuscarHoja();
    // Listens to the sheet's list (and to the frame's activations) once.
    void Escuchar(frmPoligonal* hoja, QMdiArea* area);
    void Mostrar(const Calculo& c);
    void VaciarResultados();
    // The adjustment for a button: the warning box when there is none.
    bool CalculoValido(Calculo& c);
    void Exportar();
    void Informe();

    QRadioButton* optBowditch;
    QRadioButton* optTransito;
    QRadioButton* optMinimosCuadrados;
    QLineEdit* txtSigmaAngular;
    QLineEdit* txtSigmaDistancia;
    QLineEdit* txtSigmaPpm;
    QLineEdit* txtSigmaEstacion;
    QLineEdit* txtTolAngular;
    QLineEdit* txtTolRelativa;
    QLabel* lblEAngular;
    QLabel* lblEX;
    QLabel* lblEY;
    QLabel* lblET;
    QLabel* lblPrecision;
    QLabel* lblSigma0;
    QLabel* lblPrueba;
    QLabel* lblVeredicto;
    QLabel* lblCabecera;
    QListWidget* lstCompensada;
    QPushButton* cmdExportar;
    QPushButton* cmdInforme;

    // Changes of the sheet's list come in bursts (the list is rebuilt row by
    // row): they are gathered into one recomputation.
    QTimer* timRecalculo;
    QPointer<frmPoligonal> hoja_;
    QPointer<QMdiArea> area_;
};
