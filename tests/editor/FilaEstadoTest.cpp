// New and open leave nothing of the old script; the status row, the gutter,
// the icon and Qt's own texts as a user and a screen reader meet them; text
// from files is never read as markup.
#include "CarpetaPrueba.h"
#include "EtiquetaLineas.h"
#include "Module1.h"
#include "Traducciones.h"
#include "VentanaPrueba.h"
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QFile>
#include <QLabel>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QHelpEvent>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {
// Labels that would take their text for markup: Qt guesses (AutoText) and the
// text looks like HTML.
QStringList LeidosComoMarcado(const QWidget& w) {
    QStringList l;
    for (const QLabel* e : w.findChildren<QLabel*>())
        if (e->textFormat() == Qt::RichText || (e->textFormat() == Qt::AutoText && Qt::mightBeRichText(e->text())))
            l << e->text();
    return l;
}
}   // namespace

TEST(FilaEstado, LongPathIsElidedInTheMiddleAndTheProgressLineCoversIt) {
    QString carpeta = CarpetaPrueba::Ruta();
    while (carpeta.size() < 120) carpeta += QStringLiteral("/carpeta-larga");
    ASSERT_TRUE(QDir().mkpath(carpeta));
    const QString ruta = carpeta + QStringLiteral("/script.txt");
    ASSERT_TRUE(CarpetaPrueba::Escribir(ruta, "inia 1\r\n"));
    VentanaPrueba w;
    ASSERT_TRUE(w.AbrirArchivo(ruta));
    w.lbl_Info->setText(QStringLiteral("Insertando código: 02/02/2026"));
    QWidget* fila = w.tx_Arch->parentWidget();
    const QRect libre(w.tx_Arch->pos(), QSize(w.lbl_Info->x() - w.tx_Arch->x(), w.tx_Arch->height()));
    const QImage conRuta = fila->grab(w.lbl_Info->geometry()).toImage();
    const QImage rutaLibre = fila->grab(libre).toImage();

    // The path as the system spells it (backslashes on Windows).
    EXPECT_EQ(w.tx_Arch->text(), QDir::toNativeSeparators(ruta));
    EXPECT_EQ(w.tx_Arch->toolTip(), QDir::toNativeSeparators(ruta));
    const QString visible = w.tx_Arch->TextoVisible();
    EXPECT_TRUE(visible.contains(QChar(0x2026))) << visible.toStdString();
    EXPECT_TRUE(visible.endsWith(QStringLiteral("script.txt"))) << "the file's own name stays in view";
    EXPECT_LE(w.tx_Arch->fontMetrics().horizontalAdvance(visible), w.lbl_Info->x() - w.tx_Arch->x());

    // Where the two labels meet, only the progress line is seen.
    w.tx_Arch->setText(QString());
    EXPECT_NE(fila->grab(libre).toImage(), rutaLibre) << "the path is drawn where it is free";
    EXPECT_EQ(fila->grab(w.lbl_Info->geometry()).toImage(), conRuta);
}

TEST(FilaEstado, GutterKeepsItsNameAndTellsTheRowsShown) {
    VentanaPrueba w;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.tx_NroLin);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Línea"));
    EXPECT_EQ(a->text(QAccessible::Description), QStringLiteral("Líneas 1 a 18"));
    w.PriLinCmd = 40;
    w.ActualizaNumerosLinea();
    EXPECT_EQ(a->text(QAccessible::Description), QStringLiteral("Líneas 41 a 58"));
}

TEST(FilaEstado, MarkupInLinesAndFileNamesIsShownAsWritten) {
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("<i>guion.txt"));
    ASSERT_TRUE(CarpetaPrueba::Escribir(ruta, "-- <img src=\"/dev/zero\">\r\n<b>inia</b> 1\r\nAING 1, <b>1</b>, A, B\r\n"));
    VentanaPrueba w;
    ASSERT_TRUE(w.AbrirArchivo(ruta));
    EXPECT_TRUE(w.lbl_Info->text().contains(QStringLiteral("<b>1</b>"))) << w.lbl_Info->text().toStdString();
    EXPECT_EQ(LeidosComoMarcado(w), QStringList());

    // The real box that quotes a file name it could not read.
    fr_Principal real;
    Qt::TextFormat formato = Qt::RichText;
    QTimer::singleShot(0, [&] {
        if (auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            formato = caja->textFormat();
            caja->accept();
        }
    });
    EXPECT_FALSE(real.AbrirArchivo(CarpetaPrueba::Ruta(QStringLiteral("<b>no.txt"))));
    EXPECT_EQ(formato, Qt::PlainText);
}

// A tool tip is shown as the text it holds: a path that looks like markup
// (an image tag in a file name) is never rendered, on the file name or on
// any other widget.
TEST(FilaEstado, ToolTipsShowTheirTextAsWritten) {
    // An image that is not there: a tip rendered as markup would only try to load it.
    const QString ruta = CarpetaPrueba::Ruta(QStringLiteral("<b>obra</b> <img src=\"%1\">.txt").arg(CarpetaPrueba::Ruta(QStringLiteral("no-hay.png"))));
    VentanaPrueba w;
    w.tx_Arch->setText(ruta);
    QWidget otro;
    otro.setToolTip(QStringLiteral("<i>cursiva</i> & <u>más</u>"));
    otro.show();
    for (QWidget* con : {static_cast<QWidget*>(w.tx_Arch), &otro}) {
        SCOPED_TRACE(con->toolTip().toStdString());
        QHelpEvent pedido(QEvent::ToolTip, QPoint(4, 4), con->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(con, &pedido);
        const QLabel* globo = nullptr;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->objectName() == QLatin1String("qtooltip_label") && t->isVisible()) globo = qobject_cast<QLabel*>(t);
        ASSERT_NE(globo, nullptr);
        // The label's text as the label renders it.
        QTextDocument leido;
        const bool marcado = globo->textFormat() == Qt::RichText ||
                             (globo->textFormat() == Qt::AutoText && Qt::mightBeRichText(globo->text()));
        if (marcado)
            leido.setHtml(globo->text());
        else
            leido.setPlainText(globo->text());
        EXPECT_EQ(leido.toPlainText(), con->toolTip());
        QToolTip::hideText();
    }
}

TEST(Traducciones, QtTextsAreSpanishWhereTheFilesExist) {
    const QString carpeta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(carpeta + QStringLiteral("/qtbase_es.qm"))) GTEST_SKIP() << "qt6-translations-l10n is not installed";
    const QStringList cargadas = CargarTraducciones(*QCoreApplication::instance());
    EXPECT_TRUE(cargadas.contains(QStringLiteral("qtbase_es")));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancelar"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("&Nombre de fichero:"));
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"), QStringLiteral("Carpeta"));
    // Other tests in this process expect Qt's own texts untranslated.
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>());
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}
