#include "ValueEncoding.h"

#include "link/CommandSet.h"
#include "link/FloatFormat.h"
#include "translation/Translator.h"

#include <algorithm>
#include <cmath>

namespace vela::service {
namespace {

constexpr double kTargetThreshold = 327.65;
constexpr double kNudge = 1e-6;   // far above the error of value x factor, far below a unit

EncodedValue invalid(const QString& reason)
{
    EncodedValue e;
    e.status = EncodedValue::Status::Invalid;
    e.reason = reason;
    return e;
}

bool isWholeNumber(const QString& text)
{
    bool ok = false;
    text.trimmed().toLongLong(&ok, 10);
    return ok;
}

} // namespace

bool parseEditNumber(const QString& text, double& value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (QChar c : t)   // no "inf", "nan", hex or exotic forms
        if (!(c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-') ||
              c == QLatin1Char('+') || c == QLatin1Char('e') || c == QLatin1Char('E')))
            return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

qint64 scaleTruncated(double value, double factor)
{
    const double scaled = value * factor;
    if (!std::isfinite(scaled) || std::fabs(scaled) > 1e15)
        return scaled < 0 ? -(qint64(1) << 50) : (qint64(1) << 50);
    return qint64(std::trunc(scaled + std::copysign(kNudge, scaled)));
}

EncodedValue encodeEdit(const QString& text, const FieldRule& rule)
{
    if (text == QLatin1String(kSkipText)) {
        EncodedValue e;
        e.status = EncodedValue::Status::Skip;
        return e;
    }
    double number = 0;
    // The refusal is composed from translated pieces: the window shows it as it is.
    const QString label = TranslateText(QString::fromLatin1(rule.label));
    if (!parseEditNumber(text, number) || (rule.integerOnly && !isWholeNumber(text)))
        return invalid(TranslateText(QStringLiteral("%1: \"%2\" is not a number.")).arg(label, text));
    const qint64 scaled = scaleTruncated(number, rule.factor);
    if (scaled < rule.min || scaled > rule.max)
        return invalid(TranslateText(QStringLiteral("%1: %2 is out of range.")).arg(label, text.trimmed()));
    EncodedValue e;
    e.status = EncodedValue::Status::Value;
    e.value = quint32(scaled) & 0xFFFFu;
    return e;
}

TargetCommand encodeTarget(const QString& text, int angleIndex)
{
    static const char* const kLow[] = {link::cmd::kTarget1, link::cmd::kTarget2, link::cmd::kTarget85};
    static const char* const kHigh[] = {link::cmd::kTarget1High, link::cmd::kTarget2High,
                                        link::cmd::kTarget85High};
    static const char* const kLabels[] = {"Target gloss 1", "Target gloss 2", "Target gloss 3"};
    const int i = std::clamp(angleIndex, 0, 2);
    TargetCommand c;
    c.mnemonic = kLow[i];
    double number = 0;
    FieldRule r = rule::kTarget;
    r.label = kLabels[i];
    if (text != QLatin1String(kSkipText) && parseEditNumber(text, number) && number > kTargetThreshold) {
        c.mnemonic = kHigh[i];
        r.factor = 10;
    }
    c.encoded = encodeEdit(text, r);
    return c;
}

int languageValue(int index)
{
    return index >= 0 && index <= 5 ? index : 0;
}

QString mirrorText(quint32 word)
{
    return link::FormatFloat(QStringLiteral("0.000"), qint16(word & 0xFFFF) * 0.001);
}

} // namespace vela::service
