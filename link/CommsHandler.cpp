#include "CommsHandler.h"

#include "platform/DeviceMap.h"

#include <QDeadlineTimer>

namespace vela::link {
namespace {

struct BaudSuffix {
    qint32 baud;
    const char* suffix;
};
constexpr BaudSuffix kSuffixes[] = {
    {1200, ":1200,n,8,1"},     {4800, ":4800,n,8,1"},     {9600, ":9600,n,8,1"},
    {14400, ":14400,n,8,1"},   {19200, ":19200,n,8,1"},   {38400, ":38400,n,8,1"},
    {56000, ":56000,n,8,1"},   {115200, ":115200,n,8,1"}, {128000, ":128000,n,8,1"},
    {256000, ":256000,n,8,1"},
};

bool isUnsupported(const QSerialPort& port)
{
    return port.error() == QSerialPort::UnsupportedOperationError;
}

constexpr int kLivenessCheckMs = 50;

} // namespace

int comPortNumber(const QString& name)
{
    if (name.size() != 4 || !name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        return 0;
    const int n = name.at(3).digitValue();
    return n >= platform::kFirstComPort && n <= platform::kLastComPort ? n : 0;
}

CommsHandler::CommsHandler(QObject* parent) : QObject(parent), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, &CommsHandler::dataArrived);
    connect(m_port, &QSerialPort::errorOccurred, this, &CommsHandler::onError);
}

CommsHandler::~CommsHandler()
{
    Close();
}

QString CommsHandler::SettingsText(int port, qint32 baud)
{
    const char* suffix = ":600,n,8,1";
    for (const BaudSuffix& s : kSuffixes)
        if (s.baud == baud)
            suffix = s.suffix;
    return QStringLiteral("COM%1").arg(port) + QLatin1String(suffix);
}

bool CommsHandler::Open(int port, qint32 baud, bool handshake)
{
    m_handshake = handshake;
    m_lastError = 0;
    if (port < platform::kFirstComPort || port > platform::kLastComPort) {
        m_lastError = quint32(QSerialPort::DeviceNotFoundError);
        return false;
    }
    return OpenDevice(platform::deviceForComPort(port), baud, handshake, port);
}

bool CommsHandler::OpenByName(const QString& name, qint32 baud, bool handshake)
{
    const int port = comPortNumber(name);
    return port ? Open(port, baud, handshake) : OpenDevice(name, baud, handshake);
}

bool CommsHandler::OpenDevice(const QString& device, qint32 baud, bool handshake, int portNumber)
{
    m_handshake = handshake;
    m_lastError = 0;
    Close();
    m_limitations.clear();
    m_lineErrors = 0;
    m_lost = false;
    m_port->setPortName(device);
    m_port->setReadBufferSize(0);
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_port->clearError();
        return false;
    }
    m_device = device;
    if (!configure(baud, handshake)) {
        // The device exists but refuses our line settings: closed, with the reason kept.
        m_lastError = quint32(m_port->error());
        m_port->close();
        m_port->clearError();
        m_portNumber = 0;
        m_open = false;
        return true;
    }
    m_baud = baud;
    m_portNumber = portNumber;
    m_open = true;
    return true;
}

bool CommsHandler::configure(qint32 baud, bool handshake)
{
    const bool lineOk = m_port->setBaudRate(baud) && m_port->setDataBits(QSerialPort::Data8)
                        && m_port->setParity(QSerialPort::NoParity)
                        && m_port->setStopBits(QSerialPort::TwoStop);
    if (!lineOk)
        return false;
    if (!m_port->setFlowControl(handshake ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl)) {
        if (!isUnsupported(*m_port))
            return false;
        note(QStringLiteral("CTS flow control"));
    }
    if (!m_port->setDataTerminalReady(false))
        note(QStringLiteral("DTR"));
    // With hardware flow control the driver owns RTS.
    if (!handshake && !m_port->setRequestToSend(true))
        note(QStringLiteral("RTS"));
    m_port->clearError();
    return true;
}

void CommsHandler::note(const QString& what)
{
    if (!m_limitations.contains(what))
        m_limitations << what;
    m_port->clearError();
}

void CommsHandler::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ResourceError:
        // The device went away: stop using it; the next Open starts afresh.
        m_lineErrors |= kCeFrame;
        m_lastError = quint32(error);
        if (!m_lost) {
            m_lost = true;
            Q_EMIT deviceLost();
        }
        break;
    case QSerialPort::ReadError:
        m_lineErrors |= kCeRxOver;
        break;
    case QSerialPort::WriteError:
        m_lineErrors |= kCeTxFull;
        break;
    default:
        break;
    }
}

bool CommsHandler::IsOpen() const
{
    return m_open && m_port->isOpen();
}

bool CommsHandler::usable()
{
    if (!IsOpen())
        return false;
    if (m_lost) {
        m_port->close();
        m_open = false;
        m_portNumber = 0;
        return false;
    }
    return true;
}

