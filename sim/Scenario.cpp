#include "Scenario.h"

#include "sim/TextStream.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vela::sim {
namespace {

void applySystem(InstrumentState& s, const QJsonObject& o)
{
    const auto setWord = [&](const char* key, int address) {
        if (o.contains(QLatin1String(key)))
            s.setWord(address, quint16(o.value(QLatin1String(key)).toInt()));
    };
    setWord("angle", 0);
    setWord("singleAngle", 4);
    setWord("options", 6);
    setWord("language", 8);
    setWord("calibrationMode", 10);
    setWord("onTime", 16);
    setWord("bulbSettling", 18);
    if (o.contains(QLatin1String("minSupplyVoltage")))
        s.setFloat(12, float(o.value(QLatin1String("minSupplyVoltage")).toDouble()));
    if (o.contains(QLatin1String("soakCount"))) {
        const auto count = quint32(o.value(QLatin1String("soakCount")).toDouble());
        s.setWord(2030, quint16(count & 0xFFFF));
        s.setWord(2032, quint16(count >> 16));
    }
}

bool applySlot(InstrumentState& s, const QJsonObject& o, QString* error)
{
    const int slot = o.value(QLatin1String("slot")).toInt(-1);
    if (slot < 0 || slot > 2) {
        if (error)
            *error = QStringLiteral("slot must be 0, 1 or 2");
        return false;
    }
    SlotCalibration c;
    const auto num = [&](const char* key, double def) {
        return o.value(QLatin1String(key)).toDouble(def);
    };
    c.sourcePot = int(num("sourcePot", c.sourcePot));
    c.receiverPot = int(num("receiverPot", c.receiverPot));
    c.target = float(num("target", c.target));
    c.gain = float(num("gain", c.gain));
    c.offset = float(num("offset", c.offset));
    c.high = float(num("high", c.high));
    c.low = float(num("low", c.low));
    c.difference = float(num("difference", c.difference));
    setSlotCalibration(s, slot, c);
    std::vector<float> values;
    for (const QJsonValue v : o.value(QLatin1String("samples")).toArray())
        values.push_back(float(v.toDouble()));
    storeSamples(s, slot, values);
    return true;
}

bool parseFault(const QJsonObject& o, FaultRule& rule, QString* error)
{
    rule = FaultRule{};
    if (!faultFromName(o.value(QLatin1String("kind")).toString(), rule.kind)) {
        if (error)
            *error = QStringLiteral("unknown fault kind: %1").arg(o.value(QLatin1String("kind")).toString());
        return false;
    }
    rule.mnemonic = o.value(QLatin1String("mnemonic")).toString().toLatin1();
    rule.skip = o.value(QLatin1String("skip")).toInt(0);
    rule.count = o.value(QLatin1String("count")).toInt(-1);
    rule.delayMs = o.value(QLatin1String("delayMs")).toInt(0);
    rule.bytes = o.value(QLatin1String("bytes")).toInt(-1);
    rule.text = unescapeText(o.value(QLatin1String("text")).toString());
    return true;
}

int wordAddress(const QString& key, bool& ok)
{
    return key.startsWith(QLatin1String("0x")) ? key.mid(2).toInt(&ok, 16) : key.toInt(&ok);
}

bool applyStreams(Scenario& sc, const QJsonObject& o, QString* error)
{
    if (o.contains(QLatin1String("printout"))
        && !parseStreamSpec(o.value(QLatin1String("printout")).toString(), sc.state.printout, error))
        return false;
    const QJsonObject stream = o.value(QLatin1String("stream")).toObject();
    if (stream.isEmpty())
        return true;
    sc.streamDelayMs = stream.value(QLatin1String("delayMs")).toInt(1000);
    return parseStreamSpec(stream.value(QLatin1String("spec")).toString(), sc.stream, error);
}

} // namespace

bool parseScenario(const QByteArray& json, Scenario& sc, QString* error)
{
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (!doc.isObject()) {
        if (error)
            *error = QStringLiteral("scenario is not a JSON object: %1").arg(parseError.errorString());
        return false;
    }
    const QJsonObject o = doc.object();
    if (o.contains(QLatin1String("model"))) {
        Model model{};
        if (!modelFromName(o.value(QLatin1String("model")).toString(), model)) {
            if (error)
                *error = QStringLiteral("unknown model: %1").arg(o.value(QLatin1String("model")).toString());
            return false;
        }
        applyModel(sc.state, model);
    }
    InstrumentState& s = sc.state;
    s.firmwareVersion = o.value(QLatin1String("firmware")).toInt(s.firmwareVersion);
    if (o.contains(QLatin1String("calibrationDate")))
        setCalibrationDate(s, o.value(QLatin1String("calibrationDate")).toString().toLatin1());
    const QJsonObject serial = o.value(QLatin1String("serial")).toObject();
    if (!serial.isEmpty())
        setSerialWords(s, quint16(serial.value(QLatin1String("digits")).toInt()),
                       quint16(serial.value(QLatin1String("monthSuffix")).toInt()),
                       quint16(serial.value(QLatin1String("prefixYear")).toInt()));
    applySystem(s, o.value(QLatin1String("system")).toObject());
    for (const QJsonValue v : o.value(QLatin1String("slots")).toArray())
        if (!applySlot(s, v.toObject(), error))
            return false;
    const QJsonObject words = o.value(QLatin1String("words")).toObject();
    for (auto it = words.begin(); it != words.end(); ++it) {
        bool ok = false;
        const int address = wordAddress(it.key(), ok);
        if (!ok) {
            if (error)
                *error = QStringLiteral("bad word address: %1").arg(it.key());
            return false;
        }
        s.setWord(address, quint16(it.value().toInt()));
    }
    s.memoryBusy = o.value(QLatin1String("memoryBusy")).toBool(s.memoryBusy);
    s.offHoldMs = o.value(QLatin1String("offHoldMs")).toInt(s.offHoldMs);
    const QJsonObject line = o.value(QLatin1String("line")).toObject();
    if ((sc.hasBaud = line.contains(QLatin1String("baud"))))
        sc.baud = line.value(QLatin1String("baud")).toInt();
    if ((sc.hasTiming = line.contains(QLatin1String("timing"))))
        sc.timing = line.value(QLatin1String("timing")).toBool();
    if (!applyStreams(sc, o, error))
        return false;
    for (const QJsonValue v : o.value(QLatin1String("faults")).toArray()) {
        FaultRule rule;
        if (!parseFault(v.toObject(), rule, error))
            return false;
        sc.faults.push_back(rule);
    }
    return true;
}

bool loadScenario(const QString& path, Scenario& sc, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    return parseScenario(f.readAll(), sc, error);
}

} // namespace vela::sim
