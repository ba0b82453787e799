#include "fr_Herramientas.h"
#include "Bytes.h"
#include "Medidas.h"
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <algorithm>

namespace {
QFont Courier9(bool negrita) {
    QFont f(QStringLiteral("Courier New"), 9);
    f.setStyleHint(QFont::TypeWriter);
    f.setBold(negrita);
    return f;
}

// A box never smaller than its text needs, whatever the twips say.
void Ubicar(QWidget* w, QRect r) {
    r.setHeight(std::max(r.height(), w->sizeHint().height()));
    w->setGeometry(r);
}
}  // namespace

fr_Herramientas::fr_Herramientas(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("fr_Herramientas"));
    setWindowTitle(QStringLiteral("Herramientas"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

    Label1 = new QLabel(QStringLiteral("Linea"), this);
    Label1->setGeometry(RectTwips(120, 120, 1935, 255, this));

    tx_String = new QLineEdit(this);
    tx_String->setObjectName(QStringLiteral("tx_String"));
    tx_String->setAccessibleName(QStringLiteral("Linea"));
    tx_String->setFont(Courier9(false));
    Label1->setBuddy(tx_String);

    Label2 = new QLabel(QStringLiteral("XOR"), this);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    tx_XOR = new QLineEdit(this);
    tx_XOR->setObjectName(QStringLiteral("tx_XOR"));
    tx_XOR->setAccessibleName(QStringLiteral("XOR"));
    tx_XOR->setFont(Courier9(true));
    tx_XOR->setAlignment(Qt::AlignCenter);
    tx_XOR->setReadOnly(true);   // a result: typing there would only mislead
    tx_XOR->setFocusPolicy(Qt::ClickFocus);
    QPalette pal = tx_XOR->palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 192));
    tx_XOR->setPalette(pal);

    Ubicar(tx_String, RectTwips(120, 480, 7575, 285, this));
    // Two bold digits and the box's frame must fit.
    QRect rXor = RectTwips(7800, 480, 495, 285, this);
    rXor.setWidth(std::max(rXor.width(), tx_XOR->fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 8));
    Ubicar(tx_XOR, rXor);
    Label2->setGeometry(rXor.left(), PxTwips(240, this), rXor.width(), PxTwips(255, this));

    const int margen = PxTwips(120, this);
    setFixedSize(std::max(PxTwips(8595, this), rXor.right() + margen),
                 std::max(PxTwips(1005, this), tx_String->geometry().bottom() + margen));

    connect(tx_String, &QLineEdit::returnPressed, this, &fr_Herramientas::CalcularXOR);
    tx_String->setFocus();
}

void fr_Herramientas::CalcularXOR() { tx_XOR->setText(f_BCC(tx_String->text())); }
