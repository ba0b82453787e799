// orvo-send's log with no pause between frames holds an answer line for the
// next frame's line and writes both at once: the file must still hold every
// line before the next frame goes, and end byte for byte as line by line.
#include "ArchivoLog.h"
#include "AyudaTx.h"
#include "CarpetaPrueba.h"
#include "Corrida.h"
#include "EnlaceMemoria.h"
#include "RegistroComm.h"
#include <QFile>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace AyudaTx;
using CarpetaPrueba::Leer;

namespace {
// Answers each frame from the event loop (an INIA 19 bytes, others 06) and
// notes what the log file held when each frame went.
class EnlaceQueResponde : public EnlaceMemoria {
public:
    explicit EnlaceQueResponde(QString ruta) : v_Ruta(std::move(ruta)) {
        QTimer::singleShot(0, this, [this] { Conectar(); });
    }
    QList<QByteArray> logAlEnviar;
    bool Escribir(const QByteArray& bytes) override {
        logAlEnviar << Leer(v_Ruta);
        const QByteArray respuesta = bytes.size() > 3 && bytes.at(3) == 0x41 ? QByteArray(19, '\x11') : QByteArray(1, '\x06');
        QTimer::singleShot(0, this, [this, respuesta] { Llegan(respuesta); });
        return EnlaceMemoria::Escribir(bytes);
    }

private:
    QString v_Ruta;
};
}   // namespace

TEST(RegistroComm, HeldAnswerLinesAreInTheFileBeforeTheNextFrameAndTheLogIsTheSame) {
    QByteArray logs[2];
    for (const bool juntar : {false, true}) {
        SCOPED_TRACE(juntar);
        Carpeta c;
        c.Script({kInia, kEhab, kInia}, {QStringLiteral("INIA 1"), QStringLiteral("EHAB 1"), QStringLiteral("INIA 1")});
        const QString ruta = c.Ruta(QStringLiteral("Comm.log"));
        Corrida r;
        RegistroComm registro(
            r, [&] { return ruta; }, juntar);
        EnlaceQueResponde* enlace = nullptr;
        r.Preparar = [&](Corrida::Ajustes* a) {
            a->timeOut = 2000;
            auto e = std::make_unique<EnlaceQueResponde>(ruta);
            enlace = e.get();
            return e;
        };
        bool terminada = false;
        QObject::connect(&r, &Corrida::Terminada, [&] { terminada = true; });
        QList<QByteArray> alEnviar;
        QObject::connect(&r, &Corrida::Respondida, [&] { alEnviar = enlace->logAlEnviar; });
        ASSERT_TRUE(r.Iniciar());
        ASSERT_TRUE(QTest::qWaitFor([&] { return terminada; }, 5000));
        logs[juntar] = Leer(ruta);
        ASSERT_EQ(alEnviar.size(), 3);
        // Every answer before a frame is in the file when that frame goes.
        const QList<QByteArray> lineas = logs[juntar].split('\n');
        ASSERT_EQ(lineas.size(), 9);   // 3 frames, 3 answers, 2 end lines, the piece after the last
        for (int k = 1; k < 3; ++k) EXPECT_TRUE(alEnviar[k].contains(lineas[2 * k - 1])) << k;
        if (juntar) {
            EXPECT_TRUE(alEnviar[2].endsWith(lineas[4] + '\n')) << "the frame's own line went with it";
        }
        EXPECT_FALSE(registro.Incompleto());
    }
    EXPECT_EQ(logs[1], logs[0]);
}

// A held line is written by Soltar, by the next line or by closing, never lost.
TEST(RegistroComm, AHeldAnswerLineIsWrittenByWhateverComesNext) {
    Carpeta c;
    const QString ruta = c.Ruta(QStringLiteral("Comm.log"));
    const QByteArray abierta = "> 02 52 31 33 03 21\r\n";
    const QByteArray respuesta = "< 06 \r\n";
    const struct {
        const char* caso;
        std::function<void(ArchivoLog::Abierto&, QString*)> luego;
        QByteArray queda;
    } casos[] = {
        {"Soltar", [](ArchivoLog::Abierto& l, QString* e) { EXPECT_TRUE(l.Soltar(e)); }, abierta + respuesta},
        {"otra línea", [&](ArchivoLog::Abierto& l, QString* e) { EXPECT_TRUE(l.Agregar(ruta, QString(), e)); }, abierta + respuesta + "\r\n"},
        {"Cerrar", [](ArchivoLog::Abierto& l, QString*) { l.Cerrar(); }, abierta + respuesta},
        {"otra respuesta", [&](ArchivoLog::Abierto& l, QString* e) { EXPECT_TRUE(l.AgregarRespuesta(ruta, "\x06", e)); }, abierta + respuesta + respuesta},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.caso);
        QFile::remove(ruta);
        QString error;
        ArchivoLog::Abierto log;
        ASSERT_TRUE(log.Agregar(ruta, QString::fromLatin1(abierta.chopped(2)), &error));
        ASSERT_TRUE(log.AgregarRespuesta(ruta, "\x06", &error, true));
        EXPECT_EQ(Leer(ruta), abierta) << "held";
        k.luego(log, &error);
        EXPECT_EQ(Leer(ruta), k.queda);
    }
}
