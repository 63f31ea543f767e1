#include "DeviceMap.h"

#include "PrivateProfile.h"

#include <QDir>
#include <QStringList>

namespace vela::platform {
namespace {

QStringList defaultDevices()
{
    QStringList out;
    const QDir dev(QStringLiteral("/dev"));
    for (const char* pattern : {"ttyUSB*", "ttyACM*", "ttyS*"}) {
        QStringList names = dev.entryList({QString::fromLatin1(pattern)}, QDir::System);
        std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
            return a.size() != b.size() ? a.size() < b.size() : a < b;
        });
        for (const QString& n : names)
            out << dev.filePath(n);
    }
    return out;
}

} // namespace

QString deviceForComPort(int port)
{
    if (port < kFirstComPort || port > kLastComPort)
        return {};
#ifdef Q_OS_WIN
    return QStringLiteral("\\\\.\\COM%1").arg(port);
#else
    const QString key = QStringLiteral("COM%1").arg(port);
    // VELA_COMn (e.g. set by the run script to the virtual instrument) wins over the file.
    const QString fromEnv = qEnvironmentVariable(("VELA_" + key).toLatin1().constData());
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QString mapped =
        settingsFile().readString(QString::fromLatin1(kSerialPortsSection), key);
    if (!mapped.isEmpty())
        return mapped;
    const QStringList devices = defaultDevices();
    return port - 1 < devices.size() ? devices[port - 1] : QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

} // namespace vela::platform
