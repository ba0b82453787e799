// A wrong file opened by mistake: one line far longer than any script line.
#include "CarpetaPrueba.h"
#include "DiagramaFilas.h"
#include "VentanaPrueba.h"
#include "VistaCodigo.h"
#include <QImage>
#include <QListWidget>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {
// Longer than what a row draws, short enough to stay quick under the sanitizers.
constexpr int kLargo = DiagramaFilas::kColumnasVisibles + 10000;

// Whether the band of the first row shows red text in the right fifth of the view.
bool RojoAlFinal(QWidget* vista, int alturaFila) {
    const QImage imagen = vista->grab().toImage();
    for (int y = 0; y < std::min(imagen.height(), alturaFila + 4); ++y)
        for (int x = imagen.width() * 4 / 5; x < imagen.width(); ++x) {
            const QColor c = imagen.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100) return true;
        }
    return false;
}
}   // namespace

TEST(LineaLarga, AHugeLineIsDrawnToWhereThePaneEndsAndTheWindowStaysUsable) {
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("larga.txt"));
    const QByteArray bytes = QByteArray(kLargo, 'A') + "\r\n";
    CarpetaPrueba::Escribir(ruta, bytes);
    VentanaPrueba w;
    const QString guardado = CarpetaPrueba::Ruta(QStringLiteral("larga-guardada.txt"));
    w.archivos << ruta << guardado;
    w.mn_Abrir_Click();
    ASSERT_TRUE(w.avisos.isEmpty()) << w.avisos.join(u'\n').toStdString();

    // Both panes scroll as far as the row is drawn, and there the text shows.
    const qreal columna = w.tx_Cmd->fontMetrics().horizontalAdvance(u'M');
    struct Panel {
        const char* nombre;
        QAbstractScrollArea* vista;
    };
    for (const Panel& p : {Panel{"Comandos", w.tx_Cmd}, Panel{"Código", w.tx_Cod}}) {
        QScrollBar* barra = p.vista->horizontalScrollBar();
        // Nearer where the drawing ends than where the text does (bold columns are a little wider).
        EXPECT_LT(barra->maximum(), (DiagramaFilas::kColumnasVisibles + kLargo) / 2 * columna) << p.nombre;
        p.vista->verticalScrollBar()->setValue(0);
        barra->setValue(barra->maximum());
        EXPECT_TRUE(RojoAlFinal(p.vista->viewport(), w.tx_Cod->AlturaFila())) << p.nombre;
        barra->setValue(0);
    }

    // The progress line and the error list keep to one row each.
    EXPECT_TRUE(w.lbl_Info->text().startsWith(QStringLiteral("Leyendo: AAAA")));
    const QString visible = w.lbl_Info->TextoVisible();
    EXPECT_LE(w.lbl_Info->fontMetrics().horizontalAdvance(visible), w.lbl_Info->contentsRect().width());
    ASSERT_EQ(w.lst_Debug->count(), 1);
    EXPECT_TRUE(w.lst_Debug->item(0)->text().startsWith(QStringLiteral("Linea 1 - ERROR! Comando desconocido: AAAA")));
    EXPECT_LT(w.lst_Debug->item(0)->text().size(), kLargo);

    // The line is kept whole: saving gives the file back byte for byte.
    ASSERT_TRUE(w.mn_Guardar_Click());
    EXPECT_EQ(CarpetaPrueba::Leer(guardado), bytes);

    // Typing on the next line compiles it beside its row.
    w.EscribirLineas({QStringLiteral("inia 1")});
    EXPECT_EQ(w.tx_Cod->Linea(1), QStringLiteral("02 52 31 41 03 23"));
    EXPECT_EQ(w.Linea(0).size(), kLargo);

    // The tip for the word typed so far, the whole line, fits the window.
    w.Caret(0, kLargo - 1);
    w.Tecla(Qt::Key_Right);
    EXPECT_LT(w.tx_Tip->width(), w.width());
}

TEST(LineaLarga, ACaptionWithBreaksIsDrawnOnOneRow) {
    VentanaPrueba w;
    w.lbl_Info->setText(QStringLiteral("Leyendo: ") + QString(5000, u'B') + QStringLiteral("\nsegunda\r\u2028fila"));
    const QString visible = w.lbl_Info->TextoVisible();
    EXPECT_TRUE(visible.startsWith(QStringLiteral("Leyendo: BBB")));
    for (const char16_t salto : {u'\n', u'\r', char16_t(0x2028)}) EXPECT_FALSE(w.lbl_Info->text().contains(salto));
    EXPECT_LE(w.lbl_Info->fontMetrics().horizontalAdvance(visible), w.lbl_Info->contentsRect().width());
    w.lbl_Info->setText(QStringLiteral("a\nb"));
    EXPECT_EQ(w.lbl_Info->text(), QStringLiteral("a b"));
}
