#include "InstrumentLink.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <cctype>

namespace vela::link {
namespace {

/// Marks the link busy for the lifetime of one transaction.
class TransactionScope {
public:
    explicit TransactionScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~TransactionScope() { m_flag = false; }
    TransactionScope(const TransactionScope&) = delete;
    TransactionScope& operator=(const TransactionScope&) = delete;

private:
    bool& m_flag;
};

/// Sleeps until the next event (port data, the time-out timer, user input) and handles it.
void waitForEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    else
        QThread::msleep(1);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

InstrumentLink* g_override = nullptr;
QPointer<InstrumentLink> g_default;

} // namespace

InstrumentLink::InstrumentLink(QObject* parent) : QObject(parent), m_comms(new CommsHandler(this))
{
    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer2.setInterval(1000);
    connect(&m_timer2, &QTimer::timeout, this, [this] {
        m_abort = true;
        m_timer2.stop();
    });
}

InstrumentLink::~InstrumentLink()
{
    m_comms->Close();
}

QByteArray InstrumentLink::BuildFrame(const char* mnemonic, qint32 value)
{
    QByteArray frame("!");
    frame.append(mnemonic, 2);
    frame.append(QByteArray::number(quint32(value), 16).rightJustified(4, '0'));
    frame.append('\r');
    return frame;
}

quint32 InstrumentLink::ParseReplyValue(const QByteArray& reply)
{
    qsizetype i = 3;
    const qsizetype n = reply.size();
    while (i < n && std::isspace(static_cast<unsigned char>(reply[i])))
        ++i;
    bool negative = false;
    if (i < n && (reply[i] == '+' || reply[i] == '-'))
        negative = reply[i++] == '-';
    if (i + 2 < n && reply[i] == '0' && (reply[i + 1] == 'x' || reply[i + 1] == 'X')
        && hexDigit(reply[i + 2]) >= 0)
        i += 2;
    qint64 magnitude = 0;
    constexpr qint64 kLimit = qint64(1) << 32;  // far enough beyond either bound to clamp
    for (; i < n && hexDigit(reply[i]) >= 0; ++i)
        magnitude = std::min(kLimit, magnitude * 16 + hexDigit(reply[i]));
    qint64 value = negative ? -magnitude : magnitude;
    value = std::clamp<qint64>(value, INT32_MIN, INT32_MAX);
    return quint32(qint32(value));
}

bool InstrumentLink::SendCommand(const char* mnemonic, qint32 value, quint32* replyValue,
                                 QByteArray* replyText)
{
    QByteArray reply;
    const bool ok = Transact(BuildFrame(mnemonic, value), reply, 2 * m_timeBase);
    if (replyText)
        *replyText = reply;
    if (ok && replyValue)
        *replyValue = ParseReplyValue(reply);
    return ok;
}

void InstrumentLink::drainInput()
{
    // Bounded, so that a device that never stops talking cannot hold the transaction here.
    char buffer[kDrainChunk + 1];
    qint32 count = kDrainChunk;
    for (int drained = 0; drained < kDrainLimit && m_comms->Read(buffer, count); drained += count)
        count = kDrainChunk;
}

bool InstrumentLink::writeFrame(const QByteArray& frame)
{
    for (int attempt = 0; attempt < kWriteAttempts; ++attempt) {
        qint32 count = qint32(frame.size());
        if (m_comms->Write(frame.constData(), count))
            return true;
        quint32 errors = 0;
        m_comms->Purge();
        m_comms->ClearError(errors);
        (void)m_comms->LastError();
    }
    return false;
}

void InstrumentLink::captureBytes(const char* bytes, int count, QByteArray& reply, bool& started,
                                  bool& ended)
{
    for (int i = 0; i < count && !ended; ++i) {
        const char c = bytes[i];
        if (c == '!') {
            started = true;
            ended = false;
        } else if (c == '\r' && started) {
            ended = true;
            continue;
        }
        if (started && reply.size() < kReplyCapacity)
            reply.append(c);
    }
}

bool InstrumentLink::waitForReply(QByteArray& reply)
{
    bool started = false;
    bool ended = false;
    qint32 lastCount = 0;
    char buffer[kReplyReadChunk + 1];
    while (!ended && !m_abort) {
        if (!m_timer2.isActive())
            m_timer2.start();
        for (;;) {
            lastCount = kReplyReadChunk;
            m_comms->Read(buffer, lastCount);
            if (lastCount > 0 || m_abort)
                break;
            waitForEvents();
            if (m_abort)
                break;
        }
        captureBytes(buffer, lastCount, reply, started, ended);
        // The interface stays alive between the pieces of a reply; once the line is complete
        // the caller goes on at once.
        if (!ended && lastCount > 0)
            QCoreApplication::processEvents();
    }
    // A line cut off by the time-out is not a reply, whatever its first characters say.
    return lastCount > 0 && ended;
}

bool InstrumentLink::Transact(const QByteArray& frame, QByteArray& reply, int waitMs)
{
    reply.clear();
    if (m_inTransaction) {
        // The waiting transaction owns the reply and the timer: refuse rather than corrupt it.
        ++m_refused;
        return false;
    }
    TransactionScope scope(m_inTransaction);
    drainInput();
    m_timer2.stop();
    m_frameUnsent = !writeFrame(frame);
    if (m_frameUnsent)
        return false;
    m_timer2.setInterval(std::max(1, waitMs));
    m_timer2.start();
    m_abort = false;
    bool ok = waitForReply(reply);
    if (ok)
        ok = reply.size() >= 3 && frame.left(3).compare(reply.left(3), Qt::CaseInsensitive) == 0;
    m_timer2.stop();
    if (m_abort)
        m_comms->Purge();
    return ok;
}

bool InstrumentLink::ReceiveBytes(char* buffer, qint32& count)
{
    const bool ok = m_comms->Read(buffer, count);
    if (!ok && buffer)
        buffer[0] = 0;
    return ok && count >= 1;
}

bool InstrumentLink::TransmitText(const char* text, qint32& count)
{
    return m_comms->Write(text, count);
}

bool InstrumentLink::PurgePort()
{
    return m_comms->Purge();
}

qint32 InstrumentLink::PendingBytes()
{
    return m_comms->BytesWaiting();
}

InstrumentLink& instrumentLink()
{
    if (g_override)
        return *g_override;
    if (!g_default)
        g_default = new InstrumentLink(QCoreApplication::instance());
    return *g_default;
}

void setInstrumentLink(InstrumentLink* link)
{
    g_override = link;
}

} // namespace vela::link
