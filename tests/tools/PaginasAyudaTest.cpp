// The help pages installed beside the program: present, linked, readable,
// every frame they show carries its right check byte and every worked
// example is what the compiler really gives.
#include "Bytes.h"
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "Module1.h"
#include "PanelMemoria.h"
#include "TablaComandos.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

class PaginasAyuda : public ::testing::Test {
protected:
    void SetUp() override {
        carpeta = QDir(Module1::CarpetaAyudaHtml());
        for (const QString& nombre : carpeta.entryList({QStringLiteral("*.htm")}, QDir::Files)) {
            QFile f(carpeta.filePath(nombre));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << nombre.toStdString();
            const QByteArray bytes = f.readAll();
            QStringDecoder utf8(QStringDecoder::Utf8);
            paginas.insert(nombre, utf8(bytes));
            EXPECT_FALSE(utf8.hasError()) << nombre.toStdString() << " is not UTF-8";
            // Declared too, so the browser reads the accents.
            EXPECT_TRUE(paginas[nombre].contains(QStringLiteral("charset=utf-8"))) << nombre.toStdString();
        }
    }
    static QStringList Enlaces(const QString& html) {
        static const QRegularExpression href(QStringLiteral(R"re(href="([^"]*)")re"));
        QStringList r;
        for (const auto& m : href.globalMatch(html)) r << m.captured(1);
        return r;
    }

    QDir carpeta;
    QMap<QString, QString> paginas;
};

TEST_F(PaginasAyuda, EveryPageOfTheCommandTableIsInstalled) {
    int n = 0;
    const DefComando* tabla = Comandos(&n);
    for (int i = 0; i < n; ++i)
        EXPECT_TRUE(paginas.contains(QString::fromUtf8(tabla[i].pagina))) << tabla[i].pagina;
    EXPECT_TRUE(paginas.contains(QStringLiteral("principal.htm")));
    for (int topico : {1, 101, 105, 111, 114, 999}) EXPECT_TRUE(paginas.contains(PaginaDeTopico(topico))) << topico;
}

TEST_F(PaginasAyuda, EveryLinkResolvesToAPageAndAnchor) {
    ASSERT_FALSE(paginas.isEmpty());
    for (auto it = paginas.cbegin(); it != paginas.cend(); ++it) {
        for (const QString& enlace : Enlaces(it.value())) {
            const QString archivo = enlace.section(QLatin1Char('#'), 0, 0);
            const QString ancla = enlace.section(QLatin1Char('#'), 1);
            const QString destino = archivo.isEmpty() ? it.key() : archivo;
            ASSERT_TRUE(paginas.contains(destino)) << it.key().toStdString() << " -> " << enlace.toStdString();
            if (!ancla.isEmpty()) {
                EXPECT_TRUE(paginas[destino].contains(QStringLiteral("name=\"%1\"").arg(ancla)))
                    << it.key().toStdString() << " -> " << enlace.toStdString();
            }
        }
    }
}

TEST_F(PaginasAyuda, EntryPageReachesEveryPageAndEveryPageLeadsBack) {
    const QStringList enlaces = Enlaces(paginas[QStringLiteral("principal.htm")]);
    const QSet<QString> desdeIndice(enlaces.cbegin(), enlaces.cend());
    for (auto it = paginas.cbegin(); it != paginas.cend(); ++it) {
        if (it.key() == QStringLiteral("principal.htm")) continue;
        EXPECT_TRUE(desdeIndice.contains(it.key())) << it.key().toStdString();
        EXPECT_TRUE(Enlaces(it.value()).contains(QStringLiteral("principal.htm"))) << it.key().toStdString();
    }
}

TEST_F(PaginasAyuda, EveryFrameShownEndsWithItsCheckByte) {
    static const QRegularExpression trama(QStringLiteral(R"(\b(?:02 52|00 00)(?: [0-9A-F]{2})+\b)"));
    int vistas = 0;
    for (auto it = paginas.cbegin(); it != paginas.cend(); ++it) {
        for (const auto& m : trama.globalMatch(it.value())) {
            const QString t = m.captured(0);
            if (t.size() < 17) continue;   // a byte or two quoted in the text, not a frame
            ++vistas;
            EXPECT_EQ(f_BCC(t.left(t.size() - 2)), t.right(2)) << it.key().toStdString() << ": " << t.toStdString();
        }
    }
    EXPECT_GE(vistas, 25);
}

QString SinEntidades(QString t) {
    t.replace(QStringLiteral("&#x27;"), QStringLiteral("'"));
    t.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    t.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    t.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    t.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return t;
}

QString Compilar(const QString& linea) {
    PanelMemoria tx_Cmd(linea), tx_Cod;
    EntornoCompilador entorno;
    Compilador c(tx_Cmd, tx_Cod, entorno);
    c.CompilarLineas(false);
    return tx_Cod.TextoLinea(0);
}

TEST_F(PaginasAyuda, EveryExampleRowCompilesToTheCodeLineShown) {
    // A row of an examples table: command line, then code line.
    static const QRegularExpression fila(QStringLiteral(R"re(<tr><td><tt>([^<]*)</tt></td><td><tt>([^<]*)</tt></td></tr>)re"));
    int vistos = 0;
    for (auto it = paginas.cbegin(); it != paginas.cend(); ++it) {
        for (const auto& m : fila.globalMatch(it.value())) {
            const QString linea = SinEntidades(m.captured(1));
            ++vistos;
            EXPECT_EQ(Compilar(linea), SinEntidades(m.captured(2))) << it.key().toStdString() << ": " << linea.toStdString();
        }
    }
    EXPECT_GE(vistos, 25);
}

}   // namespace
