#include "DespachadorEpoll.h"
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimerEvent>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {
constexpr int kEventosPorVuelta = 1024;
constexpr qint64 kNsPorMs = 1000000;
// What epoll asks for and what readies each notifier type (Read, Write,
// Exception), as Qt's own loop reads poll's answer.
constexpr uint32_t kPedido[3] = {EPOLLIN, EPOLLOUT, EPOLLPRI};
constexpr uint32_t kListo[3] = {EPOLLIN | EPOLLHUP | EPOLLERR, EPOLLOUT | EPOLLHUP | EPOLLERR, EPOLLPRI | EPOLLHUP | EPOLLERR};
}   // namespace

DespachadorEpoll::DespachadorEpoll() {
    v_Reloj.start();
    v_Epoll = ::epoll_create1(EPOLL_CLOEXEC);
    v_Despertador = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (!Valido()) return;
    epoll_event e{};
    e.events = EPOLLIN;
    e.data.fd = v_Despertador;
    if (::epoll_ctl(v_Epoll, EPOLL_CTL_ADD, v_Despertador, &e) != 0) {
        ::close(v_Despertador);
        v_Despertador = -1;
    }
}

DespachadorEpoll::~DespachadorEpoll() {
    if (v_Epoll >= 0) ::close(v_Epoll);
    if (v_Despertador >= 0) ::close(v_Despertador);
}

void DespachadorEpoll::wakeUp() {
    // One write until the loop has woken: posting many events costs one.
    if (v_Avisado.exchange(true)) return;
    const quint64 uno = 1;
    [[maybe_unused]] const auto n = ::write(v_Despertador, &uno, sizeof uno);
}

void DespachadorEpoll::interrupt() {
    v_Interrumpido = true;
    wakeUp();
}

bool DespachadorEpoll::processEvents(QEventLoop::ProcessEventsFlags flags) {
    v_Interrumpido = false;
    Q_EMIT awake();
    QCoreApplication::sendPostedEvents();
    const bool conTimers = !(flags & QEventLoop::X11ExcludeTimers);
    const bool conSockets = !(flags & QEventLoop::ExcludeSocketNotifiers);
    const bool puedeEsperar = (flags & QEventLoop::WaitForMoreEvents) && !v_Interrumpido;
    if (puedeEsperar) Q_EMIT aboutToBlock();
    if (v_Interrumpido) return false;
    int espera = 0;
    if (puedeEsperar && v_SinEpoll.empty()) espera = conTimers ? MsHastaElProximo() : -1;
    int hechos = Esperar(espera, conSockets);
    if (conSockets) hechos += ActivarSockets();
    if (conTimers) hechos += ActivarTimers();
    return hechos > 0;
}

// Waits up to `ms` (-1: no bound) and notes the ready notifiers; the
// number of wake-ups taken.
int DespachadorEpoll::Esperar(int ms, bool conSockets) {
    v_Listos.clear();
    AplicarCambios();
    epoll_event eventos[kEventosPorVuelta];
    int n = 0;
    if (conSockets) {
        n = ::epoll_wait(v_Epoll, eventos, kEventosPorVuelta, ms);
    } else {
        // Sockets left out: only a wake-up or the timeout ends the wait.
        pollfd p{v_Despertador, POLLIN, 0};
        if (::poll(&p, 1, ms) > 0) {
            eventos[0].events = EPOLLIN;
            eventos[0].data.fd = v_Despertador;
            n = 1;
        }
    }
    int despertares = 0;
    for (int i = 0; i < n; ++i) {
        const int fd = eventos[i].data.fd;
        if (fd == v_Despertador) {
            quint64 cuenta = 0;
            [[maybe_unused]] const auto leidos = ::read(v_Despertador, &cuenta, sizeof cuenta);
            v_Avisado = false;
            ++despertares;
            continue;
        }
        const auto it = v_Sockets.find(fd);
        if (it == v_Sockets.end()) continue;
        for (int tipo = 0; tipo < 3; ++tipo)
            if (QSocketNotifier* a = it->second.avisadores[tipo]; a && (eventos[i].events & kListo[tipo]))
                v_Listos.push_back({fd, tipo, a});
    }
    if (conSockets)
        for (int fd : v_SinEpoll)
            for (int tipo = 0; tipo < 3; ++tipo)
                if (QSocketNotifier* a = v_Sockets[fd].avisadores[tipo]) v_Listos.push_back({fd, tipo, a});
    return despertares;
}

