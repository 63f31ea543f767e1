#pragma once
// vela-sim: the virtual instrument on a pseudo-terminal. Runs its line on its own thread, so
// tests can start it in-process and talk to it through a real serial port object.
#include "sim/CommandTable.h"
#include "sim/Fault.h"
#include "sim/InstrumentState.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace vela::sim {

class LineEngine;

/// @brief How the simulator offers and times its line.
struct SimOptions {
    QString linkPath;          ///< symbolic link to the slave (e.g. /tmp/vela/COM1); empty: none
    int baud = 0;              ///< line timing rate; 0 = the rate the client set on the line
    int fallbackBaud = 9600;   ///< when following the client and its rate is not standard
    bool lineTiming = true;    ///< 11 bits per byte at the rate; false: bytes pass at once
    QString transcriptPath;    ///< JSON lines of every exchange; empty: none
    /// Poll the line without sleeping, as the instrument's controller does: bytes go out on
    /// time and commands are taken the moment they arrive, at the cost of one busy core.
    /// For measurements of the link; off by default.
    bool busyPoll = false;
};

/// @brief One exchange on the line: what arrived up to a carriage return, what was answered.
struct Exchange {
    double timeMs = 0;         ///< since start
    QByteArray received;       ///< bytes up to and including the CR (noise included)
    QByteArray sent;           ///< bytes answered (empty: no reply)
    QString note;              ///< fault applied, "off", "unknown command" ...
};

/// @brief The virtual instrument.
class VelaSim {
public:
    explicit VelaSim(const InstrumentState& state = defaultState());
    ~VelaSim();
    VelaSim(const VelaSim&) = delete;
    VelaSim& operator=(const VelaSim&) = delete;

    /// A dual-angle instrument with a few stored samples in both slots.
    [[nodiscard]] static InstrumentState defaultState();

    /// Opens the line and starts serving it.
    bool start(const SimOptions& options, QString* error = nullptr);
    void stop();
    [[nodiscard]] bool running() const;
    /// Device path of the line (the slave; the link path if one was asked for).
    [[nodiscard]] QString devicePath() const;
    [[nodiscard]] QString slavePath() const;

    /// Runs f on the instrument state under the simulator's lock.
    void withState(const std::function<void(InstrumentState&)>& f);
    [[nodiscard]] InstrumentState state() const;
    /// Adds or replaces a command handler (before or while running).
    void addCommand(const QByteArray& mnemonic, CommandHandler handler);

    void addFault(const FaultRule& rule);
    void clearFaults();
    /// Takes the line away (clients see the device vanish); back after replugAfterMs (0: only
    /// on plug()).
    void unplug(int replugAfterMs = 0);
    void plug();
    [[nodiscard]] bool plugged() const;
    void setLineTiming(bool on, int baud = 0);
    /// The rate the line is timed at now (0 when timing is off).
    [[nodiscard]] int timingBaud() const;

    [[nodiscard]] std::vector<Exchange> transcript() const;
    void clearTranscript();
    /// Waits (without events) until the transcript holds at least n exchanges.
    bool waitForExchanges(size_t n, int timeoutMs) const;
    /// Sends a text stream (bytes the instrument outputs by itself) after delayMs.
    void sendText(const QByteArray& bytes, int delayMs = 0);

private:
    std::unique_ptr<LineEngine> m_engine;
};

/// Applies one control line ("fault ...", "clear-faults", "unplug [MS]", "plug",
/// "busy on|off", "power on|off", "word ADDR VALUE", "samples SLOT v,v,...",
/// "timing on|off [BAUD]", "model NAME", "stream SPEC [delay=MS]", "printout SPEC"; SPEC as in
/// TextStream.h). False with a reason when the line is not understood.
bool applyControl(VelaSim& sim, const QString& line, QString* error = nullptr);

} // namespace vela::sim
