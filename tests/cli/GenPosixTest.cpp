// orvo-gen's output where only POSIX means can set the scene: a FIFO, a
// link to its own standard output, a device node, a link planted in a
// folder everyone may write to.
#include "CarpetaPrueba.h"
#include "Programa.h"
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace {

using Programa::Salida;

Salida Gen(const QStringList& args) { return Programa::Correr(QStringLiteral("orvo-gen"), args); }

QString Archivo(const QByteArray& contenido, const QString& nombre = QStringLiteral("tarjetas.csv")) {
    return Programa::Archivo(CarpetaPrueba::Ruta(nombre), contenido);
}

}   // namespace

// -o names what the user wants written, never something to replace: a FIFO
// or a device is written to as a stream, a link in a shared folder is not
// followed. Every node is made in the test's own folder.
TEST(Gen, OutputThatIsNotARegularFileIsWrittenAsAStreamNeverReplaced) {
    const QString csv = Archivo("reloj;tarjeta;perfil 1;perfil 2\n1;100;A;B\n");
    const QByteArray guion = "AING 1, 100, A, B\r\n";
    auto tipo = [](const QString& ruta) {
        struct stat st {};
        return ::lstat(QFile::encodeName(ruta).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
    };

    const QString fifo = CarpetaPrueba::Ruta(QStringLiteral("tuberia"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QByteArray leido;
    std::thread lector([&] {
        QFile f(fifo);
        if (f.open(QIODevice::ReadOnly)) leido = f.readAll();
    });
    const Salida porFifo = Gen({QStringLiteral("tarjetas"), csv, QStringLiteral("-o"), fifo});
    // Should the tool never have opened it, the reader is let go.
    const int suelta = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
    if (suelta >= 0) ::close(suelta);
    lector.join();
    EXPECT_EQ(porFifo.codigo, 0) << porFifo.err.toStdString();
    EXPECT_EQ(leido, guion);
    EXPECT_EQ(tipo(fifo), static_cast<mode_t>(S_IFIFO));

    // A link to the tool's own standard output, as /dev/stdout is.
    const QString aSalida = CarpetaPrueba::Ruta(QStringLiteral("salida"));
    ASSERT_EQ(::symlink("/proc/self/fd/1", QFile::encodeName(aSalida).constData()), 0);
    const Salida porEnlace = Gen({QStringLiteral("tarjetas"), csv, QStringLiteral("-o"), aSalida});
    EXPECT_EQ(porEnlace.codigo, 0) << porEnlace.err.toStdString();
    EXPECT_EQ(porEnlace.out, guion);
    EXPECT_EQ(tipo(aSalida), static_cast<mode_t>(S_IFLNK));

    const Salida carpeta = Gen({QStringLiteral("tarjetas"), csv, QStringLiteral("-o"), CarpetaPrueba::Ruta()});
    EXPECT_EQ(carpeta.codigo, 2);
    EXPECT_TRUE(carpeta.err.contains("es una carpeta")) << carpeta.err.toStdString();

    // A device node of our own, pointing at the null device.
    const QString nodo = CarpetaPrueba::Ruta(QStringLiteral("nulo"));
    if (::geteuid() != 0 || ::mknod(QFile::encodeName(nodo).constData(), S_IFCHR | 0600, makedev(1, 3)) != 0) GTEST_SKIP() << "mknod needs root";
    const Salida porNodo = Gen({QStringLiteral("tarjetas"), csv, QStringLiteral("-o"), nodo});
    EXPECT_EQ(porNodo.codigo, 0) << porNodo.err.toStdString();
    EXPECT_EQ(tipo(nodo), static_cast<mode_t>(S_IFCHR));
}

TEST(Gen, ALinkPlantedInASharedFolderIsNotFollowed) {
    const QString csv = Archivo("reloj;tarjeta;perfil 1;perfil 2\n1;100;A;B\n");
    const QString victima = Archivo("intacto\n", QStringLiteral("victima.txt"));
    const QString compartida = CarpetaPrueba::Ruta(QStringLiteral("compartida"));
    ASSERT_TRUE(QDir().mkpath(compartida));
    ASSERT_EQ(::chmod(QFile::encodeName(compartida).constData(), 01777), 0);
    const QString trampa = compartida + QStringLiteral("/tarjetas.txt");
    ASSERT_EQ(::symlink(QFile::encodeName(victima).constData(), QFile::encodeName(trampa).constData()), 0);

    const Salida s = Gen({QStringLiteral("tarjetas"), csv, QStringLiteral("-o"), trampa});
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(s.err.contains("enlace simbólico")) << s.err.toStdString();
    EXPECT_EQ(CarpetaPrueba::Leer(victima), "intacto\n");

    // In a private folder the link is the user's own: its file is replaced.
    const QString propio = CarpetaPrueba::Ruta(QStringLiteral("propio.txt"));
    ASSERT_EQ(::symlink(QFile::encodeName(victima).constData(), QFile::encodeName(propio).constData()), 0);
    const Salida p = Gen({QStringLiteral("tarjetas"), csv, QStringLiteral("-o"), propio});
    EXPECT_EQ(p.codigo, 0) << p.err.toStdString();
    EXPECT_EQ(CarpetaPrueba::Leer(victima), "AING 1, 100, A, B\r\n");
    EXPECT_TRUE(QFileInfo(propio).isSymLink());
}
