#pragma once
// The instrument link core: one serial port, the command transaction, the raw byte operations
// and the memory reads of system data, slot headers and samples. No widgets: the interface
// window binds to it, and every other module reaches the instrument through instrumentLink().
#include "link/CommandSet.h"
#include "link/CommsHandler.h"
#include "link/InstrumentData.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <array>

namespace vela::link {

/// Capacity of a reply line (characters, without the NUL); bytes beyond it are dropped.
inline constexpr int kReplyCapacity = 99;
/// Bytes read per attempt while waiting for a reply, and while draining.
inline constexpr int kReplyReadChunk = 14;
inline constexpr int kDrainChunk = 200;
/// Most bytes discarded before a command is sent.
inline constexpr int kDrainLimit = 65536;
/// Write attempts of one transaction.
inline constexpr int kWriteAttempts = 4;

/// @brief Pauses and guard time bases of the memory operations; tests lower them.
struct LinkTimings {
    int probeTimeBase = timebase::kProbe;         ///< "VV" presence probe
    int memoryBusyTimeBase = timebase::kMemoryBusy; ///< "LB" guard
    int afterLoadAddressMs = 10;                  ///< pause after "LE" of a word write
    int afterWriteWordMs = 100;                   ///< pause after "WE" of a word write
};

/// @brief The link to the instrument: owns the CommsHandler and the transaction state.
///
/// A transaction waits for its reply keeping the user interface alive (events are processed
/// while it sleeps on the port and the time-out timer). A transaction started from an event
/// handled during that wait is refused (returns false at once): the two would share one reply
/// and one time-out timer.
class InstrumentLink : public QObject {
    Q_OBJECT
public:
    explicit InstrumentLink(QObject* parent = nullptr);
    ~InstrumentLink() override;

    [[nodiscard]] CommsHandler& Comms() { return *m_comms; }

    // --- Transaction -------------------------------------------------------------------
    /// Sends "!" + mnemonic + value (lowercase hex, at least 4 digits) + CR and waits twice the
    /// time base for the echoing reply. On success replyValue is the reply's hex value; on
    /// failure it is left unchanged. replyText (optional) receives the reply line from "!".
    bool SendCommand(const char* mnemonic, qint32 value, quint32* replyValue = nullptr,
                     QByteArray* replyText = nullptr);
    /// Sends a framed command and captures one reply line; true when it arrived within waitMs
    /// and echoes the frame's first three characters (case ignored).
    bool Transact(const QByteArray& frame, QByteArray& reply, int waitMs);
    /// "!" + mnemonic + value as lowercase hex of its 32-bit pattern (at least 4 digits) + CR.
    [[nodiscard]] static QByteArray BuildFrame(const char* mnemonic, qint32 value);
    /// The number after "!" and the echo, read as hexadecimal (blanks, sign and "0x" taken;
    /// no digit gives 0; beyond the 32-bit signed range clamps).
    [[nodiscard]] static quint32 ParseReplyValue(const QByteArray& reply);

    [[nodiscard]] int TimeBase() const { return m_timeBase; }
    void SetTimeBase(int ms) { m_timeBase = ms; }
    [[nodiscard]] bool AbortFlag() const { return m_abort; }
    void ClearAbort() { m_abort = false; }
    [[nodiscard]] bool InTransaction() const { return m_inTransaction; }
    /// The last transaction could not send its frame (port closed or unusable): unlike a
    /// missing reply, nothing after it can succeed either.
    [[nodiscard]] bool FrameUnsent() const { return m_frameUnsent; }
    /// Transactions refused because another one was waiting.
    [[nodiscard]] int RefusedTransactions() const { return m_refused; }
    [[nodiscard]] LinkTimings& Timings() { return m_timings; }

    // --- Raw byte operations (stream upload, firmware loader) ---------------------------
    /// Reads at most count bytes without waiting (buffer needs count + 1); emptied on failure.
    bool ReceiveBytes(char* buffer, qint32& count);
    bool TransmitText(const char* text, qint32& count);
    bool PurgePort();
    [[nodiscard]] qint32 PendingBytes();

    // --- Port selection of the interface window -----------------------------------------
    [[nodiscard]] qint32 BaudRate() const { return m_baud; }
    void SetBaudRate(qint32 baud) { m_baud = baud; }

    // --- Memory operations -------------------------------------------------------------
    /// "RE" address: the word, 0 when the transaction fails.
    quint16 ReadMemoryWord(int address);
    /// Consecutive words from address; stops at and reports the first time-out (a failure
    /// without time-out stores 0 and goes on).
    bool ReadMemoryBlock(int address, quint16* destination, int words);
    /// "LE" address, "WE" value; shows "Vela-DuzirIriz Eeprom write failure." on failure.
    bool WriteMemoryWord(int address, quint16 value);
    /// Memory word write without a message; replyValue gets the "WE" reply (for "UC").
    bool WriteMemoryWordQuiet(int address, quint16 value, quint32* replyValue = nullptr);
    /// "VV" within the probe wait; version gets the reply value (firmware version x100).
    bool ProbeInstrument(quint32* version = nullptr);
    /// True when the instrument answers the "LB" guard: its memory is not to be read now.
    bool MemoryBusy();
    bool ReadSystemData();
    /// Slot type 0, 1, 2, or 3 for all three.
    bool ReadSlotHeader(int slotType);
    bool ReadSlotSamples(int slotType);

    [[nodiscard]] int MemoryBase() const { return m_memoryBase; }
    void SetMemoryBase(int base) { m_memoryBase = base; }
    [[nodiscard]] const SystemData& System() const { return m_system; }
    [[nodiscard]] const SlotData& Slot(int slot) const { return m_slots.at(size_t(slot)); }

Q_SIGNALS:
    /// The system data block was read (the window shows it).
    void systemDataRead();
    /// A slot header read starts (count becomes not valid) or finished.
    void slotHeaderStarted(int slot);
    void slotHeaderRead(int slot);
    void slotSamplesRead(int slot);

private:
    void captureBytes(const char* bytes, int count, QByteArray& reply, bool& started, bool& ended);
    void drainInput();
    bool writeFrame(const QByteArray& frame);
    bool waitForReply(QByteArray& reply);
    bool readOneHeader(int slot);
    bool readOneSlot(int slot);

    CommsHandler* m_comms;
    QTimer m_timer2;
    int m_timeBase = timebase::kDefault;
    bool m_abort = false;
    bool m_inTransaction = false;
    bool m_frameUnsent = false;
    int m_refused = 0;
    qint32 m_baud = kBaudWindowDefault;
    LinkTimings m_timings;
    int m_memoryBase = 0;
    SystemData m_system;
    std::array<SlotData, 3> m_slots;
};

/// @brief The program's one instrument link (created on first use, owned by the application
/// object). The interface window binds to it; other modules call it directly.
[[nodiscard]] InstrumentLink& instrumentLink();
/// Replaces the program's link (tests); the caller keeps ownership. nullptr restores the default.
void setInstrumentLink(InstrumentLink* link);

} // namespace vela::link
