// The command pane as a screen reader sees it. A reader hears of each change
// after it has happened, and asks about offsets from those announcements.
#include "VentanaPrueba.h"
#include <QAccessible>
#include <QStringList>
#include <gtest/gtest.h>

namespace {
QStringList v_Avisos;
QtMessageHandler v_Anterior = nullptr;

void Recoger(QtMsgType tipo, const QMessageLogContext& ctx, const QString& texto) {
    if (texto.contains(QStringLiteral("out of range"))) v_Avisos << texto;
    if (v_Anterior) v_Anterior(tipo, ctx, texto);
}

class Accesibilidad : public ::testing::Test {
protected:
    void SetUp() override {
        v_Avisos.clear();
        v_Anterior = qInstallMessageHandler(Recoger);
        w.EscribirLineas({"inia 1", "lreg 0"});
        w.Escribir(QStringLiteral("fech 1,5/12/2026"));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.tx_Cmd);
        ASSERT_TRUE(a && a->textInterface() && a->editableTextInterface());
        t = a->textInterface();
        e = a->editableTextInterface();
    }
    void TearDown() override { qInstallMessageHandler(v_Anterior); }
    VentanaPrueba w;
    QAccessibleTextInterface* t = nullptr;
    QAccessibleEditableTextInterface* e = nullptr;
};

QString Color(ColorRGB c) { return QStringLiteral("color:rgb(%1,%2,%3);").arg(c.r).arg(c.g).arg(c.b); }
}   // namespace

TEST_F(Accesibilidad, AReaderAskingAboutALineJustDeletedGetsTheTextAsItStands) {
    const int caret = t->cursorPosition();   // end of the line about to go
    w.Tecla(Qt::Key_Home, Qt::ShiftModifier);
    int desde = 0, hasta = 0;
    t->selection(0, &desde, &hasta);
    EXPECT_EQ(t->text(desde, hasta), QStringLiteral("fech 1,5/12/2026"));
    w.Tecla(Qt::Key_Backspace);
    const QString ahora = QStringLiteral("INIA 1\nlreg 0\n");
    ASSERT_EQ(t->characterCount(), ahora.size());
    ASSERT_GT(caret, ahora.size());

    // The offsets of the announcements the reader is still working through.
    int i = -1, f = -1;
    EXPECT_EQ(t->textAtOffset(caret, QAccessible::LineBoundary, &i, &f), QString());
    EXPECT_EQ(i, ahora.size());
    EXPECT_EQ(t->textAtOffset(caret - 1, QAccessible::CharBoundary, &i, &f), QString());
    EXPECT_EQ(t->text(desde, hasta), QString());
    EXPECT_EQ(t->text(0, caret), ahora);
    EXPECT_EQ(t->attributes(caret, &i, &f), QString());
    EXPECT_FALSE(t->characterRect(caret).isNull());
    t->setSelection(0, desde, hasta);
    t->setCursorPosition(caret);
    EXPECT_EQ(t->cursorPosition(), ahora.size());
    e->deleteText(desde, hasta);
    EXPECT_EQ(w.tx_Cmd->toPlainText(), ahora);
    EXPECT_TRUE(v_Avisos.isEmpty()) << v_Avisos.join(u'\n').toStdString();
}

TEST_F(Accesibilidad, AReaderReadsLinesColoursAndEditsWhereThePaneTakesInput) {
    int i = -1, f = -1;
    EXPECT_EQ(t->textAtOffset(9, QAccessible::LineBoundary, &i, &f), QStringLiteral("lreg 0"));
    EXPECT_EQ(t->textAtOffset(-2, QAccessible::LineBoundary, &i, &f), QStringLiteral("fech 1,5/12/2026"));
    // The colour of each run, as the compile pass left it.
    EXPECT_TRUE(t->attributes(0, &i, &f).contains(Color(w.Cmd().ColorEn(0))));
    EXPECT_EQ(i, 0);
    EXPECT_EQ(f, 4);   // "INIA", the value after it has a colour of its own
    EXPECT_TRUE(t->attributes(8, &i, &f).contains(Color(w.Cmd().ColorEn(w.Cmd().LineIndex(1)))));

    e->insertText(0, QStringLiteral("-- "));
    EXPECT_TRUE(w.tx_Cmd->toPlainText().startsWith(QStringLiteral("-- INIA 1\n")));
    w.tx_Cmd->SetBloqueada(true);   // as during a compile pass
    e->replaceText(0, 3, QStringLiteral("x"));
    w.tx_Cmd->SetBloqueada(false);
    EXPECT_TRUE(w.tx_Cmd->toPlainText().startsWith(QStringLiteral("-- INIA 1\n")));
}
