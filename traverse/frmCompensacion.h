#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "shell/Lista.h"
#include "traverse/Compensacion.h"

// Adjustment of the open traverse on the arrival vertices of its accepted
// closure: the method, the a-priori precision and the tolerances chosen here,
// the adjusted points listed, exported as bases and reported. The traverse is
// read from the job at every change of the sheet, and the adjusted points go
// back into the job for the plan.
class frmCompensacion : public QWidget
{
    Q_OBJECT
  public:
    explicit frmCompensacion(QWidget* parent = nullptr);
    ~frmCompensacion() override;

    // Adjusts again and shows the result (or why nothing was adjusted).
    void Recalcular();

  private:
    // What one adjustment read and gave.
    struct Calculo {
        objPto BE, BO;
        OpcionesCompensacion opciones;
        ResultadoCompensacion resultado; // resultado.error says why when not ok
    };
    Calculo Calcular();
    MetodoCompensacion Metodo() const;
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
    cv::Lista* lstCompensada;
    QPushButton* cmdExportar;
    QPushButton* cmdInforme;
};
