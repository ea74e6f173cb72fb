#include "shell/Comun.h"

#include <QFileDialog>
#include <QKeyEvent>

#include "core/Ficheros.h"
#include "core/TextoNumerico.h"

namespace cv {

void Aviso(QWidget* padre, const QString& texto, QMessageBox::Icon icono)
{
    QMessageBox caja(icono, NOMBRE_EJECUTABLE, texto, QMessageBox::Ok, padre);
    caja.setWindowModality(Qt::ApplicationModal);
    caja.exec();
}

bool Pregunta(QWidget* padre, const QString& texto, QMessageBox::Icon icono)
{
    QMessageBox caja(icono, NOMBRE_EJECUTABLE, texto, QMessageBox::Yes | QMessageBox::No, padre);
    caja.setWindowModality(Qt::ApplicationModal);
    return caja.exec() == QMessageBox::Yes;
}

namespace {

// "Texto|*.txt|Todos|*.*" becomes "Texto (*.txt);;Todos (*.*)".
QString FiltroQt(const QString& filtro)
{
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList filtros;
    for (int i = 0; i + 1 < partes.size(); i += 2) {
        const QString descripcion = partes[i].trimmed();
        // A description that already shows its pattern in brackets is a
        // filter as it stands.
        if (descripcion.endsWith(QLatin1Char(')')) && descripcion.contains(QLatin1Char('(')))
            filtros << descripcion;
        else
            filtros << QStringLiteral("%1 (%2)").arg(descripcion, QString(partes[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
    }
    return filtros.join(QStringLiteral(";;"));
}

std::optional<QString> Elegir(QWidget* padre, const DialogoFichero& d, QFileDialog::AcceptMode modo)
{
    QFileDialog dialogo(padre, d.titulo);
    dialogo.setObjectName(QStringLiteral("dlgFichero"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog, true);
    dialogo.setAcceptMode(modo);
    dialogo.setFileMode(modo == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialogo.setNameFilter(FiltroQt(d.filtro));
    dialogo.setDefaultSuffix(d.extension);
    // With several file types, the one chosen gives the extension a name
    // typed without one receives.
    QObject::connect(&dialogo, &QFileDialog::filterSelected, &dialogo, [&dialogo](const QString& filtro) {
        const qsizetype i = filtro.indexOf(QStringLiteral("*."));
        if (i >= 0)
            dialogo.setDefaultSuffix(filtro.mid(i + 2).section(QLatin1Char(')'), 0, 0).section(QLatin1Char(' '), 0, 0));
    });
    if (!d.nombreInicial.isEmpty())
        dialogo.selectFile(d.nombreInicial);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return std::nullopt;
    return dialogo.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> ElegirFicheroAbrir(QWidget* padre, const DialogoFichero& d)
{
    return Elegir(padre, d, QFileDialog::AcceptOpen);
}

std::optional<QString> ElegirFicheroGuardar(QWidget* padre, const DialogoFichero& d)
{
    return Elegir(padre, d, QFileDialog::AcceptSave);
}

bool GuardarTexto(QWidget* padre, const QString& ruta, std::string_view texto, const QString& mensajeError)
{
    const ResultadoFichero r = EscribirFichero(S(ruta), texto);
    if (!r.ok)
        Aviso(padre, mensajeError + Q(r.descripcion), QMessageBox::Critical);
    return r.ok;
}

bool LeerTexto(QWidget* padre, const QString& ruta, std::string& datos, const QString& mensajeError)
{
    const ResultadoFichero r = LeerFichero(S(ruta), datos);
    if (!r.ok)
        Aviso(padre, mensajeError + Q(r.descripcion), QMessageBox::Critical);
    return r.ok;
}

namespace {

bool EsEnter(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

// Filters the characters typed into one field.
class FiltroTeclas : public QObject {
public:
    FiltroTeclas(QLineEdit* campo, TipoCampo tipo) : QObject(campo), tipo_(tipo) {}

    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() != QEvent::KeyPress)
            return false;
        auto* e = static_cast<QKeyEvent*>(evento);
        const QString texto = e->text();
        // Keys that type nothing (arrows, Delete, shortcuts) are not characters.
        if (texto.isEmpty() || e->key() == Qt::Key_Backspace || EsEnter(e))
            return false;
        if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        if (texto.at(0).unicode() < 0x20)
            return false;
        switch (tipo_) {
        case TipoCampo::ConSigno:
            if (texto == QLatin1String("-")) {
                const auto* c = static_cast<QLineEdit*>(objeto);
                const bool delante = c->hasSelectedText() ? c->selectionStart() == 0 : c->cursorPosition() == 0;
                return !(delante && (c->hasSelectedText() || !c->text().startsWith(QLatin1Char('-'))));
            }
            [[fallthrough]];
        case TipoCampo::Numerico:
            return !(texto.size() == 1 && (texto.at(0).isDigit() || texto.at(0) == QLatin1Char('.'))
                     && texto.at(0).unicode() < 0x80);
        case TipoCampo::Entero:
            return !(texto.size() == 1 && texto.at(0).unicode() >= '0' && texto.at(0).unicode() <= '9');
        case TipoCampo::Nombre: {
            const QString mayusculas = texto.toUpper();
            if (mayusculas == texto)
                return false;
            static_cast<QLineEdit*>(objeto)->insert(mayusculas);
            return true;
        }
        case TipoCampo::Libre:
            return false;
        }
        return false;
    }

private:
    TipoCampo tipo_;
};

} // namespace

void FiltrarTeclas(QLineEdit* campo, TipoCampo tipo)
{
    campo->installEventFilter(new FiltroTeclas(campo, tipo));
}

OrdenCampos::OrdenCampos(QObject* padre, QList<QLineEdit*> campos, std::function<void()> alFinal, bool flechas)
    : QObject(padre), campos_(std::move(campos)), alFinal_(std::move(alFinal)), flechas_(flechas)
{
    for (QLineEdit* c : campos_)
        c->installEventFilter(this);
}

bool OrdenCampos::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() != QEvent::KeyPress)
        return false;
    const int k = campos_.indexOf(static_cast<QLineEdit*>(objeto));
    if (k < 0)
        return false;
    auto* e = static_cast<QKeyEvent*>(evento);
    const int ultimo = static_cast<int>(campos_.size()) - 1;
    if (EsEnter(e)) {
        if (k < ultimo)
            campos_[k + 1]->setFocus();
        else if (alFinal_)
            alFinal_();
        return true; // Enter never reaches a dialog's default button
    }
    if (flechas_ && e->key() == Qt::Key_Up) {
        if (k > 0)
            campos_[k - 1]->setFocus();
        return true;
    }
    if (flechas_ && e->key() == Qt::Key_Down) {
        if (k < ultimo)
            campos_[k + 1]->setFocus();
        return true;
    }
    return false;
}

QLineEdit* CrearCampo(QWidget* ventana, const QString& nombre, const QRect& geometria, const QString& ayuda)
{
    auto* campo = new QLineEdit(ventana);
    campo->setObjectName(nombre);
    campo->setGeometry(geometria);
    if (!ayuda.isEmpty())
        campo->setToolTip(ayuda);
    return campo;
}

QLineEdit* CrearCampo(QWidget* ventana, const QString& array, int indice, const QRect& geometria,
                      const QString& ayuda)
{
    return CrearCampo(ventana, QStringLiteral("%1_%2").arg(array).arg(indice), geometria, ayuda);
}

QLabel* CrearEtiqueta(QWidget* ventana, const QString& nombre, const QString& texto, const QRect& geometria)
{
    auto* etiqueta = new QLabel(texto, ventana);
    etiqueta->setObjectName(nombre);
    etiqueta->setGeometry(geometria);
    return etiqueta;
}

QPushButton* CrearBoton(QWidget* ventana, const QString& nombre, const QString& texto, const QRect& geometria,
                        const QString& ayuda)
{
    auto* boton = new QPushButton(texto, ventana);
    boton->setObjectName(nombre);
    boton->setGeometry(geometria);
    boton->setAutoDefault(false);
    if (!ayuda.isEmpty())
        boton->setToolTip(ayuda);
    return boton;
}

QPushButton* CrearBotonDibujo(QWidget* ventana, const QString& nombre, QStyle::StandardPixmap dibujo,
                              const QRect& geometria, const QString& ayuda)
{
    QPushButton* boton = CrearBoton(ventana, nombre, QString(), geometria, ayuda);
    boton->setIcon(ventana->style()->standardIcon(dibujo));
    return boton;
}

QLabel* CrearCasilla(QWidget* ventana, const QString& nombre, const QRect& geometria)
{
    QLabel* casilla = CrearEtiqueta(ventana, nombre, QString(), geometria);
    casilla->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return casilla;
}

QFont FuenteFija(bool pasoFijo)
{
    QFont fija(QStringLiteral("Courier New"));
    fija.setStyleHint(QFont::TypeWriter);
    if (pasoFijo)
        fija.setFixedPitch(true);
    return fija;
}

Lista* CrearLista(QWidget* ventana, const QString& nombre, const QRect& geometria, const QString& ayuda,
                  FilasLista filas, const QFont& fuente)
{
    auto* lista = new Lista(ventana);
    lista->setObjectName(nombre);
    lista->setGeometry(geometria);
    if (!ayuda.isEmpty())
        lista->setToolTip(ayuda);
    lista->setFont(fuente);
    if (filas == FilasLista::Uniformes)
        lista->setUniformItemSizes(true);
    return lista;
}

void PonerColorTexto(QLabel* etiqueta, const QColor& color)
{
    QPalette p = etiqueta->palette();
    p.setColor(QPalette::WindowText, color);
    etiqueta->setPalette(p);
}

QTimer* CrearIntermitencia(QWidget* ventana)
{
    auto* tim = new QTimer(ventana);
    tim->setObjectName(QStringLiteral("timIntermitencia"));
    tim->setInterval(650);
    return tim;
}

QTimer* CrearPendiente(QWidget* ventana, std::function<void()> accion)
{
    auto* pendiente = new QTimer(ventana);
    pendiente->setSingleShot(true);
    pendiente->setInterval(0);
    QObject::connect(pendiente, &QTimer::timeout, ventana, std::move(accion));
    return pendiente;
}

void PrepararIntermitentes(const QList<QLabel*>& etiquetas)
{
    for (QLabel* l : etiquetas) {
        QPalette p = l->palette();
        p.setColor(QPalette::Window, BLANCO_INTERMITENCIA);
        l->setPalette(p);
        l->setAutoFillBackground(true);
        PonerColorTexto(l, AZUL_INTERMITENCIA);
    }
}

void AlternarIntermitentes(const QList<QLabel*>& etiquetas)
{
    if (etiquetas.isEmpty())
        return;
    const QColor color = etiquetas.constFirst()->palette().color(QPalette::WindowText) == AZUL_INTERMITENCIA
                             ? BLANCO_INTERMITENCIA
                             : AZUL_INTERMITENCIA;
    for (QLabel* l : etiquetas)
        PonerColorTexto(l, color);
}

bool EsNumero(const QLineEdit* campo)
{
    return ::EsNumero(S(campo->text()));
}

double LeerNumero(const QLineEdit* campo)
{
    return ::LeerNumero(S(campo->text()));
}

} // namespace cv
