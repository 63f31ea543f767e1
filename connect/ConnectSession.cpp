// The connect routine: finding the instrument, identifying it, reading its set-up and headers,
// the requested uploads, and the connected / not connected states.
#include "connect/ConnectSession.h"

#include "connect/ConnectTexts.h"
#include "link/FloatFormat.h"
#include "link/InstrumentLink.h"
#include "platform/Dialogs.h"
#include "results/TfrmResultsIO.h"
#include "translation/Translator.h"

namespace vela::connect {

using vela::TranslateText;

ConnectSession::ConnectSession(link::InstrumentLink* link, QObject* parent)
    : QObject(parent), m_link(link)
{
    m_connectionTimer.setObjectName(QStringLiteral("Timer1"));
    m_connectionTimer.setInterval(5000);
    m_streamTimer.setObjectName(QStringLiteral("Timer2"));
    m_streamTimer.setInterval(m_timings.streamTickMs);
    connect(&m_connectionTimer, &QTimer::timeout, this, &ConnectSession::ConnectionTimerFired);
    connect(&m_streamTimer, &QTimer::timeout, this, &ConnectSession::StreamTick);
    m_view.modelLabel = TranslateText(QStringLiteral("Dual Angle Instrument"));
    // The designed captions show translated until a connect resets them to the English ones.
    for (size_t s = 0; s < m_view.uploadCaption.size(); ++s) {
        m_view.uploadCaption[s] = TranslateText(m_view.uploadCaption[s]);
        m_view.deleteCaption[s] = TranslateText(m_view.deleteCaption[s]);
    }
    connect(&Link().Comms(), &link::CommsHandler::deviceLost, this, [this] { m_lineLost = true; });
    m_stream.reset();
}

ConnectSession::~ConnectSession() = default;

link::InstrumentLink& ConnectSession::Link() const
{
    return m_link ? *m_link : link::instrumentLink();
}

results::TfrmResultsIO& ConnectSession::io() const
{
    if (m_io)
        return *m_io;
    return results::frmResultsIO ? *results::frmResultsIO : results::ensureResultsIO();
}

InstrumentType ConnectSession::type() const
{
    return m_prefs.type ? m_prefs.type() : InstrumentType::VelaDuzirIriz;
}

void ConnectSession::setStatus(const QString& english)
{
    m_view.status = TranslateText(english);
    changed();
}

void ConnectSession::setProgress(int value)
{
    m_view.progress = std::clamp(value, 0, 100);
    changed();
}

void ConnectSession::message(const QString& text, const QString& caption)
{
    m_lastMessage = TranslateText(text);
    vela::TranslatedMessageBox(text, caption, platform::MB_OK);
}

bool ConnectSession::openPort(int port, qint32 baud)
{
    link::CommsHandler& comms = Link().Comms();
    const bool ok = m_devicePath.isEmpty() ? comms.Open(port, baud, false)
                                           : comms.OpenByName(m_devicePath, baud, false);
    return ok && comms.IsOpen();
}

bool ConnectSession::findInstrument(qint32 baud, InstrumentType)
{
    for (int n = 1; n <= 8; ++n) {
        setProgress(n);
        m_view.status = TranslateText(text::kOpeningPort) + QString::number(n) + QLatin1Char(' ');
        changed();
        if (!openPort(n, baud))
            continue;
        m_view.status += TranslateText(text::kConnecting);
        changed();
        if (Link().ProbeInstrument(&m_firmwareReply)) {
            setStatus(text::kEstablished);
            return true;
        }
    }
    message(text::kNotFoundAny, text::kConnectionError);
    setStatus(text::kMakeSure);
    return false;
}

bool ConnectSession::openChosenPort(qint32 baud, InstrumentType t)
{
    int p = m_prefs.port ? m_prefs.port() : 1;
    if (m_devicePath.isEmpty() && (p < 1 || p > 8)) {
        setProgress(10);
        p = 1;
        if (m_prefs.setPort)
            m_prefs.setPort(p);
    }
    if (!openPort(p, baud)) {
        message(text::kPortNotAvailable, text::kConnectionError);
        return false;
    }
    setStatus(text::kPortOpen);
    if (!commandFamily(t))
        return true;
    if (!Link().ProbeInstrument(&m_firmwareReply)) {
        message(text::kNotFoundSelected, text::kConnectionError);
        return false;
    }
    setStatus(text::kEstablished);
    return true;
}

bool ConnectSession::readSystem()
{
    addProgress(10);
    const bool ok = Link().ReadSystemData();
    addProgress(10);
    if (!ok) {
        message(text::kNotFoundAny, text::kConnectionError);
        setStatus(text::kMakeSure);
        m_view.identityVisible = false;
        changed();
        return false;
    }
    const link::SystemDataView v = link::viewOf(Link().System());
    m_view.status = TranslateText(text::kSystemData);
    m_view.angle = v.angle;
    m_view.language = v.language;
    m_view.calibrationMode = v.calibrationMode;
    m_view.soakTestSamples = v.soakTestSamples;
    m_view.minSupplyVoltage = v.minSupplyVoltage;
    m_view.backlight = TranslateText(v.backlightOn ? text::kBackLightOn : text::kBackLightOff);
    m_view.identityVisible = true;
    changed();
    return true;
}

void ConnectSession::applyIdentity(const InstrumentIdentity& id)
{
    Link().SetMemoryBase(id.memoryBase);
    m_view.delete20Visible = true;
    m_view.uploadCaption = designedUploadCaptions();
    m_view.deleteCaption = designedDeleteCaptions();
    if (id.singleRules) {
        m_view.uploadEnabled = {};
        m_view.deleteEnabled = {};
    }
    if (!id.wordLabel.isEmpty())
        m_view.modelLabel = TranslateText(id.wordLabel);
    m_view.uploadCaption[1] = id.upload60Caption;
    m_view.deleteCaption[1] = id.delete60Caption;
    if (m_prefs.setStandard60Label)
        m_prefs.setStandard60Label(TranslateText(id.standard60Label));
    changed();
}

bool ConnectSession::readIdentity()
{
    if (!readSystem())
        return false;
    quint32 word = 0;
    const bool ok = Link().SendCommand(link::cmd::kReadEeprom, link::mem::kConfigWord, &word);
    addProgress(10);
    if (!ok)
        return false;
    m_identity = identifyInstrument(quint16(word), Link().System().opacity());
    applyIdentity(*m_identity);
    return true;
}

bool ConnectSession::readSetup()
{
    const SetupReadResult r = m_prefs.readInstrumentSetup ? m_prefs.readInstrumentSetup()
                                                          : SetupReadResult{};
    addProgress(10);
    if (!r.read)
        return false;
    m_view.firmware = r.firmware;
    m_view.serial = r.serial.toUpper();
    if (m_identity->opacity()) {
        m_view.modelLabel = TranslateText(m_identity->finalLabel);
        m_view.deleteEnabled[0] = false;
        m_view.delete20Visible = false;
        m_view.deleteCaption[0].clear();
        m_view.uploadCaption[0] = QStringLiteral("Batchs Opacity Upload");
        m_view.uploadEnabled[0] = true;
        m_view.uploadCaption[1] = QStringLiteral("Opacity Upload");
        m_view.deleteCaption[1] = QStringLiteral("Delete All Opacity");
    }
    changed();
    return true;
}

bool ConnectSession::readHeaders()
{
    addProgress(10);
    bool ok = Link().ReadSlotHeader(1);
    if (ok && m_identity->readsSlot0Header)
        ok = Link().ReadSlotHeader(0);
    addProgress(10);
    return ok;
}

bool ConnectSession::requestedUploads(int angle)
{
    bool ok = true;
    for (int slot = 0; slot < 3 && ok; ++slot)
        if (m_checks[size_t(slot)] || angle == kAngles[slot])
            ok = uploadSlot(slot);
    return ok;
}

void ConnectSession::connected()
{
    m_view.uploadEnabled = m_identity->uploads;
    const int onTime = m_prefs.onTimePosition ? m_prefs.onTimePosition() : 0;
    RestartConnectionTimer(std::max(onTime * 100, m_timings.minConnectionMs));
    setProgress(100);
    setStatus(text::kDownloaded);
}

void ConnectSession::notConnected()
{
    m_view.uploadEnabled = {};
    if (m_prefs.setSetupButtonsEnabled)
        m_prefs.setSetupButtonsEnabled(false);
    m_expired = true;
    setProgress(0);
}

bool ConnectSession::ConnectInstrument(bool highSpeed, int angle)
{
    setProgress(0);
    const qint32 baud = highSpeed ? link::kBaudHighSpeed : link::kBaudNormal;
    const InstrumentType t = type();
    const int port = m_prefs.port ? m_prefs.port() : 1;
    m_chartCleared = false;
    m_closeRequested = false;
    const bool found = (port == 0 && commandFamily(t) && m_devicePath.isEmpty())
        ? findInstrument(baud, t)
        : openChosenPort(baud, t);
    if (!found) {
        // No live connection any more: the port may now be another one.
        notConnected();
        return false;
    }
    if (!commandFamily(t)) {
        setStatus(text::kPressButtons);
        StartListening();
        return true;
    }
    bool ok = readIdentity();
    ok = ok && readSetup();
    ok = ok && readHeaders();
    ok = ok && requestedUploads(angle);
    if (!ok) {
        notConnected();
        return false;
    }
    connected();
    if (m_closeRequested)
        Q_EMIT closeWindow();
    return true;
}

bool ConnectSession::UploadClick(bool highSpeed, int angle)
{
    const bool opacityButton = angle == 20 && m_identity && m_identity->opacityFlag
        && (m_prefs.single45_0Selected ? m_prefs.single45_0Selected() : m_identity->opacity());
    if (opacityButton)
        return OpacityUpload();
    return ConnectInstrument(highSpeed, angle);
}

void ConnectSession::RestartConnectionTimer(int ms)
{
    m_connectionTimer.stop();
    m_expired = false;
    m_connectionTimer.setInterval(ms);
    m_connectionTimer.start();
}

void ConnectSession::ConnectionTimerFired()
{
    m_expired = true;
    m_connectionTimer.stop();
    if (m_prefs.setSetupButtonsEnabled)
        m_prefs.setSetupButtonsEnabled(false);
    m_view.identityVisible = false;
    m_view.deleteEnabled = {};
    if (m_prefs.clearSetupReadFlag)
        m_prefs.clearSetupReadFlag();
    m_view.uploadEnabled = {};
    changed();
}

void ConnectSession::ClearIdentity()
{
    m_view.deleteEnabled = {};
    m_view.identityVisible = false;
    changed();
}

void ConnectSession::SwitchOff()
{
    if (InstrumentConnected())
        Link().SendCommand(link::cmd::kOff, 0);
}

} // namespace vela::connect
