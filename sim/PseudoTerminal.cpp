#include "PseudoTerminal.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace vela::sim {
namespace {

struct Speed {
    speed_t code;
    int baud;
};
constexpr Speed kSpeeds[] = {
    {B300, 300},       {B600, 600},       {B1200, 1200},     {B2400, 2400},
    {B4800, 4800},     {B9600, 9600},     {B19200, 19200},   {B38400, 38400},
    {B57600, 57600},   {B115200, 115200}, {B230400, 230400},
};

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

void makeRaw(int fd)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    tcsetattr(fd, TCSANOW, &t);
}

} // namespace

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::open(const QString& linkPath, QString* error)
{
    close();
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        if (error)
            *error = systemError("posix_openpt");
        close();
        return false;
    }
    char name[128] = {};
    if (ptsname_r(m_master, name, sizeof name) != 0) {
        if (error)
            *error = systemError("ptsname");
        close();
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_slave < 0) {
        if (error)
            *error = systemError("open slave");
        close();
        return false;
    }
    makeRaw(m_slave);
    if (!linkPath.isEmpty()) {
        QDir().mkpath(QFileInfo(linkPath).absolutePath());
        const QByteArray link = QFile::encodeName(linkPath);
        ::unlink(link.constData());
        if (::symlink(name, link.constData()) != 0) {
            if (error)
                *error = systemError("symlink");
            close();
            return false;
        }
        m_linkPath = linkPath;
    }
    return true;
}

void PseudoTerminal::close()
{
    if (!m_linkPath.isEmpty()) {
        const QByteArray link = QFile::encodeName(m_linkPath);
        char target[256] = {};
        const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
        // Only remove the link while it still points at this pair.
        if (n > 0 && m_slavePath == QString::fromLocal8Bit(target, int(n)))
            ::unlink(link.constData());
        m_linkPath.clear();
    }
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
}

int PseudoTerminal::lineBaud() const
{
    termios t{};
    if (m_slave < 0 || tcgetattr(m_slave, &t) != 0)
        return 0;
    const speed_t code = cfgetospeed(&t);
    for (const Speed& s : kSpeeds)
        if (s.code == code)
            return s.baud;
    return 0;
}

} // namespace vela::sim
