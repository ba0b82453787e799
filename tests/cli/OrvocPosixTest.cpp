// orvoc on inputs and outputs only POSIX makes: a FIFO or a device never read,
// a standard input or output that is a folder or closed.
#include "CarpetaPrueba.h"
#include "Programa.h"
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(OrvocPosix, AFifoOrADeviceIsRefusedUnreadWithStatusTwo) {
    const QString fifo = CarpetaPrueba::Ruta(QStringLiteral("tuberia"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QString ruta;
        const char* enMensaje;
    } casos[] = {{fifo, "FIFO"}, {QStringLiteral("/dev/zero"), "/dev/zero"}};
    for (const auto& c : casos) {
        const Programa::Salida s = Programa::Correr(QStringLiteral("orvoc"), {c.ruta});
        EXPECT_EQ(s.codigo, 2) << c.enMensaje;
        EXPECT_TRUE(s.err.contains(c.enMensaje)) << s.err.toStdString();
        EXPECT_EQ(s.out, QByteArray());
    }
}

TEST(OrvocPosix, AClosedStandardOutputIsAFailureNotASuccess) {
    const QString guion = Programa::Archivo(CarpetaPrueba::Ruta(QStringLiteral("guion.txt")), "inia 1\r\n");
    for (const QStringList& opciones : {QStringList{}, QStringList{QStringLiteral("--normalized")}}) {
        // As a job started with its output closed (cron, a service) runs it.
        const QStringList args = QStringList{QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$@\" >&-"),
                                             QStringLiteral(ORVO_BUILD_DIR "/orvoc")} +
                                 opciones + QStringList{guion};
        const Programa::Salida s = Programa::CorrerRuta(QStringLiteral("/bin/sh"), args);
        EXPECT_EQ(s.codigo, 2) << opciones.join(' ').toStdString();
        EXPECT_TRUE(s.err.contains("no se pudo escribir en la salida est\xC3\xA1ndar")) << s.err.toStdString();
    }
}

TEST(OrvocPosix, AStandardInputThatCannotBeReadIsToldWhy) {
    const struct {
        const char* redirigir;
        const char* motivo;
    } casos[] = {{"< \"$1\"", "es una carpeta"}, {"<&-", "no est\xC3\xA1 abierta (descriptor cerrado)"}};
    for (const auto& c : casos) {
        const QStringList args{QStringLiteral("-c"), QStringLiteral("exec \"$0\" - ") + QLatin1String(c.redirigir),
                               QStringLiteral(ORVO_BUILD_DIR "/orvoc"), CarpetaPrueba::Ruta()};
        const Programa::Salida s = Programa::CorrerRuta(QStringLiteral("/bin/sh"), args);
        EXPECT_EQ(s.codigo, 2) << c.redirigir;
        EXPECT_EQ(s.err, QByteArray("orvoc: no se puede leer la entrada est\xC3\xA1ndar: ") + c.motivo + "\n");
    }
}
