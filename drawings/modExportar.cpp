#include "drawings/modExportar.h"

#include <QBuffer>
#include <QDate>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>

#include "drawings/modVista.h"
#include "shell/Comun.h"

namespace plano {

QTransform TransformadaPagina(const MapaPagina& m, double u)
{
    // Page x = marcoX + (X - xmin) k; page y = marcoY + (ymax - Y) k; times u.
    const double k = m.mmPorMetro;
    return QTransform(u * k, 0, 0, -u * k, u * (m.marcoX - m.ventana.xmin * k), u * (m.marcoY + m.ventana.ymax * k));
}

QByteArray HacerPdf(const Hoja& hoja, const MapaPagina& mapa, const QString& trabajo,
                    const std::function<void(QPainter*)>& dibujar)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("Cartavector 3.0.2"));
        pdf.setTitle(trabajo);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(hoja.nombre == "A3" ? QPageSize::A3 : QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        QPainter p(&pdf);
        const double u = pdf.resolution() / 25.4; // device units per millimetre
        const QRectF marco(mapa.marcoX * u, mapa.marcoY * u, mapa.marcoAncho * u, mapa.marcoAlto * u);
        p.save();
        p.setClipRect(marco);
        p.setWorldTransform(TransformadaPagina(mapa, u));
        dibujar(&p);
        p.restore();
        p.setPen(QPen(Qt::black, 0.35 * u));
        p.setBrush(Qt::NoBrush);
        p.drawRect(marco);
        const QRectF cajetin(mapa.marcoX * u, mapa.cajetinY * u, mapa.marcoAncho * u, mapa.cajetinAlto * u);
        p.drawRect(cajetin);
        const auto lineas =
            TextosCajetin(trabajo.toStdString(), QDate::currentDate().toString(Qt::ISODate).toStdString(), mapa);
        QFont letra(QStringLiteral("DejaVu Sans"));
        letra.setPixelSize(static_cast<int>(3.2 * u));
        p.setFont(letra);
        for (size_t i = 0; i < lineas.size(); ++i)
            p.drawText(QPointF(cajetin.x() + 3 * u, cajetin.y() + (5.5 + 5.2 * static_cast<double>(i)) * u),
                       QString::fromStdString(lineas[i]));
        DibujarNorte(&p, QPointF(marco.right() - 10 * u, marco.top() + 4 * u), 14 * u);
        DibujarBarraEscala(&p, QPointF(cajetin.center().x() + 20 * u, cajetin.bottom() - 6 * u),
                           1.0 / (mapa.mmPorMetro * u), 80 * u);
    }
    return bytes;
}

QByteArray HacerSvg(const Extension& e, int ancho, const QString& titulo,
                    const std::function<void(QPainter*)>& dibujar)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const double w = std::max(e.Ancho(), 1.0), h = std::max(e.Alto(), 1.0);
    const double margen = 40.0, s = (ancho - 2 * margen) / std::max(w, h);
    const QSize tamano(static_cast<int>(w * s + 2 * margen), static_cast<int>(h * s + 2 * margen));
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(96);
    svg.setSize(tamano);
    svg.setViewBox(QRect(QPoint(0, 0), tamano));
    svg.setTitle(titulo);
    svg.setDescription(QStringLiteral("Cartavector 3.0.2"));
    {
        QPainter p(&svg);
        p.fillRect(QRect(QPoint(0, 0), tamano), Qt::white);
        p.save();
        p.setWorldTransform(QTransform(s, 0, 0, -s, margen - e.xmin * s, margen + e.ymax * s));
        dibujar(&p);
        p.restore();
    }
    return bytes;
}

QComboBox* CrearEscala(QWidget* ventana)
{
    auto* c = new QComboBox(ventana);
    c->setObjectName(QStringLiteral("cboEscala"));
    for (const double escala : ESCALAS_LISTADAS)
        c->addItem(QStringLiteral("1:%1").arg(escala));
    c->setCurrentIndex(2);
    c->setToolTip(QStringLiteral("Escala del dibujo impreso"));
    return c;
}

QComboBox* CrearHoja(QWidget* ventana)
{
    auto* c = new QComboBox(ventana);
    c->setObjectName(QStringLiteral("cboHoja"));
    c->addItems({"A4", "A3"});
    c->setToolTip(QStringLiteral("Tamaño de la hoja"));
    return c;
}

void Exportar(QWidget* ventana, bool pdf, const QString& nombre, const Extension& e, const QString& titulo,
              const QString& hoja, const QString& escala,
              const std::function<void(QPainter*, const Extension&)>& dibujar)
{
    if (e.vacia)
        return cv::Aviso(ventana, QStringLiteral("No hay nada que dibujar."));
    // A sheet that would cut the work short is said before anything is written.
    const Hoja h = HojaPorNombre(hoja.toStdString());
    if (pdf && !MapearPagina(e, h, LeerEscala(escala.toStdString())).cabe) {
        const double cabe = EscalaQueCabe(e, h);
        const QString donde = cabe > 0.0 ? QStringLiteral("Cabe entero a escala 1:%1.").arg(cabe)
                                         : QStringLiteral("No cabe entero a ninguna de las escalas de la lista.");
        if (!cv::Pregunta(ventana,
                          QStringLiteral("El trabajo no cabe entero en una hoja %1 a escala %2: quedaría cortado. %3"
                                         "\n¿Desea exportarlo igualmente?")
                              .arg(hoja, escala, donde),
                          QMessageBox::Warning))
            return;
    }
    const QString inicial = nombre.left(1).toUpper() + nombre.mid(1);
    const auto ruta = cv::ElegirFicheroGuardar(
        ventana, {QStringLiteral("Exportar ") + nombre,
                  pdf ? QStringLiteral("Documento PDF (*.pdf)|*.pdf") : QStringLiteral("Dibujo SVG (*.svg)|*.svg"),
                  pdf ? QStringLiteral("pdf") : QStringLiteral("svg"), inicial});
    if (!ruta)
        return;
    QByteArray bytes;
    if (pdf) {
        const MapaPagina mapa = MapearPagina(e, h, LeerEscala(escala.toStdString()));
        bytes = HacerPdf(h, mapa, titulo, [&](QPainter* p) { dibujar(p, mapa.ventana); });
    } else {
        bytes = HacerSvg(e, 1600, titulo, [&](QPainter* p) { dibujar(p, e); });
    }
    if (cv::GuardarTexto(ventana, *ruta, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                         QStringLiteral("Se produjo un error al exportar el ") + nombre + QStringLiteral(". ")))
        cv::Aviso(ventana, cv::MSG_FICHERO_GUARDADO, QMessageBox::Information);
}

} // namespace plano
