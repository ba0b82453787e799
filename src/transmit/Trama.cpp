#include "Trama.h"
#include "LecturaCodigo.h"

namespace {
// Command byte -> (awaited bytes, register-read flag afterwards).
struct Respuesta {
    const char16_t* byte;
    int largo;
    bool trasLREG;
};
constexpr Respuesta kRespuestas[] = {
    {u"41", 19, false},
    {u"42", 19, false},
    {u"30", 19, true},
};
}   // namespace

QByteArray f_TramaDeLinea(const QString& linea) { return f_BytesDeLinea(linea); }

QString f_LineaHex(const QByteArray& v_LinChr) {
    QString texto;
    texto.reserve(v_LinChr.size() * 3);
    for (char c : v_LinChr) {
        AgregarByteHex(texto, static_cast<unsigned char>(c));
        texto.append(QLatin1Char(' '));
    }
    return texto;
}

int f_LargoRespuesta(const QString& linea, bool* v_TrasLREG) {
    if (linea == QLatin1String("06")) return *v_TrasLREG ? 18 : 1;
    const QStringView byte = QStringView(linea).mid(9, 2);
    for (const auto& r : kRespuestas)
        if (byte == QStringView(r.byte)) {
            *v_TrasLREG = r.trasLREG;
            return r.largo;
        }
    *v_TrasLREG = false;
    return 1;
}
