#pragma once
// The connect routine and everything it drives, without widgets: finding and identifying the
// instrument, the slot uploads, the stream reader and its parsers, deletion, the calibration
// date, the connection timer. The Connect window shows its view; velactl drives it directly.
#include "connect/ConnectHost.h"
#include "connect/ConnectView.h"
#include "connect/InstrumentIdentity.h"
#include "connect/StreamCollector.h"
#include "results/OpacityRecord.h"
#include "results/ResultsRecord.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QElapsedTimer>
#include <QTimer>
#include <array>
#include <optional>

namespace vela::link {
class InstrumentLink;
}
namespace vela::results {
class TfrmResultsIO;
}

namespace vela::connect {

/// @brief Times of the session; tests lower them.
struct SessionTimings {
    int closeStatsTimeBase = 6000;     ///< "CS" before an upload (a 12 s wait)
    int afterUploadTimeBase = 3000;    ///< left in force after an upload
    int minConnectionMs = 290000;      ///< the connection timer runs at least this long
    int streamTickMs = 100;            ///< stream reader
    int streamStallMs = 10000;         ///< a started stream silent this long is given up
};

/// @brief The requested uploads' angles.
inline constexpr int kAngles[3] = {20, 60, 85};

/// @brief One connect session: owns the three gloss records, the opacity record and the
/// stream buffer, and the connection (Timer1) and stream reader (Timer2) timers.
class ConnectSession : public QObject {
    Q_OBJECT
public:
    /// link: nullptr uses the program's instrument link.
    explicit ConnectSession(link::InstrumentLink* link = nullptr, QObject* parent = nullptr);
    ~ConnectSession() override;

    void setPreferences(ConnectPreferences prefs) { m_prefs = std::move(prefs); }
    [[nodiscard]] const ConnectPreferences& preferences() const { return m_prefs; }
    [[nodiscard]] const ConnectHooks& hooks() const { return m_hooks; }
    void setHooks(ConnectHooks hooks) { m_hooks = std::move(hooks); }
    void setProgramDirectory(const QString& dir) { m_programDir = dir; }
    [[nodiscard]] const QString& programDirectory() const { return m_programDir; }
    /// A device path used instead of the COM ports (velactl --port, tests); empty: COM ports.
    void setDevicePath(const QString& path) { m_devicePath = path; }
    /// Saves under stem + number (automatic numbering) instead of asking for a name.
    void setSaveStem(const QString& stem) { m_saveStem = stem; }
    /// The results-file service; nullptr: the program's one.
    void setResultsIO(results::TfrmResultsIO* io) { m_io = io; }
    [[nodiscard]] SessionTimings& timings() { return m_timings; }
    /// The hidden check boxes Degree20/60/85: uploads requested on every connect.
    void setRequestedChecks(const std::array<bool, 3>& checks) { m_checks = checks; }

    // --- Operations ------------------------------------------------------------------------
    /// Finds, identifies and reads the instrument; uploads the slot of angle (20, 60, 85) when
    /// asked. True when connected (and the requested upload did not fail).
    bool ConnectInstrument(bool highSpeed, int angle);
    /// An upload button: angle 20 on an opacity instrument starts the opacity upload.
    bool UploadClick(bool highSpeed, int angle);
    /// "PR" 0, then listen for the opacity stream. False when "PR" was not answered.
    bool OpacityUpload();
    /// Delete button of slot s (after the operator's Yes).
    void DeleteSamples(int slot);
    /// The calibration-date service (Ctrl+W of the main window).
    void SetCalibrationDate();
    /// Exit of the main window: switches a connected instrument off.
    [[nodiscard]] bool InstrumentConnected() const { return !m_expired; }
    void SwitchOff();
    /// The connection timer fired.
    void ConnectionTimerFired();
    /// Restarts the connection timer (Preferences does so at 60000 ms after a set-up action).
    void RestartConnectionTimer(int ms);
    /// One tick of the stream reader.
    void StreamTick();
    /// Starts listening for a text stream (empties the buffer).
    void StartListening();
    void StopListening();
    /// Sets the status line (English; translated here).
    void ShowStatus(const QString& english) { setStatus(english); }
    /// After a failed connect from the Connect button: delete buttons off, identity hidden.
    void ClearIdentity();

