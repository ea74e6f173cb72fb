#include "coordinates/modCoordenadas.h"

#include <QAbstractItemModel>

#include "coordinates/ListaPuntos.h"
#include "points/modFuncionesAuxiliares.h"

namespace cv {
const DialogoFichero DLG_ABRIR_COORDENADAS{
    QStringLiteral("Abrir fichero de bases o de puntos"),
    QStringLiteral("Bases y puntos (*.bse *.asc)|*.bse;*.asc|Cartavector 3.0 bases (*.bse)|*.bse|"
                   "Cartavector 3.0 puntos (*.asc)|*.asc"),
    QStringLiteral("bse"), QString()};
} // namespace cv

bool AbrirFicheroCoordenadas(cv::Lista* lista, QWidget* ventana)
{
    const auto ruta = cv::ElegirFicheroAbrir(ventana, cv::DLG_ABRIR_COORDENADAS);
    if (!ruta)
        return false;
    std::string texto;
    if (!cv::LeerTexto(ventana, *ruta, texto, cv::MSG_ERROR_ABRIR))
        return false;
    const ResultadoLectura r = LeerFicheroPuntos(texto, cv::S(*ruta));
    lista->clear();
    lista->Anadir(r.filas);
    if (r.fallo) {
        cv::Aviso(ventana, cv::MSG_ERROR_ABRIR + cv::Q(r.descripcion), QMessageBox::Critical);
        return false;
    }
    return true;
}

QTimer* RecalcularAlCambiar(QWidget* ventana, const QList<cv::Lista*>& listas, std::function<void()> calculo)
{
    QTimer* pendiente = cv::CrearPendiente(ventana, std::move(calculo));
    pendiente->setObjectName(QStringLiteral("timCalculo"));
    for (cv::Lista* lista : listas)
        QObject::connect(lista, &cv::Lista::filasCambiadas, pendiente, qOverload<>(&QTimer::start));
    return pendiente;
}

QLabel* CrearAviso(QWidget* ventana, const QRect& geometria)
{
    QLabel* aviso = cv::CrearEtiqueta(ventana, QStringLiteral("lblAviso"), QString(), geometria);
    aviso->setWordWrap(true);
    cv::PonerColorTexto(aviso, QColor(255, 215, 0));
    return aviso;
}
