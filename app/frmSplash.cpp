#include "app/frmSplash.h"

#include <QFrame>
#include <QLabel>

#include "app/MDIfrmMain.h"
#include "shell/modResIndependentForm.h"

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setGeometry(200, 180, 400, 200);

    auto* Label1 = new QLabel(QStringLiteral("CARTAVECTOR 3.0.2"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titulo(QStringLiteral("CityBlueprint"), 24, QFont::Bold);
    titulo.setStyleHint(QFont::SansSerif);
    Label1->setFont(titulo);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(10, 50, 380, 50);

    auto* Label2 = new QLabel(QStringLiteral("cálculos topográficos"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont subtitulo(QStringLiteral("CountryBlueprint"), 14);
    subtitulo.setStyleHint(QFont::Serif);
    Label2->setFont(subtitulo);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(10, 110, 380, 30);

    for (int i = 0; i < 2; ++i) {
        auto* linea = new QFrame(this);
        linea->setObjectName(QStringLiteral("Line%1").arg(i + 1));
        linea->setFrameShape(QFrame::HLine);
        linea->setStyleSheet(QStringLiteral("color: white;"));
        linea->setGeometry(30, i == 0 ? 40 : 150, 340, 3);
    }

    Reloj = new QTimer(this);
    Reloj->setObjectName(QStringLiteral("Reloj"));
    Reloj->setInterval(1000);
    Reloj->setSingleShot(true);
    connect(Reloj, &QTimer::timeout, this, &frmSplash::Tic);
    Reloj->start();

    cv::PrepararVentana(this);
}

void frmSplash::Tic()
{
    Reloj->stop();
    auto* principal = new MDIfrmMain();
    principal->setAttribute(Qt::WA_DeleteOnClose);
    principal->show();
    close();
}
