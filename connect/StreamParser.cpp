#include "connect/StreamParser.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace vela::connect {
namespace {

// Offsets of the gloss stream, counted from the identity.
constexpr qsizetype kKindAt = 4;
constexpr qsizetype kShadeAt = 12;
constexpr qsizetype kAngleAt = 14;
constexpr qsizetype kCountAt = 46;
constexpr qsizetype kMaxAt = 58;
constexpr qsizetype kMinAt = 71;
constexpr qsizetype kMeanAt = 87;
constexpr qsizetype kCvAt = 100;
constexpr qsizetype kFirstValueAfterWord = 11;
constexpr qsizetype kNextValueAfterCr = 6;
constexpr qsizetype kReadingAfterWord = 11;
constexpr qsizetype kMaxNumberText = 32;

/// @brief A decimal number read at a position: leading blanks, sign, digits, a decimal part.
struct Number {
    bool ok = false;   ///< at least one digit was found inside the text
    double value = 0;
};

Number numberAt(const QByteArray& s, qsizetype pos)
{
    Number n;
    if (pos < 0 || pos >= s.size())
        return n;
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
        ++pos;
    std::string text;
    qsizetype i = pos;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        text += s[i++];
    bool digits = false, point = false;
    for (; i < s.size() && qsizetype(text.size()) < kMaxNumberText; ++i) {
        const char c = s[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        text += c;
    }
    if (!digits)
        return n;
    n.ok = true;
    n.value = std::strtod(text.c_str(), nullptr);
    return n;
}

bool fieldIs(const QByteArray& s, qsizetype at, const char* text)
{
    const QByteArrayView want(text);
    return at >= 0 && at + want.size() <= s.size() && QByteArrayView(s).sliced(at, want.size()) == want;
}

SlotType angleOf(const QByteArray& s, bool curveType)
{
    SlotType t = SlotType::Deg60;
    if (fieldIs(s, kAngleAt, "20"))
        t = SlotType::Deg20;
    if (fieldIs(s, kAngleAt, "60"))
        t = curveType ? SlotType::Curve : SlotType::Deg60;
    if (fieldIs(s, kAngleAt, "45"))
        t = SlotType::Deg45;
    if (fieldIs(s, kShadeAt, "45/0"))
        t = SlotType::Deg45_0;
    if (fieldIs(s, kAngleAt, "75"))
        t = SlotType::Deg75;
    if (fieldIs(s, kAngleAt, "85"))
        t = SlotType::Deg85;
    return t;
}

QString nameOf(SlotType t)
{
    if (t == SlotType::Curve)
        return QStringLiteral("Vela-Curve");
    return t == SlotType::Deg45_0 ? QStringLiteral("Vela-Shade") : QStringLiteral("Vela-Gloss");
}

GlossStream rejected(GlossStream g, const char* reason)
{
    g.ok = false;
    g.error = QString::fromLatin1(reason);
    return g;
}

bool readStatistics(const QByteArray& s, results::ResultsRecord& r)
{
    if (s.size() <= kCvAt)
        return false;
    r.maxGloss = float(numberAt(s, kMaxAt).value);
    r.minGloss = float(numberAt(s, kMinAt).value);
    r.meanGloss = float(numberAt(s, kMeanAt).value);
    r.cvRatio = float(numberAt(s, kCvAt).value);
    r.stdDev = 0.0f;
    return true;
}

/// Reads the numbers that follow "Black" / "White" until the next "Power" or "TEST".
qsizetype readReadings(const QByteArray& s, qsizetype pos, OpacityBatch& batch)
{
    for (; pos < s.size(); ++pos) {
        if (fieldIs(s, pos, "Power") || fieldIs(s, pos, "TEST")) {
            batch.complete = true;
            return pos;
        }
        const bool black = fieldIs(s, pos, "Black");
        if (!black && !fieldIs(s, pos, "White"))
            continue;
        std::vector<float>& list = black ? batch.black : batch.white;
        const Number n = numberAt(s, pos + kReadingAfterWord);
        if (n.ok && int(list.size()) < results::kMaxReadings)
            list.push_back(float(n.value));
    }
    return pos;
}

/// The value after the next comma from pos; pos moves to that comma. False when none is left.
bool valueAfterComma(const QByteArray& s, qsizetype& pos, float& value)
{
    const qsizetype comma = s.indexOf(',', pos);
    if (comma < 0)
        return false;
    value = float(numberAt(s, comma + 1).value);
    pos = comma + 1;
    return true;
}

} // namespace

qsizetype findIdentity(const QByteArray& buffer)
{
    return buffer.size() > 1 ? buffer.indexOf("VELA", 1) : -1;
}

bool isGlossStream(const QByteArray& s)
{
    return fieldIs(s, kKindAt, "-GLOS") || fieldIs(s, kKindAt, "-CURV");
}

bool isOpacityStream(const QByteArray& s)
{
    return fieldIs(s, kKindAt, "-PAC");
}

GlossStream parseGlossStream(const QByteArray& s, bool curveType)
{
    GlossStream g;
    g.slotType = angleOf(s, curveType);
    results::ResultsRecord& r = g.record;
    r.setInstrument(nameOf(g.slotType));
    const Number count = numberAt(s, kCountAt);
    if (!readStatistics(s, r) || !count.ok)
        return rejected(std::move(g), "The stream ends before its statistics.");
    if (count.value < 0 || count.value > results::kMaxSamples)
        return rejected(std::move(g), "The stream states a number of samples that cannot be stored.");
    const int n = int(count.value);
    r.sampleCount = n;
    const qsizetype word = s.indexOf("VALUE", kCvAt);
    if (word < 0)
        return rejected(std::move(g), "The stream holds no sample values.");
    qsizetype pos = word + kFirstValueAfterWord;
    for (int i = 0; i < n; ++i) {
        const Number v = numberAt(s, pos);
        if (!v.ok)
            return rejected(std::move(g), "The stream ends before its last sample value.");
        r.values[i] = float(v.value);
        const qsizetype cr = s.indexOf('\r', pos);
        if (cr < 0)
            return rejected(std::move(g), "A sample value of the stream is not ended.");
        pos = cr + kNextValueAfterCr;
    }
    g.ok = true;
    return g;
}

OpacityStream parseOpacityStream(const QByteArray& s)
{
    OpacityStream o;
    const qsizetype taken = s.indexOf("TAKEN,");
    const Number b = taken < 0 ? Number{} : numberAt(s, taken + 6);
    if (!b.ok || b.value < 0) {
        o.error = QStringLiteral("The stream does not say how many batches it holds.");
        return o;
    }
    o.batchCount = b.value > 1.0e6 ? 1000000 : int(b.value);
    qsizetype pos = s.indexOf("Power", taken);
    for (int i = 0; i < o.batchCount && pos >= 0 && pos < s.size(); ++i) {
        OpacityBatch batch;
        qsizetype at = pos;
        if (!valueAfterComma(s, at, batch.result1) || !valueAfterComma(s, at, batch.result2)
            || !valueAfterComma(s, at, batch.result3))
            break;
        pos = readReadings(s, pos + 5, batch);
        if (!batch.complete)
            break;
        o.batches.push_back(std::move(batch));
        if (!fieldIs(s, pos, "Power"))
            break;
    }
    o.ok = true;
    if (int(o.batches.size()) < o.batchCount)
        o.error = QStringLiteral("The stream ends before its last batch.");
    return o;
}

} // namespace vela::connect
