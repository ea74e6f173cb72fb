#include "shell/modResIndependentForm.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace cv {

namespace {
// The size a window was laid out with, kept when it is prepared.
const char* const TAM_DISENO = "cvTamDiseno";
} // namespace

FactoresEscala CalcularFactores(int anchoPantalla, int altoPantalla)
{
    return {static_cast<float>(anchoPantalla) / static_cast<float>(ANCHO_DISENO),
            static_cast<float>(altoPantalla) / static_cast<float>(ALTO_DISENO)};
}

void EscalarVentana(QWidget* ventana)
{
    QScreen* pantalla = ventana->screen() ? ventana->screen() : QGuiApplication::primaryScreen();
    if (!pantalla)
        return;
    const QSize tam = pantalla->geometry().size();
    const FactoresEscala f = CalcularFactores(tam.width(), tam.height());
    RedimensionarVentana(f.fx, f.fy, ventana);
}

namespace {

// A control of the window's own layout: a child of the window or of a plain
// container of it (frame, group), not one of a composite control's inner
// parts, a separate window, or a widget placed by a layout.
bool EsContenedor(const QWidget* w)
{
    const char* clase = w->metaObject()->className();
    return qstrcmp(clase, "QWidget") == 0 || qstrcmp(clase, "QFrame") == 0 || qstrcmp(clase, "QGroupBox") == 0;
}

bool EsControl(const QWidget* w, const QWidget* ventana)
{
    if (w->isWindow())
        return false;
    const QWidget* padre = w->parentWidget();
    if (!padre)
        return false;
    if (padre->layout() && padre->layout()->indexOf(const_cast<QWidget*>(w)) >= 0)
        return false;
    if (padre == ventana)
        return true;
    return EsContenedor(padre) && EsControl(padre, ventana);
}

void Escalar(QWidget* w, float fx, float fy)
{
    const QRect g = w->geometry();
    w->setGeometry(qRound(g.x() * fx), qRound(g.y() * fy), qRound(g.width() * fx), qRound(g.height() * fy));
}

} // namespace

void RedimensionarVentana(float fx, float fy, QWidget* ventana)
{
    const qreal factorFuente = (static_cast<qreal>(fx) + static_cast<qreal>(fy)) / 2.0;
    // The main frame places its parts by layout; only the frame itself scales.
    const QList<QWidget*> hijos =
        qobject_cast<QMainWindow*>(ventana) ? QList<QWidget*>() : ventana->findChildren<QWidget*>();
    for (QWidget* w : hijos) {
        if (!EsControl(w, ventana))
            continue;
        Escalar(w, fx, fy);
        QFont fuente = w->font();
        if (fuente.pointSizeF() > 0) {
            fuente.setPointSizeF(fuente.pointSizeF() * factorFuente);
            w->setFont(fuente);
        }
    }
    QWidget* marco = ventana;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(ventana->parentWidget()))
        marco = sub;
    if (marco == ventana) {
        Escalar(ventana, fx, fy);
    } else {
        // A child of the frame: the frame may already have laid it out at
        // its own small size, so the window's design size is the one scaled;
        // the frame takes it plus its border.
        const QSize diseno = ventana->property(TAM_DISENO).toSize().isValid()
                                 ? ventana->property(TAM_DISENO).toSize()
                                 : ventana->size();
        const QSize tam(qRound(diseno.width() * fx), qRound(diseno.height() * fy));
        // The frame sizes itself from its window's minimum while it is shown,
        // so the window holds that size until the frame has settled.
        const QSize minimo = ventana->minimumSize();
        ventana->setMinimumSize(tam);
        marco->adjustSize();
        QTimer::singleShot(0, ventana, [ventana, minimo] { ventana->setMinimumSize(minimo); });
    }
}

QColor ColorFondo(int y)
{
    return QColor(0, std::min(255, y / 10), std::min(255, y / 4));
}

void PintarFondo(QWidget* ventana)
{
    const QSize tam = ventana->size();
    if (tam.isEmpty())
        return;
    QPixmap superficie(tam);
    superficie.fill(Qt::black);
    {
        QPainter p(&superficie);
        p.setRenderHint(QPainter::Antialiasing, false);
        // 1025 horizontal lines over a client area of 1024 units.
        const qreal escala = tam.height() / 1024.0;
        for (int y = 0; y <= 1024; ++y) {
            p.setPen(QPen(ColorFondo(y), 1, Qt::SolidLine));
            const int yy = static_cast<int>(y * escala);
            p.drawLine(0, yy, tam.width(), yy);
        }
    }
    QPalette paleta = ventana->palette();
    paleta.setBrush(QPalette::Window, QBrush(superficie));
    paleta.setColor(QPalette::WindowText, Qt::white);
    ventana->setPalette(paleta);
    ventana->setAutoFillBackground(true);
}

namespace {

// Scales the window the first time it is shown and repaints its backdrop on
// every resize.
class Apertura : public QObject {
public:
    Apertura(QWidget* ventana, bool conFondo) : QObject(ventana), conFondo_(conFondo) {}
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        auto* ventana = static_cast<QWidget*>(objeto);
        if (evento->type() == QEvent::Show && !escalada_) {
            escalada_ = true;
            EscalarVentana(ventana);
        } else if (evento->type() == QEvent::Resize && conFondo_) {
            PintarFondo(ventana);
        }
        return false;
    }

private:
    bool conFondo_;
    bool escalada_ = false;
};

} // namespace

void PrepararVentana(QWidget* ventana, bool conFondo)
{
    ventana->setProperty(TAM_DISENO, ventana->size());
    ventana->installEventFilter(new Apertura(ventana, conFondo));
}

} // namespace cv
