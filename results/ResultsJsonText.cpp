// Writing results images as JSON text directly: dumping a folder of full files through
// QJsonObject costs milliseconds a file, this writer a small part of that.
#include "results/ResultsJson.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace vela::results {
namespace {

// Shortest text of a finite float into buffer (64 bytes); returns its length.
qsizetype finiteFloatText(float f, char* buffer)
{
    char* end = std::to_chars(buffer, buffer + 63, f).ptr;
    // Readers take the text as a double first; where that rounds to another float, write the
    // float's exact double instead.
    double back = 0.0;
    std::from_chars(buffer, end, back);
    if (float(back) != f)
        end = std::to_chars(buffer, buffer + 63, double(f)).ptr;
    return end - buffer;
}

} // namespace

QByteArray floatText(float f)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    if (std::isnan(f))
        return bits == 0x7FC00000u ? QByteArray("NaN")
                                   : "NaN:" + QByteArray::number(bits, 16).rightJustified(8, '0');
    if (std::isinf(f))
        return f > 0 ? QByteArray("Infinity") : QByteArray("-Infinity");
    if (f == 0.0f && std::signbit(f))
        return QByteArray("-0");
    char buffer[64];
    return QByteArray(buffer, finiteFloatText(f, buffer));
}

bool isNumberText(const QByteArray& text)
{
    if (text == "-0")
        return false;  // JSON numbers lose the sign of zero
    return !text.isEmpty() && (text[0] == '-' ? text.size() > 1 && text[1] >= '0' && text[1] <= '9'
                                              : text[0] >= '0' && text[0] <= '9');
}

namespace {

// UTF-8 JSON string contents for each Windows-1252 byte, escapes included.
const std::array<QByteArray, 256>& byteTable()
{
    static const std::array<QByteArray, 256> table = [] {
        std::array<QByteArray, 256> t;
        for (int b = 1; b < 256; ++b) {
            if (b == '"' || b == '\\')
                t[b] = QByteArray("\\") + char(b);
            else if (b < 0x20)
                t[b] = "\\u00" + QByteArray::number(b, 16).rightJustified(2, '0');
            else
                t[b] = platform::fromAnsi(QByteArray(1, char(b))).toUtf8();
        }
        return t;
    }();
    return table;
}

/// @brief Appends JSON pieces to one buffer.
class JsonText {
public:
    JsonText() { m_out.reserve(1 << 16); }
    template <std::size_t N>
    JsonText& text(const char (&buffer)[N])
    {
        const auto& table = byteTable();
        m_out += '"';
        std::size_t run = 0;  // start of a run of bytes that need no escape or re-coding
        std::size_t i = 0;
        for (; i < N && buffer[i] != '\0'; ++i) {
            const auto b = static_cast<unsigned char>(buffer[i]);
            if (b >= 0x20 && b < 0x80 && b != '"' && b != '\\')
                continue;
            m_out.append(buffer + run, qsizetype(i - run));
            m_out += table[b];
            run = i + 1;
        }
        m_out.append(buffer + run, qsizetype(i - run));
        m_out += '"';
        return *this;
    }
    JsonText& raw(const char* s)
    {
        m_out += s;
        return *this;
    }
    JsonText& key(const char* name)
    {
        m_out += m_first ? "\n  \"" : ",\n  \"";
        m_first = false;
        m_out += name;
        m_out += "\": ";
        return *this;
    }
    JsonText& number(float f)
    {
        if (!std::isfinite(f) || (f == 0.0f && std::signbit(f))) {
            m_out += '"' + floatText(f) + '"';
            return *this;
        }
        char buffer[64];
        m_out.append(buffer, finiteFloatText(f, buffer));
        return *this;
    }
    JsonText& integer(std::int32_t n)
    {
        m_out += QByteArray::number(n);
        return *this;
    }
    JsonText& flag(bool on) { return raw(on ? "true" : "false"); }
    QByteArray finish()
    {
        m_out += "\n}\n";
        return m_out;
    }

private:
    QByteArray m_out = "{";
    bool m_first = true;
};

template <std::size_t N>
void readings(JsonText& j, const float* values, const std::uint8_t* tags,
              const char (*comments)[N], int count)
{
    j.raw("[");
    for (int i = 0; i < count; ++i) {
        j.raw(i ? ",\n    {\"value\": " : "\n    {\"value\": ").number(values[i]);
        j.raw(", \"tagged\": ").flag(tags[i] != 0).raw(", \"comment\": ").text(comments[i]);
        j.raw("}");
    }
    j.raw(count ? "\n  ]" : "]");
}

template <typename Record>
void head(JsonText& j, const Record& r, const char* kind)
{
    j.key("kind").raw("\"").raw(kind).raw("\"");
    j.key("instrumentCode").integer(r.instrumentCode);
    j.key("sheetName").text(r.sheetName);
    j.key("angleText").text(r.angleText);
    j.key("instrumentName").text(r.instrumentName);
    j.key("dateTime").text(r.dateTime);
}

void trailer(JsonText& j, const ResultsTrailer& t)
{
    j.key("trailer").raw("{\"extra\": [");
    for (int i = 0; i < kExtraValues; ++i) {
        j.raw(i ? ", {\"value\": " : "{\"value\": ").number(t.extra(i));
        j.raw(", \"show\": ").flag(t.shown(i)).raw("}");
    }
    j.raw("], \"baseName\": ").text(t.baseName).raw(", \"writeDate\": ").text(t.writeDate);
    j.raw("}");
}

} // namespace

QByteArray toJsonText(const ResultsFileImage& image)
{
    const ResultsRecord& r = image.record;
    JsonText j;
    head(j, r, "gloss");
    j.key("max").number(r.maxGloss);
    j.key("min").number(r.minGloss);
    j.key("mean").number(r.meanGloss);
    j.key("stdDev").number(r.stdDev);
    j.key("cvRatio").number(r.cvRatio);
    j.key("notes").text(r.notes);
    j.key("samples");
    readings(j, r.values, r.tags, r.comments, r.count());
    trailer(j, image.trailer);
    return j.finish();
}

QByteArray toJsonText(const OpacityFileImage& image)
{
    const OpacityRecord& r = image.record;
    JsonText j;
    head(j, r, "opacity");
    j.key("batchCount").integer(r.batchCount);
    j.key("batchNumber").integer(r.batchNumber);
    j.key("result1").number(r.result1);
    j.key("result2").number(r.result2);
    j.key("result3").number(r.result3);
    j.key("black");
    readings(j, r.black, r.blackTags, r.blackComments, r.blackReadings());
    j.key("white");
    readings(j, r.white, r.whiteTags, r.whiteComments, r.whiteReadings());
    trailer(j, image.trailer);
    return j.finish();
}

} // namespace vela::results
