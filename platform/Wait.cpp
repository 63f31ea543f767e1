#include "Wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace vela::platform {

void pause(int milliseconds)
{
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void waitKeepingAlive(int milliseconds)
{
    waitUntil([] { return false; }, milliseconds);
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    if (!QCoreApplication::instance()) {
        // No event loop to keep alive: sleep in short steps.
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            QThread::msleep(2);
            if (done())
                return true;
        }
        return done();
    }
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        // Sleeps until an event arrives or the slice ends; no spinning.
        QTimer slice;
        slice.setSingleShot(true);
        slice.start(int(std::min<qint64>(deadline.remainingTime(), 5)));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
        if (done())
            return true;
    }
    return done();
}

} // namespace vela::platform
