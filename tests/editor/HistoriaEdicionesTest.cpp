// Undo and redo in the window, read from the screen: they step through the
// user's edits only, each with the rewrite and colours it had; the welcome
// text, a file just opened and a new script are never undone.
#include "CarpetaPrueba.h"
#include "VentanaPrueba.h"
#include <QDir>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {
// The command pane, the code pane and the debug list as shown.
struct Foto {
    Pantalla cmd;
    QString cod;
    QStringList debug;
    bool operator==(const Foto&) const = default;
};

void PrintTo(const Foto& f, std::ostream* os) {
    PrintTo(f.cmd, os);
    *os << " / " << f.cod.toStdString() << " / " << f.debug.join(u'|').toStdString();
}

Foto Tomar(VentanaPrueba& w) {
    Foto f{Mostrada(w.tx_Cmd), Mostrada(w.tx_Cod).texto, {}};
    for (int i = 0; i < w.lst_Debug->count(); ++i) f.debug << w.lst_Debug->item(i)->text();
    return f;
}

void Deshacer(VentanaPrueba& w) { w.Tecla(Qt::Key_Z, Qt::ControlModifier); }
}   // namespace

TEST(Historia, UndoAndRedoStepThroughTheUsersEditsWithTheirOwnRewriteAndColours) {
    VentanaPrueba w;
    w.Tecla(Qt::Key_End);   // the welcome text goes
    std::vector<Foto> fotos{Tomar(w)};
    for (const QString& linea : {QStringLiteral("inia 1"), QStringLiteral("lreg 0"), QStringLiteral("-- nota"),
                                 QStringLiteral("inia 2")}) {
        w.EscribirLineas({linea});
        fotos.push_back(Tomar(w));
    }
    // An error line keeps its text and turns red.
    ASSERT_EQ(fotos.back().cmd.texto, QStringLiteral("INIA 1\nlreg 0\n-- nota\nINIA 2\n"));
    ASSERT_EQ(fotos[1].cmd.colores[0], QStringLiteral("INIA:rgb(0,0,128)| 1:rgb(255,0,255)"));
    ASSERT_FALSE(fotos[2].debug.isEmpty());

    for (int k = static_cast<int>(fotos.size()) - 2; k >= 0; --k) {
        Deshacer(w);
        EXPECT_EQ(Tomar(w), fotos[k]) << "undo to step " << k;
    }
    // Nothing before the first edit: the welcome text never comes back.
    Deshacer(w);
    EXPECT_EQ(Tomar(w), fotos[0]);
    EXPECT_EQ(w.Cmd().Text(), QString());

    // Ctrl+Y and Ctrl+Shift+Z both redo.
    for (size_t k = 1; k < fotos.size(); ++k) {
        if (k % 2)
            w.Tecla(Qt::Key_Y, Qt::ControlModifier);
        else
            w.Tecla(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(Tomar(w), fotos[k]) << "redo to step " << k;
    }
}

TEST(Historia, RedoOutlivesPassesUntilTheUserTypes) {
    VentanaPrueba w;
    w.EscribirLineas({"inia 1", "inia 2", "inia 3"});
    const Foto tres = Tomar(w);
    Deshacer(w);
    const Foto dos = Tomar(w);
    Deshacer(w);
    // Moving about runs passes over lines already rewritten: they change nothing.
    const int pasadas = w.Pasadas();
    w.Tecla(Qt::Key_Up);
    w.Tecla(Qt::Key_Up);
    w.Tecla(Qt::Key_Down);
    w.Tecla(Qt::Key_Down);
    ASSERT_GT(w.Pasadas(), pasadas);
    w.Tecla(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Tomar(w), dos);
    w.Tecla(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Tomar(w), tres);

    // Typed after an undo: what was undone is gone for good.
    Deshacer(w);
    w.Escribir(QStringLiteral("lreg 0"));
    const Foto tecleado = Tomar(w);
    w.Tecla(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Tomar(w), tecleado);
}

// Opening a file and New start a fresh history; the file's text and the
// empty script cannot be undone into what was there before.
TEST(Historia, NewAndOpenStartAFreshHistory) {
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("guion.txt"));
    ASSERT_TRUE(CarpetaPrueba::Escribir(ruta, "INIA 1\r\nLREG 2\r\n"));
    for (const bool abrir : {false, true}) {
        SCOPED_TRACE(abrir ? "Abrir" : "Nuevo");
        VentanaPrueba w;
        w.EscribirLineas({"inia 7"});
        w.Escribir(QStringLiteral("borrador"));
        w.botones << QMessageBox::No;
        if (abrir) {
            w.AbrirPorMenu(ruta);
        } else {
            w.mn_Nuevo_Click();
        }
        const Foto antes = Tomar(w);
        ASSERT_EQ(antes.cmd.texto, abrir ? QStringLiteral("INIA 1\nLREG 2\n") : QString());
        Deshacer(w);
        Deshacer(w);
        EXPECT_EQ(Tomar(w), antes);
        EXPECT_EQ(w.tx_Arch->text(), abrir ? QDir::toNativeSeparators(ruta) : QStringLiteral("[Archivo nuevo]"));
        // And the user's first edit after it is undone as usual.
        w.Tecla(Qt::Key_End, Qt::ControlModifier);
        w.EscribirLineas({"inia 3"});
        Deshacer(w);
        EXPECT_EQ(Tomar(w), antes);
    }
}
