#include "connect/StreamCollector.h"

namespace vela::connect {
namespace {

/// Bytes kept when noise fills the buffer before a stream started: enough for a mark.
constexpr int kKeepOnDiscard = 5;

} // namespace

void StreamCollector::reset()
{
    m_bytes.clear();
    m_bytes.reserve(1024);
    m_started = m_ended = m_overflowReported = false;
    m_discarded = 0;
}

StreamCollector::Event StreamCollector::append(char byte)
{
    if (m_bytes.size() >= kStreamCapacity) {
        if (m_started) {
            // A started stream longer than the buffer cannot be parsed whole.
            if (m_overflowReported)
                return Event::None;
            m_overflowReported = true;
            return Event::Overflow;
        }
        // Noise before any stream: drop it so that a stream arriving later is still seen.
        m_discarded += m_bytes.size() - kKeepOnDiscard;
        m_bytes.remove(0, m_bytes.size() - kKeepOnDiscard);
    }
    m_bytes.append(byte);
    const qsizetype n = m_bytes.size();
    if (n <= 5)
        return Event::None;
    const QByteArrayView mark(m_bytes.constData() + n - 5, 4);
    if (mark == "VELA") {
        m_started = true;
        return Event::Started;
    }
    if (mark == "TEST") {
        m_ended = true;
        return m_started ? Event::Ended : Event::EndedBeforeStart;
    }
    return Event::None;
}

} // namespace vela::connect
