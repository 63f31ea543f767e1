#include "LineEngine.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace vela::sim {
namespace {

constexpr int kBitsPerByte = 11;  // start, 8 data, 2 stop
// Bytes due within this time (or two byte times, if longer) of each other go out in one write,
// as a receiver FIFO hands them over; the last byte of each write is never early.
constexpr auto kWriteGrain = std::chrono::microseconds(1000);
constexpr qsizetype kMaxLine = 4096;
constexpr int kEndlessDefault = 2000;
constexpr int kPrintoutPauseMs = 50;

QString escaped(const QByteArray& bytes)
{
    QString out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            out += QStringLiteral("\\r");
        else if (c == '\n')
            out += QStringLiteral("\\n");
        else if (c == '\\')
            out += QStringLiteral("\\\\");
        else if (u < 0x20 || u >= 0x7F)
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            out += QLatin1Char(c);
    }
    return out;
}

/// The reply with the fault's changes; start delay and byte gap come back through the outs.
QByteArray shapeReply(QByteArray line, const FaultRule& f, int& delayMs, int& gapMs)
{
    switch (f.kind) {
    case FaultKind::LateReply: delayMs = f.delayMs; break;
    case FaultKind::Noise: line.prepend(f.text.isEmpty() ? QByteArray("x?") : f.text); break;
    case FaultKind::WrongEcho: line[2] = line[2] == 'X' ? 'Y' : 'X'; break;
    case FaultKind::CutReply:
        line.truncate(f.bytes >= 0 ? f.bytes : line.size() - 1);
        break;
    case FaultKind::DoubleReply: line += f.text.isEmpty() ? line : f.text; break;
    case FaultKind::Replace: line = f.text; break;
    case FaultKind::Endless:
        line = line.left(3) + QByteArray(f.bytes > 0 ? f.bytes : kEndlessDefault, '0');
        break;
    case FaultKind::SplitReply: gapMs = f.delayMs > 0 ? f.delayMs : 5; break;
    default: break;
    }
    return line;
}

} // namespace

LineEngine::LineEngine(const InstrumentState& state) : m_state(state) {}

LineEngine::~LineEngine()
{
    stop();
}

bool LineEngine::start(const SimOptions& options, QString* error)
{
    stop();
    std::lock_guard lock(m_mutex);
    m_options = options;
    m_timing = options.lineTiming;
    m_fixedBaud = options.baud;
    if (!m_pty.open(options.linkPath, error))
        return false;
    if (::pipe2(m_wake, O_NONBLOCK | O_CLOEXEC) != 0) {
        m_pty.close();
        if (error)
            *error = QStringLiteral("pipe failed");
        return false;
    }
    if (!options.transcriptPath.isEmpty()) {
        m_transcriptFile.setFileName(options.transcriptPath);
        m_transcriptFile.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
    }
    m_started = m_rxFree = m_txFree = Clock::now();
    m_plugged = true;
    m_stop = false;
    m_running = true;
    m_thread = std::thread([this] { run(); });
    return true;
}

void LineEngine::stop()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_running)
            return;
        m_stop = true;
    }
    wake();
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard lock(m_mutex);
    m_pty.close();
    ::close(m_wake[0]);
    ::close(m_wake[1]);
    m_wake[0] = m_wake[1] = -1;
    m_transcriptFile.close();
    m_outbound.clear();
    m_running = false;
}

void LineEngine::wake()
{
    if (m_wake[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wake[1], &c, 1);
    }
}

QString LineEngine::devicePath() const
{
    std::lock_guard lock(m_mutex);
    return m_options.linkPath.isEmpty() ? m_pty.slavePath() : m_options.linkPath;
}

QString LineEngine::slavePath() const
{
    std::lock_guard lock(m_mutex);
    return m_pty.slavePath();
}

void LineEngine::withState(const std::function<void(InstrumentState&)>& f)
{
    std::lock_guard lock(m_mutex);
    f(m_state);
}

InstrumentState LineEngine::stateCopy() const
{
    std::lock_guard lock(m_mutex);
    return m_state;
}

void LineEngine::addCommand(const QByteArray& mnemonic, CommandHandler handler)
{
    std::lock_guard lock(m_mutex);
    m_table.add(mnemonic, std::move(handler));
}

void LineEngine::addFault(const FaultRule& rule)
{
    std::lock_guard lock(m_mutex);
    m_faults.add(rule);
}

void LineEngine::clearFaults()
{
    std::lock_guard lock(m_mutex);
    m_faults.clear();
}

void LineEngine::unplug(int replugAfterMs)
{
    {
        std::lock_guard lock(m_mutex);
        unplugLocked(replugAfterMs);
    }
    wake();
}

void LineEngine::plug()
{
    {
        std::lock_guard lock(m_mutex);
        plugLocked();
    }
    wake();
}

