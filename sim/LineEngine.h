#pragma once
// The simulator's line: a thread that serves the pseudo-terminal, times every byte at the
// line rate (11 bits a byte), turns command lines into replies through the command table and
// applies the fault rules.
#include "sim/CommandTable.h"
#include "sim/Fault.h"
#include "sim/InstrumentState.h"
#include "sim/PseudoTerminal.h"
#include "sim/VelaSim.h"

#include <QFile>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace vela::sim {

/// @brief Serves one pseudo-terminal on its own thread; every public call is thread-safe.
class LineEngine {
public:
    explicit LineEngine(const InstrumentState& state);
    ~LineEngine();
    LineEngine(const LineEngine&) = delete;
    LineEngine& operator=(const LineEngine&) = delete;

    bool start(const SimOptions& options, QString* error);
    void stop();
    [[nodiscard]] bool running() const { return m_running; }
    [[nodiscard]] QString devicePath() const;
    [[nodiscard]] QString slavePath() const;

    void withState(const std::function<void(InstrumentState&)>& f);
    [[nodiscard]] InstrumentState stateCopy() const;
    void addCommand(const QByteArray& mnemonic, CommandHandler handler);
    void addFault(const FaultRule& rule);
    void clearFaults();
    void unplug(int replugAfterMs);
    void plug();
    [[nodiscard]] bool plugged() const;
    void setLineTiming(bool on, int baud);
    [[nodiscard]] int timingBaud() const;
    [[nodiscard]] std::vector<Exchange> transcript() const;
    void clearTranscript();
    bool waitForExchanges(size_t n, int timeoutMs) const;
    /// Sends bytes the instrument outputs by itself (a text stream), after delayMs.
    void sendText(const QByteArray& bytes, int delayMs);

private:
    using Clock = std::chrono::steady_clock;
    using TimePoint = Clock::time_point;
    struct TimedByte {
        char byte;
        TimePoint due;
    };

    void run();
    void wake();
    [[nodiscard]] Clock::duration byteTime() const;
    void receive(TimePoint now);
    void takeByte(char byte, TimePoint due);
    void handleLine(const QByteArray& raw, TimePoint at);
    void answer(const Frame& frame, CommandReply reply, const std::optional<FaultRule>& fault,
                TimePoint at, Exchange& exchange);
    void schedule(const QByteArray& bytes, TimePoint start, Clock::duration gap);
    void sendPending(TimePoint at);
    void transmit(TimePoint now);
    [[nodiscard]] TimePoint nextDeadline(TimePoint now) const;
    void record(Exchange exchange);
    void unplugLocked(int replugAfterMs);
    void plugLocked();

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    InstrumentState m_state;
    CommandTable m_table;
    FaultSet m_faults;
    SimOptions m_options;
    PseudoTerminal m_pty;
    std::vector<Exchange> m_transcript;
    QFile m_transcriptFile;
    std::thread m_thread;
    int m_wake[2] = {-1, -1};
    std::atomic<bool> m_running{false};
    bool m_stop = false;
    bool m_plugged = false;
    bool m_timing = true;
    int m_fixedBaud = 0;
    TimePoint m_started;
    TimePoint m_rxFree, m_txFree, m_offUntil;
    std::optional<TimePoint> m_replugAt;
    std::deque<TimedByte> m_outbound;
    bool m_writeBlocked = false;
    bool m_abandonOutput = false;  ///< the pending output ends at the next command
    QByteArray m_rxLine;
};

} // namespace vela::sim
