// Slot uploads of the command-protocol instruments, and the fill-and-save shared with the
// stream uploads.
#include "connect/ConnectSession.h"

#include "connect/ConnectTexts.h"
#include "link/InstrumentLink.h"
#include "results/ResultsFileImage.h"
#include "results/TfrmResultsIO.h"
#include "translation/Translator.h"

#include <QDateTime>

namespace vela::connect {

using vela::TranslateText;

SlotType ConnectSession::slotType(int slot) const
{
    if (slot == 0)
        return SlotType::Deg20;
    if (slot == 2)
        return SlotType::Deg85;
    return m_identity ? m_identity->middleSlot : SlotType::Deg60;
}

void ConnectSession::fillFromSlot(int slot)
{
    const link::SlotData& data = Link().Slot(slot);
    results::ResultsRecord& r = m_records[size_t(slot)];
    r = results::ResultsRecord{};
    r.setInstrument(QStringLiteral("VL:%1").arg(m_view.serial));
    const link::SlotHeader& h = data.header;
    r.maxGloss = h.maximum();
    r.minGloss = h.minimum();
    r.meanGloss = h.mean();
    r.stdDev = h.stdDev();
    r.cvRatio = h.cvRatio();
    // The values actually read; a negative count (erased memory) holds none.
    r.sampleCount = int(data.samples.size());
    for (size_t i = 0; i < data.samples.size() && i < size_t(results::kMaxSamples); ++i)
        r.values[i] = data.samples[i];
}

bool ConnectSession::uploadSlot(int slot)
{
    if (slot > 0)
        addProgress(25);
    setStatus(text::kUploading);
    link::InstrumentLink& link = Link();
    link.SetTimeBase(m_timings.closeStatsTimeBase);
    link.SendCommand(link::cmd::kCloseStats, 0);
    link.SetTimeBase(m_timings.afterUploadTimeBase);
    m_lineLost = false;
    // A read on a line that went away "succeeds" with zero words: it is a failed upload.
    const bool read = link.ReadSlotSamples(slot) && !m_lineLost && link.Comms().BytesWaiting() >= 0;
    if (slot > 0)
        addProgress(25);
    if (!read) {
        message(text::kUploadError, text::kConnectionError);
        return false;
    }
    if (link.Slot(slot).header.count() > link::mem::kSlotMaxSamples) {
        // More than a slot holds: the header is not to be trusted.
        setStatus(text::kBadCount);
        message(text::kUploadError, text::kConnectionError);
        return false;
    }
    fillFromSlot(slot);
    if (fillAndSave(slot, slotType(slot), type())) {
        showSaved(slot);
        return true;
    }
    if (m_records[size_t(slot)].sampleCount <= 0) {
        setStatus(text::kNoSamples);
        return true;
    }
    return false;
}

void ConnectSession::showSaved(int slot)
{
    const results::ResultsRecord& r = m_records[size_t(slot)];
    if (!m_chartCleared && m_hooks.clearAllSlots)
        m_hooks.clearAllSlots();
    m_chartCleared = true;
    if (m_hooks.showResults)
        m_hooks.showResults(r, m_opacity, slot, r.angle());
    if (m_hooks.setChartStatus)
        m_hooks.setChartStatus(TranslateText(text::kChartRaw));
    if (m_hooks.addGlossBatch)
        m_hooks.addGlossBatch(m_resultsPath);
    if (m_hooks.countPassRows)
        m_hooks.countPassRows();
    m_view.deleteEnabled[size_t(slot)] = true;
    m_closeRequested = true;
    changed();
}

bool ConnectSession::fillAndSave(int slot, SlotType t, InstrumentType origin)
{
    results::ResultsRecord& r = m_records[size_t(slot)];
    const bool opacityFlag = m_identity ? m_identity->opacityFlag : false;
    const RecordIdentity id = recordIdentity(origin, t, opacityFlag);
    r.instrumentCode = id.code;
    r.setAngle(id.angleText);
    r.setDate(results::dateTimeText(QDateTime::currentDateTime()));
    r.setSheet(QStringLiteral("Default Analysis Sheet"));
    r.textArea1[0] = r.notes[0] = r.textArea2[0] = '\0';
    m_resultsPath.clear();
    if (r.sampleCount <= 0)
        return false;
    QString path = m_saveStem;
    const bool ok = io().ResultsIOCommand(m_programDir, path, r, m_opacity, id.subfolder,
                                          results::ResultsCommand::SaveNew);
    if (m_hooks.setChartStatus)
        m_hooks.setChartStatus(TranslateText(text::kChartRaw));
    // A cancelled save dialog writes nothing and leaves the path empty.
    if (!ok || path.isEmpty())
        return false;
    m_resultsPath = path;
    m_saved << path;
    return true;
}

} // namespace vela::connect
