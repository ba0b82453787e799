// Pure pieces: code line -> bytes, awaited lengths, Orvo.cfg reading, the
// simulated clock's answers.
#include "AyudaTx.h"
#include "CarpetaPrueba.h"
#include "Configuracion.h"
#include "LectorTramas.h"
#include "Module1.h"
#include "RelojSimulado.h"
#include "Trama.h"
#include <QFile>
#include <gtest/gtest.h>

TEST(Trama, CodeLineBecomesBytesByTheReadingRule) {
    const struct {
        const char* linea;
        QByteArray bytes;
    } casos[] = {
        {"02 52 31 41 03 23", QByteArray::fromHex("025231410323")},
        {"06", QByteArray::fromHex("06")},
        {"", QByteArray(1, '\0')},                // no digit reads as 0
        {"06 ", QByteArray::fromHex("0600")},     // a final blank makes one more byte
        {"0a ff", QByteArray::fromHex("0AFF")},   // either case
        {"1G 20", QByteArray::fromHex("0120")},   // stops at a non-hex character
        {" 5 07", QByteArray::fromHex("0507")},   // blanks skipped
        {"00 00 31 00 00 31", QByteArray::fromHex("000031000031")},
    };
    for (const auto& c : casos) EXPECT_EQ(f_TramaDeLinea(QString::fromLatin1(c.linea)), c.bytes) << c.linea;
}

TEST(Trama, AwaitedLengthFollowsCommandByteAndRegisterRead) {
    const struct {
        const char* linea;
        int largo;
    } secuencia[] = {
        {"06", 1},                   // acknowledge before any register read
        {"02 52 31 30 03 52", 19},   // LREG
        {"06", 18},
        {"06", 18},                  // records follow
        {"02 52 31 41 03 23", 19},   // INIA clears the flag
        {"06", 1},
        {"02 52 31 42 03 20", 19},
        {"02 52 31 31 32 36 31 32 30 35 37 31 30 33 37 03 63", 1},
        {"02 52 31 30 03 52", 19},
        {"00 00", 1},   // anything else clears it too
        {"06", 1},
    };
    bool trasLREG = false;
    int i = 0;
    for (const auto& s : secuencia) EXPECT_EQ(f_LargoRespuesta(QString::fromLatin1(s.linea), &trasLREG), s.largo) << "paso " << i++;
}

using CarpetaPrueba::Escribir;

// Orvo.cfg holds the pause, the timeout and the COM index, one a line. A
// missing file gives the defaults silently and is not made; blanks around a
// value do not matter; each bad or missing value falls back to its default
// and is reported.
TEST(Configuracion, ReadingTakesEachGoodValueAndTheDefaultForEachBadOne) {
    AyudaTx::Carpeta c;
    const struct {
        const char* texto;   // nullptr: no file
        bool bien;
        int delay, timeOut, puerto;
    } casos[] = {
        {nullptr, true, 500, 3000, 0},
        {" 250 \r\n 1500\r\n7 \r\n", true, 250, 1500, 7},
        {"100\r\n", false, 100, 3000, 0},                   // fewer than three lines
        {"abc\r\n2000\r\n9\r\n", false, 500, 2000, 0},      // not a number, port outside 0..7
        {"100\r\n-5\r\n1\r\n", false, 100, 3000, 1},        // negative timeout
        {"-1000\r\n10000\r\n1\r\n", false, 500, 3000, 1},   // beyond what the fields hold
        {"", false, 500, 3000, 0},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.texto ? k.texto : "no file");
        if (k.texto) {
            ASSERT_TRUE(Escribir(Module1::v_ArchCFG, k.texto));
        }
        Module1::v_Delay = 1, Module1::v_TimeOut = 2, Module1::v_Puerto = 3;
        QString problema;
        EXPECT_EQ(Configuracion::LeerCFG(&problema), k.bien);
        EXPECT_EQ(problema.isEmpty(), k.bien);
        EXPECT_EQ(Module1::v_Delay, k.delay);
        EXPECT_EQ(Module1::v_TimeOut, k.timeOut);
        EXPECT_EQ(Module1::v_Puerto, k.puerto);
        EXPECT_EQ(QFile::exists(Module1::v_ArchCFG), k.texto != nullptr);
    }
}

