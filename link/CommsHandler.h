#pragma once
// The program's only access to the serial line: fixed line settings, plain byte transfer.
#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringList>

namespace vela::link {

/// Modem status bits reported by ModemStatus (the classic layout).
inline constexpr quint32 kMsCtsOn = 0x10;
inline constexpr quint32 kMsDsrOn = 0x20;
inline constexpr quint32 kMsRingOn = 0x40;
inline constexpr quint32 kMsRlsdOn = 0x80;

/// Line error flags reported by ClearError.
inline constexpr quint32 kCeRxOver = 0x0001;   ///< input lost (read error)
inline constexpr quint32 kCeFrame = 0x0008;    ///< resource error: the device went away
inline constexpr quint32 kCeTxFull = 0x0100;   ///< output refused (write error)

/// Write time-out: a constant plus so much per byte.
inline constexpr int kWriteTimeoutConstantMs = 1000;
inline constexpr int kWriteTimeoutPerByteMs = 1;

/// 1..8 for "COM1".."COM8" (any case), else 0.
[[nodiscard]] int comPortNumber(const QString& name);

/// @brief The serial port: opens COM1..COM8 (through the platform device map) or a device
/// path at a baud rate with 8 data bits, no parity, two stop bits, DTR off, RTS on; reads
/// never wait; writes wait at most 1000 ms + 1 ms per byte.
///
/// Line controls a device does not support (a pseudo-terminal has no DTR/RTS or modem lines)
/// are recorded in limitations() and are not an error.
class CommsHandler : public QObject {
    Q_OBJECT
public:
    explicit CommsHandler(QObject* parent = nullptr);
    ~CommsHandler() override;

    /// Opens COMn (1..8) through the device map. False when the device is missing or in use
    /// (last error 0); true with the handler closed when the device could not be configured.
    bool Open(int port, qint32 baud, bool handshake);
    /// Same as Open for a device path (e.g. /tmp/vela/COM1); portNumber is what PortNumber()
    /// reports while open (0 when the path is not one of the COM ports).
    bool OpenDevice(const QString& device, qint32 baud, bool handshake, int portNumber = 0);
    /// Opens "COM1".."COM8" (any case) through the device map, anything else as a device path.
    bool OpenByName(const QString& name, qint32 baud, bool handshake);
    /// Closes the device; true when closed afterwards.
    bool Close();
    /// Writes count bytes synchronously; count becomes the number written.
    bool Write(const char* bytes, qint32& count);
    /// Reads at most count bytes of what has arrived, without waiting; buffer needs count + 1
    /// bytes (a NUL follows the data). True when at least one byte was read.
    bool Read(char* buffer, qint32& count);
    [[nodiscard]] quint32 LastError() const { return m_lastError; }
    /// Modem status bits (kMsCtsOn ...). A device without modem lines reports CTS and DSR on.
    bool ModemStatus(quint32& status);
    /// Waits for pending output, then empties both queues.
    bool Purge();
    /// Reads and clears the line error flags (kCe...).
    bool ClearError(quint32& errors);
    /// Received bytes waiting to be read; -1 when closed or on error.
    [[nodiscard]] qint32 BytesWaiting();

    [[nodiscard]] bool IsOpen() const;
    /// 1..8 while a COM port is open, 0 when closed or opened by a path that is no COM port.
    [[nodiscard]] int PortNumber() const { return m_portNumber; }
    [[nodiscard]] QString DeviceName() const { return m_device; }
    [[nodiscard]] qint32 BaudRate() const { return m_baud; }
    [[nodiscard]] bool Handshake() const { return m_handshake; }
    /// Purges done since construction (diagnostics).
    [[nodiscard]] int PurgeCount() const { return m_purges; }
    /// Line controls the device refused at the last open (e.g. "DTR", "RTS", "modem lines").
    [[nodiscard]] QStringList limitations() const { return m_limitations; }

    /// The classic settings text, e.g. "COM3:4800,n,8,1"; unknown rates give ":600,n,8,1".
    [[nodiscard]] static QString SettingsText(int port, qint32 baud);

Q_SIGNALS:
    /// Bytes arrived (forwarded from the port; only inside an event loop).
    void dataArrived();
    /// The device went away (unplugged adapter, closed pseudo-terminal).
    void deviceLost();

private:
    bool configure(qint32 baud, bool handshake);
    void note(const QString& what);
    void onError(QSerialPort::SerialPortError error);
    void pull();
    bool stillThere();
    [[nodiscard]] bool usable();

    QSerialPort* m_port;
    QString m_device;
    int m_portNumber = 0;
    bool m_open = false;
    bool m_lost = false;
    bool m_handshake = false;
    qint32 m_baud = 0;
    quint32 m_lastError = 0;
    quint32 m_lineErrors = 0;
    int m_purges = 0;
    QElapsedTimer m_livenessCheck;
    QStringList m_limitations;
};

} // namespace vela::link
