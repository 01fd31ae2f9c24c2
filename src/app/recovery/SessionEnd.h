#pragma once

#include <QObject>

class QSocketNotifier;

namespace kora {

// Tells when the program must end at once: SIGTERM or SIGHUP arrived, or the desktop session is
// ending. The signals reach the event loop through a pipe, so nothing but a write runs inside
// the signal handler. One instance at a time; it puts the default handlers back when it goes.
class SessionEnd : public QObject
{
    Q_OBJECT
public:
    explicit SessionEnd(QObject *parent = nullptr);
    ~SessionEnd() override;

signals:
    void ending();

private:
    void readSignals();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace kora
