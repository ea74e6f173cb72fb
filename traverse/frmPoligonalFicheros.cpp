#include "traverse/frmPoligonal.h"

#include <algorithm>
#include <iterator>

#include "core/FicherosTexto.h"
#include "exchange/Libreta.h"
#include "shell/Comun.h"

namespace {

const QString MSG_ERROR_GUARDAR = QStringLiteral("Se produjo un error al guardar la poligonal. ");
const QString MSG_ERROR_ABRIR = QStringLiteral("Se produjo un error al abrir la poligonal. ");
const QString FILTRO_POL = QStringLiteral("Cartavector 3.0 (*.pol)|*.pol");
const QString MSG_ERROR_IMPORTAR = QStringLiteral("Se produjo un error al importar la libreta. ");

} // namespace

// The traverse files of the sheet, and the traverse recovered after a crash.

void frmPoligonal::GuardarPoligonal()
{
    const auto ruta = cv::ElegirFicheroGuardar(
        this, {QStringLiteral("Guardar Poligonal"), FILTRO_POL, QStringLiteral("pol"), QStringLiteral("Poligonal")});
    if (!ruta)
        return;
    if (!cv::GuardarTexto(this, *ruta, EscribirPol(objVertice_BE, objVertice_BO, colPoligonal), MSG_ERROR_GUARDAR))
        return;
    PonerGuardada(true);
    cv::Aviso(this, QStringLiteral("Poligonal guardada."), QMessageBox::Information);
}

void frmPoligonal::AbrirPoligonal()
{
    lstBases->clear();
    const auto ruta =
        cv::ElegirFicheroAbrir(this, {QStringLiteral("Abrir Poligonal"), FILTRO_POL, QStringLiteral("pol"), QString()});
    if (!ruta) {
        CerrarSinPreguntar();
        return;
    }
    std::string bytes;
    if (!cv::LeerTexto(this, *ruta, bytes, MSG_ERROR_ABRIR)) {
        CerrarSinPreguntar();
        return;
    }
    colPoligonal.clear();
    LecturaPol lectura = LeerPol(TextoUtf8(bytes));
    if (!lectura.ok) {
        cv::Aviso(this, MSG_ERROR_ABRIR + cv::Q(lectura.error), QMessageBox::Critical);
        CerrarSinPreguntar();
        return;
    }
    objVertice_BE = lectura.BE;
    objVertice_BO = lectura.BO;
    colPoligonal = std::move(lectura.estaciones);
    // A file holding only the starting vertices is a traverse just begun:
    // its first station stands on them, as on a new sheet.
    if (colPoligonal.empty())
        PrimeraEstacion(colPoligonal, objVertice_BE, objVertice_BO);
    intEstacionActual = 1;
    MostrarEstacion(1);
    ActualizarListaBases();
    cv::Aviso(this, QStringLiteral("Poligonal abierta."), QMessageBox::Information);
    emit estacionesCambiadas(NumeroEstaciones());
    PonerGuardada(true);
}

void frmPoligonal::ImportarLibreta()
{
    lstBases->clear();
    const auto ruta = cv::ElegirFicheroAbrir(
        this, {QStringLiteral("Importar libreta"), QString::fromUtf8(FILTRO_LIBRETA), QStringLiteral("rw5"), QString()});
    std::string bytes;
    if (!ruta || !cv::LeerTexto(this, *ruta, bytes, MSG_ERROR_IMPORTAR)) {
        CerrarSinPreguntar();
        return;
    }
    LecturaLibreta lectura = LeerLibreta(cv::S(*ruta), bytes);
    if (!lectura.ok) {
        cv::Aviso(this, MSG_ERROR_IMPORTAR + cv::Q(lectura.error), QMessageBox::Critical);
        CerrarSinPreguntar();
        return;
    }
    objVertice_BE = lectura.BE;
    objVertice_BO = lectura.BO;
    colPoligonal = std::move(lectura.estaciones);
    cierre_ = false;
    // The file gives readings only: station 1 stands on the starting
    // vertices and every later one is chained on the one before it.
    PrimeraEstacion(colPoligonal, objVertice_BE, objVertice_BO);
    ::PropagarBases(colPoligonal, 1);
    intEstacionActual = 1;
    MostrarEstacion(1);
    ActualizarListaBases();
    emit estacionesCambiadas(NumeroEstaciones());
    Publicar();
    PonerGuardada(false);
    const std::string sinCabida = MensajeSinCabida(lectura.sinCabida);
    if (!sinCabida.empty())
        cv::Aviso(this, cv::Q(sinCabida));
}

void frmPoligonal::ExportarPoligonal()
{
    const auto ruta = cv::ElegirFicheroGuardar(this, {QStringLiteral("Exportar Poligonal"),
                                                      QStringLiteral("Cartavector 3.0 (*.bse)|*.bse"),
                                                      QStringLiteral("bse"), QStringLiteral("Poligonal")});
    if (!ruta)
        return;
    if (!cv::GuardarTexto(this, *ruta, EscribirExportacion(objVertice_BE, objVertice_BO, colPoligonal), MSG_ERROR_GUARDAR))
        return;
    cv::Aviso(this, QStringLiteral("Poligonal guardada."), QMessageBox::Information);
}

void frmPoligonal::Imprimir()
{
    const auto ruta = cv::ElegirFicheroGuardar(this, {QStringLiteral("Imprimir a archivo"),
                                                      QStringLiteral("Cartavector 3.0 (*.txt)|*.txt"),
                                                      QStringLiteral("txt"), QStringLiteral("Poligonal")});
    if (!ruta)
        return;
    if (!cv::GuardarTexto(this, *ruta, EscribirTense(lstBases->Filas()), MSG_ERROR_GUARDAR))
        return;
    cv::Aviso(this, QStringLiteral("Poligonal imprimida a archivo."), QMessageBox::Information);
}

void frmPoligonal::Restaurar(const PoligonalTrabajo& p)
{
    if (p.estaciones.empty())
        return;
    objVertice_BE = p.BE;
    objVertice_BO = p.BO;
    colPoligonal = p.estaciones;
    cierre_ = p.cierre;
    PE_ = p.PE;
    PV_ = p.PV;
    const int n = std::clamp(p.estacionActual, 1, NumeroEstaciones());
    intEstacionActual = static_cast<int16_t>(n);
    MostrarEstacion(n);
    // The boxes as they stood, a reading half typed included.
    for (size_t k = 0; k < p.textos.size() && k < std::size(txtObservacion); ++k)
        txtObservacion[k]->setText(cv::Q(p.textos[k]));
    ActualizarListaBases();
    emit estacionesCambiadas(NumeroEstaciones());
    PonerGuardada(false);
}
