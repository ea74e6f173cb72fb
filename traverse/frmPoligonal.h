#pragma once
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "core/Trabajo.h"
#include "core/objPto.h"
#include "shell/Lista.h"
#include "traverse/Poligonal.h"

// The traverse sheet: one station on screen at a time, recomputed at every
// keystroke, with every later station re-chained on the one before it.
class frmPoligonal : public QWidget {
    Q_OBJECT
public:
    explicit frmPoligonal(QWidget* parent = nullptr);
    ~frmPoligonal() override;

    // The two starting vertices. They outlive the sheet: the starting-vertices
    // window sets them before the sheet opens, and a sheet opened again starts
    // on the previous ones.
    static objPto objVertice_BE;
    static objPto objVertice_BO;
    // The traverse; station i is colPoligonal[i - 1].
    colEstaciones colPoligonal;

    // Rebuilds the list of known points (any closure rows go).
    void ActualizarListaBases();
    // Takes changed starting vertices into station 1 and re-chains the traverse.
    void CambiarVerticesDeSalida();
    // Shows station n (1-based), or tells the user it does not exist.
    void MostrarEstacion(int n);
    // The traverse files.
    void GuardarPoligonal();
    void AbrirPoligonal();
    // A traverse from a data collector's file (RW5 or GSI) in place of the
    // sheet's: station 1 on screen, the list rebuilt, and one message for
    // what the sheet cannot hold. It counts as not saved. Cancelled or
    // unreadable, the sheet closes as after a failed opening.
    void ImportarLibreta();
    void ExportarPoligonal();
    void Imprimir();
    // An accepted closure: its rows after the rebuilt list; its arrival
    // vertices stay with the traverse until another closure is accepted or
    // the sheet closes.
    void AnotarCierre(const std::vector<std::string>& filas, const objPto& PE, const objPto& PV);
    // The traverse of a job recovered after a crash, with the boxes of the
    // station that was on screen as they stood; it counts as not saved.
    void Restaurar(const PoligonalTrabajo& p);

    int16_t EstacionActual() const { return intEstacionActual; }
    // Stations held; 0 once the sheet has closed.
    int NumeroEstaciones() const { return static_cast<int>(colPoligonal.size()); }
    bool Guardada() const { return bolGuardada; }

signals:
    void estacionesCambiadas(int estaciones);
    void guardadaCambiada(bool guardada);

protected:
    void closeEvent(QCloseEvent* evento) override;
    void paintEvent(QPaintEvent* evento) override;

private:
    void CrearControles();
    void CambioObservacion(int k);
    bool DatosValidos() const;
    void RecalcularEstacionActual();
    void CrearEstacion();
    void PropagarBases();
    void NuevaEstacion();
    void IrA();
    void CortarPoligonal();
    void Intermitencia();
    void MostrarPuntosEstacion();
    void PonerGuardada(bool guardada);
    // Writes the traverse, the station on screen and the closure into the job.
    void Publicar();
    // Closes the sheet (its frame in the main window) without asking.
    void CerrarSinPreguntar();

    objEstacion& Actual() { return colPoligonal[static_cast<size_t>(intEstacionActual - 1)]; }
    bool HayActual() const
    {
        return intEstacionActual >= 1 && intEstacionActual <= static_cast<int>(colPoligonal.size());
    }

    QLineEdit* txtObservacion[15];
    QLabel* lblEstacion;
    QLabel* lblBE;
    QLabel* lblBO;
    QLabel* dibEsquemaEstacion;
    QLabel* dibEsquemaOrientacion;
    QLabel* dibEsquemaVisada;
    QLabel* lblBaseRadiada;
    QLabel* lblBRadiadaX;
    QLabel* lblBRadiadaY;
    QLabel* lblBRadiadaZ;
    QLabel* lblHzO;
    QLabel* lblHzV;
    QLabel* lblVV;
    QLabel* lblVR;
    QProgressBar* prbDiferenciaAcimutal;
    QLabel* lblDiferenciaAcimutal;
    QProgressBar* prbDiferenciaCenital;
    QLabel* lblDiferenciaCenital;
    QProgressBar* prbDiferenciaDistancias;
    QLabel* lblDiferenciaDistancias;
    QProgressBar* prbDiferenciaCotas;
    QLabel* lblDiferenciaCotas;
    QProgressBar* prbErrorObservacion;
    cv::Lista* lstBases;
    QPushButton* cmdNuevaEstacion;
    QPushButton* cmdAnterior;
    QPushButton* cmdPosterior;
    QLineEdit* txtIra;
    QPushButton* cmdIra;
    QPushButton* cmdIraUltima;
    QPushButton* cmdCortarPoligonal;
    QTimer* timIntermitencia;

    int16_t intEstacionActual = 0;
    bool bolGuardada = false;
    bool cierre_ = false;
    objPto PE_, PV_;
    // Above 0 while a station is being shown: its boxes change one by one,
    // and the job hears of the station once, whole.
    int mostrando_ = 0;
    bool cerrada_ = false;
};
