#include "fr_Ayuda.h"
#include "Icono.h"
#include "Module1.h"
#include "Twips.h"
#include <QAccessible>
#include <QAccessibleWidget>
#include <QPushButton>
#include <QResizeEvent>
#include <QTextBrowser>
#include <QUrl>
#include <algorithm>

namespace {
constexpr int kMargen = 120;         // twips, as the buttons' left margin
constexpr int kTopNavegador = 600;   // just below the row of buttons

// A plain widget shows itself to screen readers as a nameless filler; the
// help window is a window of its own, named by its title.
QAccessibleInterface* AccesibleAyuda(const QString& clase, QObject* objeto) {
    if (clase == QLatin1String("fr_Ayuda") && objeto && objeto->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(objeto), QAccessible::Window);
    return nullptr;
}
}   // namespace

fr_Ayuda::fr_Ayuda(QWidget* padre) : QWidget(padre, Qt::Window) {
    setObjectName(QStringLiteral("fr_Ayuda"));
    setWindowTitle(QStringLiteral("Ayuda"));
    setWindowIcon(IconoOrvo());
    static const bool fabrica = (QAccessible::installFactory(AccesibleAyuda), true);
    Q_UNUSED(fabrica);
    const Twips tw(this);
    setAttribute(Qt::WA_DeleteOnClose);
    // Help open beside the editor must not keep the program running.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto boton = [this, &tw](const char* nombre, const QString& texto, int left) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setGeometry(tw.Rect(left, 120, 1215, 375));
        b->setAutoDefault(false);
        return b;
    };
    btn_Principal = boton("btn_Principal", QStringLiteral("&Anterior"), 120);
    // A little apart from "&Anterior": side by side their borders would touch.
    Command1 = boton("Command1", QStringLiteral("&Siguiente"), 1440);
    Command2 = boton("Command2", QStringLiteral("&Cerrar"), 3000);

    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setAccessibleName(QStringLiteral("Ayuda"));
    Browser->setOpenLinks(true);
    Browser->setOpenExternalLinks(false);

    // Without a page to go to, back and forward do nothing.
    connect(btn_Principal, &QPushButton::clicked, Browser, &QTextBrowser::backward);
    connect(Command1, &QPushButton::clicked, Browser, &QTextBrowser::forward);
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);

    // Small enough to sit beside the editor, never so small the buttons hide.
    setMinimumSize(tw.Px(4215 + kMargen), tw.Px(kTopNavegador + 1200));
    resize(tw.Px(9150), tw.Px(7860));
    Browser->setGeometry(ReglaTamano(size()));
    IrAPagina(QStringLiteral("principal.htm"));
}

void fr_Ayuda::IrAPagina(const QString& pagina) {
    Browser->setSource(QUrl::fromLocalFile(Module1::CarpetaAyudaHtml() + QLatin1Char('/') + pagina));
}

QRect fr_Ayuda::ReglaTamano(QSize cliente) const {
    const Twips tw(this);
    const int margen = tw.Px(kMargen);
    const int top = tw.Px(kTopNavegador);
    return {margen, top, std::max(0, cliente.width() - 2 * margen), std::max(0, cliente.height() - top - margen)};
}

void fr_Ayuda::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Browser->setGeometry(ReglaTamano(e->size()));
}
