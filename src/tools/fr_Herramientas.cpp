#include "fr_Herramientas.h"
#include "Bytes.h"
#include "Fuentes.h"
#include "Icono.h"
#include "Twips.h"
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <algorithm>

fr_Herramientas::fr_Herramientas(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("fr_Herramientas"));
    setWindowTitle(QStringLiteral("Herramientas"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setWindowIcon(IconoOrvo());
    const Twips tw(this);

    Label1 = new QLabel(QStringLiteral("Linea"), this);
    Label1->setGeometry(tw.Rect(120, 120, 1935, 255));

    tx_String = new QLineEdit(this);
    tx_String->setObjectName(QStringLiteral("tx_String"));
    tx_String->setAccessibleName(QStringLiteral("Linea"));
    tx_String->setFont(FuenteCourier(9));
    Label1->setBuddy(tx_String);

    Label2 = new QLabel(QStringLiteral("XOR"), this);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    tx_XOR = new QLineEdit(this);
    tx_XOR->setObjectName(QStringLiteral("tx_XOR"));
    tx_XOR->setAccessibleName(QStringLiteral("XOR"));
    tx_XOR->setFont(FuenteCourier(9, true));
    tx_XOR->setAlignment(Qt::AlignCenter);
    tx_XOR->setReadOnly(true);   // a result: typing there would only mislead
    tx_XOR->setFocusPolicy(Qt::ClickFocus);
    QPalette pal = tx_XOR->palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 192));
    tx_XOR->setPalette(pal);

    tx_String->setGeometry(tw.Rect(120, 480, 7575, 285));
    // Two bold digits and the box's frame must fit.
    QRect rXor = tw.Rect(7800, 480, 495, 285);
    rXor.setWidth(std::max(rXor.width(), tx_XOR->fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 8));
    tx_XOR->setGeometry(rXor);
    Label2->setGeometry(rXor.left(), tw.Px(240), rXor.width(), tw.Px(255));

    const int margen = tw.Px(120);
    setFixedSize(std::max(tw.Px(8595), rXor.right() + margen), tw.Px(1005));

    connect(tx_String, &QLineEdit::returnPressed, this, &fr_Herramientas::CalcularXOR);
    tx_String->setFocus();
}

void fr_Herramientas::CalcularXOR() { tx_XOR->setText(f_BCC(tx_String->text())); }
