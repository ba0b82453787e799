#include "Flota.h"
#include "Falla.h"
#include <QDir>
#include <QHash>
#include <QSet>
#include <QTime>
#include <cstdio>
#include <unistd.h>

namespace {
void Escribir(FILE* f, const QString& linea) {
    const QByteArray b = (linea + QLatin1Char('\n')).toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), f);
}
}   // namespace

Flota::Flota(const OpcionesEnvio& o, const std::function<GuionDe(const Destino&)>& guionDe, QObject* padre)
    : QObject(padre), v_Salida(STDOUT_FILENO), v_Paralelo(o.paralelo), v_Progreso(::isatty(STDERR_FILENO) == 1) {
    if (v_Progreso) v_Salida.AntesDeEscribir = [] { std::fputs("\r\033[K", stderr); };
    QSet<QString> usados;
    // Next number to try after each name: the same target many times over
    // is named in one step each, not by counting up from 2 every time.
    QHash<QString, int> siguiente;
    const QDir carpetaLogs(o.carpetaLogs);
    v_Envios.reserve(static_cast<size_t>(o.destinos.size()));
    for (const Destino& d : o.destinos) {
        QString ruta = o.log;
        if (o.flota) {
            // The same target twice still gets two logs.
            const QString base = QStringLiteral("Comm-") + NombreArchivo(d.texto);
            QString nombre = base;
            if (usados.contains(nombre)) {
                int& n = siguiente[base];
                if (n < 2) n = 2;
                do nombre = base + QStringLiteral("-%1").arg(n++);
                while (usados.contains(nombre));
            }
            usados.insert(nombre);
            ruta = carpetaLogs.filePath(nombre + QStringLiteral(".log"));
        }
        const GuionDe g = guionDe(d);
        auto* e = new EnvioDestino(d, o, *g.guion, g.archivo, ruta, this);
        // Exchanges go to stdout unless it carries the JSON summary alone.
        if (!o.json) {
            const QString prefijo = o.flota ? d.texto + QStringLiteral(": ") : QString();
            const bool marcas = o.marcas;
            e->Mostrar = [this, prefijo, marcas](const QString& l, bool fin) {
                const QString marca = marcas ? QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz ")) : QString();
                v_Salida.Agregar(marca + prefijo + l);
                if (fin) v_Salida.FinIntercambio();
            };
        }
        e->Advertir = [this, d](const QString& t) { Linea(stderr, QStringLiteral("orvo-send: %1: %2").arg(d.texto, t)); };
        connect(e, &EnvioDestino::Terminado, this, [this, e] {
            const QString frase = f_FraseFalla(e->ElDestino(), e->Resultado());
            if (!frase.isEmpty()) Linea(stderr, QStringLiteral("orvo-send: ") + frase);
            AlTerminarUno();
        });
        e->TramaHecha = [this] { ++v_Hechas; };
        v_Total += e->Resultado().total;
        v_Envios.push_back(e);
    }
    tmr_Progreso.setInterval(200);
    connect(&tmr_Progreso, &QTimer::timeout, this, [this] { MostrarProgreso(); });
}

void Flota::Linea(FILE* f, const QString& texto) {
    if (v_Progreso) std::fputs("\r\033[K", stderr);
    Escribir(f, texto);
    std::fflush(f);
}

void Flota::VolcarSalida() {
    for (EnvioDestino* e : v_Envios) e->SoltarRegistro();
    v_Salida.Volcar();
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
