#include "results/ResultsJson.h"

#include "results/ResultsFileWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace vela::results {
namespace {

constexpr std::uint32_t kQuietNaN = 0x7FC00000u;

bool toFloat(const QJsonValue& v, float* out)
{
    if (v.isDouble()) {
        *out = float(v.toDouble());
        return true;
    }
    const QString s = v.toString();
    std::uint32_t bits = 0;
    bool ok = true;
    if (s == QLatin1String("NaN"))
        bits = kQuietNaN;
    else if (s.startsWith(QLatin1String("NaN:")))
        bits = s.mid(4).toUInt(&ok, 16);
    else if (s == QLatin1String("Infinity"))
        bits = 0x7F800000u;
    else if (s == QLatin1String("-Infinity"))
        bits = 0xFF800000u;
    else if (s == QLatin1String("-0"))
        bits = 0x80000000u;
    else
        return false;
    std::memcpy(out, &bits, sizeof bits);
    return ok;
}

} // namespace

QJsonObject toJson(const ResultsFileImage& image)
{
    return QJsonDocument::fromJson(toJsonText(image)).object();
}

QJsonObject toJson(const OpacityFileImage& image)
{
    return QJsonDocument::fromJson(toJsonText(image)).object();
}

QByteArray JsonImage::bytes() const
{
    return opacity ? imageBytes(opacityImage) : imageBytes(gloss);
}

namespace {

/// Reads fields of one JSON object into fixed buffers, remembering the first error.
class FieldReader {
public:
    FieldReader(const QJsonObject& o, QString where) : m_o(o), m_where(std::move(where)) {}

    template <std::size_t N>
    void text(const char* key, char (&buffer)[N])
    {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (!v.isString())
            return fail(key, "is missing or not a text");
        const QString t = v.toString();
        const QByteArray ansi = platform::toAnsi(t);
        if (platform::fromAnsi(ansi) != t)
            return fail(key, "holds characters outside Windows-1252 or a NUL");
        if (ansi.size() > qsizetype(N) - 1)
            return fail(key, QStringLiteral("is longer than %1 bytes").arg(N - 1));
        setAnsiField(buffer, t);
    }
    void number(const char* key, float* out)
    {
        if (!toFloat(m_o.value(QLatin1String(key)), out))
            fail(key, "is missing or not a number");
    }
    void integer(const char* key, std::int32_t* out)
    {
        const QJsonValue v = m_o.value(QLatin1String(key));
        const double d = v.toDouble(0.5);
        if (!v.isDouble() || d != std::trunc(d) || d < -2147483648.0 || d > 2147483647.0)
            return fail(key, "is missing or not a 32-bit integer");
        *out = std::int32_t(d);
    }
    void flag(const char* key, std::uint8_t* out)
    {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (!v.isBool())
            return fail(key, "is missing or not true/false");
        *out = v.toBool() ? 1 : 0;
    }
    QJsonArray list(const char* key, int capacity)
    {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (!v.isArray())
            fail(key, "is missing or not a list");
        else if (v.toArray().size() > capacity)
            fail(key, QStringLiteral("has more than %1 entries").arg(capacity));
        return v.toArray();
    }
    QJsonObject object(const char* key)
    {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (!v.isObject())
            fail(key, "is missing or not an object");
        return v.toObject();
    }
    [[nodiscard]] QString where(const char* key) const
    {
        return m_where.isEmpty() ? QLatin1String(key) : m_where + u'.' + QLatin1String(key);
    }
    void adopt(const QString& error)
    {
        if (m_error.isEmpty())
            m_error = error;
    }
    [[nodiscard]] const QString& error() const { return m_error; }

private:
    void fail(const char* key, const QString& why) { adopt(where(key) + u' ' + why); }
    QJsonObject m_o;
    QString m_where;
    QString m_error;
};

template <std::size_t N>
int readReadings(FieldReader& f, const char* key, int capacity, float* values,
                 std::uint8_t* tags, char (*comments)[N])
{
    const QJsonArray list = f.list(key, capacity);
    if (!f.error().isEmpty())
        return 0;
    for (int i = 0; i < list.size(); ++i) {
        FieldReader e(list[i].toObject(), f.where(key) + QStringLiteral("[%1]").arg(i));
        if (!list[i].isObject())
            e.adopt(e.where("") + QStringLiteral(" is not an object"));
        e.number("value", &values[i]);
        e.flag("tagged", &tags[i]);
        e.text("comment", comments[i]);
        f.adopt(e.error());
    }
    return int(list.size());
}

template <typename Record>
void readHead(FieldReader& f, Record& r)
{
    f.integer("instrumentCode", &r.instrumentCode);
    f.text("sheetName", r.sheetName);
    f.text("angleText", r.angleText);
    f.text("instrumentName", r.instrumentName);
    f.text("dateTime", r.dateTime);
}

void readTrailer(FieldReader& f, ResultsTrailer& t)
{
    const QJsonObject o = f.object("trailer");
    FieldReader tr(o, f.where("trailer"));
    const QJsonArray extra = tr.list("extra", kExtraValues);
    if (tr.error().isEmpty() && extra.size() != kExtraValues)
        tr.adopt(tr.where("extra") + QStringLiteral(" must have 3 entries"));
    for (int i = 0; tr.error().isEmpty() && i < kExtraValues; ++i) {
        FieldReader e(extra[i].toObject(), tr.where("extra") + QStringLiteral("[%1]").arg(i));
        float value = 0.0f;
        std::uint8_t show = 0;
        e.number("value", &value);
        e.flag("show", &show);
        t.setExtra(i, value, show != 0);
        tr.adopt(e.error());
    }
    tr.text("baseName", t.baseName);
    tr.text("writeDate", t.writeDate);
    f.adopt(tr.error());
}

} // namespace