    // --- State -------------------------------------------------------------------------------
    [[nodiscard]] const ConnectView& view() const { return m_view; }
    [[nodiscard]] bool expired() const { return m_expired; }
    [[nodiscard]] bool listening() const { return m_streamTimer.isActive(); }
    [[nodiscard]] bool connectionTimerActive() const { return m_connectionTimer.isActive(); }
    [[nodiscard]] int connectionInterval() const { return m_connectionTimer.interval(); }
    [[nodiscard]] const std::optional<InstrumentIdentity>& identity() const { return m_identity; }
    [[nodiscard]] quint32 firmwareReply() const { return m_firmwareReply; }
    [[nodiscard]] const results::ResultsRecord& record(int slot) const { return m_records[size_t(slot)]; }
    [[nodiscard]] const results::OpacityRecord& opacityRecord() const { return m_opacity; }
    [[nodiscard]] const StreamCollector& stream() const { return m_stream; }
    [[nodiscard]] const QString& resultsPath() const { return m_resultsPath; }
    /// Every file saved since the session began, in order (".res" and the raw ".txt").
    [[nodiscard]] const QStringList& savedFiles() const { return m_saved; }
    /// Translated text of the last message shown to the operator.
    [[nodiscard]] const QString& lastMessage() const { return m_lastMessage; }
    /// The window asks to close (an upload was saved).
    [[nodiscard]] bool closeRequested() const { return m_closeRequested; }
    void clearCloseRequest() { m_closeRequested = false; }
    [[nodiscard]] link::InstrumentLink& Link() const;

Q_SIGNALS:
    void viewChanged();
    /// An upload was saved: the window closes.
    void closeWindow();
    /// The stream reader stopped (stream parsed, or given up).
    void listeningStopped();

private:
    // Connect steps.
    bool findInstrument(qint32 baud, InstrumentType type);
    bool openChosenPort(qint32 baud, InstrumentType type);
    bool openPort(int port, qint32 baud);
    bool readIdentity();
    bool readSystem();
    void applyIdentity(const InstrumentIdentity& id);
    bool readSetup();
    bool readHeaders();
    bool requestedUploads(int angle);
    void connected();
    void notConnected();
    // Uploads.
    bool uploadSlot(int slot);
    void fillFromSlot(int slot);
    bool fillAndSave(int slot, SlotType type, InstrumentType origin);
    void showSaved(int slot);
    /// What became of a stream's results: saved; not saved (save dialog cancelled, or the
    /// write failed and said so); refused, with the reason already on the status line.
    enum class StreamSave { Saved, NotSaved, Refused };
    void parseStream();
    StreamSave saveGlossStream(const QByteArray& stream);
    StreamSave saveOpacityStream(const QByteArray& stream);
    void writeRawCopy(const QByteArray& stream);
    // Helpers.
    void setStatus(const QString& english);
    void setProgress(int value);
    void addProgress(int delta) { setProgress(m_view.progress + delta); }
    void message(const QString& text, const QString& caption);
    void changed() { Q_EMIT viewChanged(); }
    [[nodiscard]] InstrumentType type() const;
    [[nodiscard]] SlotType slotType(int slot) const;
    [[nodiscard]] bool wantsParse() const;
    [[nodiscard]] results::TfrmResultsIO& io() const;

    link::InstrumentLink* m_link;
    ConnectPreferences m_prefs;
    ConnectHooks m_hooks;
    SessionTimings m_timings;
    QString m_programDir;
    QString m_devicePath;
    QString m_saveStem;
    results::TfrmResultsIO* m_io = nullptr;
    std::array<bool, 3> m_checks{};

    ConnectView m_view;
    bool m_expired = true;
    std::optional<InstrumentIdentity> m_identity;
    quint32 m_firmwareReply = 0;
    std::array<results::ResultsRecord, 3> m_records{};
    results::OpacityRecord m_opacity{};
    StreamCollector m_stream;
    QString m_resultsPath;
    QStringList m_saved;
    QString m_lastMessage;
    bool m_chartCleared = false;
    bool m_lineLost = false;
    bool m_closeRequested = false;
    QTimer m_connectionTimer;   // Timer1
    QTimer m_streamTimer;       // Timer2
    QElapsedTimer m_sinceByte;  // silence of a started stream
};

} // namespace vela::connect
