#include "app/recovery/SessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace kora {

namespace {

int pipeEnds[2] = {-1, -1};
constexpr int kEndingSignals[] = {SIGTERM, SIGHUP};

void onSignal(int signal)
{
    const int saved = errno;
    const char byte = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

} // namespace

SessionEnd::SessionEnd(QObject *parent)
    : QObject(parent)
{
    // A file that grows past the size limit fails its write, and the save says so, instead of
    // the signal killing the program with the document unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) == 0) {
        m_notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &SessionEnd::readSignals);
        struct sigaction action
        {
        };
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signal : kEndingSignals)
            sigaction(signal, &action, nullptr);
    }
    if (auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) { emit ending(); });
}

SessionEnd::~SessionEnd()
{
    if (!m_notifier)
        return;
    for (const int signal : kEndingSignals)
        std::signal(signal, SIG_DFL);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void SessionEnd::readSignals()
{
    char bytes[16];
    bool any = false;
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0)
        any = true;
    if (any)
        emit ending();
}

} // namespace kora
