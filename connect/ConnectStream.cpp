// The stream reader of the older instruments and of the opacity output, and the saves of what
// a stream held: one gloss record, or one file per opacity batch, with a raw text copy.
#include "connect/ConnectSession.h"

#include "connect/ConnectTexts.h"
#include "connect/StreamParser.h"
#include "link/InstrumentLink.h"
#include "results/ResultsFileImage.h"
#include "results/ResultsFileWriter.h"
#include "results/TfrmResultsIO.h"
#include "translation/Translator.h"

#include <QDateTime>
#include <QFileInfo>

namespace vela::connect {

namespace {
constexpr int kReadChunk = 256;
} // namespace

void ConnectSession::StartListening()
{
    m_stream.reset();
    m_closeRequested = false;
    m_sinceByte.start();
    setProgress(1);
    m_streamTimer.setInterval(m_timings.streamTickMs);
    m_streamTimer.start();
}

void ConnectSession::StopListening()
{
    if (!m_streamTimer.isActive())
        return;
    m_streamTimer.stop();
    Q_EMIT listeningStopped();
}

bool ConnectSession::OpacityUpload()
{
    if (!Link().SendCommand(link::cmd::kPrintResults, 0))
        return false;
    setStatus(text::kOpacityPrompt);
    StartListening();
    return true;
}

void ConnectSession::StreamTick()
{
    if (m_stream.started() && !m_stream.ended())
        setProgress(m_view.progress + 1 >= 100 ? 1 : m_view.progress + 1);
    link::InstrumentLink& link = Link();
    if (m_stream.started() && link.PendingBytes() == 0 && m_sinceByte.elapsed() > m_timings.streamStallMs) {
        // The instrument stopped in the middle of its output (switched off, unplugged).
        StopListening();
        setStatus(text::kIncomplete);
        return;
    }
    char chunk[kReadChunk + 1];
    for (qint32 pending = link.PendingBytes(); pending != 0; pending = link.PendingBytes()) {
        if (pending < 0) {
            // The line went away (an unplugged adapter): what came so far is not saved.
            StopListening();
            setStatus(text::kLineLost);
            return;
        }
        qint32 count = std::min<qint32>(pending, kReadChunk);
        if (!link.ReceiveBytes(chunk, count) || count <= 0)
            continue;
        m_sinceByte.start();
        for (qint32 i = 0; i < count; ++i) {
            switch (m_stream.append(chunk[i])) {
            case StreamCollector::Event::Started: setStatus(text::kCommenced); break;
            case StreamCollector::Event::EndedBeforeStart: setStatus(text::kIncomplete); break;
            case StreamCollector::Event::Overflow:
                StopListening();
                setStatus(text::kIncomplete);
                return;
            case StreamCollector::Event::Ended:
                setProgress(100);
                StopListening();
                parseStream();
                return;
            case StreamCollector::Event::None: break;
            }
        }
    }
}

bool ConnectSession::wantsParse() const
{
    const InstrumentType t = type();
    if (t == InstrumentType::VelaGloss || t == InstrumentType::VelaCurve || t == InstrumentType::VelaPac)
        return true;
    const bool selected = m_prefs.single45_0Selected ? m_prefs.single45_0Selected()
                                                     : (m_identity && m_identity->opacity());
    return selected && Link().System().opacity();
}

void ConnectSession::parseStream()
{
    if (!wantsParse()) {
        setStatus(text::kCompleted);
        return;
    }
    m_resultsPath = QStringLiteral("default");
    const qsizetype at = findIdentity(m_stream.bytes());
    if (at < 0) {
        setStatus(text::kIncomplete);
        return;
    }
    const QByteArray stream = m_stream.bytes().mid(at);
    StreamSave result = StreamSave::Refused;
    if (isGlossStream(stream))
        result = saveGlossStream(stream);
    else if (isOpacityStream(stream))
        result = saveOpacityStream(stream);
    else
        setStatus(text::kStreamRejected);
    if (result == StreamSave::Saved)
        writeRawCopy(stream);
    // The whole stream arrived: that holds also when the operator then cancelled the save.
    if (result != StreamSave::Refused)
        setStatus(text::kCompleted);
    if (result == StreamSave::Saved || m_closeRequested)
        Q_EMIT closeWindow();
}

ConnectSession::StreamSave ConnectSession::saveGlossStream(const QByteArray& stream)
{
    GlossStream g = parseGlossStream(stream, type() == InstrumentType::VelaCurve);
    if (!g.ok) {
        setStatus(text::kStreamRejected);
        m_lastMessage = g.error;
        return StreamSave::Refused;
    }
    m_records[0] = g.record;
    m_resultsPath.clear();
    if (fillAndSave(0, g.slotType, type())) {
        if (m_hooks.clearAllSlots)
            m_hooks.clearAllSlots();
        m_chartCleared = true;
        const results::ResultsRecord& r = m_records[0];
        if (m_hooks.showResults)
            m_hooks.showResults(r, m_opacity, 0, r.angle());
        if (m_hooks.setChartStatus)
            m_hooks.setChartStatus(vela::TranslateText(text::kChartRaw));
        if (m_hooks.addGlossBatch)
            m_hooks.addGlossBatch(m_resultsPath);
        if (m_hooks.countPassRows)
            m_hooks.countPassRows();
        m_view.deleteEnabled[1] = true;
        changed();
        return StreamSave::Saved;
    }
    if (m_records[0].sampleCount > 0)
        return StreamSave::NotSaved;
    setStatus(text::kNoSamples);
    m_closeRequested = true;  // a stream without samples also closes the window
    return StreamSave::Refused;
}

ConnectSession::StreamSave ConnectSession::saveOpacityStream(const QByteArray& stream)
{
    const OpacityStream o = parseOpacityStream(stream);
    if (!o.ok) {
        setStatus(text::kStreamRejected);
        m_lastMessage = o.error;
        return StreamSave::Refused;
    }
    results::OpacityRecord& r = m_opacity;
    r = results::OpacityRecord{};
    r.instrumentCode = 8;
    r.setInstrument(QStringLiteral("Vela-Pac"));
    r.setAngle(QStringLiteral("45/0 \u00B0"));
    r.setDate(results::dateTimeText(QDateTime::currentDateTime()));
    r.setSheet(QStringLiteral("Default Pac Analysis Sheet"));
    r.batchCount = o.batchCount;
    bool lastSaved = false;
    for (size_t b = 0; b < o.batches.size(); ++b) {
        const OpacityBatch& batch = o.batches[b];
        r.result1 = batch.result1;
        r.result2 = batch.result2;
        r.result3 = batch.result3;
        r.blackCount = int(batch.black.size());
        r.whiteCount = int(batch.white.size());
        std::fill(std::begin(r.black), std::end(r.black), 0.0f);
        std::fill(std::begin(r.white), std::end(r.white), 0.0f);
        std::copy(batch.black.begin(), batch.black.end(), r.black);
        std::copy(batch.white.begin(), batch.white.end(), r.white);
        r.batchNumber = int(b + 1);
        QString path = m_saveStem;
        const bool ok = io().ResultsIOCommand(m_programDir, path, m_records[0], r,
                                              QStringLiteral("Opacity"),
                                              results::ResultsCommand::SaveOpacityNew);
        lastSaved = ok && !path.isEmpty();
        if (!lastSaved)
            continue;
        m_resultsPath = path;
        m_saved << path;
        if (m_hooks.clearAllSlots)
            m_hooks.clearAllSlots();
        if (m_hooks.addOpacityBatch)
            m_hooks.addOpacityBatch(path);
        if (m_hooks.writeBackTags)
            m_hooks.writeBackTags();
    }
    if (!o.error.isEmpty()) {
        // Batches missing at the end of the stream: the complete ones were saved.
        setStatus(text::kIncomplete);
        m_lastMessage = o.error;
        if (lastSaved)
            writeRawCopy(stream);
        return StreamSave::Refused;
    }
    return lastSaved ? StreamSave::Saved : StreamSave::NotSaved;
}

void ConnectSession::writeRawCopy(const QByteArray&)
{
    const QFileInfo info(m_resultsPath);
    if (m_resultsPath.isEmpty())
        return;
    const QString path = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".txt");
    if (results::writeFileAtomically(path, m_stream.bytes()))
        m_saved << path;
}

} // namespace vela::connect