TEST(RelojSimulado, AnswersWithTheLengthsTheRunAwaits) {
    RelojSimulado r;
    auto t = [](const char* hex) { return QByteArray::fromHex(hex); };
    const struct {
        const char* trama;
        int largo;
    } secuencia[] = {
        {"06", 1},
        {"025231410323", 19},
        {"025231420320", 19},
        {"025231300352", 19},
        {"06", 18},
        {"06", 18},
        {"025231330321", 1},
        {"06", 1},
        {"0000310000", 1},
    };
    for (const auto& s : secuencia) {
        const QByteArray resp = r.Responder(t(s.trama));
        ASSERT_EQ(resp.size(), s.largo) << s.trama;
        if (s.largo > 1) {   // a well-formed frame with its check byte
            EXPECT_EQ(resp.at(0), '\x02');
            EXPECT_EQ(resp.at(resp.size() - 2), '\x03');
            char x = 0;
            for (int i = 0; i < resp.size() - 1; ++i) x ^= resp.at(i);
            EXPECT_EQ(x, resp.back()) << s.trama;
        }
    }
}

TEST(RelojSimulado, KeepsDateCardsAndRecords) {
    RelojSimulado r;
    // FECH 05/12/2026 10:37 on clock 1.
    r.Responder(QByteArray::fromHex("0252313132363132303537313033370363"));
    EXPECT_EQ(r.Ahora().date(), QDate(2026, 12, 5));
    // AING 1, 12345, 1, 2 and a second card.
    for (const char* tarjeta : {"12345", "55555"}) r.Responder("\x02R15" + QByteArray(tarjeta) + "12\x03x");
    EXPECT_EQ(r.Tarjetas(), 2);
    const QByteArray estado = r.Responder(QByteArray::fromHex("025231410323"));
    EXPECT_EQ(estado.mid(4, 6), QByteArray("261205"));
    EXPECT_EQ(estado.mid(15, 2), QByteArray("02"));
    const QByteArray lreg = r.Responder(QByteArray::fromHex("025231300352"));
    EXPECT_EQ(lreg.mid(4, 5), QByteArray("00002"));
    EXPECT_EQ(r.Responder(QByteArray(1, '\x06')).mid(4, 5), QByteArray("12345"));
    EXPECT_EQ(r.Responder(QByteArray(1, '\x06')).mid(4, 5), QByteArray("55555"));
    EXPECT_EQ(r.Responder(QByteArray(1, '\x06')).mid(4, 12), QByteArray(12, '0'));
}

namespace {
// Every frame the reader hands out until it says there is none whole.
QList<QByteArray> Tramas(LectorTramas& l, bool forzar) {
    QList<QByteArray> r;
    QByteArrayView t;
    while (l.Siguiente(forzar, &t)) r.append(t.toByteArray());
    return r;
}
}   // namespace

TEST(LectorTramas, CutsFramesAcksAndRawBytesAndWaitsForUnfinishedFrames) {
    LectorTramas l;
    l.Agregar(QByteArray::fromHex("06025231410323") + QByteArray::fromHex("0000310000") + QByteArray::fromHex("02523141"));
    const auto tramas = Tramas(l, false);
    ASSERT_EQ(tramas.size(), 3);
    EXPECT_EQ(tramas[0], QByteArray::fromHex("06"));
    EXPECT_EQ(tramas[1], QByteArray::fromHex("025231410323"));
    EXPECT_EQ(tramas[2], QByteArray::fromHex("0000310000"));
    EXPECT_TRUE(l.HayPendiente());
    l.Agregar(QByteArray::fromHex("03"));
    EXPECT_TRUE(Tramas(l, false).isEmpty());   // the check byte is still missing
    const auto forzadas = Tramas(l, true);
    ASSERT_EQ(forzadas.size(), 1);
    EXPECT_EQ(forzadas[0], QByteArray::fromHex("0252314103"));
    EXPECT_FALSE(l.HayPendiente());
}

// A frame split across reads at every point comes out whole, after what
// was handed out before it, however its bytes were cut.
TEST(LectorTramas, AFrameCutAnywhereComesOutWholeAfterTheOnesBeforeIt) {
    const QByteArray flujo = QByteArray::fromHex("025231420320") + QByteArray::fromHex("06") + QByteArray::fromHex("025231330321");
    for (qsizetype corte = 1; corte < flujo.size(); ++corte) {
        LectorTramas l;
        l.Agregar(QByteArrayView(flujo).first(corte));
        QList<QByteArray> tramas = Tramas(l, false);
        l.Agregar(QByteArrayView(flujo).sliced(corte));
        tramas += Tramas(l, false);
        ASSERT_EQ(tramas.size(), 3) << corte;
        EXPECT_EQ(tramas[0], QByteArray::fromHex("025231420320")) << corte;
        EXPECT_EQ(tramas[1], QByteArray::fromHex("06")) << corte;
        EXPECT_EQ(tramas[2], QByteArray::fromHex("025231330321")) << corte;
        EXPECT_FALSE(l.HayPendiente()) << corte;
    }
}
