#include "GlobosLlanos.h"
#include <QApplication>
#include <QHelpEvent>
#include <QPointer>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

namespace {
class Filtro : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* objeto, QEvent* e) override {
        if (e->type() != QEvent::ToolTip || !objeto->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(objeto);
        const QString tip = w->toolTip();
        if (tip.isEmpty()) return false;   // item views and the like answer on their own
        const auto* ayuda = static_cast<QHelpEvent*>(e);
        QToolTip::showText(ayuda->globalPos(), GlobosLlanos::Escapado(tip), w, QRect(), w->toolTipDuration());
        return true;
    }
};
}   // namespace

QString GlobosLlanos::Escapado(const QString& texto) { return Qt::convertFromPlainText(texto, Qt::WhiteSpaceNoWrap); }

void GlobosLlanos::Instalar() {
    static QPointer<Filtro> filtro;
    if (filtro || !qApp) return;
    filtro = new Filtro(qApp);
    qApp->installEventFilter(filtro);
}