int DespachadorEpoll::ActivarSockets() {
    // Taken out of the member: a handler may turn a nested loop, which fills it again.
    std::vector<Listo> listos;
    listos.swap(v_Listos);
    int activados = 0;
    QEvent evento(QEvent::SockAct);
    for (const Listo& l : listos) {
        // Removed (or replaced) by an earlier one of this turn: not called.
        const auto it = v_Sockets.find(l.fd);
        if (it == v_Sockets.end() || it->second.avisadores[l.tipo] != l.avisador) continue;
        QCoreApplication::sendEvent(l.avisador, &evento);
        ++activados;
    }
    listos.clear();
    if (v_Listos.empty()) v_Listos.swap(listos);   // its room serves the next turn
    return activados;
}

void DespachadorEpoll::registerSocketNotifier(QSocketNotifier* notifier) {
    const int fd = static_cast<int>(notifier->socket());
    v_Sockets[fd].avisadores[notifier->type()] = notifier;
    Actualizar(fd);
}

void DespachadorEpoll::unregisterSocketNotifier(QSocketNotifier* notifier) {
    const int fd = static_cast<int>(notifier->socket());
    const auto it = v_Sockets.find(fd);
    if (it == v_Sockets.end() || it->second.avisadores[notifier->type()] != notifier) return;
    it->second.avisadores[notifier->type()] = nullptr;
    Actualizar(fd);
}

// The last notifier of a descriptor leaves epoll at once: its descriptor is
// about to be closed, and the number may come back within this turn for
// another socket, which must not find it listed as watched.
uint32_t DespachadorEpoll::Pedido(const Socket& s) {
    uint32_t pedido = 0;
    for (int tipo = 0; tipo < 3; ++tipo)
        if (s.avisadores[tipo]) pedido |= kPedido[tipo];
    return pedido;
}

void DespachadorEpoll::Actualizar(int fd) {
    Socket& s = v_Sockets[fd];
    if (Pedido(s) == 0) {
        if (s.enEpoll) ::epoll_ctl(v_Epoll, EPOLL_CTL_DEL, fd, nullptr);
        const auto sinEpoll = std::find(v_SinEpoll.begin(), v_SinEpoll.end(), fd);
        if (sinEpoll != v_SinEpoll.end()) v_SinEpoll.erase(sinEpoll);
        v_Sockets.erase(fd);
        return;
    }
    if (s.cambiado) return;
    s.cambiado = true;
    v_Cambiados.push_back(fd);
}

// Tells epoll what each changed descriptor's notifiers wait for now
// (none of them is without one: see Actualizar).
void DespachadorEpoll::AplicarCambios() {
    for (int fd : v_Cambiados) {
        const auto it = v_Sockets.find(fd);
        if (it == v_Sockets.end()) continue;
        Socket& s = it->second;
        s.cambiado = false;
        const uint32_t pedido = Pedido(s);
        if (pedido == s.enEpoll || std::find(v_SinEpoll.begin(), v_SinEpoll.end(), fd) != v_SinEpoll.end()) continue;
        epoll_event e{};
        e.events = pedido;
        e.data.fd = fd;
        // A descriptor closed while watched leaves epoll by itself, and its
        // number may come back: each operation falls back to the other.
        int r = ::epoll_ctl(v_Epoll, s.enEpoll ? EPOLL_CTL_MOD : EPOLL_CTL_ADD, fd, &e);
        if (r != 0 && (errno == ENOENT || errno == EEXIST))
            r = ::epoll_ctl(v_Epoll, errno == ENOENT ? EPOLL_CTL_ADD : EPOLL_CTL_MOD, fd, &e);
        s.enEpoll = r == 0 ? pedido : 0;
        if (r != 0 && errno == EPERM) v_SinEpoll.push_back(fd);
    }
    v_Cambiados.clear();
}

