#include "ContratoPanel.h"
#include "Lineas.h"
#include <QStringList>

namespace {
const QString CRLF = QStringLiteral("\r\n");
}

TEST_P(ContratoPanel, LineRoutinesCountLineBreaksAsTwoCharactersAndTheCaretLineFollowsSelStart) {
    auto p = Nuevo(QStringLiteral("A\r\nBC"));
    EXPECT_EQ(p->Length(), 5);
    EXPECT_EQ(p->LineCount(), 2);
    EXPECT_EQ(p->LineFromChar(3), 1);
    EXPECT_EQ(p->LineFromChar(0), 0);
    EXPECT_EQ(p->LineFromChar(1), 0);   // the CR belongs to line 0
    EXPECT_EQ(InicioLinea(*p, 1), 3);
    EXPECT_EQ(InicioLinea(*p, 0), 0);
    EXPECT_EQ(LargoLinea(*p, 3), 3);
    EXPECT_EQ(LargoLinea(*p, 0), 2);
    EXPECT_EQ(InicioLinea(*p, 2), -1);
    EXPECT_EQ(InicioLinea(*p, 99), -1);

    // The caret's line follows SelStart.
    p = Nuevo(QStringLiteral("uno\r\ndos\r\ntres"));
    p->SetSelStart(0);
    EXPECT_EQ(LineaActual(*p), 0);
    p->SetSelStart(5);
    EXPECT_EQ(LineaActual(*p), 1);
    p->SetSelStart(p->Length());
    EXPECT_EQ(LineaActual(*p), 2);
    EXPECT_EQ(p->SelStart(), 14);
}

TEST_P(ContratoPanel, SelTextReplacesAndInsertsWithCaretAfterIt) {
    auto p = Nuevo(QStringLiteral("inia 1\r\nlreg 2"));
    p->SetSelStart(0);
    p->SetSelLength(6);
    EXPECT_EQ(p->SelText(), QStringLiteral("inia 1"));
    p->SetSelText(QStringLiteral("INIA 1"));
    EXPECT_EQ(p->Text(), QStringLiteral("INIA 1\r\nlreg 2"));
    EXPECT_EQ(p->SelStart(), 6);
    EXPECT_EQ(p->SelLength(), 0);

    // Selecting a line with its CR LF and replacing it by "" removes the line.
    p->SetSelStart(0);
    p->SetSelLength(8);
    EXPECT_EQ(p->SelText(), QStringLiteral("INIA 1") + CRLF);
    p->SetSelText(QString());
    EXPECT_EQ(p->Text(), QStringLiteral("lreg 2"));
    EXPECT_EQ(p->LineCount(), 1);

    // Appending at the end, as the code pane does.
    p->SetSelStart(p->Length());
    p->SetSelText(QStringLiteral("06") + CRLF);
    EXPECT_EQ(p->Text(), QStringLiteral("lreg 206") + CRLF);
    EXPECT_EQ(p->LineCount(), 2);
    EXPECT_EQ(p->SelStart(), p->Length());
}

TEST_P(ContratoPanel, SettingSelStartEmptiesTheSelectionAndClamps) {
    auto p = Nuevo(QStringLiteral("abc"));
    p->SetSelStart(1);
    p->SetSelLength(2);
    EXPECT_EQ(p->SelLength(), 2);
    p->SetSelStart(2);
    EXPECT_EQ(p->SelLength(), 0);
    p->SetSelStart(100);
    EXPECT_EQ(p->SelStart(), 3);
    p->SetSelLength(100);
    EXPECT_EQ(p->SelLength(), 0);
}

TEST_P(ContratoPanel, EmptyTextHasOneEmptyLine) {
    auto p = Nuevo();
    EXPECT_EQ(p->Text(), QString());
    EXPECT_EQ(p->LineCount(), 1);
    EXPECT_EQ(InicioLinea(*p, 0), 0);
    EXPECT_EQ(LineaActual(*p), 0);
    EXPECT_EQ(LargoLinea(*p, 0), 1);
    auto q = Nuevo(QStringLiteral("x\r\n"));
    EXPECT_EQ(q->LineCount(), 2);
    EXPECT_EQ(InicioLinea(*q, 1), 3);
}

TEST_P(ContratoPanel, ScrollingIsClampedToTheText) {
    QString t;
    for (int i = 0; i < 100; ++i) t += QString::number(i) + CRLF;
    auto p = Nuevo(t);
    EXPECT_EQ(p->FirstVisibleLine(), 0);
    p->LineScroll(-5);
    EXPECT_EQ(p->FirstVisibleLine(), 0);
}

TEST_P(ContratoPanel, TextoLineaGivesOneLineWithoutItsBreak) {
    // A no-break space, a tab and a euro sign come back as they went in.
    const QString texto = QStringLiteral("uno\r\n\r\ntres\u00A0líneas\t€\r\n");
    auto p = Nuevo(texto);
    EXPECT_EQ(p->Text(), texto);
    EXPECT_EQ(p->Length(), texto.size());
    const QStringList lineas = texto.split(CRLF);
    for (int l = 0; l < lineas.size(); ++l) EXPECT_EQ(p->TextoLinea(l), lineas[l]) << l;
    EXPECT_EQ(p->TextoLinea(-1), QString());
    EXPECT_EQ(p->TextoLinea(static_cast<int>(lineas.size())), QString());
}
