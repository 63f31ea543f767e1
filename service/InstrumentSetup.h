#pragma once
// The set-up operations on the instrument: the configuration read and write in the instrument's
// order, the serial number upload, the service commands, the pots and the remote-key primitives.
// No widgets: the set-up window binds its controls to SetupValues and shows the messages that
// these operations return; velactl and the tester drive the same operations.
#include "service/SerialNumber.h"
#include "service/SetupValues.h"
#include "service/ValueEncoding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace vela::link {
class InstrumentLink;
}

namespace vela::service {

/// Captions of the set-up messages.
inline constexpr const char* kErrorCaption = "Vela-DuzirIriz Error";
inline constexpr const char* kGlossCaption = "Vela-Gloss";
inline constexpr const char* kGlossErrorCaption = "Vela-Gloss Error";

/// @brief One message for the operator (English; the window translates it).
struct SetupMessage {
    QString text;
    QString caption;
    bool translated = false;   ///< text already in the user's language (composed refusals)
};

/// Shows a message through the translation service (caption always, text unless translated).
void showSetupMessage(const SetupMessage& message);

/// @brief What an operation did: whether it ran at all (it is dropped while another one runs),
/// whether it succeeded, and the messages to show in order.
struct Outcome {
    bool ran = true;
    bool ok = false;
    quint32 reply = 0;                 ///< reply value of a single command
    QList<SetupMessage> messages;
    void fail(const QString& text, const char* caption = kErrorCaption)
    {
        ok = false;
        messages.append({text, QString::fromLatin1(caption)});
    }
    /// A refusal whose text was composed from translated pieces (EncodedValue::reason).
    void refuse(const QString& translatedText, const char* caption = kErrorCaption)
    {
        ok = false;
        messages.append({translatedText, QString::fromLatin1(caption), true});
    }
};

/// @brief What the remote-reading primitives show: each field is set when its command answered.
struct LiveReading {
    std::optional<QString> gloss;      ///< "  0.0" of the reading x 0.1
    std::optional<QString> angle;      ///< "20", "45", "45/0", "60", "85", "ALL", "XX"
    std::optional<QString> samples;    ///< stored sample count
    bool clearGloss = false;           ///< a remote reading began: clear the old value
};

/// @brief The set-up operations with their busy flag, read-done mark and completed flag.
class InstrumentSetup {
public:
    /// link: the instrument link to use; nullptr means the program's one (instrumentLink()).
    explicit InstrumentSetup(link::InstrumentLink* link = nullptr);

    [[nodiscard]] link::InstrumentLink& Link() const;
    [[nodiscard]] bool Busy() const { return m_busy; }
    /// Read-done mark: 1 only after a complete successful read.
    [[nodiscard]] bool ReadDone() const { return m_readDone; }
    [[nodiscard]] bool SetupCompleted() const { return m_setupCompleted; }
    /// When set, a read points the link's memory base at the one its configuration word names
    /// (velactl and tests; in the program the connect routine chooses it).
    void setFollowMemoryBase(bool on) { m_followBase = on; }
    /// Pause after the first serial word (tests lower it).
    void setSerialPauseMs(int ms) { m_serialPauseMs = ms; }

    /// Reads the configuration into values, step by step; values filled before a failure stay.
    Outcome ReadSetup(SetupValues& values);
    /// Writes the configuration. Every value is checked first: a value that cannot be sent
    /// refuses the whole write before anything goes to the instrument.
    Outcome WriteSetup(const SetupValues& values);
    /// The first value of the configuration that cannot be sent, as an English reason; empty
    /// when all can.
    [[nodiscard]] static QString ValidateSetup(const SetupValues& values);
    /// Parses the serial text and writes the three serial words; on success the serial parts
    /// in values are rebuilt from what was written.
    Outcome WriteSerialNumber(const QString& serialText, SetupValues& values);
    /// "C0" then "C1" (each skipped for "NAN"); no busy check.
    Outcome WriteMirrorCorrections(const SetupValues& values);

    // Single commands (busy check, one transaction; failure text for the coms-errors case).
    Outcome SendServiceCommand(const char* mnemonic, qint32 value, const QString& failure);
    /// "PL" with level (reference: 256 + level); reply & 0x7F in reply.
    Outcome SetPot(bool reference, int level);

    // Remote-key primitives.
    Outcome RefreshReading(LiveReading& reading);
    Outcome TakeReading(bool releaseKey, LiveReading& reading);
    Outcome PressAngleKey(LiveReading& reading);

    /// Angle text of an "AG" code.
    [[nodiscard]] static QString angleCodeText(quint32 code);

private:
    friend class BusyScope;
    bool send(const char* mnemonic, qint32 value, quint32* reply = nullptr);
    bool readConfiguration(SetupValues& v, Outcome& out);
    bool readIdentity(SetupValues& v, Outcome& out);
    bool readLevels(SetupValues& v, Outcome& out);
    void readHeaders(SetupValues& v);
    bool readSystem(SetupValues& v, Outcome& out);
    bool writeConfigWord(const SetupValues& v);
    bool writeValues(const SetupValues& v);
    bool sendEdit(const char* mnemonic, const QString& text, const FieldRule& rule);
    bool writeSerialWords(const SerialWords& words, Outcome& out);
    Outcome refreshUnguarded(LiveReading& reading);

    link::InstrumentLink* m_link;
    bool m_busy = false;
    bool m_readDone = false;
    bool m_setupCompleted = false;
    bool m_followBase = false;
    int m_serialPauseMs = 100;
};

/// @brief Sets the busy flag for its lifetime; ran() is false when it was already set.
class BusyScope {
public:
    explicit BusyScope(InstrumentSetup& setup);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    [[nodiscard]] bool ran() const { return m_owned; }

private:
    InstrumentSetup& m_setup;
    bool m_owned;
};

} // namespace vela::service
