#include "BancoCompilador.h"
#include "CarpetaPrueba.h"
#include "EtiquetaLineas.h"
#include "Lineas.h"
#include "Module1.h"
#include "VentanaPrueba.h"
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QTextBlock>
#include <QTextDocument>
#include <QListWidget>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>

namespace {
QString Gutter(int desde) {
    QString r;
    for (int n = desde; n < desde + 18; ++n) r += QString::number(n) + QStringLiteral(" \r\n");
    return r;
}
}   // namespace

TEST(Ventana, StartsWithTitleWelcomeTextGutterAndNamesUntilTheFirstKey) {
    VentanaPrueba w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Orvo - Interfaz de Comandos v2.0.0"));
    EXPECT_TRUE(w.windowIcon().availableSizes().contains(QSize(48, 48)));
    EXPECT_EQ(w.tx_Arch->text(), QStringLiteral("[Archivo nuevo]"));
    EXPECT_EQ(w.tx_NroLin->text(), Gutter(1));
    EXPECT_EQ(w.Cmd().Text(), QStringLiteral("Escriba aqui los comandos ...\r\n\r\nPresione F1 o escriba '?' "
                                             "[Enter]\r\npara ver la ayuda"));
    for (int i : {0, 40, w.Cmd().Length() - 1}) EXPECT_EQ(w.Cmd().ColorEn(i), Colores::Gris) << i;
    EXPECT_EQ(w.Cmd().SelStart(), 0);
    EXPECT_FALSE(w.mn_Guardar->isEnabled());
    EXPECT_FALSE(Module1::v_Modificado);
    EXPECT_FALSE(w.tx_Tip->isVisible());
    // (The code pane's and the gutter's names: VistaCodigo and FilaEstado tests.)
    EXPECT_EQ(w.tx_Cmd->accessibleName(), QStringLiteral("Comandos"));
    EXPECT_EQ(w.lst_Debug->accessibleName(), QStringLiteral("Debug"));
    EXPECT_EQ(w.Label7->text(), QString(25, u' ') + QStringLiteral("Actualizando ..."));
    // Client area 10695 x 6795 twips.
    EXPECT_EQ(w.centralWidget()->size(), QSize(w.Escala().Px(10695), w.Escala().Px(6795)));

    // The first key clears the welcome text and enables saving.
    w.Escribir(QStringLiteral("i"));
    EXPECT_EQ(w.Cmd().Text(), QStringLiteral("i"));
    EXPECT_EQ(w.Cmd().ColorEn(0), Colores::Negro);
    EXPECT_FALSE(w.v_PrimerUso);
    EXPECT_TRUE(w.mn_Guardar->isEnabled());
    EXPECT_TRUE(Module1::v_Modificado);
}

