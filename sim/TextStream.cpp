#include "sim/TextStream.h"

#include "sim/Fault.h"
#include "sim/VelaSim.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vela::sim {
namespace {

/// Field text: printf, left aligned in a fixed width (0: as long as it is).
QByteArray field(const char* format, double value, int width)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    const QByteArray text(buffer);
    return width > 0 ? text.leftJustified(width, ' ', true) : text;
}

struct Stats {
    double max = 0, min = 0, mean = 0, cv = 0;
};

Stats statsOf(const std::vector<float>& v)
{
    Stats s;
    if (v.empty())
        return s;
    s.max = *std::max_element(v.begin(), v.end());
    s.min = *std::min_element(v.begin(), v.end());
    double sum = 0;
    for (float x : v)
        sum += x;
    s.mean = sum / double(v.size());
    double sq = 0;
    for (float x : v)
        sq += (x - s.mean) * (x - s.mean);
    const double sd = v.size() > 1 ? std::sqrt(sq / double(v.size() - 1)) : 0;
    s.cv = s.mean != 0 ? sd / s.mean * 100.0 : 0;
    return s;
}

QByteArray identityLine(StreamKind kind, int angle)
{
    const QByteArray name = kind == StreamKind::Curve ? "VELA-CURVE" : "VELA-GLOSS";
    // Offsets: name 0..9, blanks 10..13, angle 14..15 ("45/0" fills 12..15).
    if (kind == StreamKind::Shade)
        return name + "  45/0 DEG\r\n";
    return name + "    " + QByteArray::number(angle).rightJustified(2, '0', true) + " DEG\r\n";
}

} // namespace

QByteArray glossStreamText(StreamKind kind, int angle, const std::vector<float>& samples)
{
    const Stats s = statsOf(samples);
    // Values sit at 46 (count), 58 (max), 71 (min), 87 (mean) and 100 (C.V.) from "VELA".
    QByteArray t = identityLine(kind, angle);      // 0..21
    t += "BATCH 01\r\n";                          // 22..31
    t += "NO. SAMPLES = ";                        // 32..45
    t += QByteArray::number(qulonglong(samples.size())).leftJustified(4, ' ', true) + "\r\n";
    t += "MAX = " + field("%.1f", s.max, 6) + "\r\n";
    t += "MIN= " + field("%.1f", s.min, 6) + "\r\n";
    t += "MEAN =  " + field("%.1f", s.mean, 6) + "\r\n";
    t += "C.V.=" + field("%.2f", s.cv, 6) + "\r\n";
    // The first value 11 characters after the "V" of "VALUE", each further one 6 after the
    // carriage return that ends the previous value.
    t += "VALUE\r\n";
    for (size_t i = 0; i < samples.size(); ++i)
        t += QByteArray::number(qulonglong(i + 1) % 1000).rightJustified(3, ' ') + " "
             + field("%.1f", samples[i], 0) + "\r\n";
    t += "END OF TEST\r\n";
    return "\r\n" + t;
}

QByteArray opacityStreamText(const std::vector<OpacityBatchText>& batches)
{
    QByteArray t = "\r\nVELA-PAC OPACITY\r\n";
    t += "BATCHES TAKEN," + QByteArray::number(qulonglong(batches.size())) + "\r\n";
    for (size_t b = 0; b < batches.size(); ++b) {
        const OpacityBatchText& batch = batches[b];
        t += "Power," + field("%.2f", batch.result1, 0) + "," + field("%.2f", batch.result2, 0) + ","
             + field("%.2f", batch.result3, 0) + "\r\n";
        // Each reading 11 characters after the first letter of its word.
        for (size_t i = 0; i < batch.black.size(); ++i)
            t += "Black " + QByteArray::number(qulonglong(i + 1) % 1000).rightJustified(3, ' ') + "  "
                 + field("%.2f", batch.black[i], 0) + "\r\n";
        for (size_t i = 0; i < batch.white.size(); ++i)
            t += "White " + QByteArray::number(qulonglong(i + 1) % 1000).rightJustified(3, ' ') + "  "
                 + field("%.2f", batch.white[i], 0) + "\r\n";
    }
    t += "END TEST\r\n";
    return t;
}

std::vector<OpacityBatchText> demoOpacityBatches()
{
    return {{88.5f, 12.25f, 3.5f, {4.12f, 4.18f, 4.05f}, {46.5f, 46.9f, 46.2f}},
            {91.25f, 10.5f, 2.75f, {3.95f, 4.01f}, {47.1f, 47.4f}}};
}

QByteArray printoutOf(const InstrumentState& state)
{
    return state.printout.isEmpty() ? opacityStreamText(demoOpacityBatches()) : state.printout;
}

bool parseStreamSpec(const QString& spec, QByteArray& bytes, QString* error)
{
    const QStringList w = spec.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString kind = w.value(0);
    if (kind == QLatin1String("pac")) {
        bytes = opacityStreamText(demoOpacityBatches());
        return true;
    }
    if (kind == QLatin1String("raw")) {
        bytes = unescapeText(spec.trimmed().mid(3).trimmed());
        return true;
    }
    const bool known = kind == QLatin1String("gloss") || kind == QLatin1String("curve")
                       || kind == QLatin1String("shade");
    bool ok = false;
    const int angle = w.value(1).toInt(&ok);
    if (!known || !ok) {
        if (error)
            *error = QStringLiteral("stream gloss|curve|shade ANGLE v,v,... | pac | raw TEXT");
        return false;
    }
    std::vector<float> values;
    for (const QString& v : w.value(2).split(QLatin1Char(','), Qt::SkipEmptyParts))
        values.push_back(v.toFloat());
    const StreamKind k = kind == QLatin1String("curve")   ? StreamKind::Curve
                         : kind == QLatin1String("shade") ? StreamKind::Shade
                                                          : StreamKind::Gloss;
    bytes = glossStreamText(k, angle, values);
    return true;
}

bool applyStreamControl(VelaSim& sim, const QString& line, bool* handled, QString* error)
{
    QString rest = line.trimmed();
    const QString verb = rest.section(QLatin1Char(' '), 0, 0);
    *handled = verb == QLatin1String("stream") || verb == QLatin1String("printout");
    if (!*handled)
        return false;
    rest = rest.mid(verb.size()).trimmed();
    int delayMs = 0;
    const qsizetype d = rest.lastIndexOf(QLatin1String(" delay="));
    if (d >= 0 && !rest.startsWith(QLatin1String("raw"))) {
        delayMs = rest.mid(d + 7).toInt();
        rest = rest.left(d);
    }
    QByteArray bytes;
    if (!parseStreamSpec(rest, bytes, error))
        return false;
    if (verb == QLatin1String("printout"))
        sim.withState([&bytes](InstrumentState& s) { s.printout = bytes; });
    else
        sim.sendText(bytes, delayMs);
    return true;
}

} // namespace vela::sim