void DespachadorEpoll::Programar(int id, Temporizador& t, qint64 vence) {
    t.enCola = v_Cola.emplace(vence, id);
}

void DespachadorEpoll::registerTimer(int id, qint64 intervalo, Qt::TimerType tipo, QObject* objeto) {
    Temporizador t{intervalo, tipo, objeto, v_Cola.end()};
    Programar(id, t, v_Reloj.nsecsElapsed() + intervalo * kNsPorMs);
    v_Timers[id] = t;
}

bool DespachadorEpoll::unregisterTimer(int id) {
    const auto it = v_Timers.find(id);
    if (it == v_Timers.end()) return false;
    v_Cola.erase(it->second.enCola);
    v_Timers.erase(it);
    return true;
}

bool DespachadorEpoll::unregisterTimers(QObject* objeto) {
    bool alguno = false;
    for (auto it = v_Timers.begin(); it != v_Timers.end();) {
        if (it->second.objeto != objeto) {
            ++it;
            continue;
        }
        v_Cola.erase(it->second.enCola);
        it = v_Timers.erase(it);
        alguno = true;
    }
    return alguno;
}

QList<QAbstractEventDispatcher::TimerInfo> DespachadorEpoll::registeredTimers(QObject* objeto) const {
    QList<TimerInfo> r;
    for (const auto& [id, t] : v_Timers)
        if (t.objeto == objeto) r.append(TimerInfo(id, static_cast<int>(t.intervaloMs), t.tipo));
    return r;
}

int DespachadorEpoll::remainingTime(int id) {
    const auto it = v_Timers.find(id);
    if (it == v_Timers.end()) return -1;
    const qint64 falta = it->second.enCola->first - v_Reloj.nsecsElapsed();
    return falta <= 0 ? 0 : static_cast<int>((falta + kNsPorMs - 1) / kNsPorMs);
}

int DespachadorEpoll::MsHastaElProximo() const {
    if (v_Cola.empty()) return -1;
    const qint64 falta = v_Cola.begin()->first - v_Reloj.nsecsElapsed();
    if (falta <= 0) return 0;
    // Rounded up: waking before the time would only mean another wait.
    return static_cast<int>(std::min<qint64>((falta + kNsPorMs - 1) / kNsPorMs, INT_MAX));
}

int DespachadorEpoll::ActivarTimers() {
    const qint64 ahora = v_Reloj.nsecsElapsed();
    // The timers due now, each fired once in this turn even if it falls due again.
    std::vector<int> vencidos;
    for (auto it = v_Cola.begin(); it != v_Cola.end() && it->first <= ahora; ++it) vencidos.push_back(it->second);
    int activados = 0;
    for (int id : vencidos) {
        auto it = v_Timers.find(id);
        // Stopped by an earlier handler of this turn, or already running.
        if (it == v_Timers.end() || it->second.enCurso || it->second.enCola->first > ahora) continue;
        Temporizador& t = it->second;
        // The next time counts from this one, as Qt's loop does, unless it has fallen behind.
        qint64 vence = t.enCola->first + t.intervaloMs * kNsPorMs;
        if (vence < ahora) vence = ahora + t.intervaloMs * kNsPorMs;
        v_Cola.erase(t.enCola);
        Programar(id, t, vence);
        t.enCurso = true;
        QTimerEvent evento(id);
        QCoreApplication::sendEvent(t.objeto, &evento);
        ++activados;
        // The handler may have stopped it, and its id been given to another.
        it = v_Timers.find(id);
        if (it != v_Timers.end()) it->second.enCurso = false;
    }
    return activados;
}
