#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "core/Trabajo.h"
#include "shell/Lista.h"
#include "terrain/Terreno.h"
#include "shell/TareaFondo.h"

// The digital terrain model: the surface triangulated over a list of points
// and the break lines typed under it, its contour lines, and the earthwork
// volumes against a level plane or against a second surface. Everything is
// worked out again as the inputs change, off the window's thread; the surface
// goes into the job for the plan and out to CAD (DXF) and LandXML.
class frmTerreno : public QWidget {
    Q_OBJECT
public:
    explicit frmTerreno(QWidget* parent = nullptr);
    // The surface leaves the job with the window.
    ~frmTerreno() override;
    frmTerreno(const frmTerreno&) = delete;
    frmTerreno& operator=(const frmTerreno&) = delete;

    // Starts the computation again from the inputs as they stand.
    void Calcular();

private:
    cv::Lista* lstPuntos;
    QPushButton* cmdAbrirPuntos;
    QPushButton* cmdPuntosDelTrabajo;
    QPlainTextEdit* txtLineasRotura;
    QLineEdit* txtEquidistancia;
    QLineEdit* txtMaestras;
    QLabel* lblTriangulos;
    QLabel* lblCotaMinima;
    QLabel* lblCotaMaxima;
    QRadioButton* optPlano;
    QLineEdit* txtCotaReferencia;
    QRadioButton* optSuperficie;
    QPushButton* cmdAbrirSegunda;
    QLabel* lblSegunda;
    QLabel* lblDesmonte;
    QLabel* lblTerraplen;
    QLabel* lblSuperficieAfectada;
    QPushButton* cmdExportarDxf;
    QPushButton* cmdExportarLandXml;
    QLabel* lblAviso;
    QTimer* timCalculo;
    cv::TareaFondo* tarea_;

    // The last surfaces triangulated, kept while their points and break
    // lines stay the same; the last results shown.
    struct Triangulado {
        std::shared_ptr<const std::vector<objPto>> de;
        std::string lineas;
        std::shared_ptr<const Triangulacion> t;
        std::vector<std::string> errores; // of the break lines
    };
    Triangulado terreno_, segunda_;
    std::shared_ptr<const std::vector<objPto>> puntos_, puntosSegunda_;
    std::shared_ptr<const TerrenoTrabajo> resultado_;

    void CrearControles();
    void Mostrar(std::shared_ptr<const TerrenoTrabajo> r, const Volumenes* v, const QString& aviso);
    void AbrirPuntos();
    void PuntosDelTrabajo();
    void AbrirSegunda();
    void ExportarDxf();
    void ExportarLandXml();
};