bool CommsHandler::Close()
{
    if (m_port->isOpen())
        m_port->close();
    m_port->clearError();
    m_open = false;
    m_portNumber = 0;
    return true;
}

bool CommsHandler::stillThere()
{
    // A vanished device (unplugged adapter, closed pseudo-terminal) does not always tell the
    // port object outside the event loop; re-applying a line setting it accepted at open does.
    // Checked at most every kLivenessCheckMs, since empty reads come often while waiting.
    if (m_lost || (m_livenessCheck.isValid() && m_livenessCheck.elapsed() < kLivenessCheckMs))
        return !m_lost;
    m_livenessCheck.start();
    if (!m_port->setDataBits(QSerialPort::Data8)) {
        m_lost = true;
        m_lineErrors |= kCeFrame;
        m_lastError = quint32(QSerialPort::ResourceError);
        Q_EMIT deviceLost();
    }
    m_port->clearError();
    return !m_lost;
}

void CommsHandler::pull()
{
    // Takes what the system has received into the port's buffer; returns at once.
    if (m_port->bytesAvailable() == 0)
        m_port->waitForReadyRead(0);
}

bool CommsHandler::Write(const char* bytes, qint32& count)
{
    const qint32 wanted = count;
    count = 0;
    if (!usable())
        return false;
    if (m_handshake) {
        quint32 status = 0;
        if (!ModemStatus(status) || !(status & kMsCtsOn))
            return false;
    }
    const qint64 queued = m_port->write(bytes, wanted);
    if (queued < 0) {
        m_lastError = quint32(m_port->error());
        return false;
    }
    m_port->flush();  // usually sends it all at once
    QDeadlineTimer deadline(kWriteTimeoutConstantMs + kWriteTimeoutPerByteMs * wanted);
    while (m_port->bytesToWrite() > 0 && !deadline.hasExpired() && !m_lost) {
        if (!m_port->waitForBytesWritten(int(std::max<qint64>(1, deadline.remainingTime()))))
            stillThere();
    }
    const qint64 pending = m_port->bytesToWrite();
    count = qint32(queued - pending);
    if (pending > 0) {
        // Cut short: what did not go out is not sent later either.
        m_lastError = quint32(m_port->error() != QSerialPort::NoError ? m_port->error()
                                                                      : QSerialPort::TimeoutError);
        m_port->clear(QSerialPort::Output);
    }
    return count == wanted;
}

bool CommsHandler::Read(char* buffer, qint32& count)
{
    const qint32 wanted = count;
    count = 0;
    if (buffer)
        buffer[0] = 0;
    if (!usable() || wanted < 1)
        return false;
    pull();
    const qint64 got = m_port->read(buffer, wanted);
    if (got < 0) {
        m_lastError = quint32(m_port->error());
        return false;
    }
    if (got == 0)
        stillThere();
    count = qint32(got);
    buffer[count] = 0;
    return count >= 1;
}

bool CommsHandler::ModemStatus(quint32& status)
{
    status = 0;
    if (!usable())
        return false;
    m_port->clearError();  // a stale time-out of a non-blocking read must not read as a failure
    const QSerialPort::PinoutSignals pins = m_port->pinoutSignals();
    if (m_port->error() != QSerialPort::NoError) {
        // No modem lines here (pseudo-terminal): report the lines a cable would hold on.
        note(QStringLiteral("modem lines"));
        status = kMsCtsOn | kMsDsrOn;
        return true;
    }
    if (pins & QSerialPort::ClearToSendSignal)
        status |= kMsCtsOn;
    if (pins & QSerialPort::DataSetReadySignal)
        status |= kMsDsrOn;
    if (pins & QSerialPort::RingIndicatorSignal)
        status |= kMsRingOn;
    if (pins & QSerialPort::DataCarrierDetectSignal)
        status |= kMsRlsdOn;
    return true;
}

bool CommsHandler::Purge()
{
    if (!usable())
        return false;
    ++m_purges;
    if (m_port->bytesToWrite() > 0)
        m_port->waitForBytesWritten(kWriteTimeoutConstantMs);
    if (m_port->isBreakEnabled())
        m_port->setBreakEnabled(false);
    const bool ok = m_port->clear(QSerialPort::AllDirections);
    m_port->readAll();  // anything already taken into the port's own buffer
    if (!ok)
        m_lastError = quint32(m_port->error());
    m_port->clearError();
    return ok;
}

bool CommsHandler::ClearError(quint32& errors)
{
    errors = 0;
    if (!usable())
        return false;
    errors = m_lineErrors;
    m_lineErrors = 0;
    m_port->clearError();
    return true;
}

qint32 CommsHandler::BytesWaiting()
{
    if (!usable())
        return -1;
    pull();
    if (m_port->bytesAvailable() == 0 && !stillThere())
        return -1;
    return qint32(m_port->bytesAvailable());
}

} // namespace vela::link