void LineEngine::unplugLocked(int replugAfterMs)
{
    m_pty.close();
    m_plugged = false;
    m_outbound.clear();
    m_rxLine.clear();
    m_replugAt.reset();
    if (replugAfterMs > 0)
        m_replugAt = Clock::now() + std::chrono::milliseconds(replugAfterMs);
}

void LineEngine::plugLocked()
{
    m_replugAt.reset();
    if (m_plugged || !m_running)
        return;
    m_plugged = m_pty.open(m_options.linkPath, nullptr);
    m_rxFree = m_txFree = Clock::now();
}

bool LineEngine::plugged() const
{
    std::lock_guard lock(m_mutex);
    return m_plugged;
}

void LineEngine::setLineTiming(bool on, int baud)
{
    std::lock_guard lock(m_mutex);
    m_timing = on;
    m_fixedBaud = baud;
}

int LineEngine::timingBaud() const
{
    std::lock_guard lock(m_mutex);
    if (!m_timing)
        return 0;
    if (m_fixedBaud > 0)
        return m_fixedBaud;
    const int line = m_pty.lineBaud();
    return line > 0 ? line : m_options.fallbackBaud;
}

LineEngine::Clock::duration LineEngine::byteTime() const
{
    if (!m_timing)
        return Clock::duration::zero();
    int baud = m_fixedBaud;
    if (baud <= 0)
        baud = m_pty.lineBaud();
    if (baud <= 0)
        baud = m_options.fallbackBaud;
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::nanoseconds(qint64(kBitsPerByte) * 1000000000LL / baud));
}

std::vector<Exchange> LineEngine::transcript() const
{
    std::lock_guard lock(m_mutex);
    return m_transcript;
}

void LineEngine::clearTranscript()
{
    std::lock_guard lock(m_mutex);
    m_transcript.clear();
}

bool LineEngine::waitForExchanges(size_t n, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_transcript.size() >= n; });
}

void LineEngine::record(Exchange exchange)
{
    if (m_transcriptFile.isOpen()) {
        QJsonObject o{{QStringLiteral("t"), exchange.timeMs},
                      {QStringLiteral("rx"), escaped(exchange.received)},
                      {QStringLiteral("tx"), escaped(exchange.sent)}};
        if (!exchange.note.isEmpty())
            o.insert(QStringLiteral("note"), exchange.note);
        m_transcriptFile.write(QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n');
        m_transcriptFile.flush();
    }
    m_transcript.push_back(std::move(exchange));
    m_changed.notify_all();
}

void LineEngine::receive(TimePoint now)
{
    char buffer[512];
    while (m_plugged) {
        const ssize_t n = ::read(m_pty.masterFd(), buffer, sizeof buffer);
        if (n <= 0)
            return;  // EAGAIN, or EIO while no client holds the line
        const Clock::duration bt = byteTime();
        for (ssize_t i = 0; i < n && m_plugged; ++i) {
            // Each byte is on the line until its stop bit ends; a command is handled as of the
            // time its carriage return has fully arrived (the reply is scheduled from then).
            m_rxFree = std::max(now, m_rxFree) + bt;
            takeByte(buffer[i], m_rxFree);
        }
    }
}

void LineEngine::takeByte(char byte, TimePoint due)
{
    m_rxLine.append(byte);
    if (byte == '\r') {
        const QByteArray line = m_rxLine;
        m_rxLine.clear();
        handleLine(line, due);
    } else if (m_rxLine.size() > kMaxLine) {
        m_rxLine.remove(0, m_rxLine.size() - kMaxLine);
    }
}

void LineEngine::handleLine(const QByteArray& raw, TimePoint at)
{
    Exchange ex;
    ex.timeMs = std::chrono::duration<double, std::milli>(at - m_started).count();
    ex.received = raw;
    // A new command ends an endless line; ordinary replies still go out in order.
    if (m_abandonOutput) {
        m_outbound.clear();
        m_abandonOutput = false;
    }
    m_txFree = std::max(m_txFree, at);
    if (!m_state.poweredOn && at >= m_offUntil && m_offUntil != TimePoint{})
        m_state.poweredOn = true;
    Frame frame;
    if (!m_state.poweredOn) {
        ex.note = QStringLiteral("off");
    } else if (!parseFrame(raw.left(raw.size() - 1), frame)) {
        ex.note = QStringLiteral("no frame");
    } else if (const CommandHandler* handler = m_table.find(frame.mnemonic); !handler) {
        ex.note = QStringLiteral("unknown command");
    } else {
        const std::optional<FaultRule> fault = m_faults.take(frame.mnemonic);
        if (fault)
            ex.note = faultName(fault->kind);
        if (fault && fault->kind == FaultKind::Unplug) {
            record(ex);
            unplugLocked(fault->delayMs);
            return;
        }
        if (!fault || fault->kind != FaultKind::NoReply) {
            const CommandReply reply = (*handler)(m_state, frame.value);
            if (!m_state.poweredOn)
                m_offUntil = at + std::chrono::milliseconds(m_state.offHoldMs);
            answer(frame, reply, fault, at, ex);
            sendPending(at);
        }
    }
    record(ex);
}

void LineEngine::answer(const Frame& frame, CommandReply reply, const std::optional<FaultRule>& fault,
                        TimePoint at, Exchange& ex)
{
    if (fault && fault->kind == FaultKind::MemoryBusy)
        reply = {true, frame.value};
    if (!reply.answer)
        return;
    int delayMs = 0, gapMs = 0;
    QByteArray bytes = replyLine(frame.mnemonic, reply.value);
    if (fault)
        bytes = shapeReply(bytes, *fault, delayMs, gapMs);
    schedule(bytes, at + std::chrono::milliseconds(delayMs), std::chrono::milliseconds(gapMs));
    m_abandonOutput = fault && fault->kind == FaultKind::Endless;
    ex.sent = bytes;
}

void LineEngine::sendPending(TimePoint at)
{
    if (m_state.pendingOutput.isEmpty())
        return;
    // A short pause after the reply, as the instrument starts printing.
    schedule(m_state.pendingOutput, std::max(at, m_txFree) + std::chrono::milliseconds(kPrintoutPauseMs),
             Clock::duration::zero());
    m_state.pendingOutput.clear();
}

void LineEngine::sendText(const QByteArray& bytes, int delayMs)
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_plugged)
            return;
        schedule(bytes, std::max(Clock::now(), m_txFree) + std::chrono::milliseconds(delayMs),
                 Clock::duration::zero());
    }
    wake();
}