bool fromJson(const QJsonObject& json, JsonImage* image, QString* error)
{
    FieldReader f(json, {});
    const QString kind = json.value(QStringLiteral("kind")).toString();
    *image = JsonImage{};
    image->opacity = kind == QLatin1String("opacity");
    if (kind != QLatin1String("gloss") && !image->opacity) {
        *error = QStringLiteral("kind must be \"gloss\" or \"opacity\"");
        return false;
    }
    if (image->opacity) {
        OpacityRecord& r = image->opacityImage.record;
        readHead(f, r);
        f.integer("batchCount", &r.batchCount);
        f.integer("batchNumber", &r.batchNumber);
        f.number("result1", &r.result1);
        f.number("result2", &r.result2);
        f.number("result3", &r.result3);
        r.blackCount =
            readReadings(f, "black", kMaxReadings, r.black, r.blackTags, r.blackComments);
        r.whiteCount =
            readReadings(f, "white", kMaxReadings, r.white, r.whiteTags, r.whiteComments);
        readTrailer(f, image->opacityImage.trailer);
    } else {
        ResultsRecord& r = image->gloss.record;
        readHead(f, r);
        f.number("max", &r.maxGloss);
        f.number("min", &r.minGloss);
        f.number("mean", &r.meanGloss);
        f.number("stdDev", &r.stdDev);
        f.number("cvRatio", &r.cvRatio);
        f.text("notes", r.notes);
        r.sampleCount = readReadings(f, "samples", kMaxSamples, r.values, r.tags, r.comments);
        readTrailer(f, image->gloss.trailer);
    }
    *error = f.error();
    return error->isEmpty();
}

namespace {

QString csvField(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QString csvNumber(float f)
{
    return QString::fromLatin1(floatText(f));
}

template <std::size_t N>
void csvRows(QString& out, const QString& prefix, const float* values, const std::uint8_t* tags,
             const char (*comments)[N], int count)
{
    for (int i = 0; i < count; ++i)
        out += prefix + QString::number(i + 1) + u',' + csvNumber(values[i]) + u',' +
               (tags[i] ? QStringLiteral("1") : QStringLiteral("0")) + u',' +
               csvField(ansiField(comments[i])) + QStringLiteral("\r\n");
}

} // namespace

QString toCsv(const ResultsFileImage& image)
{
    const ResultsRecord& r = image.record;
    QString out = QStringLiteral("Sample,Value,Tagged,Comment\r\n");
    csvRows(out, {}, r.values, r.tags, r.comments, r.count());
    return out;
}

QString toCsv(const OpacityFileImage& image)
{
    const OpacityRecord& r = image.record;
    QString out = QStringLiteral("Backing,Reading,Value,Tagged,Comment\r\n");
    csvRows(out, QStringLiteral("Black,"), r.black, r.blackTags, r.blackComments,
            r.blackReadings());
    csvRows(out, QStringLiteral("White,"), r.white, r.whiteTags, r.whiteComments,
            r.whiteReadings());
    return out;
}

} // namespace vela::results
