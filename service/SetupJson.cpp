#include "SetupJson.h"

#include "service/ValueEncoding.h"

#include <QJsonValue>

namespace vela::service {
namespace {

QJsonValue numberOrText(const QString& text)
{
    double v = 0;
    return parseEditNumber(text, v) ? QJsonValue(v) : QJsonValue(text);
}

/// A number keeps its shortest decimal text ("88" stays "88", 0.5 becomes "0.5").
bool textOf(const QJsonValue& value, QString& text)
{
    if (value.isString()) {
        text = value.toString();
        return true;
    }
    if (value.isDouble()) {
        text = QString::number(value.toDouble(), 'g', 12);
        return true;
    }
    return false;
}

QJsonObject limitsToJson(const LimitTexts& l)
{
    return {{"high", numberOrText(l.high)}, {"low", numberOrText(l.low)},
            {"difference", numberOrText(l.difference)}};
}

/// @brief Reads keys of one object, remembering the first problem.
class Reader {
public:
    Reader(const QJsonObject& json, QString prefix) : m_json(json), m_prefix(std::move(prefix)) {}
    void text(const char* key, QString& out)
    {
        const QJsonValue v = m_json.value(QLatin1String(key));
        if (!v.isUndefined() && !textOf(v, out))
            problem(key, "a number or a text");
    }
    void flag(const char* key, bool& out)
    {
        const QJsonValue v = m_json.value(QLatin1String(key));
        if (v.isBool())
            out = v.toBool();
        else if (!v.isUndefined())
            problem(key, "true or false");
    }
    void integer(const char* key, int& out, int min, int max)
    {
        const QJsonValue v = m_json.value(QLatin1String(key));
        if (v.isUndefined())
            return;
        const double d = v.toDouble(-1e9);
        if (!v.isDouble() || d != int(d) || d < min || d > max)
            problem(key, QStringLiteral("a whole number from %1 to %2").arg(min).arg(max).toLatin1());
        else
            out = int(d);
    }
    void limits(const char* key, LimitTexts& out)
    {
        const QJsonValue v = m_json.value(QLatin1String(key));
        if (v.isUndefined())
            return;
        if (!v.isObject())
            return problem(key, "an object");
        Reader inner(v.toObject(), m_prefix + QLatin1String(key) + QLatin1Char('.'));
        inner.text("high", out.high);
        inner.text("low", out.low);
        inner.text("difference", out.difference);
        if (m_error.isEmpty())
            m_error = inner.m_error;
    }
    void problem(const char* key, const QByteArray& expected)
    {
        if (m_error.isEmpty())
            m_error = QStringLiteral("\"%1%2\" must be %3.")
                          .arg(m_prefix, QLatin1String(key), QString::fromLatin1(expected));
    }
    [[nodiscard]] const QString& error() const { return m_error; }

private:
    QJsonObject m_json;
    QString m_prefix;
    QString m_error;
};

} // namespace

QJsonObject setupToJson(const SetupValues& v)
{
    QJsonObject options{{"partnerBrand", v.partnerBrand},       {"statsInstrument", v.statsInstrument},
                        {"passFailLimits", v.passFailLimits},   {"divideBy10Ranging", v.divideBy10Ranging},
                        {"readOnTimeOps", v.readOnTimeOps},     {"enableCorrection", v.enableCorrection},
                        {"autoCalibration", v.autoCalibration}};
    return {
        {"model", modelKey(v.model)},
        {"configWord", v.configWord},
        {"options", options},
        {"targets", QJsonObject{{"gloss20", numberOrText(v.target20)},
                                {"gloss60", numberOrText(v.target60)},
                                {"gloss85", numberOrText(v.target85)}}},
        {"limits", QJsonObject{{"angle1", limitsToJson(v.limits20)}, {"angle2", limitsToJson(v.limits60)}}},
        {"onTime", v.onTime},
        {"minSupplyVoltage", numberOrText(v.minSupplyVoltage)},
        {"bulbSettlingTime", numberOrText(v.bulbSettlingTime)},
        {"maxGlossCalibChange", numberOrText(v.maxGlossCalibChange)},
        {"language", v.language},
        {"mirrorCorrections", QJsonObject{{"angle20", numberOrText(v.mirror20)},
                                          {"angle2", numberOrText(v.mirror60)}}},
        {"pots", QJsonObject{{"signal", v.signalPot}, {"reference", v.refPot}}},
        {"divideBy10Range", v.divideBy10Range},
        {"serial", v.serialText},
        {"firmware", v.firmwareVersion},
    };
}

bool setupFromJson(const QJsonObject& json, SetupValues& v, QString* reason)
{
    QString error;
    const QJsonValue model = json.value(QLatin1String("model"));
    if (!model.isUndefined() && !modelFromKey(model.toString(), v.model))
        error = QStringLiteral("\"model\" must be one of single20, single60, single45, "
                               "single45-0, dual, triple.");
    Reader top(json, {});
    Reader options(json.value(QLatin1String("options")).toObject(), QStringLiteral("options."));
    options.flag("partnerBrand", v.partnerBrand);
    options.flag("statsInstrument", v.statsInstrument);
    options.flag("passFailLimits", v.passFailLimits);
    options.flag("divideBy10Ranging", v.divideBy10Ranging);
    options.flag("readOnTimeOps", v.readOnTimeOps);
    options.flag("enableCorrection", v.enableCorrection);
    options.flag("autoCalibration", v.autoCalibration);
    Reader targets(json.value(QLatin1String("targets")).toObject(), QStringLiteral("targets."));
    targets.text("gloss20", v.target20);
    targets.text("gloss60", v.target60);
    targets.text("gloss85", v.target85);
    Reader limits(json.value(QLatin1String("limits")).toObject(), QStringLiteral("limits."));
    limits.limits("angle1", v.limits20);
    limits.limits("angle2", v.limits60);
    top.integer("onTime", v.onTime, kOnTimeMin, kOnTimeMax);
    top.text("minSupplyVoltage", v.minSupplyVoltage);
    top.text("bulbSettlingTime", v.bulbSettlingTime);
    top.text("maxGlossCalibChange", v.maxGlossCalibChange);
    top.integer("language", v.language, -1, 5);
    Reader mirrors(json.value(QLatin1String("mirrorCorrections")).toObject(),
                   QStringLiteral("mirrorCorrections."));
    mirrors.text("angle20", v.mirror20);
    mirrors.text("angle2", v.mirror60);
    Reader pots(json.value(QLatin1String("pots")).toObject(), QStringLiteral("pots."));
    pots.integer("signal", v.signalPot, kPotMin, kPotMax);
    pots.integer("reference", v.refPot, kPotMin, kPotMax);
    top.text("serial", v.serialText);
    for (const Reader* r : {&top, &options, &targets, &limits, &mirrors, &pots})
        if (error.isEmpty())
            error = r->error();
    if (reason)
        *reason = error;
    return error.isEmpty();
}

} // namespace vela::service
