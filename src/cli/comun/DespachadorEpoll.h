#pragma once
#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <atomic>
#include <map>
#include <unordered_map>
#include <vector>

// The command-line tools' event loop on Linux. Qt's own loops hand the
// system every socket on each turn (poll) and, with GLib, look a socket up
// in a list of all of them whenever its wait changes: with thousands of
// clocks most of the time went on sockets with nothing to say. Here epoll
// answers with the ready sockets only, and a timer is found, started or
// stopped in logarithmic time. What Qt promises of its loops holds: posted
// events first, then ready sockets, then due timers; a timer never fires
// early nor again inside its own handler; a socket or timer removed during
// a turn is not called after.
class DespachadorEpoll final : public QAbstractEventDispatcher {
public:
    DespachadorEpoll();
    ~DespachadorEpoll() override;
    // False when the system refused epoll or eventfd: use Qt's own loop.
    bool Valido() const { return v_Epoll >= 0 && v_Despertador >= 0; }

    bool processEvents(QEventLoop::ProcessEventsFlags flags) override;
    void registerSocketNotifier(QSocketNotifier* notifier) override;
    void unregisterSocketNotifier(QSocketNotifier* notifier) override;
    void registerTimer(int id, qint64 intervalo, Qt::TimerType tipo, QObject* objeto) override;
    bool unregisterTimer(int id) override;
    bool unregisterTimers(QObject* objeto) override;
    QList<TimerInfo> registeredTimers(QObject* objeto) const override;
    int remainingTime(int id) override;
    void wakeUp() override;
    void interrupt() override;

private:
    // The notifiers of one descriptor, by QSocketNotifier::Type.
    struct Socket {
        QSocketNotifier* avisadores[3] = {nullptr, nullptr, nullptr};
        uint32_t enEpoll = 0;    // what epoll waits for on it now (0: not there)
        bool cambiado = false;   // in v_Cambiados
    };
    using Cola = std::multimap<qint64, int>;   // when due (ns of v_Reloj) -> timer id
    struct Temporizador {
        qint64 intervaloMs;
        Qt::TimerType tipo;
        QObject* objeto;
        Cola::iterator enCola;
        bool enCurso = false;   // its handler is running (a nested loop must not fire it)
    };
    struct Listo {
        int fd;
        int tipo;
        QSocketNotifier* avisador;
    };

    static uint32_t Pedido(const Socket& s);   // the epoll events its notifiers want
    void Actualizar(int fd);
    void AplicarCambios();
    int Esperar(int ms, bool conSockets);
    int ActivarSockets();
    int ActivarTimers();
    int MsHastaElProximo() const;
    void Programar(int id, Temporizador& t, qint64 vence);

    int v_Epoll = -1;
    int v_Despertador = -1;   // eventfd: wakeUp() from any thread
    std::atomic<bool> v_Avisado{false};
    std::atomic<bool> v_Interrumpido{false};
    std::unordered_map<int, Socket> v_Sockets;
    // Descriptors whose notifiers changed since the last wait. epoll hears
    // of them just before the next one: a socket's write notifier, turned on
    // and off within one frame's send, then costs no system call.
    std::vector<int> v_Cambiados;
    std::vector<int> v_SinEpoll;   // descriptors epoll refuses (regular files): always ready, as poll says
    std::vector<Listo> v_Listos;   // this turn's ready notifiers
    std::unordered_map<int, Temporizador> v_Timers;
    Cola v_Cola;
    QElapsedTimer v_Reloj;
};