void LineEngine::schedule(const QByteArray& bytes, TimePoint start, Clock::duration gap)
{
    const Clock::duration bt = byteTime();
    TimePoint t = std::max(start, m_txFree);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        t += bt + (i > 0 ? gap : Clock::duration::zero());
        m_outbound.push_back({bytes[i], t});
    }
    m_txFree = t;
}

void LineEngine::transmit(TimePoint now)
{
    QByteArray due;
    for (const TimedByte& b : m_outbound) {
        if (b.due > now)
            break;
        due.append(b.byte);
    }
    if (due.isEmpty())
        return;
    const ssize_t n = ::write(m_pty.masterFd(), due.constData(), size_t(due.size()));
    const qsizetype sent = n > 0 ? qsizetype(n) : 0;
    m_outbound.erase(m_outbound.begin(), m_outbound.begin() + sent);
    m_writeBlocked = sent < due.size();
}

LineEngine::TimePoint LineEngine::nextDeadline(TimePoint now) const
{
    TimePoint next = TimePoint::max();
    if (!m_outbound.empty() && !m_writeBlocked) {
        // Bytes due close together go out in one write, the last of them on time.
        const TimePoint first = m_outbound.front().due;
        const Clock::duration grain = std::max<Clock::duration>(kWriteGrain, 2 * byteTime());
        TimePoint group = first;
        for (const TimedByte& b : m_outbound) {
            if (b.due - first >= grain)
                break;
            group = b.due;
        }
        next = std::min(next, group);
    }
    if (m_replugAt)
        next = std::min(next, *m_replugAt);
    return std::max(next, now);
}

void LineEngine::run()
{
    std::unique_lock lock(m_mutex);
    while (!m_stop) {
        TimePoint now = Clock::now();
        if (!m_plugged && m_replugAt && now >= *m_replugAt)
            plugLocked();
        if (m_plugged)
            transmit(now);
        const TimePoint deadline = nextDeadline(now);
        pollfd fds[2] = {{m_wake[0], POLLIN, 0}, {m_plugged ? m_pty.masterFd() : -1, POLLIN, 0}};
        if (m_writeBlocked)
            fds[1].events |= POLLOUT;
        timespec ts{};
        timespec* timeout = nullptr;
        if (m_options.busyPoll) {
            timeout = &ts;  // zero: look and come straight back
        } else if (deadline != TimePoint::max()) {
            const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - now);
            ts.tv_sec = time_t(wait.count() / 1000000000);
            ts.tv_nsec = long(wait.count() % 1000000000);
            timeout = &ts;
        }
        lock.unlock();
        ::ppoll(fds, 2, timeout, nullptr);
        lock.lock();
        if (fds[0].revents & POLLIN) {
            char sink[64];
            while (::read(m_wake[0], sink, sizeof sink) > 0) {
            }
        }
        now = Clock::now();
        if (m_plugged && (fds[1].revents & POLLIN))
            receive(now);
        if (fds[1].revents & POLLOUT)
            m_writeBlocked = false;
        if (m_plugged && (fds[1].revents & (POLLHUP | POLLERR)) && !(fds[1].revents & POLLIN))
            lock.unlock(), std::this_thread::sleep_for(std::chrono::milliseconds(1)), lock.lock();
    }
}

} // namespace vela::sim
