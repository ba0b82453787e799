#include "fr_Acerca.h"
#include "Icono.h"
#include "ImagenReloj.h"
#include "Module1.h"
#include "Twips.h"
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

fr_Acerca::fr_Acerca(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("fr_Acerca"));
    setWindowTitle(QStringLiteral("Acerca de Orvo"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setWindowIcon(IconoOrvo());
    const Twips tw(this);

    QFont letra(QStringLiteral("Lucida Sans"));
    letra.setPointSizeF(8.25);
    auto etiqueta = [&](const QString& texto, int top) {
        auto* l = new QLabel(texto, this);
        l->setFont(letra);
        l->setGeometry(tw.Rect(1560, top, 3975, 375));
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return l;
    };

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(tw.Rect(120, 120, 1320, 3390));
    Image2->setPixmap(ImagenReloj(Image2->size(), devicePixelRatioF()));
    Image2->setAccessibleName(QStringLiteral("Reloj Orvo"));

    Label1 = etiqueta(QStringLiteral("Orvo - Interfaz de Comandos Tirsa"), 240);
    tx_Ver = etiqueta(QStringLiteral("Versión"), 600);
    tx_Ver->setObjectName(QStringLiteral("tx_Ver"));
    Label2 = etiqueta(QStringLiteral("© Tirsa - Control de personal y acceso"), 1200);

    btn_Aceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    btn_Aceptar->setObjectName(QStringLiteral("btn_Aceptar"));
    btn_Aceptar->setGeometry(tw.Rect(3840, 3000, 1575, 375));
    btn_Aceptar->setDefault(true);
    connect(btn_Aceptar, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(tw.Px(5730), tw.Px(3585));
    MostrarVersion();
}

void fr_Acerca::MostrarVersion() { tx_Ver->setText(QStringLiteral("Versión ") + Module1::Version()); }

void fr_Acerca::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Centred on the screen, not on the window that opened it.
    if (const QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen())
        move(pantalla->availableGeometry().center() - rect().center());
    MostrarVersion();
}

void fr_Acerca::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) MostrarVersion();
}
