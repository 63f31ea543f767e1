#pragma once
// Collects the text stream of an older instrument (or of the opacity output) byte by byte and
// recognises its start ("VELA") and its end ("TEST").
#include <QByteArray>

namespace vela::connect {

/// Capacity of the stream buffer.
inline constexpr int kStreamCapacity = 65535;

/// @brief The stream buffer with its started and ended flags.
///
/// A mark is looked for in the four characters that end one before the last byte received, so
/// neither mark is seen as the very first bytes of the buffer, and each is seen once one more
/// byte has followed it.
class StreamCollector {
public:
    enum class Event { None, Started, Ended, EndedBeforeStart, Overflow };

    void reset();
    /// Appends one byte and reports a mark seen with it.
    Event append(char byte);

    [[nodiscard]] const QByteArray& bytes() const { return m_bytes; }
    [[nodiscard]] int length() const { return int(m_bytes.size()); }
    [[nodiscard]] bool started() const { return m_started; }
    [[nodiscard]] bool ended() const { return m_ended; }
    /// Bytes dropped as noise while no stream had started (the buffer was full).
    [[nodiscard]] qint64 discarded() const { return m_discarded; }

private:
    QByteArray m_bytes;
    bool m_started = false;
    bool m_ended = false;
    bool m_overflowReported = false;
    qint64 m_discarded = 0;
};

} // namespace vela::connect
