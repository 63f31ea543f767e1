#include "charts/ResultsChartModel.h"

#include "charts/ChartText.h"

#include <algorithm>
#include <cmath>

namespace vela::charts {

using results::OpacityRecord;
using results::ResultsRecord;

namespace {

const QList<QPointF> kNoPoints;

} // namespace

ResultsChartModel::ResultsChartModel()
    : m_records(std::make_unique<std::array<ResultsRecord, kGlossSlots>>()),
      m_opacity(std::make_unique<OpacityRecord>())
{
}

void ResultsChartModel::storeResults(int slot, const ResultsRecord& record)
{
    if (slot >= 0 && slot < kGlossSlots)
        (*m_records)[size_t(slot)] = record;
}

void ResultsChartModel::storeOpacity(const OpacityRecord& record)
{
    *m_opacity = record;
}

const ResultsRecord& ResultsChartModel::record(int slot) const
{
    return (*m_records)[size_t(std::clamp(slot, 0, kGlossSlots - 1))];
}

int ResultsChartModel::plottableCount(std::int32_t count)
{
    return count >= 1 && count <= results::kMaxSamples ? int(count) : 0;
}

int ResultsChartModel::plottableCount(const ResultsRecord& record)
{
    return plottableCount(record.sampleCount);
}

void ResultsChartModel::addValue(int slot, int index, double v, double& maximum,
                                 double& minimum)
{
    // A value that is not a number cannot be drawn or scaled; its sample number stays taken
    // so the samples after it keep their numbers.
    m_extent[size_t(slot)] = index + 1;
    if (!std::isfinite(v))
        return;
    if (!(maximum >= v))
        maximum = v;
    if (minimum > v)
        minimum = v;
    m_points[size_t(slot)].append(QPointF(index + 1, v));
}

bool ResultsChartModel::PlotSlot(int slot)
{
    if (slot < 0 || slot >= kGlossSlots)
        return false;
    const ResultsRecord& rec = record(slot);
    const int count = plottableCount(rec);
    if (count < 1)
        return false;
    ClearSlot(slot);
    if (slot == 0) {
        m_peak = kInitialPeak;
        m_trough = kInitialTrough;
    }
    double maximum = m_peak;
    double minimum = m_trough;
    m_points[size_t(slot)].reserve(count);
    for (int i = 0; i < count; ++i)
        addValue(slot, i, double(rec.values[i]), maximum, minimum);
    m_peak = std::max(m_peak, maximum);
    m_trough = std::min(m_trough, minimum);
    SetGlossScale(maximum);
    SetSampleAxis(1);
    return true;
}

bool ResultsChartModel::PlotReflectance()
{
    const OpacityRecord& op = *m_opacity;
    // A count beyond the 50 readings a record holds is corrupted: that list is not drawn.
    const bool blackOk = op.blackCount >= 1 && op.blackCount <= results::kMaxReadings;
    const bool whiteOk = op.whiteCount >= 1 && op.whiteCount <= results::kMaxReadings;
    if (!blackOk && !whiteOk)
        return false;
    ClearSlot(kBlackSlot);
    ClearSlot(kWhiteSlot);
    double maximum = kInitialPeak;
    double minimum = kInitialTrough;
    m_peak = maximum;
    m_trough = minimum;
    const int blacks = blackOk ? op.blackReadings() : 0;
    const int whites = whiteOk ? op.whiteReadings() : 0;
    for (int i = 0; i < blacks; ++i)
        addValue(kBlackSlot, i, double(op.black[i]), maximum, minimum);
    for (int i = 0; i < whites; ++i)
        addValue(kWhiteSlot, i, double(op.white[i]), maximum, minimum);
    m_peak = std::max(m_peak, maximum);
    m_trough = std::min(m_trough, minimum);
    SetGlossScale(maximum);
    SetSampleAxis(1);
    return true;
}

void ResultsChartModel::ClearSlot(int slot)
{
    if (!isValidSlot(slot))
        return;
    m_points[size_t(slot)].clear();
    m_extent[size_t(slot)] = 0;
    m_listed[size_t(slot)] = false;
}

void ResultsChartModel::ClearAllSlots()
{
    for (int s = 0; s < kSlotCount; ++s) {
        SetNormalStyle(s);
        ClearSlot(s);
        SetSlotTitle({}, {}, s);
    }
}

void ResultsChartModel::SetGlossScale(double m)
{
    const GlossScale scale = safeGlossScaleFor(m);
    m_left = {0.0, double(scale.maximum), scale.increment, false};
}

void ResultsChartModel::SetSampleAxis(int minimum)
{
    int largest = 0;
    for (int s = 0; s < kSlotCount; ++s)
        largest = std::max(largest, m_extent[size_t(s)]);
    m_bottom = {double(minimum), double(largest), niceIncrement(largest - minimum), false};
}

void ResultsChartModel::SetLeftAxisAutomatic()
{
    double lo = 0.0, hi = 0.0;
    bool any = false;
    for (const QList<QPointF>& pts : m_points) {
        for (const QPointF& p : pts) {
            lo = any ? std::min(lo, p.y()) : p.y();
            hi = any ? std::max(hi, p.y()) : p.y();
            any = true;
        }
    }
    if (!any) {
        lo = 0.0;
        hi = 1.0;
    } else if (hi - lo < 1e-9) {
        lo -= 1.0;
        hi += 1.0;
    }
    m_left = {lo, hi, niceIncrement(hi - lo), true};
}

const QList<QPointF>& ResultsChartModel::points(int slot) const
{
    return isValidSlot(slot) ? m_points[size_t(slot)] : kNoPoints;
}

int ResultsChartModel::extent(int slot) const
{
    return isValidSlot(slot) ? m_extent[size_t(slot)] : 0;
}

QList<double> ResultsChartModel::leftTicks() const
{
    // Manual scales label from 0 in the table's steps; automatic ones at whole multiples of
    // their step.
    const double start = m_left.automatic
        ? std::ceil(m_left.minimum / m_left.increment - 1e-9) * m_left.increment
        : m_left.minimum;
    return axisTicks(start, m_left.maximum, m_left.increment);
}

void ResultsChartModel::SetSlotTitle(const QString& path, const QString& label, int slot)
{
    if (!isValidSlot(slot))
        return;
    m_titles[size_t(slot)] = slotTitle(path, label);
    m_listed[size_t(slot)] = !m_titles[size_t(slot)].isEmpty();
}

bool ResultsChartModel::inLegend(int slot) const
{
    return isValidSlot(slot) && m_listed[size_t(slot)];
}

QString ResultsChartModel::title(int slot) const
{
    return isValidSlot(slot) ? m_titles[size_t(slot)] : QString();
}

void ResultsChartModel::SetNormalStyle(int slot)
{
    if (isValidSlot(slot))
        m_highlighted[size_t(slot)] = false;
}

void ResultsChartModel::HighlightSlot(int slot)
{
    if (!isValidSlot(slot))
        return;
    for (int s = 0; s < kSlotCount; ++s)
        SetNormalStyle(s);
    m_highlighted[size_t(slot)] = true;
}

bool ResultsChartModel::isHighlighted(int slot) const
{
    return isValidSlot(slot) && m_highlighted[size_t(slot)];
}

SlotStyle ResultsChartModel::style(int slot) const
{
    return isHighlighted(slot) ? highlightedStyle(slot) : normalStyle(slot);
}

ReadOut ResultsChartModel::readOut(double x, double y) const
{
    ReadOut r{y, y, {}};
    if (m_currentSlot == 0) {
        const ResultsRecord& rec = record(0);
        const int count = plottableCount(rec);
        if (count > 0 && std::isfinite(x)) {
            // Left of the first sample reads sample 1, right of the last reads the last.
            const double n = std::clamp(std::round(x), 1.0, double(count));
            r.value = double(rec.values[int(n) - 1]);
            if (std::isfinite(r.value))
                r.lineY = r.value;
        }
    }
    r.text = readOutText(m_xUnits, x, r.value, m_yUnits);
    return r;
}

void ResultsChartModel::moveCursor(CursorId which, double x, double v)
{
    m_hideTicked = false;
    m_cursorsActive = true;
    CursorShape& c = which == CursorId::C1 ? m_c1 : m_c2;
    c.x = std::isfinite(x) ? x : 0.0;
    c.v = std::isfinite(v) ? v : 0.0;
    updateRate();
    m_cursorsPlaced = true;
}

void ResultsChartModel::updateRate()
{
    m_deltaX = m_c1.x - m_c2.x;
    m_deltaY = m_c1.v - m_c2.v;
    m_rate = m_deltaX == 0.0 ? 0.0 : m_deltaY / m_deltaX;
}

void ResultsChartModel::clickCursor(CursorId which)
{
    if (m_selection != CursorSelection::None)
        m_selection = CursorSelection::None;
    else
        m_selection = which == CursorId::C1 ? CursorSelection::C1 : CursorSelection::C2;
}

void ResultsChartModel::clickOtherSeries()
{
    if (m_selection != CursorSelection::None)
        m_selection = CursorSelection::None;
}

void ResultsChartModel::SelectC1()
{
    m_selection = m_selection == CursorSelection::C1 ? CursorSelection::None : CursorSelection::C1;
    m_deltaVisible = true;
}

void ResultsChartModel::SelectC2()
{
    m_selection = m_selection == CursorSelection::C2 ? CursorSelection::None : CursorSelection::C2;
    m_deltaVisible = true;
}

void ResultsChartModel::HideC1C2()
{
    if (m_hideTicked) {
        m_hideTicked = false;
        m_cursorsActive = true;
        m_cursorsPlaced = true;
        m_deltaVisible = true;
    } else {
        m_selection = CursorSelection::None;
        m_hideTicked = true;
        m_cursorsActive = false;
        m_cursorsPlaced = false;
        m_deltaVisible = false;
    }
}

void ResultsChartModel::deactivateCursors()
{
    // Hidden cursors are not carried onto a printout either.
    m_cursorsActive = false;
    m_hideTicked = true;
    m_cursorsPlaced = false;
}

const CursorShape& ResultsChartModel::cursor(CursorId which) const
{
    return which == CursorId::C1 ? m_c1 : m_c2;
}

QList<QList<float>> ResultsChartModel::exportBlocks() const
{
    QList<QList<float>> blocks;
    if (m_reflectance != 0) {
        const OpacityRecord& op = *m_opacity;
        const int blacks = op.blackCount <= results::kMaxReadings ? op.blackReadings() : 0;
        const int whites = op.whiteCount <= results::kMaxReadings ? op.whiteReadings() : 0;
        blocks.append(QList<float>(op.black, op.black + blacks));
        blocks.append(QList<float>(op.white, op.white + whites));
        return blocks;
    }
    const ResultsRecord& rec = record(m_currentSlot);
    const int count = plottableCount(rec);
    blocks.append(QList<float>(rec.values, rec.values + count));
    return blocks;
}

} // namespace vela::charts
