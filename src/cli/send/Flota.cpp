#include "Flota.h"
#include <QDir>
#include <QSet>
#include <cstdio>
#include <unistd.h>

namespace {
void Escribir(FILE* f, const QString& linea) {
    const QByteArray b = (linea + QLatin1Char('\n')).toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), f);
}
}   // namespace

Flota::Flota(const OpcionesEnvio& o, int tramasPorVuelta, QObject* padre)
    : QObject(padre), v_Paralelo(o.paralelo), v_Progreso(::isatty(STDERR_FILENO) == 1) {
    QSet<QString> usados;
    for (const Destino& d : o.destinos) {
        QString ruta = o.log;
        if (o.flota) {
            // The same target twice still gets two logs.
            const QString base = QStringLiteral("Comm-") + NombreArchivo(d.texto);
            QString nombre = base;
            for (int n = 2; usados.contains(nombre); ++n) nombre = base + QStringLiteral("-%1").arg(n);
            usados.insert(nombre);
            ruta = QDir(o.carpetaLogs).filePath(nombre + QStringLiteral(".log"));
        }
        auto* e = new EnvioDestino(d, o, ruta, static_cast<qint64>(tramasPorVuelta) * o.vueltas, this);
        // Exchanges go to stdout unless it carries the JSON summary alone.
        if (!o.json) {
            const QString prefijo = o.flota ? d.texto + QStringLiteral(": ") : QString();
            e->Mostrar = [this, prefijo](const QString& l) {
                if (v_Progreso) std::fputs("\r\033[K", stderr);
                Escribir(stdout, prefijo + l);
                std::fflush(stdout);
            };
        }
        e->Advertir = [d](const QString& t) { Escribir(stderr, QStringLiteral("orvo-send: %1: %2").arg(d.texto, t)); };
        connect(e, &EnvioDestino::Terminado, this, &Flota::AlTerminarUno);
        connect(e, &EnvioDestino::TramaHecha, this, [this] { ++v_Hechas; });
        v_Envios.push_back(e);
    }
    v_Total = static_cast<qint64>(tramasPorVuelta) * o.vueltas * static_cast<qint64>(v_Envios.size());
    tmr_Progreso.setInterval(200);
    connect(&tmr_Progreso, &QTimer::timeout, this, [this] { MostrarProgreso(); });
}

void Flota::Iniciar() {
    v_Reloj.start();
    if (v_Progreso) tmr_Progreso.start();
    Siguiente();
    if (v_Activos == 0) {
        MostrarProgreso(true);
        QMetaObject::invokeMethod(this, &Flota::Terminada, Qt::QueuedConnection);
    }
}

void Flota::Siguiente() {
    while (!v_Detenida && v_Activos < v_Paralelo && v_Proximo < v_Envios.size()) {
        ++v_Activos;
        v_Envios[v_Proximo++]->Iniciar();
    }
}

void Flota::AlTerminarUno() {
    --v_Activos;
    Siguiente();
    if (v_Activos > 0 || (!v_Detenida && v_Proximo < v_Envios.size())) return;
    MostrarProgreso(true);
    Q_EMIT Terminada();
}

void Flota::Detener() {
    if (v_Detenida) return;
    v_Detenida = true;
    for (EnvioDestino* e : v_Envios) e->Detener();
    if (v_Activos == 0) QMetaObject::invokeMethod(this, &Flota::Terminada, Qt::QueuedConnection);
}

void Flota::MostrarProgreso(bool final) {
    if (!v_Progreso) return;
    if (final) {
        tmr_Progreso.stop();
        std::fputs("\r\033[K", stderr);
        return;
    }
    const QString linea = QStringLiteral("\r\033[K%1 de %2 tramas, %3 s")
                              .arg(v_Hechas)
                              .arg(v_Total)
                              .arg(v_Reloj.elapsed() / 1000.0, 0, 'f', 1);
    std::fputs(linea.toUtf8().constData(), stderr);
    std::fflush(stderr);
}