TEST(Ventana, MovingWithinALineNeverCompilesEnterCompilesAndErrorsFillTheDebugList) {
    VentanaPrueba w;
    w.Escribir(QStringLiteral("inia 1x"));
    for (Qt::Key k : {Qt::Key_Left, Qt::Key_Home, Qt::Key_End, Qt::Key_Backspace, Qt::Key_Delete}) w.Tecla(k);
    EXPECT_EQ(w.Pasadas(), 0);
    EXPECT_EQ(w.Cod().Text(), QString());
    w.Tecla(Qt::Key_Return);
    EXPECT_EQ(w.Pasadas(), 1);
    EXPECT_EQ(w.Linea(0), QStringLiteral("INIA 1"));
    EXPECT_EQ(w.Cod().Text(), QStringLiteral("02 52 31 41 03 23\r\n\r\n"));
    EXPECT_EQ(w.Cmd().ColorEn(0), Colores::AzulOscuro);
    EXPECT_EQ(w.Cmd().ColorEn(5), Colores::Magenta);
    EXPECT_EQ(LineaActual(w.Cmd()), 1);
    EXPECT_EQ(w.Comp().LinAntCmd, 1);
    EXPECT_FALSE(w.tx_Cod->isHidden());
    // The next line types in black.
    w.Escribir(QStringLiteral("hola 1"));
    EXPECT_EQ(w.Cmd().ColorEn(w.Cmd().LineIndex(1)), Colores::Negro);
    EXPECT_EQ(w.Pasadas(), 1);
    // Shift+Enter is a plain Enter.
    w.Tecla(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(w.Pasadas(), 2);
    EXPECT_EQ(w.Cmd().Text(), QStringLiteral("INIA 1\r\nhola 1\r\n"));
    ASSERT_EQ(w.lst_Debug->count(), 1);
    EXPECT_EQ(w.lst_Debug->item(0)->text(), QStringLiteral("Linea 2 - ERROR! Comando desconocido: HOLA"));
    EXPECT_EQ(w.Cmd().ColorEn(w.Cmd().LineIndex(1)), Colores::Rojo);
}

TEST(Ventana, ArrowKeysCompileTheLineLeftUnlessASelectionWasThere) {
    VentanaPrueba w;
    w.Lineas({QStringLiteral("inia 1"), QStringLiteral("lreg 2")});
    w.Caret(0, 3);
    w.Tecla(Qt::Key_Down);
    EXPECT_EQ(w.Pasadas(), 1);
    // The chain goes on through the command line below the one left.
    EXPECT_EQ(w.Linea(0), QStringLiteral("INIA 1"));
    EXPECT_EQ(w.Linea(1), QStringLiteral("LREG 2"));
    w.Tecla(Qt::Key_Up);
    EXPECT_EQ(w.Pasadas(), 2);

    // A selection made with Shift+arrows, then a move to another line: no pass.
    w.Tecla(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_GE(w.LastSelLen, 1);
    w.Tecla(Qt::Key_Down);
    EXPECT_EQ(w.Pasadas(), 2);
}

// Backspace joining two lines compiles the joined line at once; Delete
// joining them waits until the caret leaves.
TEST(Ventana, JoiningLinesCompilesAtOnceByBackspaceAndOnLeavingByDelete) {
    VentanaPrueba w;
    w.Lineas({QStringLiteral("inia 1"), QStringLiteral("x")});
    w.Caret(1, 0);
    w.Tecla(Qt::Key_Backspace);
    EXPECT_EQ(w.Pasadas(), 1);
    EXPECT_EQ(w.Cmd().LineCount(), 1);
    EXPECT_EQ(w.Comp().LinAntCmd, 0);
    // "inia 1x" is an error line, coloured red.
    EXPECT_EQ(w.Cmd().ColorEn(0), Colores::Rojo);

    w.Lineas({QStringLiteral("inia"), QStringLiteral(" 1")});
    w.Caret(0, 4);
    w.Tecla(Qt::Key_Delete);
    EXPECT_EQ(w.Pasadas(), 1);
    EXPECT_EQ(w.Linea(0), QStringLiteral("inia 1"));
    w.Tecla(Qt::Key_End);
    w.Tecla(Qt::Key_Return);
    EXPECT_EQ(w.Pasadas(), 2);
    EXPECT_EQ(w.Linea(0), QStringLiteral("INIA 1"));
}

TEST(Ventana, DeletingASelectionCompilesTheCaretLine) {
    VentanaPrueba w;
    w.Lineas({QStringLiteral("inia 12"), QStringLiteral("lreg 2")});
    w.Caret(0, 6);
    w.Tecla(Qt::Key_Right, Qt::ShiftModifier);   // selects "2"; its release records LastSelLen
    ASSERT_EQ(w.LastSelLen, 1);
    w.Tecla(Qt::Key_Backspace);
    // One pass for the deleted selection; the chain it colours moves LinAntCmd
    // on to line 2, so the join rule runs a second one from the caret line.
    EXPECT_EQ(w.Pasadas(), 2);
    EXPECT_EQ(w.Linea(0), QStringLiteral("INIA 1"));
    EXPECT_EQ(w.Linea(1), QStringLiteral("LREG 2"));
}

TEST(Ventana, MouseClickOnAnotherLineCompilesTheLineOfTheLastKeyAtTheNextKey) {
    VentanaPrueba w;
    w.Lineas({QStringLiteral("inia 1"), QString(), QStringLiteral("lreg 2")});
    w.Caret(0, 6);
    w.Escribir(QStringLiteral(" "));   // the key release measures line 0
    const QRect r = w.tx_Cmd->cursorRect(QTextCursor(w.tx_Cmd->document()->findBlockByNumber(2)));
    QTest::mouseClick(w.tx_Cmd->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    EXPECT_EQ(LineaActual(w.Cmd()), 2);
    EXPECT_EQ(w.Pasadas(), 0);
    w.Tecla(Qt::Key_Right);
    EXPECT_EQ(w.Pasadas(), 1);
    EXPECT_EQ(w.Linea(0), QStringLiteral("INIA 1"));
    EXPECT_EQ(w.Linea(2), QStringLiteral("lreg 2"));
}

TEST(Ventana, PastedLinesArriveAsPlainLinesAndTheLineLeftCompiles) {
    VentanaPrueba w;
    w.Escribir(QStringLiteral("x"));
    w.Tecla(Qt::Key_Backspace);
    QApplication::clipboard()->setText(QStringLiteral("inia 1\r\nlreg 2\rack"));
    w.Tecla(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.Cmd().LineCount(), 3);
    EXPECT_EQ(LineaActual(w.Cmd()), 2);
    EXPECT_EQ(w.Pasadas(), 1);
    EXPECT_EQ(w.Cmd().Text(), QStringLiteral("INIA 1\r\nLREG 2\r\nACK"));
    EXPECT_EQ(w.Cod().Text(), QStringLiteral("02 52 31 41 03 23\r\n02 52 32 30 03 51\r\n06\r\n"));
}

// Keys typed while a pass or a load holds the pane are typed once it is
// free, in order, and a held key cannot pile up without bound.
TEST(Ventana, KeysTypedDuringAPassAreTypedWhenItEnds) {
    VentanaPrueba w;
    w.Escribir(QStringLiteral("inia"));
    w.tx_Cmd->SetBloqueada(true);
    w.EscribirLineas({" 1"});
    w.Escribir(QStringLiteral("lreg 2"));
    EXPECT_EQ(w.Cmd().Text(), QStringLiteral("inia"));
    w.tx_Cmd->SetBloqueada(false);
    QApplication::processEvents();
    EXPECT_EQ(w.Cmd().Text(), QStringLiteral("INIA 1\r\nlreg 2"));
    EXPECT_EQ(w.Pasadas(), 1);

    w.tx_Cmd->SetBloqueada(true);
    for (int i = 0; i < 1000; ++i) QTest::keyClick(w.tx_Cmd, Qt::Key_X);
    w.tx_Cmd->SetBloqueada(false);
    QApplication::processEvents();
    EXPECT_EQ(w.Cmd().TextoLinea(1), QStringLiteral("lreg 2") + QString(CajaRica::kTeclasGuardadas / 2, QLatin1Char('x')));
}

// While a pass stands on an action line (its window open), and while a file
// is loaded and compiled, keys and paste do not reach the command pane and
// the window refuses to close.
TEST(Ventana, InputAndClosingAreRefusedWhileAPassOrALoadRuns) {
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("t.txt"));
    ASSERT_TRUE(CarpetaPrueba::Escribir(ruta, "inia 1\r\nT\r\n"));
    for (bool abriendo : {false, true}) {
        VentanaPrueba w;
        QString texto;
        bool cerrada = true;   // what close() answered during the pass
        w.alTransmitir = [&] {
            texto = w.Cmd().Text();
            QTest::keyClicks(w.tx_Cmd, QStringLiteral("zz"));
            w.Tecla(Qt::Key_Return);
            QApplication::clipboard()->setText(QStringLiteral("pegado"));
            w.Tecla(Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(w.Cmd().Text(), texto) << abriendo;
            cerrada = w.close();
        };
        if (abriendo) {
            w.AbrirPorMenu(ruta);
        } else {
            w.EscribirLineas({"inia 1", "t"});
        }
        ASSERT_EQ(w.transmisiones, 1) << abriendo;
        EXPECT_FALSE(cerrada) << abriendo;
        EXPECT_TRUE(w.isVisible()) << abriendo;
        EXPECT_TRUE(w.preguntas.isEmpty()) << "refused before asking to save";
        EXPECT_EQ(w.Cmd().Text(), QStringLiteral("INIA 1\r\n")) << abriendo;
        // Once the pass is over the pane takes keys again.
        w.Escribir(QStringLiteral("a"));
        EXPECT_EQ(w.Cmd().Text(), QStringLiteral("INIA 1\r\na")) << abriendo;
    }
}

// A cut, a paste over a selection, a middle-click paste and an undo change
// more than the caret's line: the code pane shows the new code at once, not
// when the caret next leaves the line.
TEST(Ventana, EditsOverSeveralLinesBringTheCodePaneUpToDateAtOnce) {
    struct Caso {
        const char* nombre;
        std::function<void(VentanaPrueba&)> editar;
        std::function<void(VentanaPrueba&)> preparar = {};
    };
    auto seleccionarDosLineas = [](VentanaPrueba& w) {
        w.Tecla(Qt::Key_Home, Qt::ControlModifier);
        w.Tecla(Qt::Key_Down, Qt::ShiftModifier);
        w.Tecla(Qt::Key_End, Qt::ShiftModifier);
    };
    const std::vector<Caso> casos{
        {"cortar", [&](VentanaPrueba& w) {
             seleccionarDosLineas(w);
             w.Tecla(Qt::Key_X, Qt::ControlModifier);
         }},
        {"pegar sobre una seleccion", [&](VentanaPrueba& w) {
             QApplication::clipboard()->setText(QStringLiteral("ack\nbreg 1"));
             seleccionarDosLineas(w);
             w.Tecla(Qt::Key_V, Qt::ControlModifier);
         }},
        {"pegar con el boton del medio", [](VentanaPrueba& w) {
             QApplication::clipboard()->setText(QStringLiteral("ack\nbreg 1\n"), QClipboard::Selection);
             const QRect r = w.tx_Cmd->cursorRect(QTextCursor(w.tx_Cmd->document()->findBlockByNumber(1)));
             QTest::mouseClick(w.tx_Cmd->viewport(), Qt::MiddleButton, Qt::NoModifier, r.center());
         }},
        {"un lector de pantalla reemplaza dos lineas", [](VentanaPrueba& w) {
             QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.tx_Cmd);
             a->editableTextInterface()->replaceText(0, 13, QStringLiteral("ack\nbreg 1"));
         }},
        {"deshacer", [](VentanaPrueba& w) { w.Tecla(Qt::Key_Z, Qt::ControlModifier); }, [&](VentanaPrueba& w) {
             seleccionarDosLineas(w);
             w.Tecla(Qt::Key_Delete);
             w.Tecla(Qt::Key_Down); }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        if (std::string(caso.nombre).find("medio") != std::string::npos && !QApplication::clipboard()->supportsSelection())
            continue;   // no selection clipboard on this platform
        VentanaPrueba w;
        w.EscribirLineas({"inia 1", "lreg 2", "inia 3"});
        if (caso.preparar) caso.preparar(w);
        const QString antes = Mostrada(w.tx_Cod).texto;
        caso.editar(w);
        const QStringList comandos = w.Cmd().Text().split(QStringLiteral("\r\n"));
        Banco b(comandos);
        b.Compilar(-1);
        const QString esperado = b.cod.Text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        EXPECT_NE(esperado, antes) << "the edit changes the code";
        EXPECT_EQ(Mostrada(w.tx_Cod).texto, esperado) << w.Cmd().Text().toStdString();
    }
}

// On a long list without blank lines the chain runs through every line below
// the one left; those already as the pass writes them are left alone: only
// the line changed is rewritten (one undo step, not one per line), and going
// back up rewrites nothing at all.
TEST(Ventana, LeavingALineOfALongListRewritesOnlyThatLine) {
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("tarjetas.txt"));
    QByteArray tarjetas;
    for (int i = 0; i < 3000; ++i) tarjetas += "AING 1, " + QByteArray::number(10000 + i) + ", A, B\r\n";
    ASSERT_TRUE(CarpetaPrueba::Escribir(ruta, tarjetas));
    VentanaPrueba w;
    w.AbrirPorMenu(ruta);
    QTextDocument* doc = w.tx_Cmd->document();
    const Pantalla ultima = Mostrada(w.tx_Cmd);
    w.Tecla(Qt::Key_Home, Qt::ControlModifier);
    for (int vez = 0; vez < 3; ++vez) {
        SCOPED_TRACE(vez);
        w.Tecla(Qt::Key_Home);
        w.Tecla(Qt::Key_Delete);
        w.Tecla(Qt::Key_A);
        const int pasos = doc->availableUndoSteps();
        w.Tecla(Qt::Key_Down);
        EXPECT_EQ(w.Linea(0), QStringLiteral("AING 1, 10000, A, B"));
        EXPECT_LT(doc->availableUndoSteps() - pasos, 20);
        const int tras = doc->availableUndoSteps();
        const int pasadas = w.Pasadas();
        w.Tecla(Qt::Key_Up);
        EXPECT_EQ(w.Pasadas(), pasadas + 1);
        EXPECT_EQ(doc->availableUndoSteps(), tras);
    }
    // What the user sees is what the file showed when opened.
    EXPECT_EQ(Mostrada(w.tx_Cmd), ultima);
}

// Rows carry a fixed height as a paragraph format; on an empty line the text
// widget would take Enter as "end that format" and drop the line break.
TEST(Ventana, EnterInAnEmptiedPaneStartsANewLine) {
    const std::vector<std::pair<const char*, std::function<void(VentanaPrueba&)>>> vaciados{
        {"first key of the session", [](VentanaPrueba&) {}},
        {"last character erased",
         [](VentanaPrueba& w) {
             w.Escribir(QStringLiteral("a"));
             w.Tecla(Qt::Key_Backspace);
         }},
        {"everything cut",
         [](VentanaPrueba& w) {
             w.EscribirLineas({"inia 1", "inia 2"});
             w.Tecla(Qt::Key_A, Qt::ControlModifier);
             w.Tecla(Qt::Key_X, Qt::ControlModifier);
         }},
    };
    for (const auto& [caso, vaciar] : vaciados) {
        VentanaPrueba w;
        vaciar(w);
        w.Tecla(Qt::Key_Return);
        w.Escribir(QStringLiteral("abc"));
        EXPECT_EQ(Mostrada(w.tx_Cmd).texto, QStringLiteral("\nabc")) << caso;
        EXPECT_EQ(LineaActual(w.Cmd()), 1) << caso;
        // The new row keeps the pane's row height: the gutter's numbers stay level with it.
        EXPECT_EQ(w.tx_Cmd->document()->lastBlock().blockFormat(), w.tx_Cmd->document()->firstBlock().blockFormat())
            << caso;
    }
}
